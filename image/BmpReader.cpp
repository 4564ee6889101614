// Windows and OS/2 bitmap files: 1-, 4- and 8-bit palette images, 16- and 32-bit images with
// or without colour masks, 24-bit images, and 4- and 8-bit run-length compressed images.

#include "image/BmpRunLength.h"
#include "image/ByteReader.h"
#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
#include "image/Intensity.h"
#include "platform/Format.h"
#include "platform/MessagePump.h"
#include "platform/SystemMemory.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";
constexpr const char* kUnsupportedHeader = "Unsupported image header";
// Bytes of plain rows read at once: large reads go straight from the file into the bitmap.
constexpr size_t kRowsReadBytes = 256 * 1024;

// Adds the offset to each masked component of a 16- or 32-bit pixel, held to the component's
// range, and packs the three components again; bits outside the masks become 0.
class TMaskedIntensity {
public:
    TMaskedIntensity(const TBmpFields& bmp, int offset)
        : m_bmp(bmp)
        , m_offset(offset)
    {
    }

    uint32_t operator()(uint32_t pixel) const
    {
        uint32_t result = 0;
        for (const TColorMask& mask : m_bmp.masks) {
            const int64_t value = int64_t(mask.Value(pixel)) + int64_t(m_offset);
            const uint32_t held = uint32_t(std::clamp<int64_t>(value, 0, mask.maximum));
            result |= held << mask.shift;
        }
        return result;
    }

private:
    const TBmpFields& m_bmp;
    int m_offset;
};

// The intensity adjustment of the rows of a plain 16-, 24- or 32-bit file, made once for a
// decode. 24-bit rows, and 32-bit rows whose masks are whole bytes, are adjusted byte by byte;
// 16-bit rows eight pixels at a time where the processor has the instructions; any other
// pixel goes through TMaskedIntensity. Every way gives the same pixels.
class TRowIntensity {
public:
    TRowIntensity(const TBmpFields& bmp, int bitsPerPixel, int offset)
        : m_bitsPerPixel(bitsPerPixel)
        , m_bytes(offset)
        , m_masked(bmp, offset)
        , m_masks(bmp.masks)
        , m_offset(offset)
    {
        m_byteMasks = bitsPerPixel == 32;
        for (const TColorMask& mask : bmp.masks) {
            const bool wholeByte
                = mask.mask == 0 || (mask.shift % 8 == 0 && mask.mask == 0xFFu << mask.shift);
            m_byteMasks = m_byteMasks && wholeByte;
            m_keep |= mask.mask;
        }
    }

    void Apply(std::span<uint8_t> pixels) const
    {
        if (m_bitsPerPixel == 24) {
            m_bytes.Apply(pixels);
        } else if (m_byteMasks) {
            m_bytes.Apply(pixels, m_keep);
        } else if (m_bitsPerPixel == 16) {
            const size_t done = ApplySixteenBits(pixels);
            for (size_t i = done; i + 1 < pixels.size(); i += 2)
                PutU16(pixels, i, uint16_t(m_masked(GetU16(pixels, i))));
        } else if (m_bitsPerPixel == 32) {
            for (size_t i = 0; i + 3 < pixels.size(); i += 4)
                PutU32(pixels, i, m_masked(GetU32(pixels, i)));
        }
    }

private:
    // Whole groups of eight 16-bit pixels; returns the bytes done. For each component: the masked
    // bits moved down, a saturating add or subtract of the offset, then the smaller of that and
    // the maximum (s - max(s - maximum, 0)), moved back up.
    size_t ApplySixteenBits([[maybe_unused]] std::span<uint8_t> pixels) const
    {
        size_t i = 0;
#if defined(__SSE2__)
        const int64_t size = m_offset >= 0 ? int64_t(m_offset) : -int64_t(m_offset);
        const __m128i amount = _mm_set1_epi16(short(std::min<int64_t>(size, 0xFFFF)));
        // One component's part of eight pixels, its constants held in registers.
        struct TLane {
            __m128i bits;
            __m128i maximum;
            __m128i shift;
        };
        const auto lane = [](const TColorMask& mask) {
            return TLane { _mm_set1_epi16(short(mask.mask & 0xFFFF)),
                _mm_set1_epi16(short(std::min<uint32_t>(mask.maximum, 0xFFFF))),
                _mm_cvtsi32_si128(int(std::min<uint32_t>(mask.shift, 16))) };
        };
        const TLane red = lane(m_masks[0]);
        const TLane green = lane(m_masks[1]);
        const TLane blue = lane(m_masks[2]);
        const auto apply = [&](auto move) {
            const auto part = [&](__m128i pixel, const TLane& lane) {
                const __m128i value = _mm_srl_epi16(_mm_and_si128(pixel, lane.bits), lane.shift);
                const __m128i moved = move(value, amount);
                const __m128i held = _mm_sub_epi16(moved, _mm_subs_epu16(moved, lane.maximum));
                return _mm_sll_epi16(held, lane.shift);
            };
            for (; i + 16 <= pixels.size(); i += 16) {
                auto* const at = reinterpret_cast<__m128i*>(pixels.data() + i);
                const __m128i pixel = _mm_loadu_si128(at);
                _mm_storeu_si128(at,
                    _mm_or_si128(
                        _mm_or_si128(part(pixel, red), part(pixel, green)), part(pixel, blue)));
            }
        };
        if (m_offset >= 0)
            apply([](__m128i v, __m128i a) { return _mm_adds_epu16(v, a); });
        else
            apply([](__m128i v, __m128i a) { return _mm_subs_epu16(v, a); });
#endif
        return i;
    }

