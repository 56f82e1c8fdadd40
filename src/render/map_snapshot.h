#pragma once
// MapSnapshot, everything one rendering draws, as values: the shared map,
// copies of the display state, the selection and the marks, the selection's
// style and the view. A rendering reads only its snapshot, so it may run on
// any thread while the document and the window go on changing theirs.
#include <memory>
#include <vector>

#include "drawing/canvas.h"
#include "drawing/map_marks.h"
#include "map/display_state.h"
#include "map/kdk_object.h"
#include "view/viewport.h"

class MapDocument;

// How found features are drawn over the map.
struct TSelectionStyle {
    TColor Color = 0x0000FF;
    TPenStyle PenStyle = TPenStyle::psSolid;
    int PenWidth = 3;
    TBrushStyle BrushStyle = TBrushStyle::bsDiagCross;
};

struct MapSnapshot {
    std::shared_ptr<const TKDKObject> Map;  // null: only the background is drawn
    TDisplayState Display;
    std::vector<const TKDKElement*> Selection;  // features of Map, which keeps them alive
    TMapMarks Marks;
    TSelectionStyle SelectionStyle;
    // The view, the surface size in pixels and the resolution the marks are sized for.
    TViewport Viewport;
};

// The document's map and what is drawn with it, seen through `viewport`.
MapSnapshot SnapshotOf(const MapDocument& document, const TViewport& viewport, const TSelectionStyle& style);
