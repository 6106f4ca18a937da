// Builds the embedded default program folder (the template a first start
// copies) from the authored sources under data/.
// Usage: mkprogram DATA_DIR OUTPUT_DIR
//
// - data/program/**: text files, authored in UTF-8 with LF line ends,
//   written as Windows-1252 with CR LF under the same relative names;
// - the settings files, written by the program's own writers with their
//   defaults (print settings, orb set A with the chart settings, orb sets B
//   and C);
// - data/sample/subject.txt: the sample current subject, written as TMPR
//   record 0 with its annotation line.
#include "archive/SubjectRecord.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramPath.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"
#include "shell/OrbSettings.h"
#include "shell/Settings.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace fs = std::filesystem;

namespace {

std::string ReadUtf8(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    if (!in)
        throw IoError(p.string(), "lettura");
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void CopyTexts(const fs::path& from)
{
    if (!fs::exists(from))
        return;
    for (const auto& e : fs::recursive_directory_iterator(from)) {
        if (!e.is_regular_file())
            continue;
        const std::string rel = fs::relative(e.path(), from).generic_string();
        WriteTextLines(rel, SplitTextLines(Cp1252::FromUtf8(ReadUtf8(e.path()))));
    }
}

std::map<std::string, std::string> ReadKeyValues(const fs::path& p)
{
    std::map<std::string, std::string> kv;
    for (const std::string& line : SplitTextLines(Cp1252::FromUtf8(ReadUtf8(p)))) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        kv[TrimBlanks(line.substr(0, eq))] = TrimBlanks(line.substr(eq + 1));
    }
    return kv;
}

void WriteSampleSubject(const fs::path& source)
{
    auto kv = ReadKeyValues(source);
    SubjectRecord r;
    r.DateKey = kv["DateKey"];
    std::string coords = kv["Coordinates"];
    coords.resize(12, ' ');
    r.CoordPlace = coords + PlaceDisplay(kv["Place"]);
    r.Calendar = kv["Calendar"];
    r.Nationality = kv["Nationality"];
    r.Header21 = kv["Header21"];
    r.Header12 = kv["Header12"];
    r.ChartCode72 = r.ChartCode60 = r.ChartCode124 = " ";
    r.NoteRef = "00000";
    RecordFile("TMPR.ST1", kSt1Size).Replace({EncodeNameOnly(kv["Name"])});
    RecordFile("TMPR.ST2", kSt2Size).Replace({EncodeSubject(r)});
    WriteTextLines("FileDum\\Annotaz.dum", {kv["Notes"]});
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "uso: mkprogram CARTELLA_DATI CARTELLA_USCITA\n");
        return 2;
    }
    try {
        const fs::path data = argv[1];
        const fs::path out = argv[2];
        // The other generators (atlas, time regimes, symbols) write beside
        // this one into the same folder: only our own files are rewritten.
        fs::create_directories(out);
        ProgramPath::SetRoot(out);
        for (const char* folder : {"FileSet", "FileDum", "FileTmp", "OpzioneT", "Emf"})
            fs::create_directories(out / folder);

        CopyTexts(data / "program");

        PrintSettings = PrintSettingsState {};
        PrintSettings.BackupFolder = "Da definire";
        WritePrintSettings();

        HouseSystemSetting = "PLACIDO";
        NodeKind = "MEDIO";
        BlackMoonMode = "MEDIA";
        OrbValues orbs = DefaultOrbValues();
        orbs.letter = "A";
        WriteAdoptedSet(orbs, "A");
        WriteOrbValues(orbs);

        WriteSampleSubject(data / "sample" / "subject.txt");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mkprogram: %s\n", Cp1252::ToUtf8(e.what()).c_str());
        return 1;
    }
    return 0;
}
