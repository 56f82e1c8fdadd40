// Export throughput: the ~2-million-vertex synthetic town written to a
// GeoPackage (features/s, MB/s of the file), and the same export to GDAL's
// in-memory driver in the same run: the difference is the time the
// GeoPackage writer (SQLite, geometry encoding, spatial index) takes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

#include "export/map_export.h"
#include "synth_data.h"

namespace fs = std::filesystem;

namespace {

const TKDKObject& town() {
    static std::unique_ptr<TKDKObject> map = LoadSynth(2000000);
    return *map;
}

void exportTown(benchmark::State& state, const char* format, const char* extension) {
    const TKDKObject& map = town();
    const fs::path folder = fs::temp_directory_path() / ("orvelle-export-bench-" + std::to_string(getpid()));
    fs::create_directories(folder);
    int64_t features = 0, bytes = 0;
    for (auto _ : state) {
        TExportOptions options;
        options.Destination = (folder / (std::string("town") + extension)).string();
        options.Format = format;
        options.Overwrite = true;
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

BENCHMARK(BM_ExportMemoryBaseline)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(BM_ExportGeoPackage)->Unit(benchmark::kMillisecond)->MinTime(4);

}  // namespace

BENCHMARK_MAIN();
