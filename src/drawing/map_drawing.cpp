// Drawing the whole map: the features the view box meets, through the spatial
// grids, in the lists' order.
#include "drawing/feature_drawing.h"

void Draw(const TKDKObject& map, const TDisplayState& state, Canvas& canvas, const TGeoPoint2D& min,
          const TGeoPoint2D& max, const TWorldToScreenFunc& toScreen) {
    const TGridBox box{min.X, min.Y, max.X, max.Y};
    auto drawShown = [&](const auto& feature) {
        if (state.Shows(feature)) Draw(feature, canvas, toScreen);
    };
    map.ForEachPolygonOverlapping(box, drawShown);
    map.ForEachLineOverlapping(box, drawShown);
    map.ForEachPointOverlapping(box, drawShown);
    map.ForEachLabelOverlapping(box, drawShown);
}

void Draw(const TKDKObject& map, Canvas& canvas, const TGeoPoint2D& min, const TGeoPoint2D& max,
          const TWorldToScreenFunc& toScreen) {
    Draw(map, map.DisplayState(), canvas, min, max, toScreen);
}
