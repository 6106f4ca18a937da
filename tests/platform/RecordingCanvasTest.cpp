// The canvas's bookkeeping (selections, current point, text state) as the
// recording canvas reports it, the arc geometry and the font face names.
#include "platform/RecordingCanvas.h"

#include <gtest/gtest.h>

using Op = RecordingCanvas::Op;

namespace {

constexpr CanvasColor Red = CanvasRgb(255, 0, 0);
constexpr CanvasColor Blue = CanvasRgb(0, 0, 255);

} // namespace

TEST(RecordingCanvas, ColoursAreRedInTheLowByte) {
    EXPECT_EQ(Red, 0x0000FFu);
    EXPECT_EQ(Blue, 0xFF0000u);
    EXPECT_EQ(RedOf(CanvasRgb(1, 2, 3)), 1);
    EXPECT_EQ(GreenOf(CanvasRgb(1, 2, 3)), 2);
    EXPECT_EQ(BlueOf(CanvasRgb(1, 2, 3)), 3);
}

TEST(RecordingCanvas, EachCallKeepsItsCoordinatesAndTheStateInForce) {
    RecordingCanvas c;
    c.SelectPen({3, Red, PenStyle::Dash});
    c.SelectBrush({Blue, BrushStyle::Solid});
    c.Rectangle({10, 20, 30, 40});
    c.ReleaseBrush();
    c.Ellipse({1, 2, 3, 4});
    c.ReleasePen();
    c.SelectFont({"Courier", -12, true, false});
    c.SetTextColor(Blue);
    c.SetBackgroundMode(BackgroundMode::Transparent);
    c.TextOut({5, 6}, "Città", TextAlign::Right | TextAlign::Baseline);
    c.ReleaseFont();

    const auto rects = c.CallsOf(Op::Rectangle);
    ASSERT_EQ(rects.size(), 1u);
    EXPECT_EQ(rects[0].box, (CanvasRect{10, 20, 30, 40}));
    EXPECT_EQ(rects[0].pen, (CanvasPen{3, Red, PenStyle::Dash}));
    EXPECT_EQ(rects[0].brush, (CanvasBrush{Blue, BrushStyle::Solid}));

    // The ellipse comes after the brush's release: the stock white brush.
    const auto ellipses = c.CallsOf(Op::Ellipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].brush, CanvasBrush{});
    EXPECT_EQ(ellipses[0].pen.color, Red);

    const auto texts = c.CallsOf(Op::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Città");
    EXPECT_EQ(texts[0].points, (std::vector<CanvasPoint>{{5, 6}}));
    EXPECT_EQ(texts[0].align, TextAlign::Right | TextAlign::Baseline);
    EXPECT_EQ(texts[0].font, (CanvasFont{"Courier", -12, true, false}));
    EXPECT_EQ(texts[0].textColor, Blue);
    EXPECT_EQ(texts[0].backgroundMode, BackgroundMode::Transparent);

    // After every release the stock objects are current again.
    EXPECT_EQ(c.CurrentPen(), CanvasPen{});
    EXPECT_EQ(c.CurrentFont(), CanvasFont{});
    EXPECT_TRUE(c.SelectionsBalanced());

    std::vector<Op> ops;
    for (const auto& call : c.Calls()) ops.push_back(call.op);
    EXPECT_EQ(ops, (std::vector<Op>{Op::SelectPen, Op::SelectBrush, Op::Rectangle, Op::ReleaseBrush, Op::Ellipse,
                                    Op::ReleasePen, Op::SelectFont, Op::TextOut, Op::ReleaseFont}));
}

TEST(RecordingCanvas, ReleaseRestoresThePreviousSelectionNotTheStockOne) {
    RecordingCanvas c;
    c.SelectPen({1, Red});
    c.SelectPen({2, Blue});
    c.ReleasePen();
    EXPECT_EQ(c.CurrentPen(), (CanvasPen{1, Red}));
    c.ReleasePen();
    EXPECT_EQ(c.CurrentPen(), CanvasPen{});
    EXPECT_TRUE(c.SelectionsBalanced());
}

