#include "drawing/readable_drawing.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "drawing/feature_drawing.h"
#include "drawing/scale_bar.h"
#include "map/grouped_queries.h"
#include "tables/feature_codes.h"

namespace {

// The scale bar's longest length and its distance from the map's corner, in points.
constexpr double kScaleBarMostPoints = 90;
constexpr double kScaleBarMarginPoints = 6;
// The same text again within this many points of a placed one is shown once.
constexpr double kRepeatPoints = 180;

int roundedPixels(double pixels) { return static_cast<int>(std::lround(pixels)); }

// The label kind of an attribute record's code (its major code is code / 100).
TLabelKind labelKindOf(int code, bool& labelled) {
    labelled = true;
    switch (code) {
        case codes::kChome: return TLabelKind::Chome;
        case codes::kBlock: return TLabelKind::BlockNumber;
        case codes::kStation: return TLabelKind::Station;
        default: break;
    }
    labelled = code / 100 == codes::kBuildingMajor;
    return TLabelKind::PublicBuilding;
}

}  // namespace

TRoadClass RoadClassOf(int code, TColor color) {
    static const TColor motorway = PaletteColor(codes::kMotorwayPalette);
    static const TColor national = PaletteColor(codes::kNationalRoadPalette);
    static const TColor other = PaletteColor(codes::kOtherRoadPalette);
    if (code != codes::kRoadCentre) return TRoadClass::Plain;
    if (color == motorway) return TRoadClass::Expressway;
    if (color == national) return TRoadClass::National;
    return color == other ? TRoadClass::Named : TRoadClass::Plain;
}

TRoadClass RoadClassOf(const TKDKLine& line) { return RoadClassOf(line.Code(), line.Color); }

ReadableDrawing::ReadableDrawing(const TKDKObject& map, const TDisplayState& state, const TReadableView& view,
                                 const TGeoPoint2D& min, const TGeoPoint2D& max, const TWorldToScreenFunc& toScreen)
    : map_(map), state_(state), view_(view), box_{min.X, min.Y, max.X, max.Y}, toScreen_(toScreen),
      plan_(view.MetresPerDip()) {}

void ReadableDrawing::drawPolygon(const TKDKPolygon& polygon, Canvas& canvas) {
    const TDetail detail = plan_.Of(TFeatureKind::Polygon, polygon.Code());
    if (detail == TDetail::Hidden || polygon.RingCount == 0) return;  // no outline: nothing to fill
    const TScreenPoint a = toScreen_(polygon.BoundsMin);
    const TScreenPoint b = toScreen_(polygon.BoundsMax);
    if (detail == TDetail::Full &&
        (std::abs(b.X - a.X) >= kAreaAsBoxPixels || std::abs(b.Y - a.Y) >= kAreaAsBoxPixels)) {
        Draw(polygon, canvas, toScreen_);
        return;
    }
    // A filled box over the area's bounds, at least a pixel.
    canvas.Pen.Style = TPenStyle::psClear;
    canvas.Brush.Color = polygon.FillColor;
    canvas.Brush.Style = TBrushStyle::bsSolid;
    canvas.Rectangle(std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X) + 1, std::max(a.Y, b.Y) + 1);
}

void ReadableDrawing::drawLine(const TKDKLine& line, Canvas& canvas) {
    const TRoadClass road = RoadClassOf(line);
    switch (plan_.Of(TFeatureKind::Line, line.Code(), road)) {
        case TDetail::Full: {
            const int least = std::max(1, roundedPixels(view_.Pixels(plan_.LeastWidth(line.Code(), road))));
            Draw(line, canvas, toScreen_, least, kAnyLineWidth);
            break;
        }
        case TDetail::Simplified: Draw(line, canvas, toScreen_, 1, 1); break;  // the centre line alone
        case TDetail::Hidden: break;
    }
}

void ReadableDrawing::DrawFeatures(Canvas& canvas) {
    municipalities_.clear();
    const bool boundaries = state_.CategoryVisible(codes::kBoundaryMajor);
    map_.ForEachPolygonOverlapping(box_, [&](const TKDKPolygon& polygon) {
        if (boundaries && polygon.Code() == codes::kMunicipality) municipalities_.push_back(&polygon);
        if (state_.Shows(polygon)) drawPolygon(polygon, canvas);
    });
    // Lines and points of the codes the scale draws only.
    auto drawn = [this](TFeatureKind kind) {
        return [this, kind](TCodeGroupKey k) { return plan_.Of(kind, k.Code, RoadClassOf(k.Code, k.Color)) != TDetail::Hidden; };
    };
    ForEachLineInGroups(map_, box_, drawn(TFeatureKind::Line), [&](const TKDKLine& line) {
        if (state_.Shows(line)) drawLine(line, canvas);
    });
    ForEachPointInGroups(map_, box_, drawn(TFeatureKind::Point), [&](const TKDKPoint& point) {
        if (state_.Shows(point)) Draw(point, canvas, toScreen_);
    });
}

int ReadableDrawing::cellHeight(TLabelKind kind) const {
    return std::max(1, roundedPixels(view_.Pixels(LabelStyle(kind).SizePoints)));
}

