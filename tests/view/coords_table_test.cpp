#include "view/coords_table.h"

#include <gtest/gtest.h>

#include <string>

#include "base/sjis.h"

namespace {

// Zone origins and numerals as the plane rectangular system publishes them,
// written the way the definitions carry them.
struct Zone {
    const char* Latitude;
    const char* Longitude;
    const char* Numeral;
};

const Zone kZones[19] = {
    {"33", "129.5", u8"Ⅰ"},
    {"33", "131", u8"Ⅱ"},
    {"36", "132.1666666666667", u8"Ⅲ"},
    {"33", "133.5", u8"Ⅳ"},
    {"36", "134.3333333333333", u8"Ⅴ"},
    {"36", "136", u8"Ⅵ"},
    {"36", "137.1666666666667", u8"Ⅶ"},
    {"36", "138.5", u8"Ⅷ"},
    {"36", "139.8333333333333", u8"Ⅸ"},
    {"40", "140.8333333333333", u8"Ⅹ"},
    {"44", "140.25", u8"ⅩⅠ"},
    {"44", "142.25", u8"ⅩⅡ"},
    {"44", "144.25", u8"ⅩⅢ"},
    {"26", "142", u8"ⅩⅣ"},
    {"26", "127.5", u8"ⅩⅤ"},
    {"26", "124", u8"ⅩⅥ"},
    {"26", "131", u8"ⅩⅦ"},
    {"20", "136", u8"ⅩⅧ"},
    {"26", "154", u8"ⅩⅨ"},
};

const TCoordsFormatEntry& row(int ordinal) {
    return CoordsFormatEntry(static_cast<TCoordsFormat>(ordinal));
}

}  // namespace

TEST(CoordsFormatTable, GeographicRowsHaveTheirCodesTitlesAndDefinitions) {
    struct Expected {
        TCoordsFormat Format;
        const char* Code;
        int Kind, Datum;
        const char* Title;
        const char* Definition;
    };
    const Expected rows[] = {
        {TCoordsFormat::cfCartesian, "0", 0, 0, u8"直交3次元座標系", ""},
        {TCoordsFormat::cfGeodeticTKY, "4301", 1, 1, u8"旧日本測地系緯度経度",
         "+proj=longlat +a=6377397.155 +rf=299.152813 +towgs84=-148.0,507.0,685.0,0,0,0,0 "
         "+no_defs  no_defs"},
        {TCoordsFormat::cfGeodeticWGS, "4326", 1, 2, u8"WGS84",
         "+proj=longlat +ellps=WGS84 +datum=WGS84 +no_defs  no_defs"},
        {TCoordsFormat::cfGeodeticJGD, "4612", 1, 3, u8"日本測地系緯度経度(2000)",
         "+proj=longlat +ellps=GRS80 +towgs84=0,0,0,0,0,0,0 +no_defs  no_defs"},
    };
    for (const Expected& e : rows) {
        SCOPED_TRACE(CoordsFormatName(e.Format));
        const TCoordsFormatEntry& r = CoordsFormatEntry(e.Format);
        EXPECT_EQ(r.Code, e.Code);
        EXPECT_EQ(r.Kind, e.Kind);
        EXPECT_EQ(r.Datum, e.Datum);
        EXPECT_EQ(r.Title, sjis::fromUtf8(e.Title));
        EXPECT_EQ(r.Definition, e.Definition);
    }
}

