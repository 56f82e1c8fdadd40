#include <gtest/gtest.h>

#include "regex/awk_string.h"
#include "regex/compile_pattern.h"
#include "regex/pattern_cache.h"
#include "regex_test_util.h"

namespace {

// "POS LEN" of a match of pattern in text (both UTF-8, or bytes).
std::string match(const std::string& pattern, const std::string& text,
                  TMatchCORE_LineSeparator separator = mcls_CRLF) {
    TAWKStr re;
    re.SetLineSeparator(separator);
    re.SetRegExp(pattern);
    std::size_t position = 99, length = 99;
    const std::size_t result = re.Match(text, position, length);
    EXPECT_EQ(result, position);
    return std::to_string(position) + " " + std::to_string(length);
}

std::string matchJ(const char* utf8Pattern, const char* utf8Text) { return match(S(utf8Pattern), S(utf8Text)); }

}  // namespace

TEST(RegexMatch, LeftmostThenLongest) {
    EXPECT_EQ(match("bc", "abcabc"), "2 2");
    EXPECT_EQ(match("a|ab", "xab"), "2 2");
    EXPECT_EQ(match("b*", "abc"), "1 0");
    EXPECT_EQ(match("", "abc"), "1 0");
    EXPECT_EQ(match("", ""), "1 0");
    EXPECT_EQ(match("a", ""), "0 0");
    EXPECT_EQ(match("x*", "xxxy"), "1 3");
    EXPECT_EQ(match("(a|b)*c", "ababcabc"), "1 5");
    EXPECT_EQ(match("a.c", "a\nc abc"), "5 3");  // "." skips LF
    EXPECT_EQ(match("[^x]+", "xx\r\nab"), "5 2");  // a negated class skips CR and LF
}

TEST(RegexMatch, DoubleByteCharactersAreNeverSplit) {
    EXPECT_EQ(matchJ(u8"表", u8"代表"), "3 2");
    EXPECT_EQ(match("\\\\", S(u8"表")), "0 0");     // 表 ends in byte 0x5C
    EXPECT_EQ(match("\\]", S(u8"ゾ")), "0 0");      // ゾ ends in byte 0x5D
    EXPECT_EQ(match("\\\\", S(u8"表\\")), "3 1");
    EXPECT_EQ(matchJ(u8"[一-龠]+駅", u8"JR東京駅前"), "3 6");
    EXPECT_EQ(matchJ(u8".", u8"ソ"), "1 2");
    EXPECT_EQ(match("\\x5C", S(u8"ソ\\")), "3 1");
    // A lone lead byte at the end counts as one byte of its own value.
    EXPECT_EQ(match(".", std::string("\x82")), "1 1");
    EXPECT_EQ(match("a\\x82", std::string("a\x82")), "1 2");
}

TEST(RegexMatch, LineHeadAnchors) {
    EXPECT_EQ(match("^b", "ab"), "0 0");
    EXPECT_EQ(match("^b", "a\nb"), "3 1");
    EXPECT_EQ(match("^", "abc"), "1 0");
    EXPECT_EQ(match("^a|ab", "ab"), "1 2");
    EXPECT_EQ(match("^a|b", "cb"), "2 1");
    EXPECT_EQ(match("a^b", "a^b"), "1 3");  // not at the start: the character
    EXPECT_EQ(match("^$", "a\n"), "3 0");
    EXPECT_EQ(match("^b", "a\rb"), "0 0");  // only LF starts a line
    // A nullable alternative beside an anchored one matches the empty text.
    EXPECT_EQ(match("^a|x*", ""), "1 0");
    EXPECT_EQ(match("^a|x*", "b"), "1 0");
}

