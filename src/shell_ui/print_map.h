#pragma once
// Printing the map panel's map: the print command and its preview go through
// PrintMap, which lays out and draws the pages with the renderer's page code,
// as orvelle-cli print does on a PDF writer.
#include <QString>

#include "render/map_pages.h"

class QPrinter;
class TGeoPanel;

// The printer's name, or for a PDF printer its file (or "PDF" before one is chosen).
QString PrinterNameText(const QPrinter& printer);

// What the panel prints from: the data's extent and the view on screen.
TPrintedArea PrintedAreaOf(const TGeoPanel& panel);

// Prints the panel's map inside the margins: the job is titled with the
// panel's CenterChome and has Copies copies; the map is drawn at the whole
// area's or the screen's scale, or at a chosen scale (the whole area then on
// as many pages as it needs, after an overview), and framed by a one-dot
// black line along the print rectangle. A printer that cannot make copies
// itself (a PDF file) gets the pages once per copy. Returns false, starting
// no job, when the margins leave no room on the page. Raises when the job
// cannot be started or ended, or a tiled print needs too many pages.
bool PrintMap(TGeoPanel& panel, QPrinter& printer, const TPrintRequest& request);
