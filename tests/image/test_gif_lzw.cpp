#include "GifBuilder.h"

#include "image/GifLzw.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Data blocks from memory; the end of the bytes is the end of the file.
class TMemoryInput final : public TGifInput {
public:
    explicit TMemoryInput(std::vector<uint8_t> bytes)
        : m_bytes(std::move(bytes))
    {
    }
    int ReadByte() override { return m_pos < m_bytes.size() ? m_bytes[m_pos++] : EOF; }
    size_t Read(std::span<uint8_t> out) override
    {
        const size_t count = std::min(out.size(), m_bytes.size() - m_pos);
        std::copy_n(m_bytes.begin() + ptrdiff_t(m_pos), count, out.begin());
        m_pos += count;
        return count;
    }
    size_t Position() const { return m_pos; }

private:
    std::vector<uint8_t> m_bytes;
    size_t m_pos = 0;
};

std::vector<uint8_t> Decode(std::vector<uint8_t> blocks, int minCodeSize, size_t count)
{
    TMemoryInput input(std::move(blocks));
    TGifLzw lzw;
    lzw.Start(minCodeSize);
    std::vector<uint8_t> pixels(count, 0xEE);
    lzw.ReadPixels(input, pixels);
    return pixels;
}

// Pixels with long repeats and noise, so that strings grow long and the table fills.
std::vector<uint8_t> Picture(size_t count, int colors, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<uint8_t> pixels(count);
    for (size_t i = 0; i < count; ++i)
        pixels[i] = uint8_t(
            random() % 7 == 0 ? random() % unsigned(colors) : (i / 13) % unsigned(colors));
    return pixels;
}

// Codes of the given sizes, packed as they stand.
std::vector<uint8_t> Codes(std::initializer_list<std::pair<int, int>> codes)
{
    TCodeWriter writer;
    for (const auto& [code, size] : codes)
        writer.Put(code, size);
    return SubBlocks(writer.Finish());
}

} // namespace

TEST(GifLzw, DecodesWhatAnEncoderWroteAtEveryMinimumCodeSize)
{
    for (int minCodeSize = 2; minCodeSize <= 11; ++minCodeSize) {
        const int colors = std::min(1 << minCodeSize, 256);
        const auto pixels = Picture(30000, colors, unsigned(minCodeSize));
        const auto blocks = SubBlocks(EncodeLzw(pixels, minCodeSize));
        EXPECT_EQ(Decode(blocks, minCodeSize, pixels.size()), pixels) << minCodeSize;
    }
}

TEST(GifLzw, ReadsCodesThatSpanSeveralTinyBlocks)
{
    // With one byte a block, a 12-bit code lies in two or three blocks.
    const auto pixels = Picture(20000, 256, 7);
    for (size_t blockSize : { size_t(1), size_t(2), size_t(3) }) {
        const auto blocks = SubBlocks(EncodeLzw(pixels, 8), blockSize);
        EXPECT_EQ(Decode(blocks, 8, pixels.size()), pixels) << blockSize;
    }
}

TEST(GifLzw, ReadsPixelsOneByOneAsInBulk)
{
    const auto pixels = Picture(5000, 16, 3);
    TMemoryInput input(SubBlocks(EncodeLzw(pixels, 4), 7));
    TGifLzw lzw;
    lzw.Start(4);
    std::vector<uint8_t> decoded;
    for (size_t i = 0; i < pixels.size(); i += 3) {
        decoded.push_back(lzw.ReadPixel(input));
        std::vector<uint8_t> pair(std::min<size_t>(2, pixels.size() - decoded.size()));
        lzw.ReadPixels(input, pair);
        decoded.insert(decoded.end(), pair.begin(), pair.end());
    }
    EXPECT_EQ(decoded, pixels);
}

TEST(GifLzw, ExpandsACodeUsedInTheStepThatDefinesIt)
{
    // Minimum size 2: clear 4, end 5, first free 6. After literal 1, code 6 is "1 1".
    EXPECT_EQ(Decode(Codes({ { 4, 3 }, { 1, 3 }, { 6, 3 }, { 5, 3 } }), 2, 4),
        (std::vector<uint8_t> { 1, 1, 1, 0 }));
    // A run of one value is all such codes.
    const std::vector<uint8_t> run(5000, 3);
    EXPECT_EQ(Decode(SubBlocks(EncodeLzw(run, 2)), 2, run.size()), run);
}

TEST(GifLzw, ReadsACodeBeyondTheNextFreeAsThePreviousStringAndForgetsIt)
{
    // Code 7 is beyond the first free code 6: it gives "1 1" and the previous code becomes
    // 0, so the entry made next (6 = "1 1") is followed by 7 = "0 ..." only in name.
    EXPECT_EQ(Decode(Codes({ { 4, 3 }, { 1, 3 }, { 7, 3 }, { 6, 3 }, { 5, 4 } }), 2, 6),
        (std::vector<uint8_t> { 1, 1, 1, 1, 1, 0 }));
}

