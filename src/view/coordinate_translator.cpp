#include "view/coordinate_translator.h"

#include <proj.h>

#include <cmath>
#include <iostream>
#include <string>

#include "datum/gsi_grids.h"

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

// Datums along the chain of shifts: Tokyo - JGD2000 (= WGS84) - JGD2011.
constexpr int kOnTokyo = 0, kOnJgd2000 = 1, kOnJgd2011 = 2;

// The longitude and latitude system of each place on the chain.
TCoordsFormat GeographicOnChain(int place) {
    switch (place) {
        case kOnTokyo: return TCoordsFormat::cfGeodeticTKY;
        case kOnJgd2011: return TCoordsFormat::cfGeodeticJGD2011;
        default: return TCoordsFormat::cfGeodeticJGD;
    }
}

bool Finite(const PJ_COORD& c) { return std::isfinite(c.xy.x) && std::isfinite(c.xy.y); }

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

TCoordinateTranslator::ProjPtr TCoordinateTranslator::CreateOperation(PJconsts* from, PJconsts* to,
                                                                      TCoordsFormat fromFormat,
                                                                      TCoordsFormat toFormat) const {
    ProjPtr operation(proj_create_crs_to_crs_from_pj(Context.get(), from, to, nullptr, nullptr));
    if (!operation)
        std::cerr << "coordinate translator: PROJ found no conversion from " << CoordsFormatName(fromFormat)
                  << " to " << CoordsFormatName(toFormat) << " (" << LibraryError(Context.get()) << ")\n";
    return operation;
}

int TCoordinateTranslator::DatumOf(TCoordsFormat format) const {
    switch (Table[static_cast<size_t>(format)].Datum) {
        case kDatumTokyo: return kOnTokyo;
        case kDatumJGD2011: return kOnJgd2011;
        default: return kOnJgd2000;
    }
}

void TCoordinateTranslator::RequireGrids(TCoordsFormat source, TCoordsFormat target, TDatumShift shift) {
    auto uses = [&](TCoordsFormat f, int datum) {
        return f != TCoordsFormat::cfCartesian && static_cast<int>(f) < kCoordsFormatCount && DatumOf(f) == datum;
    };
    if (shift == TDatumShift::dsGrid && !Tky2Jgd) Tky2Jgd.emplace(Tky2JgdGrid(), true);
    if ((uses(source, kOnJgd2011) || uses(target, kOnJgd2011)) && !Correction2011)
        Correction2011.emplace(Touhoku2011Grid(), false);
}

