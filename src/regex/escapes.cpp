#include "regex/escapes.h"

#include "base/sjis.h"
#include "regex/regex_error.h"

namespace {

int hexValue(TRECode c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads up to maxDigits digits of the base; the first other character is
// unread. Returns the number of digits read.
int readDigits(std::string_view text, std::size_t& position, int base, int maxDigits,
               std::uint32_t& value) {
    int count = 0;
    value = 0;
    while (count < maxDigits) {
        TRECode c = ReadChar(text, position);
        int digit = base == 16 ? hexValue(c) : ((c >= '0' && c <= '7') ? c - '0' : -1);
        if (digit < 0) {
            if (c != 0) UnreadChar(text, position);
            break;
        }
        value = value * base + digit;
        if (value > 0xFFFF) RaiseRegExpError(TRegexMessage::BadOctalCode, position);
        ++count;
    }
    return count;
}

bool isMeta(unsigned char c) {
    switch (c) {
        case '^': case '(': case '|': case ')': case '+': case '*':
        case '?': case '.': case '[': case ']': case '$': case '\\':
            return true;
        default:
            return false;
    }
}

}  // namespace

TRECode ReadEscape(std::string_view text, std::size_t& position) {
    TRECode c = ReadChar(text, position);
    std::uint32_t value = 0;
    switch (c) {
        case 0:
            RaiseRegExpError(TRegexMessage::NothingAfterBackslash, position);
        case 'b': return 8;
        case 'r': return 13;
        case 'n': return 10;
        case 't': return 9;
        case 'x':
            if (readDigits(text, position, 16, 4, value) == 0)
                RaiseRegExpError(TRegexMessage::BadHexCode, position);
            return static_cast<TRECode>(value);
        case '0': case '1': case '2': case '3': case '4': case '5': case '6': case '7':
            UnreadChar(text, position);
            readDigits(text, position, 8, 6, value);
            return static_cast<TRECode>(value);
        default:
            return c;
    }
}

std::string QuoteMeta(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (sjis::isLeadByte(c) && i + 1 < text.size()) {
            out += text.substr(i, 2);
            ++i;
            continue;
        }
        if (isMeta(c)) out += '\\';
        out += static_cast<char>(c);
    }
    return out;
}

bool HasEscapes(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (sjis::isLeadByte(c)) {
            if (i + 1 == text.size()) return true;  // raises in ExpandEscapes
            ++i;
        } else if (c == '\\') {
            return true;
        }
    }
    return false;
}

std::string ExpandEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t position = 1;
    while (position <= text.size()) {
        TRECode c = ReadChar(text, position);
        out += CharToText(c == '\\' ? ReadEscape(text, position) : c);
    }
    return out;
}
