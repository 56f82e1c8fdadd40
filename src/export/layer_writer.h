#pragma once
// Writing the features of one layer through OGR: the output coordinates of a
// feature's vertices, the fields every layer has, and the writer that fills
// and writes one feature after another.
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <ogr_geometry.h>
#include <ogrsf_frmts.h>

#include "export/export_error.h"
#include "export/export_options.h"
#include "export/feature_texts.h"
#include "export/gdal_errors.h"
#include "map/kdk_object.h"
#include "view/coordinate_translator.h"

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

struct FeatureDelete {
    void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};

// Fills and writes the features of one layer; the common fields first, then
// the layer's own in the order of its description's fields.
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
