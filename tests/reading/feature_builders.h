#pragma once
// Features built in memory for the drawing, hit-test and details tests, and a
// plain world-to-screen transform.
#include <memory>
#include <string>
#include <vector>

#include "base/rounding.h"
#include "reading/kdk_object.h"
#include "reading/world_to_screen.h"

// `scale` pixels per metre, world (0, 0) at screen (0, originY), north up.
struct TestTransform {
    double scale = 2;
    double originY = 300;
    TScreenPoint operator()(const TGeoPoint& p) const {
        return {rounding::toInt32(p.X * scale), rounding::toInt32(originY - p.Y * scale)};
    }
};

inline TGeoPoint At(double x, double y) { return MakePoint(x, y, 0); }

inline std::unique_ptr<TKDKLine> MakeLine(int code, int tag, const std::vector<TGeoPoint>& vertices,
                                          int width = 0) {
    static const TGeoPoint origin{};
    auto line = std::make_unique<TKDKLine>(code / 100, code % 100, 0, 1, tag,
                                           static_cast<int>(vertices.size()),
                                           vertices.empty() ? &origin : vertices.data());
    line->Width = width;
    return line;
}

inline std::unique_ptr<TKDKPolygon> MakePolygon(int code, const std::vector<TGeoPoint>& ring,
                                                TColor fill = 0x123456) {
    auto polygon = std::make_unique<TKDKPolygon>(code / 100, code % 100, 0, 1, 0, nullptr,
                                                 ring.empty() ? TGeoPoint{} : ring[0]);
    polygon->Ring = ring;
    polygon->RingCount = static_cast<int32_t>(ring.size());
    polygon->FillColor = fill;
    polygon->BoundsMin = EmptyBoxMin();
    polygon->BoundsMax = EmptyBoxMax();
    polygon->ExpandBounds(polygon->BoundsMax, polygon->BoundsMin);
    return polygon;
}

inline std::vector<TGeoPoint> Rect(double x0, double y0, double x1, double y1) {
    return {At(x0, y0), At(x1, y0), At(x1, y1), At(x0, y1), At(x0, y0)};
}

inline std::unique_ptr<TKDKPoint> MakePointFeature(int code, TGeoPoint at) {
    return std::make_unique<TKDKPoint>(code / 100, code % 100, 0, 1, at);
}

// An attribute record owned by the map, linked to `feature`.
template <class Feature>
TKDKAttribute& Attach(TKDKObject& map, Feature& feature, int code, std::vector<std::string> values) {
    map.Attributes.push_back(std::make_unique<TKDKAttribute>(code / 100, code % 100, 0, feature.Id, std::move(values)));
    feature.Attribute = map.Attributes.back().get();
    return *feature.Attribute;
}

template <class Feature>
Feature& Add(std::vector<std::unique_ptr<Feature>>& list, std::unique_ptr<Feature> f) {
    list.push_back(std::move(f));
    return *list.back();
}
