#pragma once
// The display categories the user switches on and off, each described once:
// its major code, the caption of its check box in the settings dialog, the
// caption of its entry in the search dialog's target list, and whether a new
// map shows it. Everything that lists the categories reads this table.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

struct TDisplayCategory {
    int Major;                      // features of this major code belong to the category
    std::string_view Caption;       // UTF-8, the settings dialog's check box
    std::string_view SearchCaption; // UTF-8, the search dialog's target
    bool ShownByDefault;            // a new map object starts with the switch on
};

inline constexpr std::array<TDisplayCategory, 8> kDisplayCategories{{
    {11, "行政区域", "境界", true},
    {21, "道路", "道路", true},
    {23, "鉄道", "鉄道", true},
    {24, "鉄道施設", "鉄道施設", true},
    {35, "建物", "建物注記", true},
    {51, "水部等", "水部", true},
    {62, "公園等場地", "諸地・場地", true},
    {73, "基準点", "基準点", true},
}};
inline constexpr size_t kCategoryCount = kDisplayCategories.size();

// Index of the major code in kDisplayCategories, or -1 when it is not a category.
constexpr int CategoryIndex(int major) {
    for (size_t i = 0; i < kCategoryCount; ++i)
        if (kDisplayCategories[i].Major == major) return static_cast<int>(i);
    return -1;
}

// The category switches of a new map object.
constexpr std::array<bool, kCategoryCount> DefaultCategorySwitches() {
    std::array<bool, kCategoryCount> on{};
    for (size_t i = 0; i < kCategoryCount; ++i) on[i] = kDisplayCategories[i].ShownByDefault;
    return on;
}

// The caption of a category's check box (Shift-JIS), by index into kDisplayCategories;
// empty for another index.
const std::string& CategoryCaption(int index);
// The major codes in table order, as "11, 21, ..." (for messages).
std::string CategoryCodeList();
