#include "map/kdk_object.h"

#include "base/path_resolver.h"
#include "map/grouped_queries.h"

TKDKDescription::TKDKDescription(int meshNo, const std::string& path)
    : MeshNo(meshNo), Folder(paths::folderPart(path)), BaseName(paths::baseNameOf(path)) {}

TKDKObject::TKDKObject() = default;
TKDKObject::~TKDKObject() = default;

MeshStore& TKDKObject::current() {
    if (meshes_.empty()) {
        if (!arena_) arena_ = std::make_shared<PageArena>();
        meshes_.push_back(std::make_unique<MeshStore>(arena_));
    }
    MeshStore& store = *meshes_.back();
    store.indexed = false;  // whatever is added is not in the grids yet
    return store;
}

void TKDKObject::BeginMesh(std::unique_ptr<TKDKDescription> description) {
    const TKDKDescription& d = *description;
    BaseName = d.BaseName;
    Folder = d.Folder;
    SouthWest = d.SouthWest;
    NorthEast = d.NorthEast;
    NorthWest = d.NorthWest;
    SouthEast = d.SouthEast;
    Scale = d.Scale;
    CoordSystemNo = d.CoordSystemNo;
    DatumFlag = d.DatumFlag;
    SourceFormat = FormatFromDatum(DatumFlag == 0 ? kDatumTokyo : kDatumJGD2000, CoordSystemNo);
    LayerFiles = d.LayerFiles;
    current().description = std::move(description);
}

void TKDKObject::FinishMesh() {
    if (meshes_.empty()) return;
    MeshStore& store = *meshes_.back();
    // A mesh counts as read (listed, named) once all its layers are.
    if (store.description && (descriptions_.empty() || descriptions_.back() != store.description.get()))
        descriptions_.push_back(store.description.get());
    indexStore(store);
}

TKDKLine& TKDKObject::AddLine(int major, int minor, int id, int lineTag, int vertexCount,
                              std::span<const TGeoPoint> vertices) {
    MeshStore& s = current();
    const auto pooled = s.vertices.copy(vertices, [](const TGeoPoint& p) { return TGeoPoint2D{p.X, p.Y}; });
    TKDKLine& line = s.list<TKDKLine>().emplace_back(major, minor, LastMeshNo, id, lineTag, vertexCount, pooled);
    lineIndex_.add(line.MeshNo, line.Id, &line);
    return line;
}

TKDKPolygon& TKDKObject::AddPolygon(int major, int minor, int id, std::span<const int32_t> arcRefs,
                                    const TGeoPoint& repPoint) {
    MeshStore& s = current();
    TKDKPolygon& polygon = s.list<TKDKPolygon>().emplace_back(major, minor, LastMeshNo, id, s.refs.copy(arcRefs), repPoint);
    polygonIndex_.add(polygon.MeshNo, polygon.Id, &polygon);
    polygonsByRank_[static_cast<size_t>(PolygonDrawRank(polygon.Code()))].push_back(&polygon);
    return polygon;
}

TKDKPoint& TKDKObject::AddPoint(int major, int minor, int id, const TGeoPoint& position) {
    TKDKPoint& point = current().list<TKDKPoint>().emplace_back(major, minor, LastMeshNo, id, position);
    pointIndex_.add(point.MeshNo, point.Id, &point);
    return point;
}

TKDKAttribute& TKDKObject::AddAttribute(int major, int minor, int targetId, std::span<const std::string_view> values) {
    MeshStore& s = current();
    return s.list<TKDKAttribute>().emplace_back(major, minor, LastMeshNo, targetId, s.texts.copy(values));
}

std::string_view TKDKObject::AddText(std::string_view text) { return current().texts.copy(text); }

TKDKNode& TKDKObject::AddNode(int id, int nodeTag, std::span<const int32_t> arcRefs, const TGeoPoint& position) {
    MeshStore& s = current();
    TKDKNode& node = s.list<TKDKNode>().emplace_back(LastMeshNo, id, nodeTag, s.refs.copy(arcRefs), position);
    return node;
}

TKDKNetwork& TKDKObject::AddNetwork(int arcId, int value1, int value2) {
    TKDKNetwork& n = current().list<TKDKNetwork>().emplace_back(LastMeshNo, arcId, value1, value2);
    return n;
}

