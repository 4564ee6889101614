#include "tests/support/TestFiles.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <map>

namespace {

// Every key with its default, in the order of the settings table.
const std::vector<std::pair<std::string, std::string>> kDefaults = { { "UseWinINI", "0" },
    { "AutoSizeMain", "1" }, { "SizeMain", "0" }, { "AltFileSel", "0" }, { "FileLeft", "10" },
    { "FileTop", "10" }, { "ConfirmOn", "1" }, { "ShowHidden", "0" }, { "PreviewOn", "1" },
    { "Fit", "0" }, { "CenterImage", "1" }, { "FullScreen", "0" }, { "ShowWarnings", "0" },
    { "IntensityOffset", "0" }, { "AutoSizeView", "1" }, { "UseFastDibs", "0" },
    { "SlideShowTimer", "0" }, { "ShiftForSelected", "0" }, { "SavePath", "1" },
    { "ShowStatus", "1" }, { "ShowAnimatedGIF", "1" }, { "UseSSTimer", "0" },
    { "PrevBKColor", "0" }, { "UseBKColor", "0" }, { "CustomColor1", "0" }, { "CustomColor2", "0" },
    { "CustomColor3", "0" }, { "CustomColor4", "0" }, { "CustomColor5", "0" },
    { "CustomColor6", "0" }, { "CustomColor7", "0" }, { "CustomColor8", "0" },
    { "CustomColor9", "0" }, { "CustomColor10", "0" }, { "CustomColor11", "0" },
    { "CustomColor12", "0" }, { "CustomColor13", "0" }, { "CustomColor14", "0" },
    { "CustomColor15", "0" }, { "CustomColor16", "0" }, { "ShowColorWarning", "1" },
    { "FileType", "1" }, { "LastPath", "" }, { "ViewLeft", "25" }, { "ViewTop", "20" },
    { "ViewWidth", "65" }, { "ViewHeight", "65" } };

// The tool's whole output for the defaults with some values changed.
std::string Expected(const std::map<std::string, std::string>& changes)
{
    std::string text;
    size_t used = 0;
    for (const auto& [key, value] : kDefaults) {
        const auto change = changes.find(key);
        used += change != changes.end();
        text += key + "=" + (change != changes.end() ? change->second : value) + "\n";
    }
    EXPECT_EQ(used, changes.size()) << "a changed key is not in the table";
    return text;
}

class SettingsCommand : public ::testing::Test {
protected:
    // Runs the command with the configuration folder in the test's folder, so that the
    // user's own shared file is never read.
    TCommandResult Run(const std::string& arguments)
    {
        return RunCommand("XDG_CONFIG_HOME='" + folder.File("config") + "' '" + PELORIN_TOOL_PATH
            + "' settings " + arguments);
    }
    std::string Ini(const std::string& text) { return folder.WriteText("Pelorin.ini", text); }

    TTempFolder folder;
};

} // namespace

TEST_F(SettingsCommand, AbsentFilePrintsTheDefaultsAndCreatesNothing)
{
    const TCommandResult result = Run(folder.File("Pelorin.ini") + " --screen-width 640");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, Expected({}));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
}

TEST_F(SettingsCommand, AutomaticLayoutFollowsTheScreenWidth)
{
    const std::string ini = Ini("[Pelorin]\nSizeMain=1\n");
    EXPECT_EQ(Run(ini + " --screen-width 800").output, Expected({ { "SizeMain", "1" } }));
    EXPECT_EQ(Run(ini + " --screen-width 801").output, Expected({ { "SizeMain", "2" } }));
    EXPECT_EQ(Run(ini + " --screen-width 1025").output, Expected({ { "SizeMain", "3" } }));
    EXPECT_EQ(Run(ini + " --screen-width 640").output, Expected({}));
}

TEST_F(SettingsCommand, EveryKeyIsReadAndValidated)
{
    const std::string ini = Ini("; edited by hand\r\n"
                                "[Other]\r\nFit=0\r\n"
                                "[PELORIN]\r\n"
                                "autosizemain=0\r\nSizeMain=7\r\nAltFileSel=1\r\n"
                                "FileLeft=100\r\nFileTop=99\r\nConfirmOn=0\r\nShowHidden=5\r\n"
                                "PreviewOn=0\r\nFit=1\r\nCenterImage=0\r\nFullScreen=1\r\n"
                                "ShowWarnings=1\r\nIntensityOffset=-40\r\nAutoSizeView=0\r\n"
                                "UseFastDibs=1\r\nSlideShowTimer=1801\r\nShiftForSelected=1\r\n"
                                "SavePath=1\r\nShowStatus=0\r\nShowAnimatedGIF=0\r\n"
                                "UseSSTimer=1\r\nPrevBKColor=4278190335\r\nUseBKColor=1\r\n"
                                "CustomColor1=65280\r\nCustomColor16=16711680\r\n"
                                "CustomColor9=-1\r\nShowColorWarning=0\r\nFileType=7\r\n"
                                "LastPath=c:\\my photos\\\r\nViewLeft=100\r\nViewTop=0\r\n"
                                "ViewWidth=150\r\nViewHeight=-1\r\nFit=0\r\n");
    const TCommandResult result = Run(ini + " --screen-width 1280");
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output,
        Expected({ { "AutoSizeMain", "0" }, { "SizeMain", "1" }, { "AltFileSel", "1" },
            { "FileTop", "99" }, { "ConfirmOn", "0" }, { "ShowHidden", "1" }, { "PreviewOn", "0" },
            { "Fit", "1" }, { "CenterImage", "0" }, { "FullScreen", "1" }, { "ShowWarnings", "1" },
            { "IntensityOffset", "-40" }, { "AutoSizeView", "0" }, { "UseFastDibs", "1" },
            { "ShiftForSelected", "1" }, { "ShowStatus", "0" }, { "ShowAnimatedGIF", "0" },
            { "UseSSTimer", "1" }, { "PrevBKColor", "255" }, { "UseBKColor", "1" },
            { "CustomColor1", "65280" }, { "CustomColor9", "16777215" },
            { "CustomColor16", "16711680" }, { "ShowColorWarning", "0" },
            { "LastPath", "c:\\my photos\\" }, { "ViewTop", "0" }, { "ViewWidth", "150" } }));
}

TEST_F(SettingsCommand, LastPathOnlyWhenSavePathIsSet)
{
    const std::string ini = Ini("[Pelorin]\nSavePath=0\nLastPath=c:\\old\\\n");
    EXPECT_EQ(Run(ini + " --screen-width 640").output, Expected({ { "SavePath", "0" } }));
}

TEST_F(SettingsCommand, UseWinIniReadsTheSharedFile)
{
    std::filesystem::create_directory(folder.File("config"));
    folder.WriteText("config/win.ini", "[Pelorin]\nFit=1\nUseWinINI=0\nViewLeft=40\n");
    const std::string ini = Ini("[Pelorin]\nUseWinINI=1\nFit=0\nShowHidden=1\n");
    EXPECT_EQ(Run(ini + " --screen-width 640").output,
        Expected({ { "UseWinINI", "1" }, { "Fit", "1" }, { "ViewLeft", "40" } }));

    // The flag counts only in the private file.
    const std::string plain = Ini("[Pelorin]\nShowHidden=1\n");
    folder.WriteText("config/win.ini", "[Pelorin]\nUseWinINI=1\nFit=1\n");
    EXPECT_EQ(Run(plain + " --screen-width 640").output, Expected({ { "ShowHidden", "1" } }));
}
