#include "places/place_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "base/sjis.h"

namespace placetext {
namespace {

constexpr uint16_t code(unsigned char lead, unsigned char trail) { return static_cast<uint16_t>(lead << 8 | trail); }

uint16_t codeOf(const char* utf8) {
    const std::string s = sjis::fromUtf8(utf8);
    return s.size() == 2 ? code(static_cast<unsigned char>(s[0]), static_cast<unsigned char>(s[1])) : 0;
}

// The double-byte characters the keys treat specially, looked up once.
struct DoubleByteTable {
    std::array<uint16_t, 94> fullWidth{};  // the full-width form of ASCII 0x21 + i
    std::array<uint16_t, 12> numerals{};   // 〇 一 … 九, then 十 and 百
    std::vector<uint16_t> separators;
    uint16_t cho = 0, me = 0;  // 丁, 目

    DoubleByteTable() {
        for (size_t i = 0; i < fullWidth.size(); ++i) {
            const char32_t c = 0xFF01 + static_cast<char32_t>(i);
            const char utf8[4] = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                                  static_cast<char>(0x80 | (c & 0x3F)), 0};
            fullWidth[i] = codeOf(utf8);
        }
        const char* numeralTexts[] = {u8"〇", u8"一", u8"二", u8"三", u8"四", u8"五",
                                      u8"六", u8"七", u8"八", u8"九", u8"十", u8"百"};
        for (size_t i = 0; i < numerals.size(); ++i) numerals[i] = codeOf(numeralTexts[i]);
        for (const char* s : {u8"　", u8"、", u8"‐", u8"―", u8"−"}) separators.push_back(codeOf(s));
        cho = codeOf(u8"丁");
        me = codeOf(u8"目");
    }
    // The ASCII character of a full-width form, or 0.
    char ascii(uint16_t c) const {
        for (size_t i = 0; i < fullWidth.size(); ++i)
            if (fullWidth[i] == c) return static_cast<char>(0x21 + i);
        return 0;
    }
    // 0-9 for a digit numeral, 10 or 100 for 十 and 百, -1 for anything else.
    int numeral(uint16_t c) const {
        for (size_t i = 0; i < numerals.size(); ++i)
            if (numerals[i] == c) return i < 10 ? static_cast<int>(i) : (i == 10 ? 10 : 100);
        return -1;
    }
};

const DoubleByteTable& table() {
    static const DoubleByteTable t;
    return t;
}

bool isAsciiSeparator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '-' || c == '.' || c == '/'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The value of kanji numerals: positional (二〇 = 20) or with 十 and 百 (二十三 = 23).
std::optional<int> numeralValue(const std::vector<int>& symbols) {
    bool units = false;
    for (int s : symbols) units = units || s >= 10;
    int total = 0;
    if (!units) {
        for (int s : symbols) total = total * 10 + s;
        return total;
    }
    int pending = -1;
    for (int s : symbols) {
        if (s < 10) {
            if (pending >= 0) return std::nullopt;
            pending = s;
        } else {
            total += (pending >= 0 ? pending : 1) * s;
            pending = -1;
        }
    }
    return total + (pending >= 0 ? pending : 0);
}

// Replaces the kanji numerals from `runStart` to the end of `out` by their value in digits.
void numeralsToDigits(std::string& out, size_t runStart) {
    std::vector<int> symbols;
    for (size_t i = runStart; i + 1 < out.size(); i += 2)
        symbols.push_back(table().numeral(code(static_cast<unsigned char>(out[i]), static_cast<unsigned char>(out[i + 1]))));
    if (const std::optional<int> value = numeralValue(symbols)) out.replace(runStart, std::string::npos, std::to_string(*value));
}

}  // namespace

std::string FoldWidth(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const auto b = [&](size_t k) { return static_cast<unsigned char>(utf8[i + k]); };
        if (b(0) >= 0xE0 && b(0) < 0xF0 && i + 2 < utf8.size()) {
            const char32_t c = (b(0) & 0x0F) << 12 | (b(1) & 0x3F) << 6 | (b(2) & 0x3F);
            if (c >= 0xFF01 && c <= 0xFF5E) {
                out += static_cast<char>(c - 0xFEE0);
                i += 3;
                continue;
            }
            if (c == 0x3000 || c == 0x2212) {
                out += c == 0x3000 ? ' ' : '-';
                i += 3;
                continue;
            }
        }
        out += utf8[i++];
    }
    const size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return out.substr(first, out.find_last_not_of(" \t") - first + 1);
}

