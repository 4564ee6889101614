#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// What the Targa header rules make of a header, worst first. The loading driver takes a file
// as Targa from EntrySizeUnsupported on: entries of a size the reader cannot take are found
// by the reader, which calls that an unsupported colour map as it does a map that is longer
// than 256 entries or does not start at index 0.
enum class TTargaHeaderCheck { NotTarga, MapUnsupported, EntrySizeUnsupported, Readable };

// What the Targa reader keeps in the image record: the raw 18-byte header and the image ID for
// the information list, the header's fields, and the state of the run-length pixel reader.
struct TTargaFields {
    static constexpr size_t kHeaderSize = 18;

    std::array<uint8_t, kHeaderSize> rawHeader {};
    uint8_t idLength = 0;
    uint8_t colorMapType = 0;
    uint8_t imageType = 0; // as stored: 9 to 11 for run-length files
    uint16_t firstEntry = 0;
    uint16_t mapLength = 0;
    uint8_t mapEntrySize = 0;
    uint16_t xOrigin = 0;
    uint16_t yOrigin = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t pixelDepth = 0;
    uint8_t descriptor = 0;
    std::string imageId; // up to its first zero byte
    size_t pixelBytes = 0; // 1, 2 (15 and 16 bits), 3 or 4

    // The run-length pixel reader: raw pixels still to read in the current packet, copies of
    // the current pixel still to deliver, and the current pixel; its input buffer (made on
    // first use), the read position in it and the end of the bytes the last refill brought.
    static constexpr size_t kBufferSize = 16 * 1024;
    uint32_t rawLeft = 0;
    uint32_t repeatLeft = 0;
    std::array<uint8_t, 4> pixel {};
    std::vector<uint8_t> buffer;
    size_t position = 0;
    size_t filled = 0;

    // Sets the header's fields from its bytes; the rest stays as it was.
    void ParseHeader(std::span<const uint8_t, kHeaderSize> raw);
    // The header rules, shared by the loading driver's test and the reader: colour map type 0
    // or 1; pixel depth 8 to 32; image type 1 to 3, or 9 to 11 for run-length files; type 1
    // needs 8 bits and a colour map of 1 to 256 entries of 15, 16, 24 or 32 bits from index 0,
    // type 2 needs 15, 16, 24 or 32 bits, type 3 needs 8.
    TTargaHeaderCheck CheckHeader() const;
    // The image type without its run-length flag (8): 1 colour-mapped, 2 true colour, 3 grey.
    int BaseType() const { return imageType > 8 ? imageType - 8 : imageType; }

    // Bits 4 and 5 of the descriptor: 2 (top left) and 3 store the top line first.
    int ImageOrigin() const { return descriptor >> 4 & 3; }
    int AlphaBits() const { return descriptor & 15; }
};

// A 5-bit colour component expanded to 8 bits: (i x 255 + 15) / 31.
constexpr std::array<uint8_t, 32> kTargaFiveToEight = [] {
    std::array<uint8_t, 32> table {};
    for (int i = 0; i < 32; ++i)
        table[size_t(i)] = uint8_t((i * 255 + 15) / 31);
    return table;
}();
