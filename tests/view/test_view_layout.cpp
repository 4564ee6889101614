#include "tests/view/ViewFixture.h"
#include "view/ViewLayout.h"

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
