// The details texts of lines, polygons and points.
#include <gtest/gtest.h>

#include "base/number_text.h"
#include "support/feature_builders.h"
#include "support/reading_test_util.h"

namespace {

const std::string kSeparator = "------------------------------\r\n";

// The details of a feature of the code with a record of these values (UTF-8).
template <class Feature>
std::string detailsOf(Feature* feature, std::vector<std::string> utf8Values) {
    std::vector<std::string> values;
    for (const std::string& v : utf8Values) values.push_back(sj(v.c_str()));
    Attach(ScratchMap(), *feature, feature->Code(), std::move(values));
    return GetDetails(*feature);
}

std::string lineDetails(int code, std::vector<std::string> values) {
    return detailsOf(MakeLine(code, 0, {At(0, 0), At(1, 1)}), std::move(values));
}
std::string polygonDetails(int code, std::vector<std::string> values) {
    return detailsOf(MakePolygon(code, Rect(0, 0, 1, 1)), std::move(values));
}
std::string pointDetails(int code, std::vector<std::string> values) {
    return detailsOf(MakePointFeature(code, At(0, 0)), std::move(values));
}

}  // namespace

TEST(LineDetails, NamesAndAliasesOfRoadsRailwaysAndRiverCentreLines) {
    EXPECT_EQ(lineDetails(2110, {"A", "B"}), sj(u8"道路線\r\n名称=A\r\n別称=B\r\n") + kSeparator);
    EXPECT_EQ(lineDetails(2300, {u8"JR山手線"}), sj(u8"鉄道\r\n名称=JR山手線\r\n") + kSeparator);
    EXPECT_EQ(lineDetails(2301, {}), sj(u8"鉄道\r\n") + kSeparator);
    EXPECT_EQ(lineDetails(5122, {"a", "b", "c"}), sj(u8"河川中心線\r\n名称=a\r\n別称=b\r\n別称=c\r\n") + kSeparator);
    EXPECT_EQ(lineDetails(2101, {"edge"}), kSeparator);
    EXPECT_EQ(GetDetails(*MakeLine(2110, 0, {At(0, 0), At(1, 1)})), "");
}

TEST(PolygonDetails, AdministrativeAreas) {
    EXPECT_EQ(polygonDetails(1105, {"13101", u8"千代田区", "extra"}),
              sj(u8"市区町村\r\n行政JISコード=13101\r\n市区町村名=千代田区\r\n") + kSeparator);
    EXPECT_EQ(polygonDetails(1106, {"13101", "001"}),
              sj(u8"大字・町丁目\r\n行政JISコード=13101\r\n町丁目名コード=001\r\n") + kSeparator);
    EXPECT_EQ(polygonDetails(1108, {"13101", "001", u8"丸の内一丁目", "5", "6"}),
              sj(u8"街区\r\n行政JISコード=13101\r\n町丁目名コード=001\r\n大字・町丁目名=丸の内一丁目\r\n"
                 u8"街区符号1=5\r\n街区符号2=6\r\n") + kSeparator);
}

TEST(PolygonDetails, PublicBuildingsNameTheirCodes) {
    EXPECT_EQ(polygonDetails(3500, {"3524", u8"千代田小学校", "3509", u8"郵便局", "3501"}),
              sj(u8"公共建物\r\n公共建物コード=3524(学校)\r\n名称=千代田小学校\r\n"
                 u8"公共建物コード=3509(郵便局)\r\n名称=郵便局\r\n公共建物コード=3501()\r\n") + kSeparator);
    EXPECT_EQ(polygonDetails(3503, {}), sj(u8"公共建物\r\n") + kSeparator);
    // A code whose name comes from the published code table.
    EXPECT_EQ(polygonDetails(3500, {"3001"}), sj(u8"公共建物\r\n公共建物コード=3001(普通建物)\r\n") + kSeparator);
    EXPECT_THROW(polygonDetails(3500, {"school", "name"}), EConvertError);
    EXPECT_NO_THROW(polygonDetails(3500, {"3524", "3524x"}));  // odd values are names
}

TEST(PolygonDetails, GroundsAndWaterNameOnlyAsTheirOnlyValue) {
    const std::pair<int, const char*> headings[] = {
        {6242, u8"都市公園"}, {6243, u8"学校敷地"}, {6244, u8"寺社・寺院境内"}, {6215, u8"墓地"},
        {6200, u8"その他の場地"}, {5101, u8"河川"}, {5105, u8"池湖"}};
    for (const auto& [code, heading] : headings) {
        EXPECT_EQ(polygonDetails(code, {"n"}), sj(heading) + "\r\n" + sj(u8"名称=n\r\n") + kSeparator) << code;
        EXPECT_EQ(polygonDetails(code, {"n", "m"}), sj(heading) + "\r\n" + kSeparator) << code;
    }
    EXPECT_EQ(polygonDetails(5121, {"n"}), sj(u8"河川の区域\r\n") + kSeparator);
    EXPECT_EQ(polygonDetails(5121, {"n", "m", "o"}), sj(u8"河川の区域\r\n名称=n\r\n") + kSeparator);
    EXPECT_EQ(polygonDetails(6241, {"n"}), kSeparator);
    EXPECT_EQ(GetDetails(*MakePolygon(6242, Rect(0, 0, 1, 1))), "");
}

TEST(PointDetails, StationsAndTriangulationPoints) {
    EXPECT_EQ(pointDetails(2420, {u8"東京", u8"とうきょう"}), sj(u8"駅\r\n名称=東京\r\n別称=とうきょう\r\n") + kSeparator);
    std::vector<std::string> values;
    for (int i = 0; i < 12; ++i) values.push_back("v" + std::to_string(i));
    EXPECT_EQ(pointDetails(7301, values),
              sj(u8"三角点\r\n3次メッシュ=v0\r\n点コード=v1\r\n点名=v2\r\n地図コード=v3\r\n緯度=v4\r\n経度=v5\r\n"
                 u8"種別=v6\r\n座標系=v7\r\nX=v8\r\nY=v9\r\n標高=v10\r\n") + kSeparator);
    EXPECT_EQ(pointDetails(7301, {"a", "b"}), sj(u8"三角点\r\n3次メッシュ=a\r\n点コード=b\r\n") + kSeparator);
    EXPECT_EQ(pointDetails(7302, {"a"}), kSeparator);
    TKDKAttribute record(21, 10, 0, 1, PooledValues({"a"}));
    EXPECT_EQ(GetDetails(record), "");
}
