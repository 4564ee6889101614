#pragma once

#include <cstdint>

// The JPEG library's decompression objects, for the readers' declarations; their definitions
// come from the library's header where they are used.
struct jpeg_common_struct;
struct jpeg_decompress_struct;

// What the JPEG reader keeps in the image record besides the shared fields (the picture's
// size, bits per pixel, and the multiple-scans flag in the interlaced byte).
struct TJpegFields {
    // The file's colour space as the library names it: 1 grey, 2 RGB, 3 YCbCr, 4 CMYK,
    // 5 YCCK; 0 before a header was read.
    int32_t colorSpace = 0;
};
