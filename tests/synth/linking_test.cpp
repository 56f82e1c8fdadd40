// The generated meshes hang together as real data does: polygons close over
// existing arcs, attributes name existing features, nodes and network
// records match the arcs, and neighbouring meshes meet at their edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "generated_mesh_reader.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace {

using synthtest::MeshRec;
using synthtest::XY;

struct MapCase {
    int cols, rows, blocks;
    std::uint64_t seed;
    bool rich = false;  // large enough to hold every kind of feature in numbers
};

void PrintTo(const MapCase& c, std::ostream* os) {
    *os << c.cols << "x" << c.rows << " sheets, " << c.blocks << " blocks per side, seed " << c.seed;
}

std::string caseName(const ::testing::TestParamInfo<MapCase>& info) {
    const MapCase& c = info.param;
    return std::to_string(c.cols) + "x" + std::to_string(c.rows) + "_k" + std::to_string(c.blocks) + "_seed" +
           std::to_string(c.seed);
}

// Each map is generated and read back once and shared by the checks.
class GeneratedMap : public ::testing::TestWithParam<MapCase> {
protected:
    struct Generated {
        std::unique_ptr<testsupport::TempDir> dir;
        synth::Summary summary;
        std::vector<MeshRec> meshes;
    };
    void SetUp() override {
        static std::map<std::string, Generated> cache;
        const std::string key = caseName({GetParam(), 0});
        auto found = cache.find(key);
        if (found == cache.end()) {
            Generated g;
            g.dir = std::make_unique<testsupport::TempDir>();
            synth::PlanParams p;
            p.cols = GetParam().cols;
            p.rows = GetParam().rows;
            p.blocksPerSide = GetParam().blocks;
            p.seed = GetParam().seed;
            g.summary = synth::generate(p, g.dir->path());
            g.meshes = synthtest::readMeshes(g.dir->path());
            found = cache.emplace(key, std::move(g)).first;
        }
        generated_ = &found->second;
    }
    const std::vector<MeshRec>& meshes() const { return generated_->meshes; }
    const synth::Summary& summary() const { return generated_->summary; }
    int sheets() const { return GetParam().cols * GetParam().rows; }

private:
    const Generated* generated_ = nullptr;
};

TEST_P(GeneratedMap, DescriptionsNameTheirMeshAndSheet) {
    ASSERT_EQ(meshes().size(), static_cast<std::size_t>(sheets()));
    std::set<std::string> names;
    for (const MeshRec& m : meshes()) {
        names.insert(m.name);
        EXPECT_EQ(m.name.size(), 8u);
        EXPECT_TRUE(std::all_of(m.name.begin(), m.name.end(), [](char c) { return c >= '0' && c <= '9'; }));
        EXPECT_EQ(m.descriptionLines[0], "空間データ基盤");
        EXPECT_EQ(m.descriptionLines[4], m.name);
        EXPECT_EQ(m.descriptionLines[5], "2500");
        EXPECT_DOUBLE_EQ(m.northEast.x - m.southWest.x, 2000.0);
        EXPECT_DOUBLE_EQ(m.northEast.y - m.southWest.y, 1500.0);
        EXPECT_EQ(m.descriptionLines[6].substr(0, 2), "9,");
        for (const std::string& e : m.entries) EXPECT_EQ(e.substr(0, 9), m.name + "\\") << e;
    }
    EXPECT_EQ(names.size(), static_cast<std::size_t>(sheets()));
}

TEST_P(GeneratedMap, SummaryCountsWhatWasWritten) {
    std::size_t files = 0, bytes = 0, vertices = 0;
    for (const MeshRec& m : meshes()) {
        files += m.files;
        bytes += m.bytes;
        for (const auto& a : m.arcs) vertices += a.pts.size();
    }
    EXPECT_EQ(summary().totals.meshes, sheets());
    EXPECT_EQ(static_cast<std::size_t>(summary().totals.files), files);
    EXPECT_EQ(summary().totals.bytes, bytes);
    EXPECT_EQ(summary().totals.vertices, vertices);
}

