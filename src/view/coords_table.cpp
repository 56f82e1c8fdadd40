#include "view/coords_table.h"

#include "base/sjis.h"

namespace {

// Origin of a plane rectangular zone, written as the definitions carry it.
struct ZoneOrigin {
    const char* Latitude;
    const char* Longitude;
};

constexpr std::array<ZoneOrigin, 19> kZoneOrigins = {{
    {"33", "129.5"}, {"33", "131"}, {"36", "132.1666666666667"}, {"33", "133.5"},
    {"36", "134.3333333333333"}, {"36", "136"}, {"36", "137.1666666666667"}, {"36", "138.5"},
    {"36", "139.8333333333333"}, {"40", "140.8333333333333"}, {"44", "140.25"}, {"44", "142.25"},
    {"44", "144.25"}, {"26", "142"}, {"26", "127.5"}, {"26", "124"}, {"26", "131"}, {"20", "136"},
    {"26", "154"},
}};

// Bessel ellipsoid with the three-parameter shift of the Tokyo datum to WGS84.
constexpr const char* kTokyoDatum =
    "+a=6377397.155 +rf=299.152813 +towgs84=-148.0,507.0,685.0,0,0,0,0";
constexpr const char* kJgd2000Datum = "+ellps=GRS80 +towgs84=0,0,0,0,0,0,0";
constexpr const char* kClosing = " +no_defs  no_defs";

// Zones 1 to 10 are one Roman numeral; 11 to 19 are X followed by I to IX.
std::string romanNumeral(int zone) {
    static constexpr const char* kNumerals[] = {u8"Ⅰ", u8"Ⅱ", u8"Ⅲ", u8"Ⅳ", u8"Ⅴ",
                                                u8"Ⅵ", u8"Ⅶ", u8"Ⅷ", u8"Ⅸ", u8"Ⅹ"};
    if (zone <= 10) return kNumerals[zone - 1];
    return std::string(kNumerals[9]) + kNumerals[zone - 11];
}

std::string planeDefinition(const ZoneOrigin& origin, const char* datum) {
    return std::string("+proj=tmerc +lat_0=") + origin.Latitude + " +lon_0=" + origin.Longitude +
           " +k=0.999900 +x_0=0 +y_0=0 " + datum + " +units=m" + kClosing;
}

TCoordsFormatEntry geographic(const char* code, int datum, const char* titleUtf8,
                              const std::string& definition) {
    return {code, kCoordsKindGeographic, static_cast<uint8_t>(datum), sjis::fromUtf8(titleUtf8),
            definition};
}

TCoordsFormatRows buildTable() {
    TCoordsFormatRows rows;
    rows[0] = {"0", kCoordsKindNone, kDatumNone, sjis::fromUtf8(u8"直交3次元座標系"), ""};
    rows[1] = geographic("4301", kDatumTokyo, u8"旧日本測地系緯度経度",
                         std::string("+proj=longlat ") + kTokyoDatum + kClosing);
    rows[2] = geographic("4326", kDatumWGS84, u8"WGS84",
                         std::string("+proj=longlat +ellps=WGS84 +datum=WGS84") + kClosing);
    rows[3] = geographic("4612", kDatumJGD2000, u8"日本測地系緯度経度(2000)",
                         std::string("+proj=longlat ") + kJgd2000Datum + kClosing);
    // JGD2011 has the ellipsoid and axes of JGD2000; the translator applies
    // the 2011 correction between them itself.
    rows[42] = geographic("6668", kDatumJGD2011, u8"日本測地系緯度経度(2011)",
                          std::string("+proj=longlat ") + kJgd2000Datum + kClosing);
    for (int zone = 1; zone <= 19; ++zone) {
        const ZoneOrigin& origin = kZoneOrigins[zone - 1];
        const std::string numeral = romanNumeral(zone);
        rows[3 + zone] = {std::to_string(30160 + zone), kCoordsKindProjected, kDatumTokyo,
                          sjis::fromUtf8(u8"旧日本測地系第" + numeral + u8"系"),
                          planeDefinition(origin, kTokyoDatum)};
        rows[22 + zone] = {std::to_string(2442 + zone), kCoordsKindProjected, kDatumJGD2000,
                           sjis::fromUtf8(u8"日本測地系第" + numeral + u8"系(2000)"),
                           planeDefinition(origin, kJgd2000Datum)};
        rows[42 + zone] = {std::to_string(6668 + zone), kCoordsKindProjected, kDatumJGD2011,
                           sjis::fromUtf8(u8"日本測地系第" + numeral + u8"系(2011)"),
                           planeDefinition(origin, kJgd2000Datum)};
    }
    return rows;
}

}  // namespace

const TCoordsFormatRows& CoordsFormatTable() {
    static const TCoordsFormatRows table = buildTable();
    return table;
}

const TCoordsFormatEntry& CoordsFormatEntry(TCoordsFormat format) {
    const auto i = static_cast<size_t>(format);
    return CoordsFormatTable()[i < CoordsFormatTable().size() ? i : 0];
}

std::optional<TCoordsFormat> CoordsFormatOfEpsg(int code) {
    const std::string text = std::to_string(code);
    for (size_t i = 1; i < CoordsFormatTable().size(); ++i)
        if (CoordsFormatTable()[i].Code == text) return static_cast<TCoordsFormat>(i);
    return std::nullopt;
}
