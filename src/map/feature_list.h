#pragma once
// A read-only view of one of the map's feature lists: the features in list
// order as pointers to const, indexable and iterable.
#include <cstddef>
#include <vector>

template <class Feature>
class FeatureList {
public:
    explicit FeatureList(const std::vector<Feature*>& list) : list_(&list) {}

    class iterator {
    public:
        using value_type = const Feature*;
        using difference_type = std::ptrdiff_t;
        explicit iterator(typename std::vector<Feature*>::const_iterator it) : it_(it) {}
        const Feature* operator*() const { return *it_; }
        iterator& operator++() { ++it_; return *this; }
        bool operator==(const iterator& o) const = default;

    private:
        typename std::vector<Feature*>::const_iterator it_;
    };

    size_t size() const { return list_->size(); }
    bool empty() const { return list_->empty(); }
    const Feature* operator[](size_t i) const { return (*list_)[i]; }
    const Feature* back() const { return list_->back(); }
    iterator begin() const { return iterator(list_->begin()); }
    iterator end() const { return iterator(list_->end()); }

private:
    const std::vector<Feature*>* list_;
};
