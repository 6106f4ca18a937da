#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class ProgramPathTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir.Put("FileSet/MMvarLas.stt", "x");
        dir.Put("FileSet/Temi/Rossi.tem", "y");
    }
    TempFolder dir;
};

TEST_F(ProgramPathTest, RootIsTheProgramFolder)
{
    EXPECT_EQ(ProgramPath::Root(), dir.Path());
    EXPECT_EQ(ProgramPath::Resolve(""), dir.Path());
}

TEST_F(ProgramPathTest, ResolvesEachComponentWithoutRegardToCase)
{
    struct Case {
        const char* name;
        const char* written;
        const char* onDisk; // relative to the program folder
    };
    const Case cases[] = {
        {"writer's spelling differs", "FileSet\\MMVarLas.stt", "FileSet/MMvarLas.stt"},
        {"every component differs", "FILESET\\mmvarlas.STT", "FileSet/MMvarLas.stt"},
        {"forward slashes", "fileset/MMVARLAS.stt", "FileSet/MMvarLas.stt"},
        {"three levels", "fileset\\TEMI\\rossi.TEM", "FileSet/Temi/Rossi.tem"},
        {"doubled and dot components", ".\\FileSet\\\\temi\\.\\Rossi.tem", "FileSet/Temi/Rossi.tem"},
        {"parent component", "FileSet\\Temi\\..\\mmvarlas.stt", "FileSet/MMvarLas.stt"},
        {"missing file keeps its spelling", "fileset\\Nuovo.TXT", "FileSet/Nuovo.TXT"},
        {"missing folder keeps its spelling", "Nuova\\Sotto\\File.Dat", "Nuova/Sotto/File.Dat"},
        {"after a missing folder nothing is matched", "Nuova\\fileset", "Nuova/fileset"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ProgramPath::Resolve(c.written), dir.Path() / c.onDisk);
    }
}

TEST_F(ProgramPathTest, AbsoluteNamesResolveFromTheTop)
{
    const std::string upper = dir.Path().string() + "/FILESET/mmvarlas.STT";
    EXPECT_EQ(ProgramPath::Resolve(upper), dir.Path() / "FileSet/MMvarLas.stt");
    EXPECT_TRUE(ProgramPath::Exists(upper));

    std::string backslashed = dir.Path().string() + "\\fileset\\Temi\\ROSSI.tem";
    EXPECT_EQ(ProgramPath::Resolve(backslashed), dir.Path() / "FileSet/Temi/Rossi.tem");
}

TEST_F(ProgramPathTest, ExistsIgnoresCase)
{
    EXPECT_TRUE(ProgramPath::Exists("FILESET\\MMVARLAS.STT"));
    EXPECT_TRUE(ProgramPath::Exists("fileset"));
    EXPECT_FALSE(ProgramPath::Exists("FileSet\\Manca.stt"));
}

TEST_F(ProgramPathTest, NewFilesAreCreatedAsTheirWriterNamesThem)
{
    WriteFileAtomic("fileset\\Nuovo.TXT", "z");
    EXPECT_TRUE(dir.Has("FileSet/Nuovo.TXT"));
    EXPECT_FALSE(dir.Has("fileset"));

    ProgramPath::EnsureParentFolders("FILESET\\Archivio\\Vecchi\\a.dat");
    EXPECT_TRUE(fs::is_directory(dir.Path() / "FileSet/Archivio/Vecchi"));
    EXPECT_FALSE(dir.Has("FileSet/Archivio/Vecchi/a.dat"));
    EXPECT_FALSE(dir.Has("FILESET"));
}

TEST(ProgramPathRootTest, RelativeRootIsMadeAbsolute)
{
    TempFolder dir;
    const fs::path saved = fs::current_path();
    fs::current_path(dir.Path());
    ProgramPath::SetRoot("Sotto/../Cartella");
    fs::current_path(saved);
    EXPECT_EQ(ProgramPath::Root(), dir.Path() / "Cartella");
}

} // namespace
