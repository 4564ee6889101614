#include "browser/BrowserRequests.h"

#include "browser/BrowserLists.h"
#include "browser/BrowserOptions.h"
#include "browser/BrowserPreview.h"
#include "browser/FileOperations.h"
#include "browser/ViewerLink.h"
#include "platform/ProcessFlags.h"
#include "resources/BrowserIds.h"
#include "resources/ViewIds.h"
#include "settings/ViewSettings.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Edit.h"
#include "ui/ListBox.h"
#include "view/ViewWindow.h"


int ModeCommand(bool selectedMode, bool shiftForSelected, int plainCommand, int shiftedCommand)
{
    return selectedMode != shiftForSelected ? plainCommand : shiftedCommand;
}

TBrowserRequests::TBrowserRequests(TWindow& browser, const TBrowserFiles& files,
    TViewerLink& viewer, TBrowserPreview& preview, TBrowserLists& lists, TBrowserFileOps& fileOps,
    TBrowserOptions& options)
    : m_browser(browser)
    , m_files(files)
    , m_viewer(viewer)
    , m_preview(preview)
    , m_lists(lists)
    , m_fileOps(fileOps)
    , m_options(options)
{
}

TBrowserRequests::TAgain TBrowserRequests::Repost(int command) const
{
    return [this, command] { m_browser.PostCommand(command); };
}

bool TBrowserRequests::WaitForPreview(const TAgain& again)
{
    TProcessFlags& flags = ProcessFlags();
    if (!flags.previewBusy)
        return false;
    flags.previewAbort = true;
    again();
    return true;
}

bool TBrowserRequests::WaitForViewer(const TAgain& again)
{
    if (!m_viewer.Loading())
        return false;
    ProcessFlags().loadAbort = true;
    again();
    return true;
}

bool TBrowserRequests::WaitForViewerClosed(const TAgain& again)
{
    if (WaitForViewer(again))
        return true;
    // A viewing window that finishes a save first closes after it.
    if (m_viewer.Close())
        return false;
    again();
    return true;
}

void TBrowserRequests::Show(bool selectedMode)
{
    if (m_lists.FieldModified())
        return m_lists.ApplyTypedText();
    if (m_files.fileList->GetCount() == 0)
        return;
    m_preview.StopAnimation();
    const TAgain again
        = Repost(ModeCommand(selectedMode, Settings().ShiftForSelected, CmShow, CmShowSelected));
    if (WaitForPreview(again))
        return;
    if (!m_viewer.Window())
        m_viewer.Open(m_files);
    else if (WaitForViewer(again))
        return;
    m_viewer.Window()->PostCommand(selectedMode ? CmShowSelectedFiles : CmShowFromCursor);
}

void TBrowserRequests::Delete(bool selectedMode)
{
    const TAgain again = Repost(
        ModeCommand(selectedMode, Settings().ShiftForSelected, CmDelete, CmDeleteSelected));
    if (WaitForViewerClosed(again))
        return;
    m_preview.StopAnimation();
    if (WaitForPreview(again))
        return;
    m_fileOps.Delete(selectedMode);
}

void TBrowserRequests::Copy(bool selectedMode) { m_fileOps.Copy(selectedMode); }

void TBrowserRequests::Options()
{
    const TAgain again = Repost(CmOptions);
    if (WaitForViewerClosed(again))
        return;
    m_preview.StopAnimation();
    if (WaitForPreview(again))
        return;
    m_options.Run();
}

void TBrowserRequests::Exit()
{
    m_preview.StopAnimation();
    const TAgain again = Repost(CmExit);
    if (WaitForPreview(again) || WaitForViewerClosed(again))
        return;
    // The main frame decides whether it may close.
    if (auto* frame = dynamic_cast<TWindow*>(m_browser.window()); frame && frame != &m_browser)
        frame->CloseWindow();
}

void TBrowserRequests::EnterFolder()
{
    const TAgain again = [this] { m_browser.PostNotify(IdFolderList, TNotify::DblClk); };
    if (WaitForPreview(again) || WaitForViewer(again))
        return;
    m_lists.EnterCaretFolder();
}

void TBrowserRequests::Enter(QWidget* focused)
{
    if (focused && focused == m_browser.Control(IdFolderList)->Widget()) {
        if (!m_lists.CaretOnCurrentFolder())
            return EnterFolder();
    } else if (auto* combo = dynamic_cast<TComboBox*>(focused); combo && combo->GetDroppedState()) {
        return combo->ChooseDroppedEntry();
    } else if (auto* button = dynamic_cast<TButton*>(focused);
               button && button->Id() != IdShowButton) {
        return m_browser.PostCommand(button->Id());
    }
    Show(!Settings().ShiftForSelected);
}

void TBrowserRequests::DeleteKey(QWidget* focused)
{
    if (auto* field = dynamic_cast<TEdit*>(focused)) {
        field->del();
        return;
    }
    Delete(!Settings().ShiftForSelected);
}
