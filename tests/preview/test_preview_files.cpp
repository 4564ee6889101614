// Every test picture of every format, previewed in boxes of several sizes, against the full-size
// decode: each thumbnail pixel is the picture's pixel at the source position it samples, and
// nothing is drawn outside the thumbnail.

#include "image/DecodeHelpers.h"
#include "preview/PreviewHelpers.h"
#include "support/DibPixels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

constexpr int32_t kBoxes[] = { 5, 9, 16, 27, 100 };

std::vector<std::string> TestPictures()
{
    std::vector<std::string> paths;
    for (const char* folder : { "bmp", "gif", "jpeg", "pcx", "targa" })
        for (const auto& entry : std::filesystem::directory_iterator(TestData(folder))) {
            const std::string extension = entry.path().extension().string();
            if (extension == ".bmp" || extension == ".gif" || extension == ".jpg"
                || extension == ".pcx" || extension == ".tga")
                paths.push_back(entry.path().string());
        }
    std::sort(paths.begin(), paths.end());
    return paths;
}

// A picture to compare thumbnails with: its size and the colour (0xRRGGBB) at column x of line
// y (0 is the top line).
struct TPicture {
    int64_t width = 0;
    int64_t height = 0;
    std::function<uint32_t(int64_t x, int64_t y)> pixel;
};

// The full-size decode, as the preview shows it: 5-bit components of 16-bit Targa pixels
// widened to 8 bits.
TPicture DisplayPicture(const TDisplayDib& dib)
{
    return { dib.Width(), dib.Height(), [&dib](int64_t x, int64_t y) {
                const uint32_t rgb = PixelRgb(dib, int(x), int(y));
                if (dib.BitCount() != 16)
                    return rgb;
                uint32_t wide = 0;
                for (int shift : { 16, 8, 0 })
                    wide |= uint32_t(((rgb >> shift & 31) * 255 + 15) / 31) << shift;
                return wide;
            } };
}

// A binary PPM or PGM file of 8-bit samples.
TPicture NetpbmPicture(const std::string& path)
{
    auto bytes = std::make_shared<std::vector<uint8_t>>(ReadBytes(path));
    std::istringstream header(std::string(
        bytes->begin(), bytes->begin() + ptrdiff_t(std::min<size_t>(bytes->size(), 20))));
    std::string magic;
    int64_t width = 0;
    int64_t height = 0;
    int maximum = 0;
    header >> magic >> width >> height >> maximum;
    const size_t start = size_t(header.tellg()) + 1;
    const size_t samples = magic == "P6" ? 3 : 1;
    return { width, height, [=](int64_t x, int64_t y) {
                const uint8_t* pixel
                    = bytes->data() + start + (size_t(y) * size_t(width) + size_t(x)) * samples;
                return samples == 3 ? uint32_t(pixel[0]) << 16 | uint32_t(pixel[1]) << 8 | pixel[2]
                                    : uint32_t(pixel[0]) * 0x010101u;
            } };
}

// Compares one box with the picture. The thumbnail of geometry g samples picture line
// (g's top line - row) x Y counter, or for bottom-up files (row - Y offset) x Y counter lines up
// from the bottom, and column (column - X offset) x X counter. The rest of the box keeps its
// background, but for one more column at the right and one more row below, which the sampling
// may add.
void CheckBox(const TPreviewRun& run, const TPicture& picture, const TThumbnailGeometry& g,
    bool bottomUp, const std::string& what)
{
    const TPreviewDib& preview = *run.preview;
    const int64_t columns = (picture.width + g.xCounter - 1) / g.xCounter;
    int64_t compared = 0;
    for (int64_t y = 0; y < preview.BoxHeight(); ++y) {
        const int64_t i = bottomUp ? y - g.yOffset : int64_t(g.yOffset) + g.scaledHeight - 1 - y;
        const int64_t line = bottomUp ? picture.height - 1 - i * g.yCounter : i * g.yCounter;
        for (int64_t x = 0; x < preview.BoxWidth(); ++x) {
            const int64_t k = x - g.xOffset;
            const bool inside = i >= 0 && i < g.scaledHeight && k >= 0 && k < columns;
            if (!inside) {
                const bool extra = (k == columns && i >= 0 && i <= g.scaledHeight)
                    || (!bottomUp && i == g.scaledHeight && k >= 0 && k <= columns);
                if (!extra) {
                    ASSERT_EQ(run.Pixel(x, y), 0u) << what << " outside at " << x << "," << y;
                }
                continue;
            }
            const int64_t column = k * g.xCounter;
            if (line < 0 || line >= picture.height || column >= picture.width)
                continue;
            ASSERT_EQ(run.Pixel(x, y), picture.pixel(column, line))
                << what << " at box " << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, 0) << what;
}

} // namespace

