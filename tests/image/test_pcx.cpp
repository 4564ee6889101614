#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include "image/ImageInfo.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// A PCX file: the 128-byte header, then the data as given (already run-length encoded).
struct TPcxBuilder {
    uint8_t bitsPerPlane = 8;
    uint8_t planes = 1;
    uint16_t width = 4;
    uint16_t height = 2;
    uint16_t bytesPerLine = 4;
    std::array<uint8_t, 48> palette {};
    std::vector<uint8_t> data;

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> file;
        AppendBytes(file, { 10, 5, 1, bitsPerPlane });
        AppendU16(file, 3); // min x
        AppendU16(file, 7); // min y
        AppendU16(file, 3 + width - 1u);
        AppendU16(file, 7 + height - 1u);
        AppendU16(file, 72);
        AppendU16(file, 96);
        file.insert(file.end(), palette.begin(), palette.end());
        AppendU8(file, 0);
        AppendU8(file, planes);
        AppendU16(file, bytesPerLine);
        AppendU16(file, 1);
        AppendU16(file, 640);
        AppendU16(file, 480);
        file.resize(128, 0);
        file.insert(file.end(), data.begin(), data.end());
        return file;
    }
};

// Each byte stored as itself, or as a run of one when it looks like a run header.
std::vector<uint8_t> Plain(std::initializer_list<uint8_t> bytes)
{
    std::vector<uint8_t> out;
    for (const uint8_t byte : bytes) {
        if (byte >= 0xC0)
            out.push_back(0xC1);
        out.push_back(byte);
    }
    return out;
}

void Append(std::vector<uint8_t>& out, const std::vector<uint8_t>& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

// The 256-colour palette at the end of a file: the marker, then entry i = (i, 255 - i, 7).
std::vector<uint8_t> EndPalette(uint8_t marker = 0x0C)
{
    std::vector<uint8_t> out { marker };
    for (int i = 0; i < 256; ++i)
        AppendBytes(out, { uint8_t(i), uint8_t(255 - i), 7 });
    return out;
}

using TLines = TPixelLines;

// Bytes of the stride beyond the row's pixels, which must stay 0.
bool RowPaddingClear(const TDib& dib, size_t usedBytes)
{
    for (int y = 0; y < dib.Height(); ++y)
        for (size_t i = usedBytes; i < dib.Stride(); ++i)
            if (dib.Row(y)[i] != 0)
                return false;
    return true;
}

} // namespace

TEST(PcxHeader, RefusesDepthsItHasNoLayoutFor)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.bitsPerPlane = 2; // 2 bits in one plane: 4 colours, not read
    pcx.data.assign(64, 0);
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Unsupported color depth");
    EXPECT_EQ(decoded.dib->FileType(), FileTypePcx);

    pcx.bitsPerPlane = 8;
    pcx.planes = 4; // 32 bits
    decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_EQ(decoded.dib->Message(), "Unsupported color depth");

    // Only files whose first byte is 10 reach the reader through the loading driver; the
    // preview calls it directly.
    struct THeaderReader : TBaseDib {
        bool Read(const std::string& path) { return OpenFile(path) && ReadPcxHeader(); }
    };
    std::vector<uint8_t> bytes = TPcxBuilder().Build();
    bytes[0] = 11;
    THeaderReader reader;
    EXPECT_FALSE(reader.Read(folder.Write("other.pcx", bytes)));
    EXPECT_EQ(reader.Message(), "Unsupported image header");

    // Shorter than a header.
    decoded = DecodeBytes(folder, std::vector<uint8_t>(100, 10));
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
}

TEST(PcxHeader, InformationListsTheHeaderFields)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.data = Plain({ 1, 2, 3, 4, 5, 6, 7, 8 });
    Append(pcx.data, EndPalette());
    const TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    const std::vector<std::string> expected = { "Header", " manufacturer: 10", " version: 5",
        " PCX RLE encoded: 1", " bits per pixel: 8", " min x: 3", " min y: 7", " max x: 6",
        " max y: 8", " horizontal dpi: 72", " vertical dpi: 96", " number of color planes: 1",
        " bytes per line: 4", " palette type: 1", " horizontal screen size: 640",
        " vertical screen size: 480" };
    EXPECT_EQ(ImageInformationLines(*decoded.dib), expected);
    EXPECT_EQ(decoded.dib->ImageWidth(), 4);
    EXPECT_EQ(decoded.dib->ImageHeight(), 2);
    EXPECT_EQ(decoded.dib->ColorCount(), 256);
}

