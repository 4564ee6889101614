#include "GifBuilder.h"
#include "support/DibPixels.h"

#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
#include "platform/ProcessFlags.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <random>

namespace {

using TLines = TPixelLines;

struct TGifDecode {
    std::unique_ptr<TDisplayDib> dib;
    bool ok = false;
    std::shared_ptr<std::vector<std::string>> progress
        = std::make_shared<std::vector<std::string>>();
};

TGifDecode Decode(
    const TTempFolder& folder, const std::vector<uint8_t>& bytes, TDecodeOptions options = {})
{
    TGifDecode result;
    auto progress = result.progress;
    result.dib = std::make_unique<TDisplayDib>(
        [progress](const std::string& text, bool) { progress->push_back(text); });
    result.dib->SetOptions(options);
    result.ok = result.dib->Load(folder.Write("image.gif", bytes));
    return result;
}

// Sets the use-transparency flag for one test and puts it back.
class TTransparencyFlag {
public:
    explicit TTransparencyFlag(bool on)
        : m_saved(ProcessFlags().useTransparency)
    {
        ProcessFlags().useTransparency = on;
    }
    ~TTransparencyFlag() { ProcessFlags().useTransparency = m_saved; }

private:
    bool m_saved;
};

const std::vector<uint32_t> kFourColors = { 0x000000, 0xFF0000, 0x00FF00, 0x0000FF };

TGifFrame Frame(int left, int top, int width, int height, std::vector<uint8_t> pixels,
    std::optional<TGifControl> control = std::nullopt)
{
    TGifFrame frame;
    frame.left = left;
    frame.top = top;
    frame.width = width;
    frame.height = height;
    frame.pixels = std::move(pixels);
    frame.control = control;
    return frame;
}

TGifControl Disposal(int method)
{
    TGifControl control;
    control.disposal = method;
    return control;
}

TGifBuilder Screen(int width, int height, int background = 2)
{
    TGifBuilder gif;
    gif.width = width;
    gif.height = height;
    gif.globalPalette = kFourColors;
    gif.background = background;
    return gif;
}

std::vector<uint8_t> Filled(size_t count, uint8_t value)
{
    return std::vector<uint8_t>(count, value);
}

} // namespace

TEST(GifHeader, RefusesHeadersItCannotRead)
{
    TTempFolder folder;
    const auto expectError = [&](const std::vector<uint8_t>& bytes, const std::string& message) {
        const TGifDecode decoded = Decode(folder, bytes);
        EXPECT_FALSE(decoded.ok) << message;
        EXPECT_EQ(decoded.dib->Message(), message);
    };
    TGifBuilder gif = Screen(25, 4);
    gif.frames = { Frame(0, 0, 1, 1, { 1 }) };
    const auto good = gif.Build();
    const auto cut = [&](size_t size) {
        return std::vector<uint8_t>(good.begin(), good.begin() + ptrdiff_t(size));
    };
    expectError(cut(10), "Premature end of file"); // header
    expectError(cut(13 + 5), "Premature end of file"); // global table
    expectError(cut(13 + 12 + 5), "Premature end of file"); // descriptor
    expectError(cut(13 + 12 + 10), "Premature end of file"); // code size byte

    TGifBuilder ended = gif;
    ended.frames.clear();
    expectError(ended.Build(), "Not enough images in GIF file");
    ended.trailer = false;
    expectError(ended.Build(), "Premature end of file");

    TGifBuilder outside = gif;
    outside.frames = { Frame(10, 0, 20, 1, Filled(20, 0)) }; // 10 + 20 > 25
    expectError(outside.Build(), "Unsupported image header");
    outside.frames = { Frame(0, 3, 1, 2, Filled(2, 0)) }; // 3 + 2 > 4
    expectError(outside.Build(), "Unsupported image header");

    for (int codeSize : { 1, 12 }) {
        TGifBuilder odd = gif;
        odd.frames[0].data = std::vector<uint8_t> { 0 };
        odd.frames[0].minCodeSize = codeSize;
        expectError(odd.Build(), "Invalid GIF codesize");
    }

    TGifBuilder local = gif;
    local.frames[0].localPalette = kFourColors;
    const auto withLocal = local.Build();
    expectError(std::vector<uint8_t>(withLocal.begin(), withLocal.begin() + 13 + 12 + 10 + 5),
        "Premature end of file");

    // Extensions cut short: the label, a graphic control block, a comment's sub-blocks.
    std::vector<uint8_t> head(good.begin(), good.begin() + 13 + 12);
    auto extension = head;
    AppendBytes(extension, { 0x21 });
    expectError(extension, "Premature end of file");
    extension = head;
    AppendBytes(extension, { 0x21, 0xF9, 4, 0, 0 });
    expectError(extension, "Premature end of file");
    extension = head;
    AppendBytes(extension, { 0x21, 0xFE, 5, 'a', 'b' });
    expectError(extension, "Premature end of file");
}

