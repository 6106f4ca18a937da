#include "chart/AnalysisPages.h"

#include "astro/Aspetti.h"
#include "astro/Chart.h"
#include "astro/Distributions.h"
#include "chart/AttributionKeys.h"
#include "chart/Attributions.h"
#include "chart/TraditionalRules.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "shell/UnServizi.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <set>

namespace AnalysisPages {

namespace {

constexpr int kBodies = Wheel::kBodies;
constexpr CanvasColor kGrey = CanvasRgb(192, 192, 192);

PageResult Distances();

void Ink(CanvasColor color)
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->SetTextColor(InkFor(color, t.kind));
}

// The title and its subtitle end above y = 14, clear of the top of a wheel
// (its outer circle reaches y = 17).
void Title(const std::string& line1, const std::string& line2 = {})
{
    SetInkColor(0);
    TextCenter(line1, 4, 98, 2.5L);
    if (!line2.empty())
        TextCenter(line2, 1, 98, 10);
}

void Text(const std::string& s, int font, long double x, long double y)
{
    SetInkColor(0);
    TextLeft(s, font, x, y);
}

std::string DegMin(long double value, int degDigits)
{
    const long double a = std::fabs(value);
    long long minutes = std::llround(a * 60);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*lld\xB0%02lld'", degDigits, minutes / 60, minutes % 60);
    return buf;
}

const char* PlanetName(int p)
{
    static const char* names[10] = {"Sole",  "Luna",    "Mercurio", "Venere", "Marte",
                                    "Giove", "Saturno", "Urano",    "Nettuno", "Plutone"};
    return p >= 1 && p <= 10 ? names[p - 1] : "";
}

// ---- Coordinates -----------------------------------------------------------

PageResult Coordinates(int sub)
{
    PageResult r;
    r.section = 2 + sub;
    static const char* subtitles[2] = {"(Relative al Segno occupato)", "(Assolute, con origine 0\xB0 Ariete)"};
    if (sub < 2)
        Title("LONGITUDINI PLANETARIE", subtitles[sub]);
    else
        Title("LATITUDINI PLANETARIE");
    const int rows = sub == 2 ? 7 : kBodies;
    for (int b = 1; b <= rows; ++b) {
        const long double y = 26 + (b - 1) * 12;
        const long double lon = Wheel::BodyPosition(b);
        DrawPlanetSymbol(b, 6, 30, y + 2);
        if (b <= 7) {
            r.planets[b - 1] = {30, y + 2};
            r.planetCount = 7;
        }
        Text(Attributions::BodyName(b), 1, 40, y);
        std::string value;
        if (sub == 0)
            value = DegMin(DegreesInSign(lon), 2);
        else if (sub == 1)
            value = DegMin(lon, 3);
        else
            value = LatitudeText(BodyLatitude[b]);
        Text(value, 2, 95, y - 0.5L);
        if (sub == 0)
            DrawSignSymbol(SignNumber(lon), "M", 6, 128, y + 2);
        if (sub < 2 && b < 10 && Wheel::BodyRetrograde(b)) {
            Ink(CanvasRgb(255, 0, 0));
            TextLeft("R", 15, 138, y);
        }
    }
    if (sub == 0) {
        // The meanings of the terms, decans and decades the bodies stand in.
        r.listPanel = true;
        const std::vector<std::string> keys = Wheel::BodyPositionKeys();
        const std::vector<std::string> table = ReadTextLines("OpzioneT\\SpgPianSpe.Txt");
        static const char* heads[3] = {"PIANETI NEI TERMINI", "PIANETI NEI DECANI", "PIANETI NELLE DECADI"};
        for (int g = 0; g < 3; ++g) {
            r.lines.push_back(heads[g]);
            for (int b = 1; b <= kBodies; ++b) {
                const std::string& key = keys[std::size_t((g + 2) * kBodies + b - 1)];
                const std::string text = Attributions::SpecificText(key, table, Attributions::BodyCodes(b));
                if (!text.empty())
                    r.lines.push_back(text);
            }
            r.lines.push_back("");
        }
    }
    return r;
}

// ---- Distributions ---------------------------------------------------------

void GridPage(const Grid& g, bool seasonal)
{
    static const char* elemCols[4] = {"Fuoco", "Terra", "Aria", "Acqua"};
    static const char* elemFac[4] = {"Volont\xE0", "Corpo", "Pensiero", "Sentimento"};
    static const char* seasCols[4] = {"Primavera", "Estate", "Autunno", "Inverno"};
    static const char* seasEl[4] = {"Aria", "Fuoco", "Terra", "Acqua"};
    static const char* elemRows[3] = {"Sale", "Zolfo", "Mercurio"};
    static const char* elemLevels[3] = {"Istinto", "Persona", "Collettivit\xE0"};
    static const char* seasRows[3] = {"Tropici", "Solidi", "Bicorporei"};
    static const char* seasQual[3] = {"(cardinali)", "(fissi)", "(mutevoli)"};
    if (seasonal)
        Title("STOFFA STAGIONALE", "(Livello somatopsichico)");
    else
        Title("STOFFA ELEMENTARE", "(Livello psicosomatico)");
    const long double x0 = 62, dx = 22, y0 = 60, dy = 20;
    for (int c = 0; c < 4; ++c) {
        SetInkColor(0);
        TextCenter(seasonal ? seasCols[c] : elemCols[c], 1, x0 + c * dx, 34);
        TextCenter(seasonal ? seasEl[c] : elemFac[c], 0, x0 + c * dx, 41);
    }
    SetInkColor(0);
    TextCenter("Tot", 1, x0 + 4 * dx, 38);
    for (int r = 0; r < 3; ++r) {
        const long double y = y0 + r * dy;
        Text(seasonal ? seasRows[r] : elemRows[r], 1, 8, y - 2);
        Text(seasonal ? seasQual[r] : elemLevels[r], 0, 8, y + 3);
        for (int c = 0; c < 4; ++c) {
            SetInkColor(0);
            TextCenter(std::to_string(g.cells[std::size_t(r)][std::size_t(c)]), 2, x0 + c * dx, y - 2);
        }
        SetInkColor(0);
        TextCenter(std::to_string(g.RowTotal(r)), 2, x0 + 4 * dx, y - 2);
    }
    SelectLinePen(0);
    MoveToXY(x0 - 12, y0 + 3 * dy - 8);
    LineToXY(x0 + 4 * dx + 10, y0 + 3 * dy - 8);
    ReleasePen();
    const long double yt = y0 + 3 * dy;
    Text(seasonal ? "Totali" : "Tot", 1, 8, yt - 2);
    for (int c = 0; c < 4; ++c) {
        SetInkColor(0);
        TextCenter(std::to_string(g.ColumnTotal(c)), 2, x0 + c * dx, yt - 2);
    }
    Text(seasonal ? "[Stagionale]" : "[Elementare]", 0, 8, 185);
}

void HumourPage(const Humours& h, bool seasonal)
{
    Title("ATTRIBUZIONE UMORALE", seasonal ? "(Stagionale)" : "(Elementare)");
    struct Row {
        const char* element;
        const char* temper;
        const char* q1;
        const char* q2;
        int count;
    };
    const Row rows[4] = {{"Aria", "Estroverso", "C", "U", h.air},
                         {"Fuoco", "Eteronomo", "C", "S", h.fire},
                         {"Terra", "Introverso", "F", "S", h.earth},
                         {"Acqua", "Autonomo", "F", "U", h.water}};
    const char* letters[4] = {"C", "U", "F", "S"};
    const int totals[4] = {h.Hot(), h.Moist(), h.Cold(), h.Dry()};
    SetInkColor(0);
    TextCenter("Tot", 1, 100, 38);
    TextCenter("Tot", 1, 150, 38);
    for (int i = 0; i < 4; ++i) {
        const long double y = 52 + i * 18;
        Text(rows[i].element, 2, 10, y);
        Text(rows[i].temper, 1, 40, y + 0.5L);
        Text(std::string(rows[i].q1) + " " + rows[i].q2, 1, 75, y + 0.5L);
        SetInkColor(0);
        TextCenter(std::to_string(rows[i].count), 2, 100, y);
        Text(letters[i], 1, 135, y + 0.5L);
        SetInkColor(0);
        TextCenter(std::to_string(totals[i]), 2, 150, y);
    }
    Text("C=caldo", 1, 10, 140);
    Text("U=umido", 1, 45, 140);
    Text("F=freddo", 1, 80, 140);
    Text("S=secco", 1, 115, 140);
}

PageResult Stoffa(int sub)
{
    PageResult r;
    r.section = 5 + sub;
    const Distribution d = ComputeDistribution();
    switch (sub) {
    case 0:
        GridPage(d.elemental, false);
        break;
    case 1:
        HumourPage(d.elementalHumours, false);
        break;
    case 2:
        GridPage(d.seasonal, true);
        break;
    default:
        HumourPage(d.seasonalHumours, true);
        break;
    }
    return r;
}

// ---- Aspects ---------------------------------------------------------------

void AspettiGrid(bool majorsOnly)
{
    if (majorsOnly)
        Title("ASPETTI PLANETARI", "(Solo aspetti maggiori)");
    else
        Title("ASPETTI PLANETARI");
    const long double cell = 14, x0 = 24, y0 = 24;
    std::array<long double, kBodies + 1> lon {};
    for (int b = 1; b <= kBodies; ++b)
        lon[b] = Wheel::BodyPosition(b);
    // Body symbols along the diagonal; the lower triangle holds the pairs.
    for (int b = 1; b <= kBodies; ++b)
        DrawPlanetSymbol(b, 6, x0 + (b - 1) * cell + cell / 2, y0 + (b - 1) * cell + cell / 2);
    SelectLinePen(0);
    for (int i = 2; i <= kBodies; ++i)
        for (int j = 1; j < i; ++j)
            DrawRect(x0 + (j - 1) * cell, y0 + (i - 1) * cell, x0 + j * cell, y0 + i * cell);
    ReleasePen();
    for (int i = 2; i <= kBodies; ++i)
        for (int j = 1; j < i; ++j) {
            const long double s = Separation(lon[i], lon[j]);
            const AspettoHit hit = ClassifyAspetto(s, majorsOnly);
            if (hit.glyph == 0)
                continue;
            const long double cx = x0 + (j - 1) * cell, cy = y0 + (i - 1) * cell;
            DrawAspectGlyph(hit.glyph, cx + 3.5L, cy + 4.2L, 1.3L);
            SetInkColor(0);
            TextLeft(DeviationText(hit.angle, s), 1, cx + 7, cy + 2);
        }
    Text("L'aspetto \xE8 tanto pi\xF9 preciso quanto", 1, 24, 184);
    Text("pi\xF9 \xE8 piccolo il numero che lo precede", 1, 24, 189);
}

PageResult Aspetti(int sub)
{
    PageResult r;
    static const int sections[4] = {10, 24, 25, 26};
    r.section = sections[sub];
    switch (sub) {
    case 0:
        r.listPanel = true;
        r.lines = AspettiList(false);
        break;
    case 1:
        r.listPanel = true;
        r.lines = AspettiList(true);
        AspettiGrid(true);
        break;
    case 2:
        AspettiGrid(false);
        break;
    default:
        return Distances();
    }
    return r;
}

// ---- Powers ----------------------------------------------------------------

PageResult Powers()
{
    PageResult r;
    r.ignoreClicks = true;
    Title("POTENZE PLANETARIE", "(Secondo Marbeck)");
    const std::vector<PowerBar> bars = PowerBars(ComputePowers());
    const long double column = 110;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const long double y = 34 + static_cast<long double>(i) * 6;
        DrawPlanetSymbolRaw(int(i) + 1, 5, 30, y + 2);
        Text(PlanetName(int(i) + 1), 1, 38, y);
        Ink(kGrey);
        TextLeft(bars[i].text, 15, 70, y);
        const CanvasColor color = bars[i].negative ? CanvasRgb(255, 0, 0) : CanvasRgb(0, 0, 255);
        for (const DrawTarget& t : DrawTargets()) {
            CanvasPen pen = PenFor(0, t.kind);
            pen.color = InkFor(color, t.kind);
            t.canvas->SelectPen(pen);
            t.canvas->SelectBrush(BrushFor(color, t.kind));
            t.canvas->Rectangle({DeviceX(column - bars[i].length), DeviceY(y + 0.5L), DeviceX(column), DeviceY(y + 3.5L)});
            t.canvas->ReleaseBrush();
            t.canvas->ReleasePen();
        }
    }
    return r;
}

