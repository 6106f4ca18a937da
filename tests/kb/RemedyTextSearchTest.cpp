// The word searches of the synthesis and composition windows, and the
// principles archive generated from its text.
#include "kb/KbRecords.h"
#include "kb/PrinciplesArchive.h"
#include "kb/RemedyTextSearch.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using Lines = std::vector<std::string>;

RemedyRecord Remedy(std::string name, std::string synthesis, std::string notes = "")
{
    RemedyRecord r;
    r.Name = std::move(name);
    r.PsychicSynthesis = std::move(synthesis);
    r.Notes = std::move(notes);
    return r;
}

} // namespace

TEST(RemedyTextSearch, FindsTheWordInAnyUseAndInAnyCase)
{
    const RemedyRecord melissa1 =
        Remedy("MSA Melissa", "Calma l'ansia", "Foglie di Melissa officinalis; acido rosmarinico");
    const RemedyRecord melissa2 = Remedy("MSA Melissa", "Sostiene la MEMORIA");
    const RemedyRecord timo = Remedy("MSA Timo", "Coraggio e memoria", "Timolo");
    const std::vector<RemedyRecord> records {ReservedRemedy(), melissa1, melissa2, timo};
    const Lines list {"MSA Melissa", "MSA Timo"};

    EXPECT_EQ(FindRemedies(list, records, "memoria", RemedyTextKind::Synthesis), list);
    EXPECT_EQ(FindRemedies(list, records, "Rosmarinico", RemedyTextKind::Notes), (Lines {"MSA Melissa"}));
    EXPECT_EQ(FindRemedies(list, records, "rosmarinico", RemedyTextKind::Synthesis), (Lines {kNoResultLine}));
    EXPECT_EQ(FindRemedies(list, records, "", RemedyTextKind::Synthesis), (Lines {kNoResultLine}));

    // The shown text is that of the first record; the word in capitals, put
    // in front when the first record lacks it.
    EXPECT_EQ(ShowFoundWord(timo.PsychicSynthesis, "memoria"), "Coraggio e MEMORIA");
    EXPECT_EQ(ShowFoundWord(melissa1.PsychicSynthesis, "memoria"), "MEMORIACalma l'ansia");
    EXPECT_EQ(ShowFoundWord("però l'àncora, l'ÀNCORA", "àncora"), "però l'ÀNCORA, l'ÀNCORA");

    EXPECT_EQ(SynthesisDisplay(melissa1), "Calma l'ansia");
    EXPECT_EQ(SynthesisDisplay(Remedy("MSA Nulla", "ok.")), kNoSynthesisText);
}

TEST(PrinciplesArchive, FifteenRecordsFromTheTextWithEmptyTrailingFields)
{
    TempFolder t;
    Lines lines {"Ipericina", "naftodiantroni", "Sole", "antidepressiva", "Iperico",
                 "Timolo", "fenoli monoterpenici", "Marte", std::string(45, 'a'), "Timo",
                 "Rutina"};
    WriteTextLines(kPrinciplesTextFile, lines);
    BuildPrinciplesArchive();
    EXPECT_EQ(t.Get("Principi.sto").size(), 15u * 205u);
    const std::vector<PrincipleRecord> r = ReadPrinciplesArchive();
    ASSERT_EQ(r.size(), 15u);
    EXPECT_EQ(r[0], (PrincipleRecord {"Ipericina", "NAFTODIANTRONI", "Sole", "antidepressiva", "Iperico"}));
    EXPECT_EQ(r[1][1], "FENOLI MONOTERPENICI");
    EXPECT_EQ(r[1][3], std::string(40, 'a'));
    EXPECT_EQ(r[2], (PrincipleRecord {"Rutina", "", "", "", ""}));
    EXPECT_EQ(r[14], PrincipleRecord {});

    // No text: the archive stays as it was.
    const std::string before = t.Get("Principi.sto");
    std::filesystem::remove(t.Path() / "Principi.txt");
    EXPECT_THROW(BuildPrinciplesArchive(), IoError);
    EXPECT_EQ(t.Get("Principi.sto"), before);
}
