// The grid's storage and GSI's bilinear interpolation on small grids whose
// answers follow from their nodes, and the iterated inverse on TKY2JGD.
#include "datum/datum_grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "datum/grid_shift.h"
#include "datum/gsi_grids.h"

namespace {

// Nodes 45" apart in longitude and 30" in latitude from 140°E, 36°N.
TGridLayout layout(int columns, int rows) { return {columns, rows, 140.0 * 3600, 36.0 * 3600, 45, 30}; }

// Fills every node with offsets that are bilinear in column and row, so that
// interpolation must give the same function between them.
double latAt(double c, double r) { return 11.0 + 0.5 * c - 0.25 * r + 0.125 * c * r; }
double lonAt(double c, double r) { return -11.5 + 0.75 * c + 0.5 * r - 0.0625 * c * r; }

TDatumGrid filled(int columns, int rows) {
    TDatumGrid grid(layout(columns, rows));
    std::vector<float> lat(columns), lon(columns);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            lat[c] = static_cast<float>(latAt(c, r));
            lon[c] = static_cast<float>(lonAt(c, r));
        }
        grid.SetRow(r, lat, lon);
    }
    return grid;
}

double degreesAt(double nodes, double step, double origin) { return (origin + nodes * step) / 3600.0; }

}  // namespace

TEST(DatumGrid, InterpolatesBilinearlyBetweenTheFourNodesAround) {
    const TDatumGrid grid = filled(40, 20);
    for (const auto& [c, r] : {std::pair{0.25, 0.5}, std::pair{17.9, 3.01}, std::pair{38.5, 18.75}}) {
        SCOPED_TRACE(testing::Message() << c << ", " << r);
        TGridOffset o;
        ASSERT_TRUE(grid.Interpolate(degreesAt(c, 45, 140.0 * 3600), degreesAt(r, 30, 36.0 * 3600), true, o));
        EXPECT_NEAR(o.Lat, latAt(c, r), 1e-5);
        EXPECT_NEAR(o.Lon, lonAt(c, r), 1e-5);
    }
}

TEST(DatumGrid, ANodeWithoutParameterOrAPointOutsideTheNodesGivesNoOffset) {
    TDatumGrid grid = filled(4, 4);
    const std::vector<float> zeros(4, 0.0f), lat{1, 2, 0, 4}, lon{1, 2, 0, 4};
    grid.SetRow(2, lat, lon);  // node (2, 2) has no parameter
    TGridOffset o;
    const double lonInside = degreesAt(2.5, 45, 140.0 * 3600), latInside = degreesAt(1.5, 30, 36.0 * 3600);
    EXPECT_FALSE(grid.Interpolate(lonInside, latInside, true, o));   // a corner of the cell is 0, 0
    EXPECT_TRUE(grid.Interpolate(lonInside, latInside, false, o));   // where zero is a real offset
    EXPECT_TRUE(grid.Interpolate(degreesAt(0.5, 45, 140.0 * 3600), latInside, true, o));  // a cell beside it
    EXPECT_FALSE(grid.Interpolate(degreesAt(-0.01, 45, 140.0 * 3600), latInside, false, o));
    EXPECT_FALSE(grid.Interpolate(lonInside, degreesAt(3.01, 30, 36.0 * 3600), false, o));
    EXPECT_FALSE(grid.Interpolate(NAN, latInside, false, o));
}

TEST(DatumGrid, KeepsOnlyTilesThatHoldAParameter) {
    TDatumGrid grid(layout(100, 50));
    std::vector<float> zeros(100, 0.0f), one = zeros;
    one[70] = 5.0f;
    for (int r = 0; r < 50; ++r) grid.SetRow(r, r == 33 ? one : zeros, zeros);
    EXPECT_EQ(grid.StoredTiles(), 1u);
    EXPECT_EQ(grid.Node(70, 33).Lat, 5.0);
    EXPECT_EQ(grid.Node(70, 33).Lon, 0.0);
    EXPECT_EQ(grid.Node(71, 33).Lat, 0.0);
    EXPECT_EQ(grid.Node(5, 5).Lat, 0.0);
}

// Forward then inverse on the official grid gives the point back; points in
// Tokyo, Sendai, Osaka and Naha, where the offsets differ most.
TEST(GridShift, InverseUndoesTheForwardShiftOnTky2Jgd) {
    const TGridShift shift(Tky2JgdGrid(), true);
    for (const auto& [lon, lat] : {std::pair{139.7671, 35.6812}, std::pair{140.8719, 38.2601},
                                  std::pair{135.5023, 34.6937}, std::pair{127.6809, 26.2124}}) {
        SCOPED_TRACE(testing::Message() << lat << ", " << lon);
        double x = lon, y = lat;
        ASSERT_TRUE(shift.Forward(x, y));
        EXPECT_GT(std::hypot(x - lon, y - lat), 3e-3);  // hundreds of metres moved
        ASSERT_TRUE(shift.Inverse(x, y));
        EXPECT_NEAR(x, lon, 1e-10);  // about 10 micrometres
        EXPECT_NEAR(y, lat, 1e-10);
    }
}
