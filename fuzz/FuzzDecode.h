#pragma once

// What every reader harness shares: the input written to a file a decoder can open, the
// preferences taken from its first byte, a display image that runs one decoder without format
// detection, and the checks of the result convention.

#include "image/DisplayDib.h"

#include <cstddef>
#include <cstdint>
#include <string>

// One fuzz input: its first byte chooses the intensity offset and whether the viewing window
// asks the decode to stop part-way; the rest is the image file, written to a file of this
// process on a memory file system.
class TFuzzInput {
public:
    TFuzzInput(const uint8_t* data, size_t size);
    ~TFuzzInput();
    TFuzzInput(const TFuzzInput&) = delete;
    TFuzzInput& operator=(const TFuzzInput&) = delete;

    const std::string& Path() const { return m_path; }
    int32_t IntensityOffset() const { return m_intensityOffset; }

private:
    std::string m_path;
    int32_t m_intensityOffset = 0;
};

// A display image as the viewing window makes it, with a progress hook that formats the text
// and drops it.
class TFuzzDib : public TDisplayDib {
public:
    explicit TFuzzDib(const TFuzzInput& input);

    // Opens the file and runs one reader from its first byte, as the loading driver does
    // after it has recognised the format.
    bool DecodeAs(const std::string& path, bool (TDisplayDib::*decode)(), int32_t fileType);

    // The animation steps the viewing window takes after a load, while there are frames.
    bool StepFrames(bool ok, int steps);
};

// Stops the process when a decode broke the result convention: a success has a bitmap, and a
// failure says why (PCX data that end before the first row excepted).
void CheckResult(const TFuzzDib& dib, bool ok);
