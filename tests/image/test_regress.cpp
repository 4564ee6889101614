// The hostile files of the regression set (tests/data/regress, made by make-regress.sh): each
// gives its result and message at once, and writes nothing outside the bitmap.

#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

#include <sys/resource.h>
#include <unistd.h>

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
// The files that once broke a reader took minutes; the limit guards against that kind of
// fault, with room for a sanitizer build on a shared, busy machine (these take well under a
// second when the machine is idle).
constexpr double kPromptSeconds = 10.0;

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

using TLines = TPixelLines;

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
    EXPECT_EQ(PixelValues(*result.decoded.dib),
        (TLines { { 0, 0, 0, 0, 0, 0, 0, 0 }, { 0, 0, 0, 0, 0, 0, 0, 0 },
            { 3, 3, 0, 0, 0, 0, 0, 0 }, { 1, 1, 1, 0, 0, 0, 0, 0 } }));

    // Absolute runs of 12 and 255 pixels into rows of 5 keep the first 5.
    result = DecodeRegress("bmp-rle8-absolute-past-row.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(PixelValues(*result.decoded.dib), (TLines { { 0, 0, 0, 0, 0 }, { 1, 2, 3, 4, 5 } }));
    result = DecodeRegress("bmp-rle4-absolute-past-row.bmp");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(PixelValues(*result.decoded.dib), (TLines { { 0, 0, 0, 0, 0 }, { 1, 2, 3, 4, 1 } }));

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
    EXPECT_EQ(PixelValues(*result.decoded.dib), (TLines { { 0, 1, 2, 255 } }));
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

// The memory this test process holds now, in MiB.
int64_t ResidentMiB()
{
    std::ifstream statm("/proc/self/statm");
    int64_t pages = 0;
    int64_t residentPages = 0;
    statm >> pages >> residentPages;
    return residentPages * int64_t(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// A decode whose data end after a few rows touches those rows of its bitmap, not the rest.
constexpr int64_t kFewRowsMiB = 32;

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

TEST(RegressGif, DamagedFramesGiveTheirResultsPromptly)
{
    ExpectResults({
        { "gif-frame-at-edge.gif", true, "" },
        { "gif-frame-past-right.gif", false, "Unsupported image header" },
        { "gif-frame-past-bottom.gif", false, "Unsupported image header" },
        { "gif-codesize-12.gif", false, "Invalid GIF codesize" },
        { "gif-table-full-no-clear.gif", true, "" },
        { "gif-block-past-end.gif", true, "" },
        { "gif-data-end-no-block.gif", true, "Premature end of file" },
        { "gif-end-in-header.gif", false, "Premature end of file" },
    });
}

TEST(RegressGif, FrameAtTheScreenEdgeFillsTheCorner)
{
    const TRegressDecode result = DecodeRegress("gif-frame-at-edge.gif");
    ASSERT_TRUE(result.decoded.ok);
    const std::vector<uint32_t> empty(8, 0);
    EXPECT_EQ(PixelValues(*result.decoded.dib),
        (TLines {
            empty, empty, empty, empty, { 0, 0, 0, 0, 0, 1, 2, 3 }, { 0, 0, 0, 0, 0, 4, 5, 6 } }));
}

TEST(RegressGif, FullCodeTableIsReadOnWithoutAClearCode)
{
    // Literals 0 to 3838 fill codes 258 to 4095 (code 258 + i is literal i and literal i + 1).
    // The codes after them stay 12 bits wide and find the table as it was filled: 4095 and
    // 258, then the literal 5 and the end code; the rest of the 64 x 61 frame is 0.
    const auto literal = [](uint32_t i) { return (i * 101 + (i >> 8)) & 0xFF; };
    std::vector<uint32_t> expected;
    for (uint32_t i = 0; i < 3839; ++i)
        expected.push_back(literal(i));
    for (const uint32_t value : { literal(3837), literal(3838), literal(0), literal(1), 5u })
        expected.push_back(value);
    expected.resize(64 * 61, 0);

    const TRegressDecode result = DecodeRegress("gif-table-full-no-clear.gif");
    ASSERT_TRUE(result.decoded.ok);
    std::vector<uint32_t> pixels;
    for (const std::vector<uint32_t>& line : PixelValues(*result.decoded.dib))
        pixels.insert(pixels.end(), line.begin(), line.end());
    EXPECT_EQ(pixels, expected);
}

TEST(RegressGif, DataEndingInsideTheFrameLeaveZeros)
{
    // The first block holds the codes of 8 pixels. A second block cut short by the end of the
    // file ends the data quietly; a file that ends where its length should be is a warning.
    // Either way the rest of the frame is 0.
    const TLines expected { { 1, 2, 3, 4 }, { 5, 6, 7, 8 }, { 0, 0, 0, 0 }, { 0, 0, 0, 0 } };
    for (const char* name : { "gif-block-past-end.gif", "gif-data-end-no-block.gif" }) {
        const TRegressDecode result = DecodeRegress(name);
        ASSERT_TRUE(result.decoded.ok) << name;
        EXPECT_EQ(PixelValues(*result.decoded.dib), expected) << name;
    }
}

TEST(RegressPcx, HostileFilesGiveTheirResultsPromptly)
{
    ExpectResults({
        { "pcx-bytes-per-line-0.pcx", true, "" },
        { "pcx-bytes-per-line-65535-short.pcx", false, "Premature end of file" },
        { "pcx-bytes-per-line-65535.pcx", true, "" },
        { "pcx-planes-0.pcx", false, "Unsupported color depth" },
        { "pcx-planes-255.pcx", false, "Unsupported color depth" },
        { "pcx-8bit-65535-square.pcx", false, "Insufficient memory to load image" },
    });
}

TEST(RegressPcx, LinesTakeExactlyTheirBytesPerLine)
{
    // Lines of no bytes leave the picture empty and the data unread.
    TRegressDecode result = DecodeRegress("pcx-bytes-per-line-0.pcx");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(PixelValues(*result.decoded.dib), TLines(4, std::vector<uint32_t>(16, 0)));

    // A line of 65535 bytes keeps its first 4 and drops the rest; the next line starts after
    // them and is cut short by the end of the data.
    result = DecodeRegress("pcx-bytes-per-line-65535.pcx");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(PixelValues(*result.decoded.dib), (TLines { { 1, 2, 3, 4 }, { 5, 6, 0, 0 } }));
}

TEST(RegressPcx, WideLinesOfFewBytesCostOnlyTheirBytes)
{
    const TRegressDecode result = DecodeRegress("pcx-24-planes-wide-lines.pcx");
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Message(), "");
    EXPECT_LT(result.seconds, kPromptSeconds);
    const TDib& dib = *result.decoded.dib;
    EXPECT_EQ(dib.BitCount(), 24);
    for (const int y : { 0, 1999 }) {
        EXPECT_EQ(PixelRgb(dib, 7, y), 0xFFFFFFu) << y;
        EXPECT_EQ(PixelRgb(dib, 8, y), 0u) << y;
        EXPECT_EQ(PixelRgb(dib, 65499, y), 0u) << y;
    }
}

TEST(RegressPcx, HugePictureOverATinyBodyStopsWhereTheDataEnd)
{
    const int64_t before = ResidentMiB();
    const TRegressDecode result = DecodeRegress("pcx-mono-65535-square.pcx");
    if (SkipWithoutMemory(result))
        GTEST_SKIP() << "this machine cannot hold a 65536 x 65536 bitmap of 1 bit";
    ASSERT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Message(), "");
    EXPECT_LT(result.seconds, kPromptSeconds);
    const TDib& dib = *result.decoded.dib;
    EXPECT_EQ(PixelValue(dib, 0, 0), 1u);
    EXPECT_EQ(PixelValue(dib, 65535, 0), 1u);
    EXPECT_EQ(PixelValue(dib, 0, 1), 0u);
    EXPECT_EQ(PixelValue(dib, 65535, 65535), 0u);
    EXPECT_LT(ResidentMiB() - before, kFewRowsMiB);
}

TEST(RegressTarga, HostileFilesGiveTheirResultsPromptly)
{
    ExpectResults({
        { "tga-map-256.tga", true, "" },
        { "tga-id-255-at-end.tga", false, "Premature end of file" },
        { "tga-65535-square.tga", false, "Insufficient memory to load image" },
    });
}

namespace {

// Runs only the header reader, which the loading driver's test keeps most broken maps from.
struct TTargaHeaderReader : TBaseDib {
    bool Read(const std::string& path) { return OpenFile(path) && ReadTargaHeader(); }
};

} // namespace

TEST(RegressTarga, ColourMapFillsTheTableAndNoMore)
{
    // Entry i of the map is blue i, green 255 - i, red 3i (mod 256).
    TRegressDecode result = DecodeRegress("tga-map-256.tga");
    ASSERT_TRUE(result.decoded.ok);
    const TDib& dib = *result.decoded.dib;
    EXPECT_EQ(dib.NumColors(), 256u);
    EXPECT_EQ(TableColor(dib, 1), 0x03FE01u);
    EXPECT_EQ(TableColor(dib, 255), 0xFD00FFu);
    EXPECT_EQ(PixelValues(dib), (TLines { { 0, 1, 254, 255 }, { 255, 128, 2, 3 } }));

    // A map of 257 entries is no Targa file to the loading driver, and the header reader
    // refuses it before reading an entry.
    result = DecodeRegress("tga-map-257.tga");
    EXPECT_FALSE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Message(), result.decoded.path + " is an unknown file type");
    EXPECT_LT(result.seconds, kPromptSeconds);
    TTargaHeaderReader reader;
    EXPECT_FALSE(reader.Read(TestData("regress/tga-map-257.tga").string()));
    EXPECT_EQ(reader.Message(), "Unsupported Targa colormap format");
}

