#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

// The packed device-independent bitmap: one zero-filled block holding the 40-byte info
// header, the colour table (or three bit-field masks) and the pixel rows, bottom-up, each
// padded to a multiple of 4 bytes. Every access to the block goes through spans that know
// their length.
class TDib {
public:
    static constexpr size_t kInfoHeaderSize = 40;

    TDib() = default;
    TDib(const TDib&) = delete;
    TDib& operator=(const TDib&) = delete;
    virtual ~TDib() = default;

    bool IsOk() const { return m_block != nullptr; }

    // Replaces the block by a new zero-filled one and writes its info header. The caller has
    // checked the sizes; false only when the memory cannot be had.
    bool AllocateBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorEntries,
        bool withMasks, size_t stride, size_t imageSize);
    void FreeBitmap();

    std::span<uint8_t> Block() { return { m_block.get(), m_blockSize }; }
    std::span<const uint8_t> Block() const { return { m_block.get(), m_blockSize }; }
    size_t BlockSize() const { return m_blockSize; }

    int32_t Width() const { return m_width; }
    int32_t Height() const { return m_height; }
    uint16_t BitCount() const { return m_bitCount; }
    uint32_t Compression() const { return m_withMasks ? 3 : 0; }
    size_t Stride() const { return m_stride; }
    // Entries of the colour table: 2, 16 or 256, or 0 above 8 bits.
    uint32_t NumColors() const { return m_colorEntries; }

    // The colour table, 4 bytes an entry (blue, green, red, 0), or the 12 bytes of the
    // red, green and blue masks of a bit-field bitmap.
    std::span<uint8_t> ColorTable() { return Block().subspan(kInfoHeaderSize, m_tableSize); }
    std::span<const uint8_t> ColorTable() const
    {
        return Block().subspan(kInfoHeaderSize, m_tableSize);
    }
    // Distance from the info header to the pixel rows.
    size_t BitsOffset() const { return kInfoHeaderSize + m_tableSize; }
    std::span<uint8_t> Bits() { return Block().subspan(BitsOffset()); }
    std::span<const uint8_t> Bits() const { return Block().subspan(BitsOffset()); }
    // Bitmap row y (0 is the bottom line), stride bytes; empty outside the bitmap.
    std::span<uint8_t> Row(int64_t y);
    std::span<const uint8_t> Row(int64_t y) const;

    void SetColor(size_t index, uint8_t red, uint8_t green, uint8_t blue);

private:
    struct TFree {
        void operator()(uint8_t* block) const { std::free(block); }
    };

    std::unique_ptr<uint8_t, TFree> m_block;
    size_t m_blockSize = 0;
    size_t m_tableSize = 0;
    size_t m_stride = 0;
    int32_t m_width = 0;
    int32_t m_height = 0;
    uint16_t m_bitCount = 0;
    uint32_t m_colorEntries = 0;
    bool m_withMasks = false;
};
