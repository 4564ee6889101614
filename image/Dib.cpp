#include "image/Dib.h"

#include "image/ByteReader.h"
#include "platform/SystemMemory.h"

bool TDib::AllocateBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorEntries,
    bool withMasks, size_t stride, size_t imageSize)
{
    FreeBitmap();
    const size_t tableSize = withMasks ? 12 : size_t(colorEntries) * 4;
    const size_t blockSize = kInfoHeaderSize + tableSize + imageSize;
    // calloc hands large blocks out as fresh zero pages, so zero-filling costs nothing up
    // front and the rows a decode never reaches stay black.
    m_block.reset(static_cast<uint8_t*>(std::calloc(blockSize, 1)));
    if (!m_block)
        return false;
    // Before the first write: a new bitmap of many megabytes is filled at once, row after row.
    AdviseLargePages(m_block.get(), blockSize);
    m_blockSize = blockSize;
    m_tableSize = tableSize;
    m_stride = stride;
    m_width = width;
    m_height = height;
    m_bitCount = bitCount;
    m_colorEntries = withMasks ? 0 : colorEntries;
    m_withMasks = withMasks;

    const std::span<uint8_t> header = Block().first(kInfoHeaderSize);
    PutU32(header, 0, uint32_t(kInfoHeaderSize));
    PutU32(header, 4, uint32_t(width));
    PutU32(header, 8, uint32_t(height));
    PutU16(header, 12, 1);
    PutU16(header, 14, bitCount);
    PutU32(header, 16, withMasks ? 3 : 0);
    PutU32(header, 20, uint32_t(imageSize));
    // Resolution, colours used and colours important stay 0.
    return true;
}

void TDib::FreeBitmap()
{
    m_block.reset();
    m_blockSize = m_tableSize = m_stride = 0;
    m_width = m_height = 0;
    m_bitCount = 0;
    m_colorEntries = 0;
    m_withMasks = false;
}

std::span<uint8_t> TDib::Row(int64_t y)
{
    if (!m_block || y < 0 || y >= m_height)
        return {};
    return Bits().subspan(size_t(y) * m_stride, m_stride);
}

std::span<const uint8_t> TDib::Row(int64_t y) const
{
    if (!m_block || y < 0 || y >= m_height)
        return {};
    return Bits().subspan(size_t(y) * m_stride, m_stride);
}

void TDib::SetColor(size_t index, uint8_t red, uint8_t green, uint8_t blue)
{
    if (index >= m_colorEntries)
        return;
    const std::span<uint8_t> entry = ColorTable().subspan(index * 4, 4);
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
    entry[3] = 0;
}
