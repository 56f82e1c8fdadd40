#include "export/batch_writers.h"

#include <filesystem>

#include <cpl_conv.h>
#include <ogrsf_frmts.h>

#include "export/connection_string.h"
#include "export/export_layers.h"
#include "export/export_projection.h"
#include "export/layer_plan.h"
#include "export/output_target.h"
#include "export/source_catalog.h"
#include "export/sqlite_cancel.h"
#include "export/staging_folder.h"

namespace fs = std::filesystem;

namespace {

std::string quotedName(std::string_view name) { return "\"" + std::string(name) + "\""; }

// The index that makes replacing a source's rows no full scan.
std::string sourceIndexSql(const std::string& layer) {
    return "CREATE INDEX IF NOT EXISTS " + quotedName(layer + "_source") + " ON " + quotedName(layer) + " (source)";
}

// The EPSG code of a layer's system; none when it has none or no code.
std::optional<int> epsgOf(OGRLayer& layer) {
    const OGRSpatialReference* srs = layer.GetSpatialRef();
    const char* code = srs ? srs->GetAuthorityCode(nullptr) : nullptr;
    if (!code) return std::nullopt;
    return std::atoi(code);
}

// A first SELECT of a database runs when its first row is asked for.
void runQuery(GDALDataset& ds, const std::string& sql) {
    if (OGRLayer* result = ds.ExecuteSQL(sql.c_str(), nullptr, nullptr)) {
        result->ResetReading();
        if (OGRFeature* f = result->GetNextFeature()) OGRFeature::DestroyFeature(f);
        ds.ReleaseResultSet(result);
    }
}

std::unique_ptr<GDALDataset> openForUpdate(const std::string& connection, const std::string& driverName,
                                           const std::string& shown) {
    const char* const drivers[] = {driverName.c_str(), nullptr};
    std::unique_ptr<GDALDataset> ds(
        GDALDataset::Open(connection.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, drivers, nullptr, nullptr));
    if (!ds) throw GdalFailure("cannot open " + shown + " to append to it", TExportFailure::CannotWrite, shown);
    return ds;
}

// A GeoPackage to append to that does not exist yet: made empty, with its
// sources table, beside it and moved into place, so that an interrupt never
// leaves half a file.
void createEmptyGeoPackage(const std::string& destination) {
    const fs::path dest(destination);
    TStagingFolder staging(dest.parent_path());
    const std::string name = dest.filename().string();
    staging.RefuseExisting(name, false);
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName("GPKG");
    std::unique_ptr<GDALDataset> ds(
        driver->Create((staging.NewFiles() / name).c_str(), 0, 0, 0, GDT_Unknown, nullptr));
    if (!ds) throw GdalFailure("cannot create " + destination, TExportFailure::CannotWrite, destination);
    CreateSourcesTable(*ds, {});
    ds.reset();
    staging.Commit(false);
}

// A GDAL option set on this thread while it lives, the previous value put back after.
class ThreadOption {
public:
    ThreadOption(const char* key, const char* value) : key_(key), previous_(CPLGetThreadLocalConfigOption(key, "")) {
        CPLSetThreadLocalConfigOption(key, value);
    }
    ~ThreadOption() { CPLSetThreadLocalConfigOption(key_, previous_.empty() ? nullptr : previous_.c_str()); }
    ThreadOption(const ThreadOption&) = delete;
    ThreadOption& operator=(const ThreadOption&) = delete;

private:
    const char* key_;
    std::string previous_;
};

}  // namespace

TSourceWrite WriteSourceFeatures(const TKDKObject& map, const TExportOptions& options,
                                 const std::vector<TExportLayer>& layers, bool recodesTexts,
                                 const TLayerLookup& layerFor, TGdalErrors& errors, ProgressTicker& ticker) {
    TSourceWrite result;
    const TExportProjection projection(map.SourceFormat, options);
    result.Epsg = projection.Epsg();
    TFeatureTexts texts(options.Encoding, recodesTexts);
    CoordinateOutput coords = projection.Coordinates();
    for (TExportLayer layer : layers) {
        const TExportLayerDescription& description = ExportLayerDescription(layer);
        const int64_t n = description.Count(map);
        if (n == 0) continue;
        const std::string name(ExportLayerName(layer));
        LayerWriter writer(layerFor(layer, projection.Srs()), name, texts, coords, options.SourceName);
        if (!description.Write(map, writer, ticker)) {
            result.Cancelled = true;
            return result;
        }
        errors.ThrowIfFailed("cannot write layer " + name, TExportFailure::CannotWrite, name);
        result.Layers.push_back({name, n});
    }
    result.SkippedAreas =
        static_cast<int64_t>(map.Polygons().size()) - ExportLayerDescription(TExportLayer::Polygon).Count(map);
    result.ShiftFallbacks = projection.ShiftFallbacks();
    return result;
}

