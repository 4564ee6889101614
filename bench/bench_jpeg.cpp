// Decodes large JPEG files (baseline and progressive, 6000 x 4000, quality 90) with ours and with
// the peer libraries. The JPEG library itself sets the limit: after the usual table, ours is
// timed against a plain decode with the library's defaults (every row read into one new
// buffer), alternating the two so that both see the same machine.

#include "bench/BenchJpeg.h"
#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t kWidth = kPictureWidth;
constexpr int32_t kHeight = kPictureHeight;
constexpr int kQuality = 90;
// Ours may take this much longer than the plain decode.
constexpr double kPlainLibraryLimit = 1.05;
// A peer with its own transform and upsampling differs from the library's defaults by this
// much at most on a decode that keeps to the defaults' chroma smoothing. (A peer that upsamples
// chroma by a scaled transform differs by up to 70 at the edges of strong colours and is left
// out with its reason.)
constexpr int kPeerTolerance = 10;
constexpr int kGoalRounds = 9;
std::vector<uint8_t> CompressPicture(bool progressive)
{
    return CompressRgbJpeg(kWidth, kHeight, kQuality, progressive, JpegPictureRow);
}

double TimeDecode(TDecodeResult (*decode)(const std::string&), const std::string& path)
{
    TDecodeResult result;
    const double time = Milliseconds([&] { result = decode(path); });
    if (!result.ok) {
        std::fprintf(stderr, "pelorin bench: %s does not decode\n", path.c_str());
        std::exit(1);
    }
    return time;
}

struct TGoalFile {
    std::string name;
    std::string path;
};

std::vector<TGoalFile>& GoalFiles()
{
    static std::vector<TGoalFile> files;
    return files;
}

void AddFile(const char* name, const char* description, bool progressive)
{
    if (!FileSelected(name))
        return;
    TBenchFile file;
    file.name = name;
    file.description = description;
    file.path = WriteBenchFile(std::string(name) + ".jpg", CompressPicture(progressive));
    DecodePlainJpeg(file.path, &file.expected);
    file.tolerance = kPeerTolerance;
    GoalFiles().push_back({ file.name, file.path });
    AddDecoderBenchmarks(std::move(file));
}

// Ours against the plain decode, alternating, the median of each.
void PrintLibraryGoal()
{
    const auto plain = [](const std::string& path) { return DecodePlainJpeg(path, nullptr); };
    for (const TGoalFile& file : GoalFiles()) {
        std::vector<double> ours;
        std::vector<double> library;
        for (int round = 0; round < kGoalRounds; ++round) {
            ours.push_back(TimeDecode(DecodeWithPelorin, file.path));
            library.push_back(TimeDecode(plain, file.path));
        }
        const double ratio = Median(ours) / Median(library);
        std::printf("\n%s against the plain library decode (medians of %d alternating runs)\n",
            file.name.c_str(), kGoalRounds);
        std::printf("  %-18s %10.2f ms\n  %-18s %10.2f ms\n", "pelorin", Median(ours),
            "libjpeg-turbo", Median(library));
        std::printf("  goal: ours <= %.2f x libjpeg-turbo %17.2f  %s\n", kPlainLibraryLimit, ratio,
            ratio <= kPlainLibraryLimit ? "met" : "MISSED");
    }
}

} // namespace

int main(int argc, char** argv)
{
    InitDecoderBenchmarks(argc, argv);
    AddFile("jpeg_baseline", "baseline 4:2:0, quality 90, 6000 x 4000", false);
    AddFile("jpeg_progressive", "progressive 4:2:0, quality 90, 6000 x 4000", true);
    const int result = RunDecoderBenchmarks();
    PrintLibraryGoal();
    return result;
}
