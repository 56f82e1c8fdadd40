#include "datum/grid_shift.h"

#include <cmath>

namespace {

// The offsets change by about 1e-4 of a step over a step, so each round of
// the inverse gains four digits; 1e-11 degrees is about 1 micrometre.
constexpr int kMaxRounds = 10;
constexpr double kConverged = 1e-11;

}  // namespace

bool TGridShift::Forward(double& lon, double& lat) const {
    TGridOffset o;
    if (!grid_->Interpolate(lon, lat, zeroNodeIsMissing_, o)) return false;
    lat += o.Lat / 3600.0;
    lon += o.Lon / 3600.0;
    return true;
}

bool TGridShift::Inverse(double& lon, double& lat) const {
    // Start from the target point less the offsets there (or itself where it
    // has none), then move the guess until its forward shift hits the target.
    TGridOffset o;
    double guessLon = lon, guessLat = lat;
    if (grid_->Interpolate(lon, lat, zeroNodeIsMissing_, o)) {
        guessLon -= o.Lon / 3600.0;
        guessLat -= o.Lat / 3600.0;
    }
    for (int round = 0; round < kMaxRounds; ++round) {
        if (!grid_->Interpolate(guessLon, guessLat, zeroNodeIsMissing_, o)) return false;
        const double nextLon = lon - o.Lon / 3600.0, nextLat = lat - o.Lat / 3600.0;
        const bool converged = std::abs(nextLon - guessLon) < kConverged && std::abs(nextLat - guessLat) < kConverged;
        guessLon = nextLon;
        guessLat = nextLat;
        if (converged) break;
    }
    lon = guessLon;
    lat = guessLat;
    return true;
}
