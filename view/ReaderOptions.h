#pragma once

#include "image/DisplayDib.h"
#include "preview/PreviewDib.h"

struct TViewSettings;

// The readers' preferences as the settings give them: a display image's for the viewing window,
// a preview's for the browser.
TDecodeOptions DisplayOptionsFrom(const TViewSettings& settings);
TPreviewOptions PreviewOptionsFrom(const TViewSettings& settings);
