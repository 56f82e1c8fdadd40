#pragma once
// A uniform grid over the bounds of a list of features, in a compact
// row-compressed layout: for each cell the positions (in the list) of the
// features whose bounds touch it. A query for a box yields the positions of
// every feature whose bounds could overlap it, each once, in list order, so
// whatever walks them meets the features in the same order as a scan of the
// whole list. Features that span very many cells are kept aside and offered
// to every query. Built once; read by any number of threads.
#include <cstdint>
#include <span>
#include <vector>

struct TGridBox {
    double MinX, MinY, MaxX, MaxY;
    bool empty() const { return MinX > MaxX || MinY > MaxY; }
};

class SpatialGrid {
public:
    static constexpr double kPreferredCellSize = 50.0;  // metres
    static constexpr size_t kMaxCells = size_t{1} << 22;
    static constexpr size_t kMaxCellsPerFeature = 256;

    SpatialGrid() = default;
    // Boxes in list order; an empty box is never offered.
    explicit SpatialGrid(std::span<const TGridBox> boxes);

    size_t size() const { return count_; }

    // The positions of the features whose box may overlap `query` (closed),
    // ascending, in `out`. Returns false instead, leaving `out` alone, when the
    // query covers so much of the grid that the caller had better test every
    // feature of the list in order.
    bool Candidates(const TGridBox& query, std::vector<uint32_t>& out) const;

private:
    struct CellRange {
        int32_t x0, y0, x1, y1;
    };
    CellRange cellsOf(const TGridBox& b) const;
    int32_t column(double x) const;
    int32_t row(double y) const;

    size_t count_ = 0;
    TGridBox extent_{1, 1, 0, 0};  // of every box offered; empty when there is none
    double originX_ = 0, originY_ = 0, cell_ = kPreferredCellSize;
    int32_t columns_ = 0, rows_ = 0;
    std::vector<uint32_t> cellStart_;  // columns_ * rows_ + 1 offsets into items_
    std::vector<uint32_t> items_;
    std::vector<uint32_t> wide_;      // positions of features spanning many cells, ascending
};
