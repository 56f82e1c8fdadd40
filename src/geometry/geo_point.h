#pragma once
// Point records and the spatial helpers every layer of the map uses.
// X is the easting, Y the northing; Z is carried but never read.
#include <cstdint>

struct TGeoPoint {
    double X = 0, Y = 0, Z = 0;
};

struct TGeoPoint2D {
    double X = 0, Y = 0;
};

// Corners of the empty box: the first point widened into it becomes both corners.
inline constexpr double kEmptyBoxMin = 1e15;
inline constexpr double kEmptyBoxMax = -1e15;

inline TGeoPoint MakePoint(double x, double y, double z) { return {x, y, z}; }
inline TGeoPoint2D MakePoint2D(double x, double y) { return {x, y}; }
inline TGeoPoint2D ToPoint2D(const TGeoPoint& p) { return {p.X, p.Y}; }
inline TGeoPoint EmptyBoxMin() { return {kEmptyBoxMin, kEmptyBoxMin, kEmptyBoxMin}; }
inline TGeoPoint EmptyBoxMax() { return {kEmptyBoxMax, kEmptyBoxMax, kEmptyBoxMax}; }

inline bool SamePoint(const TGeoPoint& a, const TGeoPoint& b) {
    return a.X == b.X && a.Y == b.Y && a.Z == b.Z;
}

inline TGeoPoint PointDiff(const TGeoPoint& a, const TGeoPoint& b) {
    return {a.X - b.X, a.Y - b.Y, a.Z - b.Z};
}

double Distance2D(const TGeoPoint& a, const TGeoPoint& b);

inline double SquaredDistance2D(const TGeoPoint& a, const TGeoPoint& b) {
    double dx = a.X - b.X, dy = a.Y - b.Y;
    return dx * dx + dy * dy;
}

inline double SquaredLength(const TGeoPoint& v) { return v.X * v.X + v.Y * v.Y + v.Z * v.Z; }

// Distance from P to the infinite line through A-B. Foot is the perpendicular
// foot on that line (not clamped); Within tells whether it lies on the segment.
// A degenerate segment gives Foot = A, Within false.
double PointLineDistance(const TGeoPoint& P, const TGeoPoint& A, const TGeoPoint& B,
                         TGeoPoint& Foot, bool& Within);

inline void ExpandMax(TGeoPoint& m, const TGeoPoint& p) {
    const TGeoPoint q = p;
    if (q.X > m.X) m.X = q.X;
    if (q.Y > m.Y) m.Y = q.Y;
    if (q.Z > m.Z) m.Z = q.Z;
}

inline void ExpandMin(TGeoPoint& m, const TGeoPoint& p) {
    const TGeoPoint q = p;
    if (q.X < m.X) m.X = q.X;
    if (q.Y < m.Y) m.Y = q.Y;
    if (q.Z < m.Z) m.Z = q.Z;
}

inline void ExpandMax(TGeoPoint2D& m, const TGeoPoint2D& p) {
    if (p.X > m.X) m.X = p.X;
    if (p.Y > m.Y) m.Y = p.Y;
}

inline void ExpandMin(TGeoPoint2D& m, const TGeoPoint2D& p) {
    if (p.X < m.X) m.X = p.X;
    if (p.Y < m.Y) m.Y = p.Y;
}

inline TGeoPoint2D EmptyBoxMin2D() { return {kEmptyBoxMin, kEmptyBoxMin}; }
inline TGeoPoint2D EmptyBoxMax2D() { return {kEmptyBoxMax, kEmptyBoxMax}; }

inline bool PointInBox(const TGeoPoint2D& p, const TGeoPoint2D& min, const TGeoPoint2D& max) {
    return min.X <= p.X && p.X <= max.X && min.Y <= p.Y && p.Y <= max.Y;
}

// Closed boxes: touching edges and corners overlap.
inline bool BoxesOverlap(const TGeoPoint2D& aMin, const TGeoPoint2D& aMax, const TGeoPoint2D& bMin,
                         const TGeoPoint2D& bMax) {
    return aMin.X <= bMax.X && aMax.X >= bMin.X && aMin.Y <= bMax.Y && aMax.Y >= bMin.Y;
}
