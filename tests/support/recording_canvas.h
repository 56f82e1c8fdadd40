#pragma once
// A Canvas that records every figure with the pen, brush and font it was drawn with.
#include <string>
#include <vector>

#include "drawing/canvas.h"

namespace testsupport {

struct CanvasCall {
    enum class Kind { Polyline, Polygon, Line, Rectangle, Pixel, Text };
    Kind kind;
    TCanvasPen pen;
    TCanvasBrush brush;
    TCanvasFont font;
    std::vector<TScreenPoint> points;  // Line: from, to; Rectangle: left-top, right-bottom
    TColor color = 0;                  // Pixel
    std::string text;                  // Text (Shift-JIS)
};

class RecordingCanvas : public Canvas {
public:
    std::vector<CanvasCall> calls;

    void Polyline(std::span<const TScreenPoint> points) override;
    void Polygon(std::span<const TScreenPoint> points) override;
    void Line(TScreenPoint from, TScreenPoint to) override;
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void SetPixel(int32_t x, int32_t y, TColor color) override;
    void TextOutBottomCentre(TScreenPoint at, const std::string& text) override;

    // The calls of one kind, in drawing order.
    std::vector<CanvasCall> of(CanvasCall::Kind kind) const;

private:
    CanvasCall& record(CanvasCall::Kind kind, std::vector<TScreenPoint> points);
};

}  // namespace testsupport
