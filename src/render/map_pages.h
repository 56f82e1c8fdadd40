#pragma once
// The printed map's pages on any paged device: the viewer's printer and its
// preview (QPrinter) and orvelle-cli print (QPdfWriter) lay out and draw
// their pages here.
#include <QRect>
#include <optional>

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
};

// What the two print ranges are taken from: the data's extent, and the box
// and display scale of the view on screen.
struct TPrintedArea {
    TGeoPoint ExtentMin, ExtentMax;
    TGeoPoint2D ViewMin, ViewMax;
    double DispScale = 0;
};

// Where the map goes on the page, in device dots, and the view it is printed at.
struct TMapPageLayout {
    QRect Area;
    TPrintView View;
};

// The device's resolution and its printable page in dots.
TPrintPage PrintPageOf(const QPaintDevice& device);

// The page's layout for the request; none when the margins leave no room.
std::optional<TMapPageLayout> LayOutMapPage(const TPrintPage& page, const TPrintRequest& request,
                                            const TPrintedArea& area);

// Draws the page `pages` times with the painter begun on `device`, each page
// after the first on a new one: the map (without the selection) framed by a
// one-dot black line along the print rectangle. False, drawing no further,
// when the device cannot start a new page.
bool DrawMapPages(QPagedPaintDevice& device, QPainter& painter, const TMapPageLayout& layout,
                  const MapSnapshot& snapshot, int pages);