void ReadableDrawing::addLabel(TCandidates& out, std::string_view text, TLabelKind kind, TScreenPoint anchor) const {
    const int height = cellHeight(kind);
    const double width = EstimatedTextWidth(text, height);
    out.Labels.push_back({text, anchor, width, static_cast<double>(height), static_cast<int>(kind),
                          LabelStyle(kind).Movable, static_cast<uint32_t>(out.Kinds.size())});
    out.Kinds.push_back(kind);
}

void ReadableDrawing::addMunicipalityLabels(TCandidates& out) const {
    // A municipality comes in one area per mesh: one name over the part of their bounds in view.
    std::map<std::string_view, TGridBox> bounds;
    for (const TKDKPolygon* p : municipalities_) {
        if (p->Attribute == nullptr) continue;
        const TAttributeValues& values = p->Attribute->Values;  // the code, then the name
        if (values.size() < 2 || values[1].empty()) continue;
        auto [it, added] = bounds.try_emplace(values[1], TGridBox{p->BoundsMin.X, p->BoundsMin.Y, p->BoundsMax.X,
                                                                  p->BoundsMax.Y});
        if (added) continue;
        TGridBox& b = it->second;
        b = {std::min(b.MinX, p->BoundsMin.X), std::min(b.MinY, p->BoundsMin.Y), std::max(b.MaxX, p->BoundsMax.X),
             std::max(b.MaxY, p->BoundsMax.Y)};
    }
    for (const auto& [name, b] : bounds) {
        const double x = (std::max(b.MinX, box_.MinX) + std::min(b.MaxX, box_.MaxX)) / 2;
        const double y = (std::max(b.MinY, box_.MinY) + std::min(b.MaxY, box_.MaxY)) / 2;
        addLabel(out, name, TLabelKind::Municipality, toScreen_(TGeoPoint2D{x, y}));
    }
}

bool ReadableDrawing::blockHolds(const TKDKAttribute& record, double width, double height) const {
    // A block the view mode hides has no number either.
    const TKDKPolygon* block = map_.FindPolygon(record.TargetMeshNo, record.TargetId);
    if (!block || !state_.Shows(*block)) return false;
    const TScreenPoint a = toScreen_(block->BoundsMin);
    const TScreenPoint b = toScreen_(block->BoundsMax);
    // Half the block's box: a block is seldom a rectangle along the axes.
    return std::abs(b.X - a.X) / 2.0 >= width && std::abs(b.Y - a.Y) / 2.0 >= height;
}

ReadableDrawing::TCandidates ReadableDrawing::LabelCandidates() {
    TCandidates out;
    const double metresPerDip = view_.MetresPerDip();
    if (metresPerDip <= LabelStyle(TLabelKind::Municipality).UpTo) addMunicipalityLabels(out);
    // The records of the label kinds the scale shows only.
    auto shown = [&](TCodeGroupKey k) {
        bool labelled = false;
        const TLabelKind kind = labelKindOf(k.Code, labelled);
        return labelled && metresPerDip <= LabelStyle(kind).UpTo;
    };
    ForEachLabelInGroups(map_, box_, shown, [&](const TKDKAttribute& record) {
        bool labelled = false;
        const TLabelKind kind = labelKindOf(record.Code(), labelled);
        if (!state_.Shows(record)) return;
        if (kind == TLabelKind::BlockNumber) {
            const int height = cellHeight(kind);
            if (!blockHolds(record, EstimatedTextWidth(record.LabelText, height), height)) return;
        }
        addLabel(out, record.LabelText, kind, toScreen_(record.LabelPoint));
    });
    return out;
}

void ReadableDrawing::DrawLabels(Canvas& canvas, std::span<const TScreenBox> keepFree) {
    std::vector<TScreenBox> kept(keepFree.begin(), keepFree.end());
    const TScaleBar bar = ChooseScaleBar(view_.MetresPerPixel, view_.Pixels(kScaleBarMostPoints), view_.ScaleDenominator);
    const int margin = roundedPixels(view_.Pixels(kScaleBarMarginPoints));
    const TScreenPoint corner{static_cast<int32_t>(view_.Surface.Left) + margin,
                              static_cast<int32_t>(view_.Surface.Bottom) - margin};
    const double ppp = view_.PixelsPerPoint;
    if (bar.Metres > 0 && view_.Surface.Contains(ScaleBarBox(bar, corner, ppp))) {
        DrawScaleBar(canvas, bar, corner, ppp);
        kept.push_back(ScaleBarBox(bar, corner, ppp));
    }

    TCandidates candidates = LabelCandidates();
    const int halo = std::max(1, roundedPixels(ppp));
    const TLabelPlacing placing{view_.Surface, halo + 1.0, view_.Pixels(kRepeatPoints)};
    const std::vector<TPlacedLabel> placed = PlaceLabels(candidates.Labels, placing, kept);
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Pen.Mode = TPenMode::pmCopy;
    // Texts by tag: placing sorted the candidates.
    std::vector<std::string_view> texts(candidates.Kinds.size());
    for (const TLabelCandidate& c : candidates.Labels) texts[c.Tag] = c.Text;
    for (const TPlacedLabel& label : placed) {
        const TLabelKind kind = candidates.Kinds[label.Tag];
        canvas.Font.Color = LabelStyle(kind).Color;
        canvas.Font.Height = cellHeight(kind);
        canvas.HaloTextOutBottomCentre(label.BottomCentre, std::string(texts[label.Tag]), clWhite, halo);
    }
}
