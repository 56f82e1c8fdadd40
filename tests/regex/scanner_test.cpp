#include <gtest/gtest.h>

#include "regex/pattern_scanner.h"
#include "regex_test_util.h"

namespace {

struct Tok {
    TRETokenKind kind;
    TRECode ch;
    TRECode rangeEnd;
    bool operator==(const Tok&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Tok& t) {
    return os << "{" << int(t.kind) << "," << std::hex << t.ch << "," << t.rangeEnd << std::dec << "}";
}

// Every token up to and including tokEnd; range ends only for ranges.
std::vector<Tok> tokens(const std::string& pattern) {
    TREScanner scanner(pattern);
    std::vector<Tok> out;
    for (;;) {
        TRETokenKind kind = scanner.NextToken();
        bool charMatters = kind == tokChar || kind == tokRange;
        out.push_back({kind, charMatters ? scanner.Char() : TRECode(0),
                       kind == tokRange ? scanner.RangeEnd() : TRECode(0)});
        if (kind == tokEnd) return out;
    }
}

Tok ch(TRECode c) { return {tokChar, c, 0}; }
Tok range(TRECode a, TRECode b) { return {tokRange, a, b}; }
Tok op(TRETokenKind k) { return {k, 0, 0}; }

}  // namespace

TEST(RegexScanner, OperatorsAndCharacters) {
    EXPECT_EQ(tokens("a|(b)*+?.^$]"),
              (std::vector<Tok>{ch('a'), op(tokUnion), op(tokLPar), ch('b'), op(tokRPar), op(tokStar),
                                op(tokPlus), op(tokQMark), op(tokAny), op(tokLineHead), op(tokLineTail),
                                op(tokClassEnd), op(tokEnd)}));
    EXPECT_EQ(tokens(""), (std::vector<Tok>{op(tokEnd)}));
}

TEST(RegexScanner, TrailBytesAreNeverOperators) {
    // ソ (83 5C) followed by \t: a tab, not an escaped "t".
    EXPECT_EQ(tokens(S(u8"ソ\\t")), (std::vector<Tok>{ch(0x835C), ch('\t'), op(tokEnd)}));
    // ゾ (83 5D) inside a class is a character, not the closing bracket.
    EXPECT_EQ(tokens(S(u8"[ゾ]")), (std::vector<Tok>{op(tokClass), ch(0x835D), op(tokClassEnd), op(tokEnd)}));
    EXPECT_EQ(tokens("\\*\\B\\x41"), (std::vector<Tok>{ch('*'), ch('B'), ch('A'), op(tokEnd)}));
}

TEST(RegexScanner, ClassesAndRanges) {
    EXPECT_EQ(tokens("[a-]"), (std::vector<Tok>{op(tokClass), ch('a'), ch('-'), op(tokClassEnd), op(tokEnd)}));
    EXPECT_EQ(tokens("[-a]"), (std::vector<Tok>{op(tokClass), ch('-'), ch('a'), op(tokClassEnd), op(tokEnd)}));
    EXPECT_EQ(tokens("[^a^]"),
              (std::vector<Tok>{op(tokNegClass), ch('a'), ch('^'), op(tokClassEnd), op(tokEnd)}));
    EXPECT_EQ(tokens(S(u8"[a-c一-龠]")),
              (std::vector<Tok>{op(tokClass), range('a', 'c'), range(0x88EA, 0xEA9E), op(tokClassEnd),
                                op(tokEnd)}));
    EXPECT_EQ(tokens("[\\]\\t-\\r]"),
              (std::vector<Tok>{op(tokClass), ch(']'), range(9, 13), op(tokClassEnd), op(tokEnd)}));
    EXPECT_EQ(tokens("[A-\\]]"), (std::vector<Tok>{op(tokClass), range('A', ']'), op(tokClassEnd), op(tokEnd)}));
    // Outside a class "-" is ordinary and "]" ends nothing.
    EXPECT_EQ(tokens("a-b"), (std::vector<Tok>{ch('a'), ch('-'), ch('b'), op(tokEnd)}));
}

TEST(RegexScanner, MalformedClassesAndEscapes) {
    ExpectRegexError([] { tokens("[z-a]"); }, kBadRange, 5);
    ExpectRegexError([] { tokens("[abc"); }, kNeedBracket, 5);
    ExpectRegexError([] { tokens("["); }, kNeedBracket, 2);
    ExpectRegexError([] { tokens("[a-"); }, kNeedBracket, 4);
    ExpectRegexError([] { tokens("ab\\"); }, kNothingAfterBackslash, 4);
    ExpectRegexError([] { tokens("\\x"); }, kBadHex, 3);
    ExpectRegexError([] { tokens("a\x81"); }, kBadDoubleByte, 2);
}

TEST(RegexScanner, SetTextRestartsOutsideAClass) {
    TREScanner scanner("[a");
    scanner.NextToken();
    EXPECT_TRUE(scanner.InClass());
    scanner.SetText("]");
    EXPECT_FALSE(scanner.InClass());
    EXPECT_EQ(scanner.Position(), 1u);
    EXPECT_EQ(scanner.NextToken(), tokClassEnd);
}
