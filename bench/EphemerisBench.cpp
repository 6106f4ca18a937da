// The 19 bodies of one chart: our theory (both passes of
// ComputeBodiesWithMotion) beside the reference ephemeris computing the same
// bodies once. Tables off until the program folder carries them; the whole
// chart with the houses and the tables is measured once both exist.
// Run from the build tree: ./ephemeris_bench
#include "astro/Ephemeris.h"
#include "shell/SharedState.h"

#include <benchmark/benchmark.h>

#include <swephexp.h>

namespace {

constexpr double kJd = 2451545.0 + 1234.567; // each iteration 0.37 days later

void OurBodiesWithMotion(benchmark::State& state)
{
    EphemerisCorrectionTablesEnabled = false;
    NodeKind = "VERO";
    BlackMoonMode = "MEDIA";
    HouseCusps.fill(0);
    long double jd = kJd;
    for (auto _ : state) {
        ComputeBodiesWithMotion(0, jd += 0.37L);
        benchmark::DoNotOptimize(BodyLongitude.data());
    }
}
BENCHMARK(OurBodiesWithMotion);

void ReferenceBodies(benchmark::State& state)
{
    char path[] = "/usr/share/libswe/ephe";
    swe_set_ephe_path(path);
    const int bodies[] = {SE_SUN,     SE_MOON,   SE_MERCURY, SE_VENUS,     SE_MARS,   SE_JUPITER, SE_SATURN,
                          SE_URANUS,  SE_NEPTUNE, SE_PLUTO,  SE_TRUE_NODE, SE_MEAN_APOG, SE_CERES, SE_PALLAS,
                          SE_JUNO,    SE_VESTA,  SE_CHIRON};
    double xx[6];
    char err[AS_MAXCH];
    double jd = kJd;
    for (auto _ : state) {
        jd += 0.37; // a new moment each time: the reference caches the last one
        for (int b : bodies) {
            swe_calc_ut(jd, b, SEFLG_SWIEPH | SEFLG_SPEED, xx, err);
            benchmark::DoNotOptimize(xx[0]);
        }
    }
}
BENCHMARK(ReferenceBodies);

} // namespace

BENCHMARK_MAIN();
