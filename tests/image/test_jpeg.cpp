#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include "image/ImageInfo.h"
#include "image/Intensity.h"
#include "image/JpegDecompress.h"
#include "platform/Format.h"
#include "platform/MessagePump.h"
#include "platform/ProcessFlags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <stdexcept>

namespace {

std::string Fixture(const std::string& name) { return TestData("jpeg/" + name).string(); }

// The samples of a binary PPM or PGM as the library's own decoder writes them, top line first,
// as red, green, blue with the intensity offset added; the first rows only when rows >= 0.
std::vector<uint8_t> Reference(const std::string& name, int offset = 0, int rows = -1)
{
    const std::vector<uint8_t> bytes = ReadBytes(Fixture(name));
    std::istringstream header(std::string(bytes.begin(), bytes.end()));
    std::string magic;
    size_t width = 0;
    size_t height = 0;
    header >> magic >> width >> height;
    const size_t channels = magic == "P5" ? 1 : 3;
    const size_t count = width * (rows < 0 ? height : size_t(rows));
    std::vector<uint8_t> rgb;
    for (auto sample = bytes.end() - std::ptrdiff_t(width * height * channels);
         rgb.size() < count * 3; ++sample)
        rgb.insert(rgb.end(), channels == 1 ? 3 : 1, AdjustComponent(*sample, offset));
    return rgb;
}

// The decoded picture the same way.
std::vector<uint8_t> Decoded(const TDib& dib, int rows = -1)
{
    std::vector<uint8_t> rgb;
    for (int y = 0; y < (rows < 0 ? dib.Height() : rows); ++y)
        for (int x = 0; x < dib.Width(); ++x)
            for (int shift = 16; shift >= 0; shift -= 8)
                rgb.push_back(uint8_t(PixelRgb(dib, x, y) >> shift));
    return rgb;
}

// Restores the process-wide pump and abort request that a test changes.
} // namespace

TEST(JpegColour, DecodesUprightAsTheLibraryToolDoes)
{
    for (const char* name : { "colour-420", "colour-422", "colour-444", "colour-rgb", "restart",
             "odd-17x9", "one-1x1", "progressive" }) {
        SCOPED_TRACE(name);
        const TDecoded decoded = DecodeFile(Fixture(std::string(name) + ".jpg"));
        EXPECT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.dib->Message(), "");
        EXPECT_EQ(decoded.dib->BitCount(), 24);
        EXPECT_EQ(decoded.dib->BitsPerPixel(), 24);
        EXPECT_EQ(decoded.dib->Interlaced(), std::string(name) == "progressive");
        EXPECT_EQ(Decoded(*decoded.dib), Reference(std::string(name) + ".ppm"));
    }
}

TEST(JpegColour, IntensityOffsetAdjustsEverySample)
{
    for (int offset : { 40, -40 }) {
        const TDecoded decoded = DecodeFile(Fixture("colour-444.jpg"), offset);
        EXPECT_EQ(Decoded(*decoded.dib), Reference("colour-444.ppm", offset)) << offset;
    }
}

TEST(JpegColour, SingleScanFileReportsRowProgressInTenths)
{
    const TDecoded decoded = DecodeFile(Fixture("colour-420.jpg")); // 23 rows: a tenth is 2
    std::vector<std::string> expected { decoded.path + " -  0%" };
    for (int percent = 10; percent <= 90; percent += 10)
        expected.push_back(decoded.path + Format(" - %d%%", percent));
    EXPECT_EQ(*decoded.progress, expected);
}

TEST(JpegGrey, DecodesToEightBitsThroughAGreyTableAdjustedForIntensity)
{
    std::vector<uint8_t> table;
    for (int i = 0; i < 256; ++i)
        table.insert(table.end(),
            { AdjustComponent(i, -20), AdjustComponent(i, -20), AdjustComponent(i, -20), 0 });
    EXPECT_EQ(table[10 * 4], 0);
    EXPECT_EQ(table[255 * 4], 235);
    for (const char* name : { "grey", "progressive-grey" }) {
        SCOPED_TRACE(name);
        const TDecoded decoded = DecodeFile(Fixture(std::string(name) + ".jpg"), -20);
        EXPECT_TRUE(decoded.ok);
        EXPECT_EQ(decoded.dib->BitCount(), 8);
        EXPECT_EQ(decoded.dib->BitsPerPixel(), 8);
        const std::span<const uint8_t> colors = std::as_const(*decoded.dib).ColorTable();
        EXPECT_EQ(std::vector<uint8_t>(colors.begin(), colors.end()), table);
        EXPECT_EQ(Decoded(*decoded.dib), Reference(std::string(name) + ".pgm", -20));
    }
}

