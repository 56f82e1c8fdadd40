// The scale bar: its round length and on-surface length at several scales,
// its texts, and what it draws.
#include <gtest/gtest.h>

#include <cmath>

#include "drawing/scale_bar.h"
#include "support/recording_canvas.h"

using testsupport::CanvasCall;
using testsupport::RecordingCanvas;
using Kind = CanvasCall::Kind;

namespace {

constexpr double kMetresPerInch = 0.0254;

// Ground metres per pixel at 1:scale on a surface of `dpi`.
double metresPerPixel(double scale, double dpi) { return scale * kMetresPerInch / dpi; }
// Millimetres of paper in pixels of a surface of `dpi`.
double paperPixels(double millimetres, double dpi) { return millimetres / 25.4 * dpi; }

}  // namespace

TEST(ScaleBar, ChoosesTheLongestRoundLengthThatFits) {
    struct Case {
        double scale, dpi, maxPixels;
        double metres;
        double paperMillimetres;  // the bar's expected length on paper
        const char* length;
        const char* scaleText;
    };
    const Case cases[] = {
        // 40 mm of paper at 1:2,500 hold exactly 100 m.
        {2500, 600, paperPixels(40, 600), 100, 40, "100 m", "1:2,500"},
        {2500, 600, paperPixels(39.9, 600), 50, 20, "50 m", "1:2,500"},
        {5000, 600, paperPixels(40, 600), 200, 40, "200 m", "1:5,000"},
        {10000, 96, 150, 200, 20, "200 m", "1:10,000"},
        {25000, 300, paperPixels(50, 300), 1000, 40, "1 km", "1:25,000"},
        {1234567.4, 96, 100, 20000, 20000 / 1234.5674, "20 km", "1:1,234,567"},
        {999.6, 96, 300, 50, 50 / 0.9996, "50 m", "1:1,000"},
    };
    for (const Case& c : cases) {
        const TScaleBar bar = ChooseScaleBar(metresPerPixel(c.scale, c.dpi), c.maxPixels, c.scale);
        EXPECT_EQ(bar.Metres, c.metres) << c.scale << " " << c.maxPixels;
        EXPECT_NEAR(bar.LengthPixels, paperPixels(c.paperMillimetres, c.dpi), 1.0) << c.scale;
        EXPECT_LE(bar.LengthPixels, c.maxPixels + 1e-6) << c.scale;
        EXPECT_EQ(bar.LengthText, c.length) << c.scale;
        EXPECT_EQ(bar.ScaleText, c.scaleText) << c.scale;
    }
    // Nothing fits below a metre, nor on no room, nor at no scale.
    EXPECT_EQ(ChooseScaleBar(10, 0.05, 2500).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(0.1, 0, 2500).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(0, 500, 2500).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(NAN, 500, 2500).Metres, 0);
    EXPECT_EQ(ChooseScaleBar(1, 500, 0).ScaleText, "");
    EXPECT_EQ(ChooseScaleBar(1, 500, 0).Metres, 500);
}

