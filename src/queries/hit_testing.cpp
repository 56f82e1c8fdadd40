// Which features lie under a world point, and the details text of all of them.
#include "queries/map_queries.h"

namespace {

// A feature can be hit only near its bounds. The margin exceeds the reach by
// a micrometre so that rounding in the exact tests never meets the cut: the
// quick rejection changes no result, it only skips the arithmetic.
constexpr double kRejectSlack = 1e-6;

bool farFromBounds(const TKDKPlacedElement& f, const TGeoPoint& p, double reach) {
    const double r = reach + kRejectSlack;
    return p.X < f.BoundsMin.X - r || p.X > f.BoundsMax.X + r || p.Y < f.BoundsMin.Y - r ||
           p.Y > f.BoundsMax.Y + r;
}

TGeoPoint at(const TGeoPoint2D& v) { return {v.X, v.Y, 0}; }

// The hit test of each kind that can be hit; other kinds never are.
bool hit(const TKDKLine& line, const TGeoPoint& p, double tolerance) {
    const auto& v = line.Vertices;
    if (v.size() < 2) return false;
    // Half the width widens the zone; the perpendicular foot must fall on the segment.
    const double reach = line.Width / 2.0 + tolerance;
    if (farFromBounds(line, p, reach)) return false;
    TGeoPoint foot;
    bool within = false;
    for (size_t i = 0; i + 1 < v.size(); ++i) {
        const double d = PointLineDistance(p, at(v[i]), at(v[i + 1]), foot, within);
        if (d <= reach && within) return true;
    }
    return false;
}

// Containment in a polygon does not use the tolerance.
bool hit(const TKDKPolygon& polygon, const TGeoPoint& p, double) {
    if (polygon.RingCount == 0 || farFromBounds(polygon, p, 0)) return false;
    // Even-odd rule: count the edges crossing the horizontal ray to the right of p.
    bool inside = false;
    auto edge = [&](const TGeoPoint2D& vi, const TGeoPoint2D& vj) {
        if ((vi.Y <= p.Y && p.Y < vj.Y) || (vj.Y <= p.Y && p.Y < vi.Y)) {
            const double xc = (vj.X - vi.X) * (p.Y - vi.Y) / (vj.Y - vi.Y) + vi.X;
            if (xc > p.X) inside = !inside;
        }
    };
    TGeoPoint2D first{}, previous{};
    bool started = false;
    polygon.ForEachRingVertex([&](const TGeoPoint2D& v) {
        if (started) edge(v, previous);
        else first = v;
        previous = v;
        started = true;
    });
    edge(first, previous);  // the closing edge, from the last vertex back to the first
    return inside;
}

bool hit(const TKDKPoint& point, const TGeoPoint& p, double tolerance) {
    return Distance2D(point.Position, p) <= tolerance;
}

template <class Feature>
bool hit(const Feature&, const TGeoPoint&, double) {
    return false;
}

}  // namespace

TGridBox BoxAround(const TGeoPoint& p, double reach) {
    const double r = reach + kRejectSlack;
    return {p.X - r, p.Y - r, p.X + r, p.Y + r};
}

bool HitTest(const TKDKElement& feature, const TGeoPoint& p, double tolerance) {
    return VisitFeature(feature, [&](const auto& f) { return hit(f, p, tolerance); });
}

int HitFeatures(const TKDKObject& map, const TGeoPoint& p, std::vector<const TKDKElement*>& hits,
                double tolerance) {
    int n = 0;
    auto test = [&](const auto& f) {
        if (hit(f, p, tolerance)) {
            hits.push_back(&f);
            ++n;
        }
    };
    // Containment in a polygon does not use the tolerance.
    map.ForEachLineNear(p, tolerance + kRejectSlack, test);
    map.ForEachPolygonOverlapping(BoxAround(p, 0), test);
    map.ForEachPointOverlapping(BoxAround(p, tolerance), test);
    return n;
}

std::string PointedDetails(const TKDKObject& map, const TGeoPoint& p, double tolerance) {
    std::vector<const TKDKElement*> hits;
    HitFeatures(map, p, hits, tolerance);
    std::string text;
    for (const TKDKElement* f : hits) text += GetDetails(*f);
    return text;
}
