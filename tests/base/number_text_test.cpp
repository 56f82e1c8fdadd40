// The number rules of the data files.
#include "base/number_text.h"

#include <gtest/gtest.h>

#include "base/sjis.h"

namespace {

TEST(Numbers, IntegersByTheDataFilesRules) {
    EXPECT_EQ(TryReadInt("42"), 42);
    EXPECT_EQ(TryReadInt("-7"), -7);
    EXPECT_EQ(TryReadInt("+7"), 7);
    EXPECT_EQ(TryReadInt("0x10"), 16);
    EXPECT_EQ(TryReadInt("0X1f"), 31);
    EXPECT_EQ(TryReadInt("$FF"), 255);
    EXPECT_EQ(TryReadInt("x10"), 16);
    EXPECT_EQ(TryReadInt("-$10"), -16);
    EXPECT_EQ(TryReadInt("  5"), 5);
    EXPECT_EQ(TryReadInt("2147483647"), 2147483647);
    EXPECT_EQ(TryReadInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(TryReadInt("2147483648"), std::nullopt);
    EXPECT_EQ(TryReadInt("99999999999999999999"), std::nullopt);
    for (const char* bad : {"", "-", "+", "1.0", "12a", "5 ", "0x", "$", "abc", "1e3"})
        EXPECT_EQ(TryReadInt(bad), std::nullopt) << bad;
}

TEST(Numbers, RealsByTheDataFilesRules) {
    EXPECT_EQ(TryReadFloat("1.5E3"), 1500.0);
    EXPECT_EQ(TryReadFloat("-12.25"), -12.25);
    EXPECT_EQ(TryReadFloat("+3"), 3.0);
    EXPECT_EQ(TryReadFloat("5."), 5.0);
    EXPECT_EQ(TryReadFloat(".5"), 0.5);
    EXPECT_EQ(TryReadFloat("2e-2"), 0.02);
    EXPECT_EQ(TryReadFloat(" 7"), 7.0);
    for (const char* bad : {"", "-", "+", ".", "1,5", "1e", "1e+", "e5", "1.5x", "0x10", "1 "})
        EXPECT_EQ(TryReadFloat(bad), std::nullopt) << bad;
}

TEST(Numbers, ANonIntegerIsNamedInTheConvertError) {
    try {
        throw EConvertError::NotAnInteger("abc");
    } catch (const EConvertError& e) {
        EXPECT_EQ(std::string(e.what()), "'abc'" + sjis::fromUtf8(u8" は有効な整数値ではありません"));
    }
}

}  // namespace
