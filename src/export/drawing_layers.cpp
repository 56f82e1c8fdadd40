#include "export/drawing_layers.h"

#include <cmath>
#include <string>
#include <string_view>

#include "tables/colors.h"
#include "tables/feature_codes.h"
#include "tables/styles.h"

namespace {

TColor styleColour(const TKDKElement& e) { return PaletteColor(CodeColorIndex(e.Major, e.Minor)); }

bool drawn(const TKDKLine& l) { return l.Vertices.size() >= 2; }
bool drawn(const TKDKPolygon& p) { return !p.RingRuns.empty(); }
bool drawn(const TKDKPoint&) { return true; }

// A road centre line with a name gets it as a text at its middle.
bool namedRoad(const TKDKLine& l) {
    return l.Code() == codes::kRoadCentre && l.Attribute && !l.Attribute->Values.empty() && drawn(l);
}

// The point halfway along the line and the direction of its segment there.
void middleOf(const TKDKLine& l, TGeoPoint2D& at, TGeoPoint2D& direction) {
    double total = 0;
    for (size_t i = 1; i < l.Vertices.size(); ++i)
        total += std::hypot(l.Vertices[i].X - l.Vertices[i - 1].X, l.Vertices[i].Y - l.Vertices[i - 1].Y);
    double left = total / 2;
    for (size_t i = 1; i < l.Vertices.size(); ++i) {
        const TGeoPoint2D& a = l.Vertices[i - 1];
        const TGeoPoint2D& b = l.Vertices[i];
        const double length = std::hypot(b.X - a.X, b.Y - a.Y);
        if (length > 0) direction = {b.X - a.X, b.Y - a.Y};
        if (length >= left && length > 0) {
            at = {a.X + (b.X - a.X) * left / length, a.Y + (b.Y - a.Y) * left / length};
            return;
        }
        left -= length;
    }
    at = l.Vertices.back();
}

template <class Feature>
int64_t countDrawn(const TKDKObject& map) {
    int64_t n = 0;
    for (const Feature* f : map.List<Feature>()) n += drawn(*f) ? 1 : 0;
    return n;
}

bool writeLines(const TKDKObject& map, DrawingWriter& w, ProgressTicker& ticker) {
    for (const TKDKLine* l : map.Lines()) {
        if (!drawn(*l)) continue;
        for (const TGeoPoint2D& v : l->Vertices) w.Coords().Add(v);
        w.WritePolyline(*l, l->Color, false);
        if (!ticker.Step()) return false;
    }
    return true;
}

bool writeAreas(const TKDKObject& map, DrawingWriter& w, ProgressTicker& ticker) {
    for (const TKDKPolygon* p : map.Polygons()) {
        if (!drawn(*p)) continue;
        p->ForEachRingVertex([&](const TGeoPoint2D& v) { w.Coords().Add(v); });
        w.WritePolyline(*p, styleColour(*p), true);
        if (!ticker.Step()) return false;
    }
    return true;
}

bool writePoints(const TKDKObject& map, DrawingWriter& w, ProgressTicker& ticker) {
    for (const TKDKPoint* p : map.Points()) {
        w.Coords().Add({p->Position.X, p->Position.Y});
        w.WritePoint(*p, styleColour(*p));
        if (!ticker.Step()) return false;
    }
    return true;
}

int64_t countTexts(const TKDKObject& map) {
    int64_t n = 0;
    for (const TKDKAttribute* a : map.Attributes()) n += a->LabelText.empty() ? 0 : 1;
    for (const TKDKLine* l : map.Lines()) n += namedRoad(*l) ? 1 : 0;
    return n;
}

// The labels as the map shows them, then the road names.
bool writeTexts(const TKDKObject& map, DrawingWriter& w, ProgressTicker& ticker) {
    for (const TKDKAttribute* a : map.Attributes()) {
        if (a->LabelText.empty()) continue;
        w.WriteText(*a, std::string(a->LabelText), {a->LabelPoint.X, a->LabelPoint.Y}, {1, 0}, a->LabelHeight, a->LabelColor);
        if (!ticker.Step()) return false;
    }
    for (const TKDKLine* l : map.Lines()) {
        if (!namedRoad(*l)) continue;
        TGeoPoint2D at{}, direction{1, 0};
        middleOf(*l, at, direction);
        std::string_view name = l->Attribute->Values[0];
        w.WriteText(*l, std::string(name), at, direction, l->Attribute->LabelHeight, clBlack);
        if (!ticker.Step()) return false;
    }
    return true;
}

constexpr TDrawingLayerDescription kLines{countDrawn<TKDKLine>, writeLines};
constexpr TDrawingLayerDescription kAreas{countDrawn<TKDKPolygon>, writeAreas};
constexpr TDrawingLayerDescription kPoints{countDrawn<TKDKPoint>, writePoints};
constexpr TDrawingLayerDescription kTexts{countTexts, writeTexts};

}  // namespace

const TDrawingLayerDescription* DrawingLayerDescription(TExportLayer layer) {
    switch (layer) {
        case TExportLayer::Line: return &kLines;
        case TExportLayer::Polygon: return &kAreas;
        case TExportLayer::Point: return &kPoints;
        case TExportLayer::Attribute: return &kTexts;
        default: return nullptr;
    }
}
