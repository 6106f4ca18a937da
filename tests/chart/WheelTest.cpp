// The chart window's logic without a window: spreading of crowded symbols,
// the 15-pixel hit rule, the click cycles, the position files, the
// information sections, the attribution lookup, the aspect classification,
// the power bars, the exchange marks, and the knowledge-base lookups on an
// empty program folder.
#include "chart/AnalysisPages.h"
#include "chart/Attributions.h"
#include "chart/TraditionalRules.h"
#include "chart/Wheel.h"
#include "core/Angles.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

long double Gap(long double a, long double b)
{
    long double d = std::fmod(std::fabs(a - b), 360.0L);
    return d > 180 ? 360 - d : d;
}

void EqualCusps(long double first = 0)
{
    for (int h = 1; h <= 12; ++h)
        HouseCusps[std::size_t(h)] = Norm360(first + (h - 1) * 30);
    HouseCusps[13] = HouseCusps[1];
}

} // namespace

TEST(WheelSpread, ThreeBodiesWithinTwoDegreesAreCentredEightApart)
{
    const auto shown = Wheel::SpreadAngles({101, 100, 102, 200, 300});
    EXPECT_NEAR(shown[1], 93, 1e-9);
    EXPECT_NEAR(shown[0], 101, 1e-9);
    EXPECT_NEAR(shown[2], 109, 1e-9);
    EXPECT_NEAR(shown[3], 200, 1e-9);
    EXPECT_NEAR(shown[4], 300, 1e-9);
}

TEST(WheelSpread, ClusterAgainstItsNeighbourStaysPushedForward)
{
    // The body at 92 leaves no room to move the pair back.
    const auto shown = Wheel::SpreadAngles({92, 100, 104, 250});
    EXPECT_NEAR(shown[0], 92, 1e-9);
    EXPECT_NEAR(shown[1], 100, 1e-9);
    EXPECT_NEAR(shown[2], 108, 1e-9);
}

TEST(WheelSpread, ClusterMovesBackOnlyAsFarAsTheNeighbourAllows)
{
    // Mean push 7 would take the head to 93; the body at 87 allows 95.
    const auto shown = Wheel::SpreadAngles({87, 100, 101, 102, 250});
    EXPECT_NEAR(shown[1], 95, 1e-9);
    EXPECT_NEAR(shown[2], 103, 1e-9);
    EXPECT_NEAR(shown[3], 111, 1e-9);
}

TEST(WheelSpread, ClusterAcrossZeroAries)
{
    const auto shown = Wheel::SpreadAngles({359, 1, 180});
    EXPECT_NEAR(shown[0], 356, 1e-9);
    EXPECT_NEAR(shown[1], 4, 1e-9);
}

TEST(WheelSpread, NoTwoSymbolsCloserThanEightDegrees)
{
    const std::vector<std::vector<long double>> charts = {
        {50, 51, 52, 53, 54, 120, 200, 210, 300, 20, 110},  // five-planet stellium
        {10, 10, 10, 10, 10, 10, 10, 190, 100, 280, 5},      // seven in one degree
        {355, 357, 359, 1, 3, 5, 90, 270, 175, 185, 180},    // across 0 and 180
    };
    for (const auto& chart : charts) {
        const auto shown = Wheel::SpreadAngles(chart);
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j)
                EXPECT_GE(Gap(shown[i], shown[j]), 8 - 1e-9) << i << " " << j;
    }
}

TEST(WheelHit, FourteenPixelsHitFifteenDoNot)
{
    const DrawingScope drawing;
    PageScale = 4, ZoomFactor = 1, StretchX = StretchY = 1, OriginX = OriginY = 0;
    EXPECT_TRUE(Wheel::Hits(214, 200, 50, 50));
    EXPECT_FALSE(Wheel::Hits(215, 200, 50, 50));
    EXPECT_TRUE(Wheel::Hits(200, 186, 50, 50));
    EXPECT_FALSE(Wheel::Hits(200, 185, 50, 50));
    OriginX = 10;
    EXPECT_TRUE(Wheel::Hits(224, 200, 50, 50));
    EXPECT_FALSE(Wheel::Hits(195, 200, 50, 50));
}