// ---- Rulers ----------------------------------------------------------------

PageResult Maestri(const PageContext& context)
{
    PageResult r;
    r.section = 22;
    Title("MAESTRI \"ASC\", \"MC\", \"Ora Planetaria\"");
    long double y = 34;
    const ChartMoment m = CurrentSubjectMoment();
    const std::optional<SunDay> day = FindSunDay(m.LatitudeDeg, m.LongitudeDeg, m.Zone, m.JD);
    std::string rise = "Il Sole sorge alle ore: ";
    if (day && day->RiseOfCivilDay) {
        long double local = *day->RiseOfCivilDay - m.Zone / 24 + 0.5L;
        local -= std::floor(local);
        const long long minutes = std::llround(local * 1440) % 1440;
        rise += ZeroPad(minutes / 60, 2) + ":" + ZeroPad(minutes % 60, 2);
    } else {
        rise += "--:--";
    }
    Text(rise, 2, 20, y);
    y += 12;
    for (const std::string& line : PlanetaryHourText(context.hour)) {
        Text(line, 2, 20, y);
        y += 10;
    }
    return r;
}


// ---- Pages on the traditional rules ------------------------------------------

namespace TR = TraditionalRules;

long double Lon(int b) { return Wheel::BodyPosition(b); }

std::string PositionText(long double lon) { return LongitudeFullText("", lon); }

