#include "tests/view/ViewFixture.h"

#include <filesystem>

namespace {

// Cuts a file to the given share of its length.
void Truncate(const std::string& path, double share)
{
    const auto size = std::filesystem::file_size(path);
    std::filesystem::resize_file(path, uintmax_t(double(size) * share));
}

// A viewing window that records what it knew each time it was asked to close.
class TProbeViewWindow : public TTestViewWindow {
public:
    using TTestViewWindow::TTestViewWindow;
    bool CanClose() override
    {
        if (loadingAtClose)
            loadingAtClose->push_back(ProcessFlags().viewerLoading);
        return TTestViewWindow::CanClose();
    }

    std::vector<bool>* loadingAtClose = nullptr; // outlives the window
};

constexpr int kProbe = 9000;

} // namespace

class ViewLoadTest : public ViewTest {
protected:
    TProbeViewWindow* OpenProbe()
    {
        auto* probe = new TProbeViewWindow(&browser);
        view = probe;
        probe->SetBrowserFiles(browser.Files());
        probe->Create();
        return probe;
    }
    void List(const std::vector<std::string>& names, int caret = 0)
    {
        browser.list->ClearList();
        for (const std::string& name : names)
            browser.list->AddString(name);
        browser.list->SetCaretIndex(caret);
    }
};

TEST_F(ViewTest, ShownFileTitlesTheWindowMovesTheCaretAndRefreshesThePreview)
{
    Show({ WritePicture("a.bmp", 30, 20), WritePicture("b.bmp", 40, 30) }, 1);
    Flush(); // the browser's request comes through the queue
    EXPECT_EQ(view->Caption(), PathOf("b.bmp") + " (40 x 30)");
    EXPECT_EQ(view->FileName(), PathOf("b.bmp"));
    EXPECT_EQ(view->CurrentIndex(), 1);
    EXPECT_EQ(browser.list->GetCaretIndex(), 1);
    EXPECT_EQ(browser.commands, std::vector<int> { CmRefreshPreview });
    EXPECT_FALSE(ProcessFlags().viewerLoading);
    EXPECT_TRUE(modal.MessageBoxes().empty());

    // Selected files only: the walk starts at the first selected file from the caret on.
    browser.list->SetSel(0, true);
    browser.list->SetCaretIndex(1);
    view->PostCommand(CmShowSelectedFiles);
    Flush();
    EXPECT_EQ(view->Caption(), PathOf("a.bmp") + " (30 x 20)");
}

// A command queued behind a show runs inside the decode's pump step and sees its progress.
TEST_F(ViewLoadTest, ProgressShowsInTheCaptionOrOnTheFullScreen)
{
    const std::string name = WritePicture("tall.bmp", 20, 400);
    List({ name });
    for (const bool fullScreen : { false, true }) {
        Settings().FullScreen = fullScreen;
        TProbeViewWindow* probe = OpenProbe();
        std::string seen;
        probe->onCommand = [&](int id) {
            if (id == kProbe)
                seen = fullScreen ? probe->ScreenText() : probe->Caption();
        };
        probe->PostCommand(CmShowFromCursor);
        probe->PostCommand(kProbe);
        Flush();
        EXPECT_EQ(seen, PathOf(name) + " -  0%") << fullScreen;
        EXPECT_TRUE(probe->ScreenText().empty());
        delete probe;
    }
}

TEST_F(ViewTest, WarningGoesIntoTheCaptionOrIntoAMessageBox)
{
    const std::string name = WritePicture("cut.bmp", 50, 40);
    Truncate(folder.File(name), 0.5);
    Show({ name });
    EXPECT_EQ(view->Caption(), PathOf(name) + " - warnings issued (50 x 40)");
    EXPECT_TRUE(modal.MessageBoxes().empty());
    // The caption keeps the warning when the window lays the image out again.
    view->resize(view->size() + QSize(10, 10));
    EXPECT_EQ(view->Caption(), PathOf(name) + " - warnings issued (50 x 40)");

    Settings().ShowWarnings = true;
    Show({ name });
    ASSERT_EQ(modal.MessageBoxes().size(), 1u);
    const auto& box = modal.MessageBoxes()[0];
    EXPECT_EQ(box.text, "Premature end of file");
    EXPECT_EQ(box.caption, "Pelorin - image warning");
    EXPECT_EQ(box.icon, TMsgIcon::Information);
    EXPECT_EQ(box.buttons, TMsgButtons::Ok);
    EXPECT_EQ(view->Caption(), PathOf(name) + " (50 x 40)");
}

