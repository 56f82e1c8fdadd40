// Loading meshes into a map: pass order, missing files, merging and folders.
#include <gtest/gtest.h>

#include <fstream>

#include "reading/map_loading.h"
#include "reading/read_errors.h"
#include "support/reading_test_util.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

using meshfiles::arcRecord;
using testsupport::MeshFixture;

namespace {

// A mesh whose arc and attribute files let the test see the reading order:
// an attribute naming arc 1 links only when the arc file was read first.
MeshFixture& withArcAndAttribute(MeshFixture& m, bool attributeFirst) {
    auto arcs = [&] { m.layer("DOURO\\douro.arc", {arcRecord(2110, 0, 1, 1), "0,0"}); };
    auto atr = [&] { m.layer("DOURO\\DOURO.ATR", {meshfiles::attributeRecord('L', 2110, 1, {u8"国道"})}); };
    if (attributeFirst) {
        atr();
        arcs();
    } else {
        arcs();
        atr();
    }
    return m;
}

MeshFixture sheet(const std::filesystem::path& root, const std::string& name, double x0) {
    MeshFixture m(root, name);
    m.description().southWest = {x0, 0};
    m.description().northEast = {x0 + 100, 50};
    m.layer("GYOUSEI\\GYOUSEI.ARC", {arcRecord(1108, 0, 1, 2), "0,0", "1,1"}, {x0, 0});
    m.layer("GYOUSEI\\GYOUSEI.PGN", {meshfiles::polygonRecord(1108, 1, 1, {0.5, 0.5}), "1"}, {x0, 0});
    m.layer("GYOUSEI\\GYOUSEI.ATR", {meshfiles::attributeRecord('L', 1108, 1, {"a"})});
    return m;
}

}  // namespace

TEST(LoadMesh, AttributesAreReadLastAndLowerCaseExtensionsCount) {
    testsupport::TempDir dir;
    MeshFixture m(dir.path(), "53394611");
    withArcAndAttribute(m, true).listOnly("53394611\\IMG\\PHOTO.IMG").listOnly("53394611\\NOEXT");
    LoadAttempt a = loadMesh(m.write());
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_TRUE(a.errors.empty());
    ASSERT_EQ(a.map->Lines().size(), 1u);
    EXPECT_EQ(a.map->Lines()[0]->Attribute, a.map->Attributes()[0]);
    EXPECT_EQ(a.map->Descriptions().size(), 1u);
    EXPECT_EQ(a.map->SourceFormat, TCoordsFormat::cfProjectedJGD09);
    EXPECT_EQ(a.map->MeshName(0), "53394611");
    EXPECT_EQ(a.map->MeshName(1), "");
    EXPECT_TRUE(a.map->HasMesh("53394611"));
    EXPECT_FALSE(a.map->HasMesh("5339461"));
}

TEST(LoadMesh, PointsListedBeforePolygonsAreReadFirst) {
    testsupport::TempDir dir;
    MeshFixture m(dir.path(), "53394611");
    m.layer("A\\A.ARC", {arcRecord(1108, 0, 1, 1), "0,0"});
    // The point file is broken at its first record, so whether it was read
    // before the polygon file shows in the order of the error lines.
    m.layer("A\\A.PNT", {"x"});
    m.layer("A\\A.PGN", {meshfiles::polygonRecord(1108, 1, 1, {0, 0}), "5"});
    m.layer("A\\B.ARC", {arcRecord(1108, 0, 2, 1), "0,0"});
    LoadAttempt a = loadMesh(m.write());
    ASSERT_TRUE(a.ok) << a.fatal;
    ASSERT_EQ(a.errors.size(), 2u);
    EXPECT_NE(a.errors[0].find(sj(u8"点レコードが壊れています")), std::string::npos);
    EXPECT_NE(a.errors[1].find(sj(u8"指定アークが見つかりません")), std::string::npos);
    EXPECT_EQ(a.map->Lines().size(), 2u);  // both arc files before any other kind
}

