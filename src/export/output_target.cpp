#include "export/output_target.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include <cpl_error.h>

#include "export/export_error.h"

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// "PG:dbname=gis", "MySQL:..." — a connection string rather than a file name.
bool isConnectionString(const std::string& destination) {
    const size_t colon = destination.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    for (size_t i = 0; i < colon; ++i)
        if (!std::isalpha(static_cast<unsigned char>(destination[i]))) return false;
    return true;
}

GDALDriver* vectorDriver(const std::string& name) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(name.c_str());
    if (!driver) throw EExportError("unknown format " + name);
    if (!driver->GetMetadataItem(GDAL_DCAP_VECTOR) || !driver->GetMetadataItem(GDAL_DCAP_CREATE))
        throw EExportError("format " + name + " cannot create vector data");
    return driver;
}

}  // namespace

std::string GuessDriverName(const std::string& destination) {
    if (lowerAscii(destination.substr(0, 3)) == "pg:") return "PostgreSQL";
    const std::string ext = lowerAscii(fs::path(destination).extension().string());
    if (ext == ".geojson" || ext == ".json") return "GeoJSON";
    if (ext == ".shp") return "ESRI Shapefile";
    if (ext == ".fgb") return "FlatGeobuf";
    if (ext == ".kml") return "KML";
    return "GPKG";
}

TOutputTarget::TOutputTarget(const TExportOptions& options, const std::vector<TExportLayer>& layers)
    : overwrite_(options.Overwrite), layers_(layers), destination_(options.Destination) {
    if (destination_.empty()) throw EExportError("no destination given");
    driverName_ = options.Format.empty() ? GuessDriverName(destination_) : options.Format;
    driver_ = vectorDriver(driverName_);
    database_ = isConnectionString(destination_);
    onePerFile_ = !database_ && !driver_->GetMetadataItem(GDAL_DCAP_MULTIPLE_VECTOR_LAYERS);
    singleLayerToDestination_ = options.Layers.size() == 1;
    if (database_) return;

    // Every final name is known now: refuse existing ones before writing anything.
    const fs::path dest(destination_);
    for (TExportLayer layer : layers_) {
        const fs::path target = onePerFile_ && !singleLayerToDestination_
                                    ? dest.parent_path() / (dest.stem().string() + "_" +
                                                            std::string(ExportLayerName(layer)) +
                                                            dest.extension().string())
                                    : dest;
        std::error_code ec;
        if (!overwrite_ && fs::exists(target, ec))
            throw EExportError(target.string() + " already exists (--overwrite replaces it)");
        outputs_.push_back({layer, Output{target, {}, nullptr}});
        if (!onePerFile_) break;
    }
    const fs::path folder = dest.parent_path().empty() ? fs::path(".") : dest.parent_path();
    std::string pattern = (folder / ("." + dest.filename().string() + ".partial-XXXXXX")).string();
    if (!mkdtemp(pattern.data()))
        throw EExportError("cannot write in " + folder.string() + ": " + std::strerror(errno));
    staging_ = pattern;
    for (auto& [layer, out] : outputs_) out.openName = (staging_ / out.finalPath.filename()).string();
}

TOutputTarget::~TOutputTarget() { Discard(); }

std::vector<std::string> TOutputTarget::LayerCreationOptions() const {
    std::vector<std::string> list;
    if (driverName_ == "ESRI Shapefile") list.push_back("ENCODING=UTF-8");
    if (database_ && overwrite_) list.push_back("OVERWRITE=YES");
    return list;
}

TOutputTarget::Output& TOutputTarget::outputFor(TExportLayer layer) {
    if (database_) {
        if (outputs_.empty()) outputs_.push_back({layer, Output{{}, destination_, nullptr}});
        return outputs_.front().second;
    }
    if (!onePerFile_) return outputs_.front().second;
    for (auto& [l, out] : outputs_)
        if (l == layer) return out;
    throw EExportError("layer " + std::string(ExportLayerName(layer)) + " was not planned");
}

GDALDataset& TOutputTarget::DatasetFor(TExportLayer layer) {
    Output& out = outputFor(layer);
    if (out.dataset) return *out.dataset;
    CPLErrorReset();
    // A database driver's Create opens the existing database for writing.
    GDALDataset* ds = driver_->Create(out.openName.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    if (!ds) throw EExportError(GdalMessageOr("cannot create " + (database_ ? destination_ : out.finalPath.string())));
    out.dataset.reset(ds);
    return *ds;
}

void TOutputTarget::closeAll() {
    for (auto& [layer, out] : outputs_) out.dataset.reset();
}

std::vector<std::string> TOutputTarget::Commit() {
    CPLErrorReset();
    closeAll();
    if (CPLGetLastErrorType() >= CE_Failure) throw EExportError(GdalMessageOr("writing failed"));
    std::vector<std::string> files;
    if (database_) return files;
    // Each data source's files (a shapefile's .shx, .dbf, .prj, .cpg too) go
    // beside the destination under the names they were written with.
    const fs::path folder = outputs_.front().second.finalPath.parent_path();
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(staging_, ec)) {
        const fs::path target = folder / e.path().filename();
        fs::rename(e.path(), target, ec);
        if (ec) throw EExportError("cannot move " + e.path().string() + " to " + target.string() + ": " + ec.message());
    }
    if (ec) throw EExportError("cannot list " + staging_.string() + ": " + ec.message());
    for (auto& [layer, out] : outputs_)  // a driver may keep its data elsewhere (in memory)
        if (fs::exists(out.finalPath, ec)) files.push_back(out.finalPath.string());
    fs::remove_all(staging_, ec);
    staging_.clear();
    return files;
}

void TOutputTarget::Discard() {
    closeAll();
    if (!staging_.empty()) {
        std::error_code ec;
        fs::remove_all(staging_, ec);
        staging_.clear();
    }
}
