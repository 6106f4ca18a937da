// The subject archives on disk: sorted insertion, deletion, renaming, the
// recall search, annotations, the current subject, text files and the
// damaged archives that must be refused without a byte written. Every
// fixture and every expected file is built byte by byte from the record
// layouts, so a shifted field fails here.
#include "archive/CurrentSubject.h"
#include "archive/SubjectArchive.h"
#include "platform/Errors.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fcntl.h>
#include <functional>
#include <linux/fs.h>
#include <map>
#include <sys/ioctl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// ---- Records from the layout tables -------------------------------------

// A short string at `offset`: length byte, then the characters.
void Field(std::string& rec, std::size_t offset, std::string_view value)
{
    rec[offset] = static_cast<char>(value.size());
    rec.replace(offset + 1, value.size(), value);
}

std::string Padded(std::string_view s, std::size_t width, char pad = ' ')
{
    std::string r(s);
    r.resize(width, pad);
    return r;
}

// ST1: length byte 43, name blank-padded to 38 (bytes 1..38), number (39..43).
std::string St1(std::string_view name, std::string_view number)
{
    std::string rec(44, '\0');
    Field(rec, 0, Padded(name, 38) + std::string(number));
    return rec;
}

std::string St1Template()
{
    return St1(Padded("0 Registro vuoto", 38, '.'), "00000");
}

struct St2Fields {
    std::string dateKey = "195003151230-1";
    std::string coordPlace = "45N04 007E41Torino*TO*";
    std::string calendar = "GR";
    std::string nationality = "Italia";
    std::string code72 = " ", code60 = " ", code124 = " ";
    std::string header21 = " ", header12 = " ";
    std::string noteRef = "00000";
};

std::string St2(const St2Fields& f)
{
    std::string rec(385, '\0');
    Field(rec, 0, f.dateKey);
    Field(rec, 21, f.coordPlace);
    Field(rec, 61, f.calendar);
    Field(rec, 64, f.nationality);
    Field(rec, 85, f.code72);
    Field(rec, 158, f.code60);
    Field(rec, 219, f.code124);
    Field(rec, 344, f.header21);
    Field(rec, 366, f.header12);
    Field(rec, 379, f.noteRef);
    return rec;
}

std::string St2Template()
{
    St2Fields f {" ", " ", " ", " ", " ", " ", " ", " ", " ", "     "};
    return St2(f);
}

std::string St3(std::string_view l1, std::string_view l2, std::string_view l3, std::string_view l4)
{
    std::string rec(284, '\0');
    Field(rec, 0, l1);
    Field(rec, 71, l2);
    Field(rec, 142, l3);
    Field(rec, 213, l4);
    return rec;
}

std::string St3Template()
{
    return St3(Padded("LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE", 70),
               Padded("EVENTUALI ANNOTAZIONI SCRITTE DAGLI UTENTI. LE ANNOTAZIONI DEVONO", 70),
               Padded("RIFERIRSI A QUESTO SPECIFICO TEMA (O A QUESTA PERSONA).", 70),
               Padded("QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.", 70));
}

std::string Join(const std::vector<std::string>& records)
{
    std::string bytes;
    for (const auto& r : records)
        bytes += r;
    return bytes;
}

// The subject record the fields above decode to.
SubjectRecord Record(const St2Fields& f)
{
    return DecodeSubject(St2(f));
}

St2Fields Born(std::string dateKey, std::string coordPlace)
{
    St2Fields f;
    f.dateKey = std::move(dateKey);
    f.coordPlace = std::move(coordPlace);
    return f;
}

// Every regular file of the folder with its bytes.
std::map<std::string, std::string> Snapshot(const TempFolder& dir)
{
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir.Path()))
        if (e.is_regular_file())
            files[fs::relative(e.path(), dir.Path()).string()] = dir.Get(fs::relative(e.path(), dir.Path()).string());
    return files;
}

class ArchiveTest : public ::testing::Test {
protected:
    // BASE with the template records and the given entries, subjects and notes.
    void Base(const std::vector<std::string>& entries, const std::vector<std::string>& subjects,
              const std::vector<std::string>& notes = {})
    {
        std::vector<std::string> st1 {St1Template()}, st2 {St2Template()}, st3 {St3Template()};
        st1.insert(st1.end(), entries.begin(), entries.end());
        st2.insert(st2.end(), subjects.begin(), subjects.end());
        st3.insert(st3.end(), notes.begin(), notes.end());
        dir.Put("BASE.ST1", Join(st1));
        dir.Put("BASE.ST2", Join(st2));
        dir.Put("BASE.ST3", Join(st3));
    }
    TempFolder dir;
};

// ---- Creation and names ----------------------------------------------------