TEST(PcxPalette, EmptyHeaderPaletteGivesTheDefaultColours)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.bitsPerPlane = 4;
    pcx.width = 4;
    pcx.height = 1;
    pcx.bytesPerLine = 2;
    pcx.data = Plain({ 0x14, 0xF0 });
    const TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    const TDib& dib = *decoded.dib;
    EXPECT_EQ(PixelRgb(dib, 0, 0), 0x0000FFu); // index 1 blue
    EXPECT_EQ(PixelRgb(dib, 1, 0), 0xFF0000u); // index 4 red
    EXPECT_EQ(PixelRgb(dib, 2, 0), 0xFFFFFFu); // index 15
    EXPECT_EQ(TableColor(dib, 8), 0x5555FFu);
    EXPECT_EQ(TableColor(dib, 11), 0xAA0000u);

    // One non-black entry anywhere in the sixteen makes the header palette count.
    pcx.palette[3 * 9 + 1] = 200;
    const TDecoded own = DecodeBytes(folder, pcx.Build());
    EXPECT_EQ(TableColor(*own.dib, 1), 0u);
    EXPECT_EQ(TableColor(*own.dib, 9), 0x00C800u);
}

TEST(PcxPalette, MonochromeIsBlackAndWhiteUnlessTheHeaderSaysOtherwise)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.bitsPerPlane = 1;
    pcx.width = 8;
    pcx.height = 1;
    pcx.bytesPerLine = 2;
    pcx.data = Plain({ 0x0F, 0 });
    pcx.palette[3 * 5] = 99; // beyond the two entries used: no effect
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelRgb(*decoded.dib, 0, 0), 0x000000u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 7, 0), 0xFFFFFFu);

    pcx.palette[3] = 255;
    pcx.palette[4] = 255;
    decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_EQ(PixelRgb(*decoded.dib, 0, 0), 0x000000u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 7, 0), 0xFFFF00u);
}

TEST(PcxPalette, TheEndPaletteNeedsItsMarker)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.data = Plain({ 1, 2, 3, 200, 5, 6, 7, 8 });
    Append(pcx.data, EndPalette());
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelRgb(*decoded.dib, 3, 0), 0xC83707u);
    EXPECT_EQ(TableColor(*decoded.dib, 255), 0xFF0007u);

    // Without the marker the pixels are decoded and all shown black.
    pcx.data.resize(pcx.data.size() - 769);
    Append(pcx.data, EndPalette(0x0B));
    decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    EXPECT_EQ(PixelValue(*decoded.dib, 3, 0), 200u);
    for (size_t i = 0; i < 256; ++i)
        ASSERT_EQ(TableColor(*decoded.dib, i), 0u);

    // A file too short to hold the palette.
    pcx.data = Plain({ 1, 2, 3, 4, 5, 6, 7, 8 });
    decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
}

TEST(PcxPalette, IntensityOffsetMovesEveryEntry)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.data = Plain({ 1, 2, 3, 4, 5, 6, 7, 8 });
    Append(pcx.data, EndPalette());
    const TDecoded brighter = DecodeBytes(folder, pcx.Build(), 40);
    EXPECT_EQ(TableColor(*brighter.dib, 0), 0x28FF2Fu);
    EXPECT_EQ(TableColor(*brighter.dib, 250), 0xFF2D2Fu);
    const TDecoded darker = DecodeBytes(folder, pcx.Build(), -40);
    EXPECT_EQ(TableColor(*darker.dib, 250), 0xD20000u);
}

TEST(PcxRows, FirstLineIsTheTopAndRunsCrossLines)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.width = 4;
    pcx.height = 3;
    // A run of 6 fills the first line and half the second; 0xC0 gives its byte once.
    pcx.data = { 0xC6, 9 };
    Append(pcx.data, Plain({ 1, 2 }));
    Append(pcx.data, { 0xC0, 0xC8, 0xC2, 0xFF, 5 });
    Append(pcx.data, EndPalette());
    const TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 9, 9, 9, 9 }, { 9, 9, 1, 2 }, { 0xC8, 0xFF, 0xFF, 5 } }));
    EXPECT_EQ(decoded.progress->front(), decoded.path + " -  0%");
}

