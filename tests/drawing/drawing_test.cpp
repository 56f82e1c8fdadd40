// Drawing of each feature kind and of the whole map, through the recording canvas.
#include <gtest/gtest.h>

#include "support/feature_builders.h"
#include "drawing/canvas.h"
#include "drawing/map_marks.h"
#include "tables/colors.h"
#include "support/recording_canvas.h"

using testsupport::CanvasCall;
using testsupport::RecordingCanvas;
using Kind = CanvasCall::Kind;

namespace {

const TestTransform kTwoPerMetre{2, 300};
const TWorldToScreenFunc kToScreen = TWorldToScreenFunc::Of(kTwoPerMetre);

std::vector<TScreenPoint> screen(const std::vector<TGeoPoint>& world, const TestTransform& t = kTwoPerMetre) {
    std::vector<TScreenPoint> out;
    for (const TGeoPoint& p : world) out.push_back(t(p));
    return out;
}

// Caller's selection settings, as the panel sets them before DrawSelected.
void selectionPen(Canvas& c) {
    c.Pen.Color = 0x0000FF;
    c.Pen.Style = TPenStyle::psDashDotDot;
    c.Pen.Width = 3;
    c.Brush.Color = 0x0000FF;
    c.Brush.Style = TBrushStyle::bsDiagCross;
}

}  // namespace

TEST(LineDrawing, ConstructionArcsAreNeverDrawnNorHighlighted) {
    for (int tag = 0; tag <= 7; ++tag) {
        auto line = MakeLine(2110, tag, {At(0, 0), At(10, 0)});
        RecordingCanvas normal, selected;
        Draw(*line, normal, kToScreen);
        DrawSelected(*line, selected, kToScreen);
        const size_t expected = tag <= 2 ? 1 : 0;
        EXPECT_EQ(normal.calls.size(), expected) << "tag " << tag;
        EXPECT_EQ(selected.calls.size(), expected) << "tag " << tag;
    }
}

TEST(LineDrawing, PenFromTheLineAndEveryVertexConverted) {
    const std::vector<TGeoPoint> vertices{At(1, 1), At(5.25, 3), At(9, 40)};
    auto line = MakeLine(1106, 0, vertices);
    line->Color = 0xD6D6D6;
    line->PenStyle = TPenStyle::psDash;
    RecordingCanvas c;
    Draw(*line, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 1u);
    const CanvasCall& call = c.calls[0];
    EXPECT_EQ(call.kind, Kind::Polyline);
    EXPECT_EQ(call.points, screen(vertices));
    EXPECT_EQ(call.pen.Color, 0xD6D6D6u);
    EXPECT_EQ(call.pen.Style, TPenStyle::psDash);
    EXPECT_EQ(call.pen.Width, 1);
    EXPECT_EQ(call.brush.Color, 0xD6D6D6u);
    EXPECT_EQ(call.brush.Style, TBrushStyle::bsClear);
}

TEST(LineDrawing, WidthInPixelsNormallyAndHighlighted) {
    struct Case {
        int width;
        double scale;
        int normal, selected;
    };
    const Case cases[] = {
        {0, 2, 1, 2},     // zero width: one pixel, two highlighted
        {7, 2, 14, 14},   // 7 m at 2 px/m
        {1, 0.2, 1, 2},   // 0.2 px rounds to 0: at least 1 (2 highlighted)
        {5, 0.5, 2, 2},   // 2.5 px: halves round to even
        {7, 0.5, 4, 4},   // 3.5 px rounds to 4
        {3, 0.01, 1, 2},
    };
    for (const Case& k : cases) {
        const TestTransform t{k.scale, 300};
        const TWorldToScreenFunc f = TWorldToScreenFunc::Of(t);
        auto line = MakeLine(2110, 0, {At(0, 0), At(100, 0)}, k.width);
        RecordingCanvas normal, selected;
        Draw(*line, normal, f);
        selectionPen(selected);
        DrawSelected(*line, selected, f);
        ASSERT_EQ(normal.calls.size(), 1u);
        ASSERT_EQ(selected.calls.size(), 1u);
        EXPECT_EQ(normal.calls[0].pen.Width, k.normal) << k.width << " m at " << k.scale;
        EXPECT_EQ(selected.calls[0].pen.Width, k.selected) << k.width << " m at " << k.scale;
    }
}

