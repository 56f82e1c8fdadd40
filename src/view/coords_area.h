#pragma once
// Where each coordinate system is meant to be used: the area of use that
// PROJ's database gives for the system's EPSG code, as a box of longitude and
// latitude in degrees.
#include <optional>

#include "tables/coords_format.h"

struct TLonLatBox {
    double West = 0, South = 0, East = 0, North = 0;
    bool Contains(double longitude, double latitude) const {
        return longitude >= West && longitude <= East && latitude >= South && latitude <= North;
    }
};

// The system's area of use; none for cfCartesian and for a code the database
// does not know. Looked up once per process; safe to call from any thread.
std::optional<TLonLatBox> AreaOfUse(TCoordsFormat format);

// Whether the point (degrees) lies in the area of use of at least one of the
// plane rectangular systems. When the database knows none of their areas,
// nothing can be judged and every point passes.
bool InPlaneSystemsArea(double longitude, double latitude);
