#include "chart/UnCanvaVlk.h"

#include "astro/Houses.h"
#include "core/Angles.h"
#include "platform/Emf.h"
#include "platform/HeldFile.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/LongitudeTexts.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <cmath>
#include <memory>
#include <utility>

namespace {

constexpr CanvasColor White = CanvasRgb(255, 255, 255);
constexpr CanvasColor Black = CanvasRgb(0, 0, 0);
constexpr CanvasColor Red = CanvasRgb(255, 0, 0);
constexpr CanvasColor Green = CanvasRgb(0, 255, 0);
constexpr CanvasColor Blue = CanvasRgb(0, 0, 255);
constexpr CanvasColor Cyan = CanvasRgb(0, 255, 255);
constexpr CanvasColor Magenta = CanvasRgb(255, 0, 255);
constexpr CanvasColor Yellow = CanvasRgb(255, 255, 0);

CanvasPoint Device(long double x, long double y) { return {DeviceX(x), DeviceY(y)}; }

CanvasRect DeviceBox(long double x1, long double y1, long double x2, long double y2)
{
    return {DeviceX(x1), DeviceY(y1), DeviceX(x2), DeviceY(y2)};
}

// ---- One target ---------------------------------------------------------

void PenOn(const DrawTarget& t, int code) { t.canvas->SelectPen(PenFor(code, t.kind)); }

int LinePenCode(int code, TargetKind kind)
{
    const bool screen = kind == TargetKind::Screen;
    if (code == 0)
        return screen ? 1 : 0;
    if (code == 10)
        return screen ? 17 : 10;
    return code;
}

// Text colour code 0: the contrary of the ground.
CanvasColor InkZero(TargetKind kind) { return GroundFor(kind) == Black ? White : Black; }

void FontOn(const DrawTarget& t, int code)
{
    t.canvas->SelectFont(FontFor(code));
    if (BlackWhite)
        t.canvas->SetTextColor(InkZero(t.kind));
}

// Runs a filled shape on one target. While the drawing code has selected no
// brush, the shape is filled with the target's ground rather than with the
// canvas's stock white brush; on paper the two agree and nothing is added.
template <typename Shape>
void FilledOn(const DrawTarget& t, Shape shape)
{
    Canvas& c = *t.canvas;
    const CanvasColor ground = GroundFor(t.kind);
    const bool grounded = c.StockBrush() && c.CurrentBrush() != CanvasBrush {ground, BrushStyle::Solid};
    if (grounded)
        c.SelectBrush({ground, BrushStyle::Solid});
    shape(c);
    if (grounded)
        c.ReleaseBrush();
}

void EllipseOn(const DrawTarget& t, long double cx, long double cy, long double r)
{
    FilledOn(t, [&](Canvas& c) { c.Ellipse(DeviceBox(cx - r, cy - r, cx + r, cy + r)); });
}

// A filled dot: the pen and the brush of one colour.
void DotOn(const DrawTarget& t, int penCode, CanvasColor fill, PagePoint c, long double r)
{
    PenOn(t, penCode);
    t.canvas->SelectBrush(BrushFor(fill, t.kind));
    EllipseOn(t, c.x, c.y, r);
    t.canvas->ReleaseBrush();
    t.canvas->ReleasePen();
}

void CircleOn(const DrawTarget& t, long double x, long double y, long double r)
{
    Canvas& c = *t.canvas;
    if (t.kind == TargetKind::Screen && ZoomFactor == 1) {
        const CanvasPoint p = Device(x + r, y);
        c.Arc(DeviceBox(x - r, y - r, x + r, y + r), p, p);
        return;
    }
    c.MoveTo(Device(x, y - r));
    for (int d = 5; d <= 360; d += 5)
        c.LineTo(Device(x + r * SinDeg(d), y - r * CosDeg(d)));
}

void LineOn(const DrawTarget& t, PagePoint a, PagePoint b)
{
    t.canvas->MoveTo(Device(a.x, a.y));
    t.canvas->LineTo(Device(b.x, b.y));
}

std::string Cut(std::string_view text) { return std::string(text.substr(0, kMaxTextLength)); }

void TextOn(const DrawTarget& t, std::string_view text, int fontCode, long double x, long double y, unsigned align)
{
    Canvas& c = *t.canvas;
    FontOn(t, fontCode);
    const BackgroundMode mode = c.Background();
    c.SetBackgroundMode(BackgroundMode::Transparent);
    c.TextOut(Device(x, y), Cut(text), align | TextAlign::Top);
    c.SetBackgroundMode(mode);
    c.ReleaseFont();
}

void Text(std::string_view text, int fontCode, long double x, long double y, unsigned align)
{
    for (const DrawTarget& t : DrawTargets())
        TextOn(t, text, fontCode, x, y, align);
}

// The pen of a glyph for a target: a table code, or the blue/cyan choice.
constexpr int kBlueOrCyan = -1;
int GlyphPen(int code, TargetKind kind)
{
    if (code == kBlueOrCyan)
        return kind == TargetKind::Screen ? 5 : 4;
    return code;
}

void StrokesOn(const DrawTarget& t, std::span<const std::int8_t> s, int penCode, int limit, long double x,
               long double y, long double size)
{
    const long double unit = size * 0.45L;
    const std::size_t pairs = s.size() / 2;
    auto at = [&](std::size_t i) {
        return PagePoint {x + s[2 * i] * unit, y + s[2 * i + 1] * unit};
    };
    auto separator = [&](std::size_t i) { return s[2 * i] == kPenUp; };
    PenOn(t, penCode);
    for (std::size_t i = 0; i < pairs && static_cast<long long>(2 * i + 1) < limit; ++i) {
        if (separator(i) || i + 1 >= pairs || separator(i + 1))
            continue;
        LineOn(t, at(i), at(i + 1));
    }
    t.canvas->ReleasePen();
}

std::string DegreeInSign(long double longitude) { return LongitudeDegText(1, Norm360(longitude)).substr(0, 6); }

// ---- Symbols --------------------------------------------------------------

int PlanetFileNumber(int body)
{
    switch (body) {
    case 8: return 11;
    case 9: return 13;
    case 10: return 14;
    case 11: return 15;
    default: return body;
    }
}

std::string_view Variant(TargetKind kind)
{
    if (!BlackWhite)
        return "";
    return kind == TargetKind::Paper ? "N" : "B";
}

template <typename NameOf>
void DrawSymbol(NameOf nameOf, long double size, long double x, long double y)
{
    if (!ChartForm || !ChartForm->FormVisible())
        return;
    // Every file is read before anything is drawn, so that a missing one
    // leaves all targets untouched. The files stay in memory between
    // drawings (a wheel draws 63 symbols), read again when one changes on
    // disk.
    std::vector<std::pair<DrawTarget, std::shared_ptr<const std::string>>> plays;
    for (const DrawTarget& t : DrawTargets())
        plays.emplace_back(t, HeldFileBytes(nameOf(t.kind)));
    const long double h = size / 2;
    const CanvasRect box = DeviceBox(x - h, y - h, x + h, y + h);
    for (const auto& [t, bytes] : plays)
        Emf::Play(*bytes, *t.canvas, box); // a damaged file draws nothing
}

// ---- Aspect glyphs --------------------------------------------------------

constexpr std::int8_t U = kPenUp; // separator pair (U, 0)

struct AspettiGlyph {
    int pen;
    std::vector<std::int8_t> strokes;
};

const std::array<AspettiGlyph, 14>& AspettiGlyphs()
{
    static const std::array<AspettiGlyph, 14> table {{
        {3, {3, -4, -1, 0, -2, 0, -3, 1, -3, 2, -2, 3, -1, 3, 0, 2, 0, 1, -1, 0}},
        {kBlueOrCyan, {-3, 0, 3, 0, U, 0, 3, -3, -3, 3, U, 0, -3, -3, 3, 3}},
        {2, {-3, -4, -3, 3, 3, 3, 3, -4, -3, -4}},
        {kBlueOrCyan, {0, -4, -3, 3, 3, 3, 0, -4}},
        {2, {-1, 0, -2, 0, -3, 1, -3, 2, -2, 3, -1, 3, 0, 2, 0, 1, -1, 0,
             1, -1, 2, -1, 3, -2, 3, -3, 2, -4, 1, -4, 0, -3, 0, -2, 1, -1}},
        {2, {-3, -4, -3, 1, 3, 1, 3, -4, -3, -4, U, 0, -1, -1, -1, 3, 2, 3}},
        {2, {0, -4, -3, 3, 3, 3}},
        {5, {-3, -4, 3, -4, U, 0, -3, 3, 0, -4, 3, 3}},
        {kBlueOrCyan, {-3, -4, 0, 3, 3, -4, U, 0, -3, 3, 3, 3}},
        {5, {-3, -2, 0, 0, -3, 3, U, 0, 3, -2, 0, 0, 3, 3, U, 0, 0, -4, 0, 0}},
        {5, {-3, -2, 0, 0, -3, 3, U, 0, 3, -2, 0, 0, 3, 3, U, 0, 0, -4, 0, 0, U, 0, -3, -4, -2, -4, -2, -3}},
        {5, {0, 3, 2, 1, 2, -2, 0, -4, -2, -2, 0, 0, 2, -2, 0, 0}},
        {3, {-5, -2, 4, -2, U, 0, -5, 1, 4, 1}},
        {2, {-5, -2, 4, -2, U, 0, -5, 1, 4, 1, U, 0, -4, 2, 3, -4}},
    }};
    return table;
}

// ---- Badge ----------------------------------------------------------------

void BadgeOn(const DrawTarget& t, long double x, long double y, bool filled)
{
    Canvas& c = *t.canvas;
    const long double x0 = x + 5, y0 = y + 130;
    const PolyFillMode fillMode = c.FillMode();
    c.SetPolyFillMode(PolyFillMode::Winding);
    PenOn(t, 2);

    if (BlackWhite)
        c.SelectBrush({0, BrushStyle::Null});
    else
        c.SelectBrush(BrushFor(Yellow, t.kind));
    c.Polygon({Device(x0 + 10, y0 - 2), Device(x0 + 25, y0 + 7), Device(x0 + 10, y0 + 12), Device(x0 + 20, y0 - 2),
               Device(x0 + 20, y0 + 13), Device(x0 + 10, y0 - 2)});
    c.ReleaseBrush();

    // The caption's field: red, or what the black-and-white rule makes of
    // it. The caption is white on it, or black where the field came out
    // white.
    const CanvasColor field = BrushFor(Red, t.kind).color;
    if (filled)
        c.SelectBrush({field, BrushStyle::Solid});
    else
        c.SelectBrush({0, BrushStyle::Null});
    c.Rectangle(DeviceBox(x0 - 1, y0, x0 + 30, y0 + 5));
    c.ReleaseBrush();
    c.ReleasePen();
    c.SetPolyFillMode(fillMode);

    FontOn(t, 15);
    const BackgroundMode mode = c.Background();
    const CanvasColor background = c.BackgroundColor();
    if (filled) {
        c.SetTextColor(field == White ? Black : White);
        c.SetBackgroundColor(field);
        c.SetBackgroundMode(BackgroundMode::Opaque);
        c.TextOut(Device(x0 + 1, y0 + 0.5L), "Drevith 3");
    } else {
        c.SetTextColor(InkFor(t.kind == TargetKind::Screen ? Cyan : Blue, t.kind));
        c.SetBackgroundMode(BackgroundMode::Transparent);
        c.TextOut(Device(x0, y0 + 0.5L), "Drevith 3");
    }
    c.SetBackgroundMode(mode);
    c.SetBackgroundColor(background);
    c.ReleaseFont();
}

} // namespace

