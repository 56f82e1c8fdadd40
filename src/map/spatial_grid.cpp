#include "map/spatial_grid.h"

#include <algorithm>
#include <cmath>

SpatialGrid::SpatialGrid(std::span<const TGridBox> boxes) : count_(boxes.size()) {
    std::vector<uint8_t> present(boxes.size());
    TGridBox extent{INFINITY, INFINITY, -INFINITY, -INFINITY};
    for (size_t i = 0; i < boxes.size(); ++i) {
        const TGridBox& b = boxes[i];
        if (b.empty() || !std::isfinite(b.MinX + b.MinY + b.MaxX + b.MaxY)) continue;
        present[i] = 1;
        extent.MinX = std::min(extent.MinX, b.MinX);
        extent.MinY = std::min(extent.MinY, b.MinY);
        extent.MaxX = std::max(extent.MaxX, b.MaxX);
        extent.MaxY = std::max(extent.MaxY, b.MaxY);
    }
    if (extent.empty()) return;
    extent_ = extent;
    const double w = extent.MaxX - extent.MinX, h = extent.MaxY - extent.MinY;
    // Cells of about 50 m, coarser when the extent would need too many.
    cell_ = std::max(kPreferredCellSize, std::sqrt(w * h / static_cast<double>(kMaxCells)));
    while ((std::floor(w / cell_) + 1) * (std::floor(h / cell_) + 1) > static_cast<double>(kMaxCells)) cell_ *= 2;
    originX_ = extent.MinX;
    originY_ = extent.MinY;
    columns_ = static_cast<int32_t>(std::floor(w / cell_)) + 1;
    rows_ = static_cast<int32_t>(std::floor(h / cell_)) + 1;

    // Two passes: count per cell, then fill; positions go in ascending order.
    cellStart_.assign(static_cast<size_t>(columns_) * static_cast<size_t>(rows_) + 1, 0);
    auto forCells = [&](const CellRange& r, auto f) {
        for (int32_t y = r.y0; y <= r.y1; ++y)
            for (int32_t x = r.x0; x <= r.x1; ++x) f(static_cast<size_t>(y) * static_cast<size_t>(columns_) + static_cast<size_t>(x));
    };
    auto isWide = [&](const CellRange& r) {
        return static_cast<size_t>(r.x1 - r.x0 + 1) * static_cast<size_t>(r.y1 - r.y0 + 1) > kMaxCellsPerFeature;
    };
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!present[i]) continue;
        const CellRange r = cellsOf(boxes[i]);
        if (isWide(r)) {
            wide_.push_back(static_cast<uint32_t>(i));
            continue;
        }
        forCells(r, [&](size_t c) { ++cellStart_[c + 1]; });
    }
    for (size_t c = 1; c < cellStart_.size(); ++c) cellStart_[c] += cellStart_[c - 1];
    items_.resize(cellStart_.back());
    std::vector<uint32_t> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (!present[i]) continue;
        const CellRange r = cellsOf(boxes[i]);
        if (isWide(r)) continue;
        forCells(r, [&](size_t c) { items_[fill[c]++] = static_cast<uint32_t>(i); });
    }
}

int32_t SpatialGrid::column(double x) const {
    const double c = std::floor((x - originX_) / cell_);
    return static_cast<int32_t>(std::clamp(c, 0.0, static_cast<double>(columns_ - 1)));
}

int32_t SpatialGrid::row(double y) const {
    const double r = std::floor((y - originY_) / cell_);
    return static_cast<int32_t>(std::clamp(r, 0.0, static_cast<double>(rows_ - 1)));
}

SpatialGrid::CellRange SpatialGrid::cellsOf(const TGridBox& b) const {
    return {column(b.MinX), row(b.MinY), column(b.MaxX), row(b.MaxY)};
}

bool SpatialGrid::Candidates(const TGridBox& query, std::vector<uint32_t>& out) const {
    out.clear();
    if (columns_ == 0 || query.empty() || std::isnan(query.MinX + query.MinY + query.MaxX + query.MaxY)) return true;
    // Nothing lies outside the extent of all the boxes.
    if (query.MaxX < extent_.MinX || query.MinX > extent_.MaxX || query.MaxY < extent_.MinY ||
        query.MinY > extent_.MaxY)
        return true;
    const CellRange r = cellsOf(query);
    const size_t cells = static_cast<size_t>(r.x1 - r.x0 + 1) * static_cast<size_t>(r.y1 - r.y0 + 1);
    const size_t total = static_cast<size_t>(columns_) * static_cast<size_t>(rows_);
    if (cells * 4 >= total) return false;
    for (int32_t y = r.y0; y <= r.y1; ++y) {
        const size_t rowStart = static_cast<size_t>(y) * static_cast<size_t>(columns_);
        const uint32_t* first = items_.data() + cellStart_[rowStart + static_cast<size_t>(r.x0)];
        const uint32_t* last = items_.data() + cellStart_[rowStart + static_cast<size_t>(r.x1) + 1];
        out.insert(out.end(), first, last);
    }
    out.insert(out.end(), wide_.begin(), wide_.end());
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return true;
}
