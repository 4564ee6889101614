#include "BmpBuilder.h"
#include "DecodeHelpers.h"
#include "support/DibPixels.h"

#include "image/ByteReader.h"
#include "image/ImageInfo.h"
#include "platform/MessagePump.h"
#include "platform/ProcessFlags.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>

namespace {

std::vector<uint8_t> Rows24(int width, int height, uint8_t start)
{
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> rows(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (size_t i = 0; i < size_t(width) * 3; ++i)
            rows[size_t(y) * stride + i] = uint8_t(start + y * 16 + int(i));
    return rows;
}

TBmpBuilder Palette8(int width, int height)
{
    TBmpBuilder bmp;
    bmp.width = width;
    bmp.height = height;
    bmp.bitCount = 8;
    bmp.colorsUsed = 4;
    bmp.palette = { 0x000000, 0xFF0000, 0x00FF00, 0x0000FF };
    return bmp;
}

TBmpBuilder RunLength(int width, int height, bool fourBits, std::vector<uint8_t> data)
{
    TBmpBuilder bmp = Palette8(width, height);
    bmp.bitCount = fourBits ? 4 : 8;
    bmp.compression = fourBits ? 2 : 1;
    bmp.pixels = std::move(data);
    return bmp;
}

using TLines = TPixelLines;

} // namespace

TEST(BmpHeader, RefusesHeadersItCannotRead)
{
    TTempFolder folder;
    const auto expectError = [&](TBmpBuilder bmp, const std::string& message) {
        bmp.pixels.assign(64, 0);
        const TDecoded decoded = DecodeBytes(folder, bmp.Build());
        EXPECT_FALSE(decoded.ok) << message;
        EXPECT_EQ(decoded.dib->Message(), message);
        EXPECT_FALSE(decoded.dib->IsOk());
    };
    TBmpBuilder bmp;
    bmp.headerSize = 108;
    expectError(bmp, "Unsupported image header");
    bmp.headerSize = 52;
    expectError(bmp, "Unsupported image header");
    bmp.headerSize = 8;
    expectError(bmp, "Unsupported image header");
    bmp = TBmpBuilder();
    bmp.compression = 1; // run-length at 24 bits
    expectError(bmp, "Unsupported image header");
    bmp = RunLength(4, -2, false, {});
    expectError(bmp, "Unsupported image header");
    bmp = TBmpBuilder();
    bmp.width = -5;
    expectError(bmp, "Unsupported image header");
    bmp = TBmpBuilder();
    bmp.height = std::numeric_limits<int32_t>::min();
    expectError(bmp, "Unsupported image header");
    bmp = TBmpBuilder();
    bmp.bitCount = 2;
    expectError(bmp, "Unsupported color depth");
    bmp.bitCount = 64;
    expectError(bmp, "Unsupported color depth");
    bmp = TBmpBuilder();
    bmp.planes = 3;
    expectError(bmp, "Unsupported number of bit planes");
}

TEST(BmpHeader, ShortHeadersArePrematureEnd)
{
    TTempFolder folder;
    std::vector<uint8_t> bytes = TBmpBuilder().Build();
    for (size_t size : { size_t(8), size_t(16), size_t(30), size_t(53) }) {
        const TDecoded decoded
            = DecodeBytes(folder, std::vector<uint8_t>(bytes.begin(), bytes.begin() + long(size)));
        EXPECT_FALSE(decoded.ok) << size;
        EXPECT_EQ(decoded.dib->Message(), "Premature end of file") << size;
    }
}

TEST(BmpHeader, HugeBitmapFailsAtOnceWithoutMemory)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 60000;
    bmp.height = 60000;
    bmp.bitCount = 32;
    const TDecoded decoded = DecodeBytes(folder, bmp.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Insufficient memory to load image");
}

TEST(BmpPlain, RowsStandUprightWhicheverWayTheFileStoresThem)
{
    TTempFolder folder;
    for (const int storedHeight : { 3, -3 }) {
        TBmpBuilder bmp;
        bmp.width = 5; // 15 bytes of pixels and one of padding per row
        bmp.height = storedHeight;
        bmp.pixels = Rows24(5, 3, 10);
        const TDecoded decoded = DecodeBytes(folder, bmp.Build());
        ASSERT_TRUE(decoded.ok) << decoded.dib->Message();
        const TDib& dib = *decoded.dib;
        EXPECT_EQ(dib.BitCount(), 24);
        EXPECT_EQ(dib.Height(), 3);
        // The first file row is the bottom line of a bottom-up file, the top of a top-down one.
        const int firstFileLine = storedHeight > 0 ? 2 : 0;
        EXPECT_EQ(PixelValue(dib, 0, firstFileLine), 0x0C0B0Au);
        EXPECT_EQ(PixelValue(dib, 4, firstFileLine), 0x181716u);
        EXPECT_EQ(PixelValue(dib, 0, 1), 0x1C1B1Au);
        EXPECT_EQ(decoded.dib->BottomUp(), storedHeight > 0);
    }
}

TEST(BmpPlain, PaletteDepthsAndTableSizes)
{
    TTempFolder folder;
    // 8 bits, 20 colours used: the rest of the 256-entry table stays black.
    TBmpBuilder bmp = Palette8(2, 1);
    bmp.colorsUsed = 20;
    bmp.palette.assign(20, 0x102030);
    bmp.pixels = { 19, 20, 0, 0 };
    TDecoded decoded = DecodeBytes(folder, bmp.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->NumColors(), 256u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 0, 0), 0x102030u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 1, 0), 0u);

    // 1 bit with no colours used takes two entries; 4 bits sixteen.
    bmp = TBmpBuilder();
    bmp.width = 10;
    bmp.bitCount = 1;
    bmp.palette = { 0x000000, 0xFFFF00 };
    bmp.pixels = { 0xA0, 0x40, 0, 0 };
    decoded = DecodeBytes(folder, bmp.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->NumColors(), 2u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 0, 0), 0xFFFF00u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 1, 0), 0u);
    EXPECT_EQ(PixelRgb(*decoded.dib, 9, 0), 0xFFFF00u);

    // A 24-bit file with a table of 16 entries: the table is read past.
    bmp = TBmpBuilder();
    bmp.width = 1;
    bmp.colorsUsed = 16;
    bmp.palette.assign(16, 0xABCDEF);
    bmp.pixels = { 1, 2, 3, 0 };
    decoded = DecodeBytes(folder, bmp.Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0x030201u);
}

