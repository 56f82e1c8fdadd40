#pragma once
// The features of one list of a mesh grouped by what a drawing at a scale
// decides by: their code and, for lines, their colour (which tells a road's
// class). Each group keeps its features' positions in the list, ascending,
// and the box around them, so that a view which draws only some groups visits
// only those. Built once when the mesh is finished; read by any number of threads.
#include <cstdint>
#include <span>
#include <vector>

#include "map/spatial_grid.h"
#include "tables/colors.h"

struct TCodeGroupKey {
    int32_t Code = 0;
    TColor Color = 0;  // lines only; 0 for the other kinds
    friend bool operator==(const TCodeGroupKey&, const TCodeGroupKey&) = default;
};

class CodeGroups {
public:
    struct Group {
        TCodeGroupKey Key;
        uint32_t Begin = 0, End = 0;  // its positions in Positions()
        TGridBox Extent{1, 1, 0, 0};  // around its features' boxes
        size_t size() const { return End - Begin; }
    };

    CodeGroups() = default;
    // Keys and boxes in list order; a feature with an empty box belongs to no group.
    CodeGroups(std::span<const TCodeGroupKey> keys, std::span<const TGridBox> boxes);

    std::span<const Group> Groups() const { return groups_; }
    // The positions in the list of a group's features, ascending.
    std::span<const uint32_t> Positions(const Group& group) const {
        return std::span<const uint32_t>(positions_).subspan(group.Begin, group.size());
    }
    // How many features the list holds (grouped or not), and the box around the grouped ones.
    size_t ListSize() const { return listSize_; }
    const TGridBox& Extent() const { return extent_; }

private:
    std::vector<Group> groups_;
    std::vector<uint32_t> positions_;
    size_t listSize_ = 0;
    TGridBox extent_{1, 1, 0, 0};
};
