#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <string>

class QPainter;
class TShownImage;
class TViewPlacement;
class TViewScroll;
class TWindow;

// The rectangle a picture of the source size takes in the target: from the top-left corner
// and clipped, or, with center, in the middle of each direction in which the target is
// larger (the odd pixel to the right and bottom), filling the others.
QRect PlaceImage(const QRect& target, QSize source, bool center);

// The parts of the target around the image: the left strip and the right strip over the
// full height, the top and bottom strips between them. Empty where the image reaches.
std::array<QRect, 4> Margins(const QRect& target, const QRect& image);

// What an unscaled drawing hands to the draw call: the rows from firstRow (0 is the bottom
// row) on, rows of them, and the lower-left corner of the visible part within those rows.
struct TDibSource {
    QPoint source;
    int64_t firstRow = 0;
    int32_t rows = 0;
};

// For an image of which visible pixels show from position (the top-left pixel shown): all
// rows, or, with quick and an image taller than what shows, only the visible band.
TDibSource UnscaledSource(QSize image, QSize visible, QPoint position, bool quick);

// Paints the viewing window: the image, or its Fit bitmap, placed in the client area with
// black margins round it; only the black background while a decode runs; and in full screen
// the text that tells of work under way, near the bottom of the screen. On a display with a
// palette it realises the image's colours.
class TViewPainter {
public:
    TViewPainter(TWindow& window, const TViewPlacement& placement, TShownImage& image,
        const TViewScroll& scroll);

    void Paint(QPainter& painter, const QRect& exposed);

    // The text drawn in a full-screen window: progress or the scaling text.
    const std::string& ScreenText() const { return m_screenText; }
    // Replaces the text and draws it at once: it tells of work that holds the thread.
    void ShowScreenText(const std::string& text);

    // Realises the image's palette on a display that has one; returns whether any colour
    // changed (and the window is to be repainted).
    bool RealizeImagePalette();

private:
    void DrawUnscaled(QPainter& painter, const QRect& imageRect, const QRect& exposed);
    QRect ScreenTextBox() const;
    void DrawScreenText(QPainter& painter);

    TWindow& m_window;
    const TViewPlacement& m_placement;
    TShownImage& m_image;
    const TViewScroll& m_scroll;
    std::string m_screenText;
};