TEST(LoadMesh, EmptyLayerListAndMissingFiles) {
    testsupport::TempDir dir;
    MeshFixture empty(dir.path(), "11111111");
    LoadAttempt a = loadMesh(empty.write());
    EXPECT_TRUE(a.ok);
    EXPECT_EQ(a.map->Descriptions().size(), 1u);

    MeshFixture broken(dir.path(), "22222222");
    broken.layer("A\\A.ARC", {arcRecord(1108, 0, 1, 1), "0,0"}).listOnly("22222222\\A\\MISSING.PGN");
    LoadAttempt b = loadMesh(broken.write());
    EXPECT_FALSE(b.ok);
    EXPECT_NE(b.fatal.find("MISSING.PGN(0): " + sj(u8"ファイルが開けません")), std::string::npos);
    EXPECT_EQ(b.map->Lines().size(), 1u);
    EXPECT_TRUE(b.map->Descriptions().empty());
    EXPECT_FALSE(b.map->HasMesh("22222222"));

    LoadAttempt c = loadMesh(dir.path() / "nothing.txt");
    EXPECT_EQ(c.fatal, sjis::fromUtf8((dir.path() / "nothing.txt").string()) + "(0): " +
                           sj(u8"ファイルが開けません"));
}

TEST(LoadMesh, RepeatedArcIdFindsTheFirst) {
    testsupport::TempDir dir;
    MeshFixture m(dir.path(), "53394611");
    m.layer("A\\A.ARC", {arcRecord(1108, 0, 1, 1), "0,0", arcRecord(2110, 0, 1, 1), "5,5"});
    LoadAttempt a = loadMesh(m.write());
    ASSERT_TRUE(a.ok);
    EXPECT_EQ(a.map->FindLine(0, 1), a.map->Lines()[0]);
    EXPECT_EQ(a.map->FindLine(1, 1), nullptr);
    EXPECT_EQ(a.map->FindLine(0, 2), nullptr);
}

TEST(Merge, SideBySideMeshesRenumberAndWidenTheExtent) {
    testsupport::TempDir dir;
    auto a = sheet(dir.path(), "A0000001", 0);
    auto b = sheet(dir.path(), "B0000002", 100);
    auto c = sheet(dir.path(), "C0000003", 200);
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    for (auto* m : {&a, &b, &c}) LoadMeshFile(map, m->write().string(), errors);
    ASSERT_TRUE(map);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(map->Descriptions().size(), 3u);
    EXPECT_EQ(map->LastMeshNo, 2);
    EXPECT_EQ(map->MeshName(2), "C0000003");
    EXPECT_EQ(map->SouthWest.X, 0);
    EXPECT_EQ(map->NorthEast.X, 300);
    EXPECT_EQ(map->NorthWest.X, 0);  // the first sheet's
    EXPECT_EQ(map->SouthEast.X, 100);
    EXPECT_TRUE(map->HasBlocks);
    ASSERT_EQ(map->Lines().size(), 3u);
    for (int mesh = 0; mesh < 3; ++mesh) {
        EXPECT_EQ(map->Lines()[mesh]->MeshNo, mesh);
        EXPECT_EQ(map->Attributes()[mesh]->TargetMeshNo, mesh);
        EXPECT_EQ(map->FindLine(mesh, 1), map->Lines()[mesh]);
        EXPECT_EQ(map->FindPolygon(mesh, 1), map->Polygons()[mesh]);
        EXPECT_EQ(map->Lines()[mesh]->Attribute, map->Attributes()[mesh]);  // links survive the move
    }
    EXPECT_EQ(map->Polygons()[2]->RingCount, 2);
    EXPECT_EQ(map->BaseName, "A0000001");
}

