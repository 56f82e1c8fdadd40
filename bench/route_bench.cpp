// The road graph on orvelle-synth municipalities (argument 0: the 2 M town or
// ORVELLE_BENCH_TOWN=DIR; 1: the 10 M town): building it against reading the
// town, and a route from one corner to the other.
#include <benchmark/benchmark.h>

#include "routing/road_graph.h"
#include "synth_data.h"

namespace {

void BM_BuildRoadGraph(benchmark::State& state) {
    BenchBuildingFromTown<TRoadGraph>(state, [&](const TRoadGraph& roads) {
        state.counters["edges"] = static_cast<double>(roads.EdgeCount());
        state.counters["bytes_per_edge"] =
            static_cast<double>(roads.MemoryBytes()) / static_cast<double>(roads.EdgeCount());
    });
}

void BM_RouteAcrossTheTown(benchmark::State& state) {
    TimedTown& town = BenchTown(static_cast<int>(state.range(0)));
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

BENCHMARK(BM_BuildRoadGraph)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteAcrossTheTown)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
