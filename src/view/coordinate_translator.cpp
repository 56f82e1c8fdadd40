#include "view/coordinate_translator.h"

#include <proj.h>

#include <cmath>
#include <iostream>
#include <string>

namespace {

// A definition of "+proj=" parameters names a coordinate operation unless it
// is marked as a coordinate reference system; proj_create_crs_to_crs marks
// its text arguments the same way.
std::string AsSystemDefinition(const std::string& definition) {
    const bool parameters = definition.rfind("+proj=", 0) == 0 || definition.rfind("proj=", 0) == 0;
    if (parameters && definition.find("type=crs") == std::string::npos)
        return definition + " +type=crs";
    return definition;
}

std::string LibraryError(pj_ctx* context) {
    const char* text = proj_context_errno_string(context, proj_context_errno(context));
    return text ? text : "unknown error";
}

}  // namespace

void TCoordinateTranslator::ProjDeleter::operator()(PJconsts* object) const { proj_destroy(object); }
void TCoordinateTranslator::ProjDeleter::operator()(pj_ctx* context) const {
    proj_context_destroy(context);
}

TCoordinateTranslator::TCoordinateTranslator() : TCoordinateTranslator(CoordsFormatTable()) {}

TCoordinateTranslator::TCoordinateTranslator(const TCoordsFormatRows& table)
    : Table(table), Context(proj_context_create()) {
    // Points outside a projection's domain arrive with every pointer move;
    // failures are reported here instead, once per chosen system.
    proj_log_level(Context.get(), PJ_LOG_NONE);
}

TCoordinateTranslator::~TCoordinateTranslator() = default;

TCoordinateTranslator::ProjPtr TCoordinateTranslator::CreateSystem(TCoordsFormat format) const {
    const TCoordsFormatEntry& row = Table[static_cast<size_t>(format)];
    ProjPtr system(proj_create(Context.get(), AsSystemDefinition(row.Definition).c_str()));
    if (system && proj_is_crs(system.get())) return system;
    const std::string reason =
        system ? "not a coordinate reference system" : LibraryError(Context.get());
    std::cerr << "coordinate translator: PROJ refused the definition of " << CoordsFormatName(format)
              << " (" << reason << "): \"" << row.Definition << "\"\n";
    return nullptr;
}

void TCoordinateTranslator::Choose(TCoordsFormat format, ProjPtr& proj, TCoordsFormat& chosen,
                                   double& scale) {
    if (format == TCoordsFormat::cfCartesian || static_cast<int>(format) >= kCoordsFormatCount)
        return;
    proj = CreateSystem(format);
    if (proj) {
        chosen = format;
        scale = UnitsPerLibraryUnit(format);
    }
    RebuildOperation();
}

void TCoordinateTranslator::SetSource(TCoordsFormat format) {
    Choose(format, SourceProj, SourceFormat, SourceScale);
}

void TCoordinateTranslator::SetTarget(TCoordsFormat format) {
    Choose(format, TargetProj, TargetFormat, TargetScale);
}

// PROJ takes geographic coordinates in degrees and projected ones in metres.
double TCoordinateTranslator::UnitsPerLibraryUnit(TCoordsFormat format) const {
    return Table[static_cast<size_t>(format)].Kind == kCoordsKindGeographic
               ? kGeographicUnitsPerDegree
               : 1.0;
}

void TCoordinateTranslator::RebuildOperation() {
    Operation.reset();
    if (!SourceProj || !TargetProj || SourceFormat == TargetFormat) return;
    Operation.reset(proj_create_crs_to_crs_from_pj(Context.get(), SourceProj.get(),
                                                   TargetProj.get(), nullptr, nullptr));
    if (!Operation)
        std::cerr << "coordinate translator: PROJ found no conversion from "
                  << CoordsFormatName(SourceFormat) << " to " << CoordsFormatName(TargetFormat)
                  << " (" << LibraryError(Context.get()) << ")\n";
}

std::optional<TGeoPoint2D> TCoordinateTranslator::TryTransform(const TGeoPoint2D& point) const {
    if (SourceFormat == TargetFormat) return point;
    if (!Operation) return std::nullopt;
    const PJ_COORD in = proj_coord(point.X / SourceScale, point.Y / SourceScale, 0, 0);
    const PJ_COORD out = proj_trans(Operation.get(), PJ_FWD, in);
    if (!std::isfinite(out.xy.x) || !std::isfinite(out.xy.y)) {
        proj_errno_reset(Operation.get());
        return std::nullopt;
    }
    return TGeoPoint2D{out.xy.x * TargetScale, out.xy.y * TargetScale};
}

TGeoPoint2D TCoordinateTranslator::Transform(const TGeoPoint2D& point) const {
    return TryTransform(point).value_or(point);
}
