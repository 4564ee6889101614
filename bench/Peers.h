#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What a timed decode hands back: enough that the work cannot be optimised away, and enough
// to see that it worked. The decoded picture itself is freed before the function returns.
struct TDecodeResult {
    int32_t width = 0;
    int32_t height = 0;
    bool ok = false;
};

// Each decodes the whole file into memory the way a viewer would ask its library for it, in
// the library's own pixel format, and frees it again.
TDecodeResult DecodeWithPelorin(const std::string& path);
TDecodeResult DecodeWithFreeImage(const std::string& path);
TDecodeResult DecodeWithSdlImage(const std::string& path);
TDecodeResult DecodeWithStb(const std::string& path);
TDecodeResult DecodeWithQt(const std::string& path);
// Reads the file whole into freshly allocated memory: the floor for any decoder that builds
// a new bitmap, since it pays the same page faults. Width and height stay 0.
TDecodeResult ReadIntoNewMemory(const std::string& path);

// A decoded picture as red, green, blue bytes, top row first, for comparing decoders. A
// decoder that gives no picture leaves the pixels empty and says why in error.
struct TRgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels; // width * height * 3
    std::string error;

    bool Ok() const { return error.empty(); }
};

// The same decodes as above, converted to RGB once for the correctness check.
TRgbImage ReadRgbWithPelorin(const std::string& path);
TRgbImage ReadRgbWithFreeImage(const std::string& path);
TRgbImage ReadRgbWithSdlImage(const std::string& path);
TRgbImage ReadRgbWithStb(const std::string& path);
TRgbImage ReadRgbWithQt(const std::string& path);

// One contender of a decoder benchmark: its name in benchmark names and tables, the timed
// decode, and the RGB read for the check (null for reading into memory, which decodes nothing).
struct TDecoder {
    const char* name;
    TDecodeResult (*decode)(const std::string& path);
    TRgbImage (*readRgb)(const std::string& path);
    bool ours;
};

// Ours first, then the peers, then reading into memory.
const std::vector<TDecoder>& Decoders();
