#pragma once
// A canvas that draws nothing and keeps every call, with its device
// coordinates and the pen, brush, font and text colours in force, so that
// tests can read what a drawing routine did.
#include "platform/Canvas.h"

#include <string>
#include <vector>

class RecordingCanvas : public Canvas {
public:
    enum class Op {
        SelectPen, ReleasePen, SelectBrush, ReleaseBrush, SelectFont, ReleaseFont,
        MoveTo, LineTo, Polyline, Polygon, Rectangle, Ellipse, Arc, TextOut, StretchDraw
    };

    struct Call {
        Op op;
        // MoveTo: the point; LineTo: from, to; Polyline/Polygon: the
        // vertices; Arc: start, end; TextOut: the anchor.
        std::vector<CanvasPoint> points;
        CanvasRect box;        // Rectangle, Ellipse, Arc, StretchDraw
        std::string text;      // TextOut, Windows-1252
        unsigned align = 0;    // TextOut, TextAlign flags
        CanvasPen pen;         // in force at the call (after it, for Select/Release)
        CanvasBrush brush;
        CanvasFont font;
        CanvasColor textColor = 0;
        CanvasColor backgroundColor = 0;
        BackgroundMode backgroundMode = BackgroundMode::Opaque;
        PolyFillMode fillMode = PolyFillMode::Alternate;
        const Metafile* metafile = nullptr; // StretchDraw
    };

    const std::vector<Call>& Calls() const { return calls_; }
    // The calls of one kind, in order.
    std::vector<Call> CallsOf(Op op) const;
    void Clear() { calls_.clear(); }

    // A fixed stand-in for font metrics: every character is half the font's
    // height wide, the cell as tall as the height.
    CanvasSize TextExtent(std::string_view text) const override;

protected:
    void OnStateChange(StateChange change) override;
    void DoMoveTo(CanvasPoint p) override;
    void DoLine(CanvasPoint from, CanvasPoint to) override;
    void DoPolyline(const std::vector<CanvasPoint>& points) override;
    void DoPolygon(const std::vector<CanvasPoint>& points) override;
    void DoRectangle(const CanvasRect& box) override;
    void DoEllipse(const CanvasRect& box) override;
    void DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) override;
    void DoTextOut(CanvasPoint at, std::string_view text, unsigned align) override;
    void DoStretchDraw(const Metafile& metafile, const CanvasRect& box) override;

private:
    Call& Add(Op op);
    std::vector<Call> calls_;
};
