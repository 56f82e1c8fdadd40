// Export throughput: the ~2-million-vertex synthetic town written to a
// GeoPackage (features/s, MB/s of the file), and the same export to GDAL's
// in-memory driver in the same run: the difference is the time the
// GeoPackage writer (SQLite, geometry encoding, spatial index) takes. The
// same town read as Tokyo-datum data and reprojected into JGD2000 zone IX,
// by the three-parameter shift and by GSI's grid, shows what the grid costs.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <unistd.h>

#include "export/map_export.h"
#include "synth_data.h"

namespace fs = std::filesystem;

namespace {

const TKDKObject& town() {
    static std::unique_ptr<TKDKObject> map = LoadSynth(2000000);
    return *map;
}

// The town's numbers read as plane coordinates on the Tokyo datum.
const TKDKObject& tokyoTown() {
    static std::unique_ptr<TKDKObject> map = [] {
        std::unique_ptr<TKDKObject> m = LoadSynth(2000000);
        m->SourceFormat = TCoordsFormat::cfProjectedTKY09;
        return m;
    }();
    return *map;
}

void exportTown(benchmark::State& state, const char* format, const char* extension,
                const TKDKObject& map = town(), std::optional<TDatumShift> shift = std::nullopt) {
    const fs::path folder = fs::temp_directory_path() / ("orvelle-export-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    int64_t features = 0, bytes = 0;
    for (auto _ : state) {
        TExportOptions options;
        options.Destination = (folder / (std::string("town") + extension)).string();
        options.Format = format;
        options.Overwrite = true;
        if (shift) {
            options.ToEpsg = 2451;
            options.DatumShift = *shift;
        }
        TExportSummary summary = ExportMap(map, options);
        features += summary.Total;
        state.PauseTiming();
        for (const std::string& f : summary.Files) bytes += static_cast<int64_t>(fs::file_size(f));
        fs::remove_all(folder);
        fs::create_directories(folder);
        state.ResumeTiming();
    }
    fs::remove_all(folder);
    state.SetBytesProcessed(bytes);
    state.counters["features/s"] = benchmark::Counter(static_cast<double>(features), benchmark::Counter::kIsRate);
}

void BM_ExportGeoPackage(benchmark::State& state) { exportTown(state, "GPKG", ".gpkg"); }
// Baseline: the same features built and handed to OGR, kept in memory.
void BM_ExportMemoryBaseline(benchmark::State& state) { exportTown(state, "Memory", ""); }

// The Tokyo-datum town into JGD2000 zone IX, alternately by each shift.
void BM_ExportTokyoByHelmert(benchmark::State& state) {
    exportTown(state, "GPKG", ".gpkg", tokyoTown(), TDatumShift::dsHelmert);
}
void BM_ExportTokyoByGrid(benchmark::State& state) {
    exportTown(state, "GPKG", ".gpkg", tokyoTown(), TDatumShift::dsGrid);
}

BENCHMARK(BM_ExportMemoryBaseline)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ExportGeoPackage)->Unit(benchmark::kMillisecond)->MinTime(4);
BENCHMARK(BM_ExportTokyoByHelmert)->Unit(benchmark::kMillisecond)->MinTime(4);
BENCHMARK(BM_ExportTokyoByGrid)->Unit(benchmark::kMillisecond)->MinTime(4);

}  // namespace

BENCHMARK_MAIN();
