#include "bench/DecoderBench.h"

#include "bench/BenchPictures.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <malloc.h>
#include <map>
#include <optional>
#include <regex.h>
#include <string_view>
#include <unistd.h>

namespace {

// This run's folder for generated files; removed with everything in it when the program ends.
class TBenchFolder {
public:
    TBenchFolder()
    {
        std::string pattern
            = (std::filesystem::temp_directory_path() / "pelorin-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("pelorin bench: cannot make a temporary folder");
            std::exit(1);
        }
        m_path = pattern;
    }
    ~TBenchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

TBenchFolder& BenchFolder()
{
    static TBenchFolder folder;
    return folder;
}

// What the rounds and the summary need of a file once its decoders are checked.
struct TFileSummary {
    std::string name;
    std::string description;
    std::string path;
    uint64_t fileBytes = 0;
    double readLimitRatio = 0;
    std::vector<const TDecoder*> contenders; // decoders to time, in the order of Decoders()
    std::vector<std::string> leftOut; // "decoder: why"
    bool oursReads = false;
};

std::vector<TFileSummary>& Summaries()
{
    static std::vector<TFileSummary> summaries;
    return summaries;
}

constexpr int kMmapThresholdBytes = 128 * 1024;
// Rounds of every decoder in turn when the command line does not ask for repetitions.
constexpr int kDefaultRounds = 5;

int& Rounds()
{
    static int rounds = kDefaultRounds;
    return rounds;
}

const char* kOursName = "pelorin";
const char* kLimitName = "read_into_memory";

// Whether --benchmark_filter lets the benchmark run, read as the benchmark library reads it:
// an extended regular expression searched for in the name, negated by a leading '-'.
bool Selected(const std::string& benchmarkName)
{
    std::string filter = benchmark::GetBenchmarkFilter();
    if (filter.empty() || filter == "all")
        return true;
    const bool negated = filter.front() == '-';
    if (negated)
        filter.erase(0, 1);
    regex_t expression;
    if (regcomp(&expression, filter.c_str(), REG_EXTENDED | REG_NOSUB) != 0)
        return true; // the library reports the bad expression itself
    const bool found = regexec(&expression, benchmarkName.c_str(), 0, nullptr, 0) == 0;
    regfree(&expression);
    return found != negated;
}

// Why the decoder's picture differs from the expected one; nothing when it matches.
std::optional<std::string> Compare(const TRgbImage& got, const TBenchFile& file)
{
    const TRgbImage& expected = file.expected;
    if (!got.Ok())
        return "does not read it (" + got.error + ")";
    if (got.width != expected.width || got.height != expected.height) {
        return "reads it wrongly: " + std::to_string(got.width) + " x " + std::to_string(got.height)
            + " instead of " + std::to_string(expected.width) + " x "
            + std::to_string(expected.height);
    }
    size_t differing = 0;
    std::optional<size_t> first;
    for (size_t i = 0; i < expected.pixels.size(); i += 3) {
        for (size_t channel = 0; channel < 3; ++channel) {
            if (std::abs(int(got.pixels[i + channel]) - int(expected.pixels[i + channel]))
                > file.tolerance) {
                ++differing;
                if (!first)
                    first = i;
                break;
            }
        }
    }
    if (differing == 0)
        return std::nullopt;
    const size_t pixel = *first / 3;
    char text[200];
    std::snprintf(text, sizeof text,
        "reads it wrongly: %zu pixels differ, the first at (%zu, %zu) is %d,%d,%d instead of "
        "%d,%d,%d",
        differing, pixel % size_t(expected.width), pixel / size_t(expected.width),
        got.pixels[*first], got.pixels[*first + 1], got.pixels[*first + 2], expected.pixels[*first],
        expected.pixels[*first + 1], expected.pixels[*first + 2]);
    return std::string(text);
}

std::string BenchmarkName(const std::string& fileName, const TDecoder& decoder)
{
    return fileName + "/" + decoder.name;
}

void Register(const std::string& fileName, const TDecoder& decoder, const std::string& path,
    uint64_t fileBytes)
{
    const std::string name = BenchmarkName(fileName, decoder);
    auto decode = decoder.decode;
    benchmark::RegisterBenchmark(name.c_str(),
        [decode, path, fileBytes](benchmark::State& state) {
            for (auto _ : state) {
                TDecodeResult result = decode(path);
                benchmark::DoNotOptimize(result);
                if (!result.ok) {
                    state.SkipWithError("the decode failed");
                    break;
                }
            }
            state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(fileBytes));
        })
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Repetitions(1);
}

double MillisecondsPer(benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond:
        return 1e-6;
    case benchmark::kMicrosecond:
        return 1e-3;
    case benchmark::kMillisecond:
        return 1;
    case benchmark::kSecond:
        return 1e3;
    }
    return 1;
}

