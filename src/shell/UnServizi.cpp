#include "shell/UnServizi.h"

#include "platform/Emf.h"
#include "platform/EventPump.h"
#include "platform/FileSystem.h"
#include "platform/FloatText.h"
#include "shell/SharedState.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <cmath>
#include <optional>
#include <thread>

namespace {

constexpr long double kFirstEphemerisDay = 2396758.5L; // 01/01/1850 0h
constexpr long double kLastEphemerisDay = 2481129.5L;

// Integer part toward zero, kept in long double so that no value can
// overflow an integer type.
long double Int(long double x)
{
    return std::trunc(x);
}

long double Frac(long double x)
{
    return x - std::trunc(x);
}

// Integer for the text fields; a value no integer can hold (NaN, infinities,
// absurd magnitudes) becomes 0 instead of undefined behaviour.
long long ToInteger(long double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 9.0e18L)
        return 0;
    return static_cast<long long>(std::trunc(x));
}

int ToInt(long double x)
{
    if (!std::isfinite(x) || std::fabs(x) > 2.0e9L)
        return 0;
    return static_cast<int>(std::trunc(x));
}

// Characters first..first+count-1 (1-based), whatever of them exists.
std::string_view Chars(std::string_view s, std::size_t first, std::size_t count)
{
    if (first == 0 || first > s.size())
        return {};
    return s.substr(first - 1, count);
}


std::string_view DropTrailingBlanks(std::string_view s)
{
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

std::string_view DropLeadingBlanks(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    return s;
}

// A number field of a date text or a key: point first, then comma; 0 when
// neither reader takes it.
std::optional<long double> ReadNumber(std::string_view text)
{
    if (auto v = ParseFixedReal(text))
        return v;
    return ParseLocaleReal(text);
}

long double NumberOrZero(std::string_view text)
{
    return ReadNumber(text).value_or(0.0L);
}

// The Julian day arithmetic without touching the subject's range flag.
long double JulianDayValue(int calendar, long double day, long double month, long double year, long double hour,
                           long double minute)
{
    long double y, m;
    if (month >= 3) {
        y = year;
        m = month;
    } else {
        y = year - 1;
        m = month + 12;
    }
    long double b = 0;
    if (calendar == 1) {
        const long double a = Int(y / 100);
        b = 2 - a + Int(a / 4);
    }
    long double c = Int(365.25L * y);
    if (y < 0)
        c -= 1;
    const long double d = Int(30.6001L * (m + 1));
    return day + hour / 24 + minute / 1440 + d + b + c + 1720994.5L;
}

// Date text of a Julian day. When the minutes round up to 60 the day is
// moved forward a little at a time until they don't, so that a moment like
// 12:59:45 reads 13:00 (and 23:59:45 the next day at 00:00) rather than
// "12:60".
std::string JDText(long double jd, bool (*gregorian)(long double z))
{
    long double x = jd + 0.5L;
    long double dayF = 0, month = 0, year = 0, hours = 0, minutes = 0;
    // A jd too large for the nudge to change x would loop for ever.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const long double z = Int(x);
        const long double f = Frac(x);
        long double a = z;
        if (gregorian(z)) {
            const long double alpha = Int((z - 1867216.25L) / 36524.25L);
            a = z + 1 + alpha - Int(alpha / 4);
        }
        const long double b = a + 1524;
        const long double c = Int((b - 122.1L) / 365.25L);
        const long double d = Int(365.25L * c);
        const long double e = Int((b - d) / 30.6001L);
        dayF = b - d + f - Int(30.6001L * e);
        month = e < 13.5L ? e - 1 : e - 13;
        year = month > 2.5L ? c - 4716 : c - 4715;
        hours = Int(Frac(dayF) * 24);
        minutes = Int(Frac(Frac(dayF) * 24) * 60 + 0.5L);
        if (minutes != 60)
            break;
        x += 0.00001L;
    }
    return ZeroPad(ToInteger(dayF), 2) + "/" + ZeroPad(ToInteger(month), 2) + "/" + ZeroPad(ToInteger(year), 4) + " " +
           ZeroPad(ToInteger(hours), 2) + ":" + ZeroPad(ToInteger(minutes), 2);
}

// Degrees, minutes and rounded seconds of a longitude within its sign.
struct SignParts {
    int sign;
    long long deg, min, sec;
};

SignParts SplitLongitude(long double x)
{
    x = std::fabs(x);
    const long double quotient = Int(x / 30);
    // The remainder from the same quotient as the sign, so that the sign and
    // the degrees always agree.
    const long double inSign = x - 30 * quotient;
    SignParts p {};
    p.sign = ToInt(quotient) + 1;
    p.deg = ToInteger(inSign);
    p.min = ToInteger(Frac(inSign) * 60);
    p.sec = ToInteger(std::nearbyint((x - p.deg - 30.0L * (p.sign - 1) - p.min / 60.0L) * 3600));
    return p;
}

