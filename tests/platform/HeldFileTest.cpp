// Files held open or in memory between reads: what a replaced, rewritten,
// removed or moved file reads as, and the rewrite that leaves a file with
// the same lines alone.
#include "platform/Errors.h"
#include "platform/HeldFile.h"
#include "platform/ProgramPath.h"
#include "platform/TextFile.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string ReadHeld(HeldFile& f, std::uint64_t offset, std::size_t size)
{
    std::string s(size, '\0');
    if (!f.ReadAt(offset, size, reinterpret_cast<unsigned char*>(s.data())))
        return "<past the end>";
    return s;
}

// Replaces a file as the program's writers do: a new file renamed over it.
void RenameOver(const TempFolder& dir, const std::string& name, const std::string& bytes)
{
    dir.Put(name + ".new", bytes);
    fs::rename(dir.Path() / (name + ".new"), dir.Path() / name);
}

TEST(HeldFileTest, ReadsTheFileOnDiskAfterEveryCheck)
{
    TempFolder dir;
    dir.Put("FilePosi/Tab.rnd", std::string(10000, 'a'));
    HeldFile f("FilePosi\\TAB.rnd");
    f.Check();
    EXPECT_EQ(f.Size(), 10000u);
    EXPECT_EQ(ReadHeld(f, 4094, 4), "aaaa"); // across two blocks
    EXPECT_EQ(ReadHeld(f, 9998, 3), "<past the end>");

    RenameOver(dir, "FilePosi/Tab.rnd", std::string(6000, 'b'));
    EXPECT_EQ(ReadHeld(f, 0, 2), "aa") << "the file held until the next check";
    f.Check();
    EXPECT_EQ(f.Size(), 6000u);
    EXPECT_EQ(ReadHeld(f, 5998, 2), "bb");

    dir.Put("FilePosi/Tab.rnd", std::string(6000, 'c')); // rewritten in place, same size
    f.Check();
    EXPECT_EQ(ReadHeld(f, 5998, 2), "cc");

    TempFolder other;
    other.Put("fileposi/tab.RND", "dd");
    f.Check();
    EXPECT_EQ(ReadHeld(f, 0, 2), "dd") << "the file of the new program folder";

    fs::remove(other.Path() / "fileposi/tab.RND");
    try {
        f.Check();
        ADD_FAILURE() << "no error";
    } catch (const IoError& e) {
        EXPECT_EQ(e.File(), "FilePosi\\TAB.rnd");
        EXPECT_EQ(e.Operation(), "apertura");
    }
}

TEST(HeldFileTest, WholeFileBytesFollowTheFileOnDisk)
{
    TempFolder dir;
    dir.Put("Simboli/PiaX01.emf", "uno");
    const auto first = HeldFileBytes("Simboli\\PiaX01.emf");
    EXPECT_EQ(*first, "uno");
    EXPECT_EQ(HeldFileBytes("Simboli\\PiaX01.emf"), first) << "unchanged: the same bytes in memory";
    RenameOver(dir, "Simboli/PiaX01.emf", "due");
    EXPECT_EQ(*HeldFileBytes("Simboli\\PiaX01.emf"), "due");
    EXPECT_EQ(*first, "uno") << "a caller's copy stays valid";
    fs::remove(dir.Path() / "Simboli/PiaX01.emf");
    EXPECT_THROW(HeldFileBytes("Simboli\\PiaX01.emf"), IoError);
}

TEST(HeldFileTest, SameLinesLeaveTheFileAlone)
{
    TempFolder dir;
    EXPECT_TRUE(WriteTextLinesIfChanged("OpzioneT\\Posi.txt", {"SoleAri", "LunaTor"}));
    struct stat before {};
    ASSERT_EQ(::stat(ProgramPath::Resolve("OpzioneT\\Posi.txt").c_str(), &before), 0);
    EXPECT_FALSE(WriteTextLinesIfChanged("OpzioneT\\Posi.txt", {"SoleAri", "LunaTor"}));
    struct stat after {};
    ASSERT_EQ(::stat(ProgramPath::Resolve("OpzioneT\\Posi.txt").c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino) << "not replaced";
    EXPECT_TRUE(WriteTextLinesIfChanged("OpzioneT\\Posi.txt", {"SoleAri", "LunaGem"}));
    EXPECT_EQ(dir.Get("OpzioneT/Posi.txt"), "SoleAri\r\nLunaGem\r\n");
}

} // namespace
