// Combines a freshly read mesh with the map it joins.
#include <algorithm>
#include <type_traits>

#include "map/kdk_object.h"
#include "map/merge_messages.h"

namespace {

std::string mismatch(const std::string& text, const std::string& ours, int ourValue,
                     const std::string& theirs, int theirValue) {
    return text + ours + ":" + std::to_string(ourValue) + "," + theirs + ":" +
           std::to_string(theirValue) + ")";
}

}  // namespace

bool TKDKObject::Merge(TKDKObject& other, TErrorList& errors) {
    const MergeMessages& m = MergeTexts();
    const std::string theirs = other.MeshName(0);
    if (CoordSystemNo != other.CoordSystemNo) {
        errors.push_back(mismatch(m.otherZone, BaseName, CoordSystemNo, theirs, other.CoordSystemNo));
        return false;
    }
    if (DatumFlag != other.DatumFlag) {
        errors.push_back(mismatch(m.otherDatum, BaseName, DatumFlag, theirs, other.DatumFlag));
        return false;
    }
    if (Scale != other.Scale)
        errors.push_back(mismatch(m.otherScale, BaseName, Scale, theirs, other.Scale));
    if (other.descriptions_.size() != 1) return false;
    if (HasMesh(theirs)) return false;

    SouthWest.X = std::min(SouthWest.X, other.SouthWest.X);
    SouthWest.Y = std::min(SouthWest.Y, other.SouthWest.Y);
    NorthEast.X = std::max(NorthEast.X, other.NorthEast.X);
    NorthEast.Y = std::max(NorthEast.Y, other.NorthEast.Y);
    if (other.HasBlocks) HasBlocks = true;

    const int mesh = ++LastMeshNo;
    for (auto& store : other.meshes_) {
        if (store->description) store->description->MeshNo = mesh;
        ForEachFeatureClass([&]<class Feature>() {
            // An attribute record's mesh is that of the feature it belongs to.
            for (Feature& f : store->list<Feature>()) {
                if constexpr (std::is_same_v<Feature, TKDKAttribute>) f.TargetMeshNo = mesh;
                else f.MeshNo = mesh;
            }
        });
        meshes_.push_back(std::move(store));
    }
    other.meshes_.clear();
    auto append = [](auto& to, auto& from) {
        to.insert(to.end(), from.begin(), from.end());
        from.clear();
    };
    append(descriptions_, other.descriptions_);
    for (size_t r = 0; r < polygonsByRank_.size(); ++r) append(polygonsByRank_[r], other.polygonsByRank_[r]);
    lineIndex_.adoptMesh(mesh, other.lineIndex_);
    polygonIndex_.adoptMesh(mesh, other.polygonIndex_);
    pointIndex_.adoptMesh(mesh, other.pointIndex_);
    BytesRead += other.BytesRead;
    return true;
}
