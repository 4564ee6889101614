#pragma once

#include "platform/IniFile.h"
#include "platform/ProcessFlags.h"
#include "platform/Profile.h"
#include "settings/ViewSettings.h"
#include "tests/support/TestFiles.h"
#include "ui/Dialog.h"
#include "ui/support/RecordingHelp.h"
#include "ui/support/ScriptedModalService.h"

#include <gtest/gtest.h>

#include <functional>

// Default settings in memory, the INI file in a fresh folder, the modal and help services
// scripted.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TProfile::Instance().SetPrivateFile(folder.File("Pelorin.ini"));
        Settings() = TViewSettings();
        ProcessFlags() = TProcessFlags();
        SetHelpService(&help);
    }
    void TearDown() override { SetHelpService(nullptr); }

    std::optional<std::string> IniValue(const std::string& key) const
    {
        return TIniFile(folder.File("Pelorin.ini")).Read("Pelorin", key);
    }

    // Runs the dialog through the modal service with the script and returns what it ended with.
    template <class TDlg> int Run(TDlg& dialog, std::function<int(TDlg&)> script)
    {
        modal.QueueDialog([script](TDialog& shown) { return script(static_cast<TDlg&>(shown)); });
        return dialog.Execute();
    }

    TTempFolder folder;
    TScriptedModalService modal;
    TRecordingHelp help;
};
