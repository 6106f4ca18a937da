// Loading the current subject from TMPR record 0 and creating the personal
// archive. The fixtures are built byte by byte from the record layout, so a
// shifted field fails here.
#include "archive/CurrentSubject.h"
#include "archive/SubjectRecord.h"
#include "platform/Errors.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Writes a short string at `offset`: length byte, then the characters.
void Field(std::string& rec, std::size_t offset, std::string_view value)
{
    rec[offset] = static_cast<char>(value.size());
    rec.replace(offset + 1, value.size(), value);
}

std::string St2(std::string_view dateKey, std::string_view coordPlace, std::string_view calendar,
                std::string_view nation, std::string_view header21 = "Titolo lungo", std::string_view header12 = "Breve")
{
    std::string rec(385, '\0');
    Field(rec, 0, dateKey);
    Field(rec, 21, coordPlace);
    Field(rec, 61, calendar);
    Field(rec, 64, nation);
    Field(rec, 344, header21);
    Field(rec, 366, header12);
    Field(rec, 379, "00000");
    return rec;
}

std::string St1Name(std::string_view name)
{
    std::string rec(44, '\0');
    Field(rec, 0, name);
    return rec;
}

class CurrentSubjectTest : public ::testing::Test {
protected:
    void SetUp() override { dir.Put("FileDum/Annotaz.dum", "Nota uno nota due\r\n"); }
    void Tmpr(std::string_view name, const std::string& st2)
    {
        dir.Put("TMPR.ST1", St1Name(name));
        dir.Put("TMPR.ST2", st2);
    }
    TempFolder dir;
};

TEST_F(CurrentSubjectTest, LoadsEveryFieldAndTheJulianDayInUniversalTime)
{
    Tmpr("Ferraris Giulia", St2("196804211545-1", "45N04 007E41Torino(TO)", "GR", "Italia"));
    LoadCurrentSubjectData();
    const auto& s = CurrentSubject;
    EXPECT_TRUE(SubjectLoaded);
    EXPECT_EQ(s.Name, "Ferraris Giulia");
    EXPECT_EQ(s.DisplayDate, "21/04/1968 15:45");
    EXPECT_EQ(s.ZoneText, "-1");
    EXPECT_EQ(s.Zone, -1);
    EXPECT_EQ(s.ZoneDisplay, "+1.00");
    EXPECT_EQ(s.Calendar, 1);
    // 21/04/1968 15:45 local, one hour ahead of universal time: 14:45 UT.
    EXPECT_NEAR(static_cast<double>(s.JD), 2439968.114583333, 1e-8);
    EXPECT_EQ(s.JDCaption, "JD= 2.439968114");
    EXPECT_EQ(s.CoordText, "45N04 007E41");
    EXPECT_EQ(s.LatDeg, "45");
    EXPECT_EQ(s.LonHemi, "E");
    EXPECT_EQ(s.Place, "Torino(TO)");
    EXPECT_EQ(s.Nationality, "Italia");
    EXPECT_EQ(s.Header21, "Titolo lungo");
    EXPECT_EQ(s.Header12, "Breve");

    const std::vector<std::string> expected = {
        "Ferraris Giulia",
        "Nascita 21/04/1968 15:45  Correz. +1.00",
        "Località: Torino(TO)",
        "Nazionalità: Italia",
        "Coordinate: 45N04 007E41",
        "Calendario GREGORIANO",
    };
    EXPECT_EQ(CurrentSubjectSummary(), expected);
    EXPECT_EQ(CurrentAnnotations(), "Nota uno nota due");
}

struct ZoneCase {
    const char* name;
    const char* key;
    long double zone;
    const char* display;
};

// Test listings show the case's name, not its bytes.
void PrintTo(const ZoneCase& c, std::ostream* os)
{
    *os << c.name;
}


class ZoneTexts : public CurrentSubjectTest, public ::testing::WithParamInterface<ZoneCase> {};

TEST_P(ZoneTexts, CorrectionParsesWithPointOrComma)
{
    const ZoneCase& c = GetParam();
    Tmpr("Prova", St2(c.key, "19N00 072E50Mumbai", "GR", "India"));
    LoadCurrentSubjectData();
    EXPECT_EQ(CurrentSubject.Zone, c.zone);
    EXPECT_EQ(CurrentSubject.ZoneDisplay, c.display);
}

