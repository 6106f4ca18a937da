#include "archive/Backup.h"

#include "platform/Cp1252.h"
#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "shell/DateTexts.h"
#include "shell/Settings.h"
#include "shell/SharedState.h"
#include "shell/Texts.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char* const kArchiveFiles[3] = {"BASE.ST1", "BASE.ST2", "BASE.ST3"};

std::optional<VolumeRoots> g_windowRoots;

// The program's texts are Windows-1252, the file system's names UTF-8.
fs::path FsPath(std::string_view cp1252)
{
    return fs::path(Cp1252::ToUtf8(cp1252));
}

std::string Shown(const fs::path& p)
{
    return Cp1252::FromUtf8(p.string());
}

// Resolves an absolute path without regard to letter case, as the program
// resolves its own files (a stick written by another system may spell
// "DatiBase" or "BASE.st1" differently).
fs::path ResolveAbsolute(const fs::path& p)
{
    return ProgramPath::Resolve(p.string());
}

std::string WithoutTrailingSlash(std::string s)
{
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

// The volume of a backup folder: what comes before its last component.
std::string VolumeOf(std::string_view folder)
{
    const std::string f = WithoutTrailingSlash(std::string(folder));
    const std::size_t slash = f.find_last_of('/');
    if (slash == std::string::npos || slash == 0)
        return "/";
    return f.substr(0, slash);
}

bool IsFolder(const fs::path& p)
{
    std::error_code ec;
    return fs::is_directory(p, ec);
}

std::string ReasonFor(int err)
{
    switch (err) {
    case ENOENT: return "file o cartella inesistente";
    case ENOSPC:
    case EDQUOT: return "spazio esaurito sull'unità";
    case EACCES:
    case EPERM: return "accesso negato";
    case EROFS: return "unità in sola lettura";
    case EISDIR: return "al suo posto c'è una cartella";
    case ENOTDIR: return "una parte del percorso non è una cartella";
    case EIO: return "errore del dispositivo";
    case ENODEV:
    case ENXIO: return "dispositivo non disponibile";
    case ENAMETOOLONG: return "nome troppo lungo";
    case EINVAL: return "nome non accettato dall'unità";
    case EEXIST: return "esiste già";
    default: return "errore di sistema " + std::to_string(err);
    }
}

// A step of a copy that did not succeed, in Italian: "lettura del file
// "/x/y" non riuscita (accesso negato)".
class CopyError {
public:
    CopyError(std::string action, const fs::path& file, std::string reason)
        : text_(std::move(action) + " \"" + Shown(file) + "\" non riuscita (" + std::move(reason) + ")")
    {
    }
    const std::string& Text() const { return text_; }

private:
    std::string text_;
};

fs::path TempBeside(const fs::path& target, const char* tag)
{
    static std::atomic<unsigned> counter {0};
    return target.parent_path() / ("." + target.filename().string() + "." + tag + std::to_string(getpid()) + "_" +
                                   std::to_string(counter++));
}

void SyncFolder(const fs::path& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Copies `from` to the new file `temp` (which stands for `target` in the
// messages), flushed to disk, with the source's modification time, and
// checks that the copy has the source's size.
void CopyToTemp(const fs::path& from, const fs::path& temp, const fs::path& target)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw CopyError("lettura del file", from, ReasonFor(errno));
    struct stat source {};
    if (::fstat(in, &source) != 0 || !S_ISREG(source.st_mode)) {
        ::close(in);
        throw CopyError("lettura del file", from, "non è un file");
    }
    const int out = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (out < 0) {
        const int err = errno;
        ::close(in);
        throw CopyError("scrittura del file", target, ReasonFor(err));
    }
    auto fail = [&](const char* action, const fs::path& file, int err) {
        ::close(in);
        ::close(out);
        throw CopyError(action, file, ReasonFor(err));
    };
    std::vector<char> buffer(1 << 16);
    long long copied = 0;
    for (;;) {
        const ssize_t n = ::read(in, buffer.data(), buffer.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("lettura del file", from, errno);
        }
        if (n == 0)
            break;
        ssize_t done = 0;
        while (done < n) {
            const ssize_t w = ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0) {
                if (errno == EINTR)
                    continue;
                fail("scrittura del file", target, errno);
            }
            done += w;
        }
        copied += n;
    }
    const struct timespec times[2] = {source.st_atim, source.st_mtim};
    ::futimens(out, times); // a volume that keeps no times is no reason to fail
    if (::fsync(out) != 0)
        fail("scrittura del file", target, errno);
    ::close(in);
    if (::close(out) != 0)
        throw CopyError("scrittura del file", target, ReasonFor(errno));
    struct stat written {};
    if (::stat(temp.c_str(), &written) != 0)
        throw CopyError("verifica della copia", target, ReasonFor(errno));
    if (written.st_size != source.st_size || copied != source.st_size)
        throw CopyError("verifica della copia", target,
                        "la copia ha " + std::to_string(written.st_size) + " byte, l'originale " +
                            std::to_string(source.st_size));
}

// A set of files copied all or nothing: Stage copies each to a temporary
// beside its target and checks it; Commit renames them into place, moving
// each file it replaces aside first, and if a rename fails puts every
// replaced file back. Temporaries left by a failure are removed.
class CopySet {
public:
    CopySet() = default;
    CopySet(const CopySet&) = delete;
    CopySet& operator=(const CopySet&) = delete;
    ~CopySet() { Discard(); }

    void Add(fs::path from, fs::path to) { items_.push_back({std::move(from), std::move(to), {}, {}, false}); }

    void Stage(const CopyObserver& observer)
    {
        for (Item& it : items_) {
            std::error_code ec;
            const fs::file_status st = fs::symlink_status(it.to, ec);
            if (fs::exists(st) && !fs::is_regular_file(st))
                throw CopyError("scrittura del file", it.to, ReasonFor(EISDIR));
            it.staged = TempBeside(it.to, "qbk");
            CopyToTemp(it.from, it.staged, it.to);
            if (observer)
                observer(Shown(it.to));
        }
    }

    void Commit()
    {
        std::set<fs::path> folders;
        for (Item& it : items_) {
            std::error_code ec;
            if (fs::exists(fs::symlink_status(it.to, ec))) {
                const fs::path previous = TempBeside(it.to, "old");
                if (::rename(it.to.c_str(), previous.c_str()) != 0)
                    Undo("sostituzione del file", it.to, errno);
                it.previous = previous;
            }
            if (::rename(it.staged.c_str(), it.to.c_str()) != 0)
                Undo("sostituzione del file", it.to, errno);
            it.staged.clear();
            it.placed = true;
            folders.insert(it.to.parent_path());
        }
        for (const fs::path& f : folders)
            SyncFolder(f);
        for (Item& it : items_) {
            if (!it.previous.empty())
                ::unlink(it.previous.c_str());
            it.previous.clear();
        }
    }

    // Removes the temporaries still standing.
    void Discard()
    {
        for (Item& it : items_) {
            if (!it.staged.empty())
                ::unlink(it.staged.c_str());
            it.staged.clear();
        }
    }

    // Set by a failed Commit that could not put a replaced file back.
    const std::string& UndoProblem() const { return undoProblem_; }

private:
    struct Item {
        fs::path from, to;
        fs::path staged;   // the checked copy, until it is renamed into place
        fs::path previous; // the file it replaces, moved aside during Commit
        bool placed;
    };

    [[noreturn]] void Undo(const char* action, const fs::path& file, int err)
    {
        const std::string reason = ReasonFor(err);
        for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
            if (!it->previous.empty()) {
                if (::rename(it->previous.c_str(), it->to.c_str()) == 0)
                    it->previous.clear();
                else if (undoProblem_.empty())
                    undoProblem_ = "Non è stato possibile rimettere al suo posto \"" + Shown(it->to) +
                                   "\": l'originale è in \"" + Shown(it->previous) + "\".";
            } else if (it->placed) {
                ::unlink(it->to.c_str());
            }
            it->placed = false;
        }
        throw CopyError(action, file, reason);
    }

    std::vector<Item> items_;
    std::string undoProblem_;
};

