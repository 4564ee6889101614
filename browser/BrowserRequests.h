#pragma once

#include "view/BrowserFiles.h"

#include <functional>

class QWidget;
class TBrowserFileOps;
class TBrowserLists;
class TBrowserOptions;
class TBrowserPreview;
class TViewerLink;
class TWindow;

// The command a request with a selected mode comes back as: the plain command gives the mode
// "not ShiftForSelected", the shifted one "ShiftForSelected" (Show 126 and 143, Delete 161
// and 111, Copy 160 and 125).
int ModeCommand(bool selectedMode, bool shiftForSelected, int plainCommand, int shiftedCommand);

// What the browser's buttons, keys and lists ask for: Show, Delete, Copy, Options, Exit and
// going into a folder. Decodes run on this thread and handle messages as they go, so a
// request that may not overlap one (all but Copy) asks the running decode to stop and comes
// back through the queue with the same selected mode; it is carried out once nothing runs.
// Delete and Options first close the viewing window, Show makes one or hands it the show.
class TBrowserRequests {
public:
    TBrowserRequests(TWindow& browser, const TBrowserFiles& files, TViewerLink& viewer,
        TBrowserPreview& preview, TBrowserLists& lists, TBrowserFileOps& fileOps,
        TBrowserOptions& options);

    // Shows the file under the cursor (selected mode off) or the selected files in the
    // viewing window; typed text not yet applied is applied instead.
    void Show(bool selectedMode);
    void Delete(bool selectedMode);
    void Copy(bool selectedMode);
    void Options();
    // Closes the main window once nothing runs; the viewing window closes first.
    void Exit();
    // A double click in the folder list: into the folder under its caret.
    void EnterFolder();
    // Enter, by the control that has the focus: into the folder list's caret folder unless it
    // is the current one, the open list of a combo box chosen, a button's own command, and
    // Show everywhere else.
    void Enter(QWidget* focused);
    // The Delete key: a character of the file name field while it has the focus, else Delete.
    void DeleteKey(QWidget* focused);

private:
    using TAgain = std::function<void()>;
    // The request waits for the running preview decode or the viewing window's.
    bool WaitForPreview(const TAgain& again);
    bool WaitForViewer(const TAgain& again);
    // Closes the viewing window before one of the browser's operations; true when the
    // request has to wait for it.
    bool WaitForViewerClosed(const TAgain& again);
    TAgain Repost(int command) const;

    TWindow& m_browser;
    TBrowserFiles m_files;
    TViewerLink& m_viewer;
    TBrowserPreview& m_preview;
    TBrowserLists& m_lists;
    TBrowserFileOps& m_fileOps;
    TBrowserOptions& m_options;
};
