// PCX and Targa files written by independent tools, compared with the pixels a second tool
// reads back from them.

#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace {

// A binary PPM as written by the fixture scripts: "P6\n<w> <h>\n255\n" and the RGB bytes.
struct TPicture {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels; // 0xRRGGBB, top line first
};

TPicture ReadPpm(const std::string& path)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    size_t position = 2; // "P6"
    const auto number = [&] {
        while (position < bytes.size() && (bytes[position] < '0' || bytes[position] > '9'))
            ++position;
        int value = 0;
        while (position < bytes.size() && bytes[position] >= '0' && bytes[position] <= '9')
            value = value * 10 + (bytes[position++] - '0');
        return value;
    };
    TPicture picture;
    picture.width = number();
    picture.height = number();
    number(); // the maximum value
    ++position; // the one blank after it
    for (; position + 2 < bytes.size() + 0; position += 3)
        picture.pixels.push_back(uint32_t(bytes[position]) << 16
            | uint32_t(bytes[position + 1]) << 8 | bytes[position + 2]);
    return picture;
}

// Decodes every fixture of a folder and counts the pixels that differ from the reference.
void ExpectFolderMatches(const std::string& folder, const std::string& extension, int files)
{
    int seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TestData(folder))) {
        if (entry.path().extension() != extension)
            continue;
        const std::string name = entry.path().filename().string();
        const TDecoded decoded = DecodeFile(entry.path().string());
        ASSERT_TRUE(decoded.ok) << name << ": " << decoded.dib->Message();
        EXPECT_EQ(decoded.dib->Message(), "") << name;
        std::filesystem::path reference = entry.path();
        reference.replace_extension(".rgb");
        const TPicture expected = ReadPpm(reference.string());
        const TDib& dib = *decoded.dib;
        ASSERT_EQ(dib.Width(), expected.width) << name;
        ASSERT_EQ(dib.Height(), expected.height) << name;
        ASSERT_EQ(expected.pixels.size(), size_t(expected.width * expected.height)) << name;
        int differing = 0;
        for (int y = 0; y < dib.Height(); ++y)
            for (int x = 0; x < dib.Width(); ++x) {
                uint32_t expectedRgb = expected.pixels[size_t(y * expected.width + x)];
                if (dib.BitCount() == 16) // 5-bit components, which the other tool widens
                    expectedRgb = expectedRgb >> 3 & 0x1F1F1F;
                differing += PixelRgb(dib, x, y) != expectedRgb;
            }
        EXPECT_EQ(differing, 0) << name;
        ++seen;
    }
    EXPECT_EQ(seen, files);
}

} // namespace

TEST(PcxFiles, ToolWrittenFilesMatchTheirReferencePictures)
{
    ExpectFolderMatches("pcx", ".pcx", 7);
}

TEST(TargaFiles, ToolWrittenFilesMatchTheirReferencePictures)
{
    ExpectFolderMatches("targa", ".tga", 15);
}

// Damaged copies of the fixtures: bytes changed at random in the header and the data, and cut
// short. Whatever they claim, the readers must come back with a result and keep to their
// bitmaps (which the sanitizer build checks).
TEST(PcxTargaFiles, DamagedFilesNeverFault)
{
    TTempFolder folder;
    std::mt19937 random(5);
    int decoded = 0;
    for (const char* name : { "pcx/pil-rgb24.pcx", "pcx/im-pal8.pcx", "pcx/pil-mono.pcx",
             "targa/im-rgb24rle.tga", "targa/pil-pal8rle.tga", "targa/py-rgb16rle.tga",
             "targa/pil-rgba32rle.tga", "targa/im-grey8.tga" }) {
        const std::vector<uint8_t> original = ReadBytes(TestData(name).string());
        for (int round = 0; round < 150; ++round) {
            std::vector<uint8_t> bytes = original;
            const int changes = 1 + int(random() % 6);
            for (int i = 0; i < changes; ++i) {
                // Mostly the header, where the sizes are.
                const size_t span
                    = random() % 2 == 0 ? std::min<size_t>(bytes.size(), 128) : bytes.size();
                bytes[random() % span] = uint8_t(random());
            }
            if (random() % 3 == 0)
                bytes.resize(8 + random() % (bytes.size() - 8));
            const TDecoded result = DecodeBytes(folder, bytes);
            if (result.ok) {
                EXPECT_TRUE(result.dib->IsOk()) << name << " round " << round;
                ++decoded;
            } else if (result.dib->FileType() == FileTypeTarga) {
                EXPECT_FALSE(result.dib->Message().empty()) << name << " round " << round;
            }
        }
    }
    EXPECT_GT(decoded, 100);
}
