// The keys under which names and queries are compared.
#include <gtest/gtest.h>

#include "base/sjis.h"
#include "places/place_text.h"

namespace {

using namespace placetext;

std::string sj(const char* utf8) { return sjis::fromUtf8(utf8); }

TEST(PlaceText, ChomeNumbersInKanjiFullWidthOrDigitsShareOneKey) {
    EXPECT_EQ(Key(sj(u8"栄里五丁目")), sj(u8"栄里5丁目"));
    EXPECT_EQ(Key(sj(u8"栄里５丁目")), sj(u8"栄里5丁目"));
    EXPECT_EQ(Key(sj(u8"栄里5丁目")), sj(u8"栄里5丁目"));
    EXPECT_EQ(Key(sj(u8"本町十丁目")), sj(u8"本町10丁目"));
    EXPECT_EQ(Key(sj(u8"本町二十三丁目")), sj(u8"本町23丁目"));
    EXPECT_EQ(Key(sj(u8"本町二〇丁目")), sj(u8"本町20丁目"));
    EXPECT_EQ(Key(sj(u8"本町百二丁目")), sj(u8"本町102丁目"));
    // Numerals that are no chome number stay as they are.
    EXPECT_EQ(Key(sj(u8"三田一丁目")), sj(u8"三田1丁目"));
    EXPECT_EQ(Key(sj(u8"八丁堀")), sj(u8"八丁堀"));
    EXPECT_EQ(Key(sj(u8"本町二三十丁目")), sj(u8"本町二三十丁目"));  // no number
}

TEST(PlaceText, SeparatorsAreDroppedOrKeptAsOneSpace) {
    EXPECT_EQ(Key(sj(u8"栄里 五丁目、３")), sj(u8"栄里5丁目3"));
    EXPECT_EQ(Key(sj(u8"栄里　五丁目－３"), true), sj(u8"栄里 5丁目 3"));
    EXPECT_EQ(Key(sj(u8" 栄里‐5 - 3 "), true), sj(u8"栄里 5 3"));
    EXPECT_EQ(Key(sj(u8"五 丁目")), sj(u8"五丁目"));  // a separator parts the number from 丁目
    EXPECT_EQ(Key(sj(u8"ｂ地区Ａ")), "B" + sj(u8"地区") + "A");
}

TEST(PlaceText, TrailingNumeralsAsDigits) {
    EXPECT_EQ(TrailingNumeralAsDigits(Key(sj(u8"栄里五"))), sj(u8"栄里5"));
    EXPECT_EQ(TrailingNumeralAsDigits(Key(sj(u8"本町十二"))), sj(u8"本町12"));
    EXPECT_FALSE(TrailingNumeralAsDigits(Key(sj(u8"栄里"))));
    EXPECT_FALSE(TrailingNumeralAsDigits(Key(sj(u8"五丁目"))));
}

TEST(PlaceText, FoldWidthMakesFullWidthAsciiHalfWidth) {
    EXPECT_EQ(FoldWidth(u8"　３５°３９′，Ｎ　"), u8"35°39′,N");
    EXPECT_EQ(FoldWidth(u8"−１２．５"), "-12.5");
    EXPECT_EQ(FoldWidth(u8"栄里"), u8"栄里");
    EXPECT_EQ(FoldWidth(u8" 　 "), "");
}

TEST(PlaceText, FindsOnlyAtCharacterBoundaries) {
    // "ア" is 0x83 0x41: its trail byte is the letter A.
    EXPECT_EQ(FindAligned(sj(u8"アイ"), "A"), std::string::npos);
    EXPECT_EQ(FindAligned(sj(u8"アA"), "A"), 2u);
    EXPECT_EQ(FindAligned(sj(u8"栄里5丁目"), sj(u8"5丁目")), 4u);
}

TEST(PlaceText, NaturalOrderComparesNumbersByValue) {
    EXPECT_TRUE(NaturalLess(sj(u8"本町2丁目"), sj(u8"本町10丁目")));
    EXPECT_FALSE(NaturalLess(sj(u8"本町10丁目"), sj(u8"本町2丁目")));
    EXPECT_TRUE(NaturalLess("9", "10,11"));
    EXPECT_TRUE(NaturalLess("A", "AB"));
    EXPECT_FALSE(NaturalLess("AB", "AB"));
}

}  // namespace
