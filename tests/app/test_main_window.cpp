#include "app/AppIds.h"
#include "app/Startup.h"
#include "app/ViewApp.h"
#include "app/ViewFrameWindow.h"
#include "platform/MessagePump.h"
#include "resources/BrowserIds.h"
#include "resources/Templates.h"
#include "tests/app/AppFixture.h"
#include "ui/ListBox.h"
#include "ui/Static.h"
#include "view/ViewWindow.h"

#include <QTest>
#include <QTimer>

namespace {

// A run of the program whose main window the test can reach without running it.
class TTestApp : public TViewApp {
public:
    TViewFrameWindow* Frame()
    {
        if (!MainWindow()) {
            InitMainWindow();
            MainWindow()->Create();
        }
        return static_cast<TViewFrameWindow*>(MainWindow());
    }
    TViewFileDlg* Browser() { return static_cast<TViewFileDlg*>(Frame()->Client()); }
};

} // namespace

TEST_F(MainWindowTest, FrameSitsAtItsPercentagesAndMovingStoresNewOnes)
{
    WriteIni("FileLeft=50\nFileTop=25\n");
    TTestApp app;
    TViewFrameWindow* frame = app.Frame();
    EXPECT_EQ(frame->pos(), QPoint(512, 192));
    EXPECT_EQ(frame->Caption(), "Pelorin - c:\\");
    // Fixed to the browser's size: no sizing, no maximizing.
    EXPECT_EQ(frame->minimumSize(), app.Browser()->size());
    EXPECT_EQ(frame->maximumSize(), app.Browser()->size());
    EXPECT_FALSE(frame->windowFlags() & Qt::WindowMaximizeButtonHint);
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    frame->move(300, 100);
    QCoreApplication::processEvents();
    EXPECT_EQ(Settings().FileLeft, 29); // 29.296...
    EXPECT_EQ(Settings().FileTop, 13);
    // A minimized frame keeps the percentages of its last normal place.
    frame->showMinimized();
    frame->move(900, 700);
    QCoreApplication::processEvents();
    EXPECT_EQ(Settings().FileLeft, 29);
    EXPECT_EQ(Settings().FileTop, 13);
}

TEST_F(MainWindowTest, DisplayChangeWithoutAutoSizeMovesTheFrameToItsPercentages)
{
    WriteIni("AutoSizeMain=0\nSizeMain=1\n");
    Settings().LoadStartup();
    TTestApp app;
    TViewFrameWindow* frame = app.Frame();
    EXPECT_EQ(app.Browser()->TemplateId(), 174);
    EXPECT_EQ(frame->pos(), QPoint(102, 77)); // 10 percent of 1024 x 768
    const QSize size = frame->size();
    SetScreenOverride(MakeScreenInfo(1280, 1024));
    BroadcastDisplayChange(1280, 1024);
    EXPECT_EQ(frame->pos(), QPoint(128, 102));
    EXPECT_EQ(frame->size(), size);
    EXPECT_EQ(Settings().ScreenLayout, 3);
    EXPECT_FALSE(ProcessFlags().restart);
}

TEST_F(MainWindowTest, CloseDuringADecodeWaitsForTheDecodeThenWritesThePosition)
{
    TTestApp app;
    TViewFrameWindow* frame = app.Frame();
    frame->show();
    // A decode on the one thread: it pumps a message per row and stops on the request.
    ProcessFlags().viewerLoading = true;
    EXPECT_FALSE(frame->CloseWindow());
    EXPECT_TRUE(ProcessFlags().loadAbort);
    EXPECT_FALSE(IniValue("FileLeft"));
    ProcessFlags().loadAbort = false;
    int rows = 0;
    for (; rows < 1000 && !ProcessFlags().loadAbort; ++rows)
        PumpOneMessage();
    EXPECT_EQ(rows, 1); // the deferred request came round and stopped the decode again
    ProcessFlags().viewerLoading = false;
    ProcessFlags().loadAbort = false;
    EXPECT_TRUE(frame->isVisible());
    QCoreApplication::processEvents();
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(IniValue("FileLeft"), "10");
    EXPECT_EQ(IniValue("FileTop"), "10");
    EXPECT_EQ(help.quits, 1);

    // A running preview is asked to stop with its own flag.
    TTestApp second;
    TViewFrameWindow* secondFrame = second.Frame();
    ProcessFlags().previewBusy = true;
    EXPECT_FALSE(secondFrame->CloseWindow());
    EXPECT_TRUE(ProcessFlags().previewAbort);
    EXPECT_FALSE(ProcessFlags().loadAbort);
}

TEST_F(MainWindowTest, TheBrowserOwnsOneViewingWindowAndTheFrameClosesItThroughTheBrowser)
{
    TTestApp app;
    TViewFrameWindow* frame = app.Frame();
    frame->show();
    TViewFileDlg* browser = app.Browser();
    std::filesystem::copy_file(TestData("bmp/im-pal8.bmp"), folder.File("a.bmp"));
    browser->RefillFiles();
    browser->SendCommand(CmShow);
    QPointer<TViewWindow> view = browser->ViewWindow();
    ASSERT_FALSE(view.isNull());
    browser->SendCommand(CmShow);
    EXPECT_EQ(browser->ViewWindow(), view.data());
    EXPECT_TRUE(frame->CloseWindow());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(view.isNull());
    EXPECT_EQ(browser->ViewWindow(), nullptr);
}

