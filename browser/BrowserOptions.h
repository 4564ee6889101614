#pragma once

struct TViewSettings;
class TBrowserLists;
class TBrowserPreview;
class TWindow;

// The settings whose change after the options decides what the browser does next, as they
// were before the options dialog.
struct TOptionsBefore {
    bool autoSizeMain = false;
    bool altFileSel = false;
    bool showHidden = false;
};

// Whether the main window is to be built again after the options dialog, the tests in this
// order: the automatic size switched on where the screen's layout is not the window's; a size
// chosen by hand that is not the window's (which becomes the window's layout, so that the
// window is built at that size); the other file selection.
bool MainWindowRebuildNeeded(const TOptionsBefore& before, TViewSettings& settings);

// The options dialog from the browser (command 112), once the viewing window has closed and
// no preview runs: the dialog on the settings, then a new main window when its layout
// changed, or else the folder read again when hidden files come or go, the preview's
// preferences taken, and a fresh preview.
class TBrowserOptions {
public:
    TBrowserOptions(TWindow& browser, TBrowserLists& lists, TBrowserPreview& preview);

    void Run();

private:
    TWindow& m_browser;
    TBrowserLists& m_lists;
    TBrowserPreview& m_preview;
};