void VariantWheel(PageContext& context)
{
    Wheel::Centres local;
    Wheel::DrawWheelVariant(context.centres ? *context.centres : local);
}

// A small symbol of body b at the longitude on radius r, with a dot on the
// circle of radius edge.
void MarkOnWheel(int b, long double longitude, long double r, long double edge)
{
    const long double asc = HouseCusps[1];
    const PagePoint p = PolarPoint(Wheel::kCX, Wheel::kCY, r, longitude, asc);
    const PagePoint e = PolarPoint(Wheel::kCX, Wheel::kCY, edge, longitude, asc);
    DrawPlanetSymbol(b, 4, p.x, p.y);
    SelectPen(2);
    SelectBrush(CanvasRgb(255, 255, 0));
    DrawEllipse(e.x - 0.6L, e.y - 0.6L, e.x + 0.6L, e.y + 0.6L);
    ReleaseBrush();
    ReleasePen();
}

// Spread symbols on an inner circle so that they never overlap.
void MarksOnWheel(const std::vector<int>& bodies, const std::vector<long double>& lons, long double r, long double edge)
{
    std::vector<long double> shown = Wheel::SpreadAngles(lons, 10);
    const long double asc = HouseCusps[1];
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        MarkOnWheel(bodies[i], shown[i], r, edge);
        const PagePoint a = PolarPoint(Wheel::kCX, Wheel::kCY, edge, lons[i], asc);
        const PagePoint b = PolarPoint(Wheel::kCX, Wheel::kCY, r + 2.5L, shown[i], asc);
        SelectLinePen(10);
        MoveToXY(a.x, a.y);
        LineToXY(b.x, b.y);
        ReleasePen();
    }
}

