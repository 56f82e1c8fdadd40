#include "datum/datum_grid.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr float kZero[2] = {0.0f, 0.0f};

}  // namespace

TDatumGrid::TDatumGrid(const TGridLayout& layout) : layout_(layout) {
    if (layout.Columns < 2 || layout.Rows < 2 || !(layout.LonStep > 0) || !(layout.LatStep > 0))
        throw std::invalid_argument("a datum grid needs at least 2 x 2 nodes and positive steps");
    tileColumns_ = (layout.Columns + kTileSize - 1) >> kTileShift;
    const int tileRows = (layout.Rows + kTileSize - 1) >> kTileShift;
    slots_.assign(static_cast<size_t>(tileColumns_) * tileRows, kNoTile);
}

void TDatumGrid::SetRow(int row, std::span<const float> latSeconds, std::span<const float> lonSeconds) {
    if (row < 0 || row >= layout_.Rows || latSeconds.size() != static_cast<size_t>(layout_.Columns) ||
        lonSeconds.size() != latSeconds.size())
        throw std::invalid_argument("datum grid row out of range or of the wrong length");
    for (int column = 0; column < layout_.Columns; ++column) {
        const float lat = latSeconds[column], lon = lonSeconds[column];
        uint32_t& slot = slots_[static_cast<size_t>(row >> kTileShift) * tileColumns_ + (column >> kTileShift)];
        if (slot == kNoTile) {
            if (lat == 0.0f && lon == 0.0f) continue;  // stays an absent tile's 0, 0
            slot = static_cast<uint32_t>(pool_.size());
            pool_.resize(pool_.size() + kTileFloats, 0.0f);
        }
        const size_t at = slot + 2 * (((row & (kTileSize - 1)) << kTileShift) + (column & (kTileSize - 1)));
        pool_[at] = lat;
        pool_[at + 1] = lon;
    }
}

const float* TDatumGrid::NodeValues(int column, int row) const {
    const uint32_t slot = slots_[static_cast<size_t>(row >> kTileShift) * tileColumns_ + (column >> kTileShift)];
    if (slot == kNoTile) return kZero;
    return &pool_[slot + 2 * (((row & (kTileSize - 1)) << kTileShift) + (column & (kTileSize - 1)))];
}

TGridOffset TDatumGrid::Node(int column, int row) const {
    if (column < 0 || row < 0 || column >= layout_.Columns || row >= layout_.Rows) return {};
    const float* v = NodeValues(column, row);
    return {v[0], v[1]};
}

bool TDatumGrid::Interpolate(double lonDegrees, double latDegrees, bool zeroNodeIsMissing, TGridOffset& out) const {
    const double x = (lonDegrees * 3600.0 - layout_.West) / layout_.LonStep;
    const double y = (latDegrees * 3600.0 - layout_.South) / layout_.LatStep;
    // The negated test also refuses NaN.
    if (!(x >= 0 && y >= 0 && x <= layout_.Columns - 1 && y <= layout_.Rows - 1)) return false;
    // A point on the last column or row belongs to the cell below it.
    const int column = std::min(static_cast<int>(x), layout_.Columns - 2);
    const int row = std::min(static_cast<int>(y), layout_.Rows - 2);
    const double fx = x - column, fy = y - row;
    const float* sw = NodeValues(column, row);
    const float* se = NodeValues(column + 1, row);
    const float* nw = NodeValues(column, row + 1);
    const float* ne = NodeValues(column + 1, row + 1);
    if (zeroNodeIsMissing) {
        for (const float* node : {sw, se, nw, ne})
            if (node[0] == 0.0f && node[1] == 0.0f) return false;
    }
    const double wsw = (1 - fx) * (1 - fy), wse = fx * (1 - fy), wnw = (1 - fx) * fy, wne = fx * fy;
    out.Lat = wsw * sw[0] + wse * se[0] + wnw * nw[0] + wne * ne[0];
    out.Lon = wsw * sw[1] + wse * se[1] + wnw * nw[1] + wne * ne[1];
    return true;
}
