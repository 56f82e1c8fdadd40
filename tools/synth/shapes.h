#pragma once
// Outlines of the generated areas as rings, counter-clockwise.
#include "geometry.h"
#include "random.h"

namespace synth {

// A rectangle with its corners cut off by `chamfer` (8 points; 4 when 0).
TaggedRing chamferedRect(const Rect& r, Cm chamfer, int tag = kTagOrdinary);

// A block's outline: a rectangle with cut corners and, along each side,
// points every 25 m or so moved slightly inward, as surveyed block lines are.
TaggedRing blockOutline(const Rect& r, Rng& rng);

// An oval of n points inside the box.
TaggedRing oval(const Rect& box, int n, Rng& rng);

}  // namespace synth
