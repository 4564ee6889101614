#include "platform/IniFile.h"

#include "tests/support/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

mode_t ModeOf(const std::string& path)
{
    struct stat status { };
    ::stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

} // namespace

TEST(IniRead, NamesCompareWithoutCaseAndValuesAreTrimmed)
{
    TTempFolder folder;
    const TIniFile ini(folder.WriteText("a.ini",
        "[other]\nFit=other\n"
        "  [ PELORIN ]  \n"
        "; Fit=comment\n"
        "  fIT  =   yes please \t\n"
        "Fit=second\n"
        "Empty=\n"
        "LastPath=c:\\a=b\\\n"));
    EXPECT_EQ(ini.Read("Pelorin", "FIT"), "yes please"); // the first occurrence wins
    EXPECT_EQ(ini.Read("pelorin", "empty"), "");
    EXPECT_EQ(ini.Read("Pelorin", "LastPath"), "c:\\a=b\\");
    EXPECT_EQ(ini.Read("Other", "fit"), "other");
    EXPECT_EQ(ini.Read("Pelorin", "Missing"), std::nullopt);
    EXPECT_EQ(ini.Read("Missing", "Fit"), std::nullopt);
    EXPECT_EQ(TIniFile(folder.File("absent.ini")).Read("Pelorin", "Fit"), std::nullopt);
}

TEST(IniRead, CrlfFileReadsLikeLf)
{
    TTempFolder folder;
    const TIniFile ini(folder.WriteText("a.ini", "[Pelorin]\r\nFit=1\r\nViewLeft=30\r\n"));
    EXPECT_EQ(ini.Read("Pelorin", "Fit"), "1");
    EXPECT_EQ(ini.Read("Pelorin", "ViewLeft"), "30");
}

TEST(ProfileInt, SignedDecimalAtStartOfValue)
{
    EXPECT_EQ(ParseProfileInt("42"), 42);
    EXPECT_EQ(ParseProfileInt("-17"), -17);
    EXPECT_EQ(ParseProfileInt("+5"), 5);
    EXPECT_EQ(ParseProfileInt("12abc"), 12);
    EXPECT_EQ(ParseProfileInt("3.9"), 3);
    EXPECT_EQ(ParseProfileInt(""), 0);
    EXPECT_EQ(ParseProfileInt("abc"), 0);
    EXPECT_EQ(ParseProfileInt("-"), 0);
    EXPECT_EQ(ParseProfileInt("x12"), 0);
    EXPECT_EQ(ParseProfileInt("2147483647"), 2147483647);
    EXPECT_EQ(ParseProfileInt("-2147483648"), INT32_MIN);
}

TEST(ProfileInt, BeyondThirtyTwoBitsWraps)
{
    // A colour reference with a garbage top byte: pure red with the top byte 255.
    EXPECT_EQ(uint32_t(ParseProfileInt("4278190335")), 0xFF0000FFu);
    EXPECT_EQ(uint32_t(ParseProfileInt("4278190335")) & 0xFFFFFFu, 255u);
    EXPECT_EQ(ParseProfileInt("4294967295"), -1);
    EXPECT_EQ(ParseProfileInt("4294967296"), 0);
}

TEST(IniWrite, ReplacesKeyInPlaceAndKeepsEveryOtherLine)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("a.ini",
        "; settings\n"
        "[Other]\n"
        "Fit=7\n"
        "\n"
        "[Pelorin]\n"
        "ConfirmOn=1\n"
        "  fit = 0 \n"
        "Fit=9\n"
        "; trailing comment\n"
        "\n"
        "[Last]\n"
        "X=1\n");
    ASSERT_TRUE(TIniFile(path).Write("PELORIN", "Fit", "1"));
    EXPECT_EQ(ReadText(path),
        "; settings\n"
        "[Other]\n"
        "Fit=7\n"
        "\n"
        "[Pelorin]\n"
        "ConfirmOn=1\n"
        "Fit=1\n"
        "Fit=9\n"
        "; trailing comment\n"
        "\n"
        "[Last]\n"
        "X=1\n");
    EXPECT_EQ(TIniFile(path).Read("Pelorin", "Fit"), "1");
}

TEST(IniWrite, NewKeyGoesAfterTheSectionsLastEntry)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("a.ini",
        "[Pelorin]\n"
        "ConfirmOn=1\n"
        "; note\n"
        "\n"
        "[Last]\n"
        "X=1\n");
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "Fit", "1"));
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "ShowHidden", "0"));
    ASSERT_TRUE(TIniFile(path).Write("Last", "Y", "2"));
    EXPECT_EQ(ReadText(path),
        "[Pelorin]\n"
        "ConfirmOn=1\n"
        "Fit=1\n"
        "ShowHidden=0\n"
        "; note\n"
        "\n"
        "[Last]\n"
        "X=1\n"
        "Y=2\n");
}

TEST(IniWrite, CreatesFileAndAppendsMissingSection)
{
    TTempFolder folder;
    const std::string path = folder.File("new.ini");
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "Fit", "1"));
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "FileType", "3"));
    EXPECT_EQ(ReadText(path), "[Pelorin]\nFit=1\nFileType=3\n");

    const std::string other = folder.WriteText("other.ini", "[Other]\nA=1\n");
    ASSERT_TRUE(TIniFile(other).Write("Pelorin", "Fit", "1"));
    EXPECT_EQ(ReadText(other), "[Other]\nA=1\n\n[Pelorin]\nFit=1\n");

    const std::string empty = folder.WriteText("empty.ini", "");
    ASSERT_TRUE(TIniFile(empty).Write("Pelorin", "Fit", "0"));
    EXPECT_EQ(ReadText(empty), "[Pelorin]\nFit=0\n");
}

