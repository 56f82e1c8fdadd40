// Conversions per second of one point, the cost of every pointer move.
#include <benchmark/benchmark.h>

#include "view/coordinate_translator.h"

namespace {

void ConvertOnePoint(benchmark::State& state, TCoordsFormat from, TCoordsFormat to,
                     TGeoPoint2D start) {
    TCoordinateTranslator translator;
    translator.SetSource(from);
    translator.SetTarget(to);
    int step = 0;
    for (auto _ : state) {
        // The pointer wanders over a few hundred units around the start.
        const double offset = static_cast<double>(step++ & 511);
        TGeoPoint2D result = translator.Transform({start.X + offset, start.Y - offset});
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
}

using F = TCoordsFormat;
BENCHMARK_CAPTURE(ConvertOnePoint, TokyoZone9ToWgs84, F::cfProjectedTKY09, F::cfGeodeticWGS,
                  TGeoPoint2D{-8000, -38300});
BENCHMARK_CAPTURE(ConvertOnePoint, Jgd2000Zone9ToWgs84, F::cfProjectedJGD09, F::cfGeodeticWGS,
                  TGeoPoint2D{-8000, -38300});
BENCHMARK_CAPTURE(ConvertOnePoint, TokyoZone9ToJgd2000Zone9, F::cfProjectedTKY09,
                  F::cfProjectedJGD09, TGeoPoint2D{-8000, -38300});
BENCHMARK_CAPTURE(ConvertOnePoint, SameSystem, F::cfProjectedJGD09, F::cfProjectedJGD09,
                  TGeoPoint2D{-8000, -38300});

}  // namespace

BENCHMARK_MAIN();
