#pragma once
// The map's Canvas on a QPainter: screen, image, SVG or printer alike. The
// canvas sets the painter's pen, brush, font and composition mode itself and
// remembers what it set, so nothing else should change them while it is in use.
#include <QFont>
#include <QPainter>
#include <QPoint>
#include <map>
#include <vector>

#include "drawing/canvas.h"

class QPainterCanvas : public Canvas {
public:
    // The font family labels are drawn in: kanji take their Japanese forms.
    static constexpr const char* kFontFamily = "Noto Sans CJK JP";

    explicit QPainterCanvas(QPainter& painter);

    // How halos are drawn: the letters' outlines stroked (vector output, the
    // default), or the text drawn around itself from the glyph cache, several
    // times faster on an image.
    enum class THalo : bool { Outline, Offsets };
    THalo Halo = THalo::Outline;

    void Polyline(std::span<const TScreenPoint> points) override;
    void Polygon(std::span<const TScreenPoint> points) override;
    void Line(TScreenPoint from, TScreenPoint to) override;
    void Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) override;
    void SetPixel(int32_t x, int32_t y, TColor color) override;
    void TextOutBottomCentre(TScreenPoint at, const std::string& text) override;
    // The halo as Halo says, then the text over it.
    void HaloTextOutBottomCentre(TScreenPoint at, const std::string& text, TColor haloColor, int haloWidth) override;

private:
    void applyPen();
    void applyBrush();
    void applyMode();
    // The points without consecutive repeats, which draw no pixel of their own.
    const std::vector<QPoint>& simplified(std::span<const TScreenPoint> points);
    // A font whose ascent plus descent is `cellHeight` pixels.
    const QFont& fontOfCellHeight(int cellHeight);

    QPainter& painter_;
    TCanvasPen appliedPen_;
    TCanvasBrush appliedBrush_;
    TPenMode appliedMode_ = TPenMode::pmCopy;
    std::vector<QPoint> qpoints_;
    std::map<int, QFont> fonts_;
};

// Qt's colour of a TColor (0x00BBGGRR).
QColor ToQColor(TColor c);
