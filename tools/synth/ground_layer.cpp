#include <algorithm>

#include "block_use.h"
#include "layers.h"
#include "shapes.h"

namespace synth {

void addGrounds(const TownPlan& plan, GroupBuilder& g) {
    forEachBlockUse(plan, g.sheet(), [&](int i, int j, const BlockUse& use) {
        if (use.ground == 0) return;
        const Rect r = groundRect(plan.blockRect(i, j));
        g.addArea(use.ground, chamferedRect(r, std::min<Cm>(200, std::min(r.width(), r.height()) / 8)), r,
                  {use.groundName});
    });
}

}  // namespace synth
