#include <cmath>
#include <cstdio>
#include <string>

#include "block_use.h"
#include "geodesy.h"
#include "layers.h"
#include "names.h"
#include "random.h"

namespace synth {
namespace {

constexpr int kControlPoint = 7301;

std::string metres(double v, int decimals) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// The survey record of a control point, in the order the details list it:
// third-order mesh, point code, name, map code, latitude, longitude, kind,
// coordinate system, X (northing), Y (easting), height.
std::vector<std::string> surveyRecord(const TownPlan& plan, int i, int j, Pt pos, Rng& rng) {
    const double northing = static_cast<double>(plan.origin().y + pos.y) / kCmPerMetre;
    const double easting = static_cast<double>(plan.origin().x + pos.x) / kCmPerMetre;
    const LatLon ll = planeToGeodetic(northing, easting);
    const std::string mesh = thirdMeshCode(ll);
    const double u = rng.unit();
    const char* kind = u < 0.7 ? "街区三角点" : u < 0.95 ? "四等三角点" : "三等三角点";
    char serial[8];
    std::snprintf(serial, sizeof serial, "%02d", rng.below(100));
    const Chome& c = plan.chomes()[static_cast<std::size_t>(plan.chomeOfCell(i, j))];
    const std::string& town = plan.towns()[static_cast<std::size_t>(c.town)].name;
    return {mesh,
            "TR4" + mesh + serial,
            town + fullWidthNumber(c.number) + "-" + std::to_string(1 + rng.below(9)),
            secondMeshCode(ll),
            formatDms(ll.lat, 4),
            formatDms(ll.lon, 4),
            kind,
            "9",
            metres(northing, 3),
            metres(easting, 3),
            metres(rng.range(2.0, 40.0), 2)};
}

}  // namespace

void addControlPoints(const TownPlan& plan, GroupBuilder& g) {
    const Rect& s = g.sheet();
    forEachBlockUse(plan, s, [&](int i, int j, const BlockUse& use) {
        if (!use.controlPoint) return;
        Rng rng(plan.params().seed, Draw::ControlPoint, {i, j});
        const Rect b = plan.blockRect(i, j);
        const Pt pos{b.x0 + static_cast<Cm>(rng.range(0.2, 0.8) * static_cast<double>(b.width())),
                     b.y0 + static_cast<Cm>(rng.range(0.2, 0.8) * static_cast<double>(b.height()))};
        // A point on the sheet edge belongs to the sheet east or north of it.
        if (pos.x < s.x0 || pos.x >= s.x1 || pos.y < s.y0 || pos.y >= s.y1) return;
        g.addPoint(kControlPoint, pos, surveyRecord(plan, i, j, pos, rng));
    });
}

}  // namespace synth
