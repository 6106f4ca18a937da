#include "platform/Errors.h"
#include "platform/ProgramFolder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <set>

namespace fs = std::filesystem;

namespace {

// A scratch tree: an executable folder with its template beside it, a home
// folder and a working folder, all under one temporary folder.
class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Put("bin/program/FileSet/MMvarLas.stt", "modello");
        dir.Put("bin/program/FileSet/Temi/Esempio.tem", "tema");
        dir.Put("bin/program/Leggimi.txt", "leggimi");
        fs::create_directories(Cwd());
        fs::create_directories(Home());
    }
    fs::path Exe() const { return dir.Path() / "bin"; }
    fs::path Template() const { return Exe() / "program"; }
    fs::path Home() const { return dir.Path() / "home"; }
    fs::path Cwd() const { return dir.Path() / "lavoro"; }
    fs::path User() const { return Home() / ".local/share/quillon"; }
    fs::path Choose(const fs::path& cwd) const
    {
        return ProgramFolder::Choose(cwd, Exe(), nullptr, Home().c_str());
    }
    std::string Rel(const fs::path& p) const { return fs::relative(p, dir.Path()).string(); }
    std::string Read(const fs::path& p) const { return dir.Get(Rel(p)); }
    static std::set<std::string> Tree(const fs::path& root)
    {
        std::set<std::string> names;
        for (const auto& e : fs::recursive_directory_iterator(root))
            names.insert(fs::relative(e.path(), root).string());
        return names;
    }

    TempFolder dir;
};

TEST_F(ProgramFolderTest, WorkingFolderHoldingFileSetIsUsedAsItIs)
{
    dir.Put("lavoro/fileset/Mio.stt", "mio"); // any letter case
    EXPECT_EQ(Choose(Cwd()), Cwd());
    EXPECT_FALSE(fs::exists(User()));
    EXPECT_EQ(Tree(Cwd()), (std::set<std::string>{"fileset", "fileset/Mio.stt"}));
}

TEST_F(ProgramFolderTest, FileSetMustBeAFolder)
{
    dir.Put("lavoro/FileSet", "un file");
    EXPECT_EQ(Choose(Cwd()), User());
}

TEST_F(ProgramFolderTest, FirstStartCopiesTheTemplateIntoThePerUserFolder)
{
    EXPECT_EQ(Choose(Cwd()), User());
    EXPECT_EQ(Tree(User()), Tree(Template()));
    EXPECT_EQ(Read(User() / "FileSet/MMvarLas.stt"), "modello");
    EXPECT_EQ(Read(User() / "FileSet/Temi/Esempio.tem"), "tema");
    // Nothing is left beside the per-user folder but the folder itself.
    for (const auto& e : fs::directory_iterator(User().parent_path()))
        EXPECT_EQ(e.path().filename(), "quillon");
}

TEST_F(ProgramFolderTest, LaterStartKeepsUserFilesAndAddsMissingOnes)
{
    ASSERT_EQ(Choose(Cwd()), User());
    dir.Put(Rel(User() / "FileSet/MMvarLas.stt"), "modificato dall'utente");
    dir.Put(Rel(User() / "FileSet/Temi/Mio.tem"), "mio");
    fs::remove(User() / "FileSet/Temi/Esempio.tem");
    dir.Put("bin/program/FileSet/Nuovo.stt", "aggiunto da una versione nuova");

    EXPECT_EQ(Choose(Cwd()), User());
    EXPECT_EQ(Read(User() / "FileSet/MMvarLas.stt"), "modificato dall'utente");
    EXPECT_EQ(Read(User() / "FileSet/Temi/Mio.tem"), "mio");
    EXPECT_EQ(Read(User() / "FileSet/Temi/Esempio.tem"), "tema");
    EXPECT_EQ(Read(User() / "FileSet/Nuovo.stt"), "aggiunto da una versione nuova");
    EXPECT_EQ(Read(Template() / "FileSet/MMvarLas.stt"), "modello");
}

TEST_F(ProgramFolderTest, TemplateIsNeverChosenEvenAsWorkingFolder)
{
    const auto before = Tree(Template());
    EXPECT_EQ(Choose(Template()), User());
    EXPECT_EQ(Choose(Exe() / "." / "program"), User());
    EXPECT_EQ(Tree(Template()), before);
}

TEST_F(ProgramFolderTest, InstalledTemplateUnderSharedFolder)
{
    dir.Put("prefix/share/quillon/program/FileSet/Installato.stt", "installato");
    const fs::path exe = dir.Path() / "prefix/bin";
    fs::create_directories(exe);
    EXPECT_EQ(ProgramFolder::Choose(Cwd(), exe, nullptr, Home().c_str()), User());
    EXPECT_EQ(Read(User() / "FileSet/Installato.stt"), "installato");
    EXPECT_EQ(ProgramFolder::Choose(dir.Path() / "prefix/share/quillon/program", exe, nullptr, Home().c_str()),
              User());
}

TEST_F(ProgramFolderTest, DataHomeFromTheEnvironment)
{
    const fs::path data = dir.Path() / "dati";
    EXPECT_EQ(ProgramFolder::Choose(Cwd(), Exe(), data.c_str(), Home().c_str()), data / "quillon");
    EXPECT_EQ(Read(data / "quillon/FileSet/MMvarLas.stt"), "modello");
    EXPECT_FALSE(fs::exists(User()));
}

TEST(ProgramFolderUserTest, PerUserFolderLocation)
{
    struct Case {
        const char* name;
        const char* xdg;
        const char* home;
        const char* folder;
    };
    const Case cases[] = {
        {"data home set", "/dati/utente", "/home/mario", "/dati/utente/quillon"},
        {"data home unset", nullptr, "/home/mario", "/home/mario/.local/share/quillon"},
        {"data home empty", "", "/home/mario", "/home/mario/.local/share/quillon"},
        {"relative data home is ignored", "dati", "/home/mario", "/home/mario/.local/share/quillon"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProgramFolder::PerUserFolder(c.xdg, c.home), fs::path(c.folder));
    }
}

TEST_F(ProgramFolderTest, WithoutTemplateAnExistingUserFolderIsUsed)
{
    dir.Put(Rel(User() / "FileSet/Mio.stt"), "mio");
    const fs::path noTemplate = dir.Path() / "altrove";
    fs::create_directories(noTemplate);
    EXPECT_EQ(ProgramFolder::Choose(Cwd(), noTemplate, nullptr, Home().c_str()), User());
}

TEST_F(ProgramFolderTest, WithoutTemplateOrUserFolderIsAnIoError)
{
    const fs::path noTemplate = dir.Path() / "altrove";
    fs::create_directories(noTemplate);
    try {
        ProgramFolder::Choose(Cwd(), noTemplate, nullptr, Home().c_str());
        FAIL() << "no IoError";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), User().string());
    }
    EXPECT_FALSE(fs::exists(User()));
}

} // namespace
