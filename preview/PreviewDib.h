#pragma once

#include "image/BaseDib.h"
#include "preview/PreviewGeometry.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

class TPreviewDib;

// The preferences a preview reads, given by its owner; the defaults are the settings'.
struct TPreviewOptions {
    bool showAnimatedGif = true;
    bool useBkColor = false;
    uint32_t prevBkColor = 0; // 0x00BBGGRR: the box's background
};

// What the preview's owner, the file browser, does for it: paints one bitmap row of the box
// (row 0 is the bottom line) on the screen, and posts one of its own commands to itself.
using TPreviewPaintHook = std::function<void(const TPreviewDib& preview, int32_t row)>;
using TPreviewCommandHook = std::function<void(int32_t command)>;

// Posted to the owner after the first pass of a multiple-scan JPEG file, so that it can show the
// picture's size while later passes refine the thumbnail.
inline constexpr int32_t CmPreviewFirstPass = 195;

// The thumbnail of the file under the browser's cursor. It reads files with the readers' header
// and row readers, but keeps only every n-th pixel of every m-th row, centred in a box of
// 24-bit pixels that is the record's bitmap, and paints each row as soon as it is finished. It
// plays animated GIF files in the box, one frame a call. The record's bitmap width and height
// are the box's size; its bits per pixel, image size and header fields are the source's.
class TPreviewDib : public TBaseDib {
public:
    // The box is boxWidth x boxHeight pixels; it is filled with the options' background and
    // painted.
    TPreviewDib(int32_t boxWidth, int32_t boxHeight, TPreviewPaintHook paint = {},
        TPreviewCommandHook post = {}, const TPreviewOptions& options = {});
    ~TPreviewDib() override;

    void SetOptions(const TPreviewOptions& options) { m_options = options; }
    const TPreviewOptions& Options() const { return m_options; }

    // No file: the file type becomes none and the box shows only its background.
    void ClearPreview();
    // Clears the box and draws the thumbnail of the file; true when a thumbnail, possibly
    // partial, was drawn. The message says why not, or what was wrong with the file.
    bool Load(const std::string& fileName);
    // Draws the next frame of an animated GIF, after the last one the first again.
    bool NextGifFrame();

    void PaintRow(int32_t row) override;

    bool DecodeBmp() override;
    bool DecodePcx() override;
    bool DecodeGif() override;
    bool DecodeTarga() override;
    bool DecodeJpeg() override;

    int32_t BoxWidth() const { return m_bitmapWidth; }
    int32_t BoxHeight() const { return m_bitmapHeight; }
    // The thumbnail's geometry, as the information dialog lists it; for a GIF file that of the
    // frame drawn last.
    const TThumbnailGeometry& Geometry() const { return m_geometry; }
    // GIF files: the geometry of the logical screen.
    const TThumbnailGeometry& LogicalGeometry() const { return m_logical; }

private:
    // A rectangle of the box: columns [left, right), rows [bottom, top).
    struct TBoxArea {
        int64_t left = 0;
        int64_t right = 0;
        int64_t bottom = 0;
        int64_t top = 0;
    };

    void FillBackground();
    void PaintBox();
    // The bitmap row of the thumbnail's top line; the rows below it count down from there.
    int64_t TopLine() const;
    // The 3 bytes in a bitmap row of the thumbnail's column (counted from its left edge), or
    // null outside the box.
    uint8_t* PixelAt(std::span<uint8_t> row, int64_t column) const;
    void FillArea(const TBoxArea& area, const uint8_t* color);
    bool AbortRequested() const override;

    // Reads one stored row of rowBytes bytes from the current position and hands each taken
    // pixel (every xCounter-th of width pixels of bitsPerPixel bits) to store(k, x, bytes): the
    // k-th taken pixel, its column, and its bytes (for fewer than 8 bits, the byte holding it).
    // The row is read in pieces, so that no row of any width is held whole. False when the file
    // ends before the row does.
    template <typename Store>
    bool ReadSampledRow(uint64_t rowBytes, int32_t bitsPerPixel, int64_t width, Store store);

    bool DecodeBmpRunLength(const std::array<uint8_t, 256 * 4>& palette);

    void SetGifColors();
    void FillGifLogicalScreen();
    void PlaceGifFrame();
    bool DecodeGifFramePixels();
    void DisposeGifFrame();
    void SaveBox();

    struct TJpegJob; // the library's objects of one decode
    bool DecodeJpegRows(TJpegJob& job);
    bool ReadJpegPass(TJpegJob& job);

    TPreviewOptions m_options;
    TPreviewPaintHook m_paint;
    TPreviewCommandHook m_post;
    TThumbnailGeometry m_geometry;
    TThumbnailGeometry m_logical;
    // The whole box, kept before a GIF frame that is to be undone (disposal method 3).
    std::vector<uint8_t> m_saveBuffer;
    // The piece of a stored row being sampled.
    std::vector<uint8_t> m_rowPiece;
    // The colours of the current GIF frame's indices, blue, green, red; black beyond the
    // frame's colour count.
    std::array<uint8_t, 256 * 3> m_gifColors {};
    // The box area the last GIF frame was drawn in.
    TBoxArea m_gifFrameArea;
};
