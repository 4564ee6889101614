// Thumbnails of large files (6000 x 4000): ours, which samples while it reads and seeks over the
// rows it does not take, against the way a program using a peer library makes one: a full
// decode followed by a nearest-neighbour downscale into the same box. Beside the JPEG files,
// the JPEG library's own scaled decode (an eighth of the size) is timed as the reference limit;
// ours keeps its sampling rule and decodes in full, so it is not expected to reach it.

#include "bench/BenchJpeg.h"
#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"
#include "image/BmpWriter.h"
#include "image/DisplayDib.h"
#include "platform/MessagePump.h"
#include "preview/PreviewDib.h"

#include <SDL_image.h>
#include <benchmark/benchmark.h>
#include <stb_image.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <unistd.h>

#include <jpeglib.h>

namespace {

constexpr int32_t kWidth = kPictureWidth;
constexpr int32_t kHeight = kPictureHeight;
constexpr int32_t kBox = 100;
constexpr int kJpegQuality = 90;

// --- the files

std::vector<uint8_t> BmpRgb24()
{
    const uint32_t stride = (uint32_t(kWidth) * 3 + 3) & ~3u;
    std::vector<uint8_t> file = { 'B', 'M' };
    AppendU32(file, 54 + stride * uint32_t(kHeight));
    AppendU32(file, 0);
    AppendU32(file, 54);
    AppendU32(file, 40);
    AppendU32(file, uint32_t(kWidth));
    AppendU32(file, uint32_t(kHeight));
    AppendU16(file, 1);
    AppendU16(file, 24);
    file.resize(54, 0);
    file.reserve(file.size() + size_t(stride) * kHeight);
    for (int32_t y = kHeight - 1; y >= 0; --y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            const auto color = TrueColor(x, y);
            file.insert(file.end(), { color[2], color[1], color[0] });
        }
        file.resize(file.size() + (stride - uint32_t(kWidth) * 3), 0);
    }
    return file;
}

std::vector<uint8_t> TargaRgb24()
{
    std::vector<uint8_t> file = { 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0 };
    AppendU16(file, uint32_t(kWidth));
    AppendU16(file, uint32_t(kHeight));
    file.insert(file.end(), { 24, 0 }); // bottom line first
    file.reserve(file.size() + size_t(kWidth) * kHeight * 3);
    for (int32_t y = kHeight - 1; y >= 0; --y)
        for (int32_t x = 0; x < kWidth; ++x) {
            const auto color = TrueColor(x, y);
            file.insert(file.end(), { color[2], color[1], color[0] });
        }
    return file;
}

// 8 bits in one plane, runs of up to 63 bytes, the palette after the marker.
std::vector<uint8_t> PcxPal8()
{
    std::vector<uint8_t> file = { 10, 5, 1, 8 };
    for (uint32_t value : { 0u, 0u, uint32_t(kWidth - 1), uint32_t(kHeight - 1), 300u, 300u })
        AppendU16(file, value);
    file.resize(65, 0);
    file.push_back(1);
    AppendU16(file, uint32_t(kWidth));
    AppendU16(file, 1);
    file.resize(128, 0);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth;) {
            const uint8_t index = PaletteIndex(x, y);
            int32_t run = 1;
            while (x + run < kWidth && run < 63 && PaletteIndex(x + run, y) == index)
                ++run;
            if (run > 1 || index >= 0xC0)
                file.push_back(uint8_t(0xC0 | run));
            file.push_back(index);
            x += run;
        }
    file.push_back(0x0C);
    for (uint32_t index = 0; index < 256; ++index) {
        const auto color = PaletteColor(index);
        file.insert(file.end(), color.begin(), color.end());
    }
    return file;
}

// One image of 8-bit LZW codes in blocks of 255 bytes, the table cleared when it is full.
std::vector<uint8_t> GifPal8()
{
    std::vector<uint8_t> file = { 'G', 'I', 'F', '8', '9', 'a' };
    AppendU16(file, uint32_t(kWidth));
    AppendU16(file, uint32_t(kHeight));
    file.insert(file.end(), { 0xF7, 0, 0 });
    for (uint32_t index = 0; index < 256; ++index) {
        const auto color = PaletteColor(index);
        file.insert(file.end(), color.begin(), color.end());
    }
    file.push_back(0x2C);
    for (uint32_t value : { 0u, 0u, uint32_t(kWidth), uint32_t(kHeight) })
        AppendU16(file, value);
    file.insert(file.end(), { 0, 8 });

    constexpr int kClear = 256;
    std::vector<uint8_t> data;
    std::vector<uint16_t> child(size_t(4096) * 256, 0); // code * 256 + pixel: longer code
    uint64_t bits = 0;
    int bitCount = 0;
    int codeSize = 9;
    int next = kClear + 2;
    const auto emit = [&](int code) {
        bits |= uint64_t(code) << bitCount;
        bitCount += codeSize;
        for (; bitCount >= 8; bitCount -= 8, bits >>= 8)
            data.push_back(uint8_t(bits));
    };
    const auto clear = [&] {
        emit(kClear);
        std::fill(child.begin(), child.end(), uint16_t(0));
        codeSize = 9;
        next = kClear + 2;
    };
    clear();
    int current = PaletteIndex(0, 0);
    for (int64_t i = 1; i < int64_t(kWidth) * kHeight; ++i) {
        const uint8_t pixel = PaletteIndex(int32_t(i % kWidth), int32_t(i / kWidth));
        uint16_t& longer = child[size_t(current) * 256 + pixel];
        if (longer != 0) {
            current = longer;
            continue;
        }
        emit(current);
        // The decoder's code size grows one code later than the encoder's table.
        if (next < 4096) {
            longer = uint16_t(next++);
            if (next - 1 == (1 << codeSize) && codeSize < 12)
                ++codeSize;
        } else {
            clear();
        }
        current = pixel;
    }
    emit(current);
    emit(kClear + 1);
    if (bitCount > 0)
        data.push_back(uint8_t(bits));
    for (size_t at = 0; at < data.size(); at += 255) {
        const size_t length = std::min<size_t>(255, data.size() - at);
        file.push_back(uint8_t(length));
        file.insert(
            file.end(), data.begin() + ptrdiff_t(at), data.begin() + ptrdiff_t(at + length));
    }
    file.insert(file.end(), { 0, 0x3B });
    return file;
}

