#pragma once
// Equivalence dictionaries of the preprocessor.
#include <string>
#include <string_view>
#include <vector>

// An ordered list of equivalence classes; a class is an ordered list of
// items, each a Shift-JIS text of one or more characters.
struct TREDictionary {
    std::vector<std::vector<std::string>> Classes;
};

// Splits a comma text into items: items are separated by commas, blanks and
// control characters around them are skipped, an item that starts with a
// double quote runs to the closing quote (a doubled quote stands for one) and
// may hold commas and blanks, and a comma ending the text adds an empty item.
std::vector<std::string> ParseCommaText(std::string_view text);
