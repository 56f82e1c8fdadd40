#include "routing/road_graph.h"

#include <boost/graph/astar_search.hpp>
#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "tables/feature_codes.h"

namespace {

struct EdgeData {
    double Length = 0;
    uint32_t Arc = 0;  // index into the graph's arc list
};

using Graph = boost::compressed_sparse_row_graph<boost::directedS, boost::no_property, EdgeData>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;

constexpr double kJoinDistance = 0.01;  // metres: end points this close are one junction

double distance(const TGeoPoint2D& a, const TGeoPoint2D& b) { return std::hypot(a.X - b.X, a.Y - b.Y); }

double lengthOf(const TKDKLine& arc) {
    double sum = 0;
    for (size_t i = 1; i < arc.Vertices.size(); ++i) sum += distance(arc.Vertices[i - 1], arc.Vertices[i]);
    return sum;
}

bool isRoad(const TKDKLine& l) { return l.Code() == codes::kRoadCentre && l.Vertices.size() >= 2; }

// Finds or makes the junction at a point: points within 1 cm are one junction.
// Each centimetre cell holds the one junction made in it; a point looks in its
// cell and the eight around it.
class Junctions {
public:
    explicit Junctions(size_t expected) { cells_.reserve(expected); }
    uint32_t at(const TGeoPoint2D& p) {
        const int64_t kx = std::llround(p.X / kJoinDistance), ky = std::llround(p.Y / kJoinDistance);
        for (int64_t dx = -1; dx <= 1; ++dx)
            for (int64_t dy = -1; dy <= 1; ++dy) {
                auto it = cells_.find(key(kx + dx, ky + dy));
                if (it != cells_.end() && distance(positions[it->second], p) <= kJoinDistance) return it->second;
            }
        positions.push_back(p);
        const uint32_t j = static_cast<uint32_t>(positions.size() - 1);
        cells_.emplace(key(kx, ky), j);
        return j;
    }
    std::vector<TGeoPoint2D> positions;

private:
    static uint64_t key(int64_t x, int64_t y) { return static_cast<uint64_t>(x) * 0x9E3779B97F4A7C15ull ^ static_cast<uint64_t>(y); }
    std::unordered_map<uint64_t, uint32_t> cells_;
};

struct GoalReached {};

class StopAtGoal : public boost::default_astar_visitor {
public:
    explicit StopAtGoal(Vertex goal) : goal_(goal) {}
    void examine_vertex(Vertex u, const Graph&) const {
        if (u == goal_) throw GoalReached{};
    }

private:
    Vertex goal_;
};

class StraightLine : public boost::astar_heuristic<Graph, double> {
public:
    StraightLine(const std::vector<TGeoPoint2D>& positions, Vertex goal) : positions_(&positions), goal_(goal) {}
    double operator()(Vertex u) const { return distance((*positions_)[u], (*positions_)[goal_]); }

private:
    const std::vector<TGeoPoint2D>* positions_;
    Vertex goal_;
};

}  // namespace

struct TRoadGraph::Impl {
    std::vector<const TKDKLine*> arcs;        // the road arcs, edge data refers to them by index
    std::vector<std::pair<uint32_t, uint32_t>> ends;  // each arc's first and last junction
    std::vector<double> lengths;
    std::vector<TGeoPoint2D> positions;       // of the junctions
    Graph graph;

    // Shortest distance from a to b and the arcs between (nothing when unreachable).
    std::optional<std::pair<double, std::vector<uint32_t>>> search(Vertex a, Vertex b) const {
        if (a == b) return std::make_pair(0.0, std::vector<uint32_t>{});
        const size_t n = boost::num_vertices(graph);
        std::vector<Vertex> predecessor(n);
        std::vector<double> dist(n, std::numeric_limits<double>::infinity());
        std::vector<double> cost(n, std::numeric_limits<double>::infinity());
        try {
            boost::astar_search(graph, a, StraightLine(positions, b),
                                boost::weight_map(boost::get(&EdgeData::Length, graph))
                                    .predecessor_map(predecessor.data())
                                    .distance_map(dist.data())
                                    .rank_map(cost.data())
                                    .visitor(StopAtGoal(b)));
        } catch (const GoalReached&) {
        }
        if (predecessor[b] == b) return std::nullopt;  // never reached (the search leaves it as its own)
        std::vector<uint32_t> arcsBack;
        for (Vertex v = b; v != a; v = predecessor[v]) {
            const Vertex u = predecessor[v];
            // The shortest edge from u to v is the one the search relaxed.
            double best = std::numeric_limits<double>::infinity();
            uint32_t arc = 0;
            auto [e, last] = boost::out_edges(u, graph);
            for (; e != last; ++e)
                if (boost::target(*e, graph) == v && graph[*e].Length < best) {
                    best = graph[*e].Length;
                    arc = graph[*e].Arc;
                }
            arcsBack.push_back(arc);
        }
        return std::make_pair(dist[b], std::vector<uint32_t>(arcsBack.rbegin(), arcsBack.rend()));
    }
};