// The folders a copy creates, removed again (when still empty) if it fails.
class FolderMaker {
public:
    void Ensure(const fs::path& p)
    {
        std::error_code ec;
        if (fs::is_directory(p, ec))
            return;
        if (fs::exists(fs::symlink_status(p, ec)))
            throw CopyError("creazione della cartella", p, "esiste un file con lo stesso nome");
        if (::mkdir(p.c_str(), 0755) != 0)
            throw CopyError("creazione della cartella", p, ReasonFor(errno));
        created_.push_back(p);
    }

    void Undo()
    {
        for (auto it = created_.rbegin(); it != created_.rend(); ++it) {
            std::error_code ec;
            fs::remove(*it, ec);
        }
        created_.clear();
    }

private:
    std::vector<fs::path> created_;
};

// The visible regular files of a folder matching a pattern (hidden files
// are not part of the archive, and the temporaries of a copy are hidden).
std::vector<std::string> FilesIn(const fs::path& folder, std::string_view pattern)
{
    std::vector<std::string> names;
    for (const std::string& n : FileSystem::List(folder.string(), pattern)) {
        std::error_code ec;
        if (!n.starts_with(".") && fs::is_regular_file(folder / n, ec))
            names.push_back(n);
    }
    return names;
}

std::optional<std::string> FirstMissingArchiveFile(const fs::path& folder)
{
    for (const char* name : kArchiveFiles) {
        std::error_code ec;
        if (!fs::is_regular_file(ResolveAbsolute(folder / name), ec))
            return name;
    }
    return std::nullopt;
}

