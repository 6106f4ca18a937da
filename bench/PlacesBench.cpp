// The place search of the birth-data input window on the generated foreign
// gazetteer (about 165,000 places): one prefix search per typed key.
// Run from the build tree: ./places_bench (reads build/program/).
#include "archive/Places.h"
#include "platform/ProgramPath.h"

#include <benchmark/benchmark.h>

namespace {

void FindForeignPrefix(benchmark::State& state, const char* prefix)
{
    ProgramPath::SetRoot(QUILLON_PROGRAM_TEMPLATE);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindPlaces(kForeignPlacesFile, prefix, 20));
}
BENCHMARK_CAPTURE(FindForeignPrefix, one_letter, "S");
BENCHMARK_CAPTURE(FindForeignPrefix, city_name, "New York");
BENCHMARK_CAPTURE(FindForeignPrefix, no_match, "Qxq");

void ReadTwentyPlaces(benchmark::State& state)
{
    ProgramPath::SetRoot(QUILLON_PROGRAM_TEMPLATE);
    for (auto _ : state)
        for (std::size_t n : FindPlaces(kForeignPlacesFile, "San", 20))
            benchmark::DoNotOptimize(ReadPlace(kForeignPlacesFile, n));
}
BENCHMARK(ReadTwentyPlaces);

} // namespace

BENCHMARK_MAIN();
