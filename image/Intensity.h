#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The intensity adjustment: a component c (0 to 255) becomes c + offset, held to 0..255.
// The offset comes unchecked from the settings file, so the sum is taken in 64 bits.
constexpr uint8_t AdjustComponent(int component, int offset)
{
    const int64_t value = int64_t(component) + offset;
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

// The adjustment of one offset for every component value. Single components are looked up;
// rows of bytes take a saturating add or subtract of the offset (held to 255 either way), 16
// bytes at a time where the processor has the instructions, which gives the same bytes. Apply
// can clear bytes on the way: byte j of every 4-byte group (counted from the start) stays only
// where byte j of keep, little-endian, is 0xFF.
class TIntensityTable {
public:
    explicit TIntensityTable(int offset)
        : m_raise(offset >= 0)
        , m_amount(uint8_t(std::min<int64_t>(offset >= 0 ? offset : -int64_t(offset), 255)))
    {
        for (int c = 0; c < 256; ++c)
            m_table[size_t(c)] = AdjustComponent(c, offset);
    }
    uint8_t operator[](uint8_t component) const { return m_table[component]; }
    void Apply(std::span<uint8_t> bytes, uint32_t keep = 0xFFFFFFFFu) const
    {
        size_t i = 0;
#if defined(__SSE2__)
        const __m128i amount = _mm_set1_epi8(char(m_amount));
        const __m128i kept = _mm_set1_epi32(int(keep));
        const auto apply = [&](auto step) {
            for (; i + 16 <= bytes.size(); i += 16) {
                auto* const at = reinterpret_cast<__m128i*>(bytes.data() + i);
                _mm_storeu_si128(at, _mm_and_si128(step(_mm_loadu_si128(at), amount), kept));
            }
        };
        if (m_raise)
            apply([](__m128i v, __m128i a) { return _mm_adds_epu8(v, a); });
        else
            apply([](__m128i v, __m128i a) { return _mm_subs_epu8(v, a); });
#endif
        for (; i < bytes.size(); ++i)
            bytes[i] = (keep >> (8 * (i % 4)) & 0xFF) != 0 ? m_table[bytes[i]] : 0;
    }

private:
    std::array<uint8_t, 256> m_table {};
    bool m_raise;
    uint8_t m_amount;
};

// Adjusts blue, green and red of every 4-byte colour table entry; the fourth byte stays.
inline void AdjustColorTable(std::span<uint8_t> table, int offset)
{
    if (offset == 0)
        return;
    for (size_t i = 0; i + 3 < table.size(); i += 4)
        for (size_t c = 0; c < 3; ++c)
            table[i + c] = AdjustComponent(table[i + c], offset);
}
