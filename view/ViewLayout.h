#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>
#include <cstdint>
#include <optional>

// The arithmetic of the viewing window: how an auto-sized window fits a new image, how far
// Fit shrinks an image, which scroll bars an image needs, where the image lies in the window,
// how full-screen panning moves, and which rows an unscaled drawing hands over.

// What sizing a window for a new image works from.
struct TAutoSizeInput {
    QSize image;
    QRect available; // the desktop's work area
    QSize decoration; // outer size less client size for the window's style
    int verticalBarWidth = 0;
    int horizontalBarHeight = 0;
    bool fit = false;
    bool center = false;
    QPoint topLeft; // the window's present outer top-left corner
};

// The outer rectangle of an auto-sized window: the image's size plus the decorations and
// the scroll bars it will need, each held to the available area; with Fit, an image larger
// than that area shrinks the window to its aspect. Centred in the available area, or kept
// where it is as long as it stays inside.
QRect AutoSizeWindow(const TAutoSizeInput& input);

// The size Fit shrinks an image to so that it fits the target with its aspect kept, in
// single precision as the window percentages are; none when the image fits as it is.
// Images are never enlarged.
std::optional<QSize> FitSize(QSize image, QSize target);

// The scroll bars an image needs in a client area of this size without bars, and how far
// it reaches beyond the client that is left in each direction.
struct TScrollNeed {
    bool horizontal = false;
    bool vertical = false;
    QSize excess;
};
TScrollNeed ScrollNeed(QSize image, QSize client, int verticalBarWidth, int horizontalBarHeight);

// The rectangle a picture of the source size takes in the target: from the top-left corner
// and clipped, or, with center, in the middle of each direction in which the target is
// larger (the odd pixel to the right and bottom), filling the others.
QRect PlaceImage(const QRect& target, QSize source, bool center);

// The parts of the target around the image: the left strip and the right strip over the
// full height, the top and bottom strips between them. Empty where the image reaches.
std::array<QRect, 4> Margins(const QRect& target, const QRect& image);

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
