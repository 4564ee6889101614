// Decodes large PCX files (8-bit, 24-bit in three planes) and Targa files (24-bit uncompressed
// and run-length) with ours and with the peer libraries, and compares the times with reading
// each file into new memory.

#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int32_t kWidth = kPictureWidth;
constexpr int32_t kHeight = kPictureHeight;

std::array<uint8_t, 3> IndexedColor(int32_t x, int32_t y)
{
    return PaletteColor(PaletteIndex(x, y));
}

// A drawing-like picture for the run-length Targa file: flat colours with a noisy patch.
std::array<uint8_t, 3> FlatColor(int32_t x, int32_t y)
{
    if (x >= 3600 && x < 5600 && y >= 400 && y < 1900)
        return TrueColor(x, y);
    return PaletteColor(PaletteIndex(x, y) & 0x7F);
}
// --- PCX

std::vector<uint8_t> PcxHeader(uint8_t planes)
{
    std::vector<uint8_t> file = { 10, 5, 1, 8 };
    AppendU16(file, 0);
    AppendU16(file, 0);
    AppendU16(file, kWidth - 1);
    AppendU16(file, kHeight - 1);
    AppendU16(file, 300);
    AppendU16(file, 300);
    file.resize(65, 0);
    file.push_back(planes);
    AppendU16(file, kWidth); // even already
    AppendU16(file, 1);
    file.resize(128, 0);
    return file;
}

// Runs of up to 63 bytes inside each plane line, as the usual writers do; a single byte that
// looks like a run header is stored as a run of one.
void EncodePcxLine(const uint8_t* line, size_t length, std::vector<uint8_t>& out)
{
    size_t x = 0;
    while (x < length) {
        size_t run = 1;
        while (x + run < length && run < 63 && line[x + run] == line[x])
            ++run;
        if (run > 1 || line[x] >= 0xC0)
            out.push_back(uint8_t(0xC0 | run));
        out.push_back(line[x]);
        x += run;
    }
}

void AddPcxFiles()
{
    if (FileSelected("pcx_pal8")) {
        std::vector<uint8_t> file = PcxHeader(1);
        std::vector<uint8_t> line(kWidth);
        for (int32_t y = 0; y < kHeight; ++y) {
            for (int32_t x = 0; x < kWidth; ++x)
                line[size_t(x)] = PaletteIndex(x, y);
            EncodePcxLine(line.data(), line.size(), file);
        }
        file.push_back(0x0C);
        for (uint32_t index = 0; index < 256; ++index) {
            const auto color = PaletteColor(index);
            file.insert(file.end(), color.begin(), color.end());
        }
        TBenchFile bench;
        bench.name = "pcx_pal8";
        bench.description = "PCX 8-bit, 6000 x 4000";
        bench.path = WriteBenchFile("pal8.pcx", file);
        bench.expected = ExpectedPicture(IndexedColor);
        AddDecoderBenchmarks(std::move(bench));
    }
    if (FileSelected("pcx_rgb24")) {
        std::vector<uint8_t> file = PcxHeader(3);
        std::vector<uint8_t> plane(kWidth);
        for (int32_t y = 0; y < kHeight; ++y)
            for (size_t channel = 0; channel < 3; ++channel) {
                for (int32_t x = 0; x < kWidth; ++x)
                    plane[size_t(x)] = TrueColor(x, y)[channel];
                EncodePcxLine(plane.data(), plane.size(), file);
            }
        TBenchFile bench;
        bench.name = "pcx_rgb24";
        bench.description = "PCX 24-bit in three planes, 6000 x 4000";
        bench.path = WriteBenchFile("rgb24.pcx", file);
        bench.expected = ExpectedPicture(TrueColor);
        AddDecoderBenchmarks(std::move(bench));
    }
}

// --- Targa

std::vector<uint8_t> TargaHeader(uint8_t type)
{
    std::vector<uint8_t> file = { 0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    AppendU16(file, kWidth);
    AppendU16(file, kHeight);
    file.push_back(24);
    file.push_back(0); // bottom line first, as most files are
    return file;
}

// Packets inside each row: runs of two or more equal pixels, raw packets between them.
void EncodeTargaRow(const uint8_t* row, size_t pixels, std::vector<uint8_t>& out)
{
    const auto same = [row](size_t a, size_t b) {
        return row[3 * a] == row[3 * b] && row[3 * a + 1] == row[3 * b + 1]
            && row[3 * a + 2] == row[3 * b + 2];
    };
    size_t x = 0;
    while (x < pixels) {
        size_t run = 1;
        while (x + run < pixels && run < 128 && same(x, x + run))
            ++run;
        if (run > 1) {
            out.push_back(uint8_t(0x80 | (run - 1)));
            out.insert(out.end(), row + 3 * x, row + 3 * x + 3);
            x += run;
            continue;
        }
        size_t raw = 1;
        while (
            x + raw < pixels && raw < 128 && !(x + raw + 1 < pixels && same(x + raw, x + raw + 1)))
            ++raw;
        out.push_back(uint8_t(raw - 1));
        out.insert(out.end(), row + 3 * x, row + 3 * (x + raw));
        x += raw;
    }
}

std::vector<uint8_t> TargaRows(std::array<uint8_t, 3> (*color)(int32_t x, int32_t y))
{
    std::vector<uint8_t> rows(size_t(kWidth) * kHeight * 3);
    for (int32_t fileRow = 0; fileRow < kHeight; ++fileRow) {
        uint8_t* row = rows.data() + size_t(fileRow) * kWidth * 3;
        for (int32_t x = 0; x < kWidth; ++x) {
            const auto rgb = color(x, kHeight - 1 - fileRow);
            row[3 * x] = rgb[2];
            row[3 * x + 1] = rgb[1];
            row[3 * x + 2] = rgb[0];
        }
    }
    return rows;
}

void AddTargaFiles()
{
    if (FileSelected("tga_rgb24")) {
        std::vector<uint8_t> file = TargaHeader(2);
        const std::vector<uint8_t> rows = TargaRows(TrueColor);
        file.insert(file.end(), rows.begin(), rows.end());
        TBenchFile bench;
        bench.name = "tga_rgb24";
        bench.description = "Targa 24-bit, 6000 x 4000";
        bench.path = WriteBenchFile("rgb24.tga", file);
        bench.expected = ExpectedPicture(TrueColor);
        bench.readLimitRatio = kPlainReadLimit;
        AddDecoderBenchmarks(std::move(bench));
    }
    if (FileSelected("tga_rle24")) {
        std::vector<uint8_t> file = TargaHeader(10);
        const std::vector<uint8_t> rows = TargaRows(FlatColor);
        for (int32_t fileRow = 0; fileRow < kHeight; ++fileRow)
            EncodeTargaRow(rows.data() + size_t(fileRow) * kWidth * 3, kWidth, file);
        TBenchFile bench;
        bench.name = "tga_rle24";
        bench.description = "Targa 24-bit run-length, 6000 x 4000";
        bench.path = WriteBenchFile("rle24.tga", file);
        bench.expected = ExpectedPicture(FlatColor);
        AddDecoderBenchmarks(std::move(bench));
    }
}

} // namespace

int main(int argc, char** argv)
{
    InitDecoderBenchmarks(argc, argv);
    AddPcxFiles();
    AddTargaFiles();
    return RunDecoderBenchmarks();
}
