// Thumbnails of files built byte by byte: the rules the full-size decode does not share (bit
// field channels, run-length deltas with counters above 1, the background, GIF transparency and
// disposal on the sampled area), painting, posting, stopping and the result conventions.

#include "image/BmpBuilder.h"
#include "image/GifBuilder.h"
#include "platform/MessagePump.h"
#include "platform/ProcessFlags.h"
#include "preview/PreviewHelpers.h"
#include "preview/PreviewInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;

// The pixels of bitmap rows 0 (bottom) upwards, each from column 0 to count - 1.
std::vector<std::vector<uint32_t>> BoxRows(const TPreviewRun& run, int rows, int columns)
{
    std::vector<std::vector<uint32_t>> result(static_cast<size_t>(rows));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x)
            result[size_t(y)].push_back(run.Pixel(x, y));
    return result;
}

// Clears the abort request and the pump step a test installed, whichever way it ends.
struct TPumpGuard {
    ~TPumpGuard()
    {
        SetPumpOneMessage({});
        ProcessFlags().previewAbort = false;
        ProcessFlags().useTransparency = true;
    }
};

} // namespace

TEST(PreviewBmp, SixteenAndThirtyTwoBitChannelRules)
{
    TTempFolder folder;
    const auto first = [&](TBmpBuilder bmp) {
        TPreviewRun run(10);
        EXPECT_TRUE(run.Load(folder.Write("deep.bmp", bmp.Build())));
        return run.Pixel(run.preview->Geometry().xOffset, run.preview->Geometry().yOffset);
    };
    TBmpBuilder bmp;
    bmp.bitCount = 16;
    // 5-5-5 without masks: each component shifted up by 3.
    bmp.pixels = { 0xFF, 0x7F, 0, 0 };
    EXPECT_EQ(first(bmp), 0xF8F8F8u);
    // 5-6-5 bit fields: green's 6 bits shifted up by 2.
    bmp.compression = 3;
    bmp.masks = { 0xF800, 0x07E0, 0x001F };
    bmp.pixels = { 0x1F, 0x04, 0, 0 }; // red 0, green 32, blue 31
    EXPECT_EQ(first(bmp), 0x0080F8u);
    // A mask wider than 8 bits keeps its top 8.
    bmp.masks = { 0xFFFF, 0, 0 };
    bmp.pixels = { 0x34, 0x12, 0, 0 };
    EXPECT_EQ(first(bmp), 0x120000u);

    bmp.bitCount = 32;
    bmp.compression = 0;
    bmp.masks.clear();
    bmp.pixels = { 0x30, 0x20, 0x10, 0xFF };
    EXPECT_EQ(first(bmp), 0x102030u);
    // At 32 bits narrow masks are not widened; 10-bit ones keep their top 8 bits.
    bmp.compression = 3;
    bmp.masks = { 0x001F, 0, 0x3FF00000 };
    bmp.pixels = { 0x1F, 0, 0x00, 0x30 }; // red 31, blue 0x300
    EXPECT_EQ(first(bmp), 0x1F00C0u);
}

// An 8 x 8 run-length picture in a box of 5: every second row and column, 4 x 4 pixels.
TEST(PreviewBmp, RunLengthDeltaCountsEveryRowItPasses)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 8;
    bmp.height = 8;
    bmp.bitCount = 8;
    bmp.compression = 1;
    bmp.colorsUsed = 3;
    bmp.palette = { 0x000000, kRed, kGreen };
    bmp.pixels = {
        8, 1, // row 0 all red
        0, 0, // end of line: row 1
        0, 2, 3, 3, // delta right 3, up 3: rows 2 and 4 finish preview rows 0 and 1
        3, 2, // green at columns 3 to 5 of row 4: only column 4 is kept
        0, 2, 200, 0, // a delta far beyond the row's end
        5, 1, // red nowhere
        0, 1, // end of bitmap
    };
    TPreviewRun run(5);
    ASSERT_TRUE(run.Load(folder.Write("rle.bmp", bmp.Build())));
    EXPECT_EQ(run.preview->Geometry(), (TThumbnailGeometry { 2, 2, 4, 4, 0, 0 }));
    const std::vector<uint32_t> empty(5, 0);
    EXPECT_EQ(BoxRows(run, 5, 5),
        (std::vector<std::vector<uint32_t>> {
            { kRed, kRed, kRed, kRed, 0 }, empty, { 0, 0, kGreen, 0, 0 }, empty, empty }));
    EXPECT_EQ(*run.painted, (std::vector<int32_t> { 0, 1, 2, 3, 4, 0, 1, 2 }));

    // The file ends in the third preview row: the two finished ones stay.
    bmp.pixels.resize(12);
    EXPECT_TRUE(run.Load(folder.Write("cut.bmp", bmp.Build())));
    EXPECT_EQ(run.preview->Message(), "Premature end of file");
    bmp.pixels.resize(3);
    EXPECT_FALSE(run.Load(folder.Write("cut.bmp", bmp.Build())));
    EXPECT_EQ(run.preview->Message(), "Premature end of file");
}

