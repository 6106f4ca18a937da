// One whole chart on the real program folder (the built template, read
// only): the 19 bodies with their motion through the correction tables and
// the twelve house cusps, beside the reference ephemeris computing the same
// bodies and cusps. Prints both and their ratio; nothing is asserted.
// Run from the build tree: ./chart_bench
#include "astro/Chart.h"
#include "astro/Ephemeris.h"
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

void OurWholeChart(benchmark::State& state)
{
    ProgramPath::SetRoot(QUILLON_PROGRAM_TEMPLATE);
    EphemerisCorrectionTablesEnabled = true;
    NodeKind = "VERO";
    BlackMoonMode = "VERA";
    HouseSystemSetting = "PLACIDO";
    ChartMoment m {kJd, kLat, kLon, -1};
    for (auto _ : state) {
        m.JD += 0.37L;
        ComputeChartHouses(m);
        ComputeBodiesWithMotion(0, m.JD);
        benchmark::DoNotOptimize(BodyLongitude.data());
        benchmark::DoNotOptimize(HouseCusps.data());
    }
}
BENCHMARK(OurWholeChart);

void ReferenceWholeChart(benchmark::State& state)
{
    char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
    const int bodies[] = {SE_SUN,    SE_MOON,      SE_MERCURY,   SE_VENUS, SE_MARS,  SE_JUPITER,
                          SE_SATURN, SE_URANUS,    SE_NEPTUNE,   SE_PLUTO, SE_TRUE_NODE, SE_OSCU_APOG,
                          SE_CERES,  SE_PALLAS,    SE_JUNO,      SE_VESTA, SE_CHIRON};
    double xx[6], cusps[13], ascmc[10];
    char err[AS_MAXCH];
    double jd = kJd;
    for (auto _ : state) {
        jd += 0.37; // a new moment each time: the reference caches the last one
        swe_houses(jd, kLat, kLon, 'P', cusps, ascmc);
        for (int b : bodies) {
            swe_calc_ut(jd, b, SEFLG_SWIEPH | SEFLG_SPEED, xx, err);
            benchmark::DoNotOptimize(xx[0]);
        }
        benchmark::DoNotOptimize(cusps[1]);
    }
}
BENCHMARK(ReferenceWholeChart);

// Console output as usual, plus the ratio of the two charts' times.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& r : runs)
            times_[r.benchmark_name()] = r.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        const auto ours = times_.find("OurWholeChart"), ref = times_.find("ReferenceWholeChart");
        if (ours != times_.end() && ref != times_.end() && ref->second > 0)
            std::printf("whole chart: ours %.1f us, reference %.1f us, ratio %.2f\n", ours->second / 1000,
                        ref->second / 1000, ours->second / ref->second);
    }

private:
    std::map<std::string, double> times_;
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
