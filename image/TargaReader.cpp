// Targa files: colour-mapped (8 bits), true-colour (15, 16, 24 and 32 bits) and grey (8 bits)
// images, uncompressed or run-length encoded, stored top line or bottom line first.

#include "image/ByteReader.h"
#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
#include "image/Intensity.h"
#include "platform/Format.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";
constexpr const char* kInvalidFile = "Invalid or unsupported Targa file";
constexpr const char* kUnsupportedMap = "Unsupported Targa colormap format";

// Bytes of one colour map entry: 2 for 15 and 16 bits, 3 for 24, 4 for 32, and 1 for any other
// size, which only a map that is read past may have.
size_t MapEntryBytes(uint8_t entrySize)
{
    switch (entrySize) {
    case 15:
    case 16:
        return 2;
    case 24:
        return 3;
    case 32:
        return 4;
    default:
        return 1;
    }
}

// Writes copies of one pixel one after the other: up to 16 copies one by one, then those 16 in
// blocks, so that long runs go at the speed of memcpy.
template <size_t PixelBytes>
void Replicate(uint8_t* target, const std::array<uint8_t, 4>& pixel, size_t copies)
{
    if constexpr (PixelBytes == 1) {
        std::memset(target, pixel[0], copies);
    } else {
        const size_t small = std::min<size_t>(copies, 16);
        for (size_t i = 0; i < small; ++i)
            std::memcpy(target + PixelBytes * i, pixel.data(), PixelBytes);
        constexpr size_t kBlock = 16 * PixelBytes;
        const size_t total = copies * PixelBytes;
        for (size_t at = kBlock; at < total; at += kBlock)
            std::memcpy(target + at, target, std::min(kBlock, total - at));
    }
}

// The run-length packets of a Targa file, decoded from an input buffer into pixels. The state
// is copied in and out by the caller, so that stores into the pixels cannot alias it; the
// refill function reads the next bytes of the file into the buffer and returns their count.
struct TPacketReader {
    const uint8_t* input;
    size_t position;
    size_t filled;
    uint32_t rawLeft; // raw pixels still to read in the current packet
    uint32_t repeatLeft; // copies of pixel still to deliver
    std::array<uint8_t, 4> pixel;
    bool ended = false;

    // Copies bytes of the input to target; fewer only when the file ends.
    template <typename Refill> size_t Take(uint8_t* target, size_t bytes, Refill& refill)
    {
        size_t copied = 0;
        while (copied < bytes) {
            if (position == filled) {
                filled = refill();
                position = 0;
                if (filled == 0)
                    break;
            }
            const size_t chunk = std::min(bytes - copied, filled - position);
            std::memcpy(target + copied, input + position, chunk);
            position += chunk;
            copied += chunk;
        }
        return copied;
    }

    // Fills out with pixels and returns their count: fewer when the file ends (ended is set
    // then). Small packets take the short way when the buffer holds all their bytes.
    template <size_t PixelBytes, typename Refill>
    size_t Decode(std::span<uint8_t> out, Refill refill)
    {
        const size_t count = out.size() / PixelBytes;
        uint8_t* const target = out.data();
        size_t done = 0;
        while (done < count) {
            if (repeatLeft > 0) {
                const size_t copies = std::min<size_t>(repeatLeft, count - done);
                Replicate<PixelBytes>(target + done * PixelBytes, pixel, copies);
                done += copies;
                repeatLeft -= uint32_t(copies);
                continue;
            }
            if (rawLeft > 0) {
                const size_t wanted = std::min<size_t>(rawLeft, count - done);
                uint8_t* const raw = target + done * PixelBytes;
                size_t got = wanted * PixelBytes;
                if (filled - position >= got) {
                    std::memcpy(raw, input + position, got);
                    position += got;
                } else {
                    got = Take(raw, got, refill);
                }
                const size_t whole = got / PixelBytes;
                // A pixel cut short by the end of the file is not stored.
                std::memset(raw + whole * PixelBytes, 0, got - whole * PixelBytes);
                done += whole;
                rawLeft -= uint32_t(whole);
                if (whole < wanted) {
                    ended = true;
                    break;
                }
                continue;
            }
            // A packet header: with bit 7 set, one pixel repeated (low 7 bits) + 1 times;
            // without, (low 7 bits) + 1 pixels stored one by one.
            uint8_t header = 0;
            if (position < filled)
                header = input[position++];
            else if (Take(&header, 1, refill) == 0) {
                ended = true;
                break;
            }
            if ((header & 0x80) == 0) {
                rawLeft = uint32_t(header & 0x7F) + 1;
                continue;
            }
            if (filled - position >= PixelBytes) {
                std::memcpy(pixel.data(), input + position, PixelBytes);
                position += PixelBytes;
            } else if (Take(pixel.data(), PixelBytes, refill) < PixelBytes) {
                ended = true;
                break;
            }
            std::memcpy(target + done * PixelBytes, pixel.data(), PixelBytes);
            ++done;
            repeatLeft = uint32_t(header & 0x7F);
        }
        return done;
    }
};

