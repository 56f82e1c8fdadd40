#include "render/map_renderer.h"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "drawing/feature_drawing.h"
#include "drawing/readable_drawing.h"
#include "render/qpainter_canvas.h"
#include "render/raster_canvas.h"

namespace {

constexpr double kMetresPerInch = 0.0254;

void drawSelection(const MapSnapshot& snapshot, Canvas& canvas, const TWorldToScreenFunc& toScreen) {
    const TSelectionStyle& style = snapshot.SelectionStyle;
    for (const TKDKElement* feature : snapshot.Selection) {
        // Again for every feature: lines change the pen width, polygons the pen style.
        canvas.Pen.Color = style.Color;
        canvas.Pen.Style = style.PenStyle;
        canvas.Pen.Width = style.PenWidth;
        canvas.Brush.Color = style.Color;
        canvas.Brush.Style = style.BrushStyle;
        DrawSelected(*feature, canvas, toScreen);
    }
}

// The readable drawing: features by scale, the selection and the marks, then
// the scale bar and the labels over everything, clear of the marks.
void drawReadable(const TViewport& viewport, int width, int height, const MapSnapshot& snapshot, Canvas& canvas,
                  TSelectionShown selection, double pixelsPerInch) {
    const TWorldToScreenFunc toScreen = viewport.ToScreen();
    const double pixelsPerMetre = viewport.View.ScaleX;
    const TReadableView view{{0, 0, static_cast<double>(width), static_cast<double>(height)},
                             1 / pixelsPerMetre, pixelsPerInch / 72, pixelsPerInch / kMetresPerInch / pixelsPerMetre};
    ReadableDrawing drawing(*snapshot.Map, snapshot.Display, view, viewport.GetViewMin(), viewport.GetViewMax(),
                            toScreen);
    drawing.DrawFeatures(canvas);
    if (selection == TSelectionShown::Yes) drawSelection(snapshot, canvas, toScreen);
    DrawMarks(snapshot.Marks, canvas, toScreen, pixelsPerInch);
    drawing.DrawLabels(canvas, MarkBoxes(snapshot.Marks, toScreen, pixelsPerInch));
}

// DrawMap in another view than the snapshot's, on a surface of width x height pixels.
void drawMapIn(const TViewport& viewport, int width, int height, const MapSnapshot& snapshot, Canvas& canvas,
               TSelectionShown selection, double marksPixelsPerInch) {
    if (!snapshot.Map) return;
    if (snapshot.Display.Readable) {
        drawReadable(viewport, width, height, snapshot, canvas, selection, marksPixelsPerInch);
        return;
    }
    const TWorldToScreenFunc toScreen = viewport.ToScreen();
    Draw(*snapshot.Map, snapshot.Display, canvas, viewport.GetViewMin(), viewport.GetViewMax(), toScreen);
    if (selection == TSelectionShown::Yes) drawSelection(snapshot, canvas, toScreen);
    DrawMarks(snapshot.Marks, canvas, toScreen, marksPixelsPerInch);
}

}  // namespace

void DrawMap(const MapSnapshot& snapshot, Canvas& canvas, TSelectionShown selection, double marksPixelsPerInch) {
    drawMapIn(snapshot.Viewport, snapshot.Viewport.Width, snapshot.Viewport.Height, snapshot, canvas, selection,
              marksPixelsPerInch);
}

QImage RenderImage(const MapSnapshot& snapshot, TSelectionShown selection, int dotsPerMetre) {
    const TViewport& viewport = snapshot.Viewport;
    if (viewport.Width <= 0 || viewport.Height <= 0) return {};
    QImage image(viewport.Width, viewport.Height, QImage::Format_RGB32);
    if (image.isNull()) return image;
    if (dotsPerMetre > 0) {
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
    }
    image.fill(Qt::white);
    RasterCanvas canvas(image);
    DrawMap(snapshot, canvas, selection, viewport.PixelsPerInch);
    return image;
}

bool WriteSvg(QIODevice& device, const MapSnapshot& snapshot, const TSvgHeader& header) {
    const TViewport& viewport = snapshot.Viewport;
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setSize(QSize(viewport.Width, viewport.Height));
    svg.setViewBox(QRect(0, 0, viewport.Width, viewport.Height));
    svg.setResolution(static_cast<int>(std::lround(viewport.PixelsPerInch)));
    svg.setTitle(header.Title);
    if (!header.Description.isEmpty()) svg.setDescription(header.Description);
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    // The background under the map, as on the screen and on paper.
    painter.fillRect(0, 0, viewport.Width, viewport.Height, header.Background);
    {
        QPainterCanvas canvas(painter);  // vector output stays vector
        DrawMap(snapshot, canvas, TSelectionShown::No, viewport.PixelsPerInch);
    }
    return painter.end();
}

QByteArray SvgBytes(const MapSnapshot& snapshot, const TSvgHeader& header) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!WriteSvg(buffer, snapshot, header)) return {};
    return buffer.data();
}

void DrawMapInRect(QPainter& painter, const QRect& rect, const MapSnapshot& snapshot, const TPrintView& view) {
    const double dpi = painter.device()->logicalDpiY();
    const double s = dpi / kMetresPerInch / view.Scale;
    TViewport onPaper = snapshot.Viewport;
    TViewState& v = onPaper.View;
    v.ScaleX = v.ScaleY = s;
    v.CenterX = view.CenterX;
    v.CenterY = view.CenterY;
    v.MinX = view.CenterX - rect.width() / 2.0 / s;
    v.MaxX = view.CenterX + rect.width() / 2.0 / s;
    v.MinY = view.CenterY - rect.height() / 2.0 / s;
    v.MaxY = view.CenterY + rect.height() / 2.0 / s;
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), rect.size()));
    try {
        QPainterCanvas canvas(painter);
        drawMapIn(onPaper, rect.width(), rect.height(), snapshot, canvas, TSelectionShown::No, dpi);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}
