#pragma once

#include "image/Dib.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TSafeFile;

inline constexpr size_t kBmpFileHeaderSize = 14;

// The 14-byte file header that, followed by the bitmap block exactly as it is held in memory,
// makes a BMP file: "BM", file size = block size + 14, two reserved zeros, and the offset of
// the pixel rows (14 + 40 + the colour table or masks).
std::array<uint8_t, kBmpFileHeaderSize> BmpFileHeader(const TDib& dib);

// The block is written in this many equal slices, then the remainder of the division.
inline constexpr int kBmpSlices = 10;

// What the writer asks of its caller between slices.
struct TBmpSliceHooks {
    // Before each slice; false stops the writing (the user has cancelled).
    std::function<bool()> beforeSlice;
    // After each slice, with the share of the block written: 10, 20 ... 100 percent.
    std::function<void(int percent)> afterSlice;
};

enum class TBmpWrite { Complete, Stopped, OpenFailed, WriteFailed };

// Writes the header, closes the file, then appends the block in slices, opening the file for
// each and closing it after, so that every slice has left the program before the next one.
// Stops at the first short write. The file is the caller's to commit or discard.
TBmpWrite AppendBmpSlices(TSafeFile& file, const TDib& dib, const TBmpSliceHooks& hooks = {});

// The user's message for a failed write of path: "Unable to open file %s" when the file could
// not be started, "Unable to write to file %s" when its writing failed.
std::string BmpWriteError(TBmpWrite result, const std::string& path);

// Writes the whole file as the save command does, in place of any file of that name only once
// it is complete. On failure returns false with the message in error, and any file of that
// name stays as it was.
bool WriteBmpFile(const TDib& dib, const std::string& path, std::string& error);
