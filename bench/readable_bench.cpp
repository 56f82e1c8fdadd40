// The readable drawing against the default one in the same run, on an
// orvelle-synth municipality of about two million vertices (or the folder in
// ORVELLE_BENCH_TOWN, the 10 M town, say): the whole renderer (RenderImage,
// 1280 x 960) at the full extent and in a 300 m street view, labels and
// scale bar included, and the placing of 10,000 label candidates alone.
// Figures are processor time; compare the modes by their ratio.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>

#include "drawing/label_placement.h"
#include "drawing/readable_drawing.h"
#include "render/map_renderer.h"
#include "synth_data.h"

namespace {

constexpr int kWidth = 1280, kHeight = 960;

std::shared_ptr<const TKDKObject>& Town() {
    static std::shared_ptr<const TKDKObject> town = [] {
        const char* folder = std::getenv("ORVELLE_BENCH_TOWN");
        std::shared_ptr<const TKDKObject> t = folder && *folder ? LoadFolder(folder) : LoadSynth(2000000);
        std::cerr << "town: " << t->Lines().size() << " lines, " << t->Polygons().size() << " polygons\n";
        return t;
    }();
    return town;
}

MapSnapshot Snapshot(bool readable, double acrossMetres) {
    MapSnapshot s;
    s.Map = Town();
    s.Display.ViewMode = s.Map->HasBlocks ? TViewMode::vmGaiku : TViewMode::vmNoGaiku;
    s.Display.Readable = readable;
    TViewport& v = s.Viewport;
    v.Width = kWidth;
    v.Height = kHeight;
    v.FitExtent(s.Map->SouthWest.X, s.Map->NorthEast.X, s.Map->SouthWest.Y, s.Map->NorthEast.Y);
    if (acrossMetres > 0) {
        const double cx = v.View.CenterX, cy = v.View.CenterY, half = acrossMetres / 2;
        v.ZoomToBox(cx - half, cx + half, cy - half * kHeight / kWidth, cy + half * kHeight / kWidth);
    }
    return s;
}

void Render(benchmark::State& state, bool readable, double acrossMetres) {
    const MapSnapshot snapshot = Snapshot(readable, acrossMetres);
    for (auto _ : state) benchmark::DoNotOptimize(RenderImage(snapshot, TSelectionShown::No));
}

void BM_FullExtentDefault(benchmark::State& state) { Render(state, false, 0); }
void BM_FullExtentReadable(benchmark::State& state) { Render(state, true, 0); }
void BM_StreetDefault(benchmark::State& state) { Render(state, false, 300); }
void BM_StreetReadable(benchmark::State& state) { Render(state, true, 300); }

// 10,000 candidates as a view of the town offers them (chome names, stations,
// public buildings and block numbers of a 1:5,000 view), repeated with a
// shift until there are enough, over a 1280 x 960 surface.
void BM_Place10000Labels(benchmark::State& state) {
    const MapSnapshot s = Snapshot(true, 1280 * 1.3);
    const TViewport& v = s.Viewport;
    const TReadableView view{{0, 0, kWidth, kHeight}, 1 / v.View.ScaleX, 96.0 / 72, v.DispScale()};
    ReadableDrawing drawing(*s.Map, s.Display, view, v.GetViewMin(), v.GetViewMax(), v.ToScreen());
    const ReadableDrawing::TCandidates offered = drawing.LabelCandidates();
    if (offered.Labels.empty()) {
        state.SkipWithError("the view offers no labels");
        return;
    }
    std::vector<TLabelCandidate> candidates;
    std::mt19937 random(1);
    std::uniform_int_distribution<int> x(0, kWidth), y(0, kHeight);
    while (candidates.size() < 10000) {
        TLabelCandidate c = offered.Labels[candidates.size() % offered.Labels.size()];
        c.Anchor = {x(random), y(random)};
        candidates.push_back(c);
    }
    size_t placed = 0;
    for (auto _ : state) {
        std::vector<TLabelCandidate> copy = candidates;
        placed = PlaceLabels(copy, {view.Surface, 2, view.Pixels(120)}, {}).size();
    }
    state.counters["placed"] = static_cast<double>(placed);
    state.counters["offered_by_view"] = static_cast<double>(offered.Labels.size());
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(candidates.size()));
}

}  // namespace

BENCHMARK(BM_FullExtentDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullExtentReadable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetDefault)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreetReadable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Place10000Labels)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
