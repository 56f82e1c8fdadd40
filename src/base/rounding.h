#pragma once
// Numbers that become pixels round to the nearest integer, halves to even.
#include <cmath>
#include <cstdint>

namespace rounding {

inline double halfEven(double v) { return std::nearbyint(v); }  // default FE_TONEAREST

// Rounds half to even and clamps to the 32-bit range (NaN gives 0).
inline int32_t toInt32(double v) {
    if (!(v == v)) return 0;
    double r = std::nearbyint(v);
    if (r >= 2147483647.0) return INT32_MAX;
    if (r <= -2147483648.0) return INT32_MIN;
    return static_cast<int32_t>(r);
}

}  // namespace rounding
