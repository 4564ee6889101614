#include "bench/GifAnimators.h"

#include <FreeImage.h>
#include <QImage>
#include <QImageReader>
#include <QString>
#include <SDL_image.h>
#include <stb_image.h>

#include <fstream>
#include <iterator>

namespace {

void KeepRgb(std::vector<uint8_t>* last, const uint8_t* pixels, size_t pixelCount, size_t step,
    size_t red, size_t green, size_t blue)
{
    if (!last)
        return;
    last->resize(pixelCount * 3);
    for (size_t i = 0; i < pixelCount; ++i) {
        (*last)[i * 3] = pixels[i * step + red];
        (*last)[i * 3 + 1] = pixels[i * step + green];
        (*last)[i * 3 + 2] = pixels[i * step + blue];
    }
}

int AnimateWithFreeImage(const std::string& path, std::vector<uint8_t>* last)
{
    FIMULTIBITMAP* pages
        = FreeImage_OpenMultiBitmap(FIF_GIF, path.c_str(), FALSE, TRUE, TRUE, GIF_PLAYBACK);
    if (!pages)
        return 0;
    const int count = FreeImage_GetPageCount(pages);
    for (int page = 0; page < count; ++page) {
        FIBITMAP* bitmap = FreeImage_LockPage(pages, page);
        if (!bitmap)
            break;
        if (last && page == count - 1) {
            FIBITMAP* rgb = FreeImage_ConvertTo24Bits(bitmap);
            const int32_t width = int32_t(FreeImage_GetWidth(rgb));
            const int32_t height = int32_t(FreeImage_GetHeight(rgb));
            last->clear();
            for (int32_t y = 0; y < height; ++y) {
                std::vector<uint8_t> row;
                KeepRgb(&row, FreeImage_GetScanLine(rgb, height - 1 - y), size_t(width), 3,
                    FI_RGBA_RED, FI_RGBA_GREEN, FI_RGBA_BLUE);
                last->insert(last->end(), row.begin(), row.end());
            }
            FreeImage_Unload(rgb);
        }
        FreeImage_UnlockPage(pages, bitmap, FALSE);
    }
    FreeImage_CloseMultiBitmap(pages, 0);
    return count;
}

int AnimateWithStb(const std::string& path, std::vector<uint8_t>* last)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<uint8_t> bytes { std::istreambuf_iterator<char>(in), {} };
    int* delays = nullptr;
    int width = 0;
    int height = 0;
    int frames = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load_gif_from_memory(
        bytes.data(), int(bytes.size()), &delays, &width, &height, &frames, &channels, 4);
    if (!pixels)
        return 0;
    const size_t frameBytes = size_t(width) * size_t(height) * 4;
    KeepRgb(
        last, pixels + frameBytes * size_t(frames - 1), size_t(width) * size_t(height), 4, 0, 1, 2);
    stbi_image_free(pixels);
    stbi_image_free(delays);
    return frames;
}

int AnimateWithSdlImage(const std::string& path, std::vector<uint8_t>* last)
{
    IMG_Animation* animation = IMG_LoadAnimation(path.c_str());
    if (!animation)
        return 0;
    const int frames = animation->count;
    if (last && frames > 0) {
        SDL_Surface* rgb
            = SDL_ConvertSurfaceFormat(animation->frames[frames - 1], SDL_PIXELFORMAT_RGB24, 0);
        last->clear();
        for (int y = 0; rgb && y < rgb->h; ++y) {
            const auto* row
                = static_cast<const uint8_t*>(rgb->pixels) + size_t(y) * size_t(rgb->pitch);
            last->insert(last->end(), row, row + size_t(rgb->w) * 3);
        }
        SDL_FreeSurface(rgb);
    }
    IMG_FreeAnimation(animation);
    return frames;
}

int AnimateWithQt(const std::string& path, std::vector<uint8_t>* last)
{
    QImageReader reader(QString::fromStdString(path));
    QImage image;
    int frames = 0;
    while (reader.read(&image))
        ++frames;
    if (last && frames > 0) {
        const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
        last->clear();
        for (int y = 0; y < rgb.height(); ++y)
            last->insert(last->end(), rgb.constScanLine(y), rgb.constScanLine(y) + rgb.width() * 3);
    }
    return frames;
}

} // namespace

std::vector<TAnimator> ComposingPeers()
{
    return { { "freeimage", AnimateWithFreeImage }, { "sdl_image", AnimateWithSdlImage },
        { "stb_image", AnimateWithStb }, { "qt", AnimateWithQt } };
}
