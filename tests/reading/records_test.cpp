#include "reading/records.h"

#include <gtest/gtest.h>

#include "base/sjis.h"
#include "reading/read_errors.h"

TEST(Numbers, InvalidNumbersRaiseWithContextAndLine) {
    try {
        ReadInt("abc", "FILE.ARC", 12);
        FAIL();
    } catch (const TKDKReadException& e) {
        EXPECT_EQ(std::string(e.what()), "FILE.ARC(12): " + sjis::fromUtf8(u8"不正な整数変換"));
        EXPECT_EQ(e.number(), 12);
    }
    try {
        ReadFloat("1,5", "X", 3);
        FAIL();
    } catch (const TKDKReadException& e) {
        EXPECT_EQ(std::string(e.what()), "X(3): " + sjis::fromUtf8(u8"不正な浮動小数点変換"));
    }
    EXPECT_EQ(std::string(TKDKReadException("T", -1, "C").what()), "T");
}

TEST(SplitCode, MajorAndMinorOfTheFourDigitCode) {
    EXPECT_EQ(SplitCode("L1108", "f", 2).Major, 11);
    EXPECT_EQ(SplitCode("L1108", "f", 2).Minor, 8);
    EXPECT_EQ(SplitCode("A2151", "f", 2).Major, 21);
    EXPECT_EQ(SplitCode("A2151", "f", 2).Minor, 51);
    EXPECT_THROW(SplitCode("L", "f", 2), EKDKConvertError);
    EXPECT_THROW(SplitCode("L11x8", "f", 2), EKDKConvertError);
    EXPECT_THROW(SplitCode("", "f", 2), EKDKConvertError);
    try {
        SplitCode("Lxx", "DIR\\A.ARC", 9);
    } catch (const EKDKConvertError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("DIR\\A.ARC(9): ", 0), 0u);
    }
}

TEST(HeaderRecord, DecodesEveryFormAndRejectsOthers) {
    TKDKHeadRecord h;
    ASSERT_TRUE(h.Read("FH,TEXT,C:\\DATA\\A.ARC,1,2,1,3,-36000,-8000,-34500,-6000"));
    EXPECT_EQ(h.Folder, "C:\\DATA\\");
    EXPECT_EQ(h.FileName, "A.ARC");
    EXPECT_EQ(h.OriginY, -36000);
    EXPECT_EQ(h.OriginX, -8000);
    EXPECT_EQ(h.CornerX, -6000);
    ASSERT_TRUE(h.Read("FH,T,A.ARC,1,2,2,3,9,100,200,300,400"));
    EXPECT_EQ(h.Value7, 9);
    EXPECT_EQ(h.OriginY, 100);
    EXPECT_EQ(h.OriginX, 200);
    ASSERT_TRUE(h.Read("FH,T,A.ARC,1,2,1,3,10,20,30,40,x,y,z,w"));  // 15 fields
    EXPECT_EQ(h.OriginX, 20);

    EXPECT_FALSE(h.Read("FH,T,A.ARC,1,2,1,3,10,20,30,40,50,60"));  // 13 fields
    EXPECT_FALSE(h.Read("fh,T,A.ARC,1,2,1,3,10,20,30,40"));
    EXPECT_FALSE(h.Read("FH,T,A.ARC,1,2,3,3,10,20,30,40"));
    EXPECT_EQ(h.OriginX, 0);  // cleared before reading
    EXPECT_FALSE(h.Read(""));
}

TEST(HeaderRecord, BadNumberRaisesWithThePathWrittenInTheHeader) {
    TKDKHeadRecord h;
    try {
        h.Read("FH,T,C:\\X\\A.ARC,abc,2,1,3,10,20,30,40");
        FAIL();
    } catch (const TKDKReadException& e) {
        EXPECT_EQ(std::string(e.what()), "C:\\X\\A.ARC(1): " + sjis::fromUtf8(u8"不正な整数変換"));
    }
}

TEST(TextLines, CutsAtEveryLineEndAndStopsAtNul) {
    TextLines t;
    t.assign("a\r\nb\rc\nd");
    EXPECT_EQ(t.lines(), (std::vector<std::string_view>{"a", "b", "c", "d"}));
    t.assign("a\r\n\r\nb\r\n");
    EXPECT_EQ(t.lines(), (std::vector<std::string_view>{"a", "", "b"}));
    t.assign("\r\n");
    EXPECT_EQ(t.size(), 1u);
    t.assign(std::string("a\nb\0c\nd", 7));
    EXPECT_EQ(t.lines(), (std::vector<std::string_view>{"a", "b"}));
    t.assign(std::string("\0abc", 4));
    EXPECT_EQ(t.size(), 0u);
    t.assign("");
    EXPECT_EQ(t.size(), 0u);
    t.assign("\r\r");
    EXPECT_EQ(t.size(), 2u);
}