bool AppendsInPlace(const std::string& driverName) {
    return driverName == "GPKG" || IsDatabaseFormat(driverName);
}

TAppendConnection::TAppendConnection(const TExportOptions& options, const std::string& driverName, TGdalErrors& errors,
                                     std::function<bool()> stillWanted)
    : errors_(errors), stillWanted_(std::move(stillWanted)), driverName_(driverName),
      shown_(WithoutPasswords(options.Destination)) {
    const std::string connection = DestinationConnection(options, driverName);
    std::error_code ec;
    if (driverName == "GPKG" && !fs::exists(connection, ec)) createEmptyGeoPackage(connection);
    errors_.Clear();
    ds_ = openForUpdate(connection, driverName, shown_);
    if (driverName == "GPKG") StopSqliteWhenCancelled(*ds_, stillWanted_);
    if (!FindSourcesTable(*ds_)) {
        if (IsDatabaseFormat(driverName))
            throw EExportError("table " + std::string(kSourcesTable) + " is missing", TExportFailure::Failed, shown_);
        // A GeoPackage an export without --append wrote: sources table first.
        if (ds_->StartTransaction(FALSE) != OGRERR_NONE)
            throw GdalFailure("cannot write to " + shown_, TExportFailure::CannotWrite, shown_);
        CreateSourcesTable(*ds_, {});
        if (ds_->CommitTransaction() != OGRERR_NONE)
            throw GdalFailure("cannot write to " + shown_, TExportFailure::CannotWrite, shown_);
    }
    errors_.Clear();
}

TAppendConnection::~TAppendConnection() {
    if (inTransaction_) ds_->RollbackTransaction();
}

std::map<std::string, std::string> TAppendConnection::StoredSources() {
    OGRLayer* table = FindSourcesTable(*ds_);
    return table ? ::StoredSources(*table) : std::map<std::string, std::string>{};
}

void TAppendConnection::execute(const std::string& sql) {
    ds_->ReleaseResultSet(ds_->ExecuteSQL(sql.c_str(), nullptr, nullptr));
    errors_.ThrowIfFailed("cannot write to " + shown_, TExportFailure::CannotWrite, shown_);
}

OGRLayer& TAppendConnection::layerFor(TExportLayer layer, OGRSpatialReference* srs, std::optional<int> epsg) {
    const std::string name(ExportLayerName(layer));
    OGRLayer* l = ds_->GetLayerByName(name.c_str());
    errors_.Clear();
    if (!l) return CreateExportLayer(*ds_, layer, srs, {});
    if (l->GetLayerDefn()->GetFieldIndex("source") < 0)
        throw EExportError("layer " + name + " of " + shown_ + " has no field source, so it was not written by " +
                               "a batch; export it anew with --overwrite",
                           TExportFailure::Failed, shown_);
    if (ExportLayerDescription(layer).Geometry != wkbNone && epsgOf(*l) != epsg)
        throw EExportError("layer " + name + " of " + shown_ + " is in " +
                               (epsgOf(*l) ? "EPSG:" + std::to_string(*epsgOf(*l)) : std::string("another system")) +
                               ", the sources are written in " +
                               (epsg ? "EPSG:" + std::to_string(*epsg) : std::string("an unknown system")) +
                               " (--to-crs chooses the system)",
                           TExportFailure::Failed, shown_);
    return *l;
}

