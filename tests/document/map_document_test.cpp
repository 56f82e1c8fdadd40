// The map document: what a new map, a merged mesh and closing reset, the
// shared map's lifetime, the attribute search's selection and the road graph
// kept per map.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "document/map_document.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

namespace {

class MapDocumentTest : public ::testing::Test {
protected:
    std::unique_ptr<TKDKObject> readTown() {
        auto mesh = std::make_unique<TKDKObject>();
        TErrorList errors;
        ReadMeshOnItsOwn(*mesh, description_.string(), errors);
        return mesh;
    }

    testsupport::TempDir dir_;
    std::filesystem::path description_ = testsupport::writeTown(dir_.path());
    MapDocument document_;
};

TEST_F(MapDocumentTest, FirstMeshBecomesTheMapWithEveryCategoryOn) {
    EXPECT_FALSE(document_.HasMap());
    EXPECT_EQ(document_.SearchAttrib(-1, -1, false, "x"), -1);
    EXPECT_FALSE(document_.SetCategoryVisible(35, false));
    EXPECT_TRUE(document_.AddMesh(readTown()));
    ASSERT_TRUE(document_.HasMap());
    EXPECT_TRUE(document_.CategoryVisible(35));
    EXPECT_TRUE(document_.SetCategoryVisible(35, false));
    EXPECT_FALSE(document_.CategoryVisible(35));
    EXPECT_FALSE(document_.SetCategoryVisible(99, false));
}

TEST_F(MapDocumentTest, ViewModeStartsAtAllAndSurvivesClosing) {
    EXPECT_EQ(document_.Display.ViewMode, TViewMode::vmAll);
    document_.AddMesh(readTown());
    document_.Display.ViewMode = TViewMode::vmGaiku;  // the town has blocks: it stays
    document_.SetCategoryVisible(62, false);
    document_.Close();
    EXPECT_EQ(document_.Display.ViewMode, TViewMode::vmGaiku);
    document_.AddMesh(readTown());
    EXPECT_TRUE(document_.CategoryVisible(62));
}

TEST_F(MapDocumentTest, ClosingDropsEverythingOfTheMapButAJobKeepsItsMap) {
    document_.AddMesh(readTown());
    ASSERT_GT(document_.SearchAttrib(-1, -1, false, sjis::fromUtf8(u8"東京")), 0);
    document_.Marks.Place = TGeoPoint2D{1, 2};
    document_.ErrorList.push_back("e");
    const std::shared_ptr<const TKDKObject> held = document_.SharedMap();
    const std::shared_ptr<RoadGraphOfMap> graph = document_.RoadGraph();
    document_.Close();
    EXPECT_FALSE(document_.HasMap());
    EXPECT_TRUE(document_.SelectedFeatures.empty());
    EXPECT_TRUE(document_.Marks.Empty());
    EXPECT_TRUE(document_.ErrorList.empty());
    EXPECT_EQ(document_.RoadGraph(), nullptr);
    ASSERT_TRUE(held);
    EXPECT_GT(held->Lines().size(), 0u);  // still readable
    EXPECT_EQ(graph->Map(), held.get());
    EXPECT_GT(graph->Graph().VertexCount(), 0u);
}

TEST_F(MapDocumentTest, SearchAppendsAndClearingReportsWhetherThereWasASelection) {
    document_.AddMesh(readTown());
    const int first = document_.SearchAttrib(-1, -1, false, sjis::fromUtf8(u8"東京"));
    ASSERT_GT(first, 0);
    const int second = document_.SearchAttrib(-1, -1, false, sjis::fromUtf8(u8"日比谷公園"));
    ASSERT_GT(second, 0);
    EXPECT_EQ(document_.SelectedFeatures.size(), static_cast<size_t>(first + second));
    EXPECT_TRUE(document_.ClearSelected());
    EXPECT_FALSE(document_.ClearSelected());
}

TEST_F(MapDocumentTest, RoadGraphIsOnePerMap) {
    document_.AddMesh(readTown());
    const std::shared_ptr<RoadGraphOfMap> graph = document_.RoadGraph();
    EXPECT_EQ(document_.RoadGraph(), graph);
    EXPECT_EQ(graph->Map(), document_.Map());
}

TEST_F(MapDocumentTest, MergingFirstLetsGoOfWhatWasBuiltFromTheMap) {
    document_.AddMesh(readTown());
    const std::weak_ptr<RoadGraphOfMap> graph = document_.RoadGraph();
    document_.PlaceIndex = std::shared_ptr<const TPlaceIndex>(document_.SharedMap(), nullptr);  // an index holds its map
    const std::weak_ptr<const TKDKObject> map = document_.SharedMap();
    EXPECT_EQ(map.use_count(), 3);  // the document, the graph and the index
    EXPECT_FALSE(document_.AddMesh(readTown()));
    EXPECT_EQ(map.use_count(), 1);
    EXPECT_TRUE(graph.expired());
    EXPECT_EQ(document_.PlaceIndex, nullptr);
}

}  // namespace
