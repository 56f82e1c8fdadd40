#pragma once
// What an export writes and what it reports back.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "map/features.h"
#include "view/datum_shift.h"

// The layers an export can write: one per kind of record, in kind order,
// which is the writing order (export/export_layers.cpp describes them).
using TExportLayer = TFeatureKind;
inline constexpr int kExportLayerCount = static_cast<int>(kFeatureKindCount);

// The layer's name in the output ("lines", "areas", ...).
std::string_view ExportLayerName(TExportLayer layer);
std::optional<TExportLayer> ExportLayerFromName(std::string_view name);

// The encoding of the texts of a file format that takes one (Shapefile, DXF,
// CSV, MapInfo); every other format writes UTF-8.
enum class TExportEncoding { UTF8, CP932 };
// "UTF-8" or "CP932".
std::string_view ExportEncodingName(TExportEncoding encoding);
// From "UTF-8"/"UTF8" or "CP932"/"Shift_JIS"/"SJIS" (any case); none for another text.
std::optional<TExportEncoding> ExportEncodingFromName(std::string_view name);

// One row of the sources table (export/source_catalog.h): the source's
// name, the JSON lists of its files and of its feature counts per layer, and
// when it was written; all UTF-8.
struct TSourceRecord {
    std::string Name, Files, Counts, Written;
};

struct TExportOptions {
    // A file name or a GDAL connection string ("PG:dbname=gis").
    std::string Destination;
    // An OGR driver's short name; empty: guessed from the destination.
    std::string Format;
    // The EPSG code to reproject into; none: the data's own system.
    std::optional<int> ToEpsg;
    // How a reprojection shifts coordinates on the Tokyo datum.
    TDatumShift DatumShift = TDatumShift::dsHelmert;
    // The layers to write; empty: every layer that has features.
    std::vector<TExportLayer> Layers;
    // The texts' encoding; CP932 only for the formats that take an encoding.
    TExportEncoding Encoding = TExportEncoding::UTF8;
    // Replace existing files or tables instead of failing.
    bool Overwrite = false;
    // What every feature's `source` field holds (UTF-8): the name of the data
    // set it came from (the archive's or folder's stem); empty: null.
    std::string SourceName;
    // When set, the export records its source in the sources table (or side
    // file) with this name and these files; its counts are the export's own.
    std::optional<TSourceRecord> Source;
};

struct TExportLayerCount {
    std::string Name;
    int64_t Count = 0;
};

struct TExportSummary {
    std::vector<TExportLayerCount> Layers;  // the layers written, in order
    int64_t Total = 0;
    int64_t SkippedAreas = 0;  // polygons whose outline could not be built
    // Layers left out because the format drops features without geometry
    // (only when no layers were chosen; a chosen one fails the export).
    std::vector<std::string> SkippedLayers;
    std::optional<int> Epsg;   // the CRS written; none when the data's system is unknown
    // Vertices the three-parameter shift converted because the grid has no
    // parameter there (dsGrid only).
    uint64_t ShiftFallbacks = 0;
    std::string Driver;        // the OGR driver used
    std::vector<std::string> Files;  // the files written (empty for a database)
    bool Cancelled = false;    // the progress callback stopped the export; nothing was kept
};

// Called with (features written, features to write); returning false cancels.
using TExportProgress = std::function<bool(int64_t written, int64_t total)>;