TEST(BmpPlain, Os2AndLongHeadersDecodeLikeWindowsFiles)
{
    TTempFolder folder;
    for (const uint32_t headerSize : { 12u, 64u }) {
        TBmpBuilder bmp = Palette8(3, 2);
        bmp.headerSize = headerSize;
        bmp.colorsUsed = 0; // a full table: 3-byte entries in the OS/2 file
        bmp.palette.resize(256, 0x808080);
        bmp.pixels = { 1, 2, 3, 0, 3, 2, 1, 0 };
        const TDecoded decoded = DecodeBytes(folder, bmp.Build());
        ASSERT_TRUE(decoded.ok) << headerSize << decoded.dib->Message();
        EXPECT_EQ(PixelRgb(*decoded.dib, 0, 1), 0xFF0000u) << headerSize;
        EXPECT_EQ(PixelRgb(*decoded.dib, 2, 1), 0x0000FFu) << headerSize;
        EXPECT_EQ(PixelRgb(*decoded.dib, 0, 0), 0x0000FFu) << headerSize;
    }
}

TEST(BmpPlain, BitFieldsKeepTheirMasksAndAdjustEachComponent)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 2;
    bmp.bitCount = 16;
    bmp.compression = 3;
    bmp.masks = { 0xF800, 0x07E0, 0x001F };
    bmp.pixels = { 0xE0, 0x07, 0x00, 0x00 }; // pure green, black
    const TDecoded decoded = DecodeBytes(folder, bmp.Build(), 4);
    ASSERT_TRUE(decoded.ok);
    const TDib& dib = *decoded.dib;
    EXPECT_EQ(dib.Compression(), 3u);
    ASSERT_EQ(dib.ColorTable().size(), 12u);
    EXPECT_EQ(GetU32(dib.ColorTable(), 0), 0xF800u);
    EXPECT_EQ(GetU32(dib.ColorTable(), 4), 0x07E0u);
    EXPECT_EQ(GetU32(dib.ColorTable(), 8), 0x001Fu);
    EXPECT_EQ(PixelRgb(dib, 0, 0), 0x043F04u); // green held at its maximum of 63
    EXPECT_EQ(PixelRgb(dib, 1, 0), 0x040404u);
}