// The drawing as tall as the window (210 page units), unless the column
// would be narrower than its captions need; the column takes the rest of
// the width and the whole height. PageScale is the start screen's height /
// 210.
TEST(WheelFit, DrawingByHeightColumnByTheRest)
{
    struct Case {
        const char* name;
        int startHeight, width, height, need;
        long double stretchX, zoom, columnWidth, columnBottom;
    };
    const Case cases[] = {
        // 1024 / 210 = 4.876 px a unit: 197 units take 960.6 px, 319.4 are
        // left. A column of 400 px leaves 880 px to the 197 units.
        {"1280x1024, column fits", 1024, 1280, 1024, 300, 1, 1, 65.5, 210},
        {"1280x1024, column too narrow", 1024, 1280, 1024, 400, 1, 880 / 960.609524L, 89.545455L, 229.236364L},
        {"1920x1080", 1080, 1920, 1080, 300, 1, 1, 176.333333L, 210},
        {"3840x2160", 2160, 3840, 2160, 300, 1, 1, 176.333333L, 210},
        {"3840x2160 from a 1024 start", 1024, 3840, 2160, 300, 1, 2160 / 1024.0L, 176.333333L, 210},
        // Stretched across by 1.25: 2.926 px a unit across, 466.9 units.
        {"1366x768 stretched", 768, 1366, 768, 300, 1.25L, 1, 269.894531L, 210},
    };
    for (const Case& c : cases) {
        PageScale = c.startHeight / 210.0L, StretchX = c.stretchX, StretchY = 1;
        const Wheel::WindowFit fit = Wheel::FitWindow(c.width, c.height, c.need);
        EXPECT_NEAR(double(fit.zoom), double(c.zoom), 1e-6) << c.name;
        EXPECT_NEAR(double(fit.columnWidth), double(c.columnWidth), 1e-4) << c.name;
        EXPECT_NEAR(double(fit.columnBottom), double(c.columnBottom), 1e-4) << c.name;
        // The column is never narrower than its need, in pixels.
        EXPECT_GE(double(fit.columnWidth * PageScale / StretchX * fit.zoom), c.need - 1e-6) << c.name;
    }
    StretchX = 1;
}

TEST(WheelCycles, BodyClicksCycleAndStopAtAStepThatDoesNotApply)
{
    using S = Wheel::SymbolStep;
    struct Case {
        int body;
        std::vector<S> steps;
    };
    const Case cases[] = {
        {2, {S::Attributions, S::Plants, S::Hidden, S::Antiscia, S::Attributions}},
        // The nodes have no antiscia: from the fourth click on they are only
        // selected again; the angles have no plants either.
        {8, {S::Attributions, S::Plants, S::Hidden, S::SelectOnly, S::SelectOnly}},
        {10, {S::Attributions, S::SelectOnly, S::SelectOnly}},
        {11, {S::Attributions, S::SelectOnly}},
    };
    for (const Case& c : cases) {
        int cycle = 0;
        for (std::size_t i = 0; i < c.steps.size(); ++i)
            EXPECT_EQ(Wheel::NextBodyStep(c.body, cycle), c.steps[i]) << "body " << c.body << " click " << i;
    }
    int sign = 0;
    for (S s : {S::Attributions, S::Plants, S::Hidden, S::Antiscia, S::Attributions})
        EXPECT_EQ(Wheel::NextSignStep(sign), s);
    EXPECT_EQ(Wheel::BodySection(S::Plants), 29);
    EXPECT_EQ(Wheel::BodySection(S::SelectOnly), 0);
    EXPECT_EQ(Wheel::SignSection(S::Antiscia), 33);
}

TEST(WheelCycles, PageCountersWrap)
{
    int counter = 0;
    std::vector<int> subs;
    for (int i = 0; i < 5; ++i)
        subs.push_back(Wheel::NextSubPage(Wheel::Page::Aspetti, counter));
    EXPECT_EQ(subs, (std::vector<int> {0, 1, 2, 3, 0}));
    counter = 0;
    EXPECT_EQ(Wheel::NextSubPage(Wheel::Page::Archetip, counter), 0);
    EXPECT_EQ(Wheel::NextSubPage(Wheel::Page::Archetip, counter), 0);
}

TEST(WheelPositions, HousesCountFifteenDegreesBeforeTheCusp)
{
    EqualCusps(0);
    EXPECT_EQ(Wheel::HouseOf(120 - 14, HouseCusps), 5);
    EXPECT_EQ(Wheel::HouseOf(120 - 16, HouseCusps), 4);
    EXPECT_EQ(Wheel::HouseOf(350, HouseCusps), 1);
    EXPECT_EQ(Wheel::TermSectorOf(345, 0), 1);
    EXPECT_EQ(Wheel::TermSectorOf(344.9L, 0), 60);
    EXPECT_EQ(DecanNumber(359.9L), 36);
    EXPECT_EQ(TraditionalRules::DecanRulerOf(1), 5);
    EXPECT_EQ(TraditionalRules::DecanRulerOf(36), 5);
}

