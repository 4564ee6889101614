#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

// Reads little-endian fields from the bytes of an untrusted file. A read past the end
// yields 0 and fails the reader, so a parser reads a whole header and asks Ok() once.
class TByteReader {
public:
    explicit TByteReader(std::span<const uint8_t> bytes)
        : m_bytes(bytes)
    {
    }

    uint8_t ReadU8() { return Has(1) ? m_bytes[m_pos++] : Fail(); }
    uint16_t ReadU16()
    {
        const uint16_t low = ReadU8(); // the operands of | are unsequenced
        return uint16_t(low | ReadU8() << 8);
    }
    uint32_t ReadU32()
    {
        const uint32_t low = ReadU16();
        return low | uint32_t(ReadU16()) << 16;
    }
    int16_t ReadI16() { return int16_t(ReadU16()); }
    int32_t ReadI32() { return int32_t(ReadU32()); }
    void Skip(size_t count)
    {
        if (Has(count))
            m_pos += count;
        else
            Fail();
    }
    bool Ok() const { return !m_failed; }
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_bytes.size() - m_pos; }

private:
    bool Has(size_t count) const { return !m_failed && count <= m_bytes.size() - m_pos; }
    uint8_t Fail()
    {
        m_failed = true;
        m_pos = m_bytes.size();
        return 0;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
    bool m_failed = false;
};

// Little-endian stores into a span whose length the caller has checked.
inline void PutU16(std::span<uint8_t> out, size_t at, uint16_t value)
{
    out[at] = uint8_t(value);
    out[at + 1] = uint8_t(value >> 8);
}

inline void PutU32(std::span<uint8_t> out, size_t at, uint32_t value)
{
    PutU16(out, at, uint16_t(value));
    PutU16(out, at + 2, uint16_t(value >> 16));
}

inline uint16_t GetU16(std::span<const uint8_t> in, size_t at)
{
    return uint16_t(in[at] | in[at + 1] << 8);
}

inline uint32_t GetU32(std::span<const uint8_t> in, size_t at)
{
    return uint32_t(GetU16(in, at)) | uint32_t(GetU16(in, at + 2)) << 16;
}
