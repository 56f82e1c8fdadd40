#include "support/map_dump.h"

#include <sstream>
#include <unordered_map>

namespace testsupport {
namespace {

void element(std::ostream& out, const TKDKElement& e) {
    out << e.MeshNo << ' ' << e.Id << ' ' << e.Major << ' ' << e.Minor << ' ' << int(e.CategorySlot) << ' '
        << int(e.ShownInModes);
}

void bounds(std::ostream& out, const TKDKPlacedElement& e) {
    out << " [" << e.BoundsMin.X << ' ' << e.BoundsMin.Y << ' ' << e.BoundsMax.X << ' ' << e.BoundsMax.Y << ']';
}

template <class Refs>
void refs(std::ostream& out, const Refs& list) {
    out << " {";
    for (int32_t r : list) out << ' ' << r;
    out << " }";
}

}  // namespace

std::string DumpMap(const TKDKObject& map) {
    std::ostringstream out;
    out.precision(17);
    out << "map " << map.LastMeshNo << ' ' << map.Folder << ' ' << map.BaseName << ' ' << map.Scale << ' '
        << map.CoordSystemNo << ' ' << map.DatumFlag << ' ' << int(map.SourceFormat) << ' ' << map.HasBlocks << ' '
        << map.SouthWest.X << ' ' << map.SouthWest.Y << ' ' << map.NorthEast.X << ' ' << map.NorthEast.Y << ' '
        << map.NorthWest.X << ' ' << map.NorthWest.Y << ' ' << map.SouthEast.X << ' ' << map.SouthEast.Y << ' '
        << map.BytesRead << '\n';
    for (const std::string& f : map.LayerFiles) out << "layer " << f << '\n';
    for (const TKDKDescription* d : map.Descriptions()) out << "mesh " << d->MeshNo << ' ' << d->BaseName << '\n';

    // Links name a record by its place in the attribute list.
    std::unordered_map<const TKDKAttribute*, size_t> recordAt;
    size_t n = 0;
    for (const TKDKAttribute* a : map.Attributes()) recordAt[a] = n++;
    auto link = [&](const TKDKAttribute* a) {
        out << " attr " << (a ? static_cast<long long>(recordAt.at(a)) : -1LL) << '\n';
    };

    for (const TKDKLine* l : map.Lines()) {
        out << "line ";
        element(out, *l);
        bounds(out, *l);
        out << ' ' << l->LineTag << ' ' << l->VertexCount << ' ' << l->Color << ' ' << int(l->PenStyle) << ' '
            << l->Width;
        for (const TGeoPoint2D& v : l->Vertices) out << " (" << v.X << ' ' << v.Y << ')';
        link(l->Attribute);
    }
    for (const TKDKPolygon* p : map.Polygons()) {
        out << "polygon ";
        element(out, *p);
        bounds(out, *p);
        out << ' ' << p->ArcCount() << ' ' << p->RepPoint.X << ' ' << p->RepPoint.Y << ' ' << p->RingCount << ' '
            << p->FillColor;
        refs(out, p->ArcRefs);
        p->ForEachRingVertex([&](const TGeoPoint2D& v) { out << " (" << v.X << ' ' << v.Y << ')'; });
        link(p->Attribute);
    }
    out << "drawing order";
    map.ForEachPolygonInDrawingOrder([&](const TKDKPolygon& p) { out << ' ' << p.MeshNo << ':' << p.Id; });
    out << '\n';
    for (const TKDKPoint* p : map.Points()) {
        out << "point ";
        element(out, *p);
        bounds(out, *p);
        out << ' ' << p->Position.X << ' ' << p->Position.Y;
        link(p->Attribute);
    }
    for (const TKDKAttribute* a : map.Attributes()) {
        out << "attribute ";
        element(out, *a);
        bounds(out, *a);
        out << ' ' << a->TargetMeshNo << ' ' << a->TargetId << ' ' << a->ValueCount << ' ' << int(a->Kind) << ' '
            << a->Values.size();
        for (std::string_view v : a->Values) out << " |" << v;
        out << " | " << a->LabelText << ' ' << a->LabelPoint.X << ' ' << a->LabelPoint.Y << ' ' << a->LabelColor
            << ' ' << a->LabelHeight << '\n';
    }
    for (const TKDKNode* node : map.Nodes()) {
        out << "node ";
        element(out, *node);
        out << ' ' << node->NodeTag << ' ' << node->ArcCount() << ' ' << node->Position.X << ' ' << node->Position.Y;
        refs(out, node->ArcRefs);
        out << '\n';
    }
    for (const TKDKNetwork* net : map.Networks()) {
        out << "network ";
        element(out, *net);
        out << ' ' << net->Value1 << ' ' << net->Value2 << '\n';
    }
    return out.str();
}

}  // namespace testsupport
