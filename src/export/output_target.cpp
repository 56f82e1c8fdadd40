#include "export/output_target.h"

#include <algorithm>
#include <fstream>

#include <cpl_conv.h>
#include <cpl_error.h>
#include <ogrsf_frmts.h>

#include "export/connection_string.h"
#include "export/export_error.h"
#include "export/source_catalog.h"
#include "export/sqlite_cancel.h"

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool startsWithIgnoringCase(const std::string& text, const std::string& prefix) {
    return lowerAscii(text.substr(0, prefix.size())) == lowerAscii(prefix);
}

GDALDriver* vectorDriver(const std::string& name) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(name.c_str());
    if (!driver) throw EExportError("unknown format " + name);
    if (!driver->GetMetadataItem(GDAL_DCAP_VECTOR) || !driver->GetMetadataItem(GDAL_DCAP_CREATE))
        throw EExportError("format " + name + " cannot create vector data");
    // What was written is read back before it counts as written.
    if (!driver->GetMetadataItem(GDAL_DCAP_OPEN))
        throw EExportError("format " + name + " cannot be read back to check what was written");
    return driver;
}

// A database names its data sources with a connection prefix ("PG:") and has
// no file extension (a file format with a prefix, such as GPSBabel's, has one).
bool isDatabaseDriver(GDALDriver& driver) {
    const char* prefix = driver.GetMetadataItem(GDAL_DMD_CONNECTION_PREFIX);
    return prefix && *prefix && !driver.GetMetadataItem(GDAL_DMD_EXTENSIONS);
}

struct GdalClose {
    void operator()(GDALDataset* ds) const { GDALClose(ds); }
};

}  // namespace

bool SchemaExists(GDALDataset& ds, const std::string& schema) {
    OGRLayer* result = ds.ExecuteSQL(("SELECT nspname FROM pg_namespace WHERE nspname = " + SqlText(schema)).c_str(),
                                     nullptr, nullptr);
    const bool found = result && result->GetFeatureCount() > 0;
    if (result) ds.ReleaseResultSet(result);
    return found;
}

bool IsDatabaseFormat(const std::string& driverName) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    return driver && isDatabaseDriver(*driver);
}

std::string DestinationConnection(const TExportOptions& options, const std::string& driverName) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    if (!driver || !isDatabaseDriver(*driver)) return options.Destination;
    const std::string prefix = driver->GetMetadataItem(GDAL_DMD_CONNECTION_PREFIX);
    return startsWithIgnoringCase(options.Destination, prefix) ? options.Destination : prefix + options.Destination;
}

std::string ExportDriverName(const TExportOptions& options) {
    if (!options.Format.empty()) return options.Format;
    const std::string& destination = options.Destination;
    if (startsWithIgnoringCase(destination, "PG:")) return "PostgreSQL";
    const std::string ext = lowerAscii(fs::path(destination).extension().string());
    if (ext == ".gpkg") return "GPKG";
    if (ext == ".geojson" || ext == ".json") return "GeoJSON";
    if (ext == ".shp") return "ESRI Shapefile";
    if (ext == ".fgb") return "FlatGeobuf";
    if (ext == ".kml") return "KML";
    if (ext == ".dxf") return "DXF";
    if (ext == ".csv") return "CSV";
    if (ext == ".tab" || ext == ".mif") return "MapInfo File";
    throw EExportError((ext.empty() ? destination + " has no extension"
                                    : "the extension " + fs::path(destination).extension().string() + " of " +
                                          destination + " names no format") +
                           " the export knows (.gpkg, .geojson, .json, .shp, .fgb, .kml, .dxf, .csv, .tab, .mif);"
                           " give the format with --format",
                       TExportFailure::Failed, destination);
}