std::string Failure(const CopyError& e, const CopySet& set, const std::string& lead, const char* kept)
{
    std::string m = lead + "\n" + e.Text() + ".";
    if (set.UndoProblem().empty())
        m += std::string("\n") + kept;
    else
        m += "\n" + set.UndoProblem();
    return m;
}

} // namespace

VolumeRoots VolumeRoots::FromEnvironment()
{
    std::string user;
    std::string home;
    if (const char* u = std::getenv("USER"); u && *u)
        user = u;
    if (const char* h = std::getenv("HOME"); h && *h)
        home = h;
    if (user.empty() || home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid())) {
            if (user.empty() && pw->pw_name)
                user = pw->pw_name;
            if (home.empty() && pw->pw_dir)
                home = pw->pw_dir;
        }
    }
    VolumeRoots r;
    if (!user.empty()) {
        r.mountParents.push_back(fs::path("/media") / user);
        r.mountParents.push_back(fs::path("/run/media") / user);
    }
    r.mountParents.emplace_back("/mnt");
    r.home = home;
    return r;
}

std::vector<Volume> ListVolumes(const VolumeRoots& roots)
{
    std::vector<Volume> volumes;
    std::set<std::string> seen;
    auto add = [&](const fs::path& p, const char* suffix) {
        const std::string raw = WithoutTrailingSlash(p.lexically_normal().string());
        if (!IsFolder(raw) || ::access(raw.c_str(), R_OK | X_OK) != 0)
            return;
        const std::string text = Cp1252::FromUtf8(raw);
        if (Cp1252::ToUtf8(text) != raw) // no Windows-1252 spelling
            return;
        if (seen.insert(raw).second)
            volumes.push_back({text, text + suffix});
    };
    if (!roots.home.empty())
        add(roots.home, " (cartella personale)");
    std::vector<fs::path> mounted;
    for (const fs::path& parent : roots.mountParents) {
        std::error_code ec;
        for (fs::directory_iterator it(parent, ec), end; !ec && it != end; it.increment(ec))
            if (!it->path().filename().string().starts_with("."))
                mounted.push_back(it->path());
    }
    std::sort(mounted.begin(), mounted.end());
    for (const fs::path& p : mounted)
        add(p, "");
    return volumes;
}

VolumeRoots WindowVolumeRoots()
{
    return g_windowRoots ? *g_windowRoots : VolumeRoots::FromEnvironment();
}

void SetWindowVolumeRoots(std::optional<VolumeRoots> roots)
{
    g_windowRoots = std::move(roots);
}

