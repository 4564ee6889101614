// Thumbnails of BMP files: uncompressed rows are read one in every Y counter, the rows between
// them seeked over; run-length files are walked through and only the sampled pixels kept.

#include "image/BmpRunLength.h"
#include "image/ByteReader.h"
#include "platform/MessagePump.h"
#include "preview/SampledRow.h"

#include <limits>

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";

// A colour component of a 16- or 32-bit pixel as the preview shows it: the masked bits moved
// down to bit 0, then at 16 bits widened to 8 bits by a shift to the left. A component of more
// than 8 bits keeps its top 8, so that wide masks (10 bits at 32 bits, a 16-bit mask) still give
// its brightness rather than its low bits.
struct TMaskChannel {
    TColorMask mask;
    uint32_t left = 0;
    uint32_t right = 0;

    TMaskChannel(const TColorMask& mask, bool sixteenBits)
        : mask(mask)
    {
        if (mask.width > 8)
            right = mask.width - 8;
        else if (sixteenBits)
            left = 8 - mask.width;
    }

    uint8_t operator()(uint32_t pixel) const { return uint8_t(mask.Value(pixel) >> right << left); }
};

// Checked a * b + c for file positions; false when the result would not fit.
bool FilePosition(uint64_t a, uint64_t b, uint64_t c, int64_t& position)
{
    constexpr uint64_t kLimit = uint64_t(std::numeric_limits<int64_t>::max());
    if (a != 0 && b > (kLimit - c) / a)
        return false;
    position = int64_t(a * b + c);
    return true;
}

} // namespace

bool TPreviewDib::DecodeBmp()
{
    if (!ReadBmpHeader())
        return false;
    const bool deep = m_bitsPerPixel == 16 || m_bitsPerPixel == 32;
    if (deep && !ReadBmpMasks())
        return false;
    std::array<uint8_t, 256 * 4> palette {};
    if (!ReadBmpPalette(palette))
        return false;
    m_geometry = ThumbnailGeometry(BoxWidth(), BoxHeight(), m_imageWidth, m_imageHeight);
    if (m_runLength)
        return DecodeBmpRunLength(palette);

    const int64_t dataStart = TellFile();
    if (dataStart < 0)
        return Fail(kPrematureEnd);
    const int32_t bits = m_bitsPerPixel;
    const uint64_t width = uint64_t(m_imageWidth);
    const uint64_t stride = (uint64_t(bits) * width + 31) / 32 * 4;
    const bool sixteen = bits == 16;
    const TMaskChannel red(m_bmp.masks[0], sixteen);
    const TMaskChannel green(m_bmp.masks[1], sixteen);
    const TMaskChannel blue(m_bmp.masks[2], sixteen);

    std::span<uint8_t> row;
    const auto store = [&](int64_t taken, int64_t x, std::span<const uint8_t> bytes) {
        uint8_t* const out = PixelAt(row, taken);
        if (!out)
            return;
        if (bits == 24) {
            std::copy_n(bytes.begin(), 3, out);
            return;
        }
        if (deep) {
            const uint32_t pixel = sixteen ? GetU16(bytes, 0) : GetU32(bytes, 0);
            out[0] = blue(pixel);
            out[1] = green(pixel);
            out[2] = red(pixel);
            return;
        }
        uint32_t index = bytes[0];
        if (bits == 1)
            index = index >> (7 - x % 8) & 1;
        else if (bits == 4)
            index = x % 2 == 0 ? index >> 4 : index & 0x0F;
        std::copy_n(palette.begin() + 4 * index, 3, out);
    };

    // Exactly the thumbnail's rows, upwards from its bottom line for a bottom-up file.
    const int64_t rows = m_geometry.scaledHeight;
    for (int64_t i = 0; i < rows; ++i) {
        int64_t position = 0;
        if (!FilePosition(
                uint64_t(i) * uint64_t(m_geometry.yCounter), stride, uint64_t(dataStart), position)
            || !SeekFile(position))
            return FailPartly(kPrematureEnd, i > 0);
        m_currentRow = int32_t(m_bottomUp ? m_geometry.yOffset + i : TopLine() - i);
        row = Row(m_currentRow);
        const bool whole = ReadSampledRow(stride, bits, int64_t(width), store);
        PaintRow(m_currentRow);
        if (!whole)
            return FailPartly(kPrematureEnd, i > 0);
        if (PumpAndCheckAbort())
            return true;
    }
    return true;
}

// The run-length walk of the display decoder, keeping the pixels of every Y counter-th source
// row (counted from the bottom) at every X counter-th column. A delta moves the source position
// like any other code: each source row it passes counts, so a preview row is finished (and
// painted) whenever the count reaches a multiple of Y counter, and the next pixel is kept only
// if its column x + dx is a multiple of X counter. Rows above the thumbnail's top are dropped,
// and the walk stops once nothing more can be kept.
bool TPreviewDib::DecodeBmpRunLength(const std::array<uint8_t, 256 * 4>& palette)
{
    struct TSink {
        TPreviewDib& dib;
        const std::array<uint8_t, 256 * 4>& palette;
        int64_t yCounter;
        int64_t xCounter;
        int64_t rows; // rows of the thumbnail
        int64_t sourceRow = 0;
        int64_t finished = 0; // preview rows completed

        // The preview row the current source row belongs to.
        int64_t PreviewRow() const { return sourceRow / yCounter; }
        bool Stop() const { return dib.AbortRequested() || PreviewRow() >= rows; }
        void Pixels(int64_t column, size_t count, const TBmpRunPixels& pixels)
        {
            if (sourceRow % yCounter != 0 || PreviewRow() >= rows)
                return;
            const std::span<uint8_t> row = dib.Row(dib.m_geometry.yOffset + PreviewRow());
            const int64_t end = column + int64_t(count);
            for (int64_t x = (column + xCounter - 1) / xCounter * xCounter; x < end;
                 x += xCounter) {
                uint8_t* const out = dib.PixelAt(row, x / xCounter);
                if (!out)
                    break;
                std::copy_n(palette.begin() + 4 * pixels.At(size_t(x - column)), 3, out);
            }
        }
        void NextRow()
        {
            ++sourceRow;
            if (sourceRow % yCounter != 0 || PreviewRow() > rows)
                return;
            dib.PaintRow(int32_t(dib.m_geometry.yOffset + PreviewRow() - 1));
            ++finished;
            PumpOneMessage();
        }
    };

    TSink sink { *this, palette, m_geometry.yCounter, m_geometry.xCounter,
        m_geometry.scaledHeight };
    int64_t rowsDone = 0;
    const TBmpRunEnd end = WalkBmpRunLength(sink, rowsDone);
    // The row begun last shows what it has.
    if (sink.PreviewRow() < sink.rows)
        PaintRow(int32_t(m_geometry.yOffset + sink.PreviewRow()));
    m_currentRow = int32_t(m_geometry.yOffset + std::min(sink.PreviewRow(), sink.rows));
    if (end == TBmpRunEnd::PrematureEnd)
        return FailPartly(kPrematureEnd, sink.finished > 0);
    return true;
}
