// The map panel's gestures on its paint surface, the wheel and the keys, and
// the painting of the surface: the last image (transformed while a newer view
// waits for its render, shifted during a drag) and the rubber band over it.
#include <QKeyEvent>
#include <QPainter>
#include <QTransform>
#include <cmath>
#include <cstdlib>

#include "base/rounding.h"
#include "view_qt/geo_panel.h"
#include "view_qt/grab_cursor.h"
#include "view_qt/paint_box.h"
#include "render/qpainter_canvas.h"

namespace {

constexpr int kBandMinimum = 2;  // pixels a band must exceed on both axes to zoom

// Maps the pixels of an image rendered with view `from` onto the surface of view `to`.
QTransform imageToView(const TViewState& from, const TViewState& to) {
    if (from.ScaleX == 0) return {};
    const double k = to.ScaleX / from.ScaleX;
    return QTransform(k, 0, 0, k, (from.MinX - to.MinX) * to.ScaleX, (to.MaxY - from.MaxY) * to.ScaleY);
}

bool sameView(const TViewState& a, const TViewState& b) {
    return a.ScaleX == b.ScaleX && a.MinX == b.MinX && a.MaxY == b.MaxY;
}

}  // namespace

void TGeoPanel::surfacePress(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint p) {
    downPoint_ = p;
    downWorld_ = ScreenToWorld(p.x(), p.y());
    if (button == Qt::LeftButton) {
        dragStart_ = p;
        dragCentre_ = QPoint(rounding::toInt32(viewport_.Width / 2.0), rounding::toInt32(viewport_.Height / 2.0));
        lastPoint_ = p;
        switch (operationMode_) {
            case TOperationMode::omMoveDrag: gesture_ = TGestureState::gsMoveDrag; break;
            case TOperationMode::omSelectPoint: gesture_ = TGestureState::gsSelectPoint; break;
            case TOperationMode::omZoomRect: gesture_ = TGestureState::gsZoomRect; break;
        }
        paintBox_->update();
    }
    emit OnMouseDown(paintBox_, button, shift, p.x(), p.y(), downWorld_.X, downWorld_.Y);
}

void TGeoPanel::surfaceMove(Qt::KeyboardModifiers shift, QPoint p) {
    if (!DataLoaded()) return;
    TGeoPoint2D w = ScreenToWorld(p.x(), p.y());
    pointerApproximate_ = false;
    if (GetSourceFormat() != TCoordsFormat::cfCartesian && coordsFormat_ != TCoordsFormat::cfCartesian)
        w = translator_.TryTransform(w, pointerApproximate_).value_or(w);
    updateCursor();
    if (gesture_ == TGestureState::gsMoveDrag || gesture_ == TGestureState::gsZoomRect) {
        lastPoint_ = p;
        paintBox_->update();
    }
    emit OnMouseMove(paintBox_, shift, p.x(), p.y(), w.X, w.Y);
}

void TGeoPanel::surfaceRelease(Qt::MouseButton button, Qt::KeyboardModifiers shift, QPoint p) {
    const TGeoPoint2D r = ScreenToWorld(p.x(), p.y());
    const double tolerance = std::fabs(ScreenToWorld(0, SelectSize).Y - ScreenToWorld(0, 0).Y);
    const TGestureState state = gesture_;
    gesture_ = TGestureState::gsIdle;
    paintBox_->update();  // the band or the shifted image goes
    switch (state) {
        case TGestureState::gsMoveDrag: {
            const TGeoPoint2D c = ScreenToWorld(dragStart_.x() - p.x() + dragCentre_.x(),
                                                dragStart_.y() - p.y() + dragCentre_.y());
            CentreOn(c.X, c.Y);
            break;
        }
        case TGestureState::gsSelectPoint:
            if (const TKDKObject* map = MapObject()) {
                const TGeoPoint2D at = ScreenToWorld(downPoint_.x(), downPoint_.y());  // the press point
                pointedAttribs_ = PointedDetails(*map, MakePoint(at.X, at.Y, 0), tolerance);
            }
            break;
        case TGestureState::gsZoomRect:
            // The band's moving corner is the last move, not the release.
            if (std::abs(downPoint_.x() - lastPoint_.x()) > kBandMinimum &&
                std::abs(downPoint_.y() - lastPoint_.y()) > kBandMinimum) {
                const int left = std::min(downPoint_.x(), lastPoint_.x());
                const int right = std::max(downPoint_.x(), lastPoint_.x());
                const int top = std::min(downPoint_.y(), lastPoint_.y());
                const int bottom = std::max(downPoint_.y(), lastPoint_.y());
                const TGeoPoint2D a = ScreenToWorld(left, top), b = ScreenToWorld(right, bottom);
                ZoomToBox(a.X, b.X, b.Y, a.Y);
                Redraw();
            }
            break;
        case TGestureState::gsIdle: break;
    }
    emit OnMouseUp(paintBox_, button, shift, p.x(), p.y(), r.X, r.Y);
}

