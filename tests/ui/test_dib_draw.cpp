#include "image/ByteReader.h"
#include "ui/Application.h"
#include "ui/DibDraw.h"
#include "ui/Scroller.h"
#include "ui/Window.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A packed bitmap held as its info block and its rows.
struct TTestDib {
    TTestDib(int width, int height, int bitCount, std::vector<uint32_t> table = {})
        : width(width)
        , height(height)
        , stride((bitCount * width + 31) / 32 * 4)
        , info(40 + table.size() * 4)
        , bits(size_t(stride) * size_t(height))
    {
        PutU32(info, 0, 40);
        PutU32(info, 4, uint32_t(width));
        PutU32(info, 8, uint32_t(height));
        PutU16(info, 12, 1);
        PutU16(info, 14, uint16_t(bitCount));
        // A bit-field table is the three masks; a colour table holds 0x00RRGGBB entries.
        if (bitCount > 8 && !table.empty())
            PutU32(info, 16, 3);
        for (size_t i = 0; i < table.size(); ++i)
            PutU32(info, 40 + i * 4, table[i]);
    }
    // The row of picture line y (0 is the top line).
    uint8_t* Line(int y) { return bits.data() + size_t(height - 1 - y) * size_t(stride); }

    int width;
    int height;
    int stride;
    std::vector<uint8_t> info;
    std::vector<uint8_t> bits;
};

QImage Canvas(QSize size, QRgb fill = qRgb(9, 9, 9))
{
    QImage canvas(size, QImage::Format_RGB32);
    canvas.fill(fill);
    return canvas;
}

QImage Draw(const TTestDib& dib, QSize canvasSize, QRect target, QPoint source, QRect clip)
{
    QImage canvas = Canvas(canvasSize);
    QPainter painter(&canvas);
    EXPECT_TRUE(SetDibBitsToDevice(painter, target, source, dib.info, dib.bits, clip));
    return canvas;
}

} // namespace

// Every depth is drawn through the viewing window in its tests; here the geometry.
TEST(DibDraw, SourceCornerCountsFromTheBottomRowAndOnlyTheClipIsDrawn)
{
    // A 4 x 4 24-bit picture whose pixel at (x, y) has red x and green y.
    TTestDib dib(4, 4, 24);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            dib.Line(y)[x * 3 + 2] = uint8_t(x);
            dib.Line(y)[x * 3 + 1] = uint8_t(y);
        }
    }
    // A 2 x 2 target whose bottom row is the bitmap's bottom row (source y 0) starting at
    // column 1: it shows picture lines 2 and 3, columns 1 and 2.
    QImage canvas = Draw(dib, QSize(6, 6), QRect(2, 2, 2, 2), QPoint(1, 0), QRect(0, 0, 6, 6));
    EXPECT_EQ(canvas.pixel(2, 2) & 0xFFFFFF, 0x010200u);
    EXPECT_EQ(canvas.pixel(3, 3) & 0xFFFFFF, 0x020300u);
    EXPECT_EQ(canvas.pixel(1, 2), qRgb(9, 9, 9)); // outside the target
    // Source y 2: the target's bottom row shows picture line 1.
    canvas = Draw(dib, QSize(2, 2), QRect(0, 0, 2, 2), QPoint(0, 2), QRect(0, 0, 2, 2));
    EXPECT_EQ(canvas.pixel(0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(canvas.pixel(1, 1) & 0xFFFFFF, 0x010100u);
    // Only the clip is touched; target pixels beyond the bitmap stay as they were.
    canvas = Draw(dib, QSize(6, 6), QRect(0, 0, 6, 6), QPoint(0, -2), QRect(0, 0, 6, 1));
    EXPECT_EQ(canvas.pixel(0, 0) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(canvas.pixel(0, 1), qRgb(9, 9, 9));
    EXPECT_EQ(canvas.pixel(5, 0), qRgb(9, 9, 9));
}

TEST(DibDraw, RowsShortOfTheHeaderDrawNothing)
{
    TTestDib dib(4, 4, 32);
    dib.bits.resize(dib.bits.size() - 1);
    QImage canvas = Canvas(QSize(4, 4));
    QPainter painter(&canvas);
    EXPECT_FALSE(SetDibBitsToDevice(
        painter, QRect(0, 0, 4, 4), QPoint(), dib.info, dib.bits, canvas.rect()));
    painter.end();
    EXPECT_EQ(canvas.pixel(0, 0), qRgb(9, 9, 9));
    EXPECT_TRUE(StretchDibBits(QSize(2, 2), dib.info, dib.bits).isNull());
}

TEST(DibDraw, StretchKeepsTheNearestRowsAndColumnsWithoutBlending)
{
    std::vector<uint32_t> table(256, 0);
    for (uint32_t i = 0; i < 256; ++i)
        table[i] = i;
    TTestDib dib(6, 4, 8, table);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x)
            dib.Line(y)[x] = uint8_t(y * 16 + x);
    }
    const QImage half = StretchDibBits(QSize(3, 2), dib.info, dib.bits);
    ASSERT_EQ(half.size(), QSize(3, 2));
    // Columns 0, 2, 4 of lines 0 and 2.
    EXPECT_EQ(half.pixel(0, 0) & 0xFF, 0x00u);
    EXPECT_EQ(half.pixel(2, 0) & 0xFF, 0x04u);
    EXPECT_EQ(half.pixel(1, 1) & 0xFF, 0x22u);
    const QImage wider = StretchDibBits(QSize(12, 4), dib.info, dib.bits);
    EXPECT_EQ(wider.pixel(0, 3) & 0xFF, 0x30u);
    EXPECT_EQ(wider.pixel(1, 3) & 0xFF, 0x30u);
    EXPECT_EQ(wider.pixel(11, 3) & 0xFF, 0x35u);
}

