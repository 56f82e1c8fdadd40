#include "reading/canvas.h"

std::span<const TScreenPoint> ScreenPointBuffer::Convert(std::span<const TGeoPoint> vertices,
                                                         const TWorldToScreenFunc& toScreen) {
    if (vertices.size() > points_.size()) points_.resize(vertices.size());
    TScreenPoint* out = points_.data();
    for (const TGeoPoint& v : vertices) *out++ = toScreen(v);
    return {points_.data(), vertices.size()};
}
