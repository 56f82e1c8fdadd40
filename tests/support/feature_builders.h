#pragma once
// Features built in memory for the drawing, hit-test and details tests, and a
// plain world-to-screen transform. Every feature enters a map through the
// map's own adding operations: AddLineTo and its siblings add to the given
// map; MakeLine and its siblings add to a scratch map of the thread, for
// tests of one feature on its own.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/rounding.h"
#include "drawing/world_to_screen.h"
#include "map/kdk_object.h"
#include "queries/map_queries.h"
#include "drawing/feature_drawing.h"

// `scale` pixels per metre, world (0, 0) at screen (0, originY), north up.
struct TestTransform {
    double scale = 2;
    double originY = 300;
    TScreenPoint operator()(const TGeoPoint& p) const {
        return {rounding::toInt32(p.X * scale), rounding::toInt32(originY - p.Y * scale)};
    }
};

inline TGeoPoint At(double x, double y) { return MakePoint(x, y, 0); }

inline std::vector<TGeoPoint> Rect(double x0, double y0, double x1, double y1) {
    return {At(x0, y0), At(x1, y0), At(x1, y1), At(x0, y1), At(x0, y0)};
}

inline TKDKLine& AddLineTo(TKDKObject& map, int code, int tag, const std::vector<TGeoPoint>& vertices,
                           int width = 0) {
    TKDKLine& line = map.AddLine(code / 100, code % 100, 1, tag, static_cast<int>(vertices.size()), vertices);
    line.Width = width;
    return line;
}

inline TKDKPolygon& AddPolygonTo(TKDKObject& map, int code, const std::vector<TGeoPoint>& ring,
                                 TColor fill = 0x123456, int id = 1) {
    TKDKPolygon& polygon = map.AddPolygon(code / 100, code % 100, id, {}, ring.empty() ? TGeoPoint{} : ring[0]);
    map.SetOutline(polygon, ring);
    polygon.FillColor = fill;
    return polygon;
}

inline TKDKPoint& AddPointFeatureTo(TKDKObject& map, int code, TGeoPoint at) {
    return map.AddPoint(code / 100, code % 100, 1, at);
}

// Values for a record built on its own, kept for the whole test run.
inline TAttributeValues PooledValues(std::initializer_list<std::string_view> values) {
    thread_local TextPool pool;
    return pool.copy(std::span<const std::string_view>(values.begin(), values.size()));
}

// An attribute record of `map`, linked to `feature`.
template <class Feature>
TKDKAttribute& Attach(TKDKObject& map, Feature& feature, int code, std::vector<std::string> values) {
    const std::vector<std::string_view> views(values.begin(), values.end());
    TKDKAttribute& record = map.AddAttribute(code / 100, code % 100, feature.Id, views);
    feature.Attribute = &record;
    return record;
}

inline TKDKObject& ScratchMap() {
    thread_local TKDKObject map;
    return map;
}

inline TKDKLine* MakeLine(int code, int tag, const std::vector<TGeoPoint>& vertices, int width = 0) {
    return &AddLineTo(ScratchMap(), code, tag, vertices, width);
}

inline TKDKPolygon* MakePolygon(int code, const std::vector<TGeoPoint>& ring, TColor fill = 0x123456) {
    return &AddPolygonTo(ScratchMap(), code, ring, fill);
}

inline TKDKPoint* MakePointFeature(int code, TGeoPoint at) { return &AddPointFeatureTo(ScratchMap(), code, at); }
