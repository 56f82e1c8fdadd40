#include "layers.h"

namespace synth {
namespace {
constexpr int kRailway = 2300, kStation = 2420;
}

void addRailways(const TownPlan& plan, GroupBuilder& g) {
    if (plan.railwayCol() < 0) return;
    const Cm x = plan.railwayX();
    const Rect& s = g.sheet();
    const std::vector<std::string> values{plan.railwayName(), plan.railwayAlias()};
    const Cm south = plan.boundaryPoint(Side::South, x).y;
    const Cm north = plan.boundaryPoint(Side::North, x).y;
    if (x >= s.x0 && x <= s.x1) {
        if (plan.riverRow() >= 0) {
            // On a bridge across the river's whole area.
            const Rect zone = plan.riverZone();
            g.addLine(kRailway, kTagOrdinary, {{x, south}, {x, zone.y0}}, values);
            g.addLine(kRailway, kTagElevated, {{x, zone.y0}, {x, zone.y1}}, values);
            g.addLine(kRailway, kTagOrdinary, {{x, zone.y1}, {x, north}}, values);
        } else {
            g.addLine(kRailway, kTagOrdinary, {{x, south}, {x, north}}, values);
        }
    }
    for (const Station& st : plan.stations())
        if (st.pos.x >= s.x0 && st.pos.x < s.x1 && st.pos.y >= s.y0 && st.pos.y < s.y1)
            g.addPoint(kStation, st.pos, {st.name});
}

}  // namespace synth