TOutputTarget::TOutputTarget(const TExportOptions& options, const std::vector<TExportLayer>& layers,
                             TGdalErrors& errors, std::function<bool()> stillWanted, bool recordSources)
    : errors_(errors), stillWanted_(std::move(stillWanted)), destination_(options.Destination), overwrite_(options.Overwrite),
      recordSources_(recordSources) {
    if (destination_.empty()) throw EExportError("no destination given");
    driverName_ = ExportDriverName(options);
    driver_ = vectorDriver(driverName_);
    encoding_ = options.Encoding;
    if (encoding_ != TExportEncoding::UTF8 && !TakesEncoding(driverName_))
        throw EExportError("format " + driverName_ + " writes UTF-8 only; --encoding " +
                           std::string(ExportEncodingName(encoding_)) + " is for Shapefile, DXF, CSV and MapInfo");
    const bool database = isDatabaseDriver(*driver_);
    if (startsWithIgnoringCase(destination_, "PG:") && !database)
        throw EExportError("a PG: connection string needs a database format, not " + driverName_);
    if (database) {
        const std::string prefix = driver_->GetMetadataItem(GDAL_DMD_CONNECTION_PREFIX);
        if (!startsWithIgnoringCase(destination_, prefix)) destination_ = prefix + destination_;
    }
    // GDAL's in-memory data sources have nothing to stage either.
    inPlace_ = database || driverName_ == "Memory";
    if (inPlace_) {
        outputs_.push_back({{}, destination_, layers, nullptr, false, false});
        recordSources_ = recordSources_ && database;
        openInPlace();
        return;
    }

    const fs::path dest(destination_);
    const std::string name = dest.filename().string();
    if (name.empty() || name == "." || name == "..")
        throw EExportError(destination_ + " names a folder, not a file", TExportFailure::CannotWrite, destination_);
    drawing_ = IsDrawingFormat(driverName_);
    if (drawing_) dxfHeader_ = std::make_unique<TDxfHeader>(encoding_);
    onePerFile_ = !drawing_ && !driver_->GetMetadataItem(GDAL_DCAP_MULTIPLE_VECTOR_LAYERS);
    if (onePerFile_ && options.Layers.size() != 1) {
        for (TExportLayer layer : layers)
            outputs_.push_back({dest.stem().string() + "_" + std::string(ExportLayerName(layer)) +
                                    dest.extension().string(),
                                {}, {layer}, nullptr, false, false});
    } else {
        outputs_.push_back({name, {}, layers, nullptr, false, false});
    }
    if (recordSources_ && driverName_ != "GPKG") sideFile_ = SourcesSideFileName(dest.stem().string());
    staging_ = std::make_unique<TStagingFolder>(dest.parent_path());
    errors_.ShowPathAs(staging_->NewFiles().string() + "/", staging_->Shown("").string());
    // The data sources' own names are refused before anything is written;
    // the files a driver adds beside them (.dbf, .xsd ...) when they are moved.
    for (Output& out : outputs_) {
        out.shown = staging_->Shown(out.fileName).string();
        staging_->RefuseExisting(out.fileName, overwrite_);
    }
    if (!sideFile_.empty()) staging_->RefuseExisting(sideFile_, overwrite_);
}

TOutputTarget::~TOutputTarget() { Discard(); }

