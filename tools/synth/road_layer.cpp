#include <algorithm>

#include "layers.h"
#include "shapes.h"

namespace synth {
namespace {

constexpr int kRoadEdge = 2101, kCentreLine = 2110, kExpresswayEdge = 2112;

std::vector<std::string> roadValues(const RoadLine& l) {
    std::vector<std::string> v;
    if (!l.name.empty()) v.push_back(l.name);
    if (!l.alias.empty()) v.push_back(l.alias);
    return v;
}

// Centre lines from crossing to crossing. North-south roads without a
// bridge stop at the river; those with one cross it elevated.
void addCentreLines(const TownPlan& plan, GroupBuilder& g) {
    const Rect& s = g.sheet();
    const auto& ns = plan.northSouthRoads();
    const auto& ew = plan.eastWestRoads();
    for (const RoadLine& l : ns) {
        if (l.pos < s.x0 || l.pos > s.x1) continue;
        const auto values = roadValues(l);
        for (std::size_t j = 0; j + 1 < ew.size(); ++j) {
            const Cm y0 = ew[j].pos, y1 = ew[j + 1].pos;
            if (y1 < s.y0 || y0 > s.y1) continue;
            const bool river = static_cast<int>(j) == plan.riverRow();
            if (river && !l.bridge) continue;
            g.addLine(kCentreLine, river ? kTagElevated : kTagOrdinary, {{l.pos, y0}, {l.pos, y1}}, values);
        }
    }
    for (const RoadLine& l : ew) {
        if (l.pos < s.y0 || l.pos > s.y1) continue;
        const auto values = roadValues(l);
        for (std::size_t i = 0; i + 1 < ns.size(); ++i) {
            const Cm x0 = ns[i].pos, x1 = ns[i + 1].pos;
            if (x1 < s.x0 || x0 > s.x1) continue;
            g.addLine(kCentreLine, kTagOrdinary, {{x0, l.pos}, {x1, l.pos}}, values);
        }
    }
}

// The expressway runs elevated above one east-west road, from boundary to boundary.
void addExpressway(const TownPlan& plan, GroupBuilder& g) {
    if (plan.expresswayLine() < 0) return;
    const RoadLine& l = plan.eastWestRoads()[static_cast<std::size_t>(plan.expresswayLine())];
    const Rect frame = plan.municipalityFrame();
    const Cm y = l.pos, half = l.width * 7 / 20;
    g.addLine(kCentreLine, kTagElevated, {{frame.x0, y}, {frame.x1, y}}, {plan.expresswayName()});
    g.addLine(kExpresswayEdge, kTagElevated, {{frame.x0, y - half}, {frame.x1, y - half}});
    g.addLine(kExpresswayEdge, kTagElevated, {{frame.x0, y + half}, {frame.x1, y + half}});
}

// Road edges around every cell with rounded-off corners, and along the
// riverside roads.
void addRoadEdges(const TownPlan& plan, GroupBuilder& g) {
    plan.forEachCell(g.sheet(), [&](int i, int j) {
        if (j == plan.riverRow()) return;
        const Rect r = plan.roadEdgeRect(i, j);
        g.addRingLine(kRoadEdge, chamferedRect(r, std::min<Cm>(500, std::min(r.width(), r.height()) / 6)));
    });
    if (plan.riverRow() < 0) return;
    const Rect frame = plan.municipalityFrame();
    const auto& ew = plan.eastWestRoads();
    const RoadLine& south = ew[static_cast<std::size_t>(plan.riverRow())];
    const RoadLine& north = ew[static_cast<std::size_t>(plan.riverRow() + 1)];
    g.addLine(kRoadEdge, kTagOrdinary, {{frame.x0, south.pos + south.width / 2}, {frame.x1, south.pos + south.width / 2}});
    g.addLine(kRoadEdge, kTagOrdinary, {{frame.x0, north.pos - north.width / 2}, {frame.x1, north.pos - north.width / 2}});
}

}  // namespace

void addRoads(const TownPlan& plan, GroupBuilder& g) {
    addCentreLines(plan, g);
    addExpressway(plan, g);
    addRoadEdges(plan, g);
}

}  // namespace synth
