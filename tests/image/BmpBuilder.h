#pragma once

#include "support/TestFiles.h"

#include <cstdint>
#include <vector>

// Builds BMP files byte by byte for tests: file header, info header, masks, colour table and
// the pixel data given by the test.
struct TBmpBuilder {
    uint32_t headerSize = 40;
    int32_t width = 1;
    int32_t height = 1;
    uint16_t planes = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t colorsUsed = 0;
    std::vector<uint32_t> masks; // written after the header when not empty
    std::vector<uint32_t> palette; // 0xRRGGBB entries
    std::vector<uint8_t> pixels; // rows or run-length data as they stand in the file

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> out;
        AppendBytes(out, { 'B', 'M' });
        AppendU32(out, 0); // file size, not read
        AppendU32(out, 0);
        AppendU32(out, 0); // pixel offset, not read
        AppendU32(out, headerSize);
        if (headerSize == 12) {
            AppendU16(out, uint32_t(width));
            AppendU16(out, uint32_t(height));
            AppendU16(out, planes);
            AppendU16(out, bitCount);
        } else {
            AppendU32(out, uint32_t(width));
            AppendU32(out, uint32_t(height));
            AppendU16(out, planes);
            AppendU16(out, bitCount);
            AppendU32(out, compression);
            AppendU32(out, 0);
            AppendU32(out, 2835);
            AppendU32(out, 2835);
            AppendU32(out, colorsUsed);
            AppendU32(out, 0);
            // A header said to be shorter than these fields keeps them all: the reader
            // refuses it by its size field alone.
            if (headerSize > 40)
                out.resize(out.size() + (headerSize - 40), 0);
        }
        for (uint32_t mask : masks)
            AppendU32(out, mask);
        for (uint32_t color : palette) {
            AppendBytes(out, { uint8_t(color), uint8_t(color >> 8), uint8_t(color >> 16) });
            if (headerSize != 12)
                AppendU8(out, 0);
        }
        out.insert(out.end(), pixels.begin(), pixels.end());
        return out;
    }
};
