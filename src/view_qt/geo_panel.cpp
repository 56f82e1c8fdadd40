// The map panel's data, navigation and rendering. The gestures, wheel, keys
// and painting are in geo_panel_input.cpp.
#include "view_qt/geo_panel.h"

#include <QBuffer>
#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "base/sjis.h"
#include "drawing/feature_drawing.h"
#include "reading/map_loading.h"
#include "view_qt/paint_box.h"
#include "view_qt/qpainter_canvas.h"
#include "view_qt/raster_canvas.h"

namespace {

constexpr double kMetresPerInch = 0.0254;

// Puts the saved view back when the drawing ends, also by an exception.
class ViewRestorer {
public:
    explicit ViewRestorer(TViewState& view) : view_(view), saved_(view) {}
    ~ViewRestorer() { view_ = saved_; }
    ViewRestorer(const ViewRestorer&) = delete;
    ViewRestorer& operator=(const ViewRestorer&) = delete;

private:
    TViewState& view_;
    TViewState saved_;
};

}  // namespace

TGeoPanel::TGeoPanel(QWidget* parent) : QFrame(parent), paintBox_(new TGeoPaintBox(*this)) {
    setFocusPolicy(Qt::StrongFocus);
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, [this] { FlushPendingRender(); });
}

TGeoPanel::~TGeoPanel() {
    delete paintBox_;  // the surface goes first, before the map it shows
    paintBox_ = nullptr;
}

void TGeoPanel::SetOperationMode(TOperationMode mode) { operationMode_ = mode; }

void TGeoPanel::SetCoordsFormat(TCoordsFormat format) {
    coordsFormat_ = format;
    translator_.SetTarget(format);
}

// --- navigation

void TGeoPanel::ZoomBy(double factor) {
    if (!map_) return;
    viewport_.ZoomBy(factor);
    Redraw();
}

void TGeoPanel::ZoomReset() {
    viewport_.View = viewport_.HomeView;
    ZoomBy(1);
}

void TGeoPanel::CentreOn(double x, double y) {
    if (!map_) return;
    viewport_.CentreOn(x, y);
    Redraw();
}

// --- data

void TGeoPanel::LoadMeshFile(const std::string& fsPath) {
    auto mesh = std::make_unique<TKDKObject>();
    try {
        ReadMeshOnItsOwn(*mesh, fsPath, ErrorList);
    } catch (...) {
        AddFailedMesh(std::move(mesh));
        throw;
    }
    AddMesh(std::move(mesh));
}

TKDKObject& TGeoPanel::exclusiveMap() {
    // A job reading the map on another thread holds a reference; writing now would race with it.
    Q_ASSERT(map_.use_count() == 1);
    return *map_;
}

void TGeoPanel::AddFailedMesh(std::unique_ptr<TKDKObject> mesh) {
    if (map_) return;  // a failing later mesh is dropped
    std::unique_ptr<TKDKObject> kept;
    ::AddFailedMesh(kept, std::move(mesh));
    map_ = std::move(kept);
    display_ = {};
}

void TGeoPanel::AddMesh(std::unique_ptr<TKDKObject> mesh) {
    const bool first = !map_;
    if (first) {
        map_ = std::move(mesh);
        display_ = {};
    } else {
        exclusiveMap().Merge(*mesh, ErrorList);
    }
    fitAfterAdding(first);
}

void TGeoPanel::fitAfterAdding(bool first) {
    if (first) translator_.SetSource(map_->SourceFormat);
    extentMin_ = MakePoint(map_->SouthWest.X, map_->SouthWest.Y, 0);
    extentMax_ = MakePoint(map_->NorthEast.X, map_->NorthEast.Y, 0);
    FitExtent(extentMin_.X, extentMax_.X, extentMin_.Y, extentMax_.Y);
    if (!map_->HasBlocks) ViewMode = TViewMode::vmNoGaiku;
}

void TGeoPanel::CloseData() {
    SelectedFeatures.clear();
    Marks = {};
    map_.reset();
    display_ = {};
    ErrorList.clear();
    extentMin_ = EmptyBoxMin();
    extentMax_ = EmptyBoxMax();
    centre_ = {};
    Redraw();
}