TEST(PreviewBmp, TruncatedRowsKeepWhatWasDrawn)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 4;
    bmp.height = 4;
    for (int i = 0; i < 4 * 12; ++i)
        bmp.pixels.push_back(200);
    // Box 3: rows 0 and 2 of the file, read and seeked to.
    TPreviewRun run(3);
    bmp.pixels.resize(2 * 12 + 5);
    EXPECT_TRUE(run.Load(folder.Write("cut.bmp", bmp.Build())));
    EXPECT_EQ(run.preview->Message(), "Premature end of file");
    EXPECT_EQ(run.Pixel(0, 0), 0xC8C8C8u);
    bmp.pixels.resize(5);
    EXPECT_FALSE(run.Load(folder.Write("cut.bmp", bmp.Build())));
    EXPECT_EQ(run.preview->Message(), "Premature end of file");
}

TEST(PreviewBox, BackgroundClearAndPainting)
{
    TTempFolder folder;
    TBmpBuilder bmp; // one grey pixel
    bmp.pixels = { 100, 100, 100, 0 };
    TPreviewOptions options;
    options.prevBkColor = 0x0000FF; // red, as the settings store colours
    TPreviewRun run(4, options);
    ASSERT_TRUE(run.Load(folder.Write("one.bmp", bmp.Build())));
    EXPECT_EQ(run.preview->BitCount(), 24);
    EXPECT_EQ(run.preview->Width(), 4);
    EXPECT_EQ(run.preview->Height(), 4);
    // The whole box once, then the thumbnail's one row (centred at 1, 1).
    EXPECT_EQ(*run.painted, (std::vector<int32_t> { 0, 1, 2, 3, 1 }));
    EXPECT_EQ(run.Pixel(1, 1), 0x646464u);
    EXPECT_EQ(run.Pixel(0, 0), kRed);
    EXPECT_EQ(run.Pixel(3, 3), kRed);

    run.painted->clear();
    run.preview->ClearPreview();
    EXPECT_EQ(run.preview->FileType(), FileTypeNone);
    EXPECT_EQ(run.Pixel(1, 1), kRed);
    EXPECT_EQ(*run.painted, (std::vector<int32_t> { 0, 1, 2, 3 }));
}

TEST(PreviewBox, AbortStopsBetweenRowsWithSuccess)
{
    TPumpGuard guard;
    int steps = 0;
    SetPumpOneMessage([&] {
        if (++steps == 1)
            ProcessFlags().previewAbort = true;
    });
    for (const char* name : { "bmp/pil-rgb24.bmp", "jpeg/progressive.jpg", "gif/im-still.gif",
             "pcx/pil-rgb24.pcx", "targa/pil-rgb24rle.tga" }) {
        steps = 0;
        ProcessFlags().previewAbort = false;
        TPreviewRun run(100);
        EXPECT_TRUE(run.Load(TestData(name).string())) << name;
        EXPECT_EQ(steps, 1) << name;
        EXPECT_TRUE(run.posted->empty()) << name;
        EXPECT_FALSE(run.preview->MoreImages()) << name;
    }
}

