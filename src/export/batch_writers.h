#pragma once
// Writing the sources of a batch: one source's features into layers that
// exist or are created on first use, and the destinations a batch appends
// to, where each source is one transaction (GeoPackage, PostGIS).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "export/export_options.h"
#include "export/gdal_errors.h"
#include "export/progress_ticker.h"
#include "map/kdk_object.h"

struct TSourceWrite {
    std::vector<TExportLayerCount> Layers;  // the layers the source has features in, in kind order
    int64_t SkippedAreas = 0;               // polygons whose outline could not be built
    uint64_t ShiftFallbacks = 0;
    std::optional<int> Epsg;                // the system written
    bool Cancelled = false;
};

// The destination's layer, found or created (in `srs`) on first use.
using TLayerLookup = std::function<OGRLayer&(TExportLayer layer, OGRSpatialReference* srs)>;

// Writes the features of `map` in `layers` (those it has features in), each
// with its `source` field set to options.SourceName. Throws EExportError;
// returns with Cancelled set when the ticker was cancelled.
TSourceWrite WriteSourceFeatures(const TKDKObject& map, const TExportOptions& options,
                                 const std::vector<TExportLayer>& layers, bool recodesTexts,
                                 const TLayerLookup& layerFor, TGdalErrors& errors, ProgressTicker& ticker);

// Whether a format takes --append: GeoPackage and the database drivers.
bool AppendsInPlace(const std::string& driverName);

// One connection to a destination a batch appends to. A GeoPackage that does
// not exist is created first (empty but for the sources table, through the
// staging folder); a database's missing tables are made by
// PrepareDatabaseTables before the connections are opened.
class TAppendConnection {
public:
    TAppendConnection(const TExportOptions& options, const std::string& driverName, TGdalErrors& errors,
                      std::function<bool()> stillWanted);
    ~TAppendConnection();
    TAppendConnection(const TAppendConnection&) = delete;
    TAppendConnection& operator=(const TAppendConnection&) = delete;

    // Name -> files of the sources the destination holds.
    std::map<std::string, std::string> StoredSources();
    // Writes one source in one transaction: its rows of an earlier write
    // deleted from every layer, its features, its row of the sources table.
    // Rolled back when cancelled (Cancelled set) or failing (EExportError).
    TSourceWrite WriteSource(const TKDKObject& map, const TExportOptions& options,
                             const std::vector<TExportLayer>& layers, const TSourceRecord& record,
                             ProgressTicker& ticker);

private:
    OGRLayer& layerFor(TExportLayer layer, OGRSpatialReference* srs, std::optional<int> epsg);
    void execute(const std::string& sql);

    TGdalErrors& errors_;
    std::function<bool()> stillWanted_;  // outlives the data source, whose SQLite asks it
    std::string driverName_, shown_;
    std::unique_ptr<GDALDataset> ds_;
    bool inTransaction_ = false;
};

// Creates the tables of `layers` and the sources table that a database lacks,
// in `srs`, holding an advisory lock so that processes starting at once
// create each table once. Throws EExportError.
void PrepareDatabaseTables(const TExportOptions& options, const std::string& driverName,
                           const std::vector<TExportLayer>& layers, OGRSpatialReference* srs, TGdalErrors& errors);