std::string Key(std::string_view sjis, bool keepSeparators) {
    const DoubleByteTable& t = table();
    std::string out;
    out.reserve(sjis.size());
    size_t runStart = std::string::npos;  // where the kanji numerals ending `out` begin
    bool separatorPending = false;
    auto put = [&](std::string_view text) {
        if (separatorPending && keepSeparators && !out.empty()) out += ' ';
        separatorPending = false;
        out += text;
    };
    for (size_t i = 0; i < sjis.size();) {
        const auto lead = static_cast<unsigned char>(sjis[i]);
        const bool doubleByte = sjis::isLeadByte(lead) && i + 1 < sjis.size();
        const uint16_t c = doubleByte ? code(lead, static_cast<unsigned char>(sjis[i + 1])) : 0;
        const std::string_view bytes = sjis.substr(i, doubleByte ? 2 : 1);
        i += bytes.size();
        // A single byte or the full-width form of one: an ASCII character.
        if (char a = doubleByte ? t.ascii(c) : bytes[0]; a != 0) {
            if (isAsciiSeparator(a)) {
                separatorPending = true;
            } else {
                if (a >= 'a' && a <= 'z') a = static_cast<char>(a - 'a' + 'A');
                put(std::string_view(&a, 1));
            }
            runStart = std::string::npos;
            continue;
        }
        if (std::find(t.separators.begin(), t.separators.end(), c) != t.separators.end()) {
            separatorPending = true;
            runStart = std::string::npos;
            continue;
        }
        const bool chome = c == t.cho && i + 1 < sjis.size() &&
                           code(static_cast<unsigned char>(sjis[i]), static_cast<unsigned char>(sjis[i + 1])) == t.me;
        if (chome && runStart != std::string::npos && !separatorPending) numeralsToDigits(out, runStart);
        const bool numeral = t.numeral(c) >= 0;
        const bool continuesRun = numeral && runStart != std::string::npos && !separatorPending;
        put(bytes);
        if (!numeral) runStart = std::string::npos;
        else if (!continuesRun) runStart = out.size() - 2;
    }
    return out;
}

std::optional<std::string> TrailingNumeralAsDigits(std::string_view key) {
    size_t runStart = std::string::npos;
    for (size_t i = 0; i < key.size();) {
        const auto lead = static_cast<unsigned char>(key[i]);
        if (sjis::isLeadByte(lead) && i + 1 < key.size()) {
            const bool numeral = table().numeral(code(lead, static_cast<unsigned char>(key[i + 1]))) >= 0;
            if (!numeral) runStart = std::string::npos;
            else if (runStart == std::string::npos) runStart = i;
            i += 2;
        } else {
            runStart = std::string::npos;
            ++i;
        }
    }
    if (runStart == std::string::npos) return std::nullopt;
    std::string out(key);
    numeralsToDigits(out, runStart);
    if (out == key) return std::nullopt;  // numerals that make no number
    return out;
}

size_t FindAligned(std::string_view haystack, std::string_view needle) {
    for (size_t i = 0; i + needle.size() <= haystack.size();) {
        if (haystack.compare(i, needle.size(), needle) == 0) return i;
        i += sjis::isLeadByte(static_cast<unsigned char>(haystack[i])) ? 2 : 1;
    }
    return std::string_view::npos;
}

bool NaturalLess(std::string_view a, std::string_view b) {
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            size_t i1 = i, j1 = j;
            while (i1 < a.size() && isDigit(a[i1])) ++i1;
            while (j1 < b.size() && isDigit(b[j1])) ++j1;
            std::string_view da = a.substr(i, i1 - i), db = b.substr(j, j1 - j);
            while (da.size() > 1 && da[0] == '0') da.remove_prefix(1);
            while (db.size() > 1 && db[0] == '0') db.remove_prefix(1);
            if (da.size() != db.size()) return da.size() < db.size();
            if (da != db) return da < db;
            i = i1;
            j = j1;
            continue;
        }
        const auto ca = static_cast<unsigned char>(a[i]), cb = static_cast<unsigned char>(b[j]);
        if (ca != cb) return ca < cb;
        ++i;
        ++j;
    }
    return a.size() - i < b.size() - j;
}

}  // namespace placetext
