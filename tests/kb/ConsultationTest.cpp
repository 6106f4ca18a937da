// The searches of the consultation windows (symptoms, remedies, therapies)
// on small databases written into a temporary program folder: the matches
// and their rows, paging and the page indicator up to and past the 140
// kept results, the per-row note cycles, the incremental search of the
// lists (shared with the other knowledge-base windows) and the
// signature pop-up, and the damaged or missing files.
#include "kb/ConsultationPages.h"
#include "kb/KbRecords.h"
#include "kb/ListOrder.h"
#include "kb/ListSearch.h"
#include "kb/RemedySearch.h"
#include "kb/SymptomSearch.h"
#include "kb/TherapySearch.h"
#include "platform/Errors.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

RemedyRecord Remedy(std::string name, std::string indication)
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = std::move(indication);
    return r;
}

void WriteDb(std::vector<RemedyRecord> entries)
{
    entries.insert(entries.begin(), ReservedRemedy());
    WritePrimaryDatabase(entries);
}

// `n` entries "R1".."Rn" of the indication, with a distinct posology each.
std::vector<RemedyRecord> Matches(int n, const std::string& indication)
{
    std::vector<RemedyRecord> v;
    for (int i = 1; i <= n; ++i) {
        RemedyRecord r = Remedy("R" + std::to_string(i), indication);
        r.Posology = "dose " + std::to_string(i);
        v.push_back(r);
    }
    return v;
}

Lines RowNames(const Consultation& c)
{
    Lines names;
    for (const ConsultationRow& r : c.View().rows)
        names.push_back(r.name);
    return names;
}

Lines Names(int from, int to)
{
    Lines v;
    for (int i = from; i <= to; ++i)
        v.push_back("R" + std::to_string(i));
    return v;
}

struct PagingCase {
    const char* label;
    int matches;
    const char* firstIndicator;
    std::uint32_t colour;
    int firstRows;
    int pages;      // pages "Seguenti" reaches, none of them empty
    int secondRows; // rows of page 2 when there is one
};

class SymptomPaging : public ::testing::TestWithParam<PagingCase> {};

} // namespace

TEST_P(SymptomPaging, IndicatorRowsAndNextPage)
{
    const PagingCase& c = GetParam();
    TempFolder t;
    std::vector<RemedyRecord> db = Matches(c.matches, "Insonnia");
    db.insert(db.begin() + db.size() / 2, Remedy("Altro", "Tosse"));
    WriteDb(db);

    SymptomConsultation s;
    s.Search("Insonnia");
    EXPECT_EQ(s.View().indicator.text, c.firstIndicator);
    EXPECT_EQ(s.View().indicator.colour, c.colour);
    EXPECT_EQ(RowNames(s), Names(1, c.firstRows));
    EXPECT_EQ(s.View().heading, c.matches ? "Insonnia" : "");
    EXPECT_EQ(s.Pages().CanNext(), c.pages > 1);
    if (c.pages > 1) {
        s.NextPage();
        EXPECT_EQ(s.Pages().Page(), 2);
        EXPECT_EQ(RowNames(s), Names(15, 14 + c.secondRows));
        EXPECT_EQ(s.View().heading, "Insonnia") << "paging keeps the symptom shown";
        s.PreviousPage();
        EXPECT_EQ(RowNames(s), Names(1, c.firstRows));
        EXPECT_EQ(s.View().rows[0].fourth, "dose 1");
    }
    // "Seguenti" to the end: every page it reaches has rows, and the
    // indicator counts exactly those pages.
    int reached = 1;
    while (s.Pages().CanNext() && reached < 20) {
        s.NextPage();
        ++reached;
        EXPECT_FALSE(s.View().rows.empty()) << "page " << reached;
    }
    EXPECT_EQ(reached, std::max(c.pages, 1));
    s.NextPage();
    EXPECT_EQ(s.Pages().Page(), std::max(c.pages, 1));
}

