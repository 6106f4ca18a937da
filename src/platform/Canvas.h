#pragma once
// The drawing surface, in device units (screen pixels, printer dots, SVG or
// PNG pixels), with the device-context conventions the program's drawing
// code is written for:
// - X grows to the right, Y downwards; coordinates are integers.
// - Colours are the program's numbers 0x00BBGGRR (red in the low byte).
// - Exactly one pen, one brush and one font are current. Select makes a new
//   one current and keeps the previous one; Release restores the previous
//   one. Every Select is paired with its Release: the canvas counts what is
//   still selected and the releases that had nothing to release, and tests
//   check both are zero after a drawing.
// - Rectangle and Ellipse outline their box with the current pen and fill it
//   with the current brush.
// - Arc draws part of the ellipse inscribed in a box, counter-clockwise as
//   seen on the device (Y down), from the point where the ray from the
//   box's centre through `start` meets the ellipse to the point where the
//   ray through `end` meets it. start == end draws the whole ellipse.
// - TextOut places Windows-1252 text at a point according to the alignment
//   flags (the device-context values: left 0, right 2, centre 6; top 0,
//   bottom 8, baseline 24), in the text colour; an opaque background mode
//   fills the text's cell with the background colour first.
// No Qt here: the recording canvas and the metafile writer live without it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using CanvasColor = std::uint32_t; // 0x00BBGGRR

constexpr CanvasColor CanvasRgb(int r, int g, int b) {
    return CanvasColor(r & 0xFF) | (CanvasColor(g & 0xFF) << 8) | (CanvasColor(b & 0xFF) << 16);
}
constexpr int RedOf(CanvasColor c) { return int(c & 0xFF); }
constexpr int GreenOf(CanvasColor c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(CanvasColor c) { return int((c >> 16) & 0xFF); }

struct CanvasPoint {
    int x = 0; // device units
    int y = 0; // device units, downwards
    friend bool operator==(const CanvasPoint&, const CanvasPoint&) = default;
};

struct CanvasSize {
    int cx = 0; // device units
    int cy = 0; // device units
    friend bool operator==(const CanvasSize&, const CanvasSize&) = default;
};

// A box by its edges; right and bottom are one past the last unit covered.
struct CanvasRect {
    int left = 0, top = 0, right = 0, bottom = 0; // device units
    friend bool operator==(const CanvasRect&, const CanvasRect&) = default;
};

enum class PenStyle { Solid, Dash, Dot, Null };

struct CanvasPen {
    int width = 0;             // device units; 0 draws one unit wide
    CanvasColor color = 0;     // 0x00BBGGRR
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const CanvasPen&, const CanvasPen&) = default;
};

enum class BrushStyle { Solid, Null };

struct CanvasBrush {
    CanvasColor color = 0xFFFFFF; // 0x00BBGGRR
    BrushStyle style = BrushStyle::Solid;
    friend bool operator==(const CanvasBrush&, const CanvasBrush&) = default;
};

// Fonts are always of the Windows-1252 (ANSI) character set.
struct CanvasFont {
    std::string face = "Arial"; // face name as the program spells it
    // Device units, the device-context convention: positive is the height of
    // the cell (ascent plus descent), negative the character height (em).
    int height = 16;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const CanvasFont&, const CanvasFont&) = default;
};

// Text alignment flags; one horizontal and one vertical value, or'ed.
namespace TextAlign {
constexpr unsigned Left = 0, Right = 2, Center = 6, HorizontalMask = 6;
constexpr unsigned Top = 0, Bottom = 8, Baseline = 24, VerticalMask = 24;
} // namespace TextAlign

enum class BackgroundMode { Transparent = 1, Opaque = 2 };

// How a polygon's inside is found where its edges cross: alternate (even-odd,
// a device context's default) or winding (non-zero).
enum class PolyFillMode { Alternate = 1, Winding = 2 };

// A metafile to be stretched onto a canvas; defined with the metafile
// reader and writer (platform/Emf.h).
class Metafile;

// The installed family that renders a face name of the program: "Arial" and
// "Courier" (and "Courier New", "Times New Roman") become the
// metric-compatible Liberation fonts; other names are kept. Letter case is
// ignored.
std::string ResolveFontFace(std::string_view face);

// Arc geometry in the convention of Canvas::Arc: the angle of the start
// point and the sweep, both in degrees counter-clockwise on the device,
// measured as parameters of the ellipse (the angle on the circle the box's
// ellipse is stretched from). 0 < sweep <= 360; 360 for start == end.
struct ArcAngles {
    double startDegrees = 0; // 0..360, 0 at the right end of the box's horizontal axis
    double sweepDegrees = 0; // (0, 360]
};
ArcAngles ArcAnglesOf(const CanvasRect& box, CanvasPoint start, CanvasPoint end);

