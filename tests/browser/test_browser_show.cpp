#include "tests/browser/BrowserFixture.h"

#include "browser/BrowserOptions.h"
#include "browser/StartupFile.h"
#include "image/BmpWriter.h"
#include "image/Dib.h"
#include "image/GifBuilder.h"
#include "platform/MessagePump.h"
#include "preview/PreviewDib.h"
#include "resources/OptionsIds.h"
#include "resources/ResourceIds.h"
#include "support/DibPixels.h"
#include "ui/Application.h"
#include "ui/ComboBox.h"
#include "ui/Static.h"
#include "view/ViewWindow.h"

#include <QAbstractButton>
#include <QPushButton>

#include <set>

namespace {

// A browser in \show of drive c:, which holds pictures.
class ShowTest : public BrowserTest {
protected:
    void SetUp() override
    {
        BrowserTest::SetUp();
        fs::create_directories(c.Path() / "show");
        WriteIni("LastPath=c:\\show\\\nFileType=0\n");
    }
    // A 24-bit BMP file of one colour (0xRRGGBB).
    void Picture(const std::string& name, int width = 8, int height = 8, uint32_t rgb = 0x2080C0)
    {
        TDib dib;
        ASSERT_TRUE(MakeRgbPicture(dib, width, height, [rgb](int, int) { return rgb; }));
        std::string error;
        ASSERT_TRUE(WriteBmpFile(dib, c.File("show/" + name), error)) << error;
    }
    // An animated GIF of three frames with this delay in hundredths of a second.
    void Animation(const std::string& name, int delay)
    {
        TGifBuilder gif;
        gif.width = gif.height = 4;
        gif.globalPalette = { 0x000000, 0xFF0000, 0x00FF00, 0x0000FF };
        for (uint8_t index : { 1, 2, 3 }) {
            TGifFrame frame;
            frame.width = frame.height = 4;
            frame.control = TGifControl { .delay = delay };
            frame.pixels.assign(16, index);
            gif.frames.push_back(frame);
        }
        c.Write("show/" + name, gif.Build());
    }
    TViewWindow* View() const { return browser->ViewWindow(); }
    // The file the viewing window shows, by its index in the list.
    int ShownIndex() const { return View() ? View()->CurrentIndex() : -1; }
    std::string Info() const { return browser->ControlAs<TStatic>(IdInfoText)->GetText(); }
    QPushButton& Button(int id) const
    {
        return *dynamic_cast<QPushButton*>(browser->Control(id)->Widget());
    }
};

} // namespace

// The plain key or button shows the selected files and Shift the file under the cursor,
// or the other way round with ShiftForSelected; a double click in the list always shows from
// the cursor, and selected mode with nothing selected shows from the cursor too.
TEST_F(ShowTest, ShowTakesTheSelectedFilesOrTheCursorByShiftForSelected)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp", "d.bmp" })
        Picture(name);
    Open();
    // How each input chooses the mode: as the plain command, as the shifted one, or always
    // from the cursor.
    enum class TMode { Plain, Shifted, Cursor };
    struct TCase {
        const char* input;
        std::function<void()> press;
        TMode mode;
    };
    const std::vector<TCase> cases = {
        { "click", [&] { QTest::mouseClick(&Button(IdShowButton), Qt::LeftButton); },
            TMode::Plain },
        { "shift click",
            [&] { QTest::mouseClick(&Button(IdShowButton), Qt::LeftButton, Qt::ShiftModifier); },
            TMode::Shifted },
        { "enter", [&] { QTest::keyClick(&FileList(), Qt::Key_Return); }, TMode::Plain },
        { "shift enter", [&] { QTest::keyClick(&FileList(), Qt::Key_Return, Qt::ShiftModifier); },
            TMode::Shifted },
        { "double click", [&] { browser->EvNotify(IdFileList, TNotify::DblClk); }, TMode::Cursor },
    };
    for (bool shiftForSelected : { false, true }) {
        Settings().ShiftForSelected = shiftForSelected;
        for (const TCase& input : cases) {
            for (bool anySelected : { true, false }) {
                SCOPED_TRACE(std::string(input.input) + (shiftForSelected ? " shift" : "")
                    + (anySelected ? " selected" : ""));
                FileList().SetSel(-1, false);
                FileList().SetSel(2, anySelected);
                FileList().SetCaretIndex(1);
                FileList().setFocus();
                input.press();
                Settle();
                const bool selected = input.mode == TMode::Plain ? !shiftForSelected
                    : input.mode == TMode::Shifted               ? shiftForSelected
                                                                 : false;
                EXPECT_EQ(ShownIndex(), selected && anySelected ? 2 : 1);
            }
        }
    }
    EXPECT_TRUE(Boxes().empty());
}

