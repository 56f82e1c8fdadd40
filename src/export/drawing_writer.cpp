#include "export/drawing_writer.h"

#include <cmath>
#include <cstdio>
#include <numbers>

#include "base/sjis.h"
#include "export/export_error.h"
#include "export/gdal_errors.h"
#include "queries/map_queries.h"
#include "tables/code_names.h"

namespace {

// A text inside a style string's double quotes.
std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

}  // namespace

std::string DrawingLayerName(int major, int minor) {
    std::string name = CodeName(major, minor);
    for (TFeatureKind kind : {TFeatureKind::Polygon, TFeatureKind::Line, TFeatureKind::Point})
        if (name.empty()) name = DetailsHeading(kind, major, minor);
    const std::string code = std::to_string(major * 100 + minor);
    return name.empty() ? code : code + " " + name;
}

DrawingWriter::DrawingWriter(OGRLayer& entities, TFeatureTexts& texts, CoordinateOutput& coords)
    : entities_(entities), texts_(texts), coords_(coords),
      layerField_(entities.GetLayerDefn()->GetFieldIndex("Layer")),
      feature_(OGRFeature::CreateFeature(entities.GetLayerDefn())) {
    if (layerField_ < 0) throw EExportError("the DXF driver offers no Layer field");
}

void DrawingWriter::begin(const TKDKElement& e) {
    feature_->SetFID(OGRNullFID);
    auto it = layerNames_.find(e.Code());
    if (it == layerNames_.end()) {
        std::string name;
        texts_.Output(utf8Text(e, DrawingLayerName(e.Major, e.Minor), "layer name"), name);
        it = layerNames_.emplace(e.Code(), std::move(name)).first;
    }
    feature_->SetField(layerField_, it->second.c_str());
}

std::string DrawingWriter::utf8Text(const TKDKElement& e, const std::string& sjisText, const char* what) {
    std::string utf8 = sjis::toUtf8(sjisText), ignored;
    if (!texts_.Output(utf8, ignored)) {
        const std::string message = TextOutsideEncoding(describe(e), what, utf8, texts_.Encoding());
        throw EExportError(message, TExportFailure::Failed, "entities", message);
    }
    return utf8;
}

void DrawingWriter::WritePolyline(const TKDKElement& e, TColor colour, bool closed) {
    begin(e);
    if (!coords_.Finish()) throw EExportError(GdalMessageOr("cannot transform the coordinates of " + describe(e)));
    auto* line = new OGRLineString();
    line->setPoints(static_cast<int>(coords_.Size()), coords_.X(), coords_.Y());
    if (closed && coords_.Size() > 0) line->addPoint(coords_.X()[0], coords_.Y()[0]);
    write(e, line, "PEN(c:" + ColourText(colour) + ")");
}

void DrawingWriter::WritePoint(const TKDKElement& e, TColor colour) {
    begin(e);
    if (!coords_.Finish()) throw EExportError(GdalMessageOr("cannot transform the coordinates of " + describe(e)));
    write(e, new OGRPoint(coords_.X()[0], coords_.Y()[0]), "PEN(c:" + ColourText(colour) + ")");
}

void DrawingWriter::WriteText(const TKDKElement& e, const std::string& textSjis, const TGeoPoint2D& at,
                              const TGeoPoint2D& direction, double height, TColor colour) {
    begin(e);
    const std::string text = utf8Text(e, textSjis, "text");
    // The point and one metre along the direction, both converted: their
    // distance scales the height and their bearing turns the text.
    const double length = std::hypot(direction.X, direction.Y);
    const TGeoPoint2D unit = length > 0 ? TGeoPoint2D{direction.X / length, direction.Y / length} : TGeoPoint2D{1, 0};
    coords_.Clear();
    coords_.Add(at);
    coords_.Add({at.X + unit.X, at.Y + unit.Y});
    if (!coords_.Finish()) throw EExportError(GdalMessageOr("cannot transform the coordinates of " + describe(e)));
    const double dx = coords_.X()[1] - coords_.X()[0], dy = coords_.Y()[1] - coords_.Y()[0];
    double angle = std::atan2(dy, dx) * 180 / std::numbers::pi;
    if (angle > 90) angle -= 180;  // never upside down
    if (angle < -90) angle += 180;
    const std::string style = "LABEL(t:" + quoted(text) + ",s:" + number(height * std::hypot(dx, dy)) +
                              "g,p:5,a:" + number(angle) + ",c:" + ColourText(colour) + ")";
    write(e, new OGRPoint(coords_.X()[0], coords_.Y()[0]), style);
}

void DrawingWriter::write(const TKDKElement& e, OGRGeometry* geometry, const std::string& style) {
    feature_->SetGeometryDirectly(geometry);
    feature_->SetStyleString(style.c_str());
    if (entities_.CreateFeature(feature_.get()) != OGRERR_NONE)
        throw GdalFailure("cannot write " + describe(e), TExportFailure::CannotWrite, "entities");
    coords_.Clear();
}

// A label is named by the feature its record belongs to.
std::string DrawingWriter::describe(const TKDKElement& e) const {
    const bool label = e.FeatureKind == TFeatureKind::Attribute;
    const auto* record = label ? static_cast<const TKDKAttribute*>(&e) : nullptr;
    return std::string(KindInfo(e.FeatureKind).Name) + " (mesh " + std::to_string(label ? record->TargetMeshNo : e.MeshNo) +
           ", id " + std::to_string(label ? record->TargetId : e.Id) + ")";
}
