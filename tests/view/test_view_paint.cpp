#include "image/DisplayDib.h"
#include "tests/support/DibPixels.h"
#include "tests/view/ViewFixture.h"
#include "view/ViewPaint.h"

#include <bit>

namespace {

struct TDepth {
    const char* name;
    uint16_t bitCount;
    std::vector<uint32_t> masks; // red, green, blue; empty for none
};

const std::vector<TDepth> kDepths = {
    { "1", 1, {} },
    { "4", 4, {} },
    { "8", 8, {} },
    { "16", 16, {} },
    { "16-565", 16, { 0xF800, 0x07E0, 0x001F } },
    { "24", 24, {} },
    { "32", 32, {} },
    { "32-10bit", 32, { 0x3FF00000, 0x000FFC00, 0x000003FF } },
};

// Makes dib a bitmap of the depth filled with random bytes, with a random colour table.
void MakeRandomDib(TDib& dib, const TDepth& depth, int width, int height, uint32_t seed)
{
    std::mt19937 random(seed);
    const size_t stride = (size_t(depth.bitCount) * size_t(width) + 31) / 32 * 4;
    const uint32_t entries = depth.bitCount <= 8 ? 1u << depth.bitCount : 0;
    EXPECT_TRUE(dib.AllocateBitmap(width, height, depth.bitCount, entries, !depth.masks.empty(),
        stride, stride * size_t(height)));
    for (uint32_t i = 0; i < entries; ++i)
        dib.SetColor(i, uint8_t(random()), uint8_t(random()), uint8_t(random()));
    for (size_t c = 0; c < depth.masks.size(); ++c) {
        for (size_t i = 0; i < 4; ++i)
            dib.ColorTable()[c * 4 + i] = uint8_t(depth.masks[c] >> (8 * i));
    }
    for (uint8_t& byte : dib.Bits())
        byte = uint8_t(random());
}

// A bit field as the display shows it: 5 and 6 bits widened by repeating their top bits,
// 8 bits as they are, 10 bits by their top 8.
uint32_t FieldByte(uint32_t value, uint32_t mask)
{
    const uint32_t component = (value & mask) >> std::countr_zero(mask);
    switch (std::popcount(mask)) {
    case 5:
        return component << 3 | component >> 2;
    case 6:
        return component << 2 | component >> 4;
    case 8:
        return component;
    case 10:
        return component >> 2;
    default:
        ADD_FAILURE() << "mask " << mask;
        return 0;
    }
}

// The colour the decoded bitmap holds at (x, y), 0xRRGGBB.
uint32_t Expected(const TDib& dib, int x, int y)
{
    if (dib.BitCount() != 16 && dib.Compression() == 0)
        return PixelRgb(dib, x, y);
    uint32_t masks[3] = { 0x7C00, 0x03E0, 0x001F };
    if (dib.Compression() == 3) {
        for (size_t c = 0; c < 3; ++c)
            masks[c] = uint32_t(dib.ColorTable()[c * 4])
                | uint32_t(dib.ColorTable()[c * 4 + 1]) << 8
                | uint32_t(dib.ColorTable()[c * 4 + 2]) << 16
                | uint32_t(dib.ColorTable()[c * 4 + 3]) << 24;
    }
    const uint32_t value = PixelValue(dib, x, y);
    return FieldByte(value, masks[0]) << 16 | FieldByte(value, masks[1]) << 8
        | FieldByte(value, masks[2]);
}

// Counts the client pixels that differ from the decoded image seen from position.
int Mismatches(const QImage& shown, const TDib& dib, QPoint position)
{
    int wrong = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if ((shown.pixel(x, y) & 0xFFFFFF) != Expected(dib, x + position.x(), y + position.y()))
                ++wrong;
        }
    }
    return wrong;
}

} // namespace

