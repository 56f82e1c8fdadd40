#pragma once
// The forms in which place names and query texts are compared. Names are
// Shift-JIS; a query arrives as UTF-8 and is folded to half width first.
#include <optional>
#include <string>
#include <string_view>

namespace placetext {

// UTF-8 with the full-width forms of ASCII (U+FF01-U+FF5E) as ASCII, the
// ideographic space as a space and the minus sign (U+2212) as '-'; leading and
// trailing spaces removed.
std::string FoldWidth(std::string_view utf8);

// The comparison key of a Shift-JIS name or query: full-width digits and
// letters as ASCII, letters upper-case, a chome number in kanji numerals
// before 丁目 in digits (五丁目 -> 5丁目, 二十三丁目 -> 23丁目), separators (spaces,
// commas, hyphens, 、, ・ excluded) dropped. With `keepSeparators` each run of
// separators between other characters becomes one space instead.
std::string Key(std::string_view sjis, bool keepSeparators = false);

// The key with its trailing kanji numerals as digits ("栄里五" -> "栄里5"), for
// a chome number typed without 丁目; nothing when the key does not end in them.
std::optional<std::string> TrailingNumeralAsDigits(std::string_view key);

// Where `needle` first occurs in `haystack` starting at a character boundary
// (Shift-JIS), or npos.
size_t FindAligned(std::string_view haystack, std::string_view needle);

// Orders keys with their runs of ASCII digits compared by value ("2丁目" before
// "10丁目"); digits never occur as Shift-JIS trail bytes.
bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace placetext
