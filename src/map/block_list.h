#pragma once
// A list whose elements never move once added, kept in blocks: the features
// of a mesh refer to each other by pointer, and a mesh of a million records
// takes one allocation per 8 KiB of them instead of one per record. The
// blocks come from a PageArena when the list is given one (a mesh store's
// lists are), otherwise from the heap.
#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include "map/page_arena.h"

template <class T>
class BlockList {
public:
    // Elements per block: about 8 KiB of them, so that the last block of a
    // small mesh's list leaves little unused.
    static constexpr size_t kPerBlock = std::max<size_t>(1, (size_t{8} << 10) / sizeof(T));

    BlockList() = default;
    BlockList(const BlockList&) = delete;
    BlockList& operator=(const BlockList&) = delete;
    ~BlockList() { clear(); }

    template <class... Args>
    T& emplace_back(Args&&... args) {
        if (size_ == blocks_.size() * kPerBlock) blocks_.push_back(allocateBlock());
        T* slot = blocks_.back() + size_ % kPerBlock;
        std::construct_at(slot, std::forward<Args>(args)...);
        ++size_;
        return *slot;
    }

    // Takes the blocks from `arena` from now on; only while the list is empty.
    void useArena(PageArena* arena) {
        if (blocks_.empty()) arena_ = arena;
    }

    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    T& operator[](size_t i) { return blocks_[i / kPerBlock][i % kPerBlock]; }
    const T& operator[](size_t i) const { return blocks_[i / kPerBlock][i % kPerBlock]; }

    void clear() {
        for (size_t i = 0; i < size_; ++i) std::destroy_at(&(*this)[i]);
        if (!arena_)
            for (T* block : blocks_) std::allocator<T>().deallocate(block, kPerBlock);
        blocks_.clear();
        size_ = 0;
    }

    template <class List, class Element>
    class basic_iterator {
    public:
        using value_type = T;
        using reference = Element&;
        using pointer = Element*;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::forward_iterator_tag;
        basic_iterator() = default;
        basic_iterator(List* list, size_t i) : list_(list), i_(i) {}
        Element& operator*() const { return (*list_)[i_]; }
        Element* operator->() const { return &(*list_)[i_]; }
        basic_iterator& operator++() {
            ++i_;
            return *this;
        }
        basic_iterator operator++(int) {
            basic_iterator old = *this;
            ++i_;
            return old;
        }
        friend bool operator==(const basic_iterator& a, const basic_iterator& b) { return a.i_ == b.i_; }

    private:
        List* list_ = nullptr;
        size_t i_ = 0;
    };
    using iterator = basic_iterator<BlockList, T>;
    using const_iterator = basic_iterator<const BlockList, const T>;

    iterator begin() { return {this, 0}; }
    iterator end() { return {this, size_}; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size_}; }

private:
    T* allocateBlock() {
        if (arena_) return static_cast<T*>(arena_->allocate(kPerBlock * sizeof(T), alignof(T)));
        return std::allocator<T>().allocate(kPerBlock);
    }

    PageArena* arena_ = nullptr;  // the blocks' owner, or null: the heap's
    std::vector<T*> blocks_;
    size_t size_ = 0;
};
