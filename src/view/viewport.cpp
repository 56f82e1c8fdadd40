#include "view/viewport.h"

#include <algorithm>

#include "base/rounding.h"

namespace {

constexpr double kMetresPerInch = 0.0254;

// Scale for one box side across m pixels; a side of exactly zero gives 1.
double sideScale(double m, double side) { return side == 0 ? 1.0 : m / side; }

}  // namespace

TScreenPoint WorldToScreen(const TViewState& v, const TGeoPoint& p) {
    return TLinearToScreen{v.MinX, v.MaxY, v.ScaleX, v.ScaleY}(p);
}

TGeoPoint2D ScreenToWorld(const TViewState& v, double x, double y) {
    return {x / v.ScaleX + v.MinX, v.MaxY - y / v.ScaleY};
}

TWorldToScreenFunc TViewport::ToScreen() const {
    return TWorldToScreenFunc::Linear({View.MinX, View.MaxY, View.ScaleX, View.ScaleY});
}

void TViewport::ClampScale(double& sx, double& sy) const {
    auto denominator = [&] { return PixelsPerInch / (kMetresPerInch * sx); };
    if (ZoomInLimit != 0 && denominator() < ZoomInLimit) sx = sy = PixelsPerInch / (kMetresPerInch * ZoomInLimit);
    if (ZoomOutLimit != 0 && denominator() > ZoomOutLimit)
        sx = sy = PixelsPerInch / (kMetresPerInch * ZoomOutLimit);
}

void TViewport::placeAround(TViewState& v, double cx, double cy, double pixelWidth, double pixelHeight,
                            double scale) const {
    v.ScaleX = v.ScaleY = scale;
    v.CenterX = cx;
    v.CenterY = cy;
    v.MinX = cx - pixelWidth / 2 / scale;
    v.MaxX = cx + pixelWidth / 2 / scale;
    v.MinY = cy - pixelHeight / 2 / scale;
    v.MaxY = cy + pixelHeight / 2 / scale;
}

double TViewport::boxScale(double minX, double maxX, double minY, double maxY, bool whole) const {
    const double m = std::min(Width, Height);
    const double sx = sideScale(m, maxX - minX), sy = sideScale(m, maxY - minY);
    double scale = whole ? std::min(sx, sy) : std::max(sx, sy), same = scale;
    ClampScale(scale, same);
    return scale;
}

void TViewport::FitExtent(double minX, double maxX, double minY, double maxY) {
    const double scale = boxScale(minX, maxX, minY, maxY, true);
    placeAround(HomeView, (minX + maxX) / 2, (minY + maxY) / 2, Width, Height, scale);
    View = HomeView;
}

void TViewport::ZoomToBox(double minX, double maxX, double minY, double maxY) {
    const double scale = boxScale(minX, maxX, minY, maxY, false);
    placeAround(View, (minX + maxX) / 2, (minY + maxY) / 2, Width, Height, scale);
}

void TViewport::ZoomBy(double factor) {
    const double cx = (View.MinX + View.MaxX) / 2, cy = (View.MinY + View.MaxY) / 2;
    const double pixelWidth = (View.MaxX - View.MinX) * View.ScaleX;
    const double pixelHeight = (View.MaxY - View.MinY) * View.ScaleY;
    double sx = View.ScaleX / factor, sy = View.ScaleY / factor;
    ClampScale(sx, sy);
    placeAround(View, cx, cy, pixelWidth, pixelHeight, sx);
}

void TViewport::ZoomReset() {
    View = HomeView;
    ZoomBy(1);
}

void TViewport::ZoomAbout(double factor, double x, double y) {
    const TGeoPoint2D w = ScreenToWorld(x, y);
    double sx = View.ScaleX * factor, sy = View.ScaleY * factor;
    ClampScale(sx, sy);
    const double minX = w.X - x / sx, maxY = w.Y + y / sx;
    placeAround(View, minX + Width / 2.0 / sx, maxY - Height / 2.0 / sx, Width, Height, sx);
}

void TViewport::CentreOn(double x, double y) {
    const double halfWidth = (View.MaxX - View.MinX) / 2, halfHeight = (View.MaxY - View.MinY) / 2;
    View.CenterX = x;
    View.CenterY = y;
    View.MinX = x - halfWidth;
    View.MaxX = x + halfWidth;
    View.MinY = y - halfHeight;
    View.MaxY = y + halfHeight;
}

void TViewport::Resize(int width, int height, const TGeoPoint& extentMin, const TGeoPoint& extentMax) {
    const double scale = View.ScaleX == 0 ? 1.0 : View.ScaleX;
    const double cx = View.CenterX, cy = View.CenterY;
    Width = width;
    Height = height;
    FitExtent(extentMin.X, extentMax.X, extentMin.Y, extentMax.Y);
    placeAround(View, cx, cy, Width, Height, scale);
}

double TViewport::DispScale() const {
    if (Width <= 0) return 0;
    const double worldWidth = ScreenToWorld(Width, 0).X - ScreenToWorld(0, 0).X;
    return worldWidth / (Width / PixelsPerInch * kMetresPerInch);
}
