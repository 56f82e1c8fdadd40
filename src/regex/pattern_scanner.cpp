#include "regex/pattern_scanner.h"

#include <utility>

#include "regex/escapes.h"
#include "regex/regex_error.h"

TREScanner::TREScanner(std::string text) { SetText(std::move(text)); }

void TREScanner::SetText(std::string text) {
    text_ = std::move(text);
    position_ = 1;
    inClass_ = false;
}

TRETokenKind TREScanner::NextToken() {
    if (inClass_) {
        kind_ = ReadClassToken();
        if (kind_ == tokClassEnd) inClass_ = false;
    } else {
        kind_ = ReadToken();
        if (kind_ == tokClass || kind_ == tokNegClass) inClass_ = true;
    }
    return kind_;
}

void TREScanner::raise(TRegexMessage id) const { RaiseRegExpError(id, position_); }

TRETokenKind TREScanner::ReadToken() {
    char_ = ReadChar(text_, position_);
    switch (char_) {
        case 0: return tokEnd;
        case '|': return tokUnion;
        case '(': return tokLPar;
        case ')': return tokRPar;
        case '*': return tokStar;
        case '+': return tokPlus;
        case '?': return tokQMark;
        case '.': return tokAny;
        case '^': return tokLineHead;
        case '$': return tokLineTail;
        case ']': return tokClassEnd;
        case '\\':
            char_ = ReadEscape(text_, position_);
            return tokChar;
        case '[': {
            TRECode next = ReadChar(text_, position_);
            if (next == 0) raise(TRegexMessage::NeedRightBracket);
            if (next == '^') return tokNegClass;
            UnreadChar(text_, position_);
            return tokClass;
        }
        default:
            return tokChar;
    }
}

TRECode TREScanner::readClassChar(bool& escaped) {
    TRECode c = ReadChar(text_, position_);
    escaped = c == '\\';
    if (escaped) return ReadEscape(text_, position_);
    if (c == 0) raise(TRegexMessage::NeedRightBracket);
    return c;
}

TRETokenKind TREScanner::ReadClassToken() {
    bool escaped = false;
    const TRECode first = readClassChar(escaped);
    if (first == ']' && !escaped) return tokClassEnd;
    char_ = first;

    TRECode dash = ReadChar(text_, position_);
    if (dash == 0) raise(TRegexMessage::NeedRightBracket);
    if (dash != '-') {
        UnreadChar(text_, position_);
        return tokChar;
    }
    const TRECode last = readClassChar(escaped);
    if (last == ']' && !escaped) {
        UnreadChar(text_, position_);  // the "]"
        UnreadChar(text_, position_);  // the "-", the next token
        return tokChar;
    }
    if (last < first) raise(TRegexMessage::BadRange);
    rangeEnd_ = last;
    return tokRange;
}
