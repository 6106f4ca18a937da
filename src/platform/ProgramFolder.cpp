#include "platform/ProgramFolder.h"

#include "platform/Errors.h"
#include "platform/FileSystem.h"

#include <unistd.h>

namespace fs = std::filesystem;

namespace ProgramFolder {

bool IsProgramFolder(const fs::path& dir)
{
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        std::string n = it->path().filename().string();
        for (char& c : n)
            if (c >= 'a' && c <= 'z')
                c -= 32;
        if (n == "FILESET" && it->is_directory(ec))
            return true;
    }
    return false;
}

fs::path PerUserFolder(const char* xdgDataHome, const char* home)
{
    if (xdgDataHome && *xdgDataHome && fs::path(xdgDataHome).is_absolute())
        return fs::path(xdgDataHome) / "quillon";
    return fs::path(home && *home ? home : "/tmp") / ".local" / "share" / "quillon";
}

std::optional<fs::path> FindTemplate(const fs::path& exeDir)
{
    for (const fs::path& p : {exeDir / "program", exeDir / ".." / "share" / "quillon" / "program"}) {
        if (IsProgramFolder(p))
            return fs::weakly_canonical(p);
    }
    return std::nullopt;
}

fs::path Choose(const fs::path& currentDir, const fs::path& exeDir, const char* xdgDataHome, const char* home)
{
    const auto templ = FindTemplate(exeDir);
    std::error_code ec;
    const bool cwdIsTemplate = templ && fs::equivalent(*templ, currentDir, ec);
    if (IsProgramFolder(currentDir) && !cwdIsTemplate)
        return currentDir;

    const fs::path user = PerUserFolder(xdgDataHome, home);
    if (!templ) {
        if (IsProgramFolder(user))
            return user;
        throw IoError(user.string(), "creazione", "modello della cartella del programma non trovato");
    }
    if (!fs::exists(user, ec)) {
        // First start: build the copy beside its final place, then rename,
        // so an interrupted copy never looks like a program folder.
        fs::create_directories(user.parent_path(), ec);
        const fs::path temp = user.parent_path() / (".quillon-new-" + std::to_string(getpid()));
        fs::remove_all(temp, ec);
        FileSystem::CopyTreeKeepingExisting(*templ, temp);
        fs::rename(temp, user, ec);
        if (ec) {
            fs::remove_all(temp, ec);
            throw IoError(user.string(), "creazione", ec.message());
        }
    } else {
        FileSystem::CopyTreeKeepingExisting(*templ, user);
    }
    return user;
}

} // namespace ProgramFolder
