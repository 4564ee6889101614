#include "app/ViewFrameWindow.h"

#include "app/AboutDlg.h"
#include "app/AppIds.h"
#include "browser/ViewFileDlg.h"
#include "platform/ProcessFlags.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/HelpService.h"
#include "ui/MountWatch.h"

TViewFrameWindow::TViewFrameWindow(
    const std::string& title, TWindow* browser, const TScreenExtent& screen)
    : TFrameWindow(nullptr, title, browser, true)
    , m_screen(screen)
{
    ProcessFlags().viewerLoading = false;
    ProcessFlags().previewBusy = false;
    Settings().LoadFramePosition();
    MoveToPercentages();
    m_normalPosition = pos();
}

TViewFrameWindow::~TViewFrameWindow() = default;

void TViewFrameWindow::SetupWindow()
{
    TFrameWindow::SetupWindow();
    AppendSystemMenuSeparator();
    AppendSystemMenuItem(CmAbout, "&About ...");
    m_mountWatch = std::make_unique<TMountWatch>(
        [this](uint32_t event) { EvDeviceChange(event, kDeviceTypeVolume); });
    m_mountWatch->Start();
}

void TViewFrameWindow::MoveToPercentages()
{
    move(m_screen.origin.x() + PercentToPixels(m_screen.width, Settings().FileLeft),
        m_screen.origin.y() + PercentToPixels(m_screen.height, Settings().FileTop));
}

void TViewFrameWindow::EvMove()
{
    // A minimized window keeps the percentages of its last normal place.
    if (!isMinimized())
        m_normalPosition = frameGeometry().topLeft();
    Settings().FileLeft
        = PixelsToPercent(m_normalPosition.x() - m_screen.origin.x(), m_screen.width);
    Settings().FileTop
        = PixelsToPercent(m_normalPosition.y() - m_screen.origin.y(), m_screen.height);
}

void TViewFrameWindow::EvSysCommand(int id)
{
    switch (id) {
    case CmAbout:
        return OpenAbout();
    default:
        return TFrameWindow::EvSysCommand(id);
    }
}

bool TViewFrameWindow::EvMenuChar(QChar letter)
{
    switch (letter.toLower().unicode()) {
    case u'x':
        CloseWindow();
        return true;
    case u'a':
        OpenAbout();
        return true;
    default:
        return TFrameWindow::EvMenuChar(letter);
    }
}

void TViewFrameWindow::OpenAbout()
{
    TViewAboutDlg about(this);
    about.Execute();
}

void TViewFrameWindow::EvDisplayChange(int width, int height)
{
    m_screen.width = width;
    m_screen.height = height;
    if (Settings().AutoSizeMain) {
        // The main window closes as on Exit and the program builds it again for the new
        // width.
        ProcessFlags().restart = true;
        if (Client())
            Client()->SendCommand(CmExit);
        return;
    }
    Settings().ScreenLayout = ScreenLayoutClass(width);
    MoveToPercentages();
}

void TViewFrameWindow::EvDeviceChange(uint32_t event, uint32_t deviceType)
{
    if (Client())
        Client()->EvDeviceChange(event, deviceType);
}

bool TViewFrameWindow::CanClose()
{
    if (!TFrameWindow::CanClose())
        return false;
    TProcessFlags& flags = ProcessFlags();
    if (flags.previewBusy) {
        flags.previewAbort = true;
        PostCloseRequest();
        return false;
    }
    if (flags.viewerLoading) {
        flags.loadAbort = true;
        PostCloseRequest();
        return false;
    }
    // The viewing window closes with the program and keeps its place for the next run; one
    // that finishes a save first closes after it, and the frame then.
    if (auto* browser = dynamic_cast<TViewFileDlg*>(Client());
        browser && !browser->CloseViewWindow()) {
        PostCloseRequest();
        return false;
    }
    Settings().SaveFramePosition();
    QuitHelp();
    return true;
}

void TViewFrameWindow::EvClose()
{
    if (m_mountWatch)
        m_mountWatch->Stop();
}