// Minutes rounded for the texts without seconds. Degree 29 never carries
// into the next sign, and a minute of 59 is shown as the next degree.
SignParts RoundToMinutes(SignParts p)
{
    if (p.sec > 30 && p.min < 59)
        ++p.min;
    if (p.min == 59 && p.deg < 29) {
        ++p.deg;
        p.min = 0;
    }
    return p;
}

const std::string kNoName;

const std::array<std::string, 12> kShortNames {"Ari", "Tor", "Gem", "Can", "Leo", "Ver",
                                               "Bil", "Sco", "Sag", "Cap", "Acq", "Pes"};
const std::array<std::string, 12> kFullNames {"Ariete",  "Toro",     "Gemelli",    "Cancro",
                                              "Leone",   "Vergine",  "Bilancia",   "Scorpione",
                                              "Sagittario", "Capricorno", "Acquario", "Pesci"};

// Adds a turn to negative differences only (the house widths and offsets).
long double PositiveDifference(long double x)
{
    return x < 0 ? x + 360 : x;
}

} // namespace

// ---- Texts -------------------------------------------------------------

void UpperCaseInPlace(std::string& s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
}

std::string RepeatChar(int n, char c)
{
    return n > 0 ? std::string(static_cast<std::size_t>(n), c) : std::string();
}

std::string TrimRightBlanks(std::string_view s)
{
    // Cut to the field length, then trimmed again so that the cut never
    // leaves a trailing blank.
    return std::string(DropTrailingBlanks(Bounded(std::string(DropTrailingBlanks(s)), 80)));
}

std::string TrimBlanks(std::string_view s)
{
    return std::string(DropTrailingBlanks(Bounded(std::string(DropTrailingBlanks(DropLeadingBlanks(s))), 80)));
}

std::string StripTrailingJunk(std::string_view s)
{
    auto allowed = [](char c) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ')' || c == '.')
            return true;
        // à é è ù ò ì in Windows-1252.
        switch (static_cast<unsigned char>(c)) {
        case 0xE0: case 0xE9: case 0xE8: case 0xF9: case 0xF2: case 0xEC:
            return true;
        default:
            return false;
        }
    };
    for (int i = 0; i < 10 && !s.empty(); ++i)
        if (!allowed(s.back()))
            s.remove_suffix(1);
    return std::string(s);
}

std::string ZeroPad(long long n, int width)
{
    if (width > 5)
        width = 5;
    std::string s = std::to_string(n);
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return s;
}

std::string PointToComma(std::string_view s)
{
    std::string out = Bounded(std::string(s), 80);
    ReplaceChar(out, '.', ',');
    return out;
}

std::string CommaToPoint(std::string_view s)
{
    std::string out(s);
    ReplaceChar(out, ',', '.');
    return out;
}

std::string PlaceDisplay(std::string_view s)
{
    std::string out;
    bool firstStar = true;
    char previous = '\0';
    for (char c : s) {
        const char source = c;
        if (c == '*') {
            c = firstStar ? '(' : ')';
            firstStar = false;
        }
        if (!(source == ' ' && previous == ' '))
            out += c;
        previous = source;
    }
    return Bounded(std::move(out), 80);
}

std::string FixedDigits(int n, long double x)
{
    if (n <= 0)
        return {};
    const std::string text = DefaultFloatText(std::fabs(x));
    // " d.ddddddddddddddE+eeee"
    const std::size_t e = text.find('E');
    if (!std::isfinite(x) || e == std::string::npos || e < 2)
        return Bounded(std::string(DropLeadingBlanks(text)), static_cast<std::size_t>(n));
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            digits += text[i];
    const int exponent = static_cast<int>(ParseInteger(std::string_view(text).substr(e + 1)).value_or(0));
    std::string out;
    if (exponent < 0) {
        out = "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else {
        const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole)
            out = digits + std::string(whole - digits.size(), '0');
        else
            out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
    return Bounded(std::move(out), static_cast<std::size_t>(n));
}

void ReplaceChar(std::string& s, char from, char to)
{
    for (char& c : s)
        if (c == from)
            c = to;
}

// ---- Dates and Julian days ----------------------------------------------

long double JulianDay(int calendar, long double day, long double month, long double year, long double hour,
                      long double minute)
{
    const long double jd = JulianDayValue(calendar, day, month, year, hour, minute);
    CurrentSubject.InEphemerisRange = kFirstEphemerisDay <= jd && jd <= kLastEphemerisDay;
    return jd;
}

std::string JDToText(long double jd)
{
    return JDText(jd, [](long double z) { return z > 2299160; });
}

