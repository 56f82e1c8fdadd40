// The viewer's own reader takes the generated meshes without a single error
// line, builds every outline, links every attribute record and finds the
// address the generator wrote.
#include <gtest/gtest.h>

#include <memory>

#include "base/sjis.h"
#include "generated_mesh_reader.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "tables/prefectures.h"
#include "synth.h"
#include "queries/map_queries.h"

namespace {

class ViewerReading : public ::testing::Test {
protected:
    void SetUp() override {
        synth::generate({.cols = 2, .rows = 2, .blocksPerSide = 8, .seed = 6}, dir_.path());
        LoadDataPath(map_, dir_.path().string(), errors_);
        ASSERT_TRUE(map_);
    }
    testsupport::TempDir dir_;
    std::unique_ptr<TKDKObject> map_;
    TErrorList errors_;
};

TEST_F(ViewerReading, LoadsEveryMeshWithoutErrors) {
    for (const std::string& e : errors_) ADD_FAILURE() << sjis::toUtf8(e);
    EXPECT_EQ(map_->Descriptions().size(), 4u);
    EXPECT_TRUE(map_->HasBlocks);
    std::size_t arcs = 0, polygons = 0, points = 0, attributes = 0, nodes = 0;
    for (const auto& m : synthtest::readMeshes(dir_.path())) {
        arcs += m.arcs.size();
        polygons += m.polygons.size();
        points += m.points.size();
        attributes += m.attributes.size();
        nodes += m.nodes.size();
    }
    EXPECT_EQ(map_->Lines().size(), arcs);
    EXPECT_EQ(map_->Polygons().size(), polygons);
    EXPECT_EQ(map_->Points().size(), points);
    EXPECT_EQ(map_->Attributes().size(), attributes);
    EXPECT_EQ(map_->Nodes().size(), nodes);
    EXPECT_EQ(map_->Networks().size(), arcs);
}

TEST_F(ViewerReading, EveryOutlineIsBuiltAndEveryAreaOfTheAdministrationLinked) {
    for (const auto& p : map_->Polygons()) {
        ASSERT_GE(p->RingCount, 4) << p->Major * 100 + p->Minor << " polygon " << p->Id;
        EXPECT_EQ(p->Ring().front().X, p->Ring().back().X);
        EXPECT_EQ(p->Ring().front().Y, p->Ring().back().Y);
        if (p->Major == 11) {
            EXPECT_NE(p->Attribute, nullptr) << "polygon " << p->Id;
        }
    }
}

TEST_F(ViewerReading, TheCentreAddressOfABlockIsTheOneItsRecordNames) {
    std::size_t checked = 0;
    for (const auto& m : synthtest::readMeshes(dir_.path()))
        for (const auto& a : m.attributes) {
            if (a.code != 1108) continue;
            const auto* block = m.polygon(a.target);
            const auto* municipality = &m.attributes.front();
            ASSERT_EQ(municipality->code, 1105);
            const TCentreAddress address = CentreAddress(*map_, {block->rep.x, block->rep.y, 0});
            std::string numbers = a.values[3];
            for (std::size_t i = 4; i < a.values.size(); ++i) numbers += "," + a.values[i];
            EXPECT_EQ(sjis::toUtf8(address.City), municipality->values[1]);
            EXPECT_EQ(sjis::toUtf8(address.Chome), a.values[2]);
            EXPECT_EQ(sjis::toUtf8(address.Block), numbers);
            EXPECT_EQ(address.Prefecture, PrefectureName(std::stoi(municipality->values[0].substr(0, 2))));
            EXPECT_FALSE(address.Prefecture.empty());
            if (++checked == 40) return;
        }
    FAIL() << "only " << checked << " blocks";
}

}  // namespace
