#pragma once

#include <cstdint>
#include <functional>
#include <string>

class TComboBox;
class TDirListBox;
class TDrvComboBox;
class TEdit;
class TListBox;
class TStatic;
class TWindow;
struct TTypedText;

// The browser's controls that say where it is and what it lists.
struct TBrowserControls {
    TDrvComboBox* driveList = nullptr;
    TDirListBox* folderList = nullptr;
    TListBox* fileList = nullptr;
    TEdit* fileName = nullptr;
    TComboBox* typeList = nullptr;
    TStatic* folderLabel = nullptr;
};

// Where the browser is and what it lists: the current drive and folder, the patterns of the
// type filter or the typed text, and the four lists and the file name field that show them.
// Every change of place goes through here: a drive or type chosen, a folder entered, typed
// text applied, a volume come or gone. A refilled file list asks for a preview of the file
// under the cursor.
class TBrowserLists {
public:
    TBrowserLists(
        TWindow& browser, const TBrowserControls& controls, std::function<void()> requestPreview);

    // The set-up: the type entries at FileType, the file list's columns for the dialog
    // font's average character width, and the start folder (LastPath with SavePath, else the
    // process's current folder), listed.
    void SetUp(int averageCharWidth);

    // The browser's place: "c:", "\images\" and both together "c:\images\".
    const std::string& CurrentDrive() const { return m_drive; }
    const std::string& CurrentFolder() const { return m_folder; }
    const std::string& FullFolder() const { return m_fullFolder; }
    const std::string& NamePattern() const { return m_namePattern; }
    const std::string& ExtensionPattern() const { return m_extensionPattern; }
    const std::string& PatternList() const { return m_patternList; }
    bool HasWildcard() const { return m_wildcard; }
    bool UsesPatternList() const { return m_usesPatternList; }

    // Makes the folder current ("c:\images\"; the drive's root when it cannot be entered) and
    // fills the folder list, the folder label, the frame's title and the file list.
    void ChangeFolder(const std::string& path);
    // Lists the current folder's files that match the patterns.
    void RefillFiles();
    // Whether the user has typed into the file name field since it was last set.
    bool FieldModified() const;
    // Puts text into the file name field as if the user had typed it.
    void TypeText(const std::string& text);
    // Interprets the file name field: a pattern list, or a drive, folder, name and extension.
    // A text that names one listed file puts the caret on it and posts Show.
    void ApplyTypedText();

    // The handlers of the two combo boxes and the folder list.
    void DriveNotified(bool closedUp);
    void TypeNotified(bool closedUp);
    // Changes folder to the folder list's caret item.
    void EnterCaretFolder();
    // Whether the folder list's caret is on the folder shown.
    bool CaretOnCurrentFolder() const;
    // The user moved the file list's selection or caret: without patterns to keep, the file
    // name field shows the file under the caret.
    void FileSelectionChanged();
    // The system reports a volume come or gone.
    void DeviceChanged(uint32_t event, uint32_t deviceType);
    void FocusFileList();

private:
    void SetPatternsFromType(int index);
    void SelectType(int index);
    void TypeChosen();
    void DriveChosen();
    void SelectDrive(char letter);
    void GoToTypedPath(const TTypedText& typed);
    void OpenTypedFile(const std::string& name);
    void SetFieldText(const std::string& text);

    TWindow& m_browser;
    TBrowserControls m_controls;
    std::function<void()> m_requestPreview;

    bool m_wildcard = false;
    bool m_usesPatternList = false;
    std::string m_patternList;
    std::string m_drive;
    std::string m_folder;
    std::string m_namePattern;
    std::string m_extensionPattern;
    std::string m_fullFolder;
    std::string m_listedPatterns; // what the file list was last built with
    int m_typeIndex = 0; // the type entry last chosen or selected
};
