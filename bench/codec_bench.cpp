// The name codec over a million names, one pass over all of them per iteration, so that
// items_per_second reads as names per second. The names are made before the clock starts.
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "phonebook.h"
#include "vcfcsv/text/codec.h"

namespace vcfcsv::bench {
namespace {

constexpr std::size_t kNameCount = 1'000'000;

const std::vector<text::Text>& Names() {
  static const std::vector<text::Text> names = MakeNames(kNameCount);
  return names;
}

const std::vector<text::Text>& EncodedNames() {
  static const std::vector<text::Text> encoded = [] {
    std::vector<text::Text> out;
    out.reserve(kNameCount);
    for (const text::Text& name : Names()) {
      out.push_back(text::EncodeQpName(name));
    }
    return out;
  }();
  return encoded;
}

// One pass of `Codec` over every name per iteration. A template argument rather than a pointer,
// so that the call is as direct as a caller's.
template <text::Text (*Codec)(const text::Text&)>
void RunOverNames(benchmark::State& state, const std::vector<text::Text>& names) {
  for (auto _ : state) {
    for (const text::Text& name : names) {
      benchmark::DoNotOptimize(Codec(name));
    }
  }
  state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * names.size()));
}

void BM_EncodeQpName(benchmark::State& state) {
  RunOverNames<text::EncodeQpName>(state, Names());
}
BENCHMARK(BM_EncodeQpName)->Unit(benchmark::kMillisecond);

void BM_DecodeQpName(benchmark::State& state) {
  RunOverNames<text::DecodeQpName>(state, EncodedNames());
}
BENCHMARK(BM_DecodeQpName)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vcfcsv::bench

BENCHMARK_MAIN();
