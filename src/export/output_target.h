#pragma once
// Where an export's layers go. For files, everything is written into a
// staging folder beside the destination and moved under its final names only
// when every layer was written, so a failed or cancelled export leaves nothing
// under those names. A format that holds one layer per file gets one data
// source per layer, named after the destination's stem and the layer.
// A connection string ("PG:...") is written in place.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gdal_priv.h>

#include "export/export_options.h"

class TOutputTarget {
public:
    // Chooses the driver and checks the destination; throws EExportError.
    // `layers` are the layers that will be written.
    TOutputTarget(const TExportOptions& options, const std::vector<TExportLayer>& layers);
    ~TOutputTarget();  // removes the staging folder unless committed
    TOutputTarget(const TOutputTarget&) = delete;
    TOutputTarget& operator=(const TOutputTarget&) = delete;

    const std::string& DriverName() const { return driverName_; }
    bool IsDatabase() const { return database_; }
    // Options for creating a layer of this driver (encoding, overwriting).
    std::vector<std::string> LayerCreationOptions() const;

    // The data source that receives the layer, created on first use.
    GDALDataset& DatasetFor(TExportLayer layer);
    // Closes every data source and moves the files under their final names;
    // returns those names.
    std::vector<std::string> Commit();
    // Closes every data source, leaving nothing of the files behind.
    void Discard();

private:
    struct Output {
        std::filesystem::path finalPath;  // empty for a database
        std::string openName;             // what GDAL creates
        std::unique_ptr<GDALDataset> dataset;
    };
    Output& outputFor(TExportLayer layer);
    void closeAll();

    GDALDriver* driver_ = nullptr;
    std::string driverName_;
    bool database_ = false;
    bool onePerFile_ = false;
    bool overwrite_ = false;
    std::filesystem::path staging_;
    std::vector<std::pair<TExportLayer, Output>> outputs_;
    std::vector<TExportLayer> layers_;
    std::string destination_;
    bool singleLayerToDestination_ = false;
};

// The driver a destination's extension or prefix names; "GPKG" when none does.
std::string GuessDriverName(const std::string& destination);
