#pragma once
// The texts of an exported feature, in UTF-8: the code's class name, the name
// its label or road colouring uses, its attribute values as a JSON array.
#include <string>
#include <unordered_map>

#include "map/features.h"
#include "tables/colors.h"

class TFeatureTexts {
public:
    // The code-name table's name; empty when the table has none.
    const std::string& ClassName(int major, int minor);

private:
    std::unordered_map<int, std::string> classNames_;
};

// The text the feature's label shows or its road colouring read; empty for none.
std::string FeatureNameUtf8(const TKDKAttribute& record);
// ["value", ...] with every value converted from Shift-JIS.
std::string ValuesJson(const TKDKAttribute& record);
// [1,-2,...]
std::string IntListJson(std::span<const int32_t> values);
// "#rrggbb" of a TColor (0x00BBGGRR).
std::string ColourText(TColor colour);
