// GIF 87a and 89a files, with several images played as an animation: the header and frame
// readers and the LZW pixel source shared with the preview, and the composition of frames into
// a bitmap of the logical screen for display.
//
// The bitmap takes the depth of the first frame (1 bit for 2 colours, 4 bits for 16, else 8).
// A later frame of another colour count is written at the bitmap's depth: an index the bitmap
// cannot hold keeps its low bits (index mod 2 or mod 16), and only as many of its colours go
// into the colour table as the table has entries.

#include "image/ByteReader.h"
#include "image/DisplayDib.h"
#include "image/ImageInfo.h"
#include "image/Intensity.h"
#include "platform/Format.h"
#include "platform/ProcessFlags.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr const char* kPrematureEnd = "Premature end of file";
constexpr int kImageSeparator = 0x2C; // ','
constexpr int kExtensionIntroducer = 0x21; // '!'
constexpr int kTrailer = 0x3B; // ';'
constexpr int kGraphicControlLabel = 0xF9;

bool ValidCodeSize(int codeSize) { return codeSize >= 2 && codeSize <= 11; }

// Skips the data sub-blocks of an extension up to its terminator; false when the file ends.
bool SkipSubBlocks(TGifInput& input)
{
    std::array<uint8_t, 255> scratch;
    for (;;) {
        const int length = input.ReadByte();
        if (length == EOF)
            return false;
        if (length == 0)
            return true;
        if (input.Read(std::span(scratch).first(size_t(length))) != size_t(length))
            return false;
    }
}

// Reads count entries of red, green and blue into a table of blue, green, red, 0.
bool ReadColorTable(TGifInput& input, size_t count, std::span<uint8_t, 256 * 4> table)
{
    std::array<uint8_t, 256 * 3> rgb {};
    count = std::min<size_t>(count, 256);
    if (input.Read(std::span(rgb).first(count * 3)) != count * 3)
        return false;
    for (size_t i = 0; i < count; ++i) {
        table[i * 4] = rgb[i * 3 + 2];
        table[i * 4 + 1] = rgb[i * 3 + 1];
        table[i * 4 + 2] = rgb[i * 3];
        table[i * 4 + 3] = 0;
    }
    return true;
}

// The index a bitmap of bitCount bits per pixel stores for a palette index: an index the
// depth cannot hold keeps its low bits.
uint8_t StoredIndex(uint8_t index, int bitCount)
{
    return bitCount == 1 ? index & 0x01 : bitCount == 4 ? index & 0x0F : index;
}

// Sets pixels [from, to) of a bitmap row to one index; pixels past width are left alone.
void FillIndices(
    std::span<uint8_t> row, int bitCount, int64_t width, int64_t from, int64_t to, uint8_t index)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8)
        return;
    to = std::min({ to, width, int64_t(row.size()) * 8 / bitCount });
    from = std::max<int64_t>(from, 0);
    if (from >= to)
        return;
    index = StoredIndex(index, bitCount);
    if (bitCount == 8) {
        std::memset(row.data() + from, index, size_t(to - from));
    } else if (bitCount == 4) {
        if (from % 2 == 1) {
            row[size_t(from / 2)] = uint8_t((row[size_t(from / 2)] & 0xF0) | index);
            ++from;
        }
        if (from < to && to % 2 == 1) {
            row[size_t(to / 2)] = uint8_t((row[size_t(to / 2)] & 0x0F) | index << 4);
            --to;
        }
        if (from < to)
            std::memset(row.data() + from / 2, index << 4 | index, size_t(to - from) / 2);
    } else {
        const auto setBit = [&](int64_t x) {
            const uint8_t mask = uint8_t(0x80 >> (x % 8));
            uint8_t& byte = row[size_t(x / 8)];
            byte = uint8_t(index ? byte | mask : byte & ~mask);
        };
        while (from < to && from % 8 != 0)
            setBit(from++);
        while (from < to && to % 8 != 0)
            setBit(--to);
        if (from < to)
            std::memset(row.data() + from / 8, index ? 0xFF : 0x00, size_t(to - from) / 8);
    }
}