PageResult Archetip(PageContext& context)
{
    PageResult r;
    r.section = 9;
    VariantWheel(context);
    Title("STRUTTURA ARCHETIPALE");
    const std::array<int, 8> signs = PlanetSigns();
    const std::array<int, 8> marks = ExchangeMarks(signs);
    r.listPanel = true;
    r.lines.push_back("STRUTTURA ARCHETIPALE");
    r.lines.push_back("");
    for (int p = 1; p <= 7; ++p) {
        const std::vector<std::string> labels =
            TR::DignityLabels(TR::DignitiesOf(p, signs[std::size_t(p)]), marks[std::size_t(p)] != 0);
        std::string line = std::string(Attributions::BodyName(p)) + " in " + SignFullName(signs[std::size_t(p)]) + ":";
        std::string shown;
        for (const std::string& l : labels) {
            line += " " + l;
            shown += (shown.empty() ? "" : " ") + l;
        }
        if (marks[std::size_t(p)] != 0)
            line += " (" + std::to_string(marks[std::size_t(p)]) + ")";
        r.lines.push_back(line);
        // On the page, inside the inner circle: the planet's symbol and its
        // dignities and debilities.
        const long double y = 79 + (p - 1) * 6.5L;
        DrawPlanetSymbol(p, 4, 68, y + 1.6L);
        Text(shown, 0, 72, y);
    }
    return r;
}

