// The one comma-separated text rule of the layer files, the engine list and
// the dictionaries.
#include "base/comma_fields.h"

#include <gtest/gtest.h>

#include "base/sjis.h"

namespace {

using Fields = std::vector<std::string>;

TEST(SplitFields, CommasAndBlanksSeparate) {
    EXPECT_EQ(SplitFields("L1101,1,2,3"), (Fields{"L1101", "1", "2", "3"}));
    EXPECT_EQ(SplitFields("L1101, 1 ,2,3"), (Fields{"L1101", "1", "2", "3"}));
    EXPECT_EQ(SplitFields("  a  ,\tb\x01, c ,EUC  "), (Fields{"a", "b", "c", "EUC"}));
    EXPECT_EQ(SplitFields("L1101,,2,3"), (Fields{"L1101", "", "2", "3"}));
    EXPECT_EQ(SplitFields("L1101,1,2,3,"), (Fields{"L1101", "1", "2", "3", ""}));  // the comma is the last byte
    EXPECT_EQ(SplitFields("L1101,1,2,3, "), (Fields{"L1101", "1", "2", "3"}));    // here it is not
    EXPECT_EQ(SplitFields("two words"), (Fields{"two", "words"}));
    EXPECT_EQ(SplitFields("My Engine,u,q="), (Fields{"My", "Engine", "u", "q="}));
    EXPECT_EQ(SplitFields("\t a \t"), (Fields{"a"}));
    EXPECT_EQ(SplitFields(",a"), (Fields{"", "a"}));
    EXPECT_TRUE(SplitFields("").empty());
    EXPECT_TRUE(SplitFields("   ").empty());
    EXPECT_TRUE(SplitFields(" \t ").empty());
}

TEST(SplitFields, QuotedFieldsKeepBlanksCommasAndDoubledQuotes) {
    EXPECT_EQ(SplitFields("\"a, b\",c"), (Fields{"a, b", "c"}));
    EXPECT_EQ(SplitFields("\"say \"\"hi\"\"\""), (Fields{"say \"hi\""}));
    EXPECT_EQ(SplitFields("\"x, \"\"y\"\" z\",u"), (Fields{"x, \"y\" z", "u"}));
    EXPECT_EQ(SplitFields("\" \",\",\",\"\"\"\""), (Fields{" ", ",", "\""}));
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

TEST(SplitFields, NulIsFieldTextOrABlankAsAsked) {
    const std::string text("a\0b, \0c\0", 8);
    EXPECT_EQ(SplitFields(text), (Fields{std::string("a\0b", 3), std::string("\0c\0", 3)}));
    EXPECT_EQ(SplitFields(text, NulByte::Blank), (Fields{"a", "b", "c"}));
    // Inside quotes a NUL is text either way.
    EXPECT_EQ(SplitFields(std::string("\"a\0\"", 4), NulByte::Blank), (Fields{std::string("a\0", 2)}));
}

TEST(FieldList, DoubledQuotesSurviveTheNextFieldsOfTheSameSplit) {
    FieldList f;
    f.split("\"a\"\"b\",\"c\"\"d\",e");
    ASSERT_EQ(f.size(), 3u);
    EXPECT_EQ(f[0], "a\"b");
    EXPECT_EQ(f[1], "c\"d");
    EXPECT_EQ(f[2], "e");
}

}  // namespace
