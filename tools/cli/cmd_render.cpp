// orvelle-cli render: draws the map into a PNG or SVG file, without a display.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <optional>
#include <string_view>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "map/display_categories.h"
#include "output_file.h"
#include "render/map_renderer.h"
#include "view_options.h"

namespace cli {
namespace {

struct RenderOptions {
    std::string path, output;
    bool svg = false;
    ViewOptions view;
    int dpi = 96;
    std::optional<TViewMode> mode;
    std::vector<int> hidden;
    bool readable = false;
    bool timing = false;
};

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           sjis::upperAscii(text.substr(text.size() - suffix.size())) == sjis::upperAscii(suffix);
}

// Returns an empty text when the arguments are good, else what is wrong.
std::string parse(const std::vector<std::string>& args, RenderOptions& o) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "-o" || isViewOption(a) || a == "--mode" || a == "--hide" || a == "--dpi";
        if (takesValue && i + 1 == args.size()) return a + " needs a value";
        const std::string value = takesValue ? args[++i] : std::string();
        std::vector<double> numbers;
        if (a == "-o") {
            o.output = value;
        } else if (isViewOption(a)) {
            if (std::string problem = parseViewOption(a, value, o.view); !problem.empty()) return problem;
        } else if (a == "--mode") {
            if (value == "all") o.mode = TViewMode::vmAll;
            else if (value == "gaiku") o.mode = TViewMode::vmGaiku;
            else if (value == "nogaiku") o.mode = TViewMode::vmNoGaiku;
            else return "--mode must be all, gaiku or nogaiku";
        } else if (a == "--hide") {
            if (!parseNumberList(value, numbers)) return "--hide must be a list of major codes";
            for (double n : numbers) {
                const int major = static_cast<int>(n);
                if (major != n || CategoryIndex(major) < 0)
                    return "--hide: not a display category (" + CategoryCodeList() + "): " + echoed(value);
                o.hidden.push_back(major);
            }
        } else if (a == "--dpi") {
            if (!parseInt(value, o.dpi) || o.dpi < 1 || o.dpi > 10000) return "--dpi must be from 1 to 10000";
        } else if (a == "--readable") {
            o.readable = true;
        } else if (a == "--timing") {
            o.timing = true;
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + echoed(a);
        } else if (o.path.empty()) {
            o.path = a;
        } else {
            return "more than one PATH";
        }
    }
    if (o.path.empty()) return "missing PATH";
    if (o.output.empty()) return "missing -o OUT.png|OUT.svg";
    o.svg = endsWithNoCase(o.output, ".svg");
    if (!o.svg && !endsWithNoCase(o.output, ".png")) return "the output must end in .png or .svg";
    return {};
}

// The map as the viewer draws it, without a selection or marks.
MapSnapshot snapshotOf(std::shared_ptr<const TKDKObject> map, const RenderOptions& o) {
    MapSnapshot snapshot = viewerSnapshot(std::move(map), o.view, o.dpi);
    if (o.mode) snapshot.Display.ViewMode = *o.mode;
    snapshot.Display.Readable = o.readable;
    for (int major : o.hidden) snapshot.Display.CategoryShown[static_cast<size_t>(CategoryIndex(major))] = false;
    return snapshot;
}

QImage drawImage(const MapSnapshot& snapshot, const RenderOptions& o) {
    // As the viewer draws its screen, with the resolution stored in the PNG.
    return RenderImage(snapshot, TSelectionShown::No, static_cast<int>(o.dpi / 0.0254 + 0.5));
}

// The SVG picture of the view (vector output stays vector), written to `device`.
bool drawSvg(QIODevice& device, const MapSnapshot& snapshot) {
    return WriteSvg(device, snapshot, {Qt::white, QString::fromStdString(sjis::toUtf8(snapshot.Map->BaseName)), {}});
}

// Milliseconds since `start`.
double msSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Draws the view once and encodes it as the output file's bytes, empty when
// it could not be drawn; `drawMs` gets the drawing's milliseconds (encoding excluded).
QByteArray drawOutput(const MapSnapshot& snapshot, const RenderOptions& o, double& drawMs) {
    const auto start = std::chrono::steady_clock::now();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (o.svg) {
        if (!drawSvg(buffer, snapshot)) return {};
        drawMs = msSince(start);
        return buffer.data();
    }
    const QImage image = drawImage(snapshot, o);
    drawMs = msSince(start);
    // zlib level 2 instead of the default 6: half the encoding time of a map, about 1.6 times the bytes.
    constexpr int kPngQuality = 80;
    if (image.isNull() || !image.save(&buffer, "PNG", kPngQuality)) return {};
    return buffer.data();
}

// The median of five more draws of the view into fresh images (or SVG pictures).
double medianDrawMs(const MapSnapshot& snapshot, const RenderOptions& o) {
    std::vector<double> times;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (o.svg) {
            QBuffer buffer;
            buffer.open(QIODevice::WriteOnly);
            drawSvg(buffer, snapshot);
        } else {
            drawImage(snapshot, o);
        }
        times.push_back(msSince(start));
    }
    std::nth_element(times.begin(), times.begin() + 2, times.end());
    return times[2];
}

}  // namespace

int runRender(const std::vector<std::string>& args) {
    RenderOptions o;
    if (const std::string problem = parse(args, o); !problem.empty()) return usageError("render", problem);
    LoadedData data;
    const auto loadStart = std::chrono::steady_clock::now();
    if (!loadForMapUse("render", o.path, data)) return kExitFailed;
    const double loadMs = msSince(loadStart);
    if (const std::string problem = boxOutsideData(o.view, *data.map); !problem.empty())
        return failure("render", problem);
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvelle-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    const MapSnapshot snapshot = snapshotOf(std::move(data.map), o);
    double firstMs = 0;
    const QByteArray bytes = drawOutput(snapshot, o, firstMs);
    if (bytes.isEmpty()) return failure("render", notEnoughMemoryText(o.view));
    if (const int status = writeOutputFile("render", o.output, std::string_view(bytes.constData(), bytes.size())))
        return status;
    if (o.timing)
        std::cerr << std::fixed << std::setprecision(1) << "load " << loadMs << " ms, first draw " << firstMs
                  << " ms, draw " << medianDrawMs(snapshot, o) << " ms\n";
    return reportFatal("render", data);
}

}  // namespace cli