TEST(Merge, RefusesOtherZoneOrDatumReportsScaleAndIgnoresRepeats) {
    testsupport::TempDir dir;
    auto first = sheet(dir.path(), "A0000001", 0);
    auto zone10 = sheet(dir.path(), "B0000002", 100);
    zone10.description().zone = 10;
    auto datum2 = sheet(dir.path(), "C0000003", 100);
    datum2.description().datumFlag = 2;
    auto scale1000 = sheet(dir.path(), "D0000004", 100);
    scale1000.description().scale = 1000;
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadMeshFile(map, first.write().string(), errors);
    LoadMeshFile(map, zone10.write().string(), errors);
    LoadMeshFile(map, datum2.write().string(), errors);
    EXPECT_EQ(map->Descriptions().size(), 1u);
    EXPECT_EQ(map->Lines().size(), 1u);
    LoadMeshFile(map, scale1000.write().string(), errors);
    LoadMeshFile(map, first.descriptionPath().string(), errors);  // the same file again
    EXPECT_EQ(map->Descriptions().size(), 2u);
    EXPECT_EQ(errors, (TErrorList{sj(u8"公共座標系が異なります(A0000001:9,B0000002:10)"),
                                  sj(u8"座標系が異なります(A0000001:1,C0000003:2)"),
                                  sj(u8"縮尺が異なります(A0000001:2500,D0000004:1000)")}));
}

TEST(MapLoading, FolderReadsMeshFilesOneLevelDownInSortedOrder) {
    testsupport::TempDir dir;
    auto b = sheet(dir.path(), "B0000002", 100);
    auto a = sheet(dir.path(), "A0000001", 0);
    b.write();
    a.write();
    meshfiles::writeLines(dir.path() / "TOP.TXT", {"not read"});
    meshfiles::writeLines(dir.path() / "A0000001" / "GYOUSEI" / "DEEP.TXT", {"not read either"});
    std::ofstream(dir.path() / "plain-file") << "x";
    auto files = MeshFilesInFolder(dir.path().string());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_NE(files[0].find("A0000001.TXT"), std::string::npos);

    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    LoadDataPath(map, dir.path().string(), errors);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->MeshName(0), "A0000001");
    EXPECT_EQ(map->MeshName(1), "B0000002");
}

TEST(MapLoading, FailingFirstMeshKeepsWhatWasReadAndLaterFailureLeavesMapAlone) {
    testsupport::TempDir dir;
    MeshFixture bad(dir.path(), "A0000001");
    bad.layer("A\\A.ARC", {arcRecord(1108, 0, 1, 1), "0,0", arcRecord(1108, 0, 2, 1), "bad,1"});
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    EXPECT_THROW(LoadMeshFile(map, bad.write().string(), errors), TKDKReadException);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->Lines().size(), 1u);

    auto good = sheet(dir.path(), "B0000002", 0);
    std::unique_ptr<TKDKObject> map2;
    LoadMeshFile(map2, good.write().string(), errors);
    EXPECT_THROW(LoadMeshFile(map2, bad.descriptionPath().string(), errors), TKDKReadException);
    EXPECT_EQ(map2->Lines().size(), 1u);
    EXPECT_EQ(map2->Descriptions().size(), 1u);
}

TEST(MapLoading, FirstFileThatIsNoDescriptionLeavesNoMap) {
    testsupport::TempDir dir;
    const auto stray = dir.path() / "bad.TXT";
    std::ofstream(stray, std::ios::binary) << "hello world\r\n";
    std::unique_ptr<TKDKObject> map;
    TErrorList errors;
    EXPECT_THROW(LoadMeshFile(map, stray.string(), errors), TKDKReadException);
    EXPECT_FALSE(map);
    // The next open reads as if the failed one never happened.
    auto good = sheet(dir.path(), "B0000002", 0);
    LoadMeshFile(map, good.write().string(), errors);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->Descriptions().size(), 1u);
    EXPECT_TRUE(errors.empty());
}
