#include "map/display_categories.h"

#include "base/sjis.h"

const std::string& CategoryCaption(int index) {
    static const auto captions = [] {
        std::array<std::string, kCategoryCount> sjisCaptions;
        for (size_t i = 0; i < kCategoryCount; ++i) sjisCaptions[i] = sjis::fromUtf8(kDisplayCategories[i].Caption);
        return sjisCaptions;
    }();
    static const std::string none;
    return (index >= 0 && static_cast<size_t>(index) < kCategoryCount) ? captions[static_cast<size_t>(index)] : none;
}

std::string CategoryCodeList() {
    std::string list;
    for (const TDisplayCategory& c : kDisplayCategories) {
        if (!list.empty()) list += ", ";
        list += std::to_string(c.Major);
    }
    return list;
}
