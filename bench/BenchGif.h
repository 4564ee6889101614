#pragma once

// GIF files for the benchmarks, written here: an LZW encoder as common encoders work, files of
// one or several frames over the benchmark palette, and an animation as screen recordings
// make them.

#include "bench/BenchPictures.h"

#include <array>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

inline constexpr uint8_t kTransparentIndex = 255;

// Writes LZW data of minimum code size 8 in sub-blocks of 255 bytes, clearing the table when
// it is full, as common encoders do.
class TLzwWriter {
public:
    explicit TLzwWriter(std::vector<uint8_t>& out)
        : m_out(out)
        , m_child(size_t(4096) * 256, 0)
    {
        m_used.reserve(4096);
    }

    void Encode(std::span<const uint8_t> pixels)
    {
        m_out.push_back(8);
        Reset();
        Emit(kClear);
        Reset();
        int current = pixels.empty() ? 0 : pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const size_t key = size_t(current) * 256 + pixels[i];
            if (m_child[key] != 0) {
                current = m_child[key];
                continue;
            }
            Emit(current);
            if (m_encoderNext < 4096) {
                m_child[key] = uint16_t(m_encoderNext++);
                m_used.push_back(key);
            } else {
                Emit(kClear);
                Reset();
            }
            current = pixels[i];
        }
        Emit(current);
        Emit(kClear + 1);
        if (m_bitCount > 0)
            PutByte(uint8_t(m_bits));
        m_bits = 0;
        m_bitCount = 0;
        FlushBlock();
        m_out.push_back(0);
    }

private:
    static constexpr int kClear = 256;

    void Reset()
    {
        for (size_t key : m_used)
            m_child[key] = 0;
        m_used.clear();
        m_encoderNext = m_decoderNext = kClear + 2;
        m_codeSize = 9;
        m_firstAfterClear = true;
    }
    // Code sizes follow a decoder, which makes its entry one code after the encoder.
    void Emit(int code)
    {
        m_bits |= uint32_t(code) << m_bitCount;
        m_bitCount += m_codeSize;
        while (m_bitCount >= 8) {
            PutByte(uint8_t(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
        if (!m_firstAfterClear && m_decoderNext < 4096) {
            ++m_decoderNext;
            if (m_decoderNext == 1 << m_codeSize && m_codeSize < 12)
                ++m_codeSize;
        }
        m_firstAfterClear = code == kClear;
    }
    void PutByte(uint8_t byte)
    {
        m_block[m_blockSize++] = byte;
        if (m_blockSize == 255)
            FlushBlock();
    }
    void FlushBlock()
    {
        if (m_blockSize == 0)
            return;
        m_out.push_back(uint8_t(m_blockSize));
        m_out.insert(m_out.end(), m_block.begin(), m_block.begin() + ptrdiff_t(m_blockSize));
        m_blockSize = 0;
    }

    std::vector<uint8_t>& m_out;
    std::vector<uint16_t> m_child; // code * 256 + pixel: the longer code, 0 for none
    std::vector<size_t> m_used;
    int m_encoderNext = kClear + 2;
    int m_decoderNext = kClear + 2;
    int m_codeSize = 9;
    bool m_firstAfterClear = true;
    uint32_t m_bits = 0;
    int m_bitCount = 0;
    std::array<uint8_t, 255> m_block {};
    size_t m_blockSize = 0;
};

struct TFrame {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool interlaced = false;
    bool transparent = false;
    std::vector<uint8_t> pixels; // rows top first
};

inline std::vector<uint8_t> WriteGif(
    int32_t width, int32_t height, const std::vector<TFrame>& frames)
{
    std::vector<uint8_t> out = { 'G', 'I', 'F', '8', '9', 'a' };
    AppendU16(out, uint32_t(width));
    AppendU16(out, uint32_t(height));
    out.insert(out.end(), { 0xF7, 0, 0 });
    for (uint32_t i = 0; i < 256; ++i) {
        const auto color = PaletteColor(i);
        out.insert(out.end(), color.begin(), color.end());
    }
    if (frames.size() > 1) // loop for ever
        out.insert(out.end(),
            { 0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0,
                0 });
    TLzwWriter lzw(out);
    for (const TFrame& frame : frames) {
        if (frames.size() > 1) {
            // Disposal 1 (leave the frame in place), 5 hundredths.
            out.insert(out.end(),
                { 0x21, 0xF9, 4, uint8_t(0x04 | (frame.transparent ? 1 : 0)), 5, 0,
                    kTransparentIndex, 0 });
        }
        out.push_back(0x2C);
        AppendU16(out, uint32_t(frame.left));
        AppendU16(out, uint32_t(frame.top));
        AppendU16(out, uint32_t(frame.width));
        AppendU16(out, uint32_t(frame.height));
        out.push_back(frame.interlaced ? 0x40 : 0);
        std::vector<uint8_t> stored;
        if (frame.interlaced) {
            stored.reserve(frame.pixels.size());
            for (const auto& [start, step] : { std::pair { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } })
                for (int32_t y = start; y < frame.height; y += step)
                    stored.insert(stored.end(), frame.pixels.begin() + ptrdiff_t(y) * frame.width,
                        frame.pixels.begin() + ptrdiff_t(y + 1) * frame.width);
        }
        lzw.Encode(frame.interlaced ? stored : frame.pixels);
    }
    out.push_back(0x3B);
    return out;
}

// An animation as screen recordings and banners make them: a full first picture, then frames
// that each redraw a region, every other one with transparent pixels over what was there.
// The regions are half the picture's width and height. Returns the frames and the last
// picture composed.
inline std::vector<TFrame> AnimationFrames(
    int32_t width, int32_t height, int count, std::vector<uint8_t>& composed)
{
    std::vector<TFrame> frames;
    composed.assign(size_t(width) * size_t(height), 0);
    for (int k = 0; k < count; ++k) {
        TFrame frame;
        const bool full = k % 5 == 0;
        frame.width = full ? width : width / 2;
        frame.height = full ? height : height / 2;
        frame.left = full ? 0 : (k * 37) % (width - frame.width);
        frame.top = full ? 0 : (k * 23) % (height - frame.height);
        frame.transparent = !full && k % 2 == 1;
        for (int32_t y = 0; y < frame.height; ++y)
            for (int32_t x = 0; x < frame.width; ++x) {
                const int32_t sx = x + frame.left + k * 11;
                const int32_t sy = y + frame.top + k * 7;
                uint8_t index = PaletteIndex(sx, sy, 5);
                if (frame.transparent && (Hash(uint32_t(sx / 16), uint32_t(sy / 16)) & 3) == 0)
                    index = kTransparentIndex;
                frame.pixels.push_back(index);
                if (index != kTransparentIndex || !frame.transparent)
                    composed[size_t(y + frame.top) * size_t(width) + size_t(x + frame.left)]
                        = index;
            }
        frames.push_back(std::move(frame));
    }
    return frames;
}
