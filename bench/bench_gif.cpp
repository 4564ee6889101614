// Decodes large GIF files (one 6000 x 4000 frame of 256 colours, plain and interlaced) and a
// 20-frame 800 x 600 animation with ours and with the peer libraries. giflib's DGifSlurp only
// unpacks the raw indices of every frame; the others compose the frames as a viewer shows
// them, so the animation compares ours with the composing peers, and giflib is measured apart.

#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"
#include "image/DisplayDib.h"

#include <FreeImage.h>
#include <SDL2/SDL_image.h>
#include <gif_lib.h>
#include <stb/stb_image.h>
#if __has_include(<QImageReader>)
#include <QImage>
#include <QImageReader>
#include <QString>
#define PELORIN_BENCH_QT 1
#endif

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <dlfcn.h>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace {

constexpr int32_t kWidth = kPictureWidth;
constexpr int32_t kHeight = kPictureHeight;
constexpr int32_t kAnimationWidth = 800;
constexpr int32_t kAnimationHeight = 600;
constexpr int kAnimationFrames = 20;
constexpr int kRounds = 7;
constexpr uint8_t kTransparentIndex = 255;
// Writes LZW data of minimum code size 8 in sub-blocks of 255 bytes, clearing the table when
// it is full, as common encoders do.
class TLzwWriter {
public:
    explicit TLzwWriter(std::vector<uint8_t>& out)
        : m_out(out)
        , m_child(size_t(4096) * 256, 0)
    {
        m_used.reserve(4096);
    }

    void Encode(std::span<const uint8_t> pixels)
    {
        m_out.push_back(8);
        Reset();
        Emit(kClear);
        Reset();
        int current = pixels.empty() ? 0 : pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const size_t key = size_t(current) * 256 + pixels[i];
            if (m_child[key] != 0) {
                current = m_child[key];
                continue;
            }
            Emit(current);
            if (m_encoderNext < 4096) {
                m_child[key] = uint16_t(m_encoderNext++);
                m_used.push_back(key);
            } else {
                Emit(kClear);
                Reset();
            }
            current = pixels[i];
        }
        Emit(current);
        Emit(kClear + 1);
        if (m_bitCount > 0)
            PutByte(uint8_t(m_bits));
        m_bits = 0;
        m_bitCount = 0;
        FlushBlock();
        m_out.push_back(0);
    }

private:
    static constexpr int kClear = 256;

    void Reset()
    {
        for (size_t key : m_used)
            m_child[key] = 0;
        m_used.clear();
        m_encoderNext = m_decoderNext = kClear + 2;
        m_codeSize = 9;
        m_firstAfterClear = true;
    }
    // Code sizes follow a decoder, which makes its entry one code after the encoder.
    void Emit(int code)
    {
        m_bits |= uint32_t(code) << m_bitCount;
        m_bitCount += m_codeSize;
        while (m_bitCount >= 8) {
            PutByte(uint8_t(m_bits));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
        if (!m_firstAfterClear && m_decoderNext < 4096) {
            ++m_decoderNext;
            if (m_decoderNext == 1 << m_codeSize && m_codeSize < 12)
                ++m_codeSize;
        }
        m_firstAfterClear = code == kClear;
    }
    void PutByte(uint8_t byte)
    {
        m_block[m_blockSize++] = byte;
        if (m_blockSize == 255)
            FlushBlock();
    }
    void FlushBlock()
    {
        if (m_blockSize == 0)
            return;
        m_out.push_back(uint8_t(m_blockSize));
        m_out.insert(m_out.end(), m_block.begin(), m_block.begin() + ptrdiff_t(m_blockSize));
        m_blockSize = 0;
    }

    std::vector<uint8_t>& m_out;
    std::vector<uint16_t> m_child; // code * 256 + pixel: the longer code, 0 for none
    std::vector<size_t> m_used;
    int m_encoderNext = kClear + 2;
    int m_decoderNext = kClear + 2;
    int m_codeSize = 9;
    bool m_firstAfterClear = true;
    uint32_t m_bits = 0;
    int m_bitCount = 0;
    std::array<uint8_t, 255> m_block {};
    size_t m_blockSize = 0;
};
struct TFrame {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool interlaced = false;
    bool transparent = false;
    std::vector<uint8_t> pixels; // rows top first
};

std::vector<uint8_t> WriteGif(int32_t width, int32_t height, const std::vector<TFrame>& frames)
{
    std::vector<uint8_t> out = { 'G', 'I', 'F', '8', '9', 'a' };
    AppendU16(out, uint32_t(width));
    AppendU16(out, uint32_t(height));
    out.insert(out.end(), { 0xF7, 0, 0 });
    for (uint32_t i = 0; i < 256; ++i) {
        const auto color = PaletteColor(i);
        out.insert(out.end(), color.begin(), color.end());
    }
    if (frames.size() > 1) // loop for ever
        out.insert(out.end(),
            { 0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0,
                0 });
    TLzwWriter lzw(out);
    for (const TFrame& frame : frames) {
        if (frames.size() > 1) {
            // Disposal 1 (leave the frame in place), 5 hundredths.
            out.insert(out.end(),
                { 0x21, 0xF9, 4, uint8_t(0x04 | (frame.transparent ? 1 : 0)), 5, 0,
                    kTransparentIndex, 0 });
        }
        out.push_back(0x2C);
        AppendU16(out, uint32_t(frame.left));
        AppendU16(out, uint32_t(frame.top));
        AppendU16(out, uint32_t(frame.width));
        AppendU16(out, uint32_t(frame.height));
        out.push_back(frame.interlaced ? 0x40 : 0);
        std::vector<uint8_t> stored;
        if (frame.interlaced) {
            stored.reserve(frame.pixels.size());
            for (const auto& [start, step] : { std::pair { 0, 8 }, { 4, 8 }, { 2, 4 }, { 1, 2 } })
                for (int32_t y = start; y < frame.height; y += step)
                    stored.insert(stored.end(), frame.pixels.begin() + ptrdiff_t(y) * frame.width,
                        frame.pixels.begin() + ptrdiff_t(y + 1) * frame.width);
        }
        lzw.Encode(frame.interlaced ? stored : frame.pixels);
    }
    out.push_back(0x3B);
    return out;
}

TRgbImage RgbOf(int32_t width, int32_t height, std::span<const uint8_t> indices)
{
    TRgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(indices.size() * 3);
    for (uint8_t index : indices) {
        const auto color = PaletteColor(index);
        image.pixels.insert(image.pixels.end(), color.begin(), color.end());
    }
    return image;
}

TFrame StillFrame(bool interlaced)
{
    TFrame frame;
    frame.width = kWidth;
    frame.height = kHeight;
    frame.interlaced = interlaced;
    frame.pixels.resize(size_t(kWidth) * size_t(kHeight));
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            frame.pixels[size_t(y) * kWidth + size_t(x)] = PaletteIndex(x, y, 1);
    return frame;
}

// An animation as screen recordings and banners make them: a full first picture, then frames
// that each redraw a region, every other one with transparent pixels over what was there.
// Returns the frames and the last picture composed.
std::vector<TFrame> AnimationFrames(std::vector<uint8_t>& composed)
{
    std::vector<TFrame> frames;
    composed.assign(size_t(kAnimationWidth) * kAnimationHeight, 0);
    for (int k = 0; k < kAnimationFrames; ++k) {
        TFrame frame;
        const bool full = k % 5 == 0;
        frame.width = full ? kAnimationWidth : 400;
        frame.height = full ? kAnimationHeight : 300;
        frame.left = full ? 0 : (k * 37) % (kAnimationWidth - frame.width);
        frame.top = full ? 0 : (k * 23) % (kAnimationHeight - frame.height);
        frame.transparent = !full && k % 2 == 1;
        for (int32_t y = 0; y < frame.height; ++y)
            for (int32_t x = 0; x < frame.width; ++x) {
                const int32_t sx = x + frame.left + k * 11;
                const int32_t sy = y + frame.top + k * 7;
                uint8_t index = PaletteIndex(sx, sy, 5);
                if (frame.transparent && (Hash(uint32_t(sx / 16), uint32_t(sy / 16)) & 3) == 0)
                    index = kTransparentIndex;
                frame.pixels.push_back(index);
                if (index != kTransparentIndex || !frame.transparent)
                    composed[size_t(y + frame.top) * kAnimationWidth + size_t(x + frame.left)]
                        = index;
            }
        frames.push_back(std::move(frame));
    }
    return frames;
}

void AddStillFile(
    const char* name, const char* description, bool interlaced, std::vector<std::string>& paths)
{
    if (!FileSelected(name))
        return;
    const TFrame frame = StillFrame(interlaced);
    TBenchFile file;
    file.name = name;
    file.description = description;
    file.path = WriteBenchFile(std::string(name) + ".gif", WriteGif(kWidth, kHeight, { frame }));
    file.expected = RgbOf(kWidth, kHeight, frame.pixels);
    paths.push_back(file.path);
    AddDecoderBenchmarks(std::move(file));
}

// --- giflib, loaded at run time so that only this benchmark needs it

struct TGiflib {
    decltype(&DGifOpenFileName) open = nullptr;
    decltype(&DGifSlurp) slurp = nullptr;
    decltype(&DGifCloseFile) close = nullptr;
};

const TGiflib* Giflib()
{
    static const std::optional<TGiflib> library = []() -> std::optional<TGiflib> {
        void* handle = dlopen("libgif.so.7", RTLD_NOW | RTLD_LOCAL);
        if (!handle)
            return std::nullopt;
        TGiflib giflib;
        giflib.open
            = reinterpret_cast<decltype(&DGifOpenFileName)>(dlsym(handle, "DGifOpenFileName"));
        giflib.slurp = reinterpret_cast<decltype(&DGifSlurp)>(dlsym(handle, "DGifSlurp"));
        giflib.close = reinterpret_cast<decltype(&DGifCloseFile)>(dlsym(handle, "DGifCloseFile"));
        if (!giflib.open || !giflib.slurp || !giflib.close)
            return std::nullopt;
        return giflib;
    }();
    return library ? &*library : nullptr;
}

// Every frame's raw indices, nothing composed.
int SlurpWithGiflib(const std::string& path, std::vector<uint8_t>*)
{
    const TGiflib* giflib = Giflib();
    int error = 0;
    GifFileType* gif = giflib->open(path.c_str(), &error);
    if (!gif)
        return 0;
    const int frames = giflib->slurp(gif) == GIF_OK ? gif->ImageCount : 0;
    giflib->close(gif, &error);
    return frames;
}

// --- the composing decoders: each shows every frame and hands back the last picture

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

int AnimateWithPelorin(const std::string& path, std::vector<uint8_t>* last)
{
    TDisplayDib dib;
    dib.SetOptions(TDecodeOptions {});
    if (!dib.Load(path) || !dib.MoreImages())
        return 0;
    int frames = 1;
    while (frames < kAnimationFrames && dib.NextGifFrame())
        ++frames;
    if (last) {
        last->clear();
        const auto table = dib.ColorTable();
        for (int32_t y = 0; y < dib.Height(); ++y)
            for (uint8_t index : dib.Row(dib.Height() - 1 - y).first(size_t(dib.Width())))
                last->insert(
                    last->end(), { table[index * 4 + 2], table[index * 4 + 1], table[index * 4] });
    }
    return frames;
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

#ifdef PELORIN_BENCH_QT
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
#endif

struct TAnimator {
    const char* name;
    std::function<int(const std::string&, std::vector<uint8_t>*)> run;
};

double Milliseconds(const TAnimator& animator, const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    const int frames = animator.run(path, nullptr);
    const auto end = std::chrono::steady_clock::now();
    if (frames == 0) {
        std::fprintf(stderr, "pelorin bench: %s does not read %s\n", animator.name, path.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Ours against DGifSlurp on the single-frame files, alternating, the median of each.
void PrintGiflibGoal(const std::vector<std::string>& paths)
{
    if (!Giflib()) {
        std::printf("\ngiflib (libgif.so.7) is not installed: no comparison with DGifSlurp\n");
        return;
    }
    const TAnimator ours { "pelorin", [](const std::string& path, std::vector<uint8_t>*) {
                              TDisplayDib dib;
                              dib.SetOptions(TDecodeOptions {});
                              return dib.Load(path) && dib.Message().empty() ? 1 : 0;
                          } };
    const TAnimator giflib { "giflib", SlurpWithGiflib };
    for (const std::string& path : paths) {
        std::vector<double> oursTimes;
        std::vector<double> giflibTimes;
        for (int round = 0; round < kRounds; ++round) {
            oursTimes.push_back(Milliseconds(ours, path));
            giflibTimes.push_back(Milliseconds(giflib, path));
        }
        const double ratio = Median(oursTimes) / Median(giflibTimes);
        std::printf("\n%s against giflib's DGifSlurp (medians of %d alternating runs)\n",
            path.substr(path.find_last_of('/') + 1).c_str(), kRounds);
        std::printf("  %-18s %10.2f ms\n  %-18s %10.2f ms\n", "pelorin", Median(oursTimes),
            "giflib_slurp", Median(giflibTimes));
        std::printf("  goal: ours <= giflib %28.2f  %s\n", ratio, ratio <= 1.0 ? "met" : "MISSED");
    }
}

// Every frame of the animation shown by ours and by each composing peer; a peer whose last
// picture differs from the one the frames compose is left out. giflib's raw unpacking is
// listed for scale.
void RunAnimation()
{
    const std::string name = "gif_animation";
    std::vector<uint8_t> composedIndices;
    const std::vector<TFrame> frames = AnimationFrames(composedIndices);
    const std::string path
        = WriteBenchFile("animation.gif", WriteGif(kAnimationWidth, kAnimationHeight, frames));
    const TRgbImage expected = RgbOf(kAnimationWidth, kAnimationHeight, composedIndices);

    std::vector<TAnimator> animators
        = { { "pelorin", AnimateWithPelorin }, { "freeimage", AnimateWithFreeImage },
              { "sdl_image", AnimateWithSdlImage }, { "stb_image", AnimateWithStb } };
#ifdef PELORIN_BENCH_QT
    animators.push_back({ "qt", AnimateWithQt });
#endif
    std::printf("\n%s: %d frames of %d x %d, 256 colours, regions and transparency\n", name.c_str(),
        kAnimationFrames, kAnimationWidth, kAnimationHeight);
    std::vector<TAnimator> correct;
    for (const TAnimator& animator : animators) {
        std::vector<uint8_t> last;
        const int count = animator.run(path, &last);
        if (count != kAnimationFrames || last != expected.pixels) {
            std::printf("  %-18s left out: %d frames, last picture %s\n", animator.name, count,
                last == expected.pixels ? "right" : "wrong");
            continue;
        }
        correct.push_back(animator);
    }
#ifndef PELORIN_BENCH_QT
    std::printf("  %-18s left out: built without Qt's headers\n", "qt");
#endif
    if (Giflib())
        correct.push_back({ "giflib_slurp", SlurpWithGiflib });
    if (correct.empty() || std::string(correct.front().name) != "pelorin") {
        std::printf("  ours does not compose the animation correctly\n");
        return;
    }

    std::vector<std::vector<double>> times(correct.size());
    for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < correct.size(); ++i)
            times[i].push_back(Milliseconds(correct[i], path));
    const double ours = Median(times[0]);
    std::printf("  %-18s %10s %10s   (medians of %d alternating runs)\n", "decoder", "ms",
        "ours/this", kRounds);
    bool met = true;
    std::string slowest;
    for (size_t i = 0; i < correct.size(); ++i) {
        const double time = Median(times[i]);
        std::printf("  %-18s %10.2f %10.2f%s\n", correct[i].name, time, ours / time,
            std::string(correct[i].name) == "giflib_slurp" ? "   (raw indices, composes nothing)"
                                                           : "");
        if (i > 0 && std::string(correct[i].name) != "giflib_slurp" && ours >= time)
            met = false;
    }
    std::printf("  goal: ours faster than every composing peer %10s\n", met ? "met" : "MISSED");
}

} // namespace

int main(int argc, char** argv)
{
    InitDecoderBenchmarks(argc, argv);
    std::vector<std::string> stills;
    AddStillFile("gif_plain", "256 colours, 6000 x 4000", false, stills);
    AddStillFile("gif_interlaced", "256 colours, interlaced, 6000 x 4000", true, stills);
    const int result = RunDecoderBenchmarks();
    PrintGiflibGoal(stills);
    if (FileSelected("gif_animation"))
        RunAnimation();
    return result;
}
