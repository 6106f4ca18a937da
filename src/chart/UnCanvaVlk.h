#pragma once
// Drawing primitives of every chart, table page and printable summary, in
// page units (A4 millimetres: the page is 279 wide, 202 tall in landscape
// and 405 in portrait), through one transform into device units:
//
//   device X = Round(X / StretchX * PageScale * ZoomFactor) + OriginX
//   device Y = Round(Y / StretchY * PageScale * ZoomFactor) + OriginY
//
// Round is round-half-to-even. A length that is not a position (a radius, a
// font height, a pen width) is Round(L * PageScale * ZoomFactor), without
// the stretch divisors.
//
// Targets. The primitives take no canvas: each call draws on the targets the
// shared drawing state names at that moment (DrawTargets):
// - printing (ToPrinter with PrintEnabled): PrinterCanvas;
// - writing a metafile (ToMetafile): MetafileCanvas;
//   both of them when both are set;
// - otherwise the screen: the canvas of ChartForm, or of AuxForm while
//   ChartForm is nullptr.
// The printer and the metafile are "paper" for the device-dependent choices
// (the black-and-white rule, SelectLinePen, SetInkColor, the blue/cyan aspect
// glyphs); the forms are "screen". A target that is not there (no form, no
// printer page, no metafile canvas) is left out, and with no target at all a
// primitive draws nothing. Every Select of a primitive is paired with its
// Release on every target before it returns; SelectPen, SelectBrush and
// SelectFontCode called directly are paired by their caller.
//
// Ground. Every target has the colour the drawing stands on: black on the
// screen (the chart window's background) and white on paper. Text colour
// code 0 is the other one, white on the screen and black on paper, so that
// it reads on the ground; a rectangle, ellipse or dot drawn while the
// drawing code has selected no brush is filled with the ground, as a form's
// canvas fills with the form's colour, and ClearToGround clears to it.
//
// Black-and-white rule (BlackWhite): every colour other than white becomes
// white on the screen and black on paper. It applies to pens, text colours
// (a font selection sets text colour code 0), text backgrounds and brushes;
// while AuxForm is set, every brush becomes black on the screen and white on
// paper instead. The ground is not a colour of the drawing and keeps to
// itself, and the badge's caption takes the colour that reads on its field
// as the rule leaves it.
//
// Texts are drawn with a transparent background (the badge's caption alone
// sits on its red field), the previous background mode restored afterwards.
//
// Fonts 21 and 22 are Courier with orientation 100 degrees and escapement 0.
// In a device context's compatible graphics mode, the one the drawing is
// done in, text runs along the escapement and the orientation is not
// applied on its own, so these fonts draw horizontal text: CanvasFont needs
// no orientation field for them.
//
// Symbols are enhanced metafiles under the program folder ("Simboli\",
// "Zodiaco\"), read from disk for every symbol drawn and played stretched
// into their square. They are drawn only while ChartForm is set and visible.
#include "platform/Canvas.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class DrawingForm;

// ---- The page ----------------------------------------------------------------

// The page in page units: 279 wide, 202 tall in landscape, 405 in portrait.
// The frame of the screen page runs along x = 1 .. kPageWidth and
// y = 1 .. its height; the screen image behind it covers one unit more
// (kScreenPageWidth x kScreenPageHeight), so that nothing of an earlier
// drawing shows past the frame.
inline constexpr int kPageWidth = 279;
inline constexpr int kLandscapePageHeight = 202;
inline constexpr int kPortraitPageHeight = 405;
inline constexpr int kScreenPageWidth = kPageWidth + 1;
inline constexpr int kScreenPageHeight = kLandscapePageHeight + 1;

// ---- Transform -------------------------------------------------------------

struct PagePoint {
    long double x = 0; // page units, rightwards
    long double y = 0; // page units, downwards
};

long double RoundHalfEven(long double v);
int DeviceX(long double x);          // page X -> device X
int DeviceY(long double y);          // page Y -> device Y
int DeviceLength(long double length); // page length -> device units

// The point at ecliptic longitude `longitude` (degrees) on the circle of
// radius r (page units) around (cx, cy), for a chart whose ascendant is at
// `ascendant` (degrees): screen angle a = ascendant - longitude (0..360),
// x = cx - r cos a, y = cy - r sin a * AspectY. The ascendant lies at the
// left end of the horizontal diameter; longitude grows counter-clockwise.
PagePoint PolarPoint(long double cx, long double cy, long double r, long double longitude, long double ascendant);

// ---- Targets ---------------------------------------------------------------

enum class TargetKind { Screen, Paper };
struct DrawTarget {
    Canvas* canvas = nullptr; // never nullptr in the list DrawTargets returns
    TargetKind kind = TargetKind::Screen;
};
// The surfaces the primitives draw on now, from the shared drawing state.
std::vector<DrawTarget> DrawTargets();

// ---- Pens, brushes, colours, fonts ------------------------------------------

// The pen of a pen-table code for a target of that kind, after the
// black-and-white rule; width Round(table width * PenWidthFactor).
CanvasPen PenFor(int code, TargetKind kind);
// Solid brush of that colour (0x00BBGGRR) after the black-and-white rule.
CanvasBrush BrushFor(CanvasColor color, TargetKind kind);
// Any colour after the black-and-white rule for pens and texts.
CanvasColor InkFor(CanvasColor color, TargetKind kind);
// What the drawing stands on: black on the screen, white on paper.
CanvasColor GroundFor(TargetKind kind);
// The font of a font-table code: height Round(FontScale * 30 * ZoomFactor)
// divided (integer division) by the code's divisor. Unknown codes draw as
// code 0.
CanvasFont FontFor(int code);

