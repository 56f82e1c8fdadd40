// Which features lie under a world point, and the details text of all of them.
#include "reading/kdk_object.h"

namespace {

// A feature can be hit only near its bounds. The margin exceeds the reach by
// a micrometre so that rounding in the exact tests never meets the cut: the
// quick rejection changes no result, it only skips the arithmetic.
constexpr double kRejectSlack = 1e-6;

bool farFromBounds(const TKDKElement& f, const TGeoPoint& p, double reach) {
    const double r = reach + kRejectSlack;
    return p.X < f.BoundsMin.X - r || p.X > f.BoundsMax.X + r || p.Y < f.BoundsMin.Y - r ||
           p.Y > f.BoundsMax.Y + r;
}

// Tests the features near p, in list order, appending the hits.
template <class Feature, class Margin>
int collectHits(BoundsCache<Feature>& cache, const std::vector<std::unique_ptr<Feature>>& features,
                const TGeoPoint& p, double tolerance, double reach, Margin margin,
                std::vector<TKDKElement*>& hits) {
    int n = 0;
    cache.forEachNear(features, p, reach, margin, [&](Feature& f) {
        if (f.HitTest(p, tolerance)) {
            hits.push_back(&f);
            ++n;
        }
    });
    return n;
}

double halfWidth(const TKDKLine& l) { return l.Width / 2.0; }
double noMargin(const TKDKElement&) { return 0; }

}  // namespace

bool TKDKElement::HitTest(const TGeoPoint&, double) const { return false; }

bool TKDKLine::HitTest(const TGeoPoint& p, double tolerance) const {
    if (Vertices.size() < 2) return false;
    // Half the width widens the zone; the perpendicular foot must fall on the segment.
    const double reach = Width / 2.0 + tolerance;
    if (farFromBounds(*this, p, reach)) return false;
    TGeoPoint foot;
    bool within = false;
    for (size_t i = 0; i + 1 < Vertices.size(); ++i) {
        const double d = PointLineDistance(p, Vertices[i], Vertices[i + 1], foot, within);
        if (d <= reach && within) return true;
    }
    return false;
}

bool TKDKPolygon::HitTest(const TGeoPoint& p, double) const {
    if (Ring.empty() || farFromBounds(*this, p, 0)) return false;
    // Even-odd rule: count the edges crossing the horizontal ray to the right of p.
    bool inside = false;
    size_t j = Ring.size() - 1;
    for (size_t i = 0; i < Ring.size(); ++i) {
        const TGeoPoint& vi = Ring[i];
        const TGeoPoint& vj = Ring[j];
        if ((vi.Y <= p.Y && p.Y < vj.Y) || (vj.Y <= p.Y && p.Y < vi.Y)) {
            const double xc = (vj.X - vi.X) * (p.Y - vi.Y) / (vj.Y - vi.Y) + vi.X;
            if (xc > p.X) inside = !inside;
        }
        j = i;
    }
    return inside;
}

bool TKDKPoint::HitTest(const TGeoPoint& p, double tolerance) const {
    return Distance2D(Position, p) <= tolerance;
}

int TKDKObject::HitFeatures(const TGeoPoint& p, std::vector<TKDKElement*>& hits,
                            double tolerance) const {
    // Containment in a polygon does not use the tolerance.
    int n = collectHits(lineBounds_, Lines, p, tolerance, tolerance, halfWidth, hits);
    n += collectHits(polygonBounds_, Polygons, p, tolerance, 0, noMargin, hits);
    n += collectHits(pointBounds_, Points, p, tolerance, tolerance, noMargin, hits);
    return n;
}

std::string TKDKObject::PointedDetails(const TGeoPoint& p, double tolerance) const {
    std::vector<TKDKElement*> hits;
    HitFeatures(p, hits, tolerance);
    std::string text;
    for (const TKDKElement* f : hits) text += f->GetDetails();
    return text;
}