std::vector<std::string> ListFolders(std::string_view folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(FsPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string n = it->path().filename().string();
        std::error_code ec2;
        if (!n.starts_with(".") && fs::is_directory(it->path(), ec2))
            names.push_back(Cp1252::FromUtf8(n));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string BackupFolderFor(std::string_view volume)
{
    std::string v = WithoutTrailingSlash(std::string(volume));
    if (v != "/")
        v += "/";
    return v + kBackupFolderName;
}

bool BackupFolderDefined(std::string_view folder)
{
    return !folder.empty() && folder.front() == '/';
}

std::string ChooseBackupVolume(std::string_view volume)
{
    const std::string folder = BackupFolderFor(volume);
    std::vector<std::string> lines = TryReadTextLines(kPrintSettingsFile).value_or(std::vector<std::string> {});
    lines.resize(8);
    lines[5] = folder;
    WriteTextLines(kPrintSettingsFile, lines);
    PrintSettings.BackupFolder = folder;
    return folder;
}

std::string LastBackupDate()
{
    const auto lines = TryReadTextLines(kBackupDateFile);
    if (!lines || lines->empty() || TrimBlanks((*lines)[0]).empty())
        return "Mai";
    return (*lines)[0];
}

BackupResult RunBackup(std::string_view backupFolder, const CopyObserver& observer)
{
    if (!BackupFolderDefined(backupFolder))
        return {BackupOutcome::NotDefined, "Necessario definire l'Unità di backup"};
    const std::string volume = VolumeOf(backupFolder);
    if (!IsFolder(FsPath(volume)))
        return {BackupOutcome::Unavailable, "L'Unità " + volume + " non è disponibile"};
    const fs::path program = ProgramPath::Root();
    if (auto missing = FirstMissingArchiveFile(program))
        return {BackupOutcome::Failed, "Manca il file " + *missing + " dell'archivio BASE: backup non eseguito."};

    FolderMaker folders;
    CopySet copies;
    try {
        const fs::path dest = ResolveAbsolute(FsPath(WithoutTrailingSlash(std::string(backupFolder))));
        const fs::path archiveDest = ResolveAbsolute(dest / kBackupArchiveFolder);
        const fs::path textDest = ResolveAbsolute(dest / kBackupTextFolder);
        folders.Ensure(dest);
        folders.Ensure(archiveDest);
        folders.Ensure(textDest);
        if (ProgramPath::Exists(kBackupDateFile)) {
            const fs::path date = ProgramPath::Resolve(kBackupDateFile);
            copies.Add(date, ResolveAbsolute(dest / date.filename()));
        }
        for (const std::string& name : FilesIn(program, "BASE.ST*"))
            copies.Add(program / name, ResolveAbsolute(archiveDest / name));
        const fs::path texts = ProgramPath::Resolve(kBackupTextFolder);
        for (const std::string& name : FilesIn(texts, "*"))
            copies.Add(texts / name, ResolveAbsolute(textDest / name));
        copies.Stage(observer);
        copies.Commit();
    } catch (const CopyError& e) {
        copies.Discard();
        folders.Undo();
        if (!IsFolder(FsPath(volume)))
            return {BackupOutcome::Failed, "L'Unità " + volume + " non è più disponibile: backup non eseguito.\n" +
                                               e.Text() + ".\nI dati del programma non sono stati toccati."};
        return {BackupOutcome::Failed,
                Failure(e, copies, "Backup non eseguito.", "La copia di backup è rimasta com'era.")};
    }
    WriteTextLines(kBackupDateFile, {TodayText()});
    return {};
}

BackupResult CheckRestoreSource(std::string_view backupFolder)
{
    if (!BackupFolderDefined(backupFolder))
        return {BackupOutcome::NotDefined, "Necessario definire l'Unità di backup"};
    const fs::path source = ResolveAbsolute(FsPath(WithoutTrailingSlash(std::string(backupFolder))));
    if (!IsFolder(source))
        return {BackupOutcome::Unavailable, "La sorgente " + std::string(backupFolder) + " non è disponibile"};
    const fs::path archiveSource = ResolveAbsolute(source / kBackupArchiveFolder);
    if (auto missing = FirstMissingArchiveFile(archiveSource))
        return {BackupOutcome::Failed, "La sorgente " + std::string(backupFolder) +
                                           " non contiene l'archivio BASE completo (manca " +
                                           Shown(archiveSource / *missing) + "): ripristino non eseguito."};
    return {};
}

BackupResult RunRestore(std::string_view backupFolder, const CopyObserver& observer)
{
    if (BackupResult refused = CheckRestoreSource(backupFolder); refused.outcome != BackupOutcome::Done)
        return refused;
    const fs::path source = ResolveAbsolute(FsPath(WithoutTrailingSlash(std::string(backupFolder))));
    const fs::path archiveSource = ResolveAbsolute(source / kBackupArchiveFolder);

    FolderMaker folders;
    CopySet copies;
    try {
        for (const std::string& name : FilesIn(archiveSource, "BASE.ST*"))
            copies.Add(archiveSource / name, ProgramPath::Resolve(name));
        const fs::path texts = ProgramPath::Resolve(kBackupTextFolder);
        folders.Ensure(texts);
        const fs::path textSource = ResolveAbsolute(source / kBackupTextFolder);
        for (const std::string& name : FilesIn(textSource, "*"))
            copies.Add(textSource / name, ResolveAbsolute(texts / name));
        copies.Stage(observer);
        copies.Commit();
    } catch (const CopyError& e) {
        copies.Discard();
        folders.Undo();
        if (!IsFolder(source))
            return {BackupOutcome::Failed, "La sorgente " + std::string(backupFolder) +
                                               " non è più disponibile: ripristino non eseguito.\n" + e.Text() +
                                               ".\nI dati attuali sono rimasti com'erano."};
        return {BackupOutcome::Failed,
                Failure(e, copies, "Ripristino non eseguito.", "I dati attuali sono rimasti com'erano.")};
    }
    return {};
}
