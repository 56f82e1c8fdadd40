#pragma once
// A read-only view of one of the map's feature lists: the features of every
// mesh store in turn, in reading order, as pointers to const. Iteration is
// what the callers do; indexing walks the stores (there are few).
#include <cstddef>
#include <iterator>
#include <memory>
#include <vector>

#include "map/block_list.h"

struct MeshStore;
// The store's list of one feature class (defined with MeshStore).
template <class Feature>
const BlockList<Feature>& StoreList(const MeshStore& store);

template <class Feature>
class FeatureList {
public:
    using Stores = std::vector<std::unique_ptr<MeshStore>>;
    explicit FeatureList(const Stores& stores) : stores_(&stores) {}

    class iterator {
    public:
        using value_type = const Feature*;
        using difference_type = std::ptrdiff_t;
        using iterator_category = std::forward_iterator_tag;
        iterator() = default;
        iterator(const Stores* stores, size_t store) : stores_(stores), store_(store) { settle(); }
        const Feature* operator*() const { return &*it_; }
        iterator& operator++() {
            ++it_;
            settle();
            return *this;
        }
        iterator operator++(int) {
            iterator old = *this;
            ++*this;
            return old;
        }
        bool operator==(const iterator& o) const { return store_ == o.store_ && (atEnd() || it_ == o.it_); }

    private:
        bool atEnd() const { return store_ >= stores_->size(); }
        const BlockList<Feature>& features() const { return StoreList<Feature>(*(*stores_)[store_]); }
        // Moves past exhausted stores (and into the first one).
        void settle() {
            if (!started_) {
                started_ = true;
                if (!atEnd()) it_ = features().begin();
            }
            while (!atEnd() && it_ == features().end()) {
                if (++store_ < stores_->size()) it_ = features().begin();
            }
        }
        // The map's stores, not the list: an iterator outlives the list object
        // it came from (`map.Lines().begin()`).
        const Stores* stores_ = nullptr;
        size_t store_ = 0;
        bool started_ = false;
        typename BlockList<Feature>::const_iterator it_{};
    };

    iterator begin() const { return iterator(stores_, 0); }
    iterator end() const { return iterator(stores_, stores_->size()); }

    size_t size() const {
        size_t n = 0;
        for (const auto& s : *stores_) n += StoreList<Feature>(*s).size();
        return n;
    }
    bool empty() const { return size() == 0; }
    const Feature* operator[](size_t i) const {
        for (const auto& s : *stores_) {
            const BlockList<Feature>& f = StoreList<Feature>(*s);
            if (i < f.size()) return &f[i];
            i -= f.size();
        }
        return nullptr;
    }

private:
    const Stores* stores_;
};
