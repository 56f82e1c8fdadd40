#pragma once
// TGeoPanel, the map control of the main window: it shows a MapDocument (the
// map and what is drawn with it, which the panel's data properties forward
// to), holds the coordinate translator, the view, the image of the last
// rendering and the child paint surface that shows it; it navigates (fit,
// zoom, centre, wheel, keys), runs the three mouse gestures, and has the
// renderer draw its view for the screen, the clipboard and printed pages.
//
// Every pixel coordinate of the panel (the surface size, the view transform,
// DownPoint and the other gesture points, the X and Y of the mouse events) is
// a device pixel of the surface: on a high-resolution screen the map is drawn
// at device resolution, and Qt's logical event positions are converted.
#include <QFrame>
#include <QImage>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "document/map_document.h"
#include "drawing/canvas.h"
#include "drawing/map_marks.h"
#include "map/kdk_object.h"
#include "queries/map_queries.h"
#include "render/map_snapshot.h"
#include "render/render_worker.h"
#include "view/coordinate_translator.h"
#include "view/viewport.h"

class QPainter;
class TGeoPaintBox;

enum class TOperationMode : uint8_t { omZoomRect, omMoveDrag, omSelectPoint };
enum class TGestureState : uint8_t { gsIdle, gsZoomRect, gsMoveDrag, gsSelectPoint };

// The panel's events are Qt signals carrying the design's names and
// arguments, the sender first (the paint surface for the mouse events, the
// panel for the others); the window connects to them.
class TGeoPanel : public QFrame {
    Q_OBJECT

    // First, so that the properties below can refer into it.
    std::shared_ptr<MapDocument> document_;

public:
    // A panel showing a document of its own.
    explicit TGeoPanel(QWidget* parent = nullptr);
    // A panel showing the window's document.
    explicit TGeoPanel(std::shared_ptr<MapDocument> document, QWidget* parent = nullptr);
    ~TGeoPanel() override;

    // --- properties (constructor values as the main window expects them)
    TOperationMode OperationMode() const { return operationMode_; }
    void SetOperationMode(TOperationMode mode);
    // The document's view mode.
    TViewMode& ViewMode;
    double ZoomFactor() const { return viewport_.ZoomFactor; }
    void SetZoomFactor(double f) { viewport_.ZoomFactor = f; }
    double ZoomInLimit() const { return viewport_.ZoomInLimit; }
    void SetZoomInLimit(double d) { viewport_.ZoomInLimit = d; }
    double ZoomOutLimit() const { return viewport_.ZoomOutLimit; }
    void SetZoomOutLimit(double d) { viewport_.ZoomOutLimit = d; }
    int SelectSize = 3;  // pixels
    TColor SelectColor = 0x0000FF;
    TPenStyle SelectPenStyle = TPenStyle::psSolid;
    int SelectPenWidth = 3;
    TBrushStyle SelectBrushStyle = TBrushStyle::bsDiagCross;
    // The display system of OnMouseMove. The constructor only stores its
    // value; assigning it chooses the translator's target.
    TCoordsFormat CoordsFormat() const { return coordsFormat_; }
    void SetCoordsFormat(TCoordsFormat format);
    TColor ClientAreaColor = 0xFFFFFF;

    // Read-only: the names at the view centre after the last Redraw (Shift-JIS),
    // the details of the last point selection, the display scale 1:DispScale.
    const std::string& CenterPrefName() const { return centre_.Prefecture; }
    const std::string& CenterCityName() const { return centre_.City; }
    const std::string& CenterChome() const { return centre_.Chome; }
    const std::string& CenterGaiku() const { return centre_.Block; }
    const std::string& PointedAttribs() const { return pointedAttribs_; }
    double DispScale() const { return dispScale_; }
    bool DataLoaded() const { return document_->HasMap(); }