std::vector<uint8_t> Jpeg(bool progressive)
{
    return CompressRgbJpeg(
        kWidth, kHeight, kJpegQuality, progressive, [](int32_t y, std::span<uint8_t> row) {
            for (int32_t x = 0; x < kWidth; ++x) {
                const auto color = TrueColor(x, y);
                std::copy(color.begin(), color.end(), row.begin() + 3 * x);
            }
        });
}

// --- the contenders: each makes a 24-bit box with the thumbnail in it

TDecodeResult PreviewWithPelorin(const std::string& path)
{
    static const bool prepared = [] {
        SetPumpOneMessage([] {});
        return true;
    }();
    (void)prepared;
    TPreviewDib preview(kBox, kBox);
    preview.SetOptions(TPreviewOptions {});
    const bool ok = preview.Load(path) && preview.Message().empty();
    benchmark::DoNotOptimize(preview.Bits().data());
    return { preview.Geometry().scaledWidth, preview.Geometry().scaledHeight, ok };
}

// The nearest-neighbour thumbnail of a full decode, by the same geometry; pixel(x, y) gives the
// colour at column x of line y (0 at the top).
template <typename Pixel> TDecodeResult Downscale(int32_t width, int32_t height, Pixel pixel)
{
    const TThumbnailGeometry g = ThumbnailGeometry(kBox, kBox, width, height);
    std::vector<uint8_t> box(size_t(kBox) * kBox * 3, 0);
    for (int32_t i = 0; i < g.scaledHeight; ++i) {
        uint8_t* out = box.data()
            + (size_t(g.yOffset + g.scaledHeight - 1 - i) * kBox + size_t(g.xOffset)) * 3;
        for (int32_t k = 0; k < g.scaledWidth; ++k, out += 3)
            pixel(k * g.xCounter, i * g.yCounter, out);
    }
    benchmark::DoNotOptimize(box.data());
    return { g.scaledWidth, g.scaledHeight, true };
}

TDecodeResult PreviewWithStb(const std::string& path)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load(path.c_str(), &width, &height, &channels, 3), stbi_image_free);
    if (!pixels)
        return {};
    const stbi_uc* data = pixels.get();
    return Downscale(width, height, [&](int32_t x, int32_t y, uint8_t* out) {
        const stbi_uc* in = data + (size_t(y) * size_t(width) + size_t(x)) * 3;
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    });
}

TDecodeResult PreviewWithSdlImage(const std::string& path)
{
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface(
        IMG_Load(path.c_str()), SDL_FreeSurface);
    if (!surface)
        return {};
    SDL_Surface* s = surface.get();
    if (SDL_MUSTLOCK(s))
        SDL_LockSurface(s);
    const int bytes = s->format->BytesPerPixel;
    const auto result = Downscale(s->w, s->h, [&](int32_t x, int32_t y, uint8_t* out) {
        const uint8_t* in = static_cast<const uint8_t*>(s->pixels) + size_t(y) * size_t(s->pitch)
            + size_t(x) * size_t(bytes);
        uint32_t value = 0;
        std::memcpy(&value, in, size_t(bytes));
        SDL_GetRGB(value, s->format, &out[2], &out[1], &out[0]);
    });
    if (SDL_MUSTLOCK(s))
        SDL_UnlockSurface(s);
    return result;
}

// The JPEG library's own scaled decode at an eighth of the size, rows into one buffer.
TDecodeResult ScaledWithLibjpeg(const std::string& path)
{
    return DecodePlainJpeg(path, nullptr, 8);
}

struct TContender {
    const char* name;
    TDecodeResult (*make)(const std::string& path);
    bool peer;
};

constexpr TContender kContenders[] = {
    { "pelorin", PreviewWithPelorin, false },
    { "stb_image", PreviewWithStb, true },
    { "sdl2_image", PreviewWithSdlImage, true },
};
constexpr TContender kReference = { "libjpeg_scale_1_8", ScaledWithLibjpeg, false };

