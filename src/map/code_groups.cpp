#include "map/code_groups.h"

#include <algorithm>
#include <cmath>

namespace {

TGridBox unite(const TGridBox& a, const TGridBox& b) {
    if (a.empty()) return b;
    return {std::min(a.MinX, b.MinX), std::min(a.MinY, b.MinY), std::max(a.MaxX, b.MaxX), std::max(a.MaxY, b.MaxY)};
}

}  // namespace

CodeGroups::CodeGroups(std::span<const TCodeGroupKey> keys, std::span<const TGridBox> boxes)
    : listSize_(keys.size()) {
    // The group of each feature (few groups: a linear search over them is cheap), then a counting sort.
    // Features of one code mostly come in runs: the last group is tried first.
    std::vector<uint32_t> groupOf(keys.size(), UINT32_MAX);
    size_t last = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        const TGridBox& b = boxes[i];
        if (b.empty() || !std::isfinite(b.MinX + b.MinY + b.MaxX + b.MaxY)) continue;
        if (last >= groups_.size() || !(groups_[last].Key == keys[i])) {
            auto found = std::find_if(groups_.begin(), groups_.end(), [&](const Group& x) { return x.Key == keys[i]; });
            if (found == groups_.end()) found = groups_.insert(groups_.end(), Group{keys[i]});
            last = static_cast<size_t>(found - groups_.begin());
        }
        Group* g = &groups_[last];
        ++g->End;
        g->Extent = unite(g->Extent, b);
        groupOf[i] = static_cast<uint32_t>(last);
    }
    uint32_t start = 0;
    for (Group& g : groups_) {
        g.Begin = start;
        start += g.End;
        g.End = g.Begin;
        extent_ = unite(extent_, g.Extent);
    }
    positions_.resize(start);
    for (size_t i = 0; i < keys.size(); ++i)
        if (groupOf[i] != UINT32_MAX) positions_[groups_[groupOf[i]].End++] = static_cast<uint32_t>(i);
}
