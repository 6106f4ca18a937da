#pragma once
// Backup and restore of the personal archive BASE (BASE.ST1, BASE.ST2,
// BASE.ST3) and of its text folder BASEtxt.
//
// The backup folder is <volume>/ZarvekinBck, where a volume is one of the
// places a desktop user can copy to: the mounted volumes under
// /media/$USER, /run/media/$USER and /mnt, and the home folder. Inside it,
// "DatiBase" holds the archive files, "BASEtxt" the text files, and the
// folder itself a copy of FileDum\MMbakMod1.dum. The chosen folder is line 6
// of FileSet\MMVarLas.stt (PrintSettings.BackupFolder).
//
// The copies are made here, in the process, and made safely: every file is
// first copied to a temporary file beside its target, flushed and checked
// against the size of its source; only when every file of the set is
// staged are they renamed into place, and a rename that fails puts back
// what had been replaced. So a backup or a restore either replaces the
// whole set or leaves the destination exactly as it was, and restore never
// leaves a mix of old and new archive files.
//
// Texts (folder names, messages) are Windows-1252 like the rest of the
// program; the file system's names are UTF-8 and are converted at the edge.
// A volume whose path has no Windows-1252 spelling is not offered.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr const char* kBackupPlaceholder = "?:\\ZarvekinBck";
inline constexpr const char* kBackupFolderName = "ZarvekinBck";
inline constexpr const char* kBackupDateFile = "FileDum\\MMbakMod1.dum"; // one line, dd/mm/yyyy
inline constexpr const char* kBackupArchiveFolder = "DatiBase";
inline constexpr const char* kBackupTextFolder = "BASEtxt";

// Where the volumes are looked for.
struct VolumeRoots {
    std::vector<std::filesystem::path> mountParents; // each sub-folder of these is a volume
    std::filesystem::path home;                      // offered as a volume too (empty: none)

    // /media/$USER, /run/media/$USER, /mnt and $HOME (user and home from the
    // password database when the variables are not set).
    static VolumeRoots FromEnvironment();
};

struct Volume {
    std::string path;  // absolute folder, Windows-1252
    std::string label; // text of the drive list
};

// The home folder first, then the mounted volumes by path; hidden entries
// and folders that are not readable are left out.
std::vector<Volume> ListVolumes(const VolumeRoots& roots);

// The roots the backup window lists: the environment's unless replaced
// (tests point them at a fake tree; nullopt restores the environment).
VolumeRoots WindowVolumeRoots();
void SetWindowVolumeRoots(std::optional<VolumeRoots> roots);

// Names of the visible sub-folders of a folder, sorted (for the folder list
// of the window); empty when it cannot be read.
std::vector<std::string> ListFolders(std::string_view folder);

// volume + "/ZarvekinBck".
std::string BackupFolderFor(std::string_view volume);
// True when the folder names a real place (an absolute path), false for the
// placeholder, "Da definire" and names of another system.
bool BackupFolderDefined(std::string_view folder);

// Adopts <volume>/ZarvekinBck: PrintSettings.BackupFolder takes it and
// MMVarLas.stt is rewritten with it as line 6, its other lines as they were.
// Returns the folder. Throws IoError when the settings cannot be written.
std::string ChooseBackupVolume(std::string_view volume);

// The date of the last backup, or "Mai" when none is recorded.
std::string LastBackupDate();

enum class BackupOutcome {
    Done,       // every file copied and checked (restore: the source may be restored)
    NotDefined, // no volume chosen yet
    Unavailable,// the volume (backup) or the backup folder (restore) is missing
    Declined,   // restore answered No (the window's question)
    Failed,     // a file could not be copied; the destination is as it was
};

// What a backup or a restore did, and the Italian text to tell the user:
// empty when it was done; an information for NotDefined and Unavailable,
// an error for Failed (IsError).
struct BackupResult {
    BackupOutcome outcome = BackupOutcome::Done;
    std::string message;
    bool IsError() const { return outcome == BackupOutcome::Failed; }
};

// Called after each file has been staged, with its destination; the
// windows pass nothing (tests use it to pull a volume away half-way).
using CopyObserver = std::function<void(const std::string& destination)>;

// Copies the date file, BASE.ST* and BASEtxt\* into the backup folder,
// creating it and its sub-folders when missing; on success the date file
// gets today's date.
BackupResult RunBackup(std::string_view backupFolder, const CopyObserver& observer = {});

// The question a restore asks before it replaces anything.
inline constexpr const char* kRestoreQuestion = "SOSTITUIRE i dati attuali con una COPIA?";

// What restore checks before the question: a folder chosen, there, and
// holding the three archive files. Done when the question may be asked.
BackupResult CheckRestoreSource(std::string_view backupFolder);
// Copies DatiBase\BASE.ST* and BASEtxt\* of the backup folder back into the
// program folder, once the user has agreed (the checks are made again).
BackupResult RunRestore(std::string_view backupFolder, const CopyObserver& observer = {});
