// Thumbnails of GIF files. The logical screen gets a thumbnail geometry of its own; each frame
// is placed in it with the screen's counters, so that every frame samples the same logical rows
// and columns (multiples of the counters) whatever its position, interlaced or not. Animated
// files play in the box, one frame a call, with transparency and disposal on the sampled area.

#include "platform/ProcessFlags.h"
#include "preview/PreviewDib.h"

#include <algorithm>

namespace {

// Whole multiples of counter from value up: the first sampled position at or after value.
int64_t CeilDiv(int64_t value, int64_t counter) { return (value + counter - 1) / counter; }

} // namespace

void TPreviewDib::SetGifColors()
{
    m_gifColors.fill(0);
    const size_t count = size_t(std::clamp(m_colorCount, 0, 256));
    for (size_t i = 0; i < count; ++i)
        std::copy_n(
            m_workingPalette.begin() + ptrdiff_t(4 * i), 3, m_gifColors.begin() + ptrdiff_t(3 * i));
}

void TPreviewDib::FillArea(const TBoxArea& area, const uint8_t* color)
{
    for (int64_t y = std::max<int64_t>(area.bottom, 0); y < area.top; ++y) {
        const std::span<uint8_t> row = Row(y);
        for (int64_t x = std::max<int64_t>(area.left, 0); x < area.right && x < BoxWidth(); ++x)
            if (!row.empty())
                std::copy_n(color, 3, row.data() + 3 * x);
    }
}

// The logical screen's area of the box, in the background entry of the working palette.
void TPreviewDib::FillGifLogicalScreen()
{
    TBoxArea area;
    area.left = m_logical.xOffset;
    area.right = area.left + m_logical.scaledWidth;
    area.bottom = m_logical.yOffset;
    area.top = area.bottom + m_logical.scaledHeight;
    FillArea(area, m_gifColors.data() + 3 * m_gif.backgroundIndex);
}

// The frame's thumbnail within the logical screen's: the screen's counters, the frame's size
// divided by them, and its corner at the first sampled logical column and row inside it.
void TPreviewDib::PlaceGifFrame()
{
    TThumbnailGeometry frame;
    frame.xCounter = m_logical.xCounter;
    frame.yCounter = m_logical.yCounter;
    frame.scaledWidth = std::max(1, RoundThumbnail(float(m_imageWidth) / float(frame.xCounter)));
    frame.scaledHeight = std::max(1, RoundThumbnail(float(m_imageHeight) / float(frame.yCounter)));
    const int64_t left = CeilDiv(m_gif.frameLeft, frame.xCounter) + m_logical.xOffset;
    const int64_t screenTop = int64_t(m_logical.yOffset) + m_logical.scaledHeight;
    const int64_t bottom
        = screenTop - (CeilDiv(m_gif.frameTop, frame.yCounter) + frame.scaledHeight);
    frame.xOffset = int32_t(left);
    frame.yOffset = int32_t(bottom);
    m_geometry = frame;
}

void TPreviewDib::SaveBox()
{
    const std::span<const uint8_t> bits = Bits();
    if (m_saveBuffer.size() == bits.size())
        std::ranges::copy(bits, m_saveBuffer.begin());
}

// Undoes the last frame as its disposal method asks: 2 gives its sampled area back to the
// background entry of its palette, 3 brings back the box from before it.
void TPreviewDib::DisposeGifFrame()
{
    if (m_disposalMethod == 2) {
        FillArea(m_gifFrameArea, m_gifColors.data() + 3 * m_gif.backgroundIndex);
    } else if (m_disposalMethod == 3) {
        const std::span<uint8_t> bits = Bits();
        if (m_saveBuffer.size() == bits.size())
            std::ranges::copy(m_saveBuffer, bits.begin());
    }
}

