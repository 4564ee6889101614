#include "browser/ViewFileDlg.h"

#include "browser/BrowserLists.h"
#include "browser/BrowserOptions.h"
#include "browser/BrowserPreview.h"
#include "browser/BrowserRequests.h"
#include "browser/DirListBox.h"
#include "browser/DrvComboBox.h"
#include "browser/FileOperations.h"
#include "browser/MyButton.h"
#include "browser/MyListBox.h"
#include "browser/StartupFile.h"
#include "browser/ViewerLink.h"
#include "platform/ProcessFlags.h"
#include "platform/Product.h"
#include "resources/BrowserIds.h"
#include "resources/Templates.h"
#include "settings/ViewSettings.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/HelpService.h"
#include "ui/ModalService.h"
#include "ui/Static.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// The file list is the alternate selection's list whenever that is on, whatever the
// template's selection style.
TListBox* MakeFileList(TWindow* browser)
{
    if (Settings().AltFileSel)
        return new TMyListBox(browser, IdFileList);
    return new TListBox(browser, IdFileList);
}

} // namespace

bool& TViewFileDlg::BrowserCreatedBefore()
{
    static bool created = false;
    return created;
}

TViewFileDlg::TViewFileDlg(TWindow* parent, int templateId, std::string startupFile)
    : TDialog(parent, BrowserTemplate(templateId))
    , m_startupFile(std::move(startupFile))
    , m_driveList(new TDrvComboBox(this, IdDriveCombo))
    , m_folderList(new TDirListBox(this, IdFolderList))
    , m_fileList(MakeFileList(this))
{
    new TMyButton(this, IdShowButton, CmShow, CmShowSelected);
    new TMyButton(this, IdDeleteButton, CmDelete, CmDeleteSelected);
    new TMyButton(this, IdCopyButton, CmCopy, CmCopySelected);
    if (!BrowserCreatedBefore()) {
        BrowserCreatedBefore() = true;
        Settings().LoadBrowserGroup();
    } else {
        Settings().CopyLayoutToSizeMain();
    }
}

TViewFileDlg::~TViewFileDlg()
{
    if (m_lists)
        Settings().SaveBrowserState(m_lists->FullFolder());
}

void TViewFileDlg::SetupWindow()
{
    TDialog::SetupWindow();
    SetAccelerators(&BrowserAccelerators());
    m_fileName = ControlAs<TEdit>(IdFileName);
    auto* info = ControlAs<TStatic>(IdInfoText);
    m_viewer = std::make_unique<TViewerLink>(*this);
    m_lists = std::make_unique<TBrowserLists>(*this,
        TBrowserControls { m_driveList, m_folderList, m_fileList, m_fileName,
            ControlAs<TComboBox>(IdTypeCombo), ControlAs<TStatic>(IdFolderText) },
        [this] { m_preview->RequestRefresh(); });
    m_preview = std::make_unique<TBrowserPreview>(*this, *m_viewer, *m_fileList, *info,
        Control(IdPreviewBox)->Widget()->geometry(), m_lists->FullFolder());
    m_fileOps = std::make_unique<TBrowserFileOps>(*this, *m_fileList, m_lists->FullFolder());
    m_options = std::make_unique<TBrowserOptions>(*this, *m_lists, *m_preview);
    m_requests = std::make_unique<TBrowserRequests>(*this,
        TBrowserFiles { m_fileList, &m_lists->CurrentDrive(), &m_lists->CurrentFolder() },
        *m_viewer, *m_preview, *m_lists, *m_fileOps, *m_options);
    m_startup = std::make_unique<TStartupFile>(*this, *m_lists, m_startupFile);

    m_lists->SetUp(Units().baseX);
    m_startup->Begin();
    // The browser is the last window a restart builds, so the restart is complete.
    ProcessFlags().restart = false;
}