INSTANTIATE_TEST_SUITE_P(
    Counts, SymptomPaging,
    ::testing::Values(PagingCase {"none", 0, "", 0, 0, 0, 0},
                      PagingCase {"one", 1, "1/1", kIndicatorAqua, 1, 1, 0},
                      // ceiling(matches / 14): a page count never counts an empty page.
                      PagingCase {"thirteen", 13, "1/1", kIndicatorAqua, 13, 1, 0},
                      PagingCase {"fourteen", 14, "1/1", kIndicatorAqua, 14, 1, 0},
                      PagingCase {"fifteen", 15, "1/2", kIndicatorRed, 14, 2, 1},
                      PagingCase {"twenty-eight", 28, "1/2", kIndicatorRed, 14, 2, 14},
                      PagingCase {"twenty-nine", 29, "1/3", kIndicatorRed, 14, 3, 14},
                      PagingCase {"full list", 140, "1/10", kIndicatorRed, 14, 10, 14},
                      PagingCase {"past the list", 163, "1/10 (163 trovati)", kIndicatorRed, 14, 10, 14}),
    [](const auto& info) {
        std::string n = info.param.label;
        for (char& ch : n)
            if (ch == ' ' || ch == '-')
                ch = '_';
        return n;
    });

TEST(SymptomSearch, PagesStopAtTheTenthWhenMoreWereFound)
{
    TempFolder t;
    WriteDb(Matches(163, "Insonnia"));
    SymptomConsultation s;
    s.Search("Insonnia");
    EXPECT_EQ(s.Pages().Stored(), 140u);
    EXPECT_EQ(s.Pages().Found(), 163u);
    int turns = 0;
    while (s.Pages().CanNext() && turns < 20) {
        s.NextPage();
        ++turns;
    }
    EXPECT_EQ(turns, 9);
    EXPECT_EQ(s.View().indicator.text, "10/10 (163 trovati)");
    EXPECT_EQ(RowNames(s), Names(127, 140));
}

TEST(SymptomSearch, ExactIndicationOnly)
{
    TempFolder t;
    WriteDb({Remedy("A", "Insonnia,"), Remedy("B", "insonnia"), Remedy("C", "Insonnia"), Remedy("D", "Insonnia ")});
    SymptomConsultation s;
    s.Search("Insonnia");
    EXPECT_EQ(RowNames(s), Lines({"C"}));
    // The reserved record 0 is never a match.
    s.Search(kReservedText);
    EXPECT_TRUE(s.View().rows.empty());
}

TEST(SymptomSearch, RowCycleIsPerRowAndRestartsWithEverySearch)
{
    TempFolder t;
    RemedyRecord a = Remedy("MSA Melissa", "Insonnia");
    a.Warnings = "Non in gravidanza;;";
    a.PsychicSynthesis = "Calma";
    a.SupplementaryNotes = "...";
    RemedyRecord b = Remedy(std::string(60, 'N'), "Insonnia");
    WriteDb({a, b});

    SymptomConsultation s;
    s.Search("Insonnia");
    const Lines labels = {"MSA Melissa - Avvertenze", "MSA Melissa - Sintesi Psichica", "MSA Melissa - Note",
                          "MSA Melissa - Note Supplementari", "MSA Melissa - Avvertenze"};
    const Lines texts = {"Non in gravidanza", "Calma", "Il Database Primario non riporta Note", "...",
                         "Non in gravidanza"};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        s.RowNote(1);
        EXPECT_EQ(s.View().note.label, labels[i]) << i;
        EXPECT_EQ(s.View().note.text, texts[i]) << i;
    }
    // Row 2 starts at its own first state; its 50-character name and the
    // separator are cut to 53 before the title.
    s.RowNote(2);
    EXPECT_EQ(s.View().note.label, std::string(50, 'N') + " - Avvertenze");
    EXPECT_EQ(s.View().note.text, "Non \xE8 stato finora necessario prescrivere Avvertenze");
    s.RowNote(2);
    EXPECT_EQ(s.View().note.text, "Non \xE8 per ora stabilita una Sintesi Psichica");
    s.RowNote(2);
    s.RowNote(2);
    EXPECT_EQ(s.View().note.text, "Il Database Primario non riporta Note Supplementari");

    s.Search("Insonnia");
    EXPECT_EQ(s.View().note.label, "Note");
    s.RowNote(1);
    EXPECT_EQ(s.View().note.label, "MSA Melissa - Avvertenze");
    // An empty row has no remedy: the pane stays.
    s.RowNote(5);
    EXPECT_EQ(s.View().note.label, "MSA Melissa - Avvertenze");
}