// The intensity adjustment of run-length pixels: 16-bit pixels move each 5-bit component by an
// eighth of the offset and lose bit 15; 24-bit pixels adjust every byte, 32-bit pixels all but
// the fourth.
void AdjustRunLengthPixels(std::span<uint8_t> pixels, int32_t bitsPerPixel, int offset)
{
    if (bitsPerPixel == 15 || bitsPerPixel == 16) {
        const int step = offset >> 3; // -1 to -7 give -1
        const auto move
            = [step](uint32_t value) { return uint32_t(std::clamp(int(value) + step, 0, 31)); };
        for (size_t i = 0; i + 1 < pixels.size(); i += 2) {
            const uint32_t value = GetU16(pixels, i);
            const uint32_t blue = move(value & 31);
            const uint32_t green = move(value >> 5 & 31);
            const uint32_t red = move(value >> 10 & 31);
            PutU16(pixels, i, uint16_t(red << 10 | green << 5 | blue));
        }
    } else if (bitsPerPixel == 24) {
        TIntensityTable(offset).Apply(pixels);
    } else if (bitsPerPixel == 32) {
        const TIntensityTable adjust(offset);
        for (size_t i = 0; i + 3 < pixels.size(); i += 4)
            for (size_t c = 0; c < 3; ++c)
                pixels[i + c] = adjust[pixels[i + c]];
    }
}

} // namespace

void TTargaFields::ParseHeader(std::span<const uint8_t, kHeaderSize> raw)
{
    std::copy(raw.begin(), raw.end(), rawHeader.begin());
    TByteReader in(raw);
    idLength = in.ReadU8();
    colorMapType = in.ReadU8();
    imageType = in.ReadU8();
    firstEntry = in.ReadU16();
    mapLength = in.ReadU16();
    mapEntrySize = in.ReadU8();
    xOrigin = in.ReadU16();
    yOrigin = in.ReadU16();
    width = in.ReadU16();
    height = in.ReadU16();
    pixelDepth = in.ReadU8();
    descriptor = in.ReadU8();
}

TTargaHeaderCheck TTargaFields::CheckHeader() const
{
    const uint8_t depth = pixelDepth;
    if (colorMapType > 1 || depth < 8 || depth > 32)
        return TTargaHeaderCheck::NotTarga;
    const bool trueColorDepth = depth == 15 || depth == 16 || depth == 24 || depth == 32;
    switch (BaseType()) {
    case 1:
        if (depth != 8 || colorMapType != 1 || mapLength == 0)
            return TTargaHeaderCheck::NotTarga;
        if (mapLength > 256 || firstEntry != 0)
            return TTargaHeaderCheck::MapUnsupported;
        if (mapEntrySize != 15 && mapEntrySize != 16 && mapEntrySize != 24 && mapEntrySize != 32)
            return TTargaHeaderCheck::EntrySizeUnsupported;
        return TTargaHeaderCheck::Readable;
    case 2:
        return trueColorDepth ? TTargaHeaderCheck::Readable : TTargaHeaderCheck::NotTarga;
    case 3:
        return depth == 8 ? TTargaHeaderCheck::Readable : TTargaHeaderCheck::NotTarga;
    default:
        return TTargaHeaderCheck::NotTarga;
    }
}

