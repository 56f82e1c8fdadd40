// The translator's datum shifts: GSI's grid against the three-parameter
// shift, its inverse, the points where the grid has no parameter, and
// JGD2011 against PROJ running both grids in an explicit pipeline.
#include <gtest/gtest.h>
#include <proj.h>

#include <cmath>
#include <string>

#include "datum/grid_location.h"
#include "view/coordinate_translator.h"

using F = TCoordsFormat;

namespace {

constexpr double kDeg = kGeographicUnitsPerDegree;
// 1 mm is 1/30.9 of a hundredth of an arc-second of latitude; longitude is
// converted at the point's latitude.
double metresBetween(const TGeoPoint2D& a, const TGeoPoint2D& b) {
    const double lat = a.Y / kDeg * M_PI / 180;
    const double north = (a.Y - b.Y) / 100 * 30.87, east = (a.X - b.X) / 100 * 30.87 * std::cos(lat);
    return std::hypot(north, east);
}

struct Translation {
    TCoordinateTranslator T;
    Translation(F from, F to, TDatumShift shift) {
        T.SetDatumShift(shift);
        T.SetSource(from);
        T.SetTarget(to);
    }
};

TGeoPoint2D degrees(double lat, double lon) { return {lon * kDeg, lat * kDeg}; }

}  // namespace

TEST(TranslatorDatumShift, GridMovesTokyoPointsMetresFromTheThreeParameterShiftAndBack) {
    Translation grid(F::cfProjectedTKY09, F::cfProjectedJGD09, TDatumShift::dsGrid);
    Translation back(F::cfProjectedJGD09, F::cfProjectedTKY09, TDatumShift::dsGrid);
    Translation helmert(F::cfProjectedTKY09, F::cfProjectedJGD09, TDatumShift::dsHelmert);
    // Points over the Kanto plain; the few on water without parameters are
    // the next test's concern.
    int byGrid = 0;
    for (double x = -30000; x <= 30000; x += 7500) {
        for (double y = -30000; y <= 30000; y += 10000) {
            SCOPED_TRACE(testing::Message() << x << " " << y);
            bool approximate = true;
            const auto jgd = grid.T.TryTransform({x, y}, approximate);
            ASSERT_TRUE(jgd);
            if (approximate) continue;
            ++byGrid;
            const TGeoPoint2D three = helmert.T.Transform({x, y});
            const double apart = std::hypot(jgd->X - three.X, jgd->Y - three.Y);
            EXPECT_GT(apart, 0.5);  // GSI's grid is not the three-parameter shift ...
            EXPECT_LT(apart, 10);   // ... but a few metres from it on Honshu
            const auto tokyo = back.T.TryTransform(*jgd);
            ASSERT_TRUE(tokyo);
            EXPECT_LT(std::hypot(tokyo->X - x, tokyo->Y - y), 1e-3);
        }
    }
    EXPECT_GE(byGrid, 50);
    EXPECT_EQ(grid.T.FallbackCount(), static_cast<uint64_t>(63 - byGrid));
}

// Chubu Centrair airport (all four nodes without parameter) and Fukuoka
// Island City (one of four): the three-parameter shift, counted and marked.
TEST(TranslatorDatumShift, PointsWithoutParameterGoByTheThreeParameterShiftAndAreCounted) {
    for (const F target : {F::cfGeodeticJGD, F::cfGeodeticWGS, F::cfProjectedJGD07}) {
        SCOPED_TRACE(CoordsFormatName(target));
        Translation grid(F::cfGeodeticTKY, target, TDatumShift::dsGrid);
        Translation helmert(F::cfGeodeticTKY, target, TDatumShift::dsHelmert);
        uint64_t expected = 0;
        for (const TGeoPoint2D p : {degrees(34.8552, 136.8081), degrees(33.6599, 130.4146)}) {
            bool approximate = false;
            const auto converted = grid.T.TryTransform(p, approximate);
            ASSERT_TRUE(converted);
            EXPECT_TRUE(approximate);
            EXPECT_EQ(grid.T.FallbackCount(), ++expected);
            // Within a millimetre: into WGS84 the direct operation leaves the
            // Tokyo shift on the WGS84 ellipsoid, not on GRS80 (0.1 mm apart).
            const TGeoPoint2D three = helmert.T.Transform(p);
            const double tolerance = CoordsFormatEntry(target).Kind == kCoordsKindGeographic ? 3e-3 : 1e-3;
            EXPECT_NEAR(converted->X, three.X, tolerance);
            EXPECT_NEAR(converted->Y, three.Y, tolerance);
        }
        bool approximate = true;
        ASSERT_TRUE(grid.T.TryTransform(degrees(35.68, 139.76), approximate));
        EXPECT_FALSE(approximate);
        EXPECT_EQ(grid.T.FallbackCount(), expected);
    }
}