TEST(GifHeader, PassesOverExtensionsAndStrayBytes)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(2, 1);
    gif.frames = { Frame(0, 0, 2, 1, { 3, 1 }) };
    auto bytes = gif.Build();
    // A comment, an application block and stray bytes before the image separator.
    const std::vector<uint8_t> extras = { 0x21, 0xFE, 3, 'a', 'b', 'c', 0, 0x00, 0x7F, 0x21, 0xFF,
        11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0 };
    bytes.insert(bytes.begin() + 13 + 12, extras.begin(), extras.end());
    const TGifDecode decoded = Decode(folder, bytes);
    ASSERT_TRUE(decoded.ok) << decoded.dib->Message();
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 3, 1 } }));
}

TEST(GifHeader, WithoutGlobalTableIndicesAreTheirOwnGreyValues)
{
    TTempFolder folder;
    TGifBuilder gif;
    gif.width = 3;
    gif.height = 1;
    gif.globalSizeBits = 1; // four entries, no table in the file
    gif.background = 3; // ignored without a table
    gif.frames = { Frame(0, 0, 2, 1, { 3, 1 }) };
    const TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    // Four colours need eight bits.
    EXPECT_EQ(decoded.dib->BitCount(), 8);
    EXPECT_EQ(decoded.dib->ColorCount(), 4);
    for (uint32_t i = 0; i < 4; ++i)
        EXPECT_EQ(TableColor(*decoded.dib, i), i * 0x010101);
    // No background fill: the pixel outside the frame keeps 0.
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 3, 1, 0 } }));
}

TEST(GifHeader, BackgroundColorOptionReplacesTheGlobalBackgroundEntry)
{
    TTempFolder folder;
    TGifBuilder gif;
    gif.width = 2;
    gif.height = 1;
    gif.globalPalette
        = { 0x101010, 0x202020, 0x303030, 0x404040, 0x505050, 0x606060, 0x707070, 0x808080 };
    gif.background = 5;
    gif.frames = { Frame(0, 0, 2, 1, { 5, 1 }) };
    TDecodeOptions options;
    options.useBkColor = true;
    options.prevBkColor = 0x0000FF; // red, stored as 0x00BBGGRR
    TGifDecode decoded = Decode(folder, gif.Build(), options);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(TableColor(*decoded.dib, 5), 0xFF0000u);
    EXPECT_EQ(TableColor(*decoded.dib, 4), 0x505050u);

    // A frame with its own table keeps its own colour there.
    gif.frames[0].localPalette = gif.globalPalette;
    decoded = Decode(folder, gif.Build(), options);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(TableColor(*decoded.dib, 5), 0x606060u);

    // And the option is off by default.
    gif.frames[0].localPalette.clear();
    decoded = Decode(folder, gif.Build());
    EXPECT_EQ(TableColor(*decoded.dib, 5), 0x606060u);

    // The intensity offset applies to the table as to every palette.
    options = TDecodeOptions();
    options.intensityOffset = -40;
    decoded = Decode(folder, gif.Build(), options);
    EXPECT_EQ(TableColor(*decoded.dib, 7), 0x585858u);
    EXPECT_EQ(TableColor(*decoded.dib, 0), 0x000000u);
}

TEST(GifFrame, PlacesTheFrameOnTheBackground)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(5, 4, 2);
    gif.frames = { Frame(1, 2, 3, 2, { 0, 1, 3, 3, 1, 0 }) };
    const TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_EQ(decoded.dib->Width(), 5);
    EXPECT_EQ(decoded.dib->Height(), 4);
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 2, 2, 2, 2, 2 }, { 2, 2, 2, 2, 2 }, { 2, 0, 1, 3, 2 }, { 2, 3, 1, 0, 2 } }));
    EXPECT_EQ(decoded.dib->ImageWidth(), 3);
    EXPECT_EQ(decoded.dib->ImageHeight(), 2);
    EXPECT_EQ(decoded.dib->ImageNumber(), 1);
    EXPECT_FALSE(decoded.dib->MoreImages()); // one image only
}

