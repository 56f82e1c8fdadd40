#include "base/rounding.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Rounding, HalvesGoToEven) {
    EXPECT_EQ(rounding::toInt32(0.5), 0);
    EXPECT_EQ(rounding::toInt32(1.5), 2);
    EXPECT_EQ(rounding::toInt32(2.5), 2);
    EXPECT_EQ(rounding::toInt32(-0.5), 0);
    EXPECT_EQ(rounding::toInt32(-1.5), -2);
    EXPECT_EQ(rounding::toInt32(2.4999), 2);
    EXPECT_EQ(rounding::toInt32(2.5001), 3);
}

TEST(Rounding, ClampsOutOfRangeValues) {
    EXPECT_EQ(rounding::toInt32(1e20), INT32_MAX);
    EXPECT_EQ(rounding::toInt32(-1e20), INT32_MIN);
    EXPECT_EQ(rounding::toInt32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(rounding::toInt32(2147483646.5), 2147483646);
    EXPECT_EQ(rounding::toInt32(2147483646.6), INT32_MAX);
    EXPECT_EQ(rounding::toInt32(2147483647.5), INT32_MAX);
    EXPECT_EQ(rounding::toInt32(-2147483647.5), INT32_MIN);
    EXPECT_EQ(rounding::toInt32(-2147483647.4), -2147483647);
    EXPECT_EQ(rounding::toInt32(-2147483649.0), INT32_MIN);
}
