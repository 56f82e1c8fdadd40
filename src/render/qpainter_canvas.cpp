#include "render/qpainter_canvas.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <QString>
#include <cmath>

#include "base/sjis.h"

namespace {

// Thin pens have flat ends, which leave out the last pixel of a stroke as the
// classic desktop does; wide ones are rounded at their ends and joins, where
// it shows. Dash patterns are those of one-pixel pens there (in pen widths).
QPen styledPen(const TCanvasPen& p) {
    constexpr int kRoundFrom = 3;  // pixels
    QColor colour = ToQColor(p.Color);
    colour.setAlpha(p.Opacity);
    QPen pen(colour);
    pen.setWidth(std::max(1, p.Width));
    const bool round = p.Width >= kRoundFrom;
    pen.setCapStyle(round ? Qt::RoundCap : Qt::FlatCap);
    pen.setJoinStyle(round ? Qt::RoundJoin : Qt::MiterJoin);
    switch (p.Style) {
        case TPenStyle::psSolid: break;
        case TPenStyle::psDash: pen.setDashPattern({18, 6}); break;
        case TPenStyle::psDot: pen.setDashPattern({3, 3}); break;
        case TPenStyle::psDashDot: pen.setDashPattern({9, 6, 3, 6}); break;
        case TPenStyle::psDashDotDot: pen.setDashPattern({9, 3, 3, 3, 3, 3}); break;
        case TPenStyle::psClear: pen.setStyle(Qt::NoPen); break;
    }
    if (pen.style() != Qt::SolidLine) pen.setCapStyle(Qt::FlatCap);
    return pen;
}

QBrush styledBrush(const TCanvasBrush& b) {
    switch (b.Style) {
        case TBrushStyle::bsSolid: return QBrush(ToQColor(b.Color), Qt::SolidPattern);
        case TBrushStyle::bsDiagCross: return QBrush(ToQColor(b.Color), Qt::DiagCrossPattern);
        case TBrushStyle::bsClear: break;
    }
    return QBrush(Qt::NoBrush);
}

}  // namespace

QColor ToQColor(TColor c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(styledPen(appliedPen_));
    painter_.setBrush(styledBrush(appliedBrush_));
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void QPainterCanvas::applyPen() {
    if (Pen == appliedPen_) return;
    painter_.setPen(styledPen(Pen));
    appliedPen_ = Pen;
    applyMode();
}

void QPainterCanvas::applyBrush() {
    if (Brush == appliedBrush_) return;
    painter_.setBrush(styledBrush(Brush));
    appliedBrush_ = Brush;
}

void QPainterCanvas::applyMode() {
    if (Pen.Mode == appliedMode_) return;
    // Not-xor makes each pixel the inverse of pen XOR screen: drawing twice restores it.
    painter_.setCompositionMode(Pen.Mode == TPenMode::pmNotXor
                                    ? QPainter::RasterOp_NotSourceXorDestination
                                    : QPainter::CompositionMode_SourceOver);
    appliedMode_ = Pen.Mode;
}

const std::vector<QPoint>& QPainterCanvas::simplified(std::span<const TScreenPoint> points) {
    qpoints_.clear();
    for (const TScreenPoint& p : points)
        if (qpoints_.empty() || qpoints_.back().x() != p.X || qpoints_.back().y() != p.Y)
            qpoints_.emplace_back(p.X, p.Y);
    return qpoints_;
}

void QPainterCanvas::Polyline(std::span<const TScreenPoint> points) {
    if (points.size() < 2) return;
    applyPen();
    const std::vector<QPoint>& q = simplified(points);
    if (q.size() == 1) {
        painter_.drawPoint(q[0]);  // a stroke shorter than a pixel still shows
        return;
    }
    painter_.drawPolyline(q.data(), static_cast<int>(q.size()));
}

void QPainterCanvas::Polygon(std::span<const TScreenPoint> points) {
    if (points.empty()) return;
    applyPen();
    applyBrush();
    const std::vector<QPoint>& q = simplified(points);
    painter_.drawPolygon(q.data(), static_cast<int>(q.size()), Qt::OddEvenFill);
}

void QPainterCanvas::Line(TScreenPoint from, TScreenPoint to) {
    if (from == to) return;
    applyPen();
    painter_.drawLine(QPoint(from.X, from.Y), QPoint(to.X, to.Y));  // a flat end leaves `to` out
}

void QPainterCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    applyPen();
    applyBrush();
    if (Pen.Style == TPenStyle::psClear) {
        painter_.fillRect(QRect(left, top, right - left, bottom - top), painter_.brush());
        return;
    }
    // A stroked QRect covers one pixel more than its size in each direction.
    painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    // A one-pixel fill leaves the pen alone: labels too small to read become
    // pixels by the thousand at small scales, and two pen changes per pixel
    // cost more than everything else they draw.
    applyMode();
    painter_.fillRect(x, y, 1, 1, ToQColor(color));
}

