#pragma once
// What the drawing shows: the view mode and the display categories' switches. The
// map object keeps the state that its owner sets; a drawing takes a copy, so
// the features are never written while they are drawn.
#include <array>
#include <cstdint>

#include "map/display_categories.h"
#include "tables/feature_codes.h"

class TKDKLine;
class TKDKPolygon;
class TKDKElement;

enum class TViewMode : uint8_t { vmAll, vmGaiku, vmNoGaiku };

struct TDisplayState {
    TViewMode ViewMode = TViewMode::vmNoGaiku;
    std::array<bool, kCategoryCount> CategoryShown = DefaultCategorySwitches();

    // The switch of a display category (major code); false for other codes.
    bool CategoryVisible(int major) const {
        const int i = CategoryIndex(major);
        return i >= 0 && CategoryShown[static_cast<size_t>(i)];
    }
    bool PolygonShown(const TKDKPolygon& polygon) const;
    bool LineShown(const TKDKLine& line) const;
    // Whether the drawing shows the feature: its category is on and the view
    // mode draws its code (areas and lines; points and labels by category only).
    bool Shows(const TKDKElement& feature) const;
};

// The view modes (bit 1 << mode) in which an area or a line is drawn, its category being on.
uint8_t ModesShowing(const TKDKElement& feature);

// Area codes in drawing order; areas of other codes (rank 0) are drawn first.
inline constexpr std::array<int, 13> kPolygonDrawOrder{
    codes::kMunicipality, codes::kChome,     codes::kBlock,       codes::kParkArea, codes::kUrbanPark,
    codes::kSchool,       codes::kShrine,    codes::kCemetery,    codes::kOtherGround, codes::kRiver,
    codes::kLake,         codes::kRiverArea, codes::kPublicBuilding};
inline constexpr int kPolygonRankCount = static_cast<int>(kPolygonDrawOrder.size()) + 1;
int PolygonDrawRank(int code);