TEST(PreviewJpeg, PassesPostingAndFailures)
{
    TPreviewRun run(16);
    ASSERT_TRUE(run.Load(TestData("jpeg/progressive.jpg").string()));
    EXPECT_EQ(*run.posted, std::vector<int32_t> { CmPreviewFirstPass });
    // The box, then at least the first pass and the last.
    const size_t rowsOfOnePass = size_t(run.preview->Geometry().scaledHeight);
    EXPECT_GE(run.painted->size(), 16 + 2 * rowsOfOnePass);
    run.posted->clear();
    ASSERT_TRUE(run.Load(TestData("jpeg/colour-420.jpg").string()));
    EXPECT_TRUE(run.posted->empty());
    ASSERT_TRUE(run.Load(TestData("jpeg/grey.jpg").string()));
    EXPECT_EQ(run.preview->BitsPerPixel(), 8);

    EXPECT_FALSE(run.Load(TestData("jpeg/cmyk.jpg").string()));
    EXPECT_EQ(run.preview->Message(), "Unsupported color conversion request");

    // A truncated file is no thumbnail, but what was painted stays.
    TTempFolder folder;
    for (const char* name : { "jpeg/colour-444.jpg", "jpeg/progressive.jpg" }) {
        std::vector<uint8_t> bytes = ReadBytes(TestData(name).string());
        bytes.resize(bytes.size() * 3 / 4);
        EXPECT_FALSE(run.Load(folder.Write("cut.jpg", bytes))) << name;
        EXPECT_EQ(run.preview->Message(), "Premature end of JPEG file") << name;
        const TThumbnailGeometry& g = run.preview->Geometry();
        EXPECT_NE(run.Pixel(g.xOffset, g.yOffset + g.scaledHeight - 1), 0u) << name;
    }
}

TEST(PreviewPcx, PalettesOfTheSmallerDepthsAndTheMissingMarker)
{
    // A 2 x 1 picture: header, one stored line, and 769 bytes of trailer.
    const auto pcx = [](uint8_t bitsPerPlane, uint8_t planes, uint16_t bytesPerLine,
                         std::vector<uint8_t> line, uint8_t marker) {
        std::vector<uint8_t> out = { 10, 5, 1, bitsPerPlane };
        AppendU16(out, 0);
        AppendU16(out, 0);
        AppendU16(out, 1); // max x: 2 pixels
        AppendU16(out, 0);
        out.resize(65, 0); // resolution and an all-black header palette
        AppendU8(out, planes);
        AppendU16(out, bytesPerLine);
        out.resize(128, 0);
        out.insert(out.end(), line.begin(), line.end());
        AppendU8(out, marker);
        for (int i = 0; i < 256; ++i)
            AppendBytes(out, { 0, 0, uint8_t(i) });
        return out;
    };
    TTempFolder folder;
    TPreviewRun run(10);
    const auto pixels = [&](const std::vector<uint8_t>& bytes) {
        EXPECT_TRUE(run.Load(folder.Write("p.pcx", bytes)));
        const TThumbnailGeometry& g = run.preview->Geometry();
        return std::vector<uint32_t> { run.Pixel(g.xOffset, g.yOffset),
            run.Pixel(g.xOffset + 1, g.yOffset) };
    };
    // 16 colours with an empty header palette take the default table: 1 blue, 4 red.
    EXPECT_EQ(pixels(pcx(4, 1, 2, { 0x14, 0 }, 0)), (std::vector<uint32_t> { kBlue, kRed }));
    // 256 colours: the palette after the marker, or black without it.
    EXPECT_EQ(pixels(pcx(8, 1, 2, { 1, 2 }, 12)), (std::vector<uint32_t> { 1, 2 }));
    EXPECT_EQ(pixels(pcx(8, 1, 2, { 1, 2 }, 0)), (std::vector<uint32_t> { 0, 0 }));
    // 24 bits in one plane: red, green, blue for each pixel (255 stored as a run of one).
    EXPECT_EQ(pixels(pcx(24, 1, 6, { 0xC1, 255, 0, 0, 0, 0, 0xC1, 255 }, 0)),
        (std::vector<uint32_t> { kRed, kBlue }));
}

