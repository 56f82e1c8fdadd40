#pragma once
// The feature classes of a map: arcs, polygons, points, attribute records,
// nodes and network records. Features refer to their attribute records
// without owning them; the map object owns everything.
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/geo_point.h"
#include "tables/colors.h"
#include "tables/styles.h"

class TKDKAttribute;

class TFeature {
public:
    virtual ~TFeature() = default;
};

class TKDKElement : public TFeature {
public:
    int32_t Major = 0;
    int32_t Minor = 0;
    int32_t MeshNo = 0;
    int32_t Id = 0;
    bool Visible = false;
    TGeoPoint BoundsMin;
    TGeoPoint BoundsMax;

    int Code() const { return Major * 100 + Minor; }
};

// An arc: boundary, road edge or centre line, railway, water line.
class TKDKLine : public TKDKElement {
public:
    TKDKLine(int major, int minor, int meshNo, int id, int lineTag, int vertexCount,
             const TGeoPoint* buffer);

    int32_t LineTag = 0;
    int32_t VertexCount = 0;
    std::vector<TGeoPoint> Vertices;
    TColor Color = clBlack;
    TPenStyle PenStyle = TPenStyle::psSolid;
    int32_t Width = 0;  // metres on the ground; 0 draws one pixel wide
    TKDKAttribute* Attribute = nullptr;
};

// An area whose outline is assembled from the arcs it references.
class TKDKPolygon : public TKDKElement {
public:
    TKDKPolygon(int major, int minor, int meshNo, int id, int arcCount, const int32_t* refs,
                const TGeoPoint& repPoint);

    int32_t ArcCount = 0;
    TGeoPoint RepPoint;
    std::vector<int32_t> ArcRefs;  // arc ids, negative when the arc runs backwards
    int32_t RingCount = 0;
    std::vector<TGeoPoint> Ring;
    TColor FillColor = clWhite;
    TKDKAttribute* Attribute = nullptr;
};

class TKDKPoint : public TKDKElement {
public:
    TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position);

    TGeoPoint Position;
    TKDKAttribute* Attribute = nullptr;
};

// The texts attached to an arc, polygon or point, and the label some of them give.
class TKDKAttribute : public TKDKElement {
public:
    TKDKAttribute(int major, int minor, int meshNo, int targetId, std::vector<std::string> values);

    int32_t TargetMeshNo = 0;
    int32_t TargetId = 0;
    int32_t ValueCount = 0;
    std::vector<std::string> Values;  // Shift-JIS
    char Kind = 0;                    // the kind letter as written (L, A, P or another)
    TGeoPoint LabelPoint{1e15, 1e15, 1e15};
    std::string LabelText;            // empty: no label
    TColor LabelColor = clBlack;
    int32_t LabelHeight = 10;         // metres on the ground

    void SetLabel(std::string text, const TGeoPoint& at, TColor color, int height);
};

class TKDKNode : public TKDKElement {
public:
    TKDKNode(int meshNo, int id, int nodeTag, int arcCount, const int32_t* refs,
             const TGeoPoint& position);

    int32_t NodeTag = 0;
    int32_t ArcCount = 0;
    TGeoPoint Position;
    std::vector<int32_t> ArcRefs;
};

class TKDKNetwork : public TKDKElement {
public:
    TKDKNetwork(int meshNo, int arcId, int value1, int value2);

    int32_t Value1 = 0;
    int32_t Value2 = 0;
};
