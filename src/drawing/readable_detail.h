#pragma once
// What the readable drawing shows at a scale: one table, per kind of
// feature and range of feature codes, saying up to how many metres per
// device-independent pixel (1/96 inch) a feature is drawn whole, up to how
// many it is drawn simplified, and beyond that left out; and one table of
// the label kinds with their size in points, colour and scale range.
// The features the display state hides stay hidden: this only thins out.
#include <array>
#include <cstdint>
#include <limits>

#include "map/features.h"
#include "tables/colors.h"

enum class TDetail : uint8_t { Hidden, Simplified, Full };

// Road centre lines by what reading made of their name (their colour):
// expressways, national roads and other named roads are emphasised.
enum class TRoadClass : uint8_t { Plain, Named, National, Expressway };
inline constexpr size_t kRoadClassCount = 4;
// A row's road classes: any, or one.
enum class TRoadRank : uint8_t { Any, Plain, Named, National, Expressway };

struct TDetailRow {
    TFeatureKind Kind;
    int CodeFrom, CodeTo;  // feature codes, both included
    TRoadRank Rank;
    double FullUpTo;        // metres per device-independent pixel
    double SimplifiedUpTo;  // at or above FullUpTo; above it the feature is left out
    double LeastWidth;      // lines: the least pen width in points, 0 for none
};

// Scales in metres per device-independent pixel (1:N on a 96-dpi screen is N / 3780).
inline constexpr double kStreetScale = 1.0;  // about 1:3,800: street level
inline constexpr double kBlockScale = 2.5;   // about 1:9,500: blocks of 30 m and more are a dozen pixels
inline constexpr double kTownScale = 4.0;    // about 1:15,000
inline constexpr double kEveryScale = std::numeric_limits<double>::infinity();

// An area drawn whole whose bounds fall within this many pixels each way (its
// corners' pixels fewer apart) is filled as its box: so small, its outline
// covers the same pixels give or take one, and a whole town at a small scale
// is mostly such areas.
inline constexpr int kAreaAsBoxPixels = 2;

// Searched from the first row; codes no row names are left out.
inline constexpr std::array<TDetailRow, 19> kReadableDetail{{
    // Administrative boundaries: always; prefecture, county and city ones at least 1.5 points wide.
    {TFeatureKind::Line, 1101, 1105, TRoadRank::Any, kEveryScale, kEveryScale, 1.5},
    {TFeatureKind::Line, 1106, 1106, TRoadRank::Any, kEveryScale, kEveryScale, 0},
    // Block outlines once a block is a dozen pixels across.
    {TFeatureKind::Line, 1107, 1199, TRoadRank::Any, kBlockScale, kBlockScale, 0},
    // Named and national roads and expressways at every scale, in their colours
    // and the wider the more important; other centre lines whole at street
    // level, one pixel at town level, left out beyond.
    {TFeatureKind::Line, 2110, 2110, TRoadRank::Expressway, kEveryScale, kEveryScale, 3},
    {TFeatureKind::Line, 2110, 2110, TRoadRank::National, kEveryScale, kEveryScale, 2.25},
    {TFeatureKind::Line, 2110, 2110, TRoadRank::Named, kEveryScale, kEveryScale, 0},
    {TFeatureKind::Line, 2110, 2110, TRoadRank::Plain, kStreetScale, kTownScale, 0},
    // Road edges (2101, expressways 2112) and the rest of the group at street level only.
    {TFeatureKind::Line, 2100, 2199, TRoadRank::Any, kStreetScale, kStreetScale, 0},
    // Railways and water: always.
    {TFeatureKind::Line, 2300, 2399, TRoadRank::Any, kEveryScale, kEveryScale, 1.5},
    {TFeatureKind::Line, 5100, 5199, TRoadRank::Any, kEveryScale, kEveryScale, 0},
    // Areas: chome and block fills, water, parks and grounds always; a block
    // is its fill without outline where its outline is left out.
    {TFeatureKind::Polygon, 1100, 1199, TRoadRank::Any, kEveryScale, kEveryScale, 0},
    {TFeatureKind::Polygon, 5100, 5199, TRoadRank::Any, kEveryScale, kEveryScale, 0},
    {TFeatureKind::Polygon, 6200, 6299, TRoadRank::Any, kEveryScale, kEveryScale, 0},
    // Buildings: whole at street level, a filled box at town level, left out beyond.
    {TFeatureKind::Polygon, 3500, 3599, TRoadRank::Any, kStreetScale, kTownScale, 0},
    // Control points and the other point symbols at street level only.
    {TFeatureKind::Point, 7300, 7399, TRoadRank::Any, kStreetScale, kStreetScale, 0},
    {TFeatureKind::Point, 2400, 2499, TRoadRank::Any, kStreetScale, kStreetScale, 0},
    {TFeatureKind::Point, 1100, 1199, TRoadRank::Any, kStreetScale, kStreetScale, 0},
    {TFeatureKind::Point, 3500, 3599, TRoadRank::Any, kStreetScale, kStreetScale, 0},
    {TFeatureKind::Point, 5100, 6299, TRoadRank::Any, kStreetScale, kStreetScale, 0},
}};

