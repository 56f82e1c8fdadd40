#include "drawing/label_placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <unordered_map>

namespace {

// Fine cells per coarse cell side, about: a label of a line's height spans a few rows of them.
constexpr double kFinePerCell = 16;

// floor and ceil to whole pixels within ±2^30, without a call into the maths library.
int floorPixel(double v) {
    v = std::clamp(v, -1e9, 1e9);
    const int i = static_cast<int>(v);
    return v < i ? i - 1 : i;
}
int ceilPixel(double v) { return -floorPixel(-v); }

}  // namespace

LabelIndex::LabelIndex(const TScreenBox& surface, double cellSize)
    : surface_(surface), cellSize_(std::max(1.0, cellSize)),
      cols_(std::max(1, static_cast<int>(std::ceil(surface.Width() / cellSize_)))),
      rows_(std::max(1, static_cast<int>(std::ceil(surface.Height() / cellSize_)))),
      cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_)) {
    // Fine cells of a power of two pixels, so that a pixel's cell is a shift.
    while (fineShift_ < 16 && (2 << fineShift_) <= cellSize_ / kFinePerCell) ++fineShift_;
    fineCols_ = (std::max(1, ceilPixel(surface.Width())) + (1 << fineShift_) - 1) >> fineShift_;
    fineRows_ = (std::max(1, ceilPixel(surface.Height())) + (1 << fineShift_) - 1) >> fineShift_;
    fineWords_ = (fineCols_ + 63) / 64;
    touched_.assign(static_cast<size_t>(fineWords_) * static_cast<size_t>(fineRows_), 0);
    covered_.assign(touched_.size(), 0);
}

LabelIndex::TCellRange LabelIndex::cellsOf(const TScreenBox& box) const {
    auto clampCol = [this](double x) {
        return std::clamp(static_cast<int>(std::floor((x - surface_.Left) / cellSize_)), 0, cols_ - 1);
    };
    auto clampRow = [this](double y) {
        return std::clamp(static_cast<int>(std::floor((y - surface_.Top) / cellSize_)), 0, rows_ - 1);
    };
    return {clampCol(box.Left), clampRow(box.Top), clampCol(box.Right), clampRow(box.Bottom)};
}

LabelIndex::TFineRanges LabelIndex::fineCellsOf(const TScreenBox& box) const {
    const int size = 1 << fineShift_;
    const double x0 = box.Left - surface_.Left, x1 = box.Right - surface_.Left;
    const double y0 = box.Top - surface_.Top, y1 = box.Bottom - surface_.Top;
    const int left = floorPixel(x0), top = floorPixel(y0), right = floorPixel(x1), bottom = floorPixel(y1);
    // Met: the cells of its corners, clamped. Clamping keeps it conservative:
    // two boxes that overlap share a point, whose clamped cell lies in both ranges.
    const TCellRange met{std::clamp(left >> fineShift_, 0, fineCols_ - 1), std::clamp(top >> fineShift_, 0, fineRows_ - 1),
                         std::clamp(right >> fineShift_, 0, fineCols_ - 1),
                         std::clamp(bottom >> fineShift_, 0, fineRows_ - 1)};
    // Inside: cell c spans [c, c + 1) * size, so from ceil(x0 / size) to floor(x1 / size) - 1.
    const TCellRange inside{std::max((ceilPixel(x0) + size - 1) >> fineShift_, 0),
                            std::max((ceilPixel(y0) + size - 1) >> fineShift_, 0),
                            std::min((right >> fineShift_) - 1, fineCols_ - 1),
                            std::min((bottom >> fineShift_) - 1, fineRows_ - 1)};
    return {met, inside};
}

bool LabelIndex::anyBit(const std::vector<uint64_t>& bits, const TCellRange& r) const {
    if (r.col0 > r.col1 || r.row0 > r.row1) return false;
    const int w0 = r.col0 / 64, w1 = r.col1 / 64;
    const uint64_t first = ~uint64_t{0} << (r.col0 % 64), last = ~uint64_t{0} >> (63 - r.col1 % 64);
    for (int row = r.row0; row <= r.row1; ++row) {
        const uint64_t* words = bits.data() + static_cast<size_t>(row) * static_cast<size_t>(fineWords_);
        if (w0 == w1) {
            if (words[w0] & first & last) return true;
            continue;
        }
        if ((words[w0] & first) || (words[w1] & last)) return true;
        for (int w = w0 + 1; w < w1; ++w)
            if (words[w]) return true;
    }
    return false;
}

void LabelIndex::setBits(std::vector<uint64_t>& bits, const TCellRange& r) {
    for (int row = r.row0; row <= r.row1; ++row)
        for (int col = r.col0; col <= r.col1; ++col)
            bits[static_cast<size_t>(row) * static_cast<size_t>(fineWords_) + static_cast<size_t>(col / 64)] |=
                uint64_t{1} << (col % 64);
}

