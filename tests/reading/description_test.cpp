#include "reading/description.h"

#include <gtest/gtest.h>

#include "reading/read_errors.h"
#include "support/reading_test_util.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

namespace {

// Writes a description with the given lines and reads it; returns the message
// of the failure, or "" when it was read.
std::string readDescription(const testsupport::TempDir& dir, const std::vector<std::string>& lines,
                            TKDKDescription* out = nullptr, const std::string& fileName = "53394611.TXT") {
    meshfiles::writeLines(dir.path() / "m" / fileName, lines);
    TKDKDescription d(0, sjis::fromUtf8((dir.path() / "m" / fileName).string()));
    try {
        ReadDescription(d);
    } catch (const std::exception& e) {
        return e.what();
    }
    if (out) *out = d;
    return "";
}

std::vector<std::string> validLines() {
    return {u8"空間データ基盤", "a", "b", "c", "53394611", "2500", "9,-1000,2000,-500,2500", "x", "1,2",
            "53394611\\GYOUSEI\\GYOUSEI.ARC", "53394611\\GYOUSEI\\GYOUSEI.PGN"};
}

}  // namespace

TEST(Description, ReadsFiveItemSheetAndDerivesCorners) {
    testsupport::TempDir dir;
    TKDKDescription d(0, "");
    ASSERT_EQ(readDescription(dir, validLines(), &d), "");
    EXPECT_EQ(d.BaseName, "53394611");
    EXPECT_EQ(d.Scale, 2500);
    EXPECT_EQ(d.CoordSystemNo, 9);
    EXPECT_EQ(d.SouthWest.X, 2000);
    EXPECT_EQ(d.SouthWest.Y, -1000);
    EXPECT_EQ(d.NorthEast.X, 2500);
    EXPECT_EQ(d.NorthEast.Y, -500);
    EXPECT_EQ(d.NorthWest.X, 2000);
    EXPECT_EQ(d.NorthWest.Y, -500);
    EXPECT_EQ(d.SouthEast.X, 2500);
    EXPECT_EQ(d.SouthEast.Y, -1000);
    EXPECT_EQ(d.DatumFlag, 0);
    EXPECT_EQ(d.LayerFiles.size(), 2u);
    EXPECT_EQ(d.Line9Items, (std::vector<std::string>{"1", "2"}));
}

TEST(Description, BlanksSeparateSheetItemsAndTenItemFormCarriesDatum) {
    testsupport::TempDir dir;
    auto lines = validLines();
    lines[6] = "9, -1000, 2000, -500, 2500";
    TKDKDescription d(0, "");
    ASSERT_EQ(readDescription(dir, lines, &d), "");
    EXPECT_EQ(d.NorthEast.X, 2500);
    lines[6] = "9,-1000,2000,-500,2500,-400,1900,-1100,2600,2";
    ASSERT_EQ(readDescription(dir, lines, &d), "");
    EXPECT_EQ(d.NorthWest.X, 1900);
    EXPECT_EQ(d.NorthWest.Y, -400);
    EXPECT_EQ(d.SouthEast.X, 2600);
    EXPECT_EQ(d.SouthEast.Y, -1100);
    EXPECT_EQ(d.DatumFlag, 2);
}

TEST(Description, AcceptsOtherTitleLowerCaseNameAndNoLayers) {
    testsupport::TempDir dir;
    auto lines = validLines();
    lines[0] = u8"２５００レベルＧＩＳ基盤情報";
    TKDKDescription d(0, "");
    lines[4] = "ab12";
    ASSERT_EQ(readDescription(dir, lines, &d, "AB12.TXT"), "");
    lines.resize(9);
    lines[8] = "";
    ASSERT_EQ(readDescription(dir, lines, &d, "AB12.TXT"), "");
    EXPECT_TRUE(d.LayerFiles.empty());
    EXPECT_TRUE(d.Line9Items.empty());
}

TEST(Description, EachFailureNamesItsLine) {
    testsupport::TempDir dir;
    const std::string path = sjis::fromUtf8((dir.path() / "m" / "53394611.txt").string());
    auto expectFailure = [&](std::vector<std::string> lines, int number, const char* text) {
        EXPECT_EQ(readDescription(dir, lines), path + "(" + std::to_string(number) + "): " + sj(text));
    };
    auto lines = validLines();
    lines[0] += " ";
    expectFailure(lines, 1, u8"空間データ基盤ファイルではありません");
    lines = validLines();
    lines[4] = "53394612";
    expectFailure(lines, 5, u8"記述ファイル名が違います");
    lines = validLines();
    lines[5] = "2500.0";
    expectFailure(lines, 6, u8"縮尺読み込みエラー");
    lines = validLines();
    lines[6] = "9,1,2,3,4,5";
    expectFailure(lines, 7, u8"図郭定義読み込みエラー");
    lines[6] = "9,1,2,3,4,5,6,7,8,x";
    expectFailure(lines, 7, u8"座標系フラグ読み込みエラー");
    lines[6] = "z,1,2,3,4";
    expectFailure(lines, 7, u8"座標系番号読み込みエラー");
    lines[6] = "9,1,2,3,q";
    expectFailure(lines, 7, u8"北東X読み込みエラー");
    lines[6] = "9,1,2,3,4,5,n,7,8,1";
    expectFailure(lines, 7, u8"北西X読み込みエラー");
}

TEST(Description, MissingShortOrForeignFiles) {
    testsupport::TempDir dir;
    TKDKDescription missing(0, sjis::fromUtf8((dir.path() / "none.TXT").string()));
    try {
        ReadDescription(missing);
        FAIL();
    } catch (const TKDKReadException& e) {
        EXPECT_EQ(e.number(), 0);
        EXPECT_EQ(e.text(), sj(u8"記述ファイルが開けません"));
    }
    // Fewer than nine lines: an index error at the first missing line.
    auto lines = validLines();
    lines.resize(8);
    EXPECT_NE(readDescription(dir, lines).find("(9)"), std::string::npos);
    EXPECT_NE(readDescription(dir, {}).find("(1)"), std::string::npos);
    // A text file that is not a description fails at its title.
    EXPECT_NE(readDescription(dir, {"hello"}).find(sj(u8"空間データ基盤ファイルではありません")),
              std::string::npos);
}