void TOutputTarget::openInPlace() {
    Output& out = outputs_.front();
    errors_.Clear();
    if (driverName_ == "Memory") {
        out.dataset.reset(driver_->Create(destination_.c_str(), 0, 0, 0, GDT_Unknown, nullptr));
        if (!out.dataset) throw GdalFailure("cannot create " + destination_, TExportFailure::CannotWrite, destination_);
        return;
    }
    const char* const drivers[] = {driverName_.c_str(), nullptr};
    out.dataset.reset(GDALDataset::Open(destination_.c_str(), GDAL_OF_VECTOR | GDAL_OF_UPDATE, drivers));
    if (!out.dataset) throw GdalFailure("cannot open " + destination_, TExportFailure::CannotWrite, destination_);
    if (driverName_ == "PostgreSQL") {
        // GDAL would write into the next schema of the search path instead.
        const std::optional<std::string> schema = ConnectionOption(destination_, "active_schema");
        if (schema && !SchemaExists(*out.dataset, *schema))
            throw EExportError("schema " + *schema + " does not exist in the database", TExportFailure::Failed,
                               *schema);
    }
    std::vector<std::string> tables;
    for (TExportLayer layer : out.layers) tables.emplace_back(ExportLayerName(layer));
    if (recordSources_) tables.emplace_back(kSourcesTable);
    for (const std::string& name : tables) {
        if (!overwrite_ && out.dataset->GetLayerByName(name.c_str()))
            throw EExportError("table " + name + " already exists (--overwrite replaces it)",
                               TExportFailure::DestinationExists, name);
    }
    errors_.Clear();  // looking for a table that is not there is no failure
    // All layers or none: old tables replaced by OVERWRITE are dropped in the
    // same transaction, so a failure or an interrupt leaves them as they were.
    if (out.dataset->StartTransaction(FALSE) != OGRERR_NONE)
        throw GdalFailure("format " + driverName_ + " cannot write all layers in one transaction",
                          TExportFailure::Failed, destination_);
    out.inTransaction = true;
}

bool IsDrawingFormat(const std::string& driverName) { return driverName == "DXF"; }

bool TakesEncoding(const std::string& driverName) {
    return driverName == "ESRI Shapefile" || driverName == "DXF" || driverName == "CSV" || driverName == "MapInfo File";
}

bool TOutputTarget::RecodesTexts() const { return driverName_ == "ESRI Shapefile" || driverName_ == "MapInfo File"; }

std::vector<std::string> TOutputTarget::LayerCreationOptions() const {
    std::vector<std::string> list;
    const bool cp932 = encoding_ == TExportEncoding::CP932;
    if (driverName_ == "ESRI Shapefile") list.push_back(cp932 ? "ENCODING=CP932" : "ENCODING=UTF-8");
    if (driverName_ == "MapInfo File" && cp932) list.push_back("ENCODING=CP932");
    if (inPlace_ && overwrite_) list.push_back("OVERWRITE=YES");
    return list;
}

TOutputTarget::Output& TOutputTarget::outputFor(TExportLayer layer) {
    for (Output& out : outputs_)
        for (TExportLayer l : out.layers)
            if (l == layer) return out;
    throw EExportError("layer " + std::string(ExportLayerName(layer)) + " was not planned");
}

GDALDataset& TOutputTarget::DatasetFor(TExportLayer layer) {
    Output& out = outputFor(layer);
    out.created = true;
    if (out.dataset) return *out.dataset;
    errors_.Clear();
    const std::string path = (staging_->NewFiles() / out.fileName).string();
    {
        // A staged file is dropped whole on any failure, so SQLite needs no
        // journal file beside it, whose longer name would limit the destination's.
        const std::string previous = CPLGetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", "");
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", "MEMORY");
        const std::string header = dxfHeader_ ? "HEADER=" + dxfHeader_->Path() : std::string();
        const char* const options[] = {header.empty() ? nullptr : header.c_str(), nullptr};
        out.dataset.reset(driver_->Create(path.c_str(), 0, 0, 0, GDT_Unknown, const_cast<char**>(options)));
        CPLSetThreadLocalConfigOption("OGR_SQLITE_JOURNAL", previous.empty() ? nullptr : previous.c_str());
    }
    if (!out.dataset) throw GdalFailure("cannot create " + out.shown, TExportFailure::CannotWrite, out.shown);
    StopSqliteWhenCancelled(*out.dataset, stillWanted_);
    // One transaction per file where the format has them (GeoPackage): faster.
    out.inTransaction = out.dataset->StartTransaction(FALSE) == OGRERR_NONE;
    errors_.Clear();
    return *out.dataset;
}

void TOutputTarget::LayerDone(TExportLayer layer) {
    if (onePerFile_) finishFile(outputFor(layer));
}

