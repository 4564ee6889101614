#include "platform/FileCopy.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> Pattern(size_t size)
{
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = uint8_t(i * 7 + i / 251);
    return bytes;
}

} // namespace

// A copy is the source's bytes with its permissions and modification time; it replaces an
// existing target only once it is whole, and a stop between the pieces of a large file leaves
// the target as it was.
TEST(FileCopy, ACopyReplacesTheTargetOnlyWhenWhole)
{
    TTempFolder source;
    TTempFolder target;
    const std::vector<uint8_t> bytes = Pattern((16 << 20) + 4097);
    const std::string from = source.Write("photo one.jpg", bytes);
    fs::permissions(from, fs::perms::owner_read | fs::perms::group_read);
    const auto time = fs::last_write_time(from) - std::chrono::hours(30);
    fs::last_write_time(from, time);
    const std::string to = target.WriteText("photo one.jpg", "old");

    int asked = 0;
    EXPECT_EQ(CopyFileOver(from, to, [&] { return ++asked < 1; }), TCopyResult::Stopped);
    EXPECT_EQ(ReadText(to), "old");
    EXPECT_EQ(CopyFileOver(from, to, [&] { return ++asked > 0; }), TCopyResult::Copied);
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(ReadBytes(to), bytes);
    EXPECT_EQ(fs::status(to).permissions(), fs::perms::owner_read | fs::perms::group_read);
    EXPECT_EQ(fs::last_write_time(to), time);
    EXPECT_EQ(FolderEntries(target.Path()), std::vector<std::string> { "photo one.jpg" });
    EXPECT_EQ(ReadBytes(from), bytes);
}

// A copy that cannot be made leaves the source and any target exactly as they were, and no
// file beside them: onto the source itself by any path, over a read-only file or a folder,
// into a missing folder, onto a full disk.
TEST(FileCopy, ACopyThatCannotBeMadeChangesNothing)
{
    TTempFolder folder;
    const std::vector<uint8_t> bytes = Pattern(3 << 20);
    const std::string from = folder.Write("a.jpg", bytes);
    fs::create_directories(folder.Path() / "dest" / "b.jpg");
    fs::create_hard_link(from, folder.Path() / "hard.jpg");
    fs::create_directory_symlink(folder.Path(), folder.Path() / "link");
    const std::string locked = folder.WriteText("dest/locked.jpg", "keep");
    fs::permissions(locked, fs::perms::owner_read);
    struct TCase {
        const char* target;
        std::optional<uint64_t> diskBytes;
    };
    const TCase cases[] = {
        { "a.jpg", {} },
        { "hard.jpg", {} },
        { "link/a.jpg", {} },
        { "dest/locked.jpg", {} },
        { "dest/b.jpg", {} },
        { "missing/a.jpg", {} },
        { "dest/full.jpg", 1 << 20 },
    };
    const std::vector<std::string> before = FolderEntries(folder.Path() / "dest");
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.target);
        std::optional<TFileSizeLimit> disk;
        if (test.diskBytes)
            disk.emplace(*test.diskBytes);
        EXPECT_EQ(CopyFileOver(from, folder.File(test.target)), TCopyResult::Failed);
        disk.reset();
        EXPECT_EQ(ReadBytes(from), bytes);
        EXPECT_EQ(FolderEntries(folder.Path() / "dest"), before);
    }
    EXPECT_EQ(ReadText(locked), "keep");
    EXPECT_EQ(FolderEntries(folder.Path()),
        (std::vector<std::string> { "a.jpg", "dest", "hard.jpg", "link" }));
}
