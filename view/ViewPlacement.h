#pragma once

#include "ui/Screen.h"

#include <QPoint>
#include <QRect>
#include <QSize>

class TMyScroller;
class TWindow;

// Where the viewing window stands on the screen it was made for: a normal window is placed by
// the four View percentages of the screen, which follow its moves and sizes and describe the
// normal window whatever state it is in; a full-screen window covers the screen and stays there.
class TViewPlacement {
public:
    // Measures the screen. The scroller tells the client area of a normal window.
    TViewPlacement(TWindow& window, const TMyScroller& scroller, bool fullScreen);

    bool FullScreen() const { return m_fullScreen; }
    const TScreenInfo& Screen() const { return m_screen; }
    QSize ScreenSize() const { return QSize(m_screen.width, m_screen.height); }
    // What the window shows: its client area, or the whole screen in full screen.
    QRect ClientRect() const;
    // The outer size less the client size for the window's style; none in full screen.
    QSize Decoration() const;

    // Covers the screen, or places a normal window by the stored View percentages.
    void PlaceNew();
    // Shows the window where it belongs; a full-screen window then holds the mouse.
    void Show();
    // Sizes and moves an auto-sized window for a new image. The size event this causes later
    // finds the layout done.
    void PlaceForImage(const QRect& outer);

    // The window has moved: a full-screen window goes back to the screen's corner.
    void Moved();
    // The window's size changed; true when its rectangle differs from the one seen last, so
    // that the image is to be laid out again.
    bool Resized();
    // Recomputes the View percentages of a normal window from its normal position and size.
    void UpdatePercentages();
    // Takes the desktop's work area again; true when it changed.
    bool TakeWorkArea();
    // The display has a new resolution: a normal window goes to its percentages of it.
    void DisplayChanged(int width, int height);
    // Writes the View percentages of a window that the user sizes himself.
    void SavePosition() const;

private:
    void PlaceAtPercentages();
    void SetOuterRect(const QRect& outer);

    TWindow& m_window;
    const TMyScroller& m_scroller;
    const bool m_fullScreen;
    TScreenInfo m_screen;
    QRect m_lastWindowRect;
    QSize m_normalSize; // outer size in the normal state
    QPoint m_normalTopLeft;
};
