// orvelle-cli export: the map to GeoPackage, GeoJSON, Shapefile, FlatGeobuf,
// KML, DXF, CSV, MapInfo, PostGIS or any other OGR vector format. SIGINT, SIGTERM and SIGHUP
// during the export cancel it: nothing is kept, the exit status is 1. A
// second signal ends the program at once (its staging folder is then removed
// by the next export into the same folder).
#include <csignal>
#include <iostream>
#include <sstream>

#include "arguments.h"
#include "command.h"
#include "data_loading.h"
#include "datum_shift_option.h"
#include "export/map_export.h"
#include "export/source_catalog.h"
#include "export_batch.h"
#include "interrupt_cancels.h"
#include "progress_line.h"

namespace cli {
namespace {

constexpr const char* kLayerList = "(lines, areas, points, labels, nodes, links)";

// Comma-separated layer names, each once; false with `problem` set.
bool parseLayers(const std::string& text, std::vector<TExportLayer>& layers, std::string& problem) {
    std::stringstream in(text);
    std::string name;
    while (std::getline(in, name, ',')) {
        const std::optional<TExportLayer> layer = ExportLayerFromName(name);
        if (!layer) {
            problem = "unknown layer '" + echoed(name) + "' " + kLayerList;
            return false;
        }
        for (TExportLayer earlier : layers)
            if (earlier == *layer) {
                problem = "layer " + name + " is given twice in --layers";
                return false;
            }
        layers.push_back(*layer);
    }
    if (layers.empty()) problem = std::string("--layers needs a list of layers ") + kLayerList;
    return !layers.empty();
}

}  // namespace

int runExport(const std::vector<std::string>& args) {
    TExportOptions options;
    bool append = false, quiet = false;
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size()) return false;
            out = args[++i];
            return true;
        };
        std::string text;
        if (a == "--format") {
            if (!value(options.Format)) return usageError("export", "--format needs a driver name");
        } else if (a == "--to-crs") {
            int code = 0;
            if (!value(text) || text.rfind("EPSG:", 0) != 0 || !parseInt(text.substr(5), code) || code <= 0)
                return usageError("export", "--to-crs needs EPSG:n");
            options.ToEpsg = code;
        } else if (a == kDatumShiftOption) {
            if (auto problem = readDatumShift(args, i, options.DatumShift)) return usageError("export", *problem);
        } else if (a == "--layers") {
            std::string problem = std::string("--layers needs a list of layers ") + kLayerList;
            if (!value(text) || !parseLayers(text, options.Layers, problem)) return usageError("export", problem);
        } else if (a == "--encoding") {
            const std::optional<TExportEncoding> encoding = value(text) ? ExportEncodingFromName(text) : std::nullopt;
            if (!encoding) return usageError("export", "--encoding needs UTF-8 or CP932");
            options.Encoding = *encoding;
        } else if (a == "--overwrite") {
            options.Overwrite = true;
        } else if (a == "--append") {
            append = true;
        } else if (a == "--quiet") {
            quiet = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("export", "unknown option " + echoed(a));
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() < 2) return usageError("export", "needs PATH... and OUT");
    if (append && options.Overwrite) return usageError("export", "--append and --overwrite exclude each other");
    options.Destination = positional.back();
    positional.pop_back();
    if (positional.size() > 1 || append) return runBatchExport(positional, options, append, quiet);

    // One PATH, written whole as one source.
    options.SourceName = SourceNameOfPath(positional[0]);
    options.Source = TSourceRecord{options.SourceName, SourceFingerprint(positional[0]), {}, TimeWrittenNow()};
    LoadedData data;
    if (!loadForMapUse("export", positional[0], data)) return kExitFailed;
    if (data.fatal) return reportFatal("export", data);
    try {
        TExportSummary summary;
        {
            InterruptCancels interrupts;
            ProgressLine progress(quiet);
            summary = ExportMap(*data.map, options, [&progress](int64_t written, int64_t total) {
                progress.Update(0, 1, written, total);
                return !InterruptCancels::Interrupted();
            });
            progress.Clear();
            if (summary.Cancelled) {
                std::cerr << "orvelle-cli export: interrupted by " << InterruptCancels::SignalName()
                          << "; nothing was written\n";
                return kExitFailed;
            }
        }
        if (!summary.Epsg) std::cerr << "orvelle-cli export: the data's coordinate system is unknown; no CRS written\n";
        for (const std::string& layer : summary.SkippedLayers)
            std::cerr << "orvelle-cli export: layer " << layer << " left out: format " << summary.Driver
                      << " drops features without geometry\n";
        for (const TExportLayerCount& layer : summary.Layers) std::cout << layer.Name << " " << layer.Count << "\n";
        std::cout << "total " << summary.Total;
        if (summary.SkippedAreas > 0) std::cout << " (" << summary.SkippedAreas << " areas without an outline skipped)";
        std::cout << "\n";
        reportFallbacks("export", summary.ShiftFallbacks);
    } catch (const EExportError& e) {
        std::cerr << "orvelle-cli export: " << shownMessage(e) << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace cli
