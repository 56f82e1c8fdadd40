#include "geodesy.h"

#include <gtest/gtest.h>

namespace {

// Reference values from PROJ 9 (EPSG:2451, JGD2000 / Japan Plane Rectangular CS IX, to EPSG:4612).
TEST(Geodesy, PlaneCoordinatesOfZoneNineBecomeLatitudeAndLongitude) {
    struct Case {
        double northing, easting, lat, lon;
    } cases[] = {
        {0, 0, 36.0, 139.8333333333},
        {-35000, -8000, 35.6844958824, 139.7449476681},
        {-37500, -12000, 35.6619210624, 139.7007921843},
        {12000, 25000, 36.1078361208, 140.1110127447},
    };
    for (const Case& c : cases) {
        const synth::LatLon p = synth::planeToGeodetic(c.northing, c.easting);
        EXPECT_NEAR(p.lat, c.lat, 1e-9) << c.northing << "," << c.easting;
        EXPECT_NEAR(p.lon, c.lon, 1e-9) << c.northing << "," << c.easting;
    }
}

TEST(Geodesy, EastAndWestOfTheCentralMeridianMirror) {
    const synth::LatLon east = synth::planeToGeodetic(-20000, 15000);
    const synth::LatLon west = synth::planeToGeodetic(-20000, -15000);
    EXPECT_NEAR(east.lat, west.lat, 1e-12);
    EXPECT_NEAR(east.lon - synth::kZone9Origin.lon, synth::kZone9Origin.lon - west.lon, 1e-12);
}

TEST(Geodesy, MeshCodesFollowTheStandardRegionalGrid) {
    // 35.6845 N, 139.7449 E: first-order 5339 (35°20'-36°00', 139°-140°),
    // second-order row 4 col 5, third-order row 2 col 9.
    const synth::LatLon p{35.6844958824, 139.7449476681};
    EXPECT_EQ(synth::thirdMeshCode(p), "53394529");
    EXPECT_EQ(synth::secondMeshCode(p), "533945");
    // On the corner of a first-order cell every lower digit is 0.
    EXPECT_EQ(synth::thirdMeshCode({36.0, 140.0}), "54400000");
    EXPECT_EQ(synth::thirdMeshCode({35.999999, 139.999999}), "53397799");
}

TEST(Geodesy, DegreesMinutesSecondsCarryRoundedSeconds) {
    EXPECT_EQ(synth::formatDms(35.6844958824, 4), "35°41′04.1852″");
    EXPECT_EQ(synth::formatDms(36.0, 2), "36°00′00.00″");
    EXPECT_EQ(synth::formatDms(35.0 + 59.0 / 60 + 59.99999 / 3600, 2), "36°00′00.00″");
    EXPECT_EQ(synth::formatDms(-0.5, 0), "-0°30′00″");
}

}  // namespace
