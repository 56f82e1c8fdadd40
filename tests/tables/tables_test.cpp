#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "base/sjis.h"
#include "tables/code_names.h"
#include "tables/code_names_source.h"
#include "tables/colors.h"
#include "tables/coords_format.h"
#include "tables/prefectures.h"
#include "tables/styles.h"

TEST(StyleTable, LooksUpFirstRowAndFallsBackToBlackHairline) {
    EXPECT_EQ(CodeColorIndex(11, 8), 7);
    EXPECT_EQ(CodeLineWidth(21, 10), 7);
    EXPECT_EQ(CodeColorIndex(21, 10), 253);
    EXPECT_EQ(CodeColorIndex(11, 1), 1);
    EXPECT_EQ(CodeLineWidth(11, 1), 3);
    EXPECT_EQ(CodeColorIndex(35, 0), 20);
    EXPECT_EQ(CodeColorIndex(99, 99), 7);
    EXPECT_EQ(CodeLineWidth(99, 99), 0);
    EXPECT_EQ(CodePenStyle(11, 6), TPenStyle::psDash);
    EXPECT_EQ(CodePenStyle(11, 8), TPenStyle::psSolid);
    EXPECT_EQ(CodePenStyle(6, 11), TPenStyle::psSolid);
}

TEST(Palette, MatchesTheDxfColourIndexAtItsTellingRows) {
    EXPECT_EQ(PaletteColor(0), 0x000000u);
    EXPECT_EQ(PaletteColor(1), 0x0000FFu);
    EXPECT_EQ(PaletteColor(4), 0xFFFF00u);
    EXPECT_EQ(PaletteColor(7), 0x000000u);
    EXPECT_EQ(PaletteColor(9), 0xC0C0C0u);
    EXPECT_EQ(PaletteColor(10), 0x0000FFu);  // hue 0, full value
    EXPECT_EQ(PaletteColor(20), 0x003FFFu);
    EXPECT_EQ(PaletteColor(21), 0x7F9FFFu);
    EXPECT_EQ(PaletteColor(82), 0x00CC33u);
    EXPECT_EQ(PaletteColor(85), 0x4C995Fu);
    EXPECT_EQ(PaletteColor(171), 0xFF7F7Fu);
    EXPECT_EQ(PaletteColor(221), 0xDF7FFFu);
    EXPECT_EQ(PaletteColor(241), 0x9F7FFFu);
    EXPECT_EQ(PaletteColor(250), 0x333333u);
    EXPECT_EQ(PaletteColor(253), 0xADADADu);
    EXPECT_EQ(PaletteColor(254), 0xD6D6D6u);
    EXPECT_EQ(PaletteColor(255), 0xFFFFFFu);
    EXPECT_EQ(PaletteColor(256), 0x000000u);
    EXPECT_EQ(PaletteColor(-1), 0x000000u);
}

TEST(Palette, PastelColoursCycleEveryTwelve) {
    EXPECT_EQ(PastelColor(0), 0xDFDFFFu);
    EXPECT_EQ(PastelColor(25), 0xDFEFFFu);
    EXPECT_EQ(PastelColor(11), 0xEFDFFFu);
    EXPECT_EQ(PastelColor(12), PastelColor(0));
}

TEST(Names, PrefecturesAndCodeNames) {
    EXPECT_EQ(PrefectureName(13), sjis::fromUtf8(u8"東京都"));
    EXPECT_EQ(PrefectureName(47), sjis::fromUtf8(u8"沖縄県"));
    EXPECT_EQ(PrefectureName(0), "");
    EXPECT_EQ(PrefectureName(48), "");
    EXPECT_EQ(CodeName(35, 24), sjis::fromUtf8(u8"学校"));
    EXPECT_EQ(CodeName(35, 60), sjis::fromUtf8(u8"ガソリンスタンド"));
    EXPECT_EQ(CodeName(21, 0), sjis::fromUtf8(u8"道路"));
    EXPECT_EQ(CodeName(35, 1), "");
    EXPECT_EQ(CodeName(11, 8), "");
    // Names the table lacked come from data/code-names.tsv.
    EXPECT_EQ(CodeName(11, 1), sjis::fromUtf8(u8"都府県界"));
    EXPECT_EQ(CodeName(21, 1), sjis::fromUtf8(u8"道路縁（街区線）"));
    EXPECT_EQ(CodeName(73, 1), sjis::fromUtf8(u8"三角点"));
}