TEST_F(ArchiveTest, CreateWritesTheThreeTemplateRecords)
{
    SubjectArchive archive("rice");
    EXPECT_EQ(archive.Name(), "RICE");
    EXPECT_FALSE(archive.Exists());
    archive.Create();
    EXPECT_TRUE(archive.Exists());
    EXPECT_EQ(dir.Get("RICE.ST1"), St1Template());
    EXPECT_EQ(dir.Get("RICE.ST2"), St2Template());
    EXPECT_EQ(dir.Get("RICE.ST3"), St3Template());
    EXPECT_EQ(archive.EntryCount(), 1u);
    EXPECT_TRUE(archive.Entries().empty());

    EXPECT_THROW(archive.Create(), ArchiveError);
    EXPECT_EQ(dir.Get("RICE.ST1"), St1Template());
}

TEST_F(ArchiveTest, UnusableNamesAreRefusedWithoutWriting)
{
    const std::string sixty(60, 'A');
    for (const std::string name : {"", "BAS", "BASEX", "BA-E", "BA E", sixty.c_str()}) {
        SCOPED_TRACE("name \"" + name + "\"");
        EXPECT_FALSE(ValidArchiveName(name));
        SubjectArchive archive(name);
        EXPECT_FALSE(archive.Exists());
        try {
            archive.Create();
            ADD_FAILURE() << "created";
        } catch (const ArchiveError& e) {
            EXPECT_STREQ(e.what(), "Nome Archivio Non Ammesso");
        }
        EXPECT_THROW(archive.Check(), ArchiveError);
    }
    EXPECT_TRUE(fs::is_empty(dir.Path()));
    EXPECT_TRUE(ValidArchiveName("base"));
    EXPECT_TRUE(ValidArchiveName("AB12"));
}

TEST_F(ArchiveTest, CreateNeverOverwritesDataFilesLeftWithoutTheirIndex)
{
    dir.Put("BANK.ST2", St2Template() + St2({}));
    EXPECT_THROW(SubjectArchive("BANK").Create(), ArchiveError);
    EXPECT_EQ(dir.Get("BANK.ST2"), St2Template() + St2({}));
    EXPECT_FALSE(dir.Has("BANK.ST1"));
}

TEST_F(ArchiveTest, ListsTheArchivesFoundWithoutRegardToCase)
{
    for (const char* f : {"BASE.ST1", "rice.st1", "TMPR.ST1", "AB.ST1", "XY_Z.ST1", "BANK.ST2", "Zeta.St1"})
        dir.Put(f, St1Template());
    EXPECT_EQ(ListArchives(), (std::vector<std::string> {"BASE", "RICE", "ZETA"}));
    EXPECT_EQ(ListArchives(true), (std::vector<std::string> {"BASE", "RICE", "TMPR", "ZETA"}));
    EXPECT_EQ(ArchiveLabel("BASE"), "BASE (personale)");
    EXPECT_EQ(ArchiveLabel("TMPR"), "TMPR (temporaneo)");
    EXPECT_EQ(ArchiveLabel("RICE"), "RICE (speciale)");
    EXPECT_EQ(ArchiveLabel("BANK"), "BANK (banca dati)");
    EXPECT_EQ(ArchiveLabel("ZETA"), "ZETA");
}

// ---- Sorted insertion ---------------------------------------------------------

TEST_F(ArchiveTest, AddSubjectWritesNotesSubjectAndSortedEntry)
{
    Base({}, {});
    SubjectArchive archive("BASE");
    const St2Fields rossi = Born("195003151230-1", "45N04 007E41Torino*TO*");
    const St2Fields bianchi = Born("196804211545-1", "41N54 012E29Roma*RM*");
    const St2Fields verdi = Born("197707070707+0", "51N30 000W07Londra");
    const St2Fields bianchi2 = Born("200001010000-1", "45N28 009E11Milano*MI*");
    const NoteLines notes = {"Prima riga", "Seconda", "", "Quarta"};

    EXPECT_EQ(archive.AddSubject("Rossi Mario", Record(rossi), &notes), 1u);
    EXPECT_EQ(archive.AddSubject("Bianchi Anna", Record(bianchi), nullptr), 1u);
    EXPECT_EQ(archive.AddSubject("Verdi Luca", Record(verdi), nullptr), 3u);
    EXPECT_EQ(archive.AddSubject("Bianchi Anna", Record(bianchi2), nullptr), 2u);

    EXPECT_EQ(dir.Get("BASE.ST1"), Join({St1Template(), St1("Bianchi Anna", "00002"), St1("Bianchi Anna", "00004"),
                                         St1("Rossi Mario", "00001"), St1("Verdi Luca", "00003")}));
    St2Fields rossiStored = rossi;
    rossiStored.noteRef = "00001";
    EXPECT_EQ(dir.Get("BASE.ST2"), Join({St2Template(), St2(rossiStored), St2(bianchi), St2(verdi), St2(bianchi2)}));
    EXPECT_EQ(dir.Get("BASE.ST3"), St3Template() + St3("Prima riga", "Seconda", "", "Quarta"));

    const auto entries = archive.Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].name, "Bianchi Anna");
    EXPECT_EQ(entries[0].st2, 2);
    EXPECT_EQ(entries[0].index, 1u);
    EXPECT_EQ(entries[2].text, Padded("Rossi Mario", 38) + "00001");
    EXPECT_EQ(archive.FindName(" Bianchi Anna "), (std::vector<std::size_t> {1, 2}));
    EXPECT_EQ(archive.FindNumber(3), std::optional<std::size_t>(4));
    EXPECT_EQ(archive.Notes(archive.Subject(1)), std::optional<NoteLines>(notes));
    EXPECT_EQ(archive.Notes(archive.Subject(2)), std::nullopt);
}

