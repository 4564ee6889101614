// PCX files: monochrome, 16 colours packed or in four bit planes, 256 colours with the palette
// at the end of the file, and true colour in three planes, all run-length encoded.

#include "image/ByteReader.h"
#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
#include "image/Intensity.h"
#include "platform/Format.h"

#include <algorithm>
#include <cstring>
#include <optional>

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";

// Red, green, blue of the 16 colours a file with an empty header palette is shown in.
constexpr std::array<uint8_t, 48> kDefaultPalette = {
    0, 0, 0, 0, 0, 255, 0, 255, 0, 0, 255, 255, //
    255, 0, 0, 255, 0, 255, 255, 255, 0, 255, 255, 255, //
    85, 85, 255, 85, 85, 85, 0, 170, 0, 170, 0, 0, //
    85, 255, 255, 255, 85, 255, 255, 255, 85, 255, 255, 255, //
};

// The four bit planes of an EGA-style line merged into 4-bit pixels: for each plane and each
// plane byte (8 pixels), the 4 bitmap bytes it contributes, in memory order. Plane p sets bit
// p of each pixel's colour index, the left pixel of a pair in the high nibble.
struct TPlaneMergeTable {
    std::array<std::array<uint32_t, 256>, 4> bits {};

    TPlaneMergeTable()
    {
        for (size_t plane = 0; plane < 4; ++plane)
            for (uint32_t value = 0; value < 256; ++value) {
                uint32_t merged = 0;
                for (uint32_t pair = 0; pair < 4; ++pair) {
                    uint32_t byte = 0;
                    if (value >> (7 - 2 * pair) & 1u)
                        byte |= 0x10u << plane;
                    if (value >> (6 - 2 * pair) & 1u)
                        byte |= 0x01u << plane;
                    merged |= byte << (8 * pair);
                }
                bits[plane][value] = merged;
            }
    }
};

const TPlaneMergeTable& PlaneMerge()
{
    static const TPlaneMergeTable table;
    return table;
}

} // namespace

std::array<uint8_t, 48> PcxSmallPalette(const TPcxFields& pcx, int32_t colorCount)
{
    const size_t used = size_t(std::clamp(colorCount, 0, 16)) * 3;
    const auto begin = pcx.headerPalette.begin();
    if (std::any_of(begin, begin + ptrdiff_t(used), [](uint8_t c) { return c != 0; }))
        return pcx.headerPalette;
    std::array<uint8_t, 48> palette = kDefaultPalette;
    if (colorCount == 2)
        std::copy_n(kDefaultPalette.begin() + 45, 3, palette.begin() + 3);
    return palette;
}

TPcxLine::TPcxLine(const TPcxFields& pcx, int32_t width)
    : m_width(size_t(std::max(width, 0)))
    , m_bitsPerPlane(pcx.bitsPerPlane)
    , m_planes(pcx.planes)
    , m_planeBytes(pcx.bytesPerLine)
{
}

size_t TPcxLine::PixelsWithData() const
{
    const size_t bitsPerPixel
        = std::max<size_t>(m_planes == 1 && m_bitsPerPlane == 24 ? 24 : m_bitsPerPlane, 1);
    return std::min(m_width, (m_planeBytes * 8 + bitsPerPixel - 1) / bitsPerPixel);
}

uint32_t TPcxLine::Pixel(std::span<const uint8_t> line, size_t x) const
{
    const auto byteAt = [&](size_t plane, size_t index) -> uint32_t {
        if (index >= m_planeBytes)
            return 0;
        const size_t at = plane * m_planeBytes + index;
        return at < line.size() ? line[at] : 0;
    };
    if (m_planes == 1 && m_bitsPerPlane == 24)
        return byteAt(0, 3 * x) | byteAt(0, 3 * x + 1) << 8 | byteAt(0, 3 * x + 2) << 16;

    // Each plane holds bits-per-plane bits for each pixel, most significant first; a sample
    // spans at most 3 bytes (12 bits from any bit of a byte).
    const size_t bits = m_bitsPerPlane;
    const size_t firstBit = x * bits;
    const size_t index = firstBit / 8;
    const size_t shift = 24 - firstBit % 8 - bits;
    const uint32_t mask = (1u << bits) - 1u;
    uint32_t value = 0;
    for (size_t plane = 0; plane < m_planes; ++plane) {
        const uint32_t window
            = byteAt(plane, index) << 16 | byteAt(plane, index + 1) << 8 | byteAt(plane, index + 2);
        value |= (window >> shift & mask) << (plane * bits);
    }
    return value;
}

