#pragma once
// Numbers that become pixels round to the nearest integer, halves to even.
#include <cmath>
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rounding {

inline double halfEven(double v) { return std::nearbyint(v); }  // default FE_TONEAREST

// Rounds half to even and clamps to the 32-bit range (NaN gives 0). Drawing
// calls it twice per vertex, so the conversion is one instruction where the
// processor has it (SSE2 converts in the current rounding mode, to nearest even).
inline int32_t toInt32(double v) {
    if (!(v == v)) return 0;
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
#if defined(__SSE2__)
    return _mm_cvtsd_si32(_mm_set_sd(v));
#else
    return static_cast<int32_t>(std::nearbyint(v));
#endif
}

}  // namespace rounding