TEST(PreviewFiles, EachThumbnailPixelIsThePicturePixelItSamples)
{
    const std::vector<std::string> pictures = TestPictures();
    ASSERT_GT(pictures.size(), 50u);
    for (const std::string& path : pictures) {
        TDecoded display = DecodeFile(path);
        if (!display.ok || !display.dib->Message().empty())
            continue; // damaged on purpose: the failure tests cover these
        const TDisplayDib& dib = *display.dib;
        const int32_t type = dib.FileType();
        const int32_t bits = dib.BitsPerPixel();
        // 16- and 32-bit BMP channels follow the preview's own rules (their own test).
        if (type == FileTypeBmp && (bits == 16 || bits == 32))
            continue;
        for (int32_t box : kBoxes) {
            const std::string what = path + " in box " + std::to_string(box);
            TPreviewRun run(box);
            ASSERT_TRUE(run.Load(path)) << what << ": " << run.preview->Message();
            EXPECT_EQ(run.preview->Message(), "") << what;
            EXPECT_EQ(run.preview->BitsPerPixel(), bits) << what;
            EXPECT_EQ(run.preview->ImageWidth(), dib.ImageWidth()) << what;
            if (type == FileTypeGif) {
                // The logical screen holds the first frame on the screen's background.
                CheckBox(run, DisplayPicture(dib), run.preview->LogicalGeometry(), false, what);
            } else if (type == FileTypeJpeg) {
                // Another transform and plain upsampling: the library's own tool with these
                // settings made the reference.
                const std::filesystem::path stem = std::filesystem::path(path).stem();
                std::filesystem::path reference
                    = TestData("preview") / (stem.string() + "-fast.ppm");
                if (bits == 8)
                    reference.replace_extension(".pgm");
                CheckBox(
                    run, NetpbmPicture(reference.string()), run.preview->Geometry(), false, what);
            } else {
                const bool bottomUp = type != FileTypePcx && dib.BottomUp();
                CheckBox(run, DisplayPicture(dib), run.preview->Geometry(), bottomUp, what);
            }
        }
    }
}

TEST(PreviewFiles, AnimationFramesMatchThePlayedPicture)
{
    for (const char* name : { "gif/gl-anim.gif", "gif/im-anim.gif", "gif/pil-anim.gif" }) {
        const std::string path = TestData(name).string();
        for (int32_t box : { 7, 16, 100 }) {
            TPreviewRun run(box);
            ASSERT_TRUE(run.Load(path));
            ASSERT_TRUE(run.preview->MoreImages()) << name;
            // One display image at a time: they share the picture kept for disposal.
            TDecoded display = DecodeFile(path);
            ASSERT_TRUE(display.ok) << name;
            TDisplayDib& dib = *display.dib;
            // Twice round the animation, so that its restart is played too.
            for (int frame = 1; frame < 9; ++frame) {
                ASSERT_TRUE(dib.NextGifFrame());
                ASSERT_TRUE(run.preview->NextGifFrame()) << run.preview->Message();
                EXPECT_EQ(run.preview->ImageNumber(), dib.ImageNumber());
                CheckBox(run, DisplayPicture(dib), run.preview->LogicalGeometry(), false,
                    std::string(name) + " frame " + std::to_string(frame) + " box "
                        + std::to_string(box));
            }
        }
    }
}
