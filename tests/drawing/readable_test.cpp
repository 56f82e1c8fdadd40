// The readable drawing's parts: the scale bar, the detail table, the
// placing of labels and the areas filled as boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "drawing/label_placement.h"
#include "drawing/readable_detail.h"
#include "drawing/readable_drawing.h"
#include "drawing/scale_bar.h"
#include "support/feature_builders.h"
#include "support/recording_canvas.h"

using testsupport::CanvasCall;
using testsupport::RecordingCanvas;

namespace {

bool isRoundLength(double metres) {
    const double power = std::pow(10.0, std::floor(std::log10(metres) + 1e-9));
    const double step = metres / power;
    return std::abs(step - 1) < 1e-9 || std::abs(step - 2) < 1e-9 || std::abs(step - 5) < 1e-9;
}

// The round length after `metres`: 1 -> 2 -> 5 -> 10 ...
double nextRoundLength(double metres) {
    const double power = std::pow(10.0, std::floor(std::log10(metres) + 1e-9));
    const double step = std::round(metres / power);
    return (step == 1 ? 2 : step == 2 ? 5 : 10) * power;
}

}  // namespace

TEST(ScaleBar, TheLongestRoundLengthThatFits) {
    struct Case {
        double metresPerPixel, maxPixels, metres;
        const char* text;
    };
    for (const Case& c : {Case{0.25, 120, 20, "20 m"}, Case{1.0, 120, 100, "100 m"}, Case{0.2646, 200, 50, "50 m"},
                          Case{9.4, 120, 1000, "1 km"}, Case{3.1, 120, 200, "200 m"}, Case{40, 120, 2000, "2 km"},
                          Case{1.0, 100, 100, "100 m"}, Case{100, 110, 10000, "10 km"}, Case{0.05, 30, 1, "1 m"}}) {
        const TScaleBar bar = ChooseScaleBar(c.metresPerPixel, c.maxPixels, 1000);
        EXPECT_EQ(bar.Metres, c.metres) << c.metresPerPixel << " m/px, " << c.maxPixels << " px";
        EXPECT_EQ(bar.LengthText, c.text);
        EXPECT_NEAR(bar.LengthPixels, c.metres / c.metresPerPixel, 1e-9);
    }
    // Over a sweep of scales: round, fitting, and the next round length would not fit.
    for (double mpp = 0.01; mpp < 500; mpp *= 1.137) {
        const TScaleBar bar = ChooseScaleBar(mpp, 120, 0);
        if (mpp * 120 < 1) {
            EXPECT_EQ(bar.Metres, 0) << mpp;
            continue;
        }
        ASSERT_GT(bar.Metres, 0) << mpp;
        EXPECT_TRUE(isRoundLength(bar.Metres)) << bar.Metres;
        EXPECT_LE(bar.LengthPixels, 120);
        EXPECT_GT(nextRoundLength(bar.Metres) / mpp, 120) << bar.Metres << " at " << mpp;
    }
}

TEST(ScaleBar, NothingFitsOrNoScale) {
    EXPECT_EQ(ChooseScaleBar(1, 0.5, 100).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(0, 100, 100).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(-1, 100, 100).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(std::nan(""), 100, 100).Metres, 0);
    EXPECT_TRUE(ChooseScaleBar(1, 100, 0).ScaleText.empty());
}

TEST(ScaleBar, ScaleTextIsRoundedWithThousandsSeparated) {
    EXPECT_EQ(ChooseScaleBar(1, 100, 2500).ScaleText, "1:2,500");
    EXPECT_EQ(ChooseScaleBar(1, 100, 999.4).ScaleText, "1:999");
    EXPECT_EQ(ChooseScaleBar(1, 100, 3779.5).ScaleText, "1:3,780");
    EXPECT_EQ(ChooseScaleBar(1, 100, 1234567).ScaleText, "1:1,234,567");
    EXPECT_EQ(ChooseScaleBar(1, 100, 100000).ScaleText, "1:100,000");
}

