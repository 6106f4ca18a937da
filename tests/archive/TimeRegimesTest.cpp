// Time regimes: the 24-byte record, the walking rule, the loading of
// Italian and foreign regime files, and the generated Calendar\ files of
// the built template checked against zdump of the same zone.
#include "archive/TimeRegimes.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "shell/DateTexts.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <limits>
#include <memory>
#include <set>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

// The 80-bit extended of x built from its parts (64-bit mantissa with the
// integer bit, 15-bit biased exponent, sign), not from memory.
std::string Extended80(long double x)
{
    int e = 0;
    const long double f = std::frexp(std::fabs(x), &e); // |x| = f * 2^e, f in [0.5, 1)
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(f, 64));
    const unsigned exponent = static_cast<unsigned>(e - 1 + 16383) | (x < 0 ? 0x8000u : 0u);
    std::string s;
    for (int i = 0; i < 8; ++i)
        s += static_cast<char>((mantissa >> (8 * i)) & 0xff);
    s += static_cast<char>(exponent & 0xff);
    s += static_cast<char>(exponent >> 8);
    return s;
}

TEST(RegimeRecord, FieldsAtTheirOffsets)
{
    const RegimeRecord r {2451545.25L, "CEST", 2.0};
    const std::string b = EncodeRegime(r);
    ASSERT_EQ(b.size(), 24u);
    EXPECT_EQ(b.substr(0, 10), Extended80(2451545.25L + 84.82300164692441744L));
    EXPECT_NE(b.substr(0, 10), Extended80(2451545.25L)) << "the start is stored with the offset";
    EXPECT_EQ(b.substr(10, 5), Bytes({4, 'C', 'E', 'S', 'T'}));
    EXPECT_EQ(b[15], 0);
    EXPECT_EQ(b.substr(16, 8), Bytes({0, 0, 0, 0, 0, 0, 0, 0x40})); // 2.0

    const std::string west = EncodeRegime({0, "EST", -5.0});
    EXPECT_EQ(west.substr(0, 10), Extended80(84.82300164692441744L)); // Julian day 0
    EXPECT_EQ(west.substr(10, 5), Bytes({3, 'E', 'S', 'T', 0}));
    EXPECT_EQ(west.substr(16, 8), Bytes({0, 0, 0, 0, 0, 0, 0x14, 0xc0})); // -5.0
}

TEST(RegimeRecord, DecodesWhatItEncodes)
{
    const RegimeRecord r = DecodeRegime(EncodeRegime({2402947.5L, "RMT", 2996.0 / 3600}));
    EXPECT_NEAR(static_cast<double>(r.start - 2402947.5L), 0.0, 1e-9);
    EXPECT_EQ(r.code, "RMT");
    EXPECT_EQ(r.correction, 2996.0 / 3600);

    // A numeric abbreviation longer than the field is cut to 4.
    EXPECT_EQ(DecodeRegime(EncodeRegime({0, "-0330", -3.5})).code, "-033");
    EXPECT_THROW(DecodeRegime(std::string(23, '\0')), ConversionError);
}

// LMT from 0, A from 100, B and C both from 200, end of the data at 300.
const std::vector<RegimeRecord> kFixture = {
    {0, "LMT", 0.5}, {100, "A", 1}, {200, "B", 2}, {200, "C", 3}, {300, "FINE", 3},
};

struct WalkCase {
    const char* name;
    long double localJD;
    double hours;
    const char* code;
    bool afterLast;
};

void PrintTo(const WalkCase& c, std::ostream* os)
{
    *os << c.name;
}

class CorrectionWalk : public testing::TestWithParam<WalkCase> {};

TEST_P(CorrectionWalk, LastRecordStartedByTheReading)
{
    const WalkCase& c = GetParam();
    const Correction got = CorrectionAt(kFixture, c.localJD, 15.0L); // LMT of 15°E: +1 h
    EXPECT_EQ(got.code, c.code);
    EXPECT_DOUBLE_EQ(got.hours, c.hours);
    EXPECT_EQ(got.afterLast, c.afterLast);
}

