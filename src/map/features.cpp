#include "map/features.h"

namespace {

void expandBy(const TGeoPoint2D& v, TGeoPoint& max, TGeoPoint& min) {
    const TGeoPoint p{v.X, v.Y, 0};
    ExpandMax(max, p);
    ExpandMin(min, p);
}

}  // namespace

TKDKLine::TKDKLine(int major, int minor, int meshNo, int id, int lineTag, int vertexCount,
                   std::span<const TGeoPoint2D> vertices)
    : TKDKPlacedElement(TFeatureKind::Line, major, minor, meshNo, id, EmptyBoxMin()),
      LineTag(lineTag),
      VertexCount(vertexCount),
      Vertices(vertices) {
    BoundsMax = EmptyBoxMax2D();
    for (const TGeoPoint2D& v : Vertices) {
        ExpandMax(BoundsMax, v);
        ExpandMin(BoundsMin, v);
    }
}

TKDKPolygon::TKDKPolygon(int major, int minor, int meshNo, int id, std::span<const int32_t> arcRefs,
                         const TGeoPoint& repPoint)
    : TKDKPlacedElement(TFeatureKind::Polygon, major, minor, meshNo, id, repPoint),
      ArcCount(static_cast<int32_t>(arcRefs.size())),
      RepPoint(repPoint),
      ArcRefs(arcRefs) {}

std::vector<TGeoPoint2D> TKDKPolygon::Ring() const {
    std::vector<TGeoPoint2D> ring;
    ring.reserve(static_cast<size_t>(RingCount));
    ForEachRingVertex([&](const TGeoPoint2D& v) { ring.push_back(v); });
    return ring;
}

TKDKPoint::TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position)
    : TKDKPlacedElement(TFeatureKind::Point, major, minor, meshNo, id, position), Position(position) {}

TKDKAttribute::TKDKAttribute(int major, int minor, int meshNo, int targetId,
                             std::vector<std::string> values)
    : TKDKPlacedElement(TFeatureKind::Attribute, major, minor, 0, 0, TGeoPoint{}),
      TargetMeshNo(meshNo),
      TargetId(targetId),
      ValueCount(static_cast<int32_t>(values.size())),
      Values(std::move(values)) {}

void TKDKAttribute::SetLabel(std::string text, const TGeoPoint& at, TColor color, int height) {
    LabelText = std::move(text);
    LabelPoint = at;
    LabelColor = color;
    LabelHeight = height;
    BoundsMin = BoundsMax = TGeoPoint2D{at.X, at.Y};
}

TKDKNode::TKDKNode(int meshNo, int id, int nodeTag, std::span<const int32_t> arcRefs,
                   const TGeoPoint& position)
    : TKDKElement(TFeatureKind::Node, 0, 0, meshNo, id),
      NodeTag(nodeTag),
      ArcCount(static_cast<int32_t>(arcRefs.size())),
      Position(position),
      ArcRefs(arcRefs) {}

TKDKNetwork::TKDKNetwork(int meshNo, int arcId, int value1, int value2)
    : TKDKElement(TFeatureKind::Network, 0, 0, meshNo, arcId), Value1(value1), Value2(value2) {}

void TKDKElement::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const {
    switch (FeatureKind) {
        case TFeatureKind::Line:
            for (const TGeoPoint2D& v : static_cast<const TKDKLine&>(*this).Vertices) expandBy(v, max, min);
            return;
        case TFeatureKind::Polygon:
            static_cast<const TKDKPolygon&>(*this).ForEachRingVertex(
                [&](const TGeoPoint2D& v) { expandBy(v, max, min); });
            return;
        case TFeatureKind::Point:
            ExpandMax(max, static_cast<const TKDKPoint&>(*this).Position);
            ExpandMin(min, static_cast<const TKDKPoint&>(*this).Position);
            return;
        case TFeatureKind::Attribute:
            ExpandMax(max, static_cast<const TKDKAttribute&>(*this).LabelPoint);
            ExpandMin(min, static_cast<const TKDKAttribute&>(*this).LabelPoint);
            return;
        default:
            max = EmptyBoxMax();
            min = EmptyBoxMin();
    }
}
