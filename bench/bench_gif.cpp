// Decodes large GIF files (one 6000 x 4000 frame of 256 colours, plain and interlaced) and a
// 20-frame 800 x 600 animation with ours and with the peer libraries. giflib's DGifSlurp only
// unpacks the raw indices of every frame; the others compose the frames as a viewer shows
// them, so the animation compares ours with the composing peers, and giflib is measured apart.

#include "bench/BenchGif.h"
#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"
#include "bench/GifAnimators.h"
#include "image/DisplayDib.h"

#include <gif_lib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <optional>
#include <vector>

namespace {

constexpr int32_t kWidth = kPictureWidth;
constexpr int32_t kHeight = kPictureHeight;
constexpr int32_t kAnimationWidth = 800;
constexpr int32_t kAnimationHeight = 600;
constexpr int kAnimationFrames = 20;
constexpr int kRounds = 7;

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

double TimeAnimation(const TAnimator& animator, const std::string& path)
{
    int frames = 0;
    const double time = Milliseconds([&] { frames = animator.run(path, nullptr); });
    if (frames == 0) {
        std::fprintf(stderr, "pelorin bench: %s does not read %s\n", animator.name, path.c_str());
        std::exit(1);
    }
    return time;
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
            oursTimes.push_back(TimeAnimation(ours, path));
            giflibTimes.push_back(TimeAnimation(giflib, path));
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
    const std::vector<TFrame> frames
        = AnimationFrames(kAnimationWidth, kAnimationHeight, kAnimationFrames, composedIndices);
    const std::string path
        = WriteBenchFile("animation.gif", WriteGif(kAnimationWidth, kAnimationHeight, frames));
    const TRgbImage expected = RgbOf(kAnimationWidth, kAnimationHeight, composedIndices);

    std::vector<TAnimator> animators = { { "pelorin", AnimateWithPelorin } };
    for (const TAnimator& peer : ComposingPeers())
        animators.push_back(peer);
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
    if (Giflib())
        correct.push_back({ "giflib_slurp", SlurpWithGiflib });
    if (correct.empty() || std::string(correct.front().name) != "pelorin") {
        std::printf("  ours does not compose the animation correctly\n");
        return;
    }

    std::vector<std::vector<double>> times(correct.size());
    for (int round = 0; round < kRounds; ++round)
        for (size_t i = 0; i < correct.size(); ++i)
            times[i].push_back(TimeAnimation(correct[i], path));
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
