#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include "image/ImageInfo.h"

#include <gtest/gtest.h>

#include <climits>

#include <chrono>

namespace {

// A Targa file: the 18-byte header, the image ID, the colour map and the pixel data as given.
struct TTargaBuilder {
    uint8_t type = 2;
    uint16_t width = 2;
    uint16_t height = 2;
    uint8_t depth = 24;
    uint8_t descriptor = 0;
    uint8_t mapType = 0;
    uint16_t firstEntry = 0;
    uint16_t mapLength = 0;
    uint8_t entrySize = 0;
    std::string id;
    std::vector<uint8_t> map;
    std::vector<uint8_t> pixels;

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> file;
        AppendBytes(file, { uint8_t(id.size()), mapType, type });
        AppendU16(file, firstEntry);
        AppendU16(file, mapLength);
        AppendU8(file, entrySize);
        AppendU16(file, 5); // x origin
        AppendU16(file, 6); // y origin
        AppendU16(file, width);
        AppendU16(file, height);
        AppendBytes(file, { depth, descriptor });
        file.insert(file.end(), id.begin(), id.end());
        file.insert(file.end(), map.begin(), map.end());
        file.insert(file.end(), pixels.begin(), pixels.end());
        return file;
    }
};

TTargaBuilder Mapped(uint8_t entrySize, std::vector<uint8_t> map, size_t entries)
{
    TTargaBuilder tga;
    tga.type = 1;
    tga.depth = 8;
    tga.mapType = 1;
    tga.mapLength = uint16_t(entries);
    tga.entrySize = entrySize;
    tga.map = std::move(map);
    tga.pixels = { 0, 1, 2, 3 };
    return tga;
}

using TLines = TPixelLines;

// Opens a file and runs only the header reader, which the loading driver's own test shields
// from most broken headers.
struct THeaderReader : TBaseDib {
    bool Read(const std::string& path) { return OpenFile(path) && ReadTargaHeader(); }
};

} // namespace

TEST(TargaHeader, RefusesHeadersItCannotRead)
{
    TTempFolder folder;
    const auto expectRefused = [&](const TTargaBuilder& tga, const std::string& message) {
        THeaderReader reader;
        EXPECT_FALSE(reader.Read(folder.Write("bad.tga", tga.Build()))) << message;
        EXPECT_EQ(reader.Message(), message);
    };
    TTargaBuilder tga;
    tga.mapType = 2;
    expectRefused(tga, "Invalid or unsupported Targa file");
    tga = TTargaBuilder();
    tga.depth = 33;
    expectRefused(tga, "Invalid or unsupported Targa file");
    tga.depth = 8; // true colour at 8 bits
    expectRefused(tga, "Invalid or unsupported Targa file");
    tga.type = 11;
    tga.depth = 16; // grey at 16 bits
    expectRefused(tga, "Invalid or unsupported Targa file");
    tga.type = 4;
    expectRefused(tga, "Invalid or unsupported Targa file");
    expectRefused(Mapped(24, {}, 0), "Invalid or unsupported Targa file");
    expectRefused(
        Mapped(24, std::vector<uint8_t>(257 * 3), 257), "Unsupported Targa colormap format");
    TTargaBuilder fromOne = Mapped(24, std::vector<uint8_t>(3 * 3), 3);
    fromOne.firstEntry = 1;
    expectRefused(fromOne, "Unsupported Targa colormap format");

    // Reached through the loading driver too.
    const TDecoded eightBitEntries = DecodeBytes(folder, Mapped(8, { 1, 2 }, 2).Build());
    EXPECT_FALSE(eightBitEntries.ok);
    EXPECT_EQ(eightBitEntries.dib->Message(), "Unsupported Targa colormap format");
    EXPECT_EQ(eightBitEntries.dib->FileType(), FileTypeTarga);

    // A map that starts at index 1 does not pass the loading driver's test at all.
    const TDecoded loaded = DecodeBytes(folder, fromOne.Build());
    EXPECT_FALSE(loaded.ok);
    EXPECT_EQ(loaded.dib->FileType(), FileTypeNone);
    EXPECT_EQ(loaded.dib->Message(), loaded.path + " is an unknown file type");
}

TEST(TargaHeader, ShortIdOrColourMapIsPrematureEnd)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.id = "a name";
    std::vector<uint8_t> bytes = tga.Build();
    bytes.resize(18 + 3);
    TDecoded decoded = DecodeBytes(folder, bytes);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");

    bytes = Mapped(16, { 1, 2, 3, 4, 5 }, 3).Build();
    bytes.resize(18 + 5);
    decoded = DecodeBytes(folder, bytes);
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");

    // The map beside true-colour pixels is read past, and must be there to be.
    tga = TTargaBuilder();
    tga.mapLength = 10;
    tga.entrySize = 32;
    tga.map.assign(39, 0);
    decoded = DecodeBytes(folder, tga.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
}

