// The attribute values, labels, nodes and network records the map keeps in
// its pooled storage equal the records as an independent reader splits the
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
#include "tables/feature_codes.h"

namespace fs = std::filesystem;

namespace {

// The label a linked record carries by the drawing's rules (UTF-8): a chome's
// name, a block's numbers joined by commas, a building's name, a station's.
std::string labelOf(const synthtest::AttributeRec& r) {
    const std::vector<std::string>& v = r.values;
    if (r.kind == 'A' && r.code == codes::kChome && v.size() == 3) return v[2];
    if (r.kind == 'A' && r.code == codes::kBlock && v.size() > 3) {
        std::string label = v[3];
        for (size_t i = 4; i < v.size(); ++i) label += "," + v[i];
        return label;
    }
    if (r.kind == 'A' && r.code / 100 == codes::kBuildingMajor && v.size() >= 2) return v[1];
    if (r.kind == 'P' && r.code == codes::kStation && v.size() == 1) return v[0];
    return {};
}

// blockNumbers: the data has blocks numbered with several values, whose labels are joined.
void expectRecordsAsWritten(const fs::path& root, bool blockNumbers = false) {
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
    size_t attributes = 0, values = 0, labels = 0, joinedLabels = 0, nodes = 0, networks = 0;
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
            const std::string label = labelOf(written);
            EXPECT_EQ(sjis::toUtf8(a.LabelText), label) << "record " << attributes;
            labels += label.empty() ? 0 : 1;
            joinedLabels += label.find(',') == std::string::npos ? 0 : 1;
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
    EXPECT_GT(labels, 10u);
    if (blockNumbers) {
        EXPECT_GT(joinedLabels, 10u);
    }
    EXPECT_GT(nodes, 100u);
    EXPECT_GT(networks, 100u);
}

TEST(PooledRecords, TheSampleKeepsEveryValueLabelNodeAndNetworkRecord) { expectRecordsAsWritten(ORVELLE_SAMPLE); }

TEST(PooledRecords, AGeneratedTownKeepsEveryValueLabelNodeAndNetworkRecord) {
    testsupport::TempDir dir;
    synth::PlanParams p;
    p.cols = 3;
    p.rows = 2;
    p.blocksPerSide = 10;
    p.seed = 4;
    synth::generate(p, dir.path());
    expectRecordsAsWritten(dir.path(), true);
}

}  // namespace
