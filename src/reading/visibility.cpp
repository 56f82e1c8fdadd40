// Which features the drawing shows: the display categories, the view mode and
// the codes each kind draws, cached in the features' Visible flags.
#include <algorithm>
#include <array>

#include "reading/display_categories.h"
#include "reading/kdk_object.h"

namespace {

// Codes drawn as areas and as lines; a slot holding 0 is empty. Municipality
// areas (1105) and river areas (5121) take part in ordering and hit testing
// but are never drawn.
constexpr std::array<int, 13> kPolygonCodes{0,    1106, 1108, 6241, 6242, 6243, 6244,
                                            6215, 6200, 5101, 5105, 0,    3500};
constexpr std::array<int, 18> kLineCodes{1105, 1106, 1108, 2110, 2112, 2101, 2300, 0, 0,
                                         0,    0,    0,    0,    0,    0,    5121, 5122, 0};

template <size_t N>
bool listed(const std::array<int, N>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

constexpr int kChomeCode = 1106;
constexpr int kBlockCode = 1108;
constexpr int kRoadCentreCode = 2110;
constexpr int kElevatedTag = 1;

}  // namespace

void TKDKObject::SetViewMode(TViewMode mode) {
    if (mode != ViewMode) VisibilityValid = false;
    ViewMode = mode;
}

bool TKDKObject::GetCategoryVisible(int major) const {
    const int i = CategoryIndex(major);
    return i >= 0 && CategoryShown[static_cast<size_t>(i)];
}

bool TKDKObject::SetCategoryVisible(int major, bool on) {
    const int i = CategoryIndex(major);
    if (i < 0) return false;
    CategoryShown[static_cast<size_t>(i)] = on;
    VisibilityValid = false;
    return true;
}

bool TKDKObject::PolygonShown(const TKDKPolygon& polygon) const {
    const int code = polygon.Code();
    if (ViewMode == TViewMode::vmGaiku && code == kChomeCode) return false;
    if (ViewMode == TViewMode::vmNoGaiku && code == kBlockCode) return false;
    return listed(kPolygonCodes, code);
}

bool TKDKObject::LineShown(const TKDKLine& line) const {
    const int code = line.Code();
    // In block mode ground-level road centre lines are drawn only when named.
    if (ViewMode == TViewMode::vmGaiku && code == kRoadCentreCode && line.LineTag != kElevatedTag &&
        !(line.Attribute && !line.Attribute->Values.empty()))
        return false;
    if (ViewMode == TViewMode::vmNoGaiku && code == kBlockCode) return false;
    return listed(kLineCodes, code);
}

void TKDKObject::UpdateVisibility() {
    for (auto& p : Polygons) p->Visible = GetCategoryVisible(p->Major) && PolygonShown(*p);
    for (auto& l : Lines) l->Visible = GetCategoryVisible(l->Major) && LineShown(*l);
    for (auto& p : Points) p->Visible = GetCategoryVisible(p->Major);
    for (auto& a : Attributes) a->Visible = GetCategoryVisible(a->Major);
    VisibilityValid = true;
}