std::string JDToTextCal(long double jd)
{
    return JDText(jd, [](long double) { return InputCalendar == 1; });
}

std::string TodayText()
{
    const FileSystem::LocalTime now = FileSystem::Now();
    return ZeroPad(now.day, 2) + "/" + ZeroPad(now.month, 2) + "/" + ZeroPad(now.year, 4);
}

std::string DisplayDateToKey(std::string_view d)
{
    std::string key;
    key += Chars(d, 7, 4);
    key += Chars(d, 4, 2);
    key += Chars(d, 1, 2);
    key += Chars(d, 12, 2);
    key += Chars(d, 15, 2);
    return key;
}

DateKeyParts SplitDateKey(std::string_view key)
{
    DateKeyParts parts;
    parts.displayDate = std::string(Chars(key, 7, 2)) + "/" + std::string(Chars(key, 5, 2)) + "/" +
                        std::string(Chars(key, 1, 4)) + " " + std::string(Chars(key, 9, 2)) + ":" +
                        std::string(Chars(key, 11, 2));
    parts.zoneText = std::string(Chars(key, 13, 5));
    CurrentSubject.Zone = NumberOrZero(parts.zoneText);
    return parts;
}

void SplitDisplayDate(std::string_view d)
{
    CurrentSubject.Day = NumberOrZero(Chars(d, 1, 2));
    CurrentSubject.Month = NumberOrZero(Chars(d, 4, 2));
    CurrentSubject.Year = NumberOrZero(Chars(d, 7, 4));
    CurrentSubject.Hour = NumberOrZero(Chars(d, 12, 2));
    CurrentSubject.Minute = NumberOrZero(Chars(d, 15, 2));
}

std::string ZoneDisplay()
{
    // The correction is shown as the offset of the local clock from
    // universal time, hence the opposite sign.
    const long double x = -CurrentSubject.Zone;
    return std::string(x >= 0 ? "+" : "-") + FixedDigits(4, x);
}

std::string FileDateText(std::string_view name)
{
    const auto t = FileSystem::ModificationTime(name);
    if (!t)
        return "Non Valida";
    // Day count from 30/12/1899 of the local time, seconds included, added
    // to the Julian day of that origin.
    const long double origin = JulianDayValue(1, 30, 12, 1899, 0, 0);
    const long double days = JulianDayValue(1, t->day, t->month, t->year, 0, 0) - origin +
                             (t->hour * 3600.0L + t->minute * 60.0L + t->second) / 86400.0L;
    return JDToText(origin + days);
}

void Delay(int seconds, int milliseconds)
{
    using clock = std::chrono::steady_clock;
    const auto wait = std::chrono::milliseconds(static_cast<long long>(seconds) * 1000 + milliseconds);
    const auto deadline = clock::now() + wait;
    EventPump::ProcessPending();
    while (clock::now() < deadline) {
        const auto left = deadline - clock::now();
        std::this_thread::sleep_for(std::min<clock::duration>(left, std::chrono::milliseconds(5)));
        EventPump::ProcessPending();
    }
}

// ---- Angles (degrees) ---------------------------------------------------

long double Norm360(long double x)
{
    x -= 360 * Int(x / 360);
    return x < 0 ? x + 360 : x;
}

long double Mod30(long double x)
{
    x -= 30 * Int(x / 30);
    return x < 0 ? x + 30 : x;
}

long double SinDeg(long double x)
{
    return std::sin(x * kPi / 180);
}

long double CosDeg(long double x)
{
    return std::cos(x * kPi / 180);
}

long double TanDeg(long double x)
{
    return std::tan(x * kPi / 180);
}

long double ArcSinRad(long double x)
{
    return std::atan(x / std::sqrt(1 - x * x));
}

long double ArcCosRad(long double x)
{
    // Through the tangent: a negative x gives a negative angle, which the
    // callers correct themselves.
    return std::atan(std::sqrt(1 - x * x) / x);
}

long double RadToDeg(long double x)
{
    return x * 180 / kPi;
}

int SignNumber(long double x)
{
    return ToInt(x / 30) + 1;
}

std::vector<int> SignNumbers(int n, const long double* table)
{
    std::vector<int> signs;
    if (!table || n <= 0)
        return signs;
    signs.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        signs.push_back(SignNumber(table[i]));
    return signs;
}

