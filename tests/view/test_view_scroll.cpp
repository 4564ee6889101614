#include "tests/view/ViewFixture.h"
#include "view/ViewScroll.h"

#include <QMouseEvent>

TEST(Pan, EdgesStepTenPixelsAndKeysJumpToTheEnds)
{
    const QSize image(1600, 1200);
    const QSize screen(1024, 768);
    TPan pan;
    EXPECT_TRUE(pan.PanTo(QPoint(1024, 3), false, image, screen)); // End
    EXPECT_EQ(pan.Offset(), QPoint(576, 0));
    EXPECT_FALSE(pan.PanTo(QPoint(1023, 400), true, image, screen)); // already at the edge
    EXPECT_TRUE(pan.PanTo(QPoint(0, 3), false, image, screen)); // Home
    EXPECT_EQ(pan.Offset(), QPoint(0, 0));
    for (int message = 0; message < 3; ++message)
        pan.PanTo(QPoint(1023, 767), true, image, screen); // the bottom-right corner
    EXPECT_EQ(pan.Offset(), QPoint(30, 30));
    pan.PanTo(QPoint(2, 500), true, image, screen);
    EXPECT_EQ(pan.Offset(), QPoint(20, 30));
    // Away from the edges, or along a direction the image fits, nothing moves.
    EXPECT_FALSE(pan.PanTo(QPoint(500, 3), true, image, screen));
    EXPECT_FALSE(pan.PanTo(QPoint(1023, 0), true, QSize(1000, 700), screen));
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