    int m_bitsPerPixel;
    TIntensityTable m_bytes;
    TMaskedIntensity m_masked;
    std::array<TColorMask, 3> m_masks;
    int m_offset;
    bool m_byteMasks = false;
    uint32_t m_keep = 0; // 32-bit pixels: the bytes a mask covers
};

// The first n bytes (0 to 8) of a little-endian 64-bit word.
constexpr std::array<uint64_t, 9> kLeadingBytes = [] {
    std::array<uint64_t, 9> masks {};
    for (size_t n = 1; n <= 8; ++n)
        masks[n] = masks[n - 1] | uint64_t(0xFF) << (8 * (n - 1));
    return masks;
}();

// Writes pixels 0 to count - 1 of a run into a row of 8-bit pixels from column on; nothing
// beyond the row is written. The row must be one that the walk fills from a new bitmap: a run of
// up to 16 pixels takes two 8-byte stores whose bytes after the run are 0, which is what the
// pixels to its right hold until a later code writes them. Where run lengths change from code
// to code, as in a dithered picture, this costs no mispredicted branch.
inline void StoreRunBytes(
    std::span<uint8_t> row, size_t column, size_t count, const TBmpRunPixels& pixels)
{
    count = std::min(count, row.size() - std::min(column, row.size()));
    if (count == 0)
        return; // a row above the last one, which has no bytes
    uint8_t* const out = row.data() + column;
    constexpr size_t kShort = 16;
    if (std::endian::native == std::endian::little && count <= kShort
        && row.size() - column >= kShort) {
        std::array<uint64_t, 2> words {};
        if (pixels.bytes)
            std::memcpy(words.data(), pixels.bytes, kShort);
        else
            words[0] = words[1] = uint64_t(pixels.value) * 0x0101010101010101u;
        words[0] &= kLeadingBytes[std::min<size_t>(count, 8)];
        words[1] &= kLeadingBytes[count > 8 ? count - 8 : 0];
        std::memcpy(out, words.data(), kShort);
    } else if (pixels.bytes) {
        std::memcpy(out, pixels.bytes, count);
    } else if (pixels.value != 0) {
        std::memset(out, pixels.value, count);
    }
}

// The same for a row of 4-bit pixels, whole bytes at a time where the pixels allow.
void StoreRunNibbles(
    std::span<uint8_t> row, size_t column, size_t count, const TBmpRunPixels& pixels)
{
    const size_t columns = row.size() * 2;
    count = std::min(count, columns - std::min(column, columns));
    if (count == 0)
        return;
    uint8_t* const out = row.data();
    size_t x = column;
    size_t i = 0;
    if (x % 2 != 0) {
        out[x / 2] = uint8_t((out[x / 2] & 0xF0) | pixels.At(i));
        ++x;
        ++i;
    }
    // Pairs of pixels fill whole bytes: from the start of a run as the run holds them, one pixel
    // on with their nibbles taken across its bytes.
    const size_t pairs = (count - i) / 2;
    uint8_t* const pairBytes = out + x / 2;
    if (!pixels.bytes) {
        const uint8_t value = pixels.value;
        std::memset(pairBytes, i == 0 ? value : uint8_t(value << 4 | value >> 4), pairs);
    } else if (i == 0) {
        std::memcpy(pairBytes, pixels.bytes, pairs);
    } else {
        for (size_t k = 0; k < pairs; ++k)
            pairBytes[k] = uint8_t(pixels.At(i + 2 * k) << 4 | pixels.At(i + 2 * k + 1));
    }
    x += 2 * pairs;
    i += 2 * pairs;
    if (i < count)
        out[x / 2] = uint8_t((out[x / 2] & 0x0F) | pixels.At(i) << 4);
}

} // namespace

