// Chart assembly on the analytic theory: the temporary files of the chart
// kinds, the houses of a moment, the whole chart at extreme dates and
// places, the rising sign of the ascendant affinity, the score tables and
// the master-planet report files.
#include "astro/Chart.h"
#include "astro/ChartScores.h"
#include "astro/Ephemeris.h"
#include "astro/Houses.h"

#include "core/Angles.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/SubjectFields.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramPath::SetRoot(folder.Path());
        ClearSharedState();
        EphemerisCorrectionTablesEnabled = false;
        HouseSystemSetting = "PLACIDO";
        NodeKind = "VERO";
        BlackMoonMode = "MEDIA";
        // Milan, 12/05/1975 14:30 local, clock one hour ahead of UT.
        SubjectState& s = CurrentSubject;
        s.Name = "Rossi Mario";
        s.DisplayDate = "12/05/1975 14:30";
        s.Day = 12;
        s.Month = 5;
        s.Year = 1975;
        s.Hour = 14;
        s.Minute = 30;
        s.Calendar = 1;
        s.Zone = -1;
        s.CoordText = "45N28 009E11";
        SplitCoordinates(s.CoordText);
        s.Place = "Milano(MI)";
    }
    void TearDown() override { EphemerisCorrectionTablesEnabled = true; }
    TempFolder folder;
};

TEST_F(ChartTest, TemporaryFilesOfTheChartKinds)
{
    const struct {
        int kind;
        const char* file;
    } kinds[] = {{1, "FileTmp\\DatiNasc.Tmp"}, {3, "FileTmp\\DatiRsol.Tmp"}, {4, "FileTmp\\DatiRmer.Tmp"},
                 {5, "FileTmp\\DatiRven.Tmp"}, {6, "FileTmp\\DatiRmar.Tmp"}, {8, "FileTmp\\DatiRlun.Tmp"},
                 {9, "FileTmp\\DatiLnuo.Tmp"}};
    for (const auto& k : kinds) {
        ASSERT_NE(ChartTempFileName(k.kind), nullptr) << k.kind;
        EXPECT_STREQ(ChartTempFileName(k.kind), k.file);
    }
    for (int none : {0, 2, 7, 10})
        EXPECT_EQ(ChartTempFileName(none), nullptr) << none;

    // Kinds 2 and 7 open nothing and write nothing.
    EXPECT_FALSE(AssembleMasterChart(2));
    EXPECT_FALSE(AssembleMasterChart(7));
    EXPECT_FALSE(folder.Has("FileDum/MMMaitre.dum"));

    // A missing file is the file layer's error, and nothing is written.
    EXPECT_THROW(AssembleMasterChart(kSolarReturn), IoError);
    EXPECT_FALSE(folder.Has("FileDum/MMMaitr2.dum"));

    // Written and read back; the locale number text is taken as well.
    WriteChartTempFile(kLunarReturn, {"Rivoluzione lunare", 2442545.1234567L});
    const ChartTempData d = ReadChartTempFile(kLunarReturn);
    EXPECT_EQ(d.Label, "Rivoluzione lunare");
    EXPECT_NEAR(static_cast<double>(d.JD), 2442545.1234567, 1e-9);
    folder.Put("FileTmp/DatiLnuo.Tmp", "Luna nuova\r\n2442545,5\r\n");
    EXPECT_EQ(ReadChartTempFile(kNewMoon).JD, 2442545.5L);
    folder.Put("FileTmp/DatiLnuo.Tmp", "Luna nuova\r\nxyz\r\n");
    EXPECT_THROW(ReadChartTempFile(kNewMoon), ConversionError);
}

TEST_F(ChartTest, HousesOfAMomentMatchTheClockTimeEntry)
{
    // At a whole minute and whole-minute coordinates the houses are those
    // of ComputeHouses given the universal hour and minute; east and west.
    const long double jd = JulianDay(1, 12, 5, 1975, 13, 30);
    for (const auto& [lonDeg, lonFlag] : {std::pair{9, "E"}, std::pair{74, "O"}}) {
        for (const auto& [latDeg, latFlag] : {std::pair{45, "N"}, std::pair{33, "S"}}) {
            std::array<long double, 14> expected {};
            ComputeHouses(1, lonDeg, 11, expected, "N", 0, 0, 13, 30, latFlag, 28, latDeg, lonFlag, jd);
            const long double lstExpected = LocalSiderealTime;
            ChartMoment m;
            m.JD = jd;
            m.LatitudeDeg = (latDeg + 28 / 60.0L) * (latFlag[0] == 'S' ? -1 : 1);
            m.LongitudeDeg = (lonDeg + 11 / 60.0L) * (lonFlag[0] == 'O' ? -1 : 1);
            ComputeChartHouses(m);
            EXPECT_NEAR(static_cast<double>(LocalSiderealTime), static_cast<double>(lstExpected), 1e-9);
            for (int k = 1; k <= 12; ++k)
                EXPECT_NEAR(static_cast<double>(HouseCusps[k]), static_cast<double>(expected[k]), 1e-7)
                    << lonFlag << latFlag << " cusp " << k;
        }
    }
    // Seconds of time and of longitude reach the sidereal time.
    ChartMoment m;
    m.JD = jd + 20.0L / 86400;
    m.LatitudeDeg = 45.5L;
    m.LongitudeDeg = -9.19L;
    ComputeChartHouses(m);
    EXPECT_NEAR(static_cast<double>(LocalSiderealTime),
                static_cast<double>(houses::ApparentLocalSiderealHours(m.JD, 13.5L + 20.0L / 3600, 360 - 9.19L)), 1e-9);
}