TEST(BmpPlain, SixteenBitsWithoutMasksAreFiveFiveFive)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 2;
    bmp.bitCount = 16;
    bmp.pixels = { 0xFF, 0xFF, 0x21, 0x04 }; // 0xFFFF (bit 15 ignored), 0x0421 = (1, 1, 1)
    const TDecoded decoded = DecodeBytes(folder, bmp.Build(), 40);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Compression(), 0u);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0x7FFFu); // held at 31, bit 15 cleared
    EXPECT_EQ(PixelValue(*decoded.dib, 1, 0), 0x7FFFu); // 1 + 40 held at 31
}

TEST(BmpPlain, ThirtyTwoBitsAdjustEachComponentAndClearTheSpareByte)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.bitCount = 32;
    bmp.pixels = { 0x10, 0xF0, 0x05, 0x77 };
    const TDecoded decoded = DecodeBytes(folder, bmp.Build(), -10);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0x0000E606u);
}

TEST(BmpPlain, ZeroMaskNeverHangs)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.bitCount = 32;
    bmp.compression = 3;
    bmp.masks = { 0, 0xFF00, 0xFF };
    bmp.pixels = { 1, 2, 3, 4 };
    const TDecoded decoded = DecodeBytes(folder, bmp.Build(), 5);
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0x00000706u);
}

TEST(BmpPlain, IntensityAdjustsPalettesAndTrueColourBytes)
{
    TTempFolder folder;
    TBmpBuilder bmp = Palette8(1, 1);
    bmp.palette = { 0xFA0A00 }; // red 250, green 10, blue 0
    bmp.colorsUsed = 1;
    bmp.pixels = { 0, 0, 0, 0 };
    EXPECT_EQ(PixelRgb(*DecodeBytes(folder, bmp.Build(), 40).dib, 0, 0), 0xFF3228u);
    EXPECT_EQ(PixelRgb(*DecodeBytes(folder, bmp.Build(), -40).dib, 0, 0), 0xD20000u);
    // The adjustment covers the generated black entries too, but never the padding bytes.
    EXPECT_EQ(DecodeBytes(folder, bmp.Build(), 40).dib->ColorTable()[4 * 9 + 1], 40);

    bmp = TBmpBuilder();
    bmp.pixels = { 0, 128, 250, 0x99 };
    const TDecoded decoded = DecodeBytes(folder, bmp.Build(), 10);
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0xFF8A0Au);
    EXPECT_EQ(decoded.dib->Row(0)[3], 0x99); // padding is no colour
}