PageResult Distances()
{
    PageResult r;
    r.section = 26;
    Title("DISTANZE SFERICHE");
    constexpr int n = 9;
    const long double cell = 17, x0 = 22, y0 = 26;
    auto latitude = [](int b) -> long double {
        if (b <= 7)
            return BodyLatitude[std::size_t(b)];
        return 0.0; // the nodes lie on the ecliptic
    };
    for (int b = 1; b <= n; ++b)
        DrawPlanetSymbol(b, 6, x0 + (b - 1) * cell + cell / 2, y0 + (b - 1) * cell + cell / 2);
    SelectLinePen(0);
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j)
            DrawRect(x0 + (j - 1) * cell, y0 + (i - 1) * cell, x0 + j * cell, y0 + i * cell);
    ReleasePen();
    for (int i = 2; i <= n; ++i)
        for (int j = 1; j < i; ++j) {
            const long double d = TR::SphericalDistance(Lon(i), latitude(i), Lon(j), latitude(j));
            SetInkColor(0);
            TextCenter(std::isnan(d) ? std::string("--") : DegMin(d, 3), 0, x0 + (j - 1) * cell + cell / 2,
                       y0 + (i - 1) * cell + cell / 2 - 1.5L);
        }
    Text("Distanze sulla sfera celeste, da longitudine e latitudine", 1, 22, 186);
    return r;
}

PageResult Energi(int sub)
{
    PageResult r;
    r.section = 11 + sub;
    Title("AFFINITA' ENERGETICHE", "(Relazioni Magnetiche e Solilunari)");
    std::vector<long double> lons;
    for (int p = 1; p <= 7; ++p)
        lons.push_back(Lon(p));
    if (sub == 0) {
        Text("Magnetiche", 2, 10, 24);
        for (int p = 1; p <= 7; ++p) {
            const long double y = 36 + (p - 1) * 11;
            DrawPlanetSymbol(p, 6, 16, y + 2);
            Text(Attributions::BodyName(p), 1, 24, y);
            Text(SignFullName(SignNumber(lons[std::size_t(p - 1)])), 1, 62, y);
            Text(std::string(TR::PolarityText(TR::PolarityOf(lons[std::size_t(p - 1)]))), 1, 100, y);
        }
        const TR::PolarityBalance b = TR::PolarityBalanceOf(lons);
        Text("Maschile " + std::to_string(b.masculine) + "   Femminile " + std::to_string(b.feminine), 2, 10, 120);
        Text("Energia prevalente: " + std::string(TR::PrevalenceText(b.prevailing)), 2, 10, 130);
    } else if (sub == 1) {
        Text("Magnetiche", 2, 10, 24);
        const long double cell = 20, x0 = 30, y0 = 34;
        for (int p = 1; p <= 7; ++p)
            DrawPlanetSymbol(p, 6, x0 + (p - 1) * cell + cell / 2, y0 + (p - 1) * cell + cell / 2);
        SelectLinePen(0);
        for (int i = 2; i <= 7; ++i)
            for (int j = 1; j < i; ++j)
                DrawRect(x0 + (j - 1) * cell, y0 + (i - 1) * cell, x0 + j * cell, y0 + i * cell);
        ReleasePen();
        for (int i = 2; i <= 7; ++i)
            for (int j = 1; j < i; ++j) {
                const TR::MagneticAffinity a = TR::MagneticAffinityOf(lons[std::size_t(i - 1)], lons[std::size_t(j - 1)]);
                std::string word(TR::MagneticRelationText(a.relation));
                SetInkColor(0);
                TextCenter(word.substr(0, 7) + ".", 0, x0 + (j - 1) * cell + cell / 2,
                           y0 + (i - 1) * cell + cell / 2 - 1.5L);
            }
        Text("Concord. = stessa polarit\xE0, Complem. = polarit\xE0 opposte", 1, 10, 186);
    } else {
        Text("Solilunari", 2, 10, 24);
        const TR::LunarPhase phase = TR::LunarPhaseOf(lons[0], lons[1]);
        Text("Fase lunare di nascita: " + std::string(TR::LunarPhaseText(phase.number)) +
                 (phase.waxing ? " (crescente)" : " (calante)"),
             1, 10, 34);
        for (int p = 1; p <= 7; ++p) {
            const long double y = 46 + (p - 1) * 11;
            DrawPlanetSymbol(p, 6, 16, y + 2);
            Text(Attributions::BodyName(p), 1, 24, y);
            Text(std::string(TR::HalfText(TR::HalfOf(lons[std::size_t(p - 1)]))), 1, 60, y);
            if (p >= 2) {
                const TR::SolarCondition c = TR::SolarConditionOf(lons[0], lons[std::size_t(p - 1)]);
                Text(std::string(TR::OrientationText(c)) + ", " + std::string(TR::SolarStateText(c.state)), 1, 82, y);
            }
            if (p >= 3) {
                const std::optional<bool> waxing = TR::ReachedByWaxingMoon(lons[0], lons[1], lons[std::size_t(p - 1)]);
                if (waxing)
                    Text(*waxing ? "Luna crescente" : "Luna calante", 1, 158, y);
            }
        }
    }
    return r;
}

