#pragma once
// The drawing surface the map draws on: pen, brush and font state as plain
// fields that the drawing sets, and the figures that use them. The screen, an
// image, a vector picture, a printer page and the tests' recorder implement it.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "drawing/world_to_screen.h"
#include "map/features.h"
#include "tables/colors.h"
#include "tables/styles.h"

enum class TPenMode : uint8_t { pmCopy, pmNotXor };
enum class TBrushStyle : uint8_t { bsSolid, bsClear, bsDiagCross };

struct TCanvasPen {
    TColor Color = clBlack;
    TPenStyle Style = TPenStyle::psSolid;
    int32_t Width = 1;  // pixels
    TPenMode Mode = TPenMode::pmCopy;
    uint8_t Opacity = 255;  // 255 opaque; below, the pen blends with what lies under it
    friend bool operator==(const TCanvasPen&, const TCanvasPen&) = default;
};

struct TCanvasBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    friend bool operator==(const TCanvasBrush&, const TCanvasBrush&) = default;
};

struct TCanvasFont {
    TColor Color = clBlack;
    int32_t Height = 12;  // cell height in pixels, internal leading included
    friend bool operator==(const TCanvasFont&, const TCanvasFont&) = default;
};

// Converts a feature's vertices into screen points. It holds 8192 points from
// the start; a feature with more vertices grows it once, and it keeps that
// size, so drawing allocates nothing per feature.
class ScreenPointBuffer {
public:
    static constexpr size_t kInitialSize = 8192;
    ScreenPointBuffer() : points_(kInitialSize) {}

    std::span<const TScreenPoint> Convert(std::span<const TGeoPoint2D> vertices,
                                          const TWorldToScreenFunc& toScreen);
    // The polygon's outline, consecutive repeats dropped.
    std::span<const TScreenPoint> ConvertRing(const TKDKPolygon& polygon, const TWorldToScreenFunc& toScreen);
    // `count` copies of one point.
    std::span<const TScreenPoint> Repeat(TScreenPoint p, size_t count);
    size_t Capacity() const { return points_.size(); }

private:
    std::vector<TScreenPoint> points_;
};

// The advance of a Shift-JIS text in the label font (Noto Sans CJK JP) whose
// cell is `cellHeight` pixels, rounded up a little: a full-width letter is
// one em (0.69 of the cell), a half-width one at most 0.6 em. Readable labels
// are placed by it without asking the font, so placing costs no text layout.
double EstimatedTextWidth(std::string_view text, double cellHeight);

class Canvas {
public:
    virtual ~Canvas() = default;

    TCanvasPen Pen;
    TCanvasBrush Brush;
    TCanvasFont Font;

    // Open line through the points with the pen; fewer than two points draw nothing.
    virtual void Polyline(std::span<const TScreenPoint> points) = 0;
    // Closed figure filled even-odd with the brush and outlined with the pen.
    virtual void Polygon(std::span<const TScreenPoint> points) = 0;
    // Straight stroke with the pen; the pixel at `to` is not drawn.
    virtual void Line(TScreenPoint from, TScreenPoint to) = 0;
    // Outline with the pen, inside filled with the brush; right and bottom edges excluded.
    virtual void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
    virtual void SetPixel(int32_t x, int32_t y, TColor color) = 0;
    // Shift-JIS text in the font, centred horizontally with the bottom of its
    // cell on `at`; the background is filled with the brush unless it is clear.
    virtual void TextOutBottomCentre(TScreenPoint at, const std::string& text) = 0;
    // The same text drawn over a halo `haloWidth` pixels wide in `haloColor`
    // around its letters. This one draws the text around itself eight times;
    // canvases that can stroke the letters' outlines do that instead.
    virtual void HaloTextOutBottomCentre(TScreenPoint at, const std::string& text, TColor haloColor, int haloWidth);

    ScreenPointBuffer& Points() { return points_; }

private:
    ScreenPointBuffer points_;
};
