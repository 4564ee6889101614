#include "platform/FileSystem.h"
#include "platform/MountTable.h"
#include "platform/NameOrder.h"
#include "platform/Volumes.h"
#include "platform/Wildcard.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>

#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(MountTable, EntriesTakeTheFieldsAroundTheSeparatorWithEscapesUndone)
{
    const std::string table = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                              "90 22 8:17 / /media/usb\\040stick rw shared:5 master:2 - vfat "
                              "/dev/sdb1 rw\n"
                              "broken line\n"
                              "91 22 x:y / /bad rw - ext4 /dev/sdc1 rw\n"
                              "92 22 0:50 / /net rw - nfs4 server:/export rw";
    const std::vector<TMountEntry> entries = ParseMountTable(table);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].mountPoint, "/");
    EXPECT_EQ(entries[1].mountPoint, "/media/usb stick");
    EXPECT_EQ(entries[1].fileSystem, "vfat");
    EXPECT_EQ(entries[1].source, "/dev/sdb1");
    EXPECT_EQ(entries[1].deviceMajor, 8u);
    EXPECT_EQ(entries[1].deviceMinor, 17u);
    EXPECT_EQ(entries[2].source, "server:/export");
}

TEST(Volumes, OnlyRealFileSystemsOutsideTheSystemAreasAreDrivesOfTheirType)
{
    struct TCase {
        const char* mountPoint;
        const char* fileSystem;
        bool removable;
        bool browsable;
        TDriveType type;
    };
    const TCase cases[] = {
        { "/home", "ext4", false, true, TDriveType::Fixed },
        { "/media/stick", "vfat", true, true, TDriveType::Removable },
        { "/run/media/me/CAMERA", "exfat", true, true, TDriveType::Removable },
        { "/media/cdrom", "iso9660", false, true, TDriveType::CdRom },
        { "/mnt/dvd", "udf", false, true, TDriveType::CdRom },
        { "/mnt/share", "cifs", false, true, TDriveType::Remote },
        { "/mnt/remote", "fuse.sshfs", false, true, TDriveType::Remote },
        { "/tmp", "tmpfs", false, true, TDriveType::RamDisk },
        { "/proc", "proc", false, false, TDriveType::Fixed },
        { "/sys/fs/cgroup", "tmpfs", false, false, TDriveType::RamDisk },
        { "/dev/shm", "tmpfs", false, false, TDriveType::RamDisk },
        { "/run/user/1000", "tmpfs", false, false, TDriveType::RamDisk },
        { "/run/media", "tmpfs", false, false, TDriveType::RamDisk },
        { "/mnt/x", "cgroup2", false, false, TDriveType::Fixed },
        { "/snap/core/1", "squashfs", false, false, TDriveType::Fixed },
    };
    for (const TCase& c : cases) {
        TMountEntry mount;
        mount.mountPoint = c.mountPoint;
        mount.fileSystem = c.fileSystem;
        EXPECT_EQ(IsBrowsableMount(mount), c.browsable) << c.mountPoint;
        EXPECT_EQ(DriveTypeOf(c.fileSystem, c.removable), c.type) << c.mountPoint;
    }
}

TEST(Volumes, VolumesKeepTheirLettersWhileMountedAndNewOnesTakeTheLowestFree)
{
    auto volume = [](const char* path) { return TVolume { path, TDriveType::Fixed, true }; };
    TDriveTable drives = AssignDriveLetters({}, { volume("/a"), volume("/b"), volume("/c") });
    EXPECT_EQ(drives[3]->mountPoint, "/a");
    EXPECT_EQ(drives[5]->mountPoint, "/c");
    // /a goes; /b and /c stay where they were; /d arrives into the letter /a left.
    drives = AssignDriveLetters(drives, { volume("/b"), volume("/c"), volume("/d") });
    EXPECT_EQ(drives[3]->mountPoint, "/d");
    EXPECT_EQ(drives[4]->mountPoint, "/b");
    EXPECT_EQ(drives[5]->mountPoint, "/c");
    EXPECT_FALSE(drives[2]);
    // Beyond z: there is no letter.
    std::vector<TVolume> many;
    for (int i = 0; i < 30; ++i)
        many.push_back(volume(("/v" + std::to_string(i)).c_str()));
    drives = AssignDriveLetters({}, many);
    EXPECT_EQ(drives[25]->mountPoint, "/v22");
}

