#include "app/KbCommands.h"

#include "app/ToolCommands.h"
#include "kb/KbImport.h"
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "platform/Cp1252.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"

#include <filesystem>

const char* const kKbUsage =
    "kb import CARTELLA                importa i testi sorgente della base di conoscenza\n"
    "                                    (Rimedi.txt, Repertorio.txt, Piante.txt, ElePiante.txt,\n"
    "                                    Principi.txt) in OpzioneH e OpzioneS\n"
    "  kb rebuild                        ricostruisce gli archivi di appoggio (Ricostruisci File)";

namespace {

void PrintRecords(const char* name, std::size_t recordSize)
{
    ToolPrint(std::string(name) + "\t" + std::to_string(RecordFile(name, recordSize).Count()) + " record");
}

void PrintLines(const std::string& name)
{
    ToolPrint(name + "\t" + std::to_string(ReadTextLines(name).size()) + " righe");
}

int Import(const std::vector<std::string>& args)
{
    if (args.size() != 1)
        return ToolUsage("kb import: indicare la cartella dei testi sorgente");
    std::error_code ec;
    const std::filesystem::path folder = std::filesystem::absolute(args[0], ec);
    for (const std::string& w : ImportKb(folder))
        ToolMessage("avviso: " + w);
    PrintRecords(kPrimaryFile, kRemedyRecordSize);
    PrintRecords(kRepertoryFile, kRepertoryRecordSize);
    PrintRecords(kPlantTableFile, kPlantTableRecordSize);
    PrintRecords(kPlantSymptomFile, kPlantSymptomRecordSize);
    PrintRecords(kPlantNameFile, kPlantNameRecordSize);
    PrintLines(kPrinciplesTextFile);
    return 0;
}

int Rebuild(const std::vector<std::string>& args)
{
    if (!args.empty())
        return ToolUsage("kb rebuild: nessun argomento previsto");
    RebuildKb();
    PrintLines(kSymptomListFile);
    PrintLines(kNameListFile);
    PrintLines(kDisplayListFile);
    for (const auto* files : {&PlanetFiles(), &SignFiles()})
        for (const SignatureFile& f : *files) {
            const std::string name = std::string("OpzioneH\\") + f.stem + ".rnd";
            PrintRecords(name.c_str(), kRemedyNameRecordSize);
        }
    PrintLines(kPathologyListFile);
    return 0;
}

} // namespace

int RunKbCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("kb: manca il sottocomando (import, rebuild)");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "import")
        return Import(rest);
    if (args[0] == "rebuild")
        return Rebuild(rest);
    return ToolUsage("kb: sottocomando sconosciuto: " + Cp1252::FromUtf8(args[0]));
}
