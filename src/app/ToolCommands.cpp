#include "app/ToolCommands.h"

#include "app/ArchiveCommands.h"
#include "app/AtlasCommands.h"
#include "app/ChartCommand.h"
#include "app/ExportCommand.h"
#include "app/KbCommands.h"
#include "app/RegimeCommand.h"
#include "platform/Cp1252.h"

#include <cstdio>

const std::vector<ToolCommand>& ToolCommands()
{
    static const std::vector<ToolCommand> commands = {
        {"archive", kArchiveUsage, RunArchiveCommand},
        {"atlas", kAtlasUsage, RunAtlasCommand},
        {"chart", kChartUsage, RunChartCommand},
        {"export", kExportUsage, RunExportCommand},
        {"kb", kKbUsage, RunKbCommand},
        {"regime", kRegimeUsage, RunRegimeCommand},
    };
    return commands;
}

void ToolPrint(const std::string& line)
{
    std::fputs(Cp1252::ToUtf8(line + "\n").c_str(), stdout);
}

void ToolMessage(const std::string& text)
{
    std::fprintf(stderr, "quillon-tool: %s\n", Cp1252::ToUtf8(text).c_str());
}

int ToolUsage(const std::string& text)
{
    ToolMessage(text);
    std::fputs(Cp1252::ToUtf8("Usare --help per l'elenco dei comandi.\n").c_str(), stderr);
    return kUsageError;
}

int ToolFailure(const std::string& text)
{
    ToolMessage(text);
    return kDataError;
}