// An import stores its rows in one write of each file; the files must be
// byte for byte those that storing the rows one at a time leaves.
TEST_F(ArchiveTest, StoringAllAtOnceWritesWhatStoringOneByOneWrites)
{
    struct Start {
        const char* label;
        std::function<void()> make;
    };
    const Start starts[] = {
        {"archive with subjects and notes",
         [this] {
             St2Fields noted = Born("196804211545-1", "41N54 012E29Roma");
             noted.noteRef = "00001";
             Base({St1("Bianchi Anna", "00001"), St1("Rossi Mario", "00002")}, {St2(noted), St2({})},
                  {St3("vecchia", "", "", "")});
         }},
        {"new archive", [] { SubjectArchive("BASE").Create(); }},
        {"archive without ST3",
         [this] {
             Base({St1("Rossi Mario", "00001")}, {St2({})});
             fs::remove(dir.Path() / "BASE.ST3");
         }},
    };
    const NoteLines notes = {"nota", "", "", "fine"};
    std::vector<NewSubject> subjects;
    for (const char* name : {"Verdi Luca", "bianchi anna", "Bianchi Anna", "Verdi Luca", "(Anonimo)",
                             "Ludovico Ariosto Cavalier Servente di Ippolito", "Rossi Mario", "Zeta"}) {
        St2Fields f = Born("19" + std::to_string(10 + subjects.size()) + "01011200-1", "45N04 007E41Torino");
        subjects.push_back({name, Record(f), std::nullopt});
        if (subjects.size() % 3 == 1)
            subjects.back().notes = notes;
    }
    for (const Start& s : starts) {
        SCOPED_TRACE(s.label);
        for (const char* f : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
            fs::remove(dir.Path() / f);
        s.make();
        const auto start = Snapshot(dir);
        SubjectArchive archive("BASE");
        for (const NewSubject& n : subjects)
            archive.AddSubject(n.name, n.record, n.notes ? &*n.notes : nullptr);
        const auto oneByOne = Snapshot(dir);

        for (const char* f : {"BASE.ST1", "BASE.ST2", "BASE.ST3"})
            fs::remove(dir.Path() / f);
        for (const auto& [file, bytes] : start)
            dir.Put(file, bytes);
        archive.AddSubjects(subjects);
        EXPECT_EQ(Snapshot(dir), oneByOne);
    }
}

// Subjects and notes are numbered in five digits: the 100,000th would
// point at another subject, so it is refused.
TEST_F(ArchiveTest, AFullArchiveRefusesTheSubjectItCannotNumber)
{
    Base({}, {});
    auto grow = [&](const char* file, std::size_t records, std::size_t size) {
        ASSERT_EQ(::truncate((dir.Path() / file).c_str(), static_cast<off_t>(records * size)), 0);
    };
    grow("BASE.ST2", 99999, 385); // records 0..99998
    SubjectArchive archive("BASE");
    EXPECT_EQ(archive.AddSubject("Ultimo", Record({}), nullptr), 1u);
    EXPECT_EQ(archive.Entry(1).st2, 99999);

    const auto before = Snapshot(dir);
    try {
        archive.AddSubject("Oltre", Record({}), nullptr);
        FAIL() << "stored past 99999";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("è pieno"), std::string::npos) << e.what();
    }
    EXPECT_THROW(archive.AddSubjects({{"Oltre", Record({}), std::nullopt}}), ArchiveError);
    EXPECT_EQ(Snapshot(dir), before);

    // The notes are numbered the same way.
    Base({}, {});
    grow("BASE.ST3", 100000, 284);
    const NoteLines notes = {"x", "", "", ""};
    EXPECT_THROW(archive.AddSubject("Annotato", Record({}), &notes), ArchiveError);
    EXPECT_EQ(archive.AddSubject("Senza note", Record({}), nullptr), 1u);
}

TEST_F(ArchiveTest, EqualNamesAreOrderedByTheirNumber)
{
    Base({}, {St2({}), St2({}), St2({})});
    SubjectArchive archive("BASE");
    EXPECT_EQ(archive.InsertEntry("Neri Ugo", 3), 1u);
    EXPECT_EQ(archive.InsertEntry("Neri Ugo", 1), 1u);
    EXPECT_EQ(archive.InsertEntry("Neri Ugo", 2), 2u);
    EXPECT_EQ(dir.Get("BASE.ST1"),
              Join({St1Template(), St1("Neri Ugo", "00001"), St1("Neri Ugo", "00002"), St1("Neri Ugo", "00003")}));
}

