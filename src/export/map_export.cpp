#include "export/map_export.h"

#include <algorithm>
#include <array>
#include <memory>
#include <mutex>
#include <vector>

#include <cpl_error.h>
#include <gdal_priv.h>
#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include "export/crs_choice.h"
#include "export/feature_texts.h"
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

// Data coordinates to output coordinates: unit change, then reprojection.
// The vertices of one feature in the output's units. With a reprojection
// they go through the same translator as `orvelle-cli coords` (so both agree
// to the bit), into the output system when the table has it, otherwise into
// longitude and latitude on the output's datum, from which OGR projects.
class CoordinateOutput {
public:
    CoordinateOutput(const TCoordinateTranslator* translator, double valuesPerCrsUnit,
                     OGRCoordinateTransformation* projection)
        : translator_(translator), scale_(1.0 / valuesPerCrsUnit), projection_(projection) {}

    void Add(const TGeoPoint2D& p) {
        x_.push_back(p.X);
        y_.push_back(p.Y);
    }
    void Clear() {
        x_.clear();
        y_.clear();
    }
    // Reprojects what was added; false when a point cannot be transformed.
    bool Finish() {
        if (x_.empty()) return true;
        if (translator_ && !translator_->TransformArrays(x_.size(), x_.data(), y_.data())) return false;
        for (size_t i = 0; i < x_.size(); ++i) {
            x_[i] *= scale_;
            y_[i] *= scale_;
        }
        return !projection_ || projection_->Transform(static_cast<int>(x_.size()), x_.data(), y_.data(), nullptr, nullptr);
    }
    size_t Size() const { return x_.size(); }
    const double* X() const { return x_.data(); }
    const double* Y() const { return y_.data(); }

private:
    const TCoordinateTranslator* translator_;
    double scale_;
    OGRCoordinateTransformation* projection_;
    std::vector<double> x_, y_;
};

enum CommonField { fMesh, fId, fCode, fMajor, fMinor, fClass, fKind, fName, fValues, kCommonFields };

struct FieldSpec {
    const char* name;
    OGRFieldType type;
    OGRFieldSubType subType = OFSTNone;
};

constexpr std::array<FieldSpec, kCommonFields> kCommon = {{
    {"mesh", OFTInteger}, {"id", OFTInteger}, {"code", OFTInteger}, {"major", OFTInteger},
    {"minor", OFTInteger}, {"class", OFTString}, {"kind", OFTString}, {"name", OFTString},
    {"values", OFTString, OFSTJSON},
}};

std::vector<FieldSpec> ownFields(TExportLayer layer) {
    switch (layer) {
        case TExportLayer::Lines: return {{"tag", OFTInteger}, {"vertex_count", OFTInteger}};
        case TExportLayer::Areas:
            return {{"arc_refs", OFTString, OFSTJSON}, {"rep_x", OFTReal}, {"rep_y", OFTReal}};
        case TExportLayer::Labels: return {{"text", OFTString}, {"color", OFTString}, {"height", OFTInteger}};
        case TExportLayer::Nodes: return {{"tag", OFTInteger}, {"arc_refs", OFTString, OFSTJSON}};
        case TExportLayer::Links: return {{"value1", OFTInteger}, {"value2", OFTInteger}};
        case TExportLayer::Points: break;
    }
    return {};
}

OGRwkbGeometryType geometryType(TExportLayer layer) {
    switch (layer) {
        case TExportLayer::Lines: return wkbLineString;
        case TExportLayer::Areas: return wkbPolygon;
        case TExportLayer::Links: return wkbNone;
        default: return wkbPoint;
    }
}

struct FeatureDelete {
    void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};

// Fills and writes the features of one layer; the common fields first, then
// the layer's own in the order of ownFields.
class LayerWriter {
public:
    LayerWriter(OGRLayer& layer, const std::string& layerName, TFeatureTexts& texts, CoordinateOutput& coords)
        : layer_(layer), name_(layerName), texts_(texts), coords_(coords),
          feature_(OGRFeature::CreateFeature(layer.GetLayerDefn())) {}

    CoordinateOutput& Coords() { return coords_; }

    void Begin(const TKDKElement& e, const TKDKAttribute* record) { Begin(e, record, e.MeshNo, e.Id); }
    // A label is named by the feature its record belongs to.
    void BeginLabel(const TKDKAttribute& a) { Begin(a, &a, a.TargetMeshNo, a.TargetId); }

