#pragma once

#include "image/ColorMask.h"

#include <array>
#include <cstdint>

// What the BMP header reader keeps of a file: the raw info header for the image
// information dialog, and the decoded fields the row decoders need.
struct TBmpFields {
    std::array<uint8_t, 64> rawHeader {}; // the info header as read, up to 64 bytes
    uint32_t headerSize = 0;
    int32_t storedHeight = 0; // the height as stored: negative for a top-down file
    uint32_t compression = 0;
    uint16_t planes = 0;
    uint32_t paletteEntrySize = 4; // 3 for OS/2 12-byte headers
    uint32_t imageSizeField = 0;
    int32_t xPixelsPerMeter = 0;
    int32_t yPixelsPerMeter = 0;
    uint32_t colorsUsed = 0;
    uint32_t colorsImportant = 0;
    std::array<TColorMask, 3> masks {}; // red, green, blue
};

// How a walk through the run-length data of a BMP file ended: after the last row or at an
// end-of-bitmap code, on the walker's request, or where the file ended.
enum class TBmpRunEnd { Finished, Stopped, PrematureEnd };
