#include "chart/Wheel.h"

#include "astro/Aspetti.h"
#include "chart/AttributionKeys.h"
#include "chart/TraditionalRules.h"
#include "core/Angles.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numeric>

namespace Wheel {

using TraditionalRules::Antiscion;
using TraditionalRules::ContraAntiscion;

namespace {

constexpr CanvasColor kDarkFill = CanvasRgb(1, 0, 0);

const char* kPositionBodies = "OpzioneT\\PosiPian.txt";
const char* kPositionCusps = "OpzioneT\\PosiSegn.txt";

void SetTextColorAll(CanvasColor color)
{
    for (const DrawTarget& t : DrawTargets())
        t.canvas->SetTextColor(InkFor(color, t.kind));
}

// The true-position dot: black on paper, white on the screen, outlined in
// its own colour.
void TrueDot(PagePoint p)
{
    for (const DrawTarget& t : DrawTargets()) {
        const CanvasColor c = t.kind == TargetKind::Screen ? CanvasRgb(255, 255, 255) : CanvasRgb(0, 0, 0);
        t.canvas->SelectPen({1, c, PenStyle::Solid});
        t.canvas->SelectBrush(BrushFor(c, t.kind));
        const int x = DeviceX(p.x), y = DeviceY(p.y), r = std::max(1, DeviceLength(0.2L));
        t.canvas->Ellipse({x - r, y - r, x + r, y + r});
        t.canvas->ReleaseBrush();
        t.canvas->ReleasePen();
    }
}

void Line(long double cx, long double cy, long double r1, long double lon1, long double r2, long double lon2,
          long double asc)
{
    const PagePoint a = PolarPoint(cx, cy, r1, lon1, asc);
    const PagePoint b = PolarPoint(cx, cy, r2, lon2, asc);
    MoveToXY(a.x, a.y);
    LineToXY(b.x, b.y);
}

} // namespace

long double BodyPosition(int b)
{
    switch (b) {
    case 8:
        return Norm360(std::fabs(BodyLongitude[11]));
    case 9:
        return Norm360(std::fabs(BodyLongitude[11]) + 180);
    case 10:
        return Norm360(HouseCusps[1]);
    case 11:
        return Norm360(HouseCusps[10]);
    default:
        return Norm360(std::fabs(BodyLongitude[b]));
    }
}

bool BodyRetrograde(int b)
{
    if (b >= 1 && b <= 7)
        return BodyLongitude[b] < 0;
    if (b == 8 || b == 9)
        return BodyLongitude[11] < 0;
    return false;
}

int HouseOf(long double longitude, const std::array<long double, 14>& cusps)
{
    const long double lon = Norm360(longitude);
    for (int h = 1; h <= 12; ++h) {
        const long double start = Norm360(cusps[h] - 15);
        const long double end = Norm360(cusps[h == 12 ? 1 : h + 1] - 15);
        const long double width = Norm360(end - start);
        if (Norm360(lon - start) < width)
            return h;
    }
    return 1;
}

int TermSectorOf(long double longitude, long double cusp1)
{
    return std::clamp(int(Norm360(longitude - (cusp1 - 15)) / 6) + 1, 1, 60);
}

std::vector<long double> SpreadAngles(const std::vector<long double>& angles, long double minGap)
{
    const std::size_t n = angles.size();
    std::vector<long double> result(n);
    if (n == 0)
        return result;
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::vector<long double> a(n);
    for (std::size_t i = 0; i < n; ++i)
        a[i] = Norm360(angles[i]);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) { return a[x] < a[y]; });

    // Cut the circle after the widest gap: the sequence starts at the body
    // that follows it.
    std::size_t start = 0;
    long double widest = -1;
    for (std::size_t k = 0; k < n; ++k) {
        const long double prev = a[order[(k + n - 1) % n]];
        const long double gap = n == 1 ? 360 : Norm360(a[order[k]] - prev);
        if (gap > widest) {
            widest = gap;
            start = k;
        }
    }
    std::vector<std::size_t> seq(n);
    std::vector<long double> truePos(n), shown(n);
    for (std::size_t k = 0; k < n; ++k) {
        seq[k] = order[(start + k) % n];
        truePos[k] = a[seq[k]];
        if (k > 0)
            while (truePos[k] < truePos[k - 1])
                truePos[k] += 360;
    }

    // Push forward.
    shown[0] = truePos[0];
    for (std::size_t k = 1; k < n; ++k)
        shown[k] = std::max(truePos[k], shown[k - 1] + minGap);

    // Move each cluster back by its mean push, as far as the body before it
    // allows (for the first cluster, the last body one turn earlier).
    std::size_t k = 0;
    while (k < n) {
        std::size_t e = k;
        while (e + 1 < n && shown[e + 1] > truePos[e + 1])
            ++e;
        if (e > k) {
            long double push = 0;
            for (std::size_t i = k; i <= e; ++i)
                push += shown[i] - truePos[i];
            push /= static_cast<long double>(e - k + 1);
            const long double before = k == 0 ? shown[n - 1] - 360 : shown[k - 1];
            const long double room = shown[k] - (before + minGap);
            const long double back = std::clamp(push, 0.0L, std::max(room, 0.0L));
            for (std::size_t i = k; i <= e; ++i)
                shown[i] -= back;
        }
        k = e + 1;
    }
    for (std::size_t i = 0; i < n; ++i)
        result[seq[i]] = Norm360(shown[i]);
    return result;
}

