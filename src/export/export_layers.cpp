#include "export/export_layers.h"

#include <type_traits>

#include "base/sjis.h"

namespace {

// ---- Which features a layer takes: all, unless the kind says otherwise.
template <class Feature>
std::true_type exported(const Feature&) {
    return {};
}
// A polygon whose outline could not be built has no area to write.
bool exported(const TKDKPolygon& p) { return !p.RingRuns.empty(); }
// Only the attribute records that give a label are features of the map.
bool exported(const TKDKAttribute& a) { return !a.LabelText.empty(); }

// ---- Each kind's own fields and how one feature is written.
constexpr FieldSpec kLineFields[] = {{"tag", OFTInteger}, {"vertex_count", OFTInteger}};
void write(const TKDKLine& l, LayerWriter& w) {
    w.Begin(l, l.Attribute);
    w.Set(0, l.LineTag);
    w.Set(1, l.VertexCount);
    for (const TGeoPoint2D& v : l.Vertices) w.Coords().Add(v);
    w.WriteLine(l);
}

constexpr FieldSpec kAreaFields[] = {{"arc_refs", OFTString, OFSTJSON}, {"rep_x", OFTReal}, {"rep_y", OFTReal}};
void write(const TKDKPolygon& p, LayerWriter& w) {
    w.Begin(p, p.Attribute);
    w.Set(0, IntListJson(p.ArcRefs));
    CoordinateOutput& c = w.Coords();
    p.ForEachRingVertex([&](const TGeoPoint2D& v) { c.Add(v); });
    c.Add({p.RepPoint.X, p.RepPoint.Y});
    w.WriteArea(p, 1);
}

void write(const TKDKPoint& p, LayerWriter& w) {
    w.Begin(p, p.Attribute);
    w.Coords().Add({p.Position.X, p.Position.Y});
    w.WritePoint(p);
}

constexpr FieldSpec kLabelFields[] = {{"text", OFTString}, {"color", OFTString}, {"height", OFTInteger}};
void write(const TKDKAttribute& a, LayerWriter& w) {
    w.BeginLabel(a);
    w.Set(0, sjis::toUtf8(a.LabelText));
    w.Set(1, ColourText(a.LabelColor));
    w.Set(2, a.LabelHeight);
    w.Coords().Add({a.LabelPoint.X, a.LabelPoint.Y});
    w.WritePoint(a);
}

constexpr FieldSpec kNodeFields[] = {{"tag", OFTInteger}, {"arc_refs", OFTString, OFSTJSON}};
void write(const TKDKNode& n, LayerWriter& w) {
    w.Begin(n, nullptr);
    w.Set(0, n.NodeTag);
    w.Set(1, IntListJson(n.ArcRefs));
    w.Coords().Add({n.Position.X, n.Position.Y});
    w.WritePoint(n);
}

constexpr FieldSpec kLinkFields[] = {{"value1", OFTInteger}, {"value2", OFTInteger}};
void write(const TKDKNetwork& n, LayerWriter& w) {
    w.Begin(n, nullptr);
    w.Set(0, n.Value1);
    w.Set(1, n.Value2);
    w.WriteRecord(n);
}

// ---- The same steps for every kind.
template <class Feature>
constexpr bool exportsAll = std::is_same_v<decltype(exported(std::declval<const Feature&>())), std::true_type>;

template <class Feature>
int64_t count(const TKDKObject& map) {
    if constexpr (exportsAll<Feature>) {
        return static_cast<int64_t>(map.List<Feature>().size());
    } else {
        int64_t n = 0;
        for (const Feature* f : map.List<Feature>()) n += exported(*f) ? 1 : 0;
        return n;
    }
}

template <class Feature>
bool writeAll(const TKDKObject& map, LayerWriter& writer, ProgressTicker& ticker) {
    for (const Feature* f : map.List<Feature>()) {
        if (!exported(*f)) continue;
        write(*f, writer);
        if (!ticker.Step()) return false;
    }
    return true;
}

template <class Feature>
constexpr TExportLayerDescription describe(std::string_view name, OGRwkbGeometryType geometry,
                                           std::span<const FieldSpec> fields = {}) {
    return {name, geometry, fields, count<Feature>, writeAll<Feature>};
}

// In kind order, which is the order of writing.
constexpr std::array<TExportLayerDescription, kExportLayerCount> kLayers{{
    describe<TKDKLine>("lines", wkbLineString, kLineFields),
    describe<TKDKPolygon>("areas", wkbPolygon, kAreaFields),
    describe<TKDKPoint>("points", wkbPoint),
    describe<TKDKAttribute>("labels", wkbPoint, kLabelFields),
    describe<TKDKNode>("nodes", wkbPoint, kNodeFields),
    describe<TKDKNetwork>("links", wkbNone, kLinkFields),
}};

}  // namespace

const TExportLayerDescription& ExportLayerDescription(TExportLayer layer) {
    return kLayers[static_cast<size_t>(layer)];
}

std::string_view ExportLayerName(TExportLayer layer) { return ExportLayerDescription(layer).Name; }

std::optional<TExportLayer> ExportLayerFromName(std::string_view name) {
    for (size_t i = 0; i < kLayers.size(); ++i)
        if (kLayers[i].Name == name) return static_cast<TExportLayer>(i);
    return std::nullopt;
}
