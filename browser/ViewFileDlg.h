#pragma once

#include "ui/Dialog.h"

#include <QPointer>
#include <QRect>

#include <memory>
#include <string>

class TComboBox;
class TDirListBox;
class TDrvComboBox;
class TEdit;
class TListBox;
class TPreviewDib;
class TStatic;
class TViewWindow;
struct TTypedText;

// The file browser: the main window's content, built from one of the eight browser
// templates. It lists the image files of the current folder under a type filter, shows the
// folder tree and the drives, and takes typed folders, names and patterns. Creating the
// first browser of the process loads the browser's group of settings; a browser built again
// for a restart keeps the settings in memory.
class TViewFileDlg : public TDialog {
public:
    TViewFileDlg(TWindow* parent, int templateId);
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
    // Interprets the file name field: a pattern list, or a drive, folder, name and extension.
    void ApplyTypedText();

    // The browser's place: "c:", "\images\" and both together "c:\images\".
    const std::string& CurrentDrive() const { return m_drive; }
    const std::string& CurrentFolder() const { return m_folder; }
    const std::string& FullFolder() const { return m_fullFolder; }
    const std::string& NamePattern() const { return m_namePattern; }
    const std::string& ExtensionPattern() const { return m_extensionPattern; }
    const std::string& PatternList() const { return m_patternList; }
    bool HasWildcard() const { return m_wildcard; }
    bool UsesPatternList() const { return m_usesPatternList; }
    // The preview box in the browser's pixels, and the thumbnail shown there.
    QRect PreviewRect() const { return m_previewRect; }
    TPreviewDib* Preview() const { return m_preview.get(); }

    // The one viewing window: the browser creates it (CreateViewWindow, which returns the
    // open one when there is one), hands it the file list, drive and folder, and outlives it.
    // None while it is closed.
    TViewWindow* ViewWindow() const;
    TViewWindow& CreateViewWindow();
    // Closes the viewing window for one of the browser's own operations or for the end of
    // the program: the window asks no preview refresh of the browser.
    void CloseViewWindow();

    // Whether a browser has been created in this process (tests start over with false).
    static bool& BrowserCreatedBefore();

protected:
    void SetupWindow() override;

private:
    void SetPatternsFromType(int index);
    void SelectType(int index);
    void TypeChosen();
    void DriveChosen();
    void SelectDrive(char letter);
    void NavigateFolder();
    void EnterPressed();
    void Show(bool selectedMode);
    void GoToTypedPath(const TTypedText& typed);
    void OpenTypedFile(const std::string& name);
    void NoDrives();
    void Exit();
    void Options();
    // The colour warning that the set-up posts on a display of few colours.
    void ColorWarning();
    void SetFieldText(const std::string& text);
    void FocusFileList();

    TDrvComboBox* m_driveList;
    TDirListBox* m_folderList;
    TListBox* m_fileList = nullptr;
    TEdit* m_fileName = nullptr;
    TComboBox* m_typeList = nullptr;
    TStatic* m_folderLabel = nullptr;

    bool m_wildcard = false;
    bool m_usesPatternList = false;
    std::string m_patternList;
    std::string m_drive;
    std::string m_folder;
    std::string m_namePattern;
    std::string m_extensionPattern;
    std::string m_fullFolder;
    std::string m_copyDestination;
    std::string m_listedPatterns; // what the file list was last built with
    int m_typeIndex = 0; // the type entry last chosen or selected
    QRect m_previewRect;
    std::unique_ptr<TPreviewDib> m_preview;
    QPointer<TViewWindow> m_viewWindow;
};