TEST(IniWrite, FileWithoutTrailingNewline)
{
    TTempFolder folder;
    const std::string replace = folder.WriteText("replace.ini", "[Pelorin]\nFit=0\nViewTop=5");
    ASSERT_TRUE(TIniFile(replace).Write("Pelorin", "ViewTop", "6"));
    EXPECT_EQ(ReadText(replace), "[Pelorin]\nFit=0\nViewTop=6");

    const std::string append = folder.WriteText("append.ini", "[Pelorin]\nFit=0");
    ASSERT_TRUE(TIniFile(append).Write("Pelorin", "ViewTop", "6"));
    EXPECT_EQ(ReadText(append), "[Pelorin]\nFit=0\nViewTop=6\n");

    const std::string section = folder.WriteText("section.ini", "[Other]\nA=1");
    ASSERT_TRUE(TIniFile(section).Write("Pelorin", "Fit", "1"));
    EXPECT_EQ(ReadText(section), "[Other]\nA=1\n\n[Pelorin]\nFit=1\n");
}

TEST(IniWrite, CrlfFileStaysCrlf)
{
    TTempFolder folder;
    const std::string path
        = folder.WriteText("a.ini", "; c\r\n[Pelorin]\r\nFit=0\r\nViewTop=5\r\n[Other]\r\nA=1\r\n");
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "Fit", "1"));
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "ViewLeft", "7"));
    ASSERT_TRUE(TIniFile(path).Write("New", "B", "2"));
    EXPECT_EQ(ReadText(path),
        "; c\r\n[Pelorin]\r\nFit=1\r\nViewTop=5\r\nViewLeft=7\r\n[Other]\r\nA=1\r\n"
        "\r\n[New]\r\nB=2\r\n");

    // The last line of a file without a final line break has no carriage return to keep.
    const std::string open = folder.WriteText("open.ini", "[Pelorin]\r\nFit=0\r\nViewTop=5");
    ASSERT_TRUE(TIniFile(open).Write("Pelorin", "ViewTop", "6"));
    EXPECT_EQ(ReadText(open), "[Pelorin]\r\nFit=0\r\nViewTop=6");
    ASSERT_TRUE(TIniFile(open).Write("Pelorin", "ViewLeft", "1"));
    EXPECT_EQ(ReadText(open), "[Pelorin]\r\nFit=0\r\nViewTop=6\r\nViewLeft=1\r\n");
}

TEST(IniWrite, TextWithLineBreakIsRefused)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("a.ini", "[Pelorin]\nLastPath=/a/\n");
    EXPECT_FALSE(TIniFile(path).Write("Pelorin", "LastPath", "/b\n[Other]\nX=1"));
    EXPECT_FALSE(TIniFile(path).Write("Pelorin", "Last\rPath", "/b"));
    EXPECT_EQ(ReadText(path), "[Pelorin]\nLastPath=/a/\n");
}

TEST(IniWrite, ReplacesAtomicallyAndKeepsPermissions)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("a.ini", "[Pelorin]\nFit=0\n");
    ::chmod(path.c_str(), 0640);
    struct stat before { };
    ::stat(path.c_str(), &before);
    ASSERT_TRUE(TIniFile(path).Write("Pelorin", "Fit", "1"));
    struct stat after { };
    ::stat(path.c_str(), &after);
    EXPECT_NE(before.st_ino, after.st_ino); // a new file renamed over the old one
    EXPECT_EQ(ModeOf(path), 0640u);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string> { "a.ini" });
}

TEST(IniWrite, ReadOnlyFileIsNotWritten)
{
    TTempFolder folder;
    const std::string path = folder.WriteText("a.ini", "[Pelorin]\nFit=0\n");
    ::chmod(path.c_str(), 0444);
    EXPECT_FALSE(TIniFile(path).Write("Pelorin", "Fit", "1"));
    EXPECT_EQ(ReadText(path), "[Pelorin]\nFit=0\n");
    EXPECT_EQ(ModeOf(path), 0444u);
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string> { "a.ini" });
}

TEST(IniWrite, FailedReplaceLeavesOldFileWhole)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    TTempFolder folder;
    const std::string path = folder.WriteText("a.ini", "[Pelorin]\nFit=0\n; keep\n");
    ::chmod(folder.Path().c_str(), 0555);
    EXPECT_FALSE(TIniFile(path).Write("Pelorin", "Fit", "1"));
    ::chmod(folder.Path().c_str(), 0755);
    EXPECT_EQ(ReadText(path), "[Pelorin]\nFit=0\n; keep\n");
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string> { "a.ini" });
}

TEST(IniWrite, MissingFolderFailsWithoutCreatingIt)
{
    TTempFolder folder;
    EXPECT_FALSE(TIniFile(folder.File("no/such/a.ini")).Write("Pelorin", "Fit", "1"));
    EXPECT_TRUE(FolderEntries(folder.Path()).empty());
}

TEST(IniWrite, SymbolicLinkIsWrittenThrough)
{
    TTempFolder folder;
    const std::string target = folder.WriteText("real.ini", "[Pelorin]\nFit=0\n");
    const std::string link = folder.File("link.ini");
    fs::create_symlink("real.ini", link);
    ASSERT_TRUE(TIniFile(link).Write("Pelorin", "Fit", "1"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(ReadText(target), "[Pelorin]\nFit=1\n");
}
