// Loading throughput: a synthetic municipality written by orvelle-synth is
// read mesh by mesh into one map, as the viewer opens a folder.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

#include "reading/map_loading.h"

namespace fs = std::filesystem;

namespace {

// The data folder for about `vertices` vertices on 2 x 2 sheets, written once per run.
const std::string& dataFor(long vertices) {
    static std::map<long, std::string> folders;
    auto it = folders.find(vertices);
    if (it != folders.end()) return it->second;
    fs::path dir = fs::temp_directory_path() / ("orvelle-loading-bench-" + std::to_string(vertices));
    fs::remove_all(dir);
    std::string command = std::string(ORVELLE_SYNTH) + " --out '" + dir.string() +
                          "' --cols 2 --rows 2 --seed 7 --target-vertices " + std::to_string(vertices) +
                          " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("orvelle-synth failed");
    return folders.emplace(vertices, dir.string()).first->second;
}

void load(benchmark::State& state, long vertices) {
    const std::string& folder = dataFor(vertices);
    uint64_t bytes = 0, features = 0;
    for (auto _ : state) {
        std::unique_ptr<TKDKObject> map;
        TErrorList errors;
        LoadDataPath(map, folder, errors);
        bytes += map->BytesRead;
        features += map->Lines.size() + map->Polygons.size() + map->Points.size() +
                    map->Attributes.size() + map->Nodes.size() + map->Networks.size();
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

BENCHMARK(BM_Load500kVertices)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_Load2MVertices)->Unit(benchmark::kMillisecond)->MinTime(4);

}  // namespace

BENCHMARK_MAIN();