// Every depth, scrolled to the top-left corner, to the middle and to the far corner, drawn
// both with all rows handed over and with only the visible band.
TEST_F(ViewTest, EveryDepthDrawsTheDecodedPixelsOnBothPaths)
{
    Settings().AutoSizeView = false;
    Settings().CenterImage = false;
    Open();
    view->resize(200, 150);
    for (const TDepth& depth : kDepths) {
        SCOPED_TRACE(depth.name);
        const std::string name = std::string("depth-") + depth.name + ".bmp";
        TDib source;
        MakeRandomDib(source, depth, 301, 333, depth.bitCount);
        WriteBmp(name, source);
        Show({ name });
        ASSERT_TRUE(view->HasImage());
        const TDib& decoded = *view->Image();
        TMyScroller& scroller = view->Scroller();
        const QSize client = scroller.ClientSize();
        ASSERT_LT(client.height(), 333);
        for (const QPoint position : { QPoint(0, 0), QPoint(37, 123), QPoint(9999, 9999) }) {
            scroller.ScrollTo(position.x(), position.y());
            const QPoint shownFrom(scroller.XPos(), scroller.YPos());
            Settings().UseFastDibs = false;
            const QImage normal = Rendered();
            Settings().UseFastDibs = true;
            const QImage quick = Rendered();
            EXPECT_EQ(Mismatches(normal, decoded, shownFrom), 0) << position.y();
            EXPECT_EQ(quick, normal) << position.y();
        }
        EXPECT_EQ(scroller.YPos() + client.height(), 333);
    }
}

TEST_F(ViewTest, SmallImageLeavesBlackMarginsRightAndBottomOrAllRoundWhenCentred)
{
    Settings().AutoSizeView = false;
    Settings().CenterImage = false;
    Open();
    view->resize(201, 151);
    Show({ WritePicture("small.bmp", 50, 30) });
    QImage shown = Rendered();
    ASSERT_EQ(shown.size(), QSize(201, 151));
    int black = 0;
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            const uint32_t pixel = shown.pixel(x, y) & 0xFFFFFF;
            if (x < 50 && y < 30)
                EXPECT_EQ(pixel, PatternRgb(x, y) & 0xFFFFFF);
            else
                black += pixel == 0;
        }
    }
    EXPECT_EQ(black, 201 * 151 - 50 * 30);

    // Centred: 75 columns left and 76 right, 60 rows above and 61 below.
    Settings().CenterImage = true;
    shown = Rendered();
    EXPECT_EQ(shown.pixel(75, 60) & 0xFFFFFF, PatternRgb(0, 0) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(124, 89) & 0xFFFFFF, PatternRgb(49, 29) & 0xFFFFFF);
    EXPECT_EQ(shown.pixel(74, 60) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(125, 89) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(75, 59) & 0xFFFFFF, 0u);
    EXPECT_EQ(shown.pixel(75, 90) & 0xFFFFFF, 0u);
}

TEST_F(ViewTest, WhileDecodingOrWithoutAnImageOnlyTheBackgroundShows)
{
    Settings().AutoSizeView = false;
    Settings().CenterImage = false;
    Open();
    QImage shown = Rendered();
    EXPECT_EQ(shown.pixel(10, 10) & 0xFFFFFF, 0u);
    Show({ WritePicture("white.bmp", 40, 40, [](int, int) { return 0xFFFFFFu; }) });
    EXPECT_EQ(Rendered().pixel(10, 10) & 0xFFFFFF, 0xFFFFFFu);
    ProcessFlags().viewerLoading = true;
    EXPECT_EQ(Rendered().pixel(10, 10) & 0xFFFFFF, 0u);
    ProcessFlags().viewerLoading = false;
}

// A palette display gets the image's colours when the window becomes active; a true-colour
// display has nothing to realise.
TEST_F(ViewTest, PaletteIsRealisedOnlyOnAPaletteDisplay)
{
    TDib source;
    MakeRandomDib(source, kDepths[2], 20, 20, 5);
    WriteBmp("pal.bmp", source);
    Show({ "pal.bmp" });
    EXPECT_FALSE(view->RealizeImagePalette());
    SetScreenOverride(MakeScreenInfo(1024, 768, 8));
    EXPECT_TRUE(view->RealizeImagePalette());
    EXPECT_FALSE(view->RealizeImagePalette()); // nothing changed since
    Show({ WritePicture("rgb.bmp", 20, 20) });
    EXPECT_FALSE(view->RealizeImagePalette()); // no colour table
}

TEST(ImagePlacement, CentringGivesTheOddPixelToTheRightAndBottom)
{
    const QRect target(0, 0, 801, 601);
    EXPECT_EQ(PlaceImage(target, QSize(800, 400), true), QRect(0, 100, 800, 400));
    EXPECT_EQ(PlaceImage(target, QSize(100, 100), true), QRect(350, 250, 100, 100));
    // Larger than the target in one direction: it fills that direction.
    EXPECT_EQ(PlaceImage(target, QSize(2000, 100), true), QRect(0, 250, 801, 100));
    // Without centring: top-left, clipped.
    EXPECT_EQ(PlaceImage(target, QSize(2000, 100), false), QRect(0, 0, 801, 100));
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
