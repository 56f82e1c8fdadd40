#include "places/coordinate_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "view/coords_table.h"

namespace {

struct Token {
    enum Kind : uint8_t { Number, Mark, Hemisphere, Separator, Word } kind = Number;
    double value = 0;      // Number: its absolute value
    bool negative = false;  // Number
    bool fraction = false;  // Number: written with a decimal point
    int unit = 0;           // Mark: 0 degrees, 1 minutes, 2 seconds
    char hemisphere = 0;    // Hemisphere: N, S, E or W
    std::string_view word;  // Word
};

struct Symbol {
    std::string_view text;
    Token::Kind kind;
    int unit;
    char hemisphere;
};

constexpr std::array<Symbol, 19> kSymbols = {{
    {u8"°", Token::Mark, 0, 0}, {u8"º", Token::Mark, 0, 0}, {u8"˚", Token::Mark, 0, 0},
    {u8"度", Token::Mark, 0, 0}, {"'", Token::Mark, 1, 0}, {u8"′", Token::Mark, 1, 0},
    {u8"’", Token::Mark, 1, 0}, {u8"分", Token::Mark, 1, 0}, {"\"", Token::Mark, 2, 0},
    {u8"″", Token::Mark, 2, 0}, {u8"”", Token::Mark, 2, 0}, {u8"秒", Token::Mark, 2, 0},
    {u8"北緯", Token::Hemisphere, 0, 'N'}, {u8"南緯", Token::Hemisphere, 0, 'S'},
    {u8"東経", Token::Hemisphere, 0, 'E'}, {u8"西経", Token::Hemisphere, 0, 'W'},
    {",", Token::Separator, 0, 0}, {";", Token::Separator, 0, 0}, {u8"、", Token::Separator, 0, 0},
}};

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The text as tokens; nothing when some part of it belongs to no coordinate.
std::optional<std::vector<Token>> tokenize(std::string_view s) {
    std::vector<Token> tokens;
    size_t i = 0;
    auto startsWithMark = [&](size_t at, int unit) {
        for (const Symbol& m : kSymbols)
            if (m.kind == Token::Mark && m.unit == unit && s.substr(at).starts_with(m.text)) return m.text.size();
        return size_t{0};
    };
    while (i < s.size()) {
        const char c = s[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        const bool signed_ = (c == '-' || c == '+') && i + 1 < s.size() && isDigit(s[i + 1]);
        if (isDigit(c) || signed_) {
            Token t;
            t.negative = c == '-';
            const size_t start = signed_ ? i + 1 : i;
            size_t end = start;
            while (end < s.size() && isDigit(s[end])) ++end;
            if (end + 1 < s.size() && s[end] == '.' && isDigit(s[end + 1])) {
                t.fraction = true;
                for (++end; end < s.size() && isDigit(s[end]);) ++end;
            }
            std::from_chars(s.data() + start, s.data() + end, t.value);
            tokens.push_back(t);
            i = end;
            continue;
        }
        if (isLetter(c)) {
            size_t end = i;
            while (end < s.size() && isLetter(s[end])) ++end;
            const char h = static_cast<char>(c & ~0x20);
            if (end == i + 1 && (h == 'N' || h == 'S' || h == 'E' || h == 'W')) {
                Token t;
                t.kind = Token::Hemisphere;
                t.hemisphere = h;
                tokens.push_back(t);
            } else {
                while (end < s.size() && (isLetter(s[end]) || isDigit(s[end]) || s[end] == '_')) ++end;
                Token t;
                t.kind = Token::Word;
                t.word = s.substr(i, end - i);
                tokens.push_back(t);
            }
            i = end;
            continue;
        }
        const Symbol* found = nullptr;
        for (const Symbol& m : kSymbols)
            if (s.substr(i).starts_with(m.text)) found = &m;
        if (!found) return std::nullopt;
        i += found->text.size();
        Token t;
        t.kind = found->kind;
        t.unit = found->unit;
        t.hemisphere = found->hemisphere;
        if (t.kind == Token::Mark && t.unit == 1)  // two minute marks make a second mark
            if (const size_t n = startsWithMark(i, 1)) {
                t.unit = 2;
                i += n;
            }
        tokens.push_back(t);
    }
    return tokens;
}

struct Part {
    double value = 0;
    bool negative = false, fraction = false;
    int unit = -1;  // -1: no mark
};

struct Component {
    char hemisphere = 0;
    std::vector<Part> parts;
};

TCoordinateText malformed() { return {.Form = TCoordinateText::ctMalformed}; }

TCoordinateText planeText(const std::vector<Token>& tokens) {
    std::optional<TCoordsFormat> system;
    for (int i = 0; i < kCoordsFormatCount && !system; ++i) {
        const std::string_view name = CoordsFormatName(static_cast<TCoordsFormat>(i));
        const std::string_view word = tokens[0].word;
        if (name.size() == word.size() &&
            std::equal(name.begin(), name.end(), word.begin(), [](char a, char b) { return (a | 0x20) == (b | 0x20); }))
            system = static_cast<TCoordsFormat>(i);
    }
    if (!system) return {};
    std::vector<double> numbers;
    for (size_t i = 1; i < tokens.size(); ++i) {
        if (tokens[i].kind == Token::Separator) continue;
        if (tokens[i].kind != Token::Number) return malformed();
        numbers.push_back(tokens[i].negative ? -tokens[i].value : tokens[i].value);
    }
    if (numbers.size() != 2) return malformed();
    if (CoordsFormatEntry(*system).Kind != kCoordsKindProjected) return {.Form = TCoordinateText::ctNotPlane};
    return {.Form = TCoordinateText::ctPlane, .System = *system, .X = numbers[0], .Y = numbers[1]};
}

// Splits the tokens into the latitude's and the longitude's parts. Hemisphere
// letters stand before or after their parts; a separator, a second degree
// mark or a number after seconds starts the next component.
std::optional<std::vector<Component>> components(const std::vector<Token>& tokens) {
    std::vector<Component> out;
    Component current;
    auto close = [&] {
        if (!current.parts.empty()) out.push_back(std::move(current));
        current = {};
    };
    for (const Token& t : tokens) {
        switch (t.kind) {
            case Token::Hemisphere:
                if (current.parts.empty()) {
                    if (current.hemisphere) return std::nullopt;
                    current.hemisphere = t.hemisphere;
                } else if (!current.hemisphere) {
                    current.hemisphere = t.hemisphere;
                    close();
                } else {
                    close();
                    current.hemisphere = t.hemisphere;
                }
                break;
            case Token::Separator:
                if (current.parts.empty() && current.hemisphere) return std::nullopt;
                close();
                break;
            case Token::Number:
                if (!current.parts.empty() && current.parts.back().unit == 2) close();
                current.parts.push_back({t.value, t.negative, t.fraction, -1});
                break;
            case Token::Mark:
                if (current.parts.empty() || current.parts.back().unit >= 0) return std::nullopt;
                if (t.unit == 0 && current.parts.size() > 1) {  // degrees of the next component
                    const Part moved = current.parts.back();
                    current.parts.pop_back();
                    close();
                    current.parts.push_back(moved);
                }
                current.parts.back().unit = t.unit;
                break;
            case Token::Word:
                return std::nullopt;
        }
    }
    if (current.parts.empty() && current.hemisphere) return std::nullopt;
    close();
    return out;
}

// Degrees of one component (its parts' units given or implied), or nothing.
std::optional<double> degrees(const Component& c) {
    double value = 0;
    int unit = -1;
    for (size_t i = 0; i < c.parts.size(); ++i) {
        const Part& p = c.parts[i];
        const int u = p.unit >= 0 ? p.unit : unit + 1;
        if (u <= unit || u > 2 || (i == 0 && u != 0)) return std::nullopt;
        if (p.fraction && i + 1 < c.parts.size()) return std::nullopt;
        if (i > 0 && (p.negative || p.value >= 60)) return std::nullopt;
        value += p.value / (u == 0 ? 1 : u == 1 ? 60 : 3600);
        unit = u;
    }
    if (c.parts.front().negative) value = -value;
    if (c.hemisphere == 'S' || c.hemisphere == 'W') {
        if (c.parts.front().negative) return std::nullopt;
        value = -value;
    }
    return value;
}

}  // namespace

TCoordinateText ParseCoordinateText(std::string_view text) {
    const std::optional<std::vector<Token>> tokens = tokenize(text);
    if (!tokens || tokens->empty()) return {};
    if ((*tokens)[0].kind == Token::Word) return planeText(*tokens);
    bool marked = false, lettered = false, numbered = false;
    for (const Token& t : *tokens) {
        marked = marked || t.kind == Token::Mark;
        lettered = lettered || t.kind == Token::Hemisphere;
        numbered = numbered || t.kind == Token::Number;
    }
    if (!numbered) return {};
    std::optional<std::vector<Component>> parts = components(*tokens);
    if (!parts) return marked || lettered ? malformed() : TCoordinateText{};
    // Unmarked numbers in one run: half for each (d d, d m d m, d m s d m s).
    if (parts->size() == 1 && !marked && !lettered) {
        const std::vector<Part> all = (*parts)[0].parts;
        if (all.size() != 2 && all.size() != 4 && all.size() != 6) return {};
        const auto half = static_cast<std::ptrdiff_t>(all.size() / 2);
        *parts = {Component{0, {all.begin(), all.begin() + half}}, Component{0, {all.begin() + half, all.end()}}};
    }
    if (parts->size() != 2) return marked || lettered ? malformed() : TCoordinateText{};
    const Component& a = (*parts)[0];
    const Component& b = (*parts)[1];
    auto isLatitude = [](char h) { return h == 'N' || h == 'S'; };
    // The latitude comes first unless the letters say otherwise.
    bool aIsLatitude = true;
    if (a.hemisphere) aIsLatitude = isLatitude(a.hemisphere);
    else if (b.hemisphere) aIsLatitude = !isLatitude(b.hemisphere);
    if (a.hemisphere && b.hemisphere && isLatitude(a.hemisphere) == isLatitude(b.hemisphere)) return malformed();
    const std::optional<double> da = degrees(a), db = degrees(b);
    if (!da || !db) return malformed();
    TCoordinateText result{.Form = TCoordinateText::ctLatLon};
    result.Latitude = aIsLatitude ? *da : *db;
    result.Longitude = aIsLatitude ? *db : *da;
    return result;
}
