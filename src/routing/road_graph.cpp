#include "routing/road_graph.h"

#include <boost/graph/compressed_sparse_row_graph.hpp>
#include <boost/graph/dijkstra_shortest_paths.hpp>
#include <boost/graph/two_bit_color_map.hpp>
#include <boost/property_map/function_property_map.hpp>
#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numeric>

#include "tables/feature_codes.h"

namespace {

// Each edge carries its length only, and vertices and edges have 32-bit
// numbers: the less memory a search walks through, the faster it goes. The
// arc of an edge is kept aside, by edge number.
using Graph = boost::compressed_sparse_row_graph<boost::directedS, boost::no_property, double, boost::no_property,
                                                 uint32_t, uint32_t>;
using Vertex = boost::graph_traits<Graph>::vertex_descriptor;
using Edge = boost::graph_traits<Graph>::edge_descriptor;

constexpr double kJoinDistance = 0.01;  // metres: end points this close are one junction
constexpr double kInfinity = std::numeric_limits<double>::infinity();

double distance(const TGeoPoint2D& a, const TGeoPoint2D& b) {
    const double dx = a.X - b.X, dy = a.Y - b.Y;
    return std::sqrt(dx * dx + dy * dy);
}

double lengthOf(const TKDKLine& arc) {
    double sum = 0;
    for (size_t i = 1; i < arc.Vertices.size(); ++i) sum += distance(arc.Vertices[i - 1], arc.Vertices[i]);
    return sum;
}

bool isRoad(const TKDKLine& l) { return l.Code() == codes::kRoadCentre && l.Vertices.size() >= 2; }

// The junction of each arc end: ends within 1 cm are one junction. The ends
// are sorted into square tiles (a few ends each) and compared only with the
// junctions of their own tile and, near its edge, of the neighbouring tiles
// already done. Tiles are done block by block (16 x 16 tiles, rows within a
// block), and junctions numbered in that order, so that junctions near each
// other get near numbers and a search keeps to a small part of memory.
// `positions` receives each junction's position.
std::vector<uint32_t> joinEnds(const std::vector<TGeoPoint2D>& ends, std::vector<TGeoPoint2D>& positions) {
    std::vector<uint32_t> junctionOf(ends.size());
    positions.clear();
    if (ends.empty()) return junctionOf;
    TGeoPoint2D min = ends[0], max = ends[0];
    for (const TGeoPoint2D& p : ends) {
        min = {std::min(min.X, p.X), std::min(min.Y, p.Y)};
        max = {std::max(max.X, p.X), std::max(max.Y, p.Y)};
    }
    constexpr int64_t kBlock = 16;
    const double w = max.X - min.X, h = max.Y - min.Y;
    const double side = std::max(1.0, std::sqrt(w * h / static_cast<double>(ends.size() / 4 + 1)));
    const int64_t nx = static_cast<int64_t>(w / side) + 1, ny = static_cast<int64_t>(h / side) + 1;
    const int64_t blocksX = (nx + kBlock - 1) / kBlock, blocksY = (ny + kBlock - 1) / kBlock;
    const auto tiles = static_cast<size_t>(blocksX * blocksY * kBlock * kBlock);
    const double perSide = 1 / side;  // multiplying is much faster than dividing
    auto tileX = [&](double x) { return std::min(nx - 1, static_cast<int64_t>((x - min.X) * perSide)); };
    auto tileY = [&](double y) { return std::min(ny - 1, static_cast<int64_t>((y - min.Y) * perSide)); };
    auto order = [&](int64_t x, int64_t y) {
        return static_cast<size_t>(((y / kBlock) * blocksX + x / kBlock) * kBlock * kBlock + (y % kBlock) * kBlock + x % kBlock);
    };
    auto tileOf = [&](const TGeoPoint2D& p) { return order(tileX(p.X), tileY(p.Y)); };
    // The ends tile by tile in that order (a counting sort).
    std::vector<uint32_t> first(tiles + 1, 0);
    for (const TGeoPoint2D& p : ends) ++first[tileOf(p) + 1];
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<uint32_t> sorted(ends.size());  // end numbers in tile order
    {
        std::vector<uint32_t> next(first.begin(), first.end() - 1);
        for (size_t e = 0; e < ends.size(); ++e) sorted[next[tileOf(ends[e])]++] = static_cast<uint32_t>(e);
    }
    // Junctions [junctionsFrom[t], junctionsFrom[t + 1]) lie in tile t.
    std::vector<uint32_t> junctionsFrom(tiles + 1, 0);
    auto findIn = [&](const TGeoPoint2D& p, uint32_t from, uint32_t to) -> int64_t {
        for (uint32_t j = from; j < to; ++j)
            if (distance(positions[j], p) <= kJoinDistance) return j;
        return -1;
    };
    for (size_t t = 0; t < tiles; ++t) {
        junctionsFrom[t] = static_cast<uint32_t>(positions.size());
        for (uint32_t k = first[t]; k < first[t + 1]; ++k) {
            const TGeoPoint2D& p = ends[sorted[k]];
            int64_t found = findIn(p, junctionsFrom[t], static_cast<uint32_t>(positions.size()));
            const int64_t ix = tileX(p.X), iy = tileY(p.Y);
            for (int64_t dy = -1; dy <= 1 && found < 0; ++dy)
                for (int64_t dx = -1; dx <= 1 && found < 0; ++dx) {
                    const int64_t x = ix + dx, y = iy + dy;
                    if ((dx == 0 && dy == 0) || x < 0 || x >= nx || y < 0 || y >= ny || order(x, y) > t) continue;
                    // Only a tile done already that the 1 cm circle reaches.
                    const double x0 = min.X + static_cast<double>(x) * side, y0 = min.Y + static_cast<double>(y) * side;
                    if (p.X < x0 - kJoinDistance || p.X > x0 + side + kJoinDistance || p.Y < y0 - kJoinDistance ||
                        p.Y > y0 + side + kJoinDistance)
                        continue;
                    const size_t n = order(x, y);
                    found = findIn(p, junctionsFrom[n], junctionsFrom[n + 1]);
                }
            if (found < 0) {
                found = static_cast<int64_t>(positions.size());
                positions.push_back(p);
            }
            junctionOf[sorted[k]] = static_cast<uint32_t>(found);
        }
        junctionsFrom[t + 1] = static_cast<uint32_t>(positions.size());
    }
    return junctionOf;
}

// Where a route may leave the start's arc or reach the goal's: a junction,
// and the metres along the arc between it and the snapped point.
struct RouteEnd {
    Vertex junction;
    double along;
};

struct Found {
    double length;
    size_t start, goal;          // the ends the route takes
    std::vector<uint32_t> arcs;  // between them, in travel order
};

struct SearchDone {};

// The straight-line distance from a junction to the goal point: no longer than
// any way there, through either end of the goal's arc.
struct Estimate {
    const std::vector<TGeoPoint2D>* positions;
    std::array<RouteEnd, 2> goals;
    TGeoPoint2D goal;
    double operator()(Vertex v) const { return distance((*positions)[v], goal); }
};

// Ends the search once no route through the next vertex can beat the best
// found, and notes each goal reached on the way.
class GoalWatch : public boost::default_dijkstra_visitor {
public:
    GoalWatch(const Estimate& estimate, const std::vector<double>& key, double& best, size_t& goal)
        : estimate_(&estimate), key_(&key), best_(&best), goal_(&goal) {}
    void examine_vertex(Vertex v, const Graph&) const {
        const double key = (*key_)[v];
        if (key >= *best_) throw SearchDone{};
        for (size_t i = 0; i < estimate_->goals.size(); ++i) {
            const RouteEnd& g = estimate_->goals[i];
            if (g.junction != v) continue;
            const double length = key - (*estimate_)(v) + g.along;
            if (length < *best_) {
                *best_ = length;
                *goal_ = i;
            }
        }
    }

private:
    const Estimate* estimate_;
    const std::vector<double>* key_;
    double* best_;
    size_t* goal_;
};

}  // namespace

