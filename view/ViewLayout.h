#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>
#include <string>

class TMyScroller;
class TShownImage;
class TViewPainter;
class TViewPlacement;
class TWindow;

// The arithmetic of the layout: how an auto-sized window fits a new image, how far Fit
// shrinks an image, and which scroll bars an image needs.

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

// Makes the Fit bitmap of this size from the shown image; false when the memory cannot be had.
using TFitBitmapMaker = std::function<bool(QSize size)>;

// Lays the shown image out in the viewing window: sizes and places an auto-sized window for a
// new image, shrinks the image to the window while Fit needs it, sets the scroll bars and
// the caption texts.
class TViewLayout {
public:
    TViewLayout(TWindow& window, TViewPlacement& placement, TMyScroller& scroller,
        TShownImage& image, TViewPainter& painter, TFitBitmapMaker makeFitBitmap);

    // Sizes and places the window for the image and makes the Fit bitmap; false only when
    // that bitmap cannot be had.
    bool LayoutImage(bool newImage);
    // Scroll bars for the present image and window.
    void SetupScroller();
    // "no file loaded", "%s (%d x %d)" or "%s - scaling image ..."; in full screen only the
    // scaling text shows, drawn near the bottom of the screen.
    void SetTitle(const std::string& name, bool scaling);
    // Nothing is shown: "no file loaded" and no scroll bars.
    void ShowNothing();

    // The layout is moving the window: the size events that causes need no layout of their own.
    bool InLayout() const { return m_inLayout; }
    // Whether a new work area changes the layout: with scroll bars, or for an auto-sized
    // window that centres itself.
    bool FollowsWorkArea() const;

private:
    TWindow& m_window;
    TViewPlacement& m_placement;
    TMyScroller& m_scroller;
    TShownImage& m_image;
    TViewPainter& m_painter;
    TFitBitmapMaker m_makeFitBitmap;
    bool m_inLayout = false;
};