TEST(Volumes, TheDriveVariableGivesLettersFoldersAndTypes)
{
    const TDriveTable drives = ParseDriveTable(
        "c=/tmp/root;d=/tmp/stick:removable;e=/tmp/none:notready;f=/tmp/odd:name;g=/x:unknown;"
        "C=/upper;h;i=;=x");
    EXPECT_EQ(drives[2], (TVolume { "/tmp/root", TDriveType::Fixed, true }));
    EXPECT_EQ(drives[3], (TVolume { "/tmp/stick", TDriveType::Removable, true }));
    EXPECT_EQ(drives[4], (TVolume { "/tmp/none", TDriveType::Removable, false }));
    EXPECT_EQ(drives[5], (TVolume { "/tmp/odd:name", TDriveType::Fixed, true }));
    EXPECT_EQ(drives[6], (TVolume { "/x", TDriveType::Unknown, true }));
    EXPECT_EQ(
        std::count_if(drives.begin(), drives.end(), [](const auto& d) { return bool(d); }), 5);
}

TEST(Wildcard, PatternsMatchAsTheDirectorySearchMatches)
{
    struct TCase {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const TCase cases[] = {
        { "photo.gif", "*.gif", true },
        { "PHOTO.GIF", "*.gif", true },
        { "photo.gif", "*.GIF", true },
        { "photo.gifs", "*.gif", false },
        { "gif", "*.gif", false },
        { "photo.jpg", "*.j?g", true },
        { "photo.gif", "*.*", true },
        { "readme", "*.*", true },
        { "abc", "abc.*", true },
        { "abc.x.y", "abc.*", true },
        { "abcd", "abc.*", false },
        { "a.b", "?.b", true },
        { "é.b", "?.b", true },
        { "ab.b", "?.b", false },
        { "new.jpg", "new.*", true },
        { "x", "*", true },
        { "", "*", true },
        { "a.bmp", "a*b*c", false },
        { "aXbYc", "a*b*c", true },
        { "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*a*a*a*c", false },
    };
    for (const TCase& c : cases)
        EXPECT_EQ(MatchesPattern(c.name, c.pattern), c.matches) << c.name << " " << c.pattern;
}

TEST(NameOrder, SortingTheNamesGivesTheOrderOfTheComparison)
{
    std::vector<std::string> names = { "b", "B", "a", "A", "a b", "é", "z10", "z9", "Zeta", ".x" };
    std::mt19937 random(7);
    std::shuffle(names.begin(), names.end(), random);
    std::vector<std::string> sorted = names;
    SortNames(sorted);
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), NameLess));
    EXPECT_TRUE(std::is_permutation(sorted.begin(), sorted.end(), names.begin()));
    EXPECT_NE(CompareNames("a", "A"), 0);
}

// A file system model over temporary folders as drives.
class FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(root.Path() / "images" / "2019");
        fs::create_directories(stick.Path() / "dcim");
        SetDrives("c=" + root.Path().string() + ";d=" + stick.Path().string()
            + ":removable;e=" + root.Path().string() + "/missing:notready");
    }
    void TearDown() override
    {
        unsetenv(kDrivesVariable);
        FileSystem().Reset();
    }
    void SetDrives(const std::string& table)
    {
        setenv(kDrivesVariable, table.c_str(), 1);
        FileSystem().Reset();
    }

    TTempFolder root;
    TTempFolder stick;
};

TEST_F(FileSystemTest, StartsInTheWorkingFolderOrAtTheRootOfTheLowestDrive)
{
    // The test's working folder lies on no drive of the table.
    EXPECT_EQ(FileSystem().CurrentFolder(), "c:\\");
    const fs::path before = fs::current_path();
    fs::current_path(root.Path() / "images");
    FileSystem().Reset();
    EXPECT_EQ(FileSystem().CurrentFolder(), "c:\\images");
    fs::current_path(before);
    EXPECT_EQ(FileSystem().DriveMask(), 0b11100u);
    EXPECT_EQ(FileSystem().DriveType('d'), TDriveType::Removable);
    EXPECT_EQ(FileSystem().DriveType('q'), TDriveType::NoRootFolder);
}