bool TBaseDib::ReadBmpHeader()
{
    std::array<uint8_t, 14> fileHeader {};
    std::array<uint8_t, 64> raw {};
    if (!ReadFileExact(fileHeader) || !ReadFileExact(std::span<uint8_t>(raw).first(4)))
        return Fail(kPrematureEnd);
    const uint32_t headerSize = GetU32(raw, 0);
    if (headerSize < 12 || headerSize > 64)
        return Fail(kUnsupportedHeader);
    if (!ReadFileExact(std::span<uint8_t>(raw).subspan(4, headerSize - 4)))
        return Fail(kPrematureEnd);
    m_bmp = TBmpFields();
    m_bmp.rawHeader = raw;
    m_bmp.headerSize = headerSize;

    TByteReader in(std::span<const uint8_t>(raw).first(headerSize));
    in.Skip(4);
    int64_t height = 0;
    uint16_t bitCount = 0;
    if (headerSize == 12) {
        m_imageWidth = in.ReadU16();
        height = in.ReadU16();
        m_bmp.planes = in.ReadU16();
        bitCount = in.ReadU16();
        m_bmp.storedHeight = int32_t(height);
        m_bottomUp = true;
        m_runLength = false;
        m_colorCount = 0;
    } else {
        if (headerSize != 40 && headerSize != 64)
            return Fail(kUnsupportedHeader);
        m_imageWidth = in.ReadI32();
        height = in.ReadI32();
        m_bmp.planes = in.ReadU16();
        bitCount = in.ReadU16();
        m_bmp.compression = in.ReadU32();
        m_bmp.imageSizeField = in.ReadU32();
        m_bmp.xPixelsPerMeter = in.ReadI32();
        m_bmp.yPixelsPerMeter = in.ReadI32();
        m_bmp.colorsUsed = in.ReadU32();
        m_bmp.colorsImportant = in.ReadU32();
        m_bmp.storedHeight = int32_t(height);
        // A negative width has no picture; a top-down file stores its height negated.
        if (m_imageWidth < 0)
            return Fail(kUnsupportedHeader);
        m_bottomUp = height >= 0;
        height = height < 0 ? -height : height;
        m_runLength = m_bmp.compression == 1 || m_bmp.compression == 2;
        if (m_runLength && ((bitCount != 4 && bitCount != 8) || !m_bottomUp))
            return Fail(kUnsupportedHeader);
        m_colorCount = int32_t(std::min<uint32_t>(m_bmp.colorsUsed, 0x7FFFFFFF));
    }
    // The top-down height of INT32_MIN has no positive twin in 32 bits.
    if (height > std::numeric_limits<int32_t>::max())
        return Fail(kUnsupportedHeader);
    m_imageHeight = int32_t(height);
    m_bitsPerPixel = bitCount;

    switch (bitCount) {
    case 1:
    case 4:
    case 8:
        if (m_colorCount == 0)
            m_colorCount = 1 << bitCount;
        break;
    case 16:
    case 24:
    case 32:
        break;
    default:
        return Fail("Unsupported color depth");
    }
    m_bmp.paletteEntrySize = headerSize == 12 ? 3 : 4;
    if (m_bmp.planes != 1)
        return Fail("Unsupported number of bit planes");
    return true;
}

