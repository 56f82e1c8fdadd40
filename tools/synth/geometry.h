#pragma once
// Plane geometry of the generator in whole centimetres, so that a vertex that
// two arcs (or two neighbouring meshes) share is the same number everywhere,
// and clipping at a sheet edge gives the same point in both sheets.
#include <cstdint>
#include <vector>

namespace synth {

using Cm = std::int64_t;
constexpr Cm kCmPerMetre = 100;

struct Pt {
    Cm x = 0, y = 0;  // easting, northing
    bool operator==(const Pt&) const = default;
};

struct Rect {
    Cm x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // closed box, x0 <= x1, y0 <= y1
    bool contains(Pt p) const { return p.x >= x0 && p.x <= x1 && p.y >= y0 && p.y <= y1; }
    Cm width() const { return x1 - x0; }
    Cm height() const { return y1 - y0; }
    Pt centre() const { return {(x0 + x1) / 2, (y0 + y1) / 2}; }
};

// Line tags of the arcs the generator writes.
constexpr int kTagOrdinary = 0;
constexpr int kTagElevated = 1;  // bridges and viaducts
constexpr int kTagClosing = 4;   // drawn only to close a polygon at the data's limit
constexpr int kTagSheetEdge = 5; // piece of the sheet edge closing a cut polygon

// A closed ring. tags[i] is the tag of the edge that ends at pts[i] (the edge
// into pts[0] starts at the last point).
struct TaggedRing {
    std::vector<Pt> pts;
    std::vector<int> tags;
    void add(Pt p, int tagOfEdgeIntoP) {
        pts.push_back(p);
        tags.push_back(tagOfEdgeIntoP);
    }
};

// Cuts a ring to a box; the new edges along the box carry kTagSheetEdge.
// Meant for rings that cross each box side at most twice (the generator's
// blocks, parks, buildings and river strips), which stay one ring.
// An empty ring when nothing is left.
TaggedRing clipRing(const TaggedRing& ring, const Rect& box);

// A piece of a ring's boundary with one tag, as a polyline.
struct Run {
    int tag = 0;
    std::vector<Pt> pts;
};
// Splits a ring into maximal runs of equal tag, in ring order. A ring of one
// tag becomes one closed run (its last point repeats its first).
std::vector<Run> ringRuns(const TaggedRing& ring);

// The pieces of a polyline inside a box, in order.
std::vector<std::vector<Pt>> clipPolyline(const std::vector<Pt>& line, const Rect& box);

// Whether a point lies inside a ring (even-odd rule; points on the boundary
// may go either way).
bool insideRing(const std::vector<Pt>& ring, Pt p);
// A point inside a ring: `preferred` when it is inside, otherwise the middle
// of the widest span of the ring along the horizontal line through it.
Pt interiorPoint(const std::vector<Pt>& ring, Pt preferred);

// n / d rounded to the nearest integer, halves away from zero; d > 0.
Cm roundDiv(__int128 n, __int128 d);

}  // namespace synth
