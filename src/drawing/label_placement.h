#pragma once
// Placing labels without collision: candidates are taken in priority order,
// each tries its anchor and, when movable, positions around it, and is kept
// at the first position whose box meets no box already placed, no box kept
// free (marks, the scale bar) and lies whole inside the surface. The same
// text placed a short way off already is dropped. A uniform grid over the
// surface finds the boxes near a position, so placing grows linearly.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "drawing/world_to_screen.h"

// Finds which boxes overlap a box, through a uniform grid of cells holding
// the boxes that touch them. Two bit sets over finer cells answer most
// questions before any box is looked at: a box meeting only cells that no box
// touches overlaps nothing, and one wholly covering a cell that lies wholly
// inside a box overlaps it.
class LabelIndex {
public:
    LabelIndex(const TScreenBox& surface, double cellSize);
    bool Overlaps(const TScreenBox& box) const;
    void Insert(const TScreenBox& box);
    size_t Size() const { return boxes_.size(); }

private:
    // A range of cells, both ends included.
    struct TCellRange { int col0, row0, col1, row1; };
    // The cells the box covers, clamped to the grid.
    TCellRange cellsOf(const TScreenBox& box) const;

    // The fine cells the box meets (clamped to the grid), and those lying
    // wholly inside it (empty, col0 > col1 or row0 > row1, when none does).
    struct TFineRanges { TCellRange Met, Inside; };
    TFineRanges fineCellsOf(const TScreenBox& box) const;
    bool anyBit(const std::vector<uint64_t>& bits, const TCellRange& r) const;
    void setBits(std::vector<uint64_t>& bits, const TCellRange& r);

    TScreenBox surface_;
    double cellSize_;
    int cols_, rows_;
    std::vector<TScreenBox> boxes_;
    std::vector<std::vector<uint32_t>> cells_;  // box indexes per cell, row by row
    mutable std::vector<uint32_t> seen_;        // the last query that tested each box
    mutable uint32_t query_ = 0;

    int fineShift_ = 0;  // fine cells are 1 << fineShift_ pixels square
    int fineCols_ = 0, fineRows_ = 0, fineWords_ = 0;  // words per row of the bit sets
    std::vector<uint64_t> touched_;  // fine cells some box meets
    std::vector<uint64_t> covered_;  // fine cells lying wholly inside some box
};

struct TLabelCandidate {
    std::string_view Text;  // Shift-JIS; what it points to outlives the placing
    TScreenPoint Anchor;    // the centre of the text at its own place
    double Width = 0, Height = 0;  // of the text, pixels
    int Priority = 0;       // lower first; equal ones in the order given
    bool Movable = false;   // may move to a position around the anchor
    uint32_t Tag = 0;       // the caller's, handed back with the placed label
};

struct TPlacedLabel {
    TScreenBox Box;          // the text's box
    TScreenPoint BottomCentre;
    uint32_t Tag = 0;
};

struct TLabelPlacing {
    TScreenBox Surface;           // labels lie whole inside it
    double Padding = 0;           // kept free around each text (its halo and some air), pixels
    double RepeatDistance = 0;    // the same text within this many pixels of a placed one is dropped
};

// The labels placed, in the order they were placed.
std::vector<TPlacedLabel> PlaceLabels(std::vector<TLabelCandidate>& candidates, const TLabelPlacing& placing,
                                      std::span<const TScreenBox> keepFree);
