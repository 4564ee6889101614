#pragma once

#include "image/GifLzw.h"

#include <array>
#include <cstdint>

// What the GIF reader keeps in the image record: the raw header and descriptor for the
// information list, the logical screen, the colour tables and the state of the current frame.
struct TGifFields {
    std::array<uint8_t, 13> header {}; // signature and version, screen size, flags, ...
    std::array<uint8_t, 9> descriptor {}; // of the current frame

    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    int32_t frameLeft = 0;
    int32_t frameTop = 0;

    int32_t globalColorCount = 0; // 2 to 256, also without a global table
    int32_t localColorCount = 0; // 0 without a local table
    bool globalTable = false;
    bool localTable = false;
    uint8_t backgroundIndex = 0; // 0 without a global table
    std::array<uint8_t, 256 * 4> globalPalette {}; // blue, green, red, 0

    // Stored rows of an interlaced frame before its passes 2, 3 and 4.
    std::array<int32_t, 3> passStarts {};
    int32_t inputCodeSize = 0;

    TGifLzw lzw;
};
