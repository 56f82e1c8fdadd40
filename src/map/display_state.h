#pragma once
// What the drawing shows: the view mode and the display categories' switches. The
// map object keeps the state that its owner sets; a drawing takes a copy, so
// the features are never written while they are drawn.
#include <array>
#include <cstdint>
#include <type_traits>

#include "map/display_categories.h"
#include "map/features.h"
#include "tables/feature_codes.h"

enum class TViewMode : uint8_t { vmAll, vmGaiku, vmNoGaiku };

struct TDisplayState {
    TViewMode ViewMode = TViewMode::vmNoGaiku;
    std::array<bool, kCategoryCount> CategoryShown = DefaultCategorySwitches();
    // The readable drawing (detail by scale, labels in points, a scale bar)
    // instead of the one the data's own rules define.
    bool Readable = false;

    // The switch of a display category (major code); false for other codes.
    bool CategoryVisible(int major) const {
        const int i = CategoryIndex(major);
        return i >= 0 && CategoryShown[static_cast<size_t>(i)];
    }
    bool PolygonShown(const TKDKPolygon& polygon) const;
    bool LineShown(const TKDKLine& line) const;
    // Whether the drawing shows the feature: its category is on and, for the
    // kinds whose display depends on it, the view mode draws its code.
    template <class Feature>
    bool Shows(const Feature& feature) const;
};

// The view modes (bit 1 << mode) in which an area or a line is drawn, its category being on.
uint8_t ModesShowing(const TKDKElement& feature);

template <class Feature>
bool TDisplayState::Shows(const Feature& f) const {
    if constexpr (std::is_same_v<Feature, TKDKElement>) {
        return VisitFeature(f, [this](const auto& feature) { return Shows(feature); });
    } else {
        constexpr TKindDisplay display = KindInfo(Feature::kKind).Display;
        if constexpr (display == TKindDisplay::Never) {
            return false;
        } else {
            if (f.CategorySlot < 0 || !CategoryShown[static_cast<size_t>(f.CategorySlot)]) return false;
            if constexpr (display == TKindDisplay::ByCategory) {
                return true;
            } else {
                const uint8_t modes = f.ShownInModes != TKDKElement::kModesUnknown ? f.ShownInModes : ModesShowing(f);
                return (modes >> static_cast<unsigned>(ViewMode)) & 1u;
            }
        }
    }
}

// Area codes in drawing order; areas of other codes (rank 0) are drawn first.
inline constexpr std::array<int, 13> kPolygonDrawOrder{
    codes::kMunicipality, codes::kChome,     codes::kBlock,       codes::kParkArea, codes::kUrbanPark,
    codes::kSchool,       codes::kShrine,    codes::kCemetery,    codes::kOtherGround, codes::kRiver,
    codes::kLake,         codes::kRiverArea, codes::kPublicBuilding};
inline constexpr int kPolygonRankCount = static_cast<int>(kPolygonDrawOrder.size()) + 1;
int PolygonDrawRank(int code);