TEST(PcxRows, FourPlanesMergeIntoNibbles)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.bitsPerPlane = 1;
    pcx.planes = 4;
    pcx.width = 11; // one whole group of eight pixels and three more
    pcx.height = 1;
    pcx.bytesPerLine = 2;
    pcx.data = Plain({ 0x80, 0x80, 0x40, 0x40, 0xFF, 0xFF, 0x01, 0x20 });
    const TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 5, 6, 4, 4, 4, 4, 4, 12, 5, 6, 12 } }));
    // Pixels 11 to 15 of the planes are dropped.
    EXPECT_EQ(decoded.dib->Row(0)[5], 0xC0);
    EXPECT_TRUE(RowPaddingClear(*decoded.dib, 6));
}

TEST(PcxRows, ThreePlanesGiveBlueGreenRedPixels)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.planes = 3;
    pcx.width = 3;
    pcx.height = 1;
    pcx.bytesPerLine = 3;
    pcx.data = Plain({ 0x10, 0x11, 0x12, 0x20, 0x21, 0x22, 0x30, 0x31, 0xF2 });
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0x102030, 0x112131, 0x1222F2 } }));

    decoded = DecodeBytes(folder, pcx.Build(), 20);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0x243444, 0x253545, 0x2636FF } }));
}

// Bytes per line is even and often exceeds what the width needs; the rest of each plane is
// padding that must land nowhere, least of all in the next row or beyond the block.
TEST(PcxRows, LinePaddingIsReadAndDropped)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.planes = 3;
    pcx.width = 3;
    pcx.height = 2;
    pcx.bytesPerLine = 4;
    pcx.data = Plain({ 1, 2, 3, 0xEE, 4, 5, 6, 0xEE, 7, 8, 9, 0xEE });
    Append(pcx.data, Plain({ 11, 12, 13, 0xDD, 14, 15, 16, 0xDD, 17, 18, 19, 0xDD }));
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 0x010407, 0x020508, 0x030609 }, { 0x0B0E11, 0x0C0F12, 0x0D1013 } }));
    EXPECT_TRUE(RowPaddingClear(*decoded.dib, 9));

    pcx = TPcxBuilder();
    pcx.width = 3;
    pcx.height = 2;
    pcx.bytesPerLine = 6;
    pcx.data = Plain({ 1, 2, 3, 0xEE, 0xEE, 0xEE, 4, 5, 6, 0xEE, 0xEE, 0xEE });
    Append(pcx.data, EndPalette());
    decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2, 3 }, { 4, 5, 6 } }));
    EXPECT_TRUE(RowPaddingClear(*decoded.dib, 3));

    pcx = TPcxBuilder();
    pcx.bitsPerPlane = 1;
    pcx.width = 5;
    pcx.height = 2;
    pcx.bytesPerLine = 2;
    pcx.data = Plain({ 0xAF, 0xFF, 0x57, 0xFF });
    decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 0, 1, 0, 1 }, { 0, 1, 0, 1, 0 } }));
    EXPECT_EQ(decoded.dib->Row(1)[0], 0xA8); // the three pixels beyond the width are dropped
}

