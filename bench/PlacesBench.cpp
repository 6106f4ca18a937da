// The place search of the birth-data input window on the generated foreign
// gazetteer (about 165,000 places) and its other names: one search per
// typed key.
// Run from the build tree: ./places_bench (reads build/program/).
#include "archive/Places.h"
#include "platform/ProgramPath.h"

#include <benchmark/benchmark.h>

namespace {

void FindForeignPrefix(benchmark::State& state, const char* prefix)
{
    ProgramPath::SetRoot(QUILLON_PROGRAM_TEMPLATE);
    for (auto _ : state)
        benchmark::DoNotOptimize(SearchPlaces(kForeignPlacesFile, prefix, 20));
}
BENCHMARK_CAPTURE(FindForeignPrefix, one_letter, "S");
BENCHMARK_CAPTURE(FindForeignPrefix, city_name, "New York");
BENCHMARK_CAPTURE(FindForeignPrefix, no_match, "Qxq");
BENCHMARK_CAPTURE(FindForeignPrefix, italian_name, "Parigi");

void ReadTwentyPlaces(benchmark::State& state)
{
    ProgramPath::SetRoot(QUILLON_PROGRAM_TEMPLATE);
    for (auto _ : state)
        for (const PlaceMatch& m : SearchPlaces(kForeignPlacesFile, "San", 20))
            benchmark::DoNotOptimize(ReadPlace(kForeignPlacesFile, m.record));
}
BENCHMARK(ReadTwentyPlaces);

} // namespace

BENCHMARK_MAIN();
