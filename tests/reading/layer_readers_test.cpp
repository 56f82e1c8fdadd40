// The layer readers, each through a whole mesh written in the real layout.
#include <gtest/gtest.h>

#include "queries/map_queries.h"
#include "reading/record_buffer.h"
#include "support/reading_test_util.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

using meshfiles::arcRecord;
using meshfiles::vertexRecord;
using testsupport::MeshFixture;

namespace {

const char* kArc = "GYOUSEI\\GYOUSEI.ARC";
const char* kPgn = "GYOUSEI\\GYOUSEI.PGN";
const char* kPnt = "TETUDO\\TETUDO.PNT";
const char* kAtr = "GYOUSEI\\GYOUSEI.ATR";

// Two arcs forming a unit square: (0,0)-(1,0)-(1,1) and (0,0)-(0,1)-(1,1).
std::vector<std::string> squareArcs(int code = 1108) {
    return {arcRecord(code, 0, 1, 3), "0,0", "0,1", "1,1", arcRecord(code, 0, 2, 3), "0,0", "1,0", "1,1"};
}

class Readers : public ::testing::Test {
protected:
    testsupport::TempDir dir;
    MeshFixture mesh{dir.path(), "53394611"};
    LoadAttempt load() { return loadMesh(mesh.write()); }
    std::string line(const char* text, const char* file, int n) {
        return sj(text) + mesh.entryName(file) + "(" + std::to_string(n) + ")";
    }
};

}  // namespace

TEST_F(Readers, ArcsTakeOriginXFromSecondFieldAndStyleFromCode) {
    mesh.layer(kArc, {arcRecord(1106, 0, 7, 3), "10,20", "11,25", "9,22", arcRecord(9999, 1, 8, 1), "1,1"},
               {1000, 5000});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    ASSERT_EQ(a.map->Lines().size(), 2u);
    const TKDKLine& l = *a.map->Lines()[0];
    EXPECT_EQ(l.VertexCount, 3);
    EXPECT_EQ(l.Vertices[0].X, 1020);
    EXPECT_EQ(l.Vertices[0].Y, 5010);
    EXPECT_EQ(l.BoundsMin.X, 1020);
    EXPECT_EQ(l.BoundsMin.Y, 5009);
    EXPECT_EQ(l.BoundsMax.X, 1025);
    EXPECT_EQ(l.BoundsMax.Y, 5011);
    EXPECT_EQ(l.PenStyle, TPenStyle::psDash);
    EXPECT_EQ(l.Color, 0xD6D6D6u);
    const TKDKLine& unknown = *a.map->Lines()[1];  // created at the end of the file
    EXPECT_EQ(unknown.Color, 0u);
    EXPECT_EQ(unknown.Width, 0);
    EXPECT_EQ(unknown.PenStyle, TPenStyle::psSolid);
    EXPECT_FALSE(a.map->HasBlocks);
    EXPECT_TRUE(a.errors.empty());
}

TEST_F(Readers, BrokenArcRecordsAreReportedAndStillUsed) {
    mesh.layer(kArc, {arcRecord(1108, 0, 1, 2) + ",9", "1,2,3", "4,5", arcRecord(2110, 0, 2, 1), "0,0"});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_TRUE(a.map->HasBlocks);
    EXPECT_EQ(a.errors, (TErrorList{line(u8"アークIDレコードが壊れています", kArc, 2),
                                    line(u8"座標レコードが壊れています", kArc, 3)}));
    EXPECT_EQ(a.map->Lines()[0]->Vertices[0].X, 2);
    EXPECT_EQ(a.map->Lines()[1]->Width, 7);
}

TEST_F(Readers, ArcNumberErrorsNameEntryForVerticesAndPathForArcs) {
    mesh.layer(kArc, {arcRecord(1108, 0, 1, 1), "x,1"});
    LoadAttempt a = load();
    EXPECT_EQ(a.fatal, mesh.entryName(kArc) + "(3): " + sj(u8"不正な浮動小数点変換"));

    testsupport::TempDir other;
    MeshFixture m2(other.path(), "53394611");
    m2.layer(kArc, {"L1108,0,id,1"});
    LoadAttempt b = loadMesh(m2.write());
    EXPECT_EQ(b.fatal, sjis::fromUtf8((other.path() / "53394611").string()) + "/" + m2.entryName(kArc) +
                           "(2): " + sj(u8"不正な整数変換"));
}

