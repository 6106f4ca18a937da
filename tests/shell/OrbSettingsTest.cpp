// Orb settings: the adopted set in FileSet\OrbiDomi.stt and the editable
// sets in FileDum\MMVarOrb.dum, as the main window's selectors write them.
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/TextFile.h"
#include "shell/OrbSettings.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

const char* const kSetAOrbs[14] = {"10", "1", "1", "1", "1", "1", "4", "1", "6", "8", "1", "1", "1", "9"};

class OrbSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string orbi;
        for (const char* o : kSetAOrbs)
            orbi += std::string(o) + "\r\n";
        orbi += " 1.00000000000000E+0000\r\n 2.00000000000000E+0000\r\nPLACIDO\r\nMEDIO\r\nA\r\nMEDIA\r\n";
        dir.Put("FileSet/OrbiDomi.stt", orbi);
        OrbValues v = DefaultOrbValues();
        v.b[0] = 12.5L; // a personal value that only set B carries
        v.parallel = 1.5L;
        WriteOrbValues(v);
        ReadOrbSettings();
    }
    std::vector<std::string> OrbiLines() const { return SplitTextLines(dir.Get("FileSet/OrbiDomi.stt")); }
    TempFolder dir;
};

TEST_F(OrbSettingsTest, ReadsOrbsAndChartSettings)
{
    EXPECT_EQ(AspectOrb[1], 10);
    EXPECT_EQ(AspectOrb[9], 6);
    EXPECT_EQ(AspectOrb[14], 9);
    EXPECT_EQ(ParallelOrb, 1);
    EXPECT_EQ(AntisciaOrb, 2);
    EXPECT_EQ(HouseSystemSetting, "PLACIDO");
    EXPECT_EQ(NodeKind, "MEDIO");
    EXPECT_EQ(OrbSetLetter, "A");
    EXPECT_EQ(BlackMoonMode, "MEDIA");
}

TEST_F(OrbSettingsTest, DamagedOrbLinesTakeTheSetAValue)
{
    dir.Put("FileSet/OrbiDomi.stt", "dieci\n\n1,5\n");
    ReadOrbSettings();
    EXPECT_EQ(AspectOrb[1], 10) << "non-numeric";
    EXPECT_EQ(AspectOrb[2], 1) << "empty";
    EXPECT_EQ(AspectOrb[3], 1.5L) << "decimal comma";
    EXPECT_EQ(AspectOrb[14], 9) << "missing line";
    EXPECT_EQ(NodeKind, "");
}

TEST_F(OrbSettingsTest, MissingOrbSettingsIsAnIoError)
{
    std::filesystem::remove(dir.Path() / "FileSet/OrbiDomi.stt");
    EXPECT_THROW(ReadOrbSettings(), IoError);
    EXPECT_THROW(ReplaceOrbLine(18, "VERO"), IoError);
}

TEST_F(OrbSettingsTest, ReplaceOrbLineChangesOneLineAndRereads)
{
    auto before = OrbiLines();
    ReplaceOrbLine(18, "VERO");
    auto after = OrbiLines();
    ASSERT_EQ(after.size(), 20u);
    EXPECT_EQ(after[17], "VERO");
    before[17] = "VERO";
    EXPECT_EQ(after, before);
    EXPECT_EQ(NodeKind, "VERO");
}

TEST_F(OrbSettingsTest, AdoptingSetAWritesTheFixedOrbsWhateverBAndCHold)
{
    const OrbSetAdoption adopted = ApplyOrbSet("A");
    EXPECT_EQ(adopted.letter, "A");
    EXPECT_EQ(adopted.message, "");
    const auto lines = OrbiLines();
    ASSERT_EQ(lines.size(), 20u);
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(lines[static_cast<std::size_t>(i)], kSetAOrbs[i]) << "aspect " << i + 1;
    EXPECT_EQ(lines[14], " 1.50000000000000E+0000") << "shared parallel orb from MMVarOrb.dum";
    EXPECT_EQ(lines[16], "PLACIDO");
    EXPECT_EQ(lines[17], "MEDIO");
    EXPECT_EQ(lines[18], "A");
    EXPECT_EQ(lines[19], "MEDIA");
}

TEST_F(OrbSettingsTest, AdoptingSetBWritesItsValuesAndTheLetterInBothFiles)
{
    EXPECT_EQ(ApplyOrbSet("B").letter, "B");
    const auto lines = OrbiLines();
    EXPECT_EQ(lines[0], " 1.25000000000000E+0001");
    EXPECT_EQ(lines[8], " 4.00000000000000E+0000");
    EXPECT_EQ(lines[18], "B");
    EXPECT_EQ(AspectOrb[1], 12.5L);
    EXPECT_EQ(OrbSetLetter, "B");
    const auto values = SplitTextLines(dir.Get("FileDum/MMVarOrb.dum"));
    ASSERT_EQ(values.size(), 35u);
    EXPECT_EQ(values[34], "B");
    EXPECT_EQ(values[2], " 1.25000000000000E+0001");
    EXPECT_EQ(values[16], values[0]) << "the shared orbs are repeated after each set";
    EXPECT_EQ(values[32], values[0]);
}

TEST_F(OrbSettingsTest, AdoptingSetCUsesItsDefaults)
{
    ApplyOrbSet("C");
    EXPECT_EQ(AspectOrb[1], 5);
    EXPECT_EQ(AspectOrb[9], 4.5L);
    EXPECT_EQ(AspectOrb[11], 0.8L);
}

TEST_F(OrbSettingsTest, MissingOrbValuesIsReportedAndTheSetStillWritten)
{
    std::filesystem::remove(dir.Path() / "FileDum/MMVarOrb.dum");
    Dialogs::Script script;
    const OrbSetAdoption adopted = ApplyOrbSet("C");
    EXPECT_EQ(adopted.letter, "C");
    EXPECT_EQ(adopted.message, "Manca File \"MMVarOrb.dum\"");
    EXPECT_TRUE(script.Messages().empty()) << "the window shows the message, not the logic";
    EXPECT_EQ(AspectOrb[1], 5) << "set C defaults";
    EXPECT_TRUE(dir.Has("FileDum/MMVarOrb.dum")) << "rewritten with the values in use";
}

TEST_F(OrbSettingsTest, OrbValuesRoundTripAndDamagedLinesTakeDefaults)
{
    OrbValues v = DefaultOrbValues();
    v.c[13] = 6.75L;
    v.antiscia = 0.5L;
    v.letter = "C";
    WriteOrbValues(v);
    const auto back = ReadOrbValues();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->c, v.c);
    EXPECT_EQ(back->b, v.b);
    EXPECT_EQ(back->antiscia, 0.5L);
    EXPECT_EQ(back->letter, "C");

    dir.Put("FileDum/MMVarOrb.dum", "x\n");
    const auto damaged = ReadOrbValues();
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->b, DefaultOrbValues().b);
    EXPECT_EQ(damaged->letter, "A");
}

} // namespace
