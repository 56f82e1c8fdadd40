#pragma once
// Helpers shared by the regex tests.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "base/sjis.h"
#include "regex/regex_error.h"

// A Shift-JIS text from a UTF-8 literal.
inline std::string S(const char* utf8) { return sjis::fromUtf8(utf8); }

// Runs f and checks that it raises ERegExpParser with this message (UTF-8)
// and position.
template <typename F>
void ExpectRegexError(F&& f, const char* utf8Message, std::size_t position) {
    try {
        f();
        ADD_FAILURE() << "no ERegExpParser raised; expected: " << utf8Message;
    } catch (const ERegExpParser& e) {
        EXPECT_EQ(sjis::toUtf8(e.what()), utf8Message);
        EXPECT_EQ(e.ErrorPos, position) << utf8Message;
    }
}

// The messages as users read them.
inline constexpr const char* kBadDoubleByte = u8"不正な２バイト文字コードです。";
inline constexpr const char* kNothingAfterBackslash = u8"\"\\\"の次には文字が必要です。";
inline constexpr const char* kBadHex = u8"不正な１６進数コード表記です。";
inline constexpr const char* kBadOctal = u8"不正な８進数コード表記です。";
inline constexpr const char* kNeedBracket = u8"右ブラケット\"]\"が必要です";
inline constexpr const char* kBadRange = u8"不正なキャラクタ範囲です";
inline constexpr const char* kExtra = u8"正規表現に余分な文字があります";
inline constexpr const char* kNeedParen = u8"右(閉じ)括弧が必要です";
inline constexpr const char* kNeedFactor = u8"普通の文字、または左括弧\"(\"が必要です";
inline constexpr const char* kEmptyClass = u8"不正なキャラクタクラス指定です。";
