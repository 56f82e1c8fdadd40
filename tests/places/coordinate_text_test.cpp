// The coordinate forms of a query text.
#include <gtest/gtest.h>

#include "places/coordinate_text.h"
#include "places/place_text.h"

namespace {

TCoordinateText parse(const char* utf8) { return ParseCoordinateText(placetext::FoldWidth(utf8)); }

TEST(CoordinateText, DegreesMinutesSecondsWithAndWithoutMarks) {
    const double latitude = 35 + 39 / 60.0 + 44 / 3600.0, longitude = 139 + 42 / 60.0 + 5 / 3600.0;
    for (const char* q : {u8"35°39′44″N 139°42′05″E", "35 39 44 139 42 05", "35°39'44\"N,139°42'05\"E",
                          u8"N35°39′44″ E139°42′05″", u8"139°42′05″E 35°39′44″N", u8"35°39′44″ 139°42′05″",
                          u8"３５°３９′４４″Ｎ　１３９°４２′０５″Ｅ", u8"３５　３９　４４　１３９　４２　０５",
                          u8"北緯35度39分44秒 東経139度42分5秒", "35 39 44 N 139 42 05 E",
                          u8"35°39′44''N 139°42′05''E", u8"35°39′44＂N 139°42′05＂E"}) {
        SCOPED_TRACE(q);
        const TCoordinateText c = parse(q);
        ASSERT_EQ(c.Form, TCoordinateText::ctLatLon);
        EXPECT_NEAR(c.Latitude, latitude, 1e-12);
        EXPECT_NEAR(c.Longitude, longitude, 1e-12);
    }
}

TEST(CoordinateText, DecimalDegreesMinutesAndHemispheres) {
    struct Case {
        const char* text;
        double latitude, longitude;
    };
    for (const Case& k : {Case{"35.6623, 139.7015", 35.6623, 139.7015}, Case{"35.6623 139.7015", 35.6623, 139.7015},
                          Case{u8"３５．６６２３，１３９．７０１５", 35.6623, 139.7015},
                          Case{"139.7015E 35.6623N", 35.6623, 139.7015}, Case{"35 39.5 139 42.25", 35 + 39.5 / 60, 139 + 42.25 / 60},
                          Case{"33.9S 18.4E", -33.9, 18.4}, Case{"-33.9, 18.4", -33.9, 18.4},
                          Case{u8"35°N 139°W", 35, -139}, Case{u8"南緯33度54分 東経18度24分", -33.9, 18.4}}) {
        SCOPED_TRACE(k.text);
        const TCoordinateText c = parse(k.text);
        ASSERT_EQ(c.Form, TCoordinateText::ctLatLon);
        EXPECT_NEAR(c.Latitude, k.latitude, 1e-12);
        EXPECT_NEAR(c.Longitude, k.longitude, 1e-12);
    }
}

TEST(CoordinateText, MalformedCoordinates) {
    for (const char* q : {u8"35°60′00″N 139°E", u8"35°30′60″N 139°E", u8"35°N 36°N", u8"35.5°30′N 139°E",
                          u8"35° 139° 140°", u8"35°", u8"N E 35 139", "35 -39 139 42", u8"-35°S 139°E",
                          u8"35′ 139′"}) {
        SCOPED_TRACE(q);
        EXPECT_EQ(parse(q).Form, TCoordinateText::ctMalformed);
    }
}

TEST(CoordinateText, PlaneMetresAfterASystemName) {
    TCoordinateText c = parse("cfProjectedJGD09 -11937.8 -37453.2");
    ASSERT_EQ(c.Form, TCoordinateText::ctPlane);
    EXPECT_EQ(c.System, TCoordsFormat::cfProjectedJGD09);
    EXPECT_EQ(c.X, -11937.8);
    EXPECT_EQ(c.Y, -37453.2);
    c = parse(u8"ＣＦＰＲＯＪＥＣＴＥＤＴＫＹ１２, 100, 200.5");
    ASSERT_EQ(c.Form, TCoordinateText::ctPlane);
    EXPECT_EQ(c.System, TCoordsFormat::cfProjectedTKY12);
    EXPECT_EQ(c.Y, 200.5);
    EXPECT_EQ(parse("cfGeodeticWGS 139.7 35.6").Form, TCoordinateText::ctNotPlane);
    EXPECT_EQ(parse("cfCartesian 1 2").Form, TCoordinateText::ctNotPlane);
    EXPECT_EQ(parse("cfProjectedJGD09 5").Form, TCoordinateText::ctMalformed);
    EXPECT_EQ(parse(u8"cfProjectedJGD09 5° 3").Form, TCoordinateText::ctMalformed);
    EXPECT_EQ(parse("cfProjectedJGD20 1 2").Form, TCoordinateText::ctNone);  // no such system: a name
}

TEST(CoordinateText, TextsThatNameAPlace) {
    for (const char* q : {u8"栄里五丁目 3", u8"栄里5-3", "35", "5 3 1", "", u8"3丁目", "Sakae 3", "N"}) {
        SCOPED_TRACE(q);
        EXPECT_EQ(parse(q).Form, TCoordinateText::ctNone);
    }
}

}  // namespace