// Show, Delete, Options, Exit and going into a folder wait for a running preview decode or
// viewing-window decode: the decode is asked to stop and the request comes back through the
// queue, in its selected mode, once nothing runs.
TEST_F(ShowTest, RequestsWaitForRunningDecodesAndKeepTheirMode)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp" })
        Picture(name);
    fs::create_directory(c.Path() / "show" / "sub");
    Open();
    TProcessFlags& flags = ProcessFlags();
    struct TCase {
        const char* request;
        bool viewerLoading; // else the preview decodes
        std::function<void()> send;
        std::function<bool()> done;
    };
    const std::vector<TCase> cases = {
        { "show", false, [&] { browser->SendCommand(CmShow); }, [&] { return ShownIndex() == 2; } },
        { "shifted show", true, [&] { browser->SendCommand(CmShowSelected); },
            [&] { return ShownIndex() == 0; } },
        { "options", true, [&] { browser->SendCommand(CmOptions); },
            [&] { return !View() && modal.Dialogs().size() == 1; } },
        { "delete", true, [&] { browser->SendCommand(CmDelete); }, [&] { return !View(); } },
        { "folder", false, [&] { browser->EvNotify(IdFolderList, TNotify::DblClk); },
            [&] { return browser->FullFolder() == "c:\\show\\sub\\"; } },
        { "exit", false, [&] { browser->SendCommand(CmExit); },
            [&] { return !frame->isVisible(); } },
    };
    for (const TCase& request : cases) {
        SCOPED_TRACE(request.request);
        FileList().SetCaretIndex(0);
        FileList().SetSel(2, true);
        FolderList().SetCaretIndex(FolderList().GetCount() - 1);
        if (request.viewerLoading && !View()) {
            browser->SendCommand(CmShow);
            Settle();
        }
        (request.viewerLoading ? flags.viewerLoading : flags.previewBusy) = true;
        flags.loadAbort = flags.previewAbort = false;
        request.send();
        Settle();
        EXPECT_TRUE(request.viewerLoading ? flags.loadAbort : flags.previewAbort);
        EXPECT_FALSE(request.done());
        flags.viewerLoading = flags.previewBusy = false;
        Settle();
        EXPECT_TRUE(request.done());
    }
}

// Moving the cursor quickly through the list while a thumbnail decodes stops that decode at
// its next row and decodes only the file the cursor stops on.
TEST_F(ShowTest, AMovingCursorLeavesOnlyTheLastFileDecoded)
{
    Picture("a.bmp", 600, 2000);
    for (const char* name : { "b.bmp", "c.bmp", "d.bmp" })
        Picture(name, 40, 40, 0xFF0000);
    Open();
    FileList().setFocus();
    Settle();
    std::map<std::string, int> rowsDecoded;
    SetPumpOneMessage([&] {
        ++rowsDecoded[fs::path(browser->Preview()->FileName()).filename().string()];
        QCoreApplication::processEvents();
    });
    // Three presses of the Down key arrive while a.bmp decodes.
    for (int press = 0; press < 3; ++press) {
        QCoreApplication::postEvent(
            &FileList(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier));
    }
    FileList().SetCaretIndex(0);
    browser->SendCommand(CmRefreshPreview);
    Settle();
    InstallWindowLayer(); // the program's pump step again
    EXPECT_LE(rowsDecoded["a.bmp"], 2);
    EXPECT_EQ(rowsDecoded.count("b.bmp") + rowsDecoded.count("c.bmp"), 0u);
    EXPECT_EQ(Info(), "d.bmp\n40 x 40\nbmp - 24 bpp");
    // The box shows the thumbnail, painted with the browser.
    const QRect box = browser->PreviewRect();
    EXPECT_EQ(browser->grab(box).toImage().pixelColor(box.width() / 2, box.height() / 2),
        QColor(255, 0, 0));
}