TEST(WheelPositions, PositionFileKeyGroups)
{
    TempFolder dir;
    EqualCusps(0);
    BodyLongitude.fill(0);
    for (int b = 1; b <= 7; ++b)
        BodyLongitude[std::size_t(b)] = 200 + b * 20;
    BodyLongitude[1] = 120 - 14; // Sun: 16 Cancer, 14 degrees before cusp 5
    BodyLongitude[2] = -140;     // Moon retrograde mark, 20 Leo
    BodyLongitude[11] = 10;      // north node
    for (int a = 1; a <= 14; ++a)
        AspectOrb[std::size_t(a)] = 2;
    Wheel::WritePositionFiles();
    const auto lines = ReadTextLines("OpzioneT\\PosiPian.txt");
    ASSERT_GE(lines.size(), std::size_t(77));
    EXPECT_EQ(lines[0], "SoleCanc");
    EXPECT_EQ(lines[1], "LunaLeon");
    EXPECT_EQ(lines[8], "NSudBila");
    EXPECT_EQ(lines[11], "SoleQuin");
    EXPECT_EQ(lines[22], "Sole21"); // (106 + 15) / 6 = 20.2: the 21st sector
    EXPECT_EQ(lines[33], "Sol-11");
    EXPECT_EQ(lines[44], "SO11");
    EXPECT_EQ(lines[55], "SoleAnGeme"); // 180 - 106 = 74, Gemini
    EXPECT_EQ(lines[66], "SoleCaSagi"); // 360 - 106 = 254, Sagittarius
}

TEST(WheelSections, SectionsBetweenHashLinesThroughACopy)
{
    TempFolder dir;
    dir.Put("Appoggio/Messaggi.txt", "# 1 UNO\r\nriga a\r\nriga b\r\n# 2 DUE\r\nriga c\r\n");
    EXPECT_EQ(Wheel::InfoSection(1), (std::vector<std::string> {"riga a", "riga b"}));
    EXPECT_EQ(Wheel::InfoSection(2), (std::vector<std::string> {"riga c"}));
    EXPECT_TRUE(Wheel::InfoSection(7).empty());
    EXPECT_FALSE(dir.Has("Appoggio/Mex.txt"));
}

TEST(WheelSections, MissingMessagesFileIsAFileError)
{
    TempFolder dir;
    EXPECT_THROW(Wheel::InfoSection(1), IoError);
}

TEST(AttributionLookup, ThreeTriesInOrder)
{
    const std::string pad(13, ' ');
    const std::string long80(90, 'x');
    const std::vector<std::string> table = {
        "LunaLeon" + pad + "la Luna in Leone",
        "SoleLeon" + pad + "il Sole in Leone " + long80,
        "Sole05  " + pad + "termine " + long80,
        "Sol-14  " + pad + "decano del Sole",
        "SO14    " + pad + "decade del Sole",
        "Mcie05 x" + pad + "mediocielo",
    };
    const auto sun = Attributions::BodyCodes(1);
    const std::string first = Attributions::SpecificText("SoleLeon", table, sun);
    EXPECT_EQ(first.size(), std::size_t(60));
    EXPECT_EQ(first.substr(0, 16), "il Sole in Leone");
    const std::string term = Attributions::SpecificText("Sole05", table, sun);
    EXPECT_EQ(term.size(), std::size_t(80));
    EXPECT_EQ(term.substr(0, 7), "termine");
    EXPECT_EQ(Attributions::SpecificText("Sol-14", table, sun), "decano del Sole");
    EXPECT_EQ(Attributions::SpecificText("SO14", table, sun), "decade del Sole");
    EXPECT_EQ(Attributions::SpecificText("LunaLeon", table, sun), "");
    EXPECT_EQ(Attributions::SpecificText("SoleVerg", table, sun), "");
    // A Midheaven key with a blank in column 7 counts by its first six.
    EXPECT_EQ(Attributions::SpecificText("Mcie05", table, Attributions::BodyCodes(11)), "mediocielo");
    EXPECT_EQ(Attributions::GeneralTexts({"SO uno", "LU due", "SO tre"}, "SO"),
              (std::vector<std::string> {"uno", "tre"}));
}

TEST(AttributionLookup, BodyFromThePositionFile)
{
    TempFolder dir;
    dir.Put("OpzioneT/PosiPian.txt", "LunaLeon\r\nLunaQuin\r\nLU14\r\n");
    dir.Put("OpzioneT/SpgPianSpe.Txt",
            "LunaLeon             la Luna in Leone\r\nLU14                 decade della Luna\r\n");
    dir.Put("OpzioneT/SpgPian.txt", "LU la Luna\r\nSO il Sole\r\n");
    BodyLongitude[2] = 140;
    const Attributions::Result r = Attributions::ForBody(2);
    ASSERT_EQ(r.specific.size(), std::size_t(4));
    EXPECT_EQ(r.specific[0].substr(0, 5), "LUNA ");
    EXPECT_EQ(r.specific[1], "la Luna in Leone");
    EXPECT_EQ(r.specific[2], "decade della Luna");
    EXPECT_EQ(r.specific[3].substr(0, 24), "Dodecatemorie LUNA = 00\xB0"); // 20 Leo: 240 past Leo, Aries
    EXPECT_EQ(r.general, (std::vector<std::string> {"la Luna"}));
    EXPECT_EQ(r.specificLabel, "ATTRIBUZIONI SPECIFICHE al PIANETA");
    EXPECT_EQ(r.generalLabel, "ATTRIBUZIONI GENERALI al PIANETA");
}

