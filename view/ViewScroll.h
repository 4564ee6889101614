#pragma once

#include <QPoint>
#include <QSize>

class TMyScroller;
class TShownImage;
class TViewPlacement;
class TWindow;

// Panning in full screen over an image larger than the screen: a point within 3 pixels of
// an edge moves the offset towards that edge, 10 pixels a step or all the way.
class TPan {
public:
    static constexpr int kStep = 10;

    QPoint Offset() const { return m_offset; }
    void Reset() { m_offset = QPoint(); }
    // Returns whether the offset changed.
    bool PanTo(QPoint point, bool step, QSize image, QSize screen);

private:
    QPoint m_offset;
};

// How the keys and the mouse move the picture: in a normal window the scroll commands work the
// scroller's bars; in full screen they and the pointer at the screen's edges pan the image.
class TViewScroll {
public:
    TViewScroll(TWindow& window, TMyScroller& scroller, const TViewPlacement& placement,
        const TShownImage& image);

    // One of the line, page and end commands.
    void Command(int command);
    // The pointer is at this point of the desktop.
    void MouseMoved(QPoint global);

    QPoint PanOffset() const { return m_pan.Offset(); }
    void ResetPan() { m_pan.Reset(); }
    // The image's pixel shown at the top-left corner of an unscaled picture: the scroll
    // position, or the pan offset in full screen.
    QPoint Position() const;

private:
    void PanTo(QPoint point, bool step);

    TWindow& m_window;
    TMyScroller& m_scroller;
    const TViewPlacement& m_placement;
    const TShownImage& m_image;
    TPan m_pan;
};