TEST_P(GeneratedMap, ArcsDeclareTheirVerticesAndHaveUniqueIds) {
    for (const MeshRec& m : meshes()) {
        std::set<int> ids;
        for (const auto& a : m.arcs) {
            EXPECT_EQ(a.declared, static_cast<int>(a.pts.size())) << m.name << " arc " << a.id;
            EXPECT_GE(a.pts.size(), 2u);
            EXPECT_TRUE(ids.insert(a.id).second) << m.name << " repeats arc id " << a.id;
            for (const XY& p : a.pts) {
                EXPECT_GE(p.x, m.southWest.x);
                EXPECT_LE(p.x, m.northEast.x);
                EXPECT_GE(p.y, m.southWest.y);
                EXPECT_LE(p.y, m.northEast.y);
            }
        }
        std::set<int> polygonIds, pointIds;
        for (const auto& p : m.polygons) EXPECT_TRUE(polygonIds.insert(p.id).second);
        for (const auto& p : m.points) EXPECT_TRUE(pointIds.insert(p.id).second);
    }
}

TEST_P(GeneratedMap, PolygonRingsCloseOverArcsOfTheirCode) {
    std::size_t polygons = 0, cut = 0;
    for (const MeshRec& m : meshes())
        for (const auto& p : m.polygons) {
            ++polygons;
            ASSERT_EQ(p.declared, static_cast<int>(p.refs.size()));
            const std::vector<XY> ring = synthtest::polygonRing(m, p);
            ASSERT_GE(ring.size(), 4u) << m.name << " polygon " << p.id;
            EXPECT_EQ(ring.front(), ring.back()) << m.name << " polygon " << p.id << " does not close";
            EXPECT_GT(synthtest::ringArea(ring), 0) << m.name << " polygon " << p.id << " runs clockwise";
            EXPECT_TRUE(synthtest::insideRing(ring, p.rep)) << m.name << " polygon " << p.id << " of code " << p.code << " rep point outside";
            for (int r : p.refs) {
                const auto* a = m.arc(std::abs(r));
                EXPECT_EQ(a->code, p.code) << m.name << " polygon " << p.id;
                if (a->tag == 5) ++cut;
            }
        }
    EXPECT_GT(polygons, 0u);
    if (sheets() > 1) {
        EXPECT_GT(cut, 0u) << "polygons cut by the sheet edges are closed with sheet-edge arcs";
    }
}

TEST_P(GeneratedMap, ChomeAreasTileTheMunicipality) {
    for (const MeshRec& m : meshes()) {
        double municipality = 0, chome = 0;
        int municipalities = 0;
        for (const auto& p : m.polygons) {
            const double a = synthtest::ringArea(synthtest::polygonRing(m, p));
            if (p.code == 1105) {
                municipality += a;
                ++municipalities;
            }
            if (p.code == 1106) chome += a;
        }
        EXPECT_EQ(municipalities, 1) << m.name;
        // Chome corners on the bulging boundary are rounded to the centimetre,
        // which moves the outline by less than that.
        EXPECT_NEAR(chome, municipality, 1.0) << m.name;
        EXPECT_GT(municipality, 0.2 * 2000 * 1500) << m.name;
    }
}

TEST_P(GeneratedMap, AttributesNameExistingFeaturesOfTheirCode) {
    for (const MeshRec& m : meshes())
        for (const auto& a : m.attributes) {
            ASSERT_FALSE(a.values.empty());
            int targetCode = -1;
            if (a.kind == 'L' && m.arc(a.target)) targetCode = m.arc(a.target)->code;
            if (a.kind == 'A' && m.polygon(a.target)) targetCode = m.polygon(a.target)->code;
            if (a.kind == 'P' && m.point(a.target)) targetCode = m.point(a.target)->code;
            EXPECT_EQ(targetCode, a.code) << m.name << " " << a.kind << a.code << " target " << a.target;
        }
}

