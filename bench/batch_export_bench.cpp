// A batch of synthetic towns (different seeds, generated on the fly) into one
// GeoPackage with two jobs, against GDAL's own ogr2ogr (GDALVectorTranslate)
// copying each town's GeoPackage to a new one, measured in the same run: the
// batch's wall time over the copies' sum shows how much of the reading is
// hidden behind the one writer. Then the same batch appended again with
// nothing changed (every source skipped). Whole-process times, so one
// iteration each; processor time beside the wall clock (steadier on a shared
// machine). ORVELLE_BATCH_TOWNS (8) and ORVELLE_BATCH_VERTICES (2,800,000)
// choose the batch.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <gdal_utils.h>

#include "export/batch_export.h"
#include "export/source_catalog.h"
#include "reading/map_loading.h"
#include "synth_data.h"

namespace fs = std::filesystem;

namespace {

long fromEnvironment(const char* name, long fallback) {
    const char* text = std::getenv(name);
    return text && *text ? std::atol(text) : fallback;
}

struct BenchBatch {
    std::vector<TBatchSource> sources;
    fs::path folder;
    double ogrWall = 0, ogrCpu = 0;  // the copies' sums
};

BenchBatch& batch() {
    static BenchBatch b = [] {
        BenchBatch made;
        const long towns = fromEnvironment("ORVELLE_BATCH_TOWNS", 8);
        const long vertices = fromEnvironment("ORVELLE_BATCH_VERTICES", 2800000);
        for (int i = 0; i < towns; ++i) {
            const std::string& folder = SynthFolder(vertices, 2, 2, 101 + i);
            made.sources.push_back({"town" + std::to_string(i), folder, SourceFingerprint(folder),
                                    DescribedSystem(folder), std::nullopt});
        }
        made.folder = fs::temp_directory_path() / ("orvelle-batch-bench-" + std::to_string(getpid()));
        fs::remove_all(made.folder);
        fs::create_directories(made.folder);
        return made;
    }();
    return b;
}

TLoadedSource load(const TBatchSource& source, int readers) {
    TLoadedSource loaded;
    TErrorList errors;
    LoadDataPath(loaded.Map, source.Path, errors, readers);
    return loaded;
}

TBatchSummary runBatch(const std::vector<TBatchSource>& sources, const fs::path& out, bool append) {
    TExportOptions options;
    options.Destination = out.string();
    TBatchOptions b;
    b.Append = append;
    b.Jobs = 2;
    return ExportBatch(sources, load, options, b);
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

void setTimes(benchmark::State& state, const Stopwatch& watch, int64_t features) {
    state.counters["wall_s"] = watch.WallSeconds();
    state.counters["cpu_s"] = watch.CpuSeconds();
    state.counters["features/s"] = static_cast<double>(features) / watch.WallSeconds();
}

// Each town exported alone to its own GeoPackage (not timed), then copied
// by GDAL's ogr2ogr into a new one (timed): the writer's own speed.
void BM_Ogr2ogrCopies(benchmark::State& state) {
    BenchBatch& b = batch();
    std::vector<fs::path> singles;
    int64_t features = 0;
    for (const TBatchSource& s : b.sources) {
        singles.push_back(b.folder / (s.Name + ".gpkg"));
        features += runBatch({s}, singles.back(), false).Total;
    }
    for (auto _ : state) {
        const Stopwatch watch;
        for (const fs::path& single : singles) {
            GDALDatasetH source = GDALOpenEx(single.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
            char* argv[] = {const_cast<char*>("-f"), const_cast<char*>("GPKG"), nullptr};
            GDALVectorTranslateOptions* options = GDALVectorTranslateOptionsNew(argv, nullptr);
            const fs::path copy = fs::path(single).replace_extension(".copy.gpkg");
            GDALClose(GDALVectorTranslate(copy.c_str(), nullptr, 1, &source, options, nullptr));
            GDALVectorTranslateOptionsFree(options);
            GDALClose(source);
            fs::remove(copy);
        }
        setTimes(state, watch, features);
        b.ogrWall = watch.WallSeconds();
        b.ogrCpu = watch.CpuSeconds();
    }
    for (const fs::path& single : singles) fs::remove(single);
}

// The whole batch into one new GeoPackage, two towns read beside the writer.
void BM_BatchToGeoPackage(benchmark::State& state) {
    BenchBatch& b = batch();
    for (auto _ : state) {
        fs::remove(b.folder / "batch.gpkg");
        const Stopwatch watch;
        const TBatchSummary summary = runBatch(b.sources, b.folder / "batch.gpkg", false);
        setTimes(state, watch, summary.Total);
        if (b.ogrWall > 0) {
            state.counters["wall_over_ogr2ogr"] = watch.WallSeconds() / b.ogrWall;
            state.counters["cpu_over_ogr2ogr"] = watch.CpuSeconds() / b.ogrCpu;
        }
        state.counters["peak_MB"] = peakMegabytes();
    }
}

// The same batch appended with nothing changed: every source skipped.
void BM_BatchAppendUnchanged(benchmark::State& state) {
    BenchBatch& b = batch();
    for (auto _ : state) {
        const Stopwatch watch;
        const TBatchSummary summary = runBatch(b.sources, b.folder / "batch.gpkg", true);
        setTimes(state, watch, 0);
        state.counters["skipped"] = static_cast<double>(summary.Skipped);
    }
    fs::remove_all(b.folder);
}

BENCHMARK(BM_Ogr2ogrCopies)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_BatchToGeoPackage)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_BatchAppendUnchanged)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
