// Attribute search over a whole synthetic municipality: one full search, as
// one press of the search button costs, plain and by pattern.
#include <benchmark/benchmark.h>

#include "base/sjis.h"
#include "regex/awk_string.h"
#include "synth_data.h"
#include "queries/map_queries.h"

namespace {

constexpr long kVertices = 2000000;

TKDKObject& municipality() {
    static std::unique_ptr<TKDKObject> map = LoadSynth(kVertices);
    return *map;
}

size_t valueCount(const TKDKObject& map) {
    size_t n = 0;
    for (const auto& a : map.Attributes()) n += a->Values.size();
    return n;
}

void search(benchmark::State& state, bool useRegex, const char* utf8) {
    TKDKObject& map = municipality();
    const std::string text = sjis::fromUtf8(utf8);
    std::vector<const TKDKElement*> found;
    int hits = 0;
    for (auto _ : state) {
        found.clear();
        hits = SearchAttrib(map, -1, -1, found, useRegex, text);
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["hits"] = hits;
    state.counters["values"] = static_cast<double>(valueCount(map));
    state.counters["values/s"] =
        benchmark::Counter(static_cast<double>(valueCount(map)) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}

void BM_SearchPlain(benchmark::State& s) { search(s, false, "1"); }  // a block number
void BM_SearchPatternLiteral(benchmark::State& s) { search(s, true, u8"国道"); }
void BM_SearchPatternKanjiClass(benchmark::State& s) { search(s, true, u8"[一-龠]+丁目$"); }
void BM_SearchPatternAlternation(benchmark::State& s) { search(s, true, u8"駅|公園|学校"); }

BENCHMARK(BM_SearchPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPatternLiteral)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPatternKanjiClass)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPatternAlternation)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
