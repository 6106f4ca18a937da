// Body positions without the reference ephemeris: the selection of bodies,
// the retrograde marking, the correction-table lookups on hand-made tables,
// missing tables, the 6-byte real of the planet table and Julian days far
// outside every window.
#include "astro/Ephemeris.h"

#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

using namespace ephemeris;

namespace {

constexpr long double kJ2000 = 2451545.0L;

// An empty program folder, the tables cleared and the mean node and apogee.
class EphemerisTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramPath::SetRoot(folder.Path());
        ClearSharedState();
        NodeKind = "MEDIO";
        BlackMoonMode = "MEDIA";
        EphemerisCorrectionTablesEnabled = true;
    }
    void TearDown() override { EphemerisCorrectionTablesEnabled = true; }

    // A table of `count` records of `size` bytes, zero except `records`
    // (index, bytes) written over it.
    void PutTable(const char* name, std::size_t count, std::size_t size,
                  std::initializer_list<std::pair<std::size_t, std::string>> records) const
    {
        std::string bytes(count * size, '\0');
        for (const auto& [index, rec] : records)
            bytes.replace(index * size, rec.size(), rec);
        std::string path = name;
        std::replace(path.begin(), path.end(), '\\', '/');
        folder.Put(path, bytes);
    }

    TempFolder folder;
};

std::string Int16(int v)
{
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}

std::string Int32(long v)
{
    return Int16(static_cast<int>(v & 0xFFFF)) + Int16(static_cast<int>((v >> 16) & 0xFFFF));
}

// A DPR1 record with its Julian day and every channel set to `v` (the
// 8-bit channels to `v8`).
std::string PlanetRecord(long double jd, int v8, int v16)
{
    std::string r(kPlanetRecordSize, '\0');
    EncodeReal48(jd, reinterpret_cast<unsigned char*>(r.data()));
    for (int c = 1; c <= 7; ++c)
        r[static_cast<std::size_t>(5 + c)] = static_cast<char>(v8);
    for (int c = 9; c <= 16; ++c)
        r[static_cast<std::size_t>(7 + c)] = static_cast<char>(v8);
    r.replace(14, 2, Int16(v16));
    r.replace(24, 2, Int16(v16));
    return r;
}

long double AngleDiff(long double a, long double b)
{
    long double d = std::fmod(a - b, 360.0L);
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return d;
}

} // namespace

TEST_F(EphemerisTest, FundamentalArgumentsAtTheEpoch)
{
    const FundamentalArguments fa = ComputeFundamentalArguments(2415020.0L);
    EXPECT_EQ(fa.T, 0);
    EXPECT_NEAR(fa.L0, 279.69668L, 1e-12);
    EXPECT_NEAR(fa.Obliquity, 23.4522944L, 1e-12);
    EXPECT_NEAR(fa.Lm, 270.434164L, 1e-12);
    EXPECT_NEAR(fa.Omega, 259.1833L, 1e-12);
}

// Which entries a selector fills (the others stay NaN).
TEST_F(EphemerisTest, SelectorFillsItsBodies)
{
    struct Case {
        const char* name;
        int selector;
        const char* node;
        const char* filled; // one character per index 1..19
    };
    const Case cases[] = {
        {"all", 0, "MEDIO", "1111111111111111111"},
        {"sun", 1, "MEDIO", "1000000000000000000"},
        {"mercury_after_sun", 3, "MEDIO", "1010000000000000000"},
        {"planets", 20, "MEDIO", "1111111111000000000"},
        {"planets21", 21, "MEDIO", "1111111111000000000"},
        {"mean_node", 11, "MEDIO", "1000000000100000000"},
        {"true_node_needs_moon", 11, "VERO", "1100000000100000000"},
        {"black_moon", 12, "MEDIO", "1000000000010000000"},
        {"ascendant_only_with_all", 13, "MEDIO", "1000000000000000000"},
        {"chiron", 19, "MEDIO", "1000000000000000001"},
    };
    EphemerisCorrectionTablesEnabled = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearSharedState();
        NodeKind = c.node;
        HouseCusps[1] = 100;
        HouseCusps[7] = 280;
        ComputeBodies(c.selector, 0, kJ2000);
        for (int i = 1; i <= 19; ++i) {
            const bool filled = c.filled[i - 1] == '1';
            EXPECT_EQ(!std::isnan(BodyLongitude[i]) || i == 14, filled || i == 14) << "index " << i;
            if (filled) {
                EXPECT_FALSE(std::isnan(BodyDeclination[i])) << "index " << i;
            }
        }
    }
}