// ---- Transform -------------------------------------------------------------

long double RoundHalfEven(long double v)
{
    const long double f = std::floor(v);
    const long double d = v - f;
    if (d < 0.5L)
        return f;
    if (d > 0.5L)
        return f + 1;
    return std::fmod(f, 2.0L) == 0 ? f : f + 1;
}

int DeviceX(long double x) { return int(RoundHalfEven(x / StretchX * PageScale * ZoomFactor)) + OriginX; }

int DeviceY(long double y) { return int(RoundHalfEven(y / StretchY * PageScale * ZoomFactor)) + OriginY; }

int DeviceLength(long double length) { return int(RoundHalfEven(length * PageScale * ZoomFactor)); }

PagePoint PolarPoint(long double cx, long double cy, long double r, long double longitude, long double ascendant)
{
    const long double a = Norm360(ascendant - longitude);
    return {cx - r * CosDeg(a), cy - r * SinDeg(a) * AspectY};
}

// ---- Targets ---------------------------------------------------------------

std::vector<DrawTarget> DrawTargets()
{
    std::vector<DrawTarget> targets;
    const bool printing = ToPrinter && PrintEnabled;
    if (printing && PrinterCanvas)
        targets.push_back({PrinterCanvas, TargetKind::Paper});
    if (ToMetafile && MetafileCanvas)
        targets.push_back({MetafileCanvas, TargetKind::Paper});
    if (!printing && !ToMetafile) {
        DrawingForm* form = ChartForm ? ChartForm : AuxForm;
        if (form)
            targets.push_back({&form->FormCanvas(), TargetKind::Screen});
    }
    return targets;
}

