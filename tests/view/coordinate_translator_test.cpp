#include "view/coordinate_translator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using F = TCoordsFormat;

namespace {

// Hundredths of an arc-second.
double dms(int degrees, int minutes, double seconds) {
    return ((degrees * 60 + minutes) * 60 + seconds) * 100;
}

// 1 mm on the ground is about 0.0032 hundredths of an arc-second of latitude.
constexpr double kMillimetre = 1e-3;
constexpr double kMillimetreOfArc = 3e-3;

struct Translation {
    TCoordinateTranslator Translator;
    Translation(F from, F to) {
        Translator.SetSource(from);
        Translator.SetTarget(to);
    }
    TGeoPoint2D operator()(double x, double y) const { return Translator.Transform({x, y}); }
};

}  // namespace

TEST(CoordinateTranslator, StartsCartesianAndReturnsItsInput) {
    TCoordinateTranslator t;
    EXPECT_EQ(t.GetSourceFormat(), F::cfCartesian);
    EXPECT_EQ(t.GetTargetFormat(), F::cfCartesian);
    const TGeoPoint2D p = t.Transform({-1234.5, 678.25});
    EXPECT_EQ(p.X, -1234.5);
    EXPECT_EQ(p.Y, 678.25);
}

TEST(CoordinateTranslator, EqualFormatsGiveThePointItself) {
    Translation plane(F::cfProjectedJGD09, F::cfProjectedJGD09);
    EXPECT_EQ(plane.Translator.GetSourceFormat(), F::cfProjectedJGD09);
    TGeoPoint2D p = plane(12345.678, -23456.789);
    EXPECT_EQ(p.X, 12345.678);
    EXPECT_EQ(p.Y, -23456.789);

    // Going through degrees would not give this value back bit for bit.
    const double latitude = 12848250.11;
    ASSERT_NE(latitude / kGeographicUnitsPerDegree * kGeographicUnitsPerDegree, latitude);
    Translation geographic(F::cfGeodeticWGS, F::cfGeodeticWGS);
    p = geographic(50313005.37, latitude);
    EXPECT_EQ(p.X, 50313005.37);
    EXPECT_EQ(p.Y, latitude);
}

TEST(CoordinateTranslator, ZoneOriginsConvertToTheirLatitudeAndLongitude) {
    struct Origin {
        int LatDegrees, LonDegrees, LonMinutes;
    };
    const Origin origins[19] = {{33, 129, 30}, {33, 131, 0},  {36, 132, 10}, {33, 133, 30},
                                {36, 134, 20}, {36, 136, 0},  {36, 137, 10}, {36, 138, 30},
                                {36, 139, 50}, {40, 140, 50}, {44, 140, 15}, {44, 142, 15},
                                {44, 144, 15}, {26, 142, 0},  {26, 127, 30}, {26, 124, 0},
                                {26, 131, 0},  {20, 136, 0},  {26, 154, 0}};
    for (int zone = 1; zone <= 19; ++zone) {
        SCOPED_TRACE(testing::Message() << "zone " << zone);
        const Origin& o = origins[zone - 1];
        const double lon = dms(o.LonDegrees, o.LonMinutes, 0), lat = dms(o.LatDegrees, 0, 0);
        const F jgdZone = FormatFromDatum(kDatumJGD2000, zone);
        const F tokyoZone = FormatFromDatum(kDatumTokyo, zone);
        for (auto [from, to] : {std::pair{jgdZone, F::cfGeodeticJGD},
                                std::pair{tokyoZone, F::cfGeodeticTKY}}) {
            const TGeoPoint2D p = Translation(from, to)(0, 0);
            EXPECT_NEAR(p.X, lon, 1e-4);
            EXPECT_NEAR(p.Y, lat, 1e-4);
        }
        const TGeoPoint2D wgs = Translation(jgdZone, F::cfGeodeticWGS)(0, 0);
        EXPECT_NEAR(wgs.X, lon, kMillimetreOfArc);
        EXPECT_NEAR(wgs.Y, lat, kMillimetreOfArc);
    }
    EXPECT_NEAR(Translation(F::cfProjectedJGD09, F::cfGeodeticWGS)(0, 0).X, 50340000, 1e-4);
}

