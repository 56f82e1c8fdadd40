// Going to a place on the bundled sample and on maps built in memory: the
// query forms, the ranking, and the failures.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "support/feature_builders.h"
#include "places/locate.h"
#include "reading/map_loading.h"
#include "support/reading_test_util.h"
#include "view/coordinate_translator.h"

namespace {

class SampleLocate : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TErrorList errors;
        LoadDataPath(map_, ORVELLE_SAMPLE, errors);
        ASSERT_TRUE(map_);
        index_ = std::make_unique<TPlaceIndex>(*map_);
    }
    static void TearDownTestSuite() {
        index_.reset();
        map_.reset();
    }
    static TLocateResult locate(const char* utf8, size_t limit = kMaxPlaceMatches) { return Locate(*index_, utf8, limit); }
    static TCentreAddress addressAt(const TGeoPoint2D& p) { return CentreAddress(*map_, At(p.X, p.Y)); }

    static std::unique_ptr<TKDKObject> map_;
    static std::unique_ptr<TPlaceIndex> index_;
};
std::unique_ptr<TKDKObject> SampleLocate::map_;
std::unique_ptr<TPlaceIndex> SampleLocate::index_;

bool inside(const TPlaceParts& parts) {
    const TPlaceArea a = AreaOf(parts);
    return a.Min.X <= a.At.X && a.At.X <= a.Max.X && a.Min.Y <= a.At.Y && a.At.Y <= a.Max.Y;
}

TEST_F(SampleLocate, EveryPlaceIsNamedAsTheCentreAddressNamesItsPoint) {
    const TPlaceIndex& index = *index_;
    ASSERT_EQ(index.Municipalities().size(), 1u);
    for (const auto& m : index.Municipalities()) {
        const TCentreAddress a = addressAt(AreaOf(m.Parts).At);
        EXPECT_EQ(index.NameOf(m), a.Prefecture + a.City);
        EXPECT_TRUE(inside(m.Parts));
    }
    for (const auto& c : index.Chomes()) {
        const TCentreAddress a = addressAt(AreaOf(c.Parts).At);
        EXPECT_EQ(index.NameOf(c), a.Prefecture + a.City + a.Chome);
        EXPECT_TRUE(inside(c.Parts));
    }
    for (const auto& b : index.Blocks()) {
        const TCentreAddress a = addressAt(AreaOf(b.Parts).At);
        EXPECT_EQ(index.NameOf(b), a.Prefecture + a.City + a.Chome + " " + a.Block);
        EXPECT_TRUE(inside(b.Parts));
    }
    // One place per distinct chome and block name, the parts cut by the sheet edge merged.
    std::set<std::string> chomes, blocks;
    for (const TKDKPolygon* p : map_->Polygons()) {
        if (p->Major != 11 || !p->Attribute) continue;
        const auto& v = p->Attribute->Values;
        if (p->Minor == 6 && v.size() == 3) chomes.emplace(v[2]);
        if (p->Minor == 8 && v.size() > 3)
            blocks.insert(std::string(v[2]) + "#" + std::string(v[3]) + (v.size() > 4 ? "," + std::string(v[4]) : ""));
    }
    EXPECT_EQ(index.Chomes().size(), chomes.size());
    EXPECT_EQ(index.Blocks().size(), blocks.size());
}

TEST_F(SampleLocate, ChomeNumbersInKanjiOrDigitsFullOrHalfWidthWithTheBlockAfterThem) {
    const std::string block = sj(u8"群馬県青葉市栄里五丁目 3");
    for (const char* q : {u8"栄里五丁目 3", u8"栄里5丁目3", u8"栄里５丁目３", u8"栄里五丁目3番", u8"栄里5-3",
                          u8"栄里五 3", u8"青葉市栄里五丁目 3", u8"群馬県 青葉市 栄里五丁目 ３番地", u8"群馬県青葉市栄里5丁目3"}) {
        SCOPED_TRACE(q);
        const TLocateResult r = locate(q);
        ASSERT_EQ(r.Status, TLocateStatus::Found);
        ASSERT_FALSE(r.Matches.empty());
        EXPECT_EQ(r.Matches[0].Kind, TPlaceKind::Block);
        EXPECT_EQ(r.Matches[0].Name, block);
        const TCentreAddress a = addressAt(r.Matches[0].Area.At);
        EXPECT_EQ(a.Chome + " " + a.Block, sj(u8"栄里五丁目 3"));
    }
    // The chome itself first, then its blocks.
    for (const char* q : {u8"栄里五丁目", u8"栄里5丁目", u8"栄里五"}) {
        SCOPED_TRACE(q);
        const TLocateResult r = locate(q);
        ASSERT_GE(r.Matches.size(), 2u);
        EXPECT_EQ(r.Matches[0].Kind, TPlaceKind::Chome);
        EXPECT_EQ(r.Matches[0].Name, sj(u8"群馬県青葉市栄里五丁目"));
        for (size_t i = 1; i < r.Matches.size(); ++i) {
            EXPECT_EQ(r.Matches[i].Kind, TPlaceKind::Block);
            EXPECT_EQ(r.Matches[i].Name.rfind(sj(u8"群馬県青葉市栄里五丁目 "), 0), 0u);
        }
    }
}