TEST(AspettiGrid, ClassificationOrderAndOrbs)
{
    for (int a = 1; a <= 14; ++a)
        AspectOrb[std::size_t(a)] = 1;
    AspectOrb[12] = 4; // 144
    AspectOrb[13] = 3; // 150
    AspectOrb[10] = 4; // 120
    struct Case {
        long double s;
        bool majors;
        int glyph;
    };
    const Case cases[] = {
        {179.5L, false, 5}, {179.0L, false, 0}, {147.5L, false, 8}, {146.5L, false, 11}, {141.0L, false, 11},
        {121.0L, false, 4}, {0.5L, false, 1},   {100, false, 0},    {147.5L, true, 0},  {60.5L, true, 2},
        {45.5L, true, 0},   {45.5L, false, 7},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AnalysisPages::ClassifyAspetto(c.s, c.majors).glyph, c.glyph) << double(c.s) << " " << c.majors;
    EXPECT_EQ(AnalysisPages::DeviationText(120, 117.4L), "03");
    EXPECT_EQ(AnalysisPages::DeviationText(0, 0.2L), "00");
    EXPECT_NEAR(Separation(350, 10), 20, 1e-12);
}

TEST(PowerBars, ScaledToThirtyAtLeastThreeColouredBySign)
{
    const auto bars = AnalysisPages::PowerBars({100, -50, 5, 0, 12345});
    ASSERT_EQ(bars.size(), std::size_t(5));
    EXPECT_EQ(bars[4].length, 30);
    EXPECT_EQ(bars[4].text, "1234");
    EXPECT_EQ(bars[1].length, 3); // -50 / (12345 / 30) is about -0.12
    EXPECT_TRUE(bars[1].negative);
    EXPECT_FALSE(bars[0].negative);
    EXPECT_EQ(bars[2].length, 3);
    EXPECT_EQ(bars[3].length, 3);
    const auto negative = AnalysisPages::PowerBars({-20, -10, 0});
    EXPECT_EQ(negative[0].length, 30);
    EXPECT_EQ(negative[1].length, 15);
    EXPECT_TRUE(negative[0].negative);
    const auto zero = AnalysisPages::PowerBars({0, 0});
    EXPECT_EQ(zero[0].length, 3);
}

TEST(Exchanges, PairsMarkedFirstAndLater)
{
    TempFolder dir;
    dir.Put("Scambi/Scambio22.txt", "01040205\r\n05090601\r\n");
    dir.Put("Scambi/Scambio33.txt", "030304020707\r\n");
    dir.Put("Scambi/Scambio44.txt", "");
    dir.Put("Scambi/Scambio55.txt", "");
    std::array<int, 8> signs {0, 4, 5, 3, 2, 9, 1, 7};
    const auto marks = AnalysisPages::ExchangeMarks(signs);
    EXPECT_EQ(marks[1], 21);
    EXPECT_EQ(marks[2], 21);
    EXPECT_EQ(marks[5], 22);
    EXPECT_EQ(marks[6], 22);
    EXPECT_EQ(marks[3], 31);
    EXPECT_EQ(marks[4], 31);
    EXPECT_EQ(marks[7], 31);
}

TEST(KnowledgeBase, EmptyProgramFolderGivesHeadingsOnly)
{
    TempFolder dir;
    EXPECT_TRUE(Attributions::PlantNames("Sole", "Qualsiasi").empty());
    const auto plant = Attributions::PlantDetails("Salvia");
    EXPECT_EQ(plant.details, (std::vector<std::string> {"PIANTE"}));
    EXPECT_EQ(plant.remedies.front(), "SINTOMI CURABILI con Salvia");
    const auto found = Attributions::SignatureSearch("Sole", "Leone", false);
    EXPECT_EQ(found.heading, "RIMEDI con Segnatura Sole/Leone");
    EXPECT_TRUE(found.items.empty());
    EXPECT_EQ(Attributions::SignatureSearch("Luna", "Pesci", true).heading, "PATOLOGIE con Segnatura Luna/Pesci");
}