TEST_F(FileSystemTest, EachDriveKeepsItsFolderAndFailedChangesChangeNothing)
{
    TFileSystem& model = FileSystem();
    EXPECT_TRUE(model.ChangeFolder("c:\\images\\2019\\"));
    EXPECT_TRUE(model.ChangeFolder("d:dcim"));
    EXPECT_EQ(model.CurrentFolder(), "d:\\dcim");
    EXPECT_EQ(model.DriveFolder('c'), "c:\\images\\2019");
    EXPECT_TRUE(model.ChangeFolder(".."));
    EXPECT_EQ(model.CurrentFolder(), "d:\\");
    EXPECT_TRUE(model.ChangeFolder("\\..\\..")); // above the root is the root
    EXPECT_TRUE(model.MakeDriveCurrent('C'));
    EXPECT_EQ(model.CurrentFolder(), "c:\\images\\2019");
    EXPECT_TRUE(model.ChangeFolder("\\images"));
    EXPECT_TRUE(model.FolderExists("2019\\"));

    for (const char* path : { "\\nowhere", "q:\\", "e:\\", "c:\\images\\a/..\\..", "2019\\x" })
        EXPECT_FALSE(model.ChangeFolder(path)) << path;
    EXPECT_EQ(model.CurrentFolder(), "c:\\images");
    EXPECT_FALSE(model.MakeDriveCurrent('e'));
    EXPECT_FALSE(model.DriveFolder('e'));
    EXPECT_EQ(model.CurrentDrive(), 'c');

    // A folder the user may not enter or list is no place to change to.
    if (geteuid() != 0) {
        fs::permissions(root.Path() / "images" / "2019", fs::perms::none);
        EXPECT_FALSE(model.ChangeFolder("2019"));
        EXPECT_FALSE(model.FolderExists("2019"));
    }
}

TEST_F(FileSystemTest, PathsConvertBothWaysOnTheDriveWithTheLongestMountPoint)
{
    SetDrives("c=" + root.Path().string() + ";d=" + (root.Path() / "images").string());
    TFileSystem& model = FileSystem();
    EXPECT_EQ(model.NativePath("c:\\images\\2019\\photo.gif"),
        (root.Path() / "images" / "2019" / "photo.gif").string());
    EXPECT_EQ(model.NativePath("d:\\2019"), (root.Path() / "images" / "2019").string());
    EXPECT_EQ(
        model.BrowserPath((root.Path() / "images" / "2019" / "x.gif").string()), "d:\\2019\\x.gif");
    EXPECT_EQ(model.BrowserPath((root.Path() / "imagesx").string()), "c:\\imagesx");
    EXPECT_EQ(model.BrowserPath(root.Path().string() + "/a/../images/./"), "d:\\");
    EXPECT_EQ(model.BrowserPath("/"), std::nullopt);
    EXPECT_EQ(model.BrowserPath(root.Path().string() + "/back\\slash"), std::nullopt);
    EXPECT_EQ(model.NativePath("q:\\x"), std::nullopt);
}

TEST_F(FileSystemTest, ListingGivesFilesAndFoldersWithAttributesAndLeavesOutWhatCannotBeShown)
{
    const fs::path folder = root.Path() / "images";
    root.WriteText("images/photo one.gif", "x");
    root.WriteText("images/.hidden.gif", "x");
    root.WriteText("images/Ünïcode.jpg", "x");
    root.WriteText("images/back\\slash.gif", "x");
    root.WriteText("images/bad\xff.gif", "x");
    root.WriteText("images/locked.bmp", "x");
    fs::permissions(folder / "locked.bmp", fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory(folder / ".dot");
    fs::create_symlink(folder / "2019", folder / "link to folder");
    fs::create_symlink(folder / "photo one.gif", folder / "link.gif");
    fs::create_symlink(folder / "missing", folder / "broken.gif");
    mkfifo((folder / "pipe.gif").c_str(), 0600);

    std::vector<TDirEntry> entries;
    ASSERT_TRUE(FileSystem().ListFolder("c:\\images\\", entries));
    std::map<std::string, uint32_t> listed;
    for (const TDirEntry& entry : entries)
        listed[entry.name] = entry.attributes;
    const std::map<std::string, uint32_t> expected = {
        { "2019", kAttrDirectory },
        { ".dot", kAttrDirectory | kAttrHidden },
        { "link to folder", kAttrDirectory },
        { "photo one.gif", kAttrArchive },
        { ".hidden.gif", kAttrArchive | kAttrHidden },
        { "Ünïcode.jpg", kAttrArchive },
        { "locked.bmp", kAttrArchive },
        { "link.gif", kAttrArchive },
    };
    EXPECT_EQ(listed, expected);
    EXPECT_EQ(FileSystem().Attributes("c:\\images\\locked.bmp"), kAttrArchive | kAttrReadOnly);
    EXPECT_EQ(FileSystem().Attributes("c:\\images\\.dot"), kAttrDirectory | kAttrHidden);
    EXPECT_EQ(FileSystem().Attributes("c:\\images\\pipe.gif"), std::nullopt);
    EXPECT_FALSE(FileSystem().ListFolder("c:\\nowhere\\", entries));
}
