// Decodes large BMP files (24-bit, 8-bit, 8-bit run-length) with ours and with the peer
// libraries, and compares the times with reading each file into new memory.

#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int32_t kWidth = kPictureWidth;
constexpr int32_t kHeight = kPictureHeight;
// Plain rows go straight from the file into the bitmap: ours may take hardly longer than the read.
constexpr double kBmpPlainReadLimit = 1.1;
// Run-length data expand to a bitmap several times the file's size, which the decoder must fill.
constexpr double kRunLengthReadLimit = 2.5;

// A Windows BMP file with a 40-byte info header, bottom-up: file header, info header, colour
// table (blue, green, red, 0 per entry) and the pixel data as given.
std::vector<uint8_t> BmpFile(uint16_t bitCount, uint32_t compression,
    const std::vector<uint8_t>& colorTable, const std::vector<uint8_t>& pixelData)
{
    constexpr uint32_t kHeadersSize = 14 + 40;
    const uint32_t offset = kHeadersSize + uint32_t(colorTable.size());
    std::vector<uint8_t> file;
    file.reserve(offset + pixelData.size());
    file.push_back('B');
    file.push_back('M');
    AppendU32(file, offset + uint32_t(pixelData.size()));
    AppendU32(file, 0);
    AppendU32(file, offset);
    AppendU32(file, 40);
    AppendU32(file, uint32_t(kWidth));
    AppendU32(file, uint32_t(kHeight));
    AppendU16(file, 1);
    AppendU16(file, bitCount);
    AppendU32(file, compression);
    AppendU32(file, uint32_t(pixelData.size()));
    AppendU32(file, 2835); // 72 dots per inch
    AppendU32(file, 2835);
    AppendU32(file, uint32_t(colorTable.size() / 4));
    AppendU32(file, 0);
    file.insert(file.end(), colorTable.begin(), colorTable.end());
    file.insert(file.end(), pixelData.begin(), pixelData.end());
    return file;
}

std::vector<uint8_t> ColorTable()
{
    std::vector<uint8_t> table;
    for (uint32_t index = 0; index < 256; ++index) {
        const auto color = PaletteColor(index);
        table.insert(table.end(), { color[2], color[1], color[0], 0 });
    }
    return table;
}

// The 8-bit picture's rows, bottom row first, each kWidth bytes (already a multiple of 4).
std::vector<uint8_t> IndexRows()
{
    std::vector<uint8_t> rows(size_t(kWidth) * kHeight);
    for (int32_t fileRow = 0; fileRow < kHeight; ++fileRow) {
        const int32_t y = kHeight - 1 - fileRow;
        for (int32_t x = 0; x < kWidth; ++x)
            rows[size_t(fileRow) * kWidth + size_t(x)] = PaletteIndex(x, y);
    }
    return rows;
}

size_t RunLength(const uint8_t* row, size_t from, size_t width)
{
    size_t length = 1;
    while (from + length < width && length < 255 && row[from + length] == row[from])
        ++length;
    return length;
}

// Encodes as a careful writer does: runs of three or more as encoded runs, stretches between
// them as absolute runs (padded to a word), pieces too short for absolute mode as runs of one
// or two; end of line after each row but the last, then end of bitmap.
std::vector<uint8_t> EncodeRle8(const std::vector<uint8_t>& rows)
{
    std::vector<uint8_t> out;
    const size_t width = size_t(kWidth);
    for (int32_t fileRow = 0; fileRow < kHeight; ++fileRow) {
        const uint8_t* row = rows.data() + size_t(fileRow) * width;
        size_t x = 0;
        while (x < width) {
            const size_t run = RunLength(row, x, width);
            if (run >= 3) {
                out.insert(out.end(), { uint8_t(run), row[x] });
                x += run;
                continue;
            }
            size_t end = x;
            while (end < width && end - x < 255 && RunLength(row, end, width) < 3)
                ++end;
            const size_t count = end - x;
            if (count < 3) {
                for (; x < end; ++x)
                    out.insert(out.end(), { 1, row[x] });
                continue;
            }
            out.insert(out.end(), { 0, uint8_t(count) });
            out.insert(out.end(), row + x, row + end);
            if (count % 2 != 0)
                out.push_back(0);
            x = end;
        }
        if (fileRow + 1 < kHeight)
            out.insert(out.end(), { 0, 0 });
    }
    out.insert(out.end(), { 0, 1 });
    return out;
}

std::array<uint8_t, 3> IndexedColor(int32_t x, int32_t y)
{
    return PaletteColor(PaletteIndex(x, y));
}

void AddTrueColorFile()
{
    if (!FileSelected("bmp_rgb24"))
        return;
    const size_t stride = (size_t(kWidth) * 3 + 3) & ~size_t(3);
    std::vector<uint8_t> rows(stride * kHeight);
    for (int32_t fileRow = 0; fileRow < kHeight; ++fileRow) {
        uint8_t* row = rows.data() + size_t(fileRow) * stride;
        for (int32_t x = 0; x < kWidth; ++x) {
            const auto rgb = TrueColor(x, kHeight - 1 - fileRow);
            row[size_t(x) * 3] = rgb[2];
            row[size_t(x) * 3 + 1] = rgb[1];
            row[size_t(x) * 3 + 2] = rgb[0];
        }
    }
    TBenchFile file;
    file.name = "bmp_rgb24";
    file.description = "24-bit, 6000 x 4000";
    file.path = WriteBenchFile("rgb24.bmp", BmpFile(24, 0, {}, rows));
    file.expected = ExpectedPicture(TrueColor);
    file.readLimitRatio = kBmpPlainReadLimit;
    AddDecoderBenchmarks(std::move(file));
}

void AddIndexedFiles()
{
    if (!FileSelected("bmp_pal8") && !FileSelected("bmp_rle8"))
        return;
    const std::vector<uint8_t> rows = IndexRows();
    const std::vector<uint8_t> table = ColorTable();
    TRgbImage expected = ExpectedPicture(IndexedColor);

    TBenchFile plain;
    plain.name = "bmp_pal8";
    plain.description = "8-bit, 6000 x 4000";
    plain.path = WriteBenchFile("pal8.bmp", BmpFile(8, 0, table, rows));
    plain.expected = expected;
    plain.readLimitRatio = kBmpPlainReadLimit;
    AddDecoderBenchmarks(std::move(plain));

    TBenchFile runLength;
    runLength.name = "bmp_rle8";
    runLength.description = "8-bit run-length, 6000 x 4000";
    runLength.path = WriteBenchFile("rle8.bmp", BmpFile(8, 1, table, EncodeRle8(rows)));
    runLength.expected = std::move(expected);
    runLength.readLimitRatio = kRunLengthReadLimit;
    AddDecoderBenchmarks(std::move(runLength));
}

} // namespace

int main(int argc, char** argv)
{
    InitDecoderBenchmarks(argc, argv);
    AddTrueColorFile();
    AddIndexedFiles();
    return RunDecoderBenchmarks();
}
