#include "shell/latlon_text.h"

#include <gtest/gtest.h>

#include <limits>

using latlon::latitudeText;
using latlon::longitudeText;

TEST(LatLonText, SplitsDegreesMinutesSecondsAndHundredths) {
    EXPECT_EQ(latitudeText(12848250), "N 35.41.22.50");
    EXPECT_EQ(longitudeText(50313005), "E 139.45.30.05");
    EXPECT_EQ(longitudeText(64800000), "E 180.00.00.00");
    EXPECT_EQ(latitudeText(360000), "N 1.00.00.00");
    EXPECT_EQ(latitudeText(0), "N 0.00.00.00");
    EXPECT_EQ(latitudeText(359999), "N 0.59.59.99");
    EXPECT_EQ(longitudeText(6001), "E 0.01.00.01");
}

TEST(LatLonText, RoundsHalvesToEven) {
    EXPECT_EQ(latitudeText(12848250.5), "N 35.41.22.50");
    EXPECT_EQ(latitudeText(12848251.5), "N 35.41.22.52");
    EXPECT_EQ(latitudeText(12848250.51), "N 35.41.22.51");
    EXPECT_EQ(longitudeText(0.5), "E 0.00.00.00");
    EXPECT_EQ(longitudeText(2.5), "E 0.00.00.02");
    EXPECT_EQ(longitudeText(3.5), "E 0.00.00.04");
    // Rounding carries into the minutes and degrees.
    EXPECT_EQ(latitudeText(5999.5), "N 0.01.00.00");
    EXPECT_EQ(latitudeText(359999.5), "N 1.00.00.00");
    EXPECT_EQ(latitudeText(359998.5), "N 0.59.59.98");
}

TEST(LatLonText, NegativeValuesGiveNegativePartsAfterTheLetter) {
    EXPECT_EQ(latitudeText(-12848250), "N -35.-41.-22.-50");
    EXPECT_EQ(longitudeText(-5), "E 0.00.00.-05");
    EXPECT_EQ(longitudeText(-360000), "E -1.00.00.00");
    EXPECT_EQ(latitudeText(-0.5), "N 0.00.00.00");
    EXPECT_EQ(latitudeText(-1.5), "N 0.00.00.-02");
}

TEST(LatLonText, ValuesBeyondTheIntegerRangeAreClamped) {
    EXPECT_EQ(latitudeText(1e300), "N 5965.13.56.47");  // 2147483647
    EXPECT_EQ(longitudeText(-1e300), "E -5965.-13.-56.-48");
    EXPECT_EQ(latitudeText(std::numeric_limits<double>::quiet_NaN()), "N 0.00.00.00");
}
