#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan + UBSan) and runs every fuzz target for a while.
#   scripts/fuzz.sh [SECONDS]   each target SECONDS long (default 10); exits 1 when any one failed
#
# Each target starts from its seed corpus in fuzz/corpus/<target> (read only) and grows a working
# corpus in build/fuzz/corpus/<target>, kept between runs. An input that crashes, leaks, trips a
# sanitizer or a property check, or runs too long is saved in build/fuzz/artifacts/<target>/;
# copy it into fuzz/corpus/<target>/ so that the corpus replay under CTest keeps it found.
set -euo pipefail

seconds="${1:-10}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || ((seconds < 1)); then
  echo "usage: scripts/fuzz.sh [SECONDS]" >&2
  exit 2
fi

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target codec_fuzz vcf_to_csv_fuzz csv_to_vcf_fuzz

# A conversion takes whole phone books, so its targets get inputs of up to a megabyte. A megabyte
# converts in milliseconds even under the sanitizers, so an input that takes seconds is a finding:
# libFuzzer reports it as a timeout and saves it like a crash.
declare -A options=(
  [codec_fuzz]="-max_len=4096"
  [vcf_to_csv_fuzz]="-max_len=1048576"
  [csv_to_vcf_fuzz]="-max_len=1048576"
)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for target in codec_fuzz vcf_to_csv_fuzz csv_to_vcf_fuzz; do
  corpus="build/fuzz/corpus/$target"
  artifacts="build/fuzz/artifacts/$target"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target, $seconds s"
  # shellcheck disable=SC2086  # the options are separate words on purpose
  if ! "build/fuzz/fuzz/$target" ${options[$target]} -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$artifacts/" \
      "$corpus" "fuzz/corpus/$target" 2>"build/fuzz/$target.log"; then
    failed+=("$target")
    tail -n 40 "build/fuzz/$target.log"
    echo "== $target FAILED; the input is in $artifacts/, the whole log in build/fuzz/$target.log"
  else
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "build/fuzz/$target.log" || true
  fi
done

if ((${#failed[@]} > 0)); then
  echo "failed: ${failed[*]}"
  exit 1
fi
echo "all fuzz targets ran clean"
