#pragma once
// Converts world points from the data set's coordinate system (the source)
// into another (the target) with PROJ. Geographic values are hundredths of
// an arc-second (1 degree = 360000), X the longitude and Y the latitude;
// projected values are metres, X the easting.
//
// Datums. Between two of the table's definitions PROJ applies their
// +towgs84 shifts: the three-parameter shift of the Tokyo datum, none between
// JGD2000 and WGS84. Two cases go another way, built here instead of being
// left to PROJ's choice of operation:
// - with dsGrid, a point leaving or reaching the Tokyo datum is shifted by
//   GSI's TKY2JGD grid (the inverse by iteration); where one of the four
//   nodes around it has no parameter, by the three-parameter shift instead,
//   as GSI's own tool does, and counted;
// - JGD2011 on one side only: the JGD2000 position is corrected by GSI's
//   2011 grid (zero outside the area the earthquake moved).
// Such a conversion runs in three stages: PROJ from the source to longitude
// and latitude on its own datum (a pure conversion), the datum steps here,
// and PROJ on to the target.
//
// The objects are made when a system is chosen; converting allocates nothing.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "datum/grid_shift.h"
#include "geometry/geo_point.h"
#include "view/coords_table.h"
#include "view/datum_shift.h"

// PROJ's own object types, as proj.h declares them.
struct PJconsts;
struct pj_ctx;

inline constexpr double kGeographicUnitsPerDegree = 360000.0;

class TCoordinateTranslator {
public:
    // Works from CoordsFormatTable().
    TCoordinateTranslator();
    // Works from another table of definitions (a test's, for instance).
    explicit TCoordinateTranslator(const TCoordsFormatRows& table);
    ~TCoordinateTranslator();
    TCoordinateTranslator(const TCoordinateTranslator&) = delete;
    TCoordinateTranslator& operator=(const TCoordinateTranslator&) = delete;

    // Chooses the data set's system. cfCartesian changes nothing. When PROJ
    // refuses the definition, the source is left without a projection and the
    // source format keeps its previous value; the refusal goes to stderr.
    // A JGD2011 system needs the 2011 grid: EDatumGridError when it cannot
    // be used, and nothing changes.
    void SetSource(TCoordsFormat format);
    // Chooses the display system, with the same rules as SetSource.
    void SetTarget(TCoordsFormat format);
    // Chooses the shift of the Tokyo datum (dsHelmert at first). dsGrid needs
    // the TKY2JGD grid: EDatumGridError when it cannot be used, and nothing
    // changes.
    void SetDatumShift(TDatumShift shift);

    TCoordsFormat GetSourceFormat() const { return SourceFormat; }
    TCoordsFormat GetTargetFormat() const { return TargetFormat; }
    TDatumShift GetDatumShift() const { return Shift; }

    // The point in the target system. Equal formats give the point itself
    // without calling PROJ; a side without a projection, or a point PROJ
    // cannot convert, gives the point unchanged as well.
    TGeoPoint2D Transform(const TGeoPoint2D& point) const;
    // As Transform, but empty where Transform falls back to its input.
    std::optional<TGeoPoint2D> TryTransform(const TGeoPoint2D& point) const;
    // As TryTransform; `approximate` tells whether the three-parameter shift
    // stood in for the grid at this point.
    std::optional<TGeoPoint2D> TryTransform(const TGeoPoint2D& point, bool& approximate) const;
    // Converts `count` points held in two arrays, in place, exactly as
    // TryTransform converts each; false as soon as one cannot be converted.
    bool TransformArrays(size_t count, double* x, double* y) const;

    // Points shifted by the three-parameter shift because the grid has no
    // parameter there, since this translator was made.
    uint64_t FallbackCount() const { return Fallbacks; }

private:
    struct ProjDeleter {
        void operator()(PJconsts* object) const;
        void operator()(pj_ctx* context) const;
    };
    using ProjPtr = std::unique_ptr<PJconsts, ProjDeleter>;
    using ContextPtr = std::unique_ptr<pj_ctx, ProjDeleter>;

    enum class TDatumStep : uint8_t {
        TokyoToJgd2000,
        Jgd2000ToTokyo,
        Jgd2000ToJgd2011,
        Jgd2011ToJgd2000,
    };

    // Replaces one side's projection; `chosen` and `scale` change only on success.
    void Choose(TCoordsFormat format, ProjPtr& proj, TCoordsFormat& chosen, double& scale);
    ProjPtr CreateSystem(TCoordsFormat format) const;
    ProjPtr CreateOperation(PJconsts* from, PJconsts* to, TCoordsFormat fromFormat, TCoordsFormat toFormat) const;
    void RebuildOperation();
    void PlanStages();
    double UnitsPerLibraryUnit(TCoordsFormat format) const;
    int DatumOf(TCoordsFormat format) const;
    // Loads the grids that these choices need; throws before anything changes.
    void RequireGrids(TCoordsFormat source, TCoordsFormat target, TDatumShift shift);
    bool ApplyStep(TDatumStep step, double& lon, double& lat, bool& approximate) const;
    bool Helmert(bool forward, double& lon, double& lat) const;

    TCoordsFormatRows Table;
    ContextPtr Context;  // declared first: released after the objects made in it
    ProjPtr SourceProj;
    ProjPtr TargetProj;
    ProjPtr Operation;  // SourceProj to TargetProj; none while either is missing or when staged
    TCoordsFormat SourceFormat = TCoordsFormat::cfCartesian;
    TCoordsFormat TargetFormat = TCoordsFormat::cfCartesian;
    double SourceScale = 1.0;  // source units per library unit
    double TargetScale = 1.0;  // target units per library unit
    TDatumShift Shift = TDatumShift::dsHelmert;

    // The staged conversion: source to its datum's longitude and latitude
    // (none when the source is that system), the datum steps, then on to the
    // target (none when the target is that system).
    bool Staged = false;
    ProjPtr ToGeographic;
    ProjPtr FromGeographic;
    ProjPtr TokyoHelmert;  // the three-parameter shift, Tokyo to JGD2000 longitude and latitude
    std::array<TDatumStep, 2> Steps{};
    int StepCount = 0;
    std::optional<TGridShift> Tky2Jgd;
    std::optional<TGridShift> Correction2011;
    mutable uint64_t Fallbacks = 0;
};
