#include "render/map_pages.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "base/exception.h"
#include "drawing/scale_bar.h"
#include "render/map_renderer.h"
#include "render/qpainter_canvas.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr double kPointsPerInch = 72;
// What is printed over the map, in millimetres of paper and points.
constexpr double kInsetMillimetres = 4;         // from the print rectangle's edge
constexpr double kScaleBarMillimetres = 50;     // the longest scale bar
constexpr double kLabelPoints = 12;             // a tiled page's label
constexpr double kCellLinePoints = 0.7;         // the overview's page grid
constexpr TColor kCellColour = 0xC00000;        // a dark blue

// A one-dot line over the rectangle's outermost dots.
void drawFrame(QPainter& painter, const QRect& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(area.left() + 0.5, area.top() + 0.5, area.width() - 1, area.height() - 1));
    painter.restore();
}

int32_t dots(double millimetres, double dpi) {
    return static_cast<int32_t>(std::lround(millimetres * dpi / kMillimetresPerInch));
}

// Points (1/72 inch) in dots, at least one.
int32_t pointDots(double points, double dpi) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(points * dpi / kPointsPerInch)));
}

// The map point in page dots, as DrawMapInRect places it.
TScreenPoint onPage(const TMapPageLayout& page, double dpi, const TGeoPoint2D& p) {
    const double perMetre = dpi / (kMillimetresPerInch / 1000) / page.View.Scale;
    return {static_cast<int32_t>(std::lround(page.Area.left() + page.Area.width() / 2.0 +
                                             (p.X - page.View.CenterX) * perMetre)),
            static_cast<int32_t>(std::lround(page.Area.top() + page.Area.height() / 2.0 -
                                             (p.Y - page.View.CenterY) * perMetre))};
}

// "1:N" and a scale bar in the lower-left corner of the print rectangle.
void drawScale(Canvas& canvas, const TMapPageLayout& page, double dpi) {
    const double metresPerDot = page.View.Scale * (kMillimetresPerInch / 1000) / dpi;
    const double room = std::min(kScaleBarMillimetres * dpi / kMillimetresPerInch, page.Area.width() / 3.0);
    const TScaleBar bar = ChooseScaleBar(metresPerDot, room, page.View.Scale);
    const int32_t inset = dots(kInsetMillimetres, dpi);
    DrawScaleBar(canvas, bar, {page.Area.left() + inset, page.Area.bottom() - inset}, dpi / kPointsPerInch);
}

// A text centred on `at` (the bottom of its cell), black on white.
void drawLabel(Canvas& canvas, TScreenPoint at, const std::string& text, int32_t height) {
    canvas.Brush = TCanvasBrush{clWhite, TBrushStyle::bsSolid};
    canvas.Font = TCanvasFont{clBlack, std::max<int32_t>(1, height)};
    canvas.TextOutBottomCentre(at, text);
}

// Each page's rectangle of map with its label in the middle, the label no
// taller than a third of the cell and, by the width of its ASCII letters
// (about 0.6 of the height), no wider than the cell.
void drawCells(Canvas& canvas, const TMapPageLayout& page, double dpi) {
    constexpr double kAsciiWidth = 0.6;
    canvas.Pen = TCanvasPen{kCellColour, TPenStyle::psSolid, pointDots(kCellLinePoints, dpi)};
    canvas.Brush = TCanvasBrush{clWhite, TBrushStyle::bsClear};
    for (const TPageCell& c : page.Cells) {
        const TScreenPoint a = onPage(page, dpi, c.Min), b = onPage(page, dpi, c.Max);
        const TScreenPoint outline[] = {{a.X, a.Y}, {b.X, a.Y}, {b.X, b.Y}, {a.X, b.Y}, {a.X, a.Y}};
        canvas.Polyline(outline);
    }
    const int32_t largest = pointDots(kLabelPoints, dpi);
    for (const TPageCell& c : page.Cells) {
        const TScreenPoint a = onPage(page, dpi, c.Min), b = onPage(page, dpi, c.Max);
        const auto narrowest = static_cast<int32_t>(std::abs(b.X - a.X) / (kAsciiWidth * std::max<size_t>(1, c.Label.size())));
        const int32_t height = std::min({largest, std::abs(a.Y - b.Y) / 3, narrowest});
        drawLabel(canvas, {(a.X + b.X) / 2, (a.Y + b.Y) / 2 + height / 2}, c.Label, height);
    }
}

