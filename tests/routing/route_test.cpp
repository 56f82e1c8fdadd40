// Shortest routes on road networks built in memory: known answers on small
// networks and a plain Dijkstra on random grids for comparison.
#include <gtest/gtest.h>

#include <cmath>
#include <queue>
#include <random>

#include "support/feature_builders.h"
#include "routing/road_graph.h"

namespace {

constexpr int kRoad = 2110;

TKDKLine& road(TKDKObject& map, std::vector<TGeoPoint> vertices, const std::string& name = "") {
    TKDKLine& l = AddLineTo(map, kRoad, 0, vertices);
    if (!name.empty()) Attach(map, l, kRoad, {name});
    return l;
}

TEST(Route, TakesTheShorterOfTwoWaysAndNamesItsRoads) {
    TKDKObject map;
    // From (0,0) to (100,0): straight along two named roads (100 m) or round by (50,80) (about 189 m).
    road(map, {At(0, 0), At(50, 0)}, "west");
    road(map, {At(50, 0), At(100, 0)}, "east");
    road(map, {At(0, 0), At(50, 80), At(100, 0)}, "detour");
    road(map, {At(100, 0), At(100, 50)});  // a spur the route does not take
    map.FinishMesh();
    const TRoadGraph roads(map);
    EXPECT_EQ(roads.VertexCount(), 4u);
    EXPECT_EQ(roads.EdgeCount(), 8u);

    const auto r = roads.Route(At(10, -5), At(90, -2));  // snapped 5 m and 2 m away
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->From.Distance, 5, 1e-9);
    EXPECT_NEAR(r->To.Distance, 2, 1e-9);
    EXPECT_NEAR(r->Length, 80, 1e-9);
    EXPECT_EQ(r->Arcs.size(), 2u);
    EXPECT_EQ(r->Names(), (std::vector<std::string>{"west", "east"}));
    ASSERT_EQ(r->Points.size(), 3u);  // (10, 0), the junction (50, 0), (90, 0)
    EXPECT_EQ(r->Points.front().X, 10);
    EXPECT_EQ(r->Points[1].X, 50);
    EXPECT_EQ(r->Points.back().X, 90);

    // Cutting the straight way makes the detour the route.
    TKDKObject cut;
    road(cut, {At(0, 0), At(50, 0)}, "west");
    road(cut, {At(0, 0), At(50, 80), At(100, 0)}, "detour");
    road(cut, {At(100, 0), At(100, 50)});
    cut.FinishMesh();
    const auto d = TRoadGraph(cut).Route(At(20, 0), At(100, 10));
    ASSERT_TRUE(d);
    EXPECT_NEAR(d->Length, 20 + 2 * std::hypot(50, 80) + 10, 1e-9);
    EXPECT_EQ(d->Names(), (std::vector<std::string>{"west", "detour"}));
}

TEST(Route, JoinsSheetsWhoseEndsMeetWithinACentimetre) {
    TKDKObject map, east;
    map.BeginMesh(std::make_unique<TKDKDescription>(0, "a\\A.txt"));
    road(map, {At(0, 0), At(100, 0)});
    map.FinishMesh();
    east.BeginMesh(std::make_unique<TKDKDescription>(0, "b\\B.txt"));
    road(east, {At(100.006, 0.004), At(200, 0)});
    road(east, {At(100.02, 50), At(200, 50)});  // 50 m away: not joined
    east.FinishMesh();
    TErrorList errors;
    ASSERT_TRUE(map.Merge(east, errors));
    const TRoadGraph roads(map);
    const auto r = roads.Route(At(10, 0), At(190, 0));
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->Length, 180, 0.01);
    EXPECT_FALSE(roads.Route(At(10, 0), At(150, 50)));  // no road between
}

TEST(Route, StartEqualToEndAndMapsWithoutRoads) {
    TKDKObject map;
    road(map, {At(0, 0), At(10, 0), At(10, 10)});
    AddLineTo(map, 2101, 0, {At(0, 0), At(0, 100)});  // a road edge is not a road to follow
    map.FinishMesh();
    const TRoadGraph roads(map);
    const auto same = roads.Route(At(5, 1), At(5, 1));
    ASSERT_TRUE(same);
    EXPECT_EQ(same->Length, 0);
    EXPECT_EQ(same->Arcs.size(), 1u);
    const auto back = roads.Route(At(10, 8), At(2, 0));  // along one arc, backwards
    ASSERT_TRUE(back);
    EXPECT_NEAR(back->Length, 16, 1e-9);
    EXPECT_NEAR(roads.Route(At(0, 50), At(10, 10))->From.Distance, std::hypot(10, 40), 1e-9);

    TKDKObject empty;
    AddLineTo(empty, 1106, 0, {At(0, 0), At(1, 1)});
    empty.FinishMesh();
    const TRoadGraph none(empty);
    EXPECT_EQ(none.EdgeCount(), 0u);
    EXPECT_FALSE(none.Snap(At(0, 0)));
    EXPECT_FALSE(none.Route(At(0, 0), At(1, 1)));
}

