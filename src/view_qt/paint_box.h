#pragma once
// The map panel's child paint surface: it fills the panel, shows the panel's
// image with the gesture feedback, and hands its mouse events to the panel.
#include <QWidget>

class TGeoPanel;

class TGeoPaintBox : public QWidget {
public:
    explicit TGeoPaintBox(TGeoPanel& panel);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    TGeoPanel& panel_;
};
