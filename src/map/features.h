#pragma once
// The feature classes of a map: arcs, polygons, points, attribute records,
// nodes and network records. They are plain data owned by the map object's
// storage: vertices and references live in the map's pools and a feature
// holds a span of them. Features refer to their attribute records without
// owning them.
//
// What features do lives in the module of each role, as free functions of
// the operations' names: Draw and DrawSelected (drawing), HitTest, GetDetails
// and MatchAttrib (queries). ExpandBounds, being geometry, is here.
//
// Each kind of record is described once here (its class, its names, how the
// drawing shows it); a module that does something per kind overloads its
// function for the classes that have it and lets VisitFeature or
// ForEachFeatureClass pick the overload, so no module switches on the kind.
#include <array>
#include <compare>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/geo_point.h"
#include "map/display_categories.h"
#include "map/pool_span.h"
#include "tables/colors.h"
#include "tables/styles.h"

class TKDKAttribute;
class TKDKLine;

// The kinds of record, in the order of the map's lists.
enum class TFeatureKind : uint8_t { Line, Polygon, Point, Attribute, Node, Network };

// How the map's drawing shows a kind: never, when its category is on, or when
// its category is on and the view mode draws its code.
enum class TKindDisplay : uint8_t { Never, ByCategory, ByCategoryAndMode };

// What every module knows of a kind: its name and its list's name (the words
// of the command-line tool's output) and how the drawing shows it.
struct TFeatureKindInfo {
    std::string_view Name;
    std::string_view ListName;
    TKindDisplay Display;
};

inline constexpr std::array<TFeatureKindInfo, 6> kFeatureKinds{{
    {"line", "lines", TKindDisplay::ByCategoryAndMode},
    {"polygon", "polygons", TKindDisplay::ByCategoryAndMode},
    {"point", "points", TKindDisplay::ByCategory},
    {"attribute", "attributes", TKindDisplay::ByCategory},
    {"node", "nodes", TKindDisplay::Never},
    {"network", "networks", TKindDisplay::Never},
}};
inline constexpr size_t kFeatureKindCount = kFeatureKinds.size();

constexpr const TFeatureKindInfo& KindInfo(TFeatureKind kind) { return kFeatureKinds[static_cast<size_t>(kind)]; }

class TFeature {};

// Where a point, a polygon's representative point, a node or a label lies:
// two coordinates (what was read has no height), read as a TGeoPoint with Z 0
// wherever one is asked for.
struct TPlacePoint : TGeoPoint2D {
    TPlacePoint() = default;
    TPlacePoint(double x, double y) : TGeoPoint2D{x, y} {}
    explicit TPlacePoint(const TGeoPoint& p) : TGeoPoint2D{p.X, p.Y} {}
    TPlacePoint& operator=(const TGeoPoint& p) { return *this = TPlacePoint(p); }
    operator TGeoPoint() const { return {X, Y, 0}; }
};

class TKDKElement : public TFeature {
public:
    TKDKElement(TFeatureKind kind, int major, int minor, int meshNo, int id)
        : Major(major), Minor(minor), MeshNo(meshNo), Id(id), FeatureKind(kind),
          CategorySlot(static_cast<int8_t>(CategoryIndex(major))) {}

    int32_t Major = 0;
    int32_t Minor = 0;
    int32_t MeshNo = 0;
    int32_t Id = 0;
    TFeatureKind FeatureKind;
    // Derived once for the drawing: the index of the display category (-1:
    // none) and the view modes that draw the feature (bit 1 << mode), or
    // kModesUnknown until the map has worked them out.
    int8_t CategorySlot = -1;
    static constexpr uint8_t kModesUnknown = 0xFF;
    uint8_t ShownInModes = kModesUnknown;

    int Code() const { return Major * 100 + Minor; }
    // Widens the box by the feature's geometry; kinds without geometry reset it to empty.
    void ExpandBounds(TGeoPoint& max, TGeoPoint& min) const;
};

// A feature with a place on the map (arcs, areas, points, labels) and the box around it.
// Nodes and network records carry no box: millions of them would only pay for it.
class TKDKPlacedElement : public TKDKElement {
public:
    TKDKPlacedElement(TFeatureKind kind, int major, int minor, int meshNo, int id, const TGeoPoint& at)
        : TKDKElement(kind, major, minor, meshNo, id), BoundsMin{at.X, at.Y}, BoundsMax{at.X, at.Y} {}

    TGeoPoint2D BoundsMin;
    TGeoPoint2D BoundsMax;
};

// An arc: boundary, road edge or centre line, railway, water line.
class TKDKLine : public TKDKPlacedElement {
public:
    static constexpr TFeatureKind kKind = TFeatureKind::Line;

