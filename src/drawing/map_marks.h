#pragma once
// What the window marks over the map for the user: a route with its two
// ends, and a place that was looked up. Drawn over the map in every
// rendering (screen, clipboard picture, printed page) in a colour that no
// feature of the map uses, the route as a wide translucent line.
#include <optional>
#include <vector>

#include "drawing/canvas.h"
#include "geometry/geo_point.h"

struct TMapMarks {
    std::optional<TGeoPoint2D> RouteStart, RouteEnd;  // "ここから", "ここまで"
    std::vector<TGeoPoint2D> Route;                   // the route's line, empty without one
    std::optional<TGeoPoint2D> Place;                 // a place found
    std::optional<std::pair<TGeoPoint2D, TGeoPoint2D>> PlaceBounds;  // its bounds (min, max), for an area

    bool Empty() const { return !RouteStart && !RouteEnd && Route.empty() && !Place && !PlaceBounds; }
};

// The marks' colours (0x00BBGGRR): absent from the palette and the fixed colours.
inline constexpr TColor kRouteColour = 0xDC1E6E;  // a violet, apart from the magenta boundaries
inline constexpr TColor kPlaceColour = 0x00A5FE;  // an orange
inline constexpr uint8_t kRouteOpacity = 150;

// Draws the marks; `pixelsPerInch` is the target's resolution, which sizes
// the route's width and the end markers like a pen of about 2 mm.
void DrawMarks(const TMapMarks& marks, Canvas& canvas, const TWorldToScreenFunc& toScreen, double pixelsPerInch);
// The boxes of the symbols DrawMarks draws at the route's ends and the place
// found (their outlines included), which labels keep clear of.
std::vector<TScreenBox> MarkBoxes(const TMapMarks& marks, const TWorldToScreenFunc& toScreen, double pixelsPerInch);
