#include "shell/Settings.h"

#include "platform/Errors.h"
#include "platform/FloatText.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <algorithm>

namespace {

long long IntegerOr(const std::vector<std::string>& lines, std::size_t i, long long fallback)
{
    auto v = ParseInteger(LineOrEmpty(lines, i));
    return v ? *v : fallback;
}

// A positive factor: empty, non-numeric or 0 reads as 1.0.
long double FactorOr1(const std::vector<std::string>& lines, std::size_t i)
{
    const std::string t = LineOrEmpty(lines, i);
    auto v = ParseFixedReal(t);
    if (!v)
        v = ParseLocaleReal(t);
    if (!v || *v == 0)
        return 1.0L;
    return *v;
}


std::vector<std::string> PrintSettingsLines()
{
    const auto& p = PrintSettings;
    return {std::to_string(p.SettingA),
            std::to_string(p.EpsonMode),
            std::to_string(p.SettingC),
            std::to_string(p.SettingD),
            DefaultFloatText(p.LineThicknessFactor),
            p.BackupFolder,
            DefaultFloatText(p.CircleScaleX),
            DefaultFloatText(p.CircleScaleY)};
}

int GraphType(std::string_view fileName)
{
    const std::string digits = fileName.size() >= 6 ? std::string(fileName.substr(4, 2)) : std::string();
    auto k = ParseInteger(digits);
    if (!k || *k < 1 || *k > 15)
        throw ConversionError(std::string(fileName), "non indica un tipo di grafico valido (01..15)");
    return static_cast<int>(*k);
}

} // namespace

void ReadPrintSettings()
{
    const auto lines = ReadTextLines(kPrintSettingsFile);
    auto& p = PrintSettings;
    p.SettingA = static_cast<int>(IntegerOr(lines, 0, 1));
    p.EpsonMode = IntegerOr(lines, 1, 0) == 1 ? 1 : 0;
    p.SettingC = static_cast<std::uint8_t>(IntegerOr(lines, 2, 0));
    p.SettingD = static_cast<std::uint8_t>(IntegerOr(lines, 3, 1));
    p.LineThicknessFactor = FactorOr1(lines, 4);
    p.BackupFolder = LineOrEmpty(lines, 5);
    p.CircleScaleX = FactorOr1(lines, 6);
    p.CircleScaleY = FactorOr1(lines, 7);
}

void WritePrintSettings()
{
    WriteTextLines(kPrintSettingsFile, PrintSettingsLines());
}

void ResetStaleBackupFolder()
{
    auto lines = ReadTextLines(kPrintSettingsFile);
    if (LineOrEmpty(lines, 5).find("Zk6Backup") == std::string::npos)
        return;
    lines.resize(std::max<std::size_t>(lines.size(), 8));
    lines.resize(8);
    lines[5] = "Da definire";
    WriteTextLines(kPrintSettingsFile, lines);
}

void ReadOrCreatePrintSettings()
{
    if (ProgramPath::Exists(kPrintSettingsFile)) {
        ReadPrintSettings();
        return;
    }
    const std::string backup = PrintSettings.BackupFolder;
    PrintSettings = PrintSettingsState {};
    PrintSettings.BackupFolder = backup;
    WritePrintSettings();
}

void ReadUserName()
{
    auto lines = TryReadTextLines(kUserNameFile);
    if (!lines) {
        WriteTextLines(kUserNameFile, {"Nome", "Cognome"});
        return;
    }
    UserFirstName = Bounded(LineOrEmpty(*lines, 0), 80);
    UserSurname = Bounded(LineOrEmpty(*lines, 1), 80);
    UserFullName = Bounded(UserFirstName + " " + UserSurname, 80);
}

void WriteUserName()
{
    WriteTextLines(kUserNameFile, {Bounded(UserFirstName, 80), Bounded(UserSurname, 80)});
}

void RecordGraphOrientation(std::string_view fileName)
{
    const int k = GraphType(fileName);
    auto lines = ReadTextLines(kGraphTypesFile);
    lines.resize(std::max<std::size_t>(lines.size(), 15), "L");
    lines.resize(15);
    lines[k - 1] = (PrinterAvailable && !PrinterLandscape) ? "P" : "L";
    WriteTextLines(kGraphTypesFile, lines);
}

ViewerSize SizeViewerForGraph(std::string_view fileName)
{
    const int k = GraphType(fileName);
    const auto lines = ReadTextLines(kGraphTypesFile);
    const bool landscape = LineOrEmpty(lines, k - 1) == "L";
    ViewerSize s = landscape ? ViewerSize {660, 510} : ViewerSize {450, 680};
    if (ScreenAspect > 0.62L && ScreenAspect < 0.63L)
        s.width = landscape ? 755 : 525;
    return s;
}

void UpdateRunLog(long double todayJD)
{
    std::vector<std::string> counter =
        TryReadTextLines(kRunCounterFile).value_or(std::vector<std::string> {"2451545", "2451545", "1"});
    const std::string latest = Bounded(LineOrEmpty(counter, 1), 10);
    const long long count = IntegerOr(counter, 2, 0);
    const std::string today = FixedDigits(7, todayJD);
    WriteTextLines(kRunCounterFile, {latest, today, std::to_string(count + 1)});

    std::vector<std::string> history = TryReadTextLines(kRunHistoryFile).value_or(std::vector<std::string> {});
    history.push_back(today);
    WriteTextLines(kRunHistoryFile, history);
}

std::vector<std::string> RunDates()
{
    std::vector<std::string> dates;
    for (const auto& line : TryReadTextLines(kRunHistoryFile).value_or(std::vector<std::string> {})) {
        auto jd = ParseFixedReal(TrimBlanks(line));
        if (!jd)
            continue;
        // The log keeps the 0h Julian day without its ".5" (noon of the day
        // before); the half day brings the date back to the day of the run.
        dates.push_back(JDToText(*jd + 0.5L).substr(0, 10));
    }
    return dates;
}
