#pragma once
// Writing a map as a CAD drawing through GDAL's DXF driver: every feature an
// entity of the drawing's one layer of entities, in the DXF layer of its
// feature code ("2110 道路中心線"), coloured by the style table; lines and
// area outlines as polylines, labels as texts with their heights in metres.
#include <memory>
#include <string>
#include <unordered_map>

#include <ogrsf_frmts.h>

#include "export/feature_texts.h"
#include "export/layer_writer.h"
#include "map/features.h"

class DrawingWriter {
public:
    DrawingWriter(OGRLayer& entities, TFeatureTexts& texts, CoordinateOutput& coords);

    CoordinateOutput& Coords() { return coords_; }
    // The points added to Coords() as a polyline of `e`'s code; closed: an outline.
    void WritePolyline(const TKDKElement& e, TColor colour, bool closed);
    void WritePoint(const TKDKElement& e, TColor colour);
    // A text of `e` centred at `at`, `height` metres high, running along
    // `direction` (a vector in the data's units; (1, 0): along the x axis).
    void WriteText(const TKDKElement& e, const std::string& textSjis, const TGeoPoint2D& at,
                   const TGeoPoint2D& direction, double height, TColor colour);

private:
    void begin(const TKDKElement& e);
    void write(const TKDKElement& e, OGRGeometry* geometry, const std::string& style);
    std::string utf8Text(const TKDKElement& e, const std::string& sjisText, const char* what);
    std::string describe(const TKDKElement& e) const;

    OGRLayer& entities_;
    TFeatureTexts& texts_;
    CoordinateOutput& coords_;
    int layerField_;
    std::unique_ptr<OGRFeature, FeatureDelete> feature_;
    std::unordered_map<int, std::string> layerNames_;  // by code, as the driver is given them
};

// The DXF layer of a feature code: the code, and its name in the code-name
// table or, where the table has none, the heading its details text gives
// (Shift-JIS).
std::string DrawingLayerName(int major, int minor);