TEST_F(Readers, EmptyLineAmongVerticesEndsTheLoadingAfterItsLine) {
    mesh.layer(kArc, {arcRecord(1108, 0, 1, 2), "1,1", "", "2,2"});
    LoadAttempt a = load();
    EXPECT_FALSE(a.ok);
    EXPECT_FALSE(a.fatal.empty());
    EXPECT_EQ(a.errors, (TErrorList{line(u8"レコードが壊れています", kArc, 4)}));
    EXPECT_TRUE(a.map->Descriptions().empty());
}

TEST_F(Readers, ArcCountsBeyondTheBufferAreClampedAndReported) {
    std::vector<std::string> records = {arcRecord(2110, 0, 1, 100000), "1,1"};
    records.push_back(arcRecord(2110, 0, 2, -5));
    mesh.layer(kArc, records);
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_EQ(a.map->Lines()[0]->VertexCount, kReadBufferSize);
    EXPECT_EQ(a.map->Lines()[1]->VertexCount, 0);
    EXPECT_EQ(a.errors, (TErrorList{line(u8"アークIDレコードが壊れています", kArc, 2),
                                    line(u8"アークIDレコードが壊れています", kArc, 4)}));
}

TEST_F(Readers, TooManyVertexRecordsAreDroppedAndReported) {
    std::vector<std::string> records = {arcRecord(2110, 0, 1, 2)};
    for (int i = 0; i < kReadBufferSize + 2; ++i) records.push_back(vertexRecord({double(i), 0}));
    mesh.layer(kArc, records);
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_EQ(a.map->Lines()[0]->VertexCount, 2);
    EXPECT_EQ(a.errors.size(), 2u);
}

// An arc with fewer vertex records than its record declares repeats the last
// vertex it read; one that read none keeps no vertices. Nothing comes from
// the vertices of earlier arcs, and the count and the error list stay.
TEST_F(Readers, ShortArcsNeverTakeVerticesTheyDidNotRead) {
    // Code 9999 is drawn 0 m wide: a hit means a point on the line.
    mesh.layer(kArc, {arcRecord(9999, 0, 1, 3), vertexRecord({9, 9}),            // first arc of the file
                      arcRecord(9999, 0, 2, 3), vertexRecord({100, 100}), vertexRecord({110, 100}),
                      vertexRecord({120, 100}),                                   // well formed
                      arcRecord(9999, 0, 3, 4), vertexRecord({0, 0}), vertexRecord({5, 0}),
                      arcRecord(9999, 0, 4, 0), vertexRecord({7, 7}),            // declares none
                      arcRecord(9999, 0, 5, 2),                                   // reads none
                      arcRecord(9999, 0, 6, 0)});
    mesh.layer(kPgn, {meshfiles::polygonRecord(1108, 1, 2, {1, 0}), "3", "5"});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_TRUE(a.errors.empty());
    ASSERT_EQ(a.map->Lines().size(), 6u);
    auto xy = [](const TKDKLine& l) {
        std::vector<std::pair<double, double>> out;
        for (const TGeoPoint2D& p : l.Vertices) out.emplace_back(p.X, p.Y);
        return out;
    };
    using V = std::vector<std::pair<double, double>>;
    const auto& lines = a.map->Lines();
    EXPECT_EQ(xy(*lines[0]), (V{{9, 9}, {9, 9}, {9, 9}}));
    EXPECT_EQ(xy(*lines[1]), (V{{100, 100}, {110, 100}, {120, 100}}));
    EXPECT_EQ(xy(*lines[2]), (V{{0, 0}, {5, 0}, {5, 0}, {5, 0}}));
    for (size_t i : {3, 4, 5}) EXPECT_TRUE(lines[i]->Vertices.empty()) << i;
    const int declared[] = {3, 3, 4, 0, 2, 0};
    for (size_t i = 0; i < 6; ++i) EXPECT_EQ(lines[i]->VertexCount, declared[i]) << i;

    // Bounds come from the arc's own vertices; without any they are empty.
    auto box = [](const TKDKPlacedElement& f) {
        return std::vector<double>{f.BoundsMin.X, f.BoundsMin.Y, f.BoundsMax.X, f.BoundsMax.Y};
    };
    EXPECT_EQ(box(*lines[0]), (std::vector<double>{9, 9, 9, 9}));
    EXPECT_EQ(box(*lines[2]), (std::vector<double>{0, 0, 5, 0}));
    for (size_t i : {3, 4, 5}) EXPECT_EQ(box(*lines[i]), (std::vector<double>{1e15, 1e15, -1e15, -1e15})) << i;

    auto At = [](double x, double y) { return MakePoint(x, y, 0); };
    // No spike towards the origin or another arc's vertices; the empty arcs are never hit.
    std::vector<const TKDKElement*> hits;
    for (TGeoPoint at : {At(4.5, 4.5), At(62.5, 50), At(60, 0), At(7, 7)}) {
        hits.clear();
        EXPECT_EQ(HitFeatures(*a.map, at, hits, 1), 0) << at.X << " " << at.Y;
    }
    for (size_t i : {3, 4, 5}) EXPECT_FALSE(HitTest(*lines[i], At(7, 7), 1e9)) << i;
    hits.clear();
    EXPECT_EQ(HitFeatures(*a.map, At(2, 0), hits, 1), 1);  // the short arc itself

    // A polygon of the short arc and the empty one: its own vertices only.
    const TKDKPolygon& g = *a.map->Polygons()[0];
    EXPECT_EQ(g.RingCount, 2);
    EXPECT_EQ(box(g), (std::vector<double>{0, 0, 5, 0}));
}

