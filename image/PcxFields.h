#pragma once

#include "image/Intensity.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// What the PCX reader keeps in the image record: the raw 128-byte header for the information
// list, its fields, and the state of the run-length byte reader.
struct TPcxFields {
    static constexpr size_t kHeaderSize = 128;
    static constexpr size_t kBufferSize = 1024;

    std::array<uint8_t, kHeaderSize> rawHeader {};
    uint8_t manufacturer = 0;
    uint8_t version = 0;
    uint8_t encoding = 0;
    uint8_t bitsPerPlane = 0;
    uint16_t minX = 0;
    uint16_t minY = 0;
    uint16_t maxX = 0;
    uint16_t maxY = 0;
    uint16_t horizontalDpi = 0;
    uint16_t verticalDpi = 0;
    std::array<uint8_t, 48> headerPalette {}; // 16 entries of red, green, blue
    uint8_t planes = 0;
    uint16_t bytesPerLine = 0;
    uint16_t paletteType = 0;
    uint16_t horizontalScreenSize = 0;
    uint16_t verticalScreenSize = 0;

    // The run-length byte reader: the input buffer, the read position and the end of the
    // bytes the last refill brought, the copies of the current byte still to deliver.
    std::array<uint8_t, kBufferSize> buffer {};
    size_t position = 0;
    size_t filled = 0;
    uint32_t repeat = 0;
    uint8_t current = 0;

    // Bytes of one stored line: bytes per line in every plane.
    uint32_t LineBytes() const { return uint32_t(bytesPerLine) * planes; }
};

// The 16-colour table (red, green, blue) of a 1- or 4-bit file: the header palette, unless its
// first colorCount entries are all black; then the default table, of which a 2-colour picture
// takes black and white.
std::array<uint8_t, 48> PcxSmallPalette(const TPcxFields& pcx, int32_t colorCount);

// How a stored line (bytes per line in every plane, plane 0 first) becomes pixels, for every
// combination the header reader accepts:
// - one plane at 1, 4 or 8 bits: packed pixels as the bitmap holds them;
// - one plane at 24 bits: red, green, blue bytes for each pixel;
// - several planes adding up to 1 to 8 bits: each plane holds its bits per plane for every
//   pixel, most significant first, and plane p gives bits p x bits per plane upwards of the
//   colour index (four 1-bit planes give bits 1, 2, 4, 8);
// - several planes adding up to 24 bits: likewise for a 24-bit value whose low byte is red,
//   the next green and the top byte blue (three 8-bit planes: red, green, blue).
// Bytes and pixels beyond the picture's width are padding and are dropped.
class TPcxLine {
public:
    TPcxLine(const TPcxFields& pcx, int32_t width);

    // The colour index (up to 8 bits) or the 0xBBGGRR value (24 bits) of pixel x of a line;
    // bytes beyond the end of the line read as 0. For the preview, which samples pixels.
    uint32_t Pixel(std::span<const uint8_t> line, size_t x) const;
    // Writes a whole line into a fresh (zero) bitmap row at the record's depth. Only the first
    // `valid` bytes of the line came from the file and the rest must be 0: a 24-bit component
    // whose first stored byte is missing is not written, so that it stays black; the others
    // pass through adjust when there is one.
    void Place(std::span<const uint8_t> line, size_t valid, std::span<uint8_t> row,
        const TIntensityTable* adjust) const;

private:
    // The pixels of the line that the plane bytes reach; those beyond read as 0, which a fresh
    // row holds already, so a line that claims a huge width over few bytes costs little.
    size_t PixelsWithData() const;

    size_t m_width;
    size_t m_bitsPerPlane;
    size_t m_planes;
    size_t m_planeBytes;
};
