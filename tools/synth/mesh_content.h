#pragma once
// The features of one generated mesh, grouped by layer folder, before they
// are written; and GroupBuilder, which adds features to a group with ids
// that are unique within the mesh and cuts them to the sheet.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "geometry.h"

namespace synth {

struct Arc {
    int code = 0, tag = 0, id = 0;
    std::vector<Pt> pts;
};

struct Polygon {
    int code = 0, id = 0;
    Pt rep;
    std::vector<int> refs;  // arc ids, negative where the arc runs backwards
};

struct PointFeature {
    int code = 0, id = 0;
    Pt pos;
};

struct Attribute {
    char kind = 'A';  // L arc, A polygon, P point
    int code = 0, target = 0;
    std::vector<std::string> values;  // UTF-8
};

struct Node {
    int id = 0, tag = 0;
    Pt pos;
    std::vector<int> arcs;  // arcs that start or end here
};

struct Link {
    int arc = 0, from = 0, to = 0;  // an arc and the nodes at its ends
};

struct LayerGroup {
    std::string folder;  // also the base name of its files
    std::vector<Arc> arcs;
    std::vector<Polygon> polygons;
    std::vector<PointFeature> points;
    std::vector<Attribute> attributes;
    std::vector<Node> nodes;
    std::vector<Link> links;
};

// Sides of a sheet, in the order of Side (south, east, north, west).
using SheetSides = std::array<bool, 4>;

struct MeshContent {
    std::string name;
    Rect sheet;           // in map coordinates
    Pt sheetOrigin;       // absolute plane coordinates of the sheet's south-west corner
    SheetSides mapEdge{};  // sides that are the edge of the whole map
    std::vector<LayerGroup> groups;

    std::size_t vertexCount() const;
};

// Ids are counted per mesh across all groups, because features are looked
// up by mesh and id whatever file they came from.
struct MeshIds {
    int arc = 0, polygon = 0, point = 0, node = 0;
};

class GroupBuilder {
public:
    GroupBuilder(LayerGroup& group, MeshIds& ids, const Rect& sheet) : group_(group), ids_(ids), sheet_(sheet) {}

    const Rect& sheet() const { return sheet_; }

    int addArc(int code, int tag, std::vector<Pt> pts);
    // A polyline cut to the sheet; each piece is an arc, and gets an
    // attribute record when values are given.
    void addLine(int code, int tag, const std::vector<Pt>& line, const std::vector<std::string>& values = {});
    // The outline of a ring cut to the sheet, as lines; the cut's pieces
    // along the sheet edge are left out.
    void addRingLine(int code, const TaggedRing& ring);
    // An area from a ring cut to the sheet, its outline made of arcs of the
    // same code (kTagSheetEdge where the sheet cut it). The representative
    // point is the centre of `core` within the sheet. Returns the polygon id,
    // or 0 when nothing of the ring lies in the sheet.
    int addArea(int code, const TaggedRing& ring, const Rect& core, const std::vector<std::string>& values = {});
    // An area from arcs already added.
    int addPolygon(int code, Pt rep, std::vector<int> refs, const std::vector<std::string>& values = {});
    int addPoint(int code, Pt pos, const std::vector<std::string>& values = {});
    void addAttribute(char kind, int code, int target, std::vector<std::string> values);

private:
    LayerGroup& group_;
    MeshIds& ids_;
    Rect sheet_;
};

// Adds the nodes (every arc end, one node per place) and the network records
// (each arc with its end nodes) of a group. Node tags tell where on the sheet
// a node lies and whether the line goes on into a neighbouring sheet.
void buildTopology(LayerGroup& group, MeshIds& ids, const Rect& sheet, const SheetSides& mapEdge);

}  // namespace synth
