// Writes the three correction tables of FilePosi\ (DSEL.rnd, DPR1.rnd,
// NOJLNE.rnd) into a program folder, from the Swiss Ephemeris (Debian
// libswe-dev with swe-standard-data, JPL DE431-based files).
//
//   mkephem EPHE_DIR PROGRAM_FOLDER
//
// Each record is what the reference says minus what our own theory gives
// (the engine with its tables off) at the same Julian day in universal
// time: apparent geocentric ecliptic positions of date, so the tables also
// absorb Delta T, which the theory ignores.
//
// Choice of the record values. The engine interpolates linearly between two
// records, so a record holding the correction at its own day leaves the
// curvature error f'' h^2 / 8 in the middle of every interval (for the Moon
// before 1000 about 20", the error curves at the fortnightly terms). Each
// record instead holds f - D2/16, with D2 = f[n+1] - 2 f[n] + f[n-1] the
// second difference at the record: for a locally quadratic curve this
// centres the interpolation error, +-f'' h^2 / 16 instead of 0..f'' h^2 / 8.
// The two records of a planet interval that spans a jump of the theory
// (element table switching at T = -2, perturbations switching on at T = 0
// and off again after T = 2)
// each take the second difference of their inner neighbour, so that each
// serves its own side of the jump. Measured against the records holding the
// value at their own day, the largest error falls from 30" to 15" for the
// Moon before 1000 (6.6" to 3.4" for 1000-1800, 1.0" to 0.8" after 1800),
// from 65" to 54" for Mercury before 1000, and from 15' to 8' for the
// corrected Black Moon.
//
// Record days: DSEL 1721420.5 + n, NOJLNE 2341972.5 + n, DPR1 1721408.5 + 5n
// (also written in the record's 6-byte real, which the lookup interpolates
// from).
//
// The output depends only on the ephemeris files: the same files give the
// same bytes.
#include "astro/Ephemeris.h"
#include "core/Angles.h" // Norm360

#include <swephexp.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

using namespace ephemeris;

namespace {

// Layouts of the three files (first record's Julian day, step in days,
// number of records).
constexpr long double kMoonFirstDay = 1721420.5L;
constexpr long kMoonRecords = 777955; // JD 1721420.5 .. 2499374.5, one past the Moon's window
constexpr long double kPlanetFirstDay = 1721408.5L;
constexpr long kPlanetRecords = 155594; // JD 1721408.5 .. 2499373.5 every 5 days
constexpr long double kApogeeFirstDay = 2341972.5L;
constexpr long kApogeeRecords = 146463; // JD 2341972.5 .. 2488434.5, one past the Black Moon's window

// Planet records on the left of an interval that spans a jump of the
// theory: T = -2 (JD 2341970.0), T = 0 (JD 2415020.0) and T = 2 (JD
// 2488070.0).
constexpr long kJumpRecords[] = {124112, 138722, 153332};

long double WrapDegrees(long double d) // to -180..180
{
    d = std::fmod(d, 360.0L);
    if (d > 180)
        d -= 360;
    if (d < -180)
        d += 360;
    return d;
}

struct Reference {
    long double lon, lat; // degrees
};
Reference Swe(long double jd, int body)
{
    double xx[6];
    char err[AS_MAXCH];
    if (swe_calc_ut(static_cast<double>(jd), body, SEFLG_SWIEPH, xx, err) < 0)
        throw std::runtime_error(std::string("swe_calc_ut: ") + err);
    return {xx[0], xx[1]};
}

// Record values from the corrections at the records' own days: f - D2/16,
// with the second difference of the neighbour at the ends of the table and
// on either side of the intervals listed in `jumps`.
std::vector<double> Centred(const std::vector<double>& f, const std::vector<long>& jumps = {})
{
    const long n = static_cast<long>(f.size());
    std::vector<double> d2(f.size(), 0);
    for (long i = 1; i + 1 < n; ++i)
        d2[i] = f[i + 1] - 2 * f[i] + f[i - 1];
    if (n >= 3) {
        d2[0] = d2[1];
        d2[n - 1] = d2[n - 2];
    }
    for (long j : jumps) {
        if (j >= 1 && j + 2 < n) {
            d2[j] = j >= 2 ? f[j] - 2 * f[j - 1] + f[j - 2] : 0;
            d2[j + 1] = j + 3 < n ? f[j + 3] - 2 * f[j + 2] + f[j + 1] : 0;
        }
    }
    std::vector<double> v(f.size());
    for (long i = 0; i < n; ++i)
        v[i] = f[i] - d2[i] / 16;
    return v;
}

// Rounded to an integer inside [lo, hi]; a value outside is held at the
// limit and counted.
long Fit(double v, long lo, long hi, long& clamped)
{
    const long r = std::lround(v);
    if (r < lo || r > hi) {
        ++clamped;
        return std::clamp(r, lo, hi);
    }
    return r;
}

void PutLittleEndian(std::string& out, long v, int size)
{
    const auto u = static_cast<unsigned long>(v);
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<char>((u >> (8 * i)) & 0xFF));
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes)
{
    const auto temp = path.string() + ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out)
            throw std::runtime_error("cannot write " + temp);
    }
    std::filesystem::rename(temp, path);
}