int TGeoPanel::SearchAttrib(int major, int minor, bool useRegex, const std::string& text) {
    if (!map_) return -1;
    std::vector<const TKDKElement*> found;
    const int count = ::SearchAttrib(*map_, major, minor, found, useRegex, text);
    SelectedFeatures.insert(SelectedFeatures.end(), found.begin(), found.end());
    return count;
}

void TGeoPanel::ClearSelected() {
    if (SelectedFeatures.empty()) return;
    SelectedFeatures.clear();
    Redraw();
}

bool TGeoPanel::ShowSelected(double margin, int index) {
    if (index < 0 || static_cast<size_t>(index) >= SelectedFeatures.size()) return false;
    const TKDKElement& feature = *SelectedFeatures[static_cast<size_t>(index)];
    const TFeatureKind kind = feature.FeatureKind;
    if (kind != TFeatureKind::Line && kind != TFeatureKind::Polygon && kind != TFeatureKind::Point) return false;
    const auto& placed = static_cast<const TKDKPlacedElement&>(feature);
    const TGeoPoint2D min = placed.BoundsMin, max = placed.BoundsMax;
    if (min.X > max.X || min.Y > max.Y) return false;  // a polygon whose outline was never read
    ZoomToBox(min.X - margin, max.X + margin, min.Y - margin, max.Y + margin);
    return true;
}

bool TGeoPanel::GetCategoryVisible(int major) const { return map_ && display_.CategoryVisible(major); }

bool TGeoPanel::SetCategoryVisible(int major, bool on) {
    const int i = CategoryIndex(major);
    if (!map_ || i < 0) return false;
    display_.CategoryShown[static_cast<size_t>(i)] = on;
    return true;
}

TCoordsFormat TGeoPanel::GetSourceFormat() const {
    return map_ ? map_->SourceFormat : TCoordsFormat::cfCartesian;
}

// --- rendering

void TGeoPanel::Redraw() {
    try {
        render();
    } catch (...) {
        if (OnPaint) OnPaint(this);
        throw;
    }
    if (OnPaint) OnPaint(this);
}

void TGeoPanel::render() {
    QImage image;
    if (viewport_.Width > 0 && viewport_.Height > 0) {
        image = QImage(viewport_.Width, viewport_.Height, QImage::Format_RGB32);
        image.fill(Qt::white);
        RasterCanvas canvas(image);
        DrawMap(canvas, GetViewMin(), GetViewMax(), true);
    }
    image_ = std::move(image);
    imageView_ = viewport_.View;
    renderPending_ = false;
    ++renderCount_;
    paintBox_->update();
    centre_ = map_ ? CentreAddress(*map_, MakePoint(viewport_.View.CenterX, viewport_.View.CenterY, 0))
                   : TCentreAddress{};
    dispScale_ = viewport_.DispScale();
}

void TGeoPanel::DrawMap(Canvas& canvas, const TGeoPoint2D& min, const TGeoPoint2D& max, bool withSelection) {
    if (!map_) return;
    const TWorldToScreenFunc toScreen = viewport_.ToScreen();
    TDisplayState state = display_;
    state.ViewMode = ViewMode;
    ::Draw(*map_, state, canvas, min, max, toScreen);
    if (withSelection) {
        for (const TKDKElement* feature : SelectedFeatures) {
            // Again for every feature: lines change the pen width, polygons the pen style.
            canvas.Pen.Color = SelectColor;
            canvas.Pen.Style = SelectPenStyle;
            canvas.Pen.Width = SelectPenWidth;
            canvas.Brush.Color = SelectColor;
            canvas.Brush.Style = SelectBrushStyle;
            DrawSelected(*feature, canvas, toScreen);
        }
    }
    DrawMarks(Marks, canvas, toScreen, drawToPpi_ > 0 ? drawToPpi_ : viewport_.PixelsPerInch);
}

TGeoPoint2D TGeoPanel::WorldAtPanelPos(const QPoint& pos) const {
    const QPoint device = toDevice(paintBox_->mapFrom(this, pos));
    return ScreenToWorld(device.x(), device.y());
}

