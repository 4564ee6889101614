#pragma once

#include "ui/Dialog.h"

#include <QRect>

#include <memory>
#include <string>

class TBrowserFileOps;
class TBrowserLists;
class TBrowserOptions;
class TBrowserPreview;
class TBrowserRequests;
class TDirListBox;
class TDrvComboBox;
class TEdit;
class TListBox;
class TPreviewDib;
class TStartupFile;
class TViewWindow;
class TViewerLink;

// The file browser: the main window's content, built from one of the eight browser
// templates. It lists the image files of the current folder under a type filter, shows the
// folder tree and the drives, takes typed folders, names and patterns, previews the file
// under the cursor and shows files in the viewing window. Creating the first browser of the
// process loads the browser's group of settings; a browser built again for a restart keeps
// the settings in memory.
//
// The dialog answers its commands and its controls' notifications and hands each to the
// unit whose job it is: where the browser is and what it lists (TBrowserLists), the preview
// box (TBrowserPreview), what the buttons and keys ask for and how it waits for running
// decodes (TBrowserRequests), the options (TBrowserOptions), deleting and copying
// (TBrowserFileOps), the viewing window (TViewerLink) and the start-up file (TStartupFile).
class TViewFileDlg : public TDialog {
public:
    // The start-up file is the program's first argument; the browser opens it once it is set
    // up.
    TViewFileDlg(TWindow* parent, int templateId, std::string startupFile = {});
    // Writes FileType and, with SavePath, LastPath (the current folder).
    ~TViewFileDlg() override;

    void EvCommand(int id) override;
    void EvNotify(int controlId, TNotify code) override;
    void EvDeviceChange(uint32_t event, uint32_t deviceType) override;

    // Makes the folder current ("c:\images\"; the drive's root when it cannot be entered) and
    // fills the folder list, the folder label, the frame's title and the file list.
    void ChangeFolder(const std::string& path);
    // Lists the current folder's files that match the patterns.
    void RefillFiles();

    // The browser's place: "c:\images\".
    const std::string& FullFolder() const;
    bool UsesPatternList() const;
    // The preview box in the browser's pixels, and the thumbnail shown there.
    QRect PreviewRect() const;
    TPreviewDib* Preview() const;

    // The one viewing window, made by Show; none while it is closed. The browser outlives it.
    TViewWindow* ViewWindow() const;
    // Closes the viewing window for one of the browser's own operations or for the end of
    // the program: the window asks no preview refresh of the browser. False when it stays
    // open for now (it finishes a save first).
    bool CloseViewWindow();

    // Whether a browser has been created in this process (tests start over with false).
    static bool& BrowserCreatedBefore();

protected:
    void SetupWindow() override;
    void EvTimer(int id) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void SelectAll(bool select);
    void Help();
    void NoDrives();

    std::string m_startupFile;
    TDrvComboBox* m_driveList;
    TDirListBox* m_folderList;
    TListBox* m_fileList;
    TEdit* m_fileName = nullptr;
    std::unique_ptr<TViewerLink> m_viewer;
    std::unique_ptr<TBrowserLists> m_lists;
    std::unique_ptr<TBrowserPreview> m_preview;
    std::unique_ptr<TBrowserFileOps> m_fileOps;
    std::unique_ptr<TBrowserOptions> m_options;
    std::unique_ptr<TBrowserRequests> m_requests;
    std::unique_ptr<TStartupFile> m_startup;
};