TEST(ScaleBar, DrawnBarIsItsLengthWithinAPixelInsideItsBox) {
    for (const double ppp : {96.0 / 72, 192.0 / 72, 600.0 / 72}) {
        for (const double mpp : {0.26, 0.9, 3.3, 9.37}) {
            const TScaleBar bar = ChooseScaleBar(mpp, 120 * ppp, 1234);
            RecordingCanvas canvas;
            const TScreenPoint corner{10, 900};
            DrawScaleBar(canvas, bar, corner, ppp);
            // The black rectangle longer than it is high is the bar.
            double barLength = -1;
            for (const CanvasCall& c : canvas.of(CanvasCall::Kind::Rectangle)) {
                const int w = c.points[1].X - c.points[0].X, h = c.points[1].Y - c.points[0].Y;
                if (c.brush.Color == clBlack && w > h) barLength = w;
            }
            EXPECT_NEAR(barLength, bar.Metres / mpp, 1.0) << mpp << " m/px at " << ppp;
            const TScreenBox box = ScaleBarBox(bar, corner, ppp);
            EXPECT_EQ(box.Left, corner.X);
            EXPECT_EQ(box.Bottom, corner.Y);
            for (const CanvasCall& c : canvas.calls) {
                if (c.kind == CanvasCall::Kind::Text) {
                    // Texts sit bottom-centred at points[0]; their width as the placing estimates it.
                    const double w = EstimatedTextWidth(c.text, c.font.Height);
                    const TScreenBox t{c.points[0].X - w / 2, static_cast<double>(c.points[0].Y - c.font.Height),
                                       c.points[0].X + w / 2, static_cast<double>(c.points[0].Y)};
                    EXPECT_TRUE(box.Contains(t)) << c.text;
                } else {
                    for (const TScreenPoint& p : c.points) {
                        EXPECT_GE(p.X, box.Left);
                        EXPECT_LE(p.X, box.Right);
                        EXPECT_GE(p.Y, box.Top);
                        EXPECT_LE(p.Y, box.Bottom);
                    }
                }
            }
        }
    }
}

TEST(ReadableDetail, ThresholdsFallJustAboveAndBelow) {
    const double above = std::nextafter(kStreetScale, 1e9);
    using K = TFeatureKind;
    // Control points and road edges at street scales only.
    EXPECT_EQ(ReadableDetail(K::Point, 7301, TRoadClass::Plain, kStreetScale), TDetail::Full);
    EXPECT_EQ(ReadableDetail(K::Point, 7301, TRoadClass::Plain, above), TDetail::Hidden);
    EXPECT_EQ(ReadableDetail(K::Line, 2101, TRoadClass::Plain, kStreetScale), TDetail::Full);
    EXPECT_EQ(ReadableDetail(K::Line, 2101, TRoadClass::Plain, above), TDetail::Hidden);
    EXPECT_EQ(ReadableDetail(K::Line, 2112, TRoadClass::Plain, above), TDetail::Hidden);
    // Plain centre lines: whole, then the line alone, then left out; named ones always.
    EXPECT_EQ(ReadableDetail(K::Line, 2110, TRoadClass::Plain, kStreetScale), TDetail::Full);
    EXPECT_EQ(ReadableDetail(K::Line, 2110, TRoadClass::Plain, above), TDetail::Simplified);
    EXPECT_EQ(ReadableDetail(K::Line, 2110, TRoadClass::Plain, kTownScale), TDetail::Simplified);
    EXPECT_EQ(ReadableDetail(K::Line, 2110, TRoadClass::Plain, std::nextafter(kTownScale, 1e9)), TDetail::Hidden);
    for (const TRoadClass road : {TRoadClass::Named, TRoadClass::National, TRoadClass::Expressway})
        EXPECT_EQ(ReadableDetail(K::Line, 2110, road, 1e6), TDetail::Full);
    // Buildings: whole, a box, left out.
    EXPECT_EQ(ReadableDetail(K::Polygon, 3500, TRoadClass::Plain, kStreetScale), TDetail::Full);
    EXPECT_EQ(ReadableDetail(K::Polygon, 3500, TRoadClass::Plain, above), TDetail::Simplified);
    EXPECT_EQ(ReadableDetail(K::Polygon, 3500, TRoadClass::Plain, std::nextafter(kTownScale, 1e9)), TDetail::Hidden);
    // Block outlines while a block is a dozen pixels across; its fill always.
    EXPECT_EQ(ReadableDetail(K::Line, 1108, TRoadClass::Plain, kBlockScale), TDetail::Full);
    EXPECT_EQ(ReadableDetail(K::Line, 1108, TRoadClass::Plain, std::nextafter(kBlockScale, 1e9)), TDetail::Hidden);
    EXPECT_EQ(ReadableDetail(K::Polygon, 1108, TRoadClass::Plain, 1e6), TDetail::Full);
    // Administrative boundaries, railways and water at every scale.
    for (const int code : {1101, 1103, 1105, 1106, 2300, 5101, 5122})
        EXPECT_EQ(ReadableDetail(K::Line, code, TRoadClass::Plain, 1e6), TDetail::Full) << code;
    for (const int code : {5101, 5105, 6242, 1106})
        EXPECT_EQ(ReadableDetail(K::Polygon, code, TRoadClass::Plain, 1e6), TDetail::Full) << code;
    // A code no row names is left out.
    EXPECT_EQ(ReadableDetail(K::Line, 9999, TRoadClass::Plain, 0.1), TDetail::Hidden);
    EXPECT_EQ(ReadableDetail(K::Attribute, 1106, TRoadClass::Plain, 0.1), TDetail::Hidden);
}