void TPcxLine::Place(std::span<const uint8_t> line, size_t valid, std::span<uint8_t> row,
    const TIntensityTable* adjust) const
{
    const size_t depth = m_bitsPerPlane * m_planes;
    const auto component = [adjust](uint8_t value) { return adjust ? (*adjust)[value] : value; };

    if (m_planes == 1 && depth <= 8) {
        // Packed pixels as the bitmap holds them: whole bytes, then the bits of the last
        // pixels of a byte that holds pixels beyond the width are cleared.
        const size_t perByte = 8 / depth;
        const size_t available = std::min(line.size(), m_planeBytes);
        const size_t whole = std::min({ m_width / perByte, available, row.size() });
        std::copy_n(line.begin(), whole, row.begin());
        const size_t rest = m_width % perByte;
        if (rest != 0 && whole == m_width / perByte && whole < available && whole < row.size())
            row[whole] = uint8_t(line[whole] & (0xFF00u >> (rest * depth)));
        return;
    }

    if (depth == 24) {
        const size_t pixels = std::min(PixelsWithData(), row.size() / 3);
        if (m_planes == 3 && m_bitsPerPlane == 8) {
            // Red, green and blue planes, each bytes per line long.
            for (size_t plane = 0; plane < 3; ++plane) {
                const size_t start = plane * m_planeBytes;
                const size_t count
                    = std::min({ pixels, m_planeBytes, valid > start ? valid - start : 0 });
                const uint8_t* in = line.data() + start;
                uint8_t* out = row.data() + (2 - plane);
                for (size_t x = 0; x < count; ++x)
                    out[3 * x] = component(in[x]);
            }
            return;
        }
        // Other layouts pixel by pixel; a component is written when its first stored byte
        // came from the file.
        for (size_t x = 0; x < pixels; ++x) {
            const uint32_t value = Pixel(line, x);
            for (size_t c = 0; c < 3; ++c) {
                const size_t firstBit = m_planes == 1 ? 24 * x + 8 * c : x * m_bitsPerPlane;
                const size_t plane = m_planes == 1 ? 0 : 8 * c / m_bitsPerPlane;
                if (firstBit / 8 < m_planeBytes && plane * m_planeBytes + firstBit / 8 < valid)
                    row[3 * x + 2 - c] = component(uint8_t(value >> (8 * c)));
            }
        }
        return;
    }

    // Colour indices from several planes; missing bytes are 0 and add no bits.
    size_t x = 0;
    uint8_t* out = row.data();
    if (depth == 4 && m_bitsPerPlane == 1) {
        // Four 1-bit planes, a plane byte (8 pixels) at a time while all 8 are inside.
        const auto& merge = PlaneMerge().bits;
        const size_t groups = std::min({ m_width / 8, m_planeBytes, row.size() / 4 });
        const uint8_t* in = line.data();
        const size_t stride = m_planeBytes;
        for (size_t group = 0; group < groups; ++group) {
            const uint32_t merged = merge[0][in[group]] | merge[1][in[stride + group]]
                | merge[2][in[2 * stride + group]] | merge[3][in[3 * stride + group]];
            out[4 * group] = uint8_t(merged);
            out[4 * group + 1] = uint8_t(merged >> 8);
            out[4 * group + 2] = uint8_t(merged >> 16);
            out[4 * group + 3] = uint8_t(merged >> 24);
        }
        x = groups * 8;
    }
    const size_t pixels = std::min(PixelsWithData(), row.size() * 8 / depth);
    for (; x < pixels; ++x) {
        const uint32_t value = Pixel(line, x);
        if (depth == 8)
            row[x] = uint8_t(value);
        else
            row[x / 2] |= uint8_t(x % 2 == 0 ? value << 4 : value);
    }
}

