#include "map/display_categories.h"

#include "base/sjis.h"

const std::string& CategoryCaption(int index) {
    static const std::array<std::string, 8> captions{
        sjis::fromUtf8(u8"行政区域"), sjis::fromUtf8(u8"道路"),   sjis::fromUtf8(u8"鉄道"),
        sjis::fromUtf8(u8"鉄道施設"), sjis::fromUtf8(u8"建物"),   sjis::fromUtf8(u8"水部等"),
        sjis::fromUtf8(u8"公園等場地"), sjis::fromUtf8(u8"基準点"),
    };
    static const std::string none;
    return (index >= 0 && index < 8) ? captions[static_cast<size_t>(index)] : none;
}