std::vector<int> HouseOfBodies(int n, const long double* bodies, const long double* cusps)
{
    std::vector<int> houses;
    if (!bodies || !cusps || n <= 0)
        return houses;
    std::array<long double, 14> c {};
    for (int i = 1; i <= 12; ++i)
        c[i] = cusps[i];
    c[13] = c[1];
    houses.reserve(static_cast<std::size_t>(n));
    for (int b = 0; b < n; ++b) {
        // A negative longitude marks a retrograde body.
        const long double body = std::fabs(bodies[b]);
        int house = 0;
        // A body exactly on a cusp belongs to the house that begins there.
        // The far end of a house is therefore excluded: taking it in and
        // letting the last match win would put a body on the Ascendant in
        // the twelfth house, which is tried last.
        for (int i = 1; i <= 12; ++i) {
            const long double width = PositiveDifference(c[i + 1] - c[i]);
            const long double offset = PositiveDifference(body - c[i]);
            if (offset < width)
                house = i;
        }
        houses.push_back(house);
    }
    return houses;
}

// ---- Longitude and coordinate texts --------------------------------------

std::string LongitudeSignText(int mode, long double x)
{
    SignParts p = SplitLongitude(x);
    if (mode == 2)
        return ZeroPad(p.deg, 2) + SignShortName(p.sign) + ZeroPad(p.min, 2) + ":" + ZeroPad(p.sec, 2);
    p = RoundToMinutes(p);
    return ZeroPad(p.deg, 2) + SignShortName(p.sign) + ZeroPad(p.min, 2);
}

std::string LongitudeDegText(int mode, long double x)
{
    SignParts p = SplitLongitude(x);
    if (mode == 2)
        return ZeroPad(p.deg, 2) + "°" + ZeroPad(p.min, 2) + "'" + ZeroPad(p.sec, 2) + "\"";
    p = RoundToMinutes(p);
    return ZeroPad(p.deg, 2) + "°" + ZeroPad(p.min, 2) + "'";
}

std::string LongitudeFullText(std::string_view retro, long double x)
{
    const SignParts p = RoundToMinutes(SplitLongitude(x));
    std::string text = ZeroPad(p.deg, 2) + "°" + ZeroPad(p.min, 2) + "'" + " " + SignFullName(p.sign);
    if (retro == "r" || retro == "R")
        text += " Retrogrado ";
    return text;
}

std::string LatitudeText(long double x)
{
    const long double a = std::fabs(x);
    return ZeroPad(ToInteger(a), 2) + "° " + ZeroPad(ToInteger(Frac(a) * 60), 2) + "'" + " " +
           (x >= 0 ? "Nord" : "Sud");
}

void SplitCoordinates(std::string_view s)
{
    CurrentSubject.LatDeg = std::string(Chars(s, 1, 2));
    CurrentSubject.LatHemi = std::string(Chars(s, 3, 1));
    CurrentSubject.LatMin = std::string(Chars(s, 4, 2));
    CurrentSubject.LonDeg = std::string(Chars(s, 7, 3));
    CurrentSubject.LonHemi = std::string(Chars(s, 10, 1));
    CurrentSubject.LonMin = std::string(Chars(s, 11, 2));
}

const std::string& SignShortName(int sign)
{
    return sign >= 1 && sign <= 12 ? kShortNames[static_cast<std::size_t>(sign - 1)] : kNoName;
}

const std::string& SignFullName(int sign)
{
    return sign >= 1 && sign <= 12 ? kFullNames[static_cast<std::size_t>(sign - 1)] : kNoName;
}

// ---- Wheel radii ------------------------------------------------------------

void SetWheelRadii()
{
    WheelRadii = {173, 105, 67, 57, 57, 44, 44, 38};
}

void ClearOutOfRange(long double jd)
{
    if (kFirstEphemerisDay <= jd && jd <= kLastEphemerisDay)
        return;
    CurrentSubject.InEphemerisRange = false;
    for (int i = 1; i <= 5; ++i)
        BodyLongitude[static_cast<std::size_t>(i)] = 0;
}

std::string Bounded(std::string s, std::size_t n)
{
    if (s.size() > n)
        s.resize(n);
    return s;
}

namespace {
// The metafile being captured; MetafileCanvas points at it while it is open.
std::unique_ptr<EmfCanvas>& Capture()
{
    static std::unique_ptr<EmfCanvas> capture;
    return capture;
}

void CloseCapture()
{
    MetafileCanvas = nullptr;
    Capture().reset();
}
} // namespace

void BeginCapture()
{
    if (!ToMetafile)
        return;
    CloseCapture();
    const bool portrait = PrinterAvailable && !PrinterLandscape;
    const int width = std::max(1, ScreenWidthPixels);
    const int height = std::max(1, ScreenHeightPixels) * (portrait ? 2 : 1);
    Capture() = std::make_unique<EmfCanvas>(CanvasSize {width, height});
    MetafileCanvas = Capture().get();
}

void EndCapture(std::string_view name)
{
    // Taken out first: whatever the save does, the capture is closed.
    std::unique_ptr<EmfCanvas> canvas = std::move(Capture());
    MetafileCanvas = nullptr;
    if (!ToMetafile || !canvas)
        return;
    canvas->Save("Emf\\" + std::string(name));
}
