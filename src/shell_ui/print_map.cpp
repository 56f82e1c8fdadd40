#include "shell_ui/print_map.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "base/exception.h"
#include "shell_ui/ui_text.h"
#include "view_qt/geo_panel.h"

namespace {

[[noreturn]] void jobFailed(const QPrinter& printer, const char* what) {
    throw Exception(ToSjis(PrinterNameText(printer) + ": " + QString::fromUtf8(what)));
}

}  // namespace

QString PrinterNameText(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName().isEmpty() ? QStringLiteral("PDF") : printer.outputFileName();
    return printer.printerName();
}

TPrintedArea PrintedAreaOf(const TGeoPanel& panel) {
    return {panel.DataExtentMin(), panel.DataExtentMax(), panel.GetViewMin(), panel.GetViewMax(), panel.DispScale()};
}

bool PrintMap(TGeoPanel& panel, QPrinter& printer, const TPrintRequest& request) {
    const std::optional<std::vector<TMapPageLayout>> pages =
        LayOutMapPages(PrintPageOf(printer), request, PrintedAreaOf(panel));
    if (!pages) return false;
    printer.setDocName(FromSjis(panel.CenterChome()));
    printer.setCopyCount(request.Copies);
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(request.Copies, 1);

    QPainter painter;
    if (!painter.begin(&printer)) jobFailed(printer, "印刷を開始できません");
    try {
        if (!DrawMapPages(printer, painter, *pages, panel.Snapshot(), copies)) jobFailed(printer, "印刷できません");
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    if (!painter.end()) jobFailed(printer, "印刷できません");
    return true;
}