bool TBaseDib::ReadTargaHeader()
{
    m_targa = TTargaFields();
    std::array<uint8_t, TTargaFields::kHeaderSize> raw {};
    if (!ReadFileExact(raw))
        return Fail(kPrematureEnd);
    TTargaFields& targa = m_targa;
    targa.ParseHeader(raw);
    // A colour map that cannot be taken is reported once the image ID is read past.
    const TTargaHeaderCheck check = targa.CheckHeader();
    if (check == TTargaHeaderCheck::NotTarga)
        return Fail(kInvalidFile);
    const int type = targa.BaseType();
    m_runLength = targa.imageType > 8;
    const uint8_t depth = targa.pixelDepth;
    if (type == 3)
        for (size_t i = 0; i < 256; ++i)
            std::fill_n(m_workingPalette.begin() + ptrdiff_t(4 * i), 3, uint8_t(i));
    m_imageWidth = targa.width;
    m_imageHeight = targa.height;
    m_bitsPerPixel = depth;
    m_bottomUp = (targa.descriptor & 0x20) == 0;
    targa.pixelBytes = (size_t(depth) + 7) / 8;

    if (targa.idLength != 0) {
        std::array<uint8_t, 256> id {};
        if (!ReadFileExact(std::span(id).first(targa.idLength)))
            return Fail(kPrematureEnd);
        // The text ends at its first zero; id[255] is always one.
        targa.imageId.assign(reinterpret_cast<const char*>(id.data()));
    }

    const size_t entryBytes = MapEntryBytes(targa.mapEntrySize);
    if (type != 1) {
        // A colour map beside true-colour or grey pixels is read past.
        std::array<uint8_t, 1024> skipped {};
        for (size_t left = size_t(targa.mapLength) * entryBytes; left > 0;) {
            const size_t chunk = std::min(left, skipped.size());
            if (!ReadFileExact(std::span(skipped).first(chunk)))
                return Fail(kPrematureEnd);
            left -= chunk;
        }
        m_colorCount = type == 3 ? 256 : targa.mapLength;
        return true;
    }

    if (check != TTargaHeaderCheck::Readable)
        return Fail(kUnsupportedMap);
    std::array<uint8_t, 256 * 4> map {};
    if (!ReadFileExact(std::span(map).first(targa.mapLength * entryBytes)))
        return Fail(kPrematureEnd);
    m_workingPalette.fill(0);
    for (size_t i = 0; i < targa.mapLength; ++i) {
        const std::span<uint8_t> entry = std::span(m_workingPalette).subspan(4 * i, 4);
        if (entryBytes == 2) {
            const uint32_t value = GetU16(map, 2 * i);
            entry[0] = kTargaFiveToEight[value & 31];
            entry[1] = kTargaFiveToEight[value >> 5 & 31];
            entry[2] = kTargaFiveToEight[value >> 10 & 31];
        } else {
            // Blue, green, red, and a fourth byte of 32-bit entries that is dropped.
            std::copy_n(map.begin() + ptrdiff_t(entryBytes * i), 3, entry.begin());
        }
    }
    m_colorCount = targa.mapLength;
    return true;
}

size_t TBaseDib::ReadTargaPixels(std::span<uint8_t> out)
{
    TTargaFields& targa = m_targa;
    if (targa.buffer.size() != TTargaFields::kBufferSize)
        targa.buffer.assign(TTargaFields::kBufferSize, 0);
    TPacketReader reader { targa.buffer.data(), targa.position, targa.filled, targa.rawLeft,
        targa.repeatLeft, targa.pixel };
    const auto refill = [this, &targa] { return ReadFile(targa.buffer); };
    size_t done = 0;
    switch (targa.pixelBytes) {
    case 1:
        done = reader.Decode<1>(out, refill);
        break;
    case 2:
        done = reader.Decode<2>(out, refill);
        break;
    case 3:
        done = reader.Decode<3>(out, refill);
        break;
    case 4:
        done = reader.Decode<4>(out, refill);
        break;
    default:
        return 0;
    }
    targa.position = reader.position;
    targa.filled = reader.filled;
    targa.rawLeft = reader.rawLeft;
    targa.repeatLeft = reader.repeatLeft;
    targa.pixel = reader.pixel;
    if (reader.ended)
        Fail(kPrematureEnd);
    return done;
}

