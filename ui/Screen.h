#pragma once

#include <QPoint>
#include <QRect>

#include <optional>

// What the program measures of the display: the primary screen's size and origin, the
// desktop work area and the colour depth.
struct TScreenInfo {
    int width = 0;
    int height = 0;
    QPoint origin;
    QRect workArea;
    int colorDepth = 24;
};

TScreenInfo ScreenInfo();
// Tests set the screen they want; nullopt goes back to the real one.
void SetScreenOverride(std::optional<TScreenInfo> screen);
TScreenInfo MakeScreenInfo(int width, int height, int colorDepth = 24);