TEST_F(ArchiveTest, LongNamesAreCutTo38AndKeepTheirNumberAt39)
{
    Base({}, {});
    const std::string sixty = "Ludovico Ariosto Cavalier Servente di Ippolito d'Este Ferrar";
    ASSERT_EQ(sixty.size(), 60u);
    SubjectArchive("BASE").AddSubject(sixty, Record({}), nullptr);
    const std::string st1 = dir.Get("BASE.ST1").substr(44);
    EXPECT_EQ(st1, St1(sixty.substr(0, 38), "00001"));
    EXPECT_EQ(st1[0], 43);
    EXPECT_EQ(st1.substr(39, 5), "00001");
}

TEST_F(ArchiveTest, TheTemplateStaysFirstEvenBeforeNamesThatSortLower)
{
    Base({St1("Rossi Mario", "00001")}, {St2({}), St2({}), St2({})});
    SubjectArchive archive("BASE");
    // "(" and "0 A" sort before "0 Registro vuoto": record 0 is never compared.
    EXPECT_EQ(archive.InsertEntry("(Anonimo)", 2), 1u);
    EXPECT_EQ(archive.InsertEntry("0 Alfa", 3), 2u);
    EXPECT_EQ(dir.Get("BASE.ST1"), Join({St1Template(), St1("(Anonimo)", "00002"), St1("0 Alfa", "00003"),
                                         St1("Rossi Mario", "00001")}));
}

TEST_F(ArchiveTest, TheCurrentArchiveIndexIsOverwrittenNotExtended)
{
    dir.Put("TMPR.ST1", St1("Vecchio", "00000"));
    dir.Put("TMPR.ST2", St2({}) + St2({}));
    EXPECT_EQ(SubjectArchive("TMPR").InsertEntry("Nuovo", 1), 0u);
    EXPECT_EQ(dir.Get("TMPR.ST1"), St1("Nuovo", "00001"));
}

// ---- Deletion and modification --------------------------------------------------

TEST_F(ArchiveTest, DeleteEntryKeepsTheOrderAndLeavesDataInPlace)
{
    Base({St1("Bianchi Anna", "00002"), St1("Ferrari Luca", "00003"), St1("Rossi Mario", "00001")},
         {St2(Born("195003151230-1", "45N04 007E41Torino")), St2({}), St2({})}, {St3("a", "b", "c", "d")});
    const std::string st2 = dir.Get("BASE.ST2"), st3 = dir.Get("BASE.ST3");
    SubjectArchive archive("BASE");
    EXPECT_EQ(archive.DeleteEntry(archive.Entry(2)).name, "Ferrari Luca");
    EXPECT_EQ(dir.Get("BASE.ST1"), Join({St1Template(), St1("Bianchi Anna", "00002"), St1("Rossi Mario", "00001")}));
    EXPECT_EQ(dir.Get("BASE.ST2"), st2);
    EXPECT_EQ(dir.Get("BASE.ST3"), st3);

    const std::string st1 = dir.Get("BASE.ST1");
    EXPECT_THROW(archive.DeleteEntry(archive.Entry(0)), ArchiveError);
    EXPECT_EQ(dir.Get("BASE.ST1"), st1);
}

// The deletion window read the entry earlier; meanwhile another program
// may have changed the index. The entry chosen is deleted where it went,
// and when it is gone nothing is.
TEST_F(ArchiveTest, DeleteEntryRechecksTheEntryItDeletes)
{
    Base({St1("Bianchi Anna", "00002"), St1("Rossi Mario", "00001")}, {St2({}), St2({}), St2({})});
    SubjectArchive archive("BASE");
    const IndexEntry rossi = archive.Entry(2);
    archive.InsertEntry("Ferrari Luca", 3); // now at 2, Rossi at 3
    const IndexEntry deleted = archive.DeleteEntry(rossi);
    EXPECT_EQ(deleted.index, 3u);
    EXPECT_EQ(dir.Get("BASE.ST1"), Join({St1Template(), St1("Bianchi Anna", "00002"), St1("Ferrari Luca", "00003")}));

    const std::string st1 = dir.Get("BASE.ST1");
    try {
        archive.DeleteEntry(rossi);
        FAIL() << "deleted twice";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("Rossi Mario non è più nell'archivio BASE"), std::string::npos)
            << e.what();
    }
    EXPECT_EQ(dir.Get("BASE.ST1"), st1);
}

TEST_F(ArchiveTest, DeleteNamedTakesTheNameInAnyCaseAndBlanks)
{
    Base({St1("  Verdi Ugo", "00003"), St1("ROSSI MARIO", "00002"), St1("Rossi Mario", "00001")},
         {St2({}), St2({}), St2({})});
    SubjectArchive archive("BASE");
    EXPECT_EQ(archive.DeleteNamed(" rossi mario ")->st2, 2); // the first of the two in index order
    EXPECT_EQ(archive.DeleteNamed("verdi ugo")->st2, 3);
    EXPECT_EQ(archive.DeleteNamed("Rossi"), std::nullopt);
    EXPECT_EQ(dir.Get("BASE.ST1"), Join({St1Template(), St1("Rossi Mario", "00001")}));
}

