// Settings files of the shell: print settings, user name, graphic
// orientations and the run log, with the damaged inputs a user's folder can
// hold.
#include "platform/Errors.h"
#include "shell/Settings.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        PrintSettings = PrintSettingsState {};
        PrintSettings.SettingA = 99; // every reader must overwrite it
        UserFirstName = UserSurname = UserFullName = "prima";
    }
    TempFolder dir;
};

struct PrintCase {
    const char* name;
    const char* file;
    int settingA, epson, settingC, settingD;
    long double thickness;
    const char* backup;
    long double scaleX, scaleY;
};

// Test listings show the case's name, not its bytes.
void PrintTo(const PrintCase& c, std::ostream* os)
{
    *os << c.name;
}


class PrintSettingsRead : public ::testing::TestWithParam<PrintCase> {
protected:
    TempFolder dir;
};

TEST_P(PrintSettingsRead, ReadsEachLineByItsRule)
{
    const PrintCase& c = GetParam();
    dir.Put("FileSet/MMVarLas.stt", c.file);
    ReadPrintSettings();
    EXPECT_EQ(PrintSettings.SettingA, c.settingA);
    EXPECT_EQ(PrintSettings.EpsonMode, c.epson);
    EXPECT_EQ(PrintSettings.SettingC, c.settingC);
    EXPECT_EQ(PrintSettings.SettingD, c.settingD);
    EXPECT_DOUBLE_EQ(static_cast<double>(PrintSettings.LineThicknessFactor), static_cast<double>(c.thickness));
    EXPECT_EQ(PrintSettings.BackupFolder, c.backup);
    EXPECT_DOUBLE_EQ(static_cast<double>(PrintSettings.CircleScaleX), static_cast<double>(c.scaleX));
    EXPECT_DOUBLE_EQ(static_cast<double>(PrintSettings.CircleScaleY), static_cast<double>(c.scaleY));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PrintSettingsRead,
    ::testing::Values(
        PrintCase {"AsWritten",
                   "1\r\n1\r\n0\r\n1\r\n 1.50000000000000E+0000\r\nE:\\ZarvekinBck\r\n 9.80000000000000E-0001\r\n"
                   " 1.02000000000000E+0000\r\n",
                   1, 1, 0, 1, 1.5L, "E:\\ZarvekinBck", 0.98L, 1.02L},
        PrintCase {"ZerosInFactorsReadAsOne", "1\r\n0\r\n0\r\n1\r\n0\r\nX\r\n0\r\n 0.00000000000000E+0000\r\n", 1, 0, 0,
                   1, 1, "X", 1, 1},
        PrintCase {"MissingLinesTakeDefaults", "3\r\n1\r\n", 3, 1, 0, 1, 1, "", 1, 1},
        PrintCase {"EmptyAndNonNumericTakeDefaults", "\r\nabc\r\n\r\nx\r\nuno\r\n\r\n1,25\r\n?\r\n", 1, 0, 0, 1, 1, "",
                   1.25L, 1},
        PrintCase {"LineFeedOnly", "2\n1\n4\n5\n 2.00000000000000E+0000\n/media/u/Chiave\n1\n1\n", 2, 1, 4, 5, 2,
                   "/media/u/Chiave", 1, 1},
        PrintCase {"Utf8FolderName", "1\n0\n0\n1\n1\n/media/Niccol\xC3\xB2/Backup\n1\n1\n", 1, 0, 0, 1, 1,
                   "/media/Niccolò/Backup", 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsTest, ZeroFactorStaysInTheFileUntilTheNextWriter)
{
    const std::string file = "1\r\n0\r\n0\r\n1\r\n0\r\n\r\n1\r\n1\r\n";
    dir.Put("FileSet/MMVarLas.stt", file);
    ReadPrintSettings();
    EXPECT_EQ(PrintSettings.LineThicknessFactor, 1.0L);
    EXPECT_EQ(dir.Get("FileSet/MMVarLas.stt"), file);
    WritePrintSettings();
    EXPECT_EQ(dir.Get("FileSet/MMVarLas.stt"), "1\r\n0\r\n0\r\n1\r\n 1.00000000000000E+0000\r\n\r\n"
                                                " 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n");
}

TEST_F(SettingsTest, MissingPrintSettingsIsAnIoErrorNamingTheFile)
{
    try {
        ReadPrintSettings();
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), "FileSet\\MMVarLas.stt");
    }
    EXPECT_THROW(ResetStaleBackupFolder(), IoError);
}

TEST_F(SettingsTest, StaleBackupFolderIsReplacedAndOtherLinesKept)
{
    dir.Put("FileSet/MMVarLas.stt", "1\r\n1\r\n0\r\n1\r\n1\r\nC:\\Zk6Backup\\x\r\n2\r\n3\r\n");
    ResetStaleBackupFolder();
    EXPECT_EQ(dir.Get("FileSet/MMVarLas.stt"), "1\r\n1\r\n0\r\n1\r\n1\r\nDa definire\r\n2\r\n3\r\n");

    const std::string fine = "1\n1\n0\n1\n1\n/media/u/ZarvekinBck\n2\n3\n";
    dir.Put("FileSet/MMVarLas.stt", fine);
    ResetStaleBackupFolder();
    EXPECT_EQ(dir.Get("FileSet/MMVarLas.stt"), fine) << "a file without the stale name is not rewritten";
}

