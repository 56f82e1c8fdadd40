#include "reading/records.h"

#include <gtest/gtest.h>

#include "base/sjis.h"
#include "reading/read_errors.h"

using Fields = std::vector<std::string>;

TEST(SplitFields, CommasAndBlanksSeparate) {
    EXPECT_EQ(SplitFields("L1101,1,2,3"), (Fields{"L1101", "1", "2", "3"}));
    EXPECT_EQ(SplitFields("L1101, 1 ,2,3"), (Fields{"L1101", "1", "2", "3"}));
    EXPECT_EQ(SplitFields("L1101,,2,3"), (Fields{"L1101", "", "2", "3"}));
    EXPECT_EQ(SplitFields("L1101,1,2,3,"), (Fields{"L1101", "1", "2", "3", ""}));
    EXPECT_EQ(SplitFields("L1101,1,2,3, "), (Fields{"L1101", "1", "2", "3"}));
    EXPECT_EQ(SplitFields("two words"), (Fields{"two", "words"}));
    EXPECT_EQ(SplitFields("\t a \t"), (Fields{"a"}));
    EXPECT_EQ(SplitFields(",a"), (Fields{"", "a"}));
    EXPECT_TRUE(SplitFields("").empty());
    EXPECT_TRUE(SplitFields("   ").empty());
}

TEST(SplitFields, QuotedFieldsKeepBlanksCommasAndDoubledQuotes) {
    EXPECT_EQ(SplitFields("\"a, b\",c"), (Fields{"a, b", "c"}));
    EXPECT_EQ(SplitFields("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
    EXPECT_EQ(SplitFields("\"\",x"), (Fields{"", "x"}));
    // Text after a closing quote starts a new field.
    EXPECT_EQ(SplitFields("\"ab\"cd,e"), (Fields{"ab", "cd", "e"}));
    // An unclosed quote takes the rest of the line.
    EXPECT_EQ(SplitFields("x,\"open, end"), (Fields{"x", "open, end"}));
}

TEST(SplitFields, ShiftJisTrailBytesAreNotSeparators) {
    // 表 (95 5C) and ソ (83 5C) end in a backslash byte; neither splits or quotes.
    const std::string text = sjis::fromUtf8(u8"表ソ区,二");
    Fields f = SplitFields(text);
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0], sjis::fromUtf8(u8"表ソ区"));
}

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
