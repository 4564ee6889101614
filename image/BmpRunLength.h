#pragma once

// The run-length stream of an RLE8 or RLE4 BMP file, shared by the display decoder, which writes
// every pixel, and the preview, which keeps a sample of them. Include only where a walk runs.

#include "image/BaseDib.h"

#include <algorithm>
#include <span>
#include <vector>

// The pixel values of one run: an encoded run repeats one byte (for 4 bits, its high and low
// nibbles by turns), an absolute run lists them. The value of a pixel comes from its position
// within the run, the first pixel taking the high nibble.
struct TBmpRunPixels {
    // Bytes that may be read after an absolute run's own, so that a short run can be copied
    // whole bytes at a time.
    static constexpr size_t kReadableAfter = 16;

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
//   bool Stop()                   asked before the first code and before the first code after a
//                                 row has ended; true ends the walk (Stopped). Its answer may
//                                 change only while a row ends;
//   void Pixels(column, count, p) pixels 0 to count - 1 of p go to columns column onwards of the
//                                 current row; all of them lie inside the image width, but the
//                                 row may lie above the last one after a full last row;
//   void NextRow()                the current row is finished and the next one above begins.
// Pixels beyond the image width are dropped. Encoders write runs over the padded row, so a run
// that arrives after a full row and fits within the row's padding belongs to that row and is
// dropped; any other code after a full row moves to the next row first (an end-of-line code
// then counts as that one move). A delta keeps the column x + dx while it skips dy rows. The walk
// ends after the last row or at an end-of-bitmap code (Finished), or when the file ends
// (PrematureEnd); rowsDone tells how many rows were finished. The data are read from the file a
// block at a time, so the file position afterwards lies anywhere beyond the last code.

template <typename Sink> TBmpRunEnd TBaseDib::WalkBmpRunLength(Sink& sink, int64_t& rowsFinished)
{
    const bool fourBits = m_bitsPerPixel == 4;
    const int64_t width = m_imageWidth;
    const int64_t height = m_imageHeight;
    const int64_t bits = m_bitsPerPixel;
    const int64_t paddedWidth = (bits * width + 31) / 32 * 32 / bits;
    int64_t rowsDone = 0;
    int64_t x = 0;
    bool wrapPending = false;
    bool rowEnded = true; // since Stop() was last asked

    // The next bytes of the data: at least wanted of them from position on, fewer only where the
    // file ends. An absolute run, the longest piece, takes 256 bytes. The block has room for the
    // bytes that may be read after a run's own.
    constexpr size_t kBlockBytes = 64 * 1024;
    std::vector<uint8_t> block(kBlockBytes + TBmpRunPixels::kReadableAfter);
    size_t position = 0;
    size_t filled = 0;
    const auto available = [&](size_t wanted) {
        if (filled - position < wanted) {
            std::copy(block.begin() + ptrdiff_t(position), block.begin() + ptrdiff_t(filled),
                block.begin());
            filled -= position;
            position = 0;
            filled += ReadFile(std::span(block).subspan(filled, kBlockBytes - filled));
        }
        return std::min(wanted, filled - position);
    };

    const auto nextRow = [&] {
        x = 0;
        ++rowsDone;
        rowEnded = true;
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

    const auto walk = [&] {
        while (rowsDone < height) {
            if (rowEnded && sink.Stop())
                return TBmpRunEnd::Stopped;
            rowEnded = false;
            if (available(2) < 2)
                return TBmpRunEnd::PrematureEnd;
            const int count = block[position];
            const int value = block[position + 1];
            position += 2;
            if (count > 0 && !wrapPending && x + count < width) {
                // An encoded run that ends inside the row: the common code.
                sink.Pixels(x, size_t(count), TBmpRunPixels { nullptr, uint8_t(value), fourBits });
                x += count;
                continue;
            }
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
                if (available(2) < 2)
                    return TBmpRunEnd::PrematureEnd;
                const int dx = block[position];
                const int dy = block[position + 1];
                position += 2;
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
                const size_t got = available(paddedBytes);
                const size_t drawn = std::min(pixels, fourBits ? got * 2 : got);
                run(drawn, TBmpRunPixels { block.data() + position, 0, fourBits });
                position += got;
                if (got < paddedBytes)
                    return TBmpRunEnd::PrematureEnd;
            }
        }
        return TBmpRunEnd::Finished;
    };
    const TBmpRunEnd end = walk();
    rowsFinished = rowsDone;
    return end;
}
