// How each kind of feature draws itself, normally and as a found feature.
#include "drawing/feature_drawing.h"

#include <algorithm>
#include <optional>

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

// The pixel that every vertex of the feature falls on, when they all fall on one.
// A scale-and-shift transform rounds each axis monotonically, so the corners
// of the box decide it. Drawing that pixel repeated gives the same pixels as
// drawing every vertex (every canvas drops repeated points), and it is most of
// a whole town's features at full extent.
std::optional<TScreenPoint> SinglePixel(const TKDKPlacedElement& f, const TWorldToScreenFunc& toScreen) {
    const TLinearToScreen* t = toScreen.linear();
    if (!t || f.BoundsMin.X > f.BoundsMax.X) return std::nullopt;
    const TScreenPoint a = (*t)(f.BoundsMin.X, f.BoundsMin.Y);
    if (a != (*t)(f.BoundsMax.X, f.BoundsMax.Y)) return std::nullopt;
    return a;
}

std::span<const TScreenPoint> LinePoints(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    if (line.Vertices.size() >= 2)
        if (const auto p = SinglePixel(line, toScreen)) return canvas.Points().Repeat(*p, 2);
    return canvas.Points().Convert(line.Vertices, toScreen);
}

std::span<const TScreenPoint> RingPoints(const TKDKPolygon& polygon, Canvas& canvas,
                                         const TWorldToScreenFunc& toScreen) {
    if (polygon.RingCount >= 1)
        if (const auto p = SinglePixel(polygon, toScreen))
            return canvas.Points().Repeat(*p, std::min<size_t>(2, static_cast<size_t>(polygon.RingCount)));
    return canvas.Points().ConvertRing(polygon, toScreen);
}

// A cross of two five-pixel strokes meeting at the point.
void DrawMarker(Canvas& canvas, TScreenPoint p) {
    canvas.Line({p.X - 2, p.Y - 2}, {p.X + 3, p.Y + 3});
    canvas.Line({p.X - 2, p.Y + 2}, {p.X + 3, p.Y - 3});
}

}  // namespace

void Draw(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    Draw(line, canvas, toScreen, 1, kAnyLineWidth);
}

void Draw(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen, int32_t leastWidth,
          int32_t mostWidth) {
    if (line.LineTag > codes::kLastDrawnLineTag) return;
    const int32_t width = line.Width == 0 ? 1 : ScreenLength(line.Width, toScreen);
    canvas.Pen.Width = std::clamp(width, std::max(1, leastWidth), std::max({1, leastWidth, mostWidth}));
    canvas.Pen.Color = line.Color;
    canvas.Pen.Style = line.PenStyle;
    canvas.Brush.Color = line.Color;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Polyline(LinePoints(line, canvas, toScreen));
}

void Draw(const TKDKPolygon& polygon, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    // The outline has the fill colour: borders come from the boundary lines.
    canvas.Pen.Color = polygon.FillColor;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Brush.Color = polygon.FillColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Polygon(RingPoints(polygon, canvas, toScreen));
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
    canvas.TextOutBottomCentre(at, std::string(record.LabelText));
}

namespace {

// How each kind that can be found is highlighted; other kinds draw nothing.
void drawSelected(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    if (line.LineTag > codes::kLastDrawnLineTag) return;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Width = line.Width == 0 ? 2 : std::max(2, ScreenLength(line.Width, toScreen));
    canvas.Polyline(LinePoints(line, canvas, toScreen));
}

void drawSelected(const TKDKPolygon& polygon, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Polygon(RingPoints(polygon, canvas, toScreen));
}

void drawSelected(const TKDKPoint& point, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    DrawMarker(canvas, toScreen(point.Position));
}

template <class Feature>
void drawSelected(const Feature&, Canvas&, const TWorldToScreenFunc&) {}

}  // namespace

void DrawSelected(const TKDKElement& feature, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    VisitFeature(feature, [&](const auto& f) { drawSelected(f, canvas, toScreen); });
}