void TOutputTarget::finishFile(Output& out) {
    if (!out.dataset) return;
    if (out.inTransaction && out.dataset->CommitTransaction() != OGRERR_NONE)
        throw GdalFailure("cannot write " + out.shown, TExportFailure::CannotWrite, out.shown);
    out.inTransaction = false;
    out.dataset.reset();  // GDAL 3.6 reports failures of closing through CPLError only
    errors_.ThrowIfFailed("cannot write " + out.shown, TExportFailure::CannotWrite, out.shown);
    if (driverName_ == "ESRI Shapefile" && encoding_ == TExportEncoding::CP932) writeCodePage(out);
}

// GDAL names the code page "CP932"; older tools read only the number, as does GDAL.
void TOutputTarget::writeCodePage(const Output& out) {
    const fs::path cpg = (staging_->NewFiles() / out.fileName).replace_extension(".cpg");
    std::ofstream file(cpg, std::ios::binary | std::ios::trunc);
    file << "932";
    file.close();
    if (!file)
        throw EExportError("cannot write " + staging_->Shown(cpg.filename().string()).string(),
                           TExportFailure::CannotWrite, out.shown);
}

GDALDataset* TOutputTarget::openWritten(Output& out) {
    // Whichever driver reads the file best: GDAL's KML writer, for one, keeps
    // features without geometry that only the LIBKML reader reads.
    auto open = [](const fs::path& path) {
        return GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY);
    };
    const fs::path written = staging_->NewFiles() / out.fileName;
    std::error_code ec;
    if (fs::exists(written, ec)) return open(written);
    // A driver may name the file otherwise: a shapefile without geometries is
    // its .dbf alone.
    const std::string stem = written.stem().string() + ".";
    std::vector<fs::path> candidates;
    for (const fs::directory_entry& e : fs::directory_iterator(staging_->NewFiles(), ec))
        if (e.path().filename().string().rfind(stem, 0) == 0) candidates.push_back(e.path());
    std::sort(candidates.begin(), candidates.end());
    for (const fs::path& candidate : candidates)
        if (GDALDataset* ds = open(candidate)) {
            out.fileName = candidate.filename().string();
            out.shown = staging_->Shown(out.fileName).string();
            errors_.Clear();  // the candidates that did not open
            return ds;
        }
    return nullptr;
}

int64_t TOutputTarget::countBack(OGRLayer& l) {
    if (l.TestCapability(OLCFastFeatureCount)) return l.GetFeatureCount(TRUE);
    int64_t count = 0;
    l.ResetReading();
    while (OGRFeature* f = l.GetNextFeature()) {
        OGRFeature::DestroyFeature(f);
        if ((++count & 1023) == 0 && !stillWanted_()) return -1;
    }
    return count;
}

bool TOutputTarget::readBack(GDALDataset& ds, const Output& out, const std::vector<TExportLayerCount>& written) {
    if (drawing_) {  // its one layer holds the entities of every layer written
        int64_t expected = 0;
        for (const TExportLayerCount& w : written) expected += w.Count;
        OGRLayer* l = ds.GetLayerCount() >= 1 ? ds.GetLayer(0) : nullptr;
        errors_.ThrowIfFailed("cannot read back " + out.shown, TExportFailure::CannotWrite, out.shown);
        if (!l) throw EExportError("cannot read back the entities of " + out.shown, TExportFailure::CannotWrite, out.shown);
        const int64_t count = countBack(*l);
        if (count < 0) return false;
        errors_.ThrowIfFailed("cannot read back " + out.shown, TExportFailure::CannotWrite, out.shown);
        if (count != expected)
            throw EExportError(out.shown + " holds " + std::to_string(count) + " of the " + std::to_string(expected) +
                                   " entities written when read back",
                               TExportFailure::CannotWrite, out.shown);
        return true;
    }
    for (TExportLayer layer : out.layers) {
        const std::string name(ExportLayerName(layer));
        int64_t expected = -1;
        for (const TExportLayerCount& w : written)
            if (w.Name == name) expected = w.Count;
        if (expected < 0) continue;
        // A file of its own names its one layer after the file.
        OGRLayer* l = onePerFile_ ? (ds.GetLayerCount() == 1 ? ds.GetLayer(0) : nullptr)
                                  : ds.GetLayerByName(name.c_str());
        errors_.ThrowIfFailed("cannot read back " + out.shown, TExportFailure::CannotWrite, out.shown);
        if (!l)
            throw EExportError("cannot read back layer " + name + " of " + out.shown, TExportFailure::CannotWrite,
                               out.shown);
        const int64_t count = countBack(*l);
        if (count < 0) return false;
        errors_.ThrowIfFailed("cannot read back " + out.shown, TExportFailure::CannotWrite, out.shown);
        if (count != expected)
            throw EExportError(out.shown + " holds " + std::to_string(count) + " of the " + std::to_string(expected) +
                                   " features of layer " + name + " when read back",
                               TExportFailure::CannotWrite, out.shown);
    }
    return true;
}

