// Drawing, hit testing and the centre address on an orvelle-synth
// municipality of about two million vertices (or the folder in ORVELLE_BENCH_TOWN):
// full-extent and street-level redraws into a 1280 x 960 image through the
// screen's raster canvas and through QPainter alone, painting the panel's
// surface, one click and one centre address.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "map/kdk_object.h"
#include "reading/map_loading.h"
#include "synth_data.h"
#include "view/viewport.h"
#include "render/qpainter_canvas.h"
#include "render/raster_canvas.h"
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

// The screen's canvas (straight into the image bits where it can) or QPainter alone.
enum class Painting { Raster, QPainterOnly };

void Redraw(benchmark::State& state, const TViewport& view, Painting painting) {
    Town& town = LoadedTown();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    int64_t painterCalls = 0;
    for (auto _ : state) {
        image.fill(Qt::white);
        if (painting == Painting::Raster) {
            RasterCanvas canvas(image);
            Draw(*town.map, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
            painterCalls = canvas.PainterCalls();
        } else {
            QPainter painter(&image);
            QPainterCanvas canvas(painter);
            Draw(*town.map, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
        }
    }
    if (painting == Painting::Raster) state.counters["painter_calls"] = static_cast<double>(painterCalls);
    state.SetItemsProcessed(state.iterations() * town.vertices);  // vertices of the whole map per second
}

TViewport StreetLevel() {
    TViewport view = FullExtent(*LoadedTown().map);
    const double cx = view.View.CenterX, cy = view.View.CenterY;
    view.ZoomToBox(cx - 150, cx + 150, cy - 112.5, cy + 112.5);  // 300 m across
    return view;
}

void BM_FullExtentRedraw(benchmark::State& state) {
    Redraw(state, FullExtent(*LoadedTown().map), Painting::Raster);
}
void BM_FullExtentRedrawQPainterOnly(benchmark::State& state) {
    Redraw(state, FullExtent(*LoadedTown().map), Painting::QPainterOnly);
}
void BM_StreetLevelRedraw(benchmark::State& state) { Redraw(state, StreetLevel(), Painting::Raster); }
void BM_StreetLevelRedrawQPainterOnly(benchmark::State& state) { Redraw(state, StreetLevel(), Painting::QPainterOnly); }

// Painting the panel's surface: copying a 1920 x 1080 image onto a raster surface.
void BM_PaintCopy1920x1080(benchmark::State& state) {
    QImage source(1920, 1080, QImage::Format_RGB32), surface(1920, 1080, QImage::Format_RGB32);
    source.fill(Qt::green);
    for (auto _ : state) {
        QPainter painter(&surface);
        painter.drawImage(0, 0, source);
    }
    state.SetBytesProcessed(state.iterations() * source.sizeInBytes());
}

// The wheel preview: the last image scaled by one zoom step over the background.
void BM_PaintScaledPreview1920x1080(benchmark::State& state) {
    QImage source(1920, 1080, QImage::Format_RGB32), surface(1920, 1080, QImage::Format_RGB32);
    source.fill(Qt::green);
    for (auto _ : state) {
        QPainter painter(&surface);
        painter.fillRect(surface.rect(), Qt::white);
        painter.setTransform(QTransform(1.25, 0, 0, 1.25, -240, -135));
        painter.drawImage(0, 0, source);
    }
}

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

// The map's own share of a street-level redraw: the grid look-up, the walk,
// the conversion and the calls onto a canvas that paints nothing.
void BM_StreetLevelWithoutPainting(benchmark::State& state) {
    Town& town = LoadedTown();
    const TViewport view = StreetLevel();
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
BENCHMARK(BM_FullExtentRedrawQPainterOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullExtentWithoutPainting)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetLevelRedraw)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetLevelRedrawQPainterOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintCopy1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintScaledPreview1920x1080)->Unit(benchmark::kMillisecond);
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