TEST_F(EphemerisTest, AnglesAreCopiedFromTheHouses)
{
    EphemerisCorrectionTablesEnabled = false;
    HouseCusps[1] = 0;   // Ascendant at 0 Aries: on the equator
    HouseCusps[7] = 90;  // Descendant at 0 Cancer: declination +obliquity
    BodyLongitude[14] = 12.5L;
    ComputeBodies(0, 0, 2415020.0L);
    EXPECT_EQ(BodyLongitude[13], 0);
    EXPECT_EQ(BodyLatitude[13], 0);
    EXPECT_NEAR(BodyDeclination[13], 0, 1e-12);
    EXPECT_EQ(BodyLongitude[14], 12.5L); // its own longitude back
    EXPECT_NEAR(BodyRightAscension[14], 90, 1e-9);
    EXPECT_NEAR(BodyDeclination[14], 23.4522944L, 1e-9);
}

TEST_F(EphemerisTest, EquatorialCoordinatesQuadrants)
{
    const FundamentalArguments fa = ComputeFundamentalArguments(2415020.0L);
    // On the ecliptic the right ascension stays in the quadrant of the
    // longitude; a retrograde (negated) longitude reads as its absolute value.
    for (long double l : {10.0L, 100.0L, 200.0L, 300.0L, -300.0L}) {
        SCOPED_TRACE(static_cast<double>(l));
        const Equatorial q = ToEquatorial(fa, l, 0);
        EXPECT_EQ(std::floor(q.RightAscension / 90), std::floor(std::fabs(l) / 90));
        const long double expected =
            std::asin(fa.SinEps * std::sin(std::fabs(l) * 3.14159265358979323846L / 180)) * 180 / 3.14159265358979323846L;
        EXPECT_NEAR(q.Declination, expected, 1e-12);
    }
    // The ecliptic pole.
    EXPECT_NEAR(ToEquatorial(fa, 90, 90 - 1e-9L).Declination, 90 - 23.4522944L, 1e-6);
}

TEST_F(EphemerisTest, RetrogradeMarking)
{
    EphemerisCorrectionTablesEnabled = false;
    // Find a day of Mercury's retrograde motion by its theory.
    long double jd = kJ2000;
    while (PlanetTheory(3, ComputeFundamentalArguments(jd), SunTheory(ComputeFundamentalArguments(jd)).Earth)
               .AngularSpeed >= 0)
        jd += 1;
    ASSERT_LT(jd - kJ2000, 130);
    ComputeBodiesWithMotion(0, jd + 0.5L);
    EXPECT_LT(BodyLongitude[3], 0);
    EXPECT_GT(BodyLongitude[1], 0);
    EXPECT_GT(BodyLongitude[2], 0);
    EXPECT_LT(BodyLongitude[11], 0); // the mean node always moves backwards
    ComputeBodiesWithMotion(0, jd + 60);
    EXPECT_GT(BodyLongitude[3], 0);
}