TEST(GifLzw, KeepsAFullTableWithoutAClearCode)
{
    const auto pixels = Picture(200000, 256, 11);
    TLzwOptions options;
    options.clearWhenFull = false;
    const auto blocks = SubBlocks(EncodeLzw(pixels, 8, options));
    EXPECT_EQ(Decode(blocks, 8, pixels.size()), pixels);
}

TEST(GifLzw, StartsWithoutAClearCodeAndResetsOnClearCodesMidway)
{
    const auto pixels = Picture(20000, 4, 5);
    TLzwOptions options;
    options.clearAtStart = false;
    options.clearAfterCodes = 300;
    EXPECT_EQ(Decode(SubBlocks(EncodeLzw(pixels, 2, options)), 2, pixels.size()), pixels);
    // Clear codes in a row, and the end code right after a clear, which reads as 0.
    EXPECT_EQ(Decode(Codes({ { 4, 3 }, { 4, 3 }, { 2, 3 }, { 4, 3 }, { 5, 3 }, { 3, 3 } }), 2, 3),
        (std::vector<uint8_t> { 2, 0, 3 }));
}

TEST(GifLzw, LiteralsAboveAByteKeepTheirLowByte)
{
    // Minimum size 9: literal 0x1FF is pixel 0xFF.
    EXPECT_EQ(Decode(Codes({ { 512, 10 }, { 0x1FF, 10 }, { 0x102, 10 }, { 513, 10 } }), 9, 2),
        (std::vector<uint8_t> { 0xFF, 0x02 }));
}

TEST(GifLzw, EndsTheFrameWithZerosWhenTheDataEnd)
{
    const std::vector<uint8_t> pixels = { 1, 2, 3, 1, 2, 3, 1 };
    // An end code before the pixels are complete.
    EXPECT_EQ(Decode(SubBlocks(EncodeLzw(pixels, 2)), 2, 10),
        (std::vector<uint8_t> { 1, 2, 3, 1, 2, 3, 1, 0, 0, 0 }));
    // No end code: the block terminator ends the data.
    TLzwOptions noEnd;
    noEnd.endCode = false;
    EXPECT_EQ(Decode(SubBlocks(EncodeLzw(pixels, 2, noEnd)), 2, 9),
        (std::vector<uint8_t> { 1, 2, 3, 1, 2, 3, 1, 0, 0 }));

    // A block cut short by the end of the file loses that block and ends the frame.
    auto cut = SubBlocks(EncodeLzw(Picture(2000, 4, 9), 2), 50);
    cut.resize(51 + 20);
    TMemoryInput input(cut);
    TGifLzw lzw;
    lzw.Start(2);
    std::vector<uint8_t> decoded(2000, 0xEE);
    lzw.ReadPixels(input, decoded);
    EXPECT_TRUE(lzw.Exhausted());
    EXPECT_EQ(decoded.back(), 0);
}

TEST(GifLzw, ThrowsWhenTheFileEndsWhereABlockLengthShouldStand)
{
    const auto pixels = Picture(3000, 16, 4);
    auto blocks = SubBlocks(EncodeLzw(pixels, 4), 100, false);
    blocks.resize(101); // one whole block, then nothing
    TMemoryInput input(blocks);
    TGifLzw lzw;
    lzw.Start(4);
    std::vector<uint8_t> decoded(pixels.size());
    try {
        lzw.ReadPixels(input, decoded);
        FAIL() << "no error";
    } catch (const TGifDataError& error) {
        EXPECT_STREQ(error.what(), "Premature end of file");
    }

    // After an early end code the rest of the blocks are skipped; a file that ends there is
    // the same error.
    auto early = SubBlocks(EncodeLzw({ 1, 2 }, 2), 255, false);
    EXPECT_THROW(Decode(early, 2, 5), TGifDataError);
}

TEST(GifLzw, SkipsTheRestOfTheBlocksOfACompleteFrame)
{
    const std::vector<uint8_t> pixels = { 1, 2, 3, 3, 2, 1 };
    auto blocks = SubBlocks(EncodeLzw(pixels, 2), 1);
    blocks.push_back(0x2C); // what follows the frame
    TMemoryInput input(blocks);
    TGifLzw lzw;
    lzw.Start(2);
    std::vector<uint8_t> decoded(pixels.size());
    lzw.ReadPixels(input, decoded);
    EXPECT_EQ(decoded, pixels);
    lzw.SkipRest(input);
    EXPECT_EQ(input.ReadByte(), 0x2C);
    // A file that ends inside those blocks is no error: the frame is whole.
    TMemoryInput cut(SubBlocks(EncodeLzw(pixels, 2), 1, false));
    lzw.Start(2);
    lzw.ReadPixels(cut, decoded);
    EXPECT_NO_THROW(lzw.SkipRest(cut));
}