TEST(LineDrawing, HighlightKeepsCallersColourAndStyle) {
    auto line = MakeLine(2110, 2, {At(0, 0), At(10, 0)});
    line->Color = 0xADADAD;
    RecordingCanvas c;
    selectionPen(c);
    c.Brush.Style = TBrushStyle::bsSolid;
    DrawSelected(*line, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 1u);
    EXPECT_EQ(c.calls[0].pen.Color, 0x0000FFu);
    EXPECT_EQ(c.calls[0].pen.Style, TPenStyle::psDashDotDot);
    EXPECT_EQ(c.calls[0].brush.Style, TBrushStyle::bsClear);
}

TEST(PolygonDrawing, FilledInItsColourWithoutABorderOfItsOwn) {
    const std::vector<TGeoPoint> ring = Rect(0, 0, 10, 5);
    auto polygon = MakePolygon(1108, ring, 0xDFEFFF);
    RecordingCanvas c;
    c.Pen.Style = TPenStyle::psDash;
    Draw(*polygon, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 1u);
    const CanvasCall& call = c.calls[0];
    EXPECT_EQ(call.kind, Kind::Polygon);
    EXPECT_EQ(call.points, screen(ring));
    EXPECT_EQ(call.pen.Color, 0xDFEFFFu);
    EXPECT_EQ(call.pen.Style, TPenStyle::psSolid);
    EXPECT_EQ(call.brush.Color, 0xDFEFFFu);
    EXPECT_EQ(call.brush.Style, TBrushStyle::bsSolid);
}

TEST(PolygonDrawing, HighlightIsTheCallersHatchWithoutOutline) {
    auto polygon = MakePolygon(6242, Rect(0, 0, 10, 5));
    RecordingCanvas c;
    selectionPen(c);
    DrawSelected(*polygon, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 1u);
    EXPECT_EQ(c.calls[0].pen.Style, TPenStyle::psClear);
    EXPECT_EQ(c.calls[0].brush.Style, TBrushStyle::bsDiagCross);
    EXPECT_EQ(c.calls[0].brush.Color, 0x0000FFu);
}

TEST(PointDrawing, CrossMarkerOfTwoFivePixelStrokes) {
    auto point = MakePointFeature(7301, At(10, 20));  // screen (20, 260)
    RecordingCanvas c;
    c.Pen.Width = 9;
    Draw(*point, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 2u);
    for (const CanvasCall& call : c.calls) {
        EXPECT_EQ(call.kind, Kind::Line);
        EXPECT_EQ(call.pen.Width, 1);
        EXPECT_EQ(call.pen.Color, 255u);
    }
    EXPECT_EQ(c.calls[0].points, (std::vector<TScreenPoint>{{18, 258}, {23, 263}}));
    EXPECT_EQ(c.calls[1].points, (std::vector<TScreenPoint>{{18, 262}, {23, 257}}));

    RecordingCanvas selected;
    selectionPen(selected);
    DrawSelected(*point, selected, kToScreen);
    ASSERT_EQ(selected.calls.size(), 2u);
    EXPECT_EQ(selected.calls[0].pen.Width, 3);
    EXPECT_EQ(selected.calls[0].points, c.calls[0].points);
}

TEST(LabelDrawing, TextBottomCentredOnTheLabelPoint) {
    TKDKAttribute label(11, 6, 0, 1, {});
    label.SetLabel("abc", At(50, 20), 0x800000, 12);
    RecordingCanvas c;
    c.Brush.Style = TBrushStyle::bsSolid;
    Draw(label, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 1u);
    const CanvasCall& call = c.calls[0];
    EXPECT_EQ(call.kind, Kind::Text);
    EXPECT_EQ(call.text, "abc");
    EXPECT_EQ(call.points, (std::vector<TScreenPoint>{{100, 260}}));
    EXPECT_EQ(call.font.Height, 24);
    EXPECT_EQ(call.font.Color, 0x800000u);
    EXPECT_EQ(call.brush.Style, TBrushStyle::bsClear);
}

TEST(LabelDrawing, TwoPixelsOrLessIsOnePixelInTheLabelColour) {
    struct Case {
        int height;
        double scale;
        bool pixel;
    };
    const Case cases[] = {{5, 0.4, true}, {5, 0.5, true}, {6, 0.5, false}, {10, 0.1, true}, {3, 1, false}};
    for (const Case& k : cases) {
        const TestTransform t{k.scale, 300};
        TKDKAttribute label(24, 20, 0, 1, {});
        label.SetLabel("x", At(10, 10), 0x000080, k.height);
            RecordingCanvas c;
        Draw(label, c, TWorldToScreenFunc::Of(t));
        ASSERT_EQ(c.calls.size(), 1u);
        EXPECT_EQ(c.calls[0].kind, k.pixel ? Kind::Pixel : Kind::Text) << k.height << " m at " << k.scale;
        if (k.pixel) {
            EXPECT_EQ(c.calls[0].color, 0x000080u);
            EXPECT_EQ(c.calls[0].points[0], t(At(10, 10)));
        }
    }
}