TEST(ReadableDetail, PlanAgreesWithTheTableForEveryCode) {
    for (const double scale : {0.2, kStreetScale, 1.7, kBlockScale, kTownScale, 9.0, 100.0}) {
        const ReadableDetailPlan plan(scale);
        for (const TFeatureKind kind : {TFeatureKind::Line, TFeatureKind::Polygon, TFeatureKind::Point})
            for (int code = 0; code < 10000; ++code)
                for (size_t road = 0; road < kRoadClassCount; ++road)
                    ASSERT_EQ(plan.Of(kind, code, TRoadClass(road)), ReadableDetail(kind, code, TRoadClass(road), scale))
                        << static_cast<int>(kind) << " " << code << " at " << scale;
    }
}

namespace {

// Random candidates over a surface, some in each priority.
std::vector<TLabelCandidate> randomCandidates(std::mt19937& random, const TScreenBox& surface, int count,
                                              std::vector<std::string>& texts) {
    std::uniform_real_distribution<double> x(surface.Left - 20, surface.Right + 20), y(surface.Top - 20, surface.Bottom + 20);
    std::uniform_int_distribution<int> length(1, 8), priority(0, 4), which(0, 30);
    texts.clear();
    for (int i = 0; i < 31; ++i) texts.push_back("T" + std::to_string(i));
    std::vector<TLabelCandidate> out;
    for (int i = 0; i < count; ++i) {
        const double h = 10 + priority(random);
        out.push_back({texts[static_cast<size_t>(which(random))],
                       {static_cast<int32_t>(x(random)), static_cast<int32_t>(y(random))},
                       h * length(random) * 0.7, h, priority(random), i % 2 == 0, static_cast<uint32_t>(i)});
    }
    return out;
}

}  // namespace

TEST(LabelIndex, FindsExactlyTheOverlappingBoxes) {
    std::mt19937 random(5);
    const TScreenBox surface{0, 0, 640, 480};
    std::uniform_real_distribution<double> x(-50, 690), y(-50, 530), size(0.5, 120);
    LabelIndex index(surface, 37);
    std::vector<TScreenBox> boxes;
    for (int i = 0; i < 3000; ++i) {
        const double left = x(random), top = y(random);
        const TScreenBox b{left, top, left + size(random), top + size(random) / 3};
        const bool expected = std::any_of(boxes.begin(), boxes.end(), [&](const TScreenBox& o) { return o.Overlaps(b); });
        ASSERT_EQ(index.Overlaps(b), expected) << i;
        if (i % 3 == 0) {
            index.Insert(b);
            boxes.push_back(b);
        }
    }
}

TEST(LabelPlacement, PlacedLabelsNeverOverlapNorLeaveTheSurface) {
    std::mt19937 random(11);
    const TScreenBox surface{0, 0, 800, 600};
    const std::vector<TScreenBox> keepFree{{0, 560, 200, 600}, {390, 290, 410, 310}};
    std::vector<std::string> texts;
    for (int round = 0; round < 20; ++round) {
        std::vector<TLabelCandidate> candidates = randomCandidates(random, surface, 2000, texts);
        const std::vector<TPlacedLabel> placed = PlaceLabels(candidates, {surface, 2, 0}, keepFree);
        ASSERT_GT(placed.size(), 20u);
        for (size_t i = 0; i < placed.size(); ++i) {
            const TScreenBox a = placed[i].Box.Grown(2);
            ASSERT_TRUE(surface.Contains(a));
            for (const TScreenBox& k : keepFree) ASSERT_FALSE(a.Overlaps(k));
            for (size_t j = i + 1; j < placed.size(); ++j) ASSERT_FALSE(a.Overlaps(placed[j].Box.Grown(2))) << i << " " << j;
        }
    }
}

