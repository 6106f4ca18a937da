// The multiple-symptom search and the composite therapies on small
// knowledge bases in a temporary program folder: the tallies and their
// ranking, the detail of one remedy, the working files, the damaged inputs
// that must leave them as they were, and the list helpers of both windows.
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "kb/MultipleSearch.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

RemedyRecord Remedy(std::string name, std::string indication, std::string posology = "")
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = std::move(indication);
    r.Posology = std::move(posology);
    return r;
}

void WriteDb(std::vector<RemedyRecord> entries)
{
    entries.insert(entries.begin(), ReservedRemedy());
    WritePrimaryDatabase(entries);
    RebuildFromPrimary();
}

RepertoryRecord Pair(std::string pathology, std::string remedy, std::string posology = "")
{
    RepertoryRecord r;
    r.Pathology = std::move(pathology);
    r.Remedy = std::move(remedy);
    r.Posology = std::move(posology);
    return r;
}

void WriteRep(std::vector<RepertoryRecord> entries)
{
    entries.insert(entries.begin(), ReservedRepertory());
    WriteRepertory(entries);
}

Lines Items(const std::vector<RankedRemedy>& ranked)
{
    Lines items;
    for (const RankedRemedy& r : ranked)
        items.push_back(RankedItemText(r));
    return items;
}

Lines Criteria(Lines chosen)
{
    chosen.resize(kCriteriaCount);
    return chosen;
}

std::vector<RemedyTally> Tallies(const char* file)
{
    std::vector<RemedyTally> t;
    for (const std::string& rec : RecordFile(file, kRemedyTallyRecordSize).ReadAll())
        t.push_back(DecodeTally(rec));
    return t;
}

class MultipleSymptoms : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteDb({
            Remedy("MSA Melissa", "Insonnia", "10 gocce la sera"),
            Remedy("MSA Melissa", "Ansia", "10 gocce tre volte al giorno"),
            Remedy("TSA Iperico", "Ansia", "15 gocce"),
            Remedy("TSA Iperico", "Tristezza"),
            Remedy("HS 8 - Valeriana", "Insonnia", "20 gocce"),
            Remedy("HS 8 - Valeriana", "Insonnia", "una seconda dose"),
            Remedy("QSPC Biancospino", "Palpitazioni"),
        });
    }
    TempFolder dir_;
};

TEST_F(MultipleSymptoms, RanksByCoveredSymptomsThenNamesDescending)
{
    // Valeriana has two uses for Insonnia: each record counts.
    EXPECT_EQ(Items(MultipleSymptomSearch(Criteria({"Insonnia", "Ansia"}))),
              (Lines{"02 MSA Melissa", "02 HS 8 - Valeriana", "01 TSA Iperico"}));
    // A symptom chosen twice counts twice; empty boxes anywhere are skipped.
    EXPECT_EQ(Items(MultipleSymptomSearch(Criteria({"", "Tristezza", "", "Tristezza", "Palpitazioni"}))),
              (Lines{"02 TSA Iperico", "01 QSPC Biancospino"}));
}

TEST_F(MultipleSymptoms, TallyFileHoldsEveryNameOfTheListWithItsCount)
{
    MultipleSymptomSearch(Criteria({"Insonnia"}));
    const auto tallies = Tallies(kTallyFile);
    ASSERT_EQ(tallies.size(), 4u); // the four distinct names of ProdotA.txt, in its order
    EXPECT_EQ(tallies[0].Name, "HS 8 - Valeriana");
    EXPECT_EQ(tallies[0].Tally, 2);
    EXPECT_EQ(tallies[1].Name, "MSA Melissa");
    EXPECT_EQ(tallies[1].Tally, 1);
    EXPECT_EQ(tallies[2].Tally + tallies[3].Tally, 0);
}

TEST_F(MultipleSymptoms, NothingMatchingGivesAnEmptyRanking)
{
    EXPECT_TRUE(MultipleSymptomSearch(Criteria({"Febbre"})).empty());
    EXPECT_TRUE(MultipleSymptomSearch(Criteria({})).empty());
    // Only the exact indication counts: no prefix, no other case.
    EXPECT_TRUE(MultipleSymptomSearch(Criteria({"Insonni", "ansia"})).empty());
}

TEST_F(MultipleSymptoms, DetailListsTheCoveredCriteriaWithTheirPosology)
{
    const Lines criteria = Criteria({"Tristezza", "Insonnia", "Ansia", "Insonnia"});
    const SearchDetail d = MultipleSymptomDetail("02 MSA Melissa", criteria);
    EXPECT_EQ(d.lines, (Lines{"= Insonnia", "- 10 gocce la sera", "= Insonnia", "- 10 gocce la sera", "= Ansia",
                              "- 10 gocce tre volte al giorno", kDetailSeparator}));
    std::vector<bool> covered(kCriteriaCount, false);
    covered[1] = covered[2] = covered[3] = true;
    EXPECT_EQ(d.covered, covered);
    // Two uses of the same remedy: both posologies.
    EXPECT_EQ(MultipleSymptomDetail("02 HS 8 - Valeriana", criteria).lines,
              (Lines{"= Insonnia", "- 20 gocce", "= Insonnia", "- 20 gocce", "= Insonnia", "- una seconda dose",
                     "= Insonnia", "- una seconda dose", kDetailSeparator}));
}