class Canvas {
public:
    Canvas();
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Drawing objects. Select makes the object current; Release restores the
    // one that was current before the matching Select. A Release with
    // nothing selected changes nothing and is counted as stray.
    void SelectPen(const CanvasPen& pen);
    void ReleasePen();
    void SelectBrush(const CanvasBrush& brush);
    void ReleaseBrush();
    void SelectFont(const CanvasFont& font);
    void ReleaseFont();

    const CanvasPen& CurrentPen() const { return pens_.back(); }
    const CanvasBrush& CurrentBrush() const { return brushes_.back(); }
    const CanvasFont& CurrentFont() const { return fonts_.back(); }
    // True while no brush is selected: the stock brush is current.
    bool StockBrush() const { return brushes_.size() == 1; }

    // Selections not yet released, of every kind, and releases that had
    // nothing to release; both 0 when every Select met its Release.
    int OpenSelections() const;
    int StrayReleases() const { return strayReleases_; }
    bool SelectionsBalanced() const { return OpenSelections() == 0 && strayReleases_ == 0; }

    // Text state.
    void SetTextColor(CanvasColor color) { textColor_ = color; }
    void SetBackgroundColor(CanvasColor color) { backgroundColor_ = color; }
    void SetBackgroundMode(BackgroundMode mode) { backgroundMode_ = mode; }
    void SetPolyFillMode(PolyFillMode mode) { fillMode_ = mode; }
    PolyFillMode FillMode() const { return fillMode_; }
    CanvasColor TextColor() const { return textColor_; }
    CanvasColor BackgroundColor() const { return backgroundColor_; }
    BackgroundMode Background() const { return backgroundMode_; }

    // Lines. LineTo draws from the current point and moves it; Polyline
    // neither uses nor moves it.
    void MoveTo(CanvasPoint p);
    void LineTo(CanvasPoint p);
    CanvasPoint CurrentPoint() const { return position_; }
    void Polyline(const std::vector<CanvasPoint>& points);

    // Outlined with the pen and filled with the brush.
    void Polygon(const std::vector<CanvasPoint>& points);
    void Rectangle(const CanvasRect& box);
    void Ellipse(const CanvasRect& box);

    // Outline only, see the conventions above.
    void Arc(const CanvasRect& box, CanvasPoint start, CanvasPoint end);

    // Text in the current font; alignment flags from TextAlign.
    void TextOut(CanvasPoint at, std::string_view text,
                 unsigned align = TextAlign::Left | TextAlign::Top);
    // Width and cell height of the text in the current font.
    virtual CanvasSize TextExtent(std::string_view text) const = 0;

    // Plays a metafile with the picture's bounds stretched into the box
    // (Emf::Play), drawing its records through this canvas. The backend is
    // told of the call first (the recording canvas keeps it).
    void StretchDraw(const Metafile& metafile, const CanvasRect& box);

protected:
    // What the backends draw, with the state already in place: the current
    // pen, brush, font and text colours are those to use.
    enum class StateChange { SelectPen, ReleasePen, SelectBrush, ReleaseBrush, SelectFont, ReleaseFont };
    virtual void OnStateChange(StateChange change) {}
    virtual void DoMoveTo(CanvasPoint p) {}
    virtual void DoLine(CanvasPoint from, CanvasPoint to) = 0;
    virtual void DoPolyline(const std::vector<CanvasPoint>& points) = 0;
    virtual void DoPolygon(const std::vector<CanvasPoint>& points) = 0;
    virtual void DoRectangle(const CanvasRect& box) = 0;
    virtual void DoEllipse(const CanvasRect& box) = 0;
    virtual void DoArc(const CanvasRect& box, CanvasPoint start, CanvasPoint end) = 0;
    virtual void DoTextOut(CanvasPoint at, std::string_view text, unsigned align) = 0;
    // Before the playback; the playback itself comes through the calls above.
    virtual void DoStretchDraw(const Metafile& metafile, const CanvasRect& box) {}

private:
    // The first entry of each stack is the stock object a fresh device
    // context starts with: a black pen one unit wide, a white brush, Arial.
    std::vector<CanvasPen> pens_;
    std::vector<CanvasBrush> brushes_;
    std::vector<CanvasFont> fonts_;
    int strayReleases_ = 0;
    CanvasColor textColor_ = 0;
    CanvasColor backgroundColor_ = 0xFFFFFF;
    BackgroundMode backgroundMode_ = BackgroundMode::Opaque;
    PolyFillMode fillMode_ = PolyFillMode::Alternate;
    CanvasPoint position_;
};
