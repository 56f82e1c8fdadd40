#include "drawing/canvas.h"

#include <algorithm>
#include <cmath>

std::span<const TScreenPoint> ScreenPointBuffer::Convert(std::span<const TGeoPoint2D> vertices,
                                                         const TWorldToScreenFunc& toScreen) {
    if (vertices.size() > points_.size()) points_.resize(vertices.size());
    TScreenPoint* out = points_.data();
    if (const TLinearToScreen* linear = toScreen.linear()) {
        const TLinearToScreen t = *linear;
        for (const TGeoPoint2D& v : vertices) *out++ = t(v.X, v.Y);
    } else {
        for (const TGeoPoint2D& v : vertices) *out++ = toScreen(v);
    }
    return {points_.data(), vertices.size()};
}

std::span<const TScreenPoint> ScreenPointBuffer::ConvertRing(const TKDKPolygon& polygon,
                                                             const TWorldToScreenFunc& toScreen) {
    const size_t n = static_cast<size_t>(polygon.RingCount);
    if (n > points_.size()) points_.resize(n);
    TScreenPoint* out = points_.data();
    if (const TLinearToScreen* linear = toScreen.linear()) {
        const TLinearToScreen t = *linear;
        polygon.ForEachRingVertex([&](const TGeoPoint2D& v) { *out++ = t(v.X, v.Y); });
    } else {
        polygon.ForEachRingVertex([&](const TGeoPoint2D& v) { *out++ = toScreen(v); });
    }
    return {points_.data(), n};
}

std::span<const TScreenPoint> ScreenPointBuffer::Repeat(TScreenPoint p, size_t count) {
    if (count > points_.size()) points_.resize(count);
    std::fill_n(points_.begin(), count, p);
    return {points_.data(), count};
}

double EstimatedTextWidth(std::string_view text, double cellHeight) {
    constexpr double kFullWidth = 0.70, kHalfWidth = 0.42;  // of the cell height
    double ems = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
        if (lead && i + 1 < text.size()) {
            ems += kFullWidth;
            ++i;
        } else {
            ems += kHalfWidth;
        }
    }
    return std::ceil(ems * cellHeight);
}

void Canvas::HaloTextOutBottomCentre(TScreenPoint at, const std::string& text, TColor haloColor, int haloWidth) {
    const TColor colour = Font.Color;
    Font.Color = haloColor;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0) TextOutBottomCentre({at.X + dx * haloWidth, at.Y + dy * haloWidth}, text);
    Font.Color = colour;
    TextOutBottomCentre(at, text);
}
