#include "view/ReaderOptions.h"

#include "settings/ViewSettings.h"

TDecodeOptions DisplayOptionsFrom(const TViewSettings& settings)
{
    TDecodeOptions options;
    options.intensityOffset = settings.IntensityOffset;
    options.showStatus = settings.ShowStatus;
    options.showAnimatedGif = settings.ShowAnimatedGIF;
    options.useBkColor = settings.UseBKColor;
    options.prevBkColor = settings.PrevBKColor;
    return options;
}

TPreviewOptions PreviewOptionsFrom(const TViewSettings& settings)
{
    TPreviewOptions options;
    options.showAnimatedGif = settings.ShowAnimatedGIF;
    options.useBkColor = settings.UseBKColor;
    options.prevBkColor = settings.PrevBKColor;
    return options;
}