bool TBaseDib::ReadPcxHeader()
{
    m_pcx = TPcxFields();
    std::array<uint8_t, TPcxFields::kHeaderSize> raw {};
    if (!ReadFileExact(raw))
        return Fail(kPrematureEnd);
    m_pcx.rawHeader = raw;
    TByteReader in(raw);
    m_pcx.manufacturer = in.ReadU8();
    m_pcx.version = in.ReadU8();
    m_pcx.encoding = in.ReadU8();
    m_pcx.bitsPerPlane = in.ReadU8();
    m_pcx.minX = in.ReadU16();
    m_pcx.minY = in.ReadU16();
    m_pcx.maxX = in.ReadU16();
    m_pcx.maxY = in.ReadU16();
    m_pcx.horizontalDpi = in.ReadU16();
    m_pcx.verticalDpi = in.ReadU16();
    std::copy_n(raw.begin() + 16, 48, m_pcx.headerPalette.begin());
    in.Skip(48 + 1);
    m_pcx.planes = in.ReadU8();
    m_pcx.bytesPerLine = in.ReadU16();
    m_pcx.paletteType = in.ReadU16();
    m_pcx.horizontalScreenSize = in.ReadU16();
    m_pcx.verticalScreenSize = in.ReadU16();

    if (m_pcx.manufacturer != 10)
        return Fail("Unsupported image header");
    // A minimum above the maximum leaves a negative size, which no bitmap is made for.
    m_imageWidth = int32_t(m_pcx.maxX) + 1 - int32_t(m_pcx.minX);
    m_imageHeight = int32_t(m_pcx.maxY) + 1 - int32_t(m_pcx.minY);
    m_bitsPerPixel = int32_t(m_pcx.bitsPerPlane) * int32_t(m_pcx.planes);
    switch (m_bitsPerPixel) {
    case 1:
        m_colorCount = 2;
        break;
    case 4:
        m_colorCount = 16;
        break;
    case 8:
        m_colorCount = 256;
        break;
    case 24:
        m_colorCount = 0;
        break;
    default:
        return Fail("Unsupported color depth");
    }
    return true;
}

bool TBaseDib::StartPcxData()
{
    m_pcx.position = 0;
    m_pcx.filled = 0;
    m_pcx.repeat = 0;
    m_pcx.current = 0;
    return SeekFile(TPcxFields::kHeaderSize);
}

size_t TBaseDib::ReadPcxBytes(std::span<uint8_t> out)
{
    // The state lives in locals while bytes are stored: a store through out could otherwise
    // alias any field of the record, and the loop would reload them all after every byte.
    // The current byte matters only while copies of it are still due (repeat above 1).
    TPcxFields& pcx = m_pcx;
    size_t position = pcx.position;
    size_t filled = pcx.filled;
    uint32_t repeat = pcx.repeat;
    uint8_t current = pcx.current;
    const auto refill = [&] {
        filled = ReadFile(pcx.buffer);
        position = 0;
        return filled != 0;
    };

    uint8_t* const target = out.data();
    const size_t size = out.size();
    size_t done = 0;
    while (done < size) {
        if (repeat > 1) {
            const size_t copies = std::min<size_t>(repeat - 1, size - done);
            std::memset(target + done, current, copies);
            done += copies;
            repeat -= uint32_t(copies);
            continue;
        }
        // Plain bytes straight from the buffer until a run or the end of either.
        const size_t plainEnd = position + std::min(filled - position, size - done);
        while (position < plainEnd && pcx.buffer[position] < 0xC0)
            target[done++] = pcx.buffer[position++];
        if (done == size)
            break;
        if (position == filled) {
            if (!refill())
                break;
            continue;
        }
        // A byte with both top bits set repeats the next byte by its low 6 bits; a count of 0
        // still gives the byte once.
        const uint32_t count = pcx.buffer[position++] & 0x3Fu;
        if (position == filled && !refill())
            break;
        current = pcx.buffer[position++];
        repeat = count;
        target[done++] = current;
    }
    pcx.position = position;
    pcx.filled = filled;
    pcx.repeat = repeat;
    pcx.current = current;
    return done;
}

bool TBaseDib::ReadPcxByte(uint8_t& byte) { return ReadPcxBytes(std::span(&byte, 1)) == 1; }

