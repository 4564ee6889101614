#pragma once

#include "bench/Peers.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

// A file that every decoder reads in one benchmark run.
struct TBenchFile {
    std::string name; // first part of the benchmark names ("bmp_rgb24/qt"): no spaces
    std::string description; // heading of its table ("24-bit, 6000 x 4000")
    std::string path;
    TRgbImage expected; // the picture the file holds
    int tolerance = 0; // largest channel difference a correct decode may show (lossy formats)
    double readLimitRatio = 0; // most that ours may take against reading into memory; 0: no goal
};

// The path of name inside this run's temporary folder, which is made on first use and removed
// with its files when the program ends.
std::string BenchFilePath(const std::string& name);

// The full-size benchmark picture (kPictureWidth x kPictureHeight) with color(x, y) at each
// pixel, line y counted from the top: what a correct decode gives.
TRgbImage ExpectedPicture(std::array<uint8_t, 3> (*color)(int32_t x, int32_t y));
// Writes the bytes as name inside that folder and returns the path; exits on failure.
std::string WriteBenchFile(const std::string& name, std::span<const uint8_t> bytes);

// The median of timings taken in alternating runs.
double Median(std::vector<double> values);
// How long the work took, in milliseconds of the steady clock.
double Milliseconds(const std::function<void()>& work);

// Takes the benchmark library's options out of the command line; call first in main. Exits on
// an unknown option. --benchmark_repetitions=N asks RunDecoderBenchmarks for N rounds.
void InitDecoderBenchmarks(int& argc, char** argv);

// Whether the command line's filter selects any benchmark of the file with this name; a
// benchmark may skip making a file that nothing will read.
bool FileSelected(const std::string& name);

// Decodes the file once with every selected decoder and compares each picture with the expected
// one: a decoder that does not read the file, or reads it wrongly, is reported and left out. Ours
// and each peer left, and reading into memory, are timed when the benchmarks run. The expected
// picture is dropped afterwards.
void AddDecoderBenchmarks(TBenchFile file);

// Each benchmark's times per iteration in milliseconds (real time), by benchmark name: one a
// run, so one for each repetition or each round the benchmark ran in.
class TBenchTimes {
public:
    // The median of the runs.
    std::optional<double> Milliseconds(const std::string& name) const
    {
        const auto found = m_runs.find(name);
        return found == m_runs.end() ? std::nullopt : std::optional(Median(found->second));
    }
    // The fastest and the slowest run.
    std::optional<std::pair<double, double>> Spread(const std::string& name) const
    {
        const auto found = m_runs.find(name);
        if (found == m_runs.end())
            return std::nullopt;
        const auto [lowest, highest]
            = std::minmax_element(found->second.begin(), found->second.end());
        return std::pair(*lowest, *highest);
    }
    void Add(const std::string& name, double milliseconds) { m_runs[name].push_back(milliseconds); }

private:
    std::map<std::string, std::vector<double>> m_runs;
};

// Runs the registered benchmarks as the command line selected them, printing them as usual,
// and returns their times.
TBenchTimes RunTimedBenchmarks();

// Times every file's decoders (as the command line selected them) in rounds, five unless
// --benchmark_repetitions says otherwise: in each round each decoder runs once as
// "<name>/<decoder>", in turn. Then prints for each file the median and the spread of every
// decoder, how ours compares with every other decoder and whether it meets its goals: at least
// as fast as the fastest peer that reads the file correctly, and within readLimitRatio of
// reading the file into memory. Returns main's exit code.
int RunDecoderBenchmarks();
