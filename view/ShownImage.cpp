#include "view/ShownImage.h"

#include "image/ByteReader.h"
#include "image/DisplayDib.h"
#include "ui/DibDraw.h"

#include <algorithm>
#include <utility>

TShownImage::TShownImage() = default;
TShownImage::~TShownImage() = default;

void TShownImage::Take(std::unique_ptr<TDisplayDib> image, const std::string& path)
{
    Release();
    const TDib& dib = *image;
    m_size = QSize(dib.Width(), dib.Height());
    const auto info = dib.Block().first(dib.BitsOffset());
    m_bandHeader.assign(info.begin(), info.end());
    m_image = std::move(image);
    TakePalette();
    m_fileName = path;
    m_captionName = path;
}

void TShownImage::TakeFrameColors()
{
    if (!m_image)
        return;
    // Only the colour table changes from frame to frame; the rest of the header stays.
    const auto table = std::as_const(*m_image).ColorTable();
    if (m_bandHeader.size() >= TDib::kInfoHeaderSize + table.size())
        std::copy(table.begin(), table.end(), m_bandHeader.begin() + TDib::kInfoHeaderSize);
    TakePalette();
}

void TShownImage::TakePalette()
{
    m_palette.clear();
    const TDib& dib = *m_image;
    const auto table = dib.ColorTable();
    for (uint32_t i = 0; i < dib.NumColors(); ++i)
        m_palette.push_back(qRgb(table[i * 4 + 2], table[i * 4 + 1], table[i * 4]));
}

void TShownImage::Release()
{
    m_bandHeader.clear();
    m_image.reset();
    m_fitBitmap = QImage();
    m_palette.clear();
    m_size = QSize();
    m_fileName.clear();
    m_captionName.clear();
}

void TShownImage::MarkWarnings() { m_captionName = m_fileName + " - warnings issued"; }

bool TShownImage::MakeFitBitmap(QSize size)
{
    const TDib& dib = *m_image;
    m_fitBitmap = StretchDibBits(size, dib.Block().first(dib.BitsOffset()), dib.Bits());
    return !m_fitBitmap.isNull();
}

std::span<const uint8_t> TShownImage::BandHeader(int32_t rows, uint32_t bytes)
{
    // The header's height and image size.
    PutU32(m_bandHeader, 8, uint32_t(rows));
    PutU32(m_bandHeader, 20, bytes);
    return m_bandHeader;
}
