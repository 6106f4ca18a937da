#include "platform/Errors.h"
#include "platform/FileBatch.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        names.insert(e.path().filename().string());
    return names;
}

struct SplitCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

TEST(TextFileTest, SplitsLinesByTheReaderRules)
{
    const SplitCase cases[] = {
        {"CR LF", "uno\r\ndue\r\n", {"uno", "due"}},
        {"LF only", "uno\ndue\n", {"uno", "due"}},
        {"CR only", "uno\rdue\r", {"uno", "due"}},
        {"mixed line ends", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
        {"no final line end", "uno\r\ndue", {"uno", "due"}},
        {"blank lines kept", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
        {"only a line end", "\r\n", {""}},
        {"empty file", "", {}},
        {"CR CR LF is two line ends", "a\r\r\nb", {"a", "", "b"}},
        {"trailing end-of-file mark", "a\r\n\x1A", {"a"}},
        {"UTF-8 translated", "Niccol\xC3\xB2\r\nperch\xC3\xA9 \xE2\x82\xAC\r\n", {"Niccolò", "perché €"}},
        {"UTF-8 with byte order mark", "\xEF\xBB\xBF" "1\r\nv\xC3\xA8\r\n", {"1", "vè"}},
        {"Windows-1252 left alone", "Niccol\xF2\r\nperch\xE9 \x80\r\n", {"Niccol\xF2", "perch\xE9 \x80"}},
        {"Windows-1252 pair that is not UTF-8", "\xC3\xA8\xF2", {"\xC3\xA8\xF2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitTextLines(c.bytes), c.lines);
    }
}

TEST(TextFileTest, ReadsLinesOfAFileUnderTheProgramFolder)
{
    TempFolder dir;
    dir.Put("FileSet/Nomi.txt", "Niccol\xC3\xB2\nMarco\n");
    EXPECT_EQ(ReadTextLines("FILESET\\nomi.TXT"), (std::vector<std::string>{"Niccolò", "Marco"}));
    EXPECT_EQ(TryReadTextLines("FileSet\\Nomi.txt"), (std::vector<std::string>{"Niccolò", "Marco"}));
}

TEST(TextFileTest, MissingFileIsAnIoErrorNamingIt)
{
    TempFolder dir;
    try {
        ReadTextLines("FileSet\\Manca.txt");
        FAIL() << "no IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), "FileSet\\Manca.txt");
        EXPECT_EQ(e.Operation(), "lettura");
        EXPECT_NE(std::string(e.what()).find("FileSet\\Manca.txt"), std::string::npos) << e.what();
    }
    EXPECT_FALSE(TryReadTextLines("FileSet\\Manca.txt"));
    EXPECT_THROW(ReadFileBytes("FileSet\\Manca.txt"), IoError);
}

TEST(TextFileTest, WritesCrLfAfterEveryLine)
{
    TempFolder dir;
    WriteTextLines("Testo.txt", {"uno", "", "vè"});
    EXPECT_EQ(dir.Get("Testo.txt"), "uno\r\n\r\nv\xE8\r\n");
    EXPECT_EQ(ReadTextLines("Testo.txt"), (std::vector<std::string>{"uno", "", "vè"}));

    WriteTextLines("Vuoto.txt", {});
    EXPECT_TRUE(dir.Has("Vuoto.txt"));
    EXPECT_EQ(dir.Get("Vuoto.txt"), "");
}

TEST(TextFileTest, AtomicWriteReplacesAndLeavesNoTemporaryFile)
{
    TempFolder dir;
    dir.Put("Dati/Elenco.dat", "vecchio contenuto piuttosto lungo");
    WriteFileAtomic("dati\\elenco.DAT", "nuovo");
    EXPECT_EQ(dir.Get("Dati/Elenco.dat"), "nuovo");
    EXPECT_EQ(Entries(dir.Path() / "Dati"), (std::set<std::string>{"Elenco.dat"}));

    WriteFileAtomic("Nuova\\Sotto\\File.dat", std::string("a\0b", 3));
    EXPECT_EQ(dir.Get("Nuova/Sotto/File.dat"), std::string("a\0b", 3));
    EXPECT_EQ(Entries(dir.Path() / "Nuova" / "Sotto"), (std::set<std::string>{"File.dat"}));
}

TEST(TextFileTest, AtomicWriteUnderARegularFileFailsNamingTheFile)
{
    TempFolder dir;
    dir.Put("Blocco", "non una cartella");
    try {
        WriteFileAtomic("Blocco\\dati.txt", "x");
        FAIL() << "no IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), "Blocco\\dati.txt");
        EXPECT_NE(std::string(e.what()).find("Blocco\\dati.txt"), std::string::npos) << e.what();
    }
    EXPECT_EQ(dir.Get("Blocco"), "non una cartella");
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"Blocco"}));
}

// A write that fails half-way (the file size limit is hit, which holds for
// every user) must leave the old file whole and no temporary file behind.
TEST(TextFileTest, AtomicWriteFailingHalfWayKeepsTheOldContent)
{
    TempFolder dir;
    const std::string old = "contenuto precedente\r\n";
    dir.Put("Impostazioni.txt", old);

    rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 1024;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        WriteFileAtomic("Impostazioni.txt", std::string(64 * 1024, 'x'));
    } catch (const IoError& e) {
        threw = true;
        EXPECT_EQ(e.File(), "Impostazioni.txt");
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(threw);
    EXPECT_EQ(dir.Get("Impostazioni.txt"), old);
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"Impostazioni.txt"}));
}

