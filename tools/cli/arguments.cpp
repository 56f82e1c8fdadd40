#include "arguments.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace cli {
namespace {

// The length of the valid UTF-8 sequence at the start of `s` (shortest form,
// no surrogates, at most U+10FFFF), or 0 when it is not one.
size_t utf8SequenceLength(std::string_view s) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high) return 0;
    for (size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
    return length;
}

std::string hexEscaped(unsigned char c) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", c);
    return text;
}

// C0 controls, DEL and the C1 controls (U+0080-U+009F, encoded C2 80-C2 9F).
bool isControl(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() == 1) return lead < 0x20 || lead == 0x7F;
    return sequence.size() == 2 && lead == 0xC2 && static_cast<unsigned char>(sequence[1]) < 0xA0;
}

}  // namespace

std::string echoed(std::string_view input) {
    std::string out;
    size_t characters = 0;
    while (!input.empty()) {
        if (characters == kEchoedCharacters) return out + "\u2026";
        const size_t length = utf8SequenceLength(input);
        const std::string_view sequence = input.substr(0, length == 0 ? 1 : length);
        if (length == 0 || isControl(sequence)) {
            for (unsigned char c : sequence) out += hexEscaped(c);
        } else {
            out += sequence;
        }
        input.remove_prefix(sequence.size());
        ++characters;
    }
    return out;
}

bool parseNumber(const std::string& text, double& value) {
    std::string_view digits = text;
    // A leading '+' is plain decimal too; from_chars takes only '-'.
    if (digits.size() > 1 && digits[0] == '+' && digits[1] != '-') digits.remove_prefix(1);
    const char* end = digits.data() + digits.size();
    const auto [ptr, ec] = std::from_chars(digits.data(), end, value, std::chars_format::general);
    return !digits.empty() && ec == std::errc() && ptr == end && std::isfinite(value);
}

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool parseNumberList(const std::string& text, std::vector<double>& values) {
    values.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(',', start);
        double v;
        if (!parseNumber(text.substr(start, comma - start), v)) return false;
        values.push_back(v);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool parseWorldPoint(const std::string& x, const std::string& y, TGeoPoint& p) {
    p = MakePoint(0, 0, 0);
    return parseNumber(x, p.X) && parseNumber(y, p.Y);
}

bool parseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find_first_of("xX");
    return x != std::string::npos && parseInt(text.substr(0, x), width) &&
           parseInt(text.substr(x + 1), height) && width > 0 && height > 0;
}

}  // namespace cli
