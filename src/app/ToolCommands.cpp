#include "app/ToolCommands.h"

#include "app/ArchiveCommands.h"

const std::vector<ToolCommand>& ToolCommands()
{
    static const std::vector<ToolCommand> commands = {
        {"archive", kArchiveUsage, RunArchiveCommand},
    };
    return commands;
}