PageResult Antisce(int sub, PageContext& context)
{
    PageResult r;
    r.section = 14 + sub;
    VariantWheel(context);
    const bool contra = sub % 2 == 1;
    Title("ANTISCE E CONTRANTISCE");
    SetInkColor(0);
    TextLeft(contra ? "Contrantisce" : "Antisce", 1, 4, 16);
    // Sub-pages 0 and 1: the seven planets; 2 and 3: the nodes and the angles.
    std::vector<int> bodies;
    for (int b = sub < 2 ? 1 : 8; b <= (sub < 2 ? 7 : 11); ++b)
        bodies.push_back(b);
    std::vector<long double> points;
    for (int b : bodies)
        points.push_back(contra ? TR::ContraAntiscion(Lon(b)) : TR::Antiscion(Lon(b)));
    MarksOnWheel(bodies, points, 35, 43);
    r.listPanel = true;
    r.lines.push_back(contra ? "CONTRANTISCE" : "ANTISCE");
    r.lines.push_back("");
    for (std::size_t i = 0; i < bodies.size(); ++i)
        r.lines.push_back(std::string(Attributions::BodyName(bodies[i])) + ": " + PositionText(points[i]));
    r.lines.push_back("");
    r.lines.push_back("Contatti (orbita " + DegMin(TR::kAntiscionOrb, 1) + ")");
    for (int b : bodies)
        for (int o = 1; o <= Wheel::kBodies; ++o) {
            if (o == b)
                continue;
            const bool hit = contra ? TR::InContraAntiscionContact(Lon(b), Lon(o)) : TR::InAntiscionContact(Lon(b), Lon(o));
            if (hit && (o > b || std::find(bodies.begin(), bodies.end(), o) == bodies.end()))
                r.lines.push_back(std::string(Attributions::BodyName(b)) + " - " + Attributions::BodyName(o));
        }
    return r;
}

PageResult Dodecate(PageContext& context)
{
    PageResult r;
    r.section = 18;
    VariantWheel(context);
    Title("DODECATEMORIE", "(Sul cerchio interno)");
    std::vector<int> bodies;
    std::vector<long double> points;
    for (int b = 1; b <= 7; ++b) {
        bodies.push_back(b);
        points.push_back(TR::Dodecatemory(Lon(b)));
    }
    MarksOnWheel(bodies, points, 35, 43);
    r.listPanel = true;
    const std::vector<std::string> table = ReadTextLines("OpzioneT\\SpgPianSpe.Txt");
    static const char* heads[3] = {"DODECATEMORIE NEI TERMINI", "DODECATEMORIE NEI DECANI", "DODECATEMORIE NELLE DECADI"};
    for (int g = 0; g < 3; ++g) {
        r.lines.push_back(heads[g]);
        for (std::size_t i = 0; i < bodies.size(); ++i) {
            const int b = bodies[i];
            const long double d = points[i];
            const std::string key = g == 0   ? AttributionKeys::BodyTermKey(b, Wheel::TermSectorOf(d, HouseCusps[1]))
                                    : g == 1 ? AttributionKeys::BodyDecanKey(b, DecanNumber(d))
                                             : AttributionKeys::BodyDecadeKey(b, DecanNumber(d));
            const std::string text = Attributions::SpecificText(key, table, Attributions::BodyCodes(b));
            if (!text.empty())
                r.lines.push_back(text);
        }
        r.lines.push_back("");
    }
    return r;
}

PageResult YearRulersPage()
{
    PageResult r;
    r.section = 23;
    Title("MAESTRI dell'ANNO e del CICLO");
    const int year = TR::PlanetaryYear(int(CurrentSubject.Year), int(CurrentSubject.Month), int(CurrentSubject.Day),
                                       Lon(1));
    const std::optional<TR::YearRulers> y = TR::ReadYearRulers(year);
    Text("Anno planetario di nascita: " + std::to_string(year), 2, 20, 34);
    if (!y) {
        Text("Anno fuori dalla tabella dei governatori", 2, 20, 46);
        return r;
    }
    DrawPlanetSymbol(y->yearRuler, 7, 24, 50);
    Text("Governatore dell'anno: " + y->yearRulerName, 2, 32, 47);
    DrawPlanetSymbol(y->cycleRuler, 7, 24, 64);
    Text("Governatore del ciclo: " + y->cycleText, 2, 32, 61);
    return r;
}

} // namespace

