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
    // After the header of a 16- or 32-bit file: reads the colour masks of a bit-field file
    // (compression 3), or sets those of a plain one (5-5-5, or 8-8-8), with each mask's shift and
    // maximum. On false the message is set.
    bool ReadBmpMasks();
    // Reads the file's colour table (the colour count, at most 256 entries of 3 or 4 bytes) into
    // table as blue, green, red, 0 entries; the rest stays as it was. On false the message is set.
    bool ReadBmpPalette(std::span<uint8_t, 256 * 4> table);
    // Walks the run-length data of an RLE4 or RLE8 file (BmpRunLength.h).
    template <typename Sink> TBmpRunEnd WalkBmpRunLength(Sink& sink, int64_t& rowsDone);

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

    // --- GIF reader: shared parts (header, frame header, LZW) used by display and preview
    // Reads the header and the global colour table from the current position, then the first
    // frame's header. With useBkColor, frames without a local table show their background
    // entry in prevBkColor (0x00BBGGRR).
    bool ReadGifHeader(bool useBkColor, uint32_t prevBkColor);
    // Reads extensions up to the next image descriptor, the descriptor, the local colour table
    // and the code size, and prepares the LZW decoder. On false the message is set.
    bool ReadGifFrameHeader(bool useBkColor, uint32_t prevBkColor);
    // Whether a valid image follows the current position; never sets the message, and leaves
    // the position anywhere.
    bool GifImageFollows();
    // The next pixels of the current frame. Throws TGifDataError when the file ends inside
    // the image data.
    void ReadGifPixels(std::span<uint8_t> pixels);
    uint8_t ReadGifPixel();
    // Moves past the rest of a frame whose pixels are all read.
    void FinishGifFrame();
    // The frame row (0 = top) that the frame's stored row holds, for interlaced frames too.
    int64_t GifFrameRow(int64_t storedRow) const;
    // The graphic control extension of the current frame; all 0 when it has none.
    bool Transparent() const { return m_transparent; }
    uint8_t TransparentIndex() const { return m_transparentIndex; }
    bool UserInput() const { return m_userInput; }
    uint8_t DisposalMethod() const { return m_disposalMethod; }
    // --- JPEG reader: shared parts
    // Attaches the open file to a created decompressor, reads the header and chooses the
    // output: colour as three samples a pixel, blue first; grey as one sample a pixel, or as
    // three equal ones with greyAsTriplets. Records the picture's size, its bits per pixel (8
    // for grey, triplets too, else 24), the file's colour space and whether it has multiple
    // scans. Library errors leave through the decompressor's error exit, so this runs under
    // its jump context (JpegDecompress.h).
    void ReadJpegHeader(jpeg_decompress_struct& cinfo, bool greyAsTriplets);
    // --- PCX reader: shared parts (header, run-length byte reader)
    // Reads the 128-byte header from the current file position; sets the image size, the bits
    // per pixel and the colour count.
    bool ReadPcxHeader();
    // Moves to the image data after the header and empties the run-length byte reader.
    bool StartPcxData();
    // Fills out with the next decoded bytes and returns how many came: fewer only when the
    // file's data end. Runs continue from one call to the next.
    size_t ReadPcxBytes(std::span<uint8_t> out);
    // The next decoded byte; false when the data end.
    bool ReadPcxByte(uint8_t& byte);
    // Reads the 256-colour palette (red, green, blue) stored after the marker byte 12 at 769
    // bytes before the end of the file; present is false when the marker is not there.
    // False, with the message, when the file cannot be read there.
    bool ReadPcxEndPalette(std::array<uint8_t, 768>& palette, bool& present);
    // --- Targa reader: shared parts (header, colour map, run-length pixel reader)
    // Reads the header, the image ID and the colour map (into the working palette) from the
    // current file position, and empties the run-length pixel reader.
    bool ReadTargaHeader();
    // Decodes the next out.size() / pixel bytes run-length pixels into out and returns how
    // many came; fewer when the file ends, with the message "Premature end of file". Packets
    // continue from one call to the next.
    size_t ReadTargaPixels(std::span<uint8_t> out);
    // The next run-length pixel into the record's current pixel (Targa().pixel).
    bool ReadTargaPixel();

protected:
    // The abort request this kind of decode answers: the viewing window's for a display image,
    // the browser's for the preview.
    virtual bool AbortRequested() const { return false; }
    // The step every row loop takes after a row: one message, then the abort request. True
    // when the loop must stop.
    bool PumpAndCheckAbort() const;

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
    // Reads the bytes from position on into the pieces one after the other, and returns how
    // many came: fewer only where the file ends. Where the system allows, one call reads them
    // all straight from the file, past its buffer, and the file's own position is left alone;
    // elsewhere the file's position moves past them.
    static constexpr size_t kMaxFilePieces = 1024;
    size_t ReadFileAt(int64_t position, std::span<const std::span<uint8_t>> pieces);
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
