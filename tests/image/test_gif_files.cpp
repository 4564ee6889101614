#include "support/DibPixels.h"
#include "support/TestFiles.h"

#include "image/DisplayDib.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct TRgbPicture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> pixels; // red, green, blue; top line first
};

// The binary PPM files that the fixture script writes beside each GIF.
bool ReadPpm(const std::filesystem::path& path, TRgbPicture& picture)
{
    const std::vector<uint8_t> bytes = ReadBytes(path.string());
    std::string head(bytes.begin(), bytes.begin() + ptrdiff_t(std::min<size_t>(bytes.size(), 64)));
    std::istringstream in(head);
    std::string magic;
    int maximum = 0;
    in >> magic >> picture.width >> picture.height >> maximum;
    if (magic != "P6" || maximum != 255)
        return false;
    const size_t start = size_t(in.tellg()) + 1;
    picture.pixels.assign(bytes.begin() + ptrdiff_t(start), bytes.end());
    return picture.pixels.size() == size_t(picture.width) * size_t(picture.height) * 3;
}

// Counts the pixels of the bitmap that differ from the picture.
int Differences(const TDib& dib, const TRgbPicture& picture)
{
    if (dib.Width() != picture.width || dib.Height() != picture.height)
        return -1;
    int differences = 0;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const size_t at = (size_t(y) * size_t(picture.width) + size_t(x)) * 3;
            const uint32_t expected = uint32_t(picture.pixels[at]) << 16
                | uint32_t(picture.pixels[at + 1]) << 8 | picture.pixels[at + 2];
            differences += PixelRgb(dib, x, y) != expected;
        }
    return differences;
}

struct TFixture {
    const char* name;
    int bitCount;
};

} // namespace

TEST(GifFiles, DecodeAsTheirEncodersReadThemFrameByFrame)
{
    const TFixture fixtures[]
        = { { "im-still", 8 }, { "im-interlaced", 8 }, { "im-16", 4 }, { "im-mono", 1 },
              { "im-anim", 8 }, { "pil-still", 8 }, { "pil-interlaced", 8 }, { "pil-anim", 8 },
              { "gl-rgb", 8 }, { "gl-rgb16", 4 }, { "gl-anim", 8 }, { "tiny-blocks", 8 } };
    for (const TFixture& fixture : fixtures) {
        SCOPED_TRACE(fixture.name);
        std::vector<TRgbPicture> frames;
        for (;;) {
            const auto path = TestData(
                "gif/" + std::string(fixture.name) + "-" + std::to_string(frames.size()) + ".rgb");
            if (!std::filesystem::exists(path))
                break;
            ASSERT_TRUE(ReadPpm(path, frames.emplace_back()));
        }
        ASSERT_FALSE(frames.empty());

        TDisplayDib dib;
        dib.SetOptions(TDecodeOptions());
        ASSERT_TRUE(dib.Load(TestData("gif/" + std::string(fixture.name) + ".gif").string()));
        EXPECT_EQ(dib.Message(), "");
        EXPECT_EQ(dib.BitCount(), fixture.bitCount);
        EXPECT_EQ(dib.MoreImages(), frames.size() > 1);
        EXPECT_EQ(Differences(dib, frames[0]), 0);
        // Every frame, then the first again after the loop.
        for (size_t step = 1; step <= frames.size() && frames.size() > 1; ++step) {
            ASSERT_TRUE(dib.NextGifFrame());
            EXPECT_EQ(Differences(dib, frames[step % frames.size()]), 0) << "step " << step;
            EXPECT_EQ(dib.ImageNumber(), int(step % frames.size()) + 1);
        }
    }
}