TEST(BmpPlain, IntensityTreatsEveryPixelOfLongRowsAlike)
{
    // Rows long enough to be adjusted many pixels at a time with a rest, bottom-up and top-down,
    // against the rule for one pixel: each masked component plus the offset, held to 0 and its
    // maximum, bits outside the masks 0. Masks with a gap, or above the pixel, included.
    TTempFolder folder;
    std::mt19937 random(3);
    struct TCase {
        uint16_t bitCount;
        std::array<uint32_t, 3> masks;
        bool bitFields;
    };
    const TCase cases[]
        = { { 16, { 0x7C00, 0x03E0, 0x001F }, false }, { 16, { 0xF800, 0x07E0, 0x001F }, true },
              { 16, { 0xB000, 0x30000, 0x0F0F }, true }, { 24, { 0xFF, 0xFF00, 0xFF0000 }, false },
              { 32, { 0xFF0000, 0xFF00, 0xFF }, false }, { 32, { 0xFF000000, 0, 0xFF00 }, true },
              { 32, { 0x3FF00000, 0xFFC00, 0x3FF }, true }, { 32, { 0x0100FF, 0xFF00, 0 }, true } };
    const auto adjusted = [](uint32_t pixel, const TCase& test, int64_t offset) {
        uint32_t result = 0;
        for (const uint32_t mask : test.masks) {
            const int shift = mask == 0 ? 0 : std::countr_zero(mask);
            const int width = std::min(std::countr_one(mask >> shift), test.bitCount - shift);
            const int64_t maximum = width <= 0 ? 0 : (int64_t(1) << width) - 1;
            const int64_t value = int64_t((pixel & mask) >> shift) + offset;
            result |= uint32_t(std::clamp<int64_t>(value, 0, maximum)) << shift;
        }
        return test.bitCount == 16 ? result & 0xFFFF : result;
    };
    constexpr int kWidth = 37;
    constexpr int kHeight = 3;
    for (const int offset : { -300, -37, 20, 200 }) {
        for (const TCase& test : cases) {
            const size_t pixelBytes = test.bitCount / 8;
            const size_t stride = (kWidth * pixelBytes + 3) & ~size_t(3);
            TBmpBuilder bmp;
            bmp.width = kWidth;
            bmp.bitCount = test.bitCount;
            bmp.pixels.resize(stride * kHeight);
            for (uint8_t& byte : bmp.pixels)
                byte = uint8_t(random());
            if (test.bitFields) {
                bmp.compression = 3;
                bmp.masks.assign(test.masks.begin(), test.masks.end());
            }
            for (const int height : { kHeight, -kHeight }) {
                SCOPED_TRACE(testing::Message() << test.bitCount << " bits, masks " << test.masks[0]
                                                << ", height " << height << ", offset " << offset);
                bmp.height = height;
                const TDecoded decoded = DecodeBytes(folder, bmp.Build(), offset);
                ASSERT_TRUE(decoded.ok);
                for (int fileRow = 0; fileRow < kHeight; ++fileRow) {
                    const auto row = decoded.dib->Row(height > 0 ? fileRow : kHeight - 1 - fileRow);
                    for (size_t x = 0; x < kWidth; ++x) {
                        uint32_t pixel = 0;
                        uint32_t got = 0;
                        for (size_t i = 0; i < pixelBytes; ++i) {
                            pixel |= uint32_t(bmp.pixels[fileRow * stride + x * pixelBytes + i])
                                << (8 * i);
                            got |= uint32_t(row[x * pixelBytes + i]) << (8 * i);
                        }
                        ASSERT_EQ(got, adjusted(pixel, test, offset)) << x;
                    }
                }
            }
        }
    }
}

TEST(BmpPlain, TruncationKeepsTheRowsRead)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 2;
    bmp.height = 4;
    bmp.pixels = Rows24(2, 4, 1);
    bmp.pixels.resize(8 * 2 + 3); // two whole rows and part of the third
    TDecoded decoded = DecodeBytes(folder, bmp.Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 3), 0x030201u); // first file row, bottom line
    EXPECT_EQ(PixelValue(*decoded.dib, 0, 0), 0u); // never read

    bmp.pixels.resize(5); // not even one row
    decoded = DecodeBytes(folder, bmp.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");

    bmp = Palette8(1, 1);
    bmp.colorsUsed = 200; // the table runs past the end
    decoded = DecodeBytes(folder, bmp.Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
}

TEST(BmpPlain, ProgressTextsAtEachTenthAndAbortBetweenRows)
{
    TTempFolder folder;
    TBmpBuilder bmp = Palette8(4, 25);
    bmp.pixels.assign(4 * 25, 1);
    const std::string path = folder.Write("stripes.bmp", bmp.Build());
    TDecoded decoded = DecodeFile(path);
    ASSERT_TRUE(decoded.ok);
    std::vector<std::string> expected = { path + " -  0%" };
    for (int percent = 10; percent <= 90; percent += 10)
        expected.push_back(path + " - " + std::to_string(percent) + "%");
    EXPECT_EQ(*decoded.progress, expected);

    // Fewer than ten rows: every threshold is 0 and only the start is shown.
    bmp = Palette8(4, 9);
    bmp.pixels.assign(4 * 9, 1);
    decoded = DecodeBytes(folder, bmp.Build(), 0, "short.bmp");
    EXPECT_EQ(decoded.progress->size(), 1u);

    // A pump step that asks for the abort after the third row stops the decode there.
    int pumped = 0;
    SetPumpOneMessage([&] {
        if (++pumped == 3)
            ProcessFlags().loadAbort = true;
    });
    decoded = DecodeFile(path);
    SetPumpOneMessage({});
    ProcessFlags().loadAbort = false;
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(pumped, 3); // no row after the request pumps again
    EXPECT_EQ(decoded.dib->Message(), "");
}

TEST(BmpRunLength, EightBitCodes)
{
    TTempFolder folder;
    // A run that exactly fills a row, then end of line: one row down, not two.
    TDecoded decoded
        = DecodeBytes(folder, RunLength(4, 3, false, { 4, 1, 0, 0, 2, 2, 0, 1 }).Build());
    ASSERT_TRUE(decoded.ok) << decoded.dib->Message();
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 0, 0, 0, 0 }, { 2, 2, 0, 0 }, { 1, 1, 1, 1 } }));

    // Absolute runs: 3 bytes carry one padding byte, 4 none.
    decoded = DecodeBytes(
        folder, RunLength(7, 1, false, { 0, 3, 1, 2, 3, 0xEE, 0, 4, 3, 2, 1, 3, 0, 1 }).Build());
    ASSERT_TRUE(decoded.ok) << decoded.dib->Message();
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2, 3, 3, 2, 1, 3 } }));

    // A run longer than the rest of the row is cut at its end, as encoders that run over the
    // padded row width expect; the next code starts the next row.
    decoded = DecodeBytes(folder, RunLength(3, 2, false, { 1, 3, 4, 2, 1, 1, 0, 1 }).Build());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 0, 0 }, { 3, 2, 2 } }));
    decoded = DecodeBytes(
        folder, RunLength(3, 2, false, { 0, 4, 1, 2, 3, 3, 0, 0, 1, 1, 0, 1 }).Build());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 0, 0 }, { 1, 2, 3 } }));

    // A delta keeps the column it moves to while it skips rows.
    decoded = DecodeBytes(folder, RunLength(4, 3, false, { 1, 1, 0, 2, 2, 1, 1, 3, 0, 1 }).Build());
    EXPECT_EQ(
        PixelValues(*decoded.dib), (TLines { { 0, 0, 0, 0 }, { 0, 0, 0, 3 }, { 1, 0, 0, 0 } }));
}