void SelectPen(int code);
void ReleasePen();
// Code 0: pen 1 on the screen, pen 0 on paper; code 10: pen 17 on the
// screen, pen 10 on paper. Any other code selects that pen itself.
void SelectLinePen(int code);
void SelectBrush(CanvasColor color);
void ReleaseBrush();
// Code 0: white on the screen, black on paper (the contrary of the ground);
// code 4: cyan (0,255,255) on the screen, blue on paper. Other codes leave
// the text colour as it is.
void SetInkColor(int code);
// With BlackWhite set, the selection also sets text colour code 0.
void SelectFontCode(int code);
void ReleaseFont();

// ---- Lines and shapes (current pen and brush) -------------------------------

void MoveToXY(long double x, long double y);
void LineToXY(long double x, long double y);
void DrawRect(long double x1, long double y1, long double x2, long double y2);
// The rectangle filled with the ground of each target, outline included:
// black on the screen, the chart window's background, white on paper. It
// clears what was drawn there.
void ClearToGround(long double x1, long double y1, long double x2, long double y2);
void DrawEllipse(long double x1, long double y1, long double x2, long double y2);
// On the screen at a zoom of exactly 1 one closed arc over the circle's box;
// otherwise a 72-gon from the top of the circle, clockwise on the page.
void DrawCircle(long double x, long double y, long double r);
// 15 dashes over 44 equal steps: dash k from step 3k to step 3k + 2, the
// last ending exactly at (x2, y2).
void DashedLine(long double x1, long double y1, long double x2, long double y2);
// Round(0.6 L) filled dots of radius 0.5 (0.3), L the length in page units,
// from (x1, y1) at steps of 3 (P2 - P1) / (1.8 L - 1).
void DottedLine(long double x1, long double y1, long double x2, long double y2);
void FineDottedLine(long double x1, long double y1, long double x2, long double y2);

// ---- Texts -----------------------------------------------------------------

// Text (at most 120 characters; longer texts are cut) in a font of the
// table, its top edge at y: starting at x, ending at x, centred on x.
inline constexpr std::size_t kMaxTextLength = 120;
void TextLeft(std::string_view text, int fontCode, long double x, long double y);
void TextRight(std::string_view text, int fontCode, long double x, long double y);
void TextCenter(std::string_view text, int fontCode, long double x, long double y);

// ---- Glyphs ----------------------------------------------------------------

// Stroke data: signed byte pairs (x, y) on a grid of about +-5, y downwards;
// a pair whose x is 100 lifts the pen. Each grid unit is size * 0.45 page
// units from (x, y). Each pair is joined to the next one unless that one is
// a separator; a separator itself is skipped. Processing stops when the
// 1-based byte index of the current pair reaches `limit` (or the data ends).
// Drawn with pen `penCode`, released afterwards.
inline constexpr std::int8_t kPenUp = 100;
void DrawStrokeGlyph(std::span<const std::int8_t> strokes, int penCode, int limit, long double x, long double y,
                     long double size);
// The built-in aspect glyphs, codes 1..14 (0 deg 1, 60 deg 2, 90 deg 3,
// 120 deg 4, 180 deg 5, 135 deg 6, 45 deg 7, 150 deg 8, 30 deg 9, 72 deg 10,
// 144 deg 11). Other codes draw nothing.
void DrawAspectGlyph(int code, long double x, long double y, long double size);

// ---- Symbols ---------------------------------------------------------------

// Planet symbol of chart body 1..11 (8 north node, 9 south node, 10
// ascendant, 11 midheaven, from the files 11, 13, 14, 15) in a size x size
// square centred on (x, y): "Simboli\PiaX" + two digits + ".emf", with
// BlackWhite "PiaXB", and "PiaXN" when the output is also on paper. Drawn
// only while ChartForm is set and visible; a missing file throws IoError and
// draws nothing; a damaged one draws nothing.
void DrawPlanetSymbol(int body, long double size, long double x, long double y);
// The same with the file number given directly.
void DrawPlanetSymbolRaw(int symbol, long double size, long double x, long double y);
// Sign 1..12: "Zodiaco\Seg" + prefix (+ "B", or "N" on paper, with
// BlackWhite) + two digits + ".emf"; the wheel uses the prefix "M".
void DrawSignSymbol(int sign, std::string_view prefix, long double size, long double x, long double y);
// The file names the three calls above read now.
std::string PlanetSymbolFile(int symbol, TargetKind kind);
std::string SignSymbolFile(int sign, std::string_view prefix, TargetKind kind);

// ---- Chart furniture -------------------------------------------------------

// House cusps[1..12] (degrees) between the radii r1 > r2 around (cx, cy).
void DrawHouseRing(const std::array<long double, 14>& cusps, long double cx, long double cy, long double r1,
                   long double r2);
// Ascendant axis mark at radius r; with the house system "CASE_MEDIE" also
// the midheaven and the marks 15 degrees before each cusp.
void DrawAngleMarks(const std::array<long double, 14>& cusps, long double cx, long double cy, long double r);
// The program badge with its caption "Drevith 3" (polygon, red field).
void DrawBadge(long double x, long double y);
void DrawBadgeOutline(long double x, long double y);
// Today's date and the user's name, right-aligned at x.
void DrawDateStamp(long double x, long double y);
// The yellow frame of the printable page on the form (screen only, only
// while PrintEnabled, never while printing or writing a metafile).
void DrawPageFrame(DrawingForm& form);