// Stores a frame row's pixels from column left on; a pixel equal to transparent (when it is
// 0 to 255) keeps what the bitmap had. Pixels past width are dropped.
void StoreIndices(std::span<uint8_t> row, int bitCount, int64_t width, int64_t left,
    std::span<const uint8_t> pixels, int transparent)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8)
        return;
    const int64_t capacity = std::min(width, int64_t(row.size()) * 8 / bitCount);
    if (left < 0 || left >= capacity)
        return;
    const size_t count = size_t(std::min(int64_t(pixels.size()), capacity - left));
    const size_t first = size_t(left);
    if (bitCount == 8) {
        if (transparent < 0) {
            std::memcpy(row.data() + first, pixels.data(), count);
            return;
        }
        for (size_t i = 0; i < count; ++i)
            if (pixels[i] != transparent)
                row[first + i] = pixels[i];
    } else if (bitCount == 4) {
        for (size_t i = 0; i < count; ++i) {
            if (pixels[i] == transparent)
                continue;
            const size_t x = first + i;
            const uint8_t value = pixels[i] & 0x0F;
            uint8_t& byte = row[x / 2];
            byte = uint8_t(x % 2 == 0 ? (byte & 0x0F) | value << 4 : (byte & 0xF0) | value);
        }
    } else {
        for (size_t i = 0; i < count; ++i) {
            if (pixels[i] == transparent)
                continue;
            const size_t x = first + i;
            const uint8_t mask = uint8_t(0x80 >> (x % 8));
            uint8_t& byte = row[x / 8];
            byte = uint8_t(pixels[i] & 1 ? byte | mask : byte & ~mask);
        }
    }
}

} // namespace

bool TBaseDib::ReadGifHeader(bool useBkColor, uint32_t prevBkColor)
{
    TGifFields& gif = m_gif;
    if (!ReadFileExact(gif.header))
        return Fail(kPrematureEnd);
    gif.screenWidth = GetU16(gif.header, 6);
    gif.screenHeight = GetU16(gif.header, 8);
    m_imageWidth = gif.screenWidth;
    m_imageHeight = gif.screenHeight;
    gif.frameLeft = gif.frameTop = 0;

    const uint8_t flags = gif.header[10];
    gif.globalColorCount = 2 << (flags & 7);
    gif.globalTable = (flags & 0x80) != 0;
    const size_t count = size_t(gif.globalColorCount);
    if (gif.globalTable) {
        gif.backgroundIndex = gif.header[11];
        TGifFileInput input(File());
        if (!ReadColorTable(input, count, gif.globalPalette))
            return Fail(kPrematureEnd);
    } else {
        // Without a table the indices are their own grey values: nearly black for few colours.
        gif.backgroundIndex = 0;
        for (size_t i = 0; i < count; ++i) {
            const uint8_t grey = uint8_t(i);
            std::fill_n(gif.globalPalette.begin() + ptrdiff_t(i * 4), 3, grey);
            gif.globalPalette[i * 4 + 3] = 0;
        }
    }
    m_colorCount = gif.globalColorCount;
    return ReadGifFrameHeader(useBkColor, prevBkColor);
}

