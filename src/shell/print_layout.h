#pragma once
// The page layout of a printed map, in printer dots: the margins, the print
// rectangle inside them, the scale and centre of the two print ranges (the
// part shown on screen, or the whole data area), and the grid of pages that
// prints the whole area at a chosen scale.
#include <optional>
#include <string>

#include "geometry/geo_point.h"

// The printable page: its resolution in dots per inch and its size in dots.
struct TPrintPage {
    double DpiX = 0, DpiY = 0;
    int Width = 0, Height = 0;
};

// Margins in millimetres, in the order the print dialog hands them on.
struct TPrintMargins {
    int Left = 10, Top = 10, Right = 10, Bottom = 10;
};

// A rectangle of page dots; Right and Bottom lie just outside it.
struct TPrintRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

// The scale denominator (map units per metre of paper) and the map point
// printed at the rectangle's centre.
struct TPrintView {
    double Scale = 0, CenterX = 0, CenterY = 0;
};

// Millimetres in dots at the resolution, halves to even.
int MarginDots(int millimetres, double dotsPerInch);

// The rectangle inside the margins. None when the margins do not fit on the
// page, and also when they leave no width or no height: no scale fits an
// extent into nothing.
std::optional<TPrintRect> PrintRectangle(const TPrintPage& page, const TPrintMargins& margins);

// The whole extent in the rectangle: the larger of the two axes' scales (so
// that the extent fits), around the extent's middle.
TPrintView WholeAreaView(const TGeoPoint& extentMin, const TGeoPoint& extentMax, const TPrintRect& rect,
                         const TPrintPage& page);

// The screen's scale around the middle of the visible area.
TPrintView ScreenView(const TGeoPoint2D& viewMin, const TGeoPoint2D& viewMax, double dispScale);

// Neighbouring pages of a tiled print show the same strip of map, this wide on paper.
inline constexpr double kTileOverlapMillimetres = 10;

// The whole area at a chosen scale as rows and columns of pages, each showing
// a print rectangle's worth of map; neighbours overlap by the overlap on
// paper, and the grid is centred on the extent. Row 0 is the north, column 0
// the west.
struct TTileGrid {
    long long Rows = 0, Columns = 0;
    double Scale = 0;
    double PageWidth = 0, PageHeight = 0;  // the map one page shows, in map units
    double StepX = 0, StepY = 0;           // from one page's centre to its neighbour's
    double West = 0, North = 0;            // the grid's north-west corner

    long long Pages() const { return Rows * Columns; }
    TPrintView Tile(long long row, long long column) const;
    // The map one page shows.
    TGeoPoint2D TileMin(long long row, long long column) const;
    TGeoPoint2D TileMax(long long row, long long column) const;
};

// The grid for the extent at 1:scale in the rectangle. None when the
// rectangle is no wider or no higher than the overlap (no page would advance)
// or the scale is not positive.
std::optional<TTileGrid> TileGrid(const TGeoPoint& extentMin, const TGeoPoint& extentMax, const TPrintRect& rect,
                                  const TPrintPage& page, double scale);

// The refusal when PrintRectangle finds no room, Shift-JIS.
std::string PrintAreaTooSmallText();