// ---- Pens, brushes, colours, fonts ------------------------------------------

CanvasColor InkFor(CanvasColor color, TargetKind kind)
{
    if (!BlackWhite || color == White)
        return color;
    return kind == TargetKind::Screen ? White : Black;
}

CanvasColor GroundFor(TargetKind kind) { return kind == TargetKind::Screen ? Black : White; }

CanvasBrush BrushFor(CanvasColor color, TargetKind kind)
{
    if (BlackWhite && AuxForm)
        return {kind == TargetKind::Screen ? Black : White, BrushStyle::Solid};
    return {InkFor(color, kind), BrushStyle::Solid};
}

CanvasPen PenFor(int code, TargetKind kind)
{
    const long double s = PageScale, z = ZoomFactor;
    struct Entry {
        CanvasColor color;
        long double width;
        PenStyle style = PenStyle::Solid;
    };
    Entry e {Black, s / 8};
    switch (code) {
    case 0: e = {Black, s / 4}; break;
    case 1: e = {White, s / 4}; break;
    case 2: e = {Red, s / 4}; break;
    case 3: e = {Green, s / 4}; break;
    case 4: e = {Blue, s / 4}; break;
    case 5: e = {Cyan, s / 4}; break;
    case 6: e = {Magenta, s / 4}; break;
    case 7: e = {Yellow, s / 4}; break;
    case 8: e = {CanvasRgb(69, 69, 69), s / 4}; break;
    case 9: e = {CanvasRgb(128, 128, 128), s / 4}; break;
    case 10: e = {Black, s / 8}; break;
    case 11: e = {Blue, s / 8}; break;
    case 12: e = {Red, s / 8, PenStyle::Dash}; break;
    case 13: e = {Red, s / 8}; break;
    case 14: e = {Green, s / 8}; break;
    case 15: e = {Blue, s / 8}; break;
    case 16: e = {Magenta, s / 8}; break;
    case 17: e = {White, s / 8}; break;
    case 18: e = {CanvasRgb(255, 128, 64), s / 8}; break;
    case 22: e = {Red, s * 0.8L}; break;
    case 25: e = {Cyan, s / 8}; break;
    case 26: e = {Magenta, s / 8, PenStyle::Dash}; break;
    case 33: e = {Cyan, s * 0.8L}; break;
    case 58: e = {Green, s * z * 2}; break;
    case 59: e = {Green, s * z}; break;
    case 60: e = {Cyan, s * z}; break;
    case 61: e = {Blue, s * z}; break;
    case 62: e = {White, s * z}; break;
    case 63: e = {Black, s / 1.5L}; break;
    case 64: e = {Red, s * z}; break;
    case 71: e = {Blue, s / 2}; break;
    case 74: e = {Red, s / 2}; break;
    case 75: e = {Cyan, s / 2}; break;
    case 76: e = {Yellow, s / 2}; break;
    case 77: e = {Yellow, s * 0.8L}; break;
    case 78: e = {CanvasRgb(196, 200, 36), s * 0.4L}; break;
    case 79: e = {Red, s * 0.4L}; break;
    case 80: e = {Cyan, s * 0.4L}; break;
    default: break; // every other code: black, S/8
    }
    return {int(RoundHalfEven(e.width * PenWidthFactor)), InkFor(e.color, kind), e.style};
}

