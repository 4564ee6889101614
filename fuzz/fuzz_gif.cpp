// The GIF reader without format detection, then the animation steps the viewing window takes
// through the following frames (back to the first after the last).

#include "FuzzDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TFuzzInput input(data, size);
    TFuzzDib dib(input);
    const bool ok = dib.DecodeAs(input.Path(), &TDisplayDib::DecodeGif, FileTypeGif);
    CheckResult(dib, dib.StepFrames(ok, 4));
    return 0;
}