    // `vertices` are the pooled vertices the arc read; their count may be below
    // the declared `vertexCount`, never above it.
    TKDKLine(int major, int minor, int meshNo, int id, int lineTag, int vertexCount,
             std::span<const TGeoPoint2D> vertices);

    // Members are ordered so that the record has no padding to speak of.
    TKDKAttribute* Attribute = nullptr;
    TPoolSpan<TGeoPoint2D> Vertices;
    int32_t LineTag = 0;
    int32_t VertexCount = 0;
    TColor Color = clBlack;
    int16_t Width = 0;  // metres on the ground; 0 draws one pixel wide
    TPenStyle PenStyle = TPenStyle::psSolid;
};

// A run of an outline: an arc's vertices, forwards or backwards.
// Twelve bytes: the direction shares the count's word.
struct [[gnu::packed, gnu::aligned(4)]] TRingRun {
    const TGeoPoint2D* First = nullptr;
    uint32_t Count : 31 = 0;
    uint32_t Reversed : 1 = 0;
};
static_assert(sizeof(TRingRun) == 12);

// An area whose outline is assembled from the arcs it references. The outline
// is not copied: it is the arcs' vertices run by run, consecutive repeats dropped.
class TKDKPolygon : public TKDKPlacedElement {
public:
    static constexpr TFeatureKind kKind = TFeatureKind::Polygon;

    TKDKPolygon(int major, int minor, int meshNo, int id, std::span<const int32_t> arcRefs,
                const TGeoPoint& repPoint);

    TPlacePoint RepPoint;
    TKDKAttribute* Attribute = nullptr;
    TPoolSpan<int32_t> ArcRefs;  // arc ids, negative when the arc runs backwards
    TPoolSpan<TRingRun> RingRuns;  // empty while (or when) no outline is built
    int32_t RingCount = 0;
    TColor FillColor = clWhite;

    int32_t ArcCount() const { return static_cast<int32_t>(ArcRefs.size()); }

    // Calls visit(const TGeoPoint2D&) for each outline vertex in order.
    template <class Visit>
    void ForEachRingVertex(Visit visit) const {
        const TGeoPoint2D* last = nullptr;
        for (const TRingRun& run : RingRuns) {
            for (uint32_t i = 0; i < run.Count; ++i) {
                const TGeoPoint2D& v = run.Reversed ? run.First[run.Count - 1 - i] : run.First[i];
                if (last && last->X == v.X && last->Y == v.Y) continue;
                visit(v);
                last = &v;
            }
        }
    }
    // The outline as a list (for export and inspection; drawing walks the runs).
    std::vector<TGeoPoint2D> Ring() const;
};

class TKDKPoint : public TKDKPlacedElement {
public:
    static constexpr TFeatureKind kKind = TFeatureKind::Point;

    TKDKPoint(int major, int minor, int meshNo, int id, const TGeoPoint& position);

    TPlacePoint Position;
    TKDKAttribute* Attribute = nullptr;
};

// The values of an attribute record, Shift-JIS texts read as std::string_view.
// The texts lie back to back in the mesh's text pool and the record keeps
// where each one ends (offsets from its first byte), so a record costs no
// allocation of its own.
class [[gnu::packed, gnu::aligned(4)]] TAttributeValues {
public:
    TAttributeValues() = default;
    TAttributeValues(const char* text, const uint32_t* ends, uint32_t count) : text_(text), ends_(ends), count_(count) {}

    size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }
    std::string_view operator[](size_t i) const {
        const uint32_t begin = i == 0 ? 0 : ends_[i - 1];
        return {text_ + begin, ends_[i] - begin};
    }
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[count_ - 1]; }

    class iterator {
    public:
        using value_type = std::string_view;
        using reference = std::string_view;
        using pointer = void;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::random_access_iterator_tag;
        iterator() = default;
        iterator(const TAttributeValues* values, size_t i) : values_(values), i_(i) {}
        std::string_view operator*() const { return (*values_)[i_]; }
        std::string_view operator[](difference_type n) const { return (*values_)[i_ + static_cast<size_t>(n)]; }
        iterator& operator++() { ++i_; return *this; }
        iterator operator++(int) { iterator old = *this; ++i_; return old; }
        iterator& operator--() { --i_; return *this; }
        iterator operator--(int) { iterator old = *this; --i_; return old; }
        iterator& operator+=(difference_type n) { i_ += static_cast<size_t>(n); return *this; }
        iterator& operator-=(difference_type n) { i_ -= static_cast<size_t>(n); return *this; }
        friend iterator operator+(iterator it, difference_type n) { return it += n; }
        friend iterator operator+(difference_type n, iterator it) { return it += n; }
        friend iterator operator-(iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const iterator& a, const iterator& b) {
            return static_cast<difference_type>(a.i_) - static_cast<difference_type>(b.i_);
        }
        friend bool operator==(const iterator& a, const iterator& b) { return a.i_ == b.i_; }
        friend auto operator<=>(const iterator& a, const iterator& b) { return a.i_ <=> b.i_; }

    private:
        const TAttributeValues* values_ = nullptr;
        size_t i_ = 0;
    };
    iterator begin() const { return {this, 0}; }
    iterator end() const { return {this, count_}; }