bool Hits(int x, int y, long double px, long double py)
{
    const long double dx = x - OriginX - px * PageScale * ZoomFactor / StretchX;
    const long double dy = y - OriginY - py * PageScale * ZoomFactor / StretchY;
    return std::fabs(dx) < 15 / StretchX && std::fabs(dy) < 15 / StretchY;
}

WindowFit FitWindow(int width, int height, int columnPixels)
{
    // Pixels per page unit at zoom 1, across and down.
    const long double across = PageScale / StretchX, down = PageScale / StretchY;
    const long double byHeight = height / (210 * down);
    const long double byWidth = (width - columnPixels) / (kColumnLeft * across);
    WindowFit fit;
    fit.zoom = std::max(0.1L, std::min(byHeight, byWidth));
    fit.columnWidth = width / (across * fit.zoom) - kColumnLeft;
    fit.columnBottom = height / (down * fit.zoom);
    return fit;
}

SymbolStep NextBodyStep(int body, int& cycle)
{
    const int step = cycle % 4;
    const bool applies = (step != 1 || body < 10) && (step != 3 || body < 8);
    if (!applies)
        return SymbolStep::SelectOnly;
    cycle = (step + 1) % 4;
    return SymbolStep(step);
}

SymbolStep NextSignStep(int& cycle)
{
    const int step = cycle % 4;
    cycle = (step + 1) % 4;
    return SymbolStep(step);
}

int BodySection(SymbolStep step)
{
    switch (step) {
    case SymbolStep::Plants:
        return 29;
    case SymbolStep::Antiscia:
        return 30;
    case SymbolStep::SelectOnly:
        return 0;
    default:
        return 28;
    }
}

int SignSection(SymbolStep step)
{
    switch (step) {
    case SymbolStep::Plants:
        return 32;
    case SymbolStep::Antiscia:
        return 33;
    default:
        return 31;
    }
}

int SubPageCount(Page page)
{
    static constexpr int counts[kPageCount] = {3, 4, 1, 4, 3, 4, 1, 1, 2};
    return counts[int(page)];
}

int NextSubPage(Page page, int& counter)
{
    const int n = SubPageCount(page);
    const int sub = ((counter % n) + n) % n;
    counter = (sub + 1) % n;
    return sub;
}

std::vector<std::string> InfoSection(int n)
{
    const std::vector<std::string> all = ReadTextLines("Appoggio\\Messaggi.txt");
    std::vector<std::string> section;
    int marks = 0;
    for (const std::string& line : all) {
        if (line.find('#') != std::string::npos) {
            ++marks;
            if (marks > n)
                break;
            continue;
        }
        if (marks == n)
            section.push_back(line);
    }
    const char* copy = "Appoggio\\Mex.txt";
    WriteTextLines(copy, section);
    std::vector<std::string> shown = ReadTextLines(copy);
    std::error_code ec;
    std::filesystem::remove(ProgramPath::Resolve(copy), ec);
    return shown;
}

