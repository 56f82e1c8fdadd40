#pragma once
// Writes a loaded map to an OGR data source: one layer per kind of feature
// (lines, areas, points, labels, nodes, links), every text in UTF-8, the
// coordinate reference system taken from the map's SourceFormat. The map is
// only read, so an export may run in a worker thread while others draw it.
#include "export/export_error.h"
#include "export/export_options.h"
#include "map/kdk_object.h"

// Throws EExportError with GDAL's message when writing fails; a cancelled
// export returns with Cancelled set. Either way nothing is left under the
// destination's file names.
TExportSummary ExportMap(const TKDKObject& map, const TExportOptions& options,
                         const TExportProgress& progress = {});
