#include "drawing/scale_bar.h"

#include <algorithm>
#include <cmath>

namespace {

// "2,500": a whole number with thousands separated by ",".
std::string withThousands(long long n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

std::string lengthText(double metres) {
    if (metres >= 1000) return withThousands(std::llround(metres / 1000)) + " km";
    return withThousands(std::llround(metres)) + " m";
}

// The figure's parts in pixels, all from the lower-left corner.
struct TBarLayout {
    int halo, thickness, tick, tickWidth, gap, textHeight;
    TScreenBox bar;           // the black bar
    TScreenPoint lengthAt;    // bottom centre of the length text
    TScreenPoint scaleAt;     // bottom centre of the scale text
    double scaleWidth;        // of the scale text

    TBarLayout(const TScaleBar& b, TScreenPoint lowerLeft, double p) {
        auto px = [p](double points, int least) { return std::max(least, static_cast<int>(std::lround(points * p))); };
        halo = px(1, 1);
        thickness = px(3, 2);
        tick = px(4, 3);
        tickWidth = px(1.25, 1);
        gap = px(3, 2);
        textHeight = px(12, 8);
        const double left = lowerLeft.X + halo;
        const double bottom = lowerLeft.Y - halo;
        bar = {left, bottom - thickness, left + std::round(b.LengthPixels), bottom};
        lengthAt = {static_cast<int32_t>(std::lround((bar.Left + bar.Right) / 2)),
                    static_cast<int32_t>(bar.Top) - tick - halo};
        scaleWidth = EstimatedTextWidth(b.ScaleText, textHeight);
        scaleAt = {static_cast<int32_t>(std::lround(bar.Right + halo + gap + scaleWidth / 2)),
                   static_cast<int32_t>(bottom)};
    }
    TScreenBox leftTick() const { return {bar.Left, bar.Top - tick, bar.Left + tickWidth, bar.Bottom}; }
    TScreenBox rightTick() const { return {bar.Right - tickWidth, bar.Top - tick, bar.Right, bar.Bottom}; }
};

void fillBox(Canvas& canvas, const TScreenBox& b) {
    canvas.Rectangle(static_cast<int32_t>(b.Left), static_cast<int32_t>(b.Top), static_cast<int32_t>(b.Right),
                     static_cast<int32_t>(b.Bottom));
}

}  // namespace

std::string ScaleText(double scaleDenominator) {
    if (!(scaleDenominator > 0) || !std::isfinite(scaleDenominator)) return {};
    return "1:" + withThousands(std::llround(scaleDenominator));
}

TScaleBar ChooseScaleBar(double metresPerPixel, double maxPixels, double scaleDenominator) {
    TScaleBar bar;
    if (!(metresPerPixel > 0) || !(maxPixels > 0) || !std::isfinite(metresPerPixel * maxPixels)) return bar;
    // From a decade above the longest length down to 1 m: 5, 2, 1 times each power of ten.
    for (double power = std::pow(10.0, std::floor(std::log10(metresPerPixel * maxPixels)) + 1); power >= 1;
         power /= 10) {
        for (const double step : {5.0, 2.0, 1.0}) {
            const double metres = step * power;
            if (metres / metresPerPixel > maxPixels) continue;
            bar.Metres = metres;
            bar.LengthPixels = metres / metresPerPixel;
            bar.LengthText = lengthText(metres);
            bar.ScaleText = ScaleText(scaleDenominator);
            return bar;
        }
    }
    return bar;
}

TScreenBox ScaleBarBox(const TScaleBar& bar, TScreenPoint lowerLeft, double pixelsPerPoint) {
    const TBarLayout l(bar, lowerLeft, pixelsPerPoint);
    const double lengthWidth = EstimatedTextWidth(bar.LengthText, l.textHeight);
    TScreenBox box{static_cast<double>(lowerLeft.X), static_cast<double>(l.lengthAt.Y - l.textHeight - l.halo),
                   l.bar.Right + l.halo, static_cast<double>(lowerLeft.Y)};
    box.Left = std::min(box.Left, l.lengthAt.X - lengthWidth / 2 - l.halo);
    if (!bar.ScaleText.empty()) {
        box.Right = std::max(box.Right, l.scaleAt.X + l.scaleWidth / 2 + l.halo);
        box.Bottom = std::max(box.Bottom, static_cast<double>(l.scaleAt.Y) + l.halo);
    }
    return box;
}

void DrawScaleBar(Canvas& canvas, const TScaleBar& bar, TScreenPoint lowerLeft, double pixelsPerPoint) {
    if (bar.Metres <= 0) return;
    const TBarLayout l(bar, lowerLeft, pixelsPerPoint);
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Pen.Mode = TPenMode::pmCopy;
    canvas.Pen.Opacity = 255;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    // The halo first, under the bar and both ticks, then the black parts.
    canvas.Brush.Color = clWhite;
    for (const TScreenBox& b : {l.bar, l.leftTick(), l.rightTick()}) fillBox(canvas, b.Grown(l.halo));
    canvas.Brush.Color = clBlack;
    for (const TScreenBox& b : {l.bar, l.leftTick(), l.rightTick()}) fillBox(canvas, b);

    canvas.Font.Color = clBlack;
    canvas.Font.Height = l.textHeight;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.HaloTextOutBottomCentre(l.lengthAt, bar.LengthText, clWhite, l.halo);
    if (!bar.ScaleText.empty()) canvas.HaloTextOutBottomCentre(l.scaleAt, bar.ScaleText, clWhite, l.halo);
}