CanvasFont FontFor(int code)
{
    struct Entry {
        const char* face;
        int divisor;
        bool italic = false;
    };
    Entry e {"Arial", 38};
    switch (code) {
    case 0: e = {"Arial", 38}; break;
    case 1: e = {"Arial", 30}; break;
    case 2: e = {"Arial", 23}; break;
    case 3: e = {"Arial", 20}; break;
    case 4: e = {"Arial", 16}; break;
    case 5: e = {"Arial", 12}; break;
    case 15: e = {"Arial", 27}; break;
    case 16: e = {"Arial", 27, true}; break;
    case 18: e = {"Arial", 21}; break;
    case 21: e = {"Courier", 20}; break;
    case 22: e = {"Courier", 22}; break;
    case 33: e = {"Arial", 33}; break;
    default: break;
    }
    const int base = int(RoundHalfEven(static_cast<long double>(FontScale) * 30 * ZoomFactor));
    CanvasFont f;
    f.face = e.face;
    f.height = base / e.divisor;
    f.bold = false;
    f.italic = e.italic;
    return f;
}

void SelectPen(int code)
{
    for (const DrawTarget& t : DrawTargets())
        PenOn(t, code);
}

void ReleasePen()
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->ReleasePen();
}

void SelectLinePen(int code)
{
    for (const DrawTarget& t : DrawTargets())
        PenOn(t, LinePenCode(code, t.kind));
}

