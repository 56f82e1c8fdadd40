// Damaged input of any kind must end in the data read so far, an error line
// or an exception, never in a crash or an endless loop.
#include <gtest/gtest.h>

#include <random>

#include "reading/record_buffer.h"
#include "support/reading_test_util.h"
#include "support/mesh_fixture.h"
#include "support/temp_dir.h"

using meshfiles::arcRecord;

namespace {

std::string validLayerBytes(int kind) {
    switch (kind) {
    case 0:
        return "FH,T,A.ARC,1,1,1,1,0,0,0,0\r\nL1108,0,1,3\r\n0,0\r\n0,1\r\n1,1\r\nL2110,0,2,2\r\n1,1\r\n2,2\r\n";
    case 1:
        return "FH,T,A.PGN,1,1,1,1,0,0,0,0\r\nA1108,1,2,0.5,0.5\r\n1\r\n-2\r\nA6242,2,1,1,1\r\n2\r\n";
    case 2:
        return "FH,T,A.PNT,1,1,1,1,0,0,0,0\r\nP2420,1,5,6\r\nP7301,2,1,1\r\n";
    case 3:
        return "FH,T,A.NOD,1,1,1,1,0,0,0,0\r\n1,0,2,0,0\r\n1\r\n2\r\n2,10,1,1\r\n";
    case 4:
        return "FH,T,A.TIE,1,1,1,1,0,0,0,0\r\n1,2,3\r\n2,0,0\r\n";
    default:
        return "FH,T,A.ATR,1,1,1,1,0,0,0,0\r\nA1108,1,0,13101,001,\"x y\",1\r\nL2110,2,0,"
               "\x8d\x91\x93\xb9\r\nP2420,1,0,\x93\x8c\r\n";
    }
}

const char* kNames[] = {"A\\A.ARC", "A\\A.PGN", "A\\A.PNT", "A\\A.NOD", "A\\A.TIE", "A\\A.ATR"};

std::string mutate(std::string bytes, std::mt19937& rng) {
    static const char interesting[] = {'\0', '\r', '\n', ',', '"', ' ', '-', '9', 'L', 'A', 'P',
                                       '\x81', '\x5c', '\xfc', 'x', '.', 'E'};
    std::uniform_int_distribution<int> op(0, 4);
    int edits = 1 + static_cast<int>(rng() % 6);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        size_t at = rng() % bytes.size();
        switch (op(rng)) {
        case 0: bytes[at] = interesting[rng() % sizeof interesting]; break;
        case 1: bytes.insert(at, 1, interesting[rng() % sizeof interesting]); break;
        case 2: bytes.erase(at, 1 + rng() % 8); break;
        case 3: bytes.resize(at); break;  // truncated
        default: bytes.insert(at, std::to_string(static_cast<int32_t>(rng()))); break;
        }
    }
    return bytes;
}

}  // namespace

TEST(Robustness, MutatedLayerFilesNeverCrash) {
    std::mt19937 rng(20261209);
    int failures = 0, successes = 0;
    for (int round = 0; round < 400; ++round) {
        testsupport::TempDir dir;
        testsupport::MeshFixture mesh(dir.path(), "53394611");
        for (int kind = 0; kind < 6; ++kind) {
            std::string bytes = validLayerBytes(kind);
            if (static_cast<int>(rng() % 6) == kind || rng() % 4 == 0) bytes = mutate(bytes, rng);
            mesh.rawLayer(kNames[kind], bytes);
        }
        LoadAttempt a = loadMesh(mesh.write());
        (a.ok ? successes : failures)++;
        if (a.ok) {
            EXPECT_EQ(a.map->Descriptions().size(), 1u);
        } else {
            EXPECT_FALSE(a.fatal.empty());
        }
        for (const auto& g : a.map->Polygons()) EXPECT_EQ(static_cast<size_t>(g->RingCount), g->Ring().size());
        // An arc has its declared count of vertices, or none when it read no vertex record.
        for (const auto& l : a.map->Lines())
            EXPECT_TRUE(l->Vertices.empty() || static_cast<size_t>(l->VertexCount) == l->Vertices.size());
    }
    // Both outcomes must have been exercised for the test to mean anything.
    EXPECT_GT(failures, 20);
    EXPECT_GT(successes, 20);
}

TEST(Robustness, HugeAndNegativeCountsAndIds) {
    testsupport::TempDir dir;
    testsupport::MeshFixture mesh(dir.path(), "53394611");
    mesh.layer("A\\A.ARC", {arcRecord(1108, 0, -2147483647 - 1, 2147483647), "0,0", "1,1"});
    mesh.layer("A\\A.PGN", {meshfiles::polygonRecord(1108, 1, -1, {0, 0}), "-2147483648",
                            meshfiles::polygonRecord(1108, 2, 2147483647, {0, 0}), "-2147483648"});
    mesh.layer("A\\A.NOD", {meshfiles::nodeRecord(1, 0, 2147483647, {0, 0}), "1",
                            meshfiles::nodeRecord(2, 0, -9, {0, 0})});
    LoadAttempt a = loadMesh(mesh.write());
    ASSERT_TRUE(a.ok) << a.fatal;
    EXPECT_EQ(a.map->Lines()[0]->VertexCount, kReadBufferSize);
    EXPECT_EQ(a.map->Polygons()[0]->ArcCount(), 0);
    EXPECT_EQ(a.map->Polygons()[1]->ArcCount(), kReadBufferSize);
    EXPECT_EQ(a.map->Polygons()[1]->RingCount, 0);  // -2147483648 names no arc
    EXPECT_EQ(a.map->Nodes()[0]->ArcCount(), kReadBufferSize);
    EXPECT_EQ(a.map->Nodes()[1]->ArcCount(), 0);
    EXPECT_FALSE(a.errors.empty());
}

TEST(Robustness, LoneLeadBytesAndQuotesAtLineEnds) {
    testsupport::TempDir dir;
    testsupport::MeshFixture mesh(dir.path(), "53394611");
    mesh.rawLayer("A\\A.PNT", "FH,T,A.PNT,1,1,1,1,0,0,0,0\r\nP2420,1,5,6\r\n");
    mesh.rawLayer("A\\A.ATR", "FH,T,A.ATR,1,1,1,1,0,0,0,0\r\nP2420,1,0,\x82\r\nP2420,1,0,\"\x82\r\n");
    LoadAttempt a = loadMesh(mesh.write());
    ASSERT_TRUE(a.ok) << a.fatal;
    ASSERT_EQ(a.map->Attributes().size(), 2u);
    EXPECT_EQ(a.map->Attributes()[0]->Values[0], "\x82");
    EXPECT_EQ(a.map->Attributes()[1]->Values[0], "\x82");
}