TRoadGraph::TRoadGraph(const TKDKObject& map) : map_(map), impl_(std::make_unique<Impl>()) {
    Junctions junctions(map.Lines().size());
    std::vector<std::pair<uint32_t, uint32_t>> edges;
    std::vector<EdgeData> data;
    for (const TKDKLine* l : map.Lines()) {
        if (!isRoad(*l)) continue;
        const uint32_t index = static_cast<uint32_t>(impl_->arcs.size());
        const uint32_t a = junctions.at(l->Vertices.front()), b = junctions.at(l->Vertices.back());
        const double length = lengthOf(*l);
        impl_->arcs.push_back(l);
        impl_->ends.emplace_back(a, b);
        impl_->lengths.push_back(length);
        edges.emplace_back(a, b);
        data.push_back({length, index});
        edges.emplace_back(b, a);
        data.push_back({length, index});
    }
    impl_->positions = std::move(junctions.positions);
    impl_->graph = Graph(boost::edges_are_unsorted_multi_pass, edges.begin(), edges.end(), data.begin(),
                         impl_->positions.size());
}

TRoadGraph::~TRoadGraph() = default;

size_t TRoadGraph::VertexCount() const { return boost::num_vertices(impl_->graph); }
size_t TRoadGraph::EdgeCount() const { return boost::num_edges(impl_->graph); }

size_t TRoadGraph::MemoryBytes() const {
    const Impl& g = *impl_;
    return g.arcs.capacity() * sizeof(const TKDKLine*) + g.ends.capacity() * sizeof(g.ends[0]) +
           g.lengths.capacity() * sizeof(double) + g.positions.capacity() * sizeof(TGeoPoint2D) +
           (boost::num_vertices(g.graph) + 1) * sizeof(size_t) +
           boost::num_edges(g.graph) * (sizeof(size_t) + sizeof(EdgeData));
}

std::optional<TRoadSnap> TRoadGraph::Snap(const TGeoPoint& p) const {
    if (impl_->arcs.empty()) return std::nullopt;
    std::optional<TRoadSnap> best;
    // Widen the search until the nearest road found lies within it.
    for (double reach = 50;; reach *= 4) {
        map_.ForEachLineNear(p, reach, [&](const TKDKLine& l) {
            if (!isRoad(l)) return;
            double along = 0;
            for (size_t i = 0; i + 1 < l.Vertices.size(); ++i) {
                const TGeoPoint2D& a = l.Vertices[i];
                const TGeoPoint2D& b = l.Vertices[i + 1];
                const double dx = b.X - a.X, dy = b.Y - a.Y, len2 = dx * dx + dy * dy;
                const double t = len2 > 0 ? std::clamp(((p.X - a.X) * dx + (p.Y - a.Y) * dy) / len2, 0.0, 1.0) : 0;
                const TGeoPoint2D q{a.X + t * dx, a.Y + t * dy};
                const double d = std::hypot(p.X - q.X, p.Y - q.Y);
                if (!best || d < best->Distance) best = TRoadSnap{&l, i, q, along + t * std::sqrt(len2), d};
                along += std::sqrt(len2);
            }
        });
        if ((best && best->Distance <= reach) || reach > 1e7) return best;
    }
}