TEST(GifFrame, PacksOneAndFourBitPixels)
{
    TTempFolder folder;
    // Two colours: one bit a pixel; the background 1 sets every bit of the 11-pixel rows.
    TGifBuilder mono;
    mono.width = 11;
    mono.height = 2;
    mono.globalPalette = { 0x000000, 0xFFFFFF };
    mono.background = 1;
    mono.frames = { Frame(3, 1, 6, 1, { 0, 1, 0, 0, 1, 0 }) };
    TGifDecode decoded = Decode(folder, mono.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->BitCount(), 1);
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }, { 1, 1, 1, 0, 1, 0, 0, 1, 0, 1, 1 } }));
    // The padding of the rows stays 0.
    EXPECT_EQ(decoded.dib->Row(1)[1], 0xE0);
    EXPECT_EQ(decoded.dib->Row(1)[2], 0x00);

    // Sixteen colours: four bits, a frame starting at an odd column.
    TGifBuilder sixteen;
    sixteen.width = 5;
    sixteen.height = 1;
    for (uint32_t i = 0; i < 16; ++i)
        sixteen.globalPalette.push_back(i * 0x100000);
    sixteen.background = 9;
    sixteen.frames = { Frame(1, 0, 3, 1, { 15, 0, 7 }) };
    decoded = Decode(folder, sixteen.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->BitCount(), 4);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 9, 15, 0, 7, 9 } }));
    EXPECT_EQ(decoded.dib->Row(0)[2], 0x90);
}

TEST(GifFrame, InterlacedRowsGoToTheirPlaces)
{
    TTempFolder folder;
    for (int height = 1; height <= 10; ++height) {
        TGifBuilder gif;
        gif.width = 1;
        gif.height = height;
        for (int i = 0; i < 16; ++i)
            gif.globalPalette.push_back(uint32_t(i));
        TGifFrame frame = Frame(0, 0, 1, height, {});
        frame.interlaced = true;
        TLines expected;
        for (int y = 0; y < height; ++y) {
            frame.pixels.push_back(uint8_t(y));
            expected.push_back({ uint32_t(y) });
        }
        gif.frames = { frame };
        const TGifDecode decoded = Decode(folder, gif.Build());
        ASSERT_TRUE(decoded.ok);
        EXPECT_TRUE(decoded.dib->Interlaced());
        EXPECT_EQ(PixelValues(*decoded.dib), expected) << height;
        if (height == 10) {
            // Passes start at stored rows 2, 3 and 5.
            EXPECT_EQ(decoded.dib->GifFrameRow(1), 8);
            EXPECT_EQ(decoded.dib->GifFrameRow(2), 4);
            EXPECT_EQ(decoded.dib->GifFrameRow(3), 2);
            EXPECT_EQ(decoded.dib->GifFrameRow(4), 6);
            EXPECT_EQ(decoded.dib->GifFrameRow(5), 1);
            EXPECT_EQ(decoded.dib->GifFrameRow(9), 9);
        }
    }
}

TEST(GifFrame, TransparentPixelsKeepTheBackgroundOnlyWhileTheFlagIsSet)
{
    TTempFolder folder;
    TGifControl control;
    control.transparent = true;
    control.transparentIndex = 1;
    TGifBuilder gif = Screen(4, 1, 2);
    gif.frames = { Frame(0, 0, 4, 1, { 0, 1, 3, 1 }, control) };
    {
        TTransparencyFlag flag(true);
        const TGifDecode decoded = Decode(folder, gif.Build());
        EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0, 2, 3, 2 } }));
    }
    {
        TTransparencyFlag flag(false);
        const TGifDecode decoded = Decode(folder, gif.Build());
        EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0, 1, 3, 1 } }));
    }
}