// DSEL: Moon longitude, arc-seconds, signed 16 bits. The lookup subtracts
// 21600 from any interpolated value above 21600, so a record can hold at
// most 21600; the corrections lie between -230" and 9200" over the whole
// window (the largest, before 500, mostly Delta T).
std::vector<double> MoonCorrections()
{
    std::vector<double> f(kMoonRecords);
    for (long n = 0; n < kMoonRecords; ++n) {
        const long double jd = kMoonFirstDay + n;
        const long double theory = MoonLongitudeTheory(ComputeFundamentalArguments(jd));
        f[n] = static_cast<double>(WrapDegrees(Swe(jd, SE_MOON).lon - theory) * 3600);
    }
    return Centred(f);
}

// The Moon as the engine reads it (theory plus the interpolated table):
// the true node of the engine is computed from it.
long double CorrectedMoon(const std::vector<long>& dsel, long double jd, long double theory)
{
    if (!(jd > 1721422.5L && jd < 2499373.5L))
        return theory;
    const long long n = std::llrint(jd - kMoonFirstDay - 0.5L);
    const long double v0 = dsel[n], v1 = dsel[n + 1];
    long double value = (jd - (n + kMoonFirstDay)) * (v1 - v0) + v0;
    if (value > 21600)
        value -= 21600;
    return Norm360(theory + value / 3600);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: mkephem EPHE_DIR PROGRAM_FOLDER\n");
        return 2;
    }
    try {
        const auto start = std::chrono::steady_clock::now();
        std::string ephe = argv[1];
        swe_set_ephe_path(ephe.data());
        EphemerisCorrectionTablesEnabled = false;
        const std::filesystem::path folder = std::filesystem::path(argv[2]) / "FilePosi";
        std::filesystem::create_directories(folder);

        // ---- DSEL ----
        std::vector<long> dsel(kMoonRecords);
        {
            long clamped = 0;
            const std::vector<double> v = MoonCorrections();
            std::string bytes;
            bytes.reserve(2 * v.size());
            for (long n = 0; n < kMoonRecords; ++n) {
                dsel[n] = Fit(v[n], -32768, 21600, clamped);
                PutLittleEndian(bytes, dsel[n], 2);
            }
            WriteFile(folder / "DSEL.rnd", bytes);
            std::printf("DSEL.rnd: %ld records, %ld held at a limit\n", kMoonRecords, clamped);
        }

        // ---- DPR1 ----
        // Channels 1..8 longitude of Mercury..Pluto, 9 true node, 10..17
        // latitude of Mercury..Pluto, arc-minutes. Channels 8 and 17 (Pluto)
        // are 16 bits, the others 8 bits: a correction beyond +-127' is held
        // at the limit (counted below; none occurs with the DE431 files: the
        // 8-bit channels reach -77'..+92', Saturn's longitude), and the
        // interpolation then leaves the excess uncorrected.
        {
            std::vector<std::vector<double>> f(18, std::vector<double>(kPlanetRecords));
            for (long n = 0; n < kPlanetRecords; ++n) {
                const long double jd = kPlanetFirstDay + 5.0L * n;
                const FundamentalArguments fa = ComputeFundamentalArguments(jd);
                const SunResult sun = SunTheory(fa);
                for (int i = 3; i <= 10; ++i) {
                    const PlanetResult p = PlanetTheory(i, fa, sun.Earth);
                    const Reference r = Swe(jd, SE_MERCURY + (i - 3));
                    f[i - 2][n] = static_cast<double>(WrapDegrees(r.lon - p.Longitude) * 60);
                    f[i + 7][n] = static_cast<double>((r.lat - p.Latitude) * 60);
                }
                const long double moon = CorrectedMoon(dsel, jd, MoonLongitudeTheory(fa));
                const long double node = TrueNode(fa, std::fabs(sun.Longitude), moon);
                f[9][n] = static_cast<double>(WrapDegrees(Swe(jd, SE_TRUE_NODE).lon - node) * 60);
            }
            const std::vector<long> jumps(std::begin(kJumpRecords), std::end(kJumpRecords));
            std::vector<std::vector<long>> value(18);
            long clamped[18] = {};
            for (int c = 1; c <= 17; ++c) {
                // The true node wiggles with a period of about 14 days, too
                // fast for a second difference over 5-day steps to measure
                // its curvature: its records keep the value at their day
                // (largest error after 1000 168" instead of 176").
                const std::vector<double> v = c == 9 ? f[c] : Centred(f[c], jumps);
                const bool wide = c == 8 || c == 17;
                value[c].resize(kPlanetRecords);
                for (long n = 0; n < kPlanetRecords; ++n)
                    value[c][n] = wide ? Fit(v[n], -32768, 21600, clamped[c]) : Fit(v[n], -128, 127, clamped[c]);
            }
            std::string bytes;
            bytes.reserve(static_cast<std::size_t>(kPlanetRecords) * kPlanetRecordSize);
            for (long n = 0; n < kPlanetRecords; ++n) {
                unsigned char day[6];
                EncodeReal48(kPlanetFirstDay + 5.0L * n, day);
                bytes.append(reinterpret_cast<const char*>(day), 6);
                for (int c = 1; c <= 7; ++c)
                    PutLittleEndian(bytes, value[c][n], 1);
                bytes.push_back('\0');
                PutLittleEndian(bytes, value[8][n], 2);
                for (int c = 9; c <= 16; ++c)
                    PutLittleEndian(bytes, value[c][n], 1);
                PutLittleEndian(bytes, value[17][n], 2);
                bytes.append(6, '\0');
            }
            WriteFile(folder / "DPR1.rnd", bytes);
            long total = 0;
            for (long c : clamped)
                total += c;
            std::printf("DPR1.rnd: %ld records, %ld channel values held at a limit\n", kPlanetRecords, total);
            for (int c = 1; c <= 17; ++c)
                if (clamped[c])
                    std::printf("  channel %d: %ld\n", c, clamped[c]);
        }

        // ---- NOJLNE ----
        // Osculating lunar apogee minus the mean apogee, arc-seconds, signed
        // 32 bits (the difference stays within +-31 degrees).
        {
            std::vector<double> f(kApogeeRecords);
            for (long n = 0; n < kApogeeRecords; ++n) {
                const long double jd = kApogeeFirstDay + n;
                const long double mean = MeanApogee(ComputeFundamentalArguments(jd));
                f[n] = static_cast<double>(WrapDegrees(Swe(jd, SE_OSCU_APOG).lon - mean) * 3600);
            }
            const std::vector<double> v = Centred(f);
            long clamped = 0;
            std::string bytes;
            bytes.reserve(4 * v.size());
            for (long n = 0; n < kApogeeRecords; ++n)
                PutLittleEndian(bytes, Fit(v[n], -2147483647L, 2147483647L, clamped), 4);
            WriteFile(folder / "NOJLNE.rnd", bytes);
            std::printf("NOJLNE.rnd: %ld records\n", kApogeeRecords);
        }
        swe_close();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("FilePosi tables written in %.1f s\n", seconds);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkephem: %s\n", e.what());
        return 1;
    }
    return 0;
}
