// The QPainter canvas: the town fixture drawn into an image at 2 pixels per
// metre, checked pixel by pixel, and the canvas figures on their own.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "map/kdk_object.h"
#include "reading/map_loading.h"
#include "support/temp_dir.h"
#include "support/town_fixture.h"
#include "view/viewport.h"
#include "render/qpainter_canvas.h"
#include "drawing/feature_drawing.h"

namespace {

class QPainterCanvasTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "view_qt_tests";
        static char* argv[] = {name, nullptr};
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    // The application ends before static destruction, which Qt does not survive.
    static void TearDownTestSuite() { app_.reset(); }

    static QImage blank(int w, int h) {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }

    // The town drawn in the mode into 400 x 300 pixels showing 0..200 x 0..150.
    QImage renderTown(TViewMode mode) {
        map_.reset();
        errors_.clear();
        LoadDataPath(map_, testsupport::writeTown(dir_.path()).string(), errors_);
        TViewport view;
        view.Width = 400;
        view.Height = 300;
        view.FitExtent(0, 200, 0, 150);
        view.ZoomToBox(0, 200, 0, 150);
        QImage image = blank(400, 300);
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        map_->SetViewMode(mode);
        Draw(*map_, canvas, view.GetViewMin(), view.GetViewMax(), view.ToScreen());
        return image;
    }

    const TKDKPolygon& polygonOf(int code) const {
        for (const auto& p : map_->Polygons())
            if (p->Code() == code) return *p;
        throw std::runtime_error("no polygon");
    }
    const TKDKLine& lineWithId(int id) const { return *map_->FindLine(0, id); }

    static QRgb rgb(TColor c) { return ToQColor(c).rgb(); }

    static std::unique_ptr<QGuiApplication> app_;
    testsupport::TempDir dir_;
    std::unique_ptr<TKDKObject> map_;
    TErrorList errors_;
};

std::unique_ptr<QGuiApplication> QPainterCanvasTest::app_;

}  // namespace

TEST_F(QPainterCanvasTest, PolygonsAreFilledInTheirColour) {
    const QImage gaiku = renderTown(TViewMode::vmGaiku);
    // Inside block A, away from its boundary and the school.
    EXPECT_EQ(gaiku.pixel(160, 250), rgb(polygonOf(1108).FillColor));
    // In the chome outside any block: chome areas are not drawn in block mode.
    EXPECT_EQ(gaiku.pixel(30, 120), qRgb(255, 255, 255));
    // The school building (30..50 x 30..50) paints over the block.
    EXPECT_EQ(gaiku.pixel(80, 220), rgb(polygonOf(3500).FillColor));

    const QImage noGaiku = renderTown(TViewMode::vmNoGaiku);
    EXPECT_EQ(noGaiku.pixel(30, 120), rgb(polygonOf(1106).FillColor));
    EXPECT_EQ(noGaiku.pixel(160, 250), rgb(polygonOf(1106).FillColor));
}

TEST_F(QPainterCanvasTest, ChomeBoundaryIsDashed) {
    const QImage image = renderTown(TViewMode::vmGaiku);
    const QRgb boundary = rgb(lineWithId(2).Color);
    int on = 0, off = 0, changes = 0;
    bool last = false;
    for (int x = 30; x < 370; ++x) {  // the chome's north edge, world y = 140
        const QRgb p = image.pixel(x, 20);
        ASSERT_TRUE(p == boundary || p == qRgb(255, 255, 255)) << x;
        const bool isOn = p == boundary;
        on += isOn;
        off += !isOn;
        if (x > 30 && isOn != last) ++changes;
        last = isOn;
    }
    EXPECT_GT(changes, 20);           // 340 pixels of 24-pixel dashes
    EXPECT_NEAR(on, 3 * off, 40);     // 18 on, 6 off
    EXPECT_EQ(image.pixel(100, 19), qRgb(255, 255, 255));  // one pixel wide
    EXPECT_EQ(image.pixel(100, 21), qRgb(255, 255, 255));
}