    // --- the document shown and the owned parts
    MapDocument& Document() { return *document_; }
    const TKDKObject* MapObject() const { return document_->Map(); }
    // The map for a job that reads it on another thread: the job's reference
    // keeps the map alive after the panel has closed it. The document merges
    // further meshes into its map only when no one else holds it.
    std::shared_ptr<const TKDKObject> SharedMap() const { return document_->SharedMap(); }
    TCoordinateTranslator& Translator() { return translator_; }
    // Whether the last pointer position went by the three-parameter shift
    // because the datum grid has no parameter there.
    bool PointerApproximate() const { return pointerApproximate_; }
    TGeoPaintBox* PaintBox() const { return paintBox_; }
    // The image of the last Redraw, waiting for its rendering if it is still
    // running (the panel's own painting never waits: it shows the last
    // finished image, scaled to the view).
    const QImage& Image() const;
    // True while the background rendering holds the map (see OnRendered).
    bool Rendering() const { return renderer_.Busy(); }
    // The document's error list, found features and marks.
    TErrorList& ErrorList;
    std::vector<const TKDKElement*>& SelectedFeatures;
    // Drawn over the map in every rendering, also in copies and prints.
    TMapMarks& Marks;
    const TViewState& View() const { return viewport_.View; }
    const TViewState& HomeView() const { return viewport_.HomeView; }
    TGeoPoint DataExtentMin() const { return extentMin_; }
    TGeoPoint DataExtentMax() const { return extentMax_; }
    // The screen's logical pixels per inch in device pixels (logical DPI times
    // the device pixel ratio): the resolution the scale denominators refer to.
    double PixelsPerInch() const { return viewport_.PixelsPerInch; }

    // --- navigation
    TScreenPoint WorldToScreen(const TGeoPoint& p) const { return viewport_.WorldToScreen(p); }
    TGeoPoint2D ScreenToWorld(double x, double y) const { return viewport_.ScreenToWorld(x, y); }
    // The world point under a position in the panel's own (logical) coordinates.
    TGeoPoint2D WorldAtPanelPos(const QPoint& pos) const;
    void FitExtent(double minX, double maxX, double minY, double maxY) { viewport_.FitExtent(minX, maxX, minY, maxY); }
    void ZoomToBox(double minX, double maxX, double minY, double maxY) { viewport_.ZoomToBox(minX, maxX, minY, maxY); }
    void ZoomBy(double factor);
    void ZoomIn() { ZoomBy(1 / ZoomFactor()); }
    void ZoomOut() { ZoomBy(ZoomFactor()); }
    void ZoomReset();
    void CentreOn(double x, double y);
    TGeoPoint2D GetViewMin() const { return viewport_.GetViewMin(); }
    TGeoPoint2D GetViewMax() const { return viewport_.GetViewMax(); }

    // --- data
    // Reads one mesh description file (a file-system path) into the map and
    // fits the view to the whole extent; does not redraw. Read errors raise:
    // a failing first mesh stays attached with what was read, a failing later
    // one leaves the map unchanged.
    void LoadMeshFile(const std::string& fsPath);
    // The same for a mesh read on its own (ReadMeshOnItsOwn, e.g. by a loading
    // thread): the first becomes the map, later ones are merged; refits the
    // view. A mesh whose reading raised is kept only as the first, without a refit.
    // Merging needs the only reference to the map (see SharedMap).
    void AddMesh(std::unique_ptr<TKDKObject> mesh);
    void AddFailedMesh(std::unique_ptr<TKDKObject> mesh);
    void CloseData();
    // The attribute search: appends the features of the given major and minor
    // code (-1: any) whose attribute texts match to SelectedFeatures and
    // returns how many; -1 without a map. Neither empties the list first nor
    // redraws. A search that raises (a malformed pattern, a value whose
    // escapes are malformed) appends nothing.
    int SearchAttrib(int major, int minor, bool useRegex, const std::string& text);
    // Empties SelectedFeatures and redraws, when it held features.
    void ClearSelected();
    // Zooms onto the found feature at `index`, its box widened by `margin`
    // metres on every side; does not redraw. False, with the view unchanged,
    // when the index lies outside the list or the feature has no extent.
    bool ShowSelected(double margin, int index);
    bool GetCategoryVisible(int major) const;
    bool SetCategoryVisible(int major, bool on);
    TCoordsFormat GetSourceFormat() const;

