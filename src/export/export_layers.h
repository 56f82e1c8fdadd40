#pragma once
// The layer each kind of record is exported to: its name, its geometry, its
// own fields (after the common ones) and how its features are counted and
// written. Keyed by TExportLayer, which is the record kind.
#include <cstdint>
#include <span>
#include <string_view>

#include "export/layer_writer.h"
#include "export/progress_ticker.h"

struct TExportLayerDescription {
    std::string_view Name;
    OGRwkbGeometryType Geometry;  // wkbNone: records without geometry
    std::span<const FieldSpec> Fields;
    // The features the layer gets (some kinds leave features out).
    int64_t (*Count)(const TKDKObject& map);
    // Writes them in list order; false when the progress callback cancelled.
    bool (*Write)(const TKDKObject& map, LayerWriter& writer, ProgressTicker& ticker);
};

const TExportLayerDescription& ExportLayerDescription(TExportLayer layer);
