#pragma once
// Where an export's layers go, and the step that makes them the user's.
//
// Files are written into a staging folder beside the destination
// (TStagingFolder), closed, read back (layer names and feature counts) and
// only then moved under their final names, all or nothing. A format that
// holds one layer per file gets one data source per layer, named after the
// destination's stem and the layer, unless a single layer was asked for; a
// drawing (DXF) holds every layer in its one layer of entities.
// A database is written in one transaction, committed after the layers were
// counted back. OUT is a file name (a colon in it included) unless it starts
// with "PG:" or the format is a database's.
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gdal_priv.h>

#include "export/dxf_header.h"
#include "export/export_options.h"
#include "export/gdal_errors.h"
#include "export/staging_folder.h"

class TOutputTarget {
public:
    // Chooses the driver and checks the destination: refuses existing files
    // or tables unless overwriting. Throws EExportError. `layers` are the
    // layers that will be written; `stillWanted` tells whether the export
    // was cancelled (it is asked during the longer steps, too).
    // `recordSources`: the export records its sources (WriteSources), in a
    // table of the data source (GeoPackage, a database) or in a side file.
    TOutputTarget(const TExportOptions& options, const std::vector<TExportLayer>& layers, TGdalErrors& errors,
                  std::function<bool()> stillWanted, bool recordSources = false);
    ~TOutputTarget();  // discards whatever was not committed
    TOutputTarget(const TOutputTarget&) = delete;
    TOutputTarget& operator=(const TOutputTarget&) = delete;

    const std::string& DriverName() const { return driverName_; }
    // Options for creating a layer of this driver (encoding, overwriting).
    std::vector<std::string> LayerCreationOptions() const;
    // Whether the driver takes texts in UTF-8 and writes the chosen encoding
    // itself; otherwise it writes the bytes it is given.
    bool RecodesTexts() const;
    // Whether every layer goes into the one layer of a drawing (DXF).
    bool Drawing() const { return drawing_; }

    // The data source that receives the layer, created on first use.
    GDALDataset& DatasetFor(TExportLayer layer);
    // The layer is complete: a file of its own is closed at once (a
    // FlatGeobuf builds its index then), so that a cancel later has no more
    // than the current file to drop.
    void LayerDone(TExportLayer layer);
    // The sources written, into the sources table or side file (before Commit).
    void WriteSources(const std::vector<TSourceRecord>& records);
    // Finishes writing, checks that every layer holds `written`'s count and
    // makes the result the user's. Returns the files written (none for a
    // database), or nothing when the export was cancelled (nothing is kept
    // then). Throws EExportError, keeping nothing.
    std::optional<std::vector<std::string>> Commit(const std::vector<TExportLayerCount>& written);
    // Drops everything written: rolls the transaction back, removes the staging folder.
    void Discard();

private:
    struct Output {
        std::string fileName;             // in the staging folder; empty when written in place
        std::string shown;                // the name messages use
        std::vector<TExportLayer> layers;
        std::unique_ptr<GDALDataset> dataset;
        bool inTransaction = false;
        bool created = false;  // a layer was written into it
    };
    Output& outputFor(TExportLayer layer);
    void openInPlace();
    void finishFile(Output& out);
    // The staged file of `out` opened for reading; null when it cannot be.
    GDALDataset* openWritten(Output& out);
    bool readBack(GDALDataset& ds, const Output& out, const std::vector<TExportLayerCount>& written);
    // The features of a layer read back; -1 when the export was cancelled meanwhile.
    int64_t countBack(OGRLayer& layer);
    void writeCodePage(const Output& out);

    TGdalErrors& errors_;
    std::function<bool()> stillWanted_;  // outlives the data sources, whose SQLite asks it
    GDALDriver* driver_ = nullptr;
    std::string driverName_;
    std::string destination_;  // the file name or connection string
    bool inPlace_ = false;     // a database (or memory): no files, no staging
    bool onePerFile_ = false;
    bool drawing_ = false;
    bool overwrite_ = false;
    TExportEncoding encoding_ = TExportEncoding::UTF8;
    std::unique_ptr<TDxfHeader> dxfHeader_;
    std::unique_ptr<TStagingFolder> staging_;
    bool recordSources_ = false;
    std::string sideFile_;  // the sources' side file, in the staging folder; empty: a table
    std::vector<Output> outputs_;
};

// The driver an export writes with: --format's, else the one the
// destination's prefix or extension names. Throws EExportError for an
// extension that names no format the export knows.
std::string ExportDriverName(const TExportOptions& options);
// Whether the format is a CAD drawing (DXF), which holds every layer in one.
bool IsDrawingFormat(const std::string& driverName);
// Whether the format takes --encoding (Shapefile, DXF, CSV, MapInfo).
bool TakesEncoding(const std::string& driverName);
// Whether the format is a database's (a connection string, no files).
bool IsDatabaseFormat(const std::string& driverName);
// The destination as GDAL opens it: a database's with its connection prefix.
std::string DestinationConnection(const TExportOptions& options, const std::string& driverName);
// Whether a PostgreSQL database has the schema.
bool SchemaExists(GDALDataset& ds, const std::string& schema);