TEST_F(EphemerisTest, MoonPassingZeroAriesIsNotRetrograde)
{
    EphemerisCorrectionTablesEnabled = false;
    // Bisect the Moon's passage through 0 degrees near J2000 (there it is
    // near 218 degrees and gains about 13 a day).
    auto lon = [](long double jd) { return MoonLongitudeTheory(ComputeFundamentalArguments(jd)); };
    long double a = kJ2000 + 8, b = kJ2000 + 13; // a before, b after the passage
    ASSERT_GT(lon(a), 300);
    ASSERT_LT(lon(b), 60);
    while (b - a > 1e-7L) {
        const long double m = (a + b) / 2;
        (lon(m) > 180 ? a : b) = m;
    }
    const long double jd = a - 0.0005L; // jd and jd + 0.001 straddle 0 degrees
    ASSERT_GT(lon(jd), 359.9L);
    ASSERT_LT(lon(jd + 0.001L), 0.1L);
    ComputeBodiesWithMotion(2, jd);
    EXPECT_GT(BodyLongitude[2], 359.9L);
}

// Latitudes above 20 degrees (Pallas above 34.8) stay northern latitudes.
TEST_F(EphemerisTest, HighLatitudesKeepTheirSign)
{
    EphemerisCorrectionTablesEnabled = false;
    long double maxPallas = -90, minPallas = 90;
    for (long double jd = 2415020.5L; jd < 2488070.5L; jd += 5) {
        ComputeBodies(0, 0, jd);
        for (int i : {3, 4, 5, 6, 7, 8, 9, 10, 15, 16, 17, 18, 19}) {
            ASSERT_GE(BodyLatitude[i], -90) << "index " << i << " jd " << static_cast<double>(jd);
            ASSERT_LE(BodyLatitude[i], 90) << "index " << i << " jd " << static_cast<double>(jd);
        }
        maxPallas = std::max(maxPallas, BodyLatitude[16]);
        minPallas = std::min(minPallas, BodyLatitude[16]);
    }
    EXPECT_GT(maxPallas, 34.8L); // the case occurred
    EXPECT_LT(minPallas, -20);
}

TEST_F(EphemerisTest, FarDatesGiveFiniteResults)
{
    // Years -3000, -1975, 3000 and beyond (no table is opened there: the
    // program folder is empty). Index 14 keeps its own longitude.
    NodeKind = "VERO";
    BlackMoonMode = "VERA";
    HouseCusps[1] = 15;
    HouseCusps[7] = 195;
    for (long double jd : {625673.5L, 1000000.5L, 2816787.5L, 0.0L, 5000000.0L}) {
        SCOPED_TRACE(static_cast<double>(jd));
        ComputeBodiesWithMotion(0, jd);
        for (int i = 1; i <= 19; ++i) {
            if (i != 14) {
                EXPECT_TRUE(std::isfinite(BodyLongitude[i])) << "index " << i;
                EXPECT_LE(std::fabs(BodyLongitude[i]), 360) << "index " << i;
            }
            EXPECT_TRUE(std::isfinite(BodyLatitude[i])) << "index " << i;
            EXPECT_TRUE(std::isfinite(BodyRightAscension[i])) << "index " << i;
            EXPECT_TRUE(std::isfinite(BodyDeclination[i])) << "index " << i;
        }
        EXPECT_TRUE(std::isfinite(EquationOfTime));
    }
}

