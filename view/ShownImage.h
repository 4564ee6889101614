#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class TDisplayDib;

// The image the viewing window shows and what the window keeps beside it: the path it came
// from, the name its caption shows, its size, a copy of its bitmap information for the quick
// drawing path (the band header), its colours for a palette display, and the image shrunk to
// the window while Fit needs it. Animation and saving work on the same image.
class TShownImage {
public:
    TShownImage();
    ~TShownImage();
    TShownImage(const TShownImage&) = delete;
    TShownImage& operator=(const TShownImage&) = delete;

    // An image with pixels is shown; a decoded image of no width or height shows nothing.
    bool HasImage() const { return m_image && !m_size.isEmpty(); }
    const TDisplayDib* Image() const { return m_image.get(); }
    TDisplayDib* Image() { return m_image.get(); }
    // The image, held also by the caller: an animation frame decodes into it while messages
    // are handled, and whatever they do, the image lives until the frame has returned.
    std::shared_ptr<TDisplayDib> Share() const { return m_image; }
    QSize Size() const { return m_size; }
    // The full path of the shown file; empty when nothing is shown.
    const std::string& FileName() const { return m_fileName; }
    // The name the caption gives: the path, perhaps with a warning after it.
    const std::string& CaptionName() const { return m_captionName; }
    // The colours of the image's colour table; empty without one.
    const std::vector<QRgb>& Palette() const { return m_palette; }
    // The image shrunk to the window; null while none is needed.
    const QImage& FitBitmap() const { return m_fitBitmap; }

    // Keeps a decoded image read from path: its size, bitmap information and colours.
    void Take(std::unique_ptr<TDisplayDib> image, const std::string& path);
    // Forgets the image and everything kept beside it.
    void Release();
    // The image was shown with warnings that the caption is to tell.
    void MarkWarnings();
    // A new animation frame came with colours of its own: the band header and the palette
    // take them.
    void TakeFrameColors();

    // Shrinks the image to this size; false when the memory cannot be had.
    bool MakeFitBitmap(QSize size);
    void DropFitBitmap() { m_fitBitmap = QImage(); }

    // The band header made to describe a band of rows of the image, of bytes bytes, so that
    // only that band is handed to the drawing call.
    std::span<const uint8_t> BandHeader(int32_t rows, uint32_t bytes);

private:
    void TakePalette();

    std::shared_ptr<TDisplayDib> m_image;
    std::string m_fileName;
    std::string m_captionName;
    QSize m_size;
    std::vector<uint8_t> m_bandHeader;
    std::vector<QRgb> m_palette;
    QImage m_fitBitmap;
};
