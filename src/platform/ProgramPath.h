#pragma once
// Names of the files under the program folder.
//
// The program addresses its files by Windows-style relative names
// ("FileSet\MMVarLas.stt"). Resolve maps "\" to "/" and matches each
// component against what exists without regard to letter case, since the
// same file is spelled differently in different places. A component that
// does not exist keeps the writer's spelling, so a new file is created as
// its writer names it. Absolute names are resolved the same way from "/".
#include <filesystem>
#include <string>
#include <string_view>

namespace ProgramPath {

// The program folder; relative names are resolved against it. Defaults to
// the process's current directory at the first call.
void SetRoot(const std::filesystem::path& root);
const std::filesystem::path& Root();

std::filesystem::path Resolve(std::string_view name);
bool Exists(std::string_view name);

// Creates the folders leading to a file name (the file itself excluded).
void EnsureParentFolders(std::string_view name);

} // namespace ProgramPath
