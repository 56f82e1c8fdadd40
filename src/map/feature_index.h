#pragma once
// Finds a feature by (mesh number, id) in constant time, one table per mesh.
// When a file repeats an id, the earliest-added feature is kept, as a scan of
// the list in adding order would find it.
#include <cstdint>
#include <unordered_map>
#include <vector>

template <class Feature>
class FeatureIndex {
public:
    using MeshTable = std::unordered_map<int32_t, Feature*>;

    void add(int32_t meshNo, int32_t id, Feature* f) {
        if (meshNo < 0) return;  // mesh numbers count from 0; no reader makes others
        if (static_cast<size_t>(meshNo) >= meshes_.size()) meshes_.resize(static_cast<size_t>(meshNo) + 1);
        meshes_[static_cast<size_t>(meshNo)].emplace(id, f);
    }
    Feature* find(int32_t meshNo, int32_t id) const {
        if (meshNo < 0 || static_cast<size_t>(meshNo) >= meshes_.size()) return nullptr;
        const MeshTable& t = meshes_[static_cast<size_t>(meshNo)];
        auto it = t.find(id);
        return it == t.end() ? nullptr : it->second;
    }
    // Moves the table of `from`'s mesh 0 in as mesh `meshNo`: merging a mesh
    // renumbers its features without rebuilding their table.
    void adoptMesh(int32_t meshNo, FeatureIndex& from) {
        if (from.meshes_.empty() || meshNo < 0) return;
        if (static_cast<size_t>(meshNo) >= meshes_.size()) meshes_.resize(static_cast<size_t>(meshNo) + 1);
        meshes_[static_cast<size_t>(meshNo)] = std::move(from.meshes_[0]);
        from.meshes_.clear();
    }

private:
    std::vector<MeshTable> meshes_;
};
