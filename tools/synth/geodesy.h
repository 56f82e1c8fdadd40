#pragma once
// Geographic values that the generated control points carry: latitude and
// longitude of a plane rectangular coordinate (JGD2000, GRS80), the standard
// regional mesh codes of a place, and the degree-minute-second text.
#include <string>

namespace synth {

struct LatLon {
    double lat = 0, lon = 0;  // degrees
};

// Origin of plane rectangular coordinate system IX (36°N, 139°50'E).
constexpr LatLon kZone9Origin{36.0, 139.0 + 50.0 / 60.0};

// Inverse Gauss-Krüger projection (scale factor 0.9999) of a point given in
// metres, northing and easting, relative to the zone origin.
LatLon planeToGeodetic(double northing, double easting, LatLon origin = kZone9Origin);

// Third-order (8 digits, 30" x 45") and second-order (6 digits) mesh codes.
std::string thirdMeshCode(LatLon p);
std::string secondMeshCode(LatLon p);

// 35°41′22.5123″ with the given number of decimals of the seconds.
std::string formatDms(double degrees, int secondDecimals);

}  // namespace synth
