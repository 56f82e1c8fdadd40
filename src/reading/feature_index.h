#pragma once
// Finds a feature by (mesh number, id) in constant time. When a file repeats
// an id, the earliest-added feature is kept, as a scan of the list in adding
// order would find it.
#include <cstdint>
#include <unordered_map>

template <class Feature>
class FeatureIndex {
public:
    void add(int32_t meshNo, int32_t id, Feature* f) { map_.emplace(key(meshNo, id), f); }
    Feature* find(int32_t meshNo, int32_t id) const {
        auto it = map_.find(key(meshNo, id));
        return it == map_.end() ? nullptr : it->second;
    }
    void clear() { map_.clear(); }
    void reserve(size_t n) { map_.reserve(n); }

private:
    static uint64_t key(int32_t meshNo, int32_t id) {
        return (static_cast<uint64_t>(static_cast<uint32_t>(meshNo)) << 32) | static_cast<uint32_t>(id);
    }
    std::unordered_map<uint64_t, Feature*> map_;
};
