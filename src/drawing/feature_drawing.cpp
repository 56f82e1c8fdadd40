// How each kind of feature draws itself, normally and as a found feature.
#include "drawing/feature_drawing.h"

#include <algorithm>

#include "base/rounding.h"
#include "tables/feature_codes.h"

namespace {

// A ground length in whole metres as pixels: the screen distance of 100 times
// the length, divided by 100, keeps precision although the callback returns
// whole pixels.
int32_t ScreenLength(int32_t metres, const TWorldToScreenFunc& toScreen) {
    const TScreenPoint a = toScreen(MakePoint(0, 0, 0));
    const TScreenPoint b = toScreen(MakePoint(100.0 * metres, 0, 0));
    return rounding::toInt32((static_cast<double>(b.X) - a.X) / 100.0);
}

constexpr TColor kMarkerColor = 0x0000FF;  // red

// A cross of two five-pixel strokes meeting at the point.
void DrawMarker(Canvas& canvas, TScreenPoint p) {
    canvas.Line({p.X - 2, p.Y - 2}, {p.X + 3, p.Y + 3});
    canvas.Line({p.X - 2, p.Y + 2}, {p.X + 3, p.Y - 3});
}

}  // namespace

void Draw(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    if (line.LineTag > codes::kLastDrawnLineTag) return;
    canvas.Pen.Width = line.Width == 0 ? 1 : std::max(1, ScreenLength(line.Width, toScreen));
    canvas.Pen.Color = line.Color;
    canvas.Pen.Style = line.PenStyle;
    canvas.Brush.Color = line.Color;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Polyline(canvas.Points().Convert(line.Vertices, toScreen));
}

void Draw(const TKDKPolygon& polygon, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    // The outline has the fill colour: borders come from the boundary lines.
    canvas.Pen.Color = polygon.FillColor;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Color = polygon.FillColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Polygon(canvas.Points().ConvertRing(polygon, toScreen));
}

void Draw(const TKDKPoint& point, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    canvas.Pen.Width = 1;
    canvas.Pen.Color = kMarkerColor;
    DrawMarker(canvas, toScreen(point.Position));
}

void Draw(const TKDKAttribute& record, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    if (record.LabelText.empty()) return;
    const TScreenPoint at = toScreen(record.LabelPoint);
    const int32_t height = ScreenLength(record.LabelHeight, toScreen);
    if (height <= 2) {
        canvas.SetPixel(at.X, at.Y, record.LabelColor);
        return;
    }
    canvas.Font.Color = record.LabelColor;
    canvas.Font.Height = height;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.TextOutBottomCentre(at, record.LabelText);
}

void DrawSelected(const TKDKElement& feature, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    switch (feature.FeatureKind) {
        case TFeatureKind::Line: {
            const auto& line = static_cast<const TKDKLine&>(feature);
            if (line.LineTag > codes::kLastDrawnLineTag) return;
            canvas.Brush.Style = TBrushStyle::bsClear;
            canvas.Pen.Width = line.Width == 0 ? 2 : std::max(2, ScreenLength(line.Width, toScreen));
            canvas.Polyline(canvas.Points().Convert(line.Vertices, toScreen));
            return;
        }
        case TFeatureKind::Polygon:
            canvas.Pen.Style = TPenStyle::psClear;
            canvas.Polygon(canvas.Points().ConvertRing(static_cast<const TKDKPolygon&>(feature), toScreen));
            return;
        case TFeatureKind::Point:
            DrawMarker(canvas, toScreen(static_cast<const TKDKPoint&>(feature).Position));
            return;
        default:
            return;
    }
}
