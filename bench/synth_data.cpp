#include "synth_data.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <stdexcept>
#include <tuple>

#include <benchmark/benchmark.h>
#include <ctime>

#include "reading/map_loading.h"

namespace {

double clockSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

}  // namespace

Stopwatch::Stopwatch() : wall_(clockSeconds(CLOCK_MONOTONIC)), cpu_(clockSeconds(CLOCK_PROCESS_CPUTIME_ID)) {}
double Stopwatch::WallSeconds() const { return clockSeconds(CLOCK_MONOTONIC) - wall_; }
double Stopwatch::CpuSeconds() const { return clockSeconds(CLOCK_PROCESS_CPUTIME_ID) - cpu_; }

void ReportShareOfLoad(benchmark::State& state, const TimedTown& town, double wallSeconds, double cpuSeconds) {
    const auto n = static_cast<double>(state.iterations());
    state.counters["load_s"] = town.loadSeconds;
    state.counters["share_of_load_%"] = 100 * wallSeconds / n / town.loadSeconds;
    state.counters["cpu_share_of_load_%"] = 100 * cpuSeconds / n / town.loadCpuSeconds;
}

const std::string& SynthFolder(long vertices, int cols, int rows, int seed) {
    static std::map<std::tuple<long, int, int, int>, std::string> folders;
    auto it = folders.find({vertices, cols, rows, seed});
    if (it != folders.end()) return it->second;
    namespace fs = std::filesystem;
    const std::string name = "orvelle-bench-" + std::to_string(vertices) +
                             (cols == 2 && rows == 2 ? "" : "-" + std::to_string(cols) + "x" + std::to_string(rows)) +
                             (seed == 7 ? "" : "-seed" + std::to_string(seed));
    fs::path dir = fs::temp_directory_path() / name;
    fs::remove_all(dir);
    std::string command = std::string(ORVELLE_SYNTH) + " --out '" + dir.string() + "' --cols " +
                          std::to_string(cols) + " --rows " + std::to_string(rows) + " --seed " + std::to_string(seed) +
                          " --target-vertices " + std::to_string(vertices) + " > /dev/null";
    if (std::system(command.c_str()) != 0) throw std::runtime_error("orvelle-synth failed");
    return folders.emplace(std::make_tuple(vertices, cols, rows, seed), dir.string()).first->second;
}

std::unique_ptr<TKDKObject> LoadSynth(long vertices, int cols, int rows) {
    return LoadFolder(SynthFolder(vertices, cols, rows));
}

std::unique_ptr<TKDKObject> LoadFolder(const std::string& folder) {
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadDataPath(map, folder, errors);
    return map;
}

TimedTown& BenchTown(int which) {
    static std::map<int, TimedTown> towns;
    auto it = towns.find(which);
    if (it != towns.end()) return it->second;
    const char* custom = std::getenv("ORVELLE_BENCH_TOWN");
    const std::string folder = which == 1                  ? SynthFolder(10000000, 6, 6)
                               : custom && *custom ? std::string(custom)
                                                   : SynthFolder(2000000);
    TimedTown t;
    for (int reading = 0; reading < 2; ++reading) {
        t.map.reset();
        const Stopwatch watch;
        t.map = LoadFolder(folder);
        const double wall = watch.WallSeconds(), cpu = watch.CpuSeconds();
        t.loadSeconds = reading == 0 ? wall : std::min(t.loadSeconds, wall);
        t.loadCpuSeconds = reading == 0 ? cpu : std::min(t.loadCpuSeconds, cpu);
    }
    std::cerr << "town " << folder << ": " << t.map->Lines().size() << " lines, " << t.map->Polygons().size()
              << " polygons, read in " << t.loadSeconds << " s (" << t.loadCpuSeconds << " s processor time)\n";
    return towns.emplace(which, std::move(t)).first->second;
}
