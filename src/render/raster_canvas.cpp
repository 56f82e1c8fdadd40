#include "render/raster_canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The image pixel of a TColor (0x00BBGGRR), opaque.
uint32_t pixelOf(TColor c) { return 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }

}  // namespace

RasterCanvas::RasterCanvas(QImage& image)
    : bits_(reinterpret_cast<uint32_t*>(image.bits())),
      stride_(image.bytesPerLine() / 4),
      width_(image.width()),
      height_(image.height()),
      painter_(&image),
      fallback_(painter_) {
    fallback_.Halo = QPainterCanvas::THalo::Offsets;
}

bool RasterCanvas::thinSolidPen() const {
    return Pen.Mode == TPenMode::pmCopy && Pen.Style == TPenStyle::psSolid && Pen.Width <= 1 && Pen.Opacity == 255;
}

QPainterCanvas& RasterCanvas::painterCanvas() {
    fallback_.Pen = Pen;
    fallback_.Brush = Brush;
    fallback_.Font = Font;
    ++painterCalls_;
    return fallback_;
}

void RasterCanvas::Polyline(std::span<const TScreenPoint> points) {
    if (points.size() < 2) return;
    if (!thinSolidPen()) return painterCanvas().Polyline(points);
    const uint32_t pixel = pixelOf(Pen.Color);
    bool drawn = false;
    for (size_t i = 1; i < points.size(); ++i) {
        if (points[i] == points[i - 1]) continue;
        segment(points[i - 1], points[i], pixel);
        drawn = true;
    }
    if (!drawn) SetPixel(points[0].X, points[0].Y, Pen.Color);  // shorter than a pixel still shows
}

void RasterCanvas::Line(TScreenPoint from, TScreenPoint to) {
    if (from == to) return;
    if (!thinSolidPen()) return painterCanvas().Line(from, to);
    segment(from, to, pixelOf(Pen.Color));
}

void RasterCanvas::Polygon(std::span<const TScreenPoint> points) {
    if (points.empty()) return;
    const bool solidFill = Brush.Style == TBrushStyle::bsSolid && Pen.Mode == TPenMode::pmCopy;
    const bool noOutline = Pen.Style == TPenStyle::psClear;
    const bool ownOutline = thinSolidPen() && Pen.Color == Brush.Color;
    if (!solidFill || !(noOutline || ownOutline)) return painterCanvas().Polygon(points);
    const uint32_t pixel = pixelOf(Brush.Color);
    fill(points, pixel);
    if (noOutline) return;
    bool drawn = false;
    for (size_t i = 0; i < points.size(); ++i) {
        const TScreenPoint a = points[i], b = points[(i + 1) % points.size()];
        if (a == b) continue;
        segment(a, b, pixel);
        drawn = true;
    }
    if (!drawn) SetPixel(points[0].X, points[0].Y, Brush.Color);
}

void RasterCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    // A solid box without outline (tiny areas at small scales, by the thousand) is filled here.
    if (Pen.Style != TPenStyle::psClear || Brush.Style != TBrushStyle::bsSolid || Pen.Mode != TPenMode::pmCopy)
        return painterCanvas().Rectangle(left, top, right, bottom);
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    const uint32_t pixel = pixelOf(Brush.Color);
    for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y) span(y, left, right, pixel);
}

void RasterCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    if (Pen.Mode != TPenMode::pmCopy) return painterCanvas().SetPixel(x, y, color);
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    bits_[y * stride_ + x] = pixelOf(color);
}

void RasterCanvas::TextOutBottomCentre(TScreenPoint at, const std::string& text) {
    painterCanvas().TextOutBottomCentre(at, text);
}

void RasterCanvas::HaloTextOutBottomCentre(TScreenPoint at, const std::string& text, TColor haloColor,
                                           int haloWidth) {
    painterCanvas().HaloTextOutBottomCentre(at, text, haloColor, haloWidth);
}

