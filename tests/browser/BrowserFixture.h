#pragma once

#include "browser/DirListBox.h"
#include "browser/DrvComboBox.h"
#include "platform/NameOrder.h"
#include "resources/BrowserIds.h"
#include "tests/app/AppFixture.h"
#include "ui/Edit.h"
#include "ui/FrameWindow.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

using TBoxes = std::vector<std::pair<std::string, std::string>>; // text, caption

// A browser in its frame over temporary drives: c: holds \images (three subfolders, a
// hidden one, pictures of every type, a text file, a hidden picture, names with a space and
// with letters beyond ASCII) and \photos; d: is a removable drive, e: one without a medium.
class BrowserTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* folder : { "images/2019", "images/Beta", "images/alpha", "images/.hidden",
                 "photos", "photos/deep/deeper" })
            fs::create_directories(c.Path() / folder);
        for (const char* file : { "photo.gif", "b.BMP", "c.jpg", "d.pcx", "e.tga", "notes.txt",
                 ".secret.gif", "photo one.gif", "Ünï.jpg", "new.gif", "news.gif" })
            c.WriteText(std::string("images/") + file, "x");
        SetDrives("c=" + c.Path().string() + ";d=" + d.Path().string() + ":removable;e="
            + d.Path().string() + ":notready;f=" + d.Path().string() + ":ramdisk");
    }
    void TearDown() override
    {
        frame.reset();
        MainWindowTest::TearDown();
    }
    void SetDrives(const std::string& table)
    {
        setenv(kDrivesVariable, table.c_str(), 1);
        FileSystem().Reset();
    }
    TViewFileDlg& Open(int templateId = 130, const std::string& startupFile = {})
    {
        browser = new TViewFileDlg(nullptr, templateId, startupFile);
        frame = std::make_unique<TFrameWindow>(nullptr, "Pelorin", browser, true);
        frame->Create();
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        QCoreApplication::processEvents();
        return *browser;
    }

    TListBox& FileList() const { return *browser->ControlAs<TListBox>(IdFileList); }
    TDirListBox& FolderList() const { return *browser->ControlAs<TDirListBox>(IdFolderList); }
    TDrvComboBox& DriveList() const { return *browser->ControlAs<TDrvComboBox>(IdDriveCombo); }
    TComboBox& TypeList() const { return *browser->ControlAs<TComboBox>(IdTypeCombo); }
    TEdit& FileName() const { return *browser->ControlAs<TEdit>(IdFileName); }

    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < FileList().GetCount(); ++i)
            names.push_back(FileList().GetString(i));
        return names;
    }
    // The names in the lists' order.
    static std::vector<std::string> Sorted(std::vector<std::string> names)
    {
        SortNames(names);
        return names;
    }
    // Each folder item as "text depth bitmap".
    std::vector<std::string> Folders() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < FolderList().GetCount(); ++i) {
            const uint32_t data = FolderList().GetItemData(i);
            items.push_back(FolderList().GetString(i) + " "
                + std::to_string(TDirListBox::Depth(data)) + " "
                + std::to_string(TDirListBox::BitmapId(data)));
        }
        return items;
    }
    // Types the text into the file name field and presses Show, and lets what follows run
    // (a viewing window that opens and closes, too).
    void Type(const std::string& text)
    {
        FileName().SetText(text);
        FileName().setModified(true);
        browser->SendCommand(CmShow);
        Settle();
    }
    static void Settle()
    {
        for (int pass = 0; pass < 8; ++pass) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    TBoxes Boxes() const
    {
        TBoxes boxes;
        for (const auto& box : modal.MessageBoxes())
            boxes.emplace_back(box.text, box.caption);
        return boxes;
    }
    std::string Title() const { return frame->Caption(); }

    TTempFolder c;
    TTempFolder d;
    std::unique_ptr<TFrameWindow> frame;
    TViewFileDlg* browser = nullptr;
};
