#pragma once
// Storage for many small arrays (the vertices of arcs, the references of
// polygons) in blocks: each array is contiguous and never moves, so features
// hold spans into the pool, and loading makes one allocation per block
// instead of one per feature. Blocks come from a PageArena when the pool is
// given one (a mesh store's pools are), otherwise from the heap.
#include <algorithm>
#include <cstddef>
#include <memory>
#include <span>
#include <type_traits>
#include <vector>

#include "map/page_arena.h"

template <class T>
class ChunkPool {
public:
    // Elements per block: 8 KiB of them (an array larger than that gets a
    // block of its own size), so that a small mesh's last block leaves
    // little unused.
    static constexpr size_t kBlockSize = std::max<size_t>(1, (size_t{8} << 10) / sizeof(T));

    ChunkPool() = default;
    explicit ChunkPool(PageArena* arena) : arena_(arena) {}

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
        if (free_ < n) {
            const size_t size = std::max(n, kBlockSize);
            next_ = allocateBlock(size);
            free_ = size;
            capacity_ += size;
        }
        T* out = next_;
        next_ += n;
        free_ -= n;
        return out;
    }

private:
    T* allocateBlock(size_t size) {
        if (arena_) return static_cast<T*>(arena_->allocate(size * sizeof(T), alignof(T)));
        blocks_.push_back(Block(std::allocator<T>().allocate(size), Release{size}));
        return blocks_.back().get();
    }

    struct Release {
        size_t size;
        void operator()(T* block) const { std::allocator<T>().deallocate(block, size); }
    };
    using Block = std::unique_ptr<T, Release>;
    PageArena* arena_ = nullptr;  // the blocks' owner, or null: blocks_ own them
    std::vector<Block> blocks_;
    T* next_ = nullptr;
    size_t free_ = 0;
    size_t capacity_ = 0;
};
