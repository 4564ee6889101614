// Thumbnails of PCX files. The run-length data leave no row to skip: every stored line is
// decoded, and the sampled pixels of every Y counter-th line are kept.

#include "preview/PreviewDib.h"

#include <algorithm>
#include <vector>

bool TPreviewDib::DecodePcx()
{
    if (!ReadPcxHeader())
        return false;
    // A minimum above the maximum leaves no picture, as for the viewing window.
    if (m_imageWidth < 0 || m_imageHeight < 0)
        return Fail("Insufficient memory to load image");

    // The colours of the indices, blue, green, red. An 8-bit file without the palette marker is
    // shown black, as the viewing window shows it.
    std::array<uint8_t, 256 * 3> colors {};
    if (m_bitsPerPixel == 8) {
        std::array<uint8_t, 768> palette {};
        bool present = false;
        if (!ReadPcxEndPalette(palette, present))
            return false;
        if (present)
            for (size_t i = 0; i < 256; ++i)
                for (size_t c = 0; c < 3; ++c)
                    colors[3 * i + c] = palette[3 * i + 2 - c];
    } else if (m_bitsPerPixel < 8) {
        const std::array<uint8_t, 48> palette = PcxSmallPalette(m_pcx, m_colorCount);
        for (size_t i = 0; i < 16; ++i)
            for (size_t c = 0; c < 3; ++c)
                colors[3 * i + c] = palette[3 * i + 2 - c];
    }
    m_geometry = ThumbnailGeometry(BoxWidth(), BoxHeight(), m_imageWidth, m_imageHeight);
    if (!StartPcxData())
        return Fail("Premature end of file");

    const TPcxLine layout(m_pcx, m_imageWidth);
    std::vector<uint8_t> line(m_pcx.LineBytes());
    const bool trueColor = m_bitsPerPixel == 24;
    const int64_t width = m_imageWidth;
    const int64_t xCounter = m_geometry.xCounter;
    const int64_t yCounter = m_geometry.yCounter;
    int64_t taken = 0;
    for (int64_t fileRow = 0; fileRow < m_imageHeight && taken < m_geometry.scaledHeight;
         ++fileRow) {
        // The data ended: the rows drawn stay, without a warning; with none, the reason is
        // given as for any failure.
        if (ReadPcxBytes(line) < line.size())
            return taken > 0 || Fail("Premature end of file");
        if (fileRow % yCounter == 0) {
            m_currentRow = int32_t(TopLine() - taken);
            const std::span<uint8_t> row = Row(m_currentRow);
            int64_t column = 0;
            for (int64_t x = 0; x < width; x += xCounter, ++column) {
                uint8_t* const out = PixelAt(row, column);
                if (!out)
                    break;
                const uint32_t value = layout.Pixel(line, size_t(x));
                if (trueColor) {
                    out[0] = uint8_t(value >> 16);
                    out[1] = uint8_t(value >> 8);
                    out[2] = uint8_t(value);
                } else {
                    std::copy_n(colors.begin() + 3 * (value & 0xFF), 3, out);
                }
            }
            PaintRow(m_currentRow);
            ++taken;
        }
        if (PumpAndCheckAbort())
            return true;
    }
    return true;
}
