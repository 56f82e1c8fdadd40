#pragma once
// orvelle-synth's work: a synthetic municipality of 1:2500 map data, the
// same bytes for the same options and seed.
#include <cstdint>
#include <filesystem>
#include <string>

#include "mesh_writer.h"
#include "town_plan.h"

namespace synth {

constexpr int kMaxBlocksPerSide = 250;

struct Summary {
    WriteTotals totals;
    PlanParams params;
};

// Writes every mesh of the plan below root.
Summary generate(const PlanParams& params, const std::filesystem::path& root);

// The number of vertex records generate would write, without writing.
std::uint64_t countVertices(const PlanParams& params);

// The blocks per sheet side (2 to kMaxBlocksPerSide) whose vertex count
// comes nearest to the target, for the plan's sheets and seed.
int blocksForTarget(const PlanParams& params, std::uint64_t targetVertices);

// "2 meshes, 74 files, 123456 vertices, 2345678 bytes"
std::string summaryLine(const Summary& s);

}  // namespace synth