struct TRoadGraph::Impl {
    std::vector<const TKDKLine*> arcs;        // the road arcs, edge data refers to them by index
    std::vector<std::pair<uint32_t, uint32_t>> ends;  // each arc's first and last junction
    std::vector<double> lengths;
    std::vector<TGeoPoint2D> positions;       // of the junctions
    Graph graph;
    std::vector<uint32_t> arcOfEdge;           // by edge number

    // The shortest way from either start to either goal, the metres along the
    // arcs to and from them included; nothing when no goal is reached in
    // fewer than `bound` metres.
    //
    // A* with the straight-line distance to the goal point as the estimate,
    // run as Boost's multi-source Dijkstra (both starts at once) on the edge
    // lengths reduced by the estimate: each key is the length so far plus the
    // estimate, so vertices are examined in A* order.
    std::optional<Found> search(const std::array<RouteEnd, 2>& starts, const std::array<RouteEnd, 2>& goals,
                                const TGeoPoint2D& goalPoint, double bound) const {
        const Estimate estimate{&positions, goals, goalPoint};
        const size_t n = boost::num_vertices(graph);
        std::vector<Vertex> predecessor(n);
        for (Vertex v = 0; v < n; ++v) predecessor[v] = v;
        std::vector<double> key(n, kInfinity);
        std::vector<Vertex> sources;
        for (const RouteEnd& s : starts) {
            const double k = s.along + estimate(s.junction);
            if (k < key[s.junction]) key[s.junction] = k;
            if (std::find(sources.begin(), sources.end(), s.junction) == sources.end()) sources.push_back(s.junction);
        }
        // The estimate is consistent, so reduced lengths are never negative (up to rounding).
        const auto reduced = boost::make_function_property_map<Edge, double>([&](const Edge& e) {
            const double r = graph[e] - estimate(boost::source(e, graph)) + estimate(boost::target(e, graph));
            return r > 0 ? r : 0.0;
        });
        double best = bound;
        size_t goal = goals.size();
        boost::two_bit_color_map<> color(n);
        const boost::typed_identity_property_map<Vertex> index;
        try {
            boost::dijkstra_shortest_paths_no_init(
                graph, sources.begin(), sources.end(), boost::make_iterator_property_map(predecessor.data(), index),
                boost::make_iterator_property_map(key.data(), index), reduced, index, std::less<double>(),
                std::plus<double>(), 0.0, GoalWatch(estimate, key, best, goal), color);
        } catch (const SearchDone&) {
        }
        if (goal == goals.size()) return std::nullopt;
        // Back from the goal to the start the search came from.
        std::vector<uint32_t> arcsBack;
        Vertex v = goals[goal].junction;
        for (; predecessor[v] != v; v = predecessor[v]) {
            const Vertex u = predecessor[v];
            // The shortest edge from u to v is the one the search relaxed.
            double shortest = kInfinity;
            uint32_t arc = 0;
            auto [e, last] = boost::out_edges(u, graph);
            for (; e != last; ++e)
                if (boost::target(*e, graph) == v && graph[*e] < shortest) {
                    shortest = graph[*e];
                    arc = arcOfEdge[boost::get(boost::edge_index, graph, *e)];
                }
            arcsBack.push_back(arc);
        }
        // The start at that junction; of two there, the one the search began with.
        size_t start = starts[0].junction == v ? 0 : 1;
        if (starts[0].junction == v && starts[1].junction == v && starts[1].along < starts[0].along) start = 1;
        return Found{best, start, goal, std::vector<uint32_t>(arcsBack.rbegin(), arcsBack.rend())};
    }
};

