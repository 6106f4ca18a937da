// The drawing primitives on recording canvases standing for the chart window,
// the second screen target, the printer page and the metafile: the transform,
// the targets, the device-dependent pens and colours, the circle, dashes,
// texts, glyphs, the house ring, the badge and the symbol metafiles.
#include "chart/UnCanvaVlk.h"

#include "astro/Houses.h"
#include "core/Angles.h"
#include "platform/Emf.h"
#include "platform/Errors.h"
#include "platform/RecordingCanvas.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using Op = RecordingCanvas::Op;

namespace {

constexpr CanvasColor White = CanvasRgb(255, 255, 255);
constexpr CanvasColor Black = CanvasRgb(0, 0, 0);
constexpr CanvasColor Red = CanvasRgb(255, 0, 0);
constexpr CanvasColor Green = CanvasRgb(0, 255, 0);
constexpr CanvasColor Blue = CanvasRgb(0, 0, 255);
constexpr CanvasColor Cyan = CanvasRgb(0, 255, 255);
constexpr CanvasColor Yellow = CanvasRgb(255, 255, 0);

struct TestForm : DrawingForm {
    RecordingCanvas canvas;
    bool visible = true;
    Canvas& FormCanvas() override { return canvas; }
    bool FormVisible() const override { return visible; }
};

// S = 10 device units per page unit, no zoom, no stretch, no origin: a page
// point (x, y) is the device point (10x, 10y).
class Drawing : public ::testing::Test {
protected:
    // The drawing state and the printer's orientation come back after each test.
    const DrawingScope drawing_;
    const PrintContextScope context_;
    TestForm chart, aux;
    RecordingCanvas printer, metafile;

    void SetUp() override
    {
        PageScale = 10;
        ZoomFactor = 1;
        StretchX = StretchY = 1;
        OriginX = OriginY = 0;
        AspectY = 1;
        FontScale = 37;
        PenWidthFactor = 1;
        ToPrinter = ToMetafile = false;
        PrintEnabled = true;
        BlackWhite = false;
        PrinterLandscape = true;
        ChartForm = &chart;
        AuxForm = nullptr;
        PrinterCanvas = &printer;
        MetafileCanvas = &metafile;
    }
    RecordingCanvas& Screen() { return chart.canvas; }
    std::vector<RecordingCanvas*> All() { return {&chart.canvas, &aux.canvas, &printer, &metafile}; }
};

std::vector<std::pair<CanvasPoint, CanvasPoint>> Lines(const RecordingCanvas& c)
{
    std::vector<std::pair<CanvasPoint, CanvasPoint>> out;
    for (const auto& call : c.CallsOf(Op::LineTo))
        out.emplace_back(call.points[0], call.points[1]);
    return out;
}

} // namespace

// ---- Transform and polar convention ---------------------------------------

struct TransformCase {
    const char* name;
    long double s, z, kx, x;
    int ox, expected;
};

class TransformTest : public Drawing, public ::testing::WithParamInterface<TransformCase> {};