// Back onto the Tokyo datum where the grid has no parameter: the inverse of
// the three-parameter shift, marked (its round trip keeps PROJ's few
// millimetres of the height it leaves out).
TEST(TranslatorDatumShift, InverseWhereTheGridHasNoParameterIsTheThreeParameterInverse) {
    Translation there(F::cfGeodeticTKY, F::cfGeodeticJGD, TDatumShift::dsGrid);
    Translation back(F::cfGeodeticJGD, F::cfGeodeticTKY, TDatumShift::dsGrid);
    Translation helmertBack(F::cfGeodeticJGD, F::cfGeodeticTKY, TDatumShift::dsHelmert);
    const TGeoPoint2D centrair = degrees(34.8552, 136.8081);
    const TGeoPoint2D jgd = there.T.Transform(centrair);
    bool approximate = false;
    const auto tokyo = back.T.TryTransform(jgd, approximate);
    ASSERT_TRUE(tokyo);
    EXPECT_TRUE(approximate);
    EXPECT_LT(metresBetween(*tokyo, helmertBack.T.Transform(jgd)), 1e-4);
    EXPECT_LT(metresBetween(*tokyo, centrair), 5e-3);
}

// JGD2011 against PROJ with both grids in one explicit pipeline (inside the
// correction grid), and the three-parameter shift followed by the correction.
TEST(TranslatorDatumShift, Jgd2011AgreesWithProjRunningBothGrids) {
    const std::string tky = FindGridFile("TKY2JGD.tif").string();
    const std::string correction = FindGridFile("touhokutaiheiyouoki2011.tif").string();
    PJ_CONTEXT* context = proj_context_create();
    const std::string degreesIn = "+proj=pipeline +step +proj=unitconvert +xy_in=deg +xy_out=rad ";
    const std::string zone9 = "+step +proj=tmerc +lat_0=36 +lon_0=139.833333333333 +k=0.9999 +x_0=0 +y_0=0 +ellps=GRS80";
    const std::string degreesOut = "+step +proj=unitconvert +xy_in=rad +xy_out=deg";
    const std::string bothGrids = "+step +proj=hgridshift +grids=" + tky + " +step +proj=hgridshift +grids=" + correction + " ";
    const std::string helmert =
        "+step +inv +proj=longlat +a=6377397.155 +rf=299.152813 +step +proj=push +v_3 "
        "+step +proj=cart +a=6377397.155 +rf=299.152813 +step +proj=helmert +x=-148 +y=507 +z=685 "
        "+step +inv +proj=cart +ellps=GRS80 +step +proj=pop +v_3 +step +proj=longlat +ellps=GRS80 "
        "+step +proj=hgridshift +grids=" + correction + " ";
    struct Case {
        F From, To;
        TDatumShift Shift;
        std::string Oracle;
    } cases[] = {
        {F::cfGeodeticTKY, F::cfGeodeticJGD2011, TDatumShift::dsGrid, degreesIn + bothGrids + degreesOut},
        {F::cfGeodeticTKY, F::cfProjectedJGD2011_09, TDatumShift::dsGrid, degreesIn + bothGrids + zone9},
        {F::cfGeodeticTKY, F::cfGeodeticJGD2011, TDatumShift::dsHelmert, degreesIn + helmert + degreesOut},
        {F::cfGeodeticJGD, F::cfGeodeticJGD2011, TDatumShift::dsGrid,
         degreesIn + "+step +proj=hgridshift +grids=" + correction + " " + degreesOut},
    };
    // Sendai, Fukushima, Tokyo, Mito: the correction from 3.3 m to 0.3 m.
    const TGeoPoint2D places[] = {degrees(38.2601, 140.8719), degrees(37.7503, 140.4676), degrees(35.6812, 139.7671),
                                  degrees(36.3658, 140.4712)};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(CoordsFormatName(c.From)) + " " + std::string(CoordsFormatName(c.To)) + " " +
                     std::string(DatumShiftName(c.Shift)));
        Translation ours(c.From, c.To, c.Shift);
        PJ* oracle = proj_create(context, c.Oracle.c_str());
        ASSERT_NE(oracle, nullptr) << c.Oracle;
        const bool planar = CoordsFormatEntry(c.To).Kind == kCoordsKindProjected;
        for (const TGeoPoint2D& p : places) {
            const TGeoPoint2D got = ours.T.Transform(p);
            const PJ_COORD o = proj_trans(oracle, PJ_FWD, proj_coord(p.X / kDeg, p.Y / kDeg, 0, 0));
            if (planar) {
                EXPECT_LT(std::hypot(got.X - o.xy.x, got.Y - o.xy.y), 1e-3);
            } else {
                EXPECT_LT(metresBetween(got, {o.xy.x * kDeg, o.xy.y * kDeg}), 1e-3);
            }
        }
        proj_destroy(oracle);
    }
    proj_context_destroy(context);
}

// Western Japan lies outside the correction: JGD2011 equals JGD2000 there,
// and its zones give the JGD2000 zones' metres.
TEST(TranslatorDatumShift, Jgd2011EqualsJgd2000OutsideTheCorrectedArea) {
    Translation jgd2011(F::cfProjectedTKY06, F::cfProjectedJGD2011_06, TDatumShift::dsGrid);
    Translation jgd2000(F::cfProjectedTKY06, F::cfProjectedJGD06, TDatumShift::dsGrid);
    const TGeoPoint2D osaka{-50000, -144000};
    const TGeoPoint2D a = jgd2011.T.Transform(osaka), b = jgd2000.T.Transform(osaka);
    EXPECT_NE(a.X, osaka.X);
    EXPECT_NEAR(a.X, b.X, 1e-9);
    EXPECT_NEAR(a.Y, b.Y, 1e-9);
}