private:
    const char* text_ = nullptr;
    const uint32_t* ends_ = nullptr;
    uint32_t count_ = 0;
};

// The texts attached to an arc, polygon or point, and the label some of them give.
class TKDKAttribute : public TKDKPlacedElement {
public:
    static constexpr TFeatureKind kKind = TFeatureKind::Attribute;

    TKDKAttribute(int major, int minor, int meshNo, int targetId, TAttributeValues values);

    int32_t TargetMeshNo = 0;
    int32_t TargetId = 0;
    TAttributeValues Values;          // Shift-JIS
    int32_t ValueCount = 0;
    TPlacePoint LabelPoint{kNoLabelPoint, kNoLabelPoint};
    std::string_view LabelText;       // Shift-JIS, in the mesh's text pool; empty: no label
    TColor LabelColor = clBlack;
    int16_t LabelHeight = 10;         // metres on the ground
    char Kind = 0;                    // the kind letter as written (L, A, P or another)

    // `text` must live as long as the record: one of its values or a text of
    // its mesh's pool (TKDKObject::SetLabel keeps the text there).
    void SetLabel(std::string_view text, const TGeoPoint& at, TColor color, int height);

private:
    static constexpr double kNoLabelPoint = 1e15;
};

class TKDKNode : public TKDKElement {
public:
    static constexpr TFeatureKind kKind = TFeatureKind::Node;

    TKDKNode(int meshNo, int id, int nodeTag, std::span<const int32_t> arcRefs, const TGeoPoint& position);

    int32_t NodeTag = 0;
    TPlacePoint Position;
    TPoolSpan<int32_t> ArcRefs;

    int32_t ArcCount() const { return static_cast<int32_t>(ArcRefs.size()); }
};

class TKDKNetwork : public TKDKElement {
public:
    static constexpr TFeatureKind kKind = TFeatureKind::Network;

    TKDKNetwork(int meshNo, int arcId, int value1, int value2);

    int32_t Value1 = 0;
    int32_t Value2 = 0;
};

// The records' sizes, which the memory a map takes follows.
static_assert(sizeof(TKDKLine) == 96 && sizeof(TKDKPolygon) == 112 && sizeof(TKDKAttribute) == 128 &&
              sizeof(TKDKNode) == 56 && sizeof(TKDKNetwork) == 28);

// The feature classes in kind order.
template <class... Features>
struct TFeatureClassList {
    // Calls visit.template operator()<Feature>() for each class in order.
    template <class Visit>
    static void ForEach(Visit&& visit) {
        (visit.template operator()<Features>(), ...);
    }
    static constexpr bool InKindOrder() {
        size_t i = 0;
        return ((static_cast<size_t>(Features::kKind) == i++) && ...) && sizeof...(Features) == kFeatureKindCount;
    }
};
using TFeatureClasses = TFeatureClassList<TKDKLine, TKDKPolygon, TKDKPoint, TKDKAttribute, TKDKNode, TKDKNetwork>;
static_assert(TFeatureClasses::InKindOrder());

// Calls visit.template operator()<Feature>() for every feature class, in kind order.
template <class Visit>
void ForEachFeatureClass(Visit&& visit) {
    TFeatureClasses::ForEach(visit);
}

// Calls visit(concrete feature) with the element as the class its kind names.
// The one switch on the kind: callers overload their function per class.
template <class Visit>
decltype(auto) VisitFeature(const TKDKElement& e, Visit&& visit) {
    switch (e.FeatureKind) {
        case TFeatureKind::Line: return visit(static_cast<const TKDKLine&>(e));
        case TFeatureKind::Polygon: return visit(static_cast<const TKDKPolygon&>(e));
        case TFeatureKind::Point: return visit(static_cast<const TKDKPoint&>(e));
        case TFeatureKind::Attribute: return visit(static_cast<const TKDKAttribute&>(e));
        case TFeatureKind::Node: return visit(static_cast<const TKDKNode&>(e));
        case TFeatureKind::Network: break;
    }
    return visit(static_cast<const TKDKNetwork&>(e));
}
