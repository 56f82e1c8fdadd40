#pragma once
// A datum shift by a grid of offsets given at positions of the source datum,
// as GSI's TKY2JGD and PatchJGD apply theirs: forward adds the offsets
// interpolated at the point; the inverse finds, by iteration, the source
// point whose forward shift gives the target point.
#include "datum/datum_grid.h"

class TGridShift {
public:
    // `zeroNodeIsMissing`: a node of 0, 0 has no parameter (TKY2JGD); otherwise
    // it is a real shift of zero (the 2011 correction outside the moved area).
    TGridShift(const TDatumGrid& grid, bool zeroNodeIsMissing) : grid_(&grid), zeroNodeIsMissing_(zeroNodeIsMissing) {}

    // Longitude and latitude in degrees, changed in place. False, with the
    // point unchanged, where the grid has no parameter for it.
    bool Forward(double& lon, double& lat) const;
    bool Inverse(double& lon, double& lat) const;

private:
    const TDatumGrid* grid_;
    bool zeroNodeIsMissing_;
};
