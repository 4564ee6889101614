#pragma once

// The pictures the benchmarks encode into their files: a drawing with a photograph pasted in,
// so that compressed files hold what real ones do (flat areas and rings give long runs, the
// photograph hardly any, the dithered gradient short ones), and a photograph-like true-colour
// picture.

#include "image/Dib.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

inline constexpr int32_t kPictureWidth = 6000;
inline constexpr int32_t kPictureHeight = 4000;
// An uncompressed file is little more than a copy: ours may take this much longer than
// reading the file into new memory.
inline constexpr double kPlainReadLimit = 1.3;

inline uint32_t Hash(uint32_t x, uint32_t y)
{
    uint32_t h = x * 0x9E3779B1u ^ y * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// The palette index at column x of line y (from the top) of the drawing, drawn 1/scale the
// size of the full picture.
inline uint8_t PaletteIndex(int32_t x, int32_t y, int32_t scale = 1)
{
    const int32_t dx = x - 1800 / scale;
    const int32_t dy = y - 2000 / scale;
    const int32_t squared = dx * dx + dy * dy;
    const int32_t radius = 1200 / scale;
    if (squared < radius * radius)
        return uint8_t(32 + int32_t(std::sqrt(double(squared))) * scale / 40 % 32);
    if (x >= 3600 / scale && x < 5600 / scale && y >= 400 / scale && y < 1900 / scale)
        return uint8_t(128 + Hash(uint32_t(x), uint32_t(y)) % 64);
    if (x >= 3600 / scale && y >= 2300 / scale && y < 3700 / scale)
        return uint8_t(
            64 + ((x - 3600 / scale) * scale / 32 + (Hash(uint32_t(x), uint32_t(y)) & 1)) % 64);
    if (y % (200 / scale) < 2 || x % (300 / scale) < 2)
        return 1;
    return 0;
}

// Every entry differs in red, so a decoder that picks a wrong entry shows it.
inline std::array<uint8_t, 3> PaletteColor(uint32_t index)
{
    return { uint8_t(index), uint8_t(index * 7), uint8_t(255 - index) };
}

// A photograph-like picture: smooth in red and green, noisy in blue.
inline std::array<uint8_t, 3> TrueColor(int32_t x, int32_t y)
{
    return { uint8_t(x * 255 / (kPictureWidth - 1)), uint8_t(y * 255 / (kPictureHeight - 1)),
        uint8_t((x ^ y) + (Hash(uint32_t(x), uint32_t(y)) & 7)) };
}

// The photograph-like picture, height lines of it, as a 24-bit bitmap; false without the memory.
inline bool TrueColorBitmap(TDib& dib, int32_t height)
{
    const size_t stride = (size_t(kPictureWidth) * 3 + 3) / 4 * 4;
    if (!dib.AllocateBitmap(kPictureWidth, height, 24, 0, false, stride, stride * size_t(height)))
        return false;
    for (int32_t y = 0; y < height; ++y) {
        const auto row = dib.Row(height - 1 - y);
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            const auto [red, green, blue] = TrueColor(x, y);
            row[size_t(x) * 3] = blue;
            row[size_t(x) * 3 + 1] = green;
            row[size_t(x) * 3 + 2] = red;
        }
    }
    return true;
}

inline void AppendU16(std::vector<uint8_t>& out, uint32_t value)
{
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

inline void AppendU32(std::vector<uint8_t>& out, uint32_t value)
{
    AppendU16(out, value & 0xFFFF);
    AppendU16(out, value >> 16);
}