bool TBaseDib::ReadGifFrameHeader(bool useBkColor, uint32_t prevBkColor)
{
    TGifFields& gif = m_gif;
    m_frameDelay = 0;
    m_transparent = false;
    m_transparentIndex = 0;
    m_userInput = false;
    m_disposalMethod = 0;
    gif.localTable = false;
    gif.localColorCount = 0;

    TGifFileInput input(File());
    for (;;) {
        const int byte = input.ReadByte();
        if (byte == EOF)
            return Fail(kPrematureEnd);
        if (byte == kTrailer)
            return Fail("Not enough images in GIF file");
        if (byte == kImageSeparator)
            break;
        if (byte != kExtensionIntroducer)
            continue; // stray bytes between blocks are passed over
        const int label = input.ReadByte();
        if (label == EOF)
            return Fail(kPrematureEnd);
        if (label == kGraphicControlLabel) {
            std::array<uint8_t, 6> control {}; // size, fields, delay, index, terminator
            if (input.Read(control) != control.size())
                return Fail(kPrematureEnd);
            m_transparent = (control[1] & 0x01) != 0;
            m_userInput = (control[1] & 0x02) != 0;
            m_disposalMethod = uint8_t(control[1] >> 2 & 0x07);
            m_frameDelay = GetU16(control, 2);
            m_transparentIndex = control[4];
        } else if (!SkipSubBlocks(input)) {
            return Fail(kPrematureEnd);
        }
    }

    std::array<uint8_t, 9> descriptor {};
    if (input.Read(descriptor) != descriptor.size())
        return Fail(kPrematureEnd);
    const int64_t left = GetU16(descriptor, 0);
    const int64_t top = GetU16(descriptor, 2);
    const int64_t width = GetU16(descriptor, 4);
    const int64_t height = GetU16(descriptor, 6);
    // The frame's geometry is taken only once it lies on the screen, so that nothing is ever
    // placed (or disposed of) outside it.
    if (left + width > gif.screenWidth || top + height > gif.screenHeight)
        return Fail("Unsupported image header");
    gif.descriptor = descriptor;
    gif.frameLeft = int32_t(left);
    gif.frameTop = int32_t(top);
    m_imageWidth = int32_t(width);
    m_imageHeight = int32_t(height);

    const uint8_t flags = descriptor[8];
    m_interlaced = (flags & 0x40) != 0;
    gif.localTable = (flags & 0x80) != 0;
    if (gif.localTable) {
        gif.localColorCount = 2 << (flags & 7);
        m_colorCount = gif.localColorCount;
        if (!ReadColorTable(input, size_t(m_colorCount), m_workingPalette))
            return Fail(kPrematureEnd);
    } else {
        m_colorCount = gif.globalColorCount;
        std::copy_n(gif.globalPalette.begin(), size_t(m_colorCount) * 4, m_workingPalette.begin());
        if (useBkColor && gif.globalTable) {
            const size_t at = size_t(gif.backgroundIndex) * 4;
            m_workingPalette[at] = uint8_t(prevBkColor >> 16);
            m_workingPalette[at + 1] = uint8_t(prevBkColor >> 8);
            m_workingPalette[at + 2] = uint8_t(prevBkColor);
        }
    }

    const int codeSize = input.ReadByte();
    if (codeSize == EOF)
        return Fail(kPrematureEnd);
    if (!ValidCodeSize(codeSize))
        return Fail("Invalid GIF codesize");
    gif.inputCodeSize = codeSize;
    gif.lzw.Start(codeSize);

    const int32_t h = m_imageHeight;
    gif.passStarts[0] = (h + 7) / 8;
    gif.passStarts[1] = gif.passStarts[0] + (h + 3) / 8;
    gif.passStarts[2] = gif.passStarts[1] + (h + 1) / 4;

    m_bitsPerPixel = m_colorCount == 2 ? 1 : m_colorCount == 16 ? 4 : 8;
    return true;
}

bool TBaseDib::GifImageFollows()
{
    TGifFileInput input(File());
    for (;;) {
        const int byte = input.ReadByte();
        if (byte == EOF || byte == kTrailer)
            return false;
        if (byte == kImageSeparator)
            break;
        if (byte == kExtensionIntroducer && (input.ReadByte() == EOF || !SkipSubBlocks(input)))
            return false;
    }
    std::array<uint8_t, 9> descriptor {};
    if (input.Read(descriptor) != descriptor.size())
        return false;
    if (int64_t(GetU16(descriptor, 0)) + GetU16(descriptor, 4) > m_gif.screenWidth
        || int64_t(GetU16(descriptor, 2)) + GetU16(descriptor, 6) > m_gif.screenHeight)
        return false;
    const uint8_t flags = descriptor[8];
    if (flags & 0x80) {
        std::array<uint8_t, 256 * 3> table;
        const size_t size = size_t(2 << (flags & 7)) * 3;
        if (input.Read(std::span(table).first(size)) != size)
            return false;
    }
    const int codeSize = input.ReadByte();
    return codeSize != EOF && ValidCodeSize(codeSize);
}

void TBaseDib::ReadGifPixels(std::span<uint8_t> pixels)
{
    TGifFileInput input(File());
    m_gif.lzw.ReadPixels(input, pixels);
}

uint8_t TBaseDib::ReadGifPixel()
{
    TGifFileInput input(File());
    return m_gif.lzw.ReadPixel(input);
}

void TBaseDib::FinishGifFrame()
{
    TGifFileInput input(File());
    m_gif.lzw.SkipRest(input);
}