TEST_F(MainWindowTest, AltXClosesThroughTheNormalPathAndWritesThePosition)
{
    TTestApp app;
    TViewFrameWindow* frame = app.Frame();
    frame->show();
    frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame));
    frame->move(256, 384);
    QCoreApplication::processEvents();
    QWidget* fileList = app.Browser()->Control(IdFileList)->Widget();
    fileList->setFocus();
    // Alt+X is also the Exit button's mnemonic; either way the frame closes, the button
    // after its short press animation.
    QTest::keyClick(fileList, Qt::Key_X, Qt::AltModifier);
    for (int wait = 0; wait < 100 && frame->isVisible(); ++wait)
        QTest::qWait(10);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(IniValue("FileLeft"), "25");
    EXPECT_EQ(IniValue("FileTop"), "50");
}

TEST_F(MainWindowTest, AboutBoxShowsProductAndVersionFromTheMenuEntryAndAltA)
{
    TTestApp app;
    TViewFrameWindow* frame = app.Frame();
    const auto& items = frame->SystemMenuItems();
    ASSERT_GE(items.size(), 2u);
    EXPECT_EQ(items[items.size() - 2].first, 0); // a separator before the entry
    EXPECT_EQ(items.back(), (std::pair<int, std::string> { CmAbout, "&About ..." }));

    std::string text;
    modal.QueueDialog([&](TDialog& about) {
        text = about.ControlAs<TStatic>(IdAboutVersion)->GetText();
        return kIdOk;
    });
    frame->EvSysCommand(CmAbout);
    EXPECT_EQ(text, "Pelorin  version 1.7");
    QTest::keyClick(app.Browser()->Control(IdFileName)->Widget(), Qt::Key_A, Qt::AltModifier);
    ASSERT_EQ(modal.Dialogs().size(), 2u);
    EXPECT_EQ(modal.Dialogs()[1].templateId, 155);
    EXPECT_EQ(modal.Dialogs()[1].caption, "Pelorin - about");
}

TEST_F(MainWindowTest, DeviceChangesGoToTheBrowser)
{
    class TSpyBrowser : public TWindow {
    public:
        void EvDeviceChange(uint32_t event, uint32_t deviceType) override
        {
            seen.emplace_back(event, deviceType);
        }
        std::vector<std::pair<uint32_t, uint32_t>> seen;
    };
    auto* spy = new TSpyBrowser;
    TViewFrameWindow frame("Pelorin", spy, { 1024, 768, {} });
    frame.Create();
    frame.EvDeviceChange(kDeviceArrival, kDeviceTypeVolume);
    EXPECT_EQ(spy->seen, (std::vector<std::pair<uint32_t, uint32_t>> { { 32768u, 2u } }));
}

TEST_F(MainWindowTest, RestartBuildsOneNewMainWindowPerRestartAndKeepsSettings)
{
    WriteIni("ConfirmOn=0\n");
    SetScreenOverride(MakeScreenInfo(800, 600));
    std::vector<int> templates;

    // Each run records its browser's template, then acts once its loop runs: the first
    // run sees the display grow, the second is closed by the user.
    class TScriptedApp : public TViewApp {
    public:
        TScriptedApp(std::vector<int>& templates, const std::string& ini)
            : m_templates(templates)
            , m_ini(ini)
        {
        }

    protected:
        void InitMainWindow() override
        {
            TViewApp::InitMainWindow();
            auto* frame = static_cast<TViewFrameWindow*>(MainWindow());
            m_templates.push_back(static_cast<TDialog*>(frame->Client())->TemplateId());
            const bool first = m_templates.size() == 1;
            QTimer::singleShot(0, frame, [frame, first, this] {
                if (first) {
                    TIniFile(m_ini).Write("Pelorin", "ConfirmOn", "1");
                    SetScreenOverride(MakeScreenInfo(1024, 768));
                    BroadcastDisplayChange(1024, 768);
                } else {
                    frame->CloseWindow();
                }
            });
        }

    private:
        std::vector<int>& m_templates;
        std::string m_ini;
    };

    const std::string ini = folder.File("Pelorin.ini");
    RunApplications([&] { return std::make_unique<TScriptedApp>(templates, ini); });
    EXPECT_EQ(templates, (std::vector<int> { 174, 175 }));
    EXPECT_FALSE(ProcessFlags().restart);
    // The settings in memory carried over: the browser's group was read once only.
    EXPECT_FALSE(Settings().ConfirmOn);
    EXPECT_EQ(Settings().SizeMain, 2);
    EXPECT_EQ(IniValue("FileLeft"), "10");
}

TEST_F(MainWindowTest, BrowsersExitAndTheMenuCharacterXCloseTheMainWindow)
{
    TTestApp app;
    app.Frame()->show();
    app.Browser()->SendCommand(CmExit);
    EXPECT_FALSE(app.Frame()->isVisible());
    EXPECT_EQ(IniValue("FileTop"), "10");

    TTestApp other;
    other.Frame()->show();
    EXPECT_FALSE(other.Frame()->EvMenuChar(u'q'));
    EXPECT_TRUE(other.Frame()->isVisible());
    EXPECT_TRUE(other.Frame()->EvMenuChar(u'X'));
    EXPECT_FALSE(other.Frame()->isVisible());
}
