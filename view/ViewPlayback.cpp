#include "view/ViewPlayback.h"

#include "image/DisplayDib.h"
#include "platform/ProcessFlags.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "view/ShownImage.h"
#include "view/ViewLayout.h"
#include "view/ViewLoader.h"
#include "view/ViewWindow.h"

namespace {

// How long a frame shows: its delay in hundredths of a second, 50 ms when it gives none.
int FrameInterval(int32_t delayHundredths)
{
    return delayHundredths > 0 ? delayHundredths * 10 : 50;
}

} // namespace

TViewPlayback::TViewPlayback(TViewWindow& window, TShownImage& image, TViewLayout& layout)
    : m_window(window)
    , m_image(image)
    , m_layout(layout)
{
}

void TViewPlayback::StartAfterLoad()
{
    const TDisplayDib* image = m_image.Image();
    if (!image)
        return;
    // A still image starts the slideshow. An animation plays at its frames' own pace with
    // the slideshow running beside it, or, with UseSSTimer, shows each frame for the
    // slideshow's time and holds the slideshow.
    const TViewSettings& settings = Settings();
    const int slideShow = settings.SlideShowTimer * 1000;
    if (!image->MoreImages())
        Start(slideShow, 0);
    else if (!settings.UseSSTimer)
        Start(slideShow, FrameInterval(image->FrameDelay()));
    else
        Start(0, slideShow);
}

void TViewPlayback::SlideShowTick()
{
    m_window.KillTimer(kSlideShowTimer);
    if (ProcessFlags().viewerLoading && !m_stepping)
        return;
    m_window.PostCommand(CmNextFile);
}

void TViewPlayback::NextFrame()
{
    m_window.KillTimer(kAnimationTimer);
    const TProcessFlags& flags = ProcessFlags();
    const std::shared_ptr<TDisplayDib> image = m_image.Share();
    if (flags.viewerLoading || !m_image.HasImage() || !image->MoreImages() || flags.loadAbort)
        return;
    TViewerLoading loading;
    m_stepping = true;
    const bool stepped = image->NextGifFrame();
    m_stepping = false;
    // A message handled during the frame may have let the image go (no memory to rescale it
    // for a new window size): what that asked for stands.
    if (m_image.Image() != image.get())
        return;
    if (!stepped)
        return EndAnimation();
    // A load asked for during the frame stopped it: that file comes next.
    if (flags.loadAbort)
        return;
    if (!m_layout.LayoutImage(false))
        return EndAnimation();
    m_image.TakeFrameColors();
    m_window.update();
    // The slideshow timer started at the load runs on untouched while the animation plays.
    const TViewSettings& settings = Settings();
    const int slideShow = settings.SlideShowTimer * 1000;
    if (!image->MoreImages())
        Start(slideShow, 0);
    else
        Start(0, settings.UseSSTimer ? slideShow : FrameInterval(image->FrameDelay()));
}

void TViewPlayback::EndAnimation()
{
    m_window.ReleaseImage();
    m_layout.ShowNothing();
    if (!ProcessFlags().loadAbort && Settings().SlideShowTimer != 0)
        m_window.PostCommand(CmNextFile);
}

void TViewPlayback::Start(int slideShowMilliseconds, int animationMilliseconds)
{
    if (slideShowMilliseconds > 0)
        m_window.SetTimer(kSlideShowTimer, slideShowMilliseconds);
    if (animationMilliseconds > 0)
        m_window.SetTimer(kAnimationTimer, animationMilliseconds);
}
