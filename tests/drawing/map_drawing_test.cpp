// Drawing the whole map: list order, the view box, the polygon order, the
// view modes and the display categories.
#include <gtest/gtest.h>

#include "support/feature_builders.h"
#include "drawing/canvas.h"
#include "support/recording_canvas.h"

using testsupport::CanvasCall;
using testsupport::RecordingCanvas;
using Kind = CanvasCall::Kind;

namespace {

const TestTransform kTransform{1, 1000};
const TWorldToScreenFunc kToScreen = TWorldToScreenFunc::Of(kTransform);

// Draws the map over the box and returns the recorded calls.
std::vector<CanvasCall> drawMap(TKDKObject& map, TGeoPoint2D min = {-1e6, -1e6}, TGeoPoint2D max = {1e6, 1e6}) {
    RecordingCanvas c;
    Draw(map, c, min, max, kToScreen);
    return c.calls;
}

// Fill colours of the drawn polygons, in drawing order.
std::vector<TColor> drawnFills(TKDKObject& map) {
    std::vector<TColor> fills;
    for (const CanvasCall& c : drawMap(map))
        if (c.kind == Kind::Polygon) fills.push_back(c.brush.Color);
    return fills;
}

// Colour of each drawn polyline, in drawing order.
std::vector<TColor> drawnLines(TKDKObject& map) {
    std::vector<TColor> colours;
    for (const CanvasCall& c : drawMap(map))
        if (c.kind == Kind::Polyline) colours.push_back(c.pen.Color);
    return colours;
}

TKDKLine& addLine(TKDKObject& map, int code, int tag, TColor colour) {
    TKDKLine& l = AddLineTo(map, code, tag, {At(0, 0), At(10, 10)});
    l.Color = colour;
    return l;
}

}  // namespace

TEST(MapDrawing, PolygonsThenLinesThenPointsThenLabels) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmAll);
    TKDKAttribute& label = map.AddAttribute(11, 6, 1, {});
    label.SetLabel("a", At(5, 5), clNavy, 20);
    AddPointFeatureTo(map, 7301, At(5, 5));
    addLine(map, 2110, 0, 1).Attribute = &label;
    AddPolygonTo(map, 1108, Rect(0, 0, 10, 10));
    std::vector<Kind> kinds;
    for (const CanvasCall& c : drawMap(map)) kinds.push_back(c.kind);
    EXPECT_EQ(kinds, (std::vector<Kind>{Kind::Polygon, Kind::Polyline, Kind::Line, Kind::Line, Kind::Text}));
}

TEST(MapDrawing, FeaturesTouchingTheViewBoxAreDrawnOthersSkipped) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmAll);
    AddPolygonTo(map, 1108, Rect(-10, 0, 0, 10), 1);     // touches the left edge
    AddPolygonTo(map, 1108, Rect(-10, 0, -0.001, 10), 2); // just outside
    AddPolygonTo(map, 1108, Rect(100, 50, 120, 60), 3);  // touches the top-right corner
    AddPolygonTo(map, 1108, Rect(20, 20, 30, 30), 4);    // inside
    AddPolygonTo(map, 1108, Rect(20, 50.5, 30, 60), 5);  // above
    RecordingCanvas c;
    Draw(map, c, {0, 0}, {100, 50}, kToScreen);
    std::vector<TColor> fills;
    for (const CanvasCall& call : c.calls) fills.push_back(call.brush.Color);
    EXPECT_EQ(fills, (std::vector<TColor>{1, 3, 4}));
}

TEST(MapDrawing, PolygonOrderGroupsByCodeKeepingRelativeOrder) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmAll);
    const int codes[] = {3500, 1108, 9999, 1106, 6242, 1108, 3500, 1105, 4101, 5121};
    TColor id = 1;
    for (int code : codes) AddPolygonTo(map, code, Rect(0, 0, 1, 1), id++);
    std::vector<TColor> order;
    map.ForEachPolygonInDrawingOrder([&](const TKDKPolygon& p) { order.push_back(p.FillColor); });
    // Unlisted codes first, then 1105, 1106, 1108, 6242, 5121, 3500.
    EXPECT_EQ(order, (std::vector<TColor>{3, 9, 8, 4, 2, 6, 5, 10, 1, 7}));
    order.clear();
    for (const auto& p : map.Polygons()) order.push_back(p->FillColor);
    EXPECT_EQ(order, (std::vector<TColor>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));  // the list keeps reading order
    // Only the drawable codes are drawn, blocks over chome areas, buildings last.
    EXPECT_EQ(drawnFills(map), (std::vector<TColor>{4, 2, 6, 5, 1, 7}));
}

TEST(MapDrawing, NoGaikuHidesBlockAreasAndBlockBoundaries) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmNoGaiku);
    AddPolygonTo(map, 1108, Rect(0, 0, 1, 1), 1);
    AddPolygonTo(map, 1106, Rect(0, 0, 1, 1), 2);
    addLine(map, 1108, 0, 1);
    addLine(map, 1106, 0, 2);
    addLine(map, 2110, 0, 3);  // unnamed ground-level road: shown in this mode
    EXPECT_EQ(drawnFills(map), (std::vector<TColor>{2}));
    EXPECT_EQ(drawnLines(map), (std::vector<TColor>{2, 3}));
}

