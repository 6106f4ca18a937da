// One whole chart as the program computes it, on the real program folder
// (the built template, read only): the twelve house cusps, the 19 bodies
// with their motion through the correction tables and the planetary hour
// with its sunrise, sunset and next sunrise; beside it the reference
// ephemeris doing the same work (houses, the bodies with their speeds,
// three rise and set searches). Prints both and their ratio (CPU time);
// nothing is asserted. The parts are measured on their own too.
// Run from the build tree: ./chart_bench
#include "astro/Chart.h"
#include "astro/Ephemeris.h"
#include "astro/PlanetaryHour.h"
#include "platform/ProgramPath.h"
#include "shell/SharedState.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <swephexp.h>

namespace {

constexpr double kJd = 2439968.114583; // the sample subject's birth, each iteration 0.37 days later
constexpr double kLat = 45.0667, kLon = 7.6833; // Torino

void UseProgramFolder()
{
    ProgramPath::SetRoot(QUILLON_PROGRAM_TEMPLATE);
    EphemerisCorrectionTablesEnabled = true;
    NodeKind = "VERO";
    BlackMoonMode = "VERA";
    HouseSystemSetting = "PLACIDO";
}

void OurWholeChart(benchmark::State& state)
{
    UseProgramFolder();
    ChartMoment m {kJd, kLat, kLon, -1};
    for (auto _ : state) {
        m.JD += 0.37L;
        const WholeChart c = ComputeWholeChart(m);
        benchmark::DoNotOptimize(c.Hour.Number);
        benchmark::DoNotOptimize(BodyLongitude.data());
        benchmark::DoNotOptimize(HouseCusps.data());
    }
}
BENCHMARK(OurWholeChart);

// The parts of the whole chart.
void OurBodiesAndCusps(benchmark::State& state)
{
    UseProgramFolder();
    ChartMoment m {kJd, kLat, kLon, -1};
    for (auto _ : state) {
        m.JD += 0.37L;
        ComputeChartHouses(m);
        ComputeBodiesWithMotion(0, m.JD);
        benchmark::DoNotOptimize(BodyLongitude.data());
        benchmark::DoNotOptimize(HouseCusps.data());
    }
}
BENCHMARK(OurBodiesAndCusps);

void OurSunriseAndSunset(benchmark::State& state)
{
    UseProgramFolder();
    long double jd = kJd;
    for (auto _ : state) {
        jd += 0.37L;
        benchmark::DoNotOptimize(FindSunDay(kLat, kLon, -1, jd));
    }
}
BENCHMARK(OurSunriseAndSunset);

const int kReferenceBodies[] = {SE_SUN,    SE_MOON,   SE_MERCURY, SE_VENUS, SE_MARS,      SE_JUPITER,
                                SE_SATURN, SE_URANUS, SE_NEPTUNE, SE_PLUTO, SE_TRUE_NODE, SE_OSCU_APOG,
                                SE_CERES,  SE_PALLAS, SE_JUNO,    SE_VESTA, SE_CHIRON};

void ReferenceSetUp()
{
    char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
}

// The reference's sunrise before the moment, the sunset and the sunrise
// after it: the centre of the disc at true altitude 0, as ours.
double ReferenceSunDay(double jd)
{
    double geopos[3] = {kLon, kLat, 0}, rise = 0, set = 0, next = 0;
    char err[AS_MAXCH];
    const int flags = SE_BIT_DISC_CENTER | SE_BIT_NO_REFRACTION | SE_BIT_GEOCTR_NO_ECL_LAT;
    swe_rise_trans(jd - 1, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_RISE | flags, geopos, 0, 0, &rise, err);
    swe_rise_trans(rise, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_SET | flags, geopos, 0, 0, &set, err);
    swe_rise_trans(set, SE_SUN, nullptr, SEFLG_SWIEPH, SE_CALC_RISE | flags, geopos, 0, 0, &next, err);
    return rise + set + next;
}

// The reference's houses and bodies with their speeds at jd.
void ReferenceBodiesAndCuspsAt(double jd)
{
    double xx[6], cusps[13], ascmc[10];
    char err[AS_MAXCH];
    swe_houses(jd, kLat, kLon, 'P', cusps, ascmc);
    for (int b : kReferenceBodies) {
        swe_calc_ut(jd, b, SEFLG_SWIEPH | SEFLG_SPEED, xx, err);
        benchmark::DoNotOptimize(xx[0]);
    }
    benchmark::DoNotOptimize(cusps[1]);
}

void ReferenceWholeChart(benchmark::State& state)
{
    ReferenceSetUp();
    double jd = kJd;
    for (auto _ : state) {
        jd += 0.37; // a new moment each time: the reference caches the last one
        ReferenceBodiesAndCuspsAt(jd);
        benchmark::DoNotOptimize(ReferenceSunDay(jd));
    }
}
BENCHMARK(ReferenceWholeChart);

void ReferenceBodiesAndCusps(benchmark::State& state)
{
    ReferenceSetUp();
    double jd = kJd;
    for (auto _ : state) {
        jd += 0.37;
        ReferenceBodiesAndCuspsAt(jd);
    }
}
BENCHMARK(ReferenceBodiesAndCusps);

void ReferenceSunriseAndSunset(benchmark::State& state)
{
    ReferenceSetUp();
    double jd = kJd;
    for (auto _ : state) {
        jd += 0.37;
        benchmark::DoNotOptimize(ReferenceSunDay(jd));
    }
}
BENCHMARK(ReferenceSunriseAndSunset);

// Console output as usual, plus the ratio of the two charts' times: CPU
// time, which other work on a shared machine disturbs less than the
// elapsed time.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions, the median of each benchmark.
        for (const Run& r : runs) {
            const std::string& name = r.run_name.function_name;
            if (r.run_type == Run::RT_Aggregate) {
                if (r.aggregate_name == "median")
                    medians_[name] = r.GetAdjustedCPUTime();
            } else {
                times_[name] = r.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        for (const auto& [name, t] : medians_)
            times_[name] = t;
        const auto ours = times_.find("OurWholeChart"), ref = times_.find("ReferenceWholeChart");
        if (ours != times_.end() && ref != times_.end() && ref->second > 0)
            std::printf("whole chart: ours %.1f us, reference %.1f us, ratio %.2f\n", ours->second / 1000,
                        ref->second / 1000, ours->second / ref->second);
    }

private:
    std::map<std::string, double> times_, medians_;
};

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