// The console output as usual, keeping the time per iteration of every run.
class TTimingReporter : public benchmark::ConsoleReporter {
public:
    explicit TTimingReporter(OutputOptions options)
        : ConsoleReporter(options)
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (!run.error_occurred && run.run_type == Run::RT_Iteration)
                m_times.Add(run.run_name.function_name,
                    run.GetAdjustedRealTime() * MillisecondsPer(run.time_unit));
        }
    }

    const TBenchTimes& Times() const { return m_times; }

private:
    TBenchTimes m_times;
};

void PrintGoal(const char* what, std::optional<double> ratio, double goal)
{
    if (!ratio) {
        std::printf("  goal: ours %-36s  n/a\n", what);
        return;
    }
    std::printf("  goal: ours %-36s %6.2f  %s\n", what, *ratio, *ratio <= goal ? "met" : "MISSED");
}

void PrintSummary(const TFileSummary& summary, const TBenchTimes& times)
{
    const bool timed = std::any_of(
        summary.contenders.begin(), summary.contenders.end(), [&](const TDecoder* decoder) {
            return times.Milliseconds(BenchmarkName(summary.name, *decoder)).has_value();
        });
    if (!timed)
        return;
    std::printf("\n%s: %s, %.1f MB\n", summary.name.c_str(), summary.description.c_str(),
        double(summary.fileBytes) / 1e6);
    const std::optional<double> ours = times.Milliseconds(summary.name + "/" + kOursName);
    std::printf(
        "  %-18s %10s %17s %10s %10s\n", "decoder", "median ms", "spread ms", "MB/s", "ours/this");
    std::optional<double> fastestPeer;
    std::string fastestPeerName;
    std::optional<double> limit;
    for (const TDecoder* contender : summary.contenders) {
        const std::string decoder = contender->name;
        const std::string name = BenchmarkName(summary.name, *contender);
        const std::optional<double> time = times.Milliseconds(name);
        if (!time)
            continue; // filtered out, or failed while timed
        const auto [lowest, highest] = *times.Spread(name);
        std::printf("  %-18s %10.2f %8.2f-%-8.2f %10.0f", decoder.c_str(), *time, lowest, highest,
            double(summary.fileBytes) / 1e3 / *time);
        if (ours)
            std::printf(" %10.2f\n", *ours / *time);
        else
            std::printf(" %10s\n", "n/a");
        if (decoder == kLimitName) {
            limit = time;
        } else if (decoder != kOursName && (!fastestPeer || *time < *fastestPeer)) {
            fastestPeer = time;
            fastestPeerName = decoder;
        }
    }
    for (const std::string& note : summary.leftOut)
        std::printf("  left out: %s\n", note.c_str());
    if (!summary.oursReads)
        return;
    const auto ratio = [&](std::optional<double> other) -> std::optional<double> {
        if (!ours || !other)
            return std::nullopt;
        return *ours / *other;
    };
    const std::string peerGoal = "<= fastest correct peer ("
        + (fastestPeerName.empty() ? std::string("none") : fastestPeerName) + ")";
    PrintGoal(peerGoal.c_str(), ratio(fastestPeer), 1.0);
    if (summary.readLimitRatio > 0) {
        char limitGoal[64];
        std::snprintf(
            limitGoal, sizeof limitGoal, "<= %.2f x %s", summary.readLimitRatio, kLimitName);
        PrintGoal(limitGoal, ratio(limit), summary.readLimitRatio);
    }
}

} // namespace

std::string BenchFilePath(const std::string& name)
{
    return (BenchFolder().Path() / name).string();
}

