#include "base/sjis.h"

#include <gtest/gtest.h>

TEST(Sjis, RoundTripsJapaneseText) {
    const std::string utf8 = u8"空間データ基盤";
    std::string cp932 = sjis::fromUtf8(utf8);
    EXPECT_EQ(cp932.size(), 14u);  // seven double-byte characters
    EXPECT_EQ(static_cast<unsigned char>(cp932[0]), 0x8Bu);  // 空 = 8B F3
    EXPECT_EQ(static_cast<unsigned char>(cp932[1]), 0xF3u);
    EXPECT_EQ(sjis::toUtf8(cp932), utf8);
}

TEST(Sjis, TrailByteBackslashSurvives) {
    // 表 is 95 5C: its trail byte is the backslash.
    std::string cp932 = sjis::fromUtf8(u8"表");
    ASSERT_EQ(cp932, std::string("\x95\x5C"));
    EXPECT_EQ(sjis::toUtf8(cp932), std::string(u8"表"));
}

TEST(Sjis, LeadByteRangesOfCodePage932) {
    EXPECT_FALSE(sjis::isLeadByte(0x80));
    EXPECT_TRUE(sjis::isLeadByte(0x81));
    EXPECT_TRUE(sjis::isLeadByte(0x9F));
    EXPECT_FALSE(sjis::isLeadByte(0xA0));
    EXPECT_FALSE(sjis::isLeadByte(0xDF));  // half-width katakana are single bytes
    EXPECT_TRUE(sjis::isLeadByte(0xE0));
    EXPECT_TRUE(sjis::isLeadByte(0xFC));
    EXPECT_FALSE(sjis::isLeadByte(0xFD));
    EXPECT_FALSE(sjis::isLeadByte('A'));
}

TEST(Sjis, BrokenInputIsReplacedNotLost) {
    // A lone lead byte at the end, then an unmapped pair inside text.
    std::string out = sjis::toUtf8(std::string("A\x82"));
    EXPECT_EQ(out.substr(0, 1), "A");
    EXPECT_NE(out.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_EQ(sjis::toUtf8(std::string("a\x85\x40z")).front(), 'a');
    EXPECT_EQ(sjis::toUtf8(std::string("a\x85\x40z")).back(), 'z');
    // A character CP932 lacks becomes '?', the rest is kept.
    EXPECT_EQ(sjis::fromUtf8(u8"x\U0001F600y"), "x?y");
    std::string strict;
    EXPECT_FALSE(sjis::tryFromUtf8(u8"x\U0001F600y", strict));
    EXPECT_TRUE(sjis::tryFromUtf8(u8"東京", strict));
}

TEST(Sjis, UpperAsciiLeavesDoubleByteCharactersAlone) {
    EXPECT_EQ(sjis::upperAscii("abc.arc"), "ABC.ARC");
    // 88 61 is a kanji whose trail byte is 'a': it must not change.
    std::string kanji("\x88\x61x");
    EXPECT_EQ(sjis::upperAscii(kanji), std::string("\x88\x61X"));
}