    void Begin(const TKDKElement& e, const TKDKAttribute* record, int meshNo, int id) {
        feature_->SetFID(OGRNullFID);
        feature_->SetField(fMesh, meshNo);
        feature_->SetField(fId, id);
        feature_->SetField(fCode, e.Code());
        feature_->SetField(fMajor, e.Major);
        feature_->SetField(fMinor, e.Minor);
        SetText(fClass, texts_.ClassName(e.Major, e.Minor));
        if (record) {
            const char kind[2] = {record->Kind, 0};
            SetText(fKind, kind);
            SetText(fName, FeatureNameUtf8(*record));
            feature_->SetField(fValues, ValuesJson(*record).c_str());
        } else {
            feature_->SetFieldNull(fKind);
            feature_->SetFieldNull(fName);
            feature_->SetFieldNull(fValues);
        }
    }
    void Set(int own, int value) { feature_->SetField(kCommonFields + own, value); }
    void Set(int own, double value) { feature_->SetField(kCommonFields + own, value); }
    void Set(int own, const std::string& value) { feature_->SetField(kCommonFields + own, value.c_str()); }

    // The points added to Coords() as the feature's geometry.
    void WritePoint(const TKDKElement& e) {
        finishCoords(e);
        write(e, new OGRPoint(coords_.X()[0], coords_.Y()[0]));
    }
    void WriteLine(const TKDKElement& e) {
        finishCoords(e);
        auto* line = new OGRLineString();
        line->setPoints(static_cast<int>(coords_.Size()), coords_.X(), coords_.Y());
        write(e, line);
    }
    // The last point added is the representative point: it goes through the
    // same conversion and into the own fields `repField` (x) and `repField` + 1 (y).
    void WriteArea(const TKDKElement& e, int repField) {
        finishCoords(e);
        const size_t rep = coords_.Size() - 1;
        Set(repField, coords_.X()[rep]);
        Set(repField + 1, coords_.Y()[rep]);
        auto* ring = new OGRLinearRing();
        ring->setPoints(static_cast<int>(rep), coords_.X(), coords_.Y());
        ring->closeRings();
        auto* area = new OGRPolygon();
        area->addRingDirectly(ring);
        write(e, area);
    }
    void WriteRecord(const TKDKElement& e) { write(e, nullptr); }

private:
    void SetText(int field, const std::string& utf8) {
        if (utf8.empty())
            feature_->SetFieldNull(field);
        else
            feature_->SetField(field, utf8.c_str());
    }
    void finishCoords(const TKDKElement& e) {
        if (!coords_.Finish())
            throw EExportError(GdalMessageOr("cannot transform the coordinates of " + describe(e)));
    }
    void write(const TKDKElement& e, OGRGeometry* geometry) {
        feature_->SetGeometryDirectly(geometry);
        if (layer_.CreateFeature(feature_.get()) != OGRERR_NONE)
            throw GdalFailure("cannot write " + describe(e), TExportFailure::CannotWrite, name_);
        coords_.Clear();
    }
    std::string describe(const TKDKElement& e) const {
        return name_ + " feature (mesh " + std::to_string(e.MeshNo) + ", id " + std::to_string(e.Id) + ")";
    }

    OGRLayer& layer_;
    std::string name_;
    TFeatureTexts& texts_;
    CoordinateOutput& coords_;
    std::unique_ptr<OGRFeature, FeatureDelete> feature_;
};

bool hasOutline(const TKDKPolygon& p) { return !p.RingRuns.empty(); }
bool hasLabel(const TKDKAttribute& a) { return !a.LabelText.empty(); }

int64_t featureCount(const TKDKObject& map, TExportLayer layer) {
    auto countIf = [](auto list, auto pred) {
        int64_t n = 0;
        for (const auto* f : list) n += pred(*f) ? 1 : 0;
        return n;
    };
    switch (layer) {
        case TExportLayer::Lines: return static_cast<int64_t>(map.Lines().size());
        case TExportLayer::Areas: return countIf(map.Polygons(), hasOutline);
        case TExportLayer::Points: return static_cast<int64_t>(map.Points().size());
        case TExportLayer::Labels: return countIf(map.Attributes(), hasLabel);
        case TExportLayer::Nodes: return static_cast<int64_t>(map.Nodes().size());
        case TExportLayer::Links: return static_cast<int64_t>(map.Networks().size());
    }
    return 0;
}

// Calls the progress callback every thousand features or so (a few
// milliseconds of writing), so that a cancel takes effect promptly; false:
// cancelled.
class ProgressTicker {
public:
    ProgressTicker(const TExportProgress& progress, int64_t total) : progress_(progress), total_(total) {}
    bool Step() {
        ++written_;
        return (written_ & 1023) != 0 || StillWanted();
    }
    // Asks again without a new feature (during the steps after writing); once
    // cancelled, stays cancelled.
    bool StillWanted() {
        if (!cancelled_ && progress_) cancelled_ = !progress_(written_, total_);
        return !cancelled_;
    }
    bool Cancelled() const { return cancelled_; }

private:
    const TExportProgress& progress_;
    int64_t total_;
    int64_t written_ = 0;
    bool cancelled_ = false;
};