void TGeoPanel::surfaceWheel(QPoint p, double notches) {
    if (!DataLoaded()) return;
    viewport_.ZoomAbout(std::pow(ZoomFactor(), notches), p.x(), p.y());
    scheduleRender();
}

void TGeoPanel::keyPressEvent(QKeyEvent* e) {
    const TViewState& v = viewport_.View;
    const double quarterX = (v.MaxX - v.MinX) / 4, quarterY = (v.MaxY - v.MinY) / 4;
    switch (e->key()) {
        case Qt::Key_Left: CentreOn(v.CenterX - quarterX, v.CenterY); break;
        case Qt::Key_Right: CentreOn(v.CenterX + quarterX, v.CenterY); break;
        case Qt::Key_Up: CentreOn(v.CenterX, v.CenterY + quarterY); break;
        case Qt::Key_Down: CentreOn(v.CenterX, v.CenterY - quarterY); break;
        case Qt::Key_Plus:
        case Qt::Key_Equal: ZoomIn(); break;
        case Qt::Key_Minus: ZoomOut(); break;
        case Qt::Key_Home: ZoomReset(); break;
        default: QFrame::keyPressEvent(e); return;
    }
    e->accept();
}

void TGeoPanel::updateCursor() {
    switch (operationMode_) {
        case TOperationMode::omZoomRect: paintBox_->setCursor(Qt::CrossCursor); break;
        case TOperationMode::omMoveDrag: paintBox_->setCursor(GrabHandCursor()); break;
        case TOperationMode::omSelectPoint: paintBox_->setCursor(Qt::ArrowCursor); break;
    }
}

void TGeoPanel::paintSurface(QPainter& painter) {
    // Device pixels from here on, as Image and the gesture points are.
    painter.scale(1 / devicePixelRatio_, 1 / devicePixelRatio_);
    const QRect surface(0, 0, viewport_.Width, viewport_.Height);
    QTransform shown = sameView(imageView_, viewport_.View) ? QTransform() : imageToView(imageView_, viewport_.View);
    if (gesture_ == TGestureState::gsMoveDrag)
        shown *= QTransform::fromTranslate(lastPoint_.x() - dragStart_.x(), lastPoint_.y() - dragStart_.y());
    if (shown.isIdentity() && image_.size() == surface.size()) {
        painter.drawImage(0, 0, image_);
    } else {
        painter.fillRect(surface, ToQColor(ClientAreaColor));
        painter.save();
        painter.setTransform(shown, true);
        painter.drawImage(0, 0, image_);
        painter.restore();
    }
    if (gesture_ == TGestureState::gsZoomRect) {
        // Not-xor: the band shows on any colour and never needs the map redrawn.
        QPainterCanvas canvas(painter);
        canvas.Pen = {0x0000FF, TPenStyle::psDashDotDot, 1, TPenMode::pmNotXor};
        canvas.Brush.Style = TBrushStyle::bsClear;
        canvas.Rectangle(downPoint_.x(), downPoint_.y(), lastPoint_.x(), lastPoint_.y());
    }
    emit OnRePaint(this);
}
