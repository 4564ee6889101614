#pragma once

#include "image/BmpWriter.h"
#include "image/Dib.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/ProcessFlags.h"
#include "platform/Profile.h"
#include "resources/BrowserIds.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "support/DibPixels.h"
#include "tests/support/TestFiles.h"
#include "ui/Accelerators.h"
#include "ui/ListBox.h"
#include "ui/Screen.h"
#include "ui/support/ScriptedModalService.h"
#include "view/MyScroller.h"
#include "view/ViewWindow.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <random>

// Stands in for the file browser: a window with the file list and the drive and folder texts
// the viewing window reads, recording the commands that reach it.
class TFakeBrowser : public TWindow {
public:
    TFakeBrowser()
        : list(new TListBox(this, IdFileList))
    {
        list->SetSelStyle(TListBox::TSelStyle::Multiple);
    }
    void EvCommand(int id) override { commands.push_back(id); }
    TBrowserFiles Files() { return { list, &drive, &folder }; }

    TListBox* list;
    std::string drive;
    std::string folder;
    std::vector<int> commands;
};

// A viewing window that records the commands it receives, runs a check whenever one reaches
// it, can be refused its Fit bitmap and has its timers fired by hand.
class TTestViewWindow : public TViewWindow {
public:
    using TViewWindow::TViewWindow;
    void EvCommand(int id) override
    {
        commands.push_back(id);
        if (onCommand)
            onCommand(id);
        TViewWindow::EvCommand(id);
    }
    void Tick(int timerId) { EvTimer(timerId); }

    std::vector<int> commands;
    std::function<void(int)> onCommand;
    bool refuseScaling = false;

protected:
    bool CreateScaledBitmap(QSize size) override
    {
        return !refuseScaling && TViewWindow::CreateScaledBitmap(size);
    }
};

// Pixels of a test picture by position, as 0xRRGGBB.
using TPixelSource = std::function<uint32_t(int x, int y)>;

// A picture with a different colour at nearly every pixel.
inline uint32_t PatternRgb(int x, int y)
{
    return uint32_t(x * 3 + y * 5) << 16 | uint32_t(x ^ y) << 8 | uint32_t(x * 11 + y);
}

// A process with default settings, an INI file in a fresh folder, a 1024 x 768 screen, the
// message boxes scripted, and a browser whose folder is that fresh folder, the root of the
// only drive.
class ViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TProfile::Instance().SetPrivateFile(folder.File("Pelorin.ini"));
        TProfile::Instance().SetSharedFile(folder.File("win.ini"));
        Settings() = TViewSettings();
        ProcessFlags() = TProcessFlags();
        SetScreenOverride(MakeScreenInfo(1024, 768));
        setenv(kDrivesVariable, ("c=" + folder.Path().string()).c_str(), 1);
        FileSystem().Reset();
        browser.drive = "c:";
        browser.folder = "\\";
    }
    void TearDown() override
    {
        delete view.data();
        QCoreApplication::processEvents();
        SetScreenOverride(std::nullopt);
        unsetenv(kDrivesVariable);
        FileSystem().Reset();
    }

    // Creates the viewing window with the settings in force, as the browser does.
    TTestViewWindow* Open()
    {
        view = new TTestViewWindow(&browser);
        view->SetBrowserFiles(browser.Files());
        view->Create();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view));
        return view;
    }

    // Lists the files, puts the caret on one, and shows from it.
    void Show(const std::vector<std::string>& names, int caret = 0, int command = CmShowFromCursor)
    {
        browser.list->ClearList();
        for (const std::string& name : names)
            browser.list->AddString(name);
        browser.list->SetCaretIndex(caret);
        if (!view)
            Open();
        view->PostCommand(command);
        Flush();
    }

    // Runs what is queued, deletions of closed windows included.
    static void Flush()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Writes a BMP file of the bitmap and returns its name.
    std::string WriteBmp(const std::string& name, const TDib& dib)
    {
        std::string error;
        EXPECT_TRUE(WriteBmpFile(dib, folder.File(name), error)) << error;
        return name;
    }

    // A 24-bit picture whose pixels come from source (0xRRGGBB).
    std::string WritePicture(
        const std::string& name, int width, int height, const TPixelSource& source = PatternRgb)
    {
        TDib dib;
        EXPECT_TRUE(MakeRgbPicture(dib, width, height, source));
        return WriteBmp(name, dib);
    }

    // The path the window loads a listed file from.
    std::string PathOf(const std::string& name) const { return folder.File(name); }

    std::optional<std::string> IniValue(const std::string& key) const
    {
        return TIniFile(folder.File("Pelorin.ini")).Read("Pelorin", key);
    }

    // The window's client area as it paints it.
    QImage Rendered() const { return view->grab(view->ClientRect()).toImage(); }

    TTempFolder folder;
    TScriptedModalService modal;
    TFakeBrowser browser;
    QPointer<TTestViewWindow> view;
};
