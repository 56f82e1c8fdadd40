#pragma once
// The map's Canvas on a 32-bit QImage that draws the figures a map is mostly
// made of straight into the image's bits: solid polygons (without an outline
// or outlined one pixel wide in their own colour), solid rectangles without
// outline, one-pixel solid lines and polylines, and pixels. Everything else
// (wide or dashed pens, hatching, not-xor, text, outlined rectangles) goes to a QPainterCanvas on the same image, in
// call order, so the result is that of the QPainter canvas up to the odd pixel
// where the two rasterisers round a half differently.
//
// Fills cover the pixels whose centres lie inside (even-odd); lines step one
// pixel per major-axis step and leave out their end pixel, as the QPainter
// canvas's thin flat-capped pens do.
#include <QImage>
#include <QPainter>
#include <vector>

#include "render/qpainter_canvas.h"

class RasterCanvas : public Canvas {
public:
    // The image must be Format_RGB32 or Format_ARGB32_Premultiplied and
    // outlive the canvas; it is drawn on until the canvas is destroyed.
    explicit RasterCanvas(QImage& image);

    void Polyline(std::span<const TScreenPoint> points) override;
    void Polygon(std::span<const TScreenPoint> points) override;
    void Line(TScreenPoint from, TScreenPoint to) override;
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void SetPixel(int32_t x, int32_t y, TColor color) override;
    void TextOutBottomCentre(TScreenPoint at, const std::string& text) override;
    void HaloTextOutBottomCentre(TScreenPoint at, const std::string& text, TColor haloColor, int haloWidth) override;

    // How many figures went to QPainter (for benchmarks and tests).
    int64_t PainterCalls() const { return painterCalls_; }

private:
    bool thinSolidPen() const;
    // The fallback canvas with this canvas's pen, brush and font.
    QPainterCanvas& painterCanvas();
    void segment(TScreenPoint from, TScreenPoint to, uint32_t pixel);
    void fill(std::span<const TScreenPoint> points, uint32_t pixel);
    void span(int y, int x0, int x1, uint32_t pixel);

    uint32_t* bits_;
    qsizetype stride_;  // pixels per row
    int width_, height_;
    QPainter painter_;
    QPainterCanvas fallback_;
    int64_t painterCalls_ = 0;

    struct Edge {
        int yTop, yEnd;  // rows [yTop, yEnd) whose centres the edge crosses
        double x, dx;    // x at the centre of row yTop, and per row
    };
    std::vector<Edge> edges_;
    std::vector<const Edge*> active_;
    std::vector<double> crossings_;
};