QByteArray TGeoPanel::SvgPicture() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(QSize(viewport_.Width, viewport_.Height));
    svg.setViewBox(QRect(0, 0, viewport_.Width, viewport_.Height));
    svg.setResolution(static_cast<int>(std::lround(viewport_.PixelsPerInch)));
    svg.setTitle(QString::fromStdString(sjis::toUtf8(CenterPrefName() + CenterCityName() + CenterChome())));
    svg.setDescription(QStringLiteral("Orvelle"));
    QPainter painter;
    if (painter.begin(&svg)) {
        // The client area's colour under the map, as on the screen and on paper.
        painter.fillRect(0, 0, viewport_.Width, viewport_.Height, ToQColor(ClientAreaColor));
        QPainterCanvas canvas(painter);
        DrawMap(canvas, GetViewMin(), GetViewMax(), false);
        painter.end();
    }
    return buffer.data();
}

void TGeoPanel::CopyToClipboard() {
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), SvgPicture());
    QGuiApplication::clipboard()->setMimeData(mime);  // the clipboard owns it
}

void TGeoPanel::DrawTo(QPainter& painter, const QRect& rect, double scale, double centreX, double centreY) {
    ViewRestorer restore(viewport_.View);
    const double dpi = painter.device()->logicalDpiY();
    drawToPpi_ = dpi;
    struct PpiReset {
        double& ppi;
        ~PpiReset() { ppi = 0; }
    } ppiReset{drawToPpi_};
    const double s = dpi / kMetresPerInch / scale;
    TViewState& v = viewport_.View;
    v.ScaleX = v.ScaleY = s;
    v.CenterX = centreX;
    v.CenterY = centreY;
    v.MinX = centreX - rect.width() / 2.0 / s;
    v.MaxX = centreX + rect.width() / 2.0 / s;
    v.MinY = centreY - rect.height() / 2.0 / s;
    v.MaxY = centreY + rect.height() / 2.0 / s;
    painter.save();
    painter.translate(rect.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), rect.size()));
    try {
        QPainterCanvas canvas(painter);
        DrawMap(canvas, GetViewMin(), GetViewMax(), false);
    } catch (...) {
        painter.restore();
        throw;
    }
    painter.restore();
}

// --- surface size and deferred rendering

QPoint TGeoPanel::toDevice(const QPointF& logical) const {
    return QPoint(static_cast<int>(std::floor(logical.x() * devicePixelRatio_)),
                  static_cast<int>(std::floor(logical.y() * devicePixelRatio_)));
}

void TGeoPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    paintBox_->setGeometry(contentsRect());
    updateSurfaceSize();
}

bool TGeoPanel::event(QEvent* e) {
    const bool handled = QFrame::event(e);
    // Moved to a screen of another resolution: the same logical size has another device size.
    if (e->type() == QEvent::ScreenChangeInternal || e->type() == QEvent::Show) updateSurfaceSize();
    return handled;
}

void TGeoPanel::updateSurfaceSize() {
    devicePixelRatio_ = paintBox_->devicePixelRatioF();
    const double ppi = paintBox_->logicalDpiY() * devicePixelRatio_;
    const int width = static_cast<int>(std::lround(paintBox_->width() * devicePixelRatio_));
    const int height = static_cast<int>(std::lround(paintBox_->height() * devicePixelRatio_));
    if (width == viewport_.Width && height == viewport_.Height && ppi == viewport_.PixelsPerInch) return;
    viewport_.PixelsPerInch = ppi;
    viewport_.Resize(width, height, extentMin_, extentMax_);
    resizePending_ = true;
    if (image_.isNull()) {
        renderPending_ = true;
        FlushPendingRender();  // nothing to show transformed yet
        return;
    }
    scheduleRender();  // the last image, shifted, stands in until the size settles
}

// Shows the last image transformed to the new view at once; the sharp image
// follows when no further change came for kSettleMs.
void TGeoPanel::scheduleRender() {
    renderPending_ = true;
    paintBox_->update();
    settle_.start();
}

void TGeoPanel::FlushPendingRender() {
    settle_.stop();
    if (renderPending_) Redraw();
    if (resizePending_) {
        resizePending_ = false;
        if (OnResize) OnResize(this);
    }
}