bool LabelIndex::Overlaps(const TScreenBox& box) const {
    if (box.Width() > 0 && box.Height() > 0) {
        // Where labels crowd, the cell of the box's centre is mostly covered
        // already: any neighbourhood of the centre meets that cell's inside.
        const int col = floorPixel((box.Left + box.Right) / 2 - surface_.Left) >> fineShift_;
        const int row = floorPixel((box.Top + box.Bottom) / 2 - surface_.Top) >> fineShift_;
        if (col >= 0 && row >= 0 && col < fineCols_ && row < fineRows_ &&
            (covered_[static_cast<size_t>(row) * static_cast<size_t>(fineWords_) + static_cast<size_t>(col / 64)] >>
             (col % 64) & 1))
            return true;
    }
    const TFineRanges fine = fineCellsOf(box);
    if (box.Width() > 0 && box.Height() > 0 && anyBit(covered_, fine.Inside)) return true;
    if (!anyBit(touched_, fine.Met)) return false;
    // A box in several cells is tested once per query.
    if (++query_ == 0) {
        std::fill(seen_.begin(), seen_.end(), 0);
        query_ = 1;
    }
    const TCellRange r = cellsOf(box);
    for (int row = r.row0; row <= r.row1; ++row)
        for (int col = r.col0; col <= r.col1; ++col)
            for (uint32_t i : cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)]) {
                if (seen_[i] == query_) continue;
                seen_[i] = query_;
                if (boxes_[i].Overlaps(box)) return true;
            }
    return false;
}

void LabelIndex::Insert(const TScreenBox& box) {
    const auto index = static_cast<uint32_t>(boxes_.size());
    boxes_.push_back(box);
    seen_.push_back(0);
    const TCellRange r = cellsOf(box);
    for (int row = r.row0; row <= r.row1; ++row)
        for (int col = r.col0; col <= r.col1; ++col)
            cells_[static_cast<size_t>(row) * static_cast<size_t>(cols_) + static_cast<size_t>(col)].push_back(index);
    const TFineRanges fine = fineCellsOf(box);
    setBits(touched_, fine.Met);
    setBits(covered_, fine.Inside);
}

namespace {

// The text's box with its centre at (x, y).
TScreenBox boxAround(double x, double y, double width, double height) {
    return {x - width / 2, y - height / 2, x + width / 2, y + height / 2};
}

// Where a label may go: its anchor first, then right, left, above, below and
// the four corners, just clear of the anchor's own box, then the same twice
// as far, so that a mark at the anchor up to twice the text's height stays
// visible beside its name.
constexpr size_t kMostPositions = 17;

int positionsOf(const TLabelCandidate& c, std::array<TScreenPoint, kMostPositions>& out) {
    out[0] = c.Anchor;
    if (!c.Movable) return 1;
    const TScreenPoint a = c.Anchor;
    size_t n = 1;
    for (const int ring : {1, 2}) {
        const int dx = static_cast<int>(std::ceil(c.Width / 2 + ring * c.Height / 2));
        const int dy = static_cast<int>(std::ceil(ring * c.Height));
        for (const TScreenPoint d : {TScreenPoint{dx, 0}, TScreenPoint{-dx, 0}, TScreenPoint{0, -dy},
                                     TScreenPoint{0, dy}, TScreenPoint{dx, -dy}, TScreenPoint{-dx, -dy},
                                     TScreenPoint{dx, dy}, TScreenPoint{-dx, dy}})
            out[n++] = {a.X + d.X, a.Y + d.Y};
    }
    return static_cast<int>(n);
}

}  // namespace

std::vector<TPlacedLabel> PlaceLabels(std::vector<TLabelCandidate>& candidates, const TLabelPlacing& placing,
                                      std::span<const TScreenBox> keepFree) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const TLabelCandidate& a, const TLabelCandidate& b) { return a.Priority < b.Priority; });
    // Cells of about two lines of text: few boxes per cell, few cells per box.
    double typicalHeight = 0;
    for (const TLabelCandidate& c : candidates) typicalHeight = std::max(typicalHeight, c.Height);
    LabelIndex index(placing.Surface, std::max(16.0, 4 * typicalHeight));
    for (const TScreenBox& b : keepFree) index.Insert(b);

    std::vector<TPlacedLabel> placed;
    std::unordered_map<std::string_view, std::vector<TScreenPoint>> placedTexts;
    const double repeat2 = placing.RepeatDistance * placing.RepeatDistance;
    std::array<TScreenPoint, kMostPositions> positions;
    for (const TLabelCandidate& c : candidates) {
        if (c.Text.empty() || !(c.Width > 0) || !(c.Height > 0)) continue;
        auto sameText = placedTexts.find(c.Text);
        if (sameText != placedTexts.end() &&
            std::any_of(sameText->second.begin(), sameText->second.end(), [&](TScreenPoint p) {
                const double dx = p.X - c.Anchor.X, dy = p.Y - c.Anchor.Y;
                return dx * dx + dy * dy < repeat2;
            }))
            continue;
        const int n = positionsOf(c, positions);
        for (int i = 0; i < n; ++i) {
            const TScreenPoint at = positions[static_cast<size_t>(i)];
            // Whole pixels: the text is drawn with its bottom centre on a pixel.
            const int bottom = static_cast<int>(std::lround(at.Y + c.Height / 2));
            const TScreenBox text = boxAround(at.X, bottom - c.Height / 2, c.Width, c.Height);
            const TScreenBox kept = text.Grown(placing.Padding);
            if (!placing.Surface.Contains(kept) || index.Overlaps(kept)) continue;
            index.Insert(kept);
            placed.push_back({text, {at.X, bottom}, c.Tag});
            placedTexts[c.Text].push_back(c.Anchor);
            break;
        }
    }
    return placed;
}
