// Backup and restore of BASE and its texts on a fake volume under a
// temporary folder: the round trip, the refusals, and failures half-way
// that must leave the destination exactly as it was.
#include "archive/Backup.h"
#include "platform/Dialogs.h"
#include "shell/DateTexts.h"
#include "shell/SharedState.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

namespace fs = std::filesystem;

namespace {

// Every entry under a folder: relative path -> bytes ("<dir>" for folders),
// hidden files included, so a temporary left behind shows up too.
std::map<std::string, std::string> Snapshot(const fs::path& root)
{
    std::map<std::string, std::string> out;
    if (!fs::exists(root))
        return out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        const std::string rel = fs::relative(e.path(), root).string();
        if (e.is_directory()) {
            out[rel] = "<dir>";
        } else {
            std::ifstream in(e.path(), std::ios::binary);
            out[rel] = std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        }
    }
    return out;
}

void Write(const fs::path& p, std::string_view bytes)
{
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string Read(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

const std::string kSettings = "1\r\n0\r\n0\r\n1\r\n 1.50000000000000E+0000\r\nDa definire\r\n 1.00000000000000E+0000\r\n"
                              " 1.00000000000000E+0000\r\n";

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Put("FileSet/MMVarLas.stt", kSettings);
        dir.Put("FileDum/MMbakMod1.dum", "03/02/2021\r\n");
        dir.Put("BASE.ST1", std::string("idx\0\xE0\r\n", 7));
        dir.Put("BASE.ST2", std::string(385 * 2, '\x8A'));
        dir.Put("BASE.st3", "annotazioni");
        dir.Put("BASEtxt/FlagTxt.set", "1\r\n");
        dir.Put("BASEtxt/00001.txt", "testo uno\r\n");
        dir.Put("BASEtxt/00002.txt", "testo due\r\n");
        dir.Put("TMPR.ST1", "non fa parte del backup");
        volume = dir.Path() / "volumi" / "USB";
        fs::create_directories(volume);
        folder = BackupFolderFor(volume.string());
    }

    fs::path Program(const char* name) const { return dir.Path() / name; }
    fs::path Bck(const std::string& rel) const { return fs::path(folder) / rel; }
    // The program's own files that backup and restore touch.
    std::map<std::string, std::string> ProgramFiles() const
    {
        auto all = Snapshot(dir.Path());
        std::erase_if(all, [](const auto& kv) { return kv.first.starts_with("volumi"); });
        return all;
    }
    TempFolder dir;
    // The logic shows no dialog: every test ends with none recorded.
    Dialogs::Script script;
    void TearDown() override { EXPECT_TRUE(script.Messages().empty()) << script.Texts().front(); }
    fs::path volume;
    std::string folder;
};

TEST_F(BackupTest, RoundTripOfBaseAndItsTexts)
{
    const auto original = ProgramFiles();
    const BackupResult backup = RunBackup(folder);
    ASSERT_EQ(backup.outcome, BackupOutcome::Done) << backup.message;
    EXPECT_EQ(backup.message, "");
    EXPECT_EQ(Read(Bck("DatiBase/BASE.ST1")), original.at("BASE.ST1"));
    EXPECT_EQ(Read(Bck("DatiBase/BASE.ST2")), original.at("BASE.ST2"));
    EXPECT_EQ(Read(Bck("DatiBase/BASE.st3")), original.at("BASE.st3"));
    EXPECT_EQ(Read(Bck("BASEtxt/FlagTxt.set")), "1\r\n");
    EXPECT_EQ(Read(Bck("BASEtxt/00002.txt")), "testo due\r\n");
    EXPECT_FALSE(fs::exists(Bck("DatiBase/TMPR.ST1")));
    // The copy of the date file is taken before today's date is recorded.
    EXPECT_EQ(Read(Bck("MMbakMod1.dum")), "03/02/2021\r\n");
    EXPECT_EQ(dir.Get("FileDum/MMbakMod1.dum"), TodayText() + "\r\n");
    EXPECT_EQ(LastBackupDate(), TodayText());
    EXPECT_EQ(Snapshot(fs::path(folder)).size(), 9u); // 3 + 3 files, 2 folders, the date file

    // The archive changes after the backup; restore brings it back whole.
    dir.Put("BASE.ST1", "cambiato");
    dir.Put("BASE.st3", "");
    dir.Put("BASEtxt/00001.txt", "riscritto");
    fs::remove(Program("BASEtxt") / "00002.txt");
    EXPECT_EQ(CheckRestoreSource(folder).outcome, BackupOutcome::Done);
    const BackupResult restore = RunRestore(folder);
    ASSERT_EQ(restore.outcome, BackupOutcome::Done) << restore.message;
    EXPECT_EQ(restore.message, "");
    auto restored = ProgramFiles();
    auto expected = original;
    expected["FileDum/MMbakMod1.dum"] = TodayText() + "\r\n";
    EXPECT_EQ(restored, expected); // same files, same bytes, no temporaries, no second spelling
}

