// The names of the administrative areas at the view centre.
#include <gtest/gtest.h>

#include "base/number_text.h"
#include "support/feature_builders.h"
#include "support/reading_test_util.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

namespace {

TKDKPolygon& area(TKDKObject& map, int code, const std::vector<TGeoPoint>& ring, std::vector<std::string> values) {
    TKDKPolygon& p = AddPolygonTo(map, code, ring);
    for (std::string& v : values) v = sj(v.c_str());
    Attach(map, p, code, std::move(values));
    return p;
}

}  // namespace

TEST(CentreAddress, BlockOfAChomeOfAMunicipality) {
    testsupport::TempDir dir;
    LoadAttempt a = loadMesh(testsupport::writeTown(dir.path()));
    ASSERT_TRUE(a.ok) << a.fatal;
    const TCentreAddress inA = CentreAddress(*a.map, At(60, 25));
    EXPECT_EQ(inA.Prefecture, sj(u8"東京都"));
    EXPECT_EQ(inA.City, sj(u8"千代田区"));
    EXPECT_EQ(inA.Chome, sj(u8"丸の内一丁目"));
    EXPECT_EQ(inA.Block, "3");
    EXPECT_EQ(CentreAddress(*a.map, At(145, 40)).Block, "5,6");

    const TCentreAddress between = CentreAddress(*a.map, At(100, 100));  // chome without a block
    EXPECT_EQ(between.Chome, sj(u8"丸の内一丁目"));
    EXPECT_EQ(between.City, sj(u8"千代田区"));
    EXPECT_EQ(between.Block, "");

    const TCentreAddress outside = CentreAddress(*a.map, At(-5, 40));
    EXPECT_EQ(outside.Prefecture + outside.City + outside.Chome + outside.Block, "");
}

TEST(CentreAddress, PrefectureFromTheLeadingDigitsOfTheJisCode) {
    TKDKObject map;
    area(map, 1105, Rect(0, 0, 10, 10), {"1101", u8"札幌市中央区"});
    EXPECT_EQ(CentreAddress(map, At(5, 5)).Prefecture, sj(u8"北海道"));
    area(map, 1105, Rect(0, 0, 10, 10), {"47201", u8"那覇市"});
    const TCentreAddress later = CentreAddress(map, At(5, 5));  // the last containing area wins
    EXPECT_EQ(later.Prefecture, sj(u8"沖縄県"));
    EXPECT_EQ(later.City, sj(u8"那覇市"));
    area(map, 1105, Rect(0, 0, 10, 10), {"99999", u8"架空市"});
    EXPECT_EQ(CentreAddress(map, At(5, 5)).Prefecture, "");  // no prefecture 99
    EXPECT_EQ(CentreAddress(map, At(5, 5)).City, sj(u8"架空市"));
}

TEST(CentreAddress, RecordsOfTheWrongSizeContributeNothing) {
    TKDKObject map;
    area(map, 1105, Rect(0, 0, 10, 10), {"13101", u8"千代田区", "x"});
    area(map, 1106, Rect(0, 0, 10, 10), {"13101", "001"});
    area(map, 1108, Rect(0, 0, 10, 10), {"13101", "001", u8"丸の内一丁目"});
    area(map, 1107, Rect(0, 0, 10, 10), {"13101", "001", u8"大手町"});
    area(map, 3500, Rect(0, 0, 10, 10), {"13101", u8"千代田区"});
    AddPolygonTo(map, 1106, Rect(0, 0, 10, 10));  // no record
    const TCentreAddress a = CentreAddress(map, At(5, 5));
    EXPECT_EQ(a.Prefecture + a.City + a.Chome + a.Block, "");
}

TEST(CentreAddress, JisCodeNotStartingWithDigitsIsAConversionError) {
    TKDKObject map;
    area(map, 1105, Rect(0, 0, 10, 10), {"ab101", u8"千代田区"});
    EXPECT_THROW(CentreAddress(map, At(5, 5)), EConvertError);
    EXPECT_NO_THROW(CentreAddress(map, At(50, 50)));  // not containing: not converted
}