TEST_F(Readers, PolygonRingsJoinArcsInReferenceDirection) {
    mesh.layer(kArc, squareArcs());
    mesh.layer(kPgn, {meshfiles::polygonRecord(1108, 5, 2, {0.5, 0.5}), "1", "-2",
                      meshfiles::polygonRecord(6242, 6, 1, {3, 3}), "9",
                      meshfiles::polygonRecord(9999, 7, 0, {4, 4})});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    ASSERT_EQ(a.map->Polygons().size(), 3u);
    const TKDKPolygon& sq = *a.map->Polygons()[0];
    ASSERT_EQ(sq.RingCount, 5);
    const double expect[5][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(sq.Ring()[i].X, expect[i][0]) << i;
        EXPECT_EQ(sq.Ring()[i].Y, expect[i][1]) << i;
    }
    EXPECT_EQ(sq.BoundsMin.X, 0);
    EXPECT_EQ(sq.BoundsMax.Y, 1);
    EXPECT_EQ(sq.RepPoint.X, 0.5);
    // A missing arc: reported, kept without a ring.
    EXPECT_EQ(a.map->Polygons()[1]->RingCount, 0);
    EXPECT_EQ(a.map->Polygons()[1]->FillColor, PaletteColor(82));
    EXPECT_EQ(a.errors, (TErrorList{sj(u8"指定アークが見つかりません") + mesh.entryName(kPgn)}));
    // No references: empty bounds; unknown code: black fill.
    EXPECT_EQ(a.map->Polygons()[2]->BoundsMin.X, 1e15);
    EXPECT_EQ(a.map->Polygons()[2]->BoundsMax.X, -1e15);
    EXPECT_EQ(a.map->Polygons()[2]->FillColor, 0u);
}

TEST_F(Readers, RepeatedVerticesAndZeroReferences) {
    mesh.layer(kArc, {arcRecord(1108, 0, 1, 4), "0,0", "0,0", "0,1", "0,1"});
    mesh.layer(kPgn, {meshfiles::polygonRecord(1108, 1, 1, {0, 0}), "1",
                      meshfiles::polygonRecord(1108, 2, 1, {0, 0}), "0"});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_EQ(a.map->Polygons()[0]->RingCount, 2);
    EXPECT_EQ(a.map->Polygons()[1]->RingCount, 0);
    EXPECT_EQ(a.errors.size(), 1u);
}

TEST_F(Readers, PointsAndStrayRecords) {
    mesh.layer(kPnt, {meshfiles::pointRecord(2420, 1, {5, 6}), "1.0,2.0",
                      meshfiles::pointRecord(7301, 1, {7, 8}) + ",extra"});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    ASSERT_EQ(a.map->Points().size(), 2u);
    EXPECT_EQ(a.map->Points()[0]->Position.X, 5);
    EXPECT_EQ(a.map->Points()[0]->Position.Y, 6);
    EXPECT_EQ(a.map->FindPoint(0, 1), a.map->Points()[0]);  // the first of a repeated id
    EXPECT_EQ(a.errors, (TErrorList{line(u8"点レコードが壊れています", kPnt, 3),
                                    line(u8"点レコードが壊れています", kPnt, 4)}));
}

