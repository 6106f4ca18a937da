// The signature search of the de-duplicated remedy list and its result
// pages, on small knowledge bases
// written into a temporary program folder.
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "kb/SignatureSearch.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using Lines = std::vector<std::string>;

RemedyRecord Remedy(std::string name, std::string primary, std::string secondary, std::string zodiac)
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.Indications = "Disturbo di " + r.Name;
    r.PrimarySignature = std::move(primary);
    r.SecondarySignature = std::move(secondary);
    r.ZodiacSignature = std::move(zodiac);
    return r;
}

void WriteDb(std::vector<RemedyRecord> entries)
{
    entries.insert(entries.begin(), ReservedRemedy());
    WritePrimaryDatabase(entries);
}

std::vector<std::string> ListNames()
{
    std::vector<std::string> names;
    for (const RemedyListEntry& e : WriteRemedyIndex())
        names.push_back(e.name);
    return names;
}

std::vector<std::string> RowNames(const std::vector<SignatureRow>& rows)
{
    std::vector<std::string> names;
    for (const SignatureRow& r : rows)
        names.push_back(r.name);
    return names;
}

} // namespace

TEST(SignatureSearch, MatchRules)
{
    const RemedyRecord r = Remedy("MSA Melissa", "Luna - Venere", "Mercurio", "Cancro Pesci");
    struct Case {
        const char* planet;
        const char* sign;
        bool match;
    } cases[] = {
        {"Qualsiasi", "Qualsiasi", true},
        {"Luna", "Qualsiasi", true},
        {"Mercurio", "Qualsiasi", true}, // secondary signature counts here
        {"Marte", "Qualsiasi", false},
        {"Qualsiasi", "Pesci", true},
        {"Qualsiasi", "pesci", false}, // case-sensitive
        {"Venere", "Cancro", true},
        {"Venere", "Toro", false},
        {"Saturno", "Cancro", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SignatureMatches(r, c.planet, c.sign), c.match) << c.planet << " / " << c.sign;
}

TEST(SignatureSearch, ListsEachRemedyOnceWithItsFirstRecordAndWritesFourLinesEach)
{
    TempFolder t;
    WriteDb({Remedy("TSA Iperico", "Sole", "", "Leone"), Remedy("MSA Melissa", "Luna", "Venere", "Cancro"),
             Remedy("TSA Iperico", "Marte", "", "Ariete"), Remedy("  MSA Timo", "Marte", "Sole", "Ariete")});
    const std::vector<std::string> names = ListNames();
    ASSERT_EQ(names, (Lines {"MSA Melissa", "MSA Timo", "TSA Iperico"}));

    // "Qualsiasi" twice: the whole de-duplicated list, each row with the
    // name as stored.
    EXPECT_EQ(RowNames(SearchSignatures(names, "Qualsiasi", "Qualsiasi")),
              (Lines {"MSA Melissa", "  MSA Timo", "TSA Iperico"}));

    // Only the first record of a name is looked at: the second Iperico is
    // "Marte" but the first is "Sole". The stored name with leading blanks
    // is still its list entry's record.
    const std::vector<SignatureRow> mars = SearchSignatures(names, "Marte", "Qualsiasi");
    ASSERT_EQ(RowNames(mars), (Lines {"  MSA Timo"}));
    EXPECT_EQ(ReadTextLines(kSignatureResultFile), (Lines {"  MSA Timo", "Marte", "Sole", "Ariete"}));

    // Sun in the secondary signature of Timo, in the primary of Iperico.
    EXPECT_EQ(RowNames(SearchSignatures(names, "Sole", "Qualsiasi")), (Lines {"  MSA Timo", "TSA Iperico"}));
    EXPECT_TRUE(SearchSignatures(names, "Giove", "Qualsiasi").empty());
    EXPECT_TRUE(ReadTextLines(kSignatureResultFile).empty());
}

TEST(SignatureSearch, FifteenMatchesMakeTwoPagesTheSecondWithOneRow)
{
    TempFolder t;
    std::vector<RemedyRecord> entries;
    for (int i = 1; i <= 15; ++i)
        entries.push_back(Remedy("MSA Pianta " + std::string(i < 10 ? "0" : "") + std::to_string(i), "Giove", "",
                                 "Sagittario"));
    entries.push_back(Remedy("MSA Altra", "Saturno", "", "Sagittario"));
    WriteDb(entries);
    const std::vector<SignatureRow> found = SearchSignatures(ListNames(), "Giove", "Sagittario");
    ASSERT_EQ(found.size(), 15u);
    EXPECT_EQ(SignaturePageCount(found.size()), 2u);
    EXPECT_EQ(SignaturePageCount(14), 1u);
    EXPECT_EQ(SignaturePageCount(0), 0u);
    EXPECT_EQ(SignaturePageText(1, 2), "1/2");

    const std::vector<SignatureRow> first = ReadSignaturePage(1);
    ASSERT_EQ(first.size(), 14u);
    EXPECT_EQ(first[0], found[0]);
    EXPECT_EQ(first[13], found[13]);
    const std::vector<SignatureRow> second = ReadSignaturePage(2);
    ASSERT_EQ(second.size(), 14u);
    EXPECT_EQ(second[0], (SignatureRow {"MSA Pianta 15", "Giove", "", "Sagittario"}));
    for (std::size_t k = 1; k < 14; ++k)
        EXPECT_EQ(second[k], SignatureRow {}) << k;
}

TEST(SignatureSearch, DamagedInputsAreReportedAndLeaveTheResultsAsTheyWere)
{
    TempFolder t;
    WriteDb({Remedy("MSA Melissa", "Luna", "", "Cancro")});
    const std::vector<std::string> names = ListNames();
    SearchSignatures(names, "Luna", "Qualsiasi");
    const std::string before = t.Get("FileDum/Segnat.dum");

    // A stray number in the hand-over file names no record.
    t.Put("FileDum/Prdts.dum", "99\r\n");
    EXPECT_TRUE(SearchSignatures(names, "Qualsiasi", "Qualsiasi").empty());
    t.Put("FileDum/Prdts.dum", "x1\r\n");
    EXPECT_TRUE(SearchSignatures(names, "Qualsiasi", "Qualsiasi").empty());

    WriteDb({Remedy("MSA Melissa", "Luna", "", "Cancro")});
    ListNames();
    t.Put("FileDum/Segnat.dum", before);
    t.Put("OpzioneH/DBmain.rnd", t.Get("OpzioneH/DBmain.rnd") + "x");
    EXPECT_THROW(SearchSignatures(names, "Luna", "Qualsiasi"), UserError);
    EXPECT_EQ(t.Get("FileDum/Segnat.dum"), before);

    std::filesystem::remove(t.Path() / "OpzioneH" / "DBmain.rnd");
    EXPECT_THROW(SearchSignatures(names, "Luna", "Qualsiasi"), IoError);
}