TEST(JpegProgressive, ReportsPassesThroughTheLibraryInsteadOfRows)
{
    const TDecoded decoded = DecodeFile(Fixture("progressive.jpg"));
    const std::vector<std::string>& texts = *decoded.progress;
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], decoded.path + " -  0%");
    EXPECT_EQ(texts[1], decoded.path + " -  0% pass 1 of 2");
    // Whole tens only, when the integer percentage meets one: the small picture skips some.
    EXPECT_EQ(std::count(texts.begin(), texts.end(), decoded.path + " - 30% pass 1 of 2"), 1);
    int lastPass = 1;
    for (size_t i = 1; i < texts.size(); ++i) {
        int percent = -1;
        int pass = 0;
        const std::string text = texts[i].substr(decoded.path.size());
        ASSERT_EQ(std::sscanf(text.c_str(), " - %d%% pass %d of 2", &percent, &pass), 2) << text;
        EXPECT_EQ(text, Format(" - %2d%% pass %d of 2", percent, pass));
        EXPECT_EQ(percent % 10, 0) << text;
        EXPECT_GE(pass, lastPass) << text; // the input pass first, then the output pass
        lastPass = pass;
    }
    EXPECT_EQ(lastPass, 2);
}

TEST(JpegRefusal, FailsWithTheLibraryMessageAndNoBitmap)
{
    TTempFolder folder;
    std::vector<uint8_t> ycck = ReadBytes(Fixture("cmyk.jpg"));
    const std::string adobe = "Adobe";
    const auto marker = std::search(ycck.begin(), ycck.end(), adobe.begin(), adobe.end());
    ASSERT_NE(marker, ycck.end());
    marker[11] = 2; // the Adobe marker's transform: the four components are YCCK
    // A header claiming 65000 x 65000: the multiple-scan file must not be read into the
    // library's memory at that size.
    std::vector<uint8_t> huge = ReadBytes(Fixture("progressive.jpg"));
    const std::vector<uint8_t> progressiveFrame { 0xFF, 0xC2 };
    const auto frame
        = std::search(huge.begin(), huge.end(), progressiveFrame.begin(), progressiveFrame.end());
    ASSERT_NE(frame, huge.end());
    for (size_t i : { 5, 7 }) { // height and width, big-endian
        frame[i] = 0xFD;
        frame[i + 1] = 0xE8;
    }
    std::vector<uint8_t> notJpeg { 0xFF, 0xD8, 0xFF, 0xE0 };
    for (const char c : std::string("no segments follow, only text"))
        notJpeg.push_back(uint8_t(c));

    const struct {
        std::vector<uint8_t> bytes;
        std::string message;
        int32_t colorSpace;
    } cases[] = {
        { ReadBytes(Fixture("cmyk.jpg")), "Unsupported color conversion request", 4 },
        { ycck, "Unsupported color conversion request", 5 },
        { huge, "Insufficient memory to load image", 3 },
        { notJpeg, "JPEG datastream contains no image", 0 },
    };
    for (const auto& refused : cases) {
        SCOPED_TRACE(refused.message);
        const TDecoded decoded = DecodeBytes(folder, refused.bytes);
        EXPECT_FALSE(decoded.ok);
        EXPECT_EQ(decoded.dib->FileType(), FileTypeJpeg);
        EXPECT_EQ(decoded.dib->Message(), refused.message);
        EXPECT_FALSE(decoded.dib->IsOk());
        EXPECT_EQ(decoded.dib->Jpeg().colorSpace, refused.colorSpace);
        EXPECT_EQ(decoded.progress->size(), 1u);
    }
}

TEST(JpegDamage, TruncatedFileLoadsAsIfComplete)
{
    TTempFolder folder;
    std::vector<uint8_t> bytes = ReadBytes(Fixture("colour-420.jpg"));
    bytes.resize(bytes.size() - 100); // inside the scan data, after the first block row
    const TDecoded decoded = DecodeBytes(folder, bytes);
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_EQ(Decoded(*decoded.dib, 1), Reference("colour-420.ppm", 0, 1));
}

TEST(JpegSearch, DecodesFromAStartMarkerBehindOtherData)
{
    TTempFolder folder;
    std::vector<uint8_t> bytes(600, 'j');
    const std::vector<uint8_t> jpeg = ReadBytes(Fixture("colour-422.jpg"));
    bytes.insert(bytes.end(), jpeg.begin(), jpeg.end());
    const TDecoded decoded = DecodeBytes(folder, bytes);
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->FileType(), FileTypeJpeg);
    EXPECT_EQ(Decoded(*decoded.dib), Reference("colour-422.ppm"));
}