// An image 801 x 590 in an 800 x 600 window: one pixel too wide, so a horizontal bar, whose
// height then makes the image too tall, so a vertical bar, which leaves 786 pixels of width.
TEST(Scroller, BarsSettleOnTheFewestThatShowTheWholeRange)
{
    TWindow window;
    window.resize(800, 600);
    window.show(); // a hidden window hears of its new size only when shown
    TScroller scroller(&window, 1, 1);
    const int barWidth = scroller.VerticalBarWidth();
    const int barHeight = scroller.HorizontalBarHeight();
    scroller.SetRange(800, 589);
    scroller.SetPageSize();
    EXPECT_TRUE(scroller.HasHorizontalBar());
    EXPECT_TRUE(scroller.HasVerticalBar());
    EXPECT_EQ(scroller.ClientSize(), QSize(800 - barWidth, 600 - barHeight));
    scroller.ScrollTo(5000, 5000);
    EXPECT_EQ(scroller.XPos(), 801 - (800 - barWidth));
    EXPECT_EQ(scroller.YPos(), 590 - (600 - barHeight));

    // A larger window shows the whole image: the bars go and the position comes back.
    window.resize(810, 610);
    EXPECT_FALSE(scroller.HasHorizontalBar());
    EXPECT_EQ(scroller.XPos(), 0);
    EXPECT_EQ(scroller.YPos(), 0);

    // Slightly smaller than the window in both directions: either bar alone would call for
    // the other, but without bars everything shows.
    window.resize(800, 600);
    scroller.SetRange(800 - barWidth / 2, 600 - barHeight / 2);
    scroller.SetPageSize();
    EXPECT_FALSE(scroller.HasHorizontalBar());
    EXPECT_FALSE(scroller.HasVerticalBar());
    EXPECT_EQ(scroller.ClientSize(), QSize(800, 600));
}

namespace {

class TSizeRecorder : public TWindow {
public:
    using TWindow::TWindow;
    void EvWorkAreaChange() override { ++workAreaChanges; }
    int sizes = 0;
    int workAreaChanges = 0;

protected:
    void EvSize() override { ++sizes; }
};

} // namespace

TEST(WindowEvents, SizeAndWorkAreaChangesReachTheWindow)
{
    TSizeRecorder window;
    window.show();
    const int before = window.sizes;
    window.resize(321, 123);
    EXPECT_EQ(window.sizes, before + 1);
    BroadcastWorkAreaChange();
    EXPECT_EQ(window.workAreaChanges, 1);
}