TSourceWrite TAppendConnection::WriteSource(const TKDKObject& map, const TExportOptions& options,
                                            const std::vector<TExportLayer>& layers, const TSourceRecord& record,
                                            ProgressTicker& ticker) {
    // GeoPackage builds a new layer's spatial index on a thread of its own
    // with a database attached, which the SQL of a source's transaction
    // (deleting, indexing) then cannot detach: built the plain way instead.
    const ThreadOption plainIndex("OGR_GPKG_ALLOW_THREADED_RTREE", "NO");
    errors_.Clear();
    if (ds_->StartTransaction(FALSE) != OGRERR_NONE)
        throw GdalFailure("cannot start a transaction in " + shown_, TExportFailure::CannotWrite, shown_);
    inTransaction_ = true;
    TSourceWrite result;
    try {
        const bool database = IsDatabaseFormat(driverName_);
        // Two processes writing the same source wait for each other.
        if (database) runQuery(*ds_, "SELECT pg_advisory_xact_lock(hashtext(" + SqlText("orvelle:" + record.Name) + "))");
        for (int i = 0; i < kExportLayerCount; ++i) {
            const std::string name(ExportLayerName(static_cast<TExportLayer>(i)));
            OGRLayer* l = ds_->GetLayerByName(name.c_str());
            errors_.Clear();
            if (l && l->GetLayerDefn()->GetFieldIndex("source") >= 0)
                execute("DELETE FROM " + quotedName(name) + " WHERE source = " + SqlText(record.Name));
        }
        const std::optional<int> epsg = TExportProjection(map.SourceFormat, options).Epsg();
        result = WriteSourceFeatures(
            map, options, layers, /*recodesTexts=*/false,  // GeoPackage and databases take UTF-8 only
            [&](TExportLayer layer, OGRSpatialReference* srs) -> OGRLayer& { return layerFor(layer, srs, epsg); },
            errors_, ticker);
        if (result.Cancelled) {
            ds_->RollbackTransaction();
            inTransaction_ = false;
            errors_.Clear();
            return result;
        }
        // A database's indexes are made with its tables (PrepareDatabaseTables):
        // made here they would lock the table against the other connections.
        if (!database)
            for (const TExportLayerCount& l : result.Layers)
                execute(sourceIndexSql(l.Name));
        TSourceRecord row = record;
        row.Counts = LayerCountsJson(result.Layers);
        OGRLayer* table = FindSourcesTable(*ds_);
        if (!table) throw EExportError("table " + std::string(kSourcesTable) + " is missing", TExportFailure::Failed, shown_);
        WriteSourceRow(*ds_, *table, row, true);
        errors_.ThrowIfFailed("cannot write to " + shown_, TExportFailure::CannotWrite, shown_);
        if (ds_->CommitTransaction() != OGRERR_NONE)
            throw GdalFailure("cannot write to " + shown_, TExportFailure::CannotWrite, shown_);
        inTransaction_ = false;
        errors_.ThrowIfFailed("cannot write to " + shown_, TExportFailure::CannotWrite, shown_);
    } catch (...) {
        if (inTransaction_) ds_->RollbackTransaction();
        inTransaction_ = false;
        // A statement stopped by the cancel fails; the source was cancelled.
        if (!ticker.Cancelled()) throw;
        result.Cancelled = true;
        errors_.Clear();
    }
    return result;
}

void PrepareDatabaseTables(const TExportOptions& options, const std::string& driverName,
                           const std::vector<TExportLayer>& layers, OGRSpatialReference* srs, TGdalErrors& errors) {
    const std::string connection = DestinationConnection(options, driverName);
    const std::string shown = WithoutPasswords(options.Destination);
    errors.Clear();
    // The lock is held by a connection of its own, so that the one creating
    // the tables is opened after it and sees what another process made.
    std::unique_ptr<GDALDataset> lock = openForUpdate(connection, driverName, shown);
    if (lock->StartTransaction(FALSE) != OGRERR_NONE)
        throw GdalFailure("cannot start a transaction in " + shown, TExportFailure::CannotWrite, shown);
    runQuery(*lock, "SELECT pg_advisory_xact_lock(hashtext('orvelle:tables'))");
    errors.ThrowIfFailed("cannot lock " + shown, TExportFailure::CannotWrite, shown);
    {
        std::unique_ptr<GDALDataset> ds = openForUpdate(connection, driverName, shown);
        if (const std::optional<std::string> schema = ConnectionOption(connection, "active_schema")) {
            if (!SchemaExists(*ds, *schema))
                throw EExportError("schema " + *schema + " does not exist in the database", TExportFailure::Failed,
                                   *schema);
        }
        if (ds->StartTransaction(FALSE) != OGRERR_NONE)
            throw GdalFailure("cannot start a transaction in " + shown, TExportFailure::CannotWrite, shown);
        for (TExportLayer layer : layers) {
            const std::string name(ExportLayerName(layer));
            OGRLayer* l = ds->GetLayerByName(name.c_str());
            errors.Clear();
            if (!l) l = &CreateExportLayer(*ds, layer, srs, {});
            if (l->GetLayerDefn()->GetFieldIndex("source") < 0) continue;  // refused when written to
            ds->ReleaseResultSet(ds->ExecuteSQL(sourceIndexSql(name).c_str(), nullptr, nullptr));
        }
        if (!FindSourcesTable(*ds)) CreateSourcesTable(*ds, {});
        errors.ThrowIfFailed("cannot create the tables of " + shown, TExportFailure::CannotWrite, shown);
        if (ds->CommitTransaction() != OGRERR_NONE)
            throw GdalFailure("cannot create the tables of " + shown, TExportFailure::CannotWrite, shown);
        errors.ThrowIfFailed("cannot create the tables of " + shown, TExportFailure::CannotWrite, shown);
    }
    lock->CommitTransaction();
    errors.Clear();
}
