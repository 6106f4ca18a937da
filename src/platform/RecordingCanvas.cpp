#include "platform/RecordingCanvas.h"

#include <cstdlib>

std::vector<RecordingCanvas::Call> RecordingCanvas::CallsOf(Op op) const {
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.op == op) out.push_back(c);
    return out;
}

CanvasSize RecordingCanvas::TextExtent(std::string_view text) const {
    const int h = std::abs(CurrentFont().height);
    return {int(text.size()) * h / 2, h};
}

RecordingCanvas::Call& RecordingCanvas::Add(Op op) {
    Call c;
    c.op = op;
    c.pen = CurrentPen();
    c.brush = CurrentBrush();
    c.font = CurrentFont();
    c.textColor = TextColor();
    c.backgroundColor = BackgroundColor();
    c.backgroundMode = Background();
    c.fillMode = FillMode();
    calls_.push_back(std::move(c));
    return calls_.back();
}

void RecordingCanvas::OnStateChange(StateChange change) {
    switch (change) {
    case StateChange::SelectPen: Add(Op::SelectPen); break;
    case StateChange::ReleasePen: Add(Op::ReleasePen); break;
    case StateChange::SelectBrush: Add(Op::SelectBrush); break;
    case StateChange::ReleaseBrush: Add(Op::ReleaseBrush); break;
    case StateChange::SelectFont: Add(Op::SelectFont); break;
    case StateChange::ReleaseFont: Add(Op::ReleaseFont); break;
    }
}

void RecordingCanvas::DoMoveTo(CanvasPoint p) { Add(Op::MoveTo).points = {p}; }

void RecordingCanvas::DoLine(CanvasPoint from, CanvasPoint to) { Add(Op::LineTo).points = {from, to}; }

void RecordingCanvas::DoPolyline(const std::vector<CanvasPoint>& points) { Add(Op::Polyline).points = points; }

void RecordingCanvas::DoPolygon(const std::vector<CanvasPoint>& points) { Add(Op::Polygon).points = points; }

void RecordingCanvas::DoRectangle(const CanvasRect& box) { Add(Op::Rectangle).box = box; }

void RecordingCanvas::DoEllipse(const CanvasRect& box) { Add(Op::Ellipse).box = box; }

void RecordingCanvas::DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) {
    Call& c = Add(Op::Arc);
    c.box = box;
    c.points = {start, end};
}

void RecordingCanvas::DoTextOut(CanvasPoint at, std::string_view text, unsigned align) {
    Call& c = Add(Op::TextOut);
    c.points = {at};
    c.text = std::string(text);
    c.align = align;
}

void RecordingCanvas::DoStretchDraw(const Metafile& metafile, const CanvasRect& box) {
    Call& c = Add(Op::StretchDraw);
    c.box = box;
    c.metafile = &metafile;
}