std::vector<std::string> BodyPositionKeys()
{
    using namespace AttributionKeys;
    std::vector<std::string> lines;
    std::array<long double, kBodies + 1> lon {};
    for (int b = 1; b <= kBodies; ++b)
        lon[b] = BodyPosition(b);
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(BodySignKey(b, SignNumber(lon[b])));
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(BodyHouseKey(b, HouseOf(lon[b], HouseCusps)));
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(BodyTermKey(b, TermSectorOf(lon[b], HouseCusps[1])));
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(BodyDecanKey(b, DecanNumber(lon[b])));
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(BodyDecadeKey(b, DecanNumber(lon[b])));
    // Antiscia and contra-antiscia: the body's code, "An" or "Ca", and the
    // sign the mirrored point falls in.
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(std::string(kBodyCode4[b - 1]) + "An" + std::string(kSignCode4[SignNumber(Antiscion(lon[b])) - 1]));
    for (int b = 1; b <= kBodies; ++b)
        lines.push_back(std::string(kBodyCode4[b - 1]) + "Ca" +
                        std::string(kSignCode4[SignNumber(ContraAntiscion(lon[b])) - 1]));
    // Major aspects within the active orbs: both codes and the aspect angle.
    static constexpr int majors[5] = {1, 7, 9, 10, 14}; // 0, 60, 90, 120, 180 in the orb table
    for (int i = 1; i <= kBodies; ++i)
        for (int j = i + 1; j <= kBodies; ++j) {
            const long double s = Separation(lon[i], lon[j]);
            for (int asp : majors) {
                const long double angle = AspectAngle(asp);
                if (std::isnan(angle))
                    continue;
                if (std::fabs(s - angle) <= AspectOrb[asp]) {
                    char deg[8];
                    std::snprintf(deg, sizeof deg, "%03d", int(angle));
                    lines.push_back(std::string(kBodyCode4[i - 1]) + std::string(kBodyCode4[j - 1]) + deg);
                    break;
                }
            }
        }
    return lines;
}

std::vector<std::string> CuspPositionKeys()
{
    using namespace AttributionKeys;
    std::vector<std::string> lines;
    for (int h = 1; h <= 12; ++h)
        lines.push_back(SignCuspKey(SignNumber(HouseCusps[h]), h));
    for (int h = 1; h <= 12; ++h)
        lines.push_back(SignTermKey(SignNumber(HouseCusps[h]), TermSectorOf(HouseCusps[h], HouseCusps[1])));
    for (int h = 1; h <= 12; ++h)
        lines.push_back(SignDecanKey(SignNumber(HouseCusps[h]), DecanNumber(HouseCusps[h])));
    for (int h = 1; h <= 12; ++h)
        lines.push_back(SignDecadeKey(SignNumber(HouseCusps[h]), DecanNumber(HouseCusps[h])));
    for (int h = 1; h <= 12; ++h)
        lines.push_back(std::string(kSignCode4[SignNumber(HouseCusps[h]) - 1]) + "An" +
                        std::string(kSignCode4[SignNumber(Antiscion(HouseCusps[h])) - 1]));
    for (int h = 1; h <= 12; ++h)
        lines.push_back(std::string(kSignCode4[SignNumber(HouseCusps[h]) - 1]) + "Ca" +
                        std::string(kSignCode4[SignNumber(ContraAntiscion(HouseCusps[h])) - 1]));
    return lines;
}

void WritePositionFiles()
{
    // A redraw of the same chart finds them as they are.
    WriteTextLinesIfChanged(kPositionBodies, BodyPositionKeys());
    WriteTextLinesIfChanged(kPositionCusps, CuspPositionKeys());
}

void DrawClickDot(PagePoint p, CanvasColor fill)
{
    // The dots are for clicking: a printed or exported page leaves them out.
    if (ToPrinter || ToMetafile)
        return;
    SelectPen(2);
    SelectBrush(fill);
    DrawEllipse(p.x - kDotRadius, p.y - kDotRadius, p.x + kDotRadius, p.y + kDotRadius);
    ReleaseBrush();
    ReleasePen();
}