TEST(CoordinateTranslator, TokyoDatumOriginLandsOnItsJgd2000Position) {
    // The datum origin in Azabu on the Tokyo datum and on JGD2000.
    const TGeoPoint2D tokyo{dms(139, 44, 40.5020), dms(35, 39, 17.5148)};
    const TGeoPoint2D jgd{dms(139, 44, 28.8759), dms(35, 39, 29.1572)};
    constexpr double kHalfSecond = 50;

    for (F target : {F::cfGeodeticJGD, F::cfGeodeticWGS}) {
        SCOPED_TRACE(CoordsFormatName(target));
        const TGeoPoint2D p = Translation(F::cfGeodeticTKY, target)(tokyo.X, tokyo.Y);
        EXPECT_NEAR(p.X, jgd.X, kHalfSecond);
        EXPECT_NEAR(p.Y, jgd.Y, kHalfSecond);
    }
    // The same point in a zone 9 data set on the Tokyo datum.
    const TGeoPoint2D plane = Translation(F::cfGeodeticTKY, F::cfProjectedTKY09)(tokyo.X, tokyo.Y);
    // 5'19" west and 20'42" south of the zone origin: about 8.0 km and 38.3 km.
    EXPECT_NEAR(plane.X, -8000, 200);
    EXPECT_NEAR(plane.Y, -38300, 200);
    for (F target : {F::cfGeodeticWGS, F::cfProjectedJGD09}) {
        SCOPED_TRACE(CoordsFormatName(target));
        const TGeoPoint2D direct = Translation(F::cfProjectedTKY09, target)(plane.X, plane.Y);
        const TGeoPoint2D expected = Translation(F::cfGeodeticJGD, target)(jgd.X, jgd.Y);
        const double tolerance = target == F::cfGeodeticWGS ? kHalfSecond : 15.0;  // 0.5" in metres
        EXPECT_NEAR(direct.X, expected.X, tolerance);
        EXPECT_NEAR(direct.Y, expected.Y, tolerance);
    }
}

TEST(CoordinateTranslator, TokyoPlaneToWgs84IncludesTheDatumShift) {
    // 139°50'E 36°N on WGS84 lies some 300 m east and 350 m south of the
    // Tokyo-datum zone 9 origin, which carries the same numbers.
    const TGeoPoint2D plane =
        Translation(F::cfGeodeticWGS, F::cfProjectedTKY09)(dms(139, 50, 0), dms(36, 0, 0));
    EXPECT_GT(plane.X, 200);
    EXPECT_LT(plane.X, 400);
    EXPECT_GT(plane.Y, -450);
    EXPECT_LT(plane.Y, -250);
    const TGeoPoint2D back = Translation(F::cfProjectedTKY09, F::cfGeodeticWGS)(plane.X, plane.Y);
    // Back within the few millimetres the dropped height costs (see below).
    EXPECT_NEAR(back.X, 50340000, 5 * kMillimetreOfArc);
    EXPECT_NEAR(back.Y, 12960000, 5 * kMillimetreOfArc);
}

namespace {

// Converts a grid of plane points to `other` and back; returns the largest
// distance from where each started, in metres.
double largestRoundTripError(F plane, F other) {
    Translation there(plane, other), back(other, plane);
    double largest = 0;
    for (double x : {-60000.0, -1.5, 0.0, 45678.9})
        for (double y : {-80000.0, 0.0, 123.456, 70000.0}) {
            EXPECT_TRUE(there.Translator.TryTransform({x, y}));
            const TGeoPoint2D mid = there(x, y);
            const TGeoPoint2D p = back(mid.X, mid.Y);
            largest = std::max(largest, std::hypot(p.X - x, p.Y - y));
        }
    return largest;
}

}  // namespace

