// Hit testing of each kind, the order of the hits and the joined details texts.
#include <gtest/gtest.h>

#include "support/feature_builders.h"
#include "support/reading_test_util.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"

namespace {

constexpr double kTolerance = 1.5;  // 3 pixels at 2 pixels per metre

}  // namespace

TEST(LineHitTest, SevenMetreRoadIsHitUpToFiveMetresFromItsCentre) {
    auto road = MakeLine(2110, 0, {At(0, 0), At(100, 0)}, 7);
    EXPECT_TRUE(HitTest(*road, At(50, 4.99), kTolerance));
    EXPECT_TRUE(HitTest(*road, At(50, -5), kTolerance));
    EXPECT_FALSE(HitTest(*road, At(50, 5.01), kTolerance));
    EXPECT_TRUE(HitTest(*road, At(0, 3), kTolerance));  // foot on the first vertex
    auto thin = MakeLine(1106, 0, {At(0, 0), At(100, 0)}, 0);
    EXPECT_TRUE(HitTest(*thin, At(50, 1.5), kTolerance));
    EXPECT_FALSE(HitTest(*thin, At(50, 1.51), kTolerance));
}

TEST(LineHitTest, BeyondTheEndsAndInTheOuterWedgeOfABendItMisses) {
    auto line = MakeLine(2110, 0, {At(0, 0), At(10, 0), At(10, 10)}, 0);
    EXPECT_FALSE(HitTest(*line, At(-1, 0), kTolerance));  // 1 m before the first vertex, in line
    EXPECT_FALSE(HitTest(*line, At(10, 11), kTolerance));  // 1 m beyond the last vertex
    EXPECT_FALSE(HitTest(*line, At(10.5, -0.5), kTolerance));  // outer corner of the bend
    EXPECT_TRUE(HitTest(*line, At(9.5, 0.5), kTolerance));  // inner corner
    EXPECT_TRUE(HitTest(*line, At(11, 5), kTolerance));  // second segment
}

TEST(LineHitTest, FewerThanTwoVerticesOrZeroLengthNeverHit) {
    EXPECT_FALSE(HitTest(*MakeLine(2110, 0, {At(5, 5)}, 7), At(5, 5), kTolerance));
    EXPECT_FALSE(HitTest(*MakeLine(2110, 0, {}, 7), At(0, 0), kTolerance));
    EXPECT_FALSE(HitTest(*MakeLine(2110, 0, {At(5, 5), At(5, 5)}, 7), At(5, 5), kTolerance));
    // The tag plays no part.
    auto hidden = MakeLine(1108, 5, {At(0, 0), At(1, 0)});
    EXPECT_TRUE(HitTest(*hidden, At(0.5, 0), kTolerance));
}

TEST(PolygonHitTest, EvenOddContainmentIgnoringTheTolerance) {
    auto square = MakePolygon(1108, Rect(0, 0, 10, 10));
    EXPECT_TRUE(HitTest(*square, At(5, 5), 0));
    EXPECT_FALSE(HitTest(*square, At(10.5, 5), 100));
    EXPECT_FALSE(HitTest(*square, At(-0.5, 5), 100));
    // Half-open edges: left and bottom edges inside, right and top edges outside.
    EXPECT_TRUE(HitTest(*square, At(0, 5), 0));
    EXPECT_TRUE(HitTest(*square, At(5, 0), 0));
    EXPECT_FALSE(HitTest(*square, At(10, 5), 0));
    EXPECT_FALSE(HitTest(*square, At(5, 10), 0));

    // An outer ring joined to an inner ring: the inner square is a hole.
    std::vector<TGeoPoint> ring = Rect(0, 0, 10, 10);
    for (const TGeoPoint& p : Rect(3, 3, 7, 7)) ring.push_back(p);
    ring.push_back(At(0, 0));
    auto withHole = MakePolygon(1108, ring);
    EXPECT_FALSE(HitTest(*withHole, At(5, 5), 0));
    EXPECT_TRUE(HitTest(*withHole, At(1, 5), 0));

    EXPECT_FALSE(HitTest(*MakePolygon(1108, {}), At(0, 0), 0));
}

