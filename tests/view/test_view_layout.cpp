#include "view/ViewLayout.h"

#include <gtest/gtest.h>

namespace {

TAutoSizeInput Input(QSize image, bool fit = false, bool center = true)
{
    TAutoSizeInput input;
    input.image = image;
    input.available = QRect(0, 0, 1024, 740);
    input.decoration = QSize(8, 30);
    input.verticalBarWidth = 16;
    input.horizontalBarHeight = 17;
    input.fit = fit;
    input.center = center;
    input.topLeft = QPoint(100, 50);
    return input;
}

} // namespace

TEST(AutoSize, SmallImageGetsItsSizePlusDecorationsCentredOrWhereItWas)
{
    EXPECT_EQ(AutoSizeWindow(Input(QSize(400, 300))), QRect(308, 205, 408, 330));
    EXPECT_EQ(AutoSizeWindow(Input(QSize(400, 300), false, false)), QRect(100, 50, 408, 330));
    // Kept where it was unless its far edge would leave the available area.
    TAutoSizeInput input = Input(QSize(400, 300), false, false);
    input.topLeft = QPoint(900, 600);
    EXPECT_EQ(AutoSizeWindow(input), QRect(616, 410, 408, 330));
    // A work area that does not start at 0 keeps the window inside it.
    input.available = QRect(60, 0, 964, 740);
    EXPECT_EQ(AutoSizeWindow(input).right(), 1023);
    input.topLeft = QPoint(0, 0);
    input.center = true;
    EXPECT_EQ(AutoSizeWindow(input).left(), 60 + (964 - 408) / 2);
}

TEST(AutoSize, LargeImageTakesTheAvailableAreaAndRoomForItsScrollBars)
{
    // Too wide and too tall: the whole area, both bars.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(2000, 1500))), QRect(0, 0, 1024, 740));
    // Too wide only: the window is as tall as the image plus the horizontal bar.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(2000, 300))).size(), QSize(1024, 347));
    // Too tall only: as wide as the image plus the vertical bar.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(300, 1500))).size(), QSize(324, 740));
    // Too wide by the vertical bar's doing: the image fits the width until the bar comes.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(1010, 1500))).size(), QSize(1024, 740));
}

TEST(AutoSize, FitShrinksTheWindowToTheImagesAspect)
{
    // 1016 x 710 of client at most: 2000 x 1000 scales by 0.508 to 1016 x 508.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(2000, 1000), true)), QRect(0, 101, 1024, 538));
    // A tall image keeps the height and narrows the window.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(1000, 2000), true)).size(), QSize(8 + 355, 740));
    // An image that fits is not enlarged.
    EXPECT_EQ(AutoSizeWindow(Input(QSize(100, 100), true)).size(), QSize(108, 130));
}

TEST(Fit, ShrinksByTheSmallerFactorAndNeverEnlarges)
{
    EXPECT_EQ(FitSize(QSize(2000, 1000), QSize(800, 600)), QSize(800, 400));
    EXPECT_EQ(FitSize(QSize(1000, 2000), QSize(800, 600)), QSize(300, 600));
    EXPECT_EQ(FitSize(QSize(800, 600), QSize(800, 600)), std::nullopt);
    EXPECT_EQ(FitSize(QSize(20, 10), QSize(800, 600)), std::nullopt);
    // Equal factors take the height's branch; a hairline image keeps one pixel.
    EXPECT_EQ(FitSize(QSize(1600, 1200), QSize(800, 600)), QSize(800, 600));
    EXPECT_EQ(FitSize(QSize(1, 100000), QSize(800, 600)), QSize(1, 600));
}

TEST(ScrollBars, ImageOnePixelWiderThanTheClientNeedsABarAndMayNeedTheOther)
{
    const QSize client(800, 600);
    TScrollNeed need = ScrollNeed(QSize(800, 600), client, 16, 17);
    EXPECT_FALSE(need.horizontal);
    EXPECT_FALSE(need.vertical);
    need = ScrollNeed(QSize(801, 500), client, 16, 17);
    EXPECT_TRUE(need.horizontal);
    EXPECT_FALSE(need.vertical);
    EXPECT_EQ(need.excess, QSize(1, 0));
    // The horizontal bar leaves 583 rows: 590 is then too tall, and the vertical bar makes
    // the image wider still.
    need = ScrollNeed(QSize(801, 590), client, 16, 17);
    EXPECT_TRUE(need.vertical);
    EXPECT_EQ(need.excess, QSize(801 - 784, 590 - 583));
    // Too tall only, but the vertical bar then makes it too wide.
    need = ScrollNeed(QSize(790, 900), client, 16, 17);
    EXPECT_TRUE(need.horizontal);
    EXPECT_EQ(need.excess, QSize(790 - 784, 900 - 583));
}

TEST(Placement, CentringGivesTheOddPixelToTheRightAndBottom)
{
    const QRect target(0, 0, 801, 601);
    EXPECT_EQ(PlaceImage(target, QSize(800, 400), true), QRect(0, 100, 800, 400));
    EXPECT_EQ(PlaceImage(target, QSize(100, 100), true), QRect(350, 250, 100, 100));
    // Larger than the target in one direction: it fills that direction.
    EXPECT_EQ(PlaceImage(target, QSize(2000, 100), true), QRect(0, 250, 801, 100));
    // Without centring: top-left, clipped.
    EXPECT_EQ(PlaceImage(target, QSize(2000, 100), false), QRect(0, 0, 801, 100));
}

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

// The visible part must come from the same rows whether all rows or only the band are
// handed over: row r of the visible part is row firstRow + source.y + (visible - 1 - r) of
// the image, counted from the bottom.
TEST(UnscaledSource, BandAndWholeImageShowTheSameRows)
{
    const QSize image(300, 1000);
    const QSize visible(200, 150);
    for (const int y : { 0, 1, 420, 850 }) {
        const TDibSource whole = UnscaledSource(image, visible, QPoint(30, y), false);
        const TDibSource band = UnscaledSource(image, visible, QPoint(30, y), true);
        EXPECT_EQ(whole.rows, 1000);
        EXPECT_EQ(band.rows, 150);
        EXPECT_EQ(band.source.x(), 30);
        // The top visible row is image line y, bottom-up row 999 - y.
        EXPECT_EQ(whole.firstRow + whole.source.y() + 149, 999 - y);
        EXPECT_EQ(band.firstRow + band.source.y() + 149, 999 - y);
    }
    // An image no taller than what shows is handed over whole either way.
    EXPECT_EQ(UnscaledSource(QSize(300, 100), visible, QPoint(), true).rows, 100);
}