TEST_F(BackupTest, RestoreRecreatesAMissingTextFolder)
{
    ASSERT_EQ(RunBackup(folder).outcome, BackupOutcome::Done);
    fs::remove_all(Program("BASEtxt"));
    const BackupResult restore = RunRestore(folder);
    ASSERT_EQ(restore.outcome, BackupOutcome::Done) << restore.message;
    EXPECT_EQ(dir.Get("BASEtxt/00001.txt"), "testo uno\r\n");
}

// Refusals: the outcome and its message, and nothing copied in either
// direction. A restore's refusals are the same before its question
// (CheckRestoreSource) and after it (RunRestore).
TEST_F(BackupTest, RefusalsCopyNothing)
{
    ASSERT_EQ(RunBackup(folder).outcome, BackupOutcome::Done); // a backup to restore from
    dir.Put("BASE.ST1", "dopo il backup");
    fs::create_directories(dir.Path() / "volumi" / "VUOTA" / "ZarvekinBck" / "DatiBase");
    Write(dir.Path() / "volumi/VUOTA/ZarvekinBck/DatiBase/BASE.ST1", "x");
    Write(dir.Path() / "volumi/VUOTA/ZarvekinBck/DatiBase/BASE.ST2", "x");
    const std::string gone = (dir.Path() / "volumi" / "SPARITA").string();
    const std::string partial = (dir.Path() / "volumi" / "VUOTA" / "ZarvekinBck").string();
    struct Case {
        const char* name;
        bool restore;
        std::string folder;
        BackupOutcome outcome;
        std::string message;
        bool error;
    } cases[] = {
        {"backup before choosing", false, kBackupPlaceholder, BackupOutcome::NotDefined,
         "Necessario definire l'Unità di backup", false},
        {"backup to a folder of another system", false, "D:\\ZarvekinBck", BackupOutcome::NotDefined,
         "Necessario definire l'Unità di backup", false},
        {"restore before choosing", true, kBackupPlaceholder, BackupOutcome::NotDefined,
         "Necessario definire l'Unità di backup", false},
        {"backup to a missing volume", false, BackupFolderFor(gone), BackupOutcome::Unavailable,
         "L'Unità " + gone + " non è disponibile", false},
        {"restore from a missing folder", true, BackupFolderFor(gone), BackupOutcome::Unavailable,
         "La sorgente " + BackupFolderFor(gone) + " non è disponibile", false},
        {"restore from a backup without BASE.ST3", true, partial, BackupOutcome::Failed,
         "La sorgente " + partial + " non contiene l'archivio BASE completo (manca " + partial +
             "/DatiBase/BASE.ST3): ripristino non eseguito.",
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto program = ProgramFiles();
        const auto volumes = Snapshot(dir.Path() / "volumi");
        std::vector<BackupResult> results;
        if (c.restore) {
            results.push_back(CheckRestoreSource(c.folder));
            results.push_back(RunRestore(c.folder));
        } else {
            results.push_back(RunBackup(c.folder));
        }
        for (const BackupResult& r : results) {
            EXPECT_EQ(r.outcome, c.outcome);
            EXPECT_EQ(r.message, c.message);
            EXPECT_EQ(r.IsError(), c.error);
        }
        EXPECT_EQ(ProgramFiles(), program);
        EXPECT_EQ(Snapshot(dir.Path() / "volumi"), volumes);
    }
}

TEST_F(BackupTest, BackupOfAnIncompleteArchiveIsRefused)
{
    fs::remove(Program("BASE.st3"));
    const BackupResult r = RunBackup(folder);
    EXPECT_EQ(r.outcome, BackupOutcome::Failed);
    EXPECT_EQ(r.message, "Manca il file BASE.ST3 dell'archivio BASE: backup non eseguito.");
    EXPECT_TRUE(r.IsError());
    EXPECT_TRUE(fs::is_empty(volume));
}

// A text whose place in the backup is taken by a folder: the archive files
// staged before it are dropped, the earlier backup stays byte for byte.
TEST_F(BackupTest, FailingCopyLeavesTheEarlierBackupAsItWas)
{
    ASSERT_EQ(RunBackup(folder).outcome, BackupOutcome::Done);
    fs::remove(Bck("BASEtxt/00002.txt"));
    fs::create_directories(Bck("BASEtxt/00002.txt"));
    const auto before = Snapshot(fs::path(folder));
    dir.Put("BASE.ST1", "nuovo indice");
    dir.Put("FileDum/MMbakMod1.dum", "01/01/2000\r\n");

    const BackupResult r = RunBackup(folder);
    EXPECT_EQ(r.outcome, BackupOutcome::Failed);
    EXPECT_TRUE(r.IsError());
    EXPECT_EQ(r.message, "Backup non eseguito.\nscrittura del file \"" + Bck("BASEtxt/00002.txt").string() +
                             "\" non riuscita (al suo posto c'è una cartella).\n"
                             "La copia di backup è rimasta com'era.");
    EXPECT_EQ(Snapshot(fs::path(folder)), before);
    EXPECT_EQ(dir.Get("FileDum/MMbakMod1.dum"), "01/01/2000\r\n"); // no new date for a failed backup
}

// The folders a failed first backup created are not left behind.
TEST_F(BackupTest, FailedFirstBackupLeavesNoFolders)
{
    Write(Bck("BASEtxt"), "un file dove serve una cartella");
    const BackupResult r = RunBackup(folder);
    EXPECT_EQ(r.outcome, BackupOutcome::Failed);
    EXPECT_NE(r.message.find("creazione della cartella \"" + Bck("BASEtxt").string() + "\" non riuscita"),
              std::string::npos)
        << r.message;
    EXPECT_EQ(Snapshot(fs::path(folder)), (std::map<std::string, std::string> {{"BASEtxt", "un file dove serve una cartella"}}));
}

// Restore whose last rename fails (the text folder vanishes after every
// file was staged): the archive files already renamed into place are put
// back, so old and new files never mix.
TEST_F(BackupTest, RestoreFailingAtTheLastRenamePutsEverythingBack)
{
    ASSERT_EQ(RunBackup(folder).outcome, BackupOutcome::Done);
    dir.Put("BASE.ST1", "indice attuale");
    dir.Put("BASE.ST2", "soggetti attuali");
    dir.Put("BASE.st3", "note attuali");
    auto before = ProgramFiles();
    std::erase_if(before, [](const auto& kv) { return kv.first.starts_with("BASEtxt"); });
    const fs::path texts = Program("BASEtxt");
    int staged = 0;
    auto observer = [&](const std::string& destination) {
        if (++staged == 6) // 3 archive files + 3 texts
            fs::remove_all(texts);
    };
    const BackupResult r = RunRestore(folder, observer);
    EXPECT_EQ(r.outcome, BackupOutcome::Failed);
    EXPECT_EQ(staged, 6);
    auto after = ProgramFiles();
    EXPECT_EQ(after, before); // BASE.ST1/ST2/st3 as they were, no temporaries or moved-aside files
    EXPECT_NE(r.message.find("Ripristino non eseguito.\nsostituzione del file \"" + (texts / "00001.txt").string()),
              std::string::npos)
        << r.message;
    EXPECT_NE(r.message.find("I dati attuali sono rimasti com'erano."), std::string::npos);
}

// The volume pulled away half-way: a clear message, and nothing lost.
TEST_F(BackupTest, VolumeThatDisappearsMidWay)
{
    const auto program = ProgramFiles();
    auto pull = [&](const std::string&) {
        std::error_code ec;
        fs::remove_all(volume, ec);
    };
    const BackupResult backup = RunBackup(folder, pull);
    EXPECT_EQ(backup.outcome, BackupOutcome::Failed);
    EXPECT_TRUE(backup.message.starts_with("L'Unità " + volume.string() +
                                           " non è più disponibile: backup non eseguito.\n"))
        << backup.message;
    EXPECT_EQ(ProgramFiles(), program); // the date of the last backup included

    // And for restore: the source goes away after the first file is staged.
    fs::create_directories(volume);
    ASSERT_EQ(RunBackup(folder).outcome, BackupOutcome::Done);
    dir.Put("BASE.ST1", "indice attuale");
    const auto current = ProgramFiles();
    const BackupResult restore = RunRestore(folder, pull);
    EXPECT_EQ(restore.outcome, BackupOutcome::Failed);
    EXPECT_TRUE(restore.message.starts_with("La sorgente " + folder +
                                            " non è più disponibile: ripristino non eseguito.\n"))
        << restore.message;
    EXPECT_EQ(ProgramFiles(), current);
}

TEST_F(BackupTest, ChoosingAVolumeRewritesOnlyLine6)
{
    PrintSettings.BackupFolder = kBackupPlaceholder;
    EXPECT_EQ(ChooseBackupVolume(volume.string() + "/"), volume.string() + "/ZarvekinBck");
    EXPECT_EQ(PrintSettings.BackupFolder, volume.string() + "/ZarvekinBck");
    std::string expected = kSettings;
    expected.replace(expected.find("Da definire"), 11, volume.string() + "/ZarvekinBck");
    EXPECT_EQ(dir.Get("FileSet/MMVarLas.stt"), expected);
    EXPECT_TRUE(BackupFolderDefined(PrintSettings.BackupFolder));
}

TEST_F(BackupTest, LastBackupDateReadsMaiWithoutTheFile)
{
    EXPECT_EQ(LastBackupDate(), "03/02/2021");
    fs::remove(Program("FileDum") / "MMbakMod1.dum");
    EXPECT_EQ(LastBackupDate(), "Mai");
}

TEST(BackupVolumes, HomeFirstThenMountedVolumesByPath)
{
    TempFolder dir;
    const fs::path r = dir.Path();
    for (const char* d : {"media/anna/USB32", "media/anna/.nascosto", "media/anna/Chiavetta Universit\xC3\xA0", // UTF-8 on disk
                          "media/anna/\xE6\x97\xA5\xE6\x9C\xAC", // no Windows-1252 spelling
                          "run/media/anna/DISCO", "mnt/c", "home/anna"})
        fs::create_directories(r / d);
    Write(r / "mnt/file", "non è un volume");
    VolumeRoots roots;
    roots.mountParents = {r / "media/anna", r / "run/media/anna", r / "mnt", r / "manca"};
    roots.home = r / "home/anna/";
    const auto volumes = ListVolumes(roots);
    std::vector<std::string> labels;
    for (const Volume& v : volumes)
        labels.push_back(v.label);
    const std::string p = r.string();
    EXPECT_EQ(labels, (std::vector<std::string> {p + "/home/anna (cartella personale)",
                                                 p + "/media/anna/Chiavetta Universit\xE0", // Windows-1252
                                                 p + "/media/anna/USB32", p + "/mnt/c",
                                                 p + "/run/media/anna/DISCO"}));
    EXPECT_EQ(volumes[0].path, p + "/home/anna");
    EXPECT_EQ(BackupFolderFor(volumes[1].path), p + "/media/anna/Chiavetta Universit\xE0/ZarvekinBck");

    // The Windows-1252 name reaches the right folder on disk.
    dir.Put("BASE.ST1", "1");
    dir.Put("BASE.ST2", "2");
    dir.Put("BASE.ST3", "3");
    EXPECT_EQ(RunBackup(BackupFolderFor(volumes[1].path)).outcome, BackupOutcome::Done);
    EXPECT_TRUE(fs::exists(r / "media/anna/Chiavetta Universit\xC3\xA0/ZarvekinBck/DatiBase/BASE.ST3"));
    EXPECT_EQ(ListFolders(volumes[1].path), std::vector<std::string> {"ZarvekinBck"});
}

} // namespace
