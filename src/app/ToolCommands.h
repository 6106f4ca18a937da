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
// Exit status for bad data or a failed operation.
inline constexpr int kDataError = 1;

// Output of the commands: a Windows-1252 line to stdout in UTF-8; an
// Italian message to stderr; a usage message (returns kUsageError); a
// failure message (returns kDataError).
void ToolPrint(const std::string& line);
void ToolMessage(const std::string& text);
int ToolUsage(const std::string& text);
int ToolFailure(const std::string& text);
