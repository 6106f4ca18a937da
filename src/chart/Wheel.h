#pragma once
// The chart wheel's logic, without a window: the positions of the eleven
// chart bodies from the shared chart tables, the spreading of crowded
// symbols in the planet band, the 15-pixel hit rule of the click dots, the
// click cycles of symbols and page buttons, the position files
// OpzioneT\PosiPian.txt and OpzioneT\PosiSegn.txt, the information sections
// of Appoggio\Messaggi.txt, and the drawing of the wheel through the
// primitives of UnCanvaVlk.
//
// Chart body numbers 1..11: 1 Sun .. 7 Saturn, 8 north node, 9 south node,
// 10 Ascendant, 11 Midheaven. Signs and decans of a longitude are those of
// core/Angles.h, the decan rulers and antiscia those of TraditionalRules.h.
#include "chart/UnCanvaVlk.h"

#include <array>
#include <string>
#include <vector>

namespace Wheel {

inline constexpr int kBodies = 11;
inline constexpr long double kCX = 100, kCY = 100;
inline constexpr long double kDecanOuter = 83, kDecanInner = 78, kSignInner = 65, kBandInner = 50;
inline constexpr long double kSignGlyph = 9, kPlanetGlyph = 7, kDecanGlyph = 3.5;
inline constexpr long double kSignRadius = 71.5, kDecanRadius = 80.5, kPlanetRadius = 57.5;
inline constexpr long double kDotRadius = 1.5;
inline constexpr long double kMinSeparation = 8; // degrees between spread symbols

// Longitude 0..360 of chart body b from BodyLongitude and HouseCusps.
long double BodyPosition(int b);
// Retrograde mark of chart body b (planets and nodes: a negative table entry).
bool BodyRetrograde(int b);
// House 1..12 of a longitude with every cusp moved 15 degrees back, so a
// body up to 15 degrees before a cusp already counts in that cusp's house.
int HouseOf(long double longitude, const std::array<long double, 14>& cusps);
// Term sector 1..60: 6-degree sectors counted from cusp 1 - 15 degrees.
int TermSectorOf(long double longitude, long double cusp1);

// Display angles of symbols at the given angles (degrees, any order): every
// two symbols at least kMinSeparation apart, as little moved as possible.
// The circle is cut at the widest gap; walking on, a symbol too close to
// the one before is pushed forward; each run of pushed symbols (with the
// symbol that pushed it) is then moved back by its mean push, so it is
// centred on its true positions, as far as the symbol before it allows.
// The result is in the order of the input, wrapped to 0..360.
std::vector<long double> SpreadAngles(const std::vector<long double>& angles, long double minGap = kMinSeparation);

// The 15-pixel rule: a click at pixel (x, y) hits the page point (px, py)
// under the current transform (PageScale, ZoomFactor, StretchX/Y, Origin).
bool Hits(int x, int y, long double px, long double py);

// The chart window on a client area of `width` x `height` pixels. The left
// drawing area, 197 page units wide with its margin, is as large as the
// height allows (the 210 units of a screen's height, the page and its
// margin), unless the right column would then be narrower than the
// `columnPixels` its controls need: then the drawing is as large as the
// width leaves it. The column takes the rest of the width and the whole
// height. Under the current PageScale and StretchX/Y.
inline constexpr long double kColumnLeft = 197; // page units, the right column's left edge
inline constexpr long double kColumnDesignWidth = 82, kColumnDesignBottom = 202;
struct WindowFit {
    long double zoom = 1;                             // ZoomFactor of the window
    long double columnWidth = kColumnDesignWidth;     // page units, from kColumnLeft to the right edge
    long double columnBottom = kColumnDesignBottom;   // page units, the window's bottom edge
};
WindowFit FitWindow(int width, int height, int columnPixels);

// What a click on a wheel body or a sign shows next; SelectOnly: the click
// only selects the body.
enum class SymbolStep { Attributions = 0, Plants = 1, Hidden = 2, Antiscia = 3, SelectOnly = 4 };
// The step the click on chart body `body` shows, advancing its cycle. A step
// that does not apply to the body (plants only below body 10, antiscia only
// below body 8) leaves the cycle where it is and the click only selects the
// body: the angles stop after their attributions, the nodes before their
// antiscia, until a page button starts the cycles again.
SymbolStep NextBodyStep(int body, int& cycle);
SymbolStep NextSignStep(int& cycle);
// Information section of each step (0 for SelectOnly: none is loaded).
int BodySection(SymbolStep step);
int SignSection(SymbolStep step);

// Page buttons in their order, with the number of their sub-pages.
enum class Page { Coordi, Stoffa, Archetip, Aspetti, Energi, Antisce, Dodecate, Marbeck, Maestri };
inline constexpr int kPageCount = 9;
int SubPageCount(Page page);
// The sub-page a click shows, advancing (and wrapping) the counter.
int NextSubPage(Page page, int& counter);

// Section n (1..) of Appoggio\Messaggi.txt: the lines after the n-th line
// that contains "#", up to the next one. The section goes through the copy
// Appoggio\Mex.txt, which is deleted afterwards. Throws IoError when
// Messaggi.txt is missing; an absent section is empty.
std::vector<std::string> InfoSection(int n);

// ---- Position files -------------------------------------------------------

// The lines of OpzioneT\PosiPian.txt for the chart in the shared tables.
std::vector<std::string> BodyPositionKeys();
// The lines of OpzioneT\PosiSegn.txt: the keys of the twelve cusps.
std::vector<std::string> CuspPositionKeys();
void WritePositionFiles();

// ---- Drawing --------------------------------------------------------------

// The clickable centres stored by the last wheel drawn.
struct Centres {
    std::array<PagePoint, 12> signs {};
    std::array<PagePoint, kBodies> bodies {};
    bool drawn = false;
};

// Zodiac ring, planet band and house ring of the chart in the shared
// tables, with the house radii given (47/39 main wheel, 50/43 variant).
// `dark` is the screen/paper fill of the true-position dots.
void DrawWheelRings(Centres& centres, long double houseOuter, long double houseInner);
// The main wheel in its full order: rings, angle marks, badge with the
// date note, the position files.
void DrawMainWheel(Centres& centres);
// The wheel under the table pages: rings with the house ring 50/43, angle
// marks, badge, position files, and on the screen the field (195,2)-(279,100)
// cleared to the ground.
void DrawWheelVariant(Centres& centres);
// A click dot at p with the given fill.
void DrawClickDot(PagePoint p, CanvasColor fill);

// The date text of the badge and of EdData: date, time, zone, and
// " Calend. Giuliano" for a Julian-calendar birth.
std::string BirthDateText();

} // namespace Wheel
