#include "browser/ViewGetDirDlg.h"

#include "browser/DirListBox.h"
#include "browser/DrvComboBox.h"
#include "browser/ListRules.h"
#include "platform/CasePolicy.h"
#include "platform/FileSystem.h"
#include "resources/FileDialogIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/ModalService.h"
#include "ui/Static.h"
#include "ui/WaitCursor.h"

#include <utility>

TViewGetDirDlg::TViewGetDirDlg(TWindow* parent, std::string startFolder)
    : TDialog(parent, GetDirTemplate())
    , m_startFolder(std::move(startFolder))
    , m_folderList(new TDirListBox(this, IdDestFolderList))
    , m_driveList(new TDrvComboBox(this, IdDestDriveCombo))
{
}

void TViewGetDirDlg::SetupWindow()
{
    TDialog::SetupWindow();
    m_driveList->SetExtendedUI(true);
    FileSystem().ReadDrives();
    m_driveList->Fill(m_startFolder.empty() ? char(0) : LowerAscii(m_startFolder[0]));
    ChangeFolder(m_startFolder);
}

void TViewGetDirDlg::ChangeFolder(std::string path)
{
    TWaitCursor wait;
    if (!path.ends_with('\\'))
        path += '\\';
    m_folder = path;
    m_folderList->Fill(m_folder, Settings().ShowHidden);
    ControlAs<TStatic>(IdDestFolderText)->SetText(DestinationFolderLabel(m_folder));
}

void TViewGetDirDlg::EvNotify(int controlId, TNotify code)
{
    if (controlId == IdDestFolderList && code == TNotify::DblClk) {
        std::string caret = m_folderList->CaretFolder();
        if (caret == m_folder)
            return CloseDialog(kIdOk);
        return ChangeFolder(std::move(caret));
    }
    // A closed list whose selection the keys moved counts as chosen, as in the browser.
    if (controlId == IdDestDriveCombo
        && (code == TNotify::CloseUp
            || (code == TNotify::SelChange && !m_driveList->GetDroppedState())))
        return DriveChosen();
    TDialog::EvNotify(controlId, code);
}

void TViewGetDirDlg::DriveChosen()
{
    const char letter = m_driveList->SelectedLetter();
    if (letter == 0 || (!m_folder.empty() && letter == m_folder[0]))
        return;
    // No readiness question: a drive that cannot be read shows its root alone.
    const auto folder = FileSystem().DriveFolder(letter);
    ChangeFolder(folder ? FoldNameCase(*folder) : std::string { letter, ':', '\\' });
}

void TViewGetDirDlg::CmOk()
{
    const QWidget* focused = focusWidget();
    if (focused == m_folderList) {
        if (std::string caret = m_folderList->CaretFolder(); caret != m_folder)
            return ChangeFolder(std::move(caret));
    }
    if (focused == m_driveList && m_driveList->GetDroppedState())
        return m_driveList->ChooseDroppedEntry();
    TDialog::CmOk();
}
