#include "app/Layout.h"

#include "resources/ResourceIds.h"
#include "settings/ViewSettings.h"

#include <algorithm>
#include <array>

int32_t ChooseLayout(bool autoSizeMain, int32_t sizeMain, int32_t screenWidth)
{
    return autoSizeMain ? ScreenLayoutClass(screenWidth) : std::clamp(sizeMain, 0, 3);
}

int BrowserTemplateFor(int32_t layout, bool altFileSel)
{
    // [layout][AltFileSel]
    static constexpr std::array<std::array<int, 2>, 4> templates = { {
        { kBrowserMultiple640, kBrowserExtended640 },
        { kBrowserExtended800, kBrowserMultiple800 },
        { kBrowserExtended1024, kBrowserMultiple1024 },
        { kBrowserExtended1280, kBrowserMultiple1280 },
    } };
    return templates[size_t(std::clamp(layout, 0, 3))][altFileSel ? 1 : 0];
}
