// Writes the historical time regimes of the program folder from the IANA
// time-zone database as installed under /usr/share/zoneinfo (Debian tzdata).
// Usage: mkregimes ZONEINFO_DIR OUTPUT_DIR
//
// - Calendar\Database.cll: for every zone of zone1970.tab and zone.tab, in
//   the byte order of their names, one run of regime records (see
//   archive/TimeRegimes.h): an "LMT" record starting at Julian day 0, one
//   record per change of regime up to 2100, a "FINE" record starting at
//   01/01/2100 00:00 that closes the run;
// - Calendar\Elencal.002: one line per zone in the same order, the key
//   "TZ" + 6-digit line number + ".CAL", the first record number and the
//   zone name;
// - Calendar\00390000.CAL, 03780000.CAL, 03790000.CAL: the same run for
//   Italy (Europe/Rome), San Marino (Europe/San_Marino) and the Vatican
//   (Europe/Vatican).
//
// The regimes come from the zone's TZif file: its transitions (64-bit
// section) and, after the last one, the POSIX TZ rule of its footer.
// Transitions before 1800 set the regime in force at 1800; those from
// 01/01/2100 00:00 UT on are left out (the range zdump -c 1800,2100 shows).
// The local-mean-time period of a zone is not copied: our "LMT" record
// stands for it, computed from each place's own longitude. A zone whose
// first regime is another keeps it, starting at Julian day 0 after the
// "LMT" record. Consecutive regimes with the same code and correction are
// merged. The output depends only on the input files.
#include "archive/TimeRegimes.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

using Seconds = std::int64_t; // seconds since 01/01/1970 00:00 UT

constexpr Seconds kFirstSecond = -5364662400;  // 01/01/1800 00:00 UT
constexpr Seconds kEndSecond = 4102444800;     // 01/01/2100 00:00 UT
constexpr Seconds kUnixEpochFromJD0 = 210866760000; // 2440587.5 days in seconds
constexpr long double kEndJD = 2488069.5L;     // 01/01/2100 00:00

struct LocalType {
    std::int32_t utoff = 0; // seconds the local clock is ahead of UT
    bool isdst = false;
    std::string abbr;
    bool operator==(const LocalType&) const = default;
};

struct Change {
    Seconds at; // UT instant from which `type` is in force
    LocalType type;
};

struct ZoneHistory {
    LocalType initial; // in force at 01/01/1800 00:00 UT
    std::vector<Change> changes;
};

[[noreturn]] void Fail(const std::string& what)
{
    throw std::runtime_error(what);
}

// ---- Civil dates (proleptic Gregorian) -----------------------------------

