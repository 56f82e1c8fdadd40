#pragma once
// What stands on a block besides houses: a park, a school, a shrine or
// temple ground, a cemetery or another open ground, and public buildings.
// Decided once per block from the seed, so that the layers that draw the
// ground (SONOTA), its pond (SUIKEI) and its building (TATEMONO) agree.
#include <string>

#include "town_plan.h"

namespace synth {

struct BlockUse {
    int ground = 0;            // 6242 park, 6243 school, 6244 shrine or temple, 6215 cemetery, 6200 other; 0 none
    std::string groundName;
    bool pond = false;         // parks only
    std::string pondName;
    int building = 0;          // public building code (35xx) or 0
    std::string buildingName;
    bool controlPoint = false;
};

BlockUse blockUse(const TownPlan& plan, int i, int j);

// Calls fn(i, j, use) for every block that reaches into a box.
template <typename Fn>
void forEachBlockUse(const TownPlan& plan, const Rect& box, Fn&& fn) {
    plan.forEachCell(box, [&](int i, int j) {
        if (!plan.isCorridorCell(i, j)) fn(i, j, blockUse(plan, i, j));
    });
}

// The ground's outline inside the block, and the box a pond keeps to.
Rect groundRect(const Rect& block);
Rect pondBox(const Rect& ground);

}  // namespace synth
