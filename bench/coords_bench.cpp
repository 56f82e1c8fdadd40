// Conversions per second of one point, the cost of every pointer move, and
// of many points through GSI's grid, the cost of an export.
#include <benchmark/benchmark.h>

#include <vector>

#include "view/coordinate_translator.h"

namespace {

void ConvertOnePoint(benchmark::State& state, TCoordsFormat from, TCoordsFormat to,
                     TGeoPoint2D start, TDatumShift shift = TDatumShift::dsHelmert) {
    TCoordinateTranslator translator;
    translator.SetDatumShift(shift);
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
BENCHMARK_CAPTURE(ConvertOnePoint, TokyoZone9ToWgs84ByGrid, F::cfProjectedTKY09, F::cfGeodeticWGS,
                  TGeoPoint2D{-8000, -38300}, TDatumShift::dsGrid);

// Points per second through the grid: a town's worth of vertices (100,000
// spread over 10 km) converted in place, as the export converts a feature's.
void ConvertManyPoints(benchmark::State& state, TCoordsFormat from, TCoordsFormat to, TGeoPoint2D start,
                       TDatumShift shift) {
    TCoordinateTranslator translator;
    translator.SetDatumShift(shift);
    translator.SetSource(from);
    translator.SetTarget(to);
    const size_t n = 100000;
    std::vector<double> x0(n), y0(n), x(n), y(n);
    for (size_t i = 0; i < n; ++i) {
        x0[i] = start.X + static_cast<double>(i % 317) * (from == F::cfGeodeticTKY ? 1200 : 31.5);
        y0[i] = start.Y + static_cast<double>(i / 317) * (from == F::cfGeodeticTKY ? 1200 : 31.5);
    }
    for (auto _ : state) {
        x = x0;
        y = y0;
        benchmark::DoNotOptimize(translator.TransformArrays(n, x.data(), y.data()));
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(n));
    state.counters["fallbacks"] = static_cast<double>(translator.FallbackCount());
}

BENCHMARK_CAPTURE(ConvertManyPoints, TokyoGeographicToJgd2000ByGrid, F::cfGeodeticTKY, F::cfGeodeticJGD,
                  TGeoPoint2D{50280000, 12830000}, TDatumShift::dsGrid);
BENCHMARK_CAPTURE(ConvertManyPoints, TokyoZone9ToJgd2000Zone9ByGrid, F::cfProjectedTKY09, F::cfProjectedJGD09,
                  TGeoPoint2D{-15000, -42000}, TDatumShift::dsGrid);
BENCHMARK_CAPTURE(ConvertManyPoints, TokyoZone9ToJgd2000Zone9ByHelmert, F::cfProjectedTKY09, F::cfProjectedJGD09,
                  TGeoPoint2D{-15000, -42000}, TDatumShift::dsHelmert);

}  // namespace

BENCHMARK_MAIN();
