#include "bench/Peers.h"

#include "image/DisplayDib.h"
#include "platform/MessagePump.h"

#include <FreeImage.h>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <SDL_image.h>
#include <stb_image.h>

#include <bit>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The largest picture Qt may allocate, in MiB: as much as our own ceiling, so that Qt is not
// refused a picture we read.
constexpr int kQtAllocationLimitMiB = 1024;

void PrepareLibraries()
{
    static const bool prepared = [] {
        // Decoding runs as it would on the user-interface thread with nothing else to do.
        SetPumpOneMessage([] {});
        FreeImage_Initialise(FALSE);
        QImageReader::setAllocationLimit(kQtAllocationLimitMiB);
        return true;
    }();
    (void)prepared;
}

TRgbImage Failed(std::string error)
{
    TRgbImage image;
    image.error = std::move(error);
    return image;
}

TRgbImage EmptyRgb(int32_t width, int32_t height)
{
    TRgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(size_t(width) * size_t(height) * 3);
    return image;
}

// --- ours

bool LoadWithPelorin(TDisplayDib& dib, const std::string& path)
{
    PrepareLibraries();
    dib.SetOptions(TDecodeOptions {});
    // A warning is a damaged file; the benchmark files are whole, so it counts as a failure.
    return dib.Load(path) && dib.Message().empty();
}

uint32_t MaskValue(uint32_t pixel, uint32_t mask)
{
    if (mask == 0)
        return 0;
    const uint32_t value = (pixel & mask) >> std::countr_zero(mask);
    const uint32_t maximum = mask >> std::countr_zero(mask);
    return uint32_t(uint64_t(value) * 255 / maximum);
}

// Any layout the bitmap block can hold: a colour table up to 8 bits, 5-5-5 or bit fields at
// 16 and 32 bits, blue-green-red at 24 and 32.
TRgbImage DibToRgb(const TDib& dib)
{
    const int32_t width = dib.Width();
    const int32_t height = dib.Height();
    TRgbImage image = EmptyRgb(width, height);
    const auto table = dib.ColorTable();
    std::array<uint32_t, 3> masks { 0x7C00, 0x03E0, 0x001F };
    if (dib.BitCount() == 32)
        masks = { 0xFF0000, 0x00FF00, 0x0000FF };
    if (dib.Compression() == 3) {
        for (size_t i = 0; i < 3; ++i)
            masks[i] = uint32_t(table[i * 4]) | uint32_t(table[i * 4 + 1]) << 8
                | uint32_t(table[i * 4 + 2]) << 16 | uint32_t(table[i * 4 + 3]) << 24;
    }
    const int bits = dib.BitCount();
    for (int32_t y = 0; y < height; ++y) {
        const auto row = dib.Row(height - 1 - y);
        uint8_t* out = image.pixels.data() + size_t(y) * size_t(width) * 3;
        for (int32_t x = 0; x < width; ++x, out += 3) {
            if (bits <= 8) {
                const size_t bitPosition = size_t(x) * size_t(bits);
                const unsigned shift = unsigned(8 - bits - bitPosition % 8);
                const size_t index = (row[bitPosition / 8] >> shift) & ((1u << bits) - 1);
                if (index * 4 + 2 >= table.size())
                    return Failed("colour index beyond the table");
                out[0] = table[index * 4 + 2];
                out[1] = table[index * 4 + 1];
                out[2] = table[index * 4];
            } else if (bits == 24) {
                out[0] = row[size_t(x) * 3 + 2];
                out[1] = row[size_t(x) * 3 + 1];
                out[2] = row[size_t(x) * 3];
            } else {
                const size_t bytes = size_t(bits) / 8;
                uint32_t pixel = 0;
                for (size_t i = 0; i < bytes; ++i)
                    pixel |= uint32_t(row[size_t(x) * bytes + i]) << (8 * i);
                for (size_t i = 0; i < 3; ++i)
                    out[i] = uint8_t(MaskValue(pixel, masks[i]));
            }
        }
    }
    return image;
}

// --- FreeImage

struct TFreeImageUnload {
    void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using TFreeImageBitmap = std::unique_ptr<FIBITMAP, TFreeImageUnload>;

TFreeImageBitmap LoadWithFreeImage(const std::string& path)
{
    PrepareLibraries();
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    if (format == FIF_UNKNOWN)
        format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN || !FreeImage_FIFSupportsReading(format))
        return nullptr;
    return TFreeImageBitmap(FreeImage_Load(format, path.c_str(), 0));
}

// --- SDL2_image

struct TSdlFree {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
using TSdlSurface = std::unique_ptr<SDL_Surface, TSdlFree>;

// --- stb_image

struct TStbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using TStbPixels = std::unique_ptr<stbi_uc, TStbFree>;

} // namespace

TDecodeResult DecodeWithPelorin(const std::string& path)
{
    TDisplayDib dib;
    const bool ok = LoadWithPelorin(dib, path);
    return { dib.Width(), dib.Height(), ok };
}

TRgbImage ReadRgbWithPelorin(const std::string& path)
{
    TDisplayDib dib;
    if (!LoadWithPelorin(dib, path))
        return Failed(dib.Message().empty() ? "no picture" : dib.Message());
    return DibToRgb(dib);
}

TDecodeResult DecodeWithFreeImage(const std::string& path)
{
    const TFreeImageBitmap bitmap = LoadWithFreeImage(path);
    if (!bitmap)
        return {};
    return { int32_t(FreeImage_GetWidth(bitmap.get())), int32_t(FreeImage_GetHeight(bitmap.get())),
        FreeImage_HasPixels(bitmap.get()) != FALSE };
}

