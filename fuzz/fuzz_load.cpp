// The loading driver as the viewing window calls it: format detection, the reader, and the
// animation steps that follow a GIF.

#include "FuzzDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TFuzzInput input(data, size);
    TFuzzDib dib(input);
    const bool ok = dib.StepFrames(dib.Load(input.Path()), 4);
    CheckResult(dib, ok);
    return 0;
}
