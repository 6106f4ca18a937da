#include "chart/TestSheet.h"

#include "chart/UnCanvaVlk.h"
#include "shell/SharedState.h"

#include <array>
#include <string>

namespace {

// Section title, left-aligned in font 4.
void Title(const char* text, long double x, long double y)
{
    SetInkColor(0);
    TextLeft(text, 4, x, y);
}

void Circles()
{
    Title("Cerchi: zoom 1 e 1,5", 8, 8);
    SelectLinePen(0);
    DrawCircle(25, 35, 14);
    ReleasePen();
    // The same radius at zoom 1.5: the centre is divided by the zoom so the
    // circle lands beside the first one.
    {
        const DrawingScope zoom;
        ZoomFactor *= 1.5L;
        SelectPen(2);
        DrawCircle(60 / 1.5L, 35 / 1.5L, 14 / 1.5L);
        ReleasePen();
    }
    SelectPen(4);
    SelectBrush(CanvasRgb(255, 255, 0));
    DrawEllipse(80, 24, 100, 46);
    ReleaseBrush();
    ReleasePen();
}

void Lines()
{
    Title("Linee tratteggiate e punteggiate", 8, 54);
    SelectPen(0);
    DashedLine(10, 64, 100, 64);
    DashedLine(10, 70, 100, 80);
    ReleasePen();
    SelectPen(2);
    SelectBrush(CanvasRgb(255, 0, 0));
    DottedLine(10, 86, 100, 86);
    FineDottedLine(10, 92, 100, 92);
    ReleaseBrush();
    ReleasePen();
    // One short line in each pen of the table.
    const int pens[] = {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 22, 25, 26,
                        33, 58, 59, 60, 61, 63, 64, 71, 74, 75, 76, 77, 78, 79, 80};
    long double x = 10;
    for (int code : pens) {
        SelectPen(code);
        MoveToXY(x, 98);
        LineToXY(x, 108);
        ReleasePen();
        x += 2.6L;
    }
}

void Glyphs()
{
    Title("Glifi degli aspetti (1-14)", 8, 114);
    for (int code = 1; code <= 14; ++code) {
        const long double x = 12 + (code - 1) * 7;
        DrawAspectGlyph(code, x, 126, 1.2L);
        SetInkColor(0);
        TextCenter(std::to_string(code), 0, x, 131);
    }
}

void Symbols()
{
    Title("Simboli dei pianeti (1-20) e dei segni (1-12)", 8, 138);
    for (int n = 1; n <= 20; ++n) {
        const long double x = 12 + (n - 1) * 5;
        DrawPlanetSymbolRaw(n, 4.5L, x, 150);
    }
    for (int s = 1; s <= 12; ++s) {
        const long double x = 12 + (s - 1) * 7;
        DrawSignSymbol(s, "M", 6, x, 162);
    }
    // The chart bodies 8..11 through their renumbering.
    for (int body = 8; body <= 11; ++body)
        DrawPlanetSymbol(body, 6, 12 + (body - 8) * 7, 174);
}

void Wheel()
{
    Title("Anello delle case e segni degli angoli", 140, 8);
    // A chart's cusps: unequal houses with the ascendant at 100 degrees.
    std::array<long double, 14> cusps{};
    const long double c[] = {100, 126, 155, 188, 222, 253, 280, 306, 335, 8, 42, 73};
    for (int i = 1; i <= 12; ++i)
        cusps[i] = c[i - 1];
    cusps[13] = cusps[1];
    SelectLinePen(0);
    DrawCircle(200, 70, 40);
    ReleasePen();
    DrawHouseRing(cusps, 200, 70, 38, 28);
    DrawAngleMarks(cusps, 200, 70, 40);
}

void Texts()
{
    Title("Caratteri per codice", 140, 126);
    const int fonts[] = {0, 1, 2, 3, 4, 5, 15, 16, 18, 21, 22, 33};
    long double y = 134;
    for (int i = 0; i < 12; ++i) {
        const int code = fonts[i];
        const long double x = i < 6 ? 140 : 205;
        const long double row = y + (i % 6) * 9;
        SetInkColor(i % 2 ? 4 : 0);
        TextLeft("Font " + std::to_string(code) + " àèéìòù §", code, x, row);
    }
    SetInkColor(0);
    TextRight("Testo allineato a destra", 1, 270, 190);
    TextCenter("Testo centrato", 1, 205, 190);
}

} // namespace

void DrawTestSheet()
{
    Circles();
    Lines();
    Glyphs();
    Symbols();
    Wheel();
    Texts();
    DrawBadge(110, -100);        // its field sits at (x + 5, y + 130)
    DrawBadgeOutline(110, -85);
    SetInkColor(0);
    DrawDateStamp(270, 115);
}
