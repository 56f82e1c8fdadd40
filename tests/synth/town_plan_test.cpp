#include "town_plan.h"

#include <gtest/gtest.h>

#include <set>

namespace {

synth::TownPlan plan(int cols, int rows, int blocks, std::uint64_t seed = 2) {
    synth::PlanParams p;
    p.cols = cols;
    p.rows = rows;
    p.blocksPerSide = blocks;
    p.seed = seed;
    return synth::TownPlan(p);
}

TEST(TownPlan, RoadsNeverRunAlongASheetEdge) {
    for (int blocks : {2, 7, 16, 250}) {
        const synth::TownPlan t = plan(3, 2, blocks);
        for (const auto& l : t.northSouthRoads()) EXPECT_NE(l.pos % synth::kSheetWidth, 0) << blocks;
        for (const auto& l : t.eastWestRoads()) EXPECT_NE(l.pos % synth::kSheetHeight, 0) << blocks;
        for (int i = 0; i < t.cellCols(); ++i)
            for (int j = 0; j < t.cellRows(); ++j) {
                const synth::Rect b = t.blockRect(i, j);
                EXPECT_GT(b.width(), 0);
                EXPECT_GT(b.height(), 0);
            }
    }
}

TEST(TownPlan, TheBoundaryBulgesOutwardAndMeetsAtTheCorners) {
    const synth::TownPlan t = plan(2, 2, 10);
    const synth::Rect f = t.municipalityFrame();
    EXPECT_EQ(t.boundaryPoint(synth::Side::South, f.x0), (synth::Pt{f.x0, f.y0}));
    EXPECT_EQ(t.boundaryPoint(synth::Side::West, f.y0), (synth::Pt{f.x0, f.y0}));
    EXPECT_EQ(t.boundaryPoint(synth::Side::North, f.x1), (synth::Pt{f.x1, f.y1}));
    synth::Cm largest = 0;
    for (synth::Side side : {synth::Side::South, synth::Side::East, synth::Side::North, synth::Side::West}) {
        const bool alongX = side == synth::Side::South || side == synth::Side::North;
        const synth::Cm from = alongX ? f.x0 : f.y0, to = alongX ? f.x1 : f.y1;
        for (synth::Cm a : t.boundarySamples(side, from, to)) {
            const synth::Cm off = t.boundaryOffset(side, a);
            EXPECT_GE(off, 0);
            largest = std::max(largest, off);
            // Never beyond the edge of the map.
            const synth::Pt p = t.boundaryPoint(side, a);
            EXPECT_TRUE((synth::Rect{0, 0, t.mapWidth(), t.mapHeight()}.contains(p)));
        }
    }
    EXPECT_GT(largest, 1000);
}

TEST(TownPlan, CorridorsAndTheExpresswayKeepApart) {
    for (std::uint64_t seed = 0; seed < 20; ++seed) {
        const synth::TownPlan t = plan(2, 1, 16, seed);
        ASSERT_GE(t.riverRow(), 1);
        ASSERT_GE(t.railwayCol(), 1);
        ASSERT_GE(t.expresswayLine(), 1);
        EXPECT_NE(t.expresswayLine(), t.riverRow());
        EXPECT_NE(t.expresswayLine(), t.riverRow() + 1);
        EXPECT_FALSE(t.stations().empty());
    }
    const synth::TownPlan tiny = plan(1, 1, 2);
    EXPECT_EQ(tiny.riverRow(), -1);
    EXPECT_EQ(tiny.railwayCol(), -1);
    EXPECT_EQ(tiny.expresswayLine(), -1);
}

TEST(TownPlan, EveryCellBelongsToTheChomeThatHoldsIt) {
    const synth::TownPlan t = plan(2, 2, 12);
    std::set<std::string> codes;
    for (const auto& c : t.chomes()) EXPECT_TRUE(codes.insert(c.code).second) << c.code;
    for (int i = 0; i < t.cellCols(); ++i)
        for (int j = 0; j < t.cellRows(); ++j) {
            const int chome = t.chomeOfCell(i, j);
            EXPECT_EQ(t.chomeAt(t.cellRect(i, j).centre()), chome);
            int i0, i1, j0, j1;
            t.chomeCells(chome, i0, i1, j0, j1);
            EXPECT_TRUE(i >= i0 && i < i1 && j >= j0 && j < j1);
        }
}

TEST(TownPlan, MeshNamesAreTheThirdOrderMeshesOfTheSheetCentres) {
    const synth::TownPlan t = plan(5, 4, 4);
    std::set<std::string> names;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 5; ++c) names.insert(t.meshName(c, r));
    EXPECT_EQ(names.size(), 20u);
    // Sheets further east have larger longitude digits.
    EXPECT_LT(t.meshName(0, 0), t.meshName(4, 0));
}

}  // namespace