void drawOverMap(QPainter& painter, const TMapPageLayout& page) {
    if (!page.ShowsScale && page.Label.empty() && page.Cells.empty()) return;
    const double dpi = painter.device()->logicalDpiY();
    painter.save();
    painter.setClipRect(page.Area);
    QPainterCanvas canvas(painter);
    if (!page.Cells.empty()) drawCells(canvas, page, dpi);
    if (page.ShowsScale) drawScale(canvas, page, dpi);
    if (!page.Label.empty()) {
        const int32_t height = pointDots(kLabelPoints, dpi);
        drawLabel(canvas, {page.Area.center().x(), page.Area.top() + dots(kInsetMillimetres, dpi) + height},
                  page.Label, height);
    }
    painter.restore();
}

// The overview and the pages of the whole area at the request's scale.
std::optional<std::vector<TMapPageLayout>> tiledPages(const TPrintPage& page, const TPrintRect& rect,
                                                      const TPrintRequest& request, const TPrintedArea& area) {
    const std::optional<TTileGrid> grid = TileGrid(area.ExtentMin, area.ExtentMax, rect, page, request.Scale);
    if (!grid) return std::nullopt;
    if (grid->Pages() > kMaxTiledPages)
        throw Exception(Exception::Utf8{"the whole area at " + ScaleText(request.Scale) + " needs " +
                                        std::to_string(grid->Rows) + " x " + std::to_string(grid->Columns) +
                                        " pages; at most " + std::to_string(kMaxTiledPages) + " are printed"});
    const QRect box(rect.Left, rect.Top, rect.Width(), rect.Height());
    std::vector<TMapPageLayout> pages(1, {box, WholeAreaView(area.ExtentMin, area.ExtentMax, rect, page), false, {}, {}});
    for (long long row = 0; row < grid->Rows; ++row) {
        for (long long column = 0; column < grid->Columns; ++column) {
            const std::string label = TileLabel(row + 1, column + 1);
            pages.front().Cells.push_back({grid->TileMin(row, column), grid->TileMax(row, column), label});
            pages.push_back({box, grid->Tile(row, column), true, label, {}});
        }
    }
    return pages;
}

}  // namespace

TPrintPage PrintPageOf(const QPaintDevice& device) {
    return {static_cast<double>(device.logicalDpiX()), static_cast<double>(device.logicalDpiY()), device.width(),
            device.height()};
}

std::string TileLabel(long long row, long long column) {
    return "R" + std::to_string(row) + " C" + std::to_string(column);
}

std::optional<std::vector<TMapPageLayout>> LayOutMapPages(const TPrintPage& page, const TPrintRequest& request,
                                                          const TPrintedArea& area) {
    const std::optional<TPrintRect> rect = PrintRectangle(page, request.Margins);
    if (!rect) return std::nullopt;
    const bool chosenScale = request.Scale > 0;
    if (request.WholeArea && chosenScale) return tiledPages(page, *rect, request, area);
    TPrintView view = request.WholeArea ? WholeAreaView(area.ExtentMin, area.ExtentMax, *rect, page)
                                        : ScreenView(area.ViewMin, area.ViewMax, area.DispScale);
    if (chosenScale) view.Scale = request.Scale;
    return std::vector<TMapPageLayout>{
        {QRect(rect->Left, rect->Top, rect->Width(), rect->Height()), view, chosenScale, {}, {}}};
}

bool DrawMapPages(QPagedPaintDevice& device, QPainter& painter, const std::vector<TMapPageLayout>& pages,
                  const MapSnapshot& snapshot, int copies) {
    bool first = true;
    for (int i = 0; i < copies; ++i) {
        for (const TMapPageLayout& page : pages) {
            if (!first && !device.newPage()) return false;
            first = false;
            DrawMapInRect(painter, page.Area, snapshot, page.View);
            drawOverMap(painter, page);
            drawFrame(painter, page.Area);
        }
    }
    return true;
}
