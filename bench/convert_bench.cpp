// Both conversions over generated phone books of 10 thousand, 100 thousand and a million
// contacts (bytes_per_second counts input bytes), and over single lines of about a megabyte, the
// shape that a conversion with a pass over the rest of the text per piece would make quadratic.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "phonebook.h"
#include "vcfcsv/convert/convert.h"
#include "vcfcsv/convert/formats.h"

namespace vcfcsv::bench {
namespace {

struct Books {
  text::Text vcf;
  text::Text csv;
};

// Each size is made once and kept: the benchmark library calls a benchmark more than once while
// it settles on an iteration count, and a million contacts take longer to make than to convert.
const Books& BooksOf(std::size_t contacts) {
  static std::map<std::size_t, Books> cache;
  const auto [found, added] = cache.try_emplace(contacts);
  if (added) {
    Phonebook book = MakePhonebook(contacts);
    found->second = Books{text::Text(std::move(book.vcf)), text::Text(std::move(book.csv))};
  }
  return found->second;
}

using Converter = convert::Conversion (*)(benchmark::State&, const text::Text&);

// VcfTextToCsvText works in the buffer of the text it is given, so each iteration hands it a fresh
// copy, made with the clock stopped, as the command line hands it the file it read.
convert::Conversion VcfToCsv(benchmark::State& state, const text::Text& vcf) {
  state.PauseTiming();
  text::Text copy = vcf;
  state.ResumeTiming();
  return convert::VcfTextToCsvText(std::move(copy));
}

convert::Conversion CsvToVcf(benchmark::State&, const text::Text& csv) {
  return convert::CsvTextToVcfText(csv);
}

void RunConversion(benchmark::State& state, Converter convert, const text::Text& input,
                   std::string_view expected) {
  convert::Conversion conversion;
  for (auto _ : state) {
    conversion = convert(state, input);
    benchmark::DoNotOptimize(conversion);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * input.Size()));
  state.counters["output_bytes"] = static_cast<double>(conversion.output.Size());
  // A conversion that stopped early would look fast: the generated books convert to each other.
  if (!expected.empty() && conversion.output.View() != expected) {
    state.SkipWithError("the output is not the other generated file");
  }
}

void BM_VcfToCsv(benchmark::State& state) {
  const Books& books = BooksOf(static_cast<std::size_t>(state.range(0)));
  RunConversion(state, VcfToCsv, books.vcf, books.csv.View());
}
BENCHMARK(BM_VcfToCsv)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BM_CsvToVcf(benchmark::State& state) {
  const Books& books = BooksOf(static_cast<std::size_t>(state.range(0)));
  RunConversion(state, CsvToVcf, books.csv, books.vcf.View());
}
BENCHMARK(BM_CsvToVcf)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

std::string Repeat(std::string_view piece, std::size_t times) {
  std::string out;
  out.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) {
    out += piece;
  }
  return out;
}

// One vCard block whose name is a single line of about a megabyte.
text::Text OneBlock(const std::string& name) {
  return text::JoinText(convert::VcardBlockHead, name, convert::VcardTelPrefix, "13800000000",
                        convert::VcardBlockTail);
}

// "=E5" alone is a first byte of UTF-8 without its followers: every one becomes U+FFFD.
void BM_VcfOneLongName_LoneFirstBytes(benchmark::State& state) {
  RunConversion(state, VcfToCsv, OneBlock(Repeat("=E5", 350'000)), {});
}
BENCHMARK(BM_VcfOneLongName_LoneFirstBytes)->Unit(benchmark::kMillisecond);

void BM_VcfOneLongName_Hanzi(benchmark::State& state) {
  RunConversion(state, VcfToCsv, OneBlock(Repeat("=E5=BC=A0", 116'000)), {});
}
BENCHMARK(BM_VcfOneLongName_Hanzi)->Unit(benchmark::kMillisecond);

// Plain letters between short escapes: a partly encoded name, decoded run by run.
void BM_VcfOneLongName_Mixed(benchmark::State& state) {
  RunConversion(state, VcfToCsv, OneBlock(Repeat("A=20", 250'000)), {});
}
BENCHMARK(BM_VcfOneLongName_Mixed)->Unit(benchmark::kMillisecond);

void BM_CsvOneLongLine_Hanzi(benchmark::State& state) {
  const text::Text csv = text::JoinText(convert::CsvHeaderLine, "\"", Repeat("\xD5\xC5", 500'000),
                                        "\",\"13800000000\"\r\n");
  RunConversion(state, CsvToVcf, csv, {});
}
BENCHMARK(BM_CsvOneLongLine_Hanzi)->Unit(benchmark::kMillisecond);

// Doubled quotes and commas inside one quoted field, then a phone full of commas.
void BM_CsvOneLongLine_Quotes(benchmark::State& state) {
  const text::Text csv =
      text::JoinText("\"", Repeat("\"\",", 170'000), "\",", Repeat("1,", 250'000), "\r\n");
  RunConversion(state, CsvToVcf, csv, {});
}
BENCHMARK(BM_CsvOneLongLine_Quotes)->Unit(benchmark::kMillisecond);

// Quotes that are never closed: each one is stray and removed.
void BM_CsvOneLongLine_StrayQuotes(benchmark::State& state) {
  const text::Text csv = text::JoinText(Repeat("a\"", 500'000), ",1\r\n");
  RunConversion(state, CsvToVcf, csv, {});
}
BENCHMARK(BM_CsvOneLongLine_StrayQuotes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vcfcsv::bench

BENCHMARK_MAIN();
