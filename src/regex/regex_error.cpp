#include "regex/regex_error.h"

#include <array>
#include <string_view>

#include "base/sjis.h"
#include "regex/engine_limits.h"

namespace {

std::string withLimit(std::string_view before, std::size_t limit, std::string_view after) {
    return std::string(before) + std::to_string(limit) + std::string(after);
}

std::array<std::string, 14> buildMessages() {
    std::array<std::string, 14> utf8 = {
        u8"不正な２バイト文字コードです。",
        u8"\"\\\"の次には文字が必要です。",
        u8"不正な１６進数コード表記です。",
        u8"不正な８進数コード表記です。",
        u8"右ブラケット\"]\"が必要です",
        u8"不正なキャラクタ範囲です",
        u8"正規表現に余分な文字があります",
        u8"右(閉じ)括弧が必要です",
        u8"普通の文字、または左括弧\"(\"が必要です",
        u8"不正なキャラクタクラス指定です。",
        withLimit(u8"括弧の入れ子が深すぎます(上限は", kGroupDepthLimit, u8"段です)"),
        withLimit(u8"正規表現が複雑すぎます(NFAの状態数が上限の", kNfaStateLimit, u8"を超えました)"),
        withLimit(u8"正規表現が複雑すぎます(DFAの状態数が上限の", kDfaStateLimit, u8"を超えました)"),
        withLimit(u8"正規表現が複雑すぎます(DFAの遷移数が上限の", kDfaTransitionLimit,
                  u8"を超えました)"),
    };
    for (std::string& m : utf8) m = sjis::fromUtf8(m);
    return utf8;
}

}  // namespace

const std::string& RegexMessage(TRegexMessage id) {
    static const std::array<std::string, 14> messages = buildMessages();
    return messages[static_cast<std::size_t>(id)];
}

void RaiseRegExpError(TRegexMessage id, std::size_t position) {
    throw ERegExpParser(RegexMessage(id), position);
}

void RaiseInternalError(const char* utf8Message) {
    throw std::logic_error(utf8Message);  // a fault of the engine: UTF-8, as the library's own are
}
