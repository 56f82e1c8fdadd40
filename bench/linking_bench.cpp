// Linking cost: the readers look every arc reference and attribute target up
// by (mesh, id). This compares the map's index with a scan of the list in
// adding order (what a plain lookup costs) on one mesh of 20,000 arcs.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "base/sjis.h"
#include "mesh_files.h"
#include "map/kdk_object.h"
#include "reading/layer_readers.h"

namespace {

constexpr int kArcs = 20000;

// One mesh: a row of arcs, polygons of four arc references each, and one
// attribute record per arc.
const TKDKObject& mesh() {
    static std::unique_ptr<TKDKObject> map = [] {
        namespace fs = std::filesystem;
        fs::path root = fs::temp_directory_path() / "orvelle-linking-bench";
        fs::remove_all(root);
        std::vector<std::string> arc, pgn, atr;
        arc.push_back(meshfiles::headerRecord("A.ARC", {}, {}));
        pgn.push_back(meshfiles::headerRecord("A.PGN", {}, {}));
        atr.push_back(meshfiles::headerRecord("A.ATR", {}, {}));
        for (int id = 1; id <= kArcs; ++id) {
            arc.push_back(meshfiles::arcRecord(1108, 0, id, 2));
            arc.push_back(meshfiles::vertexRecord({double(id), 0}));
            arc.push_back(meshfiles::vertexRecord({double(id + 1), 0}));
            atr.push_back(meshfiles::attributeRecord('L', 1108, id, {"v"}));
        }
        for (int id = 1; id + 3 <= kArcs; id += 4) {
            pgn.push_back(meshfiles::polygonRecord(1108, id, 4, {double(id), 0.5}));
            for (int k = 0; k < 4; ++k) pgn.push_back(meshfiles::arcRefRecord(id + k));
        }
        meshfiles::writeLines(root / "M" / "A" / "A.ARC", arc);
        meshfiles::writeLines(root / "M" / "A" / "A.PGN", pgn);
        meshfiles::writeLines(root / "M" / "A" / "A.ATR", atr);
        meshfiles::Description d;
        d.meshName = "M";
        d.layerEntries = {"M\\A\\A.ARC", "M\\A\\A.PGN", "M\\A\\A.ATR"};
        meshfiles::writeLines(root / "M" / "M.TXT", meshfiles::descriptionLines(d));
        auto m = std::make_unique<TKDKObject>();
        TErrorList errors;
        LoadMesh(*m, sjis::fromUtf8((root / "M" / "M.TXT").string()), errors);
        fs::remove_all(root);
        return m;
    }();
    return *map;
}

const TKDKLine* scanFind(const TKDKObject& map, int meshNo, int id) {
    for (const auto& l : map.Lines())
        if (l->MeshNo == meshNo && l->Id == id) return l;
    return nullptr;
}

// Every lookup the readers make for this mesh: polygon references, then attribute targets.
template <class Find>
void linkAll(benchmark::State& state, Find find) {
    const TKDKObject& map = mesh();
    for (auto _ : state) {
        size_t found = 0;
        for (const auto& g : map.Polygons())
            for (int32_t r : g->ArcRefs) found += find(map, g->MeshNo, r) != nullptr;
        for (const auto& a : map.Attributes()) found += find(map, a->TargetMeshNo, a->TargetId) != nullptr;
        benchmark::DoNotOptimize(found);
    }
    state.counters["lookups"] = static_cast<double>(map.Polygons().size() * 4 + map.Attributes().size());
}

void BM_LinkWithIndex(benchmark::State& state) {
    linkAll(state, [](const TKDKObject& m, int mesh, int id) { return m.FindLine(mesh, id); });
}
void BM_LinkWithListScan(benchmark::State& state) { linkAll(state, scanFind); }

BENCHMARK(BM_LinkWithIndex)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LinkWithListScan)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
