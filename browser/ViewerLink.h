#pragma once

#include "view/BrowserFiles.h"

#include <QPointer>

class TViewWindow;
class TWindow;

// The browser's one viewing window: made by the first Show, handed the browser's live file
// list, drive and folder, and forgotten once it has closed. The browser outlives it.
class TViewerLink {
public:
    explicit TViewerLink(TWindow& browser);

    // None while no viewing window is open: a window that has closed counts as gone while it
    // waits to be deleted.
    TViewWindow* Window() const;
    // A viewing window is open and decoding.
    bool Loading() const;
    // The open viewing window, made now when there is none (maximized in full screen).
    TViewWindow& Open(const TBrowserFiles& files);
    // Closes the viewing window for one of the browser's own operations or for the end of
    // the program; the window asks no preview of the browser. False when the window stays
    // open for now (it finishes a save first and closes after it).
    bool Close();

private:
    TWindow& m_browser;
    QPointer<TViewWindow> m_window;
};