bool TBaseDib::ReadPcxEndPalette(std::array<uint8_t, 768>& palette, bool& present)
{
    present = false;
    if (!File() || fseeko(File(), -769, SEEK_END) != 0)
        return Fail(kPrematureEnd);
    const int marker = ReadFileByte();
    if (marker == EOF)
        return Fail(kPrematureEnd);
    if (marker != 0x0C)
        return true;
    if (!ReadFileExact(palette))
        return Fail(kPrematureEnd);
    present = true;
    return true;
}

bool TDisplayDib::SetPcxColorTable()
{
    if (m_bitsPerPixel == 8) {
        std::array<uint8_t, 768> palette {};
        bool present = false;
        if (!ReadPcxEndPalette(palette, present))
            return false;
        // Without the marker the table stays black, and the picture with it.
        if (present)
            for (size_t i = 0; i < 256; ++i)
                SetColor(i, palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
    } else if (m_bitsPerPixel < 8) {
        const std::array<uint8_t, 48> palette = PcxSmallPalette(m_pcx, m_colorCount);
        for (size_t i = 0; i < size_t(m_colorCount); ++i)
            SetColor(i, palette[3 * i], palette[3 * i + 1], palette[3 * i + 2]);
    }
    AdjustColorTable(ColorTable(), IntensityOffset());
    return true;
}

// Stored lines are decoded whole and then placed, so that padding at the end of a line or of
// a plane (bytes per line is even and may exceed the width) is read and dropped instead of
// running into the next row. Runs may continue from one line into the next.
bool TDisplayDib::DecodePcx()
{
    ShowProgress(0);
    if (!ReadPcxHeader())
        return false;
    m_bitmapWidth = m_imageWidth;
    m_bitmapHeight = m_imageHeight;
    if (!CreateBitmap(false) || !SetPcxColorTable())
        return false;
    StartRowProgress(m_bitmapHeight);
    if (!StartPcxData())
        return Fail(kPrematureEnd);

    const TPcxLine layout(m_pcx, m_bitmapWidth);
    std::vector<uint8_t> line(m_pcx.LineBytes());
    std::optional<TIntensityTable> adjust;
    if (m_bitsPerPixel == 24 && IntensityOffset() != 0)
        adjust.emplace(IntensityOffset());

    for (int64_t rowsDone = 0; rowsDone < m_bitmapHeight;) {
        const size_t got = ReadPcxBytes(line);
        m_currentRow = int32_t(TargetRow(rowsDone, false));
        if (got < line.size())
            std::fill(line.begin() + ptrdiff_t(got), line.end(), 0);
        if (got > 0)
            layout.Place(line, got, Row(m_currentRow), adjust ? &*adjust : nullptr);
        // The data ended: the rows done stay, without a message. Data ending before the first
        // row is done leave nothing to show, and an error needs its reason.
        if (got < line.size())
            return rowsDone > 0 || Fail(kPrematureEnd);
        ++rowsDone;
        RowProgress(rowsDone);
        if (PumpAndCheckAbort())
            break;
    }
    return true;
}

void AppendPcxInformation(const TBaseDib& dib, std::vector<std::string>& lines)
{
    const TPcxFields& pcx = dib.Pcx();
    lines.push_back("Header");
    lines.push_back(Format(" manufacturer: %d", pcx.manufacturer));
    lines.push_back(Format(" version: %d", pcx.version));
    lines.push_back(Format(" PCX RLE encoded: %d", pcx.encoding));
    lines.push_back(Format(" bits per pixel: %d", pcx.bitsPerPlane));
    lines.push_back(Format(" min x: %d", pcx.minX));
    lines.push_back(Format(" min y: %d", pcx.minY));
    lines.push_back(Format(" max x: %d", pcx.maxX));
    lines.push_back(Format(" max y: %d", pcx.maxY));
    lines.push_back(Format(" horizontal dpi: %d", pcx.horizontalDpi));
    lines.push_back(Format(" vertical dpi: %d", pcx.verticalDpi));
    lines.push_back(Format(" number of color planes: %d", pcx.planes));
    lines.push_back(Format(" bytes per line: %d", pcx.bytesPerLine));
    lines.push_back(Format(" palette type: %d", pcx.paletteType));
    lines.push_back(Format(" horizontal screen size: %d", pcx.horizontalScreenSize));
    lines.push_back(Format(" vertical screen size: %d", pcx.verticalScreenSize));
}