TEST_F(Readers, PointNumberErrorsNameTheFullPath) {
    mesh.layer(kPnt, {"P7301,1,5,x"});
    LoadAttempt a = load();
    const std::string folder = sjis::fromUtf8((dir.path() / "53394611").string()) + "/";
    EXPECT_EQ(a.fatal, folder + mesh.entryName(kPnt) + "(2): " + sj(u8"不正な浮動小数点変換"));
}

TEST_F(Readers, AttributesStyleRoadsByName) {
    std::vector<std::string> arcs;
    for (int id = 1; id <= 4; ++id) {
        arcs.push_back(arcRecord(2110, 0, id, 1));
        arcs.push_back("0,0");
    }
    mesh.layer("DOURO\\DOURO.ARC", arcs);
    mesh.layer("DOURO\\DOURO.ATR",
               {meshfiles::attributeRecord('L', 2110, 1, {u8"東名自動車道"}),
                meshfiles::attributeRecord('L', 2110, 1, {u8"東名自動車道"}),
                meshfiles::attributeRecord('L', 2110, 2, {u8"国道１号"}),
                meshfiles::attributeRecord('L', 2110, 3, {u8"旧国道"}),
                meshfiles::attributeRecord('L', 2110, 4, {u8"首都高速道路"})});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    const auto& lines = a.map->Lines();
    EXPECT_EQ(lines[0]->Width, 7 + 3 + 3);
    EXPECT_EQ(lines[0]->Color, PaletteColor(221));
    EXPECT_EQ(lines[0]->Attribute, a.map->Attributes()[1]);  // the last record read
    EXPECT_EQ(lines[1]->Width, 9);
    EXPECT_EQ(lines[1]->Color, PaletteColor(241));
    EXPECT_EQ(lines[2]->Width, 7);
    EXPECT_EQ(lines[2]->Color, PaletteColor(171));
    EXPECT_EQ(lines[3]->Width, 10);
}

TEST_F(Readers, AttributesFillAndLabelAreas) {
    std::vector<std::string> arcs = squareArcs(1106);
    mesh.layer(kArc, arcs);
    std::vector<std::string> pgn;
    for (int id = 1; id <= 5; ++id) {
        int code = id <= 2 ? 1106 : (id <= 4 ? 1108 : 3500);
        pgn.push_back(meshfiles::polygonRecord(code, id, 1, {0.5, 0.5 + id}));
        pgn.push_back("1");
    }
    mesh.layer(kPgn, pgn);
    mesh.layer(kAtr, {meshfiles::attributeRecord('A', 1106, 1, {"13101", "001", u8"千代田一丁目"}),
                      meshfiles::attributeRecord('A', 1106, 2, {"13101", "001", u8"千代田", "x"}),
                      meshfiles::attributeRecord('A', 1108, 3, {"13101", "001", u8"千代田一丁目"}),
                      meshfiles::attributeRecord('A', 1108, 4, {"13101", "001", u8"千代田一丁目", "1", "2"}),
                      meshfiles::attributeRecord('A', 3500, 5, {"3524", u8"第一小学校"})});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    const auto& g = a.map->Polygons();
    const auto& r = a.map->Attributes();
    long long sum = 0;
    for (unsigned char c : sj(u8"千代田一丁目")) sum += c;
    EXPECT_EQ(g[0]->FillColor, PastelColor(sum));
    EXPECT_EQ(r[0]->LabelText, sj(u8"千代田一丁目"));
    EXPECT_EQ(r[0]->LabelColor, 0x800000u);
    EXPECT_EQ(r[0]->LabelHeight, 12);
    EXPECT_EQ(r[0]->LabelPoint.Y, 1.5);
    EXPECT_EQ(r[0]->BoundsMin.Y, 1.5);
    EXPECT_EQ(g[1]->FillColor, PaletteColor(254));  // four values: no change
    EXPECT_TRUE(r[1]->LabelText.empty());
    EXPECT_EQ(g[1]->Attribute, r[1]);
    EXPECT_EQ(g[2]->FillColor, g[0]->FillColor);  // same name, same fill
    EXPECT_TRUE(r[2]->LabelText.empty());
    EXPECT_EQ(r[3]->LabelText, "1,2");
    EXPECT_EQ(r[3]->LabelColor, 0x808080u);
    EXPECT_EQ(r[3]->LabelHeight, 6);
    EXPECT_EQ(r[4]->LabelText, sj(u8"第一小学校"));
    EXPECT_EQ(r[4]->LabelHeight, 5);
    EXPECT_EQ(r[1]->LabelPoint.X, 1e15);  // no label: never placed
}