INSTANTIATE_TEST_SUITE_P(
    Regimes, CorrectionWalk,
    testing::Values(WalkCase {"LocalMeanTimeFromLongitude", 50, 1.0, "LMT", false},
                    WalkCase {"JustBeforeAStart", 99.999L, 1.0, "LMT", false},
                    WalkCase {"TheStartItselfBelongsToTheNewRegime", 100, 1.0, "A", false},
                    WalkCase {"WithinTheRoundingOfAStart", 100 - 1e-7L, 1.0, "A", false},
                    WalkCase {"EqualStartsTheLaterRecordHolds", 250, 3.0, "C", false},
                    WalkCase {"AtEqualStartsTheLaterRecordAlready", 200, 3.0, "C", false},
                    WalkCase {"BeforeTheFirstStart", -10, 1.0, "LMT", false},
                    WalkCase {"AtTheEndOfTheData", 300, 3.0, "C", true},
                    WalkCase {"AfterTheEndOfTheData", 1000, 3.0, "C", true}),
    [](const testing::TestParamInfo<WalkCase>& i) { return std::string(i.param.name); });

TEST(CorrectionWalk, WithoutEndRecordTheLastStartEndsTheData)
{
    const std::vector<RegimeRecord> regimes = {{0, "LMT", 0}, {0, "-00", 0}, {500, "EST", -5}};
    EXPECT_EQ(CorrectionAt(regimes, 10, -75).code, "-00") << "a first regime from day 0 hides LMT";
    const Correction last = CorrectionAt(regimes, 600, -75);
    EXPECT_EQ(last.hours, -5);
    EXPECT_TRUE(last.afterLast);
    EXPECT_FALSE(CorrectionAt(regimes, 499, -75).afterLast);
}

TEST(RegimeList, OneLinePerRecord)
{
    EXPECT_EQ(RegimeListLine({2402947.5L, "RMT", 2996.0 / 3600}), "12/12/1866 00:00 +0.832 RMT");
    EXPECT_EQ(RegimeListLine({2443509.5L, "EST", -5}), "01/01/1978 00:00 -5.000 EST");
    EXPECT_EQ(RegimeListLine({2443509.5L, "GMT", 0}), "01/01/1978 00:00 +0.000 GMT");
}

// ---- Loading from the files, small fixtures ---------------------------------

std::string RunBytes(const std::vector<RegimeRecord>& records)
{
    std::string bytes;
    for (const RegimeRecord& r : records)
        bytes += EncodeRegime(r);
    return bytes;
}

TEST(LoadRegimes, ItalianFileReadUpToItsEnd)
{
    TempFolder t;
    t.Put("Calendar/00390000.CAL", RunBytes({{0, "LMT", 0.8}, {10, "CET", 1}, {20, "FINE", 1}, {30, "XXX", 9}}));
    std::string file;
    const auto regimes = LoadRegimes(100390000, &file);
    EXPECT_EQ(file, "Calendar\\00390000.CAL");
    ASSERT_EQ(regimes.size(), 3u);
    EXPECT_EQ(regimes[2].code, "FINE");
    EXPECT_THROW(LoadRegimes(100920000), IoError); // no such file
    EXPECT_THROW(LoadRegimes(300000001), ConversionError);
    EXPECT_THROW(LoadRegimes(12345), ConversionError);
}

TEST(LoadRegimes, ForeignZoneCopiedToItsWorkingFile)
{
    TempFolder t;
    const std::string zone1 = RunBytes({{0, "LMT", 1}, {5, "AAA", 1}, {9, "FINE", 1}});
    const std::string zone2 = RunBytes({{0, "LMT", -5}, {7, "EST", -5}, {8, "EDT", -4}, {9, "FINE", -4}});
    t.Put("Calendar/Database.cll", zone1 + zone2);
    t.Put("Calendar/Elencal.002",
          "TZ000001.CAL  000000 Africa/One\r\nTZ000002.CAL  000003 America/Two\r\n"
          "TZ000003.CAL  000007 Broken/Run\r\n");
    const auto index = ReadZoneIndex();
    ASSERT_EQ(index.size(), 3u);
    EXPECT_EQ(index[1].key, "TZ000002.CAL");
    EXPECT_EQ(index[1].firstRecord, 3);
    EXPECT_EQ(index[1].zone, "America/Two");

    std::string file;
    const auto regimes = LoadRegimes(200000002, &file);
    EXPECT_EQ(file, "TZ000002.CAL");
    EXPECT_EQ(t.Get("TZ000002.CAL"), zone2);
    ASSERT_EQ(regimes.size(), 4u);
    EXPECT_EQ(regimes[2].code, "EDT");

    EXPECT_THROW(LoadRegimes(200000003), IoError) << "a run without its end record";
    EXPECT_THROW(LoadRegimes(200000004), IoError) << "past the last line";
    EXPECT_THROW(LoadRegimes(200000000), IoError);
}