TEST(SymptomSearch, RowContent)
{
    TempFolder t;
    RemedyRecord r = Remedy("TSA Iperico", "Tristezza");
    r.PrimarySignature = "Sole-Giove";
    r.SecondarySignature = std::string(40, 'S');
    r.ZodiacSignature = "Leone";
    r.Posology = std::string(300, 'p') + "fine";
    WriteDb({r});
    SymptomConsultation s;
    s.Search("Tristezza");
    ASSERT_EQ(s.View().rows.size(), 1u);
    const ConsultationRow& row = s.View().rows[0];
    EXPECT_EQ(row.planets, "Sole-Giove " + std::string(40, 'S'));
    EXPECT_EQ(row.signs, "Leone");
    EXPECT_EQ(row.fourth, std::string(300, 'p') + "fine");
    s.Clear();
    EXPECT_TRUE(s.View().rows.empty());
    EXPECT_TRUE(s.View().heading.empty());
    EXPECT_TRUE(s.View().indicator.text.empty());
}

TEST(SymptomSearch, DamagedOrMissingFilesAreReported)
{
    TempFolder t;
    WriteDb(Matches(3, "Insonnia"));
    SymptomConsultation s;
    s.Search("Insonnia");
    t.Put("OpzioneH/DBmain.rnd", t.Get("OpzioneH/DBmain.rnd") + "xyz");
    try {
        s.Search("Insonnia");
        FAIL() << "a damaged database must be refused";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("danneggiato"), std::string::npos);
    }
    // The refused search leaves the earlier results.
    EXPECT_EQ(s.View().rows.size(), 3u);

    try {
        SymptomConsultation::SymptomList();
        FAIL() << "a missing list must be reported";
    } catch (const UserError& e) {
        EXPECT_NE(std::string(e.what()).find("Sintomi.txt"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("Ricostruisci File"), std::string::npos);
    }
    t.Put("OpzioneH/Sintomi.txt", "");
    EXPECT_TRUE(SymptomConsultation::SymptomList().empty());
}

TEST(SymptomSearch, LengthByteBeyondItsFieldReadsAsTheField)
{
    TempFolder t;
    WriteDb({Remedy(std::string(50, 'X'), "Insonnia")});
    std::string bytes = t.Get("OpzioneH/DBmain.rnd");
    bytes[kRemedyRecordSize] = static_cast<char>(200); // name length byte of record 1
    t.Put("OpzioneH/DBmain.rnd", bytes);
    SymptomConsultation s;
    s.Search("Insonnia");
    ASSERT_EQ(s.View().rows.size(), 1u);
    EXPECT_EQ(s.View().rows[0].name, std::string(50, 'X'));
}

