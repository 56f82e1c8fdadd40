// orvelle-cli print: prints the map through the viewer's PrintMap into a PDF
// file (Qt's PDF printer at 600 dpi, the whole sheet printable), so that the
// page the print command makes can be scripted and checked without a printer.
#include <QApplication>
#include <QPageSize>
#include <QPrinter>
#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "arguments.h"
#include "base/sjis.h"
#include "command.h"
#include "data_loading.h"
#include "shell_ui/print_map.h"
#include "view_options.h"
#include "view_qt/geo_panel.h"

namespace cli {
namespace {

constexpr int kPrintDpi = 600;

struct PrintOptions {
    std::string path, output;
    ViewOptions view;  // "表示部分": the view these describe
    TPrintRequest request;
    QPageSize::PageSizeId paper = QPageSize::A4;
};

// A paper by Qt's name for it ("A4", "Letter", "JisB5" ...), in any case.
bool parsePaper(const std::string& name, QPageSize::PageSizeId& paper) {
    for (int id = 0; id <= QPageSize::LastPageSize; ++id) {
        const auto candidate = static_cast<QPageSize::PageSizeId>(id);
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

bool endsWithPdf(const std::string& name) {
    return name.size() > 4 && sjis::upperAscii(name.substr(name.size() - 4)) == ".PDF";
}

// Returns an empty text when the arguments are good, else what is wrong.
std::string parse(const std::vector<std::string>& args, PrintOptions& o) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = isViewOption(a) || a == "--margins" || a == "--paper" || a == "--copies";
        if (takesValue && i + 1 == args.size()) return a + " needs a value";
        const std::string value = takesValue ? args[++i] : std::string();
        if (isViewOption(a)) {
            if (std::string problem = parseViewOption(a, value, o.view); !problem.empty()) return problem;
        } else if (a == "--whole") {
            o.request.WholeArea = true;
        } else if (a == "--margins") {
            if (!parseMargins(value, o.request.Margins))
                return "--margins must be L,T,R,B in whole millimetres from 0 to 999";
        } else if (a == "--paper") {
            if (!parsePaper(value, o.paper)) return "--paper: not a paper size Qt knows (A4, A3, Letter ...): " + value;
        } else if (a == "--copies") {
            if (!parseInt(value, o.request.Copies) || o.request.Copies < 1 || o.request.Copies > 99)
                return "--copies must be from 1 to 99";
        } else if (!a.empty() && a[0] == '-') {
            return "unknown option " + a;
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
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int argc = 1;
    char name[] = "orvelle-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);

    // The map panel as the viewer's window holds it, never shown on a screen.
    TGeoPanel panel;
    panel.ViewMode = TViewMode::vmGaiku;
    panel.setAttribute(Qt::WA_DontShowOnScreen);
    panel.resize(o.view.width, o.view.height);
    panel.show();
    panel.AddMesh(std::move(data.map));
    zoomToBox(panel, o.view);
    panel.Redraw();  // the display scale and the chome at the centre

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(kPrintDpi);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(o.paper));
    printer.setOutputFileName(QString::fromStdString(o.output));
    bool printed = false;
    try {
        printed = PrintMap(panel, printer, o.request);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(o.output, ignored);  // no half-written page
        throw;
    }
    if (!printed) {
        std::cerr << "orvelle-cli print: " << sjis::toUtf8(PrintAreaTooSmallText()) << "\n";
        return kExitFailed;
    }
    return reportFatal("print", data);
}

}  // namespace cli
