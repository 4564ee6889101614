// Paints a 6000 x 4000 24-bit picture unscaled in a 1024 x 768 viewing window, with all rows
// handed to the draw call and with only the visible band (UseFastDibs), and rebuilds the
// bitmap that Fit shrinks the picture to. A picture a quarter as tall is painted too: the
// painting cost must not follow the picture's height.

#include "bench/BenchPictures.h"
#include "bench/BenchWindows.h"
#include "bench/ViewBench.h"
#include "image/BmpWriter.h"
#include "platform/ProcessFlags.h"
#include "platform/Profile.h"
#include "ui/Screen.h"
#include "view/MyScroller.h"

#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

// Writes the photograph-like picture at the given height as a 24-bit BMP file.
void WritePicture(const std::string& path, int32_t height)
{
    TDib dib;
    if (!TrueColorBitmap(dib, height))
        return;
    std::string error;
    if (!WriteBmpFile(dib, path, error))
        std::fprintf(stderr, "%s\n", error.c_str());
}

void PaintUnscaled(
    benchmark::State& state, const std::string& folder, const std::string& name, bool quick)
{
    TViewBench bench(folder, { name }, false);
    TViewWindow& view = bench.View();
    if (!view.HasImage()) {
        state.SkipWithError("the picture did not load");
        return;
    }
    Settings().UseFastDibs = quick;
    // Half-way down, so that the rows shown are neither the first nor the last.
    view.Scroller().ScrollTo(view.ImageSize().width() / 2, view.ImageSize().height() / 2);
    for (auto _ : state) {
        bench.Paint();
        benchmark::DoNotOptimize(bench.Painted().constBits());
    }
    state.counters["visible rows"] = view.ClientRect().height();
}

void RebuildFitBitmap(benchmark::State& state, const std::string& folder, const std::string& name)
{
    TViewBench bench(folder, { name }, true);
    TViewWindow& view = bench.View();
    if (view.ScaledBitmap().isNull()) {
        state.SkipWithError("no Fit bitmap");
        return;
    }
    for (auto _ : state) {
        view.LayoutImage(false);
        benchmark::DoNotOptimize(view.ScaledBitmap().constBits());
    }
    state.counters["width"] = view.ScaledBitmap().width();
    state.counters["height"] = view.ScaledBitmap().height();
}

} // namespace

int main(int argc, char** argv)
{
    const auto application = StartWindowBenchmark(argc, argv);

    const auto folder = std::filesystem::temp_directory_path()
        / ("pelorin-bench-view-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    const std::string folderText = folder.string() + "/";
    TProfile::Instance().SetPrivateFile(folderText + "Pelorin.ini");
    SetScreenOverride(MakeScreenInfo(1280, 1024));
    WritePicture(folderText + "tall.bmp", kPictureHeight);
    WritePicture(folderText + "short.bmp", kPictureHeight / 4);

    for (const auto& [name, label] :
        { std::pair { "tall.bmp", "6000x4000" }, std::pair { "short.bmp", "6000x1000" } }) {
        benchmark::RegisterBenchmark((std::string("paint/") + label + "/all rows").c_str(),
            [&, name = std::string(name)](
                benchmark::State& state) { PaintUnscaled(state, folderText, name, false); })
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("paint/") + label + "/visible band").c_str(),
            [&, name = std::string(name)](
                benchmark::State& state) { PaintUnscaled(state, folderText, name, true); })
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("fit bitmap/6000x4000", [&](benchmark::State& state) {
        RebuildFitBitmap(state, folderText, "tall.bmp");
    })->Unit(benchmark::kMillisecond);

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
    return 0;
}