TEST(CoordinateTranslator, RoundTripsWithinADatumAgreeToAMillimetre) {
    const std::pair<F, F> pairs[] = {
        {F::cfProjectedJGD09, F::cfGeodeticJGD}, {F::cfProjectedTKY09, F::cfGeodeticTKY},
        {F::cfProjectedJGD13, F::cfGeodeticWGS}, {F::cfProjectedTKY10, F::cfProjectedTKY11},
        {F::cfProjectedJGD18, F::cfProjectedJGD19},
    };
    for (auto [plane, other] : pairs)
        EXPECT_LT(largestRoundTripError(plane, other), kMillimetre)
            << CoordsFormatName(plane) << " " << CoordsFormatName(other);

    Translation there(F::cfGeodeticJGD, F::cfProjectedJGD09), back(F::cfProjectedJGD09, F::cfGeodeticJGD);
    const TGeoPoint2D start{dms(139, 40, 12.34), dms(35, 30, 56.78)};
    const TGeoPoint2D mid = there(start.X, start.Y);
    const TGeoPoint2D p = back(mid.X, mid.Y);
    EXPECT_NEAR(p.X, start.X, kMillimetreOfArc);
    EXPECT_NEAR(p.Y, start.Y, kMillimetreOfArc);
}

TEST(CoordinateTranslator, RoundTripsThroughTheTokyoShiftAgreeToAFewMillimetres) {
    // Every conversion starts at height 0 on its own ellipsoid. The shift
    // lifts a point some 40 m (main islands) to 110 m (zone 19, far out in
    // the Pacific) off the other ellipsoid; that height is dropped between
    // the two legs and comes back as a few millimetres of position.
    const struct {
        F Plane, Other;
        double Tolerance;
    } pairs[] = {
        {F::cfProjectedTKY09, F::cfGeodeticWGS, 5 * kMillimetre},
        {F::cfProjectedTKY01, F::cfProjectedJGD01, 5 * kMillimetre},
        {F::cfProjectedJGD12, F::cfGeodeticTKY, 6 * kMillimetre},
        {F::cfProjectedTKY19, F::cfGeodeticWGS, 15 * kMillimetre},
    };
    for (const auto& p : pairs)
        EXPECT_LT(largestRoundTripError(p.Plane, p.Other), p.Tolerance)
            << CoordsFormatName(p.Plane) << " " << CoordsFormatName(p.Other);
}

TEST(CoordinateTranslator, CartesianLeavesBothSystemsAsTheyWere) {
    Translation t(F::cfProjectedJGD09, F::cfGeodeticWGS);
    const TGeoPoint2D before = t(1000, 2000);
    t.Translator.SetSource(F::cfCartesian);
    t.Translator.SetTarget(F::cfCartesian);
    EXPECT_EQ(t.Translator.GetSourceFormat(), F::cfProjectedJGD09);
    EXPECT_EQ(t.Translator.GetTargetFormat(), F::cfGeodeticWGS);
    const TGeoPoint2D after = t(1000, 2000);
    EXPECT_EQ(after.X, before.X);
    EXPECT_EQ(after.Y, before.Y);
    EXPECT_NE(after.X, 1000);
}

TEST(CoordinateTranslator, ChoosingAnotherSystemReplacesTheConversion) {
    Translation t(F::cfProjectedJGD09, F::cfGeodeticJGD);
    t.Translator.SetSource(F::cfProjectedJGD10);
    EXPECT_NEAR(t(0, 0).X, dms(140, 50, 0), 1e-4);
    t.Translator.SetTarget(F::cfProjectedJGD10);
    const TGeoPoint2D same = t(5.25, -7.5);
    EXPECT_EQ(same.X, 5.25);
    EXPECT_EQ(same.Y, -7.5);
    t.Translator.SetTarget(F::cfProjectedJGD09);
    EXPECT_GT(t(0, 0).X, 80000);  // zone 10's origin lies 1° east of zone 9's and 4° north
    EXPECT_GT(t(0, 0).Y, 400000);
}