TEST(LabelPlacement, PriorityRepeatsAndMovingAside) {
    const TScreenBox surface{0, 0, 400, 300};
    const std::string chome = "CHOME", block = "12";
    // A block number under a chome name gives way, whatever their order.
    std::vector<TLabelCandidate> c{{block, {200, 150}, 20, 10, 4, false, 1}, {chome, {200, 150}, 60, 14, 1, false, 2}};
    std::vector<TPlacedLabel> placed = PlaceLabels(c, {surface, 1, 0}, {});
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].Tag, 2u);

    // The same text again within the distance is dropped, farther off it is kept.
    c = {{chome, {100, 150}, 60, 14, 1, false, 1}, {chome, {170, 150}, 60, 14, 1, false, 2},
         {chome, {330, 150}, 60, 14, 1, false, 3}};
    placed = PlaceLabels(c, {surface, 1, 100}, {});
    ASSERT_EQ(placed.size(), 2u);
    EXPECT_EQ(placed[0].Tag, 1u);
    EXPECT_EQ(placed[1].Tag, 3u);

    // A mark on the anchor moves a movable label aside, clear of the mark; a fixed one is dropped.
    const std::vector<TScreenBox> mark{{190, 140, 211, 161}};
    c = {{chome, {200, 150}, 60, 14, 1, true, 1}};
    placed = PlaceLabels(c, {surface, 1, 0}, mark);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_FALSE(placed[0].Box.Overlaps(mark[0]));
    EXPECT_LT(std::abs(placed[0].BottomCentre.X - 200) + std::abs(placed[0].BottomCentre.Y - 157), 80);
    c = {{block, {200, 150}, 20, 10, 4, false, 1}};
    EXPECT_TRUE(PlaceLabels(c, {surface, 1, 0}, mark).empty());

    // A label that the surface's edge would cut moves inside or is dropped.
    c = {{chome, {5, 150}, 60, 14, 1, false, 1}};
    EXPECT_TRUE(PlaceLabels(c, {surface, 1, 0}, {}).empty());
    c = {{chome, {5, 150}, 60, 14, 1, true, 1}};
    placed = PlaceLabels(c, {surface, 1, 0}, {});
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_GE(placed[0].Box.Left, 1);
}

TEST(ReadableDrawing, AreasWithinTwoPixelsAreFilledAsTheirBox) {
    TKDKObject map;
    map.BeginMesh(std::make_unique<TKDKDescription>(0, "a\\A.txt"));
    // Blocks of 1.5, 2.5 and 40 metres at 2 metres a pixel: two within two pixels each way, one far wider.
    TColor fill = 0x00AA00;
    for (const double side : {1.5, 2.5, 40.0})
        AddPolygonTo(map, 1108, Rect(100.4, 100.4, 100.4 + side, 100.4 + side / 2), fill++);
    map.FinishMesh();
    TDisplayState state;
    state.ViewMode = TViewMode::vmAll;
    const TReadableView view{{0, 0, 200, 200}, 2.0, 96.0 / 72, 7560};
    const TWorldToScreenFunc toScreen = TWorldToScreenFunc::Linear({0, 400, 0.5, 0.5});
    ReadableDrawing drawing(map, state, view, {0, 0}, {400, 400}, toScreen);
    RecordingCanvas canvas;
    drawing.DrawFeatures(canvas);
    const std::vector<CanvasCall> boxes = canvas.of(CanvasCall::Kind::Rectangle);
    ASSERT_EQ(boxes.size(), 2u);
    for (const CanvasCall& c : boxes) {
        EXPECT_EQ(c.pen.Style, TPenStyle::psClear);
        EXPECT_LE(c.points[1].X - c.points[0].X, kAreaAsBoxPixels);
        EXPECT_LE(c.points[1].Y - c.points[0].Y, kAreaAsBoxPixels);
    }
    EXPECT_EQ(boxes[0].brush.Color, 0x00AA00u);
    EXPECT_EQ(boxes[1].brush.Color, 0x00AA01u);
    ASSERT_EQ(canvas.of(CanvasCall::Kind::Polygon).size(), 1u);
    EXPECT_EQ(canvas.of(CanvasCall::Kind::Polygon)[0].brush.Color, 0x00AA02u);
}
