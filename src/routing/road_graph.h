#pragma once
// The road network of a map and the shortest route on it. Built once from the
// road centre lines: every arc is an edge, traversable both ways, weighted by
// its length; arcs are joined where their end points meet (within 1 cm, which
// also joins the sheets of a municipality). Read-only once built, like the map.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "geometry/geo_point.h"
#include "map/kdk_object.h"

// Where a point meets the road network: the nearest point on a road arc.
struct TRoadSnap {
    const TKDKLine* Arc = nullptr;
    size_t Segment = 0;       // the arc's segment holding the point
    TGeoPoint2D At;           // the point on the arc
    double Along = 0;         // metres from the arc's first vertex
    double Distance = 0;      // metres from the given point
};

struct TRoute {
    double Length = 0;                     // metres along the roads
    std::vector<const TKDKLine*> Arcs;     // in travel order, the partly travelled first and last included
    std::vector<TGeoPoint2D> Points;       // the route's line, from the start's snap to the end's
    TRoadSnap From, To;
    // The road names followed, in order, consecutive repeats merged (Shift-JIS).
    std::vector<std::string> Names() const;
};

class TRoadGraph {
public:
    explicit TRoadGraph(const TKDKObject& map);
    ~TRoadGraph();
    TRoadGraph(const TRoadGraph&) = delete;
    TRoadGraph& operator=(const TRoadGraph&) = delete;

    size_t VertexCount() const;
    size_t EdgeCount() const;  // both directions of every arc
    size_t MemoryBytes() const;

    // The nearest point on a road to p; nothing when the map has no roads.
    std::optional<TRoadSnap> Snap(const TGeoPoint& p) const;
    // The shortest route between the road points nearest to `from` and `to`;
    // nothing when there are no roads or they are not connected.
    std::optional<TRoute> Route(const TGeoPoint& from, const TGeoPoint& to) const;

private:
    struct Impl;
    const TKDKObject& map_;
    std::unique_ptr<Impl> impl_;
};
