#pragma once
// The map object: one loaded data set of one or more meshes, owning their
// descriptions and every feature read from their layer files.
//
// Threads: once loading (or merging) has finished, nothing changes the
// features; any number of threads may draw, hit-test, search and ask for
// addresses at once. The display state (view mode, category switches) is a
// small value that the owner sets between drawings and a drawing copies.
#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/geo_point.h"
#include "map/display_state.h"
#include "map/error_list.h"
#include "map/feature_index.h"
#include "map/feature_list.h"
#include "map/features.h"
#include "map/mesh_store.h"
#include "tables/coords_format.h"

class TKDKObject {
public:
    TKDKObject();
    ~TKDKObject();
    TKDKObject(const TKDKObject&) = delete;
    TKDKObject& operator=(const TKDKObject&) = delete;

    // ---- The mesh being read (the last one) --------------------------------
    // The arena the mesh's lists and pools take their memory from (by
    // default one of the map's own); a reader gives every map it reads its
    // own thread's arena, so their blocks share large pages.
    void UseArena(std::shared_ptr<PageArena> arena) { arena_ = std::move(arena); }
    // Starts a mesh: its description's facts become the map's, and features
    // added from now on belong to it (mesh number LastMeshNo).
    void BeginMesh(std::unique_ptr<TKDKDescription> description);
    // Ends reading the mesh: lists its description and builds its spatial
    // grids. Queries work before (by scanning) but are fast only after.
    void FinishMesh();

    // The one way features enter the map; each is indexed by (mesh, id) at once.
    TKDKLine& AddLine(int major, int minor, int id, int lineTag, int vertexCount,
                      std::span<const TGeoPoint> vertices);
    TKDKPolygon& AddPolygon(int major, int minor, int id, std::span<const int32_t> arcRefs,
                            const TGeoPoint& repPoint);
    TKDKPoint& AddPoint(int major, int minor, int id, const TGeoPoint& position);
    // The values are copied into the mesh's text pool.
    TKDKAttribute& AddAttribute(int major, int minor, int targetId, std::span<const std::string_view> values);
    // A copy of `text` in the mesh's text pool, valid as long as the map (a
    // label made of several values).
    std::string_view AddText(std::string_view text);
    TKDKNode& AddNode(int id, int nodeTag, std::span<const int32_t> arcRefs, const TGeoPoint& position);
    TKDKNetwork& AddNetwork(int arcId, int value1, int value2);

    // Builds the polygon's outline from its arcs; false when an arc is missing
    // (the outline then stays empty).
    bool BuildOutline(TKDKPolygon& polygon);
    // Gives the polygon an outline of its own (used where no arcs exist).
    void SetOutline(TKDKPolygon& polygon, std::span<const TGeoPoint> ring);

    // Moves the only mesh of `other` into this map (refusing one of another
    // coordinate system or datum, and one already present).
    bool Merge(TKDKObject& other, TErrorList& errors);

    // ---- Reading the map ----------------------------------------------------
    // The features of one class, mesh by mesh in reading order.
    template <class Feature>
    FeatureList<Feature> List() const {
        return FeatureList<Feature>(meshes_);
    }
    FeatureList<TKDKLine> Lines() const { return List<TKDKLine>(); }
    // Polygons in reading order; the drawing order is ForEachPolygonInDrawingOrder's.
    FeatureList<TKDKPolygon> Polygons() const { return List<TKDKPolygon>(); }
    FeatureList<TKDKPoint> Points() const { return List<TKDKPoint>(); }
    FeatureList<TKDKAttribute> Attributes() const { return List<TKDKAttribute>(); }
    FeatureList<TKDKNode> Nodes() const { return List<TKDKNode>(); }
    FeatureList<TKDKNetwork> Networks() const { return List<TKDKNetwork>(); }
    // Every mesh's storage, read-only, in reading order (for queries beside the map's own).
    std::span<const std::unique_ptr<MeshStore>> Stores() const { return meshes_; }
    // The meshes read whole, in reading order.
    std::span<const TKDKDescription* const> Descriptions() const { return descriptions_; }