TEST(PointHitTest, WithinTheToleranceOnly) {
    auto point = MakePointFeature(7301, At(10, 10));
    EXPECT_TRUE(HitTest(*point, At(11.4, 10), kTolerance));
    EXPECT_FALSE(HitTest(*point, At(11.6, 10), kTolerance));
    EXPECT_TRUE(HitTest(*point, At(10.9, 11.1), kTolerance));  // 1.42 m diagonally
    TKDKAttribute record(73, 1, 0, 1, PooledValues({"a"}));
    record.SetLabel("a", At(10, 10), clBlack, 10);
    EXPECT_FALSE(HitTest(record, At(10, 10), kTolerance));
    TKDKNode node(0, 1, 0, {}, At(10, 10));
    EXPECT_FALSE(HitTest(node, At(10, 10), kTolerance));
}

TEST(HitFeatures, LinesThenPolygonsInDrawingOrderThenPointsWhateverTheirVisibility) {
    TKDKObject map;
    map.SetViewMode(TViewMode::vmGaiku);
    TKDKPoint& point = AddPointFeatureTo(map, 7301, At(5, 5.5));
    TKDKPolygon& building = AddPolygonTo(map, 3500, Rect(0, 0, 10, 10));
    TKDKPolygon& block = AddPolygonTo(map, 1108, Rect(0, 0, 10, 10));
    TKDKPolygon& chome = AddPolygonTo(map, 1106, Rect(-10, -10, 20, 20));
    AddPolygonTo(map, 1108, Rect(50, 50, 60, 60));  // elsewhere
    TKDKLine& road = AddLineTo(map, 2110, 4, {At(0, 5), At(10, 5)}, 7);
    map.SetCategoryVisible(21, false);
    map.SetCategoryVisible(73, false);
    std::vector<const TKDKElement*> hits{&road};  // appended after what the list holds
    EXPECT_EQ(HitFeatures(map, At(5, 5), hits, kTolerance), 5);
    EXPECT_EQ(hits, (std::vector<const TKDKElement*>{&road, &road, &chome, &block, &building, &point}));
    hits.clear();
    EXPECT_EQ(HitFeatures(map, At(100, 100), hits, kTolerance), 0);
    EXPECT_TRUE(hits.empty());
}

TEST(PointedDetails, BlockInChomeInMunicipalityAfterTheRoadAndBeforeThePoint) {
    testsupport::TempDir dir;
    LoadAttempt a = loadMesh(testsupport::writeTown(dir.path()));
    ASSERT_TRUE(a.ok) << a.fatal;
    TKDKObject& map = *a.map;

    const std::string block = PointedDetails(map, At(60, 25), kTolerance);
    EXPECT_EQ(block, sj(u8"市区町村\r\n行政JISコード=13101\r\n市区町村名=千代田区\r\n"
                        u8"------------------------------\r\n"
                        u8"大字・町丁目\r\n行政JISコード=13101\r\n町丁目名コード=001\r\n大字・町丁目名=丸の内一丁目\r\n"
                        u8"------------------------------\r\n"
                        u8"街区\r\n行政JISコード=13101\r\n町丁目名コード=001\r\n大字・町丁目名=丸の内一丁目\r\n街区符号1=3\r\n"
                        u8"------------------------------\r\n"));

    // 3 m from the road's centre, 1 m from the triangulation point (100, 65) is too far.
    const std::string road = PointedDetails(map, At(100, 72), kTolerance);
    EXPECT_EQ(road.find(sj(u8"道路線\r\n名称=中央通り\r\n------------------------------\r\n市区町村\r\n")), 0u);
    EXPECT_EQ(road.find(sj(u8"三角点")), std::string::npos);

    const std::string point = PointedDetails(map, At(100, 65.5), kTolerance);
    const size_t chome = point.find(sj(u8"大字・町丁目\r\n"));
    const size_t triangulation = point.find(sj(u8"三角点\r\n3次メッシュ=533946\r\n"));
    ASSERT_NE(chome, std::string::npos);
    ASSERT_NE(triangulation, std::string::npos);
    EXPECT_LT(chome, triangulation);

    // Switched-off categories are still reported.
    for (int major : {11, 21, 23, 73}) map.SetCategoryVisible(major, false);
    EXPECT_EQ(PointedDetails(map, At(60, 25), kTolerance), block);

    EXPECT_EQ(PointedDetails(map, At(-50, -50), kTolerance), "");
}

TEST(PointedDetails, ALineWithoutRecordAddsNothing) {
    TKDKObject map;
    Attach(map, AddLineTo(map, 2110, 0, {At(0, 0), At(10, 0)}), 2110, {"A", "B"});
    AddLineTo(map, 2110, 0, {At(0, 0), At(10, 0)});
    Attach(map, AddLineTo(map, 2101, 0, {At(0, 0), At(10, 0)}), 2101, {"edge"});
    EXPECT_EQ(PointedDetails(map, At(5, 0), kTolerance),
              sj(u8"道路線\r\n名称=A\r\n別称=B\r\n------------------------------\r\n"
                 u8"------------------------------\r\n"));
}

