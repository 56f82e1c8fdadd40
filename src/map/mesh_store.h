#pragma once
// Everything read from one mesh: its description, its features (stored in
// blocks, so they never move once added), the pools their vertices and
// references live in, and the spatial grids over their bounds. Merging moves
// a whole store from one map object to another without copying a feature.
#include <deque>
#include <memory>
#include <vector>

#include "map/chunk_pool.h"
#include "map/features.h"
#include "map/mesh_description.h"
#include "map/spatial_grid.h"

struct MeshStore {
    std::unique_ptr<TKDKDescription> description;

    std::deque<TKDKLine> lines;
    std::deque<TKDKPolygon> polygons;
    std::deque<TKDKPoint> points;
    std::deque<TKDKAttribute> attributes;
    std::deque<TKDKNode> nodes;
    std::deque<TKDKNetwork> networks;

    ChunkPool<TGeoPoint2D> vertices;
    ChunkPool<int32_t> refs;
    ChunkPool<TRingRun> runs;

    // Over the bounds of the features in this store's own order (labels: the
    // label points of records that have a label). Valid while `indexed`.
    bool indexed = false;
    SpatialGrid lineGrid, polygonGrid, pointGrid, labelGrid;
    // Lines' reach beyond their bounds: half the widest line.
    double widestHalfLine = 0;
};