TEST(TargaHeader, InformationListsTheHeaderAndTheId)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.type = 10;
    tga.width = 3;
    tga.height = 1;
    tga.descriptor = 0x28;
    tga.id = "scanner";
    tga.id += '\0';
    tga.id += "rest";
    tga.pixels = { 0x82, 1, 2, 3 };
    const TDecoded decoded = DecodeBytes(folder, tga.Build());
    ASSERT_TRUE(decoded.ok);
    const std::vector<std::string> expected = { "Header", " id length: 12", " color map type: 0",
        " image type: 10", " first entry index: 0", " color map length: 0",
        " color map entry size: 0", " image x-origin: 5", " image y-origin: 6", " image width: 3",
        " image height: 1", " pixel depth: 24", " image origin: 2", " alpha channel bits: 8", "",
        "Image ID", " scanner" };
    EXPECT_EQ(ImageInformationLines(*decoded.dib), expected);
}

TEST(TargaColourMap, EntriesOfEverySizeBecomeTheColourTable)
{
    TTempFolder folder;
    TDecoded decoded
        = DecodeBytes(folder, Mapped(16, { 0x00, 0x7C, 0x21, 0x04, 0xFF, 0xFF }, 3).Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->ColorCount(), 3);
    EXPECT_EQ(TableColor(*decoded.dib, 0), 0xFF0000u);
    EXPECT_EQ(TableColor(*decoded.dib, 1), 0x080808u);
    EXPECT_EQ(TableColor(*decoded.dib, 2), 0xFFFFFFu);
    EXPECT_EQ(TableColor(*decoded.dib, 3), 0u);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 2, 3 }, { 0, 1 } }));

    decoded = DecodeBytes(folder, Mapped(24, { 1, 2, 3, 4, 5, 6 }, 2).Build());
    EXPECT_EQ(TableColor(*decoded.dib, 1), 0x060504u);
    decoded = DecodeBytes(folder, Mapped(32, { 1, 2, 3, 9, 4, 5, 6, 9 }, 2).Build(), -4);
    EXPECT_EQ(TableColor(*decoded.dib, 1), 0x020100u);
    EXPECT_EQ(decoded.dib->ColorTable()[7], 0);
}

TEST(TargaColourMap, GreyImagesGetAGreyRamp)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.type = 3;
    tga.depth = 8;
    tga.pixels = { 0, 100, 200, 250 };
    TDecoded decoded = DecodeBytes(folder, tga.Build(), 10);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->ColorCount(), 256);
    EXPECT_EQ(TableColor(*decoded.dib, 0), 0x0A0A0Au);
    EXPECT_EQ(TableColor(*decoded.dib, 250), 0xFFFFFFu);
    EXPECT_EQ(PixelRgb(*decoded.dib, 0, 0), 0xD2D2D2u);
}

TEST(TargaRows, OriginBitChoosesTheFirstLine)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.width = 1;
    tga.height = 3;
    tga.pixels = { 1, 2, 3, 4, 5, 6, 7, 8, 9 };
    TDecoded decoded = DecodeBytes(folder, tga.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_TRUE(decoded.dib->BottomUp());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0x090807 }, { 0x060504 }, { 0x030201 } }));

    tga.descriptor = 0x20;
    decoded = DecodeBytes(folder, tga.Build());
    EXPECT_FALSE(decoded.dib->BottomUp());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0x030201 }, { 0x060504 }, { 0x090807 } }));
}

TEST(TargaRows, ColourMapBesideTrueColourIsSkipped)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.descriptor = 0x20;
    tga.mapLength = 10;
    tga.entrySize = 24;
    tga.map.assign(30, 0xEE);
    tga.pixels = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    TDecoded decoded = DecodeBytes(folder, tga.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 0x030201, 0x060504 }, { 0x090807, 0x0C0B0A } }));

    tga.type = 3;
    tga.depth = 8;
    tga.entrySize = 15;
    tga.map.assign(20, 0xEE);
    decoded = DecodeBytes(folder, tga.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2 }, { 3, 4 } }));
}

TEST(TargaRows, RunAndRawPacketsContinueAcrossRows)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.type = 10;
    tga.width = 3;
    tga.height = 2;
    tga.descriptor = 0x20;
    // Four copies of one pixel run into the second row; three raw pixels follow.
    tga.pixels = { 0x83, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9, 10, 11, 12 };
    TDecoded decoded = DecodeBytes(folder, tga.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 0x030201, 0x030201, 0x030201 }, { 0x030201, 0x060504, 0x090807 } }));

    // A raw packet across the row end, and a run of one.
    tga.type = 11;
    tga.depth = 8;
    tga.pixels = { 0x03, 1, 2, 3, 4, 0x80, 5, 0x00, 6 };
    decoded = DecodeBytes(folder, tga.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2, 3 }, { 4, 5, 6 } }));
}