TEST(JpegAbort, SingleScanFileStopsBetweenRowsKeepingThem)
{
    TPumpGuard guard;
    int pumps = 0;
    SetPumpOneMessage([&] { ProcessFlags().loadAbort = ++pumps == 5; });
    const TDecoded decoded = DecodeFile(Fixture("colour-444.jpg"));
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_EQ(pumps, 5);
    EXPECT_EQ(Decoded(*decoded.dib, 5), Reference("colour-444.ppm", 0, 5));
    EXPECT_EQ(PixelRgb(*decoded.dib, 0, 5), 0u);
}

TEST(JpegAbort, MultipleScanFileStopsInsideTheLibraryWithoutMessage)
{
    TPumpGuard guard;
    for (const char* stopAt : { "pass 1", "pass 2" }) {
        SCOPED_TRACE(stopAt);
        ProcessFlags().loadAbort = false;
        TDisplayDib dib([&](const std::string& text, bool) {
            if (text.find(stopAt) != std::string::npos)
                ProcessFlags().loadAbort = true;
        });
        EXPECT_TRUE(dib.Load(Fixture("progressive.jpg")));
        EXPECT_EQ(dib.Message(), "");
        EXPECT_EQ(dib.IsOk(), std::string(stopAt) == "pass 2"); // the bitmap comes after the input
    }
}

TEST(JpegHooks, ExceptionFromAHookInsideTheLibraryReachesTheCaller)
{
    TDisplayDib dib([](const std::string& text, bool) {
        if (text.find("pass") != std::string::npos)
            throw std::runtime_error("hook");
    });
    EXPECT_THROW(dib.Load(Fixture("progressive.jpg")), std::runtime_error);
    // The record stays usable.
    TDisplayDib next;
    EXPECT_TRUE(next.Load(Fixture("grey.jpg")));
}

TEST(JpegInformation, ListsTheHeaderFields)
{
    const auto lines = [](const char* name) {
        const TDecoded decoded = DecodeFile(Fixture(name));
        return ImageInformationLines(*decoded.dib);
    };
    EXPECT_EQ(lines("grey.jpg"),
        (std::vector<std::string> { "Header", " width: 37", " height: 23", " bits per pixel: 8",
            " color space: grayscale", " progressive image: 0" }));
    EXPECT_EQ(lines("progressive.jpg"),
        (std::vector<std::string> { "Header", " width: 64", " height: 48", " bits per pixel: 24",
            " color space: ycbcr", " progressive image: 1" }));
    EXPECT_EQ(lines("colour-rgb.jpg")[4], " color space: rgb");
    EXPECT_EQ(lines("cmyk.jpg")[4], " color space: cmyk");
}

namespace {

// Reads the first row the way the preview takes grey: three equal samples a pixel.
class TFirstRowDib : public TBaseDib {
public:
    bool DecodeJpeg() override
    {
        TJpegDecompress jpeg {};
        SetUpJpegError(jpeg);
        struct TContext {
            TFirstRowDib* dib;
            jpeg_decompress_struct* cinfo;
        } context { this, &jpeg.cinfo };
        run = RunJpegSteps(
            jpeg,
            [](void* data) {
                auto& [dib, cinfo] = *static_cast<TContext*>(data);
                jpeg_create_decompress(cinfo);
                dib->ReadJpegHeader(*cinfo, true);
                jpeg_start_decompress(cinfo);
                dib->row.resize(size_t(cinfo->output_width) * size_t(cinfo->output_components));
                JSAMPROW pointer = dib->row.data();
                return jpeg_read_scanlines(cinfo, &pointer, 1) == 1;
            },
            &context);
        text = jpeg.error.text;
        return run == TJpegRun::Succeeded;
    }

    TJpegRun run = TJpegRun::Failed;
    std::vector<uint8_t> row;
    std::string text;
};

} // namespace

TEST(JpegShared, GreyAsTripletsGivesThreeEqualSamplesAndJumpsBackOnErrors)
{
    TFirstRowDib grey;
    EXPECT_TRUE(grey.Load(Fixture("grey.jpg")));
    EXPECT_EQ(grey.BitsPerPixel(), 8);
    EXPECT_EQ(grey.row, Reference("grey.pgm", 0, 1));

    TFirstRowDib cmyk;
    EXPECT_FALSE(cmyk.Load(Fixture("cmyk.jpg")));
    EXPECT_EQ(cmyk.run, TJpegRun::JumpedBack);
    EXPECT_EQ(cmyk.text, std::string("Unsupported color conversion request"));
}
