#include "shell/print_layout.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"
#include "base/sjis.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

// The length of paper that `dots` cover at the resolution, in metres.
double paperMetres(int dots, double dotsPerInch) { return dots / (dotsPerInch / kMillimetresPerInch) / 1000; }

// Pages along one axis: the first covers `page`, each further one `step`
// more. A hair's excess from rounding adds no page; counts beyond any
// printable number stop at a bound instead of overflowing.
long long pagesAlong(double extent, double page, double step) {
    constexpr double kHair = 1e-9, kBound = 1e12;
    const double more = std::ceil((extent - page) / step - kHair);
    return 1 + static_cast<long long>(std::clamp(more, 0.0, kBound));
}

}  // namespace

int MarginDots(int millimetres, double dotsPerInch) {
    return rounding::toInt32(millimetres * (dotsPerInch / kMillimetresPerInch));
}

std::optional<TPrintRect> PrintRectangle(const TPrintPage& page, const TPrintMargins& margins) {
    const TPrintRect rect{MarginDots(margins.Left, page.DpiX), MarginDots(margins.Top, page.DpiY),
                          page.Width - MarginDots(margins.Right, page.DpiX),
                          page.Height - MarginDots(margins.Bottom, page.DpiY)};
    if (rect.Width() <= 0 || rect.Height() <= 0) return std::nullopt;
    return rect;
}

TPrintView WholeAreaView(const TGeoPoint& extentMin, const TGeoPoint& extentMax, const TPrintRect& rect,
                         const TPrintPage& page) {
    const double width = extentMax.X - extentMin.X, height = extentMax.Y - extentMin.Y;
    const double sx = width / paperMetres(rect.Width(), page.DpiX);
    const double sy = height / paperMetres(rect.Height(), page.DpiY);
    return {sx > sy ? sx : sy, extentMin.X + width / 2, extentMin.Y + height / 2};
}

TPrintView ScreenView(const TGeoPoint2D& viewMin, const TGeoPoint2D& viewMax, double dispScale) {
    return {dispScale, viewMin.X + (viewMax.X - viewMin.X) / 2, viewMin.Y + (viewMax.Y - viewMin.Y) / 2};
}

std::optional<TTileGrid> TileGrid(const TGeoPoint& extentMin, const TGeoPoint& extentMax, const TPrintRect& rect,
                                  const TPrintPage& page, double scale) {
    if (!(scale > 0) || !std::isfinite(scale)) return std::nullopt;
    TTileGrid g;
    g.Scale = scale;
    g.PageWidth = paperMetres(rect.Width(), page.DpiX) * scale;
    g.PageHeight = paperMetres(rect.Height(), page.DpiY) * scale;
    const double overlap = kTileOverlapMillimetres / 1000 * scale;
    g.StepX = g.PageWidth - overlap;
    g.StepY = g.PageHeight - overlap;
    if (!(g.StepX > 0) || !(g.StepY > 0)) return std::nullopt;
    const double width = extentMax.X - extentMin.X, height = extentMax.Y - extentMin.Y;
    g.Columns = pagesAlong(width, g.PageWidth, g.StepX);
    g.Rows = pagesAlong(height, g.PageHeight, g.StepY);
    const double coveredX = g.PageWidth + static_cast<double>(g.Columns - 1) * g.StepX;
    const double coveredY = g.PageHeight + static_cast<double>(g.Rows - 1) * g.StepY;
    g.West = extentMin.X + width / 2 - coveredX / 2;
    g.North = extentMin.Y + height / 2 + coveredY / 2;
    return g;
}

TGeoPoint2D TTileGrid::TileMin(long long row, long long column) const {
    return {West + static_cast<double>(column) * StepX, North - static_cast<double>(row) * StepY - PageHeight};
}

TGeoPoint2D TTileGrid::TileMax(long long row, long long column) const {
    return {West + static_cast<double>(column) * StepX + PageWidth, North - static_cast<double>(row) * StepY};
}

TPrintView TTileGrid::Tile(long long row, long long column) const {
    const TGeoPoint2D min = TileMin(row, column);
    return {Scale, min.X + PageWidth / 2, min.Y + PageHeight / 2};
}

std::string PrintAreaTooSmallText() { return sjis::fromUtf8(u8"印刷範囲が小さすぎます"); }
