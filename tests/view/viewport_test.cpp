// The viewport maths: transforms, fitting, zooming, limits, centring, resizing
// and the display scale.
#include <gtest/gtest.h>

#include "view/viewport.h"

namespace {

TViewport surface(int width, int height) {
    TViewport v;
    v.Width = width;
    v.Height = height;
    return v;
}

void expectBox(const TViewState& v, double minX, double maxX, double minY, double maxY) {
    EXPECT_DOUBLE_EQ(v.MinX, minX);
    EXPECT_DOUBLE_EQ(v.MaxX, maxX);
    EXPECT_DOUBLE_EQ(v.MinY, minY);
    EXPECT_DOUBLE_EQ(v.MaxY, maxY);
}

}  // namespace

TEST(ViewTransform, WorldToScreenRoundsHalvesToEvenWithNorthUp) {
    TViewState v;
    v.ScaleX = v.ScaleY = 0.5;
    v.MinX = 100;
    v.MaxY = 50;
    EXPECT_EQ(WorldToScreen(v, MakePoint(100, 50, 0)), (TScreenPoint{0, 0}));
    EXPECT_EQ(WorldToScreen(v, MakePoint(105, 45, 0)), (TScreenPoint{2, 2}));   // 2.5 rounds to 2
    EXPECT_EQ(WorldToScreen(v, MakePoint(107, 43, 0)), (TScreenPoint{4, 4}));   // 3.5 rounds to 4
    EXPECT_EQ(WorldToScreen(v, MakePoint(98, 60, 0)), (TScreenPoint{-1, -5}));
    const TGeoPoint2D w = ScreenToWorld(v, 3, 7);
    EXPECT_DOUBLE_EQ(w.X, 106);
    EXPECT_DOUBLE_EQ(w.Y, 36);
}

TEST(ViewTransform, TheDrawingCallbackIsTheViewWhenTaken) {
    // A drawing (possibly on another thread) keeps its transform while the view moves on.
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    const TWorldToScreenFunc f = v.ToScreen();
    EXPECT_EQ(f(MakePoint(500, 250, 0)), (TScreenPoint{300, 200}));
    v.CentreOn(0, 0);
    EXPECT_EQ(f(MakePoint(500, 250, 0)), (TScreenPoint{300, 200}));
    const TWorldToScreenFunc g = v.ToScreen();
    EXPECT_EQ(g(MakePoint(0, 0, 0)), (TScreenPoint{300, 200}));
    EXPECT_EQ(g(MakePoint(10, 0, 0)), (TScreenPoint{304, 200}));
    EXPECT_EQ(g(MakePoint(10, 0, 0)), v.WorldToScreen(MakePoint(10, 0, 0)));
}

TEST(FitExtent, WholeBoxInTheSquareOfTheSmallerSide) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.4);
    EXPECT_DOUBLE_EQ(v.View.ScaleY, 0.4);
    expectBox(v.View, -250, 1250, -250, 750);
    EXPECT_DOUBLE_EQ(v.View.CenterX, 500);
    EXPECT_DOUBLE_EQ(v.View.CenterY, 250);
    expectBox(v.HomeView, -250, 1250, -250, 750);
}

TEST(FitExtent, ZeroSideTakesAProvisionalScaleOfOne) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 0, 0, 1000);  // width 0: sx = 1, sy = 0.4, the smaller wins
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.4);
    v.FitExtent(0, 100, 5, 5);  // height 0: sx = 4, sy = 1
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 1.0);
    v.ZoomToBox(0, 0, 0, 1000);  // the larger wins
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 1.0);
    v.ZoomToBox(0, 100, 5, 5);
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 4.0);
}

TEST(ZoomToBox, SmallerSideFillsTheSmallerSurfaceSide) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    v.ZoomToBox(0, 100, 0, 10);
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 40);
    expectBox(v.View, 50 - 7.5, 50 + 7.5, 0, 10);
    EXPECT_DOUBLE_EQ(v.HomeView.ScaleX, 0.4);  // the home view stays
}

TEST(ClampScale, LimitsAtNinetySixPixelsPerInch) {
    TViewport v = surface(600, 400);
    double sx = 10000, sy = 10000;
    v.ClampScale(sx, sy);
    EXPECT_NEAR(sx, 3779.527559, 1e-6);
    EXPECT_DOUBLE_EQ(sy, sx);
    sx = sy = 1e-6;
    v.ClampScale(sx, sy);
    EXPECT_NEAR(sx, 0.00377953, 1e-8);
    sx = 2;
    sy = 3;  // inside the limits the pair is left alone
    v.ClampScale(sx, sy);
    EXPECT_EQ(sx, 2);
    EXPECT_EQ(sy, 3);

    v.ZoomInLimit = 0;  // switched off
    sx = sy = 10000;
    v.ClampScale(sx, sy);
    EXPECT_EQ(sx, 10000);
    v.ZoomOutLimit = 0;
    sx = sy = 1e-9;
    v.ClampScale(sx, sy);
    EXPECT_EQ(sx, 1e-9);

    TViewport printer = surface(600, 400);
    printer.PixelsPerInch = 600;
    sx = sy = 1e6;
    printer.ClampScale(sx, sy);
    EXPECT_NEAR(sx, 600 / 0.0254, 1e-6);
}