TEST_F(Readers, AttributeTargetsStationsAndBrokenRecords) {
    mesh.layer(kPnt, {meshfiles::pointRecord(2420, 1, {5, 6}), meshfiles::pointRecord(2420, 2, {7, 8})});
    mesh.layer("TETUDO\\TETUDO.ATR", {meshfiles::attributeRecord('P', 2420, 1, {u8"東京"}),
                                      meshfiles::attributeRecord('P', 2420, 2, {u8"東京", u8"とうきょう"}),
                                      meshfiles::attributeRecord('P', 2420, 9, {u8"無"}),
                                      meshfiles::attributeRecord('X', 2420, 1, {u8"謎"}), "P2420,1",
                                      meshfiles::attributeRecord('L', 2300, 3, {}),
                                      meshfiles::attributeRecord('A', 1106, 4, {})});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    const auto& r = a.map->Attributes();
    ASSERT_EQ(r.size(), 6u);  // the two-field line is skipped without a message
    EXPECT_EQ(r[0]->LabelText, sj(u8"東京"));
    EXPECT_EQ(r[0]->LabelColor, 0x000080u);
    EXPECT_EQ(r[0]->LabelHeight, 15);
    EXPECT_TRUE(r[1]->LabelText.empty());
    EXPECT_EQ(a.map->Points()[1]->Attribute, r[1]);
    EXPECT_EQ(r[3]->Kind, 'X');
    const char* f = "TETUDO\\TETUDO.ATR";
    EXPECT_EQ(a.errors, (TErrorList{sj(u8"属性対象点(9)が見つかりません") + mesh.entryName(f) + "(4)",
                                    line(u8"属性レコードが壊れています", f, 5),
                                    sj(u8"属性対象アーク(3)が見つかりません") + mesh.entryName(f) + "(7)",
                                    sj(u8"属性対象ポリゴン(4)が見つかりません") + mesh.entryName(f) + "(8)"}));
}

TEST_F(Readers, NodesCheckTheirArcsAtTheFollowingRecord) {
    mesh.layer(kArc, squareArcs());
    std::vector<std::string> nod = {meshfiles::nodeRecord(1, 0, 2, {0, 0}), "1", "9"};
    while (nod.size() < 38) nod.push_back("1,2,3");  // broken records up to line 39
    nod.push_back(meshfiles::nodeRecord(2, 10, 1, {1, 1}));  // line 40
    nod.push_back("2");
    nod.push_back("7,12,4.0,5.0");  // short form: reuses the count 1 and the buffer
    mesh.layer("GYOUSEI\\GYOUSEI.NOD", nod);
    mesh.layer("GYOUSEI\\GYOUSEI.TIE", {"1,2,3", "1,2,3,4", "77,0,0"});
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    ASSERT_EQ(a.map->Nodes().size(), 3u);
    EXPECT_EQ(std::vector<int32_t>(a.map->Nodes()[0]->ArcRefs.begin(), a.map->Nodes()[0]->ArcRefs.end()), (std::vector<int32_t>{1, 9}));
    EXPECT_EQ(a.map->Nodes()[2]->ArcCount(), 1);
    EXPECT_EQ(a.map->Nodes()[2]->Position.X, 5);
    const char* f = "GYOUSEI\\GYOUSEI.NOD";
    ASSERT_EQ(a.errors.size(), 35u + 1 + 1);
    EXPECT_EQ(a.errors[0], line(u8"ノードレコードが壊れています", f, 5));
    EXPECT_EQ(a.errors[35], line(u8"ノードレコードが壊れています", f, 40));
    EXPECT_EQ(a.errors[36], line(u8"ネットワークレコードが壊れています", "GYOUSEI\\GYOUSEI.TIE", 3));
    EXPECT_EQ(a.map->Networks().size(), 2u);
    EXPECT_EQ(a.map->Networks()[1]->Id, 77);
}

