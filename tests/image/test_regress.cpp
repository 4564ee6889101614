// The hostile files of the regression set (tests/data/regress, made by make-regress.sh): each
// gives its result and message at once, and writes nothing outside the bitmap.

#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include <gtest/gtest.h>

#include <chrono>

#include <sys/resource.h>

namespace {

// A decode of a regression file, timed.
struct TRegressDecode {
    TDecoded decoded;
    double seconds = 0;
};

TRegressDecode DecodeRegress(const std::string& name, int intensityOffset = 0)
{
    const auto start = std::chrono::steady_clock::now();
    TRegressDecode result;
    result.decoded = DecodeFile(TestData("regress/" + name).string(), intensityOffset);
    result.seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// A file of a few bytes may claim a huge picture; deciding what to show must not take long.
constexpr double kPromptSeconds = 2.0;

struct TExpected {
    const char* name;
    bool ok;
    const char* message;
};

void ExpectResults(std::initializer_list<TExpected> cases)
{
    for (const TExpected& expected : cases) {
        const TRegressDecode result = DecodeRegress(expected.name);
        EXPECT_EQ(result.decoded.ok, expected.ok) << expected.name;
        EXPECT_EQ(result.decoded.dib->Message(), expected.message) << expected.name;
        EXPECT_LT(result.seconds, kPromptSeconds) << expected.name;
        if (expected.ok) {
            EXPECT_TRUE(result.decoded.dib->IsOk()) << expected.name;
        }
    }
}

// The picture as palette indices, top line first.
std::vector<std::vector<uint32_t>> Indices(const TDib& dib)
{
    std::vector<std::vector<uint32_t>> lines(size_t(dib.Height()));
    for (int y = 0; y < dib.Height(); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            lines[size_t(y)].push_back(PixelValue(dib, x, y));
    return lines;
}

using TLines = std::vector<std::vector<uint32_t>>;

} // namespace

TEST(RegressBmp, HostileFilesGiveTheirResultsPromptly)
{
    ExpectResults({
        { "bmp-rle8-deltas-outside.bmp", true, "" },
        { "bmp-rle8-absolute-past-row.bmp", true, "" },
        { "bmp-rle4-absolute-past-row.bmp", true, "" },
        { "bmp-rle8-huge-deltas.bmp", true, "" },
        { "bmp-bitfields16-zero-masks.bmp", true, "" },
        { "bmp-pal8-colors-used-max.bmp", true, "" },
        { "bmp-width0-tall.bmp", true, "" },
        { "bmp-rgb24-huge-tiny-body.bmp", false, "Premature end of file" },
        { "bmp-rgb32-65535-square.bmp", false, "Insufficient memory to load image" },
    });
}

TEST(RegressBmp, RunLengthCodesOutsideThePictureAreDropped)
{
    // A run of 3, a delta 200 columns right and a run there, end of line, a run of 2, a delta
    // 255 rows up and a run there: only the two runs inside the picture land.
    TRegressDecode result = DecodeRegress("bmp-rle8-deltas-outside.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(Indices(*result.decoded.dib),
        (TLines { { 0, 0, 0, 0, 0, 0, 0, 0 }, { 0, 0, 0, 0, 0, 0, 0, 0 },
            { 3, 3, 0, 0, 0, 0, 0, 0 }, { 1, 1, 1, 0, 0, 0, 0, 0 } }));

    // Absolute runs of 12 and 255 pixels into rows of 5 keep the first 5.
    result = DecodeRegress("bmp-rle8-absolute-past-row.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(Indices(*result.decoded.dib), (TLines { { 0, 0, 0, 0, 0 }, { 1, 2, 3, 4, 5 } }));
    result = DecodeRegress("bmp-rle4-absolute-past-row.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(Indices(*result.decoded.dib), (TLines { { 0, 0, 0, 0, 0 }, { 1, 2, 3, 4, 1 } }));

    // Deltas over a 16384-row picture reach past its top; the run after them is dropped.
    result = DecodeRegress("bmp-rle8-huge-deltas.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Height(), 16384);
    EXPECT_EQ(PixelValue(*result.decoded.dib, 0, 0), 0u);
}

TEST(RegressBmp, DamagedFieldsDecodeWithoutLeavingTheTable)
{
    // Masks of 0 give components of 0 however the offset moves them.
    TRegressDecode result = DecodeRegress("bmp-bitfields16-zero-masks.bmp", 40);
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(PixelRgb(*result.decoded.dib, 0, 0), 0u);
    EXPECT_EQ(PixelRgb(*result.decoded.dib, 2, 1), 0u);

    // A colour count of 2^32 - 1 reads a table of 256 entries and the rows behind it.
    result = DecodeRegress("bmp-pal8-colors-used-max.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->NumColors(), 256u);
    EXPECT_EQ(Indices(*result.decoded.dib), (TLines { { 0, 1, 2, 255 } }));
    EXPECT_EQ(PixelRgb(*result.decoded.dib, 3, 0), 0xAA00FFu);
}

TEST(RegressJpeg, HostileFilesGiveTheirResultsPromptly)
{
    ExpectResults({
        { "jpeg-empty-scans.jpg", false, "Too many scans in JPEG file" },
        { "jpeg-progressive-huge.jpg", false, "Insufficient memory to load image" },
        { "jpeg-huge-tiny-body.jpg", false, "Insufficient memory to load image" },
        { "jpeg-large-tiny-body.jpg", true, "" },
        { "jpeg-hundred-scans.jpg", true, "" },
    });
}

TEST(RegressJpeg, WholeFileOfManyScansIsNotCutShort)
{
    // 100 scans over 4096 x 4096 visit more blocks than the fixed allowance; the file's bytes
    // pay for the rest, and every scan arrives: the picture is the flat grey it encodes.
    const TRegressDecode result = DecodeRegress("jpeg-hundred-scans.jpg");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Message(), "");
    EXPECT_EQ(result.decoded.dib->Width(), 4096);
    EXPECT_EQ(PixelRgb(*result.decoded.dib, 0, 0), 0x666666u);
    EXPECT_EQ(PixelRgb(*result.decoded.dib, 4095, 4095), 0x666666u);
}

TEST(RegressJpeg, TinyBodyOfALargePictureLoadsAsTruncated)
{
    const TRegressDecode result = DecodeRegress("jpeg-large-tiny-body.jpg");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Width(), 2000);
    EXPECT_EQ(result.decoded.dib->Height(), 1500);
    EXPECT_EQ(result.decoded.dib->BitCount(), 24);
}

namespace {

// The most memory this test process has held, in MiB.
int64_t PeakResidentMiB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return int64_t(usage.ru_maxrss) / 1024;
}

// Well below the picture sizes of the GIF files: drawing must touch only what the frames cover.
constexpr int64_t kTouchedMiB = 400;

bool SkipWithoutMemory(const TRegressDecode& result)
{
    return result.decoded.dib->Message() == "Insufficient memory to load image";
}

} // namespace

TEST(RegressGif, HugeFrameWithoutDataIsZeroWithoutTouchingThePicture)
{
    const TRegressDecode result = DecodeRegress("gif-huge-frame-no-data.gif");
    if (SkipWithoutMemory(result))
        GTEST_SKIP() << "this machine cannot hold a 32000 x 32000 bitmap";
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Message(), "");
    EXPECT_LT(result.seconds, kPromptSeconds);
    EXPECT_EQ(PixelValue(*result.decoded.dib, 31999, 31999), 0u);
    EXPECT_LT(PeakResidentMiB(), kTouchedMiB);
}

TEST(RegressGif, RestoredFramesKeepOnlyTheirRectangles)
{
    TRegressDecode result = DecodeRegress("gif-huge-screen-restored-frames.gif");
    if (SkipWithoutMemory(result))
        GTEST_SKIP() << "this machine cannot hold a 60000 x 16000 bitmap";
    ASSERT_TRUE(result.decoded.ok);
    TDisplayDib& dib = *result.decoded.dib;
    ASSERT_TRUE(dib.MoreImages());
    const auto start = std::chrono::steady_clock::now();
    // Each frame k (index k + 1) lies at (9000k, 2500k) and is undone when the next comes.
    const auto expectShown = [&dib](int shown, int previous) {
        EXPECT_EQ(PixelValue(dib, 9000 * shown + 3, 2500 * shown + 3), uint32_t(shown + 1));
        EXPECT_EQ(PixelValue(dib, 9000 * previous, 2500 * previous), 0u) << previous;
    };
    for (int frame = 1; frame < 6; ++frame) {
        ASSERT_TRUE(dib.NextGifFrame()) << frame;
        expectShown(frame, frame - 1);
    }
    const double seconds
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, kPromptSeconds);
    EXPECT_LT(PeakResidentMiB(), kTouchedMiB);

    // After the sixth the animation starts again from the first, over a fresh background.
    ASSERT_TRUE(dib.NextGifFrame());
    expectShown(0, 5);
}
