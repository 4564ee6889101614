#pragma once

#include "bench/Peers.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

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

// Times every file's decoders (as the command line selected them) in rounds, five unless
// --benchmark_repetitions says otherwise: in each round each decoder runs once as
// "<name>/<decoder>", in turn. Then prints for each file the median and the spread of every
// decoder, how ours compares with every other decoder and whether it meets its goals: at least
// as fast as the fastest peer that reads the file correctly, and within readLimitRatio of
// reading the file into memory. Returns main's exit code.
int RunDecoderBenchmarks();