bool TBaseDib::ReadBmpMasks()
{
    std::array<uint32_t, 3> masks {};
    if (m_bmp.compression == 3) {
        std::array<uint8_t, 12> stored {};
        if (!ReadFileExact(stored))
            return Fail(kPrematureEnd);
        for (size_t c = 0; c < 3; ++c)
            masks[c] = GetU32(stored, c * 4);
    } else if (m_bitsPerPixel == 16) {
        masks = { 0x7C00, 0x03E0, 0x001F };
    } else {
        masks = { 0xFF0000, 0xFF00, 0xFF };
    }
    for (size_t c = 0; c < 3; ++c)
        m_bmp.masks[c] = TColorMask(masks[c], uint32_t(m_bitsPerPixel));
    return true;
}

bool TBaseDib::ReadBmpPalette(std::span<uint8_t, 256 * 4> table)
{
    if (m_colorCount == 0)
        return true;
    const size_t count = size_t(std::min(m_colorCount, 256));
    const size_t entrySize = m_bmp.paletteEntrySize;
    std::array<uint8_t, 256 * 4> entries {};
    if (!ReadFileExact(std::span(entries).first(count * entrySize)))
        return Fail(kPrematureEnd);
    for (size_t i = 0; i < count; ++i) {
        std::copy_n(
            entries.begin() + ptrdiff_t(i * entrySize), 3, table.begin() + ptrdiff_t(i * 4));
        table[i * 4 + 3] = 0;
    }
    return true;
}

// Reads the colour masks of a bit-field file into the bitmap, or sets the defaults of a plain
// 16- or 32-bit file.
bool TDisplayDib::ReadBmpBitmapMasks()
{
    if (!ReadBmpMasks())
        return false;
    if (m_bmp.compression == 3)
        for (size_t c = 0; c < 3; ++c)
            PutU32(ColorTable(), c * 4, m_bmp.masks[c].mask);
    return true;
}

// Reads the file's colour table into the bitmap's, intensity-adjusted; files above 8 bits
// have their tables read past.
bool TDisplayDib::ReadBmpColorTable()
{
    std::array<uint8_t, 256 * 4> table {};
    if (!ReadBmpPalette(table))
        return false;
    const std::span<uint8_t> bitmapTable = ColorTable().first(size_t(NumColors()) * 4);
    std::copy_n(table.begin(), bitmapTable.size(), bitmapTable.begin());
    AdjustColorTable(bitmapTable, IntensityOffset());
    return true;
}

bool TDisplayDib::DecodeBmp()
{
    ShowProgress(0);
    if (!ReadBmpHeader())
        return false;
    if (m_runLength)
        return DecodeBmpRunLength();

    m_bitmapWidth = m_imageWidth;
    m_bitmapHeight = m_imageHeight;
    const bool deep = m_bitsPerPixel == 16 || m_bitsPerPixel == 32;
    if (!CreateBitmap(deep && m_bmp.compression == 3))
        return false;
    if (deep && !ReadBmpBitmapMasks())
        return false;
    if (!ReadBmpColorTable())
        return false;

    StartRowProgress(m_bitmapHeight);
    const int offset = IntensityOffset();
    std::optional<TRowIntensity> adjust;
    if (offset != 0 && m_bitsPerPixel > 8)
        adjust.emplace(m_bmp, m_bitsPerPixel, offset);
    // The file pads its rows to 4 bytes as the bitmap does, so rows are read straight from the
    // file into the bitmap, many at a time: the rows of a bottom-up file lie in the bitmap as in
    // the file, those of a top-down file go to their mirrored places in one scattered read.
    const size_t stride = Stride();
    // Rows of width 0 hold no bytes: there is nothing to read, however many the header claims.
    if (stride == 0)
        return true;
    const int64_t height = m_bitmapHeight;
    const int64_t rowsPerRead = std::clamp<int64_t>(
        int64_t(kRowsReadBytes / stride), 1, m_bottomUp ? height : int64_t(kMaxFilePieces));
    std::vector<std::span<uint8_t>> pieces;
    int64_t position = TellFile();
    int64_t fileRow = 0;
    while (fileRow < height) {
        const int64_t rows = std::min(rowsPerRead, height - fileRow);
        // The rows of a read lie together in the bitmap, in either order: their pages are made
        // ready in one step, not by a fault each while the system copies into them.
        const int64_t lowest = m_bottomUp ? fileRow : TargetRow(fileRow + rows - 1, false);
        const std::span<uint8_t> chunk
            = Bits().subspan(size_t(lowest) * stride, size_t(rows) * stride);
        PrepareForWriting(chunk.data(), chunk.size());
        pieces.clear();
        if (m_bottomUp)
            pieces.push_back(chunk);
        else
            for (int64_t i = 0; i < rows; ++i)
                pieces.push_back(Row(TargetRow(fileRow + i, false)));
        const size_t got = ReadFileAt(position, pieces);
        position += int64_t(got);
        const int64_t rowsRead = int64_t(got / stride);
        for (int64_t i = 0; i < rowsRead; ++i, ++fileRow) {
            m_currentRow = int32_t(TargetRow(fileRow, m_bottomUp));
            if (adjust) {
                const std::span<uint8_t> row = Row(m_currentRow);
                adjust->Apply(row.first(std::min(size_t(m_rowBytes), row.size())));
            }
            RowProgress(fileRow + 1);
            if (PumpAndCheckAbort())
                return true;
        }
        if (rowsRead < rows)
            return FailPartly(kPrematureEnd, fileRow > 0);
    }
    return true;
}

