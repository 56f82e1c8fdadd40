#pragma once
// Everything read from one mesh: its description, its features (stored in
// blocks, so they never move once added), the pools their vertices,
// references and attribute texts live in, and the spatial grids over their
// bounds. The blocks of the lists and pools come from the arena the store
// shares with the other meshes its reader read. Merging moves a whole store
// from one map object to another without copying a feature.
#include <memory>
#include <tuple>
#include <vector>

#include "map/block_list.h"
#include "map/chunk_pool.h"
#include "map/code_groups.h"
#include "map/feature_list.h"
#include "map/features.h"
#include "map/mesh_description.h"
#include "map/spatial_grid.h"
#include "map/text_pool.h"

template <class Classes>
struct TFeatureDeques;
template <class... Features>
struct TFeatureDeques<TFeatureClassList<Features...>> {
    using type = std::tuple<BlockList<Features>...>;
};

struct MeshStore {
    explicit MeshStore(std::shared_ptr<PageArena> memory)
        : arena(std::move(memory)), vertices(arena.get()), refs(arena.get()), runs(arena.get()), texts(arena.get()) {
        std::apply([&](auto&... list) { (list.useArena(arena.get()), ...); }, lists);
    }

    // Declared first: the lists and pools live in it.
    std::shared_ptr<PageArena> arena;
    std::unique_ptr<TKDKDescription> description;

    // One list per feature class, in reading order.
    TFeatureDeques<TFeatureClasses>::type lists;
    template <class Feature>
    BlockList<Feature>& list() {
        return std::get<BlockList<Feature>>(lists);
    }
    template <class Feature>
    const BlockList<Feature>& list() const {
        return std::get<BlockList<Feature>>(lists);
    }

    ChunkPool<TGeoPoint2D> vertices;
    ChunkPool<int32_t> refs;
    ChunkPool<TRingRun> runs;
    TextPool texts;  // attribute values

    // Over the bounds of the features in this store's own order (labels: the
    // label points of records that have a label). Valid while `indexed`.
    bool indexed = false;
    SpatialGrid lineGrid, polygonGrid, pointGrid, labelGrid;
    // The same features by code (lines also by colour), for views that draw a few codes.
    CodeGroups lineGroups, pointGroups, labelGroups;
    // Lines' reach beyond their bounds: half the widest line.
    double widestHalfLine = 0;
};

template <class Feature>
const BlockList<Feature>& StoreList(const MeshStore& store) {
    return store.list<Feature>();
}