TEST_F(SampleLocate, MunicipalityThenChomesInNameOrderAtMostTheLimit) {
    const TLocateResult r = locate(u8"青葉市");
    ASSERT_EQ(r.Matches.size(), kMaxPlaceMatches);
    EXPECT_EQ(r.Matches[0].Kind, TPlaceKind::Municipality);
    EXPECT_EQ(r.Matches[0].Name, sj(u8"群馬県青葉市"));
    EXPECT_EQ(r.Matches[1].Kind, TPlaceKind::Chome);
    EXPECT_EQ(locate(u8"青葉市", 3).Matches.size(), 3u);
    const TLocateResult sakae = locate(u8"栄里");
    std::vector<std::string> names;
    for (size_t i = 0; i < 5; ++i) names.push_back(sakae.Matches[i].Name);
    EXPECT_EQ(names, (std::vector<std::string>{sj(u8"群馬県青葉市栄里一丁目"), sj(u8"群馬県青葉市栄里二丁目"),
                                               sj(u8"群馬県青葉市栄里三丁目"), sj(u8"群馬県青葉市栄里四丁目"),
                                               sj(u8"群馬県青葉市栄里五丁目")}));
    EXPECT_EQ(sakae.Matches[5].Name, sj(u8"群馬県青葉市栄里一丁目 1"));
}

TEST_F(SampleLocate, NothingFoundAndABlockNumberWithoutItsChome) {
    for (const char* q : {u8"青葉市 3", u8"青葉市3番", u8"どこにもない町", "", u8"　"}) {
        SCOPED_TRACE(q);
        const TLocateResult r = locate(q);
        EXPECT_EQ(r.Status, TLocateStatus::NothingFound);
        EXPECT_TRUE(r.Matches.empty());
    }
}

TEST_F(SampleLocate, CoordinatesBecomeAPointOfTheMapsSystem) {
    TCoordinateTranslator back;
    back.SetSource(map_->SourceFormat);
    back.SetTarget(TCoordsFormat::cfGeodeticWGS);
    const TLocateResult marked = locate(u8"35°39′54″N 139°42′11″E");
    ASSERT_EQ(marked.Status, TLocateStatus::Found);
    ASSERT_EQ(marked.Matches.size(), 1u);
    const TPlaceMatch& p = marked.Matches[0];
    EXPECT_EQ(p.Kind, TPlaceKind::Point);
    EXPECT_EQ(p.Area.Min.X, p.Area.At.X);
    EXPECT_EQ(p.Area.Max.Y, p.Area.At.Y);
    const TGeoPoint2D wgs = back.Transform(p.Area.At);
    EXPECT_NEAR(wgs.Y / kGeographicUnitsPerDegree, 35 + 39 / 60.0 + 54 / 3600.0, 1e-9);
    EXPECT_NEAR(wgs.X / kGeographicUnitsPerDegree, 139 + 42 / 60.0 + 11 / 3600.0, 1e-9);
    const TCentreAddress a = addressAt(p.Area.At);
    ASSERT_FALSE(a.Block.empty());  // the point lies in a block of the sample
    EXPECT_EQ(p.Name, a.Prefecture + a.City + a.Chome + " " + a.Block);
    for (const char* q : {"35 39 54 139 42 11", u8"３５°３９′５４″Ｎ，１３９°４２′１１″Ｅ", "35.665, 139.70305555555556"}) {
        SCOPED_TRACE(q);
        const TLocateResult same = locate(q);
        ASSERT_EQ(same.Matches.size(), 1u);
        EXPECT_NEAR(same.Matches[0].Area.At.X, p.Area.At.X, 1e-6);
        EXPECT_NEAR(same.Matches[0].Area.At.Y, p.Area.At.Y, 1e-6);
    }
}

