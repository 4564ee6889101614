// The PCX reader without format detection: any bytes reach it as they would after the
// loading driver recognised the format.

#include "FuzzDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TFuzzInput input(data, size);
    TFuzzDib dib(input);
    const bool ok = dib.DecodeAs(input.Path(), &TDisplayDib::DecodePcx, FileTypePcx);
    CheckResult(dib, ok);
    return 0;
}