// ---- Public ----------------------------------------------------------------

AspettoHit ClassifyAspetto(long double s, bool majorsOnly)
{
    struct Entry {
        long double angle;
        int glyph;
        int orb;
        bool major;
    };
    static constexpr Entry order[11] = {{180, 5, 14, true}, {150, 8, 13, false}, {144, 11, 12, false},
                                        {135, 6, 11, false}, {120, 4, 10, true},  {90, 3, 9, true},
                                        {72, 10, 8, false},  {60, 2, 7, true},    {45, 7, 5, false},
                                        {30, 9, 2, false},   {0, 1, 1, true}};
    for (const Entry& e : order) {
        if (majorsOnly && !e.major)
            continue;
        const long double orb = AspectOrb[std::size_t(e.orb)];
        bool hit;
        if (e.angle == 180)
            hit = 180 - orb < s;
        else if (e.angle == 0)
            hit = s < orb;
        else
            hit = e.angle - orb < s && s < e.angle + orb;
        if (hit)
            return {e.glyph, e.angle, e.orb};
    }
    return {};
}

std::string DeviationText(long double angle, long double s)
{
    const long long d = std::llabs(std::llround(RoundHalfEven(angle - s)));
    return ZeroPad(d, 2);
}

std::vector<std::string> AspettiList(bool majorsOnly)
{
    std::vector<std::string> lines;
    lines.push_back(majorsOnly ? "ASPETTI MAGGIORI" : "ASPETTI PLANETARI");
    lines.push_back("");
    for (int i = 1; i <= kBodies; ++i)
        for (int j = i + 1; j <= kBodies; ++j) {
            const long double s = Separation(Wheel::BodyPosition(i), Wheel::BodyPosition(j));
            const AspettoHit hit = ClassifyAspetto(s, majorsOnly);
            if (hit.glyph == 0)
                continue;
            char buf[160];
            std::snprintf(buf, sizeof buf, "%-11s %-13s %-11s orbita %s", Attributions::BodyName(i),
                          AspectCaption(hit.orbIndex), Attributions::BodyName(j),
                          DegMin(std::fabs(s - hit.angle), 2).c_str());
            lines.push_back(buf);
        }
    lines.push_back("");
    lines.push_back("L'aspetto \xE8 tanto pi\xF9 preciso quanto");
    lines.push_back("pi\xF9 \xE8 piccolo il numero che lo precede");
    return lines;
}

std::vector<PowerBar> PowerBars(const std::vector<long double>& values)
{
    // The scale comes from the largest magnitude, so that negative powers
    // and an all-zero chart give bars too instead of a reversed or endless
    // scale.
    long double m = 0;
    for (long double v : values)
        m = std::max(m, std::fabs(v));
    std::vector<PowerBar> bars;
    for (long double v : values) {
        PowerBar b;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.0Lf", v);
        b.text = std::string(buf).substr(0, 4);
        b.negative = !b.text.empty() && b.text[0] == '-';
        long double scaled = m > 0 ? v / (m / 30) : 0;
        if (std::fabs(scaled) < 3)
            scaled = 3;
        b.length = int(RoundHalfEven(std::fabs(scaled)));
        bars.push_back(b);
    }
    return bars;
}

std::vector<long double> ComputePowers()
{
    std::vector<long double> values;
    {
        // The scoring recomputes the chart with Placidus houses; the chart
        // tables and the settings come back as they were, whatever happens.
        const ChartTablesScope tables;
        const ChartSettingsScope settings;
        HouseSystemSetting = "PLACIDO";
        if (!ProgramPath::Exists(ChartTempFileName(kBirthChart)))
            WriteChartTempFile(kBirthChart, {"TEMA NATALE", CurrentSubjectMoment().JD});
        AssembleMasterChart(kBirthChart);
        const std::vector<std::string> lines = ReadTextLines(kMasterTablesFile);
        const auto total = std::find(lines.begin(), lines.end(), std::string("TOTALE"));
        for (auto it = total == lines.end() ? total : total + 1; it != lines.end() && values.size() < 10; ++it)
            values.push_back(std::strtold(it->c_str(), nullptr));
    }
    values.resize(10, 0);

    std::size_t best = 0;
    for (std::size_t i = 1; i < values.size(); ++i)
        if (values[i] > values[best])
            best = i;
    WriteTextLines("FileDum\\Dati3.dum", {SignFullName(SignNumber(Wheel::BodyPosition(1))),
                                           SignFullName(SignNumber(HouseCusps[1])), PlanetName(int(best) + 1)});
    return values;
}