TEST(GifData, DataThatEndEarlyGiveZerosOrAWarning)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(10, 10, 2);
    std::vector<uint8_t> pixels;
    std::mt19937 random(1);
    for (int i = 0; i < 100; ++i)
        pixels.push_back(uint8_t(random() % 4));
    gif.frames = { Frame(0, 0, 10, 10, pixels) };
    gif.frames[0].blockSize = 4;
    const auto good = gif.Build();
    const size_t dataStart = 13 + 12 + 10 + 1;

    // The file ends where a block length should stand: a warning with the rows done.
    const size_t blocks = 3; // 12 bytes of 3- to 5-bit codes: a row or two
    TGifDecode decoded = Decode(folder,
        std::vector<uint8_t>(good.begin(), good.begin() + ptrdiff_t(dataStart + blocks * 5)));
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
    const TLines lines = PixelValues(*decoded.dib);
    EXPECT_EQ(lines[0], std::vector<uint32_t>(pixels.begin(), pixels.begin() + 10));
    EXPECT_EQ(lines[9], std::vector<uint32_t>(10, 2)); // not reached: the background
    EXPECT_FALSE(decoded.dib->MoreImages());

    // Before any row is done it is an error.
    decoded
        = Decode(folder, std::vector<uint8_t>(good.begin(), good.begin() + ptrdiff_t(dataStart)));
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");

    // A block cut short, or no end code: the rest of the frame is 0 and there is no message.
    decoded = Decode(folder,
        std::vector<uint8_t>(good.begin(), good.begin() + ptrdiff_t(dataStart + blocks * 5 + 2)));
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_EQ(PixelValues(*decoded.dib)[9], std::vector<uint32_t>(10, 0));

    TGifBuilder noEnd = gif;
    TLzwOptions options;
    options.endCode = false;
    noEnd.frames[0].data = SubBlocks(
        EncodeLzw(std::vector<uint8_t>(pixels.begin(), pixels.begin() + 55), 2, options));
    decoded = Decode(folder, noEnd.Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    auto expected = pixels;
    std::fill(expected.begin() + 55, expected.end(), 0);
    TLines expectedLines;
    for (int y = 0; y < 10; ++y)
        expectedLines.emplace_back(expected.begin() + y * 10, expected.begin() + y * 10 + 10);
    EXPECT_EQ(PixelValues(*decoded.dib), expectedLines);
}

TEST(GifData, AnEmptyCodeStreamForAHugeFrameIsCheap)
{
    TTempFolder folder;
    TGifBuilder gif;
    gif.width = 16000;
    gif.height = 16000;
    gif.globalPalette = { 0x000000, 0xFFFFFF };
    gif.background = 1;
    gif.frames = { Frame(0, 0, 16000, 16000, {}) };
    gif.frames[0].data = std::vector<uint8_t> { 0 };
    const auto start = std::chrono::steady_clock::now();
    TGifDecode decoded = Decode(folder, gif.Build());
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_LT(seconds.count(), 5.0);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0u);
    EXPECT_EQ(PixelValue(*decoded.dib, 15999, 15999), 0u);
    // With 0 transparent the background stays.
    TTransparencyFlag flag(true);
    TGifControl control;
    control.transparent = true;
    control.transparentIndex = 0;
    gif.frames[0].control = control;
    decoded = Decode(folder, gif.Build());
    EXPECT_EQ(PixelValue(*decoded.dib, 7, 12000), 1u);
}

TEST(GifAnimation, DisposalTwoGivesTheRectangleBackToTheBackground)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(4, 3, 2);
    gif.frames = { Frame(0, 0, 4, 3, Filled(12, 1), Disposal(1)),
        Frame(1, 1, 2, 2, Filled(4, 3), Disposal(2)), Frame(0, 0, 1, 1, { 0 }) };
    TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_TRUE(decoded.dib->MoreImages());
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 1, 1, 1, 1 }, { 1, 3, 3, 1 }, { 1, 3, 3, 1 } }));
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 0, 1, 1, 1 }, { 1, 2, 2, 1 }, { 1, 2, 2, 1 } }));
}

TEST(GifAnimation, DisposalThreeBringsBackThePictureFromBeforeTheFrame)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(4, 3, 2);
    gif.frames = { Frame(0, 0, 3, 2, Filled(6, 1)), Frame(1, 1, 3, 2, Filled(6, 3), Disposal(3)),
        Frame(3, 0, 1, 1, { 0 }, Disposal(3)) };
    TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    const TLines first = { { 1, 1, 1, 2 }, { 1, 1, 1, 2 }, { 2, 2, 2, 2 } };
    EXPECT_EQ(PixelValues(*decoded.dib), first);
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 1, 1, 1, 2 }, { 1, 3, 3, 3 }, { 2, 3, 3, 3 } }));
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 1, 1, 1, 0 }, { 1, 1, 1, 2 }, { 2, 2, 2, 2 } }));
    // The loop back disposes of frame 3 and starts again on the background.
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    EXPECT_EQ(PixelValues(*decoded.dib), first);
}