namespace {

// Every feature whose own test hits, in the order of the lists (polygons in drawing order).
std::vector<const TKDKElement*> hitsOfEveryFeature(const TKDKObject& map, const TGeoPoint& p, double tolerance) {
    std::vector<const TKDKElement*> hits;
    for (const auto& l : map.Lines())
        if (HitTest(*l, p, tolerance)) hits.push_back(l);
    map.ForEachPolygonInDrawingOrder([&](const TKDKPolygon& g) {
        if (HitTest(g, p, tolerance)) hits.push_back(&g);
    });
    for (const auto& q : map.Points())
        if (HitTest(*q, p, tolerance)) hits.push_back(q);
    return hits;
}

}  // namespace

TEST(HitFeatures, SameHitsAsTestingEveryFeatureAlsoOnEdgesFarFromTheOrigin) {
    // Coordinates of a real zone, whose edges floats cannot hold exactly.
    const double x0 = -36123.371, y0 = 254321.917;
    TKDKObject map;
    AddPolygonTo(map, 1108, Rect(x0, y0, x0 + 10.003, y0 + 7.001));
    AddPolygonTo(map, 1106, Rect(x0 + 5.0007, y0 - 3, x0 + 20.0001, y0 + 3.0003));
    AddLineTo(map, 2110, 0, {At(x0, y0 + 2.2), At(x0 + 12.7, y0 + 2.2), At(x0 + 12.7, y0 + 9.1)}, 7);
    AddLineTo(map, 1106, 0, {At(x0 + 1.1, y0 - 1.3), At(x0 + 4.9, y0 + 8.3)});
    AddPointFeatureTo(map, 7301, At(x0 + 3.3, y0 + 3.3));
    const double edgesX[] = {x0, x0 + 10.003, x0 + 5.0007, x0 + 20.0001, x0 + 12.7 + 5, x0 + 12.7 - 5, x0 + 3.3 + 1.5};
    const double edgesY[] = {y0, y0 + 7.001, y0 - 3, y0 + 3.0003, y0 + 2.2 + 5, y0 + 2.2 - 5, y0 + 9.1, y0 + 3.3 - 1.5};
    int compared = 0;
    for (double tolerance : {0.0, 1.5}) {
        std::vector<double> xs, ys;
        for (double e : edgesX)
            for (double d : {-1e-7, 0.0, 1e-7}) xs.push_back(e + d);
        for (double e : edgesY)
            for (double d : {-1e-7, 0.0, 1e-7}) ys.push_back(e + d);
        for (double i = -4; i <= 24; i += 0.37) xs.push_back(x0 + i);
        for (double j = -6; j <= 14; j += 0.29) ys.push_back(y0 + j);
        for (double x : xs)
            for (double y : ys) {
                std::vector<const TKDKElement*> hits;
                HitFeatures(map, At(x, y), hits, tolerance);
                ASSERT_EQ(hits, hitsOfEveryFeature(map, At(x, y), tolerance)) << x << " " << y;
                compared += !hits.empty();
            }
    }
    EXPECT_GT(compared, 1000);
}

TEST(HitFeatures, FollowTheDrawingOrderAndFeaturesAddedLater) {
    TKDKObject map;
    TKDKPolygon& building = AddPolygonTo(map, 3500, Rect(0, 0, 10, 10));
    TKDKPolygon& block = AddPolygonTo(map, 1108, Rect(0, 0, 10, 10));
    map.FinishMesh();
    std::vector<const TKDKElement*> hits;
    HitFeatures(map, At(5, 5), hits, kTolerance);
    EXPECT_EQ(hits, (std::vector<const TKDKElement*>{&block, &building}));
    TKDKPolygon& added = AddPolygonTo(map, 1106, Rect(4, 4, 6, 6));
    TKDKLine& line = AddLineTo(map, 2110, 0, {At(0, 5), At(10, 5)});
    hits.clear();
    HitFeatures(map, At(5, 5), hits, kTolerance);
    EXPECT_EQ(hits, (std::vector<const TKDKElement*>{&line, &added, &block, &building}));
    EXPECT_EQ(CentreAddress(map, At(5, 5)).Chome, "");  // no records: nothing named
}
