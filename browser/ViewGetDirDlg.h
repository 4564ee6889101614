#pragma once

#include "ui/Dialog.h"

#include <string>

class TDirListBox;
class TDrvComboBox;

// The destination folder of a copy: a folder tree and a drive list of the dialog's own over
// the file system model, starting at a folder the caller gives. The folder shown ("c:\dest\",
// always with its backslash) is the dialog's result. It never changes the current folder or
// drive of the model, which are the browser's.
class TViewGetDirDlg : public TDialog {
public:
    TViewGetDirDlg(TWindow* parent, std::string startFolder);

    const std::string& Folder() const { return m_folder; }

    void EvNotify(int controlId, TNotify code) override;

protected:
    void SetupWindow() override;
    // Enter on the folder list goes into its caret folder unless that is the one shown, and
    // on the open drive list chooses the entry under the cursor; else the folder is taken.
    void CmOk() override;

private:
    void ChangeFolder(std::string path);
    void DriveChosen();

    std::string m_startFolder;
    std::string m_folder;
    TDirListBox* m_folderList;
    TDrvComboBox* m_driveList;
};