TEST(RecordingCanvas, UnbalancedSelectionsAreReported) {
    {
        RecordingCanvas c; // a pen and a font never released
        c.SelectPen({1, Red});
        c.SelectFont({});
        c.SelectBrush({});
        c.ReleaseBrush();
        EXPECT_EQ(c.OpenSelections(), 2);
        EXPECT_EQ(c.StrayReleases(), 0);
        EXPECT_FALSE(c.SelectionsBalanced());
    }
    {
        RecordingCanvas c; // a release with nothing selected keeps the stock pen
        c.ReleasePen();
        c.SelectBrush({});
        c.ReleaseBrush();
        c.ReleaseBrush();
        EXPECT_EQ(c.OpenSelections(), 0);
        EXPECT_EQ(c.StrayReleases(), 2);
        EXPECT_FALSE(c.SelectionsBalanced());
        EXPECT_EQ(c.CurrentPen(), CanvasPen{});
        EXPECT_TRUE(c.CallsOf(Op::ReleasePen).empty());
    }
}

TEST(RecordingCanvas, LineToStartsAtTheCurrentPointAndPolylineLeavesIt) {
    RecordingCanvas c;
    c.MoveTo({1, 2});
    c.LineTo({3, 4});
    c.LineTo({5, 6});
    c.Polyline({{10, 10}, {20, 20}, {30, 10}});
    c.LineTo({7, 8});
    const auto lines = c.CallsOf(Op::LineTo);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<CanvasPoint>{{1, 2}, {3, 4}}));
    EXPECT_EQ(lines[1].points, (std::vector<CanvasPoint>{{3, 4}, {5, 6}}));
    EXPECT_EQ(lines[2].points, (std::vector<CanvasPoint>{{5, 6}, {7, 8}}));
    EXPECT_EQ(c.CallsOf(Op::Polyline).at(0).points.size(), 3u);
}

struct ArcCase {
    const char* name;
    CanvasRect box;
    CanvasPoint start, end;
    double startDegrees, sweepDegrees;
};

class ArcAnglesTest : public testing::TestWithParam<ArcCase> {};

TEST_P(ArcAnglesTest, CounterClockwiseOnTheDevice) {
    const ArcCase& k = GetParam();
    const ArcAngles a = ArcAnglesOf(k.box, k.start, k.end);
    EXPECT_NEAR(a.startDegrees, k.startDegrees, 1e-9);
    EXPECT_NEAR(a.sweepDegrees, k.sweepDegrees, 1e-9);
}

// The box 0..200 × 0..100 has its centre at (100, 50); Y grows downwards,
// so the top of the box is at 90°.
INSTANTIATE_TEST_SUITE_P(
    Arcs, ArcAnglesTest,
    testing::Values(ArcCase{"RightToTop", {0, 0, 200, 100}, {200, 50}, {100, 0}, 0, 90},
                    ArcCase{"TopToRightGoesTheLongWay", {0, 0, 200, 100}, {100, 0}, {200, 50}, 90, 270},
                    ArcCase{"BottomToRightWraps", {0, 0, 200, 100}, {100, 100}, {200, 50}, 270, 90},
                    // The ray through the box's corner meets a wide ellipse at
                    // the parameter 45°, not at the corner's 26.6° direction.
                    ArcCase{"CornerOfAWideBox", {0, 0, 200, 100}, {200, 0}, {0, 50}, 45, 135},
                    ArcCase{"PointsOutsideTheBoxCountByDirection", {0, 0, 200, 100}, {1000, 50}, {100, -500}, 0, 90},
                    ArcCase{"SameStartAndEndIsTheWholeEllipse", {0, 0, 200, 100}, {0, 50}, {0, 50}, 180, 360}),
    [](const testing::TestParamInfo<ArcCase>& i) { return std::string(i.param.name); });

TEST(ResolveFontFace, ProgramFacesBecomeTheLiberationFamilies) {
    EXPECT_EQ(ResolveFontFace("Arial"), "Liberation Sans");
    EXPECT_EQ(ResolveFontFace("ARIAL"), "Liberation Sans");
    EXPECT_EQ(ResolveFontFace("Courier"), "Liberation Mono");
    EXPECT_EQ(ResolveFontFace("courier new"), "Liberation Mono");
    EXPECT_EQ(ResolveFontFace("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(ResolveFontFace("DejaVu Sans"), "DejaVu Sans");
    EXPECT_EQ(ResolveFontFace("Arial Black"), "Arial Black");
}