// A 4 x 4 screen with a red background; frames of green and blue, some pixels transparent.
TEST(PreviewGif, TransparencyDisposalAndTheAnimationLoop)
{
    TPumpGuard guard;
    TGifBuilder gif;
    gif.width = 4;
    gif.height = 4;
    gif.globalPalette = { 0x000000, kRed, kGreen, kBlue };
    gif.background = 1;
    TGifFrame first;
    first.width = first.height = 2;
    first.control = TGifControl { 3, true, 0, 10 };
    first.pixels = { 2, 0, 2, 2 };
    TGifFrame second;
    second.left = second.top = 2;
    second.width = second.height = 2;
    second.control = TGifControl { 2 };
    second.pixels = { 3, 3, 3, 3 };
    gif.frames = { first, second, second };
    TTempFolder folder;
    const std::string path = folder.Write("anim.gif", gif.Build());

    // Box 9 shows the screen unreduced at 2, 2: its top line is box row 5.
    TPreviewRun run(9);
    ASSERT_TRUE(run.Load(path));
    ASSERT_TRUE(run.preview->MoreImages());
    const auto screen = [&] {
        std::vector<uint32_t> pixels;
        for (int y = 5; y >= 2; --y)
            for (int x = 2; x < 6; ++x)
                pixels.push_back(run.Pixel(x, y));
        return pixels;
    };
    const uint32_t r = kRed;
    const uint32_t g = kGreen;
    const uint32_t b = kBlue;
    EXPECT_EQ(screen(), (std::vector<uint32_t> { g, r, r, r, g, g, r, r, r, r, r, r, r, r, r, r }));
    // Disposal 3 gives back the screen before the first frame; disposal 2 the background.
    ASSERT_TRUE(run.preview->NextGifFrame());
    EXPECT_EQ(screen(), (std::vector<uint32_t> { r, r, r, r, r, r, r, r, r, r, b, b, r, r, b, b }));
    ASSERT_TRUE(run.preview->NextGifFrame());
    EXPECT_EQ(run.preview->ImageNumber(), 3);
    // After the last image the first again, on a fresh background.
    ASSERT_TRUE(run.preview->NextGifFrame());
    EXPECT_EQ(run.preview->ImageNumber(), 1);
    EXPECT_EQ(run.preview->ImageTotal(), 3);
    EXPECT_EQ(screen(), (std::vector<uint32_t> { g, r, r, r, g, g, r, r, r, r, r, r, r, r, r, r }));

    // Without transparency the index's own colour; without animation one image only.
    ProcessFlags().useTransparency = false;
    TPreviewOptions still;
    still.showAnimatedGif = false;
    run.preview->SetOptions(still);
    ASSERT_TRUE(run.Load(path));
    EXPECT_EQ(run.Pixel(3, 5), 0u);
    EXPECT_FALSE(run.preview->MoreImages());
    EXPECT_FALSE(run.preview->NextGifFrame());
}

TEST(PreviewInformation, ElevenLinesAndTwentyOneForGif)
{
    TPreviewRun run(100);
    ASSERT_TRUE(run.Load(TestData("bmp/pil-rgb24.bmp").string()));
    const std::vector<std::string> lines = PreviewInformationLines(*run.preview);
    ASSERT_EQ(lines.size(), 11u);
    EXPECT_EQ(lines[0], " preview window width: 100");
    EXPECT_EQ(lines[3], " scaled image width: " + std::to_string(run.preview->ImageWidth()));
    EXPECT_EQ(lines[6], " image X counter: 1");
    ASSERT_TRUE(run.Load(TestData("gif/im-anim.gif").string()));
    const std::vector<std::string> gif = PreviewInformationLines(*run.preview);
    ASSERT_EQ(gif.size(), 21u);
    EXPECT_EQ(gif[12], "GIF Logical Window");
    EXPECT_EQ(gif[13], " scaled logical image width: 30");
}

// Damaged and hostile files: a result by the convention, never a crash or a write outside.
TEST(PreviewFiles, DamagedFilesFollowTheResultConvention)
{
    const std::filesystem::path folder = TestData("regress");
    if (!std::filesystem::is_directory(folder))
        GTEST_SKIP();
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        TPreviewRun run(100);
        const bool ok = run.Load(entry.path().string());
        if (!ok) {
            EXPECT_NE(run.preview->Message(), "") << entry.path();
        }
        for (int step = 0; ok && step < 3 && run.preview->MoreImages(); ++step)
            run.preview->NextGifFrame();
    }
}
