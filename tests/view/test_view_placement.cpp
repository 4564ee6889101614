#include "tests/view/ViewFixture.h"

#include "ui/Application.h"

TEST_F(ViewTest, NormalWindowIsPlacedByTheStoredPercentagesAndStartsEmpty)
{
    folder.WriteText(
        "Pelorin.ini", "[Pelorin]\nViewLeft=10\nViewTop=50\nViewWidth=50\nViewHeight=40\n");
    Settings().AutoSizeView = false;
    Open();
    EXPECT_EQ(view->frameGeometry(), QRect(102, 384, 512, 307));
    EXPECT_EQ(view->Caption(), "no file loaded");
    EXPECT_EQ(view->Accelerators()->Id(), 128);
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

TEST_F(ViewTest, ClosingWritesTheViewKeysOnlyForANormalSizedWindow)
{
    // Auto-sized: its moves change the percentages in memory, but nothing is written.
    Open();
    view->move(300, 200);
    view->CloseWindow();
    Flush();
    EXPECT_EQ(view.data(), nullptr);
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
