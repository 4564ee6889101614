#include "platform/Profile.h"
#include "platform/ProgramFiles.h"

#include "tests/support/TestFiles.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>

namespace {

class ProfileStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_private = folder.File("Pelorin.ini");
        m_shared = folder.File("win.ini");
        TProfile::Instance().SetPrivateFile(m_private);
        TProfile::Instance().SetSharedFile(m_shared);
    }
    TTempFolder folder;
    std::string m_private;
    std::string m_shared;
};

} // namespace

TEST_F(ProfileStore, ReadsTheSectionOfTheCurrentFileOrTheDefault)
{
    folder.WriteText("Pelorin.ini",
        "[Other]\nFit=5\n[pelorin]\nfit=3 \nText= spaced out \nBad=x1\nColor=4278190335\n");
    EXPECT_EQ(ReadSettingInt("FIT", 9), 3);
    EXPECT_EQ(ReadSettingInt("Bad", 9), 0); // present but not a number
    EXPECT_EQ(ReadSettingInt("Missing", 9), 9);
    EXPECT_EQ(uint32_t(ReadSettingInt("Color", 0)) & 0xFFFFFF, 255u);
    EXPECT_EQ(ReadSettingString("text", "d"), "spaced out");
    EXPECT_EQ(ReadSettingString("Missing", "d"), "d");
}

TEST_F(ProfileStore, WritesGoToTheCurrentFileOnly)
{
    EXPECT_TRUE(WriteSetting("FileLeft", 12));
    EXPECT_TRUE(WriteSetting("IntensityOffset", -128));
    EXPECT_TRUE(WriteSetting("LastPath", "c:\\photos\\"));
    EXPECT_EQ(ReadText(m_private),
        "[Pelorin]\nFileLeft=12\nIntensityOffset=-128\nLastPath=c:\\photos\\\n");
    EXPECT_FALSE(std::filesystem::exists(m_shared));
}

TEST_F(ProfileStore, SharedStoreTakesReadsAndWritesButNotThePrivateFlag)
{
    folder.WriteText("Pelorin.ini", "[Pelorin]\nUseWinINI=1\nFit=1\n");
    folder.WriteText("win.ini", "[Pelorin]\nFit=0\nUseWinINI=0\n");
    TProfile& profile = TProfile::Instance();
    profile.UseSharedFile(true);
    EXPECT_EQ(ReadSettingInt("Fit", 7), 0);
    EXPECT_EQ(profile.ReadPrivateInt("UseWinINI", 0), 1);
    WriteSetting("FileTop", 40);
    EXPECT_EQ(ReadText(m_private), "[Pelorin]\nUseWinINI=1\nFit=1\n");
    EXPECT_EQ(ReadText(m_shared), "[Pelorin]\nFit=0\nUseWinINI=0\nFileTop=40\n");

    // Choosing a private file starts over with it as the store.
    profile.SetPrivateFile(m_private);
    EXPECT_FALSE(profile.UsesSharedFile());
    EXPECT_EQ(ReadSettingInt("Fit", 7), 1);
}

TEST_F(ProfileStore, FailedWriteIsReportedAndChangesNothing)
{
    folder.WriteText("Pelorin.ini", "[Pelorin]\nFit=1\n");
    std::filesystem::permissions(m_private, std::filesystem::perms::owner_read);
    EXPECT_FALSE(WriteSetting("Fit", 0));
    EXPECT_EQ(ReadSettingInt("Fit", 7), 1);
}

TEST(ProfilePaths, PrivateFileBesideTheProgramOrInTheConfigFolder)
{
    const TScopedEnv config("XDG_CONFIG_HOME", "/home/someone/cfg");
    EXPECT_EQ(PrivateProfilePath("/opt/pelorin/bin/pelorin"), "/opt/pelorin/bin/Pelorin.ini");
    EXPECT_EQ(PrivateProfilePath("./pelorin"), "./Pelorin.ini");
    EXPECT_EQ(PrivateProfilePath("/pelorin"), "/Pelorin.ini");
    EXPECT_EQ(PrivateProfilePath("pelorin"), "/home/someone/cfg/Pelorin.ini");
    EXPECT_EQ(SharedProfilePath(), "/home/someone/cfg/win.ini");
}

TEST(ProfilePaths, InstalledProgramKeepsItsIniInTheConfigFolderAndItsHelpInItsDataFolder)
{
    const TScopedEnv config("XDG_CONFIG_HOME", "/home/someone/cfg");
    TTempFolder tree;
    const std::filesystem::path bin = tree.Path() / "prefix/bin";
    const std::filesystem::path data = (bin / InstalledDataFolder()).lexically_normal();
    std::filesystem::create_directories(data);
    const std::string build = tree.File("build/app");
    std::filesystem::create_directories(build);
    const std::string installedHelp = (data / "Pelorin.hlp").string();
    struct TCase {
        std::string programPath;
        std::string executableFolder;
        std::string profile;
        std::string help;
    };
    const std::vector<TCase> cases = {
        { bin.string() + "/pelorin", bin.string(), "/home/someone/cfg/Pelorin.ini", installedHelp },
        { "pelorin", bin.string(), "/home/someone/cfg/Pelorin.ini", installedHelp },
        { build + "/pelorin", build, build + "/Pelorin.ini", build + "/Pelorin.hlp" },
        { "./pelorin", build, "./Pelorin.ini", "./Pelorin.hlp" },
        { "pelorin", "", "/home/someone/cfg/Pelorin.ini", "Pelorin.hlp" },
    };
    for (const TCase& test : cases) {
        const TProgramFiles files = ProgramFiles(test.programPath, test.executableFolder);
        EXPECT_EQ(files.privateProfile, test.profile) << test.programPath;
        EXPECT_EQ(files.helpFile, test.help) << test.programPath;
    }
}

TEST(ProfilePaths, ConfigFolderFallsBackToHome)
{
    const TScopedEnv home("HOME", "/home/someone");
    for (const auto& value : { std::optional<std::string>(), std::optional<std::string>(""),
             std::optional<std::string>("relative/cfg") }) {
        const TScopedEnv config("XDG_CONFIG_HOME", value);
        EXPECT_EQ(PrivateProfilePath("pelorin"), "/home/someone/.config/Pelorin.ini");
        EXPECT_EQ(SharedProfilePath(), "/home/someone/.config/win.ini");
    }
}

TEST(ProfilePaths, WritingCreatesAMissingConfigFolder)
{
    TTempFolder folder;
    const std::string config = folder.File("fresh/config");
    const TScopedEnv env("XDG_CONFIG_HOME", config);
    TProfile::Instance().SetPrivateFile(PrivateProfilePath("pelorin"));
    EXPECT_TRUE(WriteSetting("Fit", 1));
    EXPECT_EQ(ReadText(config + "/Pelorin.ini"), "[Pelorin]\nFit=1\n");

    // A program folder that does not exist is not created.
    TProfile::Instance().SetPrivateFile(PrivateProfilePath(folder.File("gone/pelorin")));
    EXPECT_FALSE(WriteSetting("Fit", 1));
    EXPECT_FALSE(std::filesystem::exists(folder.File("gone")));
}