TEST_F(SampleLocate, PlaneMetresOfTheMapsOwnOrAnotherSystem) {
    const TLocateResult own = locate("cfProjectedJGD09 -11937.8 -37453.2");
    ASSERT_EQ(own.Status, TLocateStatus::Found);
    EXPECT_EQ(own.Matches[0].Area.At.X, -11937.8);
    EXPECT_EQ(own.Matches[0].Area.At.Y, -37453.2);
    // The same numbers on the Tokyo datum lie some hundred metres away.
    TCoordinateTranslator shift;
    shift.SetSource(TCoordsFormat::cfProjectedTKY09);
    shift.SetTarget(TCoordsFormat::cfProjectedJGD09);
    const TGeoPoint2D expected = shift.Transform({-11937.8, -37453.2});
    const TLocateResult tokyo = locate("cfProjectedTKY09 -11937.8 -37453.2");
    ASSERT_EQ(tokyo.Status, TLocateStatus::Found);
    EXPECT_NEAR(tokyo.Matches[0].Area.At.X, expected.X, 0.01);
    EXPECT_NEAR(tokyo.Matches[0].Area.At.Y, expected.Y, 0.01);
    EXPECT_GT(std::hypot(expected.X + 11937.8, expected.Y + 37453.2), 100);
}

TEST_F(SampleLocate, CoordinatesOutsideJapanOrWronglyWritten) {
    for (const char* q : {"48.8566, 2.3522", "-33.9, 151.2", "95, 139", "35.6, 200", "cfProjectedJGD09 0 -5000000",
                          "cfProjectedJGD09 900000000 0"}) {
        SCOPED_TRACE(q);
        EXPECT_EQ(locate(q).Status, TLocateStatus::OutsideRange);
    }
    EXPECT_EQ(locate(u8"35°75′N 139°E").Status, TLocateStatus::Malformed);
    EXPECT_EQ(locate("cfGeodeticWGS 139.7 35.6").Status, TLocateStatus::NotPlaneSystem);
}

// Two threads look places up in one index at once and get what each gets
// alone (under ThreadSanitizer this also shows that nothing is shared unguarded).
TEST_F(SampleLocate, ThreadsShareOneIndex) {
    auto lookUps = [](const std::vector<const char*>& queries) {
        std::string out;
        for (int round = 0; round < 20; ++round)
            for (const char* q : queries)
                for (const TPlaceMatch& m : locate(q).Matches)
                    out += m.Name + std::to_string(m.Area.At.X) + std::to_string(m.Area.At.Y) + "\n";
        return out;
    };
    const std::vector<const char*> coordinates{u8"35°39′54″N 139°42′11″E", "cfProjectedTKY09 -11937.8 -37453.2"};
    const std::vector<const char*> addresses{u8"栄里", u8"松田四丁目14", u8"青葉市"};
    const std::string aloneCoordinates = lookUps(coordinates), aloneAddresses = lookUps(addresses);
    std::string sharedCoordinates, sharedAddresses;
    std::thread a([&] { sharedCoordinates = lookUps(coordinates); });
    std::thread b([&] { sharedAddresses = lookUps(addresses); });
    a.join();
    b.join();
    EXPECT_EQ(sharedCoordinates, aloneCoordinates);
    EXPECT_EQ(sharedAddresses, aloneAddresses);
}

TEST(Locate, ExactBeforePrefixBeforeContains) {
    TKDKObject map;
    auto chome = [&](double x, const char* name) {
        TKDKPolygon& p = AddPolygonTo(map, 1106, Rect(x, 0, x + 10, 10));
        p.RepPoint = At(x + 5, 5);
        Attach(map, p, 1106, {"13101", "001", sj(name)});
    };
    chome(0, u8"新本町");
    chome(10, u8"本町一丁目");
    chome(20, u8"本町");
    chome(30, u8"元町");
    map.FinishMesh();
    const TPlaceIndex index(map);
    const TLocateResult r = Locate(index, u8"本町");
    std::vector<std::string> names;
    for (const TPlaceMatch& m : r.Matches) names.push_back(m.Name);
    EXPECT_EQ(names, (std::vector<std::string>{sj(u8"本町"), sj(u8"本町一丁目"), sj(u8"新本町")}));
    EXPECT_EQ(r.Matches[0].Area.At.X, 25);  // the representative point, inside
}

TEST(Locate, AMapWithoutProjectionTakesNoCoordinate) {
    TKDKObject map;  // cfCartesian
    map.FinishMesh();
    const TPlaceIndex index(map);
    EXPECT_EQ(Locate(index, "35.6623, 139.7015").Status, TLocateStatus::NoConversion);
    EXPECT_EQ(Locate(index, "cfProjectedJGD09 0 0").Status, TLocateStatus::NoConversion);
}

}  // namespace