void SelectBrush(CanvasColor color)
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->SelectBrush(BrushFor(color, t.kind));
}

void ReleaseBrush()
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->ReleaseBrush();
}

void SetInkColor(int code)
{
    for (const DrawTarget& t : DrawTargets()) {
        const bool screen = t.kind == TargetKind::Screen;
        if (code == 0)
            t.canvas->SetTextColor(InkZero(t.kind));
        else if (code == 4)
            t.canvas->SetTextColor(InkFor(screen ? Cyan : Blue, t.kind));
    }
}

void SelectFontCode(int code)
{
    for (const DrawTarget& t : DrawTargets())
        FontOn(t, code);
}

void ReleaseFont()
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->ReleaseFont();
}

// ---- Lines and shapes --------------------------------------------------------

void MoveToXY(long double x, long double y)
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->MoveTo(Device(x, y));
}

void LineToXY(long double x, long double y)
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->LineTo(Device(x, y));
}

void DrawRect(long double x1, long double y1, long double x2, long double y2)
{
    for (const DrawTarget& t : DrawTargets())
        FilledOn(t, [&](Canvas& c) { c.Rectangle(DeviceBox(x1, y1, x2, y2)); });
}

void ClearToGround(long double x1, long double y1, long double x2, long double y2)
{
    for (const DrawTarget& t : DrawTargets()) {
        const CanvasColor ground = GroundFor(t.kind);
        t.canvas->SelectBrush({ground, BrushStyle::Solid});
        t.canvas->SelectPen({1, ground, PenStyle::Solid});
        t.canvas->Rectangle(DeviceBox(x1, y1, x2, y2));
        t.canvas->ReleasePen();
        t.canvas->ReleaseBrush();
    }
}

void DrawEllipse(long double x1, long double y1, long double x2, long double y2)
{
    for (const DrawTarget& t : DrawTargets())
        FilledOn(t, [&](Canvas& c) { c.Ellipse(DeviceBox(x1, y1, x2, y2)); });
}

void DrawCircle(long double x, long double y, long double r)
{
    for (const DrawTarget& t : DrawTargets())
        CircleOn(t, x, y, r);
}

void DashedLine(long double x1, long double y1, long double x2, long double y2)
{
    // Interpolated as P1 (1 - f) + P2 f, exact at both ends.
    auto at = [&](int step) {
        const long double f = step / 44.0L;
        return PagePoint {x1 * (1 - f) + x2 * f, y1 * (1 - f) + y2 * f};
    };
    for (const DrawTarget& t : DrawTargets())
        for (int k = 0; k < 15; ++k)
            LineOn(t, at(3 * k), at(3 * k + 2));
}