TEST_F(ChartTest, SubjectMomentFromTheRecord)
{
    const ChartMoment m = CurrentSubjectMoment();
    EXPECT_NEAR(static_cast<double>(m.JD), static_cast<double>(JulianDay(1, 12, 5, 1975, 13, 30)), 1e-9);
    EXPECT_NEAR(static_cast<double>(m.LatitudeDeg), 45 + 28 / 60.0, 1e-12);
    EXPECT_NEAR(static_cast<double>(m.LongitudeDeg), 9 + 11 / 60.0, 1e-12);
    SplitCoordinates("33S52 151W12");
    const ChartMoment s = CurrentSubjectMoment();
    EXPECT_NEAR(static_cast<double>(s.LatitudeDeg), -(33 + 52 / 60.0), 1e-12);
    EXPECT_NEAR(static_cast<double>(s.LongitudeDeg), -(151 + 12 / 60.0), 1e-12);
}

TEST_F(ChartTest, WholeChartIsFiniteAtExtremeDatesAndPlaces)
{
    const struct {
        const char* name;
        long double jd, lat, lon;
    } cases[] = {
        {"year_minus_3000", 625673.5L, 45, 9},   {"year_3000", 2816787.5L, 45, 9},
        {"north_pole", 2451545.25L, 90, 0},      {"south_pole", 2451545.25L, -90, 0},
        {"beyond_polar_circle", 2451545.25L, 70, 25}, {"equator_date_line", 2451545.25L, 0, 180},
    };
    for (const auto& c : cases) {
        const WholeChart w = ComputeWholeChart({c.jd, c.lat, c.lon, 0});
        EXPECT_TRUE(std::isfinite(w.SiderealTime)) << c.name;
        EXPECT_TRUE(std::isfinite(w.EquationOfTime)) << c.name;
        for (int b = 1; b <= 19; ++b) {
            EXPECT_TRUE(std::isfinite(BodyLongitude[b])) << c.name << " body " << b;
            EXPECT_TRUE(std::isfinite(BodyLatitude[b])) << c.name << " body " << b;
            EXPECT_TRUE(std::isfinite(BodyRightAscension[b])) << c.name << " body " << b;
            EXPECT_TRUE(std::isfinite(BodyDeclination[b])) << c.name << " body " << b;
        }
        for (int k = 1; k <= 12; ++k)
            EXPECT_TRUE(std::isfinite(HouseCusps[k])) << c.name << " cusp " << k;
        EXPECT_EQ(w.Hour.Known(), w.Hour.Ruler != 0) << c.name;
        EXPECT_EQ(BodyLongitude[13], HouseCusps[1]) << c.name;
        EXPECT_EQ(BodyLongitude[14], HouseCusps[7]) << c.name;
    }
}

TEST(ChartRisingSign, LastThreeDegreesUseTheNextSign)
{
    EXPECT_EQ(RisingSignForAffinity(27.5L), 2);        // 27.5 Aries -> Taurus
    EXPECT_EQ(RisingSignForAffinity(26.9L), 1);        // 26.9 Aries stays
    EXPECT_EQ(RisingSignForAffinity(330 + 27.5L), 1);  // Pisces wraps to Aries
    EXPECT_EQ(RisingSignForAffinity(120 + 29.99L), 6); // Leo -> Virgo
}

