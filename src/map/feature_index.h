#pragma once
// Finds a feature by (mesh number, id) in constant time, one table per mesh.
// Ids are mostly small and dense (1, 2, 3, ...), so they index an array of
// pointers directly; ids far outside that range go to a hash table. When a
// file repeats an id, the earliest-added feature is kept, as a scan of the
// list in adding order would find it.
#include <cstdint>
#include <unordered_map>
#include <vector>

template <class Feature>
class FeatureIndex {
public:
    void add(int32_t meshNo, int32_t id, Feature* f) {
        if (meshNo < 0) return;  // mesh numbers count from 0; no reader makes others
        if (static_cast<size_t>(meshNo) >= meshes_.size()) meshes_.resize(static_cast<size_t>(meshNo) + 1);
        meshes_[static_cast<size_t>(meshNo)].add(id, f);
    }
    Feature* find(int32_t meshNo, int32_t id) const {
        if (meshNo < 0 || static_cast<size_t>(meshNo) >= meshes_.size()) return nullptr;
        return meshes_[static_cast<size_t>(meshNo)].find(id);
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
    class MeshTable {
    public:
        void add(int32_t id, Feature* f) {
            ++count_;
            // Dense while the id is at most a few times the number of features.
            const int64_t limit = 4 * static_cast<int64_t>(count_) + 1024;
            if (id >= 0 && id < limit) {
                const size_t i = static_cast<size_t>(id);
                if (i >= dense_.size()) dense_.resize(i + 1, nullptr);
                if (!dense_[i] && (sparse_.empty() || !sparse_.contains(id))) dense_[i] = f;
            } else {
                sparse_.emplace(id, f);
            }
        }
        Feature* find(int32_t id) const {
            if (id >= 0 && static_cast<size_t>(id) < dense_.size() && dense_[static_cast<size_t>(id)])
                return dense_[static_cast<size_t>(id)];
            if (sparse_.empty()) return nullptr;
            auto it = sparse_.find(id);
            return it == sparse_.end() ? nullptr : it->second;
        }

    private:
        size_t count_ = 0;
        std::vector<Feature*> dense_;
        std::unordered_map<int32_t, Feature*> sparse_;
    };

    std::vector<MeshTable> meshes_;
};
