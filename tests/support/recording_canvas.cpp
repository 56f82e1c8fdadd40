#include "support/recording_canvas.h"

namespace testsupport {

CanvasCall& RecordingCanvas::record(CanvasCall::Kind kind, std::vector<TScreenPoint> points) {
    calls.push_back(CanvasCall{kind, Pen, Brush, Font, std::move(points), 0, {}});
    return calls.back();
}

void RecordingCanvas::Polyline(std::span<const TScreenPoint> points) {
    record(CanvasCall::Kind::Polyline, {points.begin(), points.end()});
}

void RecordingCanvas::Polygon(std::span<const TScreenPoint> points) {
    record(CanvasCall::Kind::Polygon, {points.begin(), points.end()});
}

void RecordingCanvas::Line(TScreenPoint from, TScreenPoint to) { record(CanvasCall::Kind::Line, {from, to}); }

void RecordingCanvas::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    record(CanvasCall::Kind::Rectangle, {{left, top}, {right, bottom}});
}

void RecordingCanvas::SetPixel(int32_t x, int32_t y, TColor color) {
    record(CanvasCall::Kind::Pixel, {{x, y}}).color = color;
}

void RecordingCanvas::TextOutBottomCentre(TScreenPoint at, const std::string& text) {
    record(CanvasCall::Kind::Text, {at}).text = text;
}

std::vector<CanvasCall> RecordingCanvas::of(CanvasCall::Kind kind) const {
    std::vector<CanvasCall> out;
    for (const CanvasCall& c : calls)
        if (c.kind == kind) out.push_back(c);
    return out;
}

}  // namespace testsupport