// An animated preview shows each frame for its delay (through the queue, without a timer,
// for a delay of 0), or for the slideshow time with UseSSTimer, where a time of 0 holds the
// first frame. A frame posted for an animation that has stopped since is dropped.
TEST_F(ShowTest, AnimatedPreviewsFollowTheFrameDelayOrTheSlideshowTime)
{
    Animation("fast.gif", 0);
    Animation("slow.gif", 7);
    Open();
    struct TCase {
        const char* file;
        bool useSlideShowTimer;
        int slideShowSeconds;
        int timer; // milliseconds, 0 for none
        int framesAfterTwoPasses;
    };
    const TCase cases[] = {
        { "fast.gif", false, 5, 0, 2 },
        { "slow.gif", false, 5, 70, 0 },
        { "slow.gif", true, 2, 2000, 0 },
        { "fast.gif", true, 0, 0, 0 },
    };
    const TPreviewDib& preview = *browser->Preview();
    for (const TCase& animation : cases) {
        SCOPED_TRACE(std::string(animation.file) + std::to_string(animation.slideShowSeconds));
        Settings().UseSSTimer = animation.useSlideShowTimer;
        Settings().SlideShowTimer = animation.slideShowSeconds;
        FileList().SetCaretIndex(animation.file == std::string("fast.gif") ? 0 : 1);
        browser->SendCommand(CmRefreshPreview);
        EXPECT_EQ(browser->TimerInterval(kPreviewAnimationTimer), animation.timer);
        const int first = preview.ImageNumber();
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        EXPECT_EQ((preview.ImageNumber() - first + 3) % 3, animation.framesAfterTwoPasses);
    }
    // A second refresh while a frame waits in the queue: one frame a pass, not two.
    Settings().UseSSTimer = false;
    FileList().SetCaretIndex(0);
    browser->SendCommand(CmRefreshPreview);
    browser->SendCommand(CmRefreshPreview);
    const int first = preview.ImageNumber();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_EQ((preview.ImageNumber() - first + 3) % 3, 2);
    // Ctrl+G steps a slow animation at once; Ctrl+T previews the GIF again.
    FileList().SetCaretIndex(1);
    browser->SendCommand(CmRefreshPreview);
    browser->SendCommand(CmAnimationStep);
    EXPECT_EQ(preview.ImageNumber(), 2);
    browser->SendCommand(CmToggleTransparency);
    EXPECT_FALSE(ProcessFlags().useTransparency);
    Settle();
    EXPECT_EQ(preview.ImageNumber(), 1);
}