TEST(GifAnimation, ImagesSteppedInTurnEachGiveTheFramesTheyGiveAlone)
{
    // Two animations whose frames of disposal method 3 cover rectangles of one size over
    // different pictures: each must bring back its own picture, whatever the other one saved
    // meanwhile and whatever a third image did when it went away.
    TTempFolder folder;
    std::vector<std::string> files;
    for (const uint8_t value : { uint8_t(1), uint8_t(3) }) {
        TGifBuilder gif = Screen(4, 3, 2);
        gif.frames = { Frame(0, 0, 3, 2, Filled(6, value)),
            Frame(1, 1, 3, 2, Filled(6, uint8_t(4 - value)), Disposal(3)),
            Frame(3, 0, 1, 1, { 0 }, Disposal(3)) };
        files.push_back(folder.Write("animation" + std::to_string(value) + ".gif", gif.Build()));
    }
    constexpr int kSteps = 4;
    std::vector<std::vector<TLines>> alone(files.size());
    for (size_t i = 0; i < files.size(); ++i) {
        TDisplayDib dib;
        ASSERT_TRUE(dib.Load(files[i]));
        for (int step = 0; step < kSteps; ++step) {
            ASSERT_TRUE(dib.NextGifFrame());
            alone[i].push_back(PixelValues(dib));
        }
    }
    ASSERT_NE(alone[0], alone[1]);

    std::vector<std::unique_ptr<TDisplayDib>> dibs;
    for (const std::string& file : files) {
        dibs.push_back(std::make_unique<TDisplayDib>());
        ASSERT_TRUE(dibs.back()->Load(file));
    }
    for (int step = 0; step < kSteps; ++step) {
        for (size_t i = 0; i < dibs.size(); ++i) {
            ASSERT_TRUE(dibs[i]->NextGifFrame());
            EXPECT_EQ(PixelValues(*dibs[i]), alone[i][size_t(step)]) << i << " step " << step;
            TDisplayDib passing; // an information dialog's image, made and gone
        }
    }
}

TEST(GifAnimation, LoopsFromTheLastFrameToTheFirstOnAFreshBackground)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(3, 1, 2);
    TGifControl slow;
    slow.delay = 25;
    gif.frames
        = { Frame(0, 0, 1, 1, { 1 }, slow), Frame(1, 0, 1, 1, { 3 }), Frame(2, 0, 1, 1, { 0 }) };
    TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    TDisplayDib& dib = *decoded.dib;
    EXPECT_EQ(dib.FrameDelay(), 25);
    EXPECT_EQ(dib.ImageNumber(), 1);
    EXPECT_EQ(dib.ImageTotal(), 1);
    const size_t progressTexts = decoded.progress->size();

    ASSERT_TRUE(dib.NextGifFrame());
    EXPECT_EQ(dib.FrameDelay(), 0);
    EXPECT_EQ(dib.ImageNumber(), 2);
    ASSERT_TRUE(dib.NextGifFrame());
    EXPECT_EQ(PixelValues(dib), (TLines { { 1, 3, 0 } }));
    EXPECT_EQ(dib.ImageNumber(), 3);
    EXPECT_EQ(dib.ImageTotal(), 3);
    EXPECT_TRUE(dib.MoreImages());

    // At the trailer the first image is drawn again on a refilled background.
    ASSERT_TRUE(dib.NextGifFrame());
    EXPECT_EQ(dib.Message(), "");
    EXPECT_EQ(PixelValues(dib), (TLines { { 1, 2, 2 } }));
    EXPECT_EQ(dib.ImageNumber(), 1);
    EXPECT_EQ(dib.ImageTotal(), 1);
    EXPECT_EQ(dib.FrameDelay(), 25);
    EXPECT_TRUE(dib.MoreImages());
    ASSERT_TRUE(dib.NextGifFrame());
    EXPECT_EQ(PixelValues(dib), (TLines { { 1, 3, 2 } }));
    // Only the first frame of the load shows progress.
    EXPECT_EQ(decoded.progress->size(), progressTexts);
}

TEST(GifAnimation, DataLeftAfterAFrameArePassedOver)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(2, 1, 2);
    gif.frames = { Frame(0, 0, 1, 1, { 1 }), Frame(1, 0, 1, 1, { 3 }) };
    // The first frame's blocks go on after its last pixel with a byte that reads as a trailer.
    auto blocks = SubBlocks(EncodeLzw({ 1 }, 2), 1);
    blocks.insert(blocks.end() - 1, { 1, 0x3B });
    gif.frames[0].data = blocks;
    TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_TRUE(decoded.dib->MoreImages());
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 3 } }));
    EXPECT_EQ(decoded.dib->ImageNumber(), 2);

    // A record without a picture has no frame to step to.
    TDisplayDib empty;
    EXPECT_FALSE(empty.NextGifFrame());
}

