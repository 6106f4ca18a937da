// The pathologies by signature of the debilities window and the plant
// table by planet and sign, on small fixtures.
#include "kb/Debilities.h"
#include "kb/KbRecords.h"
#include "kb/PlantsBySignature.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

RemedyRecord Remedy(std::string name, std::string primary, std::string secondary, std::string zodiac)
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = "x";
    r.PrimarySignature = std::move(primary);
    r.SecondarySignature = std::move(secondary);
    r.ZodiacSignature = std::move(zodiac);
    return r;
}

RepertoryRecord Pair(std::string pathology, std::string remedy, std::string posology)
{
    return {std::move(pathology), std::move(posology), std::move(remedy), ""};
}

Lines Pathologies(const std::vector<DebilityPathology>& found)
{
    Lines out;
    for (const DebilityPathology& p : found) {
        std::string line = p.pathology + ":";
        for (const DebilityRemedy& d : p.remedies)
            line += " " + d.name;
        out.push_back(line);
    }
    return out;
}

class DebilitiesTest : public ::testing::Test {
protected:
    std::vector<RemedyRecord> db{ReservedRemedy(),
                                 Remedy("MSA Melissa", "Luna", "Venere", "Cancro"),
                                 Remedy("MSA Melissa", "Sole", "", "Leone"), // a second use: not the first entry
                                 Remedy("TSA Iperico", "Sole", "Giove", "Leone"),
                                 Remedy("QSPC Timo", "Marte", "", "Ariete - Leone")};
    std::vector<RepertoryRecord> rep{ReservedRepertory(),
                                     Pair("Tosse", "QSPC Timo", "20 gocce"),
                                     Pair("Insonnia", "MSA Melissa", "10 gocce la sera"),
                                     Pair("Depressione", "TSA Iperico", "15 gocce"),
                                     Pair("Insonnia", "TSA Iperico", "5 gocce"),
                                     Pair("Insonnia", "MSA Melissa", "ripetuta"),
                                     Pair("Cefalea", "MSA Assente", "remedy not in the database")};
};

TEST_F(DebilitiesTest, PathologiesOfTheRemediesWithTheSignature)
{
    EXPECT_EQ(Pathologies(FindDebilities(db, rep, "Qualsiasi", "Qualsiasi")),
              (Lines{"Depressione: TSA Iperico", "Insonnia: MSA Melissa TSA Iperico", "Tosse: QSPC Timo"}));
    // The first entry of a name gives its signatures; the secondary counts.
    EXPECT_EQ(Pathologies(FindDebilities(db, rep, "Venere", "Qualsiasi")), (Lines{"Insonnia: MSA Melissa"}));
    EXPECT_EQ(Pathologies(FindDebilities(db, rep, "Giove", "Leone")),
              (Lines{"Depressione: TSA Iperico", "Insonnia: TSA Iperico"}));
    EXPECT_EQ(Pathologies(FindDebilities(db, rep, "Qualsiasi", "Leone")),
              (Lines{"Depressione: TSA Iperico", "Insonnia: TSA Iperico", "Tosse: QSPC Timo"}));
    EXPECT_TRUE(FindDebilities(db, rep, "Saturno", "Qualsiasi").empty());
}

TEST_F(DebilitiesTest, DetailShowsSignaturesAndThePairPosology)
{
    const auto found = FindDebilities(db, rep, "Qualsiasi", "Leone");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(DebilityListLine(found[1]), "Insonnia (1)");
    EXPECT_EQ(DebilityDetailLines(found[1]),
              (Lines{"Insonnia", "", "= TSA Iperico", "   Segnatura planetaria: Sole / Giove",
                     "   Segnatura zodiacale: Leone", "- 5 gocce"}));
}

TEST_F(DebilitiesTest, DamagedDatabaseIsRefused)
{
    TempFolder dir;
    WritePrimaryDatabase(db);
    WriteRepertory(rep);
    EXPECT_EQ(FindDebilities("Marte", "Ariete").size(), 1u);
    dir.Put("OpzioneH/DBmain.rnd", dir.Get("OpzioneH/DBmain.rnd") + "z");
    EXPECT_THROW(FindDebilities("Marte", "Ariete"), UserError);
}

PlantTableRecord Plant(std::string plant, std::string planet, std::string sign, std::string symptom)
{
    PlantTableRecord r;
    r.Plant = std::move(plant);
    r.Planet = std::move(planet);
    r.Sign = std::move(sign);
    r.Symptom = std::move(symptom);
    return r;
}

TEST(PlantsBySignature, PlantsOfAPlanetOrASignFromTheTable)
{
    TempFolder dir;
    std::vector<std::string> records{EncodePlantTable(Plant("Riservato", "Sole", "Leone", "Riservato"))};
    for (const auto& p : {Plant("Melissa", "Giove", "Cancro", "Insonnia"), Plant("Iperico", "Sole", "Leone", "Tristezza"),
                          Plant("Melissa", "Giove", "Cancro", "Palpitazioni"), Plant("Camomilla", "Qualsiasi", "Vergine", "Coliche"),
                          Plant("Altea", "Venere", "Toro", "Tosse")})
        records.push_back(EncodePlantTable(p));
    RecordFile(kPlantTableFile, kPlantTableRecordSize).Replace(records);

    const auto entries = ReadPlantEntries();
    ASSERT_EQ(entries.size(), 5u); // record 0 is no entry
    EXPECT_EQ(PlantsFor(entries, "Sole", false), (Lines{"Camomilla", "Iperico"}));
    EXPECT_EQ(PlantsFor(entries, "Giove", false), (Lines{"Camomilla", "Melissa"}));
    EXPECT_EQ(PlantsFor(entries, "Cancro", true), (Lines{"Melissa"}));
    EXPECT_EQ(PlantsFor(entries, "Qualsiasi", true), (Lines{"Altea", "Camomilla", "Iperico", "Melissa"}));
    const auto melissa = EntriesOfPlant(entries, "Melissa", "Giove", false);
    ASSERT_EQ(melissa.size(), 2u);
    EXPECT_EQ(PlantEntryLines(melissa[1]), (Lines{"= Palpitazioni", "   Pianeta: Giove", "   Segno: Cancro"}));

    dir.Put("OpzioneS/DataStf.rnd", dir.Get("OpzioneS/DataStf.rnd") + "12");
    EXPECT_THROW(ReadPlantEntries(), UserError);
    std::filesystem::remove(dir.Path() / "OpzioneS/DataStf.rnd");
    EXPECT_THROW(ReadPlantEntries(), IoError);
}

} // namespace
