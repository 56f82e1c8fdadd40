#include "drawing/map_marks.h"

#include <algorithm>
#include <cmath>

namespace {

// A diamond of half-size r around p, filled with the brush.
void diamond(Canvas& canvas, TScreenPoint p, int r) {
    const TScreenPoint corners[] = {{p.X, p.Y - r}, {p.X + r, p.Y}, {p.X, p.Y + r}, {p.X - r, p.Y}};
    canvas.Polygon(corners);
}

// The route's width: a pen of about 2 mm.
int routeWidth(double pixelsPerInch) { return std::max(4, static_cast<int>(std::lround(pixelsPerInch * 2 / 25.4))); }
// The half-sizes of the diamonds at the route's ends and at the place found, and their outlines' width.
int endRadius(int width) { return width + width / 2; }
int placeRadius(int width) { return 2 * width; }
int outlineWidth(int width) { return std::max(1, width / 4); }

}  // namespace

void DrawMarks(const TMapMarks& marks, Canvas& canvas, const TWorldToScreenFunc& toScreen, double pixelsPerInch) {
    if (marks.Empty()) return;
    const int width = routeWidth(pixelsPerInch);
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
    canvas.Pen.Width = outlineWidth(width);
    canvas.Brush.Color = kRouteColour;
    for (const auto& end : {marks.RouteStart, marks.RouteEnd})
        if (end) diamond(canvas, toScreen(*end), endRadius(width));

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
        canvas.Pen.Width = outlineWidth(width);
        canvas.Brush.Color = kPlaceColour;
        diamond(canvas, toScreen(*marks.Place), placeRadius(width));
    }
}

std::vector<TScreenBox> MarkBoxes(const TMapMarks& marks, const TWorldToScreenFunc& toScreen, double pixelsPerInch) {
    const int width = routeWidth(pixelsPerInch);
    std::vector<TScreenBox> boxes;
    auto add = [&](const TGeoPoint2D& at, int radius) {
        const TScreenPoint p = toScreen(at);
        const double r = radius + outlineWidth(width);
        boxes.push_back({p.X - r, p.Y - r, p.X + r + 1, p.Y + r + 1});
    };
    for (const auto& end : {marks.RouteStart, marks.RouteEnd})
        if (end) add(*end, endRadius(width));
    if (marks.Place) add(*marks.Place, placeRadius(width));
    return boxes;
}
