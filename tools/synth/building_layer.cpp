#include <algorithm>
#include <string>

#include "block_use.h"
#include "layers.h"
#include "random.h"
#include "shapes.h"

namespace synth {
namespace {

constexpr int kPublicBuilding = 3500;
constexpr Cm kMaxBuildingSide = 6000;

// The building's footprint: a quarter to a half of the ground's size, at
// most 60 m a side, somewhere inside it.
Rect footprint(const Rect& ground, Rng& rng) {
    auto side = [&](Cm room) {
        return std::max<Cm>(1, std::min(kMaxBuildingSide, static_cast<Cm>(rng.range(0.25, 0.5) * static_cast<double>(room))));
    };
    const Cm w = side(ground.width()), h = side(ground.height());
    const Cm x = ground.x0 + static_cast<Cm>(rng.range(0, static_cast<double>(ground.width() - w)));
    const Cm y = ground.y0 + static_cast<Cm>(rng.range(0, static_cast<double>(ground.height() - h)));
    return {x, y, x + w, y + h};
}

}  // namespace

void addPublicBuildings(const TownPlan& plan, GroupBuilder& g) {
    forEachBlockUse(plan, g.sheet(), [&](int i, int j, const BlockUse& use) {
        if (use.building == 0) return;
        Rng rng(plan.params().seed, Draw::Building, {i, j});
        const Rect r = footprint(groundRect(plan.blockRect(i, j)), rng);
        g.addArea(kPublicBuilding, chamferedRect(r, 0), r, {std::to_string(use.building), use.buildingName});
    });
}

}  // namespace synth
