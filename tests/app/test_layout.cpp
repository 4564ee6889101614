#include "app/Layout.h"
#include "app/Startup.h"
#include "platform/ProcessFlags.h"
#include "platform/Profile.h"
#include "platform/ProgramFiles.h"
#include "settings/ViewSettings.h"
#include "tests/support/TestFiles.h"
#include "ui/HelpService.h"

#include <gtest/gtest.h>

TEST(Layout, ScreenWidthChoosesTheLayoutWhenAutoSized)
{
    const std::vector<std::pair<int, int>> cases
        = { { 640, 0 }, { 641, 1 }, { 800, 1 }, { 801, 2 }, { 1024, 2 }, { 1025, 3 }, { 1280, 3 } };
    for (const auto& [width, layout] : cases)
        EXPECT_EQ(ChooseLayout(true, 0, width), layout) << width;
    // Without AutoSizeMain the stored size wins on any screen.
    EXPECT_EQ(ChooseLayout(false, 2, 640), 2);
    EXPECT_EQ(ChooseLayout(false, 0, 1920), 0);
}

TEST(Layout, AltFileSelSwapsTheSelectionKindOfEveryLayout)
{
    const std::vector<std::pair<int, int>> templates
        = { { 130, 173 }, { 174, 131 }, { 175, 146 }, { 176, 147 } };
    for (int layout = 0; layout < 4; ++layout) {
        EXPECT_EQ(BrowserTemplateFor(layout, false), templates[size_t(layout)].first);
        EXPECT_EQ(BrowserTemplateFor(layout, true), templates[size_t(layout)].second);
    }
    // SizeMain 2 on a small screen, and AltFileSel on the smallest and a wider screen.
    EXPECT_EQ(BrowserTemplateFor(ChooseLayout(false, 2, 640), false), 175);
    EXPECT_EQ(BrowserTemplateFor(ChooseLayout(false, 2, 640), true), 146);
    EXPECT_EQ(BrowserTemplateFor(ChooseLayout(true, 0, 640), true), 173);
    EXPECT_EQ(BrowserTemplateFor(ChooseLayout(true, 0, 1280), true), 147);
}

TEST(Startup, HelpFileLiesBesideTheProgram)
{
    EXPECT_EQ(HelpFilePath("/usr/local/bin/pelorin"), "/usr/local/bin/Pelorin.hlp");
    EXPECT_EQ(HelpFilePath("./pelorin"), "./Pelorin.hlp");
    EXPECT_EQ(HelpFilePath("pelorin"), "Pelorin.hlp");
}

TEST(Startup, EntryTakesTheFirstArgumentAndTheFirstSettingsGroup)
{
    TTempFolder folder;
    folder.WriteText(
        "Pelorin.ini", "[Pelorin]\nAutoSizeMain=0\nSizeMain=7\nAltFileSel=1\nConfirmOn=0\n");
    const std::string program = folder.File("pelorin");
    std::string photo = "photo.gif";
    std::string extra = "ignored.bmp";
    char* argv[] = { const_cast<char*>(program.c_str()), photo.data(), extra.data() };
    Settings() = TViewSettings();
    ProcessFlags().restart = true;
    ProcessFlags().viewerLoading = true;
    ProcessFlags().optionsUnsaved = true;
    ProcessFlags().newShell = false;
    ProcessFlags().win32s = true;
    EXPECT_EQ(StartProgram(3, argv), "photo.gif");
    EXPECT_EQ(HelpFile(), folder.File("Pelorin.hlp"));
    EXPECT_EQ(TProfile::Instance().PrivateFile(), folder.File("Pelorin.ini"));
    EXPECT_FALSE(Settings().AutoSizeMain);
    EXPECT_EQ(Settings().SizeMain, 1); // 7 is out of range
    EXPECT_TRUE(Settings().AltFileSel);
    EXPECT_TRUE(Settings().ConfirmOn); // the browser's group is read later
    EXPECT_FALSE(ProcessFlags().restart);
    EXPECT_FALSE(ProcessFlags().viewerLoading);
    EXPECT_FALSE(ProcessFlags().optionsUnsaved);
    EXPECT_TRUE(ProcessFlags().newShell);
    EXPECT_FALSE(ProcessFlags().win32s || ProcessFlags().oldNt);

    char* programOnly[] = { const_cast<char*>(program.c_str()) };
    EXPECT_EQ(StartProgram(1, programOnly), "");
}
