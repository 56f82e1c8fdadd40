#include "block_use.h"

#include <algorithm>

#include "random.h"

namespace synth {
namespace {

constexpr Cm kMinBuildingBlock = 1200;  // blocks narrower than 12 m carry no public building
constexpr Cm kMinPondGround = 3000;

struct BuildingKind {
    int code;
    const char* suffix;
};

// Public buildings of an ordinary block, drawn with equal chance.
const BuildingKind kBuildings[] = {
    {3509, "郵便局"}, {3514, "警察署"}, {3515, "交番"}, {3516, "消防署"}, {3519, "出張所"},
    {3525, "保育園"}, {3526, "公民館"}, {3527, "郷土資料館"}, {3528, "図書館"}, {3531, "保健所"},
    {3532, "病院"}, {3534, "信用金庫"}, {3536, "農業協同組合"}, {3545, "倉庫"}, {3548, "工場"},
    {3550, "変電所"}, {3559, "公衆便所"},
};

const char* const kTempleNames[] = {"光明寺", "西福寺", "常楽寺", "正覚寺", "浄土寺", "宝泉寺", "龍泉寺", "善福寺"};
const char* const kShrineNames[] = {"八幡神社", "稲荷神社", "天祖神社", "氷川神社", "香取神社", "熊野神社"};

}  // namespace

Rect groundRect(const Rect& block) {
    const Cm inset = std::min<Cm>(200, std::min(block.width(), block.height()) / 10);
    return {block.x0 + inset, block.y0 + inset, block.x1 - inset, block.y1 - inset};
}

Rect pondBox(const Rect& g) {
    const Cm w = g.width() * 3 / 10, h = g.height() * 3 / 10;
    const Pt c{g.x0 + g.width() * 3 / 5, g.y0 + g.height() * 2 / 5};
    return {c.x - w / 2, c.y - h / 2, c.x + w / 2, c.y + h / 2};
}

BlockUse blockUse(const TownPlan& plan, int i, int j) {
    BlockUse use;
    if (plan.isCorridorCell(i, j)) return use;
    Rng rng(plan.params().seed, Draw::LandUse, {i, j});
    const std::string& town =
        plan.towns()[static_cast<std::size_t>(plan.chomes()[static_cast<std::size_t>(plan.chomeOfCell(i, j))].town)].name;
    const Rect block = plan.blockRect(i, j);
    const bool roomy = std::min(block.width(), block.height()) >= kMinBuildingBlock;
    const double u = rng.unit();
    if (i == plan.townHallCol() && j == plan.townHallRow()) {
        use.building = 3503;
        use.buildingName = plan.municipalityName() + "役所";
    } else if (u < 0.05) {
        use.ground = 6242;
        static const char* const kinds[] = {"公園", "児童遊園", "緑地", "運動公園"};
        use.groundName = town + kinds[rng.below(4)];
        const Rect g = groundRect(block);
        use.pond = std::min(g.width(), g.height()) >= kMinPondGround && rng.chance(0.4);
        if (use.pond) use.pondName = town + "池";
    } else if (u < 0.075) {
        use.ground = 6243;
        static const char* const kinds[] = {"小学校", "小学校", "中学校", "高等学校"};
        use.groundName = town + kinds[rng.below(4)];
        if (roomy) {
            use.building = 3524;
            use.buildingName = use.groundName;
        }
    } else if (u < 0.085) {
        use.ground = 6244;
        const bool temple = rng.chance(0.5);
        use.groundName = temple ? kTempleNames[rng.below(8)] : kShrineNames[rng.below(6)];
        if (roomy) {
            use.building = temple ? 3522 : 3521;
            use.buildingName = use.groundName;
        }
    } else if (u < 0.093) {
        use.ground = 6215;
        use.groundName = town + (rng.chance(0.5) ? "霊園" : "墓地");
    } else if (u < 0.105) {
        use.ground = 6200;
        use.groundName = town + (rng.chance(0.5) ? "運動場" : "広場");
    } else if (u < 0.175 && roomy) {
        const BuildingKind& k = kBuildings[rng.below(static_cast<int>(std::size(kBuildings)))];
        use.building = k.code;
        use.buildingName = town + k.suffix;
    }
    use.controlPoint = rng.chance(0.15);
    return use;
}

}  // namespace synth
