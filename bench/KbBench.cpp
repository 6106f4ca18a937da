// The knowledge-base searches and the rebuild on a generated knowledge base
// of 20,000 remedy records and 10,000 repertory records in a temporary
// program folder: the symptom, remedy and therapy consultations (search and
// page turn), the signature search, the psychic-synthesis word search, the
// multiple-symptom search with 15 criteria, the composite therapies with 15
// criteria, the signature lists (planet and sign files of the rebuild, the
// de-duplicated remedy list, the debilities by signature) and the rebuild of
// the support archives.
#include "kb/Debilities.h"
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "kb/MultipleSearch.h"
#include "kb/RemedySearch.h"
#include "kb/RemedyTextSearch.h"
#include "kb/SignatureSearch.h"
#include "kb/SymptomSearch.h"
#include "kb/TherapySearch.h"
#include "platform/ProgramPath.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <functional>
#include <filesystem>
#include <random>

namespace fs = std::filesystem;

namespace {

constexpr int kRemedies = 20000;
constexpr int kRepertory = 10000;
constexpr int kNames = 4000;      // five uses a name on average
constexpr int kSymptoms = 600;
constexpr int kPathologies = 800;

const char* const kPlanets[] = {"Sole", "Luna", "Mercurio", "Venere", "Marte", "Giove", "Saturno", "NodoNord", "NodoSud"};
const char* const kSigns[] = {"Ariete", "Toro",    "Gemelli",  "Cancro",     "Leone",    "Vergine",
                              "Bilancia", "Scorpione", "Sagittario", "Capricorno", "Acquario", "Pesci"};
const char* const kTypes[] = {"MSA ", "TSA ", "QSPC ", "HS 8 - "};

std::string Symptom(int k)
{
    return "Disturbo numero " + std::to_string(k) + " con descrizione";
}

std::string Name(int k)
{
    return std::string(kTypes[k % 4]) + "Pianta" + std::to_string(k);
}

// The generated knowledge base, written once into a temporary folder that
// is removed at exit.
class GeneratedKb {
public:
    GeneratedKb()
    {
        std::string templ = (fs::temp_directory_path() / "quillon-bench-XXXXXX").string();
        if (!mkdtemp(templ.data()))
            std::abort();
        path_ = templ;
        ProgramPath::SetRoot(path_);
        std::mt19937 rng(12345);
        std::vector<RemedyRecord> remedies{ReservedRemedy()};
        for (int i = 0; i < kRemedies; ++i) {
            RemedyRecord r;
            r.Name = Name(static_cast<int>(rng() % kNames));
            r.Indications = Symptom(static_cast<int>(rng() % kSymptoms));
            r.Posology = "20 gocce in poca acqua due volte al giorno, lontano dai pasti.";
            r.PrimarySignature = std::string(kPlanets[rng() % 9]) + " - " + kPlanets[rng() % 9];
            r.SecondarySignature = kPlanets[rng() % 9];
            r.ZodiacSignature = std::string(kSigns[rng() % 12]) + " - " + kSigns[rng() % 12];
            r.Warnings = "Non superare le dosi consigliate.";
            r.PsychicSynthesis = std::string(600, 's');
            remedies.push_back(std::move(r));
        }
        WritePrimaryDatabase(remedies);
        std::vector<RepertoryRecord> repertory{ReservedRepertory()};
        for (int i = 0; i < kRepertory; ++i) {
            RepertoryRecord r;
            r.Pathology = "Patologia " + std::to_string(rng() % kPathologies);
            r.Remedy = Name(static_cast<int>(rng() % kNames));
            r.Posology = "10 gocce tre volte al giorno";
            repertory.push_back(std::move(r));
        }
        WriteRepertory(repertory);
        RebuildFromPrimary();
        RebuildPathologyList();
        PrepareCompositeFiles();
    }
    ~GeneratedKb()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }

private:
    fs::path path_;
};

void Setup()
{
    static GeneratedKb kb;
}

std::vector<std::string> Criteria(const std::function<std::string(int)>& text, int step)
{
    std::vector<std::string> c;
    for (std::size_t k = 0; k < kCriteriaCount; ++k)
        c.push_back(text(static_cast<int>(k) * step));
    return c;
}

// A symptom shared by about 33 uses (three pages), then the next page.
void SymptomSearch(benchmark::State& state)
{
    Setup();
    SymptomConsultation c;
    for (auto _ : state) {
        c.Search(Symptom(17));
        c.NextPage();
        benchmark::DoNotOptimize(c.View().rows.size());
    }
}
BENCHMARK(SymptomSearch)->Unit(benchmark::kMillisecond);

