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

uint8_t ModesShowing(const TKDKElement& f) {
    uint8_t modes = 0;
    for (TViewMode mode : {TViewMode::vmAll, TViewMode::vmGaiku, TViewMode::vmNoGaiku}) {
        const TDisplayState state{mode, {}};
        const bool shown = f.FeatureKind == TFeatureKind::Polygon ? state.PolygonShown(static_cast<const TKDKPolygon&>(f))
                           : f.FeatureKind == TFeatureKind::Line  ? state.LineShown(static_cast<const TKDKLine&>(f))
                                                                  : false;
        if (shown) modes |= static_cast<uint8_t>(1u << static_cast<unsigned>(mode));
    }
    return modes;
}

bool TDisplayState::Shows(const TKDKElement& f) const {
    if (f.CategorySlot < 0 || !CategoryShown[static_cast<size_t>(f.CategorySlot)]) return false;
    switch (f.FeatureKind) {
        case TFeatureKind::Polygon:
        case TFeatureKind::Line: {
            const uint8_t modes = f.ShownInModes != TKDKElement::kModesUnknown ? f.ShownInModes : ModesShowing(f);
            return (modes >> static_cast<unsigned>(ViewMode)) & 1u;
        }
        case TFeatureKind::Point:
        case TFeatureKind::Attribute: return true;
        default: return false;
    }
}
