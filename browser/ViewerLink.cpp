#include "browser/ViewerLink.h"

#include "platform/ProcessFlags.h"
#include "view/ViewWindow.h"

TViewerLink::TViewerLink(TWindow& browser)
    : m_browser(browser)
{
}

TViewWindow* TViewerLink::Window() const
{
    return m_window && !m_window->isHidden() ? m_window.data() : nullptr;
}

bool TViewerLink::Loading() const { return Window() && ProcessFlags().viewerLoading; }

TViewWindow& TViewerLink::Open(const TBrowserFiles& files)
{
    if (!Window()) {
        m_window = new TViewWindow(&m_browser);
        m_window->SetBrowserFiles(files);
        m_window->Create();
    }
    return *m_window;
}

bool TViewerLink::Close()
{
    if (TViewWindow* window = Window())
        window->CloseFromBrowser();
    return !Window();
}
