#include "mesh_files.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace {

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(MeshFiles, CoordinatesAreWrittenWithOneOrThreeDecimals) {
    EXPECT_EQ(meshfiles::formatCoord(100), "100.0");
    EXPECT_EQ(meshfiles::formatCoord(-37500), "-37500.0");
    EXPECT_EQ(meshfiles::formatCoord(12.34), "12.340");
    EXPECT_EQ(meshfiles::formatCoord(0.0005), "0.001");
    EXPECT_EQ(meshfiles::formatCoord(-1.25), "-1.250");
    EXPECT_EQ(meshfiles::vertexRecord({1.5, 2}), "2.0,1.500");
}

TEST(MeshFiles, FileTextWritesShiftJisLinesEndingInCrLf) {
    meshfiles::FileText text;
    text.add("L1108,0,1,2");
    text.addVertexRecord({3, 4.25});
    text.add(u8"A1106,1,0,13101,001001,千代田一丁目");
    EXPECT_EQ(text.lineCount(), 3u);
    const std::string expected = std::string("L1108,0,1,2\r\n4.250,3.0\r\nA1106,1,0,13101,001001,") +
                                 "\x90\xE7\x91\xE3\x93\x63\x88\xEA\x92\x9A\x96\xDA" + "\r\n";
    EXPECT_EQ(text.bytes(), expected);
    testsupport::TempDir dir;
    text.save(dir.path() / "a" / "b.ATR");
    EXPECT_EQ(readFile(dir.path() / "a" / "b.ATR"), expected);
}

TEST(MeshFiles, LayerEntriesNameTheirFolders) {
    const std::string entry = meshfiles::layerEntry("53394611", "GYOUSEI", "ARC");
    EXPECT_EQ(entry, "53394611\\GYOUSEI\\GYOUSEI.ARC");
    EXPECT_EQ(meshfiles::entryPath("/data", entry), std::filesystem::path("/data/53394611/GYOUSEI/GYOUSEI.ARC"));
    EXPECT_EQ(meshfiles::descriptionPath("/data", "53394611"), std::filesystem::path("/data/53394611/53394611.TXT"));
}

}  // namespace
