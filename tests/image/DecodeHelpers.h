#pragma once

#include "image/DisplayDib.h"
#include "platform/MessagePump.h"
#include "platform/ProcessFlags.h"
#include "support/TestFiles.h"

#include <memory>
#include <string>
#include <vector>

// Decodes bytes written to a temporary file as the viewing window would, with the given
// intensity offset and any progress texts collected.
struct TDecoded {
    std::unique_ptr<TDisplayDib> dib;
    bool ok = false;
    std::shared_ptr<std::vector<std::string>> progress
        = std::make_shared<std::vector<std::string>>();
    std::string path;
};

inline TDecoded DecodeFile(const std::string& path, int intensityOffset = 0)
{
    TDecoded result;
    result.path = path;
    auto progress = result.progress;
    result.dib = std::make_unique<TDisplayDib>(
        [progress](const std::string& text, bool) { progress->push_back(text); });
    TDecodeOptions options;
    options.intensityOffset = intensityOffset;
    result.dib->SetOptions(options);
    result.ok = result.dib->Load(path);
    return result;
}

inline TDecoded DecodeBytes(const TTempFolder& folder, const std::vector<uint8_t>& bytes,
    int intensityOffset = 0, const std::string& name = "image.bin")
{
    return DecodeFile(folder.Write(name, bytes), intensityOffset);
}

// Puts the pump step and the load-abort request back when a test that set them ends.
struct TPumpGuard {
    ~TPumpGuard()
    {
        SetPumpOneMessage({});
        ProcessFlags().loadAbort = false;
    }
};
