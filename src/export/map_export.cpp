#include "export/map_export.h"

#include <algorithm>
#include <memory>
#include <mutex>
#include <vector>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include "export/crs_choice.h"
#include "export/drawing_layers.h"
#include "export/export_layers.h"
#include "export/format_probe.h"
#include "export/gdal_errors.h"
#include "export/output_target.h"
#include "view/coordinate_translator.h"

namespace {

void registerDrivers() {
    static std::once_flag once;
    std::call_once(once, [] { GDALAllRegister(); });
}

struct CtDelete {
    void operator()(OGRCoordinateTransformation* ct) const { OGRCoordinateTransformation::DestroyCT(ct); }
};

OGRLayer& createLayer(GDALDataset& ds, TExportLayer layer, OGRSpatialReference* srs,
                      const std::vector<std::string>& options) {
    std::vector<const char*> list;
    for (const std::string& o : options) list.push_back(o.c_str());
    list.push_back(nullptr);
    const std::string name(ExportLayerName(layer));
    const TExportLayerDescription& description = ExportLayerDescription(layer);
    OGRLayer* l = ds.CreateLayer(name.c_str(), srs, description.Geometry, const_cast<char**>(list.data()));
    if (!l) throw GdalFailure("cannot create layer " + name, TExportFailure::CannotWrite, name);
    std::vector<FieldSpec> fields(kCommon.begin(), kCommon.end());
    fields.insert(fields.end(), description.Fields.begin(), description.Fields.end());
    for (const FieldSpec& f : fields) {
        OGRFieldDefn defn(f.name, f.type);
        defn.SetSubType(f.subType);
        if (l->CreateField(&defn) != OGRERR_NONE)
            throw GdalFailure("cannot create field " + std::string(f.name) + " of layer " + name,
                              TExportFailure::CannotWrite, name);
    }
    return *l;
}

// Layers without geometry go only to a format that keeps such features: a
// layer asked for fails the export, one of "every layer" is left out.
void leaveOutWhatTheFormatDrops(const TExportOptions& options, const std::string& driverName,
                                std::vector<std::pair<TExportLayer, int64_t>>& layers, TExportSummary& summary) {
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    auto withoutGeometry = [](const auto& entry) { return ExportLayerDescription(entry.first).Geometry == wkbNone; };
    if (!driver || std::none_of(layers.begin(), layers.end(), withoutGeometry) || KeepsFeaturesWithoutGeometry(*driver))
        return;
    for (const auto& [layer, n] : layers) {
        if (ExportLayerDescription(layer).Geometry != wkbNone) continue;
        const std::string name(ExportLayerName(layer));
        if (!options.Layers.empty())
            throw EExportError("format " + driverName + " drops features without geometry, which layer " + name +
                                   " has",
                               TExportFailure::Failed, name);
        summary.SkippedLayers.push_back(name);
        summary.Total -= n;
    }
    std::erase_if(layers, withoutGeometry);
}

// The layers asked for, each once; every layer when none is.
std::vector<TExportLayer> chosenLayers(const TExportOptions& options) {
    std::vector<TExportLayer> chosen;
    for (TExportLayer layer : options.Layers) {
        for (TExportLayer earlier : chosen)
            if (earlier == layer)
                throw EExportError("layer " + std::string(ExportLayerName(layer)) + " is asked for twice");
        chosen.push_back(layer);
    }
    if (chosen.empty())
        for (int i = 0; i < kExportLayerCount; ++i) chosen.push_back(static_cast<TExportLayer>(i));
    return chosen;
}

}  // namespace

TExportSummary ExportMap(const TKDKObject& map, const TExportOptions& options, const TExportProgress& progress) {
    registerDrivers();
    TGdalErrors errors;
    TExportSummary summary;

    const std::string driverName = ExportDriverName(options);
    const bool drawing = IsDrawingFormat(driverName);
    std::vector<std::pair<TExportLayer, int64_t>> layers;
    for (TExportLayer layer : chosenLayers(options)) {
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
    if (!drawing) leaveOutWhatTheFormatDrops(options, driverName, layers, summary);
    // Polygons whose outline could not be built are left out of the areas.
    summary.SkippedAreas =
        static_cast<int64_t>(map.Polygons().size()) - ExportLayerDescription(TExportLayer::Polygon).Count(map);
    if (summary.Total == 0)
        throw EExportError(options.Layers.empty() ? "nothing to export: the map has no features"
                                                  : "nothing to export: the chosen layers have no features",
                           TExportFailure::NothingToExport);

    // The systems first: a bad code fails before anything is created.
    summary.Epsg = EpsgOfFormat(map.SourceFormat);
    SrsPtr source = summary.Epsg ? SpatialReferenceOfEpsg(*summary.Epsg) : nullptr;
    SrsPtr output;
    std::unique_ptr<TCoordinateTranslator> translator;
    std::unique_ptr<OGRCoordinateTransformation, CtDelete> projection;
    double valuesPerCrsUnit = DataUnitsPerCrsUnit(map.SourceFormat);
    if (options.ToEpsg) {
        if (!source)
            throw EExportError("cannot reproject: the data's coordinate system (" +
                               std::string(CoordsFormatName(map.SourceFormat)) + ") has no EPSG code");
        output = OutputSpatialReferenceOfEpsg(*options.ToEpsg);
        const TCoordsFormat via = TranslatorTargetFor(*output);
        translator = std::make_unique<TCoordinateTranslator>();
        translator->SetDatumShift(options.DatumShift);
        translator->SetSource(map.SourceFormat);
        translator->SetTarget(via);
        if (translator->GetSourceFormat() != map.SourceFormat || translator->GetTargetFormat() != via)
            throw EExportError("cannot transform EPSG:" + std::to_string(*summary.Epsg) + " to EPSG:" +
                               std::to_string(*options.ToEpsg) + ": PROJ refused a definition");
        valuesPerCrsUnit = DataUnitsPerCrsUnit(via);
        if (EpsgOfFormat(via) != options.ToEpsg) {
            const SrsPtr geographic = SpatialReferenceOfEpsg(*EpsgOfFormat(via));
            projection.reset(OGRCreateCoordinateTransformation(geographic.get(), output.get()));
            if (!projection)
                throw EExportError(GdalMessageOr("cannot transform EPSG:" + std::to_string(*summary.Epsg) +
                                                 " to EPSG:" + std::to_string(*options.ToEpsg)));
        }
        summary.Epsg = options.ToEpsg;
    }
    OGRSpatialReference* srs = output ? output.get() : source.get();

    std::vector<TExportLayer> planned;
    for (const auto& [layer, n] : layers) planned.push_back(layer);
    ProgressTicker ticker(progress, summary.Total);
    TOutputTarget target(options, planned, errors, [&ticker] { return ticker.StillWanted(); });
    summary.Driver = target.DriverName();
    TFeatureTexts texts(options.Encoding, target.RecodesTexts());
    CoordinateOutput coords(translator.get(), valuesPerCrsUnit, projection.get());
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
                OGRLayer& l = createLayer(target.DatasetFor(layer), layer, srs, target.LayerCreationOptions());
                LayerWriter writer(l, name, texts, coords);
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
    summary.ShiftFallbacks = translator ? translator->FallbackCount() : 0;
    return summary;
}