TRoadGraph::TRoadGraph(const TKDKObject& map) : map_(map), impl_(std::make_unique<Impl>()) {
    Impl& g = *impl_;
    std::vector<TGeoPoint2D> ends;  // first and last vertex of each road arc
    for (const TKDKLine* l : map.Lines()) {
        if (!isRoad(*l)) continue;
        g.arcs.push_back(l);
        g.lengths.push_back(lengthOf(*l));
        ends.push_back(l->Vertices.front());
        ends.push_back(l->Vertices.back());
    }
    const std::vector<uint32_t> junctionOf = joinEnds(ends, g.positions);
    g.ends.reserve(g.arcs.size());
    for (uint32_t i = 0; i < g.arcs.size(); ++i) g.ends.emplace_back(junctionOf[2 * i], junctionOf[2 * i + 1]);
    // Both directions of every arc, sorted by their first junction (a counting
    // sort), so that edge numbers are positions in this order.
    const size_t n = g.positions.size();
    std::vector<uint32_t> first(n + 1, 0);
    for (const auto& [a, b] : g.ends) {
        ++first[a + 1];
        ++first[b + 1];
    }
    std::partial_sum(first.begin(), first.end(), first.begin());
    std::vector<std::pair<uint32_t, uint32_t>> edges(ends.size());
    std::vector<double> lengths(ends.size());
    g.arcOfEdge.resize(ends.size());
    for (uint32_t i = 0; i < g.arcs.size(); ++i)
        for (const auto& [from, to] : {g.ends[i], std::pair{g.ends[i].second, g.ends[i].first}}) {
            const uint32_t k = first[from]++;
            edges[k] = {from, to};
            lengths[k] = g.lengths[i];
            g.arcOfEdge[k] = i;
        }
    g.graph = Graph(boost::edges_are_sorted, edges.begin(), edges.end(), lengths.begin(), n);
}

