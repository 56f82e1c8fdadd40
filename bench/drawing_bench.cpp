// Drawing, hit testing and the centre address on an orvelle-synth
// municipality of about two million vertices: a full-extent redraw and a street-level view into a
// 1280 x 960 image, one click and one centre address.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "map/kdk_object.h"
#include "synth_data.h"
#include "view/viewport.h"
#include "view_qt/qpainter_canvas.h"
#include "queries/map_queries.h"
#include "drawing/feature_drawing.h"

namespace {

constexpr int kWidth = 1280, kHeight = 960;

struct Town {
    std::unique_ptr<TKDKObject> map;
    int64_t vertices = 0;  // of every line and polygon ring
};

Town& LoadedTown() {
    static Town town = [] {
        Town t;
        // ORVELLE_BENCH_TOWN names a folder of meshes to use instead (a 10 M town, say).
        const char* folder = std::getenv("ORVELLE_BENCH_TOWN");
        t.map = folder && *folder ? LoadFolder(folder) : LoadSynth(2000000);
        for (const auto& l : t.map->Lines()) t.vertices += static_cast<int64_t>(l->Vertices.size());
        for (const auto& p : t.map->Polygons()) t.vertices += p->RingCount;
        t.map->SetViewMode(TViewMode::vmGaiku);
        std::cerr << "town: " << t.map->Lines().size() << " lines, " << t.map->Polygons().size() << " polygons, "
                  << t.vertices << " vertices\n";
        return t;
    }();
    return town;
}

TViewport FullExtent(const TKDKObject& map) {
    TViewport v;
    v.Width = kWidth;
    v.Height = kHeight;
    v.FitExtent(map.SouthWest.X, map.NorthEast.X, map.SouthWest.Y, map.NorthEast.Y);
    return v;
}

void Redraw(benchmark::State& state, const TViewport& view) {
    Town& town = LoadedTown();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        Draw(*town.map, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
    }
    state.SetItemsProcessed(state.iterations() * town.vertices);  // vertices of the whole map per second
}

void BM_FullExtentRedraw(benchmark::State& state) { Redraw(state, FullExtent(*LoadedTown().map)); }

// The map's own share of a full-extent redraw: visibility, bounds tests and
// vertex conversion, onto a canvas that draws nothing.
class NullCanvas : public Canvas {
public:
    int64_t points = 0;
    void Polyline(std::span<const TScreenPoint> p) override { points += static_cast<int64_t>(p.size()); }
    void Polygon(std::span<const TScreenPoint> p) override { points += static_cast<int64_t>(p.size()); }
    void Line(TScreenPoint, TScreenPoint) override { ++points; }
    void Rectangle(int32_t, int32_t, int32_t, int32_t) override {}
    void SetPixel(int32_t, int32_t, TColor) override { ++points; }
    void TextOutBottomCentre(TScreenPoint, const std::string&) override { ++points; }
};

void BM_FullExtentWithoutPainting(benchmark::State& state) {
    Town& town = LoadedTown();
    const TViewport view = FullExtent(*town.map);
    NullCanvas canvas;
    for (auto _ : state) Draw(*town.map, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
    benchmark::DoNotOptimize(canvas.points);
    state.SetItemsProcessed(state.iterations() * town.vertices);
}

void BM_StreetLevelRedraw(benchmark::State& state) {
    TViewport view = FullExtent(*LoadedTown().map);
    const double cx = view.View.CenterX, cy = view.View.CenterY;
    view.ZoomToBox(cx - 150, cx + 150, cy - 112.5, cy + 112.5);  // 300 m across
    Redraw(state, view);
}

// The map's own share of a street-level redraw: the grid look-up, the walk,
// the conversion and the calls onto a canvas that paints nothing.
void BM_StreetLevelWithoutPainting(benchmark::State& state) {
    Town& town = LoadedTown();
    TViewport view = FullExtent(*town.map);
    const double cx = view.View.CenterX, cy = view.View.CenterY;
    view.ZoomToBox(cx - 150, cx + 150, cy - 112.5, cy + 112.5);
    NullCanvas canvas;
    for (auto _ : state) Draw(*town.map, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
    benchmark::DoNotOptimize(canvas.points);
}

void BM_HitTest(benchmark::State& state) {
    Town& town = LoadedTown();
    const TViewport view = FullExtent(*town.map);
    const TGeoPoint click = MakePoint(view.View.CenterX + 7, view.View.CenterY + 11, 0);
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string details = PointedDetails(*town.map, click, 1.5);
        bytes = details.size();
        benchmark::DoNotOptimize(details.data());
    }
    state.counters["details_bytes"] = static_cast<double>(bytes);
    state.SetItemsProcessed(state.iterations() * town.vertices);
}

void BM_CentreAddress(benchmark::State& state) {
    Town& town = LoadedTown();
    const TViewport view = FullExtent(*town.map);
    const TGeoPoint centre = MakePoint(view.View.CenterX + 7, view.View.CenterY + 11, 0);
    for (auto _ : state) {
        TCentreAddress a = CentreAddress(*town.map, centre);
        benchmark::DoNotOptimize(a.Block.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(town.map->Polygons().size()));
}

BENCHMARK(BM_FullExtentRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullExtentWithoutPainting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetLevelRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetLevelWithoutPainting)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTest)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CentreAddress)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    QGuiApplication app(qtArgc, argv);  // fonts for the labels
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