std::optional<std::vector<std::string>> TOutputTarget::Commit(const std::vector<TExportLayerCount>& written) {
    if (inPlace_) {
        Output& out = outputs_.front();
        if (!readBack(*out.dataset, out, written)) {
            Discard();
            return std::nullopt;
        }
        if (out.inTransaction && out.dataset->CommitTransaction() != OGRERR_NONE)
            throw GdalFailure("cannot write to " + out.shown, TExportFailure::CannotWrite, out.shown);
        out.inTransaction = false;
        errors_.ThrowIfFailed("cannot write to " + out.shown, TExportFailure::CannotWrite, out.shown);
        out.dataset.reset();
        return std::vector<std::string>{};
    }

    // A batch plans every layer; those no source had features for are not written.
    std::erase_if(outputs_, [](const Output& out) { return !out.created; });
    for (Output& out : outputs_) finishFile(out);
    for (Output& out : outputs_) {
        if (!stillWanted_()) {
            Discard();
            return std::nullopt;
        }
        std::unique_ptr<GDALDataset, GdalClose> ds(openWritten(out));
        if (!ds) throw GdalFailure("cannot read back " + out.shown, TExportFailure::CannotWrite, out.shown);
        if (!readBack(*ds, out, written)) {
            ds.reset();
            Discard();
            return std::nullopt;
        }
    }
    if (!stillWanted_()) {
        Discard();
        return std::nullopt;
    }
    staging_->Commit(overwrite_);
    std::vector<std::string> files;
    for (const Output& out : outputs_) files.push_back(out.shown);
    if (!sideFile_.empty()) files.push_back(staging_->Shown(sideFile_).string());
    return files;
}

void TOutputTarget::WriteSources(const std::vector<TSourceRecord>& records) {
    if (!recordSources_ || outputs_.empty()) return;
    if (!sideFile_.empty()) {
        const fs::path path = staging_->NewFiles() / sideFile_;
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << SourcesCsv(records);
        file.close();
        if (!file)
            throw EExportError("cannot write " + staging_->Shown(sideFile_).string(), TExportFailure::CannotWrite,
                               staging_->Shown(sideFile_).string());
        return;
    }
    // GeoPackage or a database: a table beside the layers, in their transaction.
    Output& out = outputs_.front();
    GDALDataset& ds = DatasetFor(out.layers.front());
    std::vector<std::string> options;
    if (inPlace_ && overwrite_) options.push_back("OVERWRITE=YES");
    errors_.Clear();
    OGRLayer& table = CreateSourcesTable(ds, options);
    for (const TSourceRecord& r : records) WriteSourceRow(ds, table, r, false);
    errors_.ThrowIfFailed(std::string("cannot write ") + kSourcesTable, TExportFailure::CannotWrite, kSourcesTable);
}

void TOutputTarget::Discard() {
    for (Output& out : outputs_) {
        if (out.dataset && out.inTransaction) out.dataset->RollbackTransaction();
        out.inTransaction = false;
        out.dataset.reset();
    }
    if (staging_) staging_->Remove();
    errors_.Clear();
}