TRgbImage ReadRgbWithFreeImage(const std::string& path)
{
    const TFreeImageBitmap bitmap = LoadWithFreeImage(path);
    if (!bitmap)
        return Failed("FreeImage_Load failed");
    const TFreeImageBitmap rgb(FreeImage_ConvertTo24Bits(bitmap.get()));
    if (!rgb)
        return Failed("FreeImage_ConvertTo24Bits failed");
    const int32_t width = int32_t(FreeImage_GetWidth(rgb.get()));
    const int32_t height = int32_t(FreeImage_GetHeight(rgb.get()));
    TRgbImage image = EmptyRgb(width, height);
    for (int32_t y = 0; y < height; ++y) {
        // FreeImage keeps its scan lines bottom-up.
        const BYTE* in = FreeImage_GetScanLine(rgb.get(), height - 1 - y);
        uint8_t* out = image.pixels.data() + size_t(y) * size_t(width) * 3;
        for (int32_t x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = in[FI_RGBA_RED];
            out[1] = in[FI_RGBA_GREEN];
            out[2] = in[FI_RGBA_BLUE];
        }
    }
    return image;
}

TDecodeResult DecodeWithSdlImage(const std::string& path)
{
    PrepareLibraries();
    const TSdlSurface surface(IMG_Load(path.c_str()));
    if (!surface)
        return {};
    return { surface->w, surface->h, surface->pixels != nullptr };
}

TRgbImage ReadRgbWithSdlImage(const std::string& path)
{
    PrepareLibraries();
    const TSdlSurface surface(IMG_Load(path.c_str()));
    if (!surface)
        return Failed(IMG_GetError());
    const TSdlSurface rgb(SDL_ConvertSurfaceFormat(surface.get(), SDL_PIXELFORMAT_RGB24, 0));
    if (!rgb)
        return Failed(SDL_GetError());
    TRgbImage image = EmptyRgb(rgb->w, rgb->h);
    const size_t rowBytes = size_t(rgb->w) * 3;
    for (int y = 0; y < rgb->h; ++y) {
        const auto* in = static_cast<const uint8_t*>(rgb->pixels) + size_t(y) * size_t(rgb->pitch);
        std::copy(in, in + rowBytes, image.pixels.begin() + ptrdiff_t(size_t(y) * rowBytes));
    }
    return image;
}

TDecodeResult DecodeWithStb(const std::string& path)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    const TStbPixels pixels(stbi_load(path.c_str(), &width, &height, &channels, 0));
    if (!pixels)
        return {};
    return { width, height, true };
}

TRgbImage ReadRgbWithStb(const std::string& path)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    const TStbPixels pixels(stbi_load(path.c_str(), &width, &height, &channels, 3));
    if (!pixels)
        return Failed(stbi_failure_reason() ? stbi_failure_reason() : "stbi_load failed");
    TRgbImage image = EmptyRgb(width, height);
    std::copy(pixels.get(), pixels.get() + image.pixels.size(), image.pixels.begin());
    return image;
}

TDecodeResult DecodeWithQt(const std::string& path)
{
    PrepareLibraries();
    QImageReader reader(QString::fromStdString(path));
    QImage image;
    if (!reader.read(&image))
        return {};
    return { image.width(), image.height(), !image.isNull() };
}

TRgbImage ReadRgbWithQt(const std::string& path)
{
    PrepareLibraries();
    QImageReader reader(QString::fromStdString(path));
    QImage decoded;
    if (!reader.read(&decoded))
        return Failed(reader.errorString().toStdString());
    const QImage rgb = decoded.convertToFormat(QImage::Format_RGB888);
    TRgbImage image = EmptyRgb(rgb.width(), rgb.height());
    const size_t rowBytes = size_t(rgb.width()) * 3;
    for (int y = 0; y < rgb.height(); ++y) {
        const uint8_t* in = rgb.constScanLine(y);
        std::copy(in, in + rowBytes, image.pixels.begin() + ptrdiff_t(size_t(y) * rowBytes));
    }
    return image;
}

TDecodeResult ReadIntoNewMemory(const std::string& path)
{
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return {};
    struct stat status { };
    bool ok = fstat(file, &status) == 0;
    const size_t size = ok ? size_t(status.st_size) : 0;
    // Left uninitialised, as a decoder's new bitmap would be before its rows are written.
    const auto bytes = std::make_unique_for_overwrite<uint8_t[]>(size);
    size_t done = 0;
    while (ok && done < size) {
        const ssize_t got = read(file, bytes.get() + done, size - done);
        ok = got > 0;
        done += ok ? size_t(got) : 0;
    }
    close(file);
    return { 0, 0, ok };
}

const std::vector<TDecoder>& Decoders()
{
    static const std::vector<TDecoder> decoders {
        { "pelorin", DecodeWithPelorin, ReadRgbWithPelorin, true },
        { "freeimage", DecodeWithFreeImage, ReadRgbWithFreeImage, false },
        { "sdl_image", DecodeWithSdlImage, ReadRgbWithSdlImage, false },
        { "stb_image", DecodeWithStb, ReadRgbWithStb, false },
        { "qt", DecodeWithQt, ReadRgbWithQt, false },
        { "read_into_memory", ReadIntoNewMemory, nullptr, false },
    };
    return decoders;
}
