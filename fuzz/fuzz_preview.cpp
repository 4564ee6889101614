// The preview as the file browser calls it: a thumbnail of any file in a box of one of the
// browser's sizes, then the animation steps of a GIF (back to the first after the last), with
// the information dialog's lists. The input's first byte chooses the box, the preferences and
// whether the browser asks the decode to stop part-way.

#include "FuzzDecode.h"
#include "image/ImageInfo.h"
#include "platform/MessagePump.h"
#include "platform/ProcessFlags.h"
#include "preview/PreviewDib.h"
#include "preview/PreviewInfo.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// The browser's four box sizes, and boxes of a few pixels where every picture is reduced.
constexpr std::array<int32_t, 8> kBoxes = { 50, 75, 90, 100, 2, 3, 7, 16 };

// The pump steps after which the browser asks the preview to stop; 0 never does.
int64_t s_abortAfterSteps = 0;
int64_t s_stepsTaken = 0;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const TFuzzInput input(data, size);
    const uint8_t choice = size > 0 ? data[0] : 0;
    SetPumpOneMessage([] {
        ++s_stepsTaken;
        if (s_abortAfterSteps > 0 && s_stepsTaken >= s_abortAfterSteps)
            ProcessFlags().previewAbort = true;
    });
    s_stepsTaken = 0;
    s_abortAfterSteps = (choice & 0x30) == 0x30 ? 2 : 0;
    ProcessFlags().previewAbort = false;
    ProcessFlags().useTransparency = (choice & 0x40) == 0;

    const int32_t box = kBoxes[choice & 0x07];
    TPreviewDib preview(box, box, [box](const TPreviewDib& dib, int32_t row) {
        // The browser paints whole rows of the box: each must be there to be painted.
        if (row < 0 || row >= box || dib.Row(row).size() < size_t(box) * 3)
            std::abort();
    });
    TPreviewOptions options;
    options.showAnimatedGif = (choice & 0x08) == 0;
    options.useBkColor = (choice & 0x80) != 0;
    options.prevBkColor = 0x204060;
    preview.SetOptions(options);

    bool ok = preview.Load(input.Path());
    for (int step = 0; ok && step < 4 && preview.MoreImages() && !ProcessFlags().previewAbort;
         ++step)
        ok = preview.NextGifFrame();

    (void)ImageInformationLines(preview);
    (void)PreviewInformationLines(preview);
    if (!ok && preview.Message().empty() && !ProcessFlags().previewAbort) {
        std::fprintf(stderr, "preview failed without a message\n");
        std::abort();
    }
    ProcessFlags().previewAbort = false;
    ProcessFlags().useTransparency = true;
    return 0;
}
