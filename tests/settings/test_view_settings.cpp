#include "settings/ViewSettings.h"

#include "platform/Profile.h"
#include "tests/support/TestFiles.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_private = folder.File("Pelorin.ini");
        m_shared = folder.File("win.ini");
        TProfile::Instance().SetPrivateFile(m_private);
        TProfile::Instance().SetSharedFile(m_shared);
        Settings() = TViewSettings();
    }

    void WritePrivate(const std::string& entries)
    {
        folder.WriteText("Pelorin.ini", "[Pelorin]\n" + entries);
    }

    // Every load point of a start-up, the main window taking the layout screenLayout when
    // AutoSizeMain is set.
    static TViewSettings LoadAll(int32_t screenLayout)
    {
        TViewSettings settings;
        settings.LoadStartup();
        settings.ScreenLayout = screenLayout;
        settings.CurrentLayout = settings.AutoSizeMain ? screenLayout : settings.SizeMain;
        settings.LoadFramePosition();
        settings.LoadBrowserGroup();
        settings.LoadLastPath();
        settings.LoadViewPosition();
        return settings;
    }

    TTempFolder folder;
    std::string m_private;
    std::string m_shared;
};

// The keys of the options dialog's Save button, in the order they are written.
const std::vector<std::string> kOptionKeys = { "ConfirmOn", "ShowHidden", "Fit", "CenterImage",
    "FullScreen", "ShowWarnings", "SlideShowTimer", "IntensityOffset", "AutoSizeMain",
    "AutoSizeView", "UseFastDibs", "AltFileSel", "ShiftForSelected", "SavePath", "ShowStatus",
    "ShowAnimatedGIF", "UseSSTimer", "UseBKColor", "PrevBKColor", "CustomColor1", "CustomColor2",
    "CustomColor3", "CustomColor4", "CustomColor5", "CustomColor6", "CustomColor7", "CustomColor8",
    "CustomColor9", "CustomColor10", "CustomColor11", "CustomColor12", "CustomColor13",
    "CustomColor14", "CustomColor15", "CustomColor16", "SizeMain", "PreviewOn" };

// A record in which every stored value differs from its default.
TViewSettings NonDefaultSettings()
{
    TViewSettings settings;
    settings.AutoSizeMain = false;
    settings.SizeMain = 2;
    settings.AltFileSel = true;
    settings.FileLeft = 0;
    settings.FileTop = 99;
    settings.ConfirmOn = false;
    settings.ShowHidden = true;
    settings.PreviewOn = false;
    settings.Fit = true;
    settings.CenterImage = false;
    settings.FullScreen = true;
    settings.ShowWarnings = true;
    settings.IntensityOffset = -128;
    settings.AutoSizeView = false;
    settings.UseFastDibs = true;
    settings.SlideShowTimer = 1800;
    settings.ShiftForSelected = true;
    settings.SavePath = true;
    settings.ShowStatus = false;
    settings.ShowAnimatedGIF = false;
    settings.UseSSTimer = true;
    settings.PrevBKColor = 0xFFFFFF;
    settings.UseBKColor = true;
    for (size_t i = 0; i < settings.CustomColor.size(); ++i)
        settings.CustomColor[i] = uint32_t(0x010203 * (i + 1));
    settings.ShowColorWarning = false;
    settings.FileType = 6;
    settings.LastPath = "c:\\my photos\\2024\\";
    settings.ViewLeft = 0;
    settings.ViewTop = 99;
    settings.ViewWidth = 150;
    settings.ViewHeight = 0;
    return settings;
}

} // namespace

