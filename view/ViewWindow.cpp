#include "view/ViewWindow.h"

#include "platform/Product.h"
#include "resources/BrowserIds.h"
#include "resources/Templates.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/HelpService.h"
#include "view/MyScroller.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

Qt::WindowFlags ViewWindowFlags(bool fullScreen, bool autoSize)
{
    if (fullScreen)
        return Qt::Window | Qt::FramelessWindowHint;
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;
    if (!autoSize)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

TViewWindow::TViewWindow(TWindow* browser)
    : TWindow(browser, ViewWindowFlags(Settings().FullScreen, Settings().AutoSizeView))
    , m_browser(browser)
    , m_scroller(new TMyScroller(this))
    , m_placement(*this, *m_scroller, Settings().FullScreen)
    , m_scroll(*this, *m_scroller, m_placement, m_image)
    , m_painter(*this, m_placement, m_image, m_scroll)
    , m_layout(*this, m_placement, *m_scroller, m_image, m_painter,
          [this](QSize size) { return CreateScaledBitmap(size); })
    , m_playback(*this, m_image, m_layout)
    , m_loader(*this, m_walk, m_image, m_layout, m_painter, m_playback)
    , m_saver(*this, m_image, m_loader)
    , m_navigation(*this, m_walk, m_loader)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_placement.PlaceNew();
    SetTitle("", false);
}

TViewWindow::~TViewWindow() = default;

void TViewWindow::SetupWindow()
{
    TWindow::SetupWindow();
    SetAccelerators(&ViewAccelerators());
    if (!IsFullScreen())
        QGuiApplication::setWindowIcon(ProgramIcon());
    m_placement.Show();
}

void TViewWindow::ReleaseImage()
{
    m_image.Release();
    m_scroll.ResetPan();
}

bool TViewWindow::CreateScaledBitmap(QSize size) { return m_image.MakeFitBitmap(size); }

// --- Commands

void TViewWindow::EvCommand(int id)
{
    switch (id) {
    case CmShowFromCursor:
        return m_navigation.Show(id, false);
    case CmShowSelectedFiles:
        return m_navigation.Show(id, true);
    case CmNextFile:
        return m_navigation.Step(id, 1);
    case CmPreviousFile:
        return m_navigation.Step(id, -1);
    case CmToggleAndNext:
        return m_navigation.ToggleAndNext();
    case CmReloadTransparency:
        return m_navigation.ReloadWithTransparencyToggled();
    case CmNextFrameNow:
    case CmAnimationFrame:
        return m_playback.NextFrame();
    case CmFocusBrowser:
        if (!IsFullScreen())
            FocusBrowser();
        return;
    case CmViewHelp:
        return OpenHelp(kViewHelpContext);
    case CmCloseView:
        CloseWindow();
        return;
    case CmCloseAndExit:
        return CloseAndExit();
    case CmSaveAsBmp:
        return m_saver.Save();
    case CmLineUp:
    case CmLineDown:
    case CmLineLeft:
    case CmLineRight:
    case CmRightEnd:
    case CmLeftEnd:
    case CmPageDown:
    case CmPageUp:
        return m_scroll.Command(id);
    default:
        return TWindow::EvCommand(id);
    }
}

void TViewWindow::EvTimer(int id)
{
    switch (id) {
    case kSlideShowTimer:
        return m_playback.SlideShowTick();
    case kAnimationTimer:
        return m_playback.NextFrame();
    default:
        return TWindow::EvTimer(id);
    }
}

bool TViewWindow::EvMenuChar(QChar letter)
{
    if (letter.toLower() != u'x')
        return TWindow::EvMenuChar(letter);
    PostCommand(CmCloseAndExit);
    return true;
}

void TViewWindow::CloseAndExit()
{
    m_exitAfterClose = true;
    PostCloseRequest();
}

void TViewWindow::CloseFromBrowser()
{
    m_closedByBrowser = true;
    CloseWindow();
}

