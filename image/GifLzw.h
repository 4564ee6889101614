#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <stdexcept>

// A fatal error inside GIF image data (the file ends where a data block should start). The
// LZW decoder cannot return it through its callers; the decode operation that asked for the
// pixels catches it and keeps the rows it has.
class TGifDataError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Where the LZW decoder takes its data blocks from.
class TGifInput {
public:
    virtual int ReadByte() = 0; // EOF at the end
    virtual size_t Read(std::span<uint8_t> out) = 0; // fewer bytes at the end

protected:
    ~TGifInput() = default;
};

// The open file of an image record.
class TGifFileInput final : public TGifInput {
public:
    explicit TGifFileInput(std::FILE* file)
        : m_file(file)
    {
    }
    int ReadByte() override { return m_file ? getc_unlocked(m_file) : EOF; }
    size_t Read(std::span<uint8_t> out) override
    {
        return m_file && !out.empty() ? std::fread(out.data(), 1, out.size(), m_file) : 0;
    }

private:
    std::FILE* m_file;
};

// The GIF variant of LZW: codes of the minimum code size plus one bit up to 12 bits, read
// least significant bit first from data blocks of up to 255 bytes, a clear code that resets
// the table and an end code. Damaged data never stops it: codes beyond the table repeat the
// previous string, a missing end code or a block cut short ends the frame with pixels 0. Only
// a file that ends where a block length should stand throws TGifDataError.
class TGifLzw {
public:
    static constexpr int kMaxCodes = 4096;

    // Prepares a frame whose minimum code size (2 to 11) the caller has checked. The first
    // pixel read starts as if a clear code had come.
    void Start(int inputCodeSize);

    // The next pixels of the frame, as many as out holds. Pixel values are bytes: a literal
    // code above 255 (minimum code sizes above 8) keeps its low byte.
    void ReadPixels(TGifInput& input, std::span<uint8_t> out);
    uint8_t ReadPixel(TGifInput& input)
    {
        uint8_t pixel = 0;
        ReadPixels(input, std::span<uint8_t>(&pixel, 1));
        return pixel;
    }

    // Every later pixel of the frame is 0: the data have ended.
    bool Exhausted() const { return m_ended && m_pendingPos == m_pendingEnd; }

    // Reads past what is left of the frame's data blocks once its pixels are complete, so the
    // next read starts after the block terminator. A file that ends here is no error: the
    // frame is whole.
    void SkipRest(TGifInput& input);

private:
    void ResetTable();
    int ReadCode(TGifInput& input);
    bool NextBlock(TGifInput& input);
    void SkipBlocks(TGifInput& input);

    std::array<uint16_t, kMaxCodes> m_prefix {};
    std::array<uint8_t, kMaxCodes> m_suffix {};
    std::array<uint16_t, kMaxCodes> m_length {}; // bytes in each code's string
    // The part of a string that did not fit into the caller's pixels.
    std::array<uint8_t, kMaxCodes + 1> m_pending {};
    size_t m_pendingPos = 0;
    size_t m_pendingEnd = 0;

    int m_inputCodeSize = 2;
    int m_codeSize = 3;
    int m_limitCode = 8;
    int m_nextCode = 6;
    int m_clearCode = 4;
    int m_endCode = 5;
    bool m_firstTime = true;
    int m_previousCode = 0;
    uint8_t m_firstByte = 0;
    bool m_ended = false; // an end code came, or the data ran out

    std::array<uint8_t, 255> m_block {};
    size_t m_blockPos = 0;
    size_t m_blockEnd = 0;
    uint32_t m_bits = 0; // bits not yet taken, the next one lowest
    int m_bitCount = 0;
    bool m_outOfBlocks = false;
};