TEST(IncrementalSearch, FirstLineThatBeginsWithTheText)
{
    // Sorted as the support lists are: case and accents do not count.
    const Lines items = {"acne",          "Ansia",     "Cefalea",        "\xC8" "czema secco", "Eczema umido",
                         "Herpes labiale", "Insonnia", "Insonnia lieve", "Tosse secca",     "Tosse",
                         "Vertigini"};
    struct Case {
        const char* label;
        const char* text;
        int line;
    };
    const std::string far(200, 'z');
    for (const Case& c : {
             Case {"upper-cased text, mixed-case line", "INS", 6},
             Case {"lower-cased text", "ins", 6},
             Case {"first of several matches", "Insonnia", 6},
             Case {"longer match", "INSONNIA L", 7},
             Case {"lower-case line", "AC", 0},
             Case {"accented line, plain text", "ECZ", 3},
             Case {"plain line, accented text", "\xC9" "CZEMA U", 4},
             Case {"first in list order, not the shorter line", "TOSSE", 8},
             Case {"whole list", "", 0},
             Case {"no match: where it would stand", "Dolore", 3},
             Case {"no match between two lines", "Insz", 8},
             Case {"no match past the end", far.c_str(), 10},
             Case {"last line", "V", 10},
         })
        EXPECT_EQ(FindListPrefix(items, c.text), c.line) << c.label;
    EXPECT_EQ(FindListPrefix({}, "A"), -1);
    EXPECT_EQ(FindListPrefix({"Uno"}, "u"), 0);

    EXPECT_TRUE(BeginsWithListText("\xE0 gocce", "A G"));
    EXPECT_FALSE(BeginsWithListText("Ins", "Insonnia"));
    EXPECT_LT(ComparePrefixListText("Ins", "Insonnia"), 0);
    EXPECT_GT(ComparePrefixListText("Tosse", "Ins"), 0);
}

TEST(IncrementalSearch, TypedKeys)
{
    std::string text;
    for (char k : std::string("ins\b\bnS\r"))
        TypeSearchKey(text, k, false);
    EXPECT_EQ(text, "InS");
    text.clear();
    for (char k : std::string("msa \xE8"))
        TypeSearchKey(text, k, true);
    EXPECT_EQ(text, "MSA \xC8");
    TypeSearchKey(text, '\b', true);
    TypeSearchKey(text, '\b', true);
    EXPECT_EQ(text, "MSA");
    std::string empty;
    TypeSearchKey(empty, '\b', false);
    EXPECT_EQ(empty, "");
}

TEST(SignaturePopup, WordsWithThePrimaryMarked)
{
    EXPECT_EQ(SignaturePopupLines("Sole-Luna Marte", true), Lines({"\xA7 Sole", "\xA7 Luna", "Marte"}));
    EXPECT_EQ(SignaturePopupLines("Giove Saturno", true), Lines({"\xA7 Giove", "Saturno"}));
    EXPECT_EQ(SignaturePopupLines("Ariete-Toro  Leone", false), Lines({"Ariete", "Toro", "Leone"}));
    const Lines many = SignaturePopupLines("a b c d e f g h i j k l m n Sagittarioooooooooo", false);
    EXPECT_EQ(many.size(), 12u);
    EXPECT_EQ(SignaturePopupLines("Sagittarioooooooooo", false), Lines({"Sagittarioooooo"}));
    EXPECT_TRUE(SignaturePopupLines("", true).empty());
}

namespace {

std::string DisplayLine(const std::string& field, const std::string& name)
{
    std::string line = field;
    line.resize(70, ' ');
    return line + name;
}

} // namespace

TEST(RemedySearch, DisplayLineFindsTheSameRecordsAsTheName)
{
    TempFolder t;
    RemedyRecord a = Remedy("MSA Melissa", "Insonnia");
    a.Warnings = "Non in gravidanza";
    a.PsychicSynthesis = "Quiete";
    RemedyRecord b = Remedy("MSA Melissa", "Ansia");
    WriteDb({a, Remedy("TSA Iperico", "Tristezza"), b});

    RemedyConsultation byName;
    byName.Search("MSA Melissa");
    RemedyConsultation byDisplay;
    byDisplay.Search(DisplayLine("Melissa (MSA)", "MSA Melissa"));
    for (const RemedyConsultation* c : {&byName, &byDisplay}) {
        EXPECT_EQ(RowNames(*c), Lines({"MSA Melissa", "MSA Melissa"}));
        EXPECT_EQ(c->View().rows[1].fourth, "Ansia");
        EXPECT_EQ(c->View().heading, "MSA Melissa");
        EXPECT_EQ(c->Caption(), "(Macerato Spagirico-Alchemico)");
        // The last match shows its warnings and synthesis.
        EXPECT_EQ(c->Warnings(), kNoWarningsText);
        EXPECT_EQ(c->View().note.text, "");
        EXPECT_FALSE(c->UseNumberNote());
    }
    RemedyConsultation none;
    none.Search(DisplayLine("Melissa (MSA)", "MSA Melisa"));
    EXPECT_TRUE(none.View().rows.empty());
    EXPECT_EQ(none.Pages().Found(), 0u);
}