bool TKDKObject::BuildOutline(TKDKPolygon& polygon) {
    MeshStore& s = current();
    // The runs are collected whole: an outline may reference more arcs than
    // the reading buffer holds, and cutting it would corrupt the area.
    thread_local std::vector<TRingRun> runs;
    runs.clear();
    polygon.RingRuns = {};
    polygon.RingCount = 0;
    TGeoPoint2D max = EmptyBoxMax2D(), min = EmptyBoxMin2D();
    for (int32_t r : polygon.ArcRefs) {
        const int64_t id = r < 0 ? -static_cast<int64_t>(r) : r;  // -INT32_MIN names no arc
        const TKDKLine* arc =
            (r == 0 || id > INT32_MAX) ? nullptr : FindLine(polygon.MeshNo, static_cast<int32_t>(id));
        if (!arc) {
            polygon.BoundsMin = min;
            polygon.BoundsMax = max;
            return false;
        }
        runs.push_back({arc->Vertices.data(), static_cast<uint32_t>(arc->Vertices.size()), r < 0});
        ExpandMax(max, arc->BoundsMax);
        ExpandMin(min, arc->BoundsMin);
    }
    polygon.BoundsMin = min;
    polygon.BoundsMax = max;
    polygon.RingRuns = s.runs.copy(std::span<const TRingRun>(runs));
    int32_t count = 0;
    polygon.ForEachRingVertex([&](const TGeoPoint2D&) { ++count; });
    polygon.RingCount = count;
    return true;
}

void TKDKObject::SetOutline(TKDKPolygon& polygon, std::span<const TGeoPoint> ring) {
    MeshStore& s = current();
    const auto pooled = s.vertices.copy(ring, [](const TGeoPoint& p) { return TGeoPoint2D{p.X, p.Y}; });
    const TRingRun run{pooled.data(), static_cast<uint32_t>(pooled.size()), false};
    polygon.RingRuns = ring.empty() ? std::span<const TRingRun>() : s.runs.copy(std::span<const TRingRun>(&run, 1));
    polygon.RingCount = 0;
    polygon.ForEachRingVertex([&](const TGeoPoint2D&) { ++polygon.RingCount; });
    polygon.BoundsMin = EmptyBoxMin2D();
    polygon.BoundsMax = EmptyBoxMax2D();
    polygon.ForEachRingVertex([&](const TGeoPoint2D& v) {
        ExpandMax(polygon.BoundsMax, v);
        ExpandMin(polygon.BoundsMin, v);
    });
}

namespace {

TGridBox boxOf(const TKDKPlacedElement& f) { return {f.BoundsMin.X, f.BoundsMin.Y, f.BoundsMax.X, f.BoundsMax.Y}; }

template <class Feature, class BoxOf>
SpatialGrid gridOver(const BlockList<Feature>& features, BoxOf box) {
    std::vector<TGridBox> boxes;
    boxes.reserve(features.size());
    for (const Feature& f : features) boxes.push_back(box(f));
    return SpatialGrid(boxes);
}

template <class Feature, class BoxOf>
CodeGroups groupsOver(const BlockList<Feature>& features, BoxOf box) {
    std::vector<TCodeGroupKey> keys;
    std::vector<TGridBox> boxes;
    keys.reserve(features.size());
    boxes.reserve(features.size());
    for (const Feature& f : features) {
        keys.push_back(CodeGroupKeyOf(f));
        boxes.push_back(box(f));
    }
    return CodeGroups(keys, boxes);
}

TGridBox labelBoxOf(const TKDKAttribute& f) { return f.LabelText.empty() ? TGridBox{1, 1, 0, 0} : boxOf(f); }

}  // namespace

void TKDKObject::indexStore(MeshStore& s) {
    for (TKDKLine& l : s.list<TKDKLine>()) l.ShownInModes = ModesShowing(l);
    for (TKDKPolygon& p : s.list<TKDKPolygon>()) p.ShownInModes = ModesShowing(p);
    s.lineGrid = gridOver(s.list<TKDKLine>(), [](const TKDKLine& f) { return boxOf(f); });
    s.polygonGrid = gridOver(s.list<TKDKPolygon>(), [](const TKDKPolygon& f) { return boxOf(f); });
    s.pointGrid = gridOver(s.list<TKDKPoint>(), [](const TKDKPoint& f) { return boxOf(f); });
    s.labelGrid = gridOver(s.list<TKDKAttribute>(), labelBoxOf);
    s.lineGroups = groupsOver(s.list<TKDKLine>(), [](const TKDKLine& f) { return boxOf(f); });
    s.pointGroups = groupsOver(s.list<TKDKPoint>(), [](const TKDKPoint& f) { return boxOf(f); });
    s.labelGroups = groupsOver(s.list<TKDKAttribute>(), labelBoxOf);
    s.widestHalfLine = 0;
    for (const TKDKLine& l : s.list<TKDKLine>()) s.widestHalfLine = std::max(s.widestHalfLine, l.Width / 2.0);
    s.indexed = true;
}

bool TKDKObject::SetCategoryVisible(int major, bool on) {
    const int i = CategoryIndex(major);
    if (i < 0) return false;
    display_.CategoryShown[static_cast<size_t>(i)] = on;
    return true;
}

std::string TKDKObject::MeshName(int meshNo) const {
    for (const TKDKDescription* d : descriptions_)
        if (d->MeshNo == meshNo) return d->BaseName;
    return {};
}

bool TKDKObject::HasMesh(const std::string& baseName) const {
    for (const TKDKDescription* d : descriptions_)
        if (d->BaseName == baseName) return true;
    return false;
}
