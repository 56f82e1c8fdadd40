#pragma once
#include <cstdint>

// Drawing features and whole maps onto a Canvas.
#include "drawing/canvas.h"
#include "drawing/world_to_screen.h"
#include "map/kdk_object.h"

// Draws the feature normally (construction arcs and records without a label draw nothing).
void Draw(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen);
// The line with its pen width kept from leastWidth to mostWidth pixels.
inline constexpr int32_t kAnyLineWidth = INT32_MAX;
void Draw(const TKDKLine& line, Canvas& canvas, const TWorldToScreenFunc& toScreen, int32_t leastWidth,
          int32_t mostWidth);
void Draw(const TKDKPolygon& polygon, Canvas& canvas, const TWorldToScreenFunc& toScreen);
void Draw(const TKDKPoint& point, Canvas& canvas, const TWorldToScreenFunc& toScreen);
void Draw(const TKDKAttribute& record, Canvas& canvas, const TWorldToScreenFunc& toScreen);
// Draws a found feature with the pen and brush the caller has set (lines,
// polygons and points; other kinds draw nothing).
void DrawSelected(const TKDKElement& feature, Canvas& canvas, const TWorldToScreenFunc& toScreen);

// Draws the features overlapping the world box from min to max that the
// display state shows: polygons in drawing order, then lines, points and
// labels. Reads the map only.
void Draw(const TKDKObject& map, const TDisplayState& state, Canvas& canvas, const TGeoPoint2D& min,
          const TGeoPoint2D& max, const TWorldToScreenFunc& toScreen);
// The same with the map's own display state.
void Draw(const TKDKObject& map, Canvas& canvas, const TGeoPoint2D& min, const TGeoPoint2D& max,
          const TWorldToScreenFunc& toScreen);
