#pragma once
// Synthetic municipalities for the benchmarks, written by orvelle-synth into
// the temporary folder once per run (fixed seed; 2 x 2 sheets unless given).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "map/kdk_object.h"

// `seed` varies the town (7 unless given).
const std::string& SynthFolder(long vertices, int cols = 2, int rows = 2, int seed = 7);
// The municipality read into one map, as the viewer opens the folder.
std::unique_ptr<TKDKObject> LoadSynth(long vertices, int cols = 2, int rows = 2);
// Any folder of meshes read into one map.
std::unique_ptr<TKDKObject> LoadFolder(const std::string& folder);

// Wall-clock and processor time since it was made.
class Stopwatch {
public:
    Stopwatch();
    double WallSeconds() const;
    double CpuSeconds() const;  // of the whole process

private:
    double wall_, cpu_;
};

// A benchmark town read once per run, with the time the reading took (the
// faster of two readings; generating it is not counted).
struct TimedTown {
    std::unique_ptr<TKDKObject> map;
    double loadSeconds = 0, loadCpuSeconds = 0;
};
// 0: the 2-million-vertex town of 2 x 2 sheets, or ORVELLE_BENCH_TOWN=DIR;
// 1: the 10-million-vertex town of 6 x 6 sheets.
TimedTown& BenchTown(int which);

// Sets the counters load_s and share_of_load_% (wall clock) and
// cpu_share_of_load_% (processor time, steadier on a shared machine) for
// work that took the given total times over the state's iterations.
void ReportShareOfLoad(benchmark::State& state, const TimedTown& town, double wallSeconds, double cpuSeconds);

// Builds a `Built` from the map of town state.range(0) in every iteration,
// timing the building only; `note(built)` sets counters from the last one.
template <class Built, class Note>
void BenchBuildingFromTown(benchmark::State& state, Note note) {
    TimedTown& town = BenchTown(static_cast<int>(state.range(0)));
    double wall = 0, cpu = 0;
    for (auto _ : state) {
        const Stopwatch watch;
        const Built built(*town.map);
        wall += watch.WallSeconds();
        cpu += watch.CpuSeconds();
        note(built);
    }
    ReportShareOfLoad(state, town, wall, cpu);
}