TEST(RemedySearch, LongNameFoundThroughItsDisplayLine)
{
    TempFolder t;
    const std::string name = "QSPC Achillea millefolium varieta alpina (2) MSA"; // 48 characters
    RemedyRecord r = Remedy(name, "Ferite");
    r.Warnings = "Uso esterno";
    WriteDb({r});
    RemedyConsultation c;
    c.Search(DisplayLine("ACHILLEA MILLEFOLIUM (QSPC)", name));
    EXPECT_EQ(RowNames(c), Lines({name}));
    // Both types in the name: the last test, QSPC, wins.
    EXPECT_EQ(c.Caption(), "(Quintessenza Spagirica di Brennic Canonica)");
    EXPECT_EQ(c.Warnings(), "Uso esterno");
    EXPECT_TRUE(c.UseNumberNote());
}

TEST(RemedySearch, CaptionsAndUseNumbers)
{
    struct Case {
        const char* name;
        const char* caption;
        bool useNumber;
    };
    for (const Case& c : {Case {"MSA Melissa", "(Macerato Spagirico-Alchemico)", false},
                          Case {"TSA Iperico (3)", "(Tintura Spagirico-Alchemica)", true},
                          Case {"MSA QSPC Ruta", "(Quintessenza Spagirica di Brennic Canonica)", false},
                          Case {"HS 8 - Salvia (0)", "", false}, Case {"Tarassaco (9)", "", true}}) {
        EXPECT_EQ(PreparationCaption(c.name), c.caption) << c.name;
        EXPECT_EQ(HasUseNumber(c.name), c.useNumber) << c.name;
    }
}

TEST(RemedySearch, RowCycle)
{
    TempFolder t;
    RemedyRecord r = Remedy("TSA Iperico", "Tristezza");
    r.Posology = "20 gocce,";
    r.Notes = "Nota";
    WriteDb({r});
    RemedyConsultation c;
    c.Search("TSA Iperico");
    const Lines labels = {"TSA Iperico - Posologia", "TSA Iperico - Sintesi Psichica", "TSA Iperico - Note",
                          "TSA Iperico - Note Supplementari"};
    const Lines texts = {"20 gocce", "Non \xE8 per ora stabilita una Sintesi Psichica", "Nota",
                         "Il Database Primario non riporta Note Supplementari"};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        c.RowNote(1);
        EXPECT_EQ(c.View().note.label, labels[i]);
        EXPECT_EQ(c.View().note.text, texts[i]);
    }
    RemedyRecord empty = Remedy("TSA Vuoto", "Niente");
    WriteDb({empty});
    c.Search("TSA Vuoto");
    c.RowNote(1);
    EXPECT_EQ(c.View().note.text, "") << "an empty posology is shown empty";
}

namespace {

RepertoryRecord Pair(std::string pathology, std::string remedy, std::string posology = "", std::string notes = "")
{
    return {std::move(pathology), std::move(posology), std::move(remedy), std::move(notes)};
}

void WriteRep(std::vector<RepertoryRecord> entries)
{
    entries.insert(entries.begin(), ReservedRepertory());
    WriteRepertory(entries);
}

} // namespace