const QFont& QPainterCanvas::fontOfCellHeight(int cellHeight) {
    auto it = fonts_.find(cellHeight);
    if (it != fonts_.end()) return it->second;
    QFont font(kFontFamily);
    font.setStyleStrategy(QFont::PreferMatch);
    font.setPixelSize(cellHeight);
    // The pixel size is the em height; scale it so that ascent plus descent is the cell.
    const int measured = QFontMetrics(font).height();
    if (measured > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(
                                                     static_cast<double>(cellHeight) * cellHeight / measured))));
    return fonts_.emplace(cellHeight, font).first->second;
}

void QPainterCanvas::HaloTextOutBottomCentre(TScreenPoint at, const std::string& text, TColor haloColor,
                                             int haloWidth) {
    if (Font.Height <= 0 || text.empty()) return;
    applyMode();
    const QFont& font = fontOfCellHeight(Font.Height);
    const QString s = QString::fromStdString(sjis::toUtf8(text));
    const QFontMetrics metrics(font);
    const QPoint baseline(at.X - metrics.horizontalAdvance(s) / 2, at.Y - metrics.descent());
    painter_.setFont(font);
    if (Halo == THalo::Offsets) {
        painter_.setPen(QPen(ToQColor(haloColor)));
        for (int dy = -haloWidth; dy <= haloWidth; dy += haloWidth)
            for (int dx = -haloWidth; dx <= haloWidth; dx += haloWidth)
                if (dx != 0 || dy != 0) painter_.drawText(baseline + QPoint(dx, dy), s);
        painter_.setPen(QPen(ToQColor(Font.Color)));
        painter_.drawText(baseline, s);
        painter_.setPen(styledPen(appliedPen_));
        return;
    }
    QPainterPath outline;
    outline.addText(baseline, font, s);
    painter_.setRenderHint(QPainter::Antialiasing, true);
    painter_.strokePath(outline, QPen(ToQColor(haloColor), 2.0 * haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(QPen(ToQColor(Font.Color)));
    painter_.drawText(baseline, s);
    painter_.setPen(styledPen(appliedPen_));
}

void QPainterCanvas::TextOutBottomCentre(TScreenPoint at, const std::string& text) {
    if (Font.Height <= 0 || text.empty()) return;
    applyMode();
    const QFont& font = fontOfCellHeight(Font.Height);
    const QString s = QString::fromStdString(sjis::toUtf8(text));
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(s);
    const int left = at.X - width / 2;
    const int top = at.Y - metrics.height();
    if (Brush.Style != TBrushStyle::bsClear)
        painter_.fillRect(QRect(left, top, width, metrics.height()), styledBrush(Brush));
    painter_.setFont(font);
    painter_.setPen(QPen(ToQColor(Font.Color)));
    painter_.drawText(QPoint(left, at.Y - metrics.descent()), s);
    painter_.setPen(styledPen(appliedPen_));
}
