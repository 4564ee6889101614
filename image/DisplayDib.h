#pragma once

#include "image/BaseDib.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The preferences a display decode reads. The owner sets them before loading; until then the
// image has the settings' defaults.
struct TDecodeOptions {
    int32_t intensityOffset = 0;
    bool showStatus = true;
    bool showAnimatedGif = true;
    bool useBkColor = false;
    uint32_t prevBkColor = 0; // 0x00BBGGRR
};

// Shows a progress text for the owner window: as its caption, or drawn inside it when it
// has no caption (inClient).
using TProgressHook = std::function<void(const std::string& text, bool inClient)>;

// Decodes a file at full size for the viewing window, with progress, the load-abort request
// and the intensity adjustment.
class TDisplayDib : public TBaseDib {
public:
    explicit TDisplayDib(TProgressHook progress = {}, bool progressInClient = false);
    ~TDisplayDib() override;

    void SetOptions(const TDecodeOptions& options) { m_options = options; }
    const TDecodeOptions& Options() const { return m_options; }

    // Builds "%s - %2d%%" (or the pass form) and hands it to the owner.
    void ShowProgress(int percent, int pass = 0, int passes = 0, bool withPasses = false);

    bool DecodeBmp() override;
    bool DecodePcx() override;
    bool DecodeGif() override;
    bool DecodeTarga() override;
    bool DecodeJpeg() override;

    // Decodes the next frame of an animated GIF into the existing bitmap.
    bool NextGifFrame();

protected:
    // Row progress: 0 percent is shown by the decoder; then each time the count of finished
    // rows reaches the next of the nine tenths of height, 10 percent more.
    void StartRowProgress(int64_t height);
    void RowProgress(int64_t rowsFinished);
    bool AbortRequested() const override;

    int32_t IntensityOffset() const { return m_options.intensityOffset; }

private:
    bool DecodeBmpRunLength();
    bool ReadBmpBitmapMasks();
    bool ReadBmpColorTable();

    TDecodeOptions m_options;
    TProgressHook m_progress;
    bool m_progressInClient = false;
    bool m_firstFrame = false;
    int64_t m_progressTenth = 0;
    int m_progressNext = 10; // beyond the last step until rows are counted

    // --- GIF reader
    bool DecodeGifFrame();
    void WriteGifRows();
    void FillGifRowsWithZero(int64_t fromStoredRow);
    void SetGifColorTable();
    void FillGifBackground();
    void DisposeGifFrame();
    void SaveGifPicture();
    // The bytes of each bitmap row that the current frame's rectangle covers.
    std::pair<size_t, size_t> GifFrameBytes() const;
    // The picture is known to hold index 0 everywhere (a new bitmap, nothing drawn yet), and
    // was so when the current frame began: filling with 0 then has nothing to do.
    bool m_gifPictureZero = false;
    bool m_gifFrameOnZero = false;
    // The frame rectangle's part of the picture held before a frame whose disposal method is 3.
    std::vector<uint8_t> m_gifSaved;
    // --- JPEG reader
    struct TJpegJob; // the library's objects of one decode
    bool DecodeJpegRows(TJpegJob& job);
    static void OnJpegProgress(jpeg_common_struct* cinfo);
    // --- PCX reader
    // Fills the colour table of a 1-, 4- or 8-bit file, intensity-adjusted.
    bool SetPcxColorTable();
    // --- Targa reader
};
