#pragma once
// TColor values (0x00BBGGRR) and the fixed colour tables of the map styles.
#include <cstdint>

using TColor = uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clMaroon = 0x000080;

// The 256-entry palette laid out as the DXF colour index; out-of-range indexes give black.
TColor PaletteColor(int index);
// One of the twelve light fill colours: entry n mod 12 (n >= 0; negative n is folded too).
TColor PastelColor(long long n);
