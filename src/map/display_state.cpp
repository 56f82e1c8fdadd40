#include "map/display_state.h"

#include <algorithm>

#include "map/features.h"
#include "tables/feature_codes.h"

namespace {

// Codes drawn as areas and as lines. Municipality areas (1105) and river
// areas (5121) take part in ordering and hit testing but are never drawn.
using namespace codes;
constexpr std::array<int, 11> kDrawnPolygonCodes{kChome,  kBlock,      kParkArea, kUrbanPark, kSchool,        kShrine,
                                                 kCemetery, kOtherGround, kRiver,   kLake,      kPublicBuilding};
constexpr std::array<int, 9> kDrawnLineCodes{kMunicipality, kChome,   kBlock,     kRoadCentre, kExpresswayEdge,
                                             kRoadEdge,     kRailway, kRiverArea, kRiverCentre};

template <size_t N>
bool listed(const std::array<int, N>& list, int code) {
    return std::find(list.begin(), list.end(), code) != list.end();
}

}  // namespace

int PolygonDrawRank(int code) {
    const auto it = std::find(kPolygonDrawOrder.begin(), kPolygonDrawOrder.end(), code);
    return it == kPolygonDrawOrder.end() ? 0 : 1 + static_cast<int>(it - kPolygonDrawOrder.begin());
}

bool TDisplayState::PolygonShown(const TKDKPolygon& polygon) const {
    const int code = polygon.Code();
    if (ViewMode == TViewMode::vmGaiku && code == codes::kChome) return false;
    if (ViewMode == TViewMode::vmNoGaiku && code == codes::kBlock) return false;
    return listed(kDrawnPolygonCodes, code);
}

bool TDisplayState::LineShown(const TKDKLine& line) const {
    const int code = line.Code();
    // In block mode ground-level road centre lines are drawn only when named.
    if (ViewMode == TViewMode::vmGaiku && code == codes::kRoadCentre && line.LineTag != codes::kElevatedTag &&
        !(line.Attribute && !line.Attribute->Values.empty()))
        return false;
    if (ViewMode == TViewMode::vmNoGaiku && code == codes::kBlock) return false;
    return listed(kDrawnLineCodes, code);
}

namespace {

// Whether a state's view mode draws the feature's code; kinds drawn whatever
// the mode have no such rule.
bool drawnInMode(const TDisplayState& state, const TKDKPolygon& polygon) { return state.PolygonShown(polygon); }
bool drawnInMode(const TDisplayState& state, const TKDKLine& line) { return state.LineShown(line); }
template <class Feature>
bool drawnInMode(const TDisplayState&, const Feature&) {
    static_assert(KindInfo(Feature::kKind).Display != TKindDisplay::ByCategoryAndMode,
                  "a kind shown by view mode needs its rule");
    return false;
}

}  // namespace

uint8_t ModesShowing(const TKDKElement& f) {
    uint8_t modes = 0;
    for (TViewMode mode : {TViewMode::vmAll, TViewMode::vmGaiku, TViewMode::vmNoGaiku}) {
        const TDisplayState state{mode, {}};
        const bool shown = VisitFeature(f, [&](const auto& feature) { return drawnInMode(state, feature); });
        if (shown) modes |= static_cast<uint8_t>(1u << static_cast<unsigned>(mode));
    }
    return modes;
}
