#pragma once

#include "image/BmpFields.h"
#include "image/Dib.h"
#include "image/FileTypes.h"
#include "image/GifFields.h"
#include "image/JpegFields.h"
#include "image/PcxFields.h"
#include "image/TargaFields.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>

// The largest bitmap block any reader builds, whatever the file claims: 1 GiB holds a
// 16384 x 16384 picture at 32 bits. Less is allowed when the system reports less memory
// available, so a hostile header fails at once instead of driving the machine into swap.
inline constexpr uint64_t kMaxBitmapBytes = uint64_t(1) << 30;
uint64_t BitmapBytesLimit();

// The image record: the packed bitmap, the raw header of the file it came from, and the
// state of whichever reader is running. Readers report by the result convention: false
// with a message is an error; true with a message is an image with a warning; true with an
// empty message is complete.
class TBaseDib : public virtual TDib {
public:
    TBaseDib();
    ~TBaseDib() override;

    // The loading driver: opens the file, identifies the format by its first bytes, runs
    // the format's decoder and closes the file.
    bool Load(const std::string& fileName);

    virtual bool DecodeBmp() { return false; }
    virtual bool DecodePcx() { return false; }
    virtual bool DecodeGif() { return false; }
    virtual bool DecodeTarga() { return false; }
    virtual bool DecodeJpeg() { return false; }
    // Paints one finished bitmap row; the preview paints rows as they come.
    virtual void PaintRow(int32_t /*row*/) { }

    // Builds an empty bitmap of bitmap width x bitmap height at the record's bits per pixel,
    // a bit-field bitmap when withMasks is set. On false the message is set.
    bool CreateBitmap(bool withMasks);

    // Reads the BMP file and info headers from the current file position; shared by the
    // display decoder and the preview.
    bool ReadBmpHeader();

    const std::string& Message() const { return m_message; }
    const std::string& FileName() const { return m_fileName; }
    int32_t FileType() const { return m_fileType; }
    int32_t BitmapWidth() const { return m_bitmapWidth; }
    int32_t BitmapHeight() const { return m_bitmapHeight; }
    int32_t ImageWidth() const { return m_imageWidth; }
    int32_t ImageHeight() const { return m_imageHeight; }
    int32_t BitsPerPixel() const { return m_bitsPerPixel; }
    int32_t RowStride() const { return m_rowStride; }
    int32_t RowBytes() const { return m_rowBytes; }
    int32_t ColorCount() const { return m_colorCount; }
    int32_t BitmapSize() const { return m_bitmapSize; }
    bool BottomUp() const { return m_bottomUp; }
    bool RunLength() const { return m_runLength; }
    bool MoreImages() const { return m_moreImages; }
    int32_t FrameDelay() const { return m_frameDelay; }
    int32_t ImageNumber() const { return m_imageNumber; }
    int32_t ImageTotal() const { return m_imageTotal; }
    bool Interlaced() const { return m_interlaced; }

    const TBmpFields& Bmp() const { return m_bmp; }
    const TGifFields& Gif() const { return m_gif; }
    const TPcxFields& Pcx() const { return m_pcx; }
    const TTargaFields& Targa() const { return m_targa; }
    const TJpegFields& Jpeg() const { return m_jpeg; }

protected:
    // Sets the message and returns false: the usual way out of a failing reader.
    bool Fail(std::string message);
    // A read failure in the middle of the pixel data: the rows done stay, the message is
    // a warning when there are any, an error otherwise.
    bool FailPartly(std::string message, bool rowsDone)
    {
        m_message = std::move(message);
        return rowsDone;
    }

    // The open file. Reads never run past the end: they return what there was.
    bool OpenFile(const std::string& fileName);
    void CloseFile();
    size_t ReadFile(std::span<uint8_t> out);
    bool ReadFileExact(std::span<uint8_t> out) { return ReadFile(out) == out.size(); }
    int ReadFileByte(); // EOF at the end
    bool SeekFile(int64_t position);
    int64_t TellFile();
    std::FILE* File() { return m_file.get(); }

    // The bitmap row that file row fileRow (0 = first in the file) goes to, so that the
    // picture stands upright: a bottom-up file fills rows upwards from 0, a top-first file
    // fills them downwards from the last.
    int64_t TargetRow(int64_t fileRow, bool bottomUp) const
    {
        return bottomUp ? fileRow : int64_t(m_bitmapHeight) - 1 - fileRow;
    }

    int32_t m_rowStride = 0;
    std::string m_message;
    int32_t m_bitmapWidth = 0;
    int32_t m_bitmapHeight = 0;
    int32_t m_imageWidth = 0;
    int32_t m_imageHeight = 0;
    int32_t m_rowBytes = 0;
    int32_t m_currentRow = 0;
    int32_t m_bitsPerPixel = 0;
    int32_t m_bitmapSize = 0;
    std::string m_fileName;
    int32_t m_fileType = FileTypeNone;
    int32_t m_colorCount = 0;

    TBmpFields m_bmp;
    TPcxFields m_pcx;
    TTargaFields m_targa;
    TGifFields m_gif;
    TJpegFields m_jpeg;

    std::array<uint8_t, 256 * 4> m_workingPalette {}; // GIF and Targa, before intensity
    bool m_interlaced = false; // GIF: frame interlaced; JPEG: multiple scans
    bool m_moreImages = false;
    int32_t m_frameDelay = 0;
    bool m_transparent = false;
    uint8_t m_transparentIndex = 0;
    bool m_userInput = false;
    uint8_t m_disposalMethod = 0;
    int32_t m_imageNumber = 0;
    int32_t m_imageTotal = 0;
    int64_t m_savedPosition = 0;
    bool m_bottomUp = false;
    bool m_runLength = false;

private:
    struct TCloseFile {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, TCloseFile> m_file;
};
