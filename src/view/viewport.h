#pragma once
// The map panel's navigation without its widget: the transform between world
// metres and screen pixels, fitting, zooming, centring, the zoom limits and
// the display scale. The panel owns one and redraws after the operations that
// change the view.
#include "geometry/geo_point.h"
#include "drawing/world_to_screen.h"

// Pixels per world metre, the world box the surface shows (left, right,
// bottom, top) and its centre. The operations keep ScaleX equal to ScaleY.
struct TViewState {
    double ScaleX = 0, ScaleY = 0;
    double MinX = 0, MaxX = 0, MinY = 0, MaxY = 0;
    double CenterX = 0, CenterY = 0;
};

// Screen y grows downward, so world north is up; halves round to even.
TScreenPoint WorldToScreen(const TViewState& view, const TGeoPoint& p);
TGeoPoint2D ScreenToWorld(const TViewState& view, double x, double y);

class TViewport {
public:
    TViewState View;      // the transform in use
    TViewState HomeView;  // the transform showing the whole data extent
    int Width = 0, Height = 0;     // surface size in pixels
    double PixelsPerInch = 96;     // the screen's logical resolution
    double ZoomFactor = 1.25;
    double ZoomInLimit = 1.0;      // largest scale, as a denominator; 0: no limit
    double ZoomOutLimit = 1000000.0;  // smallest scale, as a denominator; 0: no limit

    TScreenPoint WorldToScreen(const TGeoPoint& p) const { return ::WorldToScreen(View, p); }
    TGeoPoint2D ScreenToWorld(double x, double y) const { return ::ScreenToWorld(View, x, y); }
    // The callback for drawing: a copy of the current View's transform.
    TWorldToScreenFunc ToScreen() const;

    // Keeps the scale pair between the zoom limits (judged by sx).
    void ClampScale(double& sx, double& sy) const;
    // Sets HomeView and View so that the box fits a square of the smaller surface side.
    void FitExtent(double minX, double maxX, double minY, double maxY);
    // Sets View so that the box's smaller side fills the smaller surface side.
    void ZoomToBox(double minX, double maxX, double minY, double maxY);
    // Divides the scale by the factor about the centre. The panel does nothing without data.
    void ZoomBy(double factor);
    void ZoomIn() { ZoomBy(1 / ZoomFactor); }
    void ZoomOut() { ZoomBy(ZoomFactor); }
    void ZoomReset();
    // Multiplies the scale by the factor (clamped) so that the world point under
    // the surface pixel (x, y) stays under it.
    void ZoomAbout(double factor, double x, double y);
    // Moves the centre, keeping the box's world size.
    void CentreOn(double x, double y);
    // A new surface size: the scale and the centre stay, HomeView fits the new size.
    void Resize(int width, int height, const TGeoPoint& extentMin, const TGeoPoint& extentMax);

    TGeoPoint2D GetViewMin() const { return {View.MinX, View.MinY}; }
    TGeoPoint2D GetViewMax() const { return {View.MaxX, View.MaxY}; }
    // The denominator of the display scale 1:N at PixelsPerInch; 0 for an empty surface.
    double DispScale() const;

private:
    // The clamped scale at which the box fits a square of the smaller surface
    // side (whole) or its smaller side fills that square.
    double boxScale(double minX, double maxX, double minY, double maxY, bool whole) const;
    void placeAround(TViewState& v, double cx, double cy, double pixelWidth, double pixelHeight,
                     double scale) const;
};