TEST(LoadRegimes, DamagedIndexLineRefused)
{
    TempFolder t;
    t.Put("Calendar/Elencal.002", "TZ000001.CAL  00x000 Africa/One\r\n");
    EXPECT_THROW(ReadZoneIndex(), ConversionError);
}

// ---- The generated files against zdump ---------------------------------------

using Seconds = std::int64_t;

struct ZdumpRegime {
    Seconds from;       // UT instant of the change (the first: in force since 1800)
    Seconds clockStart; // local reading under the previous regime at the change
    int gmtoff;         // seconds ahead of UT
    std::string abbr;
};

Seconds DaysFromCivil(Seconds y, int m, int d)
{
    y -= m <= 2;
    const Seconds era = (y >= 0 ? y : y - 399) / 400;
    const Seconds yoe = y - era * 400;
    const Seconds doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
}

int MonthNumber(const char* m)
{
    static const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i)
        if (std::strcmp(m, names[i]) == 0)
            return i + 1;
    return 0;
}

// The regimes zdump -v shows for a zone from 1800 to 2100, in order.
std::vector<ZdumpRegime> Zdump(const std::string& zone)
{
    const std::string command = "zdump -v -c 1800,2100 '" + zone + "' 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe)
        return {};
    std::vector<ZdumpRegime> out;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe.get())) {
        const std::string line = buffer;
        const std::size_t ut = line.find(" UT = ");
        const std::size_t dst = line.find(" isdst=");
        const std::size_t off = line.find(" gmtoff=");
        if (ut == std::string::npos || dst == std::string::npos || off == std::string::npos)
            continue;
        char month[8] = {};
        int day = 0, h = 0, mi = 0, s = 0;
        long long year = 0;
        const std::size_t head = line.find("  ");
        if (std::sscanf(line.c_str() + head, " %*s %3s %d %d:%d:%d %lld", month, &day, &h, &mi, &s, &year) != 6)
            continue;
        const Seconds at = DaysFromCivil(year, MonthNumber(month), day) * 86400 + h * 3600 + mi * 60 + s;
        const std::size_t abbrStart = line.rfind(' ', dst - 1) + 1;
        ZdumpRegime r {at, 0, std::atoi(line.c_str() + off + 8), line.substr(abbrStart, dst - abbrStart)};
        if (out.empty()) {
            r.from = r.clockStart = std::numeric_limits<Seconds>::min();
            out.push_back(r);
        } else if (r.gmtoff != out.back().gmtoff || r.abbr != out.back().abbr) {
            r.clockStart = at + out.back().gmtoff;
            out.push_back(r);
        }
    }
    return out;
}

// The regime zdump's changes give a local clock reading, found from the
// instants alone: of the moments local - o at which zdump shows offset o,
// the earliest (a reading shown twice, as summer time ends, is in the first
// regime); a reading no moment shows (the clock skipped it) is in the
// regime whose change made the gap.
const ZdumpRegime& RegimeOfReading(const std::vector<ZdumpRegime>& z, Seconds local)
{
    auto at = [&z](Seconds ut) -> const ZdumpRegime& {
        std::size_t i = 0;
        while (i + 1 < z.size() && z[i + 1].from <= ut)
            ++i;
        return z[i];
    };
    std::set<int> offsets;
    for (const auto& r : z)
        offsets.insert(r.gmtoff);
    const ZdumpRegime* earliest = nullptr;
    Seconds earliestAt = 0;
    for (int o : offsets) {
        const Seconds ut = local - o;
        const ZdumpRegime& r = at(ut);
        if (r.gmtoff == o && (!earliest || ut < earliestAt)) {
            earliest = &r;
            earliestAt = ut;
        }
    }
    if (earliest)
        return *earliest;
    for (std::size_t k = 1; k < z.size(); ++k)
        if (z[k].clockStart <= local && local < z[k].from + z[k].gmtoff)
            return z[k];
    return at(local); // not reached: every reading is shown or skipped
}

