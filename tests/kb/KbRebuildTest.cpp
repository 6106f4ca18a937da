// The rebuild of the support archives ("Ricostruisci File") and the other
// builders, on real files in a temporary program folder: every output line
// by line, the signature files record by record, the bad inputs that must
// leave every file as it was, and two runs that give the same bytes.
#include "kb/KbImport.h"
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "platform/Errors.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

RemedyRecord Remedy(std::string name, std::string indication, std::string primary = "", std::string zodiac = "",
                    std::string secondary = "")
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = std::move(indication);
    r.PrimarySignature = std::move(primary);
    r.ZodiacSignature = std::move(zodiac);
    r.SecondarySignature = std::move(secondary);
    return r;
}

void WriteDb(std::vector<RemedyRecord> entries)
{
    entries.insert(entries.begin(), ReservedRemedy());
    WritePrimaryDatabase(entries);
}

Lines FileLines(const TempFolder& t, const std::string& name)
{
    Lines lines;
    const std::string bytes = t.Get(name);
    std::size_t from = 0;
    while (from < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", from);
        EXPECT_NE(end, std::string::npos) << name << " must end its lines with CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(bytes.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

Lines NameRecords(const TempFolder& t, const std::string& name)
{
    const std::string bytes = t.Get(name);
    EXPECT_EQ(bytes.size() % 51, 0u) << name;
    Lines names;
    for (std::size_t i = 0; i + 51 <= bytes.size(); i += 51)
        names.push_back(DecodeRemedyName(bytes.substr(i, 51)));
    return names;
}

std::string Pad70(std::string s)
{
    s.resize(70, ' ');
    return s;
}

TEST(RebuildFromPrimary, SymptomAndNameListsLineByLine)
{
    TempFolder t;
    WriteDb({
        Remedy("MSA Melissa", "Insonnia"),
        Remedy("MSA Melissa", "Palpitazioni, "), // trailing comma and blank trimmed
        Remedy("TSA Iperico", "Palpitazioni"),   // the same text once trimmed
        Remedy("HS 8 - Valeriana", "Ansia"),     // first in sorted order: listed too
        Remedy("TSA Iperico", "Umore depresso..."), // "." is kept by the trim
        Remedy("QSPC Biancospino", "insonnia"),  // differs by case: listed
    });
    RebuildFromPrimary();
    EXPECT_EQ(FileLines(t, "OpzioneH/Sintomi.txt"),
              (Lines{"Ansia", "Insonnia", "insonnia", "Palpitazioni", "Umore depresso..."}));
    // The first item by name ("HS 8 - Valeriana**Ansia") is a real entry
    // and is listed like the others.
    EXPECT_EQ(FileLines(t, "OpzioneH/ProdotA.txt"),
              (Lines{"HS 8 - Valeriana", "MSA Melissa", "QSPC Biancospino", "TSA Iperico"}));
}

TEST(RebuildFromPrimary, RemedyWithTwoUsesIsListedOnce)
{
    TempFolder t;
    WriteDb({Remedy("Achillea", "Crampi"), Remedy("Achillea", "Ciclo irregolare"), Remedy("Zenzero", "Nausea")});
    RebuildFromPrimary();
    EXPECT_EQ(FileLines(t, "OpzioneH/ProdotA.txt"), (Lines{"Achillea", "Zenzero"}));
    EXPECT_EQ(FileLines(t, "OpzioneH/Sintomi.txt"), (Lines{"Ciclo irregolare", "Crampi", "Nausea"}));
}

TEST(RebuildFromPrimary, SignatureFiles)
{
    TempFolder t;
    const std::string longName = "TSA " + std::string(56, 'x'); // stored cut to 50
    WriteDb({
        Remedy("TSA Iperico", "Umore depresso", "Sole", "Leone"),
        Remedy("TSA Iperico", "Nevralgie", "Sole", "Leone"),    // second use: one entry
        Remedy("MSA Melissa", "Insonnia", "Luna - Venere", "Cancro", "Sole"), // Sole only secondary
        Remedy("HS 8 - Girasole", "Astenia", "Solenne"),        // "Sole" inside a longer word
        Remedy(longName, "Tosse", "Sole-Marte", "Ariete Leone"),
        Remedy("QSPC Biancospino", "Ipertensione", "sole", "leone"), // matching is case-sensitive
    });
    t.Put("OpzioneH/NodSPri.txt", "7\r\n"); // a stale number file
    RebuildFromPrimary();

    EXPECT_EQ(NameRecords(t, "OpzioneH/SolePri.rnd"),
              (Lines{"HS 8 - Girasole", "TSA Iperico", longName.substr(0, 50)}));
    EXPECT_EQ(NameRecords(t, "OpzioneH/LunaPri.rnd"), (Lines{"MSA Melissa"}));
    EXPECT_EQ(NameRecords(t, "OpzioneH/VenePri.rnd"), (Lines{"MSA Melissa"}));
    EXPECT_EQ(NameRecords(t, "OpzioneH/MartPri.rnd"), (Lines{longName.substr(0, 50)}));
    EXPECT_EQ(NameRecords(t, "OpzioneH/Leone.rnd"), (Lines{"TSA Iperico", longName.substr(0, 50)}));
    EXPECT_EQ(NameRecords(t, "OpzioneH/Ariete.rnd"), (Lines{longName.substr(0, 50)}));
    EXPECT_EQ(NameRecords(t, "OpzioneH/Cancro.rnd"), (Lines{"MSA Melissa"}));
    for (const char* empty : {"GiovPri", "SatuPri", "MercPri", "NodNPri", "NodSPri", "Pesci", "Toro"}) {
        const std::string rnd = std::string("OpzioneH/") + empty + ".rnd";
        ASSERT_TRUE(t.Has(rnd)) << rnd;
        EXPECT_EQ(t.Get(rnd).size(), 0u) << rnd;
    }
    for (const auto* files : {&PlanetFiles(), &SignFiles()})
        for (const SignatureFile& f : *files)
            EXPECT_FALSE(t.Has(std::string("OpzioneH/") + f.stem + ".txt")) << f.stem;
    EXPECT_EQ(PlanetFiles().size() + SignFiles().size(), 21u);
}

TEST(RebuildFromPrimary, DisplayLinesOfEachPreparationType)
{
    struct Case {
        const char* name;
        Lines extra;
    };
    const Case cases[] = {
        {"HS 8 - Valeriana", {Pad70("Valeriana (HS 8)") + "HS 8 - Valeriana"}},
        {"HS 120 - Camomilla", {Pad70("Camomilla (HS 120)") + "HS 120 - Camomilla"}},
        {"MSA Melissa", {Pad70("Melissa (MSA)") + "MSA Melissa"}},
        {"TSA Iperico", {Pad70("Iperico (TSA)") + "TSA Iperico"}},
        {"QSPC Biancospino è", {Pad70("BIANCOSPINO È (QSPC)") + "QSPC Biancospino è"}},
        // The plant is the 30 characters from its position; the field is cut to 70.
        {"MSA Abcdefghijklmnopqrstuvwxyz0123456789",
         {Pad70("Abcdefghijklmnopqrstuvwxyz0123 (MSA)") + "MSA Abcdefghijklmnopqrstuvwxyz0123456789"}},
        {"Tisana", {}},
        {"HSA", {Pad70(" (HSA)") + "HSA"}},
        // After the first test fires the line is its display line: a plant
        // that begins with a type word fires the later test on it.
        {"HS 8 - TSA", {Pad70("TSA (HS 8)") + "HS 8 - TSA",
                        Pad70("(HS 8)" + std::string(24, ' ') + " (TSA)") + Pad70("TSA (HS 8)") + "HS 8 - TSA"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DisplayLines(c.name), c.extra) << c.name;
}

TEST(RebuildFromPrimary, ProdotBInterleavesPlantsAndNames)
{
    TempFolder t;
    WriteDb({Remedy("Achillea", "Crampi"), Remedy("MSA Melissa", "Insonnia"), Remedy("HS 8 - Valeriana", "Ansia"),
             Remedy("QSPC Biancospino", "Ipertensione"), Remedy("Zenzero", "Nausea")});
    RebuildFromPrimary();
    EXPECT_EQ(FileLines(t, "OpzioneH/ProdotB.txt"),
              (Lines{"Achillea", Pad70("BIANCOSPINO (QSPC)") + "QSPC Biancospino", "HS 8 - Valeriana",
                     Pad70("Melissa (MSA)") + "MSA Melissa", "MSA Melissa", "QSPC Biancospino",
                     Pad70("Valeriana (HS 8)") + "HS 8 - Valeriana", "Zenzero"}));
}

TEST(RebuildFromPrimary, NonLetterBytesAreListedWithoutHarm)
{
    TempFolder t;
    WriteDb({Remedy("Aaa", "Aaa"), Remedy("\xFF\x01\x7F", "Tosse*secca"), Remedy("B\x80", "\x01\x02\x03"),
             Remedy("", ""), Remedy("Ccc", "Febbre \x95\x95")});
    RebuildFromPrimary();
    // Control bytes sort first; "*" ends the
    // listed text; control bytes, bullets and "ÿ" are trimmed away, and a
    // text left empty is not listed.
    EXPECT_EQ(FileLines(t, "OpzioneH/Sintomi.txt"), (Lines{"Aaa", "Febbre", "Tosse"}));
    EXPECT_EQ(FileLines(t, "OpzioneH/ProdotA.txt"), (Lines{"Aaa", "B", "Ccc"}));
}

TEST(RebuildFromPrimary, BadInputLeavesEveryFileAsItWas)
{
    TempFolder t;
    t.Put("OpzioneH/Sintomi.txt", "vecchio\r\n");
    t.Put("OpzioneH/SolePri.rnd", std::string(51, 'v'));
    // A missing primary database.
    EXPECT_THROW(RebuildFromPrimary(), IoError);
    // A size that is not a whole number of records.
    WriteDb({Remedy("MSA Melissa", "Insonnia", "Sole")});
    t.Put("OpzioneH/DBmain.rnd", t.Get("OpzioneH/DBmain.rnd") + std::string(100, '\0'));
    try {
        RebuildFromPrimary();
        ADD_FAILURE() << "a damaged DBmain.rnd was rebuilt";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("4814"), std::string::npos) << e.what();
    }
    EXPECT_EQ(t.Get("OpzioneH/Sintomi.txt"), "vecchio\r\n");
    EXPECT_EQ(t.Get("OpzioneH/SolePri.rnd"), std::string(51, 'v'));
    EXPECT_FALSE(t.Has("OpzioneH/ProdotA.txt"));
}

TEST(RebuildFromPrimary, TwoRunsGiveTheSameBytes)
{
    TempFolder t;
    WriteDb({Remedy("MSA Melissa", "Insonnia", "Luna", "Cancro"), Remedy("msa melissa", "Insonnia", "Luna"),
             Remedy("TSA Iperico", "Umore", "Sole", "Leone"), Remedy("MSA Melissa", "insonnia")});
    RebuildFromPrimary();
    std::map<std::string, std::string> first;
    for (const auto& e : fs::directory_iterator(t.Path() / "OpzioneH"))
        first[e.path().filename().string()] = t.Get("OpzioneH/" + e.path().filename().string());
    RebuildFromPrimary();
    for (const auto& [name, bytes] : first)
        EXPECT_EQ(t.Get("OpzioneH/" + name), bytes) << name;
    EXPECT_EQ(first.size(), 1u + 3u + 21u);
}

TEST(PrimaryDatabaseFile, SaveInPlaceAppendAndDeleteShift)
{
    TempFolder t;
    WriteDb({Remedy("A", "1"), Remedy("B", "2"), Remedy("C", "3")});
    WriteRemedy(2, Remedy("B2", "2"));
    AppendRemedy(Remedy("D", "4"));
    DeleteRemedy(1);
    std::vector<std::string> names;
    for (const RemedyRecord& r : ReadPrimaryDatabase())
        names.push_back(r.Name);
    EXPECT_EQ(names, (Lines{kReservedText, "B2", "C", "D"}));
    EXPECT_EQ(t.Get("OpzioneH/DBmain.rnd").size(), 4u * 4814);
    EXPECT_EQ(ReadRemedy(3).Indications, "4");
    EXPECT_THROW(ReadRemedy(4), IoError);
}

TEST(RepertoryFiles, PathologyListFromRecordsOneOn)
{
    TempFolder t;
    WriteRepertory({ReservedRepertory(),
                    {"Insonnia", "", "MSA Melissa", ""},
                    {"Cefalea, ", "", "TSA Iperico", ""}, // untrimmed
                    {"insonnia", "", "HS 8 - Valeriana", ""},
                    {"Insonnia", "", "HS 8 - Valeriana", ""},
                    {"Ansia", "", "HS 8 - Valeriana", ""}});
    RebuildPathologyList();
    EXPECT_EQ(FileLines(t, "OpzioneH/Patolog.txt"), (Lines{"Ansia", "Cefalea, ", "Insonnia", "insonnia"}));

    t.Put("OpzioneH/Repertorio.rnd", std::string(1206 * 2 + 7, '\0'));
    EXPECT_THROW(RebuildPathologyList(), UserError);
    EXPECT_EQ(FileLines(t, "OpzioneH/Patolog.txt"), (Lines{"Ansia", "Cefalea, ", "Insonnia", "insonnia"}));
}

TEST(RepertoryFiles, BuiltFromTheThreeLineText)
{
    TempFolder t;
    t.Put("OpzioneH/Repertorio.txt",
          "Riservato\r\n-\r\n-\r\n"
          "Insonnia\r\nMSA Melissa\r\n30 gocce\r\n"
          "Cefalea\r\nTSA Iperico\r\n"); // the last record lacks its posology
    BuildRepertoryFromText();
    const std::vector<RepertoryRecord> r = ReadRepertory();
    ASSERT_EQ(r.size(), 3u);
    EXPECT_EQ(r[0].Pathology, "Riservato");
    EXPECT_EQ(r[1].Pathology, "Insonnia");
    EXPECT_EQ(r[1].Remedy, "MSA Melissa");
    EXPECT_EQ(r[1].Posology, "30 gocce");
    EXPECT_EQ(r[1].Notes, "");
    EXPECT_EQ(r[2].Remedy, "TSA Iperico");
    EXPECT_EQ(r[2].Posology, "");
    EXPECT_EQ(t.Get("OpzioneH/Repertorio.rnd").size(), 3u * 1206);
    EXPECT_EQ(FileLines(t, "OpzioneH/Patolog.txt"), (Lines{"Cefalea", "Insonnia"}));

    fs::remove(t.Path() / "OpzioneH/Repertorio.txt");
    EXPECT_THROW(BuildRepertoryFromText(), IoError);
    EXPECT_EQ(t.Get("OpzioneH/Repertorio.rnd").size(), 3u * 1206);
}

TEST(PlantTables, BuiltFromDbTesto)
{
    TempFolder t;
    auto record = [](const std::string& plant, const std::string& symptom) {
        return plant + "\r\nLuna\r\nCancro\r\nfoglie\r\nprincipi\r\nproprietà\r\n" + symptom + "\r\nMSA " + plant + "\r\n";
    };
    t.Put("OpzioneS/DbTesto.Txt", record("Pianta", "Sintomo") + record("Melissa", "Insonnia") +
                                      record("Valeriana", "Insonnia") + record("Iperico", "  Insonnia") +
                                      record("Tiglio", "Ansia") + record("Luppolo", "Insonnia"));
    BuildPlantTables();
    const std::string table = t.Get("OpzioneS/DataStf.rnd");
    ASSERT_EQ(table.size(), 6u * 599);
    const PlantTableRecord second = DecodePlantTable(table.substr(599, 599));
    EXPECT_EQ(second.Plant, "Melissa");
    EXPECT_EQ(second.Symptom, "Insonnia");
    EXPECT_EQ(second.Remedy, "MSA Melissa");
    EXPECT_EQ(second.Properties, "proprietà");
    EXPECT_EQ(table.substr(599 + 458, 141), std::string(141, '\0'));
    // Records 1.. in file order, consecutive repeats dropped.
    EXPECT_EQ(FileLines(t, "OpzioneS/Sintomi.txt"), (Lines{"Insonnia", "  Insonnia", "Ansia", "Insonnia"}));
    // Compared without leading blanks, written from record 1.
    const std::string symptoms = t.Get("OpzioneS/Sintomi.rnd");
    ASSERT_EQ(symptoms.size(), 4u * 101);
    EXPECT_EQ(symptoms.substr(0, 101), std::string(101, '\0'));
    std::string insonnia(101, '\0');
    insonnia[0] = 8;
    insonnia.replace(1, 8, "Insonnia");
    EXPECT_EQ(symptoms.substr(101, 101), insonnia);
    EXPECT_EQ(symptoms.substr(202, 6), std::string("\x05") + "Ansia");
    EXPECT_EQ(symptoms.substr(303, 101), insonnia);
}

TEST(PlantTables, PlantNamesFromElePiante)
{
    TempFolder t;
    t.Put("OpzioneS/ElePiante.Txt", "Melissa\r\n\r\nUnNomeDiPiantaTroppoLungo\r\n");
    BuildPlantNames();
    const std::string bytes = t.Get("OpzioneS/Piante.rnd");
    ASSERT_EQ(bytes.size(), 2u * 21);
    EXPECT_EQ(bytes.substr(0, 8), std::string("\x07") + "Melissa");
    EXPECT_EQ(bytes.substr(21, 21), std::string("\x14") + "UnNomeDiPiantaTroppo");
}

TEST(TallyFile, RecreatedFromTheNameList)
{
    TempFolder t;
    t.Put("OpzioneH/ProdotA.txt", "MSA Melissa\r\nTSA Iperico\r\n");
    t.Put("OpzioneH/RicCom.Rnd", std::string(52 * 5, '\x09'));
    RecreateTallyFile();
    const std::string bytes = t.Get("OpzioneH/RicCom.Rnd");
    ASSERT_EQ(bytes.size(), 2u * 52);
    EXPECT_EQ(DecodeTally(bytes.substr(0, 52)).Name, "MSA Melissa");
    EXPECT_EQ(DecodeTally(bytes.substr(52, 52)).Name, "TSA Iperico");
    EXPECT_EQ(bytes[51], '\0');
    EXPECT_EQ(bytes[103], '\0');
}

TEST(RemedyIndex, DeduplicatedListAndRecordNumbers)
{
    TempFolder t;
    WriteDb({Remedy("TSA Iperico", "a"), Remedy("  MSA Melissa", "b"), Remedy("MSA Melissa", "c"),
             Remedy("TSA Iperico", "d"), Remedy("Errore di stampa", "e"), Remedy("ZZZZZ", "f"),
             Remedy("achillea", "g")});
    const std::vector<RemedyListEntry> list = WriteRemedyIndex();
    std::vector<std::pair<std::string, std::size_t>> got;
    for (const RemedyListEntry& e : list)
        got.emplace_back(e.name, e.record);
    // Record 0 (reserved, "Errore") and names holding "Errore" are left out;
    // leading blanks do not count; the first record of a name is given.
    EXPECT_EQ(got, (std::vector<std::pair<std::string, std::size_t>>{
                       {"achillea", 7}, {"MSA Melissa", 2}, {"TSA Iperico", 1}, {"ZZZZZ", 6}}));
    EXPECT_EQ(FileLines(t, "FileDum/Prdts.dum"), (Lines{"7", "2", "1", "6"}));
}

} // namespace
