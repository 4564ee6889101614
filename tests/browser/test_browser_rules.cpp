#include "browser/FileTypeFilter.h"
#include "browser/ListRules.h"
#include "browser/TypedPath.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// Drive c: stands in "\images", d: at its root, e: is not ready.
class TFakeFolders : public TFolderQueries {
public:
    std::string CurrentFolder() const override { return "c:\\images"; }
    std::optional<std::string> DriveFolder(char letter) const override
    {
        const std::map<char, std::string> drives = { { 'c', "c:\\images" }, { 'd', "d:\\" } };
        const auto found = drives.find(letter);
        return found == drives.end() ? std::nullopt : std::optional(found->second);
    }
    bool FolderExists(const std::string& drive, const std::string& folder) const override
    {
        static const std::set<std::string> folders = { "c:\\", "c:\\images\\", "c:\\images\\2019\\",
            "c:\\photos\\", "c:\\my pics\\", "d:\\", "d:\\dcim\\" };
        return folders.count(drive + folder) != 0;
    }
    bool FileExists(const std::string&, bool) const override { return false; }
};

// The parse as one line: result, drive, folder, name, extension, and which parts were given
// (D, F, N, E).
std::string Parse(const std::string& text)
{
    TTypedPath parsed;
    const int result = int(ParseTypedPath(text, TFakeFolders(), parsed));
    if (result != 0)
        return std::to_string(result);
    const std::string given = std::string(parsed.driveGiven ? "D" : "-")
        + (parsed.folderGiven ? "F" : "-") + (parsed.nameGiven ? "N" : "-")
        + (parsed.extensionGiven ? "E" : "-");
    EXPECT_EQ(parsed.path, parsed.drive + parsed.folder + parsed.name + parsed.extension);
    return parsed.drive + " " + parsed.folder + " " + parsed.name + " " + parsed.extension + " "
        + given;
}

} // namespace

TEST(TypedPath, TextSplitsIntoDriveFolderNameAndExtension)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "photo.gif", "c: \\images\\ photo .gif --NE" },
        { "*.gif", "c: \\images\\ * .gif --NE" },
        { ".gif", "c: \\images\\ * .gif ---E" },
        { "abc.", "c: \\images\\ abc .* --N-" },
        { "", "c: \\images\\ * .* ----" },
        { "2019", "c: \\images\\ 2019 .* --N-" }, // a name until a backslash makes it a folder
        { "2019\\", "c: \\images\\2019\\ * .* -F--" },
        { ".", "c: \\images\\ * .* -F--" },
        { "..", "c: \\ * .* -F--" },
        { "\\images", "c: \\images\\ * .* -F--" },
        { "\\images\\new", "c: \\images\\ new .* -FN-" },
        { "\\images\\.", "c: \\images\\ * .* -F--" },
        { "\\images\\*.gif", "c: \\images\\ * .gif -FNE" },
        { "..\\photos\\x.jpg", "c: \\photos\\ x .jpg -FNE" },
        { "\\nowhere\\..\\photos\\", "c: \\photos\\ * .* -F--" },
        { "2019\\..\\..\\my pics\\ünï.gif", "c: \\my pics\\ ünï .gif -FNE" },
        { "d:", "d: \\ * .* D---" },
        { "d:dcim", "d: \\ dcim .* D-N-" },
        { "D:\\dcim\\IMG_0001.JPG", "d: \\dcim\\ IMG_0001 .JPG DFNE" },
        { "c:photo.gif", "c: \\images\\ photo .gif D-NE" },
        // Refused names: a second dot, a misplaced or second colon, double backslashes, dots
        // that are not whole components, climbing above the root.
        { "a.b.c", "1" },
        { "ab:c", "1" },
        { "c:x:", "1" },
        { "\\images\\\\x", "1" },
        { "\\images\\2019.\\x", "1" },
        { "\\images\\..x\\y", "1" },
        { "\\images\\a..b", "1" },
        { "d:..", "1" },
        { "d:..\\dcim", "1" },
        { "\\..\\images", "1" },
        { "\\images\\2019\\..\\..\\..", "1" },
        // Folders that do not exist, and a drive that is not ready.
        { "\\nowhere\\x.gif", "2" },
        { "new\\", "2" },
        { "\\im*\\x.gif", "2" },
        { "e:photo.gif", "3" },
        { "q:", "3" },
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Parse(text), expected) << text;
}