// data/code-names.tsv lists the table's codes in its order; the table keeps
// its own names, takes the file's where it had none, and a code the file
// leaves empty stays without a name.
TEST(Names, CodeNamesFileMatchesTheTableCodeForCode) {
    std::vector<int> fileCodes;
    std::vector<std::string> fileNames;
    std::istringstream lines{std::string(CodeNamesSource())};
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string code, name;
        std::getline(fields, code, '\t');
        std::getline(fields, name, '\t');
        fileCodes.push_back(std::stoi(code));
        fileNames.push_back(name);
    }
    ASSERT_EQ(fileCodes, CodeNameCodes());
    int unnamed = 0;
    for (size_t i = 0; i < fileCodes.size(); ++i) {
        const std::string& name = CodeName(fileCodes[i] / 100, fileCodes[i] % 100);
        EXPECT_EQ(sjis::toUtf8(name), fileNames[i]) << fileCodes[i];
        unnamed += name.empty() ? 1 : 0;
    }
    EXPECT_EQ(unnamed, 3);  // 1105, 6139, 6220: no trustworthy source
}

TEST(Names, CodeNameTableHoldsEachOf348CodesOnce) {
    std::vector<int> codes = CodeNameCodes();
    EXPECT_EQ(CodeNameCount(), 348);
    EXPECT_EQ(std::set<int>(codes.begin(), codes.end()).size(), 348u);
    EXPECT_EQ(codes.front(), 1100);
    EXPECT_EQ(codes.back(), 8199);
}

TEST(CoordsFormats, DerivedFromDatumAndZone) {
    EXPECT_EQ(FormatFromDatum(3, 9), TCoordsFormat::cfProjectedJGD09);
    EXPECT_EQ(static_cast<int>(FormatFromDatum(3, 9)), 31);
    EXPECT_EQ(FormatFromDatum(1, 0), TCoordsFormat::cfGeodeticTKY);
    EXPECT_EQ(FormatFromDatum(1, 1), TCoordsFormat::cfProjectedTKY01);
    EXPECT_EQ(FormatFromDatum(1, 19), TCoordsFormat::cfProjectedTKY19);
    EXPECT_EQ(FormatFromDatum(1, 20), TCoordsFormat::cfCartesian);
    EXPECT_EQ(FormatFromDatum(3, -1), TCoordsFormat::cfCartesian);
    EXPECT_EQ(FormatFromDatum(2, 7), TCoordsFormat::cfGeodeticWGS);
    EXPECT_EQ(FormatFromDatum(0, 9), TCoordsFormat::cfCartesian);
    EXPECT_EQ(CoordsFormatName(TCoordsFormat::cfProjectedJGD19), "cfProjectedJGD19");
    EXPECT_EQ(CoordsFormatFromName("cfGeodeticWGS"), TCoordsFormat::cfGeodeticWGS);
    EXPECT_EQ(CoordsFormatFromName("12"), TCoordsFormat::cfProjectedTKY09);
    EXPECT_EQ(CoordsFormatFromName("42"), TCoordsFormat::cfGeodeticJGD2011);
    EXPECT_EQ(CoordsFormatFromName("cfProjectedJGD2011_09"), TCoordsFormat::cfProjectedJGD2011_09);
    EXPECT_EQ(CoordsFormatFromName("62"), std::nullopt);
    EXPECT_EQ(CoordsFormatFromName("cfNothing"), std::nullopt);
}
