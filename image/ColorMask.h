#pragma once

#include <cstdint>

// One colour component of a 16- or 32-bit bitmap pixel as its mask gives it: the run of set
// bits from the mask's lowest one, counted up to the top bit of the pixel. A mask of 0 has no
// bits: its component is always 0, and describing it never loops looking for the bit.
struct TColorMask {
    uint32_t mask = 0;
    uint32_t shift = 0; // index of the lowest set bit
    uint32_t width = 0; // set bits from there
    uint32_t maximum = 0; // the largest component value, 2^width - 1

    constexpr TColorMask() = default;
    constexpr TColorMask(uint32_t bits, uint32_t pixelBits)
        : mask(bits)
    {
        if (mask == 0)
            return;
        while (!(mask >> shift & 1u))
            ++shift;
        while (shift + width < pixelBits && (mask >> (shift + width) & 1u))
            ++width;
        maximum = width >= 32 ? 0xFFFFFFFFu : (1u << width) - 1u;
    }

    // The pixel's bits under the mask, moved down to bit 0. Only a mask whose set bits have a
    // gap gives more than the maximum.
    constexpr uint32_t Value(uint32_t pixel) const { return (pixel & mask) >> shift; }
};
