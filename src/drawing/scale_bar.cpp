#include "drawing/scale_bar.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Sizes in points (1/72 inch), scaled by the surface's pixels per point.
constexpr double kBarPoints = 2;       // the bar's thickness
constexpr double kTickPoints = 5;      // how far the end ticks rise above the bar
constexpr double kHaloPoints = 1;      // the white rim on every side
constexpr double kTextPoints = 9;      // the texts' cell height
constexpr double kGapPoints = 4;       // between the bar's end and the scale text
// The advance of an ASCII digit or letter as a share of the cell height, for
// placing the scale text beside the bar (the canvas centres its texts).
constexpr double kAsciiAdvance = 0.42;

// Rounding below a billionth of a metre, so that 100 m fits into a bar of exactly 100 m.
constexpr double kSlack = 1e-9;

std::string lengthText(double metres) {
    char text[32];
    if (metres >= 1000)
        std::snprintf(text, sizeof text, "%.0f km", metres / 1000);
    else
        std::snprintf(text, sizeof text, "%.0f m", metres);
    return text;
}

int32_t pixels(double points, double pixelsPerPoint) {
    return std::max<int32_t>(1, static_cast<int32_t>(std::lround(points * pixelsPerPoint)));
}

}  // namespace

std::string ScaleText(double scaleDenominator) {
    if (!std::isfinite(scaleDenominator) || scaleDenominator <= 0) return {};
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.0f", std::round(scaleDenominator));
    const std::string d = digits;
    std::string grouped;
    for (size_t i = 0; i < d.size(); ++i) {
        if (i > 0 && (d.size() - i) % 3 == 0) grouped += ',';
        grouped += d[i];
    }
    return "1:" + grouped;
}

TScaleBar ChooseScaleBar(double metresPerPixel, double maxPixels, double scaleDenominator) {
    TScaleBar bar;
    bar.ScaleText = ScaleText(scaleDenominator);
    if (!std::isfinite(metresPerPixel) || !std::isfinite(maxPixels) || metresPerPixel <= 0 || maxPixels <= 0)
        return bar;
    const double maxMetres = maxPixels * metresPerPixel * (1 + kSlack);
    if (maxMetres < 1) return bar;
    double decade = std::pow(10.0, std::floor(std::log10(maxMetres)));
    if (decade > maxMetres) decade /= 10;  // log10 rounded up across a power of ten
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * decade <= maxMetres) {
            bar.Metres = step * decade;
            break;
        }
    }
    if (bar.Metres == 0) return bar;
    bar.LengthPixels = bar.Metres / metresPerPixel;
    bar.LengthText = lengthText(bar.Metres);
    return bar;
}

void DrawScaleBar(Canvas& canvas, const TScaleBar& bar, TScreenPoint lowerLeft, double pixelsPerPoint) {
    if (bar.Metres <= 0 || pixelsPerPoint <= 0) return;
    const int32_t thickness = pixels(kBarPoints, pixelsPerPoint), halo = pixels(kHaloPoints, pixelsPerPoint);
    const int32_t tick = pixels(kTickPoints, pixelsPerPoint), text = pixels(kTextPoints, pixelsPerPoint);
    const int32_t length = static_cast<int32_t>(std::lround(bar.LengthPixels));
    // The bar's centre line, so that the halo's lower edge touches lowerLeft.
    const int32_t x0 = lowerLeft.X + halo + thickness / 2, x1 = x0 + length;
    const int32_t y = lowerLeft.Y - halo - thickness / 2 - 1, top = y - tick;
    const TScreenPoint shape[] = {{x0, top}, {x0, y}, {x1, y}, {x1, top}};

    const TCanvasPen pen = canvas.Pen;
    const TCanvasBrush brush = canvas.Brush;
    const TCanvasFont font = canvas.Font;
    canvas.Pen = TCanvasPen{clWhite, TPenStyle::psSolid, thickness + 2 * halo};
    canvas.Polyline(shape);
    canvas.Pen = TCanvasPen{clBlack, TPenStyle::psSolid, thickness};
    canvas.Polyline(shape);

    // Texts on a white ground, which rims them as the halo rims the bar.
    canvas.Brush = TCanvasBrush{clWhite, TBrushStyle::bsSolid};
    canvas.Font = TCanvasFont{clBlack, text};
    canvas.TextOutBottomCentre({x0 + length / 2, top}, bar.LengthText);
    if (!bar.ScaleText.empty()) {
        const auto width = static_cast<int32_t>(std::lround(kAsciiAdvance * text * bar.ScaleText.size()));
        canvas.TextOutBottomCentre({x1 + thickness + pixels(kGapPoints, pixelsPerPoint) + width / 2, lowerLeft.Y},
                                   bar.ScaleText);
    }
    canvas.Pen = pen;
    canvas.Brush = brush;
    canvas.Font = font;
}
