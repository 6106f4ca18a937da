// quillon-tool: the program's functions without a screen, on a program
// folder given with --program-folder DIR (default: the current directory).
#include "app/ToolCommands.h"
#include "platform/Cp1252.h"
#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "platform/ProgramPath.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

void PrintHelp(FILE* out)
{
    std::string text =
        "Uso: quillon-tool [--program-folder CARTELLA] COMANDO [ARGOMENTI]\n"
        "\n"
        "Esegue le funzioni di Quillon senza finestre, sulla cartella del programma\n"
        "indicata (predefinita: la cartella corrente).\n"
        "\n"
        "Opzioni:\n"
        "  --program-folder CARTELLA  cartella del programma su cui lavorare\n"
        "  --help                     mostra questo aiuto\n"
        "\n"
        "Comandi:\n";
    if (ToolCommands().empty())
        text += "  (nessun comando disponibile in questa versione)\n";
    for (const ToolCommand& c : ToolCommands())
        text += std::string("  ") + c.usage + "\n";
    std::fputs(Cp1252::ToUtf8(text).c_str(), out);
}

int Fail(const std::string& message)
{
    std::fprintf(stderr, "quillon-tool: %s\n", Cp1252::ToUtf8(message).c_str());
    std::fprintf(stderr, "%s\n", Cp1252::ToUtf8("Usare --help per l'elenco dei comandi.").c_str());
    return kUsageError;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder = ".";
    std::vector<std::string> rest;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            PrintHelp(stdout);
            return 0;
        }
        if (a == "--program-folder") {
            if (i + 1 >= argc)
                return Fail("manca la cartella dopo --program-folder");
            folder = argv[++i];
        } else if (a.rfind("--program-folder=", 0) == 0) {
            folder = a.substr(std::strlen("--program-folder="));
        } else if (rest.empty() && a.rfind("-", 0) == 0) {
            return Fail("opzione sconosciuta: " + Cp1252::FromUtf8(a));
        } else {
            rest.push_back(a);
        }
    }
    if (rest.empty())
        return Fail("nessun comando indicato");

    const ToolCommand* command = nullptr;
    for (const ToolCommand& c : ToolCommands())
        if (rest[0] == c.name)
            command = &c;
    if (!command)
        return Fail("comando sconosciuto: " + Cp1252::FromUtf8(rest[0]));

    std::error_code ec;
    if (!ProgramFolder::IsProgramFolder(folder)) {
        std::fprintf(stderr, "quillon-tool: %s\n",
                     Cp1252::ToUtf8("\"" + folder + "\" non è una cartella del programma (manca FileSet)").c_str());
        return 1;
    }
    ProgramPath::SetRoot(std::filesystem::absolute(folder, ec));
    try {
        return command->run(std::vector<std::string>(rest.begin() + 1, rest.end()));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quillon-tool: %s\n", Cp1252::ToUtf8(ErrorMessageFor(e)).c_str());
        return 1;
    }
}