TEST(TargaRows, SixteenBitRunLengthPixelsFollowTheOffsetInEighths)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.type = 10;
    tga.depth = 16;
    tga.width = 2;
    tga.height = 1;
    // Red 30, green 1, blue 5 with bit 15 set; then all 31.
    const uint16_t first = 0x8000 | 30 << 10 | 1 << 5 | 5;
    tga.pixels = { 0x01, uint8_t(first), uint8_t(first >> 8), 0xFF, 0x7F };
    TDecoded decoded = DecodeBytes(folder, tga.Build(), 16);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 31u << 10 | 3u << 5 | 7u, 0x7FFF } }));
    decoded = DecodeBytes(folder, tga.Build(), -1); // a step of -1
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 29u << 10 | 0u << 5 | 4u, 0x7BDE } }));
    decoded = DecodeBytes(folder, tga.Build(), 0);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { first, 0x7FFF } }));

    // Uncompressed 16-bit rows are shown as stored.
    tga.type = 2;
    tga.pixels.erase(tga.pixels.begin());
    decoded = DecodeBytes(folder, tga.Build(), 16);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { first, 0x7FFF } }));
    EXPECT_EQ(decoded.dib->BitCount(), 16);
}

TEST(TargaRows, IntensityAdjustsTrueColourBytes)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.depth = 32;
    tga.width = 1;
    tga.height = 1;
    tga.pixels = { 10, 20, 250, 100 };
    // Uncompressed rows adjust every byte, the fourth too; run-length ones keep the fourth.
    TDecoded decoded = DecodeBytes(folder, tga.Build(), 10);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0x6EFF1E14u);
    tga.type = 10;
    tga.pixels.insert(tga.pixels.begin(), 0x80);
    decoded = DecodeBytes(folder, tga.Build(), 10);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0x64FF1E14u);

    tga.depth = 24;
    tga.pixels = { 0x80, 10, 20, 250 };
    decoded = DecodeBytes(folder, tga.Build(), -15);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0xEB0500u);

    // An edited INI file may hold any offset; the extremes saturate instead of wrapping.
    decoded = DecodeBytes(folder, tga.Build(), INT_MAX);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0xFFFFFFu);
    decoded = DecodeBytes(folder, tga.Build(), INT_MIN);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0u);
}

TEST(TargaRows, ShortPixelDataKeepTheRowsDone)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.width = 2;
    tga.height = 3;
    tga.descriptor = 0x20;
    tga.pixels = { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10 };
    TDecoded decoded = DecodeBytes(folder, tga.Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
    // What came of the cut row stays, as read.
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 0x030201, 0x060504 }, { 0x090807, 0x0A }, { 0, 0 } }));

    tga.pixels.resize(5);
    decoded = DecodeBytes(folder, tga.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");

    // Run-length data that end inside a pixel store none of it.
    tga.type = 10;
    tga.pixels = { 0x01, 1, 2, 3, 4, 5, 6, 0x81, 7, 8, 9, 0x01, 1, 2 };
    decoded = DecodeBytes(folder, tga.Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 0x030201, 0x060504 }, { 0x090807, 0x090807 }, { 0, 0 } }));
    tga.pixels = { 0x81, 1, 2 };
    decoded = DecodeBytes(folder, tga.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
}

TEST(TargaRows, HugeClaimsWithLittleDataEndAtOnce)
{
    TTempFolder folder;
    TTargaBuilder tga;
    tga.width = 65535;
    tga.height = 65535;
    tga.pixels = { 0xFF, 1, 2, 3 };
    const auto start = std::chrono::steady_clock::now();
    TDecoded decoded = DecodeBytes(folder, tga.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Insufficient memory to load image");
    for (const uint8_t type : { 3, 11 }) {
        tga.type = type;
        tga.depth = 8;
        tga.height = 2000;
        decoded = DecodeBytes(folder, tga.Build());
        EXPECT_FALSE(decoded.ok);
        EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
    }
    // No pixels to a row: every row is done without reading.
    tga.width = 0;
    tga.height = 65535;
    decoded = DecodeBytes(folder, tga.Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// The run-length pixel reader as the preview uses it, a pixel at a time.
TEST(TargaRunLength, PixelsComeOneByOne)
{
    struct TReader : TBaseDib {
        bool Open(const std::string& path) { return OpenFile(path) && ReadTargaHeader(); }
    };
    TTempFolder folder;
    TTargaBuilder tga;
    tga.type = 10;
    tga.depth = 16;
    tga.pixels = { 0x81, 1, 2, 0x01, 3, 4, 5 };
    TReader reader;
    ASSERT_TRUE(reader.Open(folder.Write("run.tga", tga.Build())));
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(reader.ReadTargaPixel()) << i;
        bytes.push_back(reader.Targa().pixel[0]);
        bytes.push_back(reader.Targa().pixel[1]);
    }
    EXPECT_EQ(bytes, (std::vector<uint8_t> { 1, 2, 1, 2, 3, 4 }));
    EXPECT_EQ(reader.Message(), "");
    EXPECT_FALSE(reader.ReadTargaPixel()); // half a pixel left
    EXPECT_EQ(reader.Message(), "Premature end of file");
}
