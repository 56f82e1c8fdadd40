#include "base/number_text.h"

#include <charconv>
#include <cstdlib>

#include "base/sjis.h"

namespace {

inline bool isBlank(unsigned char c) { return c >= 0x01 && c <= 0x20; }

}  // namespace

std::optional<int32_t> TryReadInt(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    } else if (i < s.size() && (s[i] == 'x' || s[i] == 'X')) {
        base = 16;
        ++i;
    }
    if (i >= s.size()) return std::nullopt;
    uint64_t value = 0;
    for (; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (value > 0x80000000ull) return std::nullopt;
    }
    if (negative) return static_cast<int32_t>(-static_cast<int64_t>(value));
    if (value > 0x7FFFFFFFull) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::optional<double> TryReadFloat(std::string_view s) {
    size_t i = 0;
    while (i < s.size() && isBlank(static_cast<unsigned char>(s[i]))) ++i;
    size_t numberStart = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    const size_t afterSign = i;
    size_t digits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;  // a sign or "." alone is no number
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        size_t expDigits = 0;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    // from_chars takes no leading '+'.
    const char* first = s.data() + (s[numberStart] == '+' ? afterSign : numberStart);
    double v = 0;
    auto [ptr, ec] = std::from_chars(first, s.data() + s.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Keep overflow as infinity and underflow as zero rather than failing.
        return std::strtod(std::string(first, s.data() + s.size()).c_str(), nullptr);
    }
    if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
    return v;
}

EConvertError EConvertError::NotAnInteger(std::string_view text) {
    static const std::string suffix = sjis::fromUtf8(u8" は有効な整数値ではありません");
    return EConvertError("'" + std::string(text) + "'" + suffix);
}