namespace {
void Dots(long double x1, long double y1, long double x2, long double y2, long double radius)
{
    const long double length = std::hypot(x2 - x1, y2 - y1);
    const int count = int(RoundHalfEven(0.6L * length));
    if (count <= 0)
        return;
    const long double k = 3 / (1.8L * length - 1);
    const long double dx = (x2 - x1) * k, dy = (y2 - y1) * k;
    for (const DrawTarget& t : DrawTargets())
        for (int i = 0; i < count; ++i)
            EllipseOn(t, x1 + i * dx, y1 + i * dy, radius);
}
} // namespace

void DottedLine(long double x1, long double y1, long double x2, long double y2) { Dots(x1, y1, x2, y2, 0.5L); }

void FineDottedLine(long double x1, long double y1, long double x2, long double y2) { Dots(x1, y1, x2, y2, 0.3L); }

// ---- Texts -----------------------------------------------------------------

void TextLeft(std::string_view text, int fontCode, long double x, long double y)
{
    Text(text, fontCode, x, y, TextAlign::Left);
}

void TextRight(std::string_view text, int fontCode, long double x, long double y)
{
    Text(text, fontCode, x, y, TextAlign::Right);
}

void TextCenter(std::string_view text, int fontCode, long double x, long double y)
{
    Text(text, fontCode, x, y, TextAlign::Center);
}

// ---- Glyphs ----------------------------------------------------------------

void DrawStrokeGlyph(std::span<const std::int8_t> strokes, int penCode, int limit, long double x, long double y,
                     long double size)
{
    for (const DrawTarget& t : DrawTargets())
        StrokesOn(t, strokes, penCode, limit, x, y, size);
}

void DrawAspectGlyph(int code, long double x, long double y, long double size)
{
    if (code < 1 || code > 14)
        return;
    const AspettiGlyph& g = AspettiGlyphs()[static_cast<std::size_t>(code - 1)];
    for (const DrawTarget& t : DrawTargets())
        StrokesOn(t, g.strokes, GlyphPen(g.pen, t.kind), int(g.strokes.size()), x, y, size);
}

// ---- Symbols ---------------------------------------------------------------

std::string PlanetSymbolFile(int symbol, TargetKind kind)
{
    return "Simboli\\PiaX" + std::string(Variant(kind)) + ZeroPad(symbol, 2) + ".emf";
}

std::string SignSymbolFile(int sign, std::string_view prefix, TargetKind kind)
{
    return "Zodiaco\\Seg" + std::string(prefix) + std::string(Variant(kind)) + ZeroPad(sign, 2) + ".emf";
}

void DrawPlanetSymbol(int body, long double size, long double x, long double y)
{
    DrawPlanetSymbolRaw(PlanetFileNumber(body), size, x, y);
}

void DrawPlanetSymbolRaw(int symbol, long double size, long double x, long double y)
{
    DrawSymbol([symbol](TargetKind kind) { return PlanetSymbolFile(symbol, kind); }, size, x, y);
}

void DrawSignSymbol(int sign, std::string_view prefix, long double size, long double x, long double y)
{
    DrawSymbol([sign, prefix](TargetKind kind) { return SignSymbolFile(sign, prefix, kind); }, size, x, y);
}

// ---- Chart furniture -------------------------------------------------------

void DrawHouseRing(const std::array<long double, 14>& cusps, long double cx, long double cy, long double r1,
                   long double r2)
{
    const long double asc = cusps[1];
    const long double mid = (r1 + r2) / 2;
    for (const DrawTarget& t : DrawTargets()) {
        if (r1 < 70) {
            PenOn(t, LinePenCode(10, t.kind));
            CircleOn(t, cx, cy, r1);
            CircleOn(t, cx, cy, r2);
            t.canvas->ReleasePen();
        }
        t.canvas->SetTextColor(InkZero(t.kind));
        for (int i = 1; i <= 6; ++i) {
            const long double cusp = cusps[static_cast<std::size_t>(i)];
            const PagePoint n = PolarPoint(cx, cy, mid, cusp + 5, asc);
            const PagePoint m = PolarPoint(cx, cy, mid, cusp + 185, asc);
            TextOn(t, std::to_string(i), 2, n.x, n.y - 2, TextAlign::Center);
            TextOn(t, std::to_string(i + 6), 2, m.x, m.y - 2, TextAlign::Center);

            PenOn(t, LinePenCode(i == 1 || i == 4 ? 0 : 10, t.kind));
            LineOn(t, PolarPoint(cx, cy, r1, cusp, asc), PolarPoint(cx, cy, r2, cusp, asc));
            LineOn(t, PolarPoint(cx, cy, r1, cusp + 180, asc), PolarPoint(cx, cy, r2, cusp + 180, asc));
            t.canvas->ReleasePen();
        }
    }
}

