#include "view/ViewPlacement.h"

#include "settings/ViewSettings.h"
#include "platform/ProcessFlags.h"
#include "ui/Window.h"
#include "view/MyScroller.h"

#include <QGuiApplication>
#include <QScreen>

TViewPlacement::TViewPlacement(TWindow& window, const TMyScroller& scroller, bool fullScreen)
    : m_window(window)
    , m_scroller(scroller)
    , m_fullScreen(fullScreen)
    , m_screen(ScreenInfo())
{
    if (!ProcessFlags().newShell)
        m_screen.workArea = QRect(QPoint(), ScreenSize());
}

QRect TViewPlacement::ClientRect() const
{
    if (m_fullScreen)
        return QRect(QPoint(), ScreenSize());
    return QRect(QPoint(), m_scroller.ClientSize());
}

QSize TViewPlacement::Decoration() const
{
    if (m_fullScreen)
        return QSize();
    return m_window.frameGeometry().size() - m_window.size();
}

void TViewPlacement::PlaceNew()
{
    if (m_fullScreen) {
        m_window.setGeometry(QRect(m_screen.origin, ScreenSize()));
    } else {
        Settings().LoadViewPosition();
        PlaceAtPercentages();
    }
    m_normalSize = m_window.frameGeometry().size();
    m_normalTopLeft = m_window.frameGeometry().topLeft();
}

void TViewPlacement::Show()
{
    if (!m_fullScreen) {
        // The window system tells the decorations only once the window is shown; the
        // window is then placed again by the same percentages, which showing it must not
        // have rounded afresh.
        const TViewSettings before = Settings();
        m_window.show();
        TViewSettings& settings = Settings();
        settings.ViewLeft = before.ViewLeft;
        settings.ViewTop = before.ViewTop;
        settings.ViewWidth = before.ViewWidth;
        settings.ViewHeight = before.ViewHeight;
        PlaceAtPercentages();
        return;
    }
    // The toolkit's full-screen state covers the real screen; a window meant for another
    // screen size (a test's) keeps the geometry it was given.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen && screen->geometry() == m_window.geometry())
        m_window.showFullScreen();
    else
        m_window.show();
    // Mouse movement anywhere on the screen reaches the window, for panning at the edges.
    m_window.grabMouse();
}

void TViewPlacement::PlaceForImage(const QRect& outer)
{
    SetOuterRect(outer);
    m_lastWindowRect = m_window.frameGeometry();
}

void TViewPlacement::SetOuterRect(const QRect& outer)
{
    const QSize client = (outer.size() - Decoration()).expandedTo(QSize(1, 1));
    // An auto-sized window has no sizing border: only the program changes its size.
    if (!m_fullScreen && !(m_window.windowFlags() & Qt::WindowMaximizeButtonHint))
        m_window.setFixedSize(client);
    else
        m_window.resize(client);
    m_window.move(outer.topLeft());
}

void TViewPlacement::PlaceAtPercentages()
{
    const TViewSettings& settings = Settings();
    SetOuterRect(QRect(m_screen.origin.x() + PercentToPixels(m_screen.width, settings.ViewLeft),
        m_screen.origin.y() + PercentToPixels(m_screen.height, settings.ViewTop),
        PercentToPixels(m_screen.width, settings.ViewWidth),
        PercentToPixels(m_screen.height, settings.ViewHeight)));
}

void TViewPlacement::Moved()
{
    if (m_fullScreen) {
        if (m_window.pos() != m_screen.origin)
            m_window.move(m_screen.origin);
        return;
    }
    UpdatePercentages();
}

bool TViewPlacement::Resized()
{
    const QRect rect = m_window.frameGeometry();
    if (m_window.windowState() == Qt::WindowNoState)
        m_normalSize = rect.size();
    if (rect == m_lastWindowRect)
        return false;
    m_lastWindowRect = rect;
    return true;
}

void TViewPlacement::UpdatePercentages()
{
    // A full-screen window describes no normal window.
    if (m_fullScreen)
        return;
    if (!m_window.isMinimized() && !m_window.isMaximized())
        m_normalTopLeft = m_window.frameGeometry().topLeft();
    TViewSettings& settings = Settings();
    settings.ViewLeft = PixelsToPercent(m_normalTopLeft.x() - m_screen.origin.x(), m_screen.width);
    settings.ViewTop = PixelsToPercent(m_normalTopLeft.y() - m_screen.origin.y(), m_screen.height);
    settings.ViewWidth = PixelsToPercent(m_normalSize.width(), m_screen.width);
    settings.ViewHeight = PixelsToPercent(m_normalSize.height(), m_screen.height);
}

bool TViewPlacement::TakeWorkArea()
{
    if (!ProcessFlags().newShell)
        return false;
    const QRect workArea = ScreenInfo().workArea;
    if (workArea == m_screen.workArea)
        return false;
    m_screen.workArea = workArea;
    return true;
}

void TViewPlacement::DisplayChanged(int width, int height)
{
    m_screen.width = width;
    m_screen.height = height;
    if (m_fullScreen)
        return;
    if (ProcessFlags().newShell)
        m_screen.workArea = ScreenInfo().workArea;
    PlaceAtPercentages();
}

void TViewPlacement::SavePosition() const
{
    if (!m_fullScreen && !Settings().AutoSizeView)
        Settings().SaveViewPosition();
}