TEST_F(ArchiveTest, RenamingMovesTheEntryAndRewritesDataAndNotesInPlace)
{
    St2Fields bianchi = Born("196804211545-1", "41N54 012E29Roma");
    bianchi.noteRef = "00001";
    Base({St1("Bianchi Anna", "00001"), St1("Ferrari Luca", "00002"), St1("Rossi Mario", "00003")},
         {St2(bianchi), St2({}), St2({})}, {St3("vecchia", "", "", "")});
    SubjectArchive archive("BASE");

    St2Fields changed = Born("196804211645-1", "41N54 012E29Roma*RM*");
    const NoteLines notes = {"nuova", "nota", "", ""};
    EXPECT_EQ(archive.UpdateSubject(1, "Zanetti Anna", Record(changed), &notes), 3u);
    EXPECT_EQ(dir.Get("BASE.ST1"), Join({St1Template(), St1("Ferrari Luca", "00002"), St1("Rossi Mario", "00003"),
                                         St1("Zanetti Anna", "00001")}));
    changed.noteRef = "00001"; // the same notes record, rewritten
    EXPECT_EQ(dir.Get("BASE.ST2").substr(385, 385), St2(changed));
    EXPECT_EQ(dir.Get("BASE.ST3"), St3Template() + St3("nuova", "nota", "", ""));

    // Renamed to sort first again, without notes: the notes stay referenced.
    St2Fields again = changed;
    again.noteRef = "00000";
    EXPECT_EQ(archive.UpdateSubject(1, "Alberti Anna", Record(again), nullptr), 1u);
    EXPECT_EQ(dir.Get("BASE.ST2").substr(385, 385), St2(changed));
    EXPECT_EQ(archive.Entry(1).text, Padded("Alberti Anna", 38) + "00001");

    // The same name keeps the entry where it is; a subject with no notes
    // gets a new notes record.
    EXPECT_EQ(archive.UpdateSubject(2, "Ferrari Luca", Record({}), &notes), 2u);
    EXPECT_EQ(DecodeSubject(dir.Get("BASE.ST2").substr(2 * 385, 385)).NoteRef, "00002");
    EXPECT_EQ(dir.Get("BASE.ST3").size(), 3 * 284u);

    EXPECT_THROW(archive.UpdateSubject(0, "Modello", Record({}), nullptr), ArchiveError);
}

TEST_F(ArchiveTest, UpdatingASubjectNoEntryPointsAtWritesNothing)
{
    Base({St1("Bianchi Anna", "00001")}, {St2({}), St2({})});
    const auto before = Snapshot(dir);
    EXPECT_THROW(SubjectArchive("BASE").UpdateSubject(2, "Orfano", Record({}), nullptr), ArchiveError);
    EXPECT_EQ(Snapshot(dir), before);
}

// ---- The recall search -----------------------------------------------------------

struct SearchCase {
    const char* label;
    const char* prefix;
    std::size_t centre;
    bool matches;
};

TEST(SearchPrefixTest, FindsTheEntryAPrefixLeadsTo)
{
    const std::vector<std::string> texts = {
        Padded("0 Registro vuoto", 38, '.') + "00000", Padded("Bianchi Anna", 38) + "00004",
        Padded("Ferrari Luca", 38) + "00002",          Padded("Rossi Mario", 38) + "00001",
        Padded("Russo Paola", 38) + "00005",           Padded("Verdi Gino", 38) + "00003",
    };
    const SearchCase cases[] = {
        {"empty prefix: first entry, aqua", "", 1, true},
        {"start of a surname", "ROSS", 3, true},
        {"whole surname, followed by a blank in the entry", "ROSSI", 3, true},
        {"whole name", "ROSSI MARIO", 3, true},
        {"second of two close names", "RU", 4, true},
        {"lower-case prefix", "bianchi", 1, true},
        {"nothing between two names: the later one", "RA", 3, false},
        {"before every name", "AA", 1, false},
        {"after every name", "ZZ", 5, false},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.label);
        const SearchResult r = SearchPrefix(texts, c.prefix);
        EXPECT_EQ(r.centre, c.centre);
        EXPECT_EQ(r.matches, c.matches);
    }
}

TEST(SearchPrefixTest, AccentedLettersCompareWithoutRegardToCase)
{
    const std::vector<std::string> texts = {
        Padded("0 Registro vuoto", 38, '.') + "00000", Padded("Bianchi Anna", 38) + "00001",
        Padded("Nicolò Conti", 38) + "00002", Padded("Zeta Ugo", 38) + "00003",
    };
    const SearchResult r = SearchPrefix(texts, "NICOLÒ");
    EXPECT_EQ(r.centre, 2u);
    EXPECT_TRUE(r.matches);
    EXPECT_EQ(UpperName("àèéìòùÿ šœž ÷"), "ÀÈÉÌÒÙŸ ŠŒŽ ÷");
}

