#include "reading/features.h"

TKDKLine::TKDKLine(int major, int minor, int meshNo, int id, int lineTag, int vertexCount,
                   const TGeoPoint* buffer)
    // The bounds start from the first buffer entry, also for an arc without vertices.
    : TKDKElement(major, minor, meshNo, id, true, buffer[0]),
      LineTag(lineTag),
      VertexCount(vertexCount),
      Vertices(buffer, buffer + vertexCount) {
    for (const TGeoPoint& p : Vertices) {
        ExpandMin(BoundsMin, p);
        ExpandMax(BoundsMax, p);
    }
}

TKDKPolygon::TKDKPolygon(int major, int minor, int meshNo, int id, int arcCount,
                         const int32_t* refs, const TGeoPoint& repPoint)
    : TKDKElement(major, minor, meshNo, id, true, repPoint),
      ArcCount(arcCount),
      RepPoint(repPoint),
      ArcRefs(refs, refs + arcCount) {}

TKDKPoint::TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position)
    : TKDKElement(major, minor, meshNo, id, false, position), Position(position) {}

TKDKAttribute::TKDKAttribute(int major, int minor, int meshNo, int targetId,
                             std::vector<std::string> values)
    : TKDKElement(major, minor, 0, 0, false, TGeoPoint{}),
      TargetMeshNo(meshNo),
      TargetId(targetId),
      ValueCount(static_cast<int32_t>(values.size())),
      Values(std::move(values)) {}

void TKDKAttribute::SetLabel(std::string text, const TGeoPoint& at, TColor color, int height) {
    LabelText = std::move(text);
    LabelPoint = at;
    LabelColor = color;
    LabelHeight = height;
    BoundsMin = BoundsMax = at;
}

TKDKNode::TKDKNode(int meshNo, int id, int nodeTag, int arcCount, const int32_t* refs,
                   const TGeoPoint& position)
    : TKDKElement(0, 0, meshNo, id, false, TGeoPoint{}),
      NodeTag(nodeTag),
      ArcCount(arcCount),
      Position(position),
      ArcRefs(refs, refs + arcCount) {}

TKDKNetwork::TKDKNetwork(int meshNo, int arcId, int value1, int value2)
    : TKDKElement(0, 0, meshNo, arcId, false, TGeoPoint{}), Value1(value1), Value2(value2) {}

bool TKDKElement::MatchAttrib(const std::string&, TAWKStr*) { return false; }
