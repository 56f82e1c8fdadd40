#pragma once
// Which layers an export writes and how each is created: the layers asked
// for (every layer when none is), less those the format cannot hold.
#include <span>
#include <string>
#include <vector>

#include <gdal_priv.h>
#include <ogrsf_frmts.h>

#include "export/export_options.h"
#include "export/layer_writer.h"

// Registers GDAL's drivers, once per process.
void RegisterExportDrivers();

// The layers asked for, each once; every layer when none is. Throws
// EExportError for a layer asked for twice.
std::vector<TExportLayer> ChosenLayers(const TExportOptions& options);

// Layers without geometry go only to a format that keeps such features: a
// layer asked for fails the export (EExportError), one of "every layer" is
// taken out of `layers` and named in `skipped`.
void LeaveOutWhatTheFormatDrops(const TExportOptions& options, const std::string& driverName,
                                std::vector<TExportLayer>& layers, std::vector<std::string>& skipped);

// Creates a layer or table with these fields, in `srs`; `noun` ("layer",
// "table") names it in messages. Throws EExportError.
OGRLayer& CreateLayerWithFields(GDALDataset& ds, const std::string& name, const char* noun, OGRSpatialReference* srs,
                                OGRwkbGeometryType geometry, std::span<const FieldSpec> fields,
                                const std::vector<std::string>& creationOptions);
// Creates the layer with the common fields and its own, in `srs`. Throws EExportError.
OGRLayer& CreateExportLayer(GDALDataset& ds, TExportLayer layer, OGRSpatialReference* srs,
                            const std::vector<std::string>& creationOptions);
