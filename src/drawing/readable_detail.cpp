#include "drawing/readable_detail.h"

#include <algorithm>

namespace {

bool rankMatches(TRoadRank rank, TRoadClass road) {
    return rank == TRoadRank::Any || static_cast<int>(rank) == static_cast<int>(road) + 1;
}

TDetail detailAt(const TDetailRow* row, double metresPerDip) {
    if (!row) return TDetail::Hidden;
    if (metresPerDip <= row->FullUpTo) return TDetail::Full;
    if (metresPerDip <= row->SimplifiedUpTo) return TDetail::Simplified;
    return TDetail::Hidden;
}

}  // namespace

const TDetailRow* ReadableDetailRow(TFeatureKind kind, int code, TRoadClass road) {
    for (const TDetailRow& row : kReadableDetail)
        if (row.Kind == kind && code >= row.CodeFrom && code <= row.CodeTo && rankMatches(row.Rank, road))
            return &row;
    return nullptr;
}

TDetail ReadableDetail(TFeatureKind kind, int code, TRoadClass road, double metresPerDip) {
    return detailAt(ReadableDetailRow(kind, code, road), metresPerDip);
}

int ReadableDetailPlan::slot(TFeatureKind kind) {
    switch (kind) {
        case TFeatureKind::Line: return 0;
        case TFeatureKind::Polygon: return 1;
        case TFeatureKind::Point: return 2;
        default: return -1;
    }
}

ReadableDetailPlan::ReadableDetailPlan(double metresPerDip) {
    for (auto& kind : rows_)
        for (auto& rank : kind) rank.fill(kNoRow);
    // Rows from the last to the first, so that the first row naming a code wins.
    for (size_t i = kReadableDetail.size(); i-- > 0;) {
        const TDetailRow& row = kReadableDetail[i];
        detail_[i] = detailAt(&row, metresPerDip);
        const int s = slot(row.Kind);
        if (s < 0) continue;
        for (size_t road = 0; road < kRoadClassCount; ++road) {
            if (!rankMatches(row.Rank, static_cast<TRoadClass>(road))) continue;
            for (int code = std::max(0, row.CodeFrom); code <= row.CodeTo && code < kCodes; ++code)
                rows_[static_cast<size_t>(s)][road][static_cast<size_t>(code)] = static_cast<uint8_t>(i);
        }
    }
}