// Steps along the major axis from `from`, leaving out `to`; the minor
// coordinate is the nearest to the ideal line, halves going towards `to`. Only
// the steps whose major coordinate lies on the image are visited, so a segment
// reaching far off the image costs no more than one across it.
void RasterCanvas::segment(TScreenPoint from, TScreenPoint to, uint32_t pixel) {
    const int64_t x0 = from.X, y0 = from.Y, x1 = to.X, y1 = to.Y;
    if ((x0 < 0 && x1 < 0) || (y0 < 0 && y1 < 0) || (x0 >= width_ && x1 >= width_) ||
        (y0 >= height_ && y1 >= height_))
        return;
    const bool xMajor = std::llabs(x1 - x0) >= std::llabs(y1 - y0);
    // Major axis a, minor axis b.
    const int64_t a0 = xMajor ? x0 : y0, a1 = xMajor ? x1 : y1;
    const int64_t b0 = xMajor ? y0 : x0, b1 = xMajor ? y1 : x1;
    const int64_t aLimit = xMajor ? width_ : height_, bLimit = xMajor ? height_ : width_;
    const int64_t da = std::llabs(a1 - a0), db = std::llabs(b1 - b0);
    const int64_t sa = a1 > a0 ? 1 : -1, sb = b1 > b0 ? 1 : -1;
    // Steps k in [kFirst, kEnd) put the major coordinate a0 + sa * k on the image.
    int64_t kFirst = sa > 0 ? -a0 : a0 - (aLimit - 1);
    int64_t kEnd = sa > 0 ? aLimit - a0 : a0 + 1;
    kFirst = std::max<int64_t>(kFirst, 0);
    kEnd = std::min<int64_t>(kEnd, da);
    if (kFirst >= kEnd) return;
    // Minor offset at step k: floor((2 k db + da) / (2 da)); r is the remainder.
    // A segment starting on the image (most) starts at offset 0, remainder da.
    int64_t b = b0, r = da;
    if (kFirst > 0) {
        const __int128 start = static_cast<__int128>(2) * kFirst * db + da;
        b = b0 + sb * static_cast<int64_t>(start / (2 * da));
        r = static_cast<int64_t>(start % (2 * da));
    }
    int64_t a = a0 + sa * kFirst;
    for (int64_t k = kFirst; k < kEnd; ++k) {
        if (b >= 0 && b < bLimit) {
            const int64_t x = xMajor ? a : b, y = xMajor ? b : a;
            bits_[y * stride_ + x] = pixel;
        }
        a += sa;
        r += 2 * db;
        if (r >= 2 * da) {
            r -= 2 * da;
            b += sb;
        }
    }
}

void RasterCanvas::span(int y, int x0, int x1, uint32_t pixel) {
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    if (x0 < x1) std::fill(bits_ + y * stride_ + x0, bits_ + y * stride_ + x1, pixel);
}

// Even-odd scanline fill of the pixels whose centres lie inside the ring.
void RasterCanvas::fill(std::span<const TScreenPoint> points, uint32_t pixel) {
    edges_.clear();
    const size_t n = points.size();
    for (size_t i = 0; i < n; ++i) {
        TScreenPoint p = points[i], q = points[(i + 1) % n];
        if (p.Y == q.Y) continue;
        if (p.Y > q.Y) std::swap(p, q);
        // Rows y with p.Y <= y + 0.5 < q.Y, on the image.
        const int top = std::max<int>(p.Y, 0), end = std::min<int>(q.Y, height_);
        if (top >= end) continue;
        const double dx = static_cast<double>(q.X - p.X) / (static_cast<double>(q.Y) - p.Y);
        edges_.push_back({top, end, p.X + (top + 0.5 - p.Y) * dx, dx});
    }
    if (edges_.size() < 2) return;
    std::sort(edges_.begin(), edges_.end(), [](const Edge& l, const Edge& r) { return l.yTop < r.yTop; });
    active_.clear();
    size_t next = 0;
    std::vector<double>& xs = crossings_;
    for (int y = edges_.front().yTop; next < edges_.size() || !active_.empty(); ++y) {
        if (active_.empty()) y = std::max(y, edges_[next].yTop);
        while (next < edges_.size() && edges_[next].yTop == y) active_.push_back(&edges_[next++]);
        std::erase_if(active_, [y](const Edge* e) { return e->yEnd <= y; });
        xs.clear();
        for (const Edge* e : active_) xs.push_back(e->x + (y - e->yTop) * e->dx);
        std::sort(xs.begin(), xs.end());
        // Pixels whose centre x + 0.5 lies in [left, right).
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const double left = std::ceil(xs[i] - 0.5), right = std::ceil(xs[i + 1] - 0.5);
            span(y, static_cast<int>(std::clamp(left, -1.0, width_ + 1.0)),
                 static_cast<int>(std::clamp(right, -1.0, width_ + 1.0)), pixel);
        }
    }
}