long double LocalJDOf(Seconds local)
{
    return static_cast<long double>(local + 210866760000) / 86400.0L;
}

Seconds LocalSeconds(int d, int m, int y, int h, int mi)
{
    return DaysFromCivil(y, m, d) * 86400 + h * 3600 + mi * 60;
}

// The template's Calendar\ folder in a temporary program folder.
class GeneratedRegimes : public testing::Test {
protected:
    void SetUp() override
    {
        const char* templ = std::getenv("QUILLON_TEMPLATE");
        ASSERT_NE(templ, nullptr) << "QUILLON_TEMPLATE not set";
        ASSERT_TRUE(fs::exists(fs::path(templ) / "Calendar" / "Elencal.002")) << "template not built";
        fs::copy(fs::path(templ) / "Calendar", folder.Path() / "Calendar", fs::copy_options::recursive);
    }
    const std::vector<ZoneIndexEntry>& ReadZoneIndexCache()
    {
        if (index.empty())
            index = ReadZoneIndex();
        return index;
    }
    int ForeignRegime(const std::string& zone)
    {
        const auto& all = ReadZoneIndexCache();
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].zone == zone)
                return 200000000 + static_cast<int>(i + 1);
        ADD_FAILURE() << zone << " not in Elencal.002";
        return 0;
    }

    TempFolder folder;
    std::vector<ZoneIndexEntry> index;
};

struct NamedCase {
    const char* name;
    int regime;        // Italian regime number, or 0 for the foreign zone
    const char* zone;  // IANA zone zdump is asked about
    int day, month, year, hour, minute;
    double longitude;  // of the place, degrees east
    double hours;      // expected correction
    const char* code;  // expected regime code
};

const NamedCase kNamedCases[] = {
    {"MilanoWarTime1944", 100390000, "Europe/Rome", 15, 7, 1944, 10, 30, 9.19, 2, "CEST"},
    {"RomaMeanTime1880", 100390000, "Europe/Rome", 1, 1, 1880, 12, 0, 12.48, 2996.0 / 3600, "RMT"},
    {"ItalyLocalMeanTime1850", 100390000, "Europe/Rome", 1, 6, 1850, 12, 0, 9.19, 9.19 * 4 / 60, "LMT"},
    {"ItalySummer1967", 100390000, "Europe/Rome", 15, 7, 1967, 12, 0, 12.48, 2, "CEST"},
    {"ItalyWinter1967", 100390000, "Europe/Rome", 15, 1, 1967, 12, 0, 12.48, 1, "CET"},
    {"RomeBeforeSpringChange2021", 100390000, "Europe/Rome", 28, 3, 2021, 1, 30, 12.48, 1, "CET"},
    {"RomeAfterSpringChange2021", 100390000, "Europe/Rome", 28, 3, 2021, 3, 30, 12.48, 2, "CEST"},
    {"ItalySummer2050", 100390000, "Europe/Rome", 15, 7, 2050, 12, 0, 12.48, 2, "CEST"},
    {"SanMarinoSummer1944", 103780000, "Europe/San_Marino", 15, 7, 1944, 10, 30, 12.45, 2, "CEST"},
    {"VaticanWinter1990", 103790000, "Europe/Vatican", 15, 1, 1990, 12, 0, 12.45, 1, "CET"},
    {"NewYorkBicentennial1976", 0, "America/New_York", 4, 7, 1976, 12, 0, -74.0, -4, "EDT"},
    {"NewYorkWinter2099", 0, "America/New_York", 15, 1, 2099, 12, 0, -74.0, -5, "EST"},
    {"ParisMeanTime1892", 0, "Europe/Paris", 1, 6, 1892, 12, 0, 2.35, 561.0 / 3600, "PMT"},
    {"KolkataLocalMeanTime1850", 0, "Asia/Kolkata", 1, 6, 1850, 12, 0, 88.36, 88.36 * 4 / 60, "LMT"},
    {"SydneyJanuary1990", 0, "Australia/Sydney", 15, 1, 1990, 12, 0, 151.2, 11, "AEDT"},
    {"KathmanduSince1986", 0, "Asia/Kathmandu", 15, 1, 1990, 12, 0, 85.3, 5.75, "+054"},
    // The edges of summer time: 03:00 of the last Sunday of October is shown
    // only by the winter clock, 02:30 twice (the summer reading first); the
    // first moment of a regime belongs to it.
    {"RomeFirstMomentOfWinterTime2020", 100390000, "Europe/Rome", 25, 10, 2020, 3, 0, 12.48, 1, "CET"},
    {"RomeHourShownTwice2020", 100390000, "Europe/Rome", 25, 10, 2020, 2, 30, 12.48, 2, "CEST"},
    {"RomeSkippedHour2021", 100390000, "Europe/Rome", 28, 3, 2021, 2, 30, 12.48, 2, "CEST"},
    {"DetroitFirstMomentOfStandardTime2021", 0, "America/Detroit", 7, 11, 2021, 2, 0, -83.05, -5, "EST"},
    {"HanoiNorthVietnam1972", 0, "Asia/Bangkok", 1, 6, 1972, 12, 0, 105.84, 7, "+07"},
};