// Which table a moment and a mode need: a missing one raises IoError
// naming it; outside its window or mode it is never opened.
TEST_F(EphemerisTest, MissingTables)
{
    struct Case {
        const char* name;
        long double jd;
        const char* node;
        const char* blackMoon;
        const char* absent;
        bool error;
        int selector = 0; // the node alone (with the Sun) for the node cases
    };
    const Case cases[] = {
        {"moon_inside_window", 2433282.5L, "MEDIO", "MEDIA", kMoonTableName, true},
        {"moon_window_ends", 2499373.5L, "MEDIO", "MEDIA", kMoonTableName, false},
        {"moon_window_starts_after", 1721422.5L, "MEDIO", "MEDIA", kMoonTableName, false},
        {"planets_before_1900", 2414020.5L, "MEDIO", "MEDIA", kPlanetTableName, true},
        {"planets_after_2000", 2460000.5L, "MEDIO", "MEDIA", kPlanetTableName, true},
        {"planets_window_ends", 2499373.5L, "MEDIO", "MEDIA", kPlanetTableName, false},
        {"planets_window_starts", 1721423.0L, "MEDIO", "MEDIA", kPlanetTableName, false},
        {"true_node", 2433282.5L, "VERO", "MEDIA", kPlanetTableName, true, 11},
        {"true_node_window_ends", 2499373.5L, "VERO", "MEDIA", kPlanetTableName, false, 11},
        {"mean_node", 2433282.5L, "MEDIO", "MEDIA", kPlanetTableName, false, 11},
        {"corrected_black_moon", 2433282.5L, "MEDIO", "VERA", kApogeeTableName, true},
        {"black_moon_window_ends", 2488433.5L, "MEDIO", "VERA", kApogeeTableName, false},
        {"black_moon_window_starts", 2396758.0L, "MEDIO", "VERA", kApogeeTableName, false},
        {"mean_black_moon", 2433282.5L, "MEDIO", "MEDIA", kApogeeTableName, false},
    };
    // Tables long enough for every moment above.
    PutTable(kMoonTableName, 800000, 2, {});
    PutTable(kPlanetTableName, 160000, kPlanetRecordSize, {});
    PutTable(kApogeeTableName, 160000, 4, {});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = ProgramPath::Resolve(c.absent);
        const auto aside = path.string() + ".aside";
        std::filesystem::rename(path, aside);
        NodeKind = c.node;
        BlackMoonMode = c.blackMoon;
        try {
            ComputeBodies(c.selector, 0, c.jd);
            EXPECT_FALSE(c.error) << "no error";
        } catch (const IoError& e) {
            EXPECT_TRUE(c.error) << e.what();
            EXPECT_EQ(e.File(), c.absent);
        }
        std::filesystem::rename(aside, path);
    }
}

TEST_F(EphemerisTest, TruncatedTableIsAnIoError)
{
    PutTable(kMoonTableName, 1000, 2, {});
    try {
        ComputeBodies(2, 0, kJ2000);
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), kMoonTableName);
        EXPECT_EQ(e.Operation(), "lettura");
    }
}

// The tables stay open between lookups; each chart checks that the file on
// disk is still the one held. A table renamed over (as the generator and
// the program's writers replace files), rewritten in place, or found in
// another program folder is read at the next chart; a removed one is an
// IoError.
TEST_F(EphemerisTest, ReplacedTableIsReadAtTheNextChart)
{
    const long double jd = kJ2000 + 0.25L; // records 730124 and 730125
    EphemerisCorrectionTablesEnabled = false;
    ComputeBodiesWithMotion(2, jd);
    const long double theory = std::fabs(BodyLongitude[2]);
    EphemerisCorrectionTablesEnabled = true;
    auto table = [](int arcsec) {
        std::string bytes(730126 * 2, '\0');
        bytes.replace(730124 * 2, 4, Int16(arcsec) + Int16(arcsec));
        return bytes;
    };
    auto correction = [&] {
        ComputeBodiesWithMotion(2, jd);
        return static_cast<double>(AngleDiff(std::fabs(BodyLongitude[2]), theory) * 3600);
    };
    folder.Put("FilePosi/DSEL.rnd", table(100));
    EXPECT_NEAR(correction(), 100, 1e-6);

    folder.Put("FilePosi/DSEL.new", table(200));
    std::filesystem::rename(folder.Path() / "FilePosi/DSEL.new", folder.Path() / "FilePosi/DSEL.rnd");
    EXPECT_NEAR(correction(), 200, 1e-6) << "renamed over";

    folder.Put("FilePosi/DSEL.rnd", table(300));
    EXPECT_NEAR(correction(), 300, 1e-6) << "rewritten in place";

    TempFolder other;
    other.Put("FilePosi/dsel.RND", table(400));
    ProgramPath::SetRoot(other.Path());
    EXPECT_NEAR(correction(), 400, 1e-6) << "another program folder";
    ProgramPath::SetRoot(folder.Path());
    EXPECT_NEAR(correction(), 300, 1e-6) << "back to the first";

    std::filesystem::remove(folder.Path() / "FilePosi/DSEL.rnd");
    try {
        ComputeBodiesWithMotion(2, jd);
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), kMoonTableName);
        EXPECT_EQ(e.Operation(), "apertura");
    }
}