std::string WriteBenchFile(const std::string& name, std::span<const uint8_t> bytes)
{
    const std::string path = BenchFilePath(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = file && std::fclose(file) == 0 && ok;
    if (!ok) {
        std::fprintf(stderr, "pelorin bench: cannot write %s\n", path.c_str());
        std::exit(1);
    }
    return path;
}

bool FileSelected(const std::string& name)
{
    for (const TDecoder& decoder : Decoders()) {
        if (Selected(BenchmarkName(name, decoder)))
            return true;
    }
    return false;
}

void InitDecoderBenchmarks(int& argc, char** argv)
{
    // Left alone, the C library raises its threshold for mapping a block of its own to the
    // size of the last large block freed, up to 32 MiB; from then on, pictures below that size
    // come from memory already touched and pictures above it do not, so a result would depend
    // on size and order. A fixed threshold gives every decoder fresh pages for every picture,
    // as a viewer opening its first image of that size has.
    mallopt(M_MMAP_THRESHOLD, kMmapThresholdBytes);
    // Repetitions become rounds in which every decoder runs once, in turn; the library repeats
    // each round's benchmark only once.
    const std::string_view repetitions = "--benchmark_repetitions=";
    for (int i = 1; i < argc; ++i)
        if (std::string_view(argv[i]).starts_with(repetitions))
            Rounds() = std::max(1, std::atoi(argv[i] + repetitions.size()));
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        std::exit(1);
}

void AddDecoderBenchmarks(TBenchFile file)
{
    if (!FileSelected(file.name))
        return;
    TFileSummary summary;
    summary.name = file.name;
    summary.description = file.description;
    summary.path = file.path;
    summary.readLimitRatio = file.readLimitRatio;
    std::error_code sizeError;
    summary.fileBytes = std::filesystem::file_size(file.path, sizeError);

    std::printf("%s: %s, %.1f MB\n", file.name.c_str(), file.description.c_str(),
        double(summary.fileBytes) / 1e6);
    for (const TDecoder& decoder : Decoders()) {
        if (!Selected(BenchmarkName(file.name, decoder)))
            continue;
        std::optional<std::string> fault;
        if (decoder.readRgb)
            fault = Compare(decoder.readRgb(file.path), file);
        if (!fault) {
            // The timed decode takes another path through some libraries than the RGB one.
            const TDecodeResult result = decoder.decode(file.path);
            const bool sized = !decoder.readRgb
                || (result.width == file.expected.width && result.height == file.expected.height);
            if (!result.ok || !sized)
                fault = "fails in the timed decode";
        }
        if (fault) {
            std::printf("  %-18s %s\n", decoder.name, fault->c_str());
            summary.leftOut.push_back(std::string(decoder.name) + ": " + *fault);
            continue;
        }
        std::printf("  %-18s %s\n", decoder.name,
            decoder.readRgb ? "reads it correctly" : "reads the file");
        summary.oursReads = summary.oursReads || decoder.ours;
        summary.contenders.push_back(&decoder);
    }
    std::fflush(stdout);
    Summaries().push_back(std::move(summary));
}

TBenchTimes RunTimedBenchmarks()
{
    const auto options = isatty(STDOUT_FILENO) ? benchmark::ConsoleReporter::OO_ColorTabular
                                               : benchmark::ConsoleReporter::OO_Tabular;
    TTimingReporter reporter(options);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return reporter.Times();
}

int RunDecoderBenchmarks()
{
    // Round after round every file's decoders run in turn, each round starting one decoder
    // further on, so that a change of the machine's load or state meets every decoder alike.
    for (int round = 0; round < Rounds(); ++round) {
        for (const TFileSummary& summary : Summaries()) {
            const size_t count = summary.contenders.size();
            for (size_t i = 0; i < count; ++i) {
                const TDecoder& decoder = *summary.contenders[(i + size_t(round)) % count];
                Register(summary.name, decoder, summary.path, summary.fileBytes);
            }
        }
    }
    const TBenchTimes times = RunTimedBenchmarks();
    std::printf(
        "\nTime per decode (real time), median and spread of %d rounds in which the decoders "
        "take turns;\nours/this below 1 means ours is faster.\n",
        Rounds());
    for (const TFileSummary& summary : Summaries())
        PrintSummary(summary, times);
    std::fflush(stdout);
    return 0;
}

TRgbImage ExpectedPicture(std::array<uint8_t, 3> (*color)(int32_t x, int32_t y))
{
    TRgbImage image;
    image.width = kPictureWidth;
    image.height = kPictureHeight;
    image.pixels.reserve(size_t(kPictureWidth) * kPictureHeight * 3);
    for (int32_t y = 0; y < kPictureHeight; ++y) {
        for (int32_t x = 0; x < kPictureWidth; ++x) {
            const auto rgb = color(x, y);
            image.pixels.insert(image.pixels.end(), rgb.begin(), rgb.end());
        }
    }
    return image;
}

double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
