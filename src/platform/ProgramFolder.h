#pragma once
// Choice of the program folder at start-up.
//
// If the current directory is a program folder (it holds "FileSet"), it is
// used as it is. Otherwise the per-user folder $XDG_DATA_HOME/quillon
// (default ~/.local/share/quillon) is used: created on first start as a copy
// of the template, and at every start given the template's files it lacks
// (data added by a newer build), never overwriting a file the user has.
// The template folder itself is never chosen, so a running program never
// writes into it.
#include <filesystem>
#include <optional>

namespace ProgramFolder {

bool IsProgramFolder(const std::filesystem::path& dir);

std::filesystem::path PerUserFolder(const char* xdgDataHome, const char* home);

// The template beside the executable: <exeDir>/program in the build tree,
// <exeDir>/../share/quillon/program under an install prefix.
std::optional<std::filesystem::path> FindTemplate(const std::filesystem::path& exeDir);

// Returns the folder to use; throws IoError when the per-user folder cannot
// be prepared.
std::filesystem::path Choose(const std::filesystem::path& currentDir, const std::filesystem::path& exeDir,
                             const char* xdgDataHome, const char* home);

} // namespace ProgramFolder
