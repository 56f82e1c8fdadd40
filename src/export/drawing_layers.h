#pragma once
// What a CAD drawing (DXF) holds of each layer of the export: lines and area
// outlines as polylines, points, and as texts the labels and the names of
// road centre lines. Nodes and links have no place in a drawing.
#include <cstdint>

#include "export/drawing_writer.h"
#include "export/export_options.h"
#include "export/progress_ticker.h"
#include "map/kdk_object.h"

struct TDrawingLayerDescription {
    // The entities the layer gives.
    int64_t (*Count)(const TKDKObject& map);
    // Writes them; false when the progress callback cancelled.
    bool (*Write)(const TKDKObject& map, DrawingWriter& writer, ProgressTicker& ticker);
};

// Null for the layers a drawing does not hold (nodes, links).
const TDrawingLayerDescription* DrawingLayerDescription(TExportLayer layer);
