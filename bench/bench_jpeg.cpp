// Decodes large JPEG files (baseline and progressive, 6000 x 4000, quality 90) with ours and with
// the peer libraries. The JPEG library itself sets the limit: after the usual table, ours is
// timed against a plain decode with the library's defaults (every row read into one new
// buffer), alternating the two so that both see the same machine.

#include "bench/BenchJpeg.h"
#include "bench/BenchPictures.h"
#include "bench/DecoderBench.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include <jpeglib.h>

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
// Something like a photograph: smooth shading, a few sharp shapes, and fine grain everywhere,
// so that the files hold as many coefficients as real ones at this quality.
void PictureRow(int32_t y, std::span<uint8_t> row)
{
    for (int32_t x = 0; x < kWidth; ++x) {
        const double u = double(x) / kWidth;
        const double v = double(y) / kHeight;
        const int grain = int(Hash(uint32_t(x), uint32_t(y)) & 15) - 8;
        double red = 120 + 90 * std::sin(u * 7 + v * 3);
        double green = 110 + 80 * std::cos(u * 4 - v * 5);
        double blue = 100 + 60 * std::sin((u + v) * 9);
        const int32_t dx = x - 2000;
        const int32_t dy = y - 1800;
        if (dx * dx + dy * dy < 900 * 900) {
            red = 230;
            green = 200 - 40 * v;
            blue = 40;
        }
        if ((x / 500 + y / 500) % 7 == 0 && x % 500 < 380) {
            red *= 0.4;
            green *= 0.5;
        }
        uint8_t* pixel = row.data() + size_t(x) * 3;
        pixel[0] = uint8_t(std::clamp(int(red) + grain, 0, 255));
        pixel[1] = uint8_t(std::clamp(int(green) + grain, 0, 255));
        pixel[2] = uint8_t(std::clamp(int(blue) + grain, 0, 255));
    }
}

std::vector<uint8_t> CompressPicture(bool progressive)
{
    return CompressRgbJpeg(kWidth, kHeight, kQuality, progressive, PictureRow);
}

// The plain decode: the library's defaults, RGB rows into one new buffer, as an application
// that only wants the pixels writes it. The benchmark files are whole; a library error ends
// the program through the standard error exit.
bool DecodePlain(const std::string& path, TRgbImage* keep)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    jpeg_decompress_struct cinfo {};
    jpeg_error_mgr error {};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    jpeg_start_decompress(&cinfo);
    const size_t stride = size_t(cinfo.output_width) * size_t(cinfo.output_components);
    const size_t height = cinfo.output_height;
    auto pixels = std::make_unique_for_overwrite<uint8_t[]>(stride * height);
    std::vector<JSAMPROW> rows(height);
    for (size_t y = 0; y < height; ++y)
        rows[y] = pixels.get() + y * stride;
    while (cinfo.output_scanline < cinfo.output_height) {
        const size_t done = cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, rows.data() + done, JDIMENSION(height - done));
    }
    jpeg_finish_decompress(&cinfo);
    if (keep) {
        keep->width = int32_t(cinfo.output_width);
        keep->height = int32_t(cinfo.output_height);
        keep->pixels.assign(pixels.get(), pixels.get() + stride * height);
    }
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return true;
}

double Milliseconds(TDecodeResult (*decode)(const std::string&), const std::string& path)
{
    const auto start = std::chrono::steady_clock::now();
    const TDecodeResult result = decode(path);
    const auto end = std::chrono::steady_clock::now();
    if (!result.ok) {
        std::fprintf(stderr, "pelorin bench: %s does not decode\n", path.c_str());
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
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
    DecodePlain(file.path, &file.expected);
    file.tolerance = kPeerTolerance;
    GoalFiles().push_back({ file.name, file.path });
    AddDecoderBenchmarks(std::move(file));
}

// Ours against the plain decode, alternating, the median of each.
void PrintLibraryGoal()
{
    const auto plain = [](const std::string& path) {
        return TDecodeResult { kWidth, kHeight, DecodePlain(path, nullptr) };
    };
    for (const TGoalFile& file : GoalFiles()) {
        std::vector<double> ours;
        std::vector<double> library;
        for (int round = 0; round < kGoalRounds; ++round) {
            ours.push_back(Milliseconds(DecodeWithPelorin, file.path));
            library.push_back(Milliseconds(plain, file.path));
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
