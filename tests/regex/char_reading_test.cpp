#include <gtest/gtest.h>

#include "regex/char_codes.h"
#include "regex/escapes.h"
#include "regex_test_util.h"

namespace {

// Reads every character of a text from position 1.
std::vector<TRECode> readAll(const std::string& text) {
    std::vector<TRECode> codes;
    std::size_t position = 1;
    while (position <= text.size()) codes.push_back(ReadChar(text, position));
    return codes;
}

TRECode escapeOf(const std::string& text, std::size_t& position) {
    position = 2;  // behind the backslash
    return ReadEscape(text, position);
}

}  // namespace

TEST(RegexChars, ReadsSingleAndDoubleByteCharacters) {
    // ソ is 83 5C: its trail byte is the backslash.
    EXPECT_EQ(readAll(S(u8"aソ\t")), (std::vector<TRECode>{'a', 0x835C, '\t'}));
    EXPECT_EQ(readAll(S(u8"ｱ表")), (std::vector<TRECode>{0xB1, 0x955C}));
    std::size_t position = 0;
    EXPECT_EQ(ReadChar("abc", position), 0);
    position = 4;
    EXPECT_EQ(ReadChar("abc", position), 0);
    EXPECT_EQ(position, 4u);
    ExpectRegexError([] { std::size_t p = 2; ReadChar("a\x82", p); }, kBadDoubleByte, 2);
}

TEST(RegexChars, UnreadStepsBackOverWholeCharacters) {
    const std::string text = "\x81\x81\x81\x40" "a";  // two double-byte characters, then a
    std::size_t position = 1;
    ReadChar(text, position);
    ReadChar(text, position);
    EXPECT_EQ(position, 5u);
    UnreadChar(text, position);
    EXPECT_EQ(position, 3u);
    UnreadChar(text, position);
    EXPECT_EQ(position, 1u);
    UnreadChar(text, position);
    EXPECT_EQ(position, 1u);
    position = 6;
    UnreadChar(text, position);
    EXPECT_EQ(position, 5u);
    // The trail byte 0x5C is not mistaken for a single character.
    const std::string so = S(u8"ソ");
    position = 3;
    UnreadChar(so, position);
    EXPECT_EQ(position, 1u);
}

TEST(RegexChars, CursorReadingStopsAtTheTerminator) {
    const std::string text = "a\x95\x5C\x82";  // a, 表, then a lone lead byte
    const char* cursor = text.c_str();
    EXPECT_EQ(ReadCharAt(cursor), 'a');
    EXPECT_EQ(ReadCharAt(cursor), 0x955C);
    EXPECT_EQ(ReadCharAt(cursor), 0x82);  // a lone lead byte counts as one byte
    EXPECT_EQ(ReadCharAt(cursor), 0);
    EXPECT_EQ(cursor, text.c_str() + text.size());
    EXPECT_EQ(ReadCharAt(cursor), 0);
    EXPECT_EQ(cursor, text.c_str() + text.size());
}

TEST(RegexChars, CharToTextWritesTheBytesOfACode) {
    EXPECT_EQ(CharToText('A'), "A");
    EXPECT_EQ(CharToText(0x955C), "\x95\x5C");
    EXPECT_EQ(CharToText(0x4142), "B");  // high byte is no lead byte: low byte only
    EXPECT_EQ(CharToText(0), std::string(1, '\0'));
}

TEST(RegexEscapes, ControlLettersAndLiterals) {
    std::size_t p = 0;
    EXPECT_EQ(escapeOf("\\b", p), 8);
    EXPECT_EQ(escapeOf("\\r", p), 13);
    EXPECT_EQ(escapeOf("\\n", p), 10);
    EXPECT_EQ(escapeOf("\\t", p), 9);
    EXPECT_EQ(escapeOf("\\B", p), 'B');
    EXPECT_EQ(escapeOf("\\T", p), 'T');
    EXPECT_EQ(escapeOf("\\\\", p), '\\');
    EXPECT_EQ(escapeOf("\\]", p), ']');
    EXPECT_EQ(escapeOf(S(u8"\\表"), p), 0x955C);
    EXPECT_EQ(p, 4u);
    ExpectRegexError([] { std::size_t q = 2; ReadEscape("\\", q); }, kNothingAfterBackslash, 2);
}

