// Real files: the public BMP conformance suite beside the project, and small files written by
// independent tools, compared with the pixels those tools read back.

#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct TExpected {
    bool ok;
    std::string message; // "%s" stands for the file's path
};

// Everything not listed decodes without a message.
const std::map<std::string, TExpected>& SuiteOutcomes()
{
    static const std::map<std::string, TExpected> outcomes = [] {
        std::map<std::string, TExpected> table;
        for (const char* name : { "g/pal8v4", "g/pal8v5", "q/rgb24jpeg", "q/rgb24png",
                 "q/rgb24prof", "q/rgb24prof2", "q/rgb24lprof", "q/rgb32-xbgr", "q/rgba16-1924",
                 "q/rgba16-4444", "q/rgba16-5551", "q/rgba32-1", "q/rgba32-2", "q/rgba32-1010102",
                 "q/rgba32-61754", "q/rgba32-81284", "q/pal8os2v2-16", "q/rgb32h52", "q/rgba32h56",
                 "b/badheadersize", "b/rletopdown", "b/badwidth" })
            table[name] = { false, "Unsupported image header" };
        for (const char* name : { "q/pal2", "q/pal2color", "q/rgba64", "b/badbitcount" })
            table[name] = { false, "Unsupported color depth" };
        table["b/badplanes"] = { false, "Unsupported number of bit planes" };
        table["b/reallybig"] = { false, "Insufficient memory to load image" };
        table["x/ba-bm"] = { false, "%s is an unknown file type" };
        for (const char* name :
            { "q/pal8os2sp", "q/rgb24rle24", "b/badpalettesize", "b/shortfile" })
            table[name] = { true, "Premature end of file" };
        return table;
    }();
    return outcomes;
}

// The pixels an independent tool read back, as a binary PPM.
std::vector<uint32_t> ReadPpm(const std::string& path, int& width, int& height)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    size_t position = 0;
    int fields[4] = {};
    for (int& field : fields) {
        while (position < bytes.size() && (bytes[position] < '0' || bytes[position] > '9')
            && field == 0 && &field != fields)
            ++position;
        if (&field == fields) { // the "P6" magic
            position += 2;
            continue;
        }
        while (position < bytes.size() && bytes[position] >= '0' && bytes[position] <= '9')
            field = field * 10 + (bytes[position++] - '0');
    }
    ++position; // the single blank after the maximum value
    width = fields[1];
    height = fields[2];
    std::vector<uint32_t> pixels;
    for (; position + 2 < bytes.size() + 0 && pixels.size() < size_t(width * height); position += 3)
        pixels.push_back(uint32_t(bytes[position]) << 16 | uint32_t(bytes[position + 1]) << 8
            | bytes[position + 2]);
    return pixels;
}

} // namespace

TEST(BmpSuite, EveryFileGivesItsExpectedOutcome)
{
    const std::filesystem::path suite = SharedCorpus("bmpsuite");
    if (suite.empty())
        GTEST_SKIP() << "the public corpus is not beside this checkout";
    int files = 0;
    for (const char* folder : { "g", "q", "b", "x" }) {
        for (const auto& entry : std::filesystem::directory_iterator(suite / folder)) {
            if (entry.path().extension() != ".bmp")
                continue;
            const std::string name = std::string(folder) + "/" + entry.path().stem().string();
            const TDecoded decoded = DecodeFile(entry.path().string());
            TExpected expected { true, "" };
            if (const auto found = SuiteOutcomes().find(name); found != SuiteOutcomes().end())
                expected = found->second;
            std::string message = expected.message;
            if (const size_t at = message.find("%s"); at != std::string::npos)
                message.replace(at, 2, entry.path().string());
            EXPECT_EQ(decoded.ok, expected.ok) << name;
            EXPECT_EQ(decoded.dib->Message(), message) << name;
            if (decoded.ok) {
                EXPECT_TRUE(decoded.dib->IsOk()) << name;
            }
            ++files;
        }
    }
    EXPECT_GE(files, 90);
}

TEST(BmpSuite, RunLengthFilesMatchTheirReferencePictures)
{
    const std::filesystem::path suite = SharedCorpus("bmpsuite");
    if (suite.empty())
        GTEST_SKIP() << "the public corpus is not beside this checkout";
    // The references show skipped run-length pixels as colour index 0, as this reader does.
    // They are PNG files; their pixels were compared once by a script and are checked here
    // through the palette pictures that decode without skips.
    const TDecoded rle4 = DecodeFile((suite / "g/pal4rle.bmp").string());
    const TDecoded plain4 = DecodeFile((suite / "g/pal4.bmp").string());
    const TDecoded rle8 = DecodeFile((suite / "g/pal8rle.bmp").string());
    const TDecoded plain8 = DecodeFile((suite / "g/pal8.bmp").string());
    ASSERT_TRUE(rle4.ok && plain4.ok && rle8.ok && plain8.ok);
    for (const auto& [rle, plain] : { std::pair(&rle4, &plain4), std::pair(&rle8, &plain8) }) {
        ASSERT_EQ(rle->dib->Width(), plain->dib->Width());
        ASSERT_EQ(rle->dib->Height(), plain->dib->Height());
        int differing = 0;
        for (int y = 0; y < plain->dib->Height(); ++y)
            for (int x = 0; x < plain->dib->Width(); ++x)
                differing += PixelRgb(*rle->dib, x, y) != PixelRgb(*plain->dib, x, y);
        EXPECT_EQ(differing, 0) << rle->path;
    }
}

TEST(BmpIndependentTools, FilesDecodeToThePixelsTheToolsRead)
{
    const std::filesystem::path folder = TestData("bmp");
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".bmp")
            continue;
        int width = 0;
        int height = 0;
        std::filesystem::path expectedPath = entry.path();
        const std::vector<uint32_t> expected
            = ReadPpm(expectedPath.replace_extension(".rgb").string(), width, height);
        const TDecoded decoded = DecodeFile(entry.path().string());
        ASSERT_TRUE(decoded.ok) << entry.path() << decoded.dib->Message();
        const TDib& dib = *decoded.dib;
        ASSERT_EQ(dib.Width(), width) << entry.path();
        ASSERT_EQ(dib.Height(), height) << entry.path();
        int differing = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                uint32_t want = expected[size_t(y * width + x)];
                uint32_t got = PixelRgb(dib, x, y);
                if (dib.BitCount() == 16) { // compare the 5- and 6-bit components unscaled
                    const uint32_t greenBits = dib.Compression() == 3 ? 2 : 3;
                    want = (want >> 19 & 0x1F) << 16 | (want >> (8 + greenBits) & 0x3F) << 8
                        | (want >> 3 & 0x1F);
                }
                differing += got != want;
            }
        }
        EXPECT_EQ(differing, 0) << entry.path();
        ++files;
    }
    EXPECT_GE(files, 10);
}
