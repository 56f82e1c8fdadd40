#include "shell/print_layout.h"

#include "base/rounding.h"
#include "base/sjis.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;

// The length of paper that `dots` cover at the resolution, in metres.
double paperMetres(int dots, double dotsPerInch) { return dots / (dotsPerInch / kMillimetresPerInch) / 1000; }

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

std::string PrintAreaTooSmallText() { return sjis::fromUtf8(u8"印刷範囲が小さすぎます"); }