bool digits(const std::string& s, std::size_t n) {
    return s.size() == n && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

TEST_P(GeneratedMap, AdministrativeAreasCarryTheValuesTheViewerReads) {
    for (const MeshRec& m : meshes()) {
        std::map<int, int> recordsOf;
        for (const auto& a : m.attributes) {
            if (a.kind != 'A') continue;
            ++recordsOf[a.target];
            if (a.code == 1105) {
                ASSERT_EQ(a.values.size(), 2u);
                EXPECT_TRUE(digits(a.values[0], 5)) << a.values[0];
                EXPECT_TRUE(a.values[1].ends_with("区") || a.values[1].ends_with("市")) << a.values[1];
            } else if (a.code == 1106) {
                ASSERT_EQ(a.values.size(), 3u);
                EXPECT_TRUE(digits(a.values[1], 6)) << a.values[1];
                EXPECT_TRUE(a.values[2].ends_with("丁目")) << a.values[2];
            } else if (a.code == 1108) {
                ASSERT_GE(a.values.size(), 4u);
                EXPECT_TRUE(a.values[2].ends_with("丁目"));
                for (std::size_t i = 3; i < a.values.size(); ++i)
                    EXPECT_GT(std::stoi(a.values[i]), 0) << a.values[i];
            }
        }
        for (const auto& p : m.polygons)
            if (p.code / 100 == 11) {
                EXPECT_EQ(recordsOf[p.id], 1) << m.name << " polygon " << p.id;
            }
    }
}

TEST_P(GeneratedMap, BlockNumbersAreUniqueWithinTheirChome) {
    // A block cut by a sheet edge appears in both meshes with the same numbers;
    // otherwise no number repeats within a chome.
    std::map<std::string, std::map<std::string, std::set<std::string>>> numbersByChome;
    for (const MeshRec& m : meshes())
        for (const auto& a : m.attributes)
            if (a.code == 1108) {
                std::string key;
                for (std::size_t i = 3; i < a.values.size(); ++i) key += a.values[i] + ",";
                for (std::size_t i = 3; i < a.values.size(); ++i) numbersByChome[a.values[1]][a.values[i]].insert(key);
            }
    ASSERT_FALSE(numbersByChome.empty());
    for (const auto& [chome, numbers] : numbersByChome)
        for (const auto& [number, blocks] : numbers) EXPECT_EQ(blocks.size(), 1u) << chome << " block " << number;
}

TEST_P(GeneratedMap, EveryKindOfFeatureIsThere) {
    if (!GetParam().rich) GTEST_SKIP() << "too small a map for every kind of feature";
    std::set<int> arcCodes, polygonCodes, pointCodes;
    for (const MeshRec& m : meshes()) {
        for (const auto& a : m.arcs) arcCodes.insert(a.code);
        for (const auto& p : m.polygons) polygonCodes.insert(p.code);
        for (const auto& p : m.points) pointCodes.insert(p.code);
    }
    for (int c : {1105, 1106, 1108, 2101, 2110, 2112, 2300, 5101, 5121, 5122, 3500, 6242}) EXPECT_TRUE(arcCodes.count(c)) << c;
    for (int c : {1105, 1106, 1108, 5101, 5121, 3500, 6242, 6243}) EXPECT_TRUE(polygonCodes.count(c)) << c;
    for (int c : {2420, 7301}) EXPECT_TRUE(pointCodes.count(c)) << c;
}

TEST_P(GeneratedMap, RoadsAreNamedLikeRealOnes) {
    std::size_t national = 0, expressway = 0, other = 0, unnamed = 0;
    for (const MeshRec& m : meshes()) {
        std::set<int> named;
        for (const auto& a : m.attributes) {
            if (a.code != 2110) continue;
            named.insert(a.target);
            const std::string& v = a.values[0];
            if (v.starts_with("国道") && v.ends_with("号")) ++national;
            else if (v.find("高速") != std::string::npos || v.find("自動車道") != std::string::npos) ++expressway;
            else ++other;
        }
        for (const auto& a : m.arcs)
            if (a.code == 2110 && !named.count(a.id)) ++unnamed;
    }
    if (GetParam().rich) {
        EXPECT_GT(national, 0u);
        EXPECT_GT(expressway, 0u);
    }
    EXPECT_GT(unnamed, national + expressway + other) << "most streets have no name";
}

TEST_P(GeneratedMap, PointRecordsCarryTheirLabelsAndSurveyValues) {
    std::size_t stations = 0, controls = 0, buildings = 0;
    for (const MeshRec& m : meshes())
        for (const auto& a : m.attributes) {
            if (a.code == 2420) {
                ++stations;
                ASSERT_EQ(a.values.size(), 1u);
                EXPECT_TRUE(a.values[0].ends_with("駅"));
            } else if (a.code == 7301) {
                ++controls;
                ASSERT_EQ(a.values.size(), 11u);
                EXPECT_TRUE(digits(a.values[0], 8)) << a.values[0];
                EXPECT_EQ(a.values[7], "9");
                // X and Y are the point's own plane coordinates.
                const auto* p = m.point(a.target);
                EXPECT_NEAR(std::stod(a.values[8]), p->pos.y, 0.0015);
                EXPECT_NEAR(std::stod(a.values[9]), p->pos.x, 0.0015);
            } else if (a.code == 3500) {
                ++buildings;
                ASSERT_EQ(a.values.size(), 2u);
                EXPECT_TRUE(digits(a.values[0], 4) && a.values[0].starts_with("35")) << a.values[0];
            }
        }
    if (GetParam().rich) {
        EXPECT_GT(stations, 0u);
        EXPECT_GT(controls, 10u);
        EXPECT_GT(buildings, 5u);
    }
}

TEST_P(GeneratedMap, NodesAndNetworkRecordsMatchTheArcEnds) {
    for (const MeshRec& m : meshes()) {
        std::map<int, std::size_t> linksOf;
        for (const auto& l : m.links) {
            ++linksOf[l.arc];
            const auto* a = m.arc(l.arc);
            const auto* from = m.node(l.from);
            const auto* to = m.node(l.to);
            ASSERT_TRUE(a && from && to) << m.name << " network record of arc " << l.arc;
            EXPECT_EQ(from->pos, a->pts.front());
            EXPECT_EQ(to->pos, a->pts.back());
        }
        for (const auto& a : m.arcs) EXPECT_EQ(linksOf[a.id], 1u) << m.name << " arc " << a.id;
        for (const auto& n : m.nodes) {
            EXPECT_EQ(n.declared, static_cast<int>(n.refs.size()));
            ASSERT_FALSE(n.refs.empty());
            for (int r : n.refs) {
                const auto* a = m.arc(r);
                ASSERT_TRUE(a) << m.name << " node " << n.id << " names missing arc " << r;
                EXPECT_TRUE(a->pts.front() == n.pos || a->pts.back() == n.pos);
            }
            // The place digit says where on the sheet the node lies; inside the
            // map every edge node joins a neighbour (tens digit 0).
            const bool w = n.pos.x == m.southWest.x, e = n.pos.x == m.northEast.x;
            const bool s = n.pos.y == m.southWest.y, north = n.pos.y == m.northEast.y;
            const int place = north && w ? 1 : north && e ? 3 : s && e ? 5 : s && w ? 7 : north ? 2 : e ? 4 : s ? 6 : w ? 8 : 0;
            EXPECT_EQ(n.tag, place) << m.name << " node " << n.id;
        }
    }
}

TEST_P(GeneratedMap, LinesCutAtASheetEdgeGoOnInTheNeighbour) {
    // Every end of a road, railway or river line on a shared sheet edge is
    // also the end of a line of the same code in the mesh across the edge.
    std::map<std::pair<double, double>, std::set<std::string>> endsByPlace;
    for (const MeshRec& m : meshes())
        for (const auto& a : m.arcs)
            if (a.code == 2110 || a.code == 2300 || a.code == 5122)
                for (const XY& p : {a.pts.front(), a.pts.back()}) endsByPlace[{p.x, p.y}].insert(m.name + std::to_string(a.code));
    std::size_t crossings = 0;
    for (const MeshRec& m : meshes())
        for (const auto& a : m.arcs) {
            if (a.code != 2110 && a.code != 2300 && a.code != 5122) continue;
            for (const XY& p : {a.pts.front(), a.pts.back()}) {
                const bool onEdge = p.x == m.southWest.x || p.x == m.northEast.x || p.y == m.southWest.y ||
                                    p.y == m.northEast.y;
                if (!onEdge) continue;
                ++crossings;
                std::size_t meshesHere = 0;
                for (const MeshRec& other : meshes())
                    if (endsByPlace[{p.x, p.y}].count(other.name + std::to_string(a.code))) ++meshesHere;
                EXPECT_GE(meshesHere, 2u) << m.name << " arc " << a.id << " ends at the edge with no continuation";
            }
        }
    if (sheets() > 1) {
        EXPECT_GT(crossings, 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Maps, GeneratedMap,
                         ::testing::Values(MapCase{2, 2, 10, 3, true}, MapCase{1, 1, 2, 1}, MapCase{3, 1, 5, 9},
                                           MapCase{1, 3, 24, 4}, MapCase{2, 2, 3, 11}),
                         caseName);

}  // namespace
