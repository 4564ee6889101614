// The viewing window walking a folder. Next file (command 301) through 6000 x 4000 JPEG files
// with Fit on in a 1024 x 768 window, from the command to the new picture painted, against the
// plain library decode of the same file; and a 20-frame 1000 x 1000 GIF shown frame after frame
// (the load, then Ctrl+G, each frame painted), per frame, against the composing peers of the
// GIF benchmark. Medians of alternating runs.

#include "bench/BenchGif.h"
#include "bench/BenchJpeg.h"
#include "bench/BenchWindows.h"
#include "bench/DecoderBench.h"
#include "bench/GifAnimators.h"
#include "bench/ViewBench.h"
#include "image/DisplayDib.h"
#include "platform/Profile.h"
#include "ui/Screen.h"

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>

namespace {

constexpr int kRounds = 9;
constexpr int kFrames = 20;
constexpr int32_t kAnimationSide = 1000;
// The walk may cost this much more than decoding the file alone.
constexpr double kNextFileLimit = 1.15;

void RunNextFile(const std::string& folder)
{
    const std::vector<uint8_t> jpeg
        = CompressRgbJpeg(kPictureWidth, kPictureHeight, 90, false, JpegPictureRow);
    const std::vector<std::string> names = { "a.jpg", "b.jpg", "c.jpg" };
    for (const std::string& name : names)
        WriteBenchFile(name, jpeg);
    Settings() = TViewSettings();
    TViewBench bench(folder, names, true);
    if (bench.View().ScaledBitmap().isNull()) {
        std::printf("next file: the picture was not shown scaled\n");
        return;
    }
    std::vector<double> next;
    std::vector<double> plain;
    for (int round = 0; round < kRounds; ++round) {
        next.push_back(Milliseconds([&] { bench.Command(CmNextFile); }));
        const std::string path = folder + names[size_t(bench.View().CurrentIndex())];
        plain.push_back(Milliseconds([&] { DecodePlainJpeg(path, nullptr); }));
    }
    const double ratio = Median(next) / Median(plain);
    std::printf("\nnext file: baseline JPEG 6000 x 4000 with Fit in %d x %d (medians of %d "
                "alternating runs)\n",
        kViewBenchWindow.width(), kViewBenchWindow.height(), kRounds);
    std::printf("  %-30s %10.2f ms\n  %-30s %10.2f ms\n", "301 to painted", Median(next),
        "libjpeg-turbo decode", Median(plain));
    std::printf("  goal: <= %.2f x the decode %20.2f  %s\n", kNextFileLimit, ratio,
        ratio <= kNextFileLimit ? "met" : "MISSED");
}

void RunAnimation(const std::string& folder)
{
    std::vector<uint8_t> composed;
    const std::vector<TFrame> frames
        = AnimationFrames(kAnimationSide, kAnimationSide, kFrames, composed);
    const std::string path
        = WriteBenchFile("animation.gif", WriteGif(kAnimationSide, kAnimationSide, frames));
    std::vector<uint8_t> expected;
    for (const uint8_t index : composed) {
        const auto color = PaletteColor(index);
        expected.insert(expected.end(), color.begin(), color.end());
    }
    std::vector<TAnimator> peers;
    for (const TAnimator& peer : ComposingPeers()) {
        std::vector<uint8_t> last;
        if (peer.run(path, &last) == kFrames && last == expected)
            peers.push_back(peer);
        else
            std::printf("  %-18s left out: does not compose the animation correctly\n", peer.name);
    }

    std::printf("\nanimation: %d frames of %d x %d in %d x %d, per frame (medians of %d "
                "alternating runs)\n",
        kFrames, kAnimationSide, kAnimationSide, kViewBenchWindow.width(),
        kViewBenchWindow.height(), kRounds);
    for (const bool fit : { false, true }) {
        Settings() = TViewSettings();
        // Frames come only when asked for: no timer steps in between.
        Settings().UseSSTimer = true;
        Settings().SlideShowTimer = 0;
        TViewBench bench(folder, { "animation.gif" }, fit);
        std::vector<std::vector<double>> times(peers.size() + 1);
        int shown = 0;
        for (int round = 0; round < kRounds; ++round) {
            times[0].push_back(Milliseconds([&] {
                bench.Command(CmShowFromCursor);
                for (int frame = 1; frame < kFrames; ++frame)
                    bench.Command(CmNextFrameNow);
            }) / kFrames);
            const TDisplayDib* image = bench.View().Image();
            shown = image ? image->ImageNumber() : 0;
            for (size_t i = 0; i < peers.size(); ++i)
                times[i + 1].push_back(
                    Milliseconds([&] { peers[i].run(path, nullptr); }) / kFrames);
        }
        if (peers.empty()) {
            std::printf("  no peer composes the animation correctly\n");
            return;
        }
        if (shown != kFrames) {
            std::printf("  the window showed %d frames, not %d\n", shown, kFrames);
            return;
        }
        const double ours = Median(times[0]);
        double fastest = 0;
        std::printf("  %-30s %10.2f ms\n", fit ? "window, Fit" : "window", ours);
        for (size_t i = 0; i < peers.size(); ++i) {
            const double time = Median(times[i + 1]);
            if (!fit)
                std::printf("  %-30s %10.2f ms\n", peers[i].name, time);
            fastest = i == 0 ? time : std::min(fastest, time);
        }
        std::printf("  goal: %s no slower than the fastest peer %10.2f  %s\n",
            fit ? "with Fit" : "unscaled", ours / fastest, ours <= fastest ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto application = StartWindowBenchmark(argc, argv);
    const std::string folder
        = std::filesystem::path(BenchFilePath("a.jpg")).parent_path().string() + "/";
    TProfile::Instance().SetPrivateFile(folder + "Pelorin.ini");
    SetScreenOverride(MakeScreenInfo(1280, 1024));
    RunNextFile(folder);
    RunAnimation(folder);
    return 0;
}
