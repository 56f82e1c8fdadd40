#include "reading/features.h"

TKDKLine::TKDKLine(int major, int minor, int meshNo, int id, int lineTag, int vertexCount,
                   const TGeoPoint* buffer)
    : LineTag(lineTag), VertexCount(vertexCount), Vertices(buffer, buffer + vertexCount) {
    Major = major;
    Minor = minor;
    MeshNo = meshNo;
    Id = id;
    Visible = true;
    // The bounds start from the first buffer entry, also for an arc without vertices.
    BoundsMin = BoundsMax = buffer[0];
    for (const TGeoPoint& p : Vertices) {
        ExpandMin(BoundsMin, p);
        ExpandMax(BoundsMax, p);
    }
}

TKDKPolygon::TKDKPolygon(int major, int minor, int meshNo, int id, int arcCount,
                         const int32_t* refs, const TGeoPoint& repPoint)
    : ArcCount(arcCount), RepPoint(repPoint), ArcRefs(refs, refs + arcCount) {
    Major = major;
    Minor = minor;
    MeshNo = meshNo;
    Id = id;
    Visible = true;
    BoundsMin = BoundsMax = repPoint;
}

TKDKPoint::TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position)
    : Position(position) {
    Major = major;
    Minor = minor;
    MeshNo = meshNo;
    Id = id;
    BoundsMin = BoundsMax = position;
}

TKDKAttribute::TKDKAttribute(int major, int minor, int meshNo, int targetId,
                             std::vector<std::string> values)
    : TargetMeshNo(meshNo),
      TargetId(targetId),
      ValueCount(static_cast<int32_t>(values.size())),
      Values(std::move(values)) {
    Major = major;
    Minor = minor;
}

void TKDKAttribute::SetLabel(std::string text, const TGeoPoint& at, TColor color, int height) {
    LabelText = std::move(text);
    LabelPoint = at;
    LabelColor = color;
    LabelHeight = height;
    BoundsMin = BoundsMax = at;
}

TKDKNode::TKDKNode(int meshNo, int id, int nodeTag, int arcCount, const int32_t* refs,
                   const TGeoPoint& position)
    : NodeTag(nodeTag), ArcCount(arcCount), Position(position), ArcRefs(refs, refs + arcCount) {
    MeshNo = meshNo;
    Id = id;
}

TKDKNetwork::TKDKNetwork(int meshNo, int arcId, int value1, int value2)
    : Value1(value1), Value2(value2) {
    MeshNo = meshNo;
    Id = arcId;
}

bool TKDKElement::MatchAttrib(const std::string&, TAWKStr*) { return false; }
