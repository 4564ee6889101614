#pragma once

#include <array>
#include <cstdint>
#include <span>

// The intensity adjustment: a component c (0 to 255) becomes c + offset, held to 0..255.
// The offset comes unchecked from the settings file, so the sum is taken in 64 bits.
constexpr uint8_t AdjustComponent(int component, int offset)
{
    const int64_t value = int64_t(component) + offset;
    return uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

// The adjustment of one offset for every component value, so that rows of bytes are
// adjusted by table look-up.
class TIntensityTable {
public:
    explicit TIntensityTable(int offset)
    {
        for (int c = 0; c < 256; ++c)
            m_table[size_t(c)] = AdjustComponent(c, offset);
    }
    uint8_t operator[](uint8_t component) const { return m_table[component]; }
    void Apply(std::span<uint8_t> bytes) const
    {
        for (uint8_t& byte : bytes)
            byte = m_table[byte];
    }

private:
    std::array<uint8_t, 256> m_table {};
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