TEST_F(Readers, LastNodeIsCheckedWithTheFileLineCount) {
    std::vector<std::string> nod;
    for (int i = 0; i < 54; ++i) nod.push_back("1,2,3");
    nod.push_back(meshfiles::nodeRecord(1, 0, 1, {0, 0}));
    nod.push_back("-1");
    mesh.layer("GYOUSEI\\GYOUSEI.NOD", nod);
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_EQ(a.errors.back(), line(u8"ノードレコードが壊れています", "GYOUSEI\\GYOUSEI.NOD", 57));
}

TEST_F(Readers, HeaderProblems) {
    mesh.rawLayer("A\\ONE.ARC", "\r\n");
    mesh.rawLayer("A\\TWO.ARC", "FH,T,A.ARC,1,2,1,3,10,20,30,40,50,60\r\nL1108,0,1,1\r\n5,5\r\n");
    mesh.rawLayer("A\\THREE.ARC", "FH,T,A.ARC,1,2,1,3,100,200,0,0\r\n");
    LoadAttempt a = load();
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_EQ(a.errors, (TErrorList{sj(u8"ファイルヘッダレコードが壊れています") + mesh.entryName("A\\ONE.ARC"),
                                    sj(u8"ファイルヘッダレコードが壊れています") + mesh.entryName("A\\TWO.ARC")}));
    ASSERT_EQ(a.map->Lines().size(), 1u);
    EXPECT_EQ(a.map->Lines()[0]->Vertices[0].X, 5);  // origin (0, 0)
}

TEST_F(Readers, EmptyFilesHaveNoRecords) {
    mesh.rawLayer("A\\NUL.ARC", std::string("\0FH", 3));
    LoadAttempt a = load();
    EXPECT_NE(a.fatal.find(sj(u8"レコードがありません")), std::string::npos);
    EXPECT_NE(a.fatal.find("(0): "), std::string::npos);
}

TEST(ReadersEmpty, ZeroByteFileHasNoRecords) {
    testsupport::TempDir dir;
    MeshFixture m(dir.path(), "53394611");
    m.rawLayer("A\\EMPTY.PNT", "");
    LoadAttempt a = loadMesh(m.write());
    EXPECT_NE(a.fatal.find("EMPTY.PNT(0): " + sj(u8"レコードがありません")), std::string::npos) << a.fatal;
}

TEST_F(Readers, HeaderNumberErrorNamesThePathInTheHeader) {
    mesh.rawLayer("A\\X.ARC", "FH,T,C:\\KDK\\X.ARC,abc,2,1,3,10,20,30,40\r\n");
    LoadAttempt a = load();
    EXPECT_EQ(a.fatal, "C:\\KDK\\X.ARC(1): " + sj(u8"不正な整数変換"));
}

TEST(ReadersFatal, BadCodeFieldsShortRecordsAndBadIdsEndTheLoading) {
    struct Case {
        const char* file;
        std::vector<std::string> records;
        std::string expected;  // part of the message
    };
    const std::vector<Case> cases = {
        {"A\\A.ARC", {"L,0,1,1"}, "(2): "},
        {"A\\A.ARC", {"L11x8,0,1,1"}, "\"L11x8\""},
        {"A\\A.PGN", {"A1108,1"}, "(2): "},
        {"A\\A.PNT", {"P7301,1,5"}, "(2): "},
        {"A\\A.ATR", {"P7301,x,0,v"}, sj(u8"不正な整数変換")},
        {"A\\A.NOD", {"1,0,x,1"}, sj(u8"不正な浮動小数点変換")},
    };
    for (const Case& c : cases) {
        testsupport::TempDir dir;
        MeshFixture mesh(dir.path(), "53394611");
        mesh.layer(kArc, {arcRecord(1108, 0, 1, 1), "0,0"});
        mesh.layer(c.file, c.records);
        LoadAttempt a = loadMesh(mesh.write());
        EXPECT_FALSE(a.ok) << c.file;
        EXPECT_NE(a.fatal.find(c.expected), std::string::npos) << c.file << ": " << a.fatal;
        EXPECT_EQ(a.map->Lines().size(), 1u);  // what was read before stays
        EXPECT_TRUE(a.map->Descriptions().empty());
    }
}
