// Thumbnails of Targa files: uncompressed rows are read one in every Y counter, the rows between
// them seeked over; run-length files are decoded pixel by pixel and the sampled pixels kept.

#include "image/ByteReader.h"
#include "preview/SampledRow.h"

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";

} // namespace

bool TPreviewDib::DecodeTarga()
{
    if (!ReadTargaHeader())
        return false;
    m_geometry = ThumbnailGeometry(BoxWidth(), BoxHeight(), m_imageWidth, m_imageHeight);

    const size_t pixelBytes = m_targa.pixelBytes;
    const int32_t bits = m_bitsPerPixel;
    // Colour-mapped and grey pixels through the working palette, 15- and 16-bit ones with each
    // 5-bit component widened to 8 bits, the others stored blue, green, red (, alpha).
    const auto convert = [&](const uint8_t* pixel, uint8_t* out) {
        if (bits == 8) {
            std::copy_n(m_workingPalette.begin() + 4 * pixel[0], 3, out);
        } else if (pixelBytes == 2) {
            const uint32_t value = uint32_t(pixel[0]) | uint32_t(pixel[1]) << 8;
            out[0] = kTargaFiveToEight[value & 31];
            out[1] = kTargaFiveToEight[value >> 5 & 31];
            out[2] = kTargaFiveToEight[value >> 10 & 31];
        } else {
            std::copy_n(pixel, 3, out);
        }
    };
    const auto targetRow = [&](int64_t taken) {
        return int32_t(m_bottomUp ? m_geometry.yOffset + taken : TopLine() - taken);
    };

    const int64_t width = m_imageWidth;
    const int64_t rows = m_geometry.scaledHeight;
    const uint64_t rowBytes = uint64_t(width) * pixelBytes;
    if (!m_runLength) {
        const int64_t dataStart = TellFile();
        std::span<uint8_t> row;
        const auto store = [&](int64_t taken, int64_t, std::span<const uint8_t> pixel) {
            if (uint8_t* const out = PixelAt(row, taken))
                convert(pixel.data(), out);
        };
        for (int64_t i = 0; i < rows; ++i) {
            // Rows and widths are 16-bit: no position here can overflow.
            const int64_t position
                = dataStart + i * int64_t(m_geometry.yCounter) * int64_t(rowBytes);
            if (dataStart < 0 || !SeekFile(position))
                return FailPartly(kPrematureEnd, i > 0);
            m_currentRow = targetRow(i);
            row = Row(m_currentRow);
            const bool whole = ReadSampledRow(rowBytes, bits, width, store);
            PaintRow(m_currentRow);
            if (!whole)
                return FailPartly(kPrematureEnd, i > 0);
            if (PumpAndCheckAbort())
                return true;
        }
        return true;
    }

    std::vector<uint8_t> pixels(static_cast<size_t>(rowBytes));
    int64_t taken = 0;
    for (int64_t fileRow = 0; fileRow < m_imageHeight && taken < rows; ++fileRow) {
        const size_t got = ReadTargaPixels(pixels);
        if (fileRow % m_geometry.yCounter == 0) {
            m_currentRow = targetRow(taken);
            const std::span<uint8_t> row = Row(m_currentRow);
            int64_t column = 0;
            for (int64_t x = 0; x < int64_t(got); x += m_geometry.xCounter, ++column)
                if (uint8_t* const out = PixelAt(row, column))
                    convert(pixels.data() + size_t(x) * pixelBytes, out);
            PaintRow(m_currentRow);
        }
        // The reader has said why it stopped.
        if (got < size_t(width))
            return taken > 0;
        if (fileRow % m_geometry.yCounter == 0)
            ++taken;
        if (PumpAndCheckAbort())
            return true;
    }
    return true;
}