TEST_P(TransformTest, RoundsHalfToEvenAfterStretchAndBeforeTheOrigin)
{
    const TransformCase& c = GetParam();
    PageScale = c.s;
    ZoomFactor = c.z;
    StretchX = StretchY = c.kx;
    OriginX = OriginY = c.ox;
    EXPECT_EQ(DeviceX(c.x), c.expected);
    EXPECT_EQ(DeviceY(c.x), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransformTest,
    ::testing::Values(TransformCase {"HalfDownToEven", 1, 1, 1, 2.5L, 0, 2},
                      TransformCase {"HalfUpToEven", 1, 1, 1, 3.5L, 0, 4},
                      TransformCase {"NegativeHalf", 1, 1, 1, -2.5L, 0, -2},
                      TransformCase {"ZeroPointFive", 1, 1, 1, 0.5L, 0, 0},
                      TransformCase {"AboveHalf", 1, 1, 1, 2.5000001L, 0, 3},
                      TransformCase {"ScaleAndZoom", 2.5L, 2, 1, 1.5L, 0, 8}, // 7.5
                      TransformCase {"StretchDivides", 1, 1, 1.25L, 3.125L, 0, 2}, // 2.5
                      TransformCase {"OriginAfterRounding", 1, 1, 1, 2.5L, 7, 9}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Drawing, LengthsIgnoreTheStretch)
{
    StretchX = StretchY = 1.25L;
    ZoomFactor = 1.5L;
    OriginX = 100;
    EXPECT_EQ(DeviceLength(2), 30);
    EXPECT_EQ(DeviceX(2), 124); // 2 / 1.25 * 15 = 24, + 100
}

TEST_F(Drawing, PolarConventionPutsTheAscendantAtTheLeftAndGrowsCounterClockwise)
{
    struct {
        long double fromAscendant, x, y;
    } const cases[] = {{0, 50, 100}, {90, 100, 150}, {180, 150, 100}, {270, 100, 50}, {-90, 100, 50}};
    for (const auto& c : cases) {
        const PagePoint p = PolarPoint(100, 100, 50, 200 + c.fromAscendant, 200);
        EXPECT_NEAR(double(p.x), double(c.x), 1e-9) << c.fromAscendant;
        EXPECT_NEAR(double(p.y), double(c.y), 1e-9) << c.fromAscendant;
    }
    AspectY = 0.5L;
    EXPECT_NEAR(double(PolarPoint(100, 100, 50, 290, 200).y), 125, 1e-9);
}

// ---- Targets ---------------------------------------------------------------

TEST_F(Drawing, TargetsFollowTheOutputFlags)
{
    struct Case {
        const char* name;
        bool toPrinter, printEnabled, toMetafile, chartOpen, auxSet;
        std::vector<RecordingCanvas*> drawn;
    };
    const std::vector<Case> cases = {
        {"chart window", false, true, false, true, true, {&chart.canvas}},
        {"aux form without chart window", false, true, false, false, true, {&aux.canvas}},
        {"printing", true, true, false, true, true, {&printer}},
        {"printer disabled draws on screen", true, false, false, true, false, {&chart.canvas}},
        {"metafile", false, true, true, true, false, {&metafile}},
        {"printer and metafile", true, true, true, true, false, {&printer, &metafile}},
        {"no target at all", false, true, false, false, false, {}},
    };
    for (const Case& c : cases) {
        for (RecordingCanvas* r : All())
            r->Clear();
        ToPrinter = c.toPrinter;
        PrintEnabled = c.printEnabled;
        ToMetafile = c.toMetafile;
        ChartForm = c.chartOpen ? &chart : nullptr;
        AuxForm = c.auxSet ? &aux : nullptr;
        MoveToXY(1, 2);
        for (RecordingCanvas* r : All()) {
            const bool expected = std::find(c.drawn.begin(), c.drawn.end(), r) != c.drawn.end();
            const auto moves = r->CallsOf(Op::MoveTo);
            EXPECT_EQ(moves.size(), expected ? 1u : 0u) << c.name;
            if (expected && !moves.empty()) {
                EXPECT_EQ(moves[0].points[0], (CanvasPoint {10, 20})) << c.name;
            }
        }
    }
    // A printer page that is not there is left out rather than drawn on.
    ToPrinter = true;
    PrintEnabled = true;
    ToMetafile = false;
    PrinterCanvas = nullptr;
    EXPECT_TRUE(DrawTargets().empty());
}

// ---- Pens, brushes, fonts ---------------------------------------------------

struct PenCase {
    const char* name;
    int code;
    long double s, z, factor;
    CanvasPen expected;
};

class PenTableTest : public Drawing, public ::testing::WithParamInterface<PenCase> {};

TEST_P(PenTableTest, WidthIsRoundedAfterTheThicknessFactor)
{
    const PenCase& c = GetParam();
    PageScale = c.s;
    ZoomFactor = c.z;
    PenWidthFactor = c.factor;
    SelectPen(c.code);
    EXPECT_EQ(Screen().CurrentPen(), c.expected);
    ReleasePen();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PenTableTest,
    ::testing::Values(PenCase {"Black", 0, 8, 1, 1, {2, Black}},
                      PenCase {"QuarterHalfToEven", 0, 10, 1, 1, {2, Black}}, // 2.5
                      PenCase {"Factor", 2, 8, 1, 1.5L, {3, Red}},
                      PenCase {"ThinRedDashed", 12, 16, 1, 1, {2, Red, PenStyle::Dash}},
                      PenCase {"MagentaDashed", 26, 16, 1, 1, {2, CanvasRgb(255, 0, 255), PenStyle::Dash}},
                      PenCase {"Orange", 18, 16, 1, 1, {2, CanvasRgb(255, 128, 64)}},
                      PenCase {"ZoomedGreen", 58, 8, 1.5L, 1, {24, Green}},
                      PenCase {"RedWithZoom", 64, 8, 1.5L, 1, {12, Red}},
                      PenCase {"ThickRedIgnoresZoom", 22, 8, 1.5L, 1, {6, Red}}, // 6.4
                      PenCase {"OneAndAHalf", 63, 8, 1, 1, {5, Black}},       // 5.33
                      PenCase {"Olive", 78, 10, 1, 1, {4, CanvasRgb(196, 200, 36)}},
                      PenCase {"UnknownHighCode", 99, 16, 1, 1, {2, Black}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Drawing, BlackAndWhitePensDependOnTheDevice)
{
    BlackWhite = true;
    struct {
        int code;
        bool paper;
        CanvasColor expected;
    } const cases[] = {{2, false, White}, {2, true, Black}, {1, false, White}, {1, true, White},
                       {5, false, White}, {5, true, Black}, {0, false, White}, {0, true, Black}};
    for (const auto& c : cases) {
        ToPrinter = c.paper;
        RecordingCanvas& target = c.paper ? printer : chart.canvas;
        SelectPen(c.code);
        EXPECT_EQ(target.CurrentPen().color, c.expected) << c.code << (c.paper ? " paper" : " screen");
        ReleasePen();
    }
}

TEST_F(Drawing, LinePensDependOnTheDevice)
{
    PageScale = 16;
    struct {
        int code;
        bool paper;
        CanvasPen expected;
    } const cases[] = {{0, false, {4, White}}, {0, true, {4, Black}}, {10, false, {2, White}}, {10, true, {2, Black}}};
    for (const auto& c : cases) {
        ToPrinter = c.paper;
        RecordingCanvas& target = c.paper ? printer : chart.canvas;
        SelectLinePen(c.code);
        EXPECT_EQ(target.CurrentPen(), c.expected) << c.code << (c.paper ? " paper" : " screen");
        ReleasePen();
    }
}

TEST_F(Drawing, BlackAndWhiteBrushes)
{
    SelectBrush(Red);
    EXPECT_EQ(Screen().CurrentBrush(), (CanvasBrush {Red}));
    ReleaseBrush();

    BlackWhite = true;
    SelectBrush(Red);
    EXPECT_EQ(Screen().CurrentBrush().color, White);
    ReleaseBrush();
    ToPrinter = true;
    SelectBrush(Red);
    EXPECT_EQ(printer.CurrentBrush().color, Black);
    ReleaseBrush();

    // With the second screen target set, every brush is black on screen and
    // white on paper, white ones included.
    AuxForm = &aux;
    SelectBrush(White);
    EXPECT_EQ(printer.CurrentBrush().color, White);
    ReleaseBrush();
    ToPrinter = false;
    SelectBrush(White);
    EXPECT_EQ(Screen().CurrentBrush().color, Black);
    ReleaseBrush();
    EXPECT_TRUE(Screen().SelectionsBalanced());
    EXPECT_TRUE(printer.SelectionsBalanced());
}

TEST_F(Drawing, InkColours)
{
    SetInkColor(0);
    EXPECT_EQ(Screen().TextColor(), White);
    SetInkColor(4);
    EXPECT_EQ(Screen().TextColor(), Cyan);
    ToPrinter = true;
    SetInkColor(0);
    EXPECT_EQ(printer.TextColor(), Black);
    SetInkColor(4);
    EXPECT_EQ(printer.TextColor(), Blue);
}

// A shape the drawing code leaves without a brush stands on the ground of
// its target, the colour ink code 0 reads on: black on the screen; on paper
// the stock white brush is that ground already and no brush is added, so
// the printed and exported pages keep their records.
TEST_F(Drawing, ShapesWithoutABrushAreFilledWithTheGround)
{
    struct Case {
        const char* name;
        bool printer, blackWhite, preview;
        CanvasColor ground, ink;
    };
    for (const Case& c : {Case {"screen", false, false, false, Black, White},
                          Case {"screen black-white", false, true, false, Black, White},
                          Case {"screen black-white preview", false, true, true, Black, White},
                          Case {"printer", true, false, false, White, Black},
                          Case {"printer black-white preview", true, true, true, White, Black}}) {
        ToPrinter = c.printer;
        BlackWhite = c.blackWhite;
        AuxForm = c.preview ? &aux : nullptr;
        RecordingCanvas& target = c.printer ? printer : Screen();
        target.Clear();
        DrawRect(1, 1, 5, 5);
        DrawEllipse(1, 1, 5, 5);
        ClearToGround(0, 0, 10, 10);
        SetInkColor(0);
        const auto rects = target.CallsOf(Op::Rectangle);
        ASSERT_EQ(rects.size(), 2u) << c.name;
        EXPECT_EQ(rects[0].brush, (CanvasBrush {c.ground})) << c.name;
        EXPECT_EQ(target.CallsOf(Op::Ellipse)[0].brush, (CanvasBrush {c.ground})) << c.name;
        EXPECT_EQ(rects[1].brush, (CanvasBrush {c.ground})) << c.name;
        EXPECT_EQ(rects[1].pen.color, c.ground) << c.name;
        EXPECT_EQ(target.TextColor(), c.ink) << c.name;
        EXPECT_EQ(target.CallsOf(Op::SelectBrush).size(), c.printer ? 1u : 3u) << c.name;
        EXPECT_TRUE(target.SelectionsBalanced()) << c.name;
    }
    // A brush the drawing code chose is kept.
    ToPrinter = BlackWhite = false;
    AuxForm = nullptr;
    Screen().Clear();
    SelectBrush(Red);
    DrawRect(1, 1, 5, 5);
    ReleaseBrush();
    EXPECT_EQ(Screen().CallsOf(Op::Rectangle)[0].brush, (CanvasBrush {Red}));
}

TEST_F(Drawing, FontHeightsByCode)
{
    // Round(FontScale * 30 * Z) = Round(37 * 30 * 1.5) = 1665, then divided.
    ZoomFactor = 1.5L;
    struct {
        int code;
        CanvasFont expected;
    } const cases[] = {
        {0, {"Arial", 43}},  {1, {"Arial", 55}},   {2, {"Arial", 72}},          {3, {"Arial", 83}},
        {4, {"Arial", 104}}, {5, {"Arial", 138}},  {15, {"Arial", 61}},         {16, {"Arial", 61, false, true}},
        {18, {"Arial", 79}}, {21, {"Courier", 83}}, {22, {"Courier", 75}},      {33, {"Arial", 50}},
    };
    for (const auto& c : cases) {
        SelectFontCode(c.code);
        EXPECT_EQ(Screen().CurrentFont(), c.expected) << c.code;
        ReleaseFont();
    }
    // The base is rounded half to even before the division: 0.75 * 30 =
    // 22.5 -> 22, and 22 / 23 = 0.
    FontScale = 0.75f;
    ZoomFactor = 1;
    EXPECT_EQ(FontFor(2).height, 0);
}

TEST_F(Drawing, BlackAndWhiteFontSelectionSetsInkCodeZero)
{
    Screen().SetTextColor(Red);
    SelectFontCode(1);
    EXPECT_EQ(Screen().TextColor(), Red);
    ReleaseFont();
    BlackWhite = true;
    SelectFontCode(1);
    EXPECT_EQ(Screen().TextColor(), White);
    ReleaseFont();
    ToPrinter = true;
    printer.SetTextColor(Red);
    SelectFontCode(1);
    EXPECT_EQ(printer.TextColor(), Black);
    ReleaseFont();
}

// ---- Circle, dashes, dots ----------------------------------------------------

TEST_F(Drawing, CircleOnScreenAtZoomOneIsOneClosedArc)
{
    DrawCircle(20, 30, 5);
    const auto arcs = Screen().CallsOf(Op::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].box, (CanvasRect {150, 250, 250, 350}));
    EXPECT_EQ(arcs[0].points[0], arcs[0].points[1]);
    EXPECT_TRUE(Screen().CallsOf(Op::LineTo).empty());
}

TEST_F(Drawing, CircleIsA72GonFromTheTopWhenZoomedOrOnPaper)
{
    for (const bool paper : {false, true}) {
        ZoomFactor = paper ? 1 : 1.5L;
        ToPrinter = paper;
        RecordingCanvas& target = paper ? printer : chart.canvas;
        DrawCircle(20, 30, 10);
        const long double k = 10 * ZoomFactor;
        EXPECT_TRUE(target.CallsOf(Op::Arc).empty());
        const auto moves = target.CallsOf(Op::MoveTo);
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_EQ(moves[0].points[0], (CanvasPoint {int(20 * k), int(20 * k)})); // (X, Y - R)
        const auto lines = Lines(target);
        ASSERT_EQ(lines.size(), 72u);
        // The first side turns clockwise on the page, towards the right.
        EXPECT_GT(lines[0].second.x, moves[0].points[0].x);
        EXPECT_EQ(lines[0].second.y, int(RoundHalfEven((30 - 10 * CosDeg(5)) * k)));
        EXPECT_EQ(lines[17].second, (CanvasPoint {int(30 * k), int(30 * k)})); // 90 degrees: the right end
        EXPECT_EQ(lines.back().second, moves[0].points[0]);                    // closed at the top
    }
}

TEST_F(Drawing, LastDashEndsExactlyAtTheSecondPoint)
{
    // Second points half a device unit off the grid: the least error in
    // reaching them would round to the neighbouring unit.
    struct {
        long double scale, x1, y1, x2, y2;
    } const cases[] = {{1000, 0.1L, 0.2L, 0.3L, 0.7L}, {1000, 3, 4, 1.1L, 0.7L}, {1000, 10, 10, 10.0005L, 200.3L},
                       {1000, 5, 5, 5, 5},          {1, 0.1L, 0.3L, 2.5L, 6.5L},  {1, 0.7L, 0.9L, 10.5L, 0.5L},
                       {1, 1.3L, 7.1L, 4.5L, 3.5L},  {1, 0.3L, 0.6L, 0.5L, 1.5L}};
    for (const auto& c : cases) {
        PageScale = c.scale;
        Screen().Clear();
        DashedLine(c.x1, c.y1, c.x2, c.y2);
        const auto lines = Lines(Screen());
        ASSERT_EQ(lines.size(), 15u);
        EXPECT_EQ(lines.front().first, (CanvasPoint {DeviceX(c.x1), DeviceY(c.y1)}));
        EXPECT_EQ(lines.back().second, (CanvasPoint {DeviceX(c.x2), DeviceY(c.y2)}));
    }
    // Dash k covers steps 3k..3k+2 of 44: with 44 page units, dash 1 is 3..5.
    PageScale = 1;
    Screen().Clear();
    DashedLine(0, 0, 44, 0);
    const auto lines = Lines(Screen());
    EXPECT_EQ(lines[1], std::make_pair(CanvasPoint {3, 0}, CanvasPoint {5, 0}));
}

TEST_F(Drawing, DottedLines)
{
    // L = 10: Round(6) dots, 3 * 10 / 17 page units apart.
    DottedLine(0, 0, 10, 0);
    const auto dots = Screen().CallsOf(Op::Ellipse);
    ASSERT_EQ(dots.size(), 6u);
    EXPECT_EQ(dots[0].box, (CanvasRect {-5, -5, 5, 5}));
    EXPECT_EQ(dots[5].box.left, int(RoundHalfEven((5 * 30.0L / 17 - 0.5L) * 10)));

    Screen().Clear();
    FineDottedLine(0, 0, 0, 2.5L); // Round(1.5) = 2 dots of radius 0.3
    const auto fine = Screen().CallsOf(Op::Ellipse);
    ASSERT_EQ(fine.size(), 2u);
    EXPECT_EQ(fine[0].box, (CanvasRect {-3, -3, 3, 3}));
}

// ---- Texts -----------------------------------------------------------------

TEST_F(Drawing, TextsTopAlignedAndCutAt120Characters)
{
    const std::string whole(120, 'x');
    TextLeft(whole, 1, 1, 2);
    TextRight(whole + "yz", 1, 3, 4);
    TextCenter("àè", 1, 5, 6);
    const auto texts = Screen().CallsOf(Op::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, whole);
    EXPECT_EQ(texts[1].text, whole);
    EXPECT_EQ(texts[2].text, "àè");
    EXPECT_EQ(texts[0].align, TextAlign::Left | TextAlign::Top);
    EXPECT_EQ(texts[1].align, TextAlign::Right | TextAlign::Top);
    EXPECT_EQ(texts[2].align, TextAlign::Center | TextAlign::Top);
    EXPECT_EQ(texts[1].points[0], (CanvasPoint {30, 40}));
    EXPECT_EQ(texts[0].backgroundMode, BackgroundMode::Transparent);
    EXPECT_EQ(texts[0].font.height, 37); // Round(37 * 30) / 30
}

// ---- Glyphs ----------------------------------------------------------------

TEST_F(Drawing, AspettiGlyphStrokesAndPens)
{
    // size 20: one grid unit is 9 page units, 90 device units, around (50, 50).
    auto at = [](int gx, int gy) { return CanvasPoint {500 + 90 * gx, 500 + 90 * gy}; };
    struct Case {
        int code;
        bool paper;
        CanvasColor pen;
        std::vector<std::pair<CanvasPoint, CanvasPoint>> lines;
    };
    const std::vector<Case> cases = {
        {7, false, Red, {{at(0, -4), at(-3, 3)}, {at(-3, 3), at(3, 3)}}},
        {2, false, Cyan, {{at(-3, 0), at(3, 0)}, {at(3, -3), at(-3, 3)}, {at(-3, -3), at(3, 3)}}},
        {2, true, Blue, {{at(-3, 0), at(3, 0)}, {at(3, -3), at(-3, 3)}, {at(-3, -3), at(3, 3)}}},
        {13, true, Green, {{at(-5, -2), at(4, -2)}, {at(-5, 1), at(4, 1)}}},
        {8, false, Cyan, {{at(-3, -4), at(3, -4)}, {at(-3, 3), at(0, -4)}, {at(0, -4), at(3, 3)}}},
    };
    for (const Case& c : cases) {
        ToPrinter = c.paper;
        RecordingCanvas& target = c.paper ? printer : chart.canvas;
        target.Clear();
        DrawAspectGlyph(c.code, 50, 50, 20);
        EXPECT_EQ(Lines(target), c.lines) << c.code;
        for (const auto& call : target.CallsOf(Op::LineTo))
            EXPECT_EQ(call.pen.color, c.pen) << c.code;
        EXPECT_TRUE(target.SelectionsBalanced()) << c.code;
    }
    // Every glyph of the table joins all its pairs: 18 pairs, 17 lines in glyph 5.
    Screen().Clear();
    DrawAspectGlyph(5, 50, 50, 20);
    EXPECT_EQ(Lines(Screen()).size(), 17u);
    Screen().Clear();
    DrawAspectGlyph(11, 50, 50, 20);
    EXPECT_EQ(Lines(Screen()).size(), 7u);
}

TEST_F(Drawing, StrokeGlyphStopsAtTheLimit)
{
    PageScale = 1;
    const std::vector<std::int8_t> data = {0, 0, 10, 0, kPenUp, 0, 0, 10, 10, 10, 20, 10};
    auto linesWith = [&](int limit) {
        Screen().Clear();
        DrawStrokeGlyph(data, 4, limit, 0, 0, 1 / 0.45L);
        return Lines(Screen());
    };
    using L = std::vector<std::pair<CanvasPoint, CanvasPoint>>;
    EXPECT_EQ(linesWith(100), (L {{{0, 0}, {10, 0}}, {{0, 10}, {10, 10}}, {{10, 10}, {20, 10}}}));
    EXPECT_EQ(linesWith(9), (L {{{0, 0}, {10, 0}}, {{0, 10}, {10, 10}}})); // pair at byte 9 not processed
    EXPECT_EQ(linesWith(1), L {});
    EXPECT_EQ(Screen().CurrentPen(), CanvasPen {});
}

// ---- House ring, angle marks ------------------------------------------------

TEST_F(Drawing, HouseRingLinePens)
{
    ToPrinter = true;
    std::array<long double, 14> cusps {};
    for (int i = 1; i <= 13; ++i)
        cusps[i] = 40 + 30 * (i - 1);
    DrawHouseRing(cusps, 100, 100, 47, 39);

    // Two circles with line pen 10 (black, S/8 on paper), as 72-gons.
    const auto lines = printer.CallsOf(Op::LineTo);
    ASSERT_EQ(lines.size(), 2 * 72 + 12u);
    for (std::size_t i = 0; i < 144; ++i)
        ASSERT_EQ(lines[i].pen, (CanvasPen {1, Black}));
    // Cusp lines: houses 1 and 4 (both ends) with line pen 0 (S/4), the rest pen 10.
    for (std::size_t i = 0; i < 12; ++i) {
        const int house = int(i / 2) + 1;
        EXPECT_EQ(lines[144 + i].pen.width, house == 1 || house == 4 ? 2 : 1) << house;
    }
    // Cusp 1 runs at the left from radius 47 to 39.
    EXPECT_EQ(lines[144].points[0], (CanvasPoint {530, 1000}));
    EXPECT_EQ(lines[144].points[1], (CanvasPoint {610, 1000}));

    std::vector<std::string> numbers;
    for (const auto& t : printer.CallsOf(Op::TextOut))
        numbers.push_back(t.text);
    EXPECT_EQ(numbers, (std::vector<std::string> {"1", "7", "2", "8", "3", "9", "4", "10", "5", "11", "6", "12"}));
    EXPECT_EQ(printer.CallsOf(Op::TextOut)[0].textColor, Black);
    EXPECT_EQ(printer.CallsOf(Op::TextOut)[0].font.height, FontFor(2).height);

    // Outer radius 70 or more: no circles.
    printer.Clear();
    DrawHouseRing(cusps, 100, 100, 70, 60);
    EXPECT_EQ(printer.CallsOf(Op::LineTo).size(), 12u);
    EXPECT_TRUE(printer.SelectionsBalanced());
}

TEST_F(Drawing, AngleMarksAddTheMidheavenOnlyForMeanHouses)
{
    std::array<long double, 14> cusps {};
    auto texts = [&] {
        std::vector<std::string> out;
        for (const auto& t : Screen().CallsOf(Op::TextOut))
            out.push_back(t.text);
        return out;
    };
    const std::string saved = HouseSystemSetting;
    for (const char* system : {"PLACIDO", "CASE_MEDIE"}) {
        HouseSystemSetting = system;
        ComputeHouses(1, 9, 11, cusps, "N", -1, 0, 12, 0, "N", 28, 45, "E", 2451545.0L);
        Screen().Clear();
        DrawAngleMarks(cusps, 100, 100, 83);
        const auto t = texts();
        const bool mean = std::string(system) == "CASE_MEDIE";
        // 2 ascendant degrees and "AS"; then "MC", its degree and 6 x 2 - 2 marks.
        EXPECT_EQ(t.size(), mean ? 15u : 3u) << system;
        EXPECT_EQ(std::count(t.begin(), t.end(), "MC"), mean ? 1 : 0) << system;
        EXPECT_EQ(Screen().CallsOf(Op::Ellipse).size(), mean ? 14u : 1u) << system;
        EXPECT_TRUE(Screen().SelectionsBalanced());
    }
    HouseSystemSetting = saved;
    // The red axis mark leaves the ascendant at the left, outwards.
    const auto first = Screen().CallsOf(Op::LineTo)[0];
    EXPECT_EQ(first.pen.color, Red);
    EXPECT_EQ(first.points[0], (CanvasPoint {170, 1000}));
    EXPECT_EQ(first.points[1], (CanvasPoint {70, 1000}));
}

// ---- Badge and page frame ----------------------------------------------------

TEST_F(Drawing, BadgeUsesWindingFillAndARedCaption)
{
    DrawBadge(0, 0);
    const auto polygons = Screen().CallsOf(Op::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(polygons[0].fillMode, PolyFillMode::Winding);
    EXPECT_EQ(polygons[0].points.size(), 6u);
    EXPECT_EQ(polygons[0].points[0], (CanvasPoint {150, 1280}));
    EXPECT_EQ(polygons[0].brush.color, Yellow);
    EXPECT_EQ(polygons[0].pen.color, Red);
    const auto rects = Screen().CallsOf(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].box, (CanvasRect {40, 1300, 350, 1350}));
    EXPECT_EQ(rects[0].brush, (CanvasBrush {Red}));
    const auto caption = Screen().CallsOf(Op::TextOut);
    ASSERT_EQ(caption.size(), 1u);
    EXPECT_EQ(caption[0].text, "Drevith 3");
    EXPECT_EQ(caption[0].points[0], (CanvasPoint {60, 1305}));
    EXPECT_EQ(caption[0].textColor, White);
    EXPECT_EQ(caption[0].backgroundColor, Red);
    EXPECT_EQ(caption[0].backgroundMode, BackgroundMode::Opaque);
    EXPECT_EQ(Screen().FillMode(), PolyFillMode::Alternate);

    Screen().Clear();
    DrawBadgeOutline(0, 0);
    EXPECT_EQ(Screen().CallsOf(Op::Rectangle)[0].brush.style, BrushStyle::Null);
    EXPECT_EQ(Screen().CallsOf(Op::TextOut)[0].textColor, Cyan);
    EXPECT_EQ(Screen().CallsOf(Op::TextOut)[0].points[0], (CanvasPoint {50, 1305}));

    BlackWhite = true;
    Screen().Clear();
    DrawBadge(0, 0);
    EXPECT_EQ(Screen().CallsOf(Op::Polygon)[0].brush.style, BrushStyle::Null);

    // In black and white the caption takes the colour that reads on the
    // field the rule leaves: black on the white field of the screen, white
    // on the black field of paper and of the preview's screen.
    struct Case {
        const char* name;
        bool printer, preview;
        CanvasColor field, caption;
    };
    for (const Case& c : {Case {"screen", false, false, White, Black}, Case {"paper", true, false, Black, White},
                          Case {"preview screen", false, true, Black, White},
                          Case {"preview paper", true, true, White, Black}}) {
        ToPrinter = c.printer;
        AuxForm = c.preview ? &aux : nullptr;
        RecordingCanvas& target = c.printer ? printer : Screen();
        target.Clear();
        DrawBadge(0, 0);
        EXPECT_EQ(target.CallsOf(Op::Rectangle)[0].brush.color, c.field) << c.name;
        const auto text = target.CallsOf(Op::TextOut)[0];
        EXPECT_EQ(text.textColor, c.caption) << c.name;
        EXPECT_EQ(text.backgroundColor, c.field) << c.name;
    }
}

TEST_F(Drawing, PageFrameOnlyOnScreenWithPrintingEnabled)
{
    PageScale = 1;
    PrinterLandscape = false;
    DrawPageFrame(chart);
    using L = std::vector<std::pair<CanvasPoint, CanvasPoint>>;
    EXPECT_EQ(Lines(Screen()), (L {{{1, 1}, {279, 1}}, {{279, 1}, {279, 405}}, {{279, 405}, {1, 405}},
                                   {{1, 405}, {1, 1}}}));
    EXPECT_EQ(Screen().CallsOf(Op::LineTo)[0].pen.color, Yellow);

    for (const auto& set : std::vector<std::function<void()>> {[] { ToPrinter = true; }, [] { ToMetafile = true; },
                                                              [] { PrintEnabled = false; }}) {
        SetUp();
        Screen().Clear();
        set();
        DrawPageFrame(chart);
        EXPECT_TRUE(Screen().CallsOf(Op::LineTo).empty());
    }
}

// ---- Symbols ---------------------------------------------------------------

namespace {

// A one-rectangle metafile, different for each file so that a test sees
// which one was played.
std::string SymbolFile(CanvasColor color)
{
    EmfCanvas emf({100, 100});
    emf.SelectPen({1, color});
    emf.Rectangle({0, 0, 100, 100});
    emf.ReleasePen();
    return emf.Bytes();
}

} // namespace

class Symbols : public Drawing {
protected:
    TempFolder folder;
};

TEST_F(Symbols, PlanetSymbolFilesAndSquare)
{
    folder.Put("Simboli/PiaX11.emf", SymbolFile(Red));    // north node
    folder.Put("Simboli/PiaXB11.emf", SymbolFile(Green)); // black and white, screen
    folder.Put("Simboli/PiaXN11.emf", SymbolFile(Blue));  // black and white, paper
    folder.Put("Simboli/PiaX08.emf", SymbolFile(Yellow)); // symbol 8 itself

    DrawPlanetSymbol(8, 8, 50, 60);
    auto rects = Screen().CallsOf(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].pen.color, Red);
    const CanvasRect r = rects[0].box;
    EXPECT_GE(r.left, 460);
    EXPECT_LE(r.right, 540);
    EXPECT_GE(r.top, 560);
    EXPECT_LE(r.bottom, 640);
    EXPECT_GE(r.right - r.left, 78);
    EXPECT_TRUE(Screen().SelectionsBalanced());

    Screen().Clear();
    DrawPlanetSymbolRaw(8, 8, 50, 60);
    EXPECT_EQ(Screen().CallsOf(Op::Rectangle).at(0).pen.color, Yellow);

    BlackWhite = true;
    Screen().Clear();
    DrawPlanetSymbol(8, 8, 50, 60);
    EXPECT_EQ(Screen().CallsOf(Op::Rectangle).at(0).pen.color, Green);

    ToPrinter = true;
    DrawPlanetSymbol(8, 8, 50, 60);
    EXPECT_EQ(printer.CallsOf(Op::Rectangle).at(0).pen.color, Blue);
}

TEST_F(Symbols, SignSymbolFileNames)
{
    EXPECT_EQ(SignSymbolFile(3, "M", TargetKind::Screen), "Zodiaco\\SegM03.emf");
    BlackWhite = true;
    EXPECT_EQ(SignSymbolFile(12, "M", TargetKind::Screen), "Zodiaco\\SegMB12.emf");
    EXPECT_EQ(SignSymbolFile(12, "M", TargetKind::Paper), "Zodiaco\\SegMN12.emf");
    EXPECT_EQ(PlanetSymbolFile(1, TargetKind::Paper), "Simboli\\PiaXN01.emf");

    folder.Put("Zodiaco/SegMN12.emf", SymbolFile(Red));
    ToMetafile = true;
    DrawSignSymbol(12, "M", 9, 100, 100);
    EXPECT_EQ(metafile.CallsOf(Op::Rectangle).size(), 1u);
}

TEST_F(Symbols, NotDrawnWhileTheChartWindowIsHiddenEvenWhenPrinting)
{
    folder.Put("Simboli/PiaX01.emf", SymbolFile(Red));
    ToPrinter = true;
    chart.visible = false;
    DrawPlanetSymbol(1, 7, 50, 50);
    ChartForm = nullptr;
    AuxForm = &aux;
    ToPrinter = false;
    DrawPlanetSymbol(1, 7, 50, 50);
    for (RecordingCanvas* c : All())
        EXPECT_TRUE(c->Calls().empty());

    ChartForm = &chart;
    chart.visible = true;
    ToPrinter = true;
    DrawPlanetSymbol(1, 7, 50, 50);
    EXPECT_EQ(printer.CallsOf(Op::Rectangle).size(), 1u);
}

TEST_F(Symbols, MissingFileThrowsAndDamagedFileDrawsNothing)
{
    ToPrinter = ToMetafile = true;
    try {
        DrawPlanetSymbol(2, 7, 50, 50);
        ADD_FAILURE() << "no error for a missing symbol";
    } catch (const IoError& e) {
        EXPECT_NE(e.File().find("PiaX02.emf"), std::string::npos);
    }
    std::string damaged = SymbolFile(Red);
    damaged.resize(damaged.size() - 6);
    folder.Put("Simboli/PiaX02.emf", damaged);
    DrawPlanetSymbol(2, 7, 50, 50);
    for (RecordingCanvas* c : All())
        EXPECT_TRUE(c->Calls().empty());
}

// ---- Balance -----------------------------------------------------------------

TEST_F(Drawing, EveryPrimitiveReleasesWhatItSelects)
{
    std::array<long double, 14> cusps {};
    for (int i = 1; i <= 13; ++i)
        cusps[i] = 10 + 30 * (i - 1);
    const std::vector<std::pair<const char*, std::function<void()>>> primitives = {
        {"circle", [] { DrawCircle(50, 50, 10); }},
        {"dashed", [] { DashedLine(0, 0, 10, 10); }},
        {"dotted", [] { DottedLine(0, 0, 10, 10); }},
        {"text", [] { TextCenter("prova", 3, 10, 10); }},
        {"glyph", [] { DrawAspectGlyph(11, 10, 10, 5); }},
        {"ring", [&] { DrawHouseRing(cusps, 100, 100, 47, 39); }},
        {"marks", [&] { DrawAngleMarks(cusps, 100, 100, 83); }},
        {"badge", [] { DrawBadge(5, 50); }},
        {"outline", [] { DrawBadgeOutline(5, 50); }},
        {"stamp", [] { DrawDateStamp(270, 190); }},
        {"frame", [this] { DrawPageFrame(chart); }},
    };
    for (const bool paper : {false, true}) {
        ToPrinter = ToMetafile = paper;
        BlackWhite = paper;
        for (const auto& [name, draw] : primitives) {
            for (RecordingCanvas* c : All())
                c->Clear();
            draw();
            for (RecordingCanvas* c : All())
                EXPECT_TRUE(c->SelectionsBalanced()) << name << (paper ? " paper" : " screen");
            RecordingCanvas& target = paper ? metafile : chart.canvas;
            if (std::string(name) != "frame" || !paper) {
                EXPECT_FALSE(target.Calls().empty()) << name;
            }
        }
    }
}
