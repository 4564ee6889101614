#pragma once

class TShownImage;
class TViewLayout;
class TViewWindow;

// The slideshow (timer 1) and the animation of a GIF of several images (timer 2) in the
// viewing window. The slideshow timer fires once per shown image and asks for the next file;
// the animation composes the next frame onto the shown image on the one thread, pumping
// messages as every decode does, so a frame step follows the busy protocol of a load.
class TViewPlayback {
public:
    TViewPlayback(TViewWindow& window, TShownImage& image, TViewLayout& layout);

    // A file has been shown: starts the timers it calls for.
    void StartAfterLoad();
    // The slideshow timer fired: the next file, unless a file decodes (a frame step is no
    // reason to wait: the next file stops it).
    void SlideShowTick();
    // The next frame of an animation, now: on the animation timer and on Ctrl+G. A frame
    // that fails ends the animation and the image, and a slideshow moves on.
    void NextFrame();

private:
    void EndAnimation();
    void Start(int slideShowMilliseconds, int animationMilliseconds);

    TViewWindow& m_window;
    TShownImage& m_image;
    TViewLayout& m_layout;
    bool m_stepping = false;
};