TEST(MapDrawing, GaikuHidesChomeAreasAndUnnamedGroundLevelRoads) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmGaiku);
    AddPolygonTo(map, 1108, Rect(0, 0, 1, 1), 1);
    AddPolygonTo(map, 1106, Rect(0, 0, 1, 1), 2);
    addLine(map, 1106, 0, 1);
    addLine(map, 2110, 0, 2);                            // unnamed, ground level: hidden
    addLine(map, 2110, 1, 3);                            // elevated: shown
    addLine(map, 2110, 2, 4);                            // tunnel, unnamed: hidden
    Attach(map, addLine(map, 2110, 0, 5), 2110, {"a"});  // named: shown
    Attach(map, addLine(map, 2110, 2, 6), 2110, {});     // record without values: hidden
    addLine(map, 2101, 0, 7);                            // road edge: not a centre line
    EXPECT_EQ(drawnFills(map), (std::vector<TColor>{1}));
    EXPECT_EQ(drawnLines(map), (std::vector<TColor>{1, 3, 5, 7}));

    map.SetViewMode(TViewMode::vmAll);
    EXPECT_EQ(drawnFills(map), (std::vector<TColor>{2, 1}));
    EXPECT_EQ(drawnLines(map), (std::vector<TColor>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(MapDrawing, OnlyTheDrawableCodesOfEachKind) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmAll);
    const int lineCodes[] = {1105, 1106, 1108, 2110, 2112, 2101, 2300, 5121, 5122, 1101, 2111, 2400, 5101};
    TColor id = 1;
    for (int code : lineCodes) addLine(map, code, 0, id++);
    const int polygonCodes[] = {1105, 1106, 1108, 6241, 6242, 6243, 6244, 6215, 6200, 5101, 5105, 5121, 3500, 3503, 2101};
    id = 1;
    for (int code : polygonCodes) AddPolygonTo(map, code, Rect(0, 0, 1, 1), id++);
    EXPECT_EQ(drawnLines(map), (std::vector<TColor>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(drawnFills(map), (std::vector<TColor>{2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}));
}

TEST(MapDrawing, CategorySwitchHidesEveryKindAtTheNextDrawing) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmAll);
    AddPolygonTo(map, 1108, Rect(0, 0, 1, 1), 1);
    AddPolygonTo(map, 6242, Rect(0, 0, 1, 1), 2);
    addLine(map, 1108, 0, 3);
    addLine(map, 2300, 0, 4);
    AddPointFeatureTo(map, 7301, At(1, 1));
    AddPointFeatureTo(map, 4101, At(1, 1));  // not a category: never drawn
    map.AddAttribute(11, 6, 1, {}).SetLabel("c", At(1, 1), clNavy, 10);
    map.AddAttribute(81, 10, 1, {}).SetLabel("n", At(1, 1), clNavy, 10);

    auto count = [&](Kind kind) {
        int n = 0;
        for (const CanvasCall& c : drawMap(map)) n += c.kind == kind;
        return n;
    };
    EXPECT_EQ(count(Kind::Polygon), 2);
    EXPECT_EQ(count(Kind::Polyline), 2);
    EXPECT_EQ(count(Kind::Line), 2);  // one marker
    EXPECT_EQ(count(Kind::Text), 1);

    EXPECT_TRUE(map.SetCategoryVisible(11, false));
    EXPECT_EQ(drawnFills(map), (std::vector<TColor>{2}));
    EXPECT_EQ(drawnLines(map), (std::vector<TColor>{4}));
    EXPECT_EQ(count(Kind::Text), 0);
    EXPECT_TRUE(map.SetCategoryVisible(73, false));
    EXPECT_EQ(count(Kind::Line), 0);
    EXPECT_TRUE(map.SetCategoryVisible(11, true));
    EXPECT_EQ(count(Kind::Text), 1);
}

TEST(Categories, OnlyTheEightMajorCodesAreSwitches) {
    TKDKObject map;
    for (int major : {11, 21, 23, 24, 35, 51, 62, 73}) EXPECT_TRUE(map.GetCategoryVisible(major)) << major;
    for (int major : {0, 22, 41, 81, 1108}) EXPECT_FALSE(map.GetCategoryVisible(major)) << major;

    EXPECT_FALSE(map.SetCategoryVisible(41, true));
    EXPECT_FALSE(map.GetCategoryVisible(41));
    EXPECT_TRUE(map.SetCategoryVisible(35, true));
    EXPECT_TRUE(map.SetCategoryVisible(24, false));
    EXPECT_FALSE(map.GetCategoryVisible(24));
    EXPECT_TRUE(map.GetCategoryVisible(23));
}

TEST(Categories, ViewModeStartsWithoutBlocks) {
    TKDKObject map;
    EXPECT_EQ(map.ViewMode(), TViewMode::vmNoGaiku);
    map.SetViewMode(TViewMode::vmGaiku);
    EXPECT_EQ(map.ViewMode(), TViewMode::vmGaiku);
}

TEST(Categories, FoundFeatureOfAHiddenCategoryIsStillHighlighted) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmAll);
    TKDKPolygon& park = AddPolygonTo(map, 6242, Rect(0, 0, 1, 1));
    map.SetCategoryVisible(62, false);
    EXPECT_TRUE(drawMap(map).empty());
    RecordingCanvas c;
    c.Brush.Style = TBrushStyle::bsDiagCross;
    DrawSelected(park, c, kToScreen);
    EXPECT_EQ(c.calls.size(), 1u);
}
