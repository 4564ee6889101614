#include "platform/SafeFile.h"

#include "tests/support/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::span<const uint8_t> Bytes(std::string_view text)
{
    return { reinterpret_cast<const uint8_t*>(text.data()), text.size() };
}

} // namespace

TEST(SafeFile, PiecesGoBesideTheNameUntilCommit)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("photo.bmp", "old");
    TSafeFile file;
    ASSERT_TRUE(file.Create(path));
    EXPECT_TRUE(file.Append(Bytes("ne")) && file.Close() && file.Append(Bytes("w")));
    EXPECT_EQ(ReadText(path), "old");
    EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), folder.Path());
    EXPECT_TRUE(fs::path(file.TemporaryPath()).filename().string().starts_with(".photo.bmp."));
    EXPECT_TRUE(file.Commit());
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string> { "photo.bmp" });

    // A new file gets the permissions the umask leaves.
    const mode_t umask = ::umask(027);
    EXPECT_TRUE(file.Create(folder.File("new.bmp")) && file.Commit());
    ::umask(umask);
    EXPECT_EQ(fs::status(folder.File("new.bmp")).permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

// Reopening for the next piece goes by name: another file put there meanwhile (a link to a
// file elsewhere) is neither written nor put in place.
TEST(SafeFile, FilePutInItsPlaceBetweenPiecesIsNotWritten)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("photo.bmp", "old");
    const std::string victim = folder.WriteText("victim", "keep");
    TSafeFile file;
    ASSERT_TRUE(file.Create(path));
    ASSERT_TRUE(file.Append(Bytes("new")) && file.Close());
    fs::remove(file.TemporaryPath());
    fs::create_symlink(victim, file.TemporaryPath());
    EXPECT_FALSE(file.Append(Bytes("more")));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(ReadText(victim), "keep");
    EXPECT_EQ(ReadText(path), "old");
}
