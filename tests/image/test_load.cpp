#include "DecodeHelpers.h"

#include "image/FormatDetection.h"

#include <gtest/gtest.h>

#include <array>

namespace {

std::array<uint8_t, 1024> Start(std::initializer_list<std::pair<size_t, uint8_t>> bytes)
{
    std::array<uint8_t, 1024> start {};
    for (const auto& [position, value] : bytes)
        start[position] = value;
    return start;
}

} // namespace

TEST(LoadDriver, FilesThatCannotBeReadAreReportedByName)
{
    TTempFolder folder;
    const std::string missing = folder.File("missing.bmp");
    TDecoded decoded = DecodeFile(missing);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Error opening file " + missing);

    const std::string seven
        = folder.Write("seven.bmp", std::vector<uint8_t> { 'B', 'M', 1, 2, 3, 4, 5 });
    decoded = DecodeFile(seven);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), seven + " is an empty or invalid file");
    EXPECT_EQ(decoded.dib->FileType(), FileTypeNone);

    const std::string text = folder.WriteText("notes.bmp", std::string(2000, 'x'));
    decoded = DecodeFile(text);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), text + " is an unknown file type");
    EXPECT_EQ(decoded.dib->FileType(), FileTypeNone);
}

TEST(LoadDriver, SignaturesChooseTheReaderWhateverTheName)
{
    TTempFolder folder;
    struct TCase {
        std::vector<uint8_t> start;
        int32_t type;
    };
    const std::vector<TCase> cases = {
        { { 0x0A, 'B', 'M', 0, 0, 0, 0, 0 }, FileTypePcx },
        { { 'B', 'M', 0, 0, 0, 0, 0, 0 }, FileTypeBmp },
        { { 'G', 'I', 'F', '8', '9', 'a', 0, 0 }, FileTypeGif },
        { { 0xFF, 0xD8, 0xFF, 0xE0, 0, 0, 0, 0 }, FileTypeJpeg },
        { { 0xFF, 0xD8, 0xFF, 0xDB, 0, 0, 0, 0 }, FileTypeNone }, // marker byte below 0xE0
    };
    for (const TCase& test : cases) {
        std::vector<uint8_t> bytes = test.start;
        bytes.resize(64, 0);
        const TDecoded decoded = DecodeBytes(folder, bytes, 0, "picture.tga");
        EXPECT_EQ(decoded.dib->FileType(), test.type) << int(test.start[0]);
    }
}

TEST(LoadDriver, TargaTestFollowsTypeDepthAndColourMap)
{
    const auto header
        = [](uint8_t mapType, uint8_t type, uint16_t first, uint16_t length, uint8_t depth) {
              std::array<uint8_t, 18> bytes {};
              bytes[1] = mapType;
              bytes[2] = type;
              bytes[3] = uint8_t(first);
              bytes[4] = uint8_t(first >> 8);
              bytes[5] = uint8_t(length);
              bytes[6] = uint8_t(length >> 8);
              bytes[16] = depth;
              return bytes;
          };
    EXPECT_TRUE(LooksLikeTarga(header(1, 1, 0, 256, 8)));
    EXPECT_TRUE(LooksLikeTarga(header(1, 9, 0, 1, 8)));
    EXPECT_FALSE(LooksLikeTarga(header(1, 1, 1, 16, 8))); // map starting at index 1
    EXPECT_FALSE(LooksLikeTarga(header(1, 1, 0, 257, 8)));
    EXPECT_FALSE(LooksLikeTarga(header(1, 1, 0, 0, 8)));
    EXPECT_FALSE(LooksLikeTarga(header(0, 1, 0, 16, 8)));
    for (const uint8_t depth : { 15, 16, 24, 32 }) {
        EXPECT_TRUE(LooksLikeTarga(header(0, 2, 0, 0, depth)));
        EXPECT_TRUE(LooksLikeTarga(header(1, 10, 0, 0, depth)));
    }
    EXPECT_FALSE(LooksLikeTarga(header(0, 2, 0, 0, 8)));
    EXPECT_TRUE(LooksLikeTarga(header(0, 3, 0, 0, 8)));
    EXPECT_TRUE(LooksLikeTarga(header(0, 11, 0, 0, 8)));
    EXPECT_FALSE(LooksLikeTarga(header(0, 3, 0, 0, 16)));
    EXPECT_FALSE(LooksLikeTarga(header(2, 2, 0, 0, 24)));
    EXPECT_FALSE(LooksLikeTarga(header(0, 4, 0, 0, 24)));
    EXPECT_FALSE(LooksLikeTarga(header(0, 2, 0, 0, 33)));
}

TEST(LoadDriver, JpegSearchFindsAnArmedStartMarker)
{
    EXPECT_EQ(FindJpegMarker(Start({ { 128, 0xFF }, { 129, 0xD8 } })), 128u);
    EXPECT_EQ(FindJpegMarker(Start({ { 10, 0xFF }, { 11, 0xFF }, { 12, 0xD8 } })), std::nullopt);
    EXPECT_EQ(
        FindJpegMarker(Start({ { 10, 0xFF }, { 11, 0xFF }, { 12, 0xFF }, { 13, 0xD8 } })), 12u);
    EXPECT_EQ(FindJpegMarker(Start({ { 1022, 0xFF }, { 1023, 0xD8 } })), 1022u);
    EXPECT_EQ(FindJpegMarker(Start({ { 1023, 0xFF } })), std::nullopt);
}

TEST(LoadDriver, JpegSearchNeedsTheWholeKilobyte)
{
    TTempFolder folder;
    std::vector<uint8_t> bytes(128, 'j');
    AppendBytes(bytes, { 0xFF, 0xD8, 0xFF, 0xE0 });
    bytes.resize(900, 0);
    TDecoded decoded = DecodeBytes(folder, bytes);
    EXPECT_EQ(decoded.dib->FileType(), FileTypeNone);
    EXPECT_EQ(decoded.dib->Message(), decoded.path + " is an unknown file type");
    bytes.resize(1024, 0);
    decoded = DecodeBytes(folder, bytes);
    EXPECT_EQ(decoded.dib->FileType(), FileTypeJpeg);
}

TEST(LoadDriver, EveryReaderStopsAtOnceWhenThePumpAsksToAbort)
{
    // The request comes with the third row's pump: no row after it pumps again, and the decode
    // ends with success and no message.
    TPumpGuard guard;
    int pumped = 0;
    SetPumpOneMessage([&] { ProcessFlags().loadAbort = ++pumped == 3; });
    for (const char* name :
        { "bmp/pil-rgb24.bmp", "bmp/im-pal8rle.bmp", "pcx/pil-rgb24.pcx", "targa/im-rgb24.tga",
            "targa/im-rgb24rle.tga", "gif/im-still.gif", "jpeg/colour-444.jpg" }) {
        pumped = 0;
        ProcessFlags().loadAbort = false;
        const TDecoded decoded = DecodeFile(TestData(name).string());
        EXPECT_TRUE(decoded.ok) << name;
        EXPECT_EQ(pumped, 3) << name;
        EXPECT_EQ(decoded.dib->Message(), "") << name;
    }
}