// Writes the layer's features; false when the progress callback cancelled.
bool writeFeatures(const TKDKObject& map, TExportLayer layer, LayerWriter& w, ProgressTicker& ticker) {
    CoordinateOutput& c = w.Coords();
    switch (layer) {
        case TExportLayer::Lines:
            for (const TKDKLine* l : map.Lines()) {
                w.Begin(*l, l->Attribute);
                w.Set(0, l->LineTag);
                w.Set(1, l->VertexCount);
                for (const TGeoPoint2D& v : l->Vertices) c.Add(v);
                w.WriteLine(*l);
                if (!ticker.Step()) return false;
            }
            break;
        case TExportLayer::Areas:
            for (const TKDKPolygon* p : map.Polygons()) {
                if (!hasOutline(*p)) continue;
                w.Begin(*p, p->Attribute);
                w.Set(0, IntListJson(p->ArcRefs));
                p->ForEachRingVertex([&](const TGeoPoint2D& v) { c.Add(v); });
                c.Add({p->RepPoint.X, p->RepPoint.Y});
                w.WriteArea(*p, 1);
                if (!ticker.Step()) return false;
            }
            break;
        case TExportLayer::Points:
            for (const TKDKPoint* p : map.Points()) {
                w.Begin(*p, p->Attribute);
                c.Add({p->Position.X, p->Position.Y});
                w.WritePoint(*p);
                if (!ticker.Step()) return false;
            }
            break;
        case TExportLayer::Labels:
            for (const TKDKAttribute* a : map.Attributes()) {
                if (!hasLabel(*a)) continue;
                w.BeginLabel(*a);
                w.Set(0, FeatureNameUtf8(*a));
                w.Set(1, ColourText(a->LabelColor));
                w.Set(2, a->LabelHeight);
                c.Add({a->LabelPoint.X, a->LabelPoint.Y});
                w.WritePoint(*a);
                if (!ticker.Step()) return false;
            }
            break;
        case TExportLayer::Nodes:
            for (const TKDKNode* n : map.Nodes()) {
                w.Begin(*n, nullptr);
                w.Set(0, n->NodeTag);
                w.Set(1, IntListJson(n->ArcRefs));
                c.Add({n->Position.X, n->Position.Y});
                w.WritePoint(*n);
                if (!ticker.Step()) return false;
            }
            break;
        case TExportLayer::Links:
            for (const TKDKNetwork* n : map.Networks()) {
                w.Begin(*n, nullptr);
                w.Set(0, n->Value1);
                w.Set(1, n->Value2);
                w.WriteRecord(*n);
                if (!ticker.Step()) return false;
            }
            break;
    }
    return true;
}

OGRLayer& createLayer(GDALDataset& ds, TExportLayer layer, OGRSpatialReference* srs,
                      const std::vector<std::string>& options) {
    std::vector<const char*> list;
    for (const std::string& o : options) list.push_back(o.c_str());
    list.push_back(nullptr);
    const std::string name(ExportLayerName(layer));
    OGRLayer* l = ds.CreateLayer(name.c_str(), srs, geometryType(layer), const_cast<char**>(list.data()));
    if (!l) throw GdalFailure("cannot create layer " + name, TExportFailure::CannotWrite, name);
    std::vector<FieldSpec> fields(kCommon.begin(), kCommon.end());
    for (const FieldSpec& f : ownFields(layer)) fields.push_back(f);
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
void leaveOutWhatTheFormatDrops(const TExportOptions& options, std::vector<std::pair<TExportLayer, int64_t>>& layers,
                                TExportSummary& summary) {
    const std::string driverName = options.Format.empty() ? GuessDriverName(options.Destination) : options.Format;
    GDALDriver* driver = GetGDALDriverManager()->GetDriverByName(driverName.c_str());
    auto withoutGeometry = [](const auto& entry) { return geometryType(entry.first) == wkbNone; };
    if (!driver || std::none_of(layers.begin(), layers.end(), withoutGeometry) || KeepsFeaturesWithoutGeometry(*driver))
        return;
    for (const auto& [layer, n] : layers) {
        if (geometryType(layer) != wkbNone) continue;
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

    std::vector<std::pair<TExportLayer, int64_t>> layers;
    for (TExportLayer layer : chosenLayers(options)) {
        const int64_t n = featureCount(map, layer);
        if (n > 0) layers.emplace_back(layer, n);
        summary.Total += n;
    }
    leaveOutWhatTheFormatDrops(options, layers, summary);
    for (const TKDKPolygon* p : map.Polygons()) summary.SkippedAreas += hasOutline(*p) ? 0 : 1;
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
    TFeatureTexts texts;
    CoordinateOutput coords(translator.get(), valuesPerCrsUnit, projection.get());
    try {
        for (const auto& [layer, n] : layers) {
            const std::string name(ExportLayerName(layer));
            OGRLayer& l = createLayer(target.DatasetFor(layer), layer, srs, target.LayerCreationOptions());
            LayerWriter writer(l, name, texts, coords);
            if (!writeFeatures(map, layer, writer, ticker)) {
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
