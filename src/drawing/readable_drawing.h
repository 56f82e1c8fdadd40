#pragma once
// The readable drawing, a second way of drawing the map for people who read
// it rather than check it: what is drawn follows from the scale
// (readable_detail.h), labels are sized in points and placed without
// collision over every feature (label_placement.h), and a scale bar sits in
// the lower left. The drawing the data's own rules define (feature_drawing.h)
// is left as it is.
#include <span>
#include <string_view>
#include <vector>

#include "drawing/canvas.h"
#include "drawing/label_placement.h"
#include "drawing/readable_detail.h"
#include "map/kdk_object.h"

// The surface a readable map is drawn on and its scale.
struct TReadableView {
    TScreenBox Surface;            // the map's part of the surface, pixels
    double MetresPerPixel = 1;     // on the ground
    double PixelsPerPoint = 96.0 / 72;  // 1/72 inch: 96/72 on a 96-dpi screen, twice that on a 2x one
    double ScaleDenominator = 0;   // 1:N of the view

    // Metres per device-independent pixel (1/96 inch): the scale the detail follows.
    double MetresPerDip() const { return MetresPerPixel * PixelsPerPoint * 0.75; }
    // A length in points as pixels.
    double Pixels(double points) const { return points * PixelsPerPoint; }
};

// The readable drawing of one view. DrawFeatures first; the caller may then
// draw over the features (a selection, marks); DrawLabels last.
class ReadableDrawing {
public:
    ReadableDrawing(const TKDKObject& map, const TDisplayState& state, const TReadableView& view,
                    const TGeoPoint2D& min, const TGeoPoint2D& max, const TWorldToScreenFunc& toScreen);

    // The areas, lines and points the scale shows, as the table says.
    void DrawFeatures(Canvas& canvas);
    // The scale bar, then the labels the scale shows, placed without
    // collision and clear of `keepFree` (the marks' boxes).
    void DrawLabels(Canvas& canvas, std::span<const TScreenBox> keepFree);

    // The label candidates of the view, with their kinds (for benchmarks and tests).
    struct TCandidates {
        std::vector<TLabelCandidate> Labels;
        std::vector<TLabelKind> Kinds;  // by candidate Tag
    };
    TCandidates LabelCandidates();

private:
    void drawLine(const TKDKLine& line, Canvas& canvas);
    void drawPolygon(const TKDKPolygon& polygon, Canvas& canvas);
    void addMunicipalityLabels(TCandidates& out) const;
    void addLabel(TCandidates& out, std::string_view text, TLabelKind kind, TScreenPoint anchor) const;
    bool blockHolds(const TKDKAttribute& record, double width, double height) const;
    int cellHeight(TLabelKind kind) const;

    const TKDKObject& map_;
    const TDisplayState& state_;
    TReadableView view_;
    TGridBox box_;
    TWorldToScreenFunc toScreen_;
    ReadableDetailPlan plan_;
    std::vector<const TKDKPolygon*> municipalities_;  // met while drawing the areas
};

// A road centre line's class by the colour reading gave it from its name.
TRoadClass RoadClassOf(const TKDKLine& line);
TRoadClass RoadClassOf(int code, TColor color);
