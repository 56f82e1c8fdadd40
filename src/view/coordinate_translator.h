#pragma once
// Converts one world point at a time from the data set's coordinate system
// (the source) into the display system (the target) with PROJ. Geographic
// values are hundredths of an arc-second (1 degree = 360000), X the
// longitude and Y the latitude; projected values are metres, X the easting.
//
// The projection objects are made when a system is chosen; Transform only
// runs the prepared operation and allocates nothing.
#include <memory>
#include <optional>

#include "geometry/geo_point.h"
#include "view/coords_table.h"

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
    void SetSource(TCoordsFormat format);
    // Chooses the display system, with the same rules as SetSource.
    void SetTarget(TCoordsFormat format);

    TCoordsFormat GetSourceFormat() const { return SourceFormat; }
    TCoordsFormat GetTargetFormat() const { return TargetFormat; }

    // The point in the target system. Equal formats give the point itself
    // without calling PROJ; a side without a projection, or a point PROJ
    // cannot convert, gives the point unchanged as well.
    TGeoPoint2D Transform(const TGeoPoint2D& point) const;
    // As Transform, but empty where Transform falls back to its input.
    std::optional<TGeoPoint2D> TryTransform(const TGeoPoint2D& point) const;

private:
    struct ProjDeleter {
        void operator()(PJconsts* object) const;
        void operator()(pj_ctx* context) const;
    };
    using ProjPtr = std::unique_ptr<PJconsts, ProjDeleter>;
    using ContextPtr = std::unique_ptr<pj_ctx, ProjDeleter>;

    // Replaces one side's projection; `chosen` and `scale` change only on success.
    void Choose(TCoordsFormat format, ProjPtr& proj, TCoordsFormat& chosen, double& scale);
    ProjPtr CreateSystem(TCoordsFormat format) const;
    void RebuildOperation();
    double UnitsPerLibraryUnit(TCoordsFormat format) const;

    TCoordsFormatRows Table;
    ContextPtr Context;  // declared first: released after the objects made in it
    ProjPtr SourceProj;
    ProjPtr TargetProj;
    ProjPtr Operation;  // SourceProj to TargetProj; none while either is missing
    TCoordsFormat SourceFormat = TCoordsFormat::cfCartesian;
    TCoordsFormat TargetFormat = TCoordsFormat::cfCartesian;
    double SourceScale = 1.0;  // source units per library unit
    double TargetScale = 1.0;  // target units per library unit
};
