// The road graph on an orvelle-synth municipality (or ORVELLE_BENCH_TOWN=DIR):
// building it against loading the town, and a route from one corner to the other.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <iostream>

#include "routing/road_graph.h"
#include "synth_data.h"

namespace {

struct Town {
    std::unique_ptr<TKDKObject> map;
    double loadSeconds = 0;
};

Town& LoadedTown() {
    static Town town = [] {
        Town t;
        const auto start = std::chrono::steady_clock::now();
        const char* folder = std::getenv("ORVELLE_BENCH_TOWN");
        t.map = folder && *folder ? LoadFolder(folder) : LoadSynth(2000000);
        t.loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return t;
    }();
    return town;
}

void BM_BuildRoadGraph(benchmark::State& state) {
    Town& town = LoadedTown();
    size_t edges = 0, bytes = 0;
    for (auto _ : state) {
        TRoadGraph roads(*town.map);
        edges = roads.EdgeCount();
        bytes = roads.MemoryBytes();
    }
    state.counters["edges"] = static_cast<double>(edges);
    state.counters["bytes_per_edge"] = static_cast<double>(bytes) / static_cast<double>(edges);
    state.counters["load_s"] = town.loadSeconds;  // compare with the time per build
}

void BM_RouteAcrossTheTown(benchmark::State& state) {
    Town& town = LoadedTown();
    const TRoadGraph roads(*town.map);
    const TKDKObject& m = *town.map;
    const double w = m.NorthEast.X - m.SouthWest.X, h = m.NorthEast.Y - m.SouthWest.Y;
    const TGeoPoint from{m.SouthWest.X + 0.02 * w, m.SouthWest.Y + 0.02 * h, 0};
    const TGeoPoint to{m.NorthEast.X - 0.02 * w, m.NorthEast.Y - 0.02 * h, 0};
    double length = 0;
    for (auto _ : state) {
        const auto route = roads.Route(from, to);
        length = route ? route->Length : -1;
    }
    state.counters["length_m"] = length;
}

BENCHMARK(BM_BuildRoadGraph)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteAcrossTheTown)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
