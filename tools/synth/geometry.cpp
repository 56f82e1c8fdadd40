#include "geometry.h"

#include <algorithm>
#include <cmath>

namespace synth {

Cm roundDiv(__int128 n, __int128 d) {
    if (n >= 0) return static_cast<Cm>((2 * n + d) / (2 * d));
    return -static_cast<Cm>((-2 * n + d) / (2 * d));
}

namespace {

// One side of a box as a half-plane: x >= v, x <= v, y >= v or y <= v.
struct HalfPlane {
    bool vertical;  // the boundary is the line x = v (else y = v)
    bool keepAbove; // keep coordinates >= v (else <= v)
    Cm v;

    bool inside(Pt p) const {
        const Cm c = vertical ? p.x : p.y;
        return keepAbove ? c >= v : c <= v;
    }
    // Where segment a-b crosses the boundary. The ends are put in a fixed
    // order first, so both sheets that share an edge compute the same point.
    Pt crossing(Pt a, Pt b) const {
        if (vertical) {
            if (b.x < a.x) std::swap(a, b);
            return {v, a.y + roundDiv(static_cast<__int128>(b.y - a.y) * (v - a.x), b.x - a.x)};
        }
        if (b.y < a.y) std::swap(a, b);
        return {a.x + roundDiv(static_cast<__int128>(b.x - a.x) * (v - a.y), b.y - a.y), v};
    }
};

std::vector<HalfPlane> sides(const Rect& box) {
    return {{true, true, box.x0}, {true, false, box.x1}, {false, true, box.y0}, {false, false, box.y1}};
}

TaggedRing clipAgainst(const TaggedRing& in, const HalfPlane& h) {
    TaggedRing out;
    const std::size_t n = in.pts.size();
    for (std::size_t i = 0; i < n; ++i) {
        const Pt s = in.pts[(i + n - 1) % n];
        const Pt e = in.pts[i];
        const int tag = in.tags[i];
        const bool sIn = h.inside(s), eIn = h.inside(e);
        if (sIn && eIn) {
            out.add(e, tag);
        } else if (sIn) {
            out.add(h.crossing(s, e), tag);
        } else if (eIn) {
            out.add(h.crossing(s, e), kTagSheetEdge);
            out.add(e, tag);
        }
    }
    return out;
}

// Drops repeated points; a repeat's zero-length edge goes with it.
void dropRepeats(TaggedRing& r) {
    TaggedRing clean;
    for (std::size_t i = 0; i < r.pts.size(); ++i)
        if (clean.pts.empty() || !(clean.pts.back() == r.pts[i])) clean.add(r.pts[i], r.tags[i]);
    while (clean.pts.size() > 1 && clean.pts.back() == clean.pts.front()) {
        clean.pts.pop_back();
        clean.tags.pop_back();
    }
    r = std::move(clean);
}

}  // namespace

namespace {

bool allInside(const std::vector<Pt>& pts, const Rect& box) {
    for (Pt p : pts)
        if (!box.contains(p)) return false;
    return true;
}

}  // namespace

TaggedRing clipRing(const TaggedRing& ring, const Rect& box) {
    if (ring.pts.size() >= 3 && allInside(ring.pts, box)) return ring;  // the common case
    TaggedRing r = ring;
    for (const HalfPlane& h : sides(box)) {
        if (r.pts.empty()) break;
        r = clipAgainst(r, h);
        dropRepeats(r);
    }
    if (r.pts.size() < 3) return {};
    return r;
}

std::vector<Run> ringRuns(const TaggedRing& ring) {
    const std::size_t n = ring.pts.size();
    std::vector<Run> runs;
    if (n == 0) return runs;
    std::size_t start = n;  // first edge whose tag differs from the edge before it
    for (std::size_t i = 0; i < n; ++i)
        if (ring.tags[i] != ring.tags[(i + n - 1) % n]) {
            start = i;
            break;
        }
    if (start == n) {
        Run whole{ring.tags[0], ring.pts};
        whole.pts.push_back(ring.pts[0]);
        runs.push_back(std::move(whole));
        return runs;
    }
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = (start + k) % n;
        if (k == 0 || ring.tags[i] != runs.back().tag)
            runs.push_back({ring.tags[i], {ring.pts[(i + n - 1) % n]}});
        runs.back().pts.push_back(ring.pts[i]);
    }
    return runs;
}

std::vector<std::vector<Pt>> clipPolyline(const std::vector<Pt>& line, const Rect& box) {
    std::vector<std::vector<Pt>> pieces;
    if (line.size() >= 2) pieces.push_back(line);
    if (line.size() >= 2 && allInside(line, box)) return pieces;
    for (const HalfPlane& h : sides(box)) {
        std::vector<std::vector<Pt>> next;
        for (const std::vector<Pt>& piece : pieces) {
            std::vector<Pt> current;
            auto append = [&](Pt p) {
                if (current.empty() || !(current.back() == p)) current.push_back(p);
            };
            auto finish = [&] {
                if (current.size() >= 2) next.push_back(std::move(current));
                current.clear();
            };
            for (std::size_t i = 0; i < piece.size(); ++i) {
                const Pt e = piece[i];
                const bool eIn = h.inside(e);
                if (i > 0) {
                    const Pt s = piece[i - 1];
                    const bool sIn = h.inside(s);
                    if (sIn && !eIn) {
                        append(h.crossing(s, e));
                        finish();
                    } else if (!sIn && eIn) {
                        append(h.crossing(s, e));
                    }
                }
                if (eIn) append(e);
            }
            finish();
        }
        pieces = std::move(next);
    }
    return pieces;
}

bool insideRing(const std::vector<Pt>& ring, Pt p) {
    bool inside = false;
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Pt a = ring[i], b = ring[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            const double x = static_cast<double>(a.x) + static_cast<double>(b.x - a.x) *
                                                            static_cast<double>(p.y - a.y) /
                                                            static_cast<double>(b.y - a.y);
            if (static_cast<double>(p.x) < x) inside = !inside;
        }
    }
    return inside;
}

Pt interiorPoint(const std::vector<Pt>& ring, Pt preferred) {
    if (ring.size() < 3 || insideRing(ring, preferred)) return preferred;
    // Along the line through the preferred point, or through the middle of
    // the ring when that line misses it; half a centimetre off so that no
    // vertex lies on the line.
    Cm lowest = ring[0].y, highest = ring[0].y;
    for (Pt p : ring) {
        lowest = std::min(lowest, p.y);
        highest = std::max(highest, p.y);
    }
    if (preferred.y < lowest || preferred.y >= highest) preferred.y = lowest + (highest - lowest) / 2;
    const double y = static_cast<double>(preferred.y) + 0.5;
    std::vector<double> xs;
    const std::size_t n = ring.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const Pt a = ring[i], b = ring[j];
        const double ay = static_cast<double>(a.y), by = static_cast<double>(b.y);
        if ((ay > y) != (by > y))
            xs.push_back(static_cast<double>(a.x) + static_cast<double>(b.x - a.x) * (y - ay) / (by - ay));
    }
    std::sort(xs.begin(), xs.end());
    double best = -1, mid = static_cast<double>(preferred.x);
    for (std::size_t k = 0; k + 1 < xs.size(); k += 2)
        if (xs[k + 1] - xs[k] > best) {
            best = xs[k + 1] - xs[k];
            mid = (xs[k] + xs[k + 1]) / 2;
        }
    return {static_cast<Cm>(std::llround(mid)), preferred.y};
}

}  // namespace synth
