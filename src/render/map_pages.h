#pragma once
// The printed map's pages on any paged device: the viewer's printer and its
// preview (QPrinter) and orvelle-cli print (QPdfWriter) lay out and draw
// their pages here.
#include <QRect>
#include <optional>
#include <string>
#include <vector>

#include "render/map_snapshot.h"
#include "shell/print_layout.h"

class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

// What the print dialog hands on.
struct TPrintRequest {
    TPrintMargins Margins;  // millimetres
    int Copies = 1;
    bool WholeArea = false;  // the whole data area instead of the part on screen
    // A chosen scale denominator (1:Scale); 0 prints at the range's own scale
    // (the screen's, or the whole area fitted to one page).
    double Scale = 0;
};

// What the two print ranges are taken from: the data's extent, and the box
// and display scale of the view on screen.
struct TPrintedArea {
    TGeoPoint ExtentMin, ExtentMax;
    TGeoPoint2D ViewMin, ViewMax;
    double DispScale = 0;
};

// One page of a tiled print as the overview shows it: the map it covers and its label.
struct TPageCell {
    TGeoPoint2D Min, Max;
    std::string Label;
};

// Where the map goes on the page, in device dots, the view it is printed at,
// and what is printed over it.
struct TMapPageLayout {
    QRect Area;
    TPrintView View;
    bool ShowsScale = false;       // "1:N" and a scale bar: the page is at a chosen scale
    std::string Label;             // a tiled print's page: its row and column (ASCII)
    std::vector<TPageCell> Cells;  // the overview of a tiled print: the page grid
};

// More pages than this for one copy of a tiled print are refused.
inline constexpr long long kMaxTiledPages = 999;

// The device's resolution and its printable page in dots.
TPrintPage PrintPageOf(const QPaintDevice& device);

// A tiled page's label: "R2 C3" for row 2 (from the north), column 3 (from the west).
std::string TileLabel(long long row, long long column);

// The pages for the request in printing order: one page, or for the whole
// area at a chosen scale an overview of the whole area with the page grid,
// then the pages row by row from the north-west. None when the margins leave
// no room (for a tiled print also: no more room than the overlap). Raises
// when a tiled print needs more than kMaxTiledPages pages.
std::optional<std::vector<TMapPageLayout>> LayOutMapPages(const TPrintPage& page, const TPrintRequest& request,
                                                          const TPrintedArea& area);

// Draws the pages `copies` times with the painter begun on `device`, each
// page after the first on a new one: the map (without the selection), what
// the layout prints over it, and a one-dot black line along the print
// rectangle. False, drawing no further, when the device cannot start a new page.
bool DrawMapPages(QPagedPaintDevice& device, QPainter& painter, const std::vector<TMapPageLayout>& pages,
                  const MapSnapshot& snapshot, int copies);