TEST_F(ViewTest, ErrorBoxOkWalksOnAndCancelClosesTheWindow)
{
    const std::string name = "bad.bmp";
    folder.WriteText(name, "not an image at all");
    modal.QueueAnswer(kIdOk);
    Show({ name });
    ASSERT_EQ(modal.MessageBoxes().size(), 1u);
    const auto& box = modal.MessageBoxes()[0];
    EXPECT_EQ(box.text, PathOf(name) + " is an unknown file type\nLoad next file?");
    EXPECT_EQ(box.caption, "Pelorin - image error");
    EXPECT_EQ(box.icon, TMsgIcon::Exclamation);
    EXPECT_EQ(box.buttons, TMsgButtons::OkCancel);
    EXPECT_EQ(view->Caption(), "no file loaded");
    EXPECT_FALSE(view->HasImage());
    Flush();
    EXPECT_EQ(view->commands, (std::vector<int> { CmShowFromCursor, CmNextFile }));
    EXPECT_TRUE(browser.commands.empty());

    modal.QueueAnswer(kIdCancel);
    view->PostCommand(CmShowFromCursor);
    Flush();
    Flush();
    Flush();
    EXPECT_EQ(view.data(), nullptr); // closed by the command 303 it posted itself
    EXPECT_EQ(browser.commands, std::vector<int>(2, CmRefreshPreview)); // the box's, the close's
}

TEST_F(ViewTest, NoMemoryForTheFitBitmapIsAMemoryErrorWhenLoading)
{
    Settings().AutoSizeView = false;
    Settings().Fit = true;
    Open();
    view->refuseScaling = true;
    Show({ WritePicture("large.bmp", 3000, 2000) });
    ASSERT_EQ(modal.MessageBoxes().size(), 1u);
    EXPECT_EQ(modal.MessageBoxes()[0].text, "Insufficient memory to load image\nLoad next file?");
    EXPECT_EQ(modal.MessageBoxes()[0].caption, "Pelorin - memory error");
    EXPECT_EQ(view->Caption(), "no file loaded");
    EXPECT_FALSE(view->HasImage());
}

TEST_F(ViewTest, NoMemoryForTheFitBitmapOnResizeReleasesTheImageAndAsks)
{
    Settings().AutoSizeView = false;
    Settings().Fit = true;
    Open();
    Show({ WritePicture("large.bmp", 3000, 2000) });
    ASSERT_TRUE(view->HasImage());
    view->refuseScaling = true;
    modal.QueueAnswer(kIdOk);
    view->resize(view->size() - QSize(50, 50));
    ASSERT_EQ(modal.MessageBoxes().size(), 1u);
    const auto& box = modal.MessageBoxes()[0];
    EXPECT_EQ(box.text, "Insufficient memory to rescale image\nLoad next file?");
    EXPECT_EQ(box.caption, "Pelorin - rescale error");
    EXPECT_EQ(box.icon, TMsgIcon::Stop);
    EXPECT_EQ(box.buttons, TMsgButtons::OkCancel);
    EXPECT_FALSE(view->HasImage());
    EXPECT_TRUE(view->ScaledBitmap().isNull());
    Flush();
    EXPECT_EQ(view->commands.back(), CmNextFile);
}

TEST_F(ViewLoadTest, CloseDuringADecodeWaitsUntilTheDecodeHasStopped)
{
    TProbeViewWindow* probe = OpenProbe();
    std::vector<bool> loadingAtClose;
    probe->loadingAtClose = &loadingAtClose;
    List({ WritePicture("long.bmp", 40, 3000) });
    probe->PostCommand(CmShowFromCursor);
    probe->PostCloseRequest();
    Flush();
    Flush();
    EXPECT_EQ(view.data(), nullptr);
    // Asked first while the decode ran, which deferred the close; closed once it had stopped.
    EXPECT_EQ(loadingAtClose, (std::vector<bool> { true, false }));
    EXPECT_TRUE(modal.MessageBoxes().empty());
    EXPECT_FALSE(ProcessFlags().viewerLoading);
    EXPECT_FALSE(ProcessFlags().loadAbort);
}

TEST_F(ViewLoadTest, ShowRequestedDuringADecodeStopsItAndThenShows)
{
    TProbeViewWindow* probe = OpenProbe();
    std::vector<bool> loading;
    probe->onCommand = [&](int id) {
        if (id == CmShowFromCursor)
            loading.push_back(ProcessFlags().viewerLoading);
    };
    List({ WritePicture("first.bmp", 40, 2000), WritePicture("second.bmp", 30, 20) });
    probe->PostCommand(CmShowFromCursor);
    probe->PostCommand(CmShowFromCursor);
    Flush();
    // The second request came during the first decode, asked it to stop and came back
    // through the queue; the stopped load asked nothing.
    EXPECT_EQ(view->Caption(), "no file loaded");
    browser.list->SetCaretIndex(1);
    Flush();
    EXPECT_EQ(loading, (std::vector<bool> { false, true, false }));
    EXPECT_EQ(view->Caption(), PathOf("second.bmp") + " (30 x 20)");
    EXPECT_TRUE(modal.MessageBoxes().empty());
}