TEST(PcxRows, CombinationsWithoutAStandardLayoutStayInsideTheBitmap)
{
    TTempFolder folder;
    // Two planes of 2 bits: plane p gives bits 2p and 2p + 1 of the index.
    TPcxBuilder pcx;
    pcx.bitsPerPlane = 2;
    pcx.planes = 2;
    pcx.width = 4;
    pcx.height = 1;
    pcx.bytesPerLine = 1;
    pcx.data = Plain({ 0x1B, 0xE4 });
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->BitCount(), 4);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 12, 9, 6, 3 } }));

    // Eight 1-bit planes: plane p gives bit p of an 8-bit index.
    pcx.bitsPerPlane = 1;
    pcx.planes = 8;
    pcx.width = 2;
    pcx.data = Plain({ 0x80, 0x40, 0xC0, 0, 0, 0, 0, 0x40 });
    Append(pcx.data, EndPalette());
    decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0x05, 0x86 } }));

    // One 24-bit plane: red, green, blue bytes for each pixel.
    pcx = TPcxBuilder();
    pcx.bitsPerPlane = 24;
    pcx.width = 2;
    pcx.height = 2;
    pcx.bytesPerLine = 8;
    pcx.data = Plain({ 1, 2, 3, 4, 5, 6, 0xEE, 0xEE, 7, 8, 9, 10, 11, 12, 0xEE, 0xEE });
    decoded = DecodeBytes(folder, pcx.Build(), 1);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 0x020304, 0x050607 }, { 0x08090A, 0x0B0C0D } }));
    EXPECT_TRUE(RowPaddingClear(*decoded.dib, 6));

    // Twelve planes of 2 bits: planes 0 to 3 give red, 4 to 7 green, 8 to 11 blue.
    pcx = TPcxBuilder();
    pcx.bitsPerPlane = 2;
    pcx.planes = 12;
    pcx.width = 1;
    pcx.height = 1;
    pcx.bytesPerLine = 1;
    pcx.data = Plain({ 0x40, 0, 0, 0xC0, 0, 0x80, 0, 0, 0, 0, 0, 0x40 });
    decoded = DecodeBytes(folder, pcx.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0xC10840 } }));
}

TEST(PcxRows, TruncatedDataKeepTheRowsDoneWithoutAWarning)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.planes = 3;
    pcx.width = 2;
    pcx.height = 3;
    pcx.bytesPerLine = 2;
    pcx.data = Plain({ 1, 2, 3, 4, 5, 6, 7, 8, 9 }); // a line and half of the next
    TDecoded decoded = DecodeBytes(folder, pcx.Build(), 10);
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "");
    // The half line shows its red plane and the first green byte; the rest stays black.
    EXPECT_EQ(PixelValues(*decoded.dib),
        (TLines { { 0x0B0D0F, 0x0C0E10 }, { 0x111300, 0x120000 }, { 0, 0 } }));

    // Nothing to show is an error, and it says why.
    pcx.data = Plain({ 1, 2, 3 });
    decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");

    // A run header as the last byte of the file brings nothing.
    pcx.data = Plain({ 1, 2, 3, 4, 5, 6 });
    pcx.data.push_back(0xC5);
    decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib)[1], (std::vector<uint32_t> { 0, 0 }));
}

TEST(PcxRows, HugeClaimsWithLittleDataEndAtOnce)
{
    TTempFolder folder;
    TPcxBuilder pcx;
    pcx.planes = 3;
    pcx.width = 65535;
    pcx.height = 65535;
    pcx.bytesPerLine = 65535;
    pcx.data = { 0xFF, 1, 0xFF, 2 };
    const auto start = std::chrono::steady_clock::now();
    TDecoded decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Insufficient memory to load image");

    // Small enough to be made, far too big for its data.
    pcx.width = 8000;
    pcx.height = 8000;
    decoded = DecodeBytes(folder, pcx.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

// The run-length byte reader as the preview uses it, a byte at a time.
TEST(PcxRunLength, BytesComeOneByOneAcrossRefills)
{
    struct TReader : TBaseDib {
        bool Open(const std::string& path)
        {
            return OpenFile(path) && ReadPcxHeader() && StartPcxData();
        }
    };
    TTempFolder folder;
    TPcxBuilder pcx;
    // Plain bytes up to a refill boundary, then a run whose header ends the first buffer.
    for (int i = 0; i < 1023; ++i)
        pcx.data.push_back(uint8_t(i % 0xC0));
    Append(pcx.data, { 0xC3, 0xC7, 0xC0, 0x11, 0x22 });
    TReader reader;
    ASSERT_TRUE(reader.Open(folder.Write("run.pcx", pcx.Build())));
    uint8_t byte = 0;
    for (int i = 0; i < 1023; ++i) {
        ASSERT_TRUE(reader.ReadPcxByte(byte));
        ASSERT_EQ(byte, uint8_t(i % 0xC0));
    }
    std::vector<uint8_t> rest;
    while (reader.ReadPcxByte(byte))
        rest.push_back(byte);
    EXPECT_EQ(rest, (std::vector<uint8_t> { 0xC7, 0xC7, 0xC7, 0x11, 0x22 }));
    EXPECT_FALSE(reader.ReadPcxByte(byte));
}
