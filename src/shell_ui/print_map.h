#pragma once
// Printing the map panel's map on one printer page: the print command, its
// preview and orvelle-cli print all go through PrintMap.
#include <QString>

#include "shell/print_layout.h"

class QPrinter;
class TGeoPanel;

// What the print dialog hands on.
struct TPrintRequest {
    TPrintMargins Margins;  // millimetres
    int Copies = 1;
    bool WholeArea = false;  // the whole data area instead of the part on screen
};

// The printer's resolution and its printable page in dots.
TPrintPage PrintPageOf(const QPrinter& printer);

// The printer's name, or for a PDF printer its file (or "PDF" before one is chosen).
QString PrinterNameText(const QPrinter& printer);

// Prints the panel's map inside the margins: the job is titled with the
// panel's CenterChome and has Copies copies; the map is drawn at the whole
// area's or the screen's scale and framed by a one-dot black line along the
// print rectangle. A printer that cannot make copies itself (a PDF file) gets
// the page once per copy. Returns false, starting no job, when the margins
// leave no room on the page. Raises when the job cannot be started or ended.
bool PrintMap(TGeoPanel& panel, QPrinter& printer, const TPrintRequest& request);
