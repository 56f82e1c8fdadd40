#include "tables/coords_format.h"

#include <array>
#include <charconv>
#include <string>

namespace {

const std::array<std::string, kCoordsFormatCount>& names() {
    static const std::array<std::string, kCoordsFormatCount> table = [] {
        std::array<std::string, kCoordsFormatCount> t;
        t[0] = "cfCartesian";
        t[1] = "cfGeodeticTKY";
        t[2] = "cfGeodeticWGS";
        t[3] = "cfGeodeticJGD";
        for (int zone = 1; zone <= 19; ++zone) {
            std::string digits = (zone < 10 ? "0" : "") + std::to_string(zone);
            t[3 + zone] = "cfProjectedTKY" + digits;
            t[22 + zone] = "cfProjectedJGD" + digits;
            t[42 + zone] = "cfProjectedJGD2011_" + digits;
        }
        t[42] = "cfGeodeticJGD2011";
        return t;
    }();
    return table;
}

}  // namespace

TCoordsFormat FormatFromDatum(int datumType, int zone) {
    switch (datumType) {
    case kDatumTokyo:
        if (zone == 0) return TCoordsFormat::cfGeodeticTKY;
        if (zone >= 1 && zone <= 19) return static_cast<TCoordsFormat>(3 + zone);
        return TCoordsFormat::cfCartesian;
    case kDatumWGS84:
        return TCoordsFormat::cfGeodeticWGS;
    case kDatumJGD2000:
        if (zone == 0) return TCoordsFormat::cfGeodeticJGD;
        if (zone >= 1 && zone <= 19) return static_cast<TCoordsFormat>(22 + zone);
        return TCoordsFormat::cfCartesian;
    default:
        return TCoordsFormat::cfCartesian;
    }
}

std::string_view CoordsFormatName(TCoordsFormat format) {
    auto i = static_cast<size_t>(format);
    return i < names().size() ? std::string_view(names()[i]) : std::string_view("?");
}

std::optional<TCoordsFormat> CoordsFormatFromName(std::string_view text) {
    for (size_t i = 0; i < names().size(); ++i)
        if (names()[i] == text) return static_cast<TCoordsFormat>(i);
    int ordinal = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ordinal);
    if (ec == std::errc() && end == text.data() + text.size() && ordinal >= 0 &&
        ordinal < kCoordsFormatCount)
        return static_cast<TCoordsFormat>(ordinal);
    return std::nullopt;
}
