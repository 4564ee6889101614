#include "image/GifLzw.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";
constexpr int kMaxCodeSize = 12;

} // namespace

void TGifLzw::Start(int inputCodeSize)
{
    m_inputCodeSize = std::clamp(inputCodeSize, 2, 11);
    m_clearCode = 1 << m_inputCodeSize;
    m_endCode = m_clearCode + 1;
    m_firstTime = true;
    m_previousCode = 0;
    m_firstByte = 0;
    m_ended = false;
    m_pendingPos = m_pendingEnd = 0;
    m_blockPos = m_blockEnd = 0;
    m_bits = 0;
    m_bitCount = 0;
    m_outOfBlocks = false;
    for (int code = 0; code < m_clearCode; ++code)
        m_length[size_t(code)] = 1;
    ResetTable();
}

void TGifLzw::ResetTable()
{
    m_codeSize = m_inputCodeSize + 1;
    m_limitCode = 2 * m_clearCode;
    m_nextCode = m_clearCode + 2;
}

// Starts the next data block. False when there is none: a block length of 0 or a block cut
// short ends the data.
bool TGifLzw::NextBlock(TGifInput& input)
{
    if (m_outOfBlocks)
        return false;
    const int length = input.ReadByte();
    if (length == EOF)
        throw TGifDataError(kPrematureEnd);
    if (length == 0 || input.Read(std::span(m_block).first(size_t(length))) != size_t(length)) {
        m_outOfBlocks = true;
        return false;
    }
    m_blockPos = 0;
    m_blockEnd = size_t(length);
    return true;
}

// The next code, or the end code once the data have ended. The bits of one code may lie in
// several blocks: a block may hold a single byte.
inline int TGifLzw::ReadCode(TGifInput& input)
{
    while (m_bitCount < m_codeSize) {
        if (m_blockPos == m_blockEnd && !NextBlock(input))
            return m_endCode;
        m_bits |= uint32_t(m_block[m_blockPos++]) << m_bitCount;
        m_bitCount += 8;
    }
    const int code = int(m_bits & ((1u << m_codeSize) - 1));
    m_bits >>= m_codeSize;
    m_bitCount -= m_codeSize;
    return code;
}

void TGifLzw::SkipBlocks(TGifInput& input)
{
    std::array<uint8_t, 255> scratch;
    for (;;) {
        const int length = input.ReadByte();
        if (length == EOF)
            throw TGifDataError(kPrematureEnd);
        if (length == 0)
            break;
        if (input.Read(std::span(scratch).first(size_t(length))) != size_t(length))
            throw TGifDataError(kPrematureEnd);
    }
    m_outOfBlocks = true;
}

void TGifLzw::SkipRest(TGifInput& input)
{
    try {
        if (!m_outOfBlocks)
            SkipBlocks(input);
    } catch (const TGifDataError&) {
        m_outOfBlocks = true;
    }
}

void TGifLzw::ReadPixels(TGifInput& input, std::span<uint8_t> out)
{
    uint8_t* const pixels = out.data();
    const size_t count = out.size();
    size_t pos = 0;
    while (pos < count) {
        if (m_pendingPos < m_pendingEnd) {
            const size_t take = std::min(count - pos, m_pendingEnd - m_pendingPos);
            std::memcpy(pixels + pos, m_pending.data() + m_pendingPos, take);
            pos += take;
            m_pendingPos += take;
            continue;
        }
        if (m_ended) {
            std::memset(pixels + pos, 0, count - pos);
            return;
        }

        int code = m_clearCode;
        if (m_firstTime)
            m_firstTime = false;
        else
            code = ReadCode(input);

        if (code == m_clearCode) {
            ResetTable();
            do
                code = ReadCode(input);
            while (code == m_clearCode);
            // After a clear only a literal makes sense; the end code here counts as 0.
            if (code > m_clearCode)
                code = 0;
            m_previousCode = code;
            m_firstByte = uint8_t(code);
            pixels[pos++] = m_firstByte;
            continue;
        }
        if (code == m_endCode) {
            if (!m_outOfBlocks)
                SkipBlocks(input);
            m_ended = true;
            continue;
        }

        // A code not yet in the table stands for the previous string plus its own first byte
        // (the case of a string written just before it was defined); a code beyond the next
        // free one is damage and is read the same way, but is not remembered.
        int incoming = code;
        bool repeatsPrevious = false;
        if (code >= m_nextCode) {
            if (code > m_nextCode)
                incoming = 0;
            repeatsPrevious = true;
            code = m_previousCode;
        }
        size_t length = code < m_clearCode ? 1 : m_length[size_t(code)];
        if (repeatsPrevious)
            ++length;
        length = std::min(length, m_pending.size());

        // The string is written back to front, straight into the pixels when it fits.
        const bool fits = length <= count - pos;
        uint8_t* const target = fits ? pixels + pos : m_pending.data();
        size_t at = length - 1;
        if (repeatsPrevious && at > 0)
            target[at--] = m_firstByte;
        while (at > 0) {
            target[at--] = m_suffix[size_t(code)];
            code = m_prefix[size_t(code)];
        }
        target[0] = uint8_t(code);
        m_firstByte = uint8_t(code);

        if (m_nextCode < kMaxCodes) {
            const size_t next = size_t(m_nextCode);
            m_prefix[next] = uint16_t(m_previousCode);
            m_suffix[next] = m_firstByte;
            const size_t previousLength
                = m_previousCode < m_clearCode ? 1 : m_length[size_t(m_previousCode)];
            m_length[next] = uint16_t(std::min<size_t>(previousLength + 1, kMaxCodes));
            ++m_nextCode;
            if (m_nextCode == m_limitCode && m_codeSize < kMaxCodeSize) {
                ++m_codeSize;
                m_limitCode *= 2;
            }
        }
        m_previousCode = incoming;

        if (fits) {
            pos += length;
        } else {
            const size_t take = count - pos;
            std::memcpy(pixels + pos, m_pending.data(), take);
            pos = count;
            m_pendingPos = take;
            m_pendingEnd = length;
        }
    }
}
