#pragma once
// The feature classes of a map: arcs, polygons, points, attribute records,
// nodes and network records. Features refer to their attribute records
// without owning them; the map object owns everything.
//
// The virtual operations, in slot order: Draw, DrawSelected (TFeature),
// ExpandBounds, HitTest, MatchAttrib, GetDetails (TKDKElement).
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/geo_point.h"
#include "tables/colors.h"
#include "tables/styles.h"

class Canvas;
class TAWKStr;
class TKDKAttribute;
class TWorldToScreenFunc;

class TFeature {
public:
    virtual ~TFeature() = default;
    // Draws the feature normally; nothing in the base.
    virtual void Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const;
    // Draws it as a found feature with the pen and brush the caller has set.
    virtual void DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const;
};

class TKDKElement : public TFeature {
public:
    TKDKElement() = default;
    // A feature of the given code and identity whose bounds are the one point `at`.
    TKDKElement(int major, int minor, int meshNo, int id, bool visible, const TGeoPoint& at)
        : Major(major), Minor(minor), MeshNo(meshNo), Id(id), Visible(visible), BoundsMin(at), BoundsMax(at) {}

    // Widens the box by the feature's geometry; the base resets it to empty.
    virtual void ExpandBounds(TGeoPoint& max, TGeoPoint& min) const;
    // Whether the world point lies on the feature within `tolerance` metres.
    virtual bool HitTest(const TGeoPoint& p, double tolerance) const;
    // Whether one of the attribute texts matches (through the pattern when given).
    virtual bool MatchAttrib(const std::string& text, TAWKStr* pattern);
    // The details text: heading, value lines and separator, CR LF line ends.
    virtual std::string GetDetails() const;

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

    void Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void ExpandBounds(TGeoPoint& max, TGeoPoint& min) const override;
    bool HitTest(const TGeoPoint& p, double tolerance) const override;
    bool MatchAttrib(const std::string& text, TAWKStr* pattern) override;
    std::string GetDetails() const override;
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

    void Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void ExpandBounds(TGeoPoint& max, TGeoPoint& min) const override;
    bool HitTest(const TGeoPoint& p, double tolerance) const override;
    bool MatchAttrib(const std::string& text, TAWKStr* pattern) override;
    std::string GetDetails() const override;
};

class TKDKPoint : public TKDKElement {
public:
    TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position);

    TGeoPoint Position;
    TKDKAttribute* Attribute = nullptr;

    void Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void ExpandBounds(TGeoPoint& max, TGeoPoint& min) const override;
    bool HitTest(const TGeoPoint& p, double tolerance) const override;
    bool MatchAttrib(const std::string& text, TAWKStr* pattern) override;
    std::string GetDetails() const override;
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

    void Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const override;
    void ExpandBounds(TGeoPoint& max, TGeoPoint& min) const override;
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
