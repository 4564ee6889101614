// Saves a 6000 x 4000 24-bit picture as the save command writes it (the header, ten slices and
// the remainder each appended to a file beside the name and closed, then synced and renamed
// over the name) against writing the same bytes with one write and one fsync. The save may
// take at most 1.5 times as long.

#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"
#include "image/BmpWriter.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr double kSaveLimit = 1.5;

void Save(benchmark::State& state, const TDib& dib, const std::string& path)
{
    std::string error;
    for (auto _ : state) {
        // Under a new name, as the floor writes a new file.
        state.PauseTiming();
        ::unlink(path.c_str());
        state.ResumeTiming();
        if (!WriteBmpFile(dib, path, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(dib.BlockSize() + 14));
}

// The floor: the same bytes in one write to a new file, synced.
void WriteAndSync(benchmark::State& state, const TDib& dib, const std::string& path)
{
    std::vector<uint8_t> bytes(kBmpFileHeaderSize + dib.BlockSize());
    const auto header = BmpFileHeader(dib);
    std::copy(header.begin(), header.end(), bytes.begin());
    std::copy(dib.Block().begin(), dib.Block().end(), bytes.begin() + kBmpFileHeaderSize);
    for (auto _ : state) {
        // Into a new file, so that freeing the last one's blocks is not counted here either.
        state.PauseTiming();
        ::unlink(path.c_str());
        state.ResumeTiming();
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size())
            && ::fsync(fd) == 0;
        if (fd >= 0)
            ::close(fd);
        if (!ok) {
            state.SkipWithError("write failed");
            return;
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
}

} // namespace

int main(int argc, char** argv)
{
    InitDecoderBenchmarks(argc, argv);
    TDib dib;
    if (!TrueColorBitmap(dib, kPictureHeight)) {
        std::fprintf(stderr, "bench_save: no memory for the picture\n");
        return 1;
    }
    const std::string saved = BenchFilePath("saved.bmp");
    const std::string written = BenchFilePath("written.bmp");
    benchmark::RegisterBenchmark(
        "save/6000x4000", [&](benchmark::State& state) { Save(state, dib, saved); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("write_and_fsync/6000x4000",
        [&](benchmark::State& state) { WriteAndSync(state, dib, written); })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();

    const TBenchTimes times = RunTimedBenchmarks();
    const auto save = times.Milliseconds("save/6000x4000");
    const auto floor = times.Milliseconds("write_and_fsync/6000x4000");
    if (save && floor) {
        const double ratio = *save / *floor;
        std::printf("\nsave / one write and fsync: %.2f  goal %.1f  %s\n", ratio, kSaveLimit,
            ratio <= kSaveLimit ? "met" : "MISSED");
    }
    return 0;
}