TEST(ChartScores, TraditionalDignities)
{
    const struct {
        const char* name;
        int body, sign, score;
    } cases[] = {
        {"sun_domicile_leo", 1, 5, 5},       {"sun_exalted_aries", 1, 1, 4},
        {"sun_detriment_aquarius", 1, 11, -5}, {"sun_fall_libra", 1, 7, -4},
        {"saturn_domicile_aquarius", 7, 11, 5}, {"saturn_detriment_cancer", 7, 4, -5},
        {"moon_fall_scorpio", 2, 8, -4},     {"mercury_virgo_domicile_first", 3, 6, 5},
        {"mercury_fall_pisces", 3, 12, -5},  // detriment (opposite Virgo) also its fall: -5
        {"pluto_domicile_scorpio", 10, 8, 5}, {"uranus_no_exaltation", 8, 8, 0},
        {"jupiter_peregrine_leo", 6, 5, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EssentialDignity(c.body, c.sign), c.score) << c.name;
}

TEST(ChartScores, SectionsAndTotal)
{
    ScoreInput in;
    for (int p = 0; p < kScorePoints; ++p) {
        in.Sign[p] = 5;  // Leo
        in.House[p] = 9; // the Sun's joy
        in.Speed[p] = 1;
    }
    in.RisingSign = 5;
    in.Speed[6] = -0.05L; // Saturn retrograde
    in.Speed[1] = 12;     // Moon slower than its mean
    const ScoreTable t = ComputeScores(in);
    // Sun: rules the rising sign, in its domicile, traditional, 9th house,
    // its joy, masculine in a masculine sign, direct and swift.
    const int sun[kScoreSections] = {5, 5, 2, 2, 2, 1, 6};
    for (int k = 0; k < kScoreSections; ++k)
        EXPECT_EQ(t.Section[k][0], sun[k]) << kScoreSectionTitles[k];
    EXPECT_EQ(t.Section[6][6], -5); // retrograde
    EXPECT_EQ(t.Section[6][1], 2);  // direct and slow
    EXPECT_EQ(t.Section[5][1], -1); // feminine Moon in a masculine sign
    EXPECT_EQ(t.Section[5][2], 0);  // Mercury common
    EXPECT_EQ(t.Section[2][7], 0);  // Uranus: no traditional increase
    for (int p = 0; p < kScorePoints; ++p) {
        int sum = 0;
        for (int k = 0; k < kScoreSections; ++k)
            sum += t.Section[k][p];
        EXPECT_EQ(t.Total[p], sum) << p;
    }
    // The angles are scored by house only.
    for (int k : {0, 1, 2, 4, 5, 6})
        EXPECT_EQ(t.Section[k][10], 0) << kScoreSectionTitles[k];
    EXPECT_EQ(t.Section[3][10], 2);
}

TEST_F(ChartTest, MasterReportFiles)
{
    // The birth chart takes its moment from the subject, not from the file.
    WriteChartTempFile(kBirthChart, {"Tema natale", 2400000.5L});
    ASSERT_TRUE(AssembleMasterChart(kBirthChart));
    const std::vector<std::string> birth = ReadTextLines(kMasterTablesFile);
    const std::vector<std::string> report = ReadTextLines(kMasterReportFile);
    const std::vector<std::string> dati = ReadTextLines(kHouseScoresFile);
    ASSERT_GE(report.size(), 3u);
    EXPECT_EQ(report[0], "*MaitreMarbeck*Rossi Mario");
    EXPECT_EQ(report[1], "Rossi Mario");
    EXPECT_EQ(report[2], "12/05/1975 14:30 Milano(MI) 45N28 009E11");

    ASSERT_EQ(birth.size(), 1 + 8 * 13 + 2u);
    EXPECT_EQ(birth[0], kScoreHeader);
    const char* titles[8] = {"AFFINITA' CON SEGNO ASCEND ", "VALORE PIANETI NEI SEGNI", "MAGGIORAZ PIAN TRADIZION ",
                             "VALORE PIANETI NELLE CASE",   "AFFINITA' PIANETA CON CASA", "AFFIN SESSO PIANETA/SEGNO",
                             "VALORE PER VELOC PIANETA",    "TOTALE"};
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(birth[1 + 13 * k], titles[k]);
    for (int p = 0; p < 12; ++p) {
        int sum = 0;
        for (int k = 0; k < 7; ++k)
            sum += std::stoi(birth[2 + 13 * k + p]);
        EXPECT_EQ(std::stoi(birth[2 + 13 * 7 + p]), sum) << p;
    }
    ASSERT_EQ(dati.size(), 12u);
    for (int p = 0; p < 12; ++p)
        EXPECT_EQ(dati[p], birth[2 + 13 * 3 + p]);
    EXPECT_EQ(birth[birth.size() - 2].rfind("PIANETA MAESTRO ", 0), 0u);
    EXPECT_EQ(report[report.size() - 2], birth[birth.size() - 2]);

    // A derived chart at the birth moment gives the same tables; at another
    // moment other ones, with the Sun in Taurus in May and Leo in August.
    WriteChartTempFile(kSolarReturn, {"Rivoluzione solare", JulianDay(1, 12, 5, 1975, 13, 30)});
    ASSERT_TRUE(AssembleMasterChart(kSolarReturn));
    EXPECT_EQ(ReadTextLines(kMasterTablesFile), birth);
    EXPECT_EQ(SignNumber(BodyLongitude[1]), 2);
    WriteChartTempFile(kSolarReturn, {"Rivoluzione solare", JulianDay(1, 12, 8, 1975, 13, 30)});
    ASSERT_TRUE(AssembleMasterChart(kSolarReturn));
    EXPECT_EQ(SignNumber(BodyLongitude[1]), 5);
    EXPECT_EQ(std::stoi(ReadTextLines(kMasterTablesFile)[2 + 13 * 1]), 5); // Sun in its domicile
    for (int b = 1; b <= 11; ++b)
        EXPECT_GE(BodyLongitude[b], 0) << b; // absolute longitudes
}

} // namespace