TEST(BmpRunLength, FourBitNibblesFollowTheRunPosition)
{
    TTempFolder folder;
    TDecoded decoded = DecodeBytes(folder, RunLength(6, 1, true, { 5, 0x12, 0, 1 }).Build());
    ASSERT_TRUE(decoded.ok);
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2, 1, 2, 1, 0 } }));

    // Starting at an odd column the run still begins with its high nibble.
    decoded = DecodeBytes(folder, RunLength(6, 1, true, { 1, 0x30, 3, 0x12, 0, 1 }).Build());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 3, 1, 2, 1, 0, 0 } }));

    // Absolute run of 5 nibbles in 3 bytes, padded to 4; then an absolute run of 3 in 2 bytes.
    decoded = DecodeBytes(folder,
        RunLength(8, 1, true, { 0, 5, 0x12, 0x34, 0x50, 0xEE, 0, 3, 0x67, 0x80, 0, 1 }).Build());
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 1, 2, 3, 4, 5, 6, 7, 8 } }));
}

TEST(BmpRunLength, RunsOfEveryKindRebuildThePicture)
{
    // Long streams of encoded and absolute runs of every length, starting at even and odd
    // columns, whose codes fall anywhere across the blocks the walk reads the file in.
    TTempFolder folder;
    std::mt19937 random(21);
    constexpr int kWidth = 301;
    for (const bool fourBits : { false, true }) {
        const int height = fourBits ? 1400 : 700;
        const uint32_t indexLimit = fourBits ? 16 : 256;
        std::vector<uint8_t> stream;
        TLines lines; // bottom row first until reversed
        for (int y = 0; y < height; ++y) {
            std::vector<uint32_t>& line = lines.emplace_back();
            while (int(line.size()) < kWidth) {
                const size_t length
                    = std::min<size_t>(1 + random() % 255, size_t(kWidth) - line.size());
                if (length >= 3 && random() % 2 == 0) {
                    stream.insert(stream.end(), { 0, uint8_t(length) });
                    std::vector<uint8_t> bytes;
                    for (size_t i = 0; i < length; ++i) {
                        const uint8_t index = uint8_t(random() % indexLimit);
                        line.push_back(index);
                        if (!fourBits)
                            bytes.push_back(index);
                        else if (i % 2 == 0)
                            bytes.push_back(uint8_t(index << 4));
                        else
                            bytes.back() = uint8_t(bytes.back() | index);
                    }
                    if (bytes.size() % 2 != 0)
                        bytes.push_back(0);
                    stream.insert(stream.end(), bytes.begin(), bytes.end());
                } else {
                    const uint8_t value = uint8_t(random());
                    stream.insert(stream.end(), { uint8_t(length), value });
                    for (size_t i = 0; i < length; ++i)
                        line.push_back(!fourBits ? value : i % 2 == 0 ? value >> 4 : value & 15);
                }
            }
            stream.insert(stream.end(), { 0, uint8_t(y + 1 < height ? 0 : 1) });
        }
        ASSERT_GT(stream.size(), 100000u);
        std::reverse(lines.begin(), lines.end());
        TBmpBuilder bmp = RunLength(kWidth, height, fourBits, stream);
        bmp.colorsUsed = 0;
        bmp.palette.assign(indexLimit, 0);
        const TDecoded decoded = DecodeBytes(folder, bmp.Build());
        ASSERT_TRUE(decoded.ok) << decoded.dib->Message();
        EXPECT_EQ(decoded.dib->Message(), "");
        EXPECT_EQ(PixelValues(*decoded.dib), lines) << fourBits;
    }
}