// The row for a feature: the first that names its kind, code and rank; null when none does.
const TDetailRow* ReadableDetailRow(TFeatureKind kind, int code, TRoadClass road);
// How a feature is drawn at `metresPerDip`.
TDetail ReadableDetail(TFeatureKind kind, int code, TRoadClass road, double metresPerDip);
// The same for a whole drawing: each code's row is looked up once, in an array.
class ReadableDetailPlan {
public:
    explicit ReadableDetailPlan(double metresPerDip);
    TDetail Of(TFeatureKind kind, int code, TRoadClass road = TRoadClass::Plain) const {
        const uint8_t row = rowOf(kind, code, road);
        return row == kNoRow ? TDetail::Hidden : detail_[row];
    }
    // The least width in points of a line of that code (0: none).
    double LeastWidth(int code, TRoadClass road) const {
        const uint8_t row = rowOf(TFeatureKind::Line, code, road);
        return row == kNoRow ? 0 : kReadableDetail[row].LeastWidth;
    }

private:
    static constexpr int kCodes = 10000;
    static constexpr uint8_t kNoRow = 0xFF;
    static int slot(TFeatureKind kind);
    uint8_t rowOf(TFeatureKind kind, int code, TRoadClass road) const {
        const int s = slot(kind);
        if (s < 0 || code < 0 || code >= kCodes) return kNoRow;
        return rows_[static_cast<size_t>(s)][static_cast<size_t>(road)][static_cast<size_t>(code)];
    }
    // Per drawn kind (line, polygon, point), road class and code: the row's index.
    std::array<std::array<std::array<uint8_t, kCodes>, kRoadClassCount>, 3> rows_;
    std::array<TDetail, kReadableDetail.size()> detail_{};
};

// The labels of a readable map, in the order they are placed.
enum class TLabelKind : uint8_t { Municipality, Chome, Station, PublicBuilding, BlockNumber };
inline constexpr size_t kLabelKindCount = 5;

struct TLabelStyle {
    TLabelKind Kind;
    double SizePoints;  // the text's cell height in points (1/72 inch, on screen and on paper)
    double UpTo;        // metres per device-independent pixel at which the kind is still labelled
    bool Movable;       // may move aside from its anchor when something is in the way
    TColor Color;       // 0x00BBGGRR
};

// Sizes are the text's cell (ascent and descent): the letters' em is about 0.7 of it.
inline constexpr std::array<TLabelStyle, kLabelKindCount> kLabelStyles{{
    {TLabelKind::Municipality, 20, kEveryScale, true, 0x202020},
    {TLabelKind::Chome, 15, 6.0, true, 0x800000},
    {TLabelKind::Station, 14, kEveryScale, true, 0x000080},
    {TLabelKind::PublicBuilding, 13, kStreetScale * 2, true, 0x000000},
    {TLabelKind::BlockNumber, 11, kBlockScale, false, 0x505050},
}};

constexpr const TLabelStyle& LabelStyle(TLabelKind kind) { return kLabelStyles[static_cast<size_t>(kind)]; }
