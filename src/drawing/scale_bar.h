#pragma once
// The scale bar drawn in the lower left of a readable map: a round length
// and the scale 1:N, on screen, in SVG pictures and on printed pages.
#include <string>

#include "drawing/canvas.h"

// A scale bar: a round length (1, 2 or 5 × 10^k metres) and its length on the surface.
struct TScaleBar {
    double Metres = 0;        // 10, 20, 50 ... 1000, 2000, 5000 ...
    double LengthPixels = 0;  // the bar's length in surface pixels
    std::string LengthText;   // "50 m", "1 km", "2 km" (ASCII)
    std::string ScaleText;    // "1:2,500": the scale denominator rounded, thousands separated by ","
};
// The longest round length whose bar is at most maxPixels long; a zero Metres when none fits.
TScaleBar ChooseScaleBar(double metresPerPixel, double maxPixels, double scaleDenominator);
// Draws the bar (a black bar with white halo, ticks at both ends, the length text above it, the scale text to its right) with its lower-left corner at `lowerLeft`; `pixelsPerPoint` sizes lines and text (1 on a 96-dpi screen is 96/72).
void DrawScaleBar(Canvas& canvas, const TScaleBar& bar, TScreenPoint lowerLeft, double pixelsPerPoint);

// The box DrawScaleBar covers, texts and halo included.
TScreenBox ScaleBarBox(const TScaleBar& bar, TScreenPoint lowerLeft, double pixelsPerPoint);

// "1:2,500": the denominator rounded to a whole number, thousands separated by
// ","; empty for a denominator that is not positive and finite.
std::string ScaleText(double scaleDenominator);
