#pragma once
// The renderer of every output: the screen image and PNG files (a
// RasterCanvas), SVG pictures for the clipboard and files, and printed pages
// (a QPainterCanvas), all drawn from a MapSnapshot through Canvas with the
// same marks and, where asked, the same selection. No widget is involved:
// it runs with a QGuiApplication, on any thread.
#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include "render/map_snapshot.h"
#include "shell/print_layout.h"

class QIODevice;
class QPainter;
class QRect;

enum class TSelectionShown : bool { No, Yes };

// Draws the snapshot's map in its view, the selection when shown, then the
// marks, sized for `marksPixelsPerInch`. In the readable drawing
// (snapshot.Display.Readable) the labels and a scale bar follow, sized in
// points at that resolution.
void DrawMap(const MapSnapshot& snapshot, Canvas& canvas, TSelectionShown selection, double marksPixelsPerInch);

// The view as an RGB32 image of the snapshot's size on white (null for an
// empty size or when the memory is missing). `dotsPerMetre` > 0 is stored
// in the image as its resolution.
QImage RenderImage(const MapSnapshot& snapshot, TSelectionShown selection, int dotsPerMetre = 0);

// What an SVG picture says of itself besides the drawing.
struct TSvgHeader {
    QColor Background;
    QString Title;
    QString Description;  // none when empty
};

// Writes the view as an SVG picture (without the selection) of the
// snapshot's size and resolution to `device`; false when it cannot be written.
bool WriteSvg(QIODevice& device, const MapSnapshot& snapshot, const TSvgHeader& header);
QByteArray SvgBytes(const MapSnapshot& snapshot, const TSvgHeader& header);

// Draws the map (without the selection) at 1:view.Scale around the view's
// centre into the device rectangle of the painter, at the device's vertical
// resolution, clipped to the rectangle.
void DrawMapInRect(QPainter& painter, const QRect& rect, const MapSnapshot& snapshot, const TPrintView& view);