TEST_F(SettingsStore, AbsentOrEmptyFileGivesTheDefaultsAndWritesNothing)
{
    EXPECT_EQ(LoadAll(0), TViewSettings());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));

    const TViewSettings defaults = TViewSettings();
    EXPECT_FALSE(defaults.UseWinINI);
    EXPECT_TRUE(defaults.AutoSizeMain && defaults.ConfirmOn && defaults.PreviewOn
        && defaults.CenterImage && defaults.AutoSizeView && defaults.SavePath && defaults.ShowStatus
        && defaults.ShowAnimatedGIF && defaults.ShowColorWarning);
    EXPECT_FALSE(defaults.AltFileSel || defaults.ShowHidden || defaults.Fit || defaults.FullScreen
        || defaults.ShowWarnings || defaults.UseFastDibs || defaults.ShiftForSelected
        || defaults.UseSSTimer || defaults.UseBKColor);
    EXPECT_EQ(defaults.SizeMain, 0);
    EXPECT_EQ(defaults.FileLeft, 10);
    EXPECT_EQ(defaults.FileTop, 10);
    EXPECT_EQ(defaults.IntensityOffset, 0);
    EXPECT_EQ(defaults.SlideShowTimer, 0);
    EXPECT_EQ(defaults.PrevBKColor, 0u);
    EXPECT_EQ(defaults.CustomColor, (std::array<uint32_t, 16> {}));
    EXPECT_EQ(defaults.FileType, 1);
    EXPECT_EQ(defaults.LastPath, "");
    EXPECT_EQ(defaults.ViewLeft, 25);
    EXPECT_EQ(defaults.ViewTop, 20);
    EXPECT_EQ(defaults.ViewWidth, 65);
    EXPECT_EQ(defaults.ViewHeight, 65);

    for (const std::string text : { "", "[Other]\nFit=1\nFileType=3\n" }) {
        const std::string path = folder.WriteText("Pelorin.ini", text);
        EXPECT_EQ(LoadAll(0), TViewSettings());
        EXPECT_EQ(ReadText(path), text);
    }
}

TEST_F(SettingsStore, OutOfRangeValuesAreReplacedOnLoad)
{
    struct TCase {
        const char* entries;
        std::function<int64_t(const TViewSettings&)> field;
        int64_t expected;
    };
    const auto timer = [](const TViewSettings& s) { return s.SlideShowTimer; };
    const auto sizeMain = [](const TViewSettings& s) { return s.SizeMain; };
    const auto fileType = [](const TViewSettings& s) { return s.FileType; };
    const auto fileLeft = [](const TViewSettings& s) { return s.FileLeft; };
    const auto fileTop = [](const TViewSettings& s) { return s.FileTop; };
    const auto viewLeft = [](const TViewSettings& s) { return s.ViewLeft; };
    const auto viewTop = [](const TViewSettings& s) { return s.ViewTop; };
    const auto viewWidth = [](const TViewSettings& s) { return s.ViewWidth; };
    const auto viewHeight = [](const TViewSettings& s) { return s.ViewHeight; };
    const auto intensity = [](const TViewSettings& s) { return s.IntensityOffset; };
    const TCase cases[] = {
        { "SlideShowTimer=1801", timer, 0 }, { "SlideShowTimer=-1", timer, 0 },
        { "SlideShowTimer=1800", timer, 1800 }, { "SlideShowTimer=5 seconds", timer, 5 },
        { "AutoSizeMain=0\nSizeMain=7", sizeMain, 1 },
        { "AutoSizeMain=0\nSizeMain=4", sizeMain, 1 },
        { "AutoSizeMain=0\nSizeMain=-2", sizeMain, 0 },
        { "AutoSizeMain=0\nSizeMain=3", sizeMain, 3 }, { "FileType=7", fileType, 1 },
        { "FileType=-1", fileType, 1 }, { "FileType=6", fileType, 6 },
        { "FileType=0", fileType, 0 }, { "FileLeft=100", fileLeft, 10 },
        { "FileLeft=-1", fileLeft, 10 }, { "FileLeft=0", fileLeft, 0 },
        { "FileTop=99", fileTop, 99 }, { "FileTop=100", fileTop, 10 },
        { "ViewLeft=100", viewLeft, 25 }, { "ViewLeft=-5", viewLeft, 25 },
        { "ViewLeft=99", viewLeft, 99 }, { "ViewTop=100", viewTop, 20 },
        { "ViewTop=0", viewTop, 0 }, { "ViewWidth=150", viewWidth, 150 },
        { "ViewWidth=-1", viewWidth, 65 }, { "ViewWidth=0", viewWidth, 0 },
        { "ViewHeight=-65", viewHeight, 65 }, { "ViewHeight=400", viewHeight, 400 },
        { "IntensityOffset=-500", intensity, -500 }, // the dialog's range is not enforced
    };
    for (const TCase& test : cases) {
        SCOPED_TRACE(test.entries);
        WritePrivate(std::string(test.entries) + "\n");
        EXPECT_EQ(test.field(LoadAll(2)), test.expected);
    }
    // Validation happens in memory only: the file keeps the bad value.
    EXPECT_EQ(ReadText(m_private), "[Pelorin]\nIntensityOffset=-500\n");
}