TRoadGraph::~TRoadGraph() = default;

size_t TRoadGraph::VertexCount() const { return boost::num_vertices(impl_->graph); }
size_t TRoadGraph::EdgeCount() const { return boost::num_edges(impl_->graph); }

size_t TRoadGraph::MemoryBytes() const {
    const Impl& g = *impl_;
    return g.arcs.capacity() * sizeof(const TKDKLine*) + g.ends.capacity() * sizeof(g.ends[0]) +
           g.lengths.capacity() * sizeof(double) + g.positions.capacity() * sizeof(TGeoPoint2D) +
           (boost::num_vertices(g.graph) + 1) * sizeof(uint32_t) +
           boost::num_edges(g.graph) * (sizeof(uint32_t) + sizeof(double) + sizeof(uint32_t));
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
    best.Length = kInfinity;
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
    // Leaving the start's arc by either end and reaching the end's arc by either end, in one search.
    const std::array<RouteEnd, 2> starts{RouteEnd{g.ends[ia].first, a->Along},
                                         RouteEnd{g.ends[ia].second, g.lengths[ia] - a->Along}};
    const std::array<RouteEnd, 2> goals{RouteEnd{g.ends[ib].first, b->Along},
                                        RouteEnd{g.ends[ib].second, g.lengths[ib] - b->Along}};
    if (const std::optional<Found> found = g.search(starts, goals, b->At, best.Length)) {
        best.Length = found->length;
        best.Arcs.assign(1, a->Arc);
        best.Points.clear();
        appendPartial(*a, found->start == 0, best.Points);
        uint32_t at = static_cast<uint32_t>(starts[found->start].junction);
        for (uint32_t arc : found->arcs) {
            const bool reversed = g.ends[arc].second == at;
            appendArc(*g.arcs[arc], reversed, best.Points);
            best.Arcs.push_back(g.arcs[arc]);
            at = reversed ? g.ends[arc].first : g.ends[arc].second;
        }
        std::vector<TGeoPoint2D> tail;
        appendPartial(*b, found->goal == 0, tail);
        best.Points.insert(best.Points.end(), tail.rbegin(), tail.rend());
        best.Arcs.push_back(b->Arc);
    }
    if (!std::isfinite(best.Length)) return std::nullopt;
    dropRepeats(best.Points);
    return best;
}

std::vector<std::string> TRoute::Names() const {
    std::vector<std::string> names;
    for (const TKDKLine* arc : Arcs) {
        if (!arc->Attribute || arc->Attribute->Values.empty() || arc->Attribute->Values[0].empty()) continue;
        const std::string_view name = arc->Attribute->Values[0];
        if (names.empty() || names.back() != name) names.emplace_back(name);
    }
    return names;
}