TEST(SearchPrefixTest, AnArchiveWithOnlyItsTemplateCentresOnZero)
{
    const std::vector<std::string> texts = {Padded("0 Registro vuoto", 38, '.') + "00000"};
    EXPECT_EQ(SearchPrefix(texts, "ROSSI").centre, 0u);
    EXPECT_FALSE(SearchPrefix(texts, "ROSSI").matches);
    EXPECT_EQ(SearchPrefix({}, "").centre, 0u);
}

// ---- Annotations ------------------------------------------------------------------

TEST_F(ArchiveTest, NotesThatCannotBeFoundAreNoNotes)
{
    Base({}, {}, {St3("uno", "due", "tre", "quattro")});
    SubjectArchive archive("BASE");
    auto notesFor = [&](const char* ref) {
        SubjectRecord s;
        s.NoteRef = ref;
        return archive.Notes(s);
    };
    EXPECT_EQ(notesFor("00001"), std::optional<NoteLines>(NoteLines {"uno", "due", "tre", "quattro"}));
    for (const char* ref : {"00000", "     ", "", "00002", "00099", "12a45", "-0001"}) {
        SCOPED_TRACE(std::string("NoteRef \"") + ref + "\"");
        EXPECT_EQ(notesFor(ref), std::nullopt);
    }
    fs::remove(dir.Path() / "BASE.ST3");
    EXPECT_EQ(notesFor("00001"), std::nullopt);
}

TEST(NotesTest, JoinKeepsTheCleanedLinesAndLeavesTheTextNumberOut)
{
    const NoteLines notes = {"Prima riga.   ", "", "Terza,;  ", Padded("Quarta riga", 64) + "00012"};
    EXPECT_EQ(JoinNotes(notes), "Prima riga. Terza Quarta riga");
    EXPECT_EQ(TextNumberOf(notes), "00012");
    EXPECT_EQ(TextNumberOf({"", "", "", "corta"}), "");
    EXPECT_EQ(TextNumberOf({"", "", "", Padded("x", 64) + "ab"}), "");
    EXPECT_EQ(JoinNotes({"", " ", "", ""}), "");
}

TEST_F(ArchiveTest, AnnotationsHandOverIsOneLine)
{
    WriteAnnotationsHandOver(NoteLines {"Uno ", "Due", "", ""});
    EXPECT_EQ(dir.Get("FileDum/Annotaz.dum"), "Uno Due\r\n");
    WriteAnnotationsHandOver(std::nullopt);
    EXPECT_EQ(dir.Get("FileDum/Annotaz.dum"), "\r\n");
}

// ---- Damaged archives ------------------------------------------------------------------

struct DamageCase {
    const char* label;
    void (*damage)(const TempFolder&);
};

const DamageCase kDamages[] = {
    {"ST1 size not a multiple of 44", [](const TempFolder& d) { d.Put("BASE.ST1", d.Get("BASE.ST1") + "x"); }},
    {"ST2 size not a multiple of 385",
     [](const TempFolder& d) { d.Put("BASE.ST2", d.Get("BASE.ST2").substr(0, 3 * 385 - 10)); }},
    {"ST3 size not a multiple of 284", [](const TempFolder& d) { d.Put("BASE.ST3", d.Get("BASE.ST3") + "xy"); }},
    {"entry suffix not five digits",
     [](const TempFolder& d) {
         std::string st1 = d.Get("BASE.ST1");
         st1.replace(44 + 39, 5, "12a45");
         d.Put("BASE.ST1", st1);
     }},
    {"entry suffix past the end of ST2",
     [](const TempFolder& d) {
         std::string st1 = d.Get("BASE.ST1");
         st1.replace(2 * 44 + 39, 5, "00003");
         d.Put("BASE.ST1", st1);
     }},
    {"ST2 missing", [](const TempFolder& d) { fs::remove(d.Path() / "BASE.ST2"); }},
};

TEST_F(ArchiveTest, DamagedArchivesAreRefusedAndLeftByteIdentical)
{
    for (const DamageCase& c : kDamages) {
        SCOPED_TRACE(c.label);
        Base({St1("Bianchi Anna", "00002"), St1("Rossi Mario", "00001")}, {St2({}), St2({})},
             {St3("nota", "", "", "")});
        c.damage(dir);
        const auto before = Snapshot(dir);
        SubjectArchive archive("BASE");
        const NoteLines notes = {"x", "", "", ""};
        EXPECT_THROW(archive.CheckEntries(), ArchiveError);
        EXPECT_THROW(archive.AddSubject("Verdi Luca", Record({}), &notes), ArchiveError);
        EXPECT_THROW(archive.InsertEntry("Verdi Luca", 1), ArchiveError);
        EXPECT_THROW(archive.DeleteEntry({1, Padded("Bianchi Anna", 38) + "00002", "Bianchi Anna", 2}),
                     ArchiveError);
        EXPECT_THROW(archive.DeleteNamed("Bianchi Anna"), ArchiveError);
        EXPECT_THROW(archive.UpdateSubject(1, "Verdi Luca", Record({}), &notes), ArchiveError);
        EXPECT_THROW(archive.AddSubjects({{"Verdi Luca", Record({}), notes}}), ArchiveError);
        EXPECT_EQ(Snapshot(dir), before);
    }
}

