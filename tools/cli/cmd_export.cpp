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

constexpr int kInterrupts[] = {SIGINT, SIGTERM, SIGHUP};
volatile std::sig_atomic_t gInterruptedBy = 0;
volatile std::sig_atomic_t gHandled[std::size(kInterrupts)] = {};  // which ones onInterrupt handles

// The first interrupt cancels; the next one, of any of the three kinds, has
// its default effect and ends the program at once.
extern "C" void onInterrupt(int signal) {
    gInterruptedBy = signal;
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (size_t i = 0; i < std::size(kInterrupts); ++i)
        if (gHandled[i] && kInterrupts[i] != signal) sigaction(kInterrupts[i], &fallback, nullptr);
}

// While it lives, SIGINT, SIGTERM and SIGHUP set the flag the export's
// progress callback reads. A signal the caller ignores stays ignored.
class InterruptCancels {
public:
    InterruptCancels() {
        gInterruptedBy = 0;
        struct sigaction action {};
        action.sa_handler = onInterrupt;
        action.sa_flags = SA_RESETHAND | SA_RESTART;  // RESETHAND: the same signal again ends at once
        // Another interrupt waits until the handler has made it end the program.
        sigemptyset(&action.sa_mask);
        for (int s : kInterrupts) sigaddset(&action.sa_mask, s);
        for (size_t i = 0; i < std::size(kInterrupts); ++i) {
            sigaction(kInterrupts[i], nullptr, &previous_[i]);
            gHandled[i] = previous_[i].sa_handler != SIG_IGN;
            if (gHandled[i]) sigaction(kInterrupts[i], &action, nullptr);
        }
    }
    ~InterruptCancels() {
        for (size_t i = 0; i < std::size(kInterrupts); ++i) sigaction(kInterrupts[i], &previous_[i], nullptr);
    }
    InterruptCancels(const InterruptCancels&) = delete;
    InterruptCancels& operator=(const InterruptCancels&) = delete;

    static bool Interrupted() { return gInterruptedBy != 0; }
    static const char* SignalName() {
        switch (gInterruptedBy) {
            case SIGINT: return "SIGINT";
            case SIGTERM: return "SIGTERM";
            default: return "SIGHUP";
        }
    }

private:
    struct sigaction previous_[std::size(kInterrupts)] {};
};

// The export's message with the file or connection it names cut to the
// length the command line echoes input at.
std::string shownMessage(const EExportError& e) {
    std::string text = e.Utf8Text();
    const std::string& subject = e.Subject();
    if (subject.empty()) return text;
    const std::string shown = echoed(subject);
    for (size_t at = 0; (at = text.find(subject, at)) != std::string::npos; at += shown.size())
        text.replace(at, subject.size(), shown);
    return text;
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
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("export", "unknown option " + echoed(a));
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
        TExportSummary summary;
        {
            InterruptCancels interrupts;
            summary = ExportMap(*data.map, options, [](int64_t, int64_t) { return !InterruptCancels::Interrupted(); });
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
