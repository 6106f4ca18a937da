// The import of the authored knowledge-base sources into a program folder:
// a small fixture field by field, the refused sources (with the file and
// line named and nothing written), and the shipped data/kb/ imported and
// rebuilt twice to the same bytes as the built template.
#include "kb/KbImport.h"
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "platform/Errors.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;

namespace {

using Lines = std::vector<std::string>;

const char* const kRimedi =
    "# commento\n"
    "Rimedio: MSA Melissa\n"
    "Indicazione: Insonnia\n"
    "# un commento dentro la voce\n"
    "indicazione:   Palpitazioni  \n"
    "Posologia: 20 gocce\n"
    "Segnatura Planetaria Primaria: Luna - Venere\n"
    "Segnatura Planetaria Secondaria: Mercurio\n"
    "Segnatura Zodiacale: Cancro\n"
    "Sintesi Psichica: Sensibilità\n"
    "Note: Melissa officinalis\n"
    "Note Supplementari: nessuna\n"
    "Avvertenze: Non superare le dosi\n"
    "\n"
    "\n"
    "Rimedio: TSA Iperico\n"
    "Indicazione: Umore depresso\n"
    "Segnatura Planetaria Primaria: Sole - Plutone\n";

const char* const kRepertorio =
    "Patologia: Insonnia\nRimedio: MSA Melissa\nPosologia: 30 gocce\nNote: la sera\n\n"
    "Patologia: Tristezza\nRimedio: TSA Ipericum\n";

const char* const kPiante =
    "Pianta: Melissa\nPianeta: Luna\nSegno: Cancro\nParte usata: foglie\nPrincipi attivi: citrale\n"
    "Proprietà: sedativa\nSintomo: Insonnia\nRimedio: MSA Melissa\n\n"
    "Pianta: Iperico\nPianeta: Qualsiasi\nSegno: Leone\nSintomo: Umore depresso\n";

const char* const kElePiante = "# elenco\nIperico\n\n  Melissa \n";

const char* const kPrincipi = "Principio: Citrale\nClasse: oli essenziali\nPianeta: Luna\nAzione: calmante\nPiante: Melissa\n";

// The fixture sources, with one file replaced when asked.
void PutSources(const TempFolder& t, const std::string& file = "", const std::string& text = "")
{
    const std::map<std::string, std::string> files = {{"Rimedi.txt", kRimedi},       {"Repertorio.txt", kRepertorio},
                                                      {"Piante.txt", kPiante},       {"ElePiante.txt", kElePiante},
                                                      {"Principi.txt", kPrincipi}};
    for (const auto& [name, bytes] : files)
        t.Put("sorgenti/" + name, name == file ? text : bytes);
}

Lines FileLines(const TempFolder& t, const std::string& name)
{
    Lines lines;
    const std::string bytes = t.Get(name);
    for (std::size_t from = 0, end; from < bytes.size(); from = end + 2) {
        end = bytes.find("\r\n", from);
        if (end == std::string::npos)
            break;
        lines.push_back(bytes.substr(from, end - from));
    }
    return lines;
}

TEST(KbImport, SmallFixtureFieldByField)
{
    TempFolder t;
    PutSources(t);
    const std::vector<std::string> warnings = ImportKb(t.Path() / "sorgenti");

    const std::vector<RemedyRecord> db = ReadPrimaryDatabase();
    ASSERT_EQ(db.size(), 4u);
    EXPECT_EQ(db[0].Name, kReservedText);
    EXPECT_EQ(db[0].Indications, kReservedText);
    EXPECT_EQ(db[1].Name, "MSA Melissa");
    EXPECT_EQ(db[1].Indications, "Insonnia");
    EXPECT_EQ(db[2].Indications, "Palpitazioni");
    for (const RemedyRecord* r : {&db[1], &db[2]}) {
        EXPECT_EQ(r->Posology, "20 gocce");
        EXPECT_EQ(r->PrimarySignature, "Luna - Venere");
        EXPECT_EQ(r->SecondarySignature, "Mercurio");
        EXPECT_EQ(r->ZodiacSignature, "Cancro");
        EXPECT_EQ(r->PsychicSynthesis, "Sensibilit\xE0"); // UTF-8 source, Windows-1252 record
        EXPECT_EQ(r->Notes, "Melissa officinalis");
        EXPECT_EQ(r->SupplementaryNotes, "nessuna");
        EXPECT_EQ(r->Warnings, "Non superare le dosi");
    }
    EXPECT_EQ(db[3].Name, "TSA Iperico");
    EXPECT_EQ(db[3].Posology, "");

    const std::vector<RepertoryRecord> rep = ReadRepertory();
    ASSERT_EQ(rep.size(), 3u);
    EXPECT_EQ(rep[0].Pathology, kReservedText);
    EXPECT_EQ(rep[1].Pathology, "Insonnia");
    EXPECT_EQ(rep[1].Remedy, "MSA Melissa");
    EXPECT_EQ(rep[1].Posology, "30 gocce");
    EXPECT_EQ(rep[1].Notes, "la sera");
    EXPECT_EQ(FileLines(t, "OpzioneH/Repertorio.txt"),
              (Lines{kReservedText, kReservedText, "", "Insonnia", "MSA Melissa", "30 gocce", "Tristezza", "TSA Ipericum", ""}));

    const Lines dbTesto = FileLines(t, "OpzioneS/DbTesto.Txt");
    ASSERT_EQ(dbTesto.size(), 24u);
    EXPECT_EQ(Lines(dbTesto.begin() + 8, dbTesto.begin() + 16),
              (Lines{"Melissa", "Luna", "Cancro", "foglie", "citrale", "sedativa", "Insonnia", "MSA Melissa"}));
    EXPECT_EQ(t.Get("OpzioneS/DataStf.rnd").size(), 3u * 599);
    EXPECT_EQ(FileLines(t, "OpzioneS/Sintomi.txt"), (Lines{"Insonnia", "Umore depresso"}));
    EXPECT_EQ(FileLines(t, "OpzioneS/ElePiante.Txt"), (Lines{"Iperico", "Melissa"}));
    EXPECT_EQ(t.Get("OpzioneS/Piante.rnd").size(), 2u * 21);
    EXPECT_EQ(FileLines(t, "Principi.txt"), (Lines{"Citrale", "oli essenziali", "Luna", "calmante", "Melissa"}));

    ASSERT_EQ(warnings.size(), 2u);
    EXPECT_NE(warnings[0].find("Plutone"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[0].find("Rimedi.txt, riga 18"), std::string::npos) << warnings[0];
    EXPECT_NE(warnings[1].find("TSA Ipericum"), std::string::npos) << warnings[1];

    // The rebuild then lists the entries, never the reserved record.
    RebuildKb();
    EXPECT_EQ(FileLines(t, "OpzioneH/Patolog.txt"), (Lines{"Insonnia", "Tristezza"}));
    EXPECT_EQ(FileLines(t, "OpzioneH/ProdotA.txt"), (Lines{"MSA Melissa", "TSA Iperico"}));
}

struct BadSource {
    const char* name;
    const char* file;
    const char* text;
    const char* message; // part of the message
};

class KbImportRefuses : public ::testing::TestWithParam<BadSource> {};

TEST_P(KbImportRefuses, NamesFileAndLineAndWritesNothing)
{
    const BadSource& c = GetParam();
    TempFolder t;
    PutSources(t, c.file, c.text);
    t.Put("OpzioneH/DBmain.rnd", "prima");
    try {
        ImportKb(t.Path() / "sorgenti");
        ADD_FAILURE() << "accepted";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
    EXPECT_TRUE(t.Get("OpzioneH/DBmain.rnd") == "prima") << "DBmain.rnd was rewritten";
    EXPECT_FALSE(t.Has("OpzioneH/Repertorio.rnd"));
    EXPECT_FALSE(t.Has("OpzioneS/DataStf.rnd"));
}

// A repertory entry whose note is `length` characters, of three kinds so
// that each of its parts can be told apart.
std::string RepertoryWithNote(std::size_t length)
{
    std::string note;
    for (std::size_t i = 0; i < length; ++i)
        note += static_cast<char>('a' + i / 250);
    return "Patologia: Insonnia\nRimedio: MSA Melissa\nNote: " + note + "\n";
}
const std::string kNote751 = RepertoryWithNote(751);

const BadSource kBadSources[] = {
    BadSource{"unknown_field", "Rimedi.txt", "Rimedio: A\nIndicazione: B\nColore: rosso\n", "Rimedi.txt, riga 3: campo sconosciuto"},
    BadSource{"repeated_field", "Rimedi.txt", "Rimedio: A\nIndicazione: B\nPosologia: x\nPosologia: y\n", "riga 4"},
    BadSource{"no_name", "Rimedi.txt", "Indicazione: B\n", "manca il campo \"Rimedio\""},
    BadSource{"no_indication", "Rimedi.txt", "Rimedio: A\n", "manca il campo \"Indicazione\""},
    BadSource{"name_51", "Rimedi.txt",
              "Rimedio: 123456789012345678901234567890123456789012345678901\nIndicazione: B\n", "al massimo 50"},
    BadSource{"same_use_twice", "Rimedi.txt", "Rimedio: A\nIndicazione: B\nIndicazione: B\n", "riga 3"},
    BadSource{"reserved_name", "Rimedi.txt", "Rimedio: Errore - record riservato\nIndicazione: B\n", "riservato"},
    BadSource{"no_colon", "Repertorio.txt", "Patologia: A\nRimedio B\n", "Repertorio.txt, riga 2"},
    BadSource{"repertory_note_751", "Repertorio.txt", kNote751.c_str(),
              "Repertorio.txt, riga 3: il campo \"Note\" ha 751 caratteri (al massimo 750)"},
    BadSource{"not_windows_1252", "Piante.txt", "Pianta: Tiglio \xE2\x86\x92 Ansia\nSintomo: Ansia\n",
              "Piante.txt, riga 1: carattere"},
    BadSource{"plant_name_21", "ElePiante.txt", "123456789012345678901\n", "ElePiante.txt, riga 1"},
    BadSource{"sixteen_principles", "Principi.txt",
              "Principio: 1\n\nPrincipio: 2\n\nPrincipio: 3\n\nPrincipio: 4\n\nPrincipio: 5\n\nPrincipio: 6\n\n"
              "Principio: 7\n\nPrincipio: 8\n\nPrincipio: 9\n\nPrincipio: 10\n\nPrincipio: 11\n\nPrincipio: 12\n\n"
              "Principio: 13\n\nPrincipio: 14\n\nPrincipio: 15\n\nPrincipio: 16\n",
              "Principi.txt, riga 31: più di 15"},
};

INSTANTIATE_TEST_SUITE_P(Sources, KbImportRefuses, ::testing::ValuesIn(kBadSources),
                         [](const auto& info) { return std::string(info.param.name); });

// A repertory note fills the three parts of its record: 750 characters
// are imported whole and read back as they were.
TEST(KbImport, RepertoryNoteOfThreeFullParts)
{
    TempFolder t;
    const std::string source = RepertoryWithNote(750);
    PutSources(t, "Repertorio.txt", source);
    ImportKb(t.Path() / "sorgenti");
    const std::vector<RepertoryRecord> repertory = ReadRepertory();
    ASSERT_EQ(repertory.size(), 2u);
    const std::string note = source.substr(source.find("Note: ") + 6, 750);
    EXPECT_EQ(repertory[1].Notes, note);
    EXPECT_EQ(repertory[1].Notes.substr(500), std::string(250, 'c'));
}

TEST(KbImport, MissingSourceFileIsAnIoError)
{
    TempFolder t;
    PutSources(t);
    fs::remove(t.Path() / "sorgenti/Principi.txt");
    EXPECT_THROW(ImportKb(t.Path() / "sorgenti"), IoError);
    EXPECT_FALSE(t.Has("OpzioneH/DBmain.rnd"));
}

// Every file the import and the rebuild write, by program-relative name.
std::map<std::string, std::string> KnowledgeBaseFiles(const fs::path& root)
{
    std::map<std::string, std::string> files;
    for (const char* folder : {"OpzioneH", "OpzioneS"})
        for (const auto& e : fs::directory_iterator(root / folder)) {
            std::ifstream in(e.path(), std::ios::binary);
            files[std::string(folder) + "/" + e.path().filename().string()] =
                std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }
    std::ifstream in(root / "Principi.txt", std::ios::binary);
    files["Principi.txt"] = std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return files;
}

std::map<std::string, std::string> ImportShipped()
{
    TempFolder t;
    EXPECT_EQ(ImportKb(QUILLON_KB_SOURCES), std::vector<std::string>()) << "the shipped sources give warnings";
    RebuildKb();
    return KnowledgeBaseFiles(t.Path());
}

TEST(KbImport, ShippedSourcesImportToTheSameBytesAsTheTemplate)
{
    const auto first = ImportShipped();
    const auto second = ImportShipped();
    EXPECT_EQ(first, second);
    ASSERT_GT(first.count("OpzioneH/DBmain.rnd"), 0u);
    EXPECT_GT(first.at("OpzioneH/DBmain.rnd").size(), 2u * kRemedyRecordSize);
    EXPECT_FALSE(first.at("OpzioneH/Sintomi.txt").empty());

    const char* templ = std::getenv("QUILLON_TEMPLATE");
    ASSERT_NE(templ, nullptr);
    const auto shipped = KnowledgeBaseFiles(templ);
    for (const auto& [name, bytes] : first) {
        ASSERT_GT(shipped.count(name), 0u) << name << " missing from the template";
        EXPECT_EQ(shipped.at(name), bytes) << name;
    }
}

} // namespace
