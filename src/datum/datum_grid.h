#pragma once
// A grid of horizontal datum offsets (latitude and longitude offsets in
// arc-seconds) at regularly spaced nodes, with GSI's bilinear interpolation.
//
// The nodes are kept in tiles of 16 x 16; a tile whose nodes are all 0, 0 is
// not stored, so a grid that covers only land (TKY2JGD has parameters for
// fewer than a tenth of its rectangle) takes a fraction of its full size.
#include <cstdint>
#include <span>
#include <vector>

// Where the nodes lie, in arc-seconds: node (column c, row r) is at
// longitude West + c * LonStep and latitude South + r * LatStep.
struct TGridLayout {
    int Columns = 0;
    int Rows = 0;
    double West = 0;
    double South = 0;
    double LonStep = 0;
    double LatStep = 0;
};

struct TGridOffset {
    double Lat = 0;  // arc-seconds, north positive
    double Lon = 0;  // arc-seconds, east positive
};

class TDatumGrid {
public:
    explicit TDatumGrid(const TGridLayout& layout);

    const TGridLayout& Layout() const { return layout_; }

    // Stores row `row` (0 is the southernmost), Columns values of each band.
    void SetRow(int row, std::span<const float> latSeconds, std::span<const float> lonSeconds);

    // The node's offsets; 0, 0 for a node never set.
    TGridOffset Node(int column, int row) const;

    // The offsets at a point (degrees), interpolated bilinearly between the
    // four nodes around it. False outside the nodes, and, when
    // `zeroNodeIsMissing`, where one of the four nodes is exactly 0, 0 (a
    // node without a parameter).
    bool Interpolate(double lonDegrees, double latDegrees, bool zeroNodeIsMissing, TGridOffset& out) const;

    // Tiles kept in memory and their bytes, for the curious.
    size_t StoredTiles() const { return pool_.size() / kTileFloats; }
    size_t StoredBytes() const { return pool_.size() * sizeof(float) + slots_.size() * sizeof(uint32_t); }

private:
    static constexpr int kTileShift = 4;
    static constexpr int kTileSize = 1 << kTileShift;
    static constexpr size_t kTileFloats = 2 * kTileSize * kTileSize;  // latitude, longitude pairs
    static constexpr uint32_t kNoTile = UINT32_MAX;

    const float* NodeValues(int column, int row) const;

    TGridLayout layout_;
    int tileColumns_ = 0;
    std::vector<uint32_t> slots_;  // per tile: its first float in pool_, or kNoTile
    std::vector<float> pool_;
};