TEST_F(SettingsStore, SizeMainIsReadOnlyWithoutAutomaticLayout)
{
    WritePrivate("AutoSizeMain=1\nSizeMain=2\n");
    TViewSettings settings;
    settings.SizeMain = 3;
    settings.LoadStartup();
    EXPECT_EQ(settings.SizeMain, 3);

    WritePrivate("AutoSizeMain=0\nSizeMain=2\n");
    settings.LoadStartup();
    EXPECT_EQ(settings.SizeMain, 2);

    // The browser's creation replaces it with the layout the main window was built with.
    settings.CurrentLayout = 1;
    settings.LoadBrowserGroup();
    EXPECT_EQ(settings.SizeMain, 1);
}

TEST_F(SettingsStore, FlagsColoursAndTextDecodeAsStored)
{
    WritePrivate("fit=2\nConfirmOn=0\nShowStatus=abc\nPreviewOn=\nCenterImage= 0 \n"
                 "UseBKColor=-1\nPrevBKColor=4278190335\nCustomColor1=16777216\n"
                 "CustomColor16=-1\nCustomColor8=65280\nLastPath=c:\\a b\\\n");
    const TViewSettings settings = LoadAll(2);
    EXPECT_TRUE(settings.Fit);
    EXPECT_FALSE(settings.ConfirmOn);
    EXPECT_FALSE(settings.ShowStatus);
    EXPECT_FALSE(settings.PreviewOn);
    EXPECT_FALSE(settings.CenterImage);
    EXPECT_TRUE(settings.UseBKColor);
    EXPECT_EQ(settings.PrevBKColor, 255u); // pure red with a garbage top byte
    EXPECT_EQ(settings.CustomColor[0], 0u);
    EXPECT_EQ(settings.CustomColor[15], 0xFFFFFFu);
    EXPECT_EQ(settings.CustomColor[7], 0x00FF00u);
    EXPECT_EQ(settings.LastPath, "c:\\a b\\");
}

TEST_F(SettingsStore, UseWinIniInThePrivateFileMovesTheStoreToTheSharedFile)
{
    WritePrivate("UseWinINI=1\nFit=0\nFileLeft=5\nViewLeft=5\n");
    folder.WriteText("win.ini", "[Pelorin]\nFit=1\nFileLeft=33\nViewLeft=40\n");
    TViewSettings& settings = Settings();
    settings = LoadAll(2);
    EXPECT_TRUE(settings.UseWinINI);
    EXPECT_TRUE(settings.Fit);
    EXPECT_EQ(settings.FileLeft, 33);
    EXPECT_EQ(settings.ViewLeft, 40);

    settings.FileLeft = 50;
    settings.SaveFramePosition();
    settings.SaveViewPosition();
    settings.SaveBrowserState("c:\\");
    EXPECT_EQ(ReadText(m_private), "[Pelorin]\nUseWinINI=1\nFit=0\nFileLeft=5\nViewLeft=5\n");
    EXPECT_EQ(ReadText(m_shared),
        "[Pelorin]\nFit=1\nFileLeft=50\nViewLeft=40\nFileTop=10\nViewTop=20\nViewWidth=65\n"
        "ViewHeight=65\nFileType=1\nLastPath=c:\\\n");
}