namespace {

// The arc's points from `along` metres to its first (toStart) or last vertex.
void appendPartial(const TRoadSnap& s, bool toStart, std::vector<TGeoPoint2D>& out) {
    const auto& v = s.Arc->Vertices;
    out.push_back(s.At);
    if (toStart)
        for (size_t i = s.Segment + 1; i-- > 0;) out.push_back(v[i]);
    else
        for (size_t i = s.Segment + 1; i < v.size(); ++i) out.push_back(v[i]);
}

void appendArc(const TKDKLine& arc, bool reversed, std::vector<TGeoPoint2D>& out) {
    const auto& v = arc.Vertices;
    for (size_t k = 0; k < v.size(); ++k) out.push_back(reversed ? v[v.size() - 1 - k] : v[k]);
}

void dropRepeats(std::vector<TGeoPoint2D>& points) {
    std::vector<TGeoPoint2D> kept;
    for (const TGeoPoint2D& p : points)
        if (kept.empty() || kept.back().X != p.X || kept.back().Y != p.Y) kept.push_back(p);
    points = std::move(kept);
}

}  // namespace

std::optional<TRoute> TRoadGraph::Route(const TGeoPoint& from, const TGeoPoint& to) const {
    const std::optional<TRoadSnap> a = Snap(from), b = Snap(to);
    if (!a || !b) return std::nullopt;
    const Impl& g = *impl_;
    auto arcIndex = [&](const TKDKLine* arc) {
        return static_cast<uint32_t>(std::find(g.arcs.begin(), g.arcs.end(), arc) - g.arcs.begin());
    };
    const uint32_t ia = arcIndex(a->Arc), ib = arcIndex(b->Arc);
    TRoute best;
    best.Length = std::numeric_limits<double>::infinity();
    best.From = *a;
    best.To = *b;
    // Along one arc, without leaving it.
    if (ia == ib) {
        best.Length = std::abs(a->Along - b->Along);
        best.Arcs = {a->Arc};
        const bool forward = a->Along <= b->Along;
        best.Points.push_back(a->At);
        const auto& v = a->Arc->Vertices;
        if (forward)
            for (size_t i = a->Segment + 1; i <= b->Segment; ++i) best.Points.push_back(v[i]);
        else
            for (size_t i = a->Segment; i > b->Segment; --i) best.Points.push_back(v[i]);
        best.Points.push_back(b->At);
    }
    // Leaving the start's arc by either end and reaching the end's arc by either end.
    for (int startEnd = 0; startEnd < 2; ++startEnd) {
        const uint32_t u = startEnd == 0 ? g.ends[ia].first : g.ends[ia].second;
        const double toU = startEnd == 0 ? a->Along : g.lengths[ia] - a->Along;
        for (int goalEnd = 0; goalEnd < 2; ++goalEnd) {
            const uint32_t w = goalEnd == 0 ? g.ends[ib].first : g.ends[ib].second;
            const double fromW = goalEnd == 0 ? b->Along : g.lengths[ib] - b->Along;
            if (toU + fromW >= best.Length) continue;
            const auto found = g.search(u, w);
            if (!found || toU + found->first + fromW >= best.Length) continue;
            best.Length = toU + found->first + fromW;
            best.Arcs.assign(1, a->Arc);
            best.Points.clear();
            appendPartial(*a, startEnd == 0, best.Points);
            uint32_t at = u;
            for (uint32_t arc : found->second) {
                const bool reversed = g.ends[arc].second == at;
                appendArc(*g.arcs[arc], reversed, best.Points);
                best.Arcs.push_back(g.arcs[arc]);
                at = reversed ? g.ends[arc].first : g.ends[arc].second;
            }
            std::vector<TGeoPoint2D> tail;
            appendPartial(*b, goalEnd == 0, tail);
            best.Points.insert(best.Points.end(), tail.rbegin(), tail.rend());
            best.Arcs.push_back(b->Arc);
        }
    }
    if (!std::isfinite(best.Length)) return std::nullopt;
    dropRepeats(best.Points);
    return best;
}

std::vector<std::string> TRoute::Names() const {
    std::vector<std::string> names;
    for (const TKDKLine* arc : Arcs) {
        if (!arc->Attribute || arc->Attribute->Values.empty() || arc->Attribute->Values[0].empty()) continue;
        const std::string& name = arc->Attribute->Values[0];
        if (names.empty() || names.back() != name) names.push_back(name);
    }
    return names;
}