void DrawWheelRings(Centres& centres, long double houseOuter, long double houseInner)
{
    const long double asc = HouseCusps[1];
    // 1. Zodiac ring.
    SelectLinePen(0);
    for (long double r : {kDecanOuter, kDecanInner, kSignInner})
        DrawCircle(kCX, kCY, r);
    MoveToXY(kCX - kDecanOuter, kCY);
    LineToXY(kCX - kDecanOuter - 10, kCY);
    MoveToXY(kCX + kDecanOuter, kCY);
    LineToXY(kCX + kDecanOuter + 10, kCY);
    for (int s = 0; s < 12; ++s)
        Line(kCX, kCY, kDecanOuter, s * 30.0L, kSignInner, s * 30.0L, asc);
    ReleasePen();
    SelectLinePen(10);
    for (int d = 0; d < 36; ++d)
        if (d % 3 != 0)
            Line(kCX, kCY, kDecanOuter, d * 10.0L, 75, d * 10.0L, asc);
    ReleasePen();
    for (int s = 1; s <= 12; ++s) {
        const PagePoint p = PolarPoint(kCX, kCY, kSignRadius, s * 30.0L - 15, asc);
        DrawSignSymbol(s, "M", kSignGlyph, p.x, p.y);
        DrawClickDot(p, kDarkFill);
        centres.signs[s - 1] = p;
    }
    for (int d = 1; d <= 36; ++d) {
        const PagePoint p = PolarPoint(kCX, kCY, kDecanRadius, d * 10.0L - 5, asc);
        DrawPlanetSymbol(TraditionalRules::DecanRulerOf(d), kDecanGlyph, p.x, p.y);
    }

    // 2. Planet band.
    std::vector<long double> lon(kBodies);
    for (int b = 1; b <= kBodies; ++b)
        lon[b - 1] = BodyPosition(b);
    const std::vector<long double> shown = SpreadAngles(lon);
    for (int b = 1; b <= kBodies; ++b) {
        const long double t = lon[b - 1], d = shown[b - 1];
        const PagePoint p = PolarPoint(kCX, kCY, kPlanetRadius, d, asc);
        DrawPlanetSymbol(b, kPlanetGlyph, p.x, p.y);
        SelectLinePen(10);
        Line(kCX, kCY, kSignInner, t, kPlanetRadius + kPlanetGlyph / 2 + 1, d, asc);
        Line(kCX, kCY, kBandInner, t, kPlanetRadius - kPlanetGlyph / 2 - 1, d, asc);
        ReleasePen();
        TrueDot(PolarPoint(kCX, kCY, kSignInner, t, asc));
        TrueDot(PolarPoint(kCX, kCY, kBandInner, t, asc));
        DrawClickDot(p, kDarkFill);
        centres.bodies[b - 1] = p;
        if (b < 10 && BodyRetrograde(b)) {
            SelectFontCode(kPlanetGlyph < 7 ? 10 : 15);
            SetTextColorAll(CanvasRgb(255, 0, 0));
            TextLeft("R", kPlanetGlyph < 7 ? 10 : 15, p.x + 3, p.y - 3);
            ReleaseFont();
        }
    }
    SelectLinePen(10);
    DrawCircle(kCX, kCY, kBandInner);
    ReleasePen();

    // 3. Houses.
    DrawHouseRing(HouseCusps, kCX, kCY, houseOuter, houseInner);
    centres.drawn = true;
}

std::string BirthDateText()
{
    std::string text = CurrentSubject.DisplayDate + " T.U." + CurrentSubject.ZoneDisplay;
    if (CurrentSubject.Calendar == 0)
        text += " Calend. Giuliano";
    return text;
}

namespace {

void Furniture()
{
    DrawAngleMarks(HouseCusps, kCX, kCY, kDecanOuter);
    DrawBadge(5, 50);
    // Name and date below the wheel's lowest point (y = 183), so that a long
    // name never runs into the rings.
    SetInkColor(0);
    TextLeft(CurrentSubject.Name, 1, 42, 184);
    TextLeft(BirthDateText(), 1, 42, 189);
    WritePositionFiles();
}

} // namespace

void DrawMainWheel(Centres& centres)
{
    DrawWheelRings(centres, 47, 39);
    Furniture();
}

void DrawWheelVariant(Centres& centres)
{
    DrawWheelRings(centres, 50, 43);
    Furniture();
    if (ToPrinter || ToMetafile)
        return; // the cleared field covers the screen's right column only
    ClearToGround(195, 2, kPageWidth, 100);
}

} // namespace Wheel
