// The attribute values, nodes and network records the map keeps in its
// pooled storage equal the records as an independent reader splits the
// files' text, on the bundled sample and on a generated town of several meshes.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "base/sjis.h"
#include "generated_mesh_reader.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace fs = std::filesystem;

namespace {

void expectRecordsAsWritten(const fs::path& root) {
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadDataPath(map, root.string(), errors);
    ASSERT_TRUE(map);
    const std::vector<synthtest::MeshRec> meshes = synthtest::readMeshes(root);
    ASSERT_EQ(map->Descriptions().size(), meshes.size());

    const auto attributeList = map->Attributes();
    const auto nodeList = map->Nodes();
    const auto networkList = map->Networks();
    auto attribute = attributeList.begin();
    auto node = nodeList.begin();
    auto network = networkList.begin();
    size_t attributes = 0, values = 0, nodes = 0, networks = 0;
    for (size_t m = 0; m < meshes.size(); ++m) {
        for (const synthtest::AttributeRec& written : meshes[m].attributes) {
            ASSERT_NE(attribute, attributeList.end());
            const TKDKAttribute& a = **attribute++;
            EXPECT_EQ(a.TargetMeshNo, static_cast<int>(m));
            EXPECT_EQ(a.Kind, written.kind);
            EXPECT_EQ(a.Code(), written.code);
            EXPECT_EQ(a.TargetId, written.target);
            ASSERT_EQ(a.Values.size(), written.values.size()) << "record " << attributes;
            EXPECT_EQ(a.ValueCount, static_cast<int>(written.values.size()));
            size_t i = 0;
            for (std::string_view v : a.Values) {
                EXPECT_EQ(sjis::toUtf8(v), written.values[i]) << "record " << attributes << " value " << i;
                EXPECT_EQ(a.Values[i], v);
                ++i;
            }
            values += i;
            ++attributes;
        }
        for (const synthtest::NodeRec& written : meshes[m].nodes) {
            ASSERT_NE(node, nodeList.end());
            const TKDKNode& n = **node++;
            EXPECT_EQ(n.MeshNo, static_cast<int>(m));
            EXPECT_EQ(n.Id, written.id);
            EXPECT_EQ(n.NodeTag, written.tag);
            EXPECT_EQ(n.Position.X, written.pos.x);
            EXPECT_EQ(n.Position.Y, written.pos.y);
            EXPECT_EQ(std::vector<int>(n.ArcRefs.begin(), n.ArcRefs.end()), written.refs) << "node " << n.Id;
            ++nodes;
        }
        for (const synthtest::LinkRec& written : meshes[m].links) {
            ASSERT_NE(network, networkList.end());
            const TKDKNetwork& n = **network++;
            EXPECT_EQ(n.MeshNo, static_cast<int>(m));
            EXPECT_EQ(n.Id, written.arc);
            EXPECT_EQ(n.Value1, written.from);
            EXPECT_EQ(n.Value2, written.to);
            ++networks;
        }
    }
    EXPECT_EQ(attribute, attributeList.end());
    EXPECT_EQ(node, nodeList.end());
    EXPECT_EQ(network, networkList.end());
    // The files hold records of every kind, and values beyond the short-string size.
    EXPECT_GT(attributes, 100u);
    EXPECT_GT(values, attributes);
    EXPECT_GT(nodes, 100u);
    EXPECT_GT(networks, 100u);
}

TEST(PooledRecords, TheSampleKeepsEveryValueNodeAndNetworkRecord) { expectRecordsAsWritten(ORVELLE_SAMPLE); }

TEST(PooledRecords, AGeneratedTownKeepsEveryValueNodeAndNetworkRecord) {
    testsupport::TempDir dir;
    synth::PlanParams p;
    p.cols = 3;
    p.rows = 2;
    p.blocksPerSide = 10;
    p.seed = 4;
    synth::generate(p, dir.path());
    expectRecordsAsWritten(dir.path());
}

}  // namespace
