// The place index on maps built in memory: naming, merging the parts of a
// place, a point inside each place, name order.
#include <gtest/gtest.h>

#include "support/feature_builders.h"
#include "places/place_index.h"
#include "support/reading_test_util.h"

namespace {

TKDKPolygon& area(TKDKObject& map, int code, const std::vector<TGeoPoint>& ring, std::vector<const char*> values) {
    TKDKPolygon& p = AddPolygonTo(map, code, ring);
    std::vector<std::string> texts;
    for (const char* v : values) texts.push_back(sj(v));
    Attach(map, p, code, std::move(texts));
    return p;
}

std::vector<std::string> chomeNames(const TPlaceIndex& index) {
    std::vector<std::string> names;
    for (const auto& c : index.Chomes()) names.push_back(index.NameOf(c));
    return names;
}

TEST(PlaceIndex, NamesPlacesAsTheCentreAddressDoes) {
    TKDKObject map;
    area(map, 1105, Rect(0, 0, 100, 100), {"13101", u8"千代田区"});
    area(map, 1106, Rect(0, 0, 100, 50), {"13101", "001", u8"丸の内一丁目"});
    area(map, 1108, Rect(0, 0, 50, 50), {"13101", "001", u8"丸の内一丁目", "5", "6"});
    area(map, 1106, Rect(0, 50, 100, 100), {"01101", "002", u8"大通西一丁目"});  // no such municipality here
    area(map, 1106, Rect(0, 50, 100, 100), {"13101", "003", u8"内幸町", "x"});   // four values: no chome
    area(map, 1108, Rect(0, 0, 50, 50), {"13101", "001", u8"丸の内一丁目"});     // three values: no block
    map.FinishMesh();
    const TPlaceIndex index(map);
    ASSERT_EQ(index.Municipalities().size(), 1u);
    EXPECT_EQ(index.NameOf(index.Municipalities()[0]), sj(u8"東京都千代田区"));
    EXPECT_EQ(chomeNames(index), (std::vector<std::string>{sj(u8"大通西一丁目"), sj(u8"東京都千代田区丸の内一丁目")}));
    ASSERT_EQ(index.Blocks().size(), 1u);
    EXPECT_EQ(index.NameOf(index.Blocks()[0]), sj(u8"東京都千代田区丸の内一丁目 5,6"));
}

TEST(PlaceIndex, PartsOfOnePlaceAreOnePlaceWithAPointInsideTheLargest) {
    TKDKObject map, east;
    map.BeginMesh(std::make_unique<TKDKDescription>(0, "a\\A.txt"));
    area(map, 1106, Rect(0, 0, 10, 10), {"13101", "001", u8"丸の内一丁目"});
    map.FinishMesh();
    east.BeginMesh(std::make_unique<TKDKDescription>(0, "b\\B.txt"));
    // An L-shaped part whose representative point lies in its notch.
    TKDKPolygon& l = area(east, 1106, {At(10, 0), At(40, 0), At(40, 30), At(30, 30), At(30, 10), At(10, 10), At(10, 0)},
                          {"13101", "001", u8"丸の内一丁目"});
    l.RepPoint = At(20, 20);
    east.FinishMesh();
    TErrorList errors;
    ASSERT_TRUE(map.Merge(east, errors));
    const TPlaceIndex index(map);
    ASSERT_EQ(index.Chomes().size(), 1u);
    const TPlaceArea a = AreaOf(index.Chomes()[0].Parts);
    EXPECT_EQ(a.Min.X, 0);
    EXPECT_EQ(a.Min.Y, 0);
    EXPECT_EQ(a.Max.X, 40);
    EXPECT_EQ(a.Max.Y, 30);
    EXPECT_TRUE(HitTest(l, At(a.At.X, a.At.Y), 0)) << a.At.X << " " << a.At.Y;
}

TEST(PlaceIndex, BlocksOfAChomeKnownOnlyFromTheirRecords) {
    TKDKObject map;
    area(map, 1105, Rect(0, 0, 100, 100), {"13101", u8"千代田区"});
    area(map, 1108, Rect(60, 0, 80, 20), {"13101", "", "", "7"});
    area(map, 1108, Rect(0, 0, 20, 20), {"13101", "009", u8"有楽町二丁目", "10"});
    area(map, 1108, Rect(20, 0, 40, 20), {"13101", "009", u8"有楽町二丁目", "9"});
    map.FinishMesh();
    const TPlaceIndex index(map);
    ASSERT_EQ(index.Chomes().size(), 2u);
    for (const auto& c : index.Chomes()) EXPECT_FALSE(c.HasArea());
    std::vector<std::string> blocks;
    for (const auto& b : index.Blocks()) blocks.push_back(index.NameOf(b));
    // Chome by chome in name order (the nameless first), then by number value.
    EXPECT_EQ(blocks, (std::vector<std::string>{sj(u8"東京都千代田区 7"), sj(u8"東京都千代田区有楽町二丁目 9"),
                                                sj(u8"東京都千代田区有楽町二丁目 10")}));
}

TEST(PlaceIndex, ChomesInNameOrderWithNumbersByValue) {
    TKDKObject map;
    area(map, 1105, Rect(0, 0, 100, 100), {"ab101", u8"架空市"});  // a code without digits: no prefecture
    for (const char* name : {u8"本町十丁目", u8"本町二丁目", u8"新町", u8"本町一丁目"})
        area(map, 1106, Rect(0, 0, 10, 10), {"ab101", "001", name});
    map.FinishMesh();
    const TPlaceIndex index(map);
    EXPECT_EQ(index.NameOf(index.Municipalities()[0]), sj(u8"架空市"));
    EXPECT_EQ(chomeNames(index), (std::vector<std::string>{sj(u8"架空市新町"), sj(u8"架空市本町一丁目"),
                                                           sj(u8"架空市本町二丁目"), sj(u8"架空市本町十丁目")}));
}

}  // namespace
