// The map panel's data, navigation and rendering. The gestures, wheel, keys
// and painting are in geo_panel_input.cpp.
#include "view_qt/geo_panel.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <cmath>

#include "base/sjis.h"
#include "reading/map_loading.h"
#include "render/map_renderer.h"
#include "render/qpainter_canvas.h"
#include "view_qt/paint_box.h"

TGeoPanel::TGeoPanel(QWidget* parent) : TGeoPanel(std::make_shared<MapDocument>(), parent) {}

TGeoPanel::TGeoPanel(std::shared_ptr<MapDocument> document, QWidget* parent)
    : QFrame(parent),
      document_(std::move(document)),
      ViewMode(document_->Display.ViewMode),
      ErrorList(document_->ErrorList),
      SelectedFeatures(document_->SelectedFeatures),
      Marks(document_->Marks),
      paintBox_(new TGeoPaintBox(*this)),
      renderer_([this](QImage image, const TViewState& view) { showImage(std::move(image), view); },
          [this] { emit OnRendered(this); }) {
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
    if (!DataLoaded()) return;
    viewport_.ZoomBy(factor);
    Redraw();
}

void TGeoPanel::ZoomReset() {
    viewport_.View = viewport_.HomeView;
    ZoomBy(1);
}

void TGeoPanel::CentreOn(double x, double y) {
    if (!DataLoaded()) return;
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

void TGeoPanel::AddFailedMesh(std::unique_ptr<TKDKObject> mesh) { document_->AddFailedMesh(std::move(mesh)); }

void TGeoPanel::AddMesh(std::unique_ptr<TKDKObject> mesh) {
    // Merging needs the only reference to the map: a rendering still reading it ends first.
    if (DataLoaded()) renderer_.Finish();
    fitAfterAdding(document_->AddMesh(std::move(mesh)));
}

void TGeoPanel::fitAfterAdding(bool first) {
    const TKDKObject& map = *document_->Map();
    if (first) translator_.SetSource(map.SourceFormat);
    extentMin_ = MakePoint(map.SouthWest.X, map.SouthWest.Y, 0);
    extentMax_ = MakePoint(map.NorthEast.X, map.NorthEast.Y, 0);
    FitExtent(extentMin_.X, extentMax_.X, extentMin_.Y, extentMax_.Y);
}

void TGeoPanel::CloseData() {
    document_->Close();
    extentMin_ = EmptyBoxMin();
    extentMax_ = EmptyBoxMax();
    centre_ = {};
    Redraw();
}

int TGeoPanel::SearchAttrib(int major, int minor, bool useRegex, const std::string& text) {
    return document_->SearchAttrib(major, minor, useRegex, text);
}

void TGeoPanel::ClearSelected() {
    if (document_->ClearSelected()) Redraw();
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

bool TGeoPanel::GetCategoryVisible(int major) const { return document_->CategoryVisible(major); }

bool TGeoPanel::SetCategoryVisible(int major, bool on) { return document_->SetCategoryVisible(major, on); }

TCoordsFormat TGeoPanel::GetSourceFormat() const { return document_->SourceFormat(); }

// --- rendering

void TGeoPanel::Redraw() {
    try {
        render();
    } catch (...) {
        emit OnPaint(this);
        throw;
    }
    emit OnPaint(this);
}

void TGeoPanel::render() {
    renderer_.Request(Snapshot());
    noImage_ = viewport_.Width <= 0 || viewport_.Height <= 0;
    renderPending_ = false;
    ++renderCount_;
    const TKDKObject* map = document_->Map();
    centre_ = map ? CentreAddress(*map, MakePoint(viewport_.View.CenterX, viewport_.View.CenterY, 0))
                  : TCentreAddress{};
    dispScale_ = viewport_.DispScale();
}

void TGeoPanel::showImage(QImage image, const TViewState& view) {
    image_ = std::move(image);
    imageView_ = view;
    paintBox_->update();
}

const QImage& TGeoPanel::Image() const {
    renderer_.Finish();
    return image_;
}

MapSnapshot TGeoPanel::Snapshot() const {
    return SnapshotOf(*document_, viewport_, {SelectColor, SelectPenStyle, SelectPenWidth, SelectBrushStyle});
}

TGeoPoint2D TGeoPanel::WorldAtPanelPos(const QPoint& pos) const {
    const QPoint device = toDevice(paintBox_->mapFrom(this, pos));
    return ScreenToWorld(device.x(), device.y());
}

QByteArray TGeoPanel::SvgPicture() {
    const QString title = QString::fromStdString(sjis::toUtf8(CenterPrefName() + CenterCityName() + CenterChome()));
    return SvgBytes(Snapshot(), {ToQColor(ClientAreaColor), title, QStringLiteral("Orvelle")});
}

void TGeoPanel::CopyToClipboard() {
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("image/svg+xml"), SvgPicture());
    QGuiApplication::clipboard()->setMimeData(mime);  // the clipboard owns it
}

void TGeoPanel::DrawTo(QPainter& painter, const QRect& rect, double scale, double centreX, double centreY) {
    DrawMapInRect(painter, rect, Snapshot(), {scale, centreX, centreY});
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
    if (noImage_) {
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
        emit OnResize(this);
    }
}