// Run-length data: pairs of a count and a value, or an escape (0) with end of line, end of
// bitmap, delta or an absolute run. Runs are written only inside the image width of rows that
// exist; what lies beyond is dropped.
bool TDisplayDib::DecodeBmpRunLength()
{
    m_bitmapWidth = m_imageWidth;
    m_bitmapHeight = m_imageHeight;
    if (!CreateBitmap(false) || !ReadBmpColorTable())
        return false;
    StartRowProgress(m_bitmapHeight);

    // Each pixel lands in the nibble of its column (4 bits) or its byte (8 bits). The walk writes
    // every pixel once at most, from left to right, into a new bitmap, which is 0 already.
    struct TSink {
        TDisplayDib& dib;
        std::span<uint8_t> row;
        int64_t rowIndex = 0;

        bool Stop() const { return dib.AbortRequested(); }
        void Pixels(int64_t column, size_t count, const TBmpRunPixels& pixels)
        {
            if (pixels.fourBits)
                StoreRunNibbles(row, size_t(column), count, pixels);
            else
                StoreRunBytes(row, size_t(column), count, pixels);
        }
        void NextRow()
        {
            ++rowIndex;
            row = dib.Row(rowIndex);
            dib.RowProgress(rowIndex);
            PumpOneMessage();
        }
    };
    TSink sink { *this, Row(0) };
    int64_t rowsDone = 0;
    if (WalkBmpRunLength(sink, rowsDone) == TBmpRunEnd::PrematureEnd)
        return FailPartly(kPrematureEnd, rowsDone != 0);
    return true;
}

void AppendBmpInformation(const TBaseDib& dib, std::vector<std::string>& lines)
{
    const TBmpFields& bmp = dib.Bmp();
    lines.push_back("Header");
    lines.push_back(Format(" header size: %d", int(bmp.headerSize)));
    lines.push_back(Format(" width: %d", dib.ImageWidth()));
    lines.push_back(Format(" height: %d", bmp.storedHeight));
    lines.push_back(Format(" planes: %d", bmp.planes));
    lines.push_back(Format(" bit count: %d", dib.BitsPerPixel()));
    if (bmp.headerSize > 12) {
        lines.push_back(Format(" compression: %d", int(bmp.compression)));
        lines.push_back(Format(" size of image: %d", int(bmp.imageSizeField)));
        lines.push_back(Format(" x pixels per meter: %d", bmp.xPixelsPerMeter));
        lines.push_back(Format(" y pixels per meter: %d", bmp.yPixelsPerMeter));
        lines.push_back(Format(" colors used: %d", int(bmp.colorsUsed)));
        lines.push_back(Format(" important colors: %d", int(bmp.colorsImportant)));
        if ((dib.BitsPerPixel() == 16 || dib.BitsPerPixel() == 32) && bmp.compression == 3) {
            lines.push_back("");
            lines.push_back(Format(" red mask: %08X", unsigned(bmp.masks[0].mask)));
            lines.push_back(Format(" green mask: %08X", unsigned(bmp.masks[1].mask)));
            lines.push_back(Format(" blue mask: %08X", unsigned(bmp.masks[2].mask)));
        }
    }
    lines.push_back("");
    lines.push_back(Format(" bottom up: %d", dib.BottomUp() ? 1 : 0));
}
