#pragma once
// Storage for many small arrays (the vertices of arcs, the references of
// polygons) in a few large blocks: each array is contiguous and never moves,
// so features hold spans into the pool, and loading makes one allocation per
// block instead of one per feature.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <vector>

template <class T>
class ChunkPool {
public:
    static constexpr size_t kBlockSize = 1 << 16;  // elements

    // A fresh array holding a copy of `values`.
    template <class U, class Convert>
    std::span<const T> copy(std::span<const U> values, Convert convert) {
        if (values.empty()) return {};
        T* out = reserve(values.size());
        for (size_t i = 0; i < values.size(); ++i) out[i] = convert(values[i]);
        return {out, values.size()};
    }
    std::span<const T> copy(std::span<const T> values) {
        return copy(values, [](const T& v) { return v; });
    }

    size_t capacity() const { return capacity_; }

private:
    T* reserve(size_t n) {
        if (blocks_.empty() || free_ < n) {
            const size_t size = std::max(n, kBlockSize);
            blocks_.push_back(std::make_unique_for_overwrite<T[]>(size));
            free_ = size;
            capacity_ += size;
            next_ = blocks_.back().get();
        }
        T* out = next_;
        next_ += n;
        free_ -= n;
        return out;
    }

    std::vector<std::unique_ptr<T[]>> blocks_;
    T* next_ = nullptr;
    size_t free_ = 0;
    size_t capacity_ = 0;
};