bool TPreviewDib::DecodeGifFramePixels()
{
    const int64_t width = m_imageWidth;
    const int64_t height = m_imageHeight;
    const int64_t xCounter = m_geometry.xCounter;
    const int64_t yCounter = m_geometry.yCounter;
    // Box row of logical row r (a multiple of Y counter): counted down from the screen's top.
    const int64_t screenTop = int64_t(m_logical.yOffset) + m_logical.scaledHeight;
    const auto boxRow = [&](int64_t logicalRow) { return screenTop - 1 - logicalRow / yCounter; };
    // The first sampled column of the frame, as a column of the frame.
    const int64_t firstColumn = CeilDiv(m_gif.frameLeft, xCounter) * xCounter - m_gif.frameLeft;
    const int64_t firstRow = CeilDiv(m_gif.frameTop, yCounter) * yCounter;
    const int64_t lastRow = m_gif.frameTop + height - 1;

    // The area the frame covers, for its disposal, and the rows of the box above and below it.
    TBoxArea area;
    area.left = m_geometry.xOffset;
    area.right = area.left + (firstColumn < width ? CeilDiv(width - firstColumn, xCounter) : 0);
    area.top = firstRow <= lastRow ? boxRow(firstRow) + 1 : 0;
    area.bottom = firstRow <= lastRow ? boxRow(lastRow - lastRow % yCounter) : 0;
    m_gifFrameArea = area;
    for (int64_t y = BoxHeight() - 1; y >= std::max<int64_t>(area.top, 0); --y)
        PaintRow(int32_t(y));

    const int transparent
        = m_transparent && ProcessFlags().useTransparency ? int(m_transparentIndex) : -1;
    const auto storeRow = [&](int64_t storedRow, const uint8_t* pixels) {
        const int64_t logicalRow = m_gif.frameTop + GifFrameRow(storedRow);
        if (logicalRow % yCounter != 0)
            return;
        const int64_t target = boxRow(logicalRow);
        const std::span<uint8_t> row = Row(target);
        if (row.empty())
            return;
        m_currentRow = int32_t(target);
        int64_t column = 0;
        for (int64_t x = firstColumn; x < width; x += xCounter, ++column) {
            const uint8_t index = pixels ? pixels[x] : 0;
            if (index == transparent)
                continue;
            uint8_t* const out = PixelAt(row, column);
            if (!out)
                break;
            std::copy_n(m_gifColors.begin() + 3 * index, 3, out);
        }
        PaintRow(m_currentRow);
    };

    std::vector<uint8_t> line(static_cast<size_t>(width));
    int64_t consumed = 0;
    bool result = true;
    try {
        int64_t stored = 0;
        while (stored < height) {
            // Once the data have ended every pixel is 0: the rows left take index 0 at once.
            if (m_gif.lzw.Exhausted()) {
                for (; stored < height; ++stored)
                    storeRow(stored, nullptr);
                break;
            }
            ReadGifPixels(line);
            ++consumed;
            storeRow(stored++, line.data());
            if (PumpAndCheckAbort())
                break;
        }
        if (stored == height)
            FinishGifFrame();
    } catch (const TGifDataError& error) {
        result = FailPartly(error.what(), consumed > 0);
    }
    for (int64_t y = std::min<int64_t>(area.bottom, BoxHeight()) - 1; y >= 0; --y)
        PaintRow(int32_t(y));
    return result;
}

bool TPreviewDib::DecodeGif()
{
    const bool animate = m_options.showAnimatedGif;
    // The animation starts again from its first image: the last frame goes first.
    if (animate && m_moreImages)
        DisposeGifFrame();
    if (!ReadGifHeader(m_options.useBkColor, m_options.prevBkColor))
        return false;
    m_logical = ThumbnailGeometry(BoxWidth(), BoxHeight(), m_gif.screenWidth, m_gif.screenHeight);
    SetGifColors();
    if (m_gif.globalTable)
        FillGifLogicalScreen();
    PlaceGifFrame();
    if (animate && m_disposalMethod == 3)
        SaveBox();
    if (!DecodeGifFramePixels())
        return false;

    // A frame stopped part-way leaves the file inside its data: no animation goes on from there.
    if (!AbortRequested()) {
        m_imageNumber = 1;
        m_imageTotal = std::max(m_imageTotal, 1);
        const int64_t position = TellFile();
        if (position < 0)
            return true;
        m_savedPosition = position;
        if (animate)
            m_moreImages = GifImageFollows();
    }
    return true;
}

bool TPreviewDib::NextGifFrame()
{
    m_message.clear();
    // Only an animation has a next frame.
    if (!IsOk() || m_fileType != FileTypeGif || !m_moreImages || !OpenFile(m_fileName)) {
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
        SetGifColors();
        PlaceGifFrame();
        if (m_options.showAnimatedGif && m_disposalMethod == 3)
            SaveBox();
        if (DecodeGifFramePixels()) {
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