// Interlaced frames store every 8th row from row 0, then every 8th from row 4, every 4th from
// row 2 and every 2nd from row 1.
int64_t TBaseDib::GifFrameRow(int64_t storedRow) const
{
    if (!m_interlaced)
        return storedRow;
    const auto& starts = m_gif.passStarts;
    if (storedRow < starts[0])
        return 8 * storedRow;
    if (storedRow < starts[1])
        return 8 * (storedRow - starts[0]) + 4;
    if (storedRow < starts[2])
        return 4 * (storedRow - starts[1]) + 2;
    return 2 * (storedRow - starts[2]) + 1;
}

void TDisplayDib::SetGifColorTable()
{
    const size_t entries = std::min<size_t>(size_t(std::max(m_colorCount, 0)), NumColors());
    for (size_t i = 0; i < entries; ++i)
        SetColor(
            i, m_workingPalette[i * 4 + 2], m_workingPalette[i * 4 + 1], m_workingPalette[i * 4]);
    AdjustColorTable(ColorTable().first(entries * 4), IntensityOffset());
}

void TDisplayDib::FillGifBackground()
{
    const int bitCount = BitCount();
    const uint8_t index = m_gif.backgroundIndex;
    if (StoredIndex(index, bitCount) == 0) {
        // A new bitmap is zero already; its pages stay untouched until drawn on.
        if (!m_gifPictureZero)
            std::memset(Bits().data(), 0, Bits().size());
        m_gifPictureZero = true;
        return;
    }
    m_gifPictureZero = false;
    for (int64_t y = 0; y < Height(); ++y)
        FillIndices(Row(y), bitCount, Width(), 0, Width(), index);
}

std::pair<size_t, size_t> TDisplayDib::GifFrameBytes() const
{
    const int64_t bitCount = BitCount();
    const int64_t rowBytes = Height() > 0 ? int64_t(Row(0).size()) : 0;
    const int64_t first = std::min<int64_t>(m_gif.frameLeft * bitCount / 8, rowBytes);
    const int64_t end = std::min<int64_t>(
        ((int64_t(m_gif.frameLeft) + m_imageWidth) * bitCount + 7) / 8, rowBytes);
    return { size_t(first), size_t(std::max(end - first, int64_t(0))) };
}

// Undoes the previous frame as its disposal method asks: 2 gives its rectangle back to the
// background, 3 brings back the picture from before it.
void TDisplayDib::DisposeGifFrame()
{
    const int64_t bottom = int64_t(Height()) - m_imageHeight - m_gif.frameTop;
    if (m_disposalMethod == 2) {
        const int64_t left = m_gif.frameLeft;
        for (int64_t y = bottom; y < bottom + m_imageHeight; ++y)
            FillIndices(
                Row(y), BitCount(), Width(), left, left + m_imageWidth, m_gif.backgroundIndex);
    } else if (m_disposalMethod == 3) {
        const std::vector<uint8_t>& saved = m_gifSaved;
        const auto [first, count] = GifFrameBytes();
        if (count == 0 || saved.size() != size_t(m_imageHeight) * count)
            return;
        m_gifPictureZero = false;
        for (int64_t y = 0; y < m_imageHeight; ++y)
            std::memcpy(Row(bottom + y).data() + first, saved.data() + size_t(y) * count, count);
    }
}

// Keeps the part of the picture under a frame whose disposal method is 3: only the frame's
// rectangle changes until it is undone. Without the memory for it (the bitmap and the saved
// part together stay under the bitmap ceiling) the frame cannot be undone later; the picture
// stays as the frame leaves it.
void TDisplayDib::SaveGifPicture()
{
    std::vector<uint8_t>& saved = m_gifSaved;
    const auto [first, count] = GifFrameBytes();
    const uint64_t bytes = uint64_t(m_imageHeight) * count;
    const auto fits = [&] {
        const uint64_t limit = BitmapBytesLimit();
        return Bits().size() <= limit && bytes <= limit - Bits().size();
    };
    // The buffer of the last frame is reused: an animation restoring every frame allocates
    // only when a frame's rectangle is larger than any before.
    bool kept = bytes != 0 && fits();
    if (kept) {
        try {
            saved.resize(size_t(bytes));
        } catch (const std::bad_alloc&) {
            kept = false;
        }
    }
    if (!kept) {
        std::vector<uint8_t>().swap(saved);
        return;
    }
    const int64_t bottom = int64_t(Height()) - m_imageHeight - m_gif.frameTop;
    for (int64_t y = 0; y < m_imageHeight; ++y)
        std::memcpy(saved.data() + size_t(y) * count, Row(bottom + y).data() + first, count);
}