TEST(CoordsFormatTable, EveryZoneHasATokyoAndAJgd2000Row) {
    ASSERT_EQ(CoordsFormatTable().size(), 62u);
    for (int zone = 1; zone <= 19; ++zone) {
        const Zone& z = kZones[zone - 1];
        const std::string origin =
            std::string("+proj=tmerc +lat_0=") + z.Latitude + " +lon_0=" + z.Longitude;

        const TCoordsFormatEntry& tokyo = row(3 + zone);
        SCOPED_TRACE(CoordsFormatName(static_cast<TCoordsFormat>(3 + zone)));
        EXPECT_EQ(tokyo.Code, std::to_string(30160 + zone));
        EXPECT_EQ(tokyo.Kind, kCoordsKindProjected);
        EXPECT_EQ(tokyo.Datum, kDatumTokyo);
        EXPECT_EQ(tokyo.Title, sjis::fromUtf8(std::string(u8"旧日本測地系第") + z.Numeral + u8"系"));
        EXPECT_EQ(tokyo.Definition,
                  origin + " +k=0.999900 +x_0=0 +y_0=0 +a=6377397.155 +rf=299.152813 "
                           "+towgs84=-148.0,507.0,685.0,0,0,0,0 +units=m +no_defs  no_defs");

        const TCoordsFormatEntry& jgd = row(22 + zone);
        SCOPED_TRACE(CoordsFormatName(static_cast<TCoordsFormat>(22 + zone)));
        EXPECT_EQ(jgd.Code, std::to_string(2442 + zone));
        EXPECT_EQ(jgd.Kind, kCoordsKindProjected);
        EXPECT_EQ(jgd.Datum, kDatumJGD2000);
        EXPECT_EQ(jgd.Title,
                  sjis::fromUtf8(std::string(u8"日本測地系第") + z.Numeral + u8"系(2000)"));
        EXPECT_EQ(jgd.Definition, origin + " +k=0.999900 +x_0=0 +y_0=0 +ellps=GRS80 "
                                           "+towgs84=0,0,0,0,0,0,0 +units=m +no_defs  no_defs");
    }
}

TEST(CoordsFormatTable, TitlesAreShiftJis) {
    // Roman numeral nine is 0x87 0x5C in code page 932.
    EXPECT_EQ(row(12).Title, "\x8b\x8c\x93\xfa\x96\x7b\x91\xaa\x92\x6e\x8c\x6e\x91\xe6\x87\x5c\x8c\x6e");
    for (const TCoordsFormatEntry& r : CoordsFormatTable())
        EXPECT_EQ(sjis::fromUtf8(sjis::toUtf8(r.Title)), r.Title) << r.Code;
}

TEST(CoordsFormatTable, ValuesOutsideTheEnumerationGiveTheCartesianRow) {
    EXPECT_EQ(&CoordsFormatEntry(static_cast<TCoordsFormat>(62)), &row(0));
    EXPECT_EQ(&CoordsFormatEntry(static_cast<TCoordsFormat>(255)), &row(0));
}

TEST(CoordsFormatTable, FormatFromDatumPicksTheRowOfThatDatumAndZone) {
    EXPECT_EQ(FormatFromDatum(kDatumJGD2000, 9), TCoordsFormat::cfProjectedJGD09);
    EXPECT_EQ(static_cast<int>(FormatFromDatum(kDatumJGD2000, 9)), 31);
    EXPECT_EQ(FormatFromDatum(kDatumTokyo, 0), TCoordsFormat::cfGeodeticTKY);
    EXPECT_EQ(FormatFromDatum(kDatumTokyo, 20), TCoordsFormat::cfCartesian);
    EXPECT_EQ(FormatFromDatum(kDatumWGS84, 7), TCoordsFormat::cfGeodeticWGS);
    EXPECT_EQ(FormatFromDatum(0, 9), TCoordsFormat::cfCartesian);

    for (int datum : {kDatumTokyo, kDatumJGD2000}) {
        EXPECT_EQ(CoordsFormatEntry(FormatFromDatum(datum, 0)).Kind, kCoordsKindGeographic);
        for (int zone = 1; zone <= 19; ++zone) {
            const TCoordsFormatEntry& r = CoordsFormatEntry(FormatFromDatum(datum, zone));
            SCOPED_TRACE(testing::Message() << "datum " << datum << " zone " << zone);
            EXPECT_EQ(r.Datum, datum);
            EXPECT_EQ(r.Kind, kCoordsKindProjected);
            const Zone& z = kZones[zone - 1];
            EXPECT_NE(r.Definition.find(std::string("+lat_0=") + z.Latitude + " +lon_0=" +
                                        z.Longitude + " "),
                      std::string::npos);
        }
    }
}