void PrintTo(const NamedCase& c, std::ostream* os)
{
    *os << c.name;
}

class GeneratedNamedCases : public GeneratedRegimes, public testing::WithParamInterface<NamedCase> {};

TEST_P(GeneratedNamedCases, AgreeWithZdump)
{
    const NamedCase& c = GetParam();
    const std::vector<ZdumpRegime> z = Zdump(c.zone);
    ASSERT_GT(z.size(), 2u) << "zdump gave nothing for " << c.zone;
    const int regime = c.regime ? c.regime : ForeignRegime(c.zone);
    std::string file;
    const auto regimes = LoadRegimes(regime, &file);
    if (!c.regime) {
        EXPECT_TRUE(folder.Has(file)) << "working copy " << file;
    }

    const Seconds local = LocalSeconds(c.day, c.month, c.year, c.hour, c.minute);
    const long double jd = JulianDay(1, c.day, c.month, c.year, c.hour, c.minute);
    ASSERT_NEAR(static_cast<double>(jd - LocalJDOf(local)), 0.0, 1e-8);
    const Correction got = CorrectionAt(regimes, jd, c.longitude);

    const ZdumpRegime& ref = RegimeOfReading(z, local);
    const double zdumpHours = ref.abbr == "LMT" ? c.longitude * 4 / 60 : ref.gmtoff / 3600.0;
    std::printf("%-28s ours %+.6f %-4s zdump %+.6f %-5s difference %.2e h\n", c.name, got.hours, got.code.c_str(),
                zdumpHours, ref.abbr.c_str(), std::fabs(got.hours - zdumpHours));
    EXPECT_NEAR(got.hours, zdumpHours, 1e-9);
    EXPECT_EQ(got.code, ref.abbr.substr(0, 4));
    EXPECT_NEAR(got.hours, c.hours, 1e-9);
    EXPECT_EQ(got.code, c.code);
    EXPECT_FALSE(got.afterLast);
}

INSTANTIATE_TEST_SUITE_P(Zones, GeneratedNamedCases, testing::ValuesIn(kNamedCases),
                         [](const testing::TestParamInfo<NamedCase>& i) { return std::string(i.param.name); });

TEST_F(GeneratedRegimes, DataEndAt2100)
{
    const auto regimes = LoadRegimes(100390000);
    EXPECT_FALSE(CorrectionAt(regimes, JulianDay(1, 31, 12, 2099, 23, 0), 12.5).afterLast);
    const Correction late = CorrectionAt(regimes, JulianDay(1, 15, 7, 2100, 12, 0), 12.5);
    EXPECT_TRUE(late.afterLast);
    EXPECT_EQ(late.code, "CET") << "the last regime of 2099 still shown";
}

