// What each kind of record does through the one dispatch on its kind: its
// box, whether the drawing shows it, its renumbering when meshes merge; and
// the display categories' table.
#include <gtest/gtest.h>

#include "support/feature_builders.h"
#include "map/display_categories.h"

namespace {

// One feature of every kind in one mesh, of display category 21 where the
// kind has a code (nodes and network records have none).
struct EveryKind {
    TKDKObject map;
    TKDKLine* line;
    TKDKPolygon* polygon;
    TKDKPoint* point;
    TKDKAttribute* label;
    TKDKNode* node;
    TKDKNetwork* network;

    explicit EveryKind(const char* mesh = "a\\A.txt") {
        map.BeginMesh(std::make_unique<TKDKDescription>(0, mesh));
        line = &AddLineTo(map, 2110, 0, {At(0, 0), At(10, 5)});
        polygon = &AddPolygonTo(map, 2100, Rect(-3, -4, 2, 1));
        point = &AddPointFeatureTo(map, 2101, At(7, -9));
        label = &Attach(map, *line, 2110, {"name"});
        label->SetLabel("name", At(20, 30), clBlack, 10);
        const int32_t arcs[] = {1};
        node = &map.AddNode(1, 0, arcs, At(1, 1));
        network = &map.AddNetwork(1, 2, 3);
        map.FinishMesh();
    }
};

struct Box {
    TGeoPoint max = EmptyBoxMax(), min = EmptyBoxMin();
};

Box boundsOf(const TKDKElement& e, TGeoPoint start = At(100, 100)) {
    Box b{start, start};
    e.ExpandBounds(b.max, b.min);
    return b;
}

}  // namespace

TEST(FeatureKinds, ExpandBoundsTakesEachKindsGeometryAndEmptiesForKindsWithout) {
    EveryKind k;
    Box b = boundsOf(*k.line);
    EXPECT_EQ(b.min.X, 0);
    EXPECT_EQ(b.min.Y, 0);
    EXPECT_EQ(b.max.X, 100);
    EXPECT_EQ(b.max.Y, 100);
    b = boundsOf(*k.polygon, At(0, 0));
    EXPECT_EQ(b.min.X, -3);
    EXPECT_EQ(b.min.Y, -4);
    EXPECT_EQ(b.max.X, 2);
    EXPECT_EQ(b.max.Y, 1);
    b = boundsOf(*k.point, At(0, 0));
    EXPECT_EQ(b.min.Y, -9);
    EXPECT_EQ(b.max.X, 7);
    b = boundsOf(*k.label, At(0, 0));
    EXPECT_EQ(b.max.X, 20);
    EXPECT_EQ(b.max.Y, 30);
    for (const TKDKElement* e : {static_cast<const TKDKElement*>(k.node), static_cast<const TKDKElement*>(k.network)}) {
        b = boundsOf(*e);
        EXPECT_EQ(b.max.X, EmptyBoxMax().X);
        EXPECT_EQ(b.min.X, EmptyBoxMin().X);
    }
}

TEST(FeatureKinds, ShownByCategoryAndModeByCategoryOrNever) {
    EveryKind k;
    TDisplayState state;
    state.ViewMode = TViewMode::vmAll;
    const TKDKElement* all[] = {k.line, k.polygon, k.point, k.label, k.node, k.network};
    // 2100 is no drawn area code: the view mode hides the polygon, not the point or the label.
    const bool expected[] = {true, false, true, true, false, false};
    for (size_t i = 0; i < std::size(all); ++i) EXPECT_EQ(state.Shows(*all[i]), expected[i]) << i;
    EXPECT_TRUE(state.Shows(*k.line));  // the same through the concrete class
    EXPECT_FALSE(state.Shows(*k.polygon));
    EXPECT_FALSE(state.Shows(*k.node));

    state.CategoryShown[static_cast<size_t>(CategoryIndex(21))] = false;
    for (const TKDKElement* e : all) EXPECT_FALSE(state.Shows(*e));
}

TEST(FeatureKinds, MergingRenumbersEveryKind) {
    EveryKind first("a\\A.txt");
    EveryKind second("b\\B.txt");
    TErrorList errors;
    ASSERT_TRUE(first.map.Merge(second.map, errors));
    EXPECT_EQ(second.line->MeshNo, 1);
    EXPECT_EQ(second.polygon->MeshNo, 1);
    EXPECT_EQ(second.point->MeshNo, 1);
    EXPECT_EQ(second.label->TargetMeshNo, 1);
    EXPECT_EQ(second.node->MeshNo, 1);
    EXPECT_EQ(second.network->MeshNo, 1);
    EXPECT_EQ(first.node->MeshNo, 0);
    EXPECT_EQ(first.map.Nodes().size(), 2u);
    EXPECT_EQ(first.map.Networks()[1], second.network);
}

TEST(DisplayCategories, TableGivesIndexesSwitchesAndTheCodeList) {
    for (size_t i = 0; i < kCategoryCount; ++i) {
        EXPECT_EQ(CategoryIndex(kDisplayCategories[i].Major), static_cast<int>(i));
        EXPECT_FALSE(CategoryCaption(static_cast<int>(i)).empty());
    }
    EXPECT_EQ(CategoryIndex(22), -1);
    EXPECT_TRUE(CategoryCaption(-1).empty());
    EXPECT_TRUE(CategoryCaption(static_cast<int>(kCategoryCount)).empty());
    const TDisplayState fresh;
    for (size_t i = 0; i < kCategoryCount; ++i)
        EXPECT_EQ(fresh.CategoryShown[i], kDisplayCategories[i].ShownByDefault);
    EXPECT_EQ(CategoryCodeList(), "11, 21, 23, 24, 35, 51, 62, 73");
}
