#include "image/FormatDetection.h"

#include "image/ByteReader.h"

// The Targa header test of the loading driver: a file that passes is read as Targa.
bool LooksLikeTarga(std::span<const uint8_t, 18> header)
{
    const uint8_t colorMapType = header[1];
    const uint8_t depth = header[16];
    if (colorMapType > 1 || depth < 8 || depth > 32)
        return false;
    int type = header[2];
    if (type > 8)
        type -= 8;
    switch (type) {
    case 1: {
        const uint16_t firstEntry = GetU16(header, 3);
        const uint16_t mapLength = GetU16(header, 5);
        return depth == 8 && colorMapType == 1 && mapLength >= 1 && mapLength <= 256
            && firstEntry == 0;
    }
    case 2:
        return depth == 15 || depth == 16 || depth == 24 || depth == 32;
    case 3:
        return depth == 8;
    default:
        return false;
    }
}

// Finds a JPEG start-of-image marker in the first 1024 bytes: a 0xFF arms the matcher, and
// an armed 0xD8 is the match; any other byte, another 0xFF too, disarms it.
std::optional<size_t> FindJpegMarker(std::span<const uint8_t, 1024> bytes)
{
    bool armed = false;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (armed && bytes[i] == 0xD8)
            return i - 1;
        armed = !armed && bytes[i] == 0xFF;
    }
    return std::nullopt;
}
