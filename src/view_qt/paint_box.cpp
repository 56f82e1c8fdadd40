#include "view_qt/paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "view_qt/geo_panel.h"

namespace {
constexpr double kWheelNotch = 120;  // angle delta of one notch (eighths of a degree)
}

TGeoPaintBox::TGeoPaintBox(TGeoPanel& panel) : QWidget(&panel), panel_(panel) {
    setMouseTracking(true);  // moves without a button report the pointer's position
    setAttribute(Qt::WA_OpaquePaintEvent);  // every paint covers the whole surface
    setFocusProxy(&panel);
}

void TGeoPaintBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    panel_.paintSurface(painter);
}

void TGeoPaintBox::mousePressEvent(QMouseEvent* e) {
    panel_.surfacePress(e->button(), e->modifiers(), panel_.toDevice(e->position()));
}

void TGeoPaintBox::mouseMoveEvent(QMouseEvent* e) {
    panel_.surfaceMove(e->modifiers(), panel_.toDevice(e->position()));
}

void TGeoPaintBox::mouseReleaseEvent(QMouseEvent* e) {
    panel_.surfaceRelease(e->button(), e->modifiers(), panel_.toDevice(e->position()));
}

void TGeoPaintBox::mouseDoubleClickEvent(QMouseEvent* e) {
    // Qt sends press, release, double-click, release: the second press is the double-click.
    panel_.surfacePress(e->button(), e->modifiers(), panel_.toDevice(e->position()));
    emit panel_.OnDblClick(&panel_);
}

void TGeoPaintBox::wheelEvent(QWheelEvent* e) {
    // High-resolution wheels and touchpads send fractions of a notch.
    double notches = e->angleDelta().y() / kWheelNotch;
    if (notches == 0 && !e->pixelDelta().isNull()) notches = e->pixelDelta().y() / kWheelNotch;
    if (notches != 0) panel_.surfaceWheel(panel_.toDevice(e->position()), notches);
    e->accept();
}
