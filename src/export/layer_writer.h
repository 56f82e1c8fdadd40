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
#include "export/record_fields.h"
#include "base/sjis.h"
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

enum CommonField {
    fMesh, fId, fCode, fMajor, fMinor, fClass, fKind, fName, fValues,
    fAdminCode, fChomeCode, fBlockNo, fAltNames, fBldgCode,  // the record's meaning (RecordFields)
    fSource,  // the name of the data set the feature came from (a batch's source)
    kCommonFields
};

struct FieldSpec {
    const char* name;
    OGRFieldType type;
    OGRFieldSubType subType = OFSTNone;
};

constexpr std::array<FieldSpec, kCommonFields> kCommon = {{
    {"mesh", OFTInteger}, {"id", OFTInteger}, {"code", OFTInteger}, {"major", OFTInteger},
    {"minor", OFTInteger}, {"class", OFTString}, {"kind", OFTString}, {"name", OFTString},
    {"values", OFTString, OFSTJSON}, {"admin_code", OFTString}, {"chome_code", OFTString},
    {"block_no", OFTString}, {"alt_names", OFTString}, {"bldg_code", OFTString},
    {"source", OFTString},
}};

struct FeatureDelete {
    void operator()(OGRFeature* f) const { OGRFeature::DestroyFeature(f); }
};

// Fills and writes the features of one layer; the common fields first, then
// the layer's own in the order of its description's fields. Every feature
// carries `source` (UTF-8; null when empty).
class LayerWriter {
public:
    LayerWriter(OGRLayer& layer, const std::string& layerName, TFeatureTexts& texts, CoordinateOutput& coords,
                const std::string& source)
        : layer_(layer), name_(layerName), texts_(texts), coords_(coords),
          feature_(OGRFeature::CreateFeature(layer.GetLayerDefn())) {
        if (!source.empty() && !texts_.Output(source, source_))
            throw EExportError(TextOutsideEncoding("the source name", "text", source, texts_.Encoding()),
                               TExportFailure::Failed, name_);
    }

    CoordinateOutput& Coords() { return coords_; }

    void Begin(const TKDKElement& e, const TKDKAttribute* record) { Begin(e, record, e.MeshNo, e.Id); }
    // A label is named by the feature its record belongs to.
    void BeginLabel(const TKDKAttribute& a) { Begin(a, &a, a.TargetMeshNo, a.TargetId); }

    // A label is of the kind of the feature its record names.
    void Begin(const TKDKElement& e, const TKDKAttribute* record, int meshNo, int id) {
        meshNo_ = meshNo;
        id_ = id;
        feature_->SetFID(OGRNullFID);
        feature_->SetField(fMesh, meshNo);
        feature_->SetField(fId, id);
        feature_->SetField(fCode, e.Code());
        feature_->SetField(fMajor, e.Major);
        feature_->SetField(fMinor, e.Minor);
        if (source_.empty())
            feature_->SetFieldNull(fSource);
        else
            feature_->SetField(fSource, source_.c_str());
        const TFeatureKind kind = record == &e ? TargetKind(*record) : e.FeatureKind;
        SetText(fClass, texts_.ClassName(kind, e.Major, e.Minor));
        if (record) {
            const char kindLetter[2] = {record->Kind, 0};
            SetText(fKind, kindLetter);
            const TRecordFields named = RecordFields(*record);
            SetText(fName, sjis::toUtf8(named.Name));
            SetText(fValues, ValuesJson(*record));
            SetText(fAdminCode, sjis::toUtf8(named.AdminCode));
            SetText(fChomeCode, sjis::toUtf8(named.ChomeCode));
            SetText(fBlockNo, sjis::toUtf8(named.BlockNo));
            SetText(fAltNames, sjis::toUtf8(named.AltNames));
            SetText(fBldgCode, sjis::toUtf8(named.BldgCode));
        } else {
            for (int f : {fKind, fName, fValues, fAdminCode, fChomeCode, fBlockNo, fAltNames, fBldgCode})
                feature_->SetFieldNull(f);
        }
    }
    void Set(int own, int value) { feature_->SetField(kCommonFields + own, value); }
    void Set(int own, double value) { feature_->SetField(kCommonFields + own, value); }
    // A text in UTF-8, in the output's encoding.
    void Set(int own, const std::string& utf8) { SetText(kCommonFields + own, utf8); }

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
    // An empty text is null. Throws EExportError naming the feature when the
    // output's encoding cannot hold the text.
    void SetText(int field, const std::string& utf8) {
        if (utf8.empty()) {
            feature_->SetFieldNull(field);
            return;
        }
        if (!texts_.Output(utf8, encoded_)) {
            const std::string message = TextOutsideEncoding(
                describe(), feature_->GetFieldDefnRef(field)->GetNameRef(), utf8, texts_.Encoding());
            throw EExportError(message, TExportFailure::Failed, name_, message);
        }
        feature_->SetField(field, encoded_.c_str());
    }
    void finishCoords(const TKDKElement&) {
        if (!coords_.Finish())
            throw EExportError(GdalMessageOr("cannot transform the coordinates of " + describe()));
    }
    void write(const TKDKElement&, OGRGeometry* geometry) {
        feature_->SetGeometryDirectly(geometry);
        if (layer_.CreateFeature(feature_.get()) != OGRERR_NONE)
            throw GdalFailure("cannot write " + describe(), TExportFailure::CannotWrite, name_);
        coords_.Clear();
    }
    // The feature begun last, by the mesh and id it is written with.
    std::string describe() const {
        return name_ + " feature (mesh " + std::to_string(meshNo_) + ", id " + std::to_string(id_) + ")";
    }

    OGRLayer& layer_;
    std::string name_;
    TFeatureTexts& texts_;
    CoordinateOutput& coords_;
    std::unique_ptr<OGRFeature, FeatureDelete> feature_;
    int meshNo_ = 0, id_ = 0;  // of the feature begun last
    std::string encoded_;
    std::string source_;  // in the output's encoding
};
