// orvelle-cli export: the map to GeoPackage, GeoJSON, Shapefile, FlatGeobuf,
// KML, PostGIS or any other OGR vector format.
#include <iostream>
#include <sstream>

#include "arguments.h"
#include "command.h"
#include "data_loading.h"
#include "export/map_export.h"

namespace cli {
namespace {

bool parseLayers(const std::string& text, std::vector<TExportLayer>& layers, std::string& bad) {
    std::stringstream in(text);
    std::string name;
    while (std::getline(in, name, ',')) {
        std::optional<TExportLayer> layer = ExportLayerFromName(name);
        if (!layer) {
            bad = name;
            return false;
        }
        layers.push_back(*layer);
    }
    return !layers.empty();
}

}  // namespace

int runExport(const std::vector<std::string>& args) {
    TExportOptions options;
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
        } else if (a == "--layers") {
            std::string bad;
            if (!value(text) || !parseLayers(text, options.Layers, bad))
                return usageError("export", "unknown layer '" + bad + "' (lines, areas, points, labels, nodes, links)");
        } else if (a == "--overwrite") {
            options.Overwrite = true;
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("export", "unknown option " + a);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) return usageError("export", "needs PATH and OUT");
    options.Destination = positional[1];

    LoadedData data;
    if (!loadForMapUse("export", positional[0], data)) return kExitFailed;
    if (data.fatal) return reportFatal("export", data);
    try {
        TExportSummary summary = ExportMap(*data.map, options);
        if (!summary.Epsg) std::cerr << "orvelle-cli export: the data's coordinate system is unknown; no CRS written\n";
        for (const TExportLayerCount& layer : summary.Layers) std::cout << layer.Name << " " << layer.Count << "\n";
        std::cout << "total " << summary.Total;
        if (summary.SkippedAreas > 0) std::cout << " (" << summary.SkippedAreas << " areas without an outline skipped)";
        std::cout << "\n";
    } catch (const EExportError& e) {
        std::cerr << "orvelle-cli export: " << e.what() << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace cli
