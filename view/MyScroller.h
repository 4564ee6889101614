#pragma once

#include "ui/Scroller.h"

#include <QSize>

class TWindow;

// The viewing window's scroller: one pixel per scroll unit, and scroll bars only in the
// directions in which the image reaches beyond the client.
class TMyScroller : public TScroller {
public:
    static constexpr int kLineStep = 10;

    explicit TMyScroller(TWindow* window);

    // No bars: every range and line step 0, at position 0.
    void RemoveBars();
    // Bars for an image: a direction that scrolls covers the whole image (range image - 1)
    // in lines of 10 pixels, and its page, the client, makes the image's far edge the
    // largest position. Starts at 0,0.
    void SetImageExtents(QSize image, bool horizontal, bool vertical);
};
