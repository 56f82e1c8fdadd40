#pragma once
// Everything read from one mesh: its description, its features (stored in
// large blocks, so they never move once added), the pools their vertices,
// references and attribute texts live in, and the spatial grids over their bounds. Merging moves
// a whole store from one map object to another without copying a feature.
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
