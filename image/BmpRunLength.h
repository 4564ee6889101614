#pragma once

// The run-length stream of an RLE8 or RLE4 BMP file, shared by the display decoder, which writes
// every pixel, and the preview, which keeps a sample of them. Include only where a walk runs.

#include "image/BaseDib.h"

#include <algorithm>
#include <array>

// The pixel values of one run: an encoded run repeats one byte (for 4 bits, its high and low
// nibbles by turns), an absolute run lists them. The value of a pixel comes from its position
// within the run, the first pixel taking the high nibble.
struct TBmpRunPixels {
    const uint8_t* bytes = nullptr; // an absolute run's bytes; null for an encoded run
    uint8_t value = 0; // an encoded run's byte
    bool fourBits = false;

    uint8_t At(size_t position) const
    {
        const uint8_t byte = bytes ? bytes[fourBits ? position / 2 : position] : value;
        if (!fourBits)
            return byte;
        return position % 2 == 0 ? uint8_t(byte >> 4) : uint8_t(byte & 0x0F);
    }
};

// Walks the stream from the current file position, bottom row first, and hands what it finds to
// the sink:
//   bool Stop()                   asked before each code; true ends the walk (Stopped);
//   void Pixels(column, count, p) pixels 0 to count - 1 of p go to columns column onwards of the
//                                 current row; all of them lie inside the image width, but the
//                                 row may lie above the last one after a full last row;
//   void NextRow()                the current row is finished and the next one above begins.
// Pixels beyond the image width are dropped. Encoders write runs over the padded row, so a run
// that arrives after a full row and fits within the row's padding belongs to that row and is
// dropped; any other code after a full row moves to the next row first (an end-of-line code
// then counts as that one move). A delta keeps the column x + dx while it skips dy rows. The walk
// ends after the last row or at an end-of-bitmap code (Finished), or when the file ends
// (PrematureEnd); rowsDone tells how many rows were finished.

template <typename Sink> TBmpRunEnd TBaseDib::WalkBmpRunLength(Sink& sink, int64_t& rowsDone)
{
    const bool fourBits = m_bitsPerPixel == 4;
    const int64_t width = m_imageWidth;
    const int64_t height = m_imageHeight;
    const int64_t bits = m_bitsPerPixel;
    const int64_t paddedWidth = (bits * width + 31) / 32 * 32 / bits;
    rowsDone = 0;
    int64_t x = 0;
    bool wrapPending = false;

    const auto nextRow = [&] {
        x = 0;
        ++rowsDone;
        sink.NextRow();
    };
    const auto run = [&](size_t count, const TBmpRunPixels& pixels) {
        if (x < width) {
            const size_t fit = std::min<size_t>(count, size_t(width - x));
            if (fit > 0)
                sink.Pixels(x, fit, pixels);
        }
        x += int64_t(count);
        wrapPending = wrapPending || x >= width;
    };

    while (rowsDone < height) {
        if (sink.Stop())
            return TBmpRunEnd::Stopped;
        const int count = ReadFileByte();
        const int value = ReadFileByte();
        if (count == EOF || value == EOF)
            return TBmpRunEnd::PrematureEnd;
        if (wrapPending && (count != 0 || value != 0)) {
            const int64_t runPixels = count > 0 ? count : value >= 3 ? value : 0;
            if (runPixels == 0 || x + runPixels > paddedWidth)
                nextRow();
        }
        wrapPending = false;

        if (count > 0) {
            run(size_t(count), TBmpRunPixels { nullptr, uint8_t(value), fourBits });
        } else if (value == 0) {
            nextRow();
        } else if (value == 1) {
            break;
        } else if (value == 2) {
            const int dx = ReadFileByte();
            const int dy = ReadFileByte();
            if (dx == EOF || dy == EOF)
                return TBmpRunEnd::PrematureEnd;
            // The column moves right by dx and stays there while dy rows are skipped.
            const int64_t column = x + dx;
            for (int i = 0; i < dy && rowsDone < height; ++i)
                nextRow();
            x = column;
        } else {
            // An absolute run of value pixels, padded to a 16-bit boundary.
            const size_t pixels = size_t(value);
            const size_t dataBytes = fourBits ? (pixels + 1) / 2 : pixels;
            const size_t paddedBytes = dataBytes + dataBytes % 2;
            std::array<uint8_t, 256> bytes {};
            const size_t got = ReadFile(std::span(bytes).first(paddedBytes));
            const size_t available = std::min(pixels, fourBits ? got * 2 : got);
            run(available, TBmpRunPixels { bytes.data(), 0, fourBits });
            if (got < paddedBytes)
                return TBmpRunEnd::PrematureEnd;
        }
    }
    return TBmpRunEnd::Finished;
}