TEST(RegressTarga, RunsOverAWidePictureGoOnIntoTheNextLine)
{
    // 512 runs of 128 pixels (the values 1 to 251 in turn) over lines of 65535: the last run
    // ends on the first pixel of the second line, and the data end there.
    const int64_t before = ResidentMiB();
    const TRegressDecode result = DecodeRegress("tga-rle-wide-tiny-body.tga");
    if (SkipWithoutMemory(result))
        GTEST_SKIP() << "this machine cannot hold a 65535 x 4096 bitmap";
    EXPECT_TRUE(result.decoded.ok);
    EXPECT_EQ(result.decoded.dib->Message(), "Premature end of file");
    EXPECT_LT(result.seconds, kPromptSeconds);
    const TDib& dib = *result.decoded.dib;
    EXPECT_EQ(PixelValue(dib, 0, 0), 1u);
    EXPECT_EQ(PixelValue(dib, 128, 0), 2u);
    EXPECT_EQ(PixelValue(dib, 65534, 0), uint32_t(511 % 251 + 1));
    EXPECT_EQ(PixelValue(dib, 0, 1), uint32_t(511 % 251 + 1));
    EXPECT_EQ(PixelValue(dib, 1, 1), 0u);
    EXPECT_LT(ResidentMiB() - before, kFewRowsMiB);
}
