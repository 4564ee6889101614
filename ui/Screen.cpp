#include "ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

std::optional<TScreenInfo>& Override()
{
    static std::optional<TScreenInfo> screen;
    return screen;
}

} // namespace

TScreenInfo MakeScreenInfo(int width, int height, int colorDepth)
{
    TScreenInfo info;
    info.width = width;
    info.height = height;
    info.workArea = QRect(0, 0, width, height);
    info.colorDepth = colorDepth;
    return info;
}

TScreenInfo ScreenInfo()
{
    if (Override())
        return *Override();
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return MakeScreenInfo(640, 480);
    TScreenInfo info;
    const QRect geometry = screen->geometry();
    info.width = geometry.width();
    info.height = geometry.height();
    info.origin = geometry.topLeft();
    info.workArea = screen->availableGeometry();
    info.colorDepth = screen->depth();
    return info;
}

void SetScreenOverride(std::optional<TScreenInfo> screen) { Override() = std::move(screen); }