    const TKDKLine* FindLine(int meshNo, int id) const { return lineIndex_.find(meshNo, id); }
    const TKDKPolygon* FindPolygon(int meshNo, int id) const { return polygonIndex_.find(meshNo, id); }
    const TKDKPoint* FindPoint(int meshNo, int id) const { return pointIndex_.find(meshNo, id); }
    // The same, for linking records while the mesh is read.
    TKDKLine* FindLine(int meshNo, int id) { return lineIndex_.find(meshNo, id); }
    TKDKPolygon* FindPolygon(int meshNo, int id) { return polygonIndex_.find(meshNo, id); }
    TKDKPoint* FindPoint(int meshNo, int id) { return pointIndex_.find(meshNo, id); }

    std::string MeshName(int meshNo) const;
    bool HasMesh(const std::string& baseName) const;
    // True once a mesh's description was accepted (BeginMesh), even when
    // reading its layers then failed.
    bool AnyMeshBegun() const { return !meshes_.empty(); }

    // Polygons in drawing order: by draw rank of their code, then in reading order.
    template <class Visit>
    void ForEachPolygonInDrawingOrder(Visit visit) const {
        for (const auto& group : polygonsByRank_)
            for (const TKDKPolygon* p : group) visit(*p);
    }

    // The features whose bounds overlap the box (closed), in list order
    // (polygons in drawing order, labels: attribute records with a label).
    // Exactly what a scan of the list with that box test visits.
    template <class Visit>
    void ForEachLineOverlapping(const TGridBox& box, Visit visit) const;
    template <class Visit>
    void ForEachPolygonOverlapping(const TGridBox& box, Visit visit) const;
    template <class Visit>
    void ForEachPointOverlapping(const TGridBox& box, Visit visit) const;
    template <class Visit>
    void ForEachLabelOverlapping(const TGridBox& box, Visit visit) const;
    // The lines that may pass within `reach` metres of p, their half widths
    // added, in list order; the caller tests each (some may be farther).
    template <class Visit>
    void ForEachLineNear(const TGeoPoint& p, double reach, Visit visit) const;

    // ---- Display state ------------------------------------------------------
    const TDisplayState& DisplayState() const { return display_; }
    TViewMode ViewMode() const { return display_.ViewMode; }
    void SetViewMode(TViewMode mode) { display_.ViewMode = mode; }
    bool GetCategoryVisible(int major) const { return display_.CategoryVisible(major); }
    // Sets a display category's switch; false, changing nothing, for other codes.
    bool SetCategoryVisible(int major, bool on);

    // ---- Facts of the data --------------------------------------------------
    int32_t LastMeshNo = 0;
    std::string Folder;
    std::string BaseName;
    int32_t Scale = 0;
    int32_t CoordSystemNo = 0;
    TGeoPoint2D SouthWest, NorthEast, NorthWest, SouthEast;
    int32_t DatumFlag = 0;
    TCoordsFormat SourceFormat = TCoordsFormat::cfCartesian;
    bool HasBlocks = false;
    std::vector<std::string> LayerFiles;
    // Bytes of layer text read so far (for progress and throughput figures).
    uint64_t BytesRead = 0;

private:
    MeshStore& current();
    void indexStore(MeshStore& store);

    // Calls visit(feature) for the candidates that each store's grid gives for
    // boxFor(store), store by store; a store without grids offers all.
    template <class Feature, class BoxFor, class Visit>
    void forEachCandidate(SpatialGrid MeshStore::*grid, BoxFor boxFor, Visit visit) const;

    std::shared_ptr<PageArena> arena_;
    std::vector<std::unique_ptr<MeshStore>> meshes_;
    std::vector<const TKDKDescription*> descriptions_;
    std::array<std::vector<const TKDKPolygon*>, kPolygonRankCount> polygonsByRank_;

