#pragma once
// Equivalence dictionaries of the preprocessor.
#include <string>
#include <vector>

// An ordered list of equivalence classes; a class is an ordered list of
// items, each a Shift-JIS text of one or more characters. A class is written
// as one comma-separated text (SplitFields, base/comma_fields.h).
struct TREDictionary {
    std::vector<std::vector<std::string>> Classes;
};