void RemedySearch(benchmark::State& state)
{
    Setup();
    RemedyConsultation c;
    for (auto _ : state) {
        c.Search(Name(17));
        benchmark::DoNotOptimize(c.View().rows.size());
    }
}
BENCHMARK(RemedySearch)->Unit(benchmark::kMillisecond);

void TherapySearch(benchmark::State& state)
{
    Setup();
    TherapyConsultation c;
    for (auto _ : state) {
        c.Search("Patologia 17");
        c.RowNote(1); // the note of the pair
        c.RowNote(1); // the remedy's warnings from the primary database
        benchmark::DoNotOptimize(c.View().rows.size());
    }
}
BENCHMARK(TherapySearch)->Unit(benchmark::kMillisecond);

// The signature window: the remedy list on opening, then a planet and sign.
void SignatureWindowSearch(benchmark::State& state)
{
    Setup();
    for (auto _ : state) {
        std::vector<std::string> names;
        for (const RemedyListEntry& e : WriteRemedyIndex())
            names.push_back(e.name);
        benchmark::DoNotOptimize(SearchSignatures(names, "Marte", "Ariete"));
    }
}
BENCHMARK(SignatureWindowSearch)->Unit(benchmark::kMillisecond);

void SynthesisWordSearch(benchmark::State& state)
{
    Setup();
    std::vector<std::string> names;
    for (const RemedyListEntry& e : WriteRemedyIndex())
        names.push_back(e.name);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindRemedies(
            names, ReadPrimaryDatabase(kRemedyName | RemedyTextField(RemedyTextKind::Synthesis)), "SS",
            RemedyTextKind::Synthesis));
}
BENCHMARK(SynthesisWordSearch)->Unit(benchmark::kMillisecond);

void MultipleSymptoms15(benchmark::State& state)
{
    Setup();
    const auto criteria = Criteria(Symptom, 37);
    for (auto _ : state)
        benchmark::DoNotOptimize(MultipleSymptomSearch(criteria));
}
BENCHMARK(MultipleSymptoms15)->Unit(benchmark::kMillisecond);

void MultipleSymptomDetailOne(benchmark::State& state)
{
    Setup();
    const auto criteria = Criteria(Symptom, 37);
    const auto ranked = MultipleSymptomSearch(criteria);
    const std::string item = RankedItemText(ranked.front());
    for (auto _ : state)
        benchmark::DoNotOptimize(MultipleSymptomDetail(item, criteria));
}
BENCHMARK(MultipleSymptomDetailOne)->Unit(benchmark::kMillisecond);

void CompositeTherapies15(benchmark::State& state)
{
    Setup();
    const auto criteria = Criteria([](int k) { return "Patologia " + std::to_string(k); }, 41);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompositeTherapySearch(criteria));
}
BENCHMARK(CompositeTherapies15)->Unit(benchmark::kMillisecond);

void SignatureListsInMemory(benchmark::State& state)
{
    Setup();
    const std::vector<RemedyRecord> records = ReadPrimaryDatabase();
    for (auto _ : state) {
        for (const SignatureFile& f : PlanetFiles())
            benchmark::DoNotOptimize(SignatureNames(records, f.word, false));
        for (const SignatureFile& f : SignFiles())
            benchmark::DoNotOptimize(SignatureNames(records, f.word, true));
    }
}
BENCHMARK(SignatureListsInMemory)->Unit(benchmark::kMillisecond);

void DeduplicatedRemedies(benchmark::State& state)
{
    Setup();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRemedyIndex());
}
BENCHMARK(DeduplicatedRemedies)->Unit(benchmark::kMillisecond);

void DebilitiesBySignature(benchmark::State& state)
{
    Setup();
    for (auto _ : state)
        benchmark::DoNotOptimize(FindDebilities("Marte", "Ariete"));
}
BENCHMARK(DebilitiesBySignature)->Unit(benchmark::kMillisecond);

void ReadDatabase(benchmark::State& state)
{
    Setup();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPrimaryDatabase());
}
BENCHMARK(ReadDatabase)->Unit(benchmark::kMillisecond);

void RebuildSupportArchives(benchmark::State& state)
{
    Setup();
    for (auto _ : state) {
        RebuildFromPrimary();
        RebuildPathologyList();
    }
}
BENCHMARK(RebuildSupportArchives)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