TEST(RegexMatch, LineTailAnchors) {
    EXPECT_EQ(match("a$", "ba"), "2 1");
    EXPECT_EQ(match("a$", "a\r\nb"), "1 1");
    EXPECT_EQ(match("a$", "a\nb"), "0 0");
    EXPECT_EQ(match("a$", "a\nb", mcls_LF), "1 1");
    EXPECT_EQ(match("$", "abc"), "4 0");
    EXPECT_EQ(match("$", ""), "1 0");
    EXPECT_EQ(match("a$|b", "xa"), "2 1");
    EXPECT_EQ(match("a$b", "a$b"), "1 3");
    EXPECT_EQ(match("^a$", "b\na"), "3 1");
}

TEST(RegexMatch, TheTerminatorIsNeverConsumed) {
    EXPECT_EQ(match("a\\0*", "ab"), "1 1");
    EXPECT_EQ(match("a\\0", "a"), "0 0");
    EXPECT_EQ(match("[^\\x1-\\xFCFC]", "abc"), "0 0");  // a class with nothing left
    EXPECT_EQ(match("a|[^\\x1-\\xFCFC]", "xa"), "2 1");
    EXPECT_EQ(match("x[^\\x1-\\xFCFC]*y", "xy"), "1 2");
    EXPECT_EQ(match("\\xFFFD", "a"), "0 0");
    // The text ends at its first NUL byte.
    EXPECT_EQ(match("b", std::string("a\0b", 3)), "0 0");
}

TEST(RegexMatch, FuzzyCharactersMatchTheirEquivalents) {
    TAWKStr re;
    re.SetRegExp(S(u8"ガス"));
    EXPECT_EQ(re.Match(S(u8"ｶﾞｽ")), 0u);
    re.SetUseFuzzyCharDic(true);
    EXPECT_EQ(re.RegExp(), S(u8"ガス"));
    std::size_t position = 0, length = 0;
    EXPECT_EQ(re.Match(S(u8"東京ｶﾞｽ"), position, length), 5u);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(re.Match(S(u8"か゛す")), 1u);
    re.SetUseFuzzyCharDic(false);
    EXPECT_EQ(re.Match(S(u8"ｶﾞｽ")), 0u);
}

TEST(RegexMatch, MatchProcedureFollowsThePattern) {
    TAWKStr re;
    EXPECT_EQ(re.Match("abc"), 1u);  // before any pattern: the empty pattern
    re.SetRegExp("^a");
    EXPECT_TRUE(re.UsesAnchoredMatch());
    re.SetRegExp("a^");
    EXPECT_FALSE(re.UsesAnchoredMatch());
    re.SetRegExp("x$");
    EXPECT_TRUE(re.UsesAnchoredMatch());
}

TEST(RegexCache, SamePatternCompilesOnce) {
    TAWKStr re;
    re.SetRegExp("abc");
    const TRE_DFA* first = &re.CurrentDFA();
    re.SetRegExp("x");
    re.SetRegExp("abc");
    EXPECT_EQ(&re.CurrentDFA(), first);
    EXPECT_EQ(re.Cache().Count(), 3u);
    EXPECT_EQ(re.Cache().Text(0), "");
    EXPECT_EQ(re.Cache().Text(1), "x");  // a hit does not move its entry
    EXPECT_EQ(re.Cache().Text(2), "abc");
    EXPECT_EQ(re.CurrentIndex(), 2u);
}

TEST(RegexCache, FullCacheDropsTheOldestInsertion) {
    TAWKStr re;
    for (int i = 1; i <= 31; ++i) re.SetRegExp("p" + std::to_string(i));
    ASSERT_EQ(re.Cache().Count(), 30u);
    EXPECT_EQ(re.Cache().Text(0), "");
    EXPECT_EQ(re.Cache().Text(1), "p31");
    EXPECT_EQ(re.Cache().Text(29), "p3");
    EXPECT_EQ(re.Match("xp2"), 0u);
    re.SetRegExp("p2");  // compiled again
    EXPECT_EQ(re.Cache().Text(1), "p2");
    EXPECT_EQ(re.Cache().Text(29), "p4");
}

