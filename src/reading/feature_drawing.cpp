// How each kind of feature draws itself, normally and as a found feature.
#include <algorithm>
#include <cstdlib>

#include "base/rounding.h"
#include "reading/canvas.h"
#include "reading/features.h"

namespace {

// A ground length in whole metres as pixels: the screen distance of 100 times
// the length, divided by 100, keeps precision although the callback returns
// whole pixels.
int32_t ScreenLength(int32_t metres, const TWorldToScreenFunc& toScreen) {
    const TScreenPoint a = toScreen(MakePoint(0, 0, 0));
    const TScreenPoint b = toScreen(MakePoint(100.0 * metres, 0, 0));
    return rounding::toInt32((static_cast<double>(b.X) - a.X) / 100.0);
}

constexpr int kLastDrawnLineTag = 2;  // higher tags are construction arcs
constexpr TColor kMarkerColor = 0x0000FF;  // red

// A cross of two five-pixel strokes meeting at the point.
void DrawMarker(Canvas& canvas, TScreenPoint p) {
    canvas.Line({p.X - 2, p.Y - 2}, {p.X + 3, p.Y + 3});
    canvas.Line({p.X - 2, p.Y + 2}, {p.X + 3, p.Y - 3});
}

}  // namespace

void TFeature::Draw(Canvas&, const TWorldToScreenFunc&) const {}
void TFeature::DrawSelected(Canvas&, const TWorldToScreenFunc&) const {}

void TKDKLine::Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    if (!Visible || LineTag > kLastDrawnLineTag) return;
    canvas.Pen.Width = Width == 0 ? 1 : std::max(1, ScreenLength(Width, toScreen));
    canvas.Pen.Color = Color;
    canvas.Pen.Style = PenStyle;
    canvas.Brush.Color = Color;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Polyline(canvas.Points().Convert(Vertices, toScreen));
}

void TKDKLine::DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    if (LineTag > kLastDrawnLineTag) return;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Width = Width == 0 ? 2 : std::max(2, ScreenLength(Width, toScreen));
    canvas.Polyline(canvas.Points().Convert(Vertices, toScreen));
}

void TKDKPolygon::Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    if (!Visible) return;
    // The outline has the fill colour: borders come from the boundary lines.
    canvas.Pen.Color = FillColor;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Color = FillColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Polygon(canvas.Points().Convert(Ring, toScreen));
}

void TKDKPolygon::DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Polygon(canvas.Points().Convert(Ring, toScreen));
}

void TKDKPoint::Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    if (!Visible) return;
    canvas.Pen.Width = 1;
    canvas.Pen.Color = kMarkerColor;
    DrawMarker(canvas, toScreen(Position));
}

void TKDKPoint::DrawSelected(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    DrawMarker(canvas, toScreen(Position));
}

void TKDKAttribute::Draw(Canvas& canvas, const TWorldToScreenFunc& toScreen) const {
    if (!Visible || LabelText.empty()) return;
    const TScreenPoint at = toScreen(LabelPoint);
    const int32_t height = ScreenLength(LabelHeight, toScreen);
    if (height <= 2) {
        canvas.SetPixel(at.X, at.Y, LabelColor);
        return;
    }
    canvas.Font.Color = LabelColor;
    canvas.Font.Height = height;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOutBottomCentre(at, LabelText);
}