namespace {

TCoordsFormatRows tableRefusing(F format) {
    TCoordsFormatRows table = CoordsFormatTable();
    table[static_cast<size_t>(format)].Definition = "+proj=longlat +ellps=no_such_ellipsoid";
    return table;
}

}  // namespace

TEST(CoordinateTranslator, RefusedTargetMakesEveryConversionReturnItsInput) {
    TCoordinateTranslator t(tableRefusing(F::cfGeodeticWGS));
    t.SetSource(F::cfProjectedJGD09);
    t.SetTarget(F::cfGeodeticJGD);
    ASSERT_NEAR(t.Transform({0, 0}).X, 50340000, 1e-4);

    testing::internal::CaptureStderr();
    t.SetTarget(F::cfGeodeticWGS);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("cfGeodeticWGS"), std::string::npos) << log;
    EXPECT_EQ(t.GetTargetFormat(), F::cfGeodeticJGD);
    for (TGeoPoint2D p : {TGeoPoint2D{0, 0}, TGeoPoint2D{-4321.5, 98765.25}}) {
        const TGeoPoint2D r = t.Transform(p);
        EXPECT_EQ(r.X, p.X);
        EXPECT_EQ(r.Y, p.Y);
        EXPECT_FALSE(t.TryTransform(p));
    }
    t.SetTarget(F::cfGeodeticJGD);
    EXPECT_NEAR(t.Transform({0, 0}).X, 50340000, 1e-4);
}

TEST(CoordinateTranslator, RefusedSourceKeepsItsFormatButLosesItsProjection) {
    TCoordinateTranslator t(tableRefusing(F::cfProjectedTKY09));
    t.SetSource(F::cfProjectedJGD10);
    t.SetTarget(F::cfGeodeticJGD);
    testing::internal::CaptureStderr();
    t.SetSource(F::cfProjectedTKY09);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("cfProjectedTKY09"), std::string::npos);
    EXPECT_EQ(t.GetSourceFormat(), F::cfProjectedJGD10);
    const TGeoPoint2D r = t.Transform({10, 20});
    EXPECT_EQ(r.X, 10);
    EXPECT_EQ(r.Y, 20);
}

TEST(CoordinateTranslator, PointsTheLibraryCannotConvertComeBackUnchanged) {
    Translation t(F::cfGeodeticWGS, F::cfProjectedJGD09);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (TGeoPoint2D p : {TGeoPoint2D{dms(139, 50, 0), dms(100, 0, 0)}, TGeoPoint2D{nan, 0}}) {
        EXPECT_FALSE(t.Translator.TryTransform(p));
        const TGeoPoint2D r = t.Translator.Transform(p);
        EXPECT_TRUE(r.X == p.X || (std::isnan(r.X) && std::isnan(p.X)));
        EXPECT_EQ(r.Y, p.Y);
    }
    // A failure leaves nothing behind for the next point.
    const TGeoPoint2D origin = t(dms(139, 50, 0), dms(36, 0, 0));
    EXPECT_NEAR(origin.X, 0, kMillimetre);
    EXPECT_NEAR(origin.Y, 0, kMillimetre);
}

TEST(CoordinateTranslator, EveryRowOfTheTableIsAcceptedByTheLibrary) {
    for (int i = 1; i < kCoordsFormatCount; ++i) {
        const auto format = static_cast<F>(i);
        TCoordinateTranslator t;
        testing::internal::CaptureStderr();
        t.SetSource(format);
        t.SetTarget(format == F::cfGeodeticWGS ? F::cfGeodeticJGD : F::cfGeodeticWGS);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << CoordsFormatName(format);
        EXPECT_EQ(t.GetSourceFormat(), format);
        EXPECT_TRUE(t.TryTransform({0, 0})) << CoordsFormatName(format);
    }
}
