#pragma once

#include "image/Dib.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr size_t kBmpFileHeaderSize = 14;

// The 14-byte file header that, followed by the bitmap block exactly as it is held in memory,
// makes a BMP file: "BM", file size = block size + 14, two reserved zeros, and the offset of
// the pixel rows (14 + 40 + the colour table or masks).
std::array<uint8_t, kBmpFileHeaderSize> BmpFileHeader(const TDib& dib);

// Writes the whole file in one go. On failure returns false with "Unable to open file %s"
// or "Unable to write to file %s" in error. What was written stays, as the save command leaves it.
bool WriteBmpFile(const TDib& dib, const std::string& path, std::string& error);
