// Widening a box by a feature's geometry.
#include "reading/features.h"

void TKDKElement::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const {
    max = EmptyBoxMax();
    min = EmptyBoxMin();
}

namespace {

void expandBy(const std::vector<TGeoPoint>& vertices, TGeoPoint& max, TGeoPoint& min) {
    for (const TGeoPoint& v : vertices) {
        ExpandMax(max, v);
        ExpandMin(min, v);
    }
}

}  // namespace

void TKDKLine::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const { expandBy(Vertices, max, min); }

void TKDKPolygon::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const { expandBy(Ring, max, min); }

void TKDKPoint::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const {
    ExpandMax(max, Position);
    ExpandMin(min, Position);
}

void TKDKAttribute::ExpandBounds(TGeoPoint& max, TGeoPoint& min) const {
    ExpandMax(max, LabelPoint);
    ExpandMin(min, LabelPoint);
}
