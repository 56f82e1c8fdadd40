#include "export/map_export.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include "export/export_projection.h"
#include "export/drawing_layers.h"
#include "export/export_layers.h"
#include "export/layer_plan.h"
#include "export/gdal_errors.h"
#include "export/output_target.h"
#include "export/source_catalog.h"

TExportSummary ExportMap(const TKDKObject& map, const TExportOptions& options, const TExportProgress& progress) {
    RegisterExportDrivers();
    TGdalErrors errors;
    TExportSummary summary;

    const std::string driverName = ExportDriverName(options);
    const bool drawing = IsDrawingFormat(driverName);
    std::vector<std::pair<TExportLayer, int64_t>> layers;
    for (TExportLayer layer : ChosenLayers(options)) {
        const TDrawingLayerDescription* drawn = drawing ? DrawingLayerDescription(layer) : nullptr;
        if (drawing && !drawn) {
            if (options.Layers.empty()) continue;
            throw EExportError("a DXF drawing holds the layers lines, areas, points and labels, not " +
                               std::string(ExportLayerName(layer)));
        }
        const int64_t n = drawn ? drawn->Count(map) : ExportLayerDescription(layer).Count(map);
        if (n > 0) layers.emplace_back(layer, n);
        summary.Total += n;
    }
    if (!drawing) {
        std::vector<TExportLayer> kept;
        for (const auto& [layer, n] : layers) kept.push_back(layer);
        LeaveOutWhatTheFormatDrops(options, driverName, kept, summary.SkippedLayers);
        std::erase_if(layers, [&](const auto& entry) {
            if (std::find(kept.begin(), kept.end(), entry.first) != kept.end()) return false;
            summary.Total -= entry.second;
            return true;
        });
    }
    // Polygons whose outline could not be built are left out of the areas.
    summary.SkippedAreas =
        static_cast<int64_t>(map.Polygons().size()) - ExportLayerDescription(TExportLayer::Polygon).Count(map);
    if (summary.Total == 0)
        throw EExportError(options.Layers.empty() ? "nothing to export: the map has no features"
                                                  : "nothing to export: the chosen layers have no features",
                           TExportFailure::NothingToExport);

    const TExportProjection projection(map.SourceFormat, options);
    summary.Epsg = projection.Epsg();
    OGRSpatialReference* srs = projection.Srs();

    std::vector<TExportLayer> planned;
    for (const auto& [layer, n] : layers) planned.push_back(layer);
    ProgressTicker ticker(progress, summary.Total);
    TOutputTarget target(options, planned, errors, [&ticker] { return ticker.StillWanted(); },
                         options.Source.has_value());
    summary.Driver = target.DriverName();
    TFeatureTexts texts(options.Encoding, target.RecodesTexts());
    CoordinateOutput coords = projection.Coordinates();
    try {
        // A drawing's layers all go into its one layer of entities.
        std::unique_ptr<DrawingWriter> drawingWriter;
        if (target.Drawing() && !layers.empty()) {
            GDALDataset& ds = target.DatasetFor(layers.front().first);
            OGRLayer* entities = ds.CreateLayer("entities", srs, wkbUnknown, nullptr);
            if (!entities) throw GdalFailure("cannot create the drawing's entities", TExportFailure::CannotWrite, "entities");
            drawingWriter = std::make_unique<DrawingWriter>(*entities, texts, coords);
        }
        for (const auto& [layer, n] : layers) {
            const std::string name(ExportLayerName(layer));
            bool finished;
            if (drawingWriter) {
                finished = DrawingLayerDescription(layer)->Write(map, *drawingWriter, ticker);
            } else {
                OGRLayer& l = CreateExportLayer(target.DatasetFor(layer), layer, srs, target.LayerCreationOptions());
                LayerWriter writer(l, name, texts, coords, options.SourceName);
                finished = ExportLayerDescription(layer).Write(map, writer, ticker);
            }
            if (!finished) {
                summary.Cancelled = true;
                break;
            }
            // A writer may report a failed write only through GDAL's error.
            errors.ThrowIfFailed("cannot write layer " + name, TExportFailure::CannotWrite, name);
            target.LayerDone(layer);
            summary.Layers.push_back({name, n});
        }
        if (!summary.Cancelled) {
            if (options.Source) {
                TSourceRecord record = *options.Source;
                record.Counts = LayerCountsJson(summary.Layers);
                target.WriteSources({record});
            }
            std::optional<std::vector<std::string>> files = target.Commit(summary.Layers);
            if (files) summary.Files = std::move(*files);
            else summary.Cancelled = true;
        }
    } catch (const EExportError&) {
        target.Discard();
        // A statement stopped by the cancel fails; the export was cancelled.
        if (!ticker.Cancelled()) throw;
        summary.Cancelled = true;
    } catch (...) {
        target.Discard();
        throw;
    }
    if (summary.Cancelled) {
        target.Discard();
        summary.Layers.clear();
    }
    summary.ShiftFallbacks = projection.ShiftFallbacks();
    return summary;
}
