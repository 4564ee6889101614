#pragma once

// The pieces in which the preview reads the stored rows of uncompressed files.

#include "preview/PreviewDib.h"

#include <algorithm>

template <typename Store>
bool TPreviewDib::ReadSampledRow(
    uint64_t rowBytes, int32_t bitsPerPixel, int64_t width, Store store)
{
    constexpr uint64_t kPieceBytes = 64 * 1024;
    const bool packed = bitsPerPixel < 8;
    const uint64_t pixelBytes = packed ? 1 : (uint64_t(bitsPerPixel) + 7) / 8;
    // Pieces hold whole pixels, so that no pixel is split between two of them.
    const uint64_t pieceBytes = kPieceBytes / pixelBytes * pixelBytes;
    if (m_rowPiece.size() != pieceBytes)
        m_rowPiece.assign(pieceBytes, 0);

    const int64_t step = m_geometry.xCounter;
    int64_t x = 0;
    int64_t taken = 0;
    uint64_t start = 0;
    while (start < rowBytes) {
        const uint64_t wanted = std::min(pieceBytes, rowBytes - start);
        const size_t got = ReadFile(std::span(m_rowPiece).first(size_t(wanted)));
        const uint64_t end = start + got;
        for (; x < width; x += step, ++taken) {
            const uint64_t first
                = packed ? uint64_t(x) * uint64_t(bitsPerPixel) / 8 : uint64_t(x) * pixelBytes;
            if (first + pixelBytes > end)
                break;
            store(taken, x,
                std::span<const uint8_t>(m_rowPiece).subspan(size_t(first - start), pixelBytes));
        }
        if (got < wanted)
            return false;
        start = end;
    }
    return true;
}
