#include "synth.h"

#include <algorithm>
#include <cmath>

#include "mesh_builder.h"

namespace synth {

Summary generate(const PlanParams& params, const std::filesystem::path& root) {
    const TownPlan plan(params);
    Summary s{{}, params};
    for (int r = 0; r < params.rows; ++r)
        for (int c = 0; c < params.cols; ++c) writeMesh(buildMesh(plan, c, r), root, s.totals);
    return s;
}

std::uint64_t countVertices(const PlanParams& params) {
    const TownPlan plan(params);
    std::uint64_t n = 0;
    for (int r = 0; r < params.rows; ++r)
        for (int c = 0; c < params.cols; ++c) n += buildMesh(plan, c, r, Topology::Skip).vertexCount();
    return n;
}

int blocksForTarget(const PlanParams& params, std::uint64_t target) {
    auto count = [&](int k) {
        PlanParams p = params;
        p.blocksPerSide = k;
        return static_cast<double>(countVertices(p));
    };
    // The count grows roughly as a power of the blocks per side (between the
    // first and the second power: blocks multiply, their detail thins out).
    // Step along the power law fitted through the last two counts, which
    // costs a few counts instead of a search over all values.
    const double goal = static_cast<double>(target);
    int ka = 8, kb = 16;
    double va = count(ka), vb = count(kb);
    int best = std::abs(va - goal) < std::abs(vb - goal) ? ka : kb;
    double bestError = std::min(std::abs(va - goal), std::abs(vb - goal));
    for (int step = 0; step < 6; ++step) {
        const double power = std::max(0.5, std::log(vb / va) / std::log(static_cast<double>(kb) / ka));
        const int next = std::clamp(static_cast<int>(std::lround(kb * std::pow(goal / vb, 1.0 / power))), 2,
                                    kMaxBlocksPerSide);
        if (next == kb || next == ka) break;
        ka = kb;
        va = vb;
        kb = next;
        vb = count(kb);
        if (std::abs(vb - goal) < bestError) {
            bestError = std::abs(vb - goal);
            best = kb;
        }
    }
    return best;
}

std::string summaryLine(const Summary& s) {
    return std::to_string(s.totals.meshes) + " meshes, " + std::to_string(s.totals.files) + " files, " +
           std::to_string(s.totals.vertices) + " vertices, " + std::to_string(s.totals.bytes) + " bytes";
}

}  // namespace synth
