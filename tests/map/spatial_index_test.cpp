// The spatial grids change no result: drawing, hit testing and the address
// through the grids give exactly what scanning every list gives.
#include <gtest/gtest.h>

#include "random_town.h"
#include "support/recording_canvas.h"

namespace testsupport {
inline bool operator==(const CanvasCall& a, const CanvasCall& b) {
    return a.kind == b.kind && a.pen == b.pen && a.brush == b.brush && a.font == b.font && a.points == b.points &&
           a.color == b.color && a.text == b.text;
}
}  // namespace testsupport

using testsupport::CanvasCall;
using testsupport::RecordingCanvas;

namespace {

const TGridBox kEverything{-1e9, -1e9, 1e9, 1e9};

// What drawing does when it walks every list and tests every feature's box.
std::vector<CanvasCall> drawnByScanning(const TKDKObject& map, const TGridBox& box, const TWorldToScreenFunc& f) {
    RecordingCanvas c;
    const TDisplayState& state = map.DisplayState();
    auto draw = [&](const auto& feature) {
        if (BoxOverlaps(feature, box) && state.Shows(feature)) Draw(feature, c, f);
    };
    map.ForEachPolygonInDrawingOrder(draw);
    for (const TKDKLine* l : map.Lines()) draw(*l);
    for (const TKDKPoint* p : map.Points()) draw(*p);
    for (const TKDKAttribute* a : map.Attributes()) draw(*a);
    return c.calls;
}

std::vector<const TKDKElement*> hitsByScanning(const TKDKObject& map, const TGeoPoint& p, double tolerance) {
    std::vector<const TKDKElement*> hits;
    auto test = [&](const TKDKElement& f) {
        if (HitTest(f, p, tolerance)) hits.push_back(&f);
    };
    for (const TKDKLine* l : map.Lines()) test(*l);
    map.ForEachPolygonInDrawingOrder(test);
    for (const TKDKPoint* q : map.Points()) test(*q);
    return hits;
}

class SpatialIndex : public ::testing::Test {
protected:
    void SetUp() override { FillRandomTown(map, 7); }
    TKDKObject map;
    std::mt19937 rng{11};
    std::uniform_real_distribution<double> coord{-1700, 1700};
};

TEST_F(SpatialIndex, DrawingAnyBoxDrawsWhatAScanDraws) {
    map.SetViewMode(TViewMode::vmAll);
    std::uniform_real_distribution<double> side(0.1, 900);
    int drawn = 0;
    for (int i = 0; i < 300; ++i) {
        const double x = coord(rng), y = coord(rng), w = i % 10 == 0 ? 0 : side(rng), h = side(rng);
        const TGridBox box{x, y, x + w, y + h};
        const TLinearToScreen t{x, y + h, 1000 / std::max(w, 1.0), 1000 / std::max(w, 1.0)};
        const TWorldToScreenFunc f = TWorldToScreenFunc::Linear(t);
        RecordingCanvas c;
        Draw(map, c, {box.MinX, box.MinY}, {box.MaxX, box.MaxY}, f);
        ASSERT_EQ(c.calls, drawnByScanning(map, box, f)) << x << " " << y << " " << w << " " << h;
        drawn += static_cast<int>(c.calls.size());
    }
    EXPECT_GT(drawn, 10000);
    // The whole map, and a box beside it.
    RecordingCanvas all;
    const TWorldToScreenFunc f = TWorldToScreenFunc::Linear({-2000, 2000, 0.3, 0.3});
    Draw(map, all, {kEverything.MinX, kEverything.MinY}, {kEverything.MaxX, kEverything.MaxY}, f);
    EXPECT_EQ(all.calls, drawnByScanning(map, kEverything, f));
    RecordingCanvas none;
    Draw(map, none, {5000, 5000}, {6000, 6000}, f);
    EXPECT_TRUE(none.calls.empty());
}

TEST_F(SpatialIndex, HitsAndAddressesAtAnyPointAreWhatAScanFinds) {
    int hit = 0, named = 0;
    for (int i = 0; i < 3000; ++i) {
        const TGeoPoint p = At(coord(rng), coord(rng));
        for (double tolerance : {0.0, 1.5, 12.0}) {
            std::vector<const TKDKElement*> hits;
            HitFeatures(map, p, hits, tolerance);
            ASSERT_EQ(hits, hitsByScanning(map, p, tolerance)) << p.X << " " << p.Y << " " << tolerance;
            hit += !hits.empty();
        }
        // The address is the last containing area of each kind in drawing order.
        TCentreAddress expected;
        for (const TKDKElement* f : hitsByScanning(map, p, 0)) {
            if (f->FeatureKind != TFeatureKind::Polygon) continue;
            const auto& g = static_cast<const TKDKPolygon&>(*f);
            if (!g.Attribute) continue;
            const auto& v = g.Attribute->Values;
            if (g.Code() == 1105) expected.City = v[1];
            if (g.Code() == 1106) expected.Chome = v[2];
            if (g.Code() == 1108) expected.Block = std::string(v[3]) + "," + std::string(v[4]);
        }
        const TCentreAddress a = CentreAddress(map, p);
        EXPECT_EQ(a.City, expected.City);
        EXPECT_EQ(a.Chome, expected.Chome);
        EXPECT_EQ(a.Block, expected.Block);
        named += !a.Chome.empty();
    }
    EXPECT_GT(hit, 1000);
    EXPECT_GT(named, 100);
}

}  // namespace
