#pragma once
// Commands of quillon-tool. Each subsystem adds its commands to the table;
// a command receives its own arguments (after the command word) and returns
// the exit status. Output goes to stdout in UTF-8; messages in Italian.
#include <string>
#include <vector>

struct ToolCommand {
    const char* name;     // first word on the command line
    const char* usage;    // one line of the help text
    int (*run)(const std::vector<std::string>& args);
};

const std::vector<ToolCommand>& ToolCommands();

// Exit status for bad usage (unknown command, bad option, missing argument).
inline constexpr int kUsageError = 2;
