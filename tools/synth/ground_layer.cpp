#include <algorithm>

#include "block_use.h"
#include "layers.h"
#include "shapes.h"

namespace synth {

void addGrounds(const TownPlan& plan, GroupBuilder& g) {
    int i0, i1, j0, j1;
    plan.cellRange(g.sheet(), i0, i1, j0, j1);
    for (int j = j0; j < j1; ++j)
        for (int i = i0; i < i1; ++i) {
            const BlockUse use = blockUse(plan, i, j);
            if (use.ground == 0) continue;
            const Rect r = groundRect(plan.blockRect(i, j));
            g.addArea(use.ground, chamferedRect(r, std::min<Cm>(200, std::min(r.width(), r.height()) / 8)), r,
                      {use.groundName});
        }
}

}  // namespace synth