void DrawAngleMarks(const std::array<long double, 14>& cusps, long double cx, long double cy, long double r)
{
    const long double asc = cusps[1];
    const bool meanHouses = HouseSystemDisplayName() == "CASE_MEDIE";
    for (const DrawTarget& t : DrawTargets()) {
        PenOn(t, 2);
        LineOn(t, PolarPoint(cx, cy, r, asc, asc), PolarPoint(cx, cy, r + 10, asc, asc));
        LineOn(t, PolarPoint(cx, cy, r, asc + 180, asc), PolarPoint(cx, cy, r + 10, asc + 180, asc));
        t.canvas->ReleasePen();
        DotOn(t, 5, Cyan, PolarPoint(cx, cy, r, asc + 180, asc), 1.5L);

        const std::string ascText = DegreeInSign(asc);
        for (const long double lon : {asc, asc + 180}) {
            const PagePoint p = PolarPoint(cx, cy, r + 7, lon, asc);
            TextOn(t, ascText, 1, p.x, p.y, TextAlign::Center);
        }
        TextOn(t, "AS", 4, cx - r - 7, cy - 9, TextAlign::Center);

        if (!meanHouses)
            continue;
        const long double mc = cusps[10];
        DotOn(t, 5, Cyan, PolarPoint(cx, cy, r, mc, asc), 1.5L);
        const PagePoint m = PolarPoint(cx, cy, r + 7, mc, asc);
        TextOn(t, "MC", 4, m.x - 11, m.y - 5, TextAlign::Center);
        TextOn(t, DegreeInSign(mc), 1, m.x, m.y - 4, TextAlign::Center);
        for (int i = 1; i <= 6; ++i) {
            const long double before = cusps[static_cast<std::size_t>(i)] - 15;
            for (const long double lon : {before, before + 180}) {
                DotOn(t, 2, Red, PolarPoint(cx, cy, r, lon, asc), 1);
                // Houses 3 and 4 carry only the label of their own side: the
                // opposite one would sit on the midheaven's.
                if ((i == 3 || i == 4) && lon != before)
                    continue;
                const PagePoint p = PolarPoint(cx, cy, r + 7, lon, asc);
                TextOn(t, DegreeInSign(lon), 1, p.x, p.y, TextAlign::Center);
            }
        }
    }
}

void DrawBadge(long double x, long double y)
{
    for (const DrawTarget& t : DrawTargets())
        BadgeOn(t, x, y, true);
}

void DrawBadgeOutline(long double x, long double y)
{
    for (const DrawTarget& t : DrawTargets())
        BadgeOn(t, x, y, false);
}

void DrawDateStamp(long double x, long double y)
{
    TextRight(TodayText(), 1, x, y);
    TextRight(Bounded(UserFullName, 80), 15, x, y + 4);
}

void DrawPageFrame(DrawingForm& form)
{
    if (ToPrinter || ToMetafile || !PrintEnabled)
        return;
    const DrawTarget t {&form.FormCanvas(), TargetKind::Screen};
    const long double h = PrinterLandscape ? kLandscapePageHeight : kPortraitPageHeight;
    PenOn(t, 7);
    t.canvas->MoveTo(Device(1, 1));
    t.canvas->LineTo(Device(kPageWidth, 1));
    t.canvas->LineTo(Device(kPageWidth, h));
    t.canvas->LineTo(Device(1, h));
    t.canvas->LineTo(Device(1, 1));
    t.canvas->ReleasePen();
}
