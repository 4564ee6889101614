#include "image/FormatDetection.h"

#include "image/TargaFields.h"

// The Targa header test of the loading driver: a file that passes is read as Targa.
bool LooksLikeTarga(std::span<const uint8_t, 18> header)
{
    TTargaFields fields;
    fields.ParseHeader(header);
    return fields.CheckHeader() >= TTargaHeaderCheck::EntrySizeUnsupported;
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