TEST_F(SettingsTest, PrintSettingsCreatedWithDefaultsWhenMissing)
{
    PrintSettings.BackupFolder = "";
    ReadOrCreatePrintSettings();
    EXPECT_EQ(dir.Get("FileSet/MMVarLas.stt"), "1\r\n0\r\n0\r\n1\r\n 1.00000000000000E+0000\r\n\r\n"
                                                " 1.00000000000000E+0000\r\n 1.00000000000000E+0000\r\n");
}

TEST_F(SettingsTest, UserNameFileCreatedWhenMissingWithoutChangingTheNames)
{
    ReadUserName();
    EXPECT_EQ(dir.Get("FileTmp/Personal.Tmp"), "Nome\r\nCognome\r\n");
    EXPECT_EQ(UserFullName, "prima");
    ReadUserName();
    EXPECT_EQ(UserFullName, "Nome Cognome");
}

TEST_F(SettingsTest, UserNamesAreCutTo80)
{
    const std::string longName(85, 'a');
    dir.Put("FileTmp/Personal.Tmp", longName + "\r\nRossi\r\n");
    ReadUserName();
    EXPECT_EQ(UserFirstName, std::string(80, 'a'));
    EXPECT_EQ(UserFullName, std::string(80, 'a')) << "the full name is cut to 80 too";
    UserFirstName = longName;
    WriteUserName();
    EXPECT_EQ(dir.Get("FileTmp/Personal.Tmp"), std::string(80, 'a') + "\r\nRossi\r\n");
}

TEST_F(SettingsTest, GraphOrientationFollowsThePrinter)
{
    std::string allL;
    for (int k = 0; k < 15; ++k)
        allL += "L\r\n";
    dir.Put("Emf/TipGraf.Set", allL);
    PrinterAvailable = true;
    PrinterLandscape = false;
    RecordGraphOrientation("GRAF05.EMF");
    EXPECT_EQ(dir.Get("Emf/TipGraf.Set"), "L\r\nL\r\nL\r\nL\r\nP\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\nL\r\n");
    PrinterAvailable = false; // no printer: always landscape
    RecordGraphOrientation("GRAF05.EMF");
    EXPECT_EQ(dir.Get("Emf/TipGraf.Set").substr(12, 3), "L\r\n");
    EXPECT_THROW(RecordGraphOrientation("GRAFxx.EMF"), ConversionError);
    EXPECT_THROW(RecordGraphOrientation("GRAF16.EMF"), ConversionError);
}

TEST_F(SettingsTest, MissingGraphTypesFileIsAnIoError)
{
    EXPECT_THROW(RecordGraphOrientation("GRAF01.EMF"), IoError);
    EXPECT_THROW(SizeViewerForGraph("GRAF01.EMF"), IoError);
}

TEST_F(SettingsTest, ViewerSizeByOrientationAndScreenAspect)
{
    std::string lines;
    for (int k = 1; k <= 15; ++k)
        lines += k == 12 ? "L\r\n" : "P\r\n";
    dir.Put("Emf/TipGraf.Set", lines);
    ScreenAspect = 800.0L / 1280.0L; // 0.625
    EXPECT_EQ(SizeViewerForGraph("GRAF12.EMF").width, 755);
    EXPECT_EQ(SizeViewerForGraph("GRAF12.EMF").height, 510);
    EXPECT_EQ(SizeViewerForGraph("GRAF03.EMF").width, 525);
    ScreenAspect = 0.75L;
    EXPECT_EQ(SizeViewerForGraph("GRAF12.EMF").width, 660);
    EXPECT_EQ(SizeViewerForGraph("GRAF03.EMF").width, 450);
    EXPECT_EQ(SizeViewerForGraph("GRAF03.EMF").height, 680);
}

TEST_F(SettingsTest, RunLogStartsWhenMissingAndMovesOn)
{
    UpdateRunLog(2461384.5L); // 10/12/2026
    EXPECT_EQ(dir.Get("OpzioneT/Sole.tm1"), "2451545\r\n2461384\r\n2\r\n");
    EXPECT_EQ(dir.Get("OpzioneT/Luna.tm1"), "2461384\r\n");
    UpdateRunLog(2461385.5L);
    EXPECT_EQ(dir.Get("OpzioneT/Sole.tm1"), "2461384\r\n2461385\r\n3\r\n");
    EXPECT_EQ(dir.Get("OpzioneT/Luna.tm1"), "2461384\r\n2461385\r\n");
    const auto dates = RunDates();
    ASSERT_EQ(dates.size(), 2u);
    // The stored digits are the 0h Julian day without its ".5": the date
    // shown is the day of the run, not the noon before it.
    EXPECT_EQ(dates[0], "10/12/2026");
    EXPECT_EQ(dates[1], "11/12/2026");
}

TEST_F(SettingsTest, RunLogSurvivesADamagedCounter)
{
    dir.Put("OpzioneT/Sole.tm1", "abc\n");
    dir.Put("OpzioneT/Luna.tm1", "2461384\r\nrotto\r\n");
    UpdateRunLog(2461385.5L);
    EXPECT_EQ(dir.Get("OpzioneT/Sole.tm1"), "\r\n2461385\r\n1\r\n");
    EXPECT_EQ(RunDates().size(), 2u) << "an unreadable history line is skipped";
}

} // namespace
