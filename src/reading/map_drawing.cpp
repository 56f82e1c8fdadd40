// Drawing the whole map: the polygon order and the walk over the feature lists.
#include <algorithm>
#include <array>

#include "reading/canvas.h"
#include "reading/kdk_object.h"

namespace {

// Area codes in drawing order; areas of other codes are drawn before all of these.
constexpr std::array<int, 13> kPolygonDrawOrder{1105, 1106, 1108, 6241, 6242, 6243, 6244,
                                                6215, 6200, 5101, 5105, 5121, 3500};

int drawRank(const TKDKPolygon& p) {
    const auto it = std::find(kPolygonDrawOrder.begin(), kPolygonDrawOrder.end(), p.Code());
    return it == kPolygonDrawOrder.end() ? 0 : 1 + static_cast<int>(it - kPolygonDrawOrder.begin());
}

template <class Feature>
void drawList(const std::vector<std::unique_ptr<Feature>>& features, Canvas& canvas,
              const TGeoPoint2D& min, const TGeoPoint2D& max, const TWorldToScreenFunc& toScreen) {
    for (const auto& f : features)
        if (f->Visible && BoxesOverlap(ToPoint2D(f->BoundsMin), ToPoint2D(f->BoundsMax), min, max))
            f->Draw(canvas, toScreen);
}

}  // namespace

void TKDKObject::OrderPolygons() {
    // Regroups by rank, keeping each group's relative order, so ordering an
    // ordered list changes nothing.
    std::array<std::vector<std::unique_ptr<TKDKPolygon>>, kPolygonDrawOrder.size() + 1> groups;
    for (auto& p : Polygons) {
        auto& group = groups[static_cast<size_t>(drawRank(*p))];
        group.push_back(std::move(p));
    }
    Polygons.clear();
    for (auto& group : groups)
        for (auto& p : group) Polygons.push_back(std::move(p));
}

void TKDKObject::EnsurePolygonsOrdered() {
    if (PolygonsOrdered) return;
    OrderPolygons();
    PolygonsOrdered = true;
}

void TKDKObject::Draw(Canvas& canvas, const TGeoPoint2D& min, const TGeoPoint2D& max,
                      const TWorldToScreenFunc& toScreen) {
    EnsurePolygonsOrdered();
    if (!VisibilityValid) UpdateVisibility();
    drawList(Polygons, canvas, min, max, toScreen);
    drawList(Lines, canvas, min, max, toScreen);
    drawList(Points, canvas, min, max, toScreen);
    drawList(Attributes, canvas, min, max, toScreen);
}
