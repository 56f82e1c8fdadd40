// Throughput of orvelle-synth: building the meshes, and building and writing them.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "mesh_builder.h"
#include "synth.h"

namespace {

synth::PlanParams params(int blocksPerSide) {
    synth::PlanParams p;
    p.cols = 2;
    p.rows = 1;
    p.blocksPerSide = blocksPerSide;
    return p;
}

void BM_BuildMeshes(benchmark::State& state) {
    const synth::PlanParams p = params(static_cast<int>(state.range(0)));
    std::uint64_t vertices = 0;
    for (auto _ : state) {
        const synth::TownPlan plan(p);
        for (int c = 0; c < p.cols; ++c) {
            const synth::MeshContent mesh = synth::buildMesh(plan, c, 0);
            vertices += mesh.vertexCount();
            benchmark::DoNotOptimize(mesh.groups.data());
        }
    }
    state.SetItemsProcessed(static_cast<int64_t>(vertices));
    state.counters["vertices"] = static_cast<double>(vertices) / static_cast<double>(state.iterations());
}

void BM_GenerateFiles(benchmark::State& state) {
    std::string tmpl = (std::filesystem::temp_directory_path() / "orvelle-bench-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) {
        state.SkipWithError("mkdtemp failed");
        return;
    }
    const std::filesystem::path root = tmpl;
    const synth::PlanParams p = params(static_cast<int>(state.range(0)));
    std::uint64_t vertices = 0, bytes = 0;
    for (auto _ : state) {
        const synth::Summary s = synth::generate(p, root);
        vertices += s.totals.vertices;
        bytes += s.totals.bytes;
    }
    std::filesystem::remove_all(root);
    state.SetItemsProcessed(static_cast<int64_t>(vertices));
    state.SetBytesProcessed(static_cast<int64_t>(bytes));
    state.counters["vertices"] = static_cast<double>(vertices) / static_cast<double>(state.iterations());
}

}  // namespace

// 16 blocks per side is the bundled sample (about 18 000 vertices); 210 about 2 million.
BENCHMARK(BM_BuildMeshes)->Arg(16)->Arg(64)->Arg(210)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GenerateFiles)->Arg(16)->Arg(64)->Arg(210)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
