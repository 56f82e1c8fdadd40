#include "render/map_pages.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "render/map_renderer.h"

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

}  // namespace

TPrintPage PrintPageOf(const QPaintDevice& device) {
    return {static_cast<double>(device.logicalDpiX()), static_cast<double>(device.logicalDpiY()), device.width(),
            device.height()};
}

std::optional<TMapPageLayout> LayOutMapPage(const TPrintPage& page, const TPrintRequest& request,
                                            const TPrintedArea& area) {
    const std::optional<TPrintRect> rect = PrintRectangle(page, request.Margins);
    if (!rect) return std::nullopt;
    const TPrintView view = request.WholeArea ? WholeAreaView(area.ExtentMin, area.ExtentMax, *rect, page)
                                              : ScreenView(area.ViewMin, area.ViewMax, area.DispScale);
    return TMapPageLayout{QRect(rect->Left, rect->Top, rect->Width(), rect->Height()), view};
}

bool DrawMapPages(QPagedPaintDevice& device, QPainter& painter, const TMapPageLayout& layout,
                  const MapSnapshot& snapshot, int pages) {
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage()) return false;
        DrawMapInRect(painter, layout.Area, snapshot, layout.View);
        drawFrame(painter, layout.Area);
    }
    return true;
}
