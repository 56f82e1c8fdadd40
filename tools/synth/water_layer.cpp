#include <algorithm>
#include <cmath>

#include "block_use.h"
#include "layers.h"
#include "random.h"
#include "shapes.h"

namespace synth {
namespace {

constexpr int kWater = 5101, kPond = 5105, kRiverArea = 5121, kRiverCentre = 5122;
constexpr Cm kBankStep = 2000;

// The river winds inside its area: its centre line and half width at
// sample k, every 20 m from the west boundary to the east boundary.
class RiverShape {
public:
    explicit RiverShape(const TownPlan& plan) : plan_(plan), zone_(plan.riverZone()) {
        Rng rng(plan.params().seed, Draw::River, {});
        phase1_ = rng.range(0, 6.283);
        phase2_ = rng.range(0, 6.283);
        last_ = (zone_.width() + kBankStep - 1) / kBankStep;
    }
    std::int64_t last() const { return last_; }
    Cm x(std::int64_t k) const { return std::min(zone_.x0 + k * kBankStep, zone_.x1); }
    Cm centre(std::int64_t k) const {
        const double kd = static_cast<double>(k);
        const double wave = 0.7 * std::sin(kd * 0.11 + phase1_) + 0.3 * std::sin(kd * 0.031 + phase2_);
        return mid() + static_cast<Cm>(std::llround(0.15 * static_cast<double>(zone_.height()) * wave));
    }
    Cm halfWidth(std::int64_t k) const {
        Rng rng(plan_.params().seed, Draw::River, {k});
        return static_cast<Cm>(std::llround(0.3 * static_cast<double>(zone_.height()) * rng.range(0.85, 1.0)));
    }
    Cm mid() const { return (zone_.y0 + zone_.y1) / 2; }
    // Samples that reach just beyond the sheet on both sides.
    void span(const Rect& s, std::int64_t& k0, std::int64_t& k1) const {
        k0 = 0;
        while (k0 < last_ && x(k0 + 1) < s.x0) ++k0;
        k1 = k0;
        while (k1 < last_ && x(k1) <= s.x1) ++k1;
    }

private:
    const TownPlan& plan_;
    Rect zone_;
    double phase1_ = 0, phase2_ = 0;
    std::int64_t last_ = 0;
};

void addRiver(const TownPlan& plan, GroupBuilder& g) {
    if (plan.riverRow() < 0) return;
    const Rect zone = plan.riverZone();
    const Rect& s = g.sheet();
    if (zone.x1 < s.x0 || zone.x0 > s.x1 || zone.y1 < s.y0 || zone.y0 > s.y1) return;
    const std::vector<std::string> name{plan.riverName()};

    // The river's area, closed at the boundaries by lines that are drawn only to close it.
    TaggedRing area;
    area.add({zone.x0, zone.y0}, kTagClosing);
    area.add({zone.x1, zone.y0}, kTagOrdinary);
    area.add({zone.x1, zone.y1}, kTagClosing);
    area.add({zone.x0, zone.y1}, kTagOrdinary);
    g.addArea(kRiverArea, area, zone, {plan.riverName(), "一級河川"});

    // Only the stretch across this sheet is built; where it is cut short of
    // the boundaries, its ends lie outside the sheet and are cut away.
    const RiverShape river(plan);
    std::int64_t k0, k1;
    river.span(s, k0, k1);
    TaggedRing water;
    std::vector<Pt> centre;
    for (std::int64_t k = k0; k <= k1; ++k) {
        water.add({river.x(k), river.centre(k) - river.halfWidth(k)}, k == k0 ? kTagClosing : kTagOrdinary);
        centre.push_back({river.x(k), river.centre(k)});
    }
    for (std::int64_t k = k1; k >= k0; --k)
        water.add({river.x(k), river.centre(k) + river.halfWidth(k)}, k == k1 ? kTagClosing : kTagOrdinary);
    g.addArea(kWater, water, {zone.x0, river.mid(), zone.x1, river.mid()}, name);
    g.addLine(kRiverCentre, kTagOrdinary, centre, name);
}

void addPonds(const TownPlan& plan, GroupBuilder& g) {
    forEachBlockUse(plan, g.sheet(), [&](int i, int j, const BlockUse& use) {
        if (!use.pond) return;
        const Rect box = pondBox(groundRect(plan.blockRect(i, j)));
        Rng rng(plan.params().seed, Draw::Pond, {i, j});
        g.addArea(kPond, oval(box, 16, rng), box, {use.pondName});
    });
}

}  // namespace

void addWater(const TownPlan& plan, GroupBuilder& g) {
    addRiver(plan, g);
    addPonds(plan, g);
}

}  // namespace synth