struct TPreviewFile {
    std::string name;
    std::string description;
    std::string path;
    double goal; // ours at most this fraction of the fastest peer's time
    std::vector<std::string> contenders; // those that read the file
    bool reference = false;
};

std::vector<TPreviewFile>& Files()
{
    static std::vector<TPreviewFile> files;
    return files;
}

void AddFile(const char* name, const char* description, const char* fileName, double goal,
    std::vector<uint8_t> (*write)())
{
    if (!FileSelected(name))
        return;
    TPreviewFile file { name, description, WriteBenchFile(fileName, write()), goal, {} };
    std::vector<TContender> contenders(std::begin(kContenders), std::end(kContenders));
    file.reference = std::string(fileName).ends_with(".jpg");
    if (file.reference)
        contenders.push_back(kReference);
    for (const TContender& contender : contenders) {
        // A contender that cannot read the file is left out and named.
        if (!contender.make(file.path).ok) {
            std::printf("%s: %s does not read this file; left out\n", name, contender.name);
            continue;
        }
        file.contenders.push_back(contender.name);
        benchmark::RegisterBenchmark((file.name + "/" + contender.name).c_str(),
            [make = contender.make, path = file.path](benchmark::State& state) {
                for (auto _ : state)
                    if (!make(path).ok)
                        state.SkipWithError("no thumbnail");
            })
            ->Unit(benchmark::kMillisecond);
    }
    Files().push_back(std::move(file));
}

// The console table as usual, keeping each benchmark's mean (or median) time for the summary.
class TTimes : public benchmark::ConsoleReporter {
public:
    using ConsoleReporter::ConsoleReporter;

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const double ms = run.GetAdjustedRealTime();
            auto& entry = m_times[run.run_name.function_name];
            if (run.run_type == Run::RT_Iteration)
                entry.first.push_back(ms);
            else if (run.aggregate_name == "median")
                entry.second = ms;
        }
    }

    std::optional<double> Milliseconds(const std::string& name) const
    {
        const auto found = m_times.find(name);
        if (found == m_times.end())
            return std::nullopt;
        if (found->second.second)
            return found->second.second;
        const auto& runs = found->second.first;
        if (runs.empty())
            return std::nullopt;
        double sum = 0;
        for (double ms : runs)
            sum += ms;
        return sum / double(runs.size());
    }

private:
    std::map<std::string, std::pair<std::vector<double>, std::optional<double>>> m_times;
};

void PrintSummary(const TTimes& times)
{
    for (const TPreviewFile& file : Files()) {
        const std::optional<double> ours = times.Milliseconds(file.name + "/pelorin");
        if (!ours)
            continue;
        std::printf("\n%s: %s, thumbnail in a box of %d\n", file.name.c_str(),
            file.description.c_str(), kBox);
        std::printf("  %-20s %10s %12s\n", "contender", "ms", "ours/this");
        std::optional<double> fastestPeer;
        for (const std::string& name : file.contenders) {
            const std::optional<double> ms = times.Milliseconds(file.name + "/" + name);
            if (!ms)
                continue;
            std::printf("  %-20s %10.2f %12.3f\n", name.c_str(), *ms, *ours / *ms);
            const bool peer = name != "pelorin" && name != kReference.name;
            if (peer && (!fastestPeer || *ms < *fastestPeer))
                fastestPeer = *ms;
        }
        if (!fastestPeer)
            continue;
        const double ratio = *ours / *fastestPeer;
        std::printf("  goal: ours <= %.2f x the fastest peer %12.3f  %s\n", file.goal, ratio,
            ratio <= file.goal ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char** argv)
{
    InitDecoderBenchmarks(argc, argv);
    IMG_Init(IMG_INIT_JPG);
    // Uncompressed files are read a row in Y counter and seeked over: five times faster at least.
    AddFile("bmp_rgb24", "BMP 24-bit, 6000 x 4000", "rgb24.bmp", 0.2, BmpRgb24);
    AddFile("tga_rgb24", "Targa 24-bit, 6000 x 4000", "rgb24.tga", 0.2, TargaRgb24);
    AddFile("jpeg_baseline", "JPEG baseline 4:2:0, quality 90, 6000 x 4000", "baseline.jpg", 1.0,
        [] { return Jpeg(false); });
    AddFile("jpeg_progressive", "JPEG progressive 4:2:0, quality 90, 6000 x 4000",
        "progressive.jpg", 1.0, [] { return Jpeg(true); });
    AddFile("gif_pal8", "GIF 8-bit, 6000 x 4000", "pal8.gif", 1.0, GifPal8);
    AddFile("pcx_pal8", "PCX 8-bit, 6000 x 4000", "pal8.pcx", 1.0, PcxPal8);

    const auto options = isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                               : benchmark::ConsoleReporter::OO_Tabular;
    TTimes times(options);
    benchmark::RunSpecifiedBenchmarks(&times);
    PrintSummary(times);
    benchmark::Shutdown();
    IMG_Quit();
    return 0;
}
