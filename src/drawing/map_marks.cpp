#include "drawing/map_marks.h"

#include <algorithm>
#include <cmath>

namespace {

// A diamond of half-size r around p, filled with the brush.
void diamond(Canvas& canvas, TScreenPoint p, int r) {
    const TScreenPoint corners[] = {{p.X, p.Y - r}, {p.X + r, p.Y}, {p.X, p.Y + r}, {p.X - r, p.Y}};
    canvas.Polygon(corners);
}

}  // namespace

void DrawMarks(const TMapMarks& marks, Canvas& canvas, const TWorldToScreenFunc& toScreen, double pixelsPerInch) {
    if (marks.Empty()) return;
    const int width = std::max(4, static_cast<int>(std::lround(pixelsPerInch * 2 / 25.4)));
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Mode = TPenMode::pmCopy;

    if (marks.Route.size() >= 2) {
        std::vector<TScreenPoint> line;
        line.reserve(marks.Route.size());
        for (const TGeoPoint2D& p : marks.Route) line.push_back(toScreen(p));
        canvas.Pen.Color = kRouteColour;
        canvas.Pen.Width = width;
        canvas.Pen.Opacity = kRouteOpacity;
        canvas.Polyline(line);
    }
    // The ends and the place: opaque, outlined in white so they show on any fill.
    canvas.Pen.Opacity = 255;
    canvas.Pen.Color = clWhite;
    canvas.Pen.Width = std::max(1, width / 4);
    canvas.Brush.Color = kRouteColour;
    for (const auto& end : {marks.RouteStart, marks.RouteEnd})
        if (end) diamond(canvas, toScreen(*end), width + width / 2);

    if (marks.PlaceBounds) {
        const TScreenPoint a = toScreen(marks.PlaceBounds->first);
        const TScreenPoint b = toScreen(marks.PlaceBounds->second);
        const TScreenPoint box[] = {{a.X, a.Y}, {b.X, a.Y}, {b.X, b.Y}, {a.X, b.Y}, {a.X, a.Y}};
        canvas.Pen.Color = kPlaceColour;
        canvas.Pen.Width = std::max(2, width / 2);
        canvas.Polyline(box);
    }
    if (marks.Place) {
        canvas.Pen.Color = clWhite;
        canvas.Pen.Width = std::max(1, width / 4);
        canvas.Brush.Color = kPlaceColour;
        diamond(canvas, toScreen(*marks.Place), 2 * width);
    }
}