TEST(MultipleSymptomLimits, LongIndicationNeverMatchesItsWholeText)
{
    TempFolder dir;
    const std::string longText(260, 'a');
    WriteDb({Remedy("MSA Lunga", longText), Remedy("MSA Corta", "Tosse")});
    EXPECT_TRUE(MultipleSymptomSearch(Criteria({longText})).empty());
    EXPECT_EQ(Items(MultipleSymptomSearch(Criteria({longText.substr(0, 250)}))), (Lines{"01 MSA Lunga"}));
}

TEST(MultipleSymptomLimits, LargeTalliesRankByNumberAndStopAt255)
{
    TempFolder dir;
    std::vector<RemedyRecord> db;
    for (int i = 0; i < 120; ++i)
        db.push_back(Remedy("MSA Alfa", "Tosse"));
    for (int i = 0; i < 300; ++i)
        db.push_back(Remedy("MSA Beta", "Febbre"));
    for (int i = 0; i < 15; ++i)
        db.push_back(Remedy("MSA Zeta", "Tosse"));
    WriteDb(db);
    EXPECT_EQ(Items(MultipleSymptomSearch(Criteria({"Tosse", "Febbre"}))),
              (Lines{"255 MSA Beta", "120 MSA Alfa", "15 MSA Zeta"}));
    EXPECT_EQ(NameOfRankedItem("120 MSA Alfa"), "MSA Alfa");
    EXPECT_EQ(NameOfRankedItem("03 MSA Melissa (1), "), "MSA Melissa (1)");
}

TEST(MultipleSymptomLimits, DamagedOrMissingFilesLeaveTheTallyFileAsItWas)
{
    TempFolder dir;
    WriteDb({Remedy("MSA Melissa", "Insonnia")});
    MultipleSymptomSearch(Criteria({"Insonnia"}));
    const std::string before = dir.Get("OpzioneH/RicCom.Rnd");
    const std::string db = dir.Get("OpzioneH/DBmain.rnd");
    dir.Put("OpzioneH/DBmain.rnd", db + "xyz");
    EXPECT_THROW(MultipleSymptomSearch(Criteria({"Insonnia"})), UserError);
    EXPECT_EQ(dir.Get("OpzioneH/RicCom.Rnd"), before);
    dir.Put("OpzioneH/DBmain.rnd", db);
    std::filesystem::remove(dir.Path() / "OpzioneH/ProdotA.txt");
    EXPECT_THROW(MultipleSymptomSearch(Criteria({"Insonnia"})), IoError);
    EXPECT_EQ(dir.Get("OpzioneH/RicCom.Rnd"), before);
}

TEST(CompositeTherapies, RanksRemediesByChosenPathologiesWithPairPosology)
{
    TempFolder dir;
    WriteRep({
        Pair("Insonnia", "MSA Melissa", "10 gocce la sera"),
        Pair("Ansia", "MSA Melissa", "5 gocce al bisogno"),
        Pair("Cefalea", "MSA Melissa", "10 gocce all'inizio"),
        Pair("Ansia", "TSA Iperico", "15 gocce"),
        Pair("Tosse", "QSPC Timo"),
        Pair("Cefalea", "", "senza rimedio"),
    });
    EXPECT_EQ(PrepareCompositeFiles(), (Lines{"MSA Melissa", "QSPC Timo", "TSA Iperico"}));
    EXPECT_EQ(dir.Get("OpzioneH/ProdotR.txt"), "MSA Melissa\r\nQSPC Timo\r\nTSA Iperico\r\n");
    EXPECT_EQ(Tallies(kCompositeTallyFile).size(), 3u);

    const Lines criteria = Criteria({"Insonnia", "Ansia", "Cefalea"});
    EXPECT_EQ(Items(CompositeTherapySearch(criteria)), (Lines{"03 MSA Melissa", "01 TSA Iperico"}));
    EXPECT_EQ(Tallies(kCompositeTallyFile)[0].Tally, 3);

    const SearchDetail d = CompositeTherapyDetail("03 MSA Melissa", criteria);
    EXPECT_EQ(d.lines, (Lines{"= Insonnia", "- 10 gocce la sera", "= Ansia", "- 5 gocce al bisogno", "= Cefalea",
                              "- 10 gocce all'inizio", kDetailSeparator}));
    EXPECT_TRUE(d.covered[0] && d.covered[1] && d.covered[2] && !d.covered[3]);
}

TEST(CriteriaLists, FindContinuesAfterTheLastFoundLine)
{
    const Lines lines{"Acne", "Dolori articolari", "Tosse", "Dolori mestruali"};
    EXPECT_EQ(FindLineContaining(lines, "dolori", 0), 1u);
    EXPECT_EQ(FindLineContaining(lines, "dolori", 2), 3u);
    EXPECT_EQ(FindLineContaining(lines, "dolori", 4), std::nullopt);
    EXPECT_EQ(FindLineContaining(lines, "", 0), std::nullopt);
    EXPECT_EQ(FirstEmptyCriterion(Criteria({"a", "b"})), 2u);
    EXPECT_EQ(FirstEmptyCriterion(Lines(kCriteriaCount, "x")), std::nullopt);
}

} // namespace
