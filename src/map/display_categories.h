#pragma once
// The eight display categories, by major code, that the user switches on and off.
#include <array>
#include <string>

inline constexpr std::array<int, 8> kCategoryCodes{11, 21, 23, 24, 35, 51, 62, 73};

// Index of the major code in kCategoryCodes, or -1 when it is not a category.
inline int CategoryIndex(int major) {
    for (size_t i = 0; i < kCategoryCodes.size(); ++i)
        if (kCategoryCodes[i] == major) return static_cast<int>(i);
    return -1;
}

// The caption of a category's check box (Shift-JIS), by index into kCategoryCodes.
const std::string& CategoryCaption(int index);
