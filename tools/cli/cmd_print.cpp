// orvelle-cli print: prints the map into a PDF file through the page code of
// the viewer's print command (Qt's PDF writer at 600 dpi, the whole sheet
// printable), so that the page the print command makes can be scripted and
// checked without a printer. The PDF is written beside OUT and renamed into
// place when complete.
#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string_view>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "output_file.h"
#include "queries/map_queries.h"
#include "render/map_pages.h"
#include "view_options.h"

namespace cli {
namespace {

constexpr int kPrintDpi = 600;
// The screen whose view is printed at its scale: the viewer's map panel on a 96 dpi screen.
constexpr double kScreenDpi = 96;

struct PrintOptions {
    std::string path, output;
    ViewOptions view;  // "表示部分": the view these describe
    TPrintRequest request;
    QPageSize::PageSizeId paper = QPageSize::A4;
    bool readable = false;  // the readable drawing
};

// A paper by Qt's name for it ("A4", "Letter", "JisB5" ...), in any case.
// "Custom" names no size: Qt would print it on A4.
bool parsePaper(const std::string& name, QPageSize::PageSizeId& paper) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto candidate = static_cast<QPageSize::PageSizeId>(id);
        if (candidate == QPageSize::Custom) continue;
        if (QPageSize::key(candidate).compare(QString::fromStdString(name), Qt::CaseInsensitive) == 0) {
            paper = candidate;
            return true;
        }
    }
    return false;
}

// Four whole millimetres from 0 to 999, as the print dialog takes them.
bool parseMargins(const std::string& text, TPrintMargins& margins) {
    std::vector<double> n;
    if (!parseNumberList(text, n) || n.size() != 4) return false;
    for (double v : n)
        if (v != static_cast<int>(v) || v < 0 || v > 999) return false;
    margins = {static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]), static_cast<int>(n[3])};
    return true;
}

// A scale denominator, 1:N, as a whole number.
constexpr int kLargestScale = 10000000;
bool parseScale(const std::string& text, double& scale) {
    int n = 0;
    if (!parseInt(text, n) || n < 1 || n > kLargestScale) return false;
    scale = n;
    return true;
}

// The end-of-file marker Qt writes last; missing when a write failed on the way.
bool endsWithPdfTrailer(const std::string& path) {
    constexpr std::string_view kTrailer = "%%EOF\n";
    std::ifstream in(path, std::ios::binary);
    std::string tail(kTrailer.size(), '\0');
    return in.seekg(-static_cast<std::streamoff>(kTrailer.size()), std::ios::end) &&
           in.read(tail.data(), static_cast<std::streamsize>(tail.size())) && tail == kTrailer;
}

bool endsWithPdf(const std::string& name) {
    return name.size() > 4 && sjis::upperAscii(name.substr(name.size() - 4)) == ".PDF";
}

// Returns an empty text when the arguments are good, else what is wrong.
std::string parse(const std::vector<std::string>& args, PrintOptions& o) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue =
            isViewOption(a) || a == "--margins" || a == "--paper" || a == "--copies" || a == "--scale";
        if (takesValue && i + 1 == args.size()) return a + " needs a value";
        const std::string value = takesValue ? args[++i] : std::string();
        if (isViewOption(a)) {
            if (std::string problem = parseViewOption(a, value, o.view); !problem.empty()) return problem;
        } else if (a == "--readable") {
            o.readable = true;
        } else if (a == "--whole") {
            o.request.WholeArea = true;
        } else if (a == "--margins") {
            if (!parseMargins(value, o.request.Margins))
                return "--margins must be L,T,R,B in whole millimetres from 0 to 999";
        } else if (a == "--paper") {
            if (!parsePaper(value, o.paper))
                return "--paper: not a paper size Qt knows (A4, A3, Letter ...): " + echoed(value);
        } else if (a == "--scale") {
            if (!parseScale(value, o.request.Scale))
                return "--scale must be a whole scale denominator from 1 to " + std::to_string(kLargestScale);
        } else if (a == "--copies") {
            if (!parseInt(value, o.request.Copies) || o.request.Copies < 1 || o.request.Copies > 99)
                return "--copies must be from 1 to 99";
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + echoed(a);
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) return "needs PATH and OUT.pdf";
    o.path = positional[0];
    o.output = positional[1];
    if (!endsWithPdf(o.output)) return "the output must end in .pdf";
    return {};
}

}  // namespace

int runPrint(const std::vector<std::string>& args) {
    PrintOptions o;
    if (const std::string problem = parse(args, o); !problem.empty()) return usageError("print", problem);
    LoadedData data;
    if (!loadForMapUse("print", o.path, data)) return kExitFailed;
    if (const std::string problem = boxOutsideData(o.view, *data.map); !problem.empty())
        return failure("print", problem);
    // Qt's printer fills the temporary file by name; it replaces OUT only when complete.
    AtomicFile pdf(o.output, kOutputExisting);
    if (const std::error_code e = pdf.Create()) return cannotWrite("print", o.output, e.message());
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvelle-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);

    // The viewer draws its view once into an image of the --size before it
    // prints; without the memory for it every painter call would only warn.
    if (QImage(o.view.width, o.view.height, QImage::Format_RGB32).isNull())
        return failure("print", notEnoughMemoryText(o.view));
    // The map as the viewer's window shows it in a map panel of the --size.
    const std::shared_ptr<const TKDKObject> map = std::move(data.map);
    MapSnapshot snapshot = viewerSnapshot(map, o.view, kScreenDpi);
    snapshot.Display.Readable = o.readable;
    const TViewport& view = snapshot.Viewport;
    const TPrintedArea area{MakePoint(map->SouthWest.X, map->SouthWest.Y, 0),
                            MakePoint(map->NorthEast.X, map->NorthEast.Y, 0), view.GetViewMin(), view.GetViewMax(),
                            view.DispScale()};
    // The job's title: the chome at the view's centre, as the viewer names its print job.
    const TGeoPoint centre = MakePoint(view.View.CenterX, view.View.CenterY, 0);
    const QString title = QString::fromStdString(sjis::toUtf8(CentreAddress(*map, centre).Chome));

    QPdfWriter pdfWriter(QString::fromStdString(pdf.TemporaryPath()));
    pdfWriter.setResolution(kPrintDpi);
    pdfWriter.setPageSize(QPageSize(o.paper));
    pdfWriter.setPageMargins(QMarginsF(0, 0, 0, 0));
    const std::optional<std::vector<TMapPageLayout>> pages = LayOutMapPages(PrintPageOf(pdfWriter), o.request, area);
    if (!pages) return failure("print", sjis::toUtf8(PrintAreaTooSmallText()));
    pdfWriter.setTitle(title);
    // A PDF file makes no copies itself: the pages are there once per copy.
    QPainter painter;
    if (!painter.begin(&pdfWriter) ||
        !DrawMapPages(pdfWriter, painter, *pages, snapshot, std::max(o.request.Copies, 1)) || !painter.end())
        return cannotWrite("print", o.output, "Qt's PDF printer failed");
    // Qt reports no write error of its own: a PDF without its trailer was cut short.
    if (!endsWithPdfTrailer(pdf.TemporaryPath()))
        return cannotWrite("print", o.output, "the PDF printer could not write the whole file");
    if (const std::error_code e = pdf.Commit()) return cannotWrite("print", o.output, e.message());
    return reportFatal("print", data);
}

}  // namespace cli