TEST(ClampScale, AppliesToFittingAndZooming) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 0.01, 0, 0.01);
    EXPECT_NEAR(v.View.ScaleX, 96 / 0.0254, 1e-6);
    v.ZoomToBox(0, 1e7, 0, 1e7);
    EXPECT_NEAR(v.View.ScaleX, 96 / 0.0254 / 1e6, 1e-12);
    v.ZoomIn();
    EXPECT_NEAR(v.View.ScaleX, 96 / 0.0254 / 1e6 * 1.25, 1e-12);
    v.ZoomOut();
    v.ZoomOut();
    EXPECT_NEAR(v.View.ScaleX, 96 / 0.0254 / 1e6, 1e-12);  // clamped
}

TEST(ZoomBy, InThenOutReturnsToTheSameScaleAndCentre) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    v.CentreOn(300, 100);
    v.ZoomIn();
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.5);
    EXPECT_DOUBLE_EQ(v.View.MaxX - v.View.MinX, 1200);
    v.ZoomOut();
    EXPECT_NEAR(v.View.ScaleX, 0.4, 1e-12);
    EXPECT_NEAR(v.View.CenterX, 300, 1e-9);
    EXPECT_NEAR(v.View.CenterY, 100, 1e-9);
    EXPECT_NEAR(v.View.MinX, -450, 1e-9);
    EXPECT_NEAR(v.View.MaxY, 600, 1e-9);
    v.ZoomBy(2);
    EXPECT_NEAR(v.View.ScaleX, 0.2, 1e-12);
    EXPECT_NEAR(v.View.MaxX - v.View.MinX, 3000, 1e-9);
}

TEST(ZoomReset, ReturnsToTheHomeView) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    v.ZoomToBox(0, 10, 0, 10);
    v.ZoomReset();
    expectBox(v.View, -250, 1250, -250, 750);
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.4);
}

TEST(CentreOn, KeepsTheWorldSizeOfTheBox) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    v.CentreOn(-25, 10);  // as after a drag of 50 px right, 20 px down at 2 px/m from (0, 0)
    expectBox(v.View, -775, 725, -490, 510);
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.4);
    EXPECT_DOUBLE_EQ(v.View.CenterX, -25);
}

TEST(Resize, KeepsCentreAndScaleAndRefitsTheHomeView) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    v.ZoomToBox(100, 200, 100, 200);  // 4 px/m
    v.Resize(800, 1000, MakePoint(0, 0, 0), MakePoint(1000, 500, 0));
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 4);
    EXPECT_DOUBLE_EQ(v.View.CenterX, 150);
    expectBox(v.View, 50, 250, 25, 275);
    EXPECT_DOUBLE_EQ(v.HomeView.ScaleX, 0.8);  // m = 800 across 1000 m
    v.ZoomReset();
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.8);
}

TEST(Resize, BeforeTheFirstFitAZeroScaleCountsAsOne) {
    TViewport v;
    v.Resize(100, 50, MakePoint(0, 0, 0), MakePoint(10, 10, 0));
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 1);
    expectBox(v.View, -50, 50, -25, 25);
    EXPECT_DOUBLE_EQ(v.HomeView.ScaleX, 5);
}

TEST(DispScale, DenominatorOfTheDisplayScale) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);
    EXPECT_NEAR(v.DispScale(), 9448.8188976, 1e-6);
    v.PixelsPerInch = 192;
    EXPECT_NEAR(v.DispScale(), 2 * 9448.8188976, 1e-6);
    EXPECT_EQ(surface(0, 0).DispScale(), 0);
    const TGeoPoint2D min = v.GetViewMin(), max = v.GetViewMax();
    EXPECT_DOUBLE_EQ(min.X, -250);
    EXPECT_DOUBLE_EQ(max.Y, 750);
}

TEST(ZoomAbout, KeepsTheWorldPointUnderThePixelWithinTheLimits) {
    TViewport v = surface(600, 400);
    v.FitExtent(0, 1000, 0, 500);  // 0.4 px/m
    const TGeoPoint2D before = v.ScreenToWorld(150, 300);
    v.ZoomAbout(1.25, 150, 300);
    EXPECT_DOUBLE_EQ(v.View.ScaleX, 0.5);
    const TGeoPoint2D after = v.ScreenToWorld(150, 300);
    EXPECT_NEAR(after.X, before.X, 1e-9);
    EXPECT_NEAR(after.Y, before.Y, 1e-9);
    EXPECT_NEAR(v.View.MaxX - v.View.MinX, 1200, 1e-9);
    EXPECT_NEAR(v.View.CenterX, (v.View.MinX + v.View.MaxX) / 2, 1e-9);
    v.ZoomAbout(1e12, 10, 10);  // clamped at 1:1
    EXPECT_NEAR(v.View.ScaleX, 96 / 0.0254, 1e-6);
}