TEST_F(ArchiveTest, DamageMessagesNameTheArchiveAndTheFault)
{
    Base({St1("Rossi Mario", "00009")}, {St2({})});
    try {
        SubjectArchive("BASE").AddSubject("Verdi", Record({}), nullptr);
        FAIL() << "no error";
    } catch (const ArchiveError& e) {
        const std::string m = e.what();
        EXPECT_NE(m.find("Archivio BASE danneggiato"), std::string::npos) << m;
        EXPECT_NE(m.find("00009"), std::string::npos) << m;
    }
    dir.Put("BASE.ST2", std::string(400, '\0'));
    try {
        SubjectArchive("BASE").Check();
        FAIL() << "no error";
    } catch (const ArchiveError& e) {
        EXPECT_NE(std::string(e.what()).find("non è un multiplo di 385"), std::string::npos) << e.what();
    }
    // Reading the listing of a damaged file is refused too.
    EXPECT_THROW(SubjectArchive("BASE").Entries(), ArchiveError);
    EXPECT_THROW(SubjectArchive("NONE").Entries(), ArchiveError);
}

// ---- A program folder that cannot be written ----------------------------------------

// Makes a folder refuse new entries: by its mode, or (for a superuser, whom
// modes do not stop) by the immutable attribute. Undone on destruction.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const fs::path& p) : path_(p)
    {
        fs::permissions(p, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                               fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        if (Writable()) {
            fd_ = ::open(p.c_str(), O_RDONLY | O_DIRECTORY);
            int flags = 0;
            if (fd_ >= 0 && ::ioctl(fd_, FS_IOC_GETFLAGS, &flags) == 0) {
                flags |= FS_IMMUTABLE_FL;
                immutable_ = ::ioctl(fd_, FS_IOC_SETFLAGS, &flags) == 0;
            }
        }
        active_ = !Writable();
    }
    ~ReadOnlyFolder()
    {
        if (immutable_) {
            int flags = 0;
            ::ioctl(fd_, FS_IOC_GETFLAGS, &flags);
            flags &= ~FS_IMMUTABLE_FL;
            ::ioctl(fd_, FS_IOC_SETFLAGS, &flags);
        }
        if (fd_ >= 0)
            ::close(fd_);
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add);
    }
    bool Active() const { return active_; }

private:
    bool Writable() const
    {
        const fs::path probe = path_ / ".probe";
        const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(probe.c_str());
        return true;
    }
    fs::path path_;
    int fd_ = -1;
    bool immutable_ = false;
    bool active_ = false;
};

TEST_F(ArchiveTest, AReadOnlyFolderGivesAnItalianErrorAndLosesNothing)
{
    Base({St1("Rossi Mario", "00001")}, {St2({})});
    dir.Put("TMPR.ST1", St1("Corrente", "00000").substr(0, 44));
    dir.Put("TMPR.ST2", St2({}));
    const std::string st1 = dir.Get("BASE.ST1"), tmpr1 = dir.Get("TMPR.ST1"), tmpr2 = dir.Get("TMPR.ST2");
    {
        ReadOnlyFolder readOnly(dir.Path());
        if (!readOnly.Active())
            GTEST_SKIP() << "this file system lets every write through";
        const NoteLines notes = {"x", "", "", ""};
        try {
            SubjectArchive("BASE").AddSubject("Verdi Luca", Record({}), &notes);
            ADD_FAILURE() << "stored in a read-only folder";
        } catch (const IoError& e) {
            EXPECT_NE(std::string(e.what()).find("Errore di I/O"), std::string::npos) << e.what();
        }
        EXPECT_THROW(MakeCurrent("Verdi Luca", Record({})), IoError);
        EXPECT_THROW(SubjectArchive("BASE").DeleteEntry(SubjectArchive("BASE").Entry(1)), IoError);
    }
    // The index is as it was and every entry still has its subject.
    EXPECT_EQ(dir.Get("BASE.ST1"), st1);
    EXPECT_NO_THROW(SubjectArchive("BASE").CheckEntries());
    EXPECT_EQ(dir.Get("TMPR.ST1"), tmpr1);
    EXPECT_EQ(dir.Get("TMPR.ST2"), tmpr2);
}

// ---- The current subject --------------------------------------------------------------

TEST_F(ArchiveTest, MakeCurrentLeavesOneRecordPerFileWithThePlaceForDisplay)
{
    dir.Put("TMPR.ST1", St1("Uno", "00001") + St1("Due", "00002") + St1("Tre", "00003"));
    dir.Put("TMPR.ST2", St2({}) + St2({}));
    St2Fields f = Born("196804211545-1", "45N04 007E41Torino*TO*");
    f.noteRef = "00007";
    MakeCurrent("Ferraris Giulia", Record(f));

    std::string st1(44, '\0');
    Field(st1, 0, "Ferraris Giulia"); // the name only, no number
    EXPECT_EQ(dir.Get("TMPR.ST1"), st1);
    f.coordPlace = "45N04 007E41Torino(TO)";
    EXPECT_EQ(dir.Get("TMPR.ST2"), St2(f));

    // The main window reads it back.
    LoadCurrentSubjectData();
    EXPECT_EQ(CurrentSubject.Name, "Ferraris Giulia");
    EXPECT_EQ(CurrentSubject.Place, "Torino(TO)");
    EXPECT_EQ(CurrentSubject.DisplayDate, "21/04/1968 15:45");
}