// Every zone of the index and the three Italian files: the run's shape,
// and the regime at each change (the clock reading at which it starts, a
// minute before and a minute after, and the middle of each regime)
// compared with zdump.
TEST_F(GeneratedRegimes, EveryZoneAgreesWithZdump)
{
    const auto& all = ReadZoneIndexCache();
    ASSERT_GT(all.size(), 400u);
    std::set<std::string> names;
    for (std::size_t i = 0; i < all.size(); ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "TZ%06zu.CAL", i + 1);
        EXPECT_EQ(all[i].key, key);
        if (i > 0) {
            EXPECT_LT(all[i - 1].zone, all[i].zone);
        }
        names.insert(all[i].zone);
    }
    for (const char* zone : {"Europe/Rome", "Europe/San_Marino", "Europe/Vatican", "America/New_York",
                             "Australia/Sydney", "Asia/Kolkata", "Antarctica/Troll"})
        EXPECT_TRUE(names.count(zone)) << zone;

    // The foreign zones, then the Italian files with the zone they copy.
    struct Run {
        std::string zone;
        int regime;
    };
    std::vector<Run> runs;
    for (std::size_t i = 0; i < all.size(); ++i)
        runs.push_back({all[i].zone, 200000000 + static_cast<int>(i + 1)});
    runs.push_back({"Europe/Rome", 100390000});
    runs.push_back({"Europe/San_Marino", 103780000});
    runs.push_back({"Europe/Vatican", 103790000});

    // zdump is slow (it probes the whole range): run it on several zones at once.
    std::vector<std::vector<ZdumpRegime>> dumps(runs.size());
    const std::size_t workers = std::max(2u, std::thread::hardware_concurrency());
    for (std::size_t first = 0; first < runs.size(); first += workers) {
        std::vector<std::future<std::vector<ZdumpRegime>>> jobs;
        for (std::size_t i = first; i < std::min(runs.size(), first + workers); ++i)
            jobs.push_back(std::async(std::launch::async, Zdump, runs[i].zone));
        for (std::size_t i = first; i < std::min(runs.size(), first + workers); ++i)
            dumps[i] = jobs[i - first].get();
    }

    double largest = 0;
    std::size_t points = 0, records = 0;
    std::string worst;
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const std::string& zone = runs[i].zone;
        const auto regimes = LoadRegimes(runs[i].regime);
        records += regimes.size();
        ASSERT_GE(regimes.size(), 2u) << zone;
        EXPECT_EQ(regimes.front().code, "LMT") << zone;
        EXPECT_EQ(regimes.front().start, 0) << zone;
        EXPECT_EQ(regimes.back().code, kEndCode) << zone;
        EXPECT_EQ(regimes.back().start, 2488069.5L) << zone;
        if (i + 1 < all.size()) {
            EXPECT_EQ(all[i].firstRecord + static_cast<int>(regimes.size()), all[i + 1].firstRecord) << zone;
        }
        for (std::size_t k = 1; k < regimes.size(); ++k) {
            EXPECT_LE(regimes[k - 1].start, regimes[k].start) << zone << " record " << k;
            EXPECT_FALSE(regimes[k - 1].code == regimes[k].code && regimes[k - 1].correction == regimes[k].correction)
                << zone << " record " << k << " repeats the one before";
        }

        const std::vector<ZdumpRegime>& z = dumps[i];
        ASSERT_FALSE(z.empty()) << "zdump gave nothing for " << zone;
        std::vector<Seconds> readings;
        for (std::size_t k = 1; k < z.size(); ++k) {
            readings.push_back(z[k].clockStart - 60);
            readings.push_back(z[k].clockStart);
            readings.push_back(z[k].clockStart + 60);
            if (k + 1 < z.size())
                readings.push_back(z[k].from + z[k].gmtoff + (z[k + 1].from - z[k].from) / 2);
        }
        readings.push_back(LocalSeconds(1, 1, 1800, 12, 0));
        readings.push_back(LocalSeconds(31, 12, 2099, 12, 0));
        for (Seconds local : readings) {
            if (local < LocalSeconds(1, 1, 1800, 12, 0) || local > LocalSeconds(31, 12, 2099, 12, 0))
                continue;
            const ZdumpRegime& ref = RegimeOfReading(z, local);
            const Correction got = CorrectionAt(regimes, LocalJDOf(local), 0);
            ++points;
            EXPECT_EQ(got.code, ref.abbr.substr(0, 4)) << zone << " at local second " << local;
            if (ref.abbr == "LMT")
                continue;
            const double diff = std::fabs(got.hours - ref.gmtoff / 3600.0);
            if (diff > largest) {
                largest = diff;
                worst = zone;
            }
            EXPECT_NEAR(got.hours, ref.gmtoff / 3600.0, 1e-9) << zone << " at local second " << local;
        }
    }
    std::printf("%zu zones and Italian files, %zu records, %zu readings compared with zdump; largest difference "
                "%.2e h%s%s\n",
                runs.size(), records, points, largest, worst.empty() ? "" : " in ", worst.c_str());
}

} // namespace