// --- Window messages

void TViewWindow::EvMove() { m_placement.Moved(); }

void TViewWindow::EvSize()
{
    // The window's own layout moves it too; that layout is already under way.
    if (m_placement.Resized() && !m_layout.InLayout())
        Relayout();
    m_placement.UpdatePercentages();
}

void TViewWindow::EvWorkAreaChange()
{
    if (m_placement.TakeWorkArea() && m_layout.FollowsWorkArea())
        Relayout();
}

void TViewWindow::EvDisplayChange(int width, int height)
{
    m_placement.DisplayChanged(width, height);
}

void TViewWindow::Relayout()
{
    if (isMinimized())
        return;
    if (!LayoutImage(true))
        return RescaleFailed();
    SetupScroller();
}

void TViewWindow::RescaleFailed()
{
    ReleaseImage();
    m_scroller->RemoveBars();
    update();
    if (Ask("Insufficient memory to rescale image\nLoad next file?",
            ProductCaption("rescale error"), TMsgIcon::Stop, TMsgButtons::OkCancel)
        == kIdOk) {
        m_walk.MoveCaret();
        PostCommand(CmNextFile);
    } else {
        PostCommand(CmCloseView);
    }
}

bool TViewWindow::event(QEvent* event)
{
    // Becoming the active window is when a palette display takes the window's colours.
    if (event->type() == QEvent::WindowActivate)
        RealizeImagePalette();
    return TWindow::event(event);
}

void TViewWindow::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_painter.Paint(painter, event->rect());
}

void TViewWindow::mouseMoveEvent(QMouseEvent* event)
{
    TWindow::mouseMoveEvent(event);
    m_scroll.MouseMoved(event->globalPosition().toPoint());
}

void TViewWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::LeftButton:
        return SendCommand(CmNextFile);
    case Qt::RightButton:
        return SendCommand(CmPreviousFile);
    case Qt::MiddleButton:
        return SendCommand(CmCloseView);
    default:
        return TWindow::mouseDoubleClickEvent(event);
    }
}

// --- Closing

bool TViewWindow::CanClose()
{
    if (m_saver.DeferClose())
        return false;
    // The decode returns once it sees the request; the window closes after it.
    if (m_loader.InterruptDecode()) {
        PostCloseRequest();
        return false;
    }
    return TWindow::CanClose();
}

void TViewWindow::EvClose()
{
    if (IsFullScreen())
        releaseMouse();
    if (!m_exitAfterClose && !m_closedByBrowser)
        RefreshBrowserPreview();
    m_placement.SavePosition();
    if (m_exitAfterClose) {
        if (m_browser)
            m_browser->PostCommand(CmExit);
    } else {
        FocusBrowser();
    }
}

void TViewWindow::RefreshBrowserPreview()
{
    if (m_browser)
        m_browser->PostCommand(CmRefreshPreview);
}

void TViewWindow::FocusBrowser()
{
    if (!m_browser)
        return;
    QWidget* top = m_browser->window();
    top->activateWindow();
    if (QWidget* last = top->focusWidget())
        last->setFocus(Qt::OtherFocusReason);
    else
        m_browser->setFocus(Qt::OtherFocusReason);
}

int TViewWindow::Ask(
    const std::string& text, const std::string& caption, TMsgIcon icon, TMsgButtons buttons)
{
    TMouseFreed mouse(*this);
    return MessageBox(this, text, caption, icon, buttons);
}

TViewWindow::TMouseFreed::TMouseFreed(TViewWindow& window)
    : m_window(window)
{
    if (m_window.m_mouseFreed++ == 0 && m_window.IsFullScreen())
        m_window.releaseMouse();
}

TViewWindow::TMouseFreed::~TMouseFreed()
{
    if (--m_window.m_mouseFreed == 0 && m_window.IsFullScreen() && m_window.isVisible())
        m_window.grabMouse();
}