// The Moon table: record n for JD 1721420.5 + n, interpolated in the day,
// values above 21600 reduced by 21600.
TEST_F(EphemerisTest, MoonTableInterpolates)
{
    struct Case {
        const char* name;
        int v0, v1;
        long double expected; // arc-seconds at three quarters of the day
    };
    const Case cases[] = {
        {"rising", 100, 200, 175},
        {"falling", -40, -80, -70},
        {"above_21600_wraps", 21600, 21610, 7.5L},
    };
    const long double jd = kJ2000 + 0.25L; // record 730124 is JD 2451544.5
    EphemerisCorrectionTablesEnabled = false;
    ComputeBodies(2, 0, jd);
    const long double theory = BodyLongitude[2], latitude = BodyLatitude[2];
    EphemerisCorrectionTablesEnabled = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PutTable(kMoonTableName, 730126, 2, {{730124, Int16(c.v0)}, {730125, Int16(c.v1)}});
        EXPECT_NEAR(ReadMoonCorrection(jd), c.expected, 1e-9);
        ComputeBodies(2, 0, jd);
        EXPECT_NEAR(AngleDiff(BodyLongitude[2], theory) * 3600, c.expected, 1e-6);
        EXPECT_EQ(BodyLatitude[2], latitude); // the latitude uses the theory's longitude
    }
}

// The planet table: one record every 5 days from JD 1721408.5, linear
// between the record's own Julian day and the next record; it corrects the
// planets over the whole table, before 1900 as after (the theory alone is
// off by up to 28' for Jupiter and 1.5 degrees for Pluto after 2000).
TEST_F(EphemerisTest, PlanetTableCorrectsLongitudeAndLatitude)
{
    struct Case {
        const char* name;
        std::size_t n; // record; the moment is 1.5 days after its day
    };
    const Case cases[] = {
        {"before_1900", 135718},     // JD 2399998.5
        {"just_after_1900", 138723}, // JD 2415023.5
        {"after_2000", 147718},      // JD 2459998.5
        {"last_interval", 155592},   // JD 2499368.5
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const long double day = 1721408.5L + 5.0L * c.n;
        const long double jd = day + 1.5L;
        EphemerisCorrectionTablesEnabled = false;
        ComputeBodies(20, 0, jd);
        const auto lon = BodyLongitude, lat = BodyLatitude;
        EphemerisCorrectionTablesEnabled = true;
        PutTable(kMoonTableName, 800000, 2, {}); // the Moon without correction
        PutTable(kPlanetTableName, c.n + 2, kPlanetRecordSize,
                 {{c.n, PlanetRecord(day, 10, 1000)}, {c.n + 1, PlanetRecord(day + 5, 20, 2000)}});
        for (int pass : {0, 1}) {
            SCOPED_TRACE(pass ? "motion pass" : "real pass");
            ComputeBodies(20, static_cast<std::uint8_t>(pass), jd);
            for (int i = 3; i <= 10; ++i) {
                const long double expected = i == 10 ? 1300 : 13; // arc-minutes at 1.5 of 5 days
                EXPECT_NEAR(AngleDiff(BodyLongitude[i], lon[i]) * 60, expected, 1e-6) << "index " << i;
                EXPECT_NEAR((BodyLatitude[i] - lat[i]) * 60, pass ? 0 : expected, 1e-6) << "index " << i;
            }
            EXPECT_EQ(BodyLongitude[1], lon[1]);
            EXPECT_EQ(BodyLongitude[2], lon[2]);
        }
    }
}