TEST(TherapySearch, RemediesOfAPathologyAndTheirNotes)
{
    TempFolder t;
    RemedyRecord melissa = Remedy("MSA Melissa", "Insonnia");
    melissa.Warnings = "Non in gravidanza";
    WriteDb({melissa, Remedy("TSA Iperico", "Tristezza")});
    WriteRep({Pair("Insonnia", "MSA Melissa", "10 gocce", "Prima nota"), Pair("Ansia", "MSA Melissa"),
              Pair("Insonnia", "TSA Iperico", "5 gocce"), Pair("Insonnia", "MSA Melissa", "", "Seconda nota"),
              Pair("Insonnia", "MSA Meliss"), Pair("Insonnia", "TSA Iperico ")});
    TherapyConsultation c;
    c.Search("Insonnia");
    EXPECT_EQ(RowNames(c), Lines({"MSA Melissa", "TSA Iperico", "MSA Melissa", "MSA Meliss", "TSA Iperico "}));
    EXPECT_EQ(c.View().rows[0].fourth, "10 gocce");
    EXPECT_EQ(c.View().heading, "Insonnia");
    EXPECT_EQ(c.View().indicator.text, "1/1");

    // Row 3 repeats the pair of row 1: both show the first record's note.
    for (int row : {1, 3}) {
        c.RowNote(row);
        EXPECT_EQ(c.View().note.label, "Note su MSA Melissa / Insonnia");
        EXPECT_EQ(c.View().note.text, "Prima nota");
    }
    c.RowNote(1);
    EXPECT_EQ(c.View().note.label, "MSA Melissa - Avvertenze");
    EXPECT_EQ(c.View().note.text, "Non in gravidanza");
    c.RowNote(1);
    EXPECT_EQ(c.View().note.label, "Note su MSA Melissa / Insonnia") << "the cycle has two positions";

    c.RowNote(2);
    EXPECT_EQ(c.View().note.text, "Nessuna Nota registrata per questa combinazione Patologia-Rimedio");
    c.RowNote(2);
    EXPECT_EQ(c.View().note.label, "TSA Iperico - Avvertenze");
    EXPECT_EQ(c.View().note.text, "Il Database Primario non contempla Avvertenze per l'uso di questo Rimedio");

    for (int row : {4, 5}) {
        c.RowNote(row);
        c.RowNote(row);
        EXPECT_EQ(c.View().note.label,
                  c.View().rows[static_cast<std::size_t>(row - 1)].name +
                      " non \xE8 stato rintracciato nel Database Primario");
        EXPECT_EQ(c.View().note.text, "");
    }
}

TEST(TherapySearch, NoteWithAnEmptyFirstPartIsAbsent)
{
    TempFolder t;
    WriteDb({Remedy("MSA Melissa", "Insonnia")});
    WriteRep({Pair("Insonnia", "MSA Melissa")});
    // Parts 2 and 3 of the note written by hand, part 1 left empty.
    std::string bytes = t.Get("OpzioneH/Repertorio.rnd");
    const std::size_t part2 = kRepertoryRecordSize + 453 + 251;
    bytes[part2] = 5;
    bytes.replace(part2 + 1, 5, "Testo");
    t.Put("OpzioneH/Repertorio.rnd", bytes);
    TherapyConsultation c;
    c.Search("Insonnia");
    c.RowNote(1);
    EXPECT_EQ(c.View().note.text, "Nessuna Nota registrata per questa combinazione Patologia-Rimedio");
}

TEST(TherapySearch, MissingListIsEmptyAndDamagedRepertoryIsRefused)
{
    TempFolder t;
    EXPECT_TRUE(TherapyConsultation::PathologyList().empty());
    WriteRep({Pair("Insonnia", "MSA Melissa")});
    t.Put("OpzioneH/Repertorio.rnd", t.Get("OpzioneH/Repertorio.rnd") + "x");
    TherapyConsultation c;
    EXPECT_THROW(c.Search("Insonnia"), UserError);
}
