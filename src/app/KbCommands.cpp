#include "app/KbCommands.h"

#include "app/ToolCommands.h"
#include "kb/KbImport.h"
#include "kb/KbRebuild.h"
#include "kb/KbRecords.h"
#include "kb/MultipleSearch.h"
#include "kb/RemedySearch.h"
#include "kb/SymptomSearch.h"
#include "platform/Cp1252.h"
#include "platform/RecordFile.h"
#include "platform/TextFile.h"

#include <filesystem>

const char* const kKbUsage =
    "kb import CARTELLA                importa i testi sorgente della base di conoscenza\n"
    "                                    (Rimedi.txt, Repertorio.txt, Piante.txt, ElePiante.txt,\n"
    "                                    Principi.txt) in OpzioneH e OpzioneS\n"
    "  kb rebuild                        ricostruisce gli archivi di appoggio (Ricostruisci File)\n"
    "  kb multi SINTOMO...               i rimedi per i sintomi scelti (al massimo 15), come nella\n"
    "                                    finestra Sintomi Multipli: numero di sintomi e rimedio\n"
    "  kb symptom TESTO                  i rimedi del sintomo, pagina per pagina, come nella finestra Sintomi\n"
    "  kb remedy NOME                    i sintomi del rimedio, pagina per pagina, come nella finestra Rimedi";

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

// The ranking of the multiple-symptom window for the given symptoms: the
// tally and the remedy, tab-separated, highest tally first.
int Multi(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("kb multi: indicare almeno un sintomo");
    if (args.size() > kCriteriaCount)
        return ToolUsage("kb multi: al massimo " + std::to_string(kCriteriaCount) + " sintomi");
    std::vector<std::string> criteria;
    for (const std::string& a : args)
        criteria.push_back(Cp1252::FromUtf8(a));
    criteria.resize(kCriteriaCount);
    for (const RankedRemedy& r : MultipleSymptomSearch(criteria)) {
        const std::string item = RankedItemText(r);
        const std::size_t blank = item.find(' ');
        ToolPrint(item.substr(0, blank) + "\t" + r.name);
    }
    return 0;
}

std::string JoinedArgument(const std::vector<std::string>& args)
{
    std::string text;
    for (const std::string& a : args)
        text += (text.empty() ? "" : " ") + Cp1252::FromUtf8(a);
    return text;
}

// Every page of the result list as the window shows it, one row a line:
// "Pagina" and the page indicator, then the four boxes of each row.
template <class C>
void PrintPages(C& consultation)
{
    for (;;) {
        const ConsultationView& v = consultation.View();
        ToolPrint("Pagina\t" + v.indicator.text);
        for (const ConsultationRow& row : v.rows)
            ToolPrint(row.name + "\t" + row.planets + "\t" + row.signs + "\t" + row.fourth);
        if (!consultation.Pages().CanNext())
            break;
        consultation.NextPage();
    }
}

int Symptom(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("kb symptom: indicare il sintomo");
    const std::string symptom = JoinedArgument(args);
    SymptomConsultation c;
    c.Search(symptom);
    if (c.Pages().Found() == 0)
        return ToolFailure("kb symptom: nessun rimedio per il sintomo \"" + symptom + "\"");
    ToolPrint("Sintomo\t" + c.View().heading);
    PrintPages(c);
    return 0;
}

int Remedy(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("kb remedy: indicare il rimedio");
    const std::string name = JoinedArgument(args);
    RemedyConsultation c;
    c.Search(name);
    if (c.Pages().Found() == 0)
        return ToolFailure("kb remedy: nessun rimedio \"" + name + "\" nel Database Primario");
    ToolPrint("Rimedio\t" + c.View().heading);
    ToolPrint("Tipo\t" + c.Caption());
    ToolPrint("Avvertenze\t" + c.Warnings());
    ToolPrint("Sintesi Psichica\t" + c.View().note.text);
    if (c.UseNumberNote())
        ToolPrint(std::string("Nota\t") + kUseNumberNote);
    PrintPages(c);
    return 0;
}

} // namespace

int RunKbCommand(const std::vector<std::string>& args)
{
    if (args.empty())
        return ToolUsage("kb: manca il sottocomando (import, rebuild, symptom, remedy, multi)");
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "import")
        return Import(rest);
    if (args[0] == "rebuild")
        return Rebuild(rest);
    if (args[0] == "multi")
        return Multi(rest);
    if (args[0] == "symptom")
        return Symptom(rest);
    if (args[0] == "remedy")
        return Remedy(rest);
    return ToolUsage("kb: sottocomando sconosciuto: " + Cp1252::FromUtf8(args[0]));
}