INSTANTIATE_TEST_SUITE_P(Cases, ZoneTexts,
                         ::testing::Values(ZoneCase {"Comma", "195001011200-5,5", -5.5L, "+5.50"},
                                           ZoneCase {"Point", "195001011200-5.5", -5.5L, "+5.50"},
                                           ZoneCase {"WestOfGreenwich", "197607041200+4", 4, "-4.00"},
                                           ZoneCase {"Zero", "200001011200+0", 0, "+0.00"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CurrentSubjectTest, JulianCalendarAndLongNameCut)
{
    Tmpr(std::string(43, 'N'), St2("150010011200-0,83", "41N54 012E29Roma(RM)", "GI", "Italia"));
    LoadCurrentSubjectData();
    EXPECT_EQ(CurrentSubject.Name, std::string(38, 'N'));
    EXPECT_EQ(CurrentSubject.Calendar, 0);
    EXPECT_EQ(CurrentSubjectSummary()[5], "Calendario GIULIANO");
    EXPECT_FALSE(CurrentSubject.InEphemerisRange);
}

TEST_F(CurrentSubjectTest, MissingOrEmptyTemporaryArchiveIsAnIoError)
{
    EXPECT_THROW(LoadCurrentSubjectData(), IoError);
    dir.Put("TMPR.ST1", "");
    dir.Put("TMPR.ST2", "");
    EXPECT_THROW(LoadCurrentSubjectData(), IoError);
    std::filesystem::remove(dir.Path() / "FileDum/Annotaz.dum");
    EXPECT_THROW(CurrentAnnotations(), IoError);
}

TEST_F(CurrentSubjectTest, SubjectTextPathFromTheHandOverFile)
{
    EXPECT_FALSE(SubjectTextPath());
    dir.Put("FileDum/StrText.dum", "BASE\r\n00007\r\n");
    EXPECT_EQ(SubjectTextPath().value(), "BASEtxt/00007.txt");
}

TEST_F(CurrentSubjectTest, PersonalArchiveCreatedOnceWithTemplateRecords)
{
    ASSERT_TRUE(EnsurePersonalArchive());
    const std::string st1 = dir.Get("BASE.ST1");
    ASSERT_EQ(st1.size(), 44u);
    EXPECT_EQ(st1[0], 43);
    EXPECT_EQ(st1.substr(1, 43), "0 Registro vuoto......................00000");

    const std::string st2 = dir.Get("BASE.ST2");
    ASSERT_EQ(st2.size(), 385u);
    for (std::size_t offset : {0u, 21u, 61u, 64u, 85u, 158u, 219u, 344u, 366u}) {
        EXPECT_EQ(st2[offset], 1) << "offset " << offset;
        EXPECT_EQ(st2[offset + 1], ' ') << "offset " << offset;
    }
    EXPECT_EQ(st2[379], 5);
    EXPECT_EQ(st2.substr(380, 5), "     ");

    const std::string st3 = dir.Get("BASE.ST3");
    ASSERT_EQ(st3.size(), 284u);
    EXPECT_EQ(st3[0], 70);
    EXPECT_EQ(st3.substr(1, 62), "LO SPAZIO DELIMITATO DA QUESTA CORNICE E'DESTINATO A RICEVERE ");
    EXPECT_EQ(st3[213], 70);
    EXPECT_EQ(st3.substr(214, 70), std::string("QUESTO TEMA NON CONTIENE PER ORA ANNOTAZIONI.") + std::string(25, ' '));

    dir.Put("BASE.ST1", st1 + st1); // a user's archive
    EXPECT_FALSE(EnsurePersonalArchive());
    EXPECT_EQ(dir.Get("BASE.ST1").size(), 88u) << "an existing archive is left alone";
}

TEST_F(CurrentSubjectTest, EncodedRecordsMatchTheLayout)
{
    SubjectRecord r;
    r.DateKey = "195003151230-1";
    r.CoordPlace = "45N28 009E11Milano*MI*";
    r.Calendar = "GR";
    r.Nationality = "Italia";
    r.Header21 = "Titolo lungo";
    r.Header12 = "Breve";
    r.NoteRef = "00000";
    EXPECT_EQ(EncodeSubject(r), St2(r.DateKey, r.CoordPlace, "GR", "Italia"));
    EXPECT_EQ(DecodeSubject(EncodeSubject(r)).CoordPlace, r.CoordPlace);

    const std::string entry = EncodeIndexEntry("Rossi Mario", 12);
    EXPECT_EQ(entry[0], 43);
    EXPECT_EQ(entry.substr(1, 38), "Rossi Mario" + std::string(27, ' '));
    EXPECT_EQ(entry.substr(39, 5), "00012");
    EXPECT_EQ(EncodeIndexEntry(std::string(45, 'x'), 3).substr(34, 10), "xxxxx00003") << "name cut to 38";
}

} // namespace
