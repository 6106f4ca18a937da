#pragma once
// The analysis pages of the chart window, drawn through the primitives of
// UnCanvaVlk from the chart in the shared tables: the titled tables, the
// grids, the wheel variants, and the texts each page lists beside it
// (MemoAspetti). The window clears the drawing area and shows the texts;
// quillon-tool export draws the same pages into files.
#include "astro/PlanetaryHour.h"
#include "chart/Wheel.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace AnalysisPages {

// What a page leaves for the window besides its drawing.
struct PageResult {
    int section = 0;                      // information section (0: none)
    bool listPanel = false;               // show Panel3 with `lines`
    std::vector<std::string> lines;       // MemoAspetti
    std::array<PagePoint, 7> planets {};  // table-page planet centres
    int planetCount = 0;                  // 0: no clickable planets
    bool ignoreClicks = false;            // the powers page
};

// The chart values a page needs beyond the shared tables.
struct PageContext {
    PlanetaryHourResult hour;
    Wheel::Centres* centres = nullptr; // filled by the wheel variants
};

// Draws sub-page `sub` of a page.
PageResult DrawPage(Wheel::Page page, int sub, PageContext& context);

// ---- Aspects --------------------------------------------------------------

struct AspettoHit {
    int glyph = 0;          // glyph code of the primitives; 0 no aspect
    long double angle = 0;  // exact angle of the aspect
    int orbIndex = 0;       // index into AspectOrb (1..14)
};
// The separation s (0..180) classified against the orbs in AspectOrb, in
// the order 180, 150, 144, 135, 120, 90, 72, 60, 45, 30, 0; the first that
// holds wins. With majorsOnly, only 0, 60, 90, 120 and 180 are tried.
AspettoHit ClassifyAspetto(long double separation, bool majorsOnly);
// The two-digit deviation from exactness |Round(angle - s)|.
std::string DeviationText(long double angle, long double separation);
// The lines of an aspect list: one per aspected pair of the eleven bodies,
// then the closing note.
std::vector<std::string> AspettiList(bool majorsOnly);

// ---- Planetary powers -----------------------------------------------------

struct PowerBar {
    std::string text; // first four characters of the value
    int length = 0;   // page units, 3..30
    bool negative = false;
};
// The bars of ten power values: each scaled to 30 units for the largest
// magnitude, at least 3 units, rounded.
std::vector<PowerBar> PowerBars(const std::vector<long double>& values);
// The ten powers of bodies 1..10 of the birth chart, computed with the
// Placidus houses (the chart's own house system and tables are put back),
// read from FileDum\MMMaitr2.dum; writes FileDum\Dati3.dum.
std::vector<long double> ComputePowers();

// ---- Exchanges -----------------------------------------------------------

// Exchange codes of the seven planets (index 1..7; 0 none): the pairs of
// Scambi\Scambio22.txt (21 for the first pair found, 22 for later ones),
// then the groups of 3, 4 and 5 planets of Scambio33..55 among the planets
// still free (codes 31.., 41.., 51..: the table size and the number of the
// group found). `signs` holds the sign 1..12 of each planet (index 1..7).
std::array<int, 8> ExchangeMarks(const std::array<int, 8>& signs);
// The sign 1..12 of each planet 1..7 of the chart in the shared tables
// ([0] unused), and the exchange marks of those signs.
std::array<int, 8> PlanetSigns();
std::array<int, 8> CurrentExchangeMarks();

// ---- Names ----------------------------------------------------------------

// Export names of the pages: "wheel", "coordi0" .. "maestri1".
struct NamedPage {
    const char* name;
    bool wheel;
    Wheel::Page page;
    int sub;
};
const std::vector<NamedPage>& NamedPages();
// Draws a named page (the wheel, or a page) of the chart in the shared
// tables; false for an unknown name.
bool DrawNamedPage(const std::string& name, PageContext& context);

} // namespace AnalysisPages
