#include "preview/PreviewDib.h"

#include "platform/ProcessFlags.h"

#include <algorithm>

TPreviewDib::TPreviewDib(int32_t boxWidth, int32_t boxHeight, TPreviewPaintHook paint,
    TPreviewCommandHook post, const TPreviewOptions& options)
    : m_options(options)
    , m_paint(std::move(paint))
    , m_post(std::move(post))
{
    m_bitmapWidth = boxWidth;
    m_bitmapHeight = boxHeight;
    m_bitsPerPixel = 24;
    if (!CreateBitmap(false))
        return;
    FillBackground();
    PaintBox();
    m_saveBuffer.assign(Bits().size(), 0);
}

TPreviewDib::~TPreviewDib() = default;

void TPreviewDib::FillBackground()
{
    const std::span<uint8_t> bits = Bits();
    const uint32_t color = m_options.prevBkColor & 0xFFFFFF;
    if (color == 0 || bits.empty()) {
        std::ranges::fill(bits, uint8_t(0));
        return;
    }
    const std::span<uint8_t> first = Row(0);
    for (size_t x = 0; x + 3 <= size_t(BoxWidth()) * 3; x += 3) {
        first[x] = uint8_t(color >> 16);
        first[x + 1] = uint8_t(color >> 8);
        first[x + 2] = uint8_t(color);
    }
    for (int64_t y = 1; y < BoxHeight(); ++y)
        std::ranges::copy(first, Row(y).begin());
}

void TPreviewDib::PaintBox()
{
    for (int32_t y = 0; y < BoxHeight(); ++y)
        PaintRow(y);
}

void TPreviewDib::PaintRow(int32_t row)
{
    if (m_paint && row >= 0 && row < BoxHeight())
        m_paint(*this, row);
}

void TPreviewDib::ClearPreview()
{
    m_fileType = FileTypeNone;
    if (!IsOk())
        return;
    FillBackground();
    PaintBox();
}

bool TPreviewDib::Load(const std::string& fileName)
{
    ClearPreview();
    m_currentRow = 0;
    m_geometry = m_logical = TThumbnailGeometry { 1, 1, 0, 0, 0, 0 };
    m_gifFrameArea = TBoxArea();
    if (!IsOk()) {
        m_fileName = fileName;
        return Fail("Insufficient memory to load image");
    }
    return TBaseDib::Load(fileName);
}

int64_t TPreviewDib::TopLine() const
{
    return int64_t(m_geometry.yOffset) + m_geometry.scaledHeight - 1;
}

uint8_t* TPreviewDib::PixelAt(std::span<uint8_t> row, int64_t column) const
{
    const int64_t x = int64_t(m_geometry.xOffset) + column;
    if (row.empty() || x < 0 || x >= BoxWidth())
        return nullptr;
    return row.data() + 3 * x;
}

bool TPreviewDib::AbortRequested() const { return ProcessFlags().previewAbort; }