// ---- Subjects' text files ----------------------------------------------------------------

TEST_F(ArchiveTest, CreateSubjectTextNumbersFilesFromTheFlag)
{
    NoteLines notes = {"uno", "", "", "quarta riga"};
    EXPECT_EQ(CreateSubjectText("base", "Rossi Mario", notes), "00001");
    EXPECT_EQ(dir.Get("BASEtxt/FlagTxt.set"), "2\r\n");
    EXPECT_EQ(dir.Get("BASEtxt/00001.txt"), Padded("Rossi Mario", 38) + "\r\n");
    EXPECT_EQ(notes[3], Padded("quarta riga", 64) + "00001");
    EXPECT_EQ(TextNumberOf(notes), "00001");
    EXPECT_EQ(dir.Get("FileDum/StrText.dum"), "BASE\r\n00001\r\n");
    EXPECT_EQ(dir.Get("FileDum/DatModif.dum"), "BASEtxt/00001.txt\r\n");

    NoteLines other = {"", "", "", std::string(70, 'x')};
    EXPECT_EQ(CreateSubjectText("BASE", "Bianchi Anna", other), "00002");
    EXPECT_EQ(dir.Get("BASEtxt/FlagTxt.set"), "3\r\n");
    EXPECT_EQ(other[3], std::string(64, 'x') + "00002");

    // A file the user already has is never overwritten.
    dir.Put("BASEtxt/00003.txt", "mio\r\n");
    EXPECT_EQ(CreateSubjectText("BASE", "Verdi", other), "00004");
    EXPECT_EQ(dir.Get("BASEtxt/00003.txt"), "mio\r\n");
    EXPECT_EQ(dir.Get("BASEtxt/FlagTxt.set"), "5\r\n");
}

TEST_F(ArchiveTest, AFlagThatIsNotANumberIsReportedAndNothingWritten)
{
    dir.Put("BASEtxt/FlagTxt.set", "abc\r\n");
    NoteLines notes;
    EXPECT_THROW(CreateSubjectText("BASE", "Rossi", notes), ArchiveError);
    EXPECT_EQ(dir.Get("BASEtxt/FlagTxt.set"), "abc\r\n");
    EXPECT_FALSE(dir.Has("FileDum"));
}

TEST_F(ArchiveTest, RememberArchiveNameAppendsOnce)
{
    dir.Put("FileDum/MMordina.dum", "BASE\r\n");
    RememberArchiveName("RICE");
    RememberArchiveName("rice");
    RememberArchiveName("BASE");
    EXPECT_EQ(dir.Get("FileDum/MMordina.dum"), "BASE\r\nRICE\r\n");
}

// ---- Records from the birth input ----------------------------------------------------------

TEST(ZoneKeyTextTest, ShortestFormWithCommaAndSign)
{
    const std::pair<long double, const char*> cases[] = {
        {-1, "-1"}, {5.5L, "+5,5"}, {0, "+0"}, {-0.0L, "+0"}, {1, "+1"}, {-5.75L, "-5,75"}, {-10, "-10"},
    };
    for (const auto& [zone, text] : cases)
        EXPECT_EQ(ZoneKeyText(zone), text) << static_cast<double>(zone);
}

TEST_F(ArchiveTest, RecordFromBirthInputFollowsTheLayout)
{
    ClearSharedState(); // chart tables not computed
    BirthInput.Name = "Ferraris Giulia";
    BirthInput.DisplayDate = "21/04/1968 15:45";
    BirthInput.ZoneText = "-1,00";
    BirthInput.CoordText = "45N04 007E41";
    BirthInput.Place = "Torino*TO*";
    BirthInput.Nationality = "Repubblica Italiana (Europa)";
    BirthInput.Calendar = 1;
    St2Fields f = Born("196804211545-1", "45N04 007E41Torino*TO*");
    f.nationality = "Repubblica Italiana ";
    EXPECT_EQ(EncodeSubject(RecordFromBirthInput()), St2(f));

    BirthInput.ZoneText = "+5.5";
    BirthInput.Calendar = 0;
    BirthInput.CoordText = "45N04";
    BirthInput.Place = "Un luogo dal nome lunghissimo oltre ogni misura";
    const SubjectRecord r = RecordFromBirthInput();
    EXPECT_EQ(r.DateKey, "196804211545+5,5");
    EXPECT_EQ(r.Calendar, "GI");
    EXPECT_EQ(r.CoordPlace, "45N04       Un luogo dal nome lunghissi");

    BirthInput.ZoneText = "uno";
    EXPECT_THROW(RecordFromBirthInput(), ConversionError);
}

} // namespace