TEST(GifAnimation, WithoutTheAnimationOptionOnlyTheFirstImageShows)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(2, 1, 2);
    gif.frames = { Frame(0, 0, 1, 1, { 1 }), Frame(1, 0, 1, 1, { 3 }) };
    TDecodeOptions options;
    options.showAnimatedGif = false;
    const TGifDecode decoded = Decode(folder, gif.Build(), options);
    ASSERT_TRUE(decoded.ok);
    EXPECT_FALSE(decoded.dib->MoreImages());
    EXPECT_EQ(decoded.dib->ImageNumber(), 1);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2 } }));
}

TEST(GifAnimation, LaterFramesOfOtherDepthsStayInsideTheBitmap)
{
    TTempFolder folder;
    // A two-colour first frame makes a one-bit bitmap; a 256-colour frame after it keeps
    // the low bit of its indices and two of its colours.
    TGifBuilder gif;
    gif.width = 9;
    gif.height = 2;
    gif.globalPalette = { 0x000000, 0xFFFFFF };
    gif.frames = { Frame(0, 0, 9, 2, Filled(18, 1)) };
    TGifFrame wide = Frame(0, 0, 9, 2, {});
    for (uint32_t i = 0; i < 256; ++i)
        wide.localPalette.push_back(0x010101 * (255 - i));
    for (int i = 0; i < 18; ++i)
        wide.pixels.push_back(uint8_t(i * 37));
    gif.frames.push_back(wide);
    TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->BitCount(), 1);
    ASSERT_TRUE(decoded.dib->NextGifFrame());
    TLines expected(2);
    for (int i = 0; i < 18; ++i)
        expected[size_t(i / 9)].push_back(uint32_t(i * 37 % 256 & 1));
    EXPECT_EQ(PixelValues(*decoded.dib), expected);
    EXPECT_EQ(TableColor(*decoded.dib, 0), 0xFFFFFFu);
    EXPECT_EQ(TableColor(*decoded.dib, 1), 0xFEFEFEu);
}

TEST(GifInformation, ListsTheHeaderFieldsByVersion)
{
    TTempFolder folder;
    TGifBuilder gif = Screen(7, 5, 3);
    gif.aspect = 49;
    gif.resolutionBits = 6;
    TGifControl control;
    control.disposal = 2;
    control.transparent = true;
    control.transparentIndex = 3;
    control.delay = 12;
    TGifFrame frame = Frame(1, 2, 3, 2, Filled(6, 1), control);
    frame.interlaced = true;
    frame.localPalette = { 0, 1, 2, 3, 4, 5, 6, 7 };
    gif.frames = { frame, Frame(0, 0, 1, 1, { 0 }) };
    TTransparencyFlag flag(true);
    TGifDecode decoded = Decode(folder, gif.Build());
    ASSERT_TRUE(decoded.ok);
    const std::vector<std::string> expected = { "Header", " version: 89a", "",
        "Logical Screen Descriptor", " logical screen width: 7", " logical screen height: 5",
        " global color table flag: 1", " global color table resolution: 6 bits/color",
        " global color table sort flag: 0", " global color table size: 4",
        " background color index: 3", " pixel aspect ratio: 1.000000", "", "Image Descriptor",
        " image left position: 1", " image top position: 2", " image width: 3", " image height: 2",
        " local color table flag: 1", " interlace flag: 1", " local color table sort flag: 0",
        " local color table size: 8", "", "Graphic Control Extension (if any)",
        " disposal method: 2", " user input flag: 0", " transparent color flag: 1",
        " use transparent color: 1", " delay time: 120 ms", " transparent color index: 3", "",
        "Animated GIF Information", " image number: 1", " total number of images: 1" };
    EXPECT_EQ(ImageInformationLines(*decoded.dib), expected);

    gif.version = "87a";
    gif.frames = { Frame(0, 0, 1, 1, { 0 }) };
    decoded = Decode(folder, gif.Build());
    const std::vector<std::string> old = { "Header", " version: 87a", "",
        "Logical Screen Descriptor", " logical screen width: 7", " logical screen height: 5",
        " global color table flag: 1", " global color table resolution: 6 bits/color",
        " global color table size: 4", " background color index: 3", "", "Image Descriptor",
        " image left position: 0", " image top position: 0", " image width: 1", " image height: 1",
        " local color table flag: 0", " interlace flag: 0", " local color table size: 0", "" };
    EXPECT_EQ(ImageInformationLines(*decoded.dib), old);
}