    // --- rendering
    // Has the view rendered into a new Image with the found features on a
    // worker thread (a rendering not yet shown is dropped), updates the
    // centre names and DispScale, and fires OnPaint (also when a step raised).
    void Redraw();
    // What the renderer draws for the view now: the document's map, display
    // state, selection and marks, the selection's style and the view.
    MapSnapshot Snapshot() const;
    // Puts the view as an SVG picture (image/svg+xml) on the clipboard, without the selection.
    void CopyToClipboard();
    // The SVG picture CopyToClipboard puts on the clipboard: the map on the
    // client area's colour, titled with the names at the centre.
    QByteArray SvgPicture();
    // Draws the map at 1:scale around (centreX, centreY) into the device
    // rectangle of the painter, at the device's vertical resolution.
    void DrawTo(QPainter& painter, const QRect& rect, double scale, double centreX, double centreY);

    // --- gestures (state as the surface's events left it)
    TGestureState GestureState() const { return gesture_; }
    QPoint DownPoint() const { return downPoint_; }
    TGeoPoint2D DownWorld() const { return downWorld_; }
    QPoint DragStart() const { return dragStart_; }
    QPoint DragCentre() const { return dragCentre_; }
    QPoint LastPoint() const { return lastPoint_; }
    // How many times a rendering of the map into Image was started.
    int RenderCount() const { return renderCount_; }
    // Renders at once when a wheel step or a resize left a render pending.
    void FlushPendingRender();
    // Delay after the last wheel step or resize before the sharp image is rendered.
    static constexpr int kSettleMs = 50;

signals:
    // Sender, button, modifiers, surface pixel X and Y, world metres RX and RY.
    void OnMouseDown(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, double rx,
                     double ry);
    void OnMouseUp(QObject* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, double rx,
                   double ry);
    // Sender, modifiers, surface pixel X and Y, and RX, RY in the CoordsFormat system.
    void OnMouseMove(QObject* sender, Qt::KeyboardModifiers shift, int x, int y, double rx, double ry);
    void OnPaint(QObject* sender);
    void OnRePaint(QObject* sender);
    void OnResize(QObject* sender);
    void OnDblClick(QObject* sender);
    // The background rendering has let go of the map.
    void OnRendered(QObject* sender);

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TGeoPaintBox;
    // The surface's events, in device pixels.
    void surfacePress(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint p);
    void surfaceMove(Qt::KeyboardModifiers shift, QPoint p);
    void surfaceRelease(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint p);
    void surfaceWheel(QPoint p, double notches);
    void paintSurface(QPainter& painter);

    QPoint toDevice(const QPointF& logical) const;
    void updateSurfaceSize();
    void fitAfterAdding(bool first);
    void render();
    // A finished rendering: the image and the view it shows.
    void showImage(QImage image, const TViewState& view);
    void scheduleRender();
    void updateCursor();

    TCoordinateTranslator translator_;
    bool pointerApproximate_ = false;
    TViewport viewport_;
    TGeoPaintBox* paintBox_;  // child widget, owned by Qt's parent chain
    QImage image_;
    TViewState imageView_;  // the view Image was rendered with
    bool noImage_ = true;   // the last rendering asked for gives no image (none asked, or an empty surface)
    TGeoPoint extentMin_ = EmptyBoxMin(), extentMax_ = EmptyBoxMax();
    double devicePixelRatio_ = 1;

    TOperationMode operationMode_ = TOperationMode::omZoomRect;
    TCoordsFormat coordsFormat_ = TCoordsFormat::cfGeodeticWGS;
    TCentreAddress centre_;
    std::string pointedAttribs_;
    double dispScale_ = 0;

    TGestureState gesture_ = TGestureState::gsIdle;
    QPoint downPoint_, dragStart_, dragCentre_, lastPoint_;
    TGeoPoint2D downWorld_;

    QTimer settle_;
    bool renderPending_ = false;  // View differs from imageView_ until the settle timer renders
    bool resizePending_ = false;  // OnResize waits for that render
    int renderCount_ = 0;
    // Last, so that it stops before the rest goes; Image waits for it.
    mutable RenderWorker renderer_;
};