// A grid of streets with random bends and gaps, and a textbook Dijkstra over
// the same junctions to compare with: from junction to junction, and from the
// bend of one street to the bend of another (leaving and joining streets midway).
TEST(Route, SameLengthAsAPlainDijkstraOnRandomGrids) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<double> bend(-20, 20);
    constexpr int n = 14;
    constexpr double step = 100;
    TKDKObject map;
    std::vector<std::vector<std::pair<int, double>>> adjacency(n * n);
    struct Street {
        int from, to;
        TGeoPoint bend;
        double toBend, fromBend;  // metres from each end to the bend
    };
    std::vector<Street> streets;
    auto node = [&](int i, int j) { return i * n + j; };
    auto connect = [&](int i0, int j0, int i1, int j1) {
        if (rng() % 5 == 0) return;  // a gap
        const TGeoPoint a = At(i0 * step, j0 * step), b = At(i1 * step, j1 * step);
        const TGeoPoint mid = At((a.X + b.X) / 2 + bend(rng), (a.Y + b.Y) / 2 + bend(rng));
        road(map, {a, mid, b});
        const double first = std::hypot(mid.X - a.X, mid.Y - a.Y), second = std::hypot(b.X - mid.X, b.Y - mid.Y);
        const double length = first + second;
        streets.push_back({node(i0, j0), node(i1, j1), mid, first, second});
        adjacency[node(i0, j0)].push_back({node(i1, j1), length});
        adjacency[node(i1, j1)].push_back({node(i0, j0), length});
    };
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) {
            if (i + 1 < n) connect(i, j, i + 1, j);
            if (j + 1 < n) connect(i, j, i, j + 1);
        }
    map.FinishMesh();
    const TRoadGraph roads(map);

    auto dijkstra = [&](int from, int to) {
        std::vector<double> dist(adjacency.size(), INFINITY);
        std::priority_queue<std::pair<double, int>, std::vector<std::pair<double, int>>, std::greater<>> queue;
        dist[from] = 0;
        queue.push({0, from});
        while (!queue.empty()) {
            auto [d, u] = queue.top();
            queue.pop();
            if (d > dist[u]) continue;
            for (auto [v, w] : adjacency[u])
                if (d + w < dist[v]) queue.push({dist[v] = d + w, v});
        }
        return dist[to];
    };
    int compared = 0, unreachable = 0;
    for (int k = 0; k < 300; ++k) {
        const int a = static_cast<int>(rng() % (n * n)), b = static_cast<int>(rng() % (n * n));
        const double expected = dijkstra(a, b);
        const auto r = roads.Route(At((a / n) * step, (a % n) * step), At((b / n) * step, (b % n) * step));
        const bool junctionOnRoad = !adjacency[a].empty() && !adjacency[b].empty();
        if (!junctionOnRoad) continue;  // the point snaps to some other road
        if (!std::isfinite(expected)) {
            EXPECT_FALSE(r) << a << " " << b;
            ++unreachable;
            continue;
        }
        ASSERT_TRUE(r) << a << " " << b;
        EXPECT_NEAR(r->Length, expected, 1e-6) << a << " " << b;
        ++compared;
    }
    EXPECT_GT(compared, 200);

    int midway = 0;
    for (int k = 0; k < 200; ++k) {
        const Street& s = streets[rng() % streets.size()];
        const Street& t = streets[rng() % streets.size()];
        double expected = &s == &t ? 0 : INFINITY;
        for (auto [u, toU] : {std::pair{s.from, s.toBend}, std::pair{s.to, s.fromBend}})
            for (auto [w, fromW] : {std::pair{t.from, t.toBend}, std::pair{t.to, t.fromBend}})
                expected = std::min(expected, toU + dijkstra(u, w) + fromW);
        const auto r = roads.Route(s.bend, t.bend);
        if (!std::isfinite(expected)) {
            EXPECT_FALSE(r);
            continue;
        }
        ASSERT_TRUE(r) << k;
        EXPECT_NEAR(r->Length, expected, 1e-6) << k;
        EXPECT_NEAR(r->Points.front().X, s.bend.X, 1e-9);
        EXPECT_NEAR(r->Points.back().Y, t.bend.Y, 1e-9);
        double drawn = 0;  // the line drawn is as long as the route
        for (size_t i = 1; i < r->Points.size(); ++i)
            drawn += std::hypot(r->Points[i].X - r->Points[i - 1].X, r->Points[i].Y - r->Points[i - 1].Y);
        EXPECT_NEAR(drawn, r->Length, 1e-6) << k;
        ++midway;
    }
    EXPECT_GT(midway, 150);
}

}  // namespace