// The info text names the file under the cursor, then gives its size, type and depth; the
// image information follows it with a fresh preview, or resumes an animation; double clicks
// on the box show the file and on the info text give the information.
TEST_F(ShowTest, InfoTextImageInformationAndDoubleClicks)
{
    Picture("a.bmp", 30, 20);
    Animation("b.gif", 7);
    Open();
    Settle();
    EXPECT_EQ(Info(), "a.bmp\n30 x 20\nbmp - 24 bpp");
    browser->SendCommand(CmImageInfo);
    ASSERT_EQ(modal.Dialogs().size(), 1u);
    EXPECT_EQ(modal.Dialogs()[0].templateId, kImageInfoTemplate);

    const QRect box = browser->PreviewRect();
    const QRect info = browser->Control(IdInfoText)->Widget()->geometry();
    QTest::mouseDClick(browser, Qt::LeftButton, {}, info.center());
    EXPECT_EQ(modal.Dialogs().size(), 2u);
    QTest::mouseDClick(browser, Qt::LeftButton, {}, box.topLeft() + QPoint(box.width() - 1, 0));
    Settle();
    EXPECT_EQ(View(), nullptr); // the box's last column is not the box
    QTest::mouseDClick(browser, Qt::LeftButton, {}, box.center());
    Settle();
    ASSERT_NE(View(), nullptr);
    View()->CloseWindow();
    Settle();

    // An animated preview resumes after the information, unless the slideshow time holds it.
    FileList().SetCaretIndex(1);
    browser->SendCommand(CmRefreshPreview);
    for (bool held : { false, true }) {
        Settings().UseSSTimer = held;
        Settings().SlideShowTimer = 0;
        const int frame = browser->Preview()->ImageNumber();
        browser->SendCommand(CmImageInfo);
        QCoreApplication::processEvents();
        EXPECT_EQ(browser->Preview()->ImageNumber() != frame, !held);
    }

    // Once typed text leaves no patterns to keep (a refused pattern list), the file name
    // field follows the cursor.
    FileList().setFocus();
    FileList().SetCaretIndex(0);
    QTest::keyClick(&FileList(), Qt::Key_Down);
    EXPECT_EQ(FileName().GetText(), "*.*");
    FileName().SetText("a.b.c;x");
    FileName().setModified(true);
    browser->SendCommand(CmShow);
    QTest::keyClick(&FileList(), Qt::Key_Up);
    EXPECT_EQ(FileName().GetText(), "a.bmp");

    // Without the preview the info text is the name alone.
    Settings().PreviewOn = false;
    FileList().SetCaretIndex(0);
    browser->SendCommand(CmRefreshPreview);
    EXPECT_EQ(Info(), "a.bmp");
}

// Esc does nothing; Ctrl+A and Ctrl+N select and deselect all files only in the file list;
// the Delete key deletes a character of the file name field; F1 opens the browser's help and
// focuses the file list; Enter on the folder list's current folder shows the file under the
// cursor.
TEST_F(ShowTest, KeysOfTheBrowser)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp" })
        Picture(name);
    Open();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame.get()));
    QTest::keyClick(&FileName(), Qt::Key_Escape);
    EXPECT_TRUE(frame->isVisible());
    for (QWidget* focus : std::vector<QWidget*> { &FileName(), &FileList() }) {
        focus->setFocus();
        QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
        EXPECT_EQ(FileList().GetSelCount(), focus == &FileList() ? 3 : 0);
        QTest::keyClick(focus, Qt::Key_N, Qt::ControlModifier);
        EXPECT_EQ(FileList().GetSelCount(), 0);
    }
    // The file name field selects its whole text when it gains the focus, and nothing when
    // it loses it.
    FileName().setFocus();
    QCoreApplication::processEvents();
    EXPECT_EQ(FileName().selectedText(), FileName().text());
    FileList().setFocus();
    EXPECT_FALSE(FileName().hasSelectedText());
    FileName().setFocus();
    FileName().setCursorPosition(1);
    QTest::keyClick(&FileName(), Qt::Key_Delete);
    EXPECT_EQ(FileName().GetText(), "**");
    EXPECT_TRUE(FileName().IsModified());
    FileName().SetText("*.*");

    QTest::keyClick(&FileName(), Qt::Key_F1);
    EXPECT_EQ(help.opened.back().second, 2);
    EXPECT_EQ(browser->focusWidget(), &FileList());

    FolderList().setFocus();
    FileList().SetCaretIndex(1);
    QTest::keyClick(&FolderList(), Qt::Key_Return);
    Settle();
    EXPECT_EQ(browser->FullFolder(), "c:\\show\\");
    EXPECT_EQ(ShownIndex(), 1);
}

// With the alternate file selection, Space toggles the file under the caret and moves the
// caret on, but not past the last file; without it the caret stays.
TEST_F(ShowTest, SpaceMovesOnOnlyWithTheAlternateSelection)
{
    for (const char* name : { "a.bmp", "b.bmp", "c.bmp" })
        Picture(name);
    for (bool alternate : { false, true }) {
        SCOPED_TRACE(alternate);
        Settings().AltFileSel = alternate;
        TViewFileDlg::BrowserCreatedBefore() = true;
        Open(alternate ? 131 : 130);
        ASSERT_EQ(FileList().SelStyle(), TListBox::TSelStyle::Multiple);
        FileList().setFocus();
        FileList().SetCaretIndex(1);
        std::vector<int> carets;
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(&FileList(), Qt::Key_Space);
            carets.push_back(FileList().GetCaretIndex());
        }
        const std::vector<int> expected
            = alternate ? std::vector { 2, 2, 2 } : std::vector { 1, 1, 1 };
        EXPECT_EQ(carets, expected);
        EXPECT_EQ(FileList().GetSelIndices(), std::vector<int> { 1 });
        frame.reset();
    }
}

