#pragma once

#include "browser/ViewFileDlg.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/ProcessFlags.h"
#include "platform/Profile.h"
#include "settings/ViewSettings.h"
#include "tests/support/TestFiles.h"
#include "ui/Screen.h"
#include "ui/support/RecordingHelp.h"
#include "ui/support/ScriptedModalService.h"

#include <gtest/gtest.h>

// A process as it starts: default settings in memory, an INI file in a fresh folder that is
// also the only drive (c:), no browser created yet, a 1024 x 768 screen, the modal and help
// services scripted, and a fresh home of its own, so that a file deleted goes to a trash
// (home/data/Trash) on the files' volume and never to the user's.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TProfile::Instance().SetPrivateFile(folder.File("Pelorin.ini"));
        TProfile::Instance().SetSharedFile(folder.File("win.ini"));
        Settings() = TViewSettings();
        ProcessFlags() = TProcessFlags();
        TViewFileDlg::BrowserCreatedBefore() = false;
        SetScreenOverride(MakeScreenInfo(1024, 768));
        SetHelpService(&help);
        setenv(kDrivesVariable, ("c=" + folder.Path().string()).c_str(), 1);
        FileSystem().Reset();
    }
    void TearDown() override
    {
        unsetenv(kDrivesVariable);
        FileSystem().Reset();
        SetScreenOverride(std::nullopt);
        SetHelpService(nullptr);
    }

    void WriteIni(const std::string& entries)
    {
        folder.WriteText("Pelorin.ini", "[Pelorin]\n" + entries);
    }
    std::optional<std::string> IniValue(const std::string& key) const
    {
        return TIniFile(folder.File("Pelorin.ini")).Read("Pelorin", key);
    }

    TTempFolder folder;
    TTempFolder home;
    TScopedEnv homeVariable { "HOME", home.Path().string() };
    TScopedEnv dataVariable { "XDG_DATA_HOME", (home.Path() / "data").string() };
    TScriptedModalService modal;
    TRecordingHelp help;
};