TEST(BmpRunLength, DamagedDataNeverLeavesTheBitmap)
{
    TTempFolder folder;
    // Deltas beyond the width and past the last row, runs after them, a run over every row.
    const std::vector<std::vector<uint8_t>> streams = {
        { 0, 2, 200, 0, 9, 1, 0, 1 }, { 0, 2, 0, 200, 255, 1, 255, 1, 0, 1 },
        { 255, 1, 255, 1, 255, 1, 0, 0, 0, 0, 0, 0, 0, 0, 5, 1 },
        { 0, 255, 1, 2, 3 }, // absolute run cut short
    };
    for (const bool fourBits : { false, true }) {
        for (const auto& stream : streams) {
            const TDecoded decoded = DecodeBytes(folder, RunLength(5, 2, fourBits, stream).Build());
            EXPECT_TRUE(decoded.dib->IsOk());
        }
    }
    // Run-length data that end early keep what was written.
    TDecoded decoded = DecodeBytes(folder, RunLength(2, 3, false, { 2, 1, 0, 0, 2, 2 }).Build());
    EXPECT_TRUE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
    EXPECT_EQ(PixelValues(*decoded.dib), (TLines { { 0, 0 }, { 2, 2 }, { 1, 1 } }));
    decoded = DecodeBytes(folder, RunLength(2, 3, false, { 2, 1 }).Build());
    EXPECT_FALSE(decoded.ok);
    EXPECT_EQ(decoded.dib->Message(), "Premature end of file");
}

TEST(BmpInformation, ListsTheHeaderFields)
{
    TTempFolder folder;
    TBmpBuilder bmp;
    bmp.width = 2;
    bmp.height = -1;
    bmp.bitCount = 16;
    bmp.compression = 3;
    bmp.masks = { 0xF800, 0x07E0, 0x001F };
    bmp.pixels.assign(4, 0);
    TDecoded decoded = DecodeBytes(folder, bmp.Build());
    EXPECT_EQ(ImageInformationLines(*decoded.dib),
        (std::vector<std::string> { "Header", " header size: 40", " width: 2", " height: -1",
            " planes: 1", " bit count: 16", " compression: 3", " size of image: 0",
            " x pixels per meter: 2835", " y pixels per meter: 2835", " colors used: 0",
            " important colors: 0", "", " red mask: 0000F800", " green mask: 000007E0",
            " blue mask: 0000001F", "", " bottom up: 0" }));

    bmp = Palette8(1, 1);
    bmp.headerSize = 12;
    bmp.palette.resize(256);
    bmp.pixels.assign(4, 0);
    decoded = DecodeBytes(folder, bmp.Build());
    EXPECT_EQ(ImageInformationLines(*decoded.dib),
        (std::vector<std::string> { "Header", " header size: 12", " width: 1", " height: 1",
            " planes: 1", " bit count: 8", "", " bottom up: 1" }));
}
