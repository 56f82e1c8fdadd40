#pragma once
// The map's box queries restricted to the code groups a caller wants
// (code_groups.h): exactly the features that ForEachLineOverlapping and its
// siblings visit and whose group `wanted(TCodeGroupKey)` accepts, in the same
// order. Mesh by mesh, the wanted groups are walked when they hold fewer
// features than the spatial grid would offer, so a small-scale view that draws
// a few groups of a large map visits only those.
#include <algorithm>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "map/kdk_object.h"

// The group a feature belongs to.
inline TCodeGroupKey CodeGroupKeyOf(const TKDKLine& line) { return {line.Code(), line.Color}; }
template <class Feature>
TCodeGroupKey CodeGroupKeyOf(const Feature& feature) {
    return {feature.Code(), 0};
}

namespace grouped_queries {

// Whether the query takes the feature at all (labels: records with a label).
template <class Feature>
bool queried(const Feature& f) {
    if constexpr (std::is_same_v<Feature, TKDKAttribute>) return !f.LabelText.empty();
    else return true;
}

inline bool meets(const TGridBox& a, const TGridBox& b) {
    return !a.empty() && a.MinX <= b.MaxX && a.MaxX >= b.MinX && a.MinY <= b.MaxY && a.MaxY >= b.MinY;
}

// The share of `extent` that `box` covers, 0 to 1.
inline double coveredShare(const TGridBox& extent, const TGridBox& box) {
    const double w = extent.MaxX - extent.MinX, h = extent.MaxY - extent.MinY;
    const double cw = std::min(extent.MaxX, box.MaxX) - std::max(extent.MinX, box.MinX);
    const double ch = std::min(extent.MaxY, box.MaxY) - std::max(extent.MinY, box.MinY);
    if (cw < 0 || ch < 0) return 0;
    return (w > 0 ? cw / w : 1) * (h > 0 ? ch / h : 1);
}

// Calls visit(position) for the positions of the groups, ascending.
template <class Visit>
void forEachPosition(const CodeGroups& groups, const std::vector<const CodeGroups::Group*>& chosen, Visit visit) {
    if (chosen.size() == 1) {
        for (uint32_t i : groups.Positions(*chosen.front())) visit(i);
        return;
    }
    // Several groups: marked in a bit set over the list, then read in order.
    thread_local std::vector<uint64_t> marks;
    marks.assign((groups.ListSize() + 63) / 64, 0);
    for (const CodeGroups::Group* g : chosen)
        for (uint32_t i : groups.Positions(*g)) marks[i / 64] |= uint64_t{1} << (i % 64);
    for (size_t w = 0; w < marks.size(); ++w)
        for (uint64_t bits = marks[w]; bits != 0; bits &= bits - 1)
            visit(static_cast<uint32_t>(w * 64 + static_cast<size_t>(__builtin_ctzll(bits))));
}

template <class Feature, class Wanted, class Visit>
void forEachInGroups(const TKDKObject& map, SpatialGrid MeshStore::*gridOf, CodeGroups MeshStore::*groupsOf,
                     const TGridBox& box, Wanted wanted, Visit visit) {
    std::vector<const CodeGroups::Group*> chosen;
    std::vector<uint32_t> candidates;
    for (const auto& storePtr : map.Stores()) {
        const MeshStore& store = *storePtr;
        const BlockList<Feature>& list = store.list<Feature>();
        auto take = [&](const Feature& f) {
            if (queried(f) && BoxOverlaps(f, box) && wanted(CodeGroupKeyOf(f))) visit(f);
        };
        if (!store.indexed) {
            for (const Feature& f : list) take(f);
            continue;
        }
        const CodeGroups& groups = store.*groupsOf;
        chosen.clear();
        size_t chosenCount = 0;
        for (const CodeGroups::Group& g : groups.Groups())
            if (meets(g.Extent, box) && wanted(g.Key)) {
                chosen.push_back(&g);
                chosenCount += g.size();
            }
        if (chosen.empty()) continue;
        // What the grid would offer: the features of the part of the mesh in
        // the box, and all of them once the box covers a quarter of it.
        const double share = coveredShare(groups.Extent(), box);
        const double offered = static_cast<double>(list.size()) * (share >= 0.25 ? 1.0 : share);
        if (static_cast<double>(chosenCount) <= offered) {
            forEachPosition(groups, chosen, [&](uint32_t i) {
                const Feature& f = list[i];
                if (BoxOverlaps(f, box)) visit(f);
            });
        } else if ((store.*gridOf).Candidates(box, candidates)) {
            for (uint32_t i : candidates) take(list[i]);
        } else {
            for (const Feature& f : list) take(f);
        }
    }
}

}  // namespace grouped_queries

template <class Wanted, class Visit>
void ForEachLineInGroups(const TKDKObject& map, const TGridBox& box, Wanted wanted, Visit visit) {
    grouped_queries::forEachInGroups<TKDKLine>(map, &MeshStore::lineGrid, &MeshStore::lineGroups, box, wanted, visit);
}
template <class Wanted, class Visit>
void ForEachPointInGroups(const TKDKObject& map, const TGridBox& box, Wanted wanted, Visit visit) {
    grouped_queries::forEachInGroups<TKDKPoint>(map, &MeshStore::pointGrid, &MeshStore::pointGroups, box, wanted,
                                                visit);
}
// Attribute records with a label, by their label point.
template <class Wanted, class Visit>
void ForEachLabelInGroups(const TKDKObject& map, const TGridBox& box, Wanted wanted, Visit visit) {
    grouped_queries::forEachInGroups<TKDKAttribute>(map, &MeshStore::labelGrid, &MeshStore::labelGroups, box, wanted,
                                                    visit);
}
