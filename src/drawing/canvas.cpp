#include "drawing/canvas.h"

#include <algorithm>

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