std::int64_t DaysFromCivil(std::int64_t y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

bool IsLeap(std::int64_t y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(std::int64_t y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

std::int64_t YearOf(Seconds t)
{
    const std::int64_t z = (t >= 0 ? t : t - 86399) / 86400 + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    return yoe + era * 400 + (mp >= 10 ? 1 : 0);
}

std::string Digits6(std::size_t n)
{
    char text[16];
    std::snprintf(text, sizeof text, "%06zu", n);
    return text;
}

// ---- TZif files ------------------------------------------------------------

std::string ReadBytes(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in)
        Fail("cannot read " + p.string());
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::uint32_t BE32(const std::string& b, std::size_t at)
{
    if (at + 4 > b.size())
        Fail("truncated TZif file");
    return (std::uint32_t(std::uint8_t(b[at])) << 24) | (std::uint32_t(std::uint8_t(b[at + 1])) << 16) |
           (std::uint32_t(std::uint8_t(b[at + 2])) << 8) | std::uint32_t(std::uint8_t(b[at + 3]));
}

std::int64_t BE64(const std::string& b, std::size_t at)
{
    return static_cast<std::int64_t>((std::uint64_t(BE32(b, at)) << 32) | BE32(b, at + 4));
}

struct TzifCounts {
    std::uint32_t isut, isstd, leap, time, type, chars;
};

TzifCounts CountsAt(const std::string& b, std::size_t at)
{
    if (b.compare(at, 4, "TZif") != 0)
        Fail("not a TZif file");
    return {BE32(b, at + 20), BE32(b, at + 24), BE32(b, at + 28), BE32(b, at + 32), BE32(b, at + 36),
            BE32(b, at + 40)};
}

struct Tzif {
    std::vector<LocalType> types;
    std::vector<std::pair<Seconds, int>> transitions; // instant, type index
    std::string footer;                               // POSIX TZ rule, may be empty
};

Tzif ReadTzif(const fs::path& file)
{
    const std::string b = ReadBytes(file);
    TzifCounts c = CountsAt(b, 0);
    const char version = b.size() > 4 ? b[4] : 0;
    std::size_t at = 44;
    int timeSize = 4;
    if (version >= '2') {
        at += c.time * 4 + c.time + c.type * 6 + c.chars + c.leap * 8 + c.isstd + c.isut;
        c = CountsAt(b, at);
        at += 44;
        timeSize = 8;
    }
    Tzif z;
    const std::size_t times = at;
    const std::size_t indices = times + c.time * timeSize;
    const std::size_t infos = indices + c.time;
    const std::size_t chars = infos + c.type * 6;
    const std::size_t end = chars + c.chars + c.leap * (timeSize + 4) + c.isstd + c.isut;
    if (end > b.size() || c.type == 0)
        Fail("damaged TZif file " + file.string());
    for (std::uint32_t i = 0; i < c.type; ++i) {
        const std::size_t p = infos + i * 6;
        LocalType t;
        t.utoff = static_cast<std::int32_t>(BE32(b, p));
        t.isdst = b[p + 4] != 0;
        const std::size_t idx = std::uint8_t(b[p + 5]);
        if (idx >= c.chars)
            Fail("damaged TZif file " + file.string());
        t.abbr = std::string(b.c_str() + chars + idx);
        z.types.push_back(t);
    }
    for (std::uint32_t i = 0; i < c.time; ++i) {
        const Seconds t = timeSize == 8 ? BE64(b, times + i * 8) : static_cast<std::int32_t>(BE32(b, times + i * 4));
        const int type = std::uint8_t(b[indices + i]);
        if (type >= static_cast<int>(c.type))
            Fail("damaged TZif file " + file.string());
        z.transitions.emplace_back(t, type);
    }
    if (version >= '2' && end < b.size() && b[end] == '\n') {
        const std::size_t close = b.find('\n', end + 1);
        if (close != std::string::npos)
            z.footer = b.substr(end + 1, close - end - 1);
    }
    return z;
}

// ---- POSIX TZ rules (the footer) -----------------------------------------

struct RuleDate {
    char kind = 'M'; // 'J' (1..365, no 29 February), 'D' (0..365), 'M' (month.week.day)
    int a = 0, b = 0, c = 0;
    Seconds time = 7200; // local time of the change, seconds from midnight
};

struct PosixRule {
    LocalType std;
    bool hasDst = false;
    LocalType dst;
    RuleDate start, end; // start: to summer time (in standard time); end: back (in summer time)
};

class RuleParser {
public:
    explicit RuleParser(std::string s) : s_(std::move(s)) {}

    PosixRule Parse()
    {
        PosixRule r;
        r.std.abbr = Name();
        r.std.utoff = static_cast<std::int32_t>(-Offset());
        if (AtEnd())
            return r;
        r.hasDst = true;
        r.dst.isdst = true;
        r.dst.abbr = Name();
        r.dst.utoff = r.std.utoff + 3600;
        if (!AtEnd() && Peek() != ',')
            r.dst.utoff = static_cast<std::int32_t>(-Offset());
        if (AtEnd()) { // the POSIX default rule
            r.start = {'M', 3, 2, 0, 7200};
            r.end = {'M', 11, 1, 0, 7200};
            return r;
        }
        Expect(',');
        r.start = Date();
        Expect(',');
        r.end = Date();
        if (!AtEnd())
            Fail("unexpected text in TZ rule " + s_);
        return r;
    }

private:
    bool AtEnd() const { return i_ >= s_.size(); }
    char Peek() const { return AtEnd() ? '\0' : s_[i_]; }
    void Expect(char c)
    {
        if (Peek() != c)
            Fail("bad TZ rule " + s_);
        ++i_;
    }
    std::string Name()
    {
        std::string n;
        if (Peek() == '<') {
            ++i_;
            while (!AtEnd() && Peek() != '>')
                n += s_[i_++];
            Expect('>');
        } else {
            while (!AtEnd() && std::isalpha(static_cast<unsigned char>(Peek())))
                n += s_[i_++];
        }
        if (n.empty())
            Fail("bad TZ rule " + s_);
        return n;
    }
    long Number()
    {
        if (!std::isdigit(static_cast<unsigned char>(Peek())))
            Fail("bad TZ rule " + s_);
        long v = 0;
        while (std::isdigit(static_cast<unsigned char>(Peek())))
            v = v * 10 + (s_[i_++] - '0');
        return v;
    }
    // [+-]hh[:mm[:ss]] in seconds.
    Seconds Time()
    {
        int sign = 1;
        if (Peek() == '+' || Peek() == '-')
            sign = s_[i_++] == '-' ? -1 : 1;
        Seconds v = Number() * 3600;
        if (Peek() == ':') {
            ++i_;
            v += Number() * 60;
            if (Peek() == ':') {
                ++i_;
                v += Number();
            }
        }
        return sign * v;
    }
    Seconds Offset() { return Time(); } // hours west of Greenwich
    RuleDate Date()
    {
        RuleDate d;
        if (Peek() == 'M') {
            ++i_;
            d.kind = 'M';
            d.a = static_cast<int>(Number());
            Expect('.');
            d.b = static_cast<int>(Number());
            Expect('.');
            d.c = static_cast<int>(Number());
            if (d.a < 1 || d.a > 12 || d.b < 1 || d.b > 5 || d.c > 6)
                Fail("bad TZ rule " + s_);
        } else if (Peek() == 'J') {
            ++i_;
            d.kind = 'J';
            d.a = static_cast<int>(Number());
        } else {
            d.kind = 'D';
            d.a = static_cast<int>(Number());
        }
        if (Peek() == '/') {
            ++i_;
            d.time = Time();
        }
        return d;
    }

    std::string s_;
    std::size_t i_ = 0;
};

// Days since 01/01/1970 of the rule's day in year y.
std::int64_t RuleDay(const RuleDate& d, std::int64_t y)
{
    const std::int64_t jan1 = DaysFromCivil(y, 1, 1);
    switch (d.kind) {
    case 'J':
        return jan1 + d.a - 1 + (IsLeap(y) && d.a >= 60 ? 1 : 0);
    case 'D':
        return jan1 + d.a;
    default: {
        const std::int64_t first = DaysFromCivil(y, d.a, 1);
        const int weekday = static_cast<int>(((first + 4) % 7 + 7) % 7); // 01/01/1970 was a Thursday
        std::int64_t day = first + (d.c - weekday + 7) % 7 + 7 * (d.b - 1);
        while (day >= first + DaysInMonth(y, d.a))
            day -= 7;
        return day;
    }
    }
}

// The changes a footer rule makes in years `fromYear`..2099, in order.
std::vector<Change> RuleChanges(const PosixRule& r, std::int64_t fromYear)
{
    std::vector<Change> out;
    if (!r.hasDst)
        return out;
    for (std::int64_t y = fromYear; y <= 2100; ++y) {
        out.push_back({RuleDay(r.start, y) * 86400 + r.start.time - r.std.utoff, r.dst});
        out.push_back({RuleDay(r.end, y) * 86400 + r.end.time - r.dst.utoff, r.std});
    }
    std::stable_sort(out.begin(), out.end(), [](const Change& a, const Change& b) { return a.at < b.at; });
    return out;
}

ZoneHistory ReadZone(const fs::path& zoneinfo, const std::string& name)
{
    const Tzif z = ReadTzif(zoneinfo / name);
    ZoneHistory h;
    h.initial = z.types[0];
    Seconds last = kFirstSecond - 1;
    for (const auto& [at, type] : z.transitions) {
        if (at < kFirstSecond)
            h.initial = z.types[static_cast<std::size_t>(type)];
        else if (at < kEndSecond)
            h.changes.push_back({at, z.types[static_cast<std::size_t>(type)]});
        last = std::max(last, at);
    }
    if (!z.footer.empty() && last < kEndSecond) {
        const PosixRule rule = RuleParser(z.footer).Parse();
        const std::int64_t fromYear = std::max<std::int64_t>(1800, YearOf(last) - 1);
        for (const Change& c : RuleChanges(rule, fromYear))
            if (c.at > last && c.at >= kFirstSecond && c.at < kEndSecond)
                h.changes.push_back(c);
        if (z.transitions.empty()) // a zone with a fixed rule only
            h.initial = rule.std;
    }
    return h;
}

// ---- Regime records --------------------------------------------------------

long double LocalJD(Seconds utc, std::int32_t utoff)
{
    return static_cast<long double>(utc + utoff + kUnixEpochFromJD0) / 86400.0L;
}

RegimeRecord Regime(long double start, const LocalType& t)
{
    return {start, t.abbr.substr(0, 4), t.utoff / 3600.0};
}

std::vector<RegimeRecord> Regimes(const ZoneHistory& h)
{
    std::vector<RegimeRecord> out;
    LocalType current = h.initial;
    const bool startsWithLmt = current.abbr == "LMT";
    out.push_back(Regime(0, current));
    out.back().code = "LMT";
    if (!startsWithLmt)
        out.push_back(Regime(0, current));
    bool inLeadingLmt = startsWithLmt;
    for (const Change& c : h.changes) {
        const LocalType previous = current;
        current = c.type;
        if (inLeadingLmt && current.abbr == "LMT") {
            out.back().correction = current.utoff / 3600.0; // the latest local mean time of the zone
            continue;
        }
        inLeadingLmt = false;
        RegimeRecord r = Regime(LocalJD(c.at, previous.utoff), current);
        if (r.code == out.back().code && r.correction == out.back().correction)
            continue;
        out.push_back(r);
    }
    out.push_back({kEndJD, kEndCode, current.utoff / 3600.0});
    return out;
}

std::vector<std::string> Encoded(const std::vector<RegimeRecord>& regimes)
{
    std::vector<std::string> out;
    out.reserve(regimes.size());
    for (const RegimeRecord& r : regimes)
        out.push_back(EncodeRegime(r));
    return out;
}

// Third column of a zone table: the zone names, comments skipped.
std::set<std::string> TableZones(const fs::path& file)
{
    std::set<std::string> zones;
    std::ifstream in(file);
    if (!in)
        Fail("cannot read " + file.string());
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::size_t a = line.find('\t');
        const std::size_t b = a == std::string::npos ? a : line.find('\t', a + 1);
        if (b == std::string::npos)
            Fail("bad line in " + file.string() + ": " + line);
        const std::size_t e = line.find('\t', b + 1);
        zones.insert(line.substr(b + 1, e == std::string::npos ? std::string::npos : e - b - 1));
    }
    return zones;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: mkregimes CARTELLA_ZONEINFO CARTELLA_USCITA\n");
        return 2;
    }
    try {
        const auto began = std::chrono::steady_clock::now();
        const fs::path zoneinfo = argv[1];
        const fs::path out = argv[2];
        fs::create_directories(out / "Calendar");
        ProgramPath::SetRoot(out);

        std::set<std::string> zones = TableZones(zoneinfo / "zone1970.tab");
        zones.merge(TableZones(zoneinfo / "zone.tab")); // std::set: byte order of the names

        std::vector<std::string> database;
        std::vector<std::string> index;
        for (const std::string& zone : zones) {
            const std::string key = "TZ" + Digits6(index.size() + 1) + ".CAL";
            index.push_back(key + "  " + Digits6(database.size()) + " " + zone);
            for (std::string& r : Encoded(Regimes(ReadZone(zoneinfo, zone))))
                database.push_back(std::move(r));
        }
        if (database.size() > 999999)
            Fail("too many records for the index");
        RecordFile(kZoneDatabaseFile, kRegimeSize).Replace(database);
        WriteTextLines(kZoneIndexFile, index);

        const std::pair<const char*, const char*> italian[] = {
            {"Calendar\\00390000.CAL", "Europe/Rome"},
            {"Calendar\\03780000.CAL", "Europe/San_Marino"},
            {"Calendar\\03790000.CAL", "Europe/Vatican"},
        };
        for (const auto& [file, zone] : italian)
            RecordFile(file, kRegimeSize).Replace(Encoded(Regimes(ReadZone(zoneinfo, zone))));

        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - began);
        std::printf("mkregimes: %zu zones, %zu records, %lld ms\n", zones.size(), database.size(),
                    static_cast<long long>(ms.count()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkregimes: %s\n", Cp1252::ToUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}