TEST_F(SettingsStore, UseWinIniInTheSharedFileHasNoEffect)
{
    WritePrivate("Fit=1\n");
    folder.WriteText("win.ini", "[Pelorin]\nUseWinINI=1\nFit=0\n");
    const TViewSettings settings = LoadAll(2);
    EXPECT_FALSE(settings.UseWinINI);
    EXPECT_TRUE(settings.Fit);
    settings.SaveFramePosition();
    EXPECT_EQ(ReadText(m_shared), "[Pelorin]\nUseWinINI=1\nFit=0\n");
    EXPECT_EQ(ReadText(m_private), "[Pelorin]\nFit=1\nFileLeft=10\nFileTop=10\n");
}

TEST_F(SettingsStore, SaveOptionsWritesTheDialogInOrderAndKeepsOtherKeys)
{
    folder.WriteText("Pelorin.ini",
        "; my settings\n[Pelorin]\nLastPath=c:\\x\\\nFit=0\nViewLeft=30\n; end\n\n"
        "[Other]\nFit=1\n");
    TViewSettings memory;
    for (size_t i = 0; i < memory.CustomColor.size(); ++i)
        memory.CustomColor[i] = uint32_t(i * 1000);
    memory.Fit = false;
    TViewSettings dialog = NonDefaultSettings(); // the custom colours must come from memory
    memory.SaveOptions(dialog);

    std::string expected = "; my settings\n[Pelorin]\nLastPath=c:\\x\\\nFit=1\nViewLeft=30\n";
    const std::vector<std::string> values
        = { "0", "1", "1", "0", "1", "1", "1800", "-128", "0", "0", "1", "1", "1", "1", "0", "0",
              "1", "1", "16777215", "0", "1000", "2000", "3000", "4000", "5000", "6000", "7000",
              "8000", "9000", "10000", "11000", "12000", "13000", "14000", "15000", "2", "0" };
    ASSERT_EQ(values.size(), kOptionKeys.size());
    for (size_t i = 0; i < kOptionKeys.size(); ++i)
        if (kOptionKeys[i] != "Fit")
            expected += kOptionKeys[i] + "=" + values[i] + "\n";
    expected += "; end\n\n[Other]\nFit=1\n";
    EXPECT_EQ(ReadText(m_private), expected);
}

TEST_F(SettingsStore, SaveOptionsWritesSizeMainAsOneDigit)
{
    const std::pair<int32_t, const char*> cases[]
        = { { 0, "0" }, { 1, "1" }, { 2, "2" }, { 3, "3" }, { 4, "0" }, { -1, "0" } };
    for (const auto& [layout, text] : cases) {
        TViewSettings dialog;
        dialog.SizeMain = layout;
        Settings().SaveOptions(dialog);
        EXPECT_EQ(ReadSettingString("SizeMain", "?"), text) << layout;
    }
}

TEST_F(SettingsStore, WindowAndBrowserSavePoints)
{
    WritePrivate("LastPath=c:\\old\\\nShowColorWarning=1\n");
    TViewSettings settings = NonDefaultSettings();
    settings.SaveViewPosition();
    settings.SaveFramePosition();
    settings.SavePath = false;
    settings.SaveBrowserState("c:\\new\\");
    EXPECT_EQ(ReadText(m_private),
        "[Pelorin]\nLastPath=c:\\old\\\nShowColorWarning=1\nViewLeft=0\nViewTop=99\n"
        "ViewWidth=150\nViewHeight=0\nFileLeft=0\nFileTop=99\nFileType=6\n");

    settings.SavePath = true;
    settings.ShowColorWarning = true;
    settings.SaveBrowserState("c:\\new\\");
    settings.SaveColorWarningOff();
    EXPECT_FALSE(settings.ShowColorWarning);
    EXPECT_EQ(ReadText(m_private),
        "[Pelorin]\nLastPath=c:\\new\\\nShowColorWarning=0\nViewLeft=0\nViewTop=99\n"
        "ViewWidth=150\nViewHeight=0\nFileLeft=0\nFileTop=99\nFileType=6\n");
}

