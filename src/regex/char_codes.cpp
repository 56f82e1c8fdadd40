#include "regex/char_codes.h"

#include "regex/regex_error.h"

TRECode ReadChar(std::string_view text, std::size_t& position) {
    if (position < 1 || position > text.size()) return 0;
    const auto c = static_cast<unsigned char>(text[position - 1]);
    if (!sjis::isLeadByte(c)) {
        ++position;
        return c;
    }
    if (position == text.size()) RaiseRegExpError(TRegexMessage::BadDoubleByte, position);
    const auto t = static_cast<unsigned char>(text[position]);
    position += 2;
    return static_cast<TRECode>(c << 8 | t);
}

void UnreadChar(std::string_view text, std::size_t& position) {
    if (position <= 1) return;
    std::size_t last = position - 2;  // 0-based index of the byte read last
    std::size_t leadRun = 0;
    while (leadRun < last && sjis::isLeadByte(static_cast<unsigned char>(text[last - 1 - leadRun])))
        ++leadRun;
    position -= (leadRun % 2 == 1) ? 2 : 1;
}

std::string CharToText(TRECode code) {
    const auto high = static_cast<unsigned char>(code >> 8);
    const auto low = static_cast<char>(code & 0xFF);
    if (sjis::isLeadByte(high)) return std::string{static_cast<char>(high), low};
    return std::string(1, low);
}
