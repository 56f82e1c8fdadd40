#include "shapes.h"

#include <algorithm>
#include <cmath>

namespace synth {

TaggedRing chamferedRect(const Rect& r, Cm chamfer, int tag) {
    TaggedRing ring;
    const Cm c = std::max<Cm>(0, std::min({chamfer, r.width() / 3, r.height() / 3}));
    if (c == 0) {
        for (Pt p : {Pt{r.x0, r.y0}, Pt{r.x1, r.y0}, Pt{r.x1, r.y1}, Pt{r.x0, r.y1}}) ring.add(p, tag);
        return ring;
    }
    for (Pt p : {Pt{r.x0 + c, r.y0}, Pt{r.x1 - c, r.y0}, Pt{r.x1, r.y0 + c}, Pt{r.x1, r.y1 - c},
                 Pt{r.x1 - c, r.y1}, Pt{r.x0 + c, r.y1}, Pt{r.x0, r.y1 - c}, Pt{r.x0, r.y0 + c}})
        ring.add(p, tag);
    return ring;
}

TaggedRing blockOutline(const Rect& r, Rng& rng) {
    const Cm shortSide = std::min(r.width(), r.height());
    const Cm c = std::min<Cm>(300, shortSide / 8);
    const Cm jitter = std::min<Cm>(30, shortSide / 50);
    TaggedRing ring;
    // One side from a to b; `in` is the inward direction. Without cut
    // corners b is the next side's first point and is left to it.
    auto side = [&](Pt a, Pt b, int inX, int inY) {
        ring.add(a, kTagOrdinary);
        const Cm length = std::abs(b.x - a.x) + std::abs(b.y - a.y);
        const int between = static_cast<int>(std::min<Cm>(4, length / 2500));
        for (int k = 1; k <= between; ++k) {
            const Cm d = static_cast<Cm>(rng.range(0, static_cast<double>(jitter) + 1));
            ring.add({a.x + (b.x - a.x) * k / (between + 1) + inX * d, a.y + (b.y - a.y) * k / (between + 1) + inY * d},
                     kTagOrdinary);
        }
        if (c > 0) ring.add(b, kTagOrdinary);
    };
    side({r.x0 + c, r.y0}, {r.x1 - c, r.y0}, 0, 1);
    side({r.x1, r.y0 + c}, {r.x1, r.y1 - c}, -1, 0);
    side({r.x1 - c, r.y1}, {r.x0 + c, r.y1}, 0, -1);
    side({r.x0, r.y1 - c}, {r.x0, r.y0 + c}, 1, 0);
    return ring;
}

TaggedRing oval(const Rect& box, int n, Rng& rng) {
    TaggedRing ring;
    const Pt c = box.centre();
    const double rx = static_cast<double>(box.width()) / 2, ry = static_cast<double>(box.height()) / 2;
    const double turn = rng.range(0, 6.283);
    for (int k = 0; k < n; ++k) {
        const double a = turn + 6.283185307179586 * k / n;
        const double s = rng.range(0.85, 1.0);  // the shore is not a perfect oval
        ring.add({c.x + static_cast<Cm>(std::llround(rx * s * std::cos(a))),
                  c.y + static_cast<Cm>(std::llround(ry * s * std::sin(a)))},
                 kTagOrdinary);
    }
    return ring;
}

}  // namespace synth
