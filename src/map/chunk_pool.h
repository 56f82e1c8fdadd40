#pragma once
// Storage for many small arrays (the vertices of arcs, the references of
// polygons) in a few large blocks: each array is contiguous and never moves,
// so features hold spans into the pool, and loading makes one allocation per
// block instead of one per feature.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <type_traits>
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
        for (size_t i = 0; i < values.size(); ++i) std::construct_at(out + i, convert(values[i]));
        return {out, values.size()};
    }
    std::span<const T> copy(std::span<const T> values) {
        return copy(values, [](const T& v) { return v; });
    }

    size_t capacity() const { return capacity_; }

    // Room for n elements, not yet constructed: the caller constructs each
    // (std::construct_at) before it is read. Blocks are not initialised, so
    // a block's pages are touched only as far as it is filled.
    T* reserve(size_t n) {
        static_assert(std::is_trivially_destructible_v<T>, "blocks are released without destroying elements");
        if (blocks_.empty() || free_ < n) {
            const size_t size = std::max(n, kBlockSize);
            blocks_.push_back(Block(std::allocator<T>().allocate(size), Release{size}));
            free_ = size;
            capacity_ += size;
            next_ = blocks_.back().get();
        }
        T* out = next_;
        next_ += n;
        free_ -= n;
        return out;
    }

private:
    struct Release {
        size_t size;
        void operator()(T* block) const { std::allocator<T>().deallocate(block, size); }
    };
    using Block = std::unique_ptr<T, Release>;
    std::vector<Block> blocks_;
    T* next_ = nullptr;
    size_t free_ = 0;
    size_t capacity_ = 0;
};