TEST_F(SettingsStore, EverySavedValueLoadsBack)
{
    TViewSettings saved = NonDefaultSettings();
    saved.SaveOptions(saved);
    saved.SaveColorWarningOff();
    saved.SaveViewPosition();
    saved.SaveFramePosition();
    saved.SaveBrowserState(saved.LastPath);

    saved.CurrentLayout = saved.SizeMain;
    saved.ScreenLayout = 3;
    EXPECT_EQ(LoadAll(3), saved);
}

TEST_F(SettingsStore, FailedWritesLeaveMemoryAlone)
{
    WritePrivate("Fit=1\n");
    std::filesystem::permissions(m_private, std::filesystem::perms::owner_read);
    TViewSettings settings;
    settings.SaveColorWarningOff();
    settings.SaveOptions(NonDefaultSettings());
    EXPECT_FALSE(settings.ShowColorWarning);
    EXPECT_EQ(ReadText(m_private), "[Pelorin]\nFit=1\n");
}

TEST(WindowPercent, RoundPosRoundsFractionsAbove0_49Up)
{
    EXPECT_EQ(RoundPos(12.49f), 12);
    EXPECT_EQ(RoundPos(12.495f), 13);
    EXPECT_EQ(RoundPos(0.5f), 1);
    EXPECT_EQ(RoundPos(12.0f), 12);
    EXPECT_EQ(RoundPos(0.0f), 0);
    EXPECT_EQ(RoundPos(99.9f), 100);
    EXPECT_EQ(RoundPos(29.296875f), 29);
}

TEST(WindowPercent, ConversionsBetweenPercentAndPixels)
{
    EXPECT_EQ(PercentToPixels(1024, 50), 512);
    EXPECT_EQ(PercentToPixels(768, 20), 154); // 153.6
    EXPECT_EQ(PercentToPixels(1280, 65), 832);
    EXPECT_EQ(PercentToPixels(480, 10), 48);
    EXPECT_EQ(PercentToPixels(1024, 150), 1536);
    EXPECT_EQ(PercentToPixels(1024, 0), 0);
    EXPECT_EQ(PixelsToPercent(300, 1024), 29); // 29.296...
    EXPECT_EQ(PixelsToPercent(512, 1024), 50);
    EXPECT_EQ(PixelsToPercent(154, 768), 20);
    EXPECT_EQ(PixelsToPercent(1536, 1024), 150);
    EXPECT_EQ(PixelsToPercent(0, 768), 0);
}

TEST(WindowPercent, PositionsDoNotCreepFromRunToRun)
{
    // A window placed from its stored percentage and stored again at exit keeps the value.
    for (const int32_t extent : { 480, 600, 640, 768, 800, 1024, 1080, 1280, 1920, 2160 })
        for (int32_t percent = 0; percent <= 100; ++percent)
            EXPECT_EQ(PixelsToPercent(PercentToPixels(extent, percent), extent), percent)
                << extent << " " << percent;
}

TEST(ScreenLayout, WidthThresholds)
{
    const std::pair<int32_t, int32_t> cases[] = { { 320, 0 }, { 640, 0 }, { 641, 1 }, { 800, 1 },
        { 801, 2 }, { 1024, 2 }, { 1025, 3 }, { 1280, 3 }, { 3840, 3 } };
    for (const auto& [width, layout] : cases)
        EXPECT_EQ(ScreenLayoutClass(width), layout) << width;
}
