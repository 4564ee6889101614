#include "preview/PreviewGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TThumbnailGeometry Expect(int32_t xCounter, int32_t yCounter, int32_t scaledWidth,
    int32_t scaledHeight, int32_t xOffset, int32_t yOffset)
{
    return { xCounter, yCounter, scaledWidth, scaledHeight, xOffset, yOffset };
}

} // namespace

TEST(ThumbnailRounding, HalfGoesUp)
{
    EXPECT_EQ(RoundThumbnail(2.49f), 2);
    EXPECT_EQ(RoundThumbnail(2.5f), 3);
    EXPECT_EQ(RoundThumbnail(0.0f), 0);
    EXPECT_EQ(RoundThumbnail(1e20f), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(RoundThumbnail(std::nanf("")), 0);
}

TEST(ThumbnailGeometry, ExamplesOfTheBoxSizes)
{
    // Below the box less one pixel the image is not reduced; the spare pixel goes right and up.
    EXPECT_EQ(ThumbnailGeometry(50, 50, 49, 49), Expect(1, 1, 49, 49, 0, 0));
    // No whole step gives 49: every second pixel.
    EXPECT_EQ(ThumbnailGeometry(50, 50, 50, 50), Expect(2, 2, 25, 25, 12, 12));
    EXPECT_EQ(ThumbnailGeometry(100, 100, 640, 480), Expect(7, 7, 91, 69, 4, 15));
    EXPECT_EQ(ThumbnailGeometry(100, 100, 300, 200), Expect(4, 4, 75, 50, 12, 25));
    // A thin strip keeps its aspect by a larger Y counter.
    EXPECT_EQ(ThumbnailGeometry(75, 75, 4000, 10), Expect(54, 11, 74, 1, 0, 37));
    EXPECT_EQ(ThumbnailGeometry(100, 100, 1, 1), Expect(1, 1, 1, 1, 49, 49));
}

TEST(ThumbnailGeometry, EmptyAndHugeImagesStayInTheBox)
{
    EXPECT_EQ(ThumbnailGeometry(100, 100, 0, 0), Expect(1, 1, 0, 0, 50, 50));
    EXPECT_EQ(ThumbnailGeometry(100, 100, 0, 5000), Expect(1, 51, 1, 98, 49, 1));
    EXPECT_EQ(ThumbnailGeometry(100, 100, 5000, 0).scaledHeight, 1);
    const int32_t most = std::numeric_limits<int32_t>::max();
    for (const auto& [width, height] : { std::pair { most, most }, { most, 1 }, { 1, most } }) {
        const TThumbnailGeometry g = ThumbnailGeometry(100, 100, width, height);
        EXPECT_GE(g.xCounter, 1);
        EXPECT_GE(g.yCounter, 1);
        EXPECT_LE(g.scaledWidth, 99);
        EXPECT_LE(g.scaledHeight, 99);
    }
}

// Over many sizes and boxes: the thumbnail never exceeds the box less one pixel, its size is
// the image's divided by the counters, and it is centred with the odd pixel right and on top.
TEST(ThumbnailGeometry, NeverLargerThanTheBoxLessOnePixelAndCentred)
{
    const auto round = [](double value) { return int64_t(std::floor(value + 0.5)); };
    for (int32_t box : { 2, 3, 17, 50, 75, 90, 100, 128 })
        for (int32_t width = 1; width <= 1200; width += width < 300 ? 1 : 37)
            for (int32_t height = 1; height <= 1200; height += height < 120 ? 7 : 53) {
                const TThumbnailGeometry g = ThumbnailGeometry(box, box, width, height);
                SCOPED_TRACE(testing::Message() << box << ": " << width << " x " << height);
                const bool reduced = width > box - 1 || height > box - 1;
                ASSERT_EQ(reduced,
                    g.xCounter > 1 || g.yCounter > 1 || g.scaledWidth != width
                        || g.scaledHeight != height);
                ASSERT_GE(g.scaledWidth, 1);
                ASSERT_GE(g.scaledHeight, 1);
                ASSERT_LE(g.scaledWidth, std::max(box - 1, 1));
                ASSERT_LE(g.scaledHeight, std::max(box - 1, 1));
                if (reduced) {
                    ASSERT_EQ(
                        g.scaledWidth, std::max<int64_t>(1, round(double(width) / g.xCounter)));
                    ASSERT_EQ(
                        g.scaledHeight, std::max<int64_t>(1, round(double(height) / g.yCounter)));
                }
                ASSERT_EQ(g.xOffset, (box - g.scaledWidth) / 2);
                ASSERT_EQ(g.yOffset, (box - g.scaledHeight) / 2);
            }
}