TEST(PatternList, TypedListsAreCheckedAndTheirItemsCompleted)
{
    EXPECT_TRUE(IsValidPatternList("*.gif;.bmp"));
    EXPECT_TRUE(IsValidPatternList("abc;;x.jpg;"));
    for (const char* text : { "a.b.c;x", "abc.;x", "\\x;y", "c:*.gif;x" })
        EXPECT_FALSE(IsValidPatternList(text)) << text;
    EXPECT_EQ(PatternListSearches("*.gif;.bmp;;abc;new.;x.j?g"),
        (std::vector<std::string> { "*.gif", "*.bmp", "abc.*", "new.*", "x.j?g" }));
    EXPECT_EQ(TypeEntryForExtension(".*"), 0);
    EXPECT_EQ(TypeEntryForExtension(".tga"), 6);
    EXPECT_EQ(TypeEntryForExtension(".jpeg"), -1);
}

TEST(FolderLabel, LongFoldersKeepTheirRootAndAsManyLastFoldersAsFit)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "c:\\images\\", "c:\\images\\" },
        { "c:\\abcdefghijklmnop\\", "c:\\abcdefghijklmnop\\" }, // 20 characters
        { "c:\\photos\\holiday\\summer\\beach\\", "c:\\...\\summer\\beach\\" },
        { "c:\\abcdefghijklmnopqrstuvw\\", "c:\\...\\abcdefghijklmnopqrstuvw\\" },
        { "c:\\a\\bb\\abcdefghijklmnopq\\", "c:\\...\\abcdefghijklmnopq\\" },
        { "c:\\ünïcödé\\földer\\", "c:\\ünïcödé\\földer\\" }, // characters, not bytes
    };
    for (const auto& [folder, label] : cases)
        EXPECT_EQ(ShortFolderLabel(folder), label) << folder;
}

// The destination dialog drops leading folders while 14 or more characters remain, its last
// folder too.
TEST(FolderLabel, TheDestinationLabelDropsFoldersWhileFourteenCharactersRemain)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        { "c:\\abcdefghijklmnop\\", "c:\\abcdefghijklmnop\\" }, // 20 characters
        { "c:\\abcd\\efghijklmnop\\", "c:\\...\\efghijklmnop\\" },
        { "c:\\photos\\holiday\\summer\\beach\\", "c:\\...\\summer\\beach\\" },
        { "c:\\abcdefghijklmnopqrstuvw\\", "c:\\...\\" },
        { "c:\\a\\bb\\abcdefghijklm\\", "c:\\...\\" },
        { "c:\\ünïcödé\\földerß\\", "c:\\ünïcödé\\földerß\\" }, // characters, not bytes
    };
    for (const auto& [folder, label] : cases)
        EXPECT_EQ(DestinationFolderLabel(folder), label) << folder;
}

TEST(FileColumns, WidthLeavesAtMostHalfACharacterUnusedAndNeverLessThanTwelveAndAHalf)
{
    EXPECT_EQ(FileColumnWidth(8, 310), 102);
    EXPECT_EQ(FileColumnWidth(7, 238), 118);
    EXPECT_EQ(FileColumnWidth(8, 200), 100);
    // A list narrower than one column, or a huge font: the minimum, never an endless search.
    EXPECT_EQ(FileColumnWidth(8, 60), 100);
    EXPECT_EQ(FileColumnWidth(400, 1000), 5000);
    EXPECT_EQ(FileColumnWidth(0, 100), 1);
}
