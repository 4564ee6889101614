#include "view/ViewScroll.h"

#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/Window.h"
#include "view/MyScroller.h"
#include "view/ShownImage.h"
#include "view/ViewPlacement.h"

#include <algorithm>

bool TPan::PanTo(QPoint point, bool step, QSize image, QSize screen)
{
    const QPoint before = m_offset;
    // One direction: towards the low edge (to 0) or the high edge (to the excess).
    const auto pan = [step](int& offset, int at, int screenExtent, int imageExtent) {
        const int excess = imageExtent - screenExtent;
        if (excess <= 0)
            return;
        if (at < 3)
            offset = step ? std::max(0, offset - kStep) : 0;
        else if (at > screenExtent - 2)
            offset = step ? std::min(excess, offset + kStep) : excess;
    };
    pan(m_offset.rx(), point.x(), screen.width(), image.width());
    pan(m_offset.ry(), point.y(), screen.height(), image.height());
    return m_offset != before;
}

TViewScroll::TViewScroll(TWindow& window, TMyScroller& scroller, const TViewPlacement& placement,
    const TShownImage& image)
    : m_window(window)
    , m_scroller(scroller)
    , m_placement(placement)
    , m_image(image)
{
    // The pointer pans at the edges of the screen without a button held.
    if (m_placement.FullScreen())
        m_window.setMouseTracking(true);
}

QPoint TViewScroll::Position() const
{
    if (m_placement.FullScreen())
        return m_pan.Offset();
    return QPoint(m_scroller.XPos(), m_scroller.YPos());
}

void TViewScroll::Command(int command)
{
    if (!m_placement.FullScreen()) {
        switch (command) {
        case CmLineUp:
            return m_scroller.VScroll(TScrollCode::LineUp);
        case CmLineDown:
            return m_scroller.VScroll(TScrollCode::LineDown);
        case CmPageUp:
            return m_scroller.VScroll(TScrollCode::PageUp);
        case CmPageDown:
            return m_scroller.VScroll(TScrollCode::PageDown);
        case CmLineLeft:
            return m_scroller.HScroll(TScrollCode::LineUp);
        case CmLineRight:
            return m_scroller.HScroll(TScrollCode::LineDown);
        case CmLeftEnd:
            return m_scroller.HScroll(TScrollCode::Top);
        case CmRightEnd:
            return m_scroller.HScroll(TScrollCode::Bottom);
        }
        return;
    }
    // The keys pan as the pointer would at the middle of an edge's first pixels.
    const QSize screen = m_placement.ScreenSize();
    const bool step = command == CmLineUp || command == CmLineDown || command == CmLineLeft
        || command == CmLineRight;
    switch (command) {
    case CmLineUp:
    case CmPageUp:
        return PanTo(QPoint(3, 0), step);
    case CmLineDown:
    case CmPageDown:
        return PanTo(QPoint(3, screen.height()), step);
    case CmLineLeft:
    case CmLeftEnd:
        return PanTo(QPoint(0, 3), step);
    default:
        return PanTo(QPoint(screen.width(), 3), step);
    }
}

void TViewScroll::MouseMoved(QPoint global)
{
    if (m_placement.FullScreen())
        PanTo(global - m_placement.Screen().origin, true);
}

void TViewScroll::PanTo(QPoint point, bool step)
{
    if (Settings().Fit || !m_image.HasImage())
        return;
    if (m_pan.PanTo(point, step, m_image.Size(), m_placement.ScreenSize()))
        m_window.update();
}