    FeatureIndex<TKDKLine> lineIndex_;
    FeatureIndex<TKDKPolygon> polygonIndex_;
    FeatureIndex<TKDKPoint> pointIndex_;

    TDisplayState display_;
};

inline bool BoxOverlaps(const TKDKPlacedElement& f, const TGridBox& b) {
    return f.BoundsMin.X <= b.MaxX && f.BoundsMax.X >= b.MinX && f.BoundsMin.Y <= b.MaxY &&
           f.BoundsMax.Y >= b.MinY;
}

template <class Feature, class BoxFor, class Visit>
void TKDKObject::forEachCandidate(SpatialGrid MeshStore::*grid, BoxFor boxFor, Visit visit) const {
    std::vector<uint32_t> candidates;
    for (const auto& store : meshes_) {
        const BlockList<Feature>& list = store->list<Feature>();
        if (store->indexed && ((*store).*grid).Candidates(boxFor(*store), candidates)) {
            for (uint32_t i : candidates) visit(list[i]);
        } else {
            for (const Feature& f : list) visit(f);
        }
    }
}

template <class Visit>
void TKDKObject::ForEachLineOverlapping(const TGridBox& box, Visit visit) const {
    forEachCandidate<TKDKLine>(&MeshStore::lineGrid, [&](const MeshStore&) { return box; },
                     [&](const TKDKLine& f) {
                         if (BoxOverlaps(f, box)) visit(f);
                     });
}

template <class Visit>
void TKDKObject::ForEachLineNear(const TGeoPoint& p, double reach, Visit visit) const {
    auto around = [&](const MeshStore& store) {
        const double r = reach + store.widestHalfLine;
        return TGridBox{p.X - r, p.Y - r, p.X + r, p.Y + r};
    };
    forEachCandidate<TKDKLine>(&MeshStore::lineGrid, around, visit);
}

template <class Visit>
void TKDKObject::ForEachPointOverlapping(const TGridBox& box, Visit visit) const {
    forEachCandidate<TKDKPoint>(&MeshStore::pointGrid, [&](const MeshStore&) { return box; },
                     [&](const TKDKPoint& f) {
                         if (BoxOverlaps(f, box)) visit(f);
                     });
}

template <class Visit>
void TKDKObject::ForEachLabelOverlapping(const TGridBox& box, Visit visit) const {
    forEachCandidate<TKDKAttribute>(&MeshStore::labelGrid, [&](const MeshStore&) { return box; },
                     [&](const TKDKAttribute& f) {
                         if (!f.LabelText.empty() && BoxOverlaps(f, box)) visit(f);
                     });
}

template <class Visit>
void TKDKObject::ForEachPolygonOverlapping(const TGridBox& box, Visit visit) const {
    // Candidates of every store, sorted by (draw rank, store, position): the
    // drawing order. A query that takes everything walks the drawing order.
    std::vector<uint64_t> keys;
    std::vector<uint32_t> candidates;
    for (size_t m = 0; m < meshes_.size(); ++m) {
        const MeshStore& store = *meshes_[m];
        if (!store.indexed || !store.polygonGrid.Candidates(box, candidates)) {
            ForEachPolygonInDrawingOrder([&](const TKDKPolygon& f) {
                if (BoxOverlaps(f, box)) visit(f);
            });
            return;
        }
        for (uint32_t i : candidates) {
            const TKDKPolygon& f = store.list<TKDKPolygon>()[i];
            if (BoxOverlaps(f, box)) keys.push_back(uint64_t(PolygonDrawRank(f.Code())) << 56 | uint64_t(m) << 32 | i);
        }
    }
    std::sort(keys.begin(), keys.end());
    for (uint64_t k : keys)
        visit(meshes_[static_cast<size_t>((k >> 32) & 0xFFFFFF)]->list<TKDKPolygon>()[static_cast<uint32_t>(k)]);
}
