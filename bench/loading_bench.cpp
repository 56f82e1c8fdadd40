// Loading throughput: a synthetic municipality written by orvelle-synth is
// read into one map as the viewer opens a folder, by one reader (/1) and by
// one reader per core (/0), in the same run.
#include <benchmark/benchmark.h>

#include <string>

#include "reading/map_loading.h"
#include "synth_data.h"

namespace {

void load(benchmark::State& state, long vertices) {
    const int jobs = static_cast<int>(state.range(0));
    const std::string& folder = SynthFolder(vertices);
    uint64_t bytes = 0, features = 0;
    for (auto _ : state) {
        std::unique_ptr<TKDKObject> map;
        TErrorList errors;
        LoadDataPath(map, folder, errors, jobs);
        bytes += map->BytesRead;
        features += map->Lines().size() + map->Polygons().size() + map->Points().size() +
                    map->Attributes().size() + map->Nodes().size() + map->Networks().size();
        state.PauseTiming();
        map.reset();  // releasing the map is not part of loading
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["features/s"] = benchmark::Counter(static_cast<double>(features), benchmark::Counter::kIsRate);
}

void BM_Load2MVertices(benchmark::State& state) { load(state, 2000000); }
// Scaling: the same town at a quarter of the size, in the same run.
void BM_Load500kVertices(benchmark::State& state) { load(state, 500000); }

BENCHMARK(BM_Load500kVertices)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Load2MVertices)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->MinTime(4);

}  // namespace

BENCHMARK_MAIN();