TEST_F(QPainterCanvasTest, SevenMetreRoadIsFourteenPixelsWide) {
    const QImage image = renderTown(TViewMode::vmGaiku);
    const QRgb road = rgb(lineWithId(101).Color);
    ASSERT_NE(road, qRgb(255, 255, 255));
    for (int x : {60, 120, 300}) {
        int first = -1, count = 0;
        for (int y = 120; y < 180; ++y)
            if (image.pixel(x, y) == road) {
                if (first < 0) first = y;
                ++count;
            }
        EXPECT_EQ(count, 14) << x;
        EXPECT_NEAR(first, 150 - 7, 1) << x;  // centred on world y = 75
    }
    // The unnamed ground-level road is hidden in block mode, the elevated one is drawn.
    EXPECT_NE(image.pixel(200, 100), rgb(lineWithId(102).Color));
    EXPECT_EQ(image.pixel(300, 40), rgb(lineWithId(103).Color));
}

TEST_F(QPainterCanvasTest, LabelIsCentredWithItsBottomOnTheLabelPoint) {
    const QImage image = renderTown(TViewMode::vmGaiku);
    // The station label 東京: maroon, 15 m = 30 pixels, at (40, 100) = screen (80, 100).
    const QRgb maroon = rgb(clMaroon);
    int exact = 0, top = 1000, bottom = -1, left = 1000, right = -1;
    for (int y = 50; y < 110; ++y)
        for (int x = 20; x < 140; ++x) {
            const QColor c(image.pixel(x, y));
            exact += image.pixel(x, y) == maroon;
            const bool inked = c.red() > c.green() + 40 && c.red() < 200;  // not the red marker
            if (!inked) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    EXPECT_GT(exact, 20);
    EXPECT_LE(bottom, 100);
    EXPECT_GE(bottom, 88);
    EXPECT_GE(top, 70);
    EXPECT_LE(top, 80);
    EXPECT_NEAR((left + right) / 2.0, 80, 3);
    EXPECT_GT(right - left, 30);  // two characters of about 20 pixels
}

TEST_F(QPainterCanvasTest, PointMarkerIsACrossOfNinePixels) {
    const QImage image = renderTown(TViewMode::vmGaiku);
    int red = 0;
    for (int y = 165; y < 176; ++y)
        for (int x = 195; x < 206; ++x) red += image.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_EQ(red, 9);  // triangulation point at (100, 65) = screen (200, 170)
    EXPECT_EQ(image.pixel(200, 170), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(198, 168), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(202, 172), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(203, 173), qRgb(255, 255, 255));
}

TEST_F(QPainterCanvasTest, RectangleExcludesRightAndBottomAndNotXorUndoesItself) {
    QImage image = blank(40, 30);
    {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Rectangle(10, 10, 20, 15);
    }
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(19, 14), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 12), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(15, 15), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(15, 12), qRgb(255, 255, 255));  // clear brush

    const QImage before = image;
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.Pen.Mode = TPenMode::pmNotXor;
    canvas.Pen.Style = TPenStyle::psDashDotDot;
    canvas.Pen.Color = 0x0000FF;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Rectangle(5, 5, 30, 25);
    painter.end();
    EXPECT_NE(image, before);
    painter.begin(&image);
    QPainterCanvas again(painter);
    again.Pen = canvas.Pen;
    again.Brush = canvas.Brush;
    again.Rectangle(5, 5, 30, 25);
    painter.end();
    EXPECT_EQ(image, before);
}

TEST_F(QPainterCanvasTest, DiagonalCrossHatchLetsTheMapShowThrough) {
    QImage image = blank(40, 40);
    image.fill(qRgb(0, 255, 0));
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Brush.Color = 0x0000FF;
    canvas.Brush.Style = TBrushStyle::bsDiagCross;
    const TScreenPoint square[] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}};
    canvas.Polygon(square);
    canvas.SetPixel(39, 39, 0xFF0000);
    painter.end();
    int red = 0, green = 0;
    for (int y = 4; y < 36; ++y)
        for (int x = 4; x < 36; ++x) {
            red += image.pixel(x, y) == qRgb(255, 0, 0);
            green += image.pixel(x, y) == qRgb(0, 255, 0);
        }
    EXPECT_GT(red, 100);
    EXPECT_GT(green, 500);
    EXPECT_EQ(red + green, 32 * 32);
    EXPECT_EQ(image.pixel(39, 39), qRgb(0, 0, 255));
}