bool TBaseDib::ReadTargaPixel()
{
    std::array<uint8_t, 4> pixel {};
    if (ReadTargaPixels(std::span(pixel).first(m_targa.pixelBytes)) != 1)
        return false;
    // Within a run this is the run's pixel already; after a raw one it is no longer needed
    // for the state and becomes the current pixel too.
    m_targa.pixel = pixel;
    return true;
}

bool TDisplayDib::DecodeTarga()
{
    ShowProgress(0);
    if (!ReadTargaHeader())
        return false;
    m_bitmapWidth = m_imageWidth;
    m_bitmapHeight = m_imageHeight;
    if (!CreateBitmap(false))
        return false;
    const int offset = IntensityOffset();
    if (m_bitsPerPixel == 8) {
        const size_t count = size_t(std::clamp(m_colorCount, 0, 256));
        for (size_t i = 0; i < count; ++i)
            SetColor(i, m_workingPalette[4 * i + 2], m_workingPalette[4 * i + 1],
                m_workingPalette[4 * i]);
        AdjustColorTable(ColorTable().first(4 * count), offset);
    }
    StartRowProgress(m_bitmapHeight);

    const size_t pixelBytes = m_targa.pixelBytes;
    const size_t width = size_t(m_bitmapWidth);
    const size_t rowBytes = width * pixelBytes;
    // Uncompressed 15- and 16-bit rows are shown as stored; 8-bit rows go through the table.
    const bool adjustPlain = offset != 0 && m_bitsPerPixel >= 24;
    const TIntensityTable adjust(offset);
    for (int64_t fileRow = 0; fileRow < m_bitmapHeight; ++fileRow) {
        m_currentRow = int32_t(TargetRow(fileRow, m_bottomUp));
        const std::span<uint8_t> row = Row(m_currentRow).first(rowBytes);
        if (m_runLength) {
            const size_t got = ReadTargaPixels(row);
            if (offset != 0)
                AdjustRunLengthPixels(row.first(got * pixelBytes), m_bitsPerPixel, offset);
            if (got < width)
                return FailPartly(kPrematureEnd, fileRow > 0);
        } else {
            const size_t got = ReadFile(row);
            if (adjustPlain)
                adjust.Apply(row.first(got));
            if (got < rowBytes)
                return FailPartly(kPrematureEnd, fileRow > 0);
        }
        RowProgress(fileRow + 1);
        if (PumpAndCheckAbort())
            break;
    }
    return true;
}

void AppendTargaInformation(const TBaseDib& dib, std::vector<std::string>& lines)
{
    const TTargaFields& targa = dib.Targa();
    lines.push_back("Header");
    lines.push_back(Format(" id length: %d", targa.idLength));
    lines.push_back(Format(" color map type: %d", targa.colorMapType));
    lines.push_back(Format(" image type: %d", targa.imageType));
    lines.push_back(Format(" first entry index: %d", targa.firstEntry));
    lines.push_back(Format(" color map length: %d", targa.mapLength));
    lines.push_back(Format(" color map entry size: %d", targa.mapEntrySize));
    lines.push_back(Format(" image x-origin: %d", targa.xOrigin));
    lines.push_back(Format(" image y-origin: %d", targa.yOrigin));
    lines.push_back(Format(" image width: %d", targa.width));
    lines.push_back(Format(" image height: %d", targa.height));
    lines.push_back(Format(" pixel depth: %d", targa.pixelDepth));
    lines.push_back(Format(" image origin: %d", targa.ImageOrigin()));
    lines.push_back(Format(" alpha channel bits: %d", targa.AlphaBits()));
    if (targa.idLength != 0) {
        lines.push_back("");
        lines.push_back("Image ID");
        lines.push_back(Format(" %s", targa.imageId.c_str()));
    }
}
