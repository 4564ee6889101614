#include "FuzzDecode.h"

#include "image/ImageInfo.h"
#include "platform/MessagePump.h"
#include "platform/ProcessFlags.h"

#include <array>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {

// Offsets the options dialog offers (-128 to 127) and values an edited INI file may hold.
constexpr std::array<int32_t, 16> kIntensityOffsets
    = { 0, 1, -1, 40, -40, 127, -128, 255, -255, 256, -256, 7, -7, 100000, INT_MAX, INT_MIN };

// The pump steps after which the viewing window asks the decode to stop; 0 never does.
int64_t s_abortAfterSteps = 0;
int64_t s_stepsTaken = 0;

// The input file of this process: on a memory file system when there is one, so that writing
// each input costs no disk access. Each input removes its file when done, since libFuzzer ends
// a run without the process's exit handlers.
const std::string& InputPath()
{
    static const std::string path = [] {
        std::error_code error;
        std::filesystem::path folder = "/dev/shm";
        if (!std::filesystem::is_directory(folder, error))
            folder = std::filesystem::temp_directory_path();
        return (folder / ("pelorin-fuzz-" + std::to_string(getpid()) + ".input")).string();
    }();
    return path;
}

// Installed once: the message pump counts its steps and raises the abort request when the
// input asked for it.
void InstallPump()
{
    static const bool installed = [] {
        SetPumpOneMessage([] {
            ++s_stepsTaken;
            if (s_abortAfterSteps > 0 && s_stepsTaken >= s_abortAfterSteps)
                ProcessFlags().loadAbort = true;
        });
        return true;
    }();
    (void)installed;
}

} // namespace

TFuzzInput::TFuzzInput(const uint8_t* data, size_t size)
{
    InstallPump();
    const uint8_t choice = size > 0 ? data[0] : 0;
    m_intensityOffset = kIntensityOffsets[choice & 0x0F];
    // One input in eight stops part-way, after the first pump step or after the fourth.
    const int abortChoice = choice >> 4;
    s_abortAfterSteps = abortChoice == 15 ? 1 : abortChoice == 14 ? 4 : 0;
    s_stepsTaken = 0;
    ProcessFlags().loadAbort = false;

    m_path = InputPath();
    std::FILE* file = std::fopen(m_path.c_str(), "wb");
    if (!file) {
        std::perror(m_path.c_str());
        std::abort();
    }
    if (size > 1 && std::fwrite(data + 1, 1, size - 1, file) != size - 1) {
        std::perror(m_path.c_str());
        std::abort();
    }
    std::fclose(file);
}

TFuzzInput::~TFuzzInput()
{
    ProcessFlags().loadAbort = false;
    std::remove(m_path.c_str());
}

TFuzzDib::TFuzzDib(const TFuzzInput& input)
    : TDisplayDib([](const std::string& text, bool) { (void)text; })
{
    TDecodeOptions options;
    options.intensityOffset = input.IntensityOffset();
    SetOptions(options);
}

bool TFuzzDib::DecodeAs(const std::string& path, bool (TDisplayDib::*decode)(), int32_t fileType)
{
    m_message.clear();
    m_moreImages = false;
    m_imageNumber = 0;
    m_imageTotal = 0;
    if (!OpenFile(path))
        return Fail("Error opening file " + path);
    m_fileName = path;
    m_fileType = fileType;
    const bool ok = (this->*decode)();
    CloseFile();
    return ok;
}

bool TFuzzDib::StepFrames(bool ok, int steps)
{
    for (int step = 0; ok && step < steps && MoreImages() && !ProcessFlags().loadAbort; ++step)
        ok = NextGifFrame();
    return ok;
}

// The JPEG library's warnings go to the standard error stream, which the runs close; these
// reports go to the standard output.
void CheckResult(const TFuzzDib& dib, bool ok)
{
    // The information dialog lists whatever header fields the reader left, whatever the result.
    (void)ImageInformationLines(dib);
    // A stop request ends a decode with success whether or not a bitmap was made.
    if (ok && !dib.IsOk() && !ProcessFlags().loadAbort) {
        std::printf(
            "decode reported success without a bitmap (message \"%s\")\n", dib.Message().c_str());
        std::abort();
    }
    if (!ok && dib.Message().empty() && !ProcessFlags().loadAbort) {
        std::printf("decode failed without a message\n");
        std::abort();
    }
}
