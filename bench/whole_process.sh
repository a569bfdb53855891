#!/usr/bin/env bash
# Times the vcfcsv program as a user runs it, reading and writing files, on generated phone books.
#   bench/whole_process.sh [CONTACTS] [RUNS]   default a million contacts, three runs each way
#
# Builds the release preset's vcfcsv and make_phonebook, writes the vCard and CSV files of the same
# contacts into a temporary folder, converts each into the other under GNU time, and prints each
# run's wall time and peak resident memory next to the sizes of input and output. Each output is
# also compared with the generated file of the other format, which it must equal byte for byte.
set -euo pipefail

contacts="${1:-1000000}"
runs="${2:-3}"
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

# The shell keyword `time` reports no memory; GNU time does.
if [[ ! -x /usr/bin/time ]]; then
  echo "GNU time (/usr/bin/time) is missing: run scripts/install-deps.sh" >&2
  exit 1
fi

cmake --preset release >/dev/null
cmake --build --preset release --target vcfcsv make_phonebook >/dev/null
vcfcsv="build/release/cli/vcfcsv"

work="$(mktemp -d "${TMPDIR:-/tmp}/vcfcsv-whole-XXXXXX")"
trap 'rm -rf "$work"' EXIT
build/release/bench/make_phonebook "$contacts" "$work/book.vcf" "$work/book.csv"

megabytes() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", b / 1e6 }'; }

# Run DIRECTION INPUT OUTPUT EXPECTED: one timed conversion and its line of the table.
Run() {
  local direction="$1" input="$2" output="$3" expected="$4"
  rm -f "$output"
  /usr/bin/time -v -o "$work/time.txt" "$vcfcsv" "$direction" "$input" "$output" \
    2>"$work/summary-$direction.txt"
  local wall rss same
  # GNU time writes "Elapsed (wall clock) time (h:mm:ss or m:ss): 0:00.31".
  wall="$(awk -F': ' '/Elapsed \(wall clock\)/ {
            n = split($2, p, ":"); s = 0; for (i = 1; i <= n; ++i) s = s * 60 + p[i]; printf "%.2f", s }' \
          "$work/time.txt")"
  rss="$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 * 1024 / 1e6 }' "$work/time.txt")"
  same="differs from the generated file"
  if cmp -s "$output" "$expected"; then same="equals the generated file"; fi
  local in_mb out_mb
  in_mb="$(megabytes "$input")"
  out_mb="$(megabytes "$output")"
  awk -v d="$direction" -v i="$in_mb" -v o="$out_mb" -v w="$wall" -v r="$rss" -v s="$same" 'BEGIN {
        printf "%-7s in %7.1f MB  out %7.1f MB  wall %5.2f s  peak RSS %7.1f MB (%.2f x in+out)  output %s\n",
               d, i, o, w, r, r / (i + o), s }'
}

echo "$contacts contacts (MB are 10^6 bytes)"
for ((run = 1; run <= runs; ++run)); do
  Run to-csv "$work/book.vcf" "$work/out.csv" "$work/book.csv"
  Run to-vcf "$work/book.csv" "$work/out.vcf" "$work/book.vcf"
done
for direction in to-csv to-vcf; do
  echo "vcfcsv $direction says: $(tr '\n' ' ' <"$work/summary-$direction.txt")"
done