TEST_F(EphemerisTest, TrueNodeAndBlackMoonTables)
{
    const long double jd = kJ2000 + 0.25L;
    // Planet table: record 146027 is JD 2451543.5; channel 9 from 10 to 20.
    const std::size_t n = 146027;
    PutTable(kPlanetTableName, n + 2, kPlanetRecordSize,
             {{n, PlanetRecord(2451543.5L, 10, 0)}, {n + 1, PlanetRecord(2451548.5L, 20, 0)}});
    // Apogee table: record 109572 is JD 2451544.5; from 3600" to 7200".
    PutTable(kApogeeTableName, 109574, 4, {{109572, Int32(3600)}, {109573, Int32(7200)}});
    PutTable(kMoonTableName, 800000, 2, {});
    const FundamentalArguments fa = ComputeFundamentalArguments(jd);

    ComputeBodies(0, 0, jd);
    EXPECT_NEAR(BodyLongitude[11], MeanNode(fa), 1e-12);
    EXPECT_NEAR(BodyLongitude[12], MeanApogee(fa), 1e-12);

    NodeKind = "VERO";
    BlackMoonMode = "VERA";
    ComputeBodies(0, 0, jd);
    const long double trueNode = TrueNode(fa, BodyLongitude[1], BodyLongitude[2]);
    EXPECT_NEAR(AngleDiff(BodyLongitude[11], trueNode) * 60, 13.5L, 1e-6);
    EXPECT_NEAR(AngleDiff(BodyLongitude[12], MeanApogee(fa)) * 3600, 6300, 1e-6);
}

// The true node stays within the amplitude of its series around the mean.
TEST_F(EphemerisTest, TrueNodeOscillatesAroundTheMean)
{
    EphemerisCorrectionTablesEnabled = false;
    NodeKind = "VERO";
    long double largest = 0;
    for (long double jd = kJ2000; jd < kJ2000 + 400; jd += 1.7L) {
        ComputeBodies(11, 0, jd);
        const long double diff = std::fabs(AngleDiff(BodyLongitude[11], MeanNode(ComputeFundamentalArguments(jd))));
        largest = std::max(largest, diff);
    }
    EXPECT_GT(largest, 1.4L);
    EXPECT_LT(largest, 2.2L);
}

TEST(Real48, HandMadeBytes)
{
    struct Case {
        const char* name;
        long double value;
        unsigned char bytes[6];
    };
    const Case cases[] = {
        {"zero", 0, {0, 0, 0, 0, 0, 0}},
        {"one", 1, {0x81, 0, 0, 0, 0, 0}},
        {"three", 3, {0x82, 0, 0, 0, 0, 0x40}},
        {"minus_half", -0.5L, {0x80, 0, 0, 0, 0, 0x80}},
        {"first_planet_record", 1721408.5L, {0x95, 0x00, 0x00, 0x04, 0x22, 0x52}},
        {"a_record_of_1858", 2399998.5L, {0x96, 0x00, 0x00, 0xFA, 0x7B, 0x12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecodeReal48(c.bytes), c.value);
        unsigned char out[6];
        EncodeReal48(c.value, out);
        EXPECT_EQ(std::memcmp(out, c.bytes, 6), 0);
    }
}

TEST(Real48, RoundTripOfRecordDays)
{
    unsigned char b[6];
    for (long double jd = 1721408.5L; jd < 2499400; jd += 5 * 997) {
        EncodeReal48(jd, b);
        ASSERT_EQ(DecodeReal48(b), jd);
    }
    // Rounded to 39 fraction bits, including the carry into the exponent.
    EncodeReal48(1.0L / 3, b);
    EXPECT_NEAR(DecodeReal48(b), 1.0L / 3, 1e-12);
    EncodeReal48(2 - 1e-15L, b);
    EXPECT_EQ(DecodeReal48(b), 2);
}