// After the options the main window is built again when its layout changes, and otherwise
// the folder is read again when hidden files come or go.
TEST(BrowserOptions, TheMainWindowIsBuiltAgainWhenItsLayoutChanges)
{
    struct TCase {
        TOptionsBefore before;
        bool autoSize;
        int sizeMain;
        bool alternate;
        bool rebuilt;
        int layoutAfter;
    };
    // The window was built at layout 1, the screen calls for layout 3.
    const TCase cases[] = {
        { { false, false, false }, true, 1, false, true, 1 },
        { { true, false, false }, true, 1, false, false, 1 },
        { { true, false, false }, false, 1, false, false, 1 },
        { { true, false, false }, false, 2, false, true, 2 },
        { { false, false, false }, false, 1, true, true, 1 },
    };
    for (const TCase& options : cases) {
        TViewSettings settings;
        settings.CurrentLayout = 1;
        settings.ScreenLayout = 3;
        settings.AutoSizeMain = options.autoSize;
        settings.SizeMain = options.sizeMain;
        settings.AltFileSel = options.alternate;
        EXPECT_EQ(MainWindowRebuildNeeded(options.before, settings), options.rebuilt);
        EXPECT_EQ(settings.CurrentLayout, options.layoutAfter);
    }
}

TEST_F(ShowTest, OptionsCloseTheViewingWindowAndRebuildOrReadTheFolderAgain)
{
    Picture("a.bmp");
    Picture(".b.bmp");
    Open();
    browser->SendCommand(CmShow);
    Settle();
    ASSERT_NE(View(), nullptr);
    auto choose = [&](int checkBox) {
        modal.QueueDialog([checkBox](TDialog& options) {
            dynamic_cast<QAbstractButton*>(options.Control(checkBox)->Widget())->click();
            options.SendCommand(kIdOk);
            return kIdOk;
        });
        browser->SendCommand(CmOptions);
        Settle();
    };
    choose(IdShowHidden);
    EXPECT_EQ(View(), nullptr);
    EXPECT_EQ(Files(), Sorted({ ".b.bmp", "a.bmp" }));
    EXPECT_TRUE(frame->isVisible());
    choose(IdAltFileSel);
    EXPECT_TRUE(ProcessFlags().restart);
    EXPECT_FALSE(frame->isVisible());
}

// The start-up file is typed as the browser's path of this system's file, then shown; a
// colour warning comes first.
TEST_F(ShowTest, TheStartupFileIsListedAndShownAfterTheColourWarning)
{
    Picture("a.bmp");
    Picture("b.bmp");
    const std::string show = c.File("show");
    EXPECT_EQ(StartupFileText(show + "/b.bmp"), "c:\\show\\b.bmp");
    EXPECT_EQ(StartupFileText(show), "c:\\show\\");
    EXPECT_EQ(StartupFileText(show + "/*.bmp"), "c:\\show\\*.bmp");
    EXPECT_EQ(StartupFileText("d:\\pictures\\"), "d:\\pictures\\");

    SetScreenOverride(MakeScreenInfo(1024, 768, 8));
    WriteIni("LastPath=c:\\photos\\\n");
    Open(130, show + "/b.bmp");
    EXPECT_EQ(View(), nullptr);
    Settle();
    ASSERT_EQ(modal.Dialogs().size(), 1u);
    EXPECT_EQ(modal.Dialogs()[0].templateId, kColorWarnTemplate);
    EXPECT_EQ(browser->FullFolder(), "c:\\show\\");
    EXPECT_EQ(ShownIndex(), 1);
    EXPECT_EQ(View()->FileName(), show + "/b.bmp");
}
