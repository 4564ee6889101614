#pragma once

#include "support/TestFiles.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// Writes LZW codes least significant bit first, as GIF packs them.
class TCodeWriter {
public:
    void Put(int code, int size)
    {
        m_bits |= uint64_t(code) << m_count;
        m_count += size;
        while (m_count >= 8) {
            m_bytes.push_back(uint8_t(m_bits));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    std::vector<uint8_t> Finish()
    {
        if (m_count > 0)
            m_bytes.push_back(uint8_t(m_bits));
        m_bits = 0;
        m_count = 0;
        return m_bytes;
    }

private:
    std::vector<uint8_t> m_bytes;
    uint64_t m_bits = 0;
    int m_count = 0;
};

struct TLzwOptions {
    bool clearAtStart = true;
    bool endCode = true;
    bool clearWhenFull = true; // else the full table is kept and codes stay 12 bits
    int clearAfterCodes = 0; // a clear code after this many codes, when not 0
};

// An LZW encoder of its own for the tests: greedy longest match, code sizes kept in step with
// a decoder that grows its code size when its next free code reaches the limit.
inline std::vector<uint8_t> EncodeLzw(
    const std::vector<uint8_t>& pixels, int minCodeSize, TLzwOptions options = {})
{
    const int clear = 1 << minCodeSize;
    TCodeWriter writer;
    std::map<std::pair<int, int>, int> table;
    int encoderNext = clear + 2;
    int decoderNext = clear + 2;
    int codeSize = minCodeSize + 1;
    bool firstAfterClear = true;
    int codesSinceClear = 0;

    const auto reset = [&] {
        table.clear();
        encoderNext = decoderNext = clear + 2;
        codeSize = minCodeSize + 1;
        firstAfterClear = true;
        codesSinceClear = 0;
    };
    const auto put = [&](int code) {
        writer.Put(code, codeSize);
        ++codesSinceClear;
        if (!firstAfterClear && decoderNext < 4096) {
            ++decoderNext;
            if (decoderNext == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        }
        firstAfterClear = false;
    };
    const auto emitClear = [&] {
        writer.Put(clear, codeSize);
        reset();
    };

    if (options.clearAtStart)
        emitClear();
    size_t i = 0;
    while (i < pixels.size()) {
        int current = pixels[i++];
        while (i < pixels.size()) {
            const auto found = table.find({ current, pixels[i] });
            if (found == table.end())
                break;
            current = found->second;
            ++i;
        }
        put(current);
        if (i < pixels.size()) {
            if (encoderNext < 4096)
                table[{ current, pixels[i] }] = encoderNext++;
            else if (options.clearWhenFull) {
                emitClear();
                continue;
            }
        }
        if (options.clearAfterCodes > 0 && codesSinceClear == options.clearAfterCodes
            && i < pixels.size())
            emitClear();
    }
    if (options.endCode)
        writer.Put(clear + 1, codeSize);
    return writer.Finish();
}

// Cuts data into sub-blocks of blockSize bytes, each after its length byte, and ends them with
// a block of length 0 unless terminate is false.
inline std::vector<uint8_t> SubBlocks(
    const std::vector<uint8_t>& data, size_t blockSize = 255, bool terminate = true)
{
    std::vector<uint8_t> out;
    for (size_t at = 0; at < data.size(); at += blockSize) {
        const size_t length = std::min(blockSize, data.size() - at);
        out.push_back(uint8_t(length));
        out.insert(out.end(), data.begin() + ptrdiff_t(at), data.begin() + ptrdiff_t(at + length));
    }
    if (terminate)
        out.push_back(0);
    return out;
}

// The order in which an interlaced frame stores its rows.
inline std::vector<int> InterlacedOrder(int height)
{
    std::vector<int> order;
    for (int start : { 0, 4, 2, 1 }) {
        const int step = start == 0 ? 8 : start == 4 ? 8 : start == 2 ? 4 : 2;
        for (int y = start; y < height; y += step)
            order.push_back(y);
    }
    return order;
}

struct TGifControl {
    int disposal = 0;
    bool transparent = false;
    int transparentIndex = 0;
    int delay = 0;
    bool userInput = false;
};

struct TGifFrame {
    int left = 0;
    int top = 0;
    int width = 1;
    int height = 1;
    bool interlaced = false;
    std::vector<uint32_t> localPalette; // 0xRRGGBB; a power of two from 2 to 256 entries
    std::optional<TGifControl> control;
    std::vector<uint8_t> pixels; // rows top first, as shown
    int minCodeSize = 0; // 0: from the palette size, at least 2
    size_t blockSize = 255;
    std::optional<std::vector<uint8_t>> data; // the sub-blocks as they stand, instead
};

// Builds GIF files byte by byte: header, global table, frames with their extensions, tables
// and LZW data, and the trailer.
struct TGifBuilder {
    std::string version = "89a";
    int width = 1;
    int height = 1;
    std::vector<uint32_t> globalPalette; // 0xRRGGBB; none when empty
    int globalSizeBits = -1; // flags AND 7 without a table; -1: 0
    int background = 0;
    int aspect = 0;
    int resolutionBits = 8;
    std::vector<TGifFrame> frames;
    bool trailer = true;

    static void AppendPalette(std::vector<uint8_t>& out, const std::vector<uint32_t>& palette)
    {
        for (uint32_t color : palette)
            AppendBytes(out, { uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color) });
    }
    static int SizeBits(size_t entries)
    {
        int bits = 0;
        while ((size_t(2) << bits) < entries)
            ++bits;
        return bits;
    }

    std::vector<uint8_t> Build() const
    {
        std::vector<uint8_t> out;
        for (char c : "GIF" + version)
            out.push_back(uint8_t(c));
        AppendU16(out, uint32_t(width));
        AppendU16(out, uint32_t(height));
        uint8_t flags = uint8_t((resolutionBits - 1) << 4);
        if (!globalPalette.empty())
            flags |= uint8_t(0x80 | SizeBits(globalPalette.size()));
        else if (globalSizeBits > 0)
            flags |= uint8_t(globalSizeBits);
        AppendBytes(out, { flags, uint8_t(background), uint8_t(aspect) });
        AppendPalette(out, globalPalette);

        for (const TGifFrame& frame : frames) {
            if (frame.control) {
                const TGifControl& control = *frame.control;
                const uint8_t fields = uint8_t(control.disposal << 2 | (control.userInput ? 2 : 0)
                    | (control.transparent ? 1 : 0));
                AppendBytes(out, { 0x21, 0xF9, 4, fields });
                AppendU16(out, uint32_t(control.delay));
                AppendBytes(out, { uint8_t(control.transparentIndex), 0 });
            }
            AppendU8(out, 0x2C);
            AppendU16(out, uint32_t(frame.left));
            AppendU16(out, uint32_t(frame.top));
            AppendU16(out, uint32_t(frame.width));
            AppendU16(out, uint32_t(frame.height));
            uint8_t frameFlags = frame.interlaced ? 0x40 : 0;
            if (!frame.localPalette.empty())
                frameFlags |= uint8_t(0x80 | SizeBits(frame.localPalette.size()));
            AppendU8(out, frameFlags);
            AppendPalette(out, frame.localPalette);

            const size_t entries
                = frame.localPalette.empty() ? globalPalette.size() : frame.localPalette.size();
            const int minCodeSize
                = frame.minCodeSize > 0 ? frame.minCodeSize : std::max(2, SizeBits(entries) + 1);
            AppendU8(out, uint32_t(minCodeSize));
            if (frame.data) {
                out.insert(out.end(), frame.data->begin(), frame.data->end());
                continue;
            }
            std::vector<uint8_t> stored = frame.pixels;
            if (frame.interlaced) {
                stored.clear();
                for (int y : InterlacedOrder(frame.height))
                    stored.insert(stored.end(), frame.pixels.begin() + y * frame.width,
                        frame.pixels.begin() + (y + 1) * frame.width);
            }
            const auto blocks = SubBlocks(EncodeLzw(stored, minCodeSize), frame.blockSize);
            out.insert(out.end(), blocks.begin(), blocks.end());
        }
        if (trailer)
            AppendU8(out, 0x3B);
        return out;
    }
};