void TViewFileDlg::EvCommand(int id)
{
    const bool shiftForSelected = Settings().ShiftForSelected;
    switch (id) {
    case CmShow:
        return m_requests->Show(!shiftForSelected);
    case CmShowSelected:
        return m_requests->Show(shiftForSelected);
    case CmEnter:
        return m_requests->Enter(focusWidget());
    case CmDelete:
        return m_requests->Delete(!shiftForSelected);
    case CmDeleteKey:
        return m_requests->DeleteKey(focusWidget());
    case CmDeleteSelected:
    case CmDeleteSelectedKey:
        return m_requests->Delete(shiftForSelected);
    case CmCopy:
    case CmCopyKey:
        return m_requests->Copy(!shiftForSelected);
    case CmCopySelected:
    case CmCopySelectedKey:
        return m_requests->Copy(shiftForSelected);
    case CmOptions:
        return m_requests->Options();
    case CmHelp:
    case CmHelpKey:
        return Help();
    case CmExit:
        return m_requests->Exit();
    case CmEscape:
        return;
    case CmSelectAll:
        return SelectAll(true);
    case CmDeselectAll:
        return SelectAll(false);
    case CmImageInfo:
        return m_preview->ShowInformation();
    case CmToggleTransparency:
        return m_preview->ToggleTransparency();
    case CmAnimationStep:
        return m_preview->AnimationStep();
    case CmNextPreviewFrame:
        return m_preview->FrameDue(true);
    case CmRefreshPreview:
        return m_preview->Refresh();
    case CmProgressivePass:
        return m_preview->RewriteInfo();
    case CmColorWarning:
        return m_startup->ColorWarningThenFile();
    case CmSelectFieldText:
        return m_fileName->SetSelection(0, -1);
    case CmNoDrives:
        return NoDrives();
    default:
        return TDialog::EvCommand(id);
    }
}

void TViewFileDlg::EvNotify(int controlId, TNotify code)
{
    switch (controlId) {
    case IdFileList:
        if (code == TNotify::SelChange) {
            m_lists->FileSelectionChanged();
            m_preview->RequestRefresh();
        } else if (code == TNotify::DblClk) {
            m_requests->Show(false);
        }
        return;
    case IdFileName:
        // Selected whole once the click that brought the focus is over.
        if (code == TNotify::SetFocus)
            PostCommand(CmSelectFieldText);
        else if (code == TNotify::KillFocus)
            m_fileName->SetSelection(0, 0);
        return;
    case IdDriveCombo:
        if (code == TNotify::CloseUp || code == TNotify::SelChange)
            m_lists->DriveNotified(code == TNotify::CloseUp);
        return;
    case IdTypeCombo:
        if (code == TNotify::CloseUp || code == TNotify::SelChange)
            m_lists->TypeNotified(code == TNotify::CloseUp);
        return;
    case IdFolderList:
        if (code == TNotify::DblClk)
            m_requests->EnterFolder();
        return;
    default:
        return TDialog::EvNotify(controlId, code);
    }
}

void TViewFileDlg::EvTimer(int id)
{
    if (id == kPreviewAnimationTimer)
        return m_preview->FrameDue(false);
    TDialog::EvTimer(id);
}

void TViewFileDlg::EvDeviceChange(uint32_t event, uint32_t deviceType)
{
    // A delete or copy walks the file list: a drive come or gone waits for its end.
    if (m_fileOps->Running())
        return m_fileOps->AfterRun(
            [this, event, deviceType] { m_lists->DeviceChanged(event, deviceType); });
    m_lists->DeviceChanged(event, deviceType);
}

void TViewFileDlg::paintEvent(QPaintEvent* event)
{
    TDialog::paintEvent(event);
    if (!m_preview)
        return;
    QPainter painter(this);
    m_preview->Paint(painter, event->rect());
}

void TViewFileDlg::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (!m_preview || !m_preview->DoubleClicked(event->position().toPoint()))
        TDialog::mouseDoubleClickEvent(event);
}

void TViewFileDlg::SelectAll(bool select)
{
    if (focusWidget() == m_fileList)
        m_fileList->SetSel(-1, select);
}

void TViewFileDlg::Help()
{
    OpenHelp(kBrowserHelpContext);
    m_fileList->setFocus();
}

void TViewFileDlg::NoDrives()
{
    MessageBox(this, "Unable to locate any drives\nPelorin will now close ...",
        ProductCaption("drive error"), TMsgIcon::Stop);
    m_requests->Exit();
}

void TViewFileDlg::ChangeFolder(const std::string& path) { m_lists->ChangeFolder(path); }

void TViewFileDlg::RefillFiles() { m_lists->RefillFiles(); }

const std::string& TViewFileDlg::FullFolder() const { return m_lists->FullFolder(); }

bool TViewFileDlg::UsesPatternList() const { return m_lists->UsesPatternList(); }

QRect TViewFileDlg::PreviewRect() const { return m_preview ? m_preview->Box() : QRect(); }

TPreviewDib* TViewFileDlg::Preview() const { return m_preview ? &m_preview->Preview() : nullptr; }

TViewWindow* TViewFileDlg::ViewWindow() const { return m_viewer ? m_viewer->Window() : nullptr; }

bool TViewFileDlg::CloseViewWindow() { return !m_viewer || m_viewer->Close(); }
