// The amount of data follows the options.
#include <gtest/gtest.h>

#include "generated_mesh_reader.h"
#include "support/temp_dir.h"
#include "synth.h"

namespace {

synth::PlanParams map(int cols, int rows, int blocks) {
    synth::PlanParams p;
    p.cols = cols;
    p.rows = rows;
    p.blocksPerSide = blocks;
    p.seed = 11;
    return p;
}

TEST(SynthScaling, MoreBlocksPerSideGiveMoreVertices) {
    const std::uint64_t coarse = synth::countVertices(map(2, 1, 8));
    const std::uint64_t fine = synth::countVertices(map(2, 1, 16));
    const std::uint64_t finer = synth::countVertices(map(2, 1, 32));
    EXPECT_GT(fine, coarse * 3 / 2);
    EXPECT_GT(finer, fine * 3 / 2);
}

TEST(SynthScaling, VerticesGrowWithTheNumberOfSheets) {
    const double one = static_cast<double>(synth::countVertices(map(2, 1, 10)));
    const double two = static_cast<double>(synth::countVertices(map(4, 1, 10)));
    const double four = static_cast<double>(synth::countVertices(map(4, 2, 10)));
    EXPECT_NEAR(two / one, 2.0, 0.2);
    EXPECT_NEAR(four / one, 4.0, 0.4);
}

TEST(SynthScaling, CountingAgreesWithWriting) {
    testsupport::TempDir dir;
    const synth::Summary s = synth::generate(map(1, 2, 7), dir.path());
    EXPECT_EQ(s.totals.vertices, synth::countVertices(map(1, 2, 7)));
    EXPECT_EQ(s.totals.meshes, 2);
    std::uint64_t parsed = 0;
    for (const auto& m : synthtest::readMeshes(dir.path()))
        for (const auto& a : m.arcs) parsed += a.pts.size();
    EXPECT_EQ(parsed, s.totals.vertices);
}

TEST(SynthScaling, TargetVerticesChoosesANearbySize) {
    for (std::uint64_t target : {20000u, 60000u, 150000u}) {
        synth::PlanParams p = map(2, 1, 16);
        p.blocksPerSide = synth::blocksForTarget(p, target);
        const double got = static_cast<double>(synth::countVertices(p));
        EXPECT_NEAR(got / static_cast<double>(target), 1.0, 0.1) << target << " gave " << got;
    }
}

TEST(SynthScaling, TargetsBeyondTheLargestSizeTakeTheLargest) {
    synth::PlanParams p = map(1, 1, 16);
    EXPECT_EQ(synth::blocksForTarget(p, 2'000'000'000), synth::kMaxBlocksPerSide);
    EXPECT_EQ(synth::blocksForTarget(p, 1), 2);
}

}  // namespace
