#include "shell_ui/print_map.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "base/exception.h"
#include "shell_ui/ui_text.h"
#include "view_qt/geo_panel.h"

namespace {

// A one-dot line over the rectangle's outermost dots.
void drawFrame(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(area.left() + 0.5, area.top() + 0.5, area.width() - 1, area.height() - 1));
    painter.restore();
}

[[noreturn]] void jobFailed(const QPrinter& printer, const char* what) {
    throw Exception(ToSjis(PrinterNameText(printer) + ": " + QString::fromUtf8(what)));
}

}  // namespace

TPrintPage PrintPageOf(const QPrinter& printer) {
    return {static_cast<double>(printer.logicalDpiX()), static_cast<double>(printer.logicalDpiY()), printer.width(),
            printer.height()};
}

QString PrinterNameText(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName().isEmpty() ? QStringLiteral("PDF") : printer.outputFileName();
    return printer.printerName();
}

bool PrintMap(TGeoPanel& panel, QPrinter& printer, const TPrintRequest& request) {
    const TPrintPage page = PrintPageOf(printer);
    const std::optional<TPrintRect> rect = PrintRectangle(page, request.Margins);
    if (!rect) return false;
    printer.setDocName(FromSjis(panel.CenterChome()));
    printer.setCopyCount(request.Copies);
    const TPrintView view = request.WholeArea
                                ? WholeAreaView(panel.DataExtentMin(), panel.DataExtentMax(), *rect, page)
                                : ScreenView(panel.GetViewMin(), panel.GetViewMax(), panel.DispScale());
    const int pages = printer.supportsMultipleCopies() ? 1 : std::max(request.Copies, 1);
    const QRect area(rect->Left, rect->Top, rect->Width(), rect->Height());

    QPainter painter;
    if (!painter.begin(&printer)) jobFailed(printer, "印刷を開始できません");
    try {
        for (int i = 0; i < pages; ++i) {
            if (i > 0 && !printer.newPage()) jobFailed(printer, "印刷できません");
            panel.DrawTo(painter, area, view.Scale, view.CenterX, view.CenterY);
            drawFrame(painter, area);
        }
    } catch (...) {
        printer.abort();
        painter.end();
        throw;
    }
    if (!painter.end()) jobFailed(printer, "印刷できません");
    return true;
}
