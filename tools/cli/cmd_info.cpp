// orvelle-cli info: what a data set holds, as a summary or as JSON.
#include <iostream>
#include <span>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "json_writer.h"

namespace cli {
namespace {

const char* penName(TPenStyle s) { return s == TPenStyle::psDash ? "dash" : "solid"; }

void writePoint(JsonWriter& w, const TGeoPoint& p) {
    w.beginArray().value(p.X).value(p.Y).endArray();
}

void writeBounds(JsonWriter& w, const TKDKPlacedElement& f) {
    w.key("bounds").beginArray().value(f.BoundsMin.X).value(f.BoundsMin.Y).value(f.BoundsMax.X)
        .value(f.BoundsMax.Y).endArray();
}

// Attribute links are written as indexes into the "attributes" array.
class AttributeIndexes {
public:
    explicit AttributeIndexes(const TKDKObject& map) {
        size_t i = 0;
        for (const TKDKAttribute* a : map.Attributes()) index_.emplace(a, i++);
    }
    void write(JsonWriter& w, const TKDKAttribute* a) const {
        w.key("attribute");
        if (!a) {
            w.null();
            return;
        }
        w.value(static_cast<int64_t>(index_.at(a)));
    }

private:
    std::unordered_map<const TKDKAttribute*, size_t> index_;
};

void writeVertices(JsonWriter& w, const char* key, std::span<const TGeoPoint2D> vertices) {
    w.key(key).beginArray();
    for (const TGeoPoint2D& p : vertices) writePoint(w, TGeoPoint{p.X, p.Y, 0});
    w.endArray();
}

// One object per feature, in each kind's own fields.
void writeFeature(JsonWriter& w, const TKDKLine& l, const AttributeIndexes& attributes) {
    w.beginObject().key("mesh").value(l.MeshNo).key("id").value(l.Id).key("code").value(l.Code());
    w.key("tag").value(l.LineTag).key("vertex_count").value(l.VertexCount);
    writeVertices(w, "vertices", l.Vertices);
    w.key("color").value(l.Color).key("width").value(l.Width).key("pen").value(penName(l.PenStyle));
    writeBounds(w, l);
    attributes.write(w, l.Attribute);
    w.endObject();
}

void writeFeature(JsonWriter& w, const TKDKPolygon& g, const AttributeIndexes& attributes) {
    w.beginObject().key("mesh").value(g.MeshNo).key("id").value(g.Id).key("code").value(g.Code());
    w.key("rep");
    writePoint(w, g.RepPoint);
    w.key("arc_refs").beginArray();
    for (int32_t r : g.ArcRefs) w.value(r);
    w.endArray();
    writeVertices(w, "ring", g.Ring());
    w.key("fill").value(g.FillColor);
    writeBounds(w, g);
    attributes.write(w, g.Attribute);
    w.endObject();
}

void writeFeature(JsonWriter& w, const TKDKPoint& p, const AttributeIndexes& attributes) {
    w.beginObject().key("mesh").value(p.MeshNo).key("id").value(p.Id).key("code").value(p.Code());
    w.key("position");
    writePoint(w, p.Position);
    attributes.write(w, p.Attribute);
    w.endObject();
}

void writeFeature(JsonWriter& w, const TKDKAttribute& a, const AttributeIndexes&) {
    w.beginObject().key("mesh").value(a.TargetMeshNo).key("target_id").value(a.TargetId);
    w.key("code").value(a.Code()).key("kind").value(std::string(1, a.Kind));
    w.key("values").beginArray();
    for (std::string_view v : a.Values) w.value(sjis::toUtf8(v));
    w.endArray();
    w.key("label");
    if (a.LabelText.empty()) {
        w.null();
    } else {
        w.beginObject().key("text").value(sjis::toUtf8(a.LabelText)).key("x").value(a.LabelPoint.X);
        w.key("y").value(a.LabelPoint.Y).key("color").value(a.LabelColor);
        w.key("height").value(a.LabelHeight).endObject();
    }
    w.endObject();
}

void writeFeature(JsonWriter& w, const TKDKNode& n, const AttributeIndexes&) {
    w.beginObject().key("mesh").value(n.MeshNo).key("id").value(n.Id).key("tag").value(n.NodeTag);
    w.key("position");
    writePoint(w, n.Position);
    w.key("arc_refs").beginArray();
    for (int32_t r : n.ArcRefs) w.value(r);
    w.endArray().endObject();
}

void writeFeature(JsonWriter& w, const TKDKNetwork& n, const AttributeIndexes&) {
    w.beginObject().key("mesh").value(n.MeshNo).key("id").value(n.Id).key("value1").value(n.Value1);
    w.key("value2").value(n.Value2).endObject();
}

// Every list of the map, in kind order, under the list's name.
void writeFeatures(JsonWriter& w, const TKDKObject& map) {
    const AttributeIndexes attributes(map);
    ForEachFeatureClass([&]<class Feature>() {
        w.key(KindInfo(Feature::kKind).ListName).beginArray();
        for (const Feature* f : map.List<Feature>()) writeFeature(w, *f, attributes);
        w.endArray();
    });
}

void writeJson(std::ostream& out, const LoadedData& data, bool features) {
    JsonWriter w(out);
    const TKDKObject* map = data.map.get();
    w.beginObject();
    w.key("meshes").beginArray();
    if (map)
        for (const auto& d : map->Descriptions()) {
            w.beginObject().key("mesh_no").value(d->MeshNo).key("base_name").value(sjis::toUtf8(d->BaseName));
            w.key("scale").value(d->Scale).key("coord_system").value(d->CoordSystemNo);
            w.key("datum_flag").value(d->DatumFlag).endObject();
        }
    w.endArray();
    w.key("source_format").value(
        CoordsFormatName(map ? map->SourceFormat : TCoordsFormat::cfCartesian));
    w.key("has_blocks").value(map && map->HasBlocks);
    w.key("extent").beginObject();
    w.key("min_x").value(map ? map->SouthWest.X : 0.0).key("min_y").value(map ? map->SouthWest.Y : 0.0);
    w.key("max_x").value(map ? map->NorthEast.X : 0.0).key("max_y").value(map ? map->NorthEast.Y : 0.0);
    w.endObject();
    w.key("counts").beginObject();
    ForEachFeatureClass([&]<class Feature>() {
        w.key(KindInfo(Feature::kKind).ListName).value(static_cast<int64_t>(map ? map->List<Feature>().size() : 0));
    });
    w.endObject();
    w.key("errors").beginArray();
    for (const std::string& e : data.errors) w.value(sjis::toUtf8(e));
    w.endArray();
    w.key("fatal");
    if (data.fatal)
        w.value(*data.fatal);
    else
        w.null();
    if (features) {
        static const TKDKObject empty;
        writeFeatures(w, map ? *map : empty);
    }
    w.endObject();
    out << "\n";
}

void writeSummary(std::ostream& out, const LoadedData& data) {
    const TKDKObject* map = data.map.get();
    if (!map) {
        out << "no data read\n";
    } else {
        out << "meshes: " << map->Descriptions().size();
        for (const auto& d : map->Descriptions()) out << " " << sjis::toUtf8(d->BaseName);
        out << "\ncoordinate system: " << CoordsFormatName(map->SourceFormat) << " (zone "
            << map->CoordSystemNo << ", datum flag " << map->DatumFlag << ", scale 1:" << map->Scale
            << ")\nextent: " << map->SouthWest.X << " " << map->SouthWest.Y << " - " << map->NorthEast.X
            << " " << map->NorthEast.Y << "\nblocks: " << (map->HasBlocks ? "yes" : "no") << "\n";
        const char* separator = "";
        ForEachFeatureClass([&]<class Feature>() {
            out << separator << KindInfo(Feature::kKind).ListName << ": " << map->List<Feature>().size();
            separator = "  ";
        });
        out << "\n";
    }
    out << "errors: " << data.errors.size() << "\n";
    for (const std::string& e : data.errors) out << "  " << sjis::toUtf8(e) << "\n";
}

}  // namespace

int runInfo(const std::vector<std::string>& args) {
    bool json = false, features = false;
    std::string path;
    for (const std::string& a : args) {
        if (a == "--json")
            json = true;
        else if (a == "--features")
            features = true;
        else if (!a.empty() && a[0] == '-')
            return usageError("info", "unknown option " + echoed(a));
        else if (path.empty())
            path = a;
        else
            return usageError("info", "more than one PATH");
    }
    if (path.empty()) return usageError("info", "missing PATH");
    if (features && !json) return usageError("info", "--features needs --json");
    LoadedData data = loadData(path);
    if (json)
        writeJson(std::cout, data, features);
    else
        writeSummary(std::cout, data);
    return reportFatal("info", data);
}

}  // namespace cli
