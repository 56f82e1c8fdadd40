#include "map/features.h"

namespace {

void expandBy(const TGeoPoint2D& v, TGeoPoint& max, TGeoPoint& min) {
    const TGeoPoint p{v.X, v.Y, 0};
    ExpandMax(max, p);
    ExpandMin(min, p);
}

// The geometry of each kind that has one; the others reset the box to empty.
void expandByGeometry(const TKDKLine& line, TGeoPoint& max, TGeoPoint& min) {
    for (const TGeoPoint2D& v : line.Vertices) expandBy(v, max, min);
}
void expandByGeometry(const TKDKPolygon& polygon, TGeoPoint& max, TGeoPoint& min) {
    polygon.ForEachRingVertex([&](const TGeoPoint2D& v) { expandBy(v, max, min); });
}
void expandByGeometry(const TKDKPoint& point, TGeoPoint& max, TGeoPoint& min) { expandBy(point.Position, max, min); }
void expandByGeometry(const TKDKAttribute& record, TGeoPoint& max, TGeoPoint& min) {
    expandBy(record.LabelPoint, max, min);
}
template <class Feature>
void expandByGeometry(const Feature&, TGeoPoint& max, TGeoPoint& min) {
    max = EmptyBoxMax();
    min = EmptyBoxMin();
}

}  // namespace

TKDKLine::TKDKLine(int major, int minor, int meshNo, int id, int lineTag, int vertexCount,
                   std::span<const TGeoPoint2D> vertices)
    : TKDKPlacedElement(kKind, major, minor, meshNo, id, EmptyBoxMin()),
      Vertices(vertices),
      LineTag(lineTag),
      VertexCount(vertexCount) {
    BoundsMax = EmptyBoxMax2D();
    for (const TGeoPoint2D& v : Vertices) {
        ExpandMax(BoundsMax, v);
        ExpandMin(BoundsMin, v);
    }
}

TKDKPolygon::TKDKPolygon(int major, int minor, int meshNo, int id, std::span<const int32_t> arcRefs,
                         const TGeoPoint& repPoint)
    : TKDKPlacedElement(kKind, major, minor, meshNo, id, repPoint),
      RepPoint(repPoint),
      ArcRefs(arcRefs) {}

std::vector<TGeoPoint2D> TKDKPolygon::Ring() const {
    std::vector<TGeoPoint2D> ring;
    ring.reserve(static_cast<size_t>(RingCount));
    ForEachRingVertex([&](const TGeoPoint2D& v) { ring.push_back(v); });
    return ring;
}

TKDKPoint::TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position)
    : TKDKPlacedElement(kKind, major, minor, meshNo, id, position), Position(position) {}

TKDKAttribute::TKDKAttribute(int major, int minor, int meshNo, int targetId, TAttributeValues values)
    : TKDKPlacedElement(kKind, major, minor, 0, 0, TGeoPoint{}),
      TargetMeshNo(meshNo),
      TargetId(targetId),
      Values(values),
      ValueCount(static_cast<int32_t>(values.size())) {}

void TKDKAttribute::SetLabel(std::string_view text, const TGeoPoint& at, TColor color, int height) {
    LabelText = text;
    LabelPoint = TPlacePoint(at);
    LabelColor = color;
    LabelHeight = static_cast<int16_t>(height);
    BoundsMin = BoundsMax = TGeoPoint2D{at.X, at.Y};
}

TKDKNode::TKDKNode(int meshNo, int id, int nodeTag, std::span<const int32_t> arcRefs,
                   const TGeoPoint& position)
    : TKDKElement(kKind, 0, 0, meshNo, id),
      NodeTag(nodeTag),
      Position(position),
      ArcRefs(arcRefs) {}

TKDKNetwork::TKDKNetwork(int meshNo, int arcId, int value1, int value2)
    : TKDKElement(kKind, 0, 0, meshNo, arcId), Value1(value1), Value2(value2) {}

void TKDKElement::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const {
    VisitFeature(*this, [&](const auto& feature) { expandByGeometry(feature, max, min); });
}