std::array<int, 8> ExchangeMarks(const std::array<int, 8>& signs)
{
    std::array<int, 8> marks {};
    for (int size = 2; size <= 5; ++size) {
        const std::string file = "Scambi\\Scambio" + std::to_string(size) + std::to_string(size) + ".txt";
        const std::vector<std::string> lines = ReadTextLines(file);
        const std::set<std::string> keys(lines.begin(), lines.end());
        int found = 0;
        // Every combination of `size` planets, in ascending order.
        std::vector<int> pick(static_cast<std::size_t>(size));
        for (int i = 0; i < size; ++i)
            pick[std::size_t(i)] = i + 1;
        while (true) {
            bool free = true;
            for (int p : pick)
                free = free && marks[std::size_t(p)] == 0;
            if (free) {
                std::vector<int> planetSigns;
                for (int p : pick)
                    planetSigns.push_back(signs[std::size_t(p)]);
                if (keys.count(AttributionKeys::ExchangeKey(pick, planetSigns))) {
                    ++found;
                    for (int p : pick)
                        marks[std::size_t(p)] = size * 10 + (found == 1 ? 1 : 2);
                }
            }
            int k = size - 1;
            while (k >= 0 && pick[std::size_t(k)] == 7 - (size - 1 - k))
                --k;
            if (k < 0)
                break;
            ++pick[std::size_t(k)];
            for (int m = k + 1; m < size; ++m)
                pick[std::size_t(m)] = pick[std::size_t(m - 1)] + 1;
        }
    }
    return marks;
}

std::array<int, 8> PlanetSigns()
{
    std::array<int, 8> signs {};
    for (int p = 1; p <= 7; ++p)
        signs[std::size_t(p)] = SignNumber(Lon(p));
    return signs;
}

std::array<int, 8> CurrentExchangeMarks() { return ExchangeMarks(PlanetSigns()); }

PageResult DrawPage(Wheel::Page page, int sub, PageContext& context)
{
    using Wheel::Page;
    switch (page) {
    case Page::Coordi:
        return Coordinates(sub);
    case Page::Stoffa:
        return Stoffa(sub);
    case Page::Aspetti:
        return Aspetti(sub);
    case Page::Marbeck:
        return Powers();
    case Page::Maestri:
        return sub == 0 ? Maestri(context) : YearRulersPage();
    case Page::Archetip:
        return Archetip(context);
    case Page::Energi:
        return Energi(sub);
    case Page::Antisce:
        return Antisce(sub, context);
    case Page::Dodecate:
        return Dodecate(context);
    }
    return {};
}

const std::vector<NamedPage>& NamedPages()
{
    using Wheel::Page;
    static const std::vector<NamedPage> pages = {
        {"wheel", true, Page::Coordi, 0},     {"coordi0", false, Page::Coordi, 0},
        {"coordi1", false, Page::Coordi, 1},  {"coordi2", false, Page::Coordi, 2},
        {"stoffa0", false, Page::Stoffa, 0},  {"stoffa1", false, Page::Stoffa, 1},
        {"stoffa2", false, Page::Stoffa, 2},  {"stoffa3", false, Page::Stoffa, 3},
        {"archetip", false, Page::Archetip, 0}, {"aspetti1", false, Page::Aspetti, 1},
        {"aspetti2", false, Page::Aspetti, 2}, {"aspetti3", false, Page::Aspetti, 3},
        {"energi0", false, Page::Energi, 0},  {"energi1", false, Page::Energi, 1},
        {"energi2", false, Page::Energi, 2},  {"antisce0", false, Page::Antisce, 0},
        {"antisce1", false, Page::Antisce, 1}, {"antisce2", false, Page::Antisce, 2},
        {"antisce3", false, Page::Antisce, 3}, {"dodecate", false, Page::Dodecate, 0},
        {"marbeck", false, Page::Marbeck, 0}, {"maestri0", false, Page::Maestri, 0},
        {"maestri1", false, Page::Maestri, 1},
    };
    return pages;
}

bool DrawNamedPage(const std::string& name, PageContext& context)
{
    for (const NamedPage& p : NamedPages())
        if (name == p.name) {
            if (p.wheel) {
                Wheel::Centres centres;
                Wheel::DrawMainWheel(centres);
            } else {
                DrawPage(p.page, p.sub, context);
            }
            return true;
        }
    return false;
}

} // namespace AnalysisPages