// The rows of the frame from stored row fromStoredRow on, once the data have ended: every
// pixel is 0, so each row is filled at once instead of pixel by pixel.
void TDisplayDib::FillGifRowsWithZero(int64_t fromStoredRow)
{
    const int64_t height = m_imageHeight;
    const int64_t left = m_gif.frameLeft;
    const int64_t topRow = int64_t(Height()) - 1 - m_gif.frameTop;
    const bool zeroIsTransparent
        = m_transparent && ProcessFlags().useTransparency && m_transparentIndex == 0;
    for (int64_t stored = fromStoredRow; stored < height; ++stored) {
        if (!zeroIsTransparent && !m_gifFrameOnZero)
            FillIndices(Row(topRow - GifFrameRow(stored)), BitCount(), Width(), left,
                left + m_imageWidth, 0);
        if (m_firstFrame)
            RowProgress(stored + 1);
    }
    m_currentRow = int32_t(height);
}

void TDisplayDib::WriteGifRows()
{
    const int bitCount = BitCount();
    const int64_t width = m_imageWidth;
    const int64_t height = m_imageHeight;
    const int64_t left = m_gif.frameLeft;
    const int64_t topRow = int64_t(Height()) - 1 - m_gif.frameTop;
    const bool skipTransparent = m_transparent && ProcessFlags().useTransparency;
    const int transparent = skipTransparent ? int(m_transparentIndex) : -1;
    std::vector<uint8_t> line(static_cast<size_t>(width));

    int64_t stored = 0;
    while (stored < height) {
        if (m_gif.lzw.Exhausted()) {
            FillGifRowsWithZero(stored);
            stored = height;
            break;
        }
        const std::span<uint8_t> row = Row(topRow - GifFrameRow(stored));
        // Opaque 8-bit rows are decoded straight into the bitmap.
        if (bitCount == 8 && transparent < 0 && left + width <= Width()
            && left + width <= int64_t(row.size())) {
            ReadGifPixels(row.subspan(size_t(left), size_t(width)));
        } else {
            ReadGifPixels(line);
            StoreIndices(row, bitCount, Width(), left, line, transparent);
        }
        ++stored;
        m_currentRow = int32_t(stored);
        if (m_firstFrame)
            RowProgress(stored);
        if (PumpAndCheckAbort())
            break;
    }
    if (stored == height)
        FinishGifFrame();
}

bool TDisplayDib::DecodeGifFrame()
{
    if (m_firstFrame) {
        ShowProgress(0);
        StartRowProgress(m_imageHeight);
    }
    m_currentRow = 0;
    m_gifFrameOnZero = m_gifPictureZero;
    m_gifPictureZero = false;
    bool result = true;
    try {
        WriteGifRows();
    } catch (const TGifDataError& error) {
        result = FailPartly(error.what(), m_currentRow != 0);
    }
    m_firstFrame = false;
    return result;
}

bool TDisplayDib::DecodeGif()
{
    const bool animate = m_options.showAnimatedGif;
    if (!animate || !m_moreImages || !IsOk()) {
        m_firstFrame = true;
        if (!ReadGifHeader(m_options.useBkColor, m_options.prevBkColor))
            return false;
        m_bitmapWidth = m_gif.screenWidth;
        m_bitmapHeight = m_gif.screenHeight;
        if (!CreateBitmap(false))
            return false;
        m_gifPictureZero = true;
        std::vector<uint8_t>().swap(m_gifSaved);
    } else {
        // The animation starts again in the bitmap it has.
        DisposeGifFrame();
        if (!ReadGifHeader(m_options.useBkColor, m_options.prevBkColor))
            return false;
    }

    SetGifColorTable();
    if (m_gif.globalTable)
        FillGifBackground();
    if (animate && m_disposalMethod == 3)
        SaveGifPicture();
    if (!DecodeGifFrame())
        return false;

    if (!AbortRequested()) {
        m_imageNumber = 1;
        m_imageTotal = 1;
        const int64_t position = TellFile();
        if (position < 0)
            return true;
        m_savedPosition = position;
        if (animate)
            m_moreImages = GifImageFollows();
    }
    return true;
}