TEST(FileBatchTest, CommitMakesEveryStepAndLeavesNoTemporaryFile)
{
    TempFolder dir;
    dir.Put("Dati.ST2", "AAAABBBB");
    dir.Put("Indice.ST1", "vecchio");
    dir.Put("FileDum/Traccia.dum", "traccia");
    FileBatch batch;
    batch.AppendAt("DATI.st2", 8, "CCCC");
    batch.WriteAt("Dati.ST2", 0, "aa");
    batch.Replace("indice.st1", "nuovo");
    batch.Replace("FileDum\\Nuovo.dum", "uno\r\n");
    batch.Remove("FileDum\\Traccia.dum");
    batch.Remove("FileDum\\Manca.dum");
    EXPECT_EQ(dir.Get("Indice.ST1"), "vecchio"); // nothing before the commit
    batch.Commit();
    EXPECT_EQ(dir.Get("Dati.ST2"), "aaAABBBBCCCC");
    EXPECT_EQ(dir.Get("Indice.ST1"), "nuovo");
    EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"Dati.ST2", "Indice.ST1", "FileDum"}));
    EXPECT_EQ(Entries(dir.Path() / "FileDum"), (std::set<std::string>{"Nuovo.dum"}));
    EXPECT_TRUE(batch.Empty());
}

TEST(FileBatchTest, AFailingStepRenamesNothingAndNamesTheFile)
{
    TempFolder dir;
    dir.Put("Indice.ST1", "vecchio");
    dir.Put("Blocco", "non una cartella");
    dir.Put("Dati.ST2", "1234");
    const struct {
        const char* label;
        std::function<void(FileBatch&)> bad;
        const char* file;
    } cases[] = {
        {"a folder that is a file", [](FileBatch& b) { b.Replace("Blocco\\dati.txt", "x"); }, "Blocco\\dati.txt"},
        {"a write past the end", [](FileBatch& b) { b.WriteAt("Dati.ST2", 5, "x"); }, "Dati.ST2"},
        {"an append where the file no longer ends", [](FileBatch& b) { b.AppendAt("Dati.ST2", 2, "x"); },
         "Dati.ST2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        FileBatch batch;
        batch.Replace("Indice.ST1", "nuovo");
        c.bad(batch);
        try {
            batch.Commit();
            ADD_FAILURE() << "no IoError";
        } catch (const IoError& e) {
            EXPECT_EQ(e.File(), c.file);
        }
        EXPECT_EQ(dir.Get("Indice.ST1"), "vecchio");
        EXPECT_EQ(dir.Get("Dati.ST2"), "1234");
        EXPECT_EQ(Entries(dir.Path()), (std::set<std::string>{"Blocco", "Dati.ST2", "Indice.ST1"}));
    }
}

TEST(TextFileTest, LineOrEmptyPastTheEndIsEmpty)
{
    const std::vector<std::string> lines = {"uno", "due"};
    EXPECT_EQ(LineOrEmpty(lines, 1), "due");
    EXPECT_EQ(LineOrEmpty(lines, 2), "");
    EXPECT_EQ(LineOrEmpty({}, 0), "");
}

} // namespace
