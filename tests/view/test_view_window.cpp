#include "tests/view/ViewFixture.h"

#include "ui/Application.h"

#include <QMouseEvent>

namespace {

constexpr QRgb kFill = 0xFF3060C0;
const TPixelSource kSolid = [](int, int) { return uint32_t(kFill & 0xFFFFFF); };

bool IsBlack(QRgb pixel) { return (pixel & 0xFFFFFF) == 0; }

// The rows of a rendered client that show the picture rather than the black background.
std::pair<int, int> PictureRows(const QImage& shown, int column)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < shown.height(); ++y) {
        if (!IsBlack(shown.pixel(column, y))) {
            first = first < 0 ? y : first;
            last = y;
        }
    }
    return { first, last };
}

} // namespace

TEST_F(ViewTest, NormalWindowIsPlacedByTheStoredPercentagesAndStartsEmpty)
{
    folder.WriteText(
        "Pelorin.ini", "[Pelorin]\nViewLeft=10\nViewTop=50\nViewWidth=50\nViewHeight=40\n");
    Settings().AutoSizeView = false;
    Open();
    EXPECT_EQ(view->frameGeometry(), QRect(102, 384, 512, 307));
    EXPECT_EQ(view->Caption(), "no file loaded");
    EXPECT_EQ(view->Accelerators()->Id(), 128);
    EXPECT_EQ(OpenViewWindow(), view.data());
    EXPECT_TRUE(view->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // Auto-sized, the window has no sizing border and no maximize box.
    delete view.data();
    Settings().AutoSizeView = true;
    Open();
    EXPECT_FALSE(view->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(view->minimumSize(), view->maximumSize());
}

TEST_F(ViewTest, FullScreenWindowCoversTheScreenWithoutCaptionAndHoldsTheMouse)
{
    Settings().FullScreen = true;
    Open();
    EXPECT_EQ(view->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_TRUE(view->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(QWidget::mouseGrabber(), view.data());
    // Moved, it goes back to the screen's corner.
    view->move(40, 40);
    EXPECT_EQ(view->pos(), QPoint(0, 0));
    view->CloseWindow();
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ViewTest, FitShrinksALargeImageIntoTheClientAtTheTopOrCentred)
{
    Settings().AutoSizeView = false;
    Settings().Fit = true;
    Settings().CenterImage = false;
    Open();
    view->resize(800, 600);
    Show({ WritePicture("wide.bmp", 2000, 1000, kSolid) });
    EXPECT_EQ(view->ScaledBitmap().size(), QSize(800, 400));
    EXPECT_EQ(view->Caption(), PathOf("wide.bmp") + " (2000 x 1000)");
    EXPECT_FALSE(view->Scroller().HasHorizontalBar());
    EXPECT_EQ(PictureRows(Rendered(), 400), std::make_pair(0, 399));

    Settings().CenterImage = true;
    EXPECT_EQ(PictureRows(Rendered(), 400), std::make_pair(100, 499));

    // A smaller window makes a new bitmap for its size.
    view->resize(400, 600);
    EXPECT_EQ(view->ScaledBitmap().size(), QSize(400, 200));
}

TEST_F(ViewTest, FitNeverEnlargesASmallImage)
{
    Settings().AutoSizeView = false;
    Settings().Fit = true;
    Settings().CenterImage = false;
    Open();
    view->resize(800, 600);
    Show({ WritePicture("small.bmp", 300, 200, kSolid) });
    EXPECT_TRUE(view->ScaledBitmap().isNull());
    const QImage shown = Rendered();
    EXPECT_EQ(shown.pixel(299, 199), kFill);
    EXPECT_TRUE(IsBlack(shown.pixel(300, 199)));
    EXPECT_TRUE(IsBlack(shown.pixel(299, 200)));
}

TEST_F(ViewTest, AutoSizedWindowLargerThanTheWorkAreaScrollsExactlyToTheImageEdges)
{
    TScreenInfo screen = MakeScreenInfo(1024, 768);
    screen.workArea = QRect(0, 20, 1024, 720);
    SetScreenOverride(screen);
    Show({ WritePicture("big.bmp", 2000, 1500) });
    EXPECT_EQ(view->frameGeometry(), QRect(0, 20, 1024, 720));
    TMyScroller& scroller = view->Scroller();
    ASSERT_TRUE(scroller.HasHorizontalBar());
    ASSERT_TRUE(scroller.HasVerticalBar());
    const QSize client = scroller.ClientSize();
    EXPECT_EQ(
        client, view->size() - QSize(scroller.VerticalBarWidth(), scroller.HorizontalBarHeight()));

    view->SendCommand(CmRightEnd);
    EXPECT_EQ(scroller.XPos(), 2000 - client.width());
    for (int page = 0; page < 5; ++page)
        view->SendCommand(CmPageDown);
    EXPECT_EQ(scroller.YPos(), 1500 - client.height());
    view->SendCommand(CmLineLeft);
    view->SendCommand(CmLineUp);
    EXPECT_EQ(scroller.XPos(), 2000 - client.width() - 10);
    EXPECT_EQ(scroller.YPos(), 1500 - client.height() - 10);
    view->SendCommand(CmLeftEnd);
    view->SendCommand(CmPageUp);
    EXPECT_EQ(scroller.XPos(), 0);
    EXPECT_EQ(scroller.YPos(), 1500 - client.height() - 10 - client.height());
}

TEST_F(ViewTest, ImageAsWideAsTheClientHasNoBarAndOnePixelMoreHasBoth)
{
    Settings().AutoSizeView = false;
    Open();
    view->resize(400, 300);
    TMyScroller& scroller = view->Scroller();
    const int barHeight = scroller.HorizontalBarHeight();
    Show({ WritePicture("exact.bmp", 400, 300 - barHeight / 2) });
    EXPECT_FALSE(scroller.HasHorizontalBar());
    EXPECT_FALSE(scroller.HasVerticalBar());
    // One pixel wider: the horizontal bar takes rows the image needs, so both bars come.
    Show({ WritePicture("wider.bmp", 401, 300 - barHeight / 2) });
    EXPECT_TRUE(scroller.HasHorizontalBar());
    EXPECT_TRUE(scroller.HasVerticalBar());
    view->SendCommand(CmRightEnd);
    EXPECT_EQ(scroller.XPos(), 401 - scroller.ClientSize().width());
}

TEST_F(ViewTest, FullScreenPansByKeysAndAtTheScreenEdges)
{
    Settings().FullScreen = true;
    Show({ WritePicture("pan.bmp", 1600, 1200) });
    view->SendCommand(CmRightEnd);
    EXPECT_EQ(view->PanOffset(), QPoint(576, 0));
    view->SendCommand(CmLeftEnd);
    EXPECT_EQ(view->PanOffset(), QPoint(0, 0));
    view->SendCommand(CmPageDown);
    view->SendCommand(CmLineUp);
    view->SendCommand(CmLineRight);
    EXPECT_EQ(view->PanOffset(), QPoint(10, 432 - 10));
    // Each mouse message at an edge pans 10 pixels, wherever the pointer is on the screen.
    for (int message = 0; message < 2; ++message) {
        QMouseEvent move(QEvent::MouseMove, QPointF(1023, 300), QPointF(1023, 300), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(view, &move);
    }
    EXPECT_EQ(view->PanOffset(), QPoint(30, 422));
    // The screen shows the image from the pan offset.
    const QImage shown = Rendered();
    EXPECT_EQ(shown.pixel(0, 0) & 0xFFFFFF, PatternRgb(30, 422) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(1023, 767) & 0xFFFFFF, PatternRgb(30 + 1023, 422 + 767) & 0xFFFFFF);

    // A new image starts at the top-left corner.
    Show({ "pan.bmp" });
    EXPECT_EQ(view->PanOffset(), QPoint(0, 0));
    EXPECT_TRUE(view->ScreenText().empty());
}

TEST_F(ViewTest, ClosingWritesTheViewKeysOnlyForANormalSizedWindow)
{
    // Auto-sized: its moves change the percentages in memory, but nothing is written.
    Open();
    view->move(300, 200);
    view->CloseWindow();
    Flush();
    EXPECT_EQ(view.data(), nullptr);
    EXPECT_EQ(OpenViewWindow(), nullptr);
    EXPECT_EQ(IniValue("ViewLeft"), std::nullopt);
    EXPECT_EQ(browser.commands, std::vector<int> { CmRefreshPreview });

    Settings().FullScreen = true;
    Open();
    view->CloseWindow();
    EXPECT_EQ(IniValue("ViewLeft"), std::nullopt);

    Settings().FullScreen = false;
    Settings().AutoSizeView = false;
    Open();
    view->move(512, 384);
    view->CloseWindow();
    EXPECT_EQ(IniValue("ViewLeft"), "50");
    EXPECT_EQ(IniValue("ViewTop"), "50");
    EXPECT_EQ(IniValue("ViewWidth"), "65");
}

TEST_F(ViewTest, ClosingTellsTheBrowserUnlessItClosedTheWindowOrTheProgramEnds)
{
    Open();
    view->CloseFromBrowser();
    Flush();
    EXPECT_TRUE(browser.commands.empty());

    // Alt+X: the window closes through the queue and the browser is told to end the program.
    Open();
    view->SendCommand(CmCloseAndExit);
    EXPECT_TRUE(view->isVisible());
    Flush();
    EXPECT_EQ(view.data(), nullptr);
    Flush();
    EXPECT_EQ(browser.commands, std::vector<int> { CmExit });
}

TEST_F(ViewTest, WorkAreaAndDisplayChangesMoveTheWindow)
{
    // An auto-sized, centred window follows the work area.
    Show({ WritePicture("photo.bmp", 400, 300) });
    const QSize outer = view->frameGeometry().size();
    EXPECT_EQ(view->frameGeometry().topLeft(),
        QPoint((1024 - outer.width()) / 2, (768 - outer.height()) / 2));
    TScreenInfo screen = MakeScreenInfo(1024, 768);
    screen.workArea = QRect(200, 0, 824, 768);
    SetScreenOverride(screen);
    BroadcastWorkAreaChange();
    EXPECT_EQ(view->frameGeometry().left(), 200 + (824 - outer.width()) / 2);

    // A normal window goes to its percentages of the new screen. (The auto-sized window's
    // moves have changed them in memory.)
    delete view.data();
    Settings().AutoSizeView = false;
    Settings().ViewLeft = 25;
    Settings().ViewTop = 20;
    Settings().ViewWidth = 65;
    Settings().ViewHeight = 65;
    Open();
    SetScreenOverride(MakeScreenInfo(2000, 1000));
    view->EvDisplayChange(2000, 1000);
    EXPECT_EQ(view->frameGeometry(), QRect(500, 200, 1300, 650));
}