bool TDisplayDib::NextGifFrame()
{
    m_message.clear();
    // Frames are drawn only into the picture a load has made.
    if (!IsOk() || !OpenFile(m_fileName)) {
        m_moreImages = false;
        return false;
    }
    if (!SeekFile(m_savedPosition)) {
        CloseFile();
        m_moreImages = false;
        return false;
    }

    DisposeGifFrame();
    if (ReadGifFrameHeader(m_options.useBkColor, m_options.prevBkColor)) {
        SetGifColorTable();
        if (m_disposalMethod == 3)
            SaveGifPicture();
        if (DecodeGifFrame()) {
            if (!AbortRequested()) {
                ++m_imageNumber;
                m_imageTotal = std::max(m_imageTotal, m_imageNumber);
                const int64_t position = TellFile();
                if (position >= 0)
                    m_savedPosition = position;
            }
            CloseFile();
            return true;
        }
    }

    // Normally the trailer has come ("Not enough images in GIF file"): the animation goes on
    // from the first image, and that reason is no warning.
    if (!AbortRequested()) {
        m_message.clear();
        if (SeekFile(0) && DecodeGif()) {
            CloseFile();
            return true;
        }
    }
    m_moreImages = false;
    CloseFile();
    return false;
}

void AppendGifInformation(const TBaseDib& dib, std::vector<std::string>& lines)
{
    const TGifFields& gif = dib.Gif();
    const auto& header = gif.header;
    const bool version89a = header[4] == '9';
    const uint8_t screenFlags = header[10];
    const uint8_t frameFlags = gif.descriptor[8];

    lines.push_back("Header");
    lines.push_back(" version: " + std::string(header.begin() + 3, header.begin() + 6));
    lines.emplace_back();

    lines.push_back("Logical Screen Descriptor");
    lines.push_back(Format(" logical screen width: %d", gif.screenWidth));
    lines.push_back(Format(" logical screen height: %d", gif.screenHeight));
    lines.push_back(Format(" global color table flag: %d", gif.globalTable ? 1 : 0));
    lines.push_back(
        Format(" global color table resolution: %d bits/color", (screenFlags >> 4 & 7) + 1));
    if (version89a)
        lines.push_back(Format(" global color table sort flag: %d", screenFlags >> 3 & 1));
    lines.push_back(Format(" global color table size: %d", gif.globalColorCount));
    lines.push_back(Format(" background color index: %d", gif.backgroundIndex));
    if (version89a) {
        const uint8_t aspect = header[12];
        lines.push_back(
            Format(" pixel aspect ratio: %f", aspect == 0 ? 0.0 : (aspect + 15) / 64.0));
    }
    lines.emplace_back();

    lines.push_back("Image Descriptor");
    lines.push_back(Format(" image left position: %d", gif.frameLeft));
    lines.push_back(Format(" image top position: %d", gif.frameTop));
    lines.push_back(Format(" image width: %d", dib.ImageWidth()));
    lines.push_back(Format(" image height: %d", dib.ImageHeight()));
    lines.push_back(Format(" local color table flag: %d", gif.localTable ? 1 : 0));
    lines.push_back(Format(" interlace flag: %d", dib.Interlaced() ? 1 : 0));
    if (version89a)
        lines.push_back(Format(" local color table sort flag: %d", frameFlags >> 5 & 1));
    lines.push_back(Format(" local color table size: %d", gif.localColorCount));
    lines.emplace_back();

    if (version89a) {
        lines.push_back("Graphic Control Extension (if any)");
        lines.push_back(Format(" disposal method: %d", dib.DisposalMethod()));
        lines.push_back(Format(" user input flag: %d", dib.UserInput() ? 1 : 0));
        lines.push_back(Format(" transparent color flag: %d", dib.Transparent() ? 1 : 0));
        if (dib.Transparent())
            lines.push_back(
                Format(" use transparent color: %d", ProcessFlags().useTransparency ? 1 : 0));
        lines.push_back(Format(" delay time: %d ms", dib.FrameDelay() * 10));
        lines.push_back(Format(" transparent color index: %d", dib.TransparentIndex()));
        lines.emplace_back();
    }

    if (dib.MoreImages()) {
        lines.push_back("Animated GIF Information");
        lines.push_back(Format(" image number: %d", dib.ImageNumber()));
        lines.push_back(Format(" total number of images: %d", dib.ImageTotal()));
    }
}