TEST(RegexEscapes, HexadecimalCodes) {
    std::size_t p = 0;
    EXPECT_EQ(escapeOf("\\x41G", p), 0x41);
    EXPECT_EQ(p, 5u);  // G is left for the next read
    EXPECT_EQ(escapeOf("\\x41B", p), 0x041B);
    EXPECT_EQ(escapeOf("\\x41424", p), 0x4142);
    EXPECT_EQ(p, 7u);  // the fifth digit is the next character
    EXPECT_EQ(escapeOf("\\xfF", p), 0xFF);
    EXPECT_EQ(escapeOf(S(u8"\\x4表"), p), 4);
    EXPECT_EQ(p, 4u);  // unread a whole double-byte character
    ExpectRegexError([] { std::size_t q = 2; ReadEscape("\\x", q); }, kBadHex, 3);
    ExpectRegexError([] { std::size_t q = 2; ReadEscape("\\xg", q); }, kBadHex, 3);
}

TEST(RegexEscapes, OctalCodes) {
    std::size_t p = 0;
    EXPECT_EQ(escapeOf("\\101", p), 'A');
    EXPECT_EQ(escapeOf("\\0", p), 0);
    EXPECT_EQ(escapeOf("\\177777", p), 0xFFFF);
    EXPECT_EQ(escapeOf("\\0000017", p), 1);
    EXPECT_EQ(p, 8u);  // six digits at most
    EXPECT_EQ(escapeOf("\\78", p), 7);
    ExpectRegexError([] { std::size_t q = 2; ReadEscape("\\200000", q); }, kBadOctal, 8);
}

TEST(RegexEscapes, QuoteMetaEscapesTheTwelveSpecialCharacters) {
    EXPECT_EQ(QuoteMeta("^(|)+*?.[]$\\"), "\\^\\(\\|\\)\\+\\*\\?\\.\\[\\]\\$\\\\");
    EXPECT_EQ(QuoteMeta("a-{}b"), "a-{}b");
    // Trail bytes 0x5C and 0x5D stay untouched.
    EXPECT_EQ(QuoteMeta(S(u8"ソ表ゾ")), S(u8"ソ表ゾ"));
}

TEST(RegexEscapes, ExpandEscapesOfAttributeTexts) {
    EXPECT_EQ(ExpandEscapes("a\\tb"), "a\tb");
    EXPECT_EQ(ExpandEscapes(S(u8"表\\x41ソ")), S(u8"表Aソ"));
    EXPECT_EQ(ExpandEscapes("\\x8140"), S(u8"　"));
    EXPECT_EQ(ExpandEscapes(""), "");
    ExpectRegexError([] { ExpandEscapes("C:\\"); }, kNothingAfterBackslash, 4);
    ExpectRegexError([] { ExpandEscapes("\\xZ"); }, kBadHex, 3);
    ExpectRegexError([] { ExpandEscapes("\\7777777"); }, kBadOctal, 8);
    ExpectRegexError([] { ExpandEscapes("ab\x88"); }, kBadDoubleByte, 3);
}

TEST(RegexEscapes, HasEscapesTellsWhenExpansionCouldChangeOrRaise) {
    // Whenever it answers false, expanding gives the text itself.
    for (const std::string& text : {std::string("plain"), std::string("\x95\x5C\x83\x5C"), std::string(""),
                                   sjis::fromUtf8(u8"東京駅")}) {
        EXPECT_FALSE(HasEscapes(text)) << text;
        EXPECT_EQ(ExpandEscapes(text), text);
    }
    EXPECT_TRUE(HasEscapes("a\\tb"));
    EXPECT_TRUE(HasEscapes("end\\"));
    EXPECT_TRUE(HasEscapes("lone\x82"));  // expanding raises
    EXPECT_THROW(ExpandEscapes("lone\x82"), ERegExpParser);
}