TEST(LabelDrawing, NothingWithoutText) {
    TKDKAttribute record(11, 8, 0, 1, PooledValues({"13101"}));
    RecordingCanvas c;
    Draw(record, c, kToScreen);
    DrawSelected(record, c, kToScreen);  // records have no highlight
    EXPECT_TRUE(c.calls.empty());
}

TEST(ScreenBuffer, FeatureLargerThanTheBufferIsDrawnWhole) {
    std::vector<TGeoPoint> ring;
    const size_t n = ScreenPointBuffer::kInitialSize + 1808;
    for (size_t i = 0; i < n; ++i) ring.push_back(At(static_cast<double>(i % 400), static_cast<double>(i / 400)));
    auto big = MakePolygon(1108, ring);
    auto small = MakeLine(2110, 0, {At(0, 0), At(1, 1), At(2, 0)});
    RecordingCanvas c;
    EXPECT_EQ(c.Points().Capacity(), ScreenPointBuffer::kInitialSize);
    Draw(*big, c, kToScreen);
    Draw(*small, c, kToScreen);
    ASSERT_EQ(c.calls.size(), 2u);
    EXPECT_EQ(c.calls[0].points, screen(ring));
    EXPECT_EQ(c.calls[1].points.size(), 3u);
    EXPECT_GE(c.Points().Capacity(), n);
}

TEST(Bounds, BaseResetsAndKindsWidenWithoutResetting) {
    TKDKNode node(0, 1, 0, {}, At(5, 5));
    TGeoPoint max = At(1, 1), min = At(0, 0);
    node.ExpandBounds(max, min);
    EXPECT_EQ(max.X, kEmptyBoxMax);
    EXPECT_EQ(min.Y, kEmptyBoxMin);

    auto line = MakeLine(2110, 0, {At(2, -3), At(4, 8)});
    max = At(3, 3);
    min = At(3, 3);
    line->ExpandBounds(max, min);
    EXPECT_EQ(max.X, 4);
    EXPECT_EQ(max.Y, 8);
    EXPECT_EQ(min.X, 2);
    EXPECT_EQ(min.Y, -3);

    TKDKAttribute label(11, 6, 0, 1, {});
    label.SetLabel("a", At(-7, 9), clNavy, 12);
    label.ExpandBounds(max, min);
    EXPECT_EQ(min.X, -7);
    EXPECT_EQ(max.Y, 9);
    auto point = MakePointFeature(2420, At(20, 1));
    point->ExpandBounds(max, min);
    EXPECT_EQ(max.X, 20);
}

// The marks must stand out from every colour a feature can be drawn in.
TEST(MarkDrawing, MarkColoursAreNoFeaturesColour) {
    for (TColor mark : {kRouteColour, kPlaceColour}) {
        for (int i = 0; i < 256; ++i) EXPECT_NE(PaletteColor(i), mark) << i;
        for (int n = 0; n < 12; ++n) EXPECT_NE(PastelColor(n), mark) << n;
    }
}

// A route is one translucent polyline through its points, wider than any map pen.
TEST(MarkDrawing, RouteIsOneTranslucentWideLineAndEndsAreMarked) {
    TMapMarks marks;
    marks.Route = {{0, 0}, {10, 0}, {10, 10}};
    marks.RouteStart = TGeoPoint2D{0, 0};
    marks.RouteEnd = TGeoPoint2D{10, 10};
    RecordingCanvas canvas;
    DrawMarks(marks, canvas, kToScreen, 96);
    ASSERT_GE(canvas.calls.size(), 3u);
    const CanvasCall& line = canvas.calls[0];
    EXPECT_EQ(line.kind, Kind::Polyline);
    EXPECT_EQ(line.points, screen({At(0, 0), At(10, 0), At(10, 10)}));
    EXPECT_EQ(line.pen.Color, kRouteColour);
    EXPECT_LT(line.pen.Opacity, 255);
    EXPECT_GE(line.pen.Width, 7);  // about 2 mm at 96 pixels per inch
    EXPECT_EQ(canvas.calls[1].kind, Kind::Polygon);
    EXPECT_EQ(canvas.calls[2].kind, Kind::Polygon);
    // A printer's resolution widens it in proportion.
    RecordingCanvas printer;
    DrawMarks(marks, printer, kToScreen, 600);
    EXPECT_EQ(printer.calls[0].pen.Width, 47);
}
