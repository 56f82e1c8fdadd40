#include "geometry/geo_point.h"

#include <cmath>

double Distance2D(const TGeoPoint& a, const TGeoPoint& b) { return std::sqrt(SquaredDistance2D(a, b)); }

double PointLineDistance(const TGeoPoint& P, const TGeoPoint& A, const TGeoPoint& B,
                         TGeoPoint& Foot, bool& Within) {
    const TGeoPoint p = P, a = A, b = B;
    const TGeoPoint ap{p.X - a.X, p.Y - a.Y, 0};
    const TGeoPoint ab{b.X - a.X, b.Y - a.Y, 0};
    const double l2 = SquaredLength(ab);
    const double t = (l2 == 0) ? 1e10 : (ap.X * ab.X + ap.Y * ab.Y) / l2;
    Within = t >= 0 && t <= 1;
    // A degenerate segment has ab = 0, so the foot is A whatever t is.
    Foot = TGeoPoint{a.X + t * ab.X, a.Y + t * ab.Y, 0};
    return Distance2D(p, Foot);
}