// Large automata fill the cache before 30 patterns do; the newest and the
// empty pattern stay.
TEST(RegexCache, AutomataPastTheByteBudgetDropTheOldestInsertions) {
    auto big = [](int k) {  // over 2000 states
        std::string p = "(a|b)*a(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)(a|b)" + std::to_string(k);
        return p;
    };
    const std::size_t size = CompilePattern(big(0))->MemoryBytes();
    ASSERT_GT(size, 20000u);
    TREPatternCache cache(30, 3 * size + size / 2);
    cache.SetAutomaton(cache.Insert(""), CompilePattern(""));
    for (int k = 1; k <= 5; ++k) cache.SetAutomaton(cache.Insert(big(k)), CompilePattern(big(k)));
    ASSERT_EQ(cache.Count(), 4u);  // the empty pattern and three of the five
    EXPECT_EQ(cache.Text(0), "");
    EXPECT_EQ(cache.Text(1), big(5));
    EXPECT_EQ(cache.Text(3), big(3));
    EXPECT_LE(cache.AutomataBytes(), 3 * size + size / 2);
    // One automaton beyond the budget stays alone with the empty pattern.
    TREPatternCache small(30, size / 2);
    small.SetAutomaton(small.Insert(""), CompilePattern(""));
    small.SetAutomaton(small.Insert("x"), CompilePattern("x"));
    small.SetAutomaton(small.Insert(big(1)), CompilePattern(big(1)));
    EXPECT_EQ(small.Count(), 2u);
    EXPECT_EQ(small.Text(1), big(1));
    small.Erase(1);
    EXPECT_EQ(small.AutomataBytes(), CompilePattern("")->MemoryBytes());
}

TEST(RegexCache, PreprocessedTextIsTheKey) {
    TAWKStr re;
    re.SetUseFuzzyCharDic(true);
    re.SetRegExp("a");
    EXPECT_EQ(sjis::toUtf8(re.Cache().Text(re.CurrentIndex())), u8"(Ａ|ａ|A|a)");
    re.SetRegExp(S(u8"(Ａ|ａ|A|a)"));  // preprocessed into a different text
    EXPECT_EQ(re.Cache().Count(), 3u);
}

TEST(RegexCache, AMalformedPatternLeavesTheEmptyPatternInForce) {
    TAWKStr re;
    re.SetRegExp("^abc");
    ExpectRegexError([&] { re.SetRegExp("("); }, kNeedParen, 2);
    EXPECT_EQ(re.RegExp(), "");
    EXPECT_EQ(re.CurrentIndex(), 0u);
    EXPECT_EQ(re.Cache().Count(), 2u);  // the failed pattern is not cached
    EXPECT_EQ(re.Match("xyz"), 1u);
    std::size_t position = 0, length = 9;
    re.Match("xyz", position, length);
    EXPECT_EQ(length, 0u);
    // Setting the same malformed pattern again fails again.
    ExpectRegexError([&] { re.SetRegExp("("); }, kNeedParen, 2);
    re.SetRegExp("^abc");
    EXPECT_EQ(re.Match("abc"), 1u);
}

TEST(RegexCache, APreprocessingErrorChangesNothing) {
    TAWKStr re;
    re.SetUseFuzzyCharDic(true);
    re.SetRegExp("b");
    ExpectRegexError([&] { re.SetRegExp("[a"); }, kNeedBracket, 3);
    EXPECT_EQ(re.RegExp(), "b");
    EXPECT_EQ(re.Match(S(u8"ｂ")), 1u);
}

TEST(RegexCache, ExpandEscapesThenMatch) {
    TAWKStr re;
    re.SetRegExp("a\tb");
    EXPECT_EQ(re.Match(TAWKStr::ExpandEscapes("xa\\tb")), 2u);
    ExpectRegexError([] { TAWKStr::ExpandEscapes("C:\\"); }, kNothingAfterBackslash, 4);
}