void TCoordinateTranslator::Choose(TCoordsFormat format, ProjPtr& proj, TCoordsFormat& chosen,
                                   double& scale) {
    if (format == TCoordsFormat::cfCartesian || static_cast<int>(format) >= kCoordsFormatCount)
        return;
    RequireGrids(format, format, Shift);
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

void TCoordinateTranslator::SetDatumShift(TDatumShift shift) {
    RequireGrids(SourceFormat, TargetFormat, shift);
    Shift = shift;
    RebuildOperation();
}

// PROJ takes geographic coordinates in degrees and projected ones in metres.
double TCoordinateTranslator::UnitsPerLibraryUnit(TCoordsFormat format) const {
    return Table[static_cast<size_t>(format)].Kind == kCoordsKindGeographic
               ? kGeographicUnitsPerDegree
               : 1.0;
}

void TCoordinateTranslator::RebuildOperation() {
    Operation.reset();
    ToGeographic.reset();
    FromGeographic.reset();
    TokyoHelmert.reset();
    Staged = false;
    StepCount = 0;
    if (!SourceProj || !TargetProj || SourceFormat == TargetFormat) return;
    const int from = DatumOf(SourceFormat), to = DatumOf(TargetFormat);
    const bool tokyoByGrid = Shift == TDatumShift::dsGrid && (from == kOnTokyo) != (to == kOnTokyo);
    const bool correction = (from == kOnJgd2011) != (to == kOnJgd2011);
    if (tokyoByGrid || correction)
        PlanStages();
    else
        Operation = CreateOperation(SourceProj.get(), TargetProj.get(), SourceFormat, TargetFormat);
}

void TCoordinateTranslator::PlanStages() {
    const int from = DatumOf(SourceFormat), to = DatumOf(TargetFormat);
    for (int place = from; place != to; place += from < to ? 1 : -1) {
        const bool up = from < to;
        const int lower = up ? place : place - 1;
        Steps[StepCount++] = lower == kOnTokyo ? (up ? TDatumStep::TokyoToJgd2000 : TDatumStep::Jgd2000ToTokyo)
                                               : (up ? TDatumStep::Jgd2000ToJgd2011 : TDatumStep::Jgd2011ToJgd2000);
    }
    const TCoordsFormat fromGeographic = GeographicOnChain(from), toGeographic = GeographicOnChain(to);
    bool ready = true;
    if (SourceFormat != fromGeographic) {
        const ProjPtr system = CreateSystem(fromGeographic);
        ToGeographic = system ? CreateOperation(SourceProj.get(), system.get(), SourceFormat, fromGeographic) : nullptr;
        ready = ready && ToGeographic;
    }
    if (TargetFormat != toGeographic) {
        const ProjPtr system = CreateSystem(toGeographic);
        FromGeographic = system ? CreateOperation(system.get(), TargetProj.get(), toGeographic, TargetFormat) : nullptr;
        ready = ready && FromGeographic;
    }
    if (from == kOnTokyo || to == kOnTokyo) {
        const ProjPtr tokyo = CreateSystem(TCoordsFormat::cfGeodeticTKY);
        const ProjPtr jgd = CreateSystem(TCoordsFormat::cfGeodeticJGD);
        TokyoHelmert = tokyo && jgd ? CreateOperation(tokyo.get(), jgd.get(), TCoordsFormat::cfGeodeticTKY,
                                                      TCoordsFormat::cfGeodeticJGD)
                                    : nullptr;
        ready = ready && TokyoHelmert;
    }
    Staged = ready;
}

bool TCoordinateTranslator::Helmert(bool forward, double& lon, double& lat) const {
    const PJ_COORD out = proj_trans(TokyoHelmert.get(), forward ? PJ_FWD : PJ_INV, proj_coord(lon, lat, 0, 0));
    if (!Finite(out)) {
        proj_errno_reset(TokyoHelmert.get());
        return false;
    }
    lon = out.xy.x;
    lat = out.xy.y;
    return true;
}

bool TCoordinateTranslator::ApplyStep(TDatumStep step, double& lon, double& lat, bool& approximate) const {
    const bool byGrid = Shift == TDatumShift::dsGrid;
    switch (step) {
        case TDatumStep::TokyoToJgd2000:
        case TDatumStep::Jgd2000ToTokyo: {
            const bool forward = step == TDatumStep::TokyoToJgd2000;
            if (byGrid && (forward ? Tky2Jgd->Forward(lon, lat) : Tky2Jgd->Inverse(lon, lat))) return true;
            if (byGrid) {
                approximate = true;
                ++Fallbacks;
            }
            return Helmert(forward, lon, lat);
        }
        // Outside the corrected area the correction is zero.
        case TDatumStep::Jgd2000ToJgd2011: Correction2011->Forward(lon, lat); return true;
        case TDatumStep::Jgd2011ToJgd2000: Correction2011->Inverse(lon, lat); return true;
    }
    return false;
}

std::optional<TGeoPoint2D> TCoordinateTranslator::TryTransform(const TGeoPoint2D& point,
                                                               bool& approximate) const {
    approximate = false;
    if (SourceFormat == TargetFormat) return point;
    if (Operation) {
        const PJ_COORD in = proj_coord(point.X / SourceScale, point.Y / SourceScale, 0, 0);
        const PJ_COORD out = proj_trans(Operation.get(), PJ_FWD, in);
        if (!Finite(out)) {
            proj_errno_reset(Operation.get());
            return std::nullopt;
        }
        return TGeoPoint2D{out.xy.x * TargetScale, out.xy.y * TargetScale};
    }
    if (!Staged) return std::nullopt;
    PJ_COORD c = proj_coord(point.X / SourceScale, point.Y / SourceScale, 0, 0);
    if (ToGeographic) {
        c = proj_trans(ToGeographic.get(), PJ_FWD, c);
        if (!Finite(c)) {
            proj_errno_reset(ToGeographic.get());
            return std::nullopt;
        }
    }
    double lon = c.xy.x, lat = c.xy.y;
    for (int i = 0; i < StepCount; ++i)
        if (!ApplyStep(Steps[i], lon, lat, approximate)) return std::nullopt;
    c = proj_coord(lon, lat, 0, 0);
    if (FromGeographic) {
        c = proj_trans(FromGeographic.get(), PJ_FWD, c);
        if (!Finite(c)) {
            proj_errno_reset(FromGeographic.get());
            return std::nullopt;
        }
    }
    return TGeoPoint2D{c.xy.x * TargetScale, c.xy.y * TargetScale};
}

std::optional<TGeoPoint2D> TCoordinateTranslator::TryTransform(const TGeoPoint2D& point) const {
    bool approximate = false;
    return TryTransform(point, approximate);
}

TGeoPoint2D TCoordinateTranslator::Transform(const TGeoPoint2D& point) const {
    return TryTransform(point).value_or(point);
}

bool TCoordinateTranslator::TransformArrays(size_t count, double* x, double* y) const {
    bool approximate = false;
    for (size_t i = 0; i < count; ++i) {
        const std::optional<TGeoPoint2D> p = TryTransform({x[i], y[i]}, approximate);
        if (!p) return false;
        x[i] = p->X;
        y[i] = p->Y;
    }
    return true;
}
