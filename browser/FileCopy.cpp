#include "browser/FileCopy.h"

#include "browser/FileRun.h"
#include "browser/ViewGetDirDlg.h"
#include "browser/ViewYesNoAllDlg.h"
#include "platform/CasePolicy.h"
#include "platform/FileCopy.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/Product.h"
#include "settings/ViewSettings.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"

#include <algorithm>

TFileCopy::TFileCopy(TWindow& browser, TListBox& files, const std::string& fullFolder)
    : m_browser(browser)
    , m_files(files)
    , m_fullFolder(fullFolder)
{
}

void TFileCopy::Copy(bool selectedMode)
{
    if (m_files.GetCount() == 0)
        return;
    if (m_files.GetSelCount() == 0)
        selectedMode = false;
    if (m_destination.empty())
        m_destination = FoldNameCase(m_fullFolder);
    TViewGetDirDlg destination(&m_browser, m_destination);
    if (destination.Execute() != kIdOk) {
        m_files.setFocus();
        return;
    }
    const std::string& target = destination.Folder();
    const int caret = std::max(m_files.GetCaretIndex(), 0);
    if (Settings().ConfirmOn) {
        const std::string question = selectedMode
            ? Format("Copy %d selected files to\n%s ?", m_files.GetSelCount(), target.c_str())
            : Format("Copy file  '%s'  to\n%s ?", m_files.GetString(caret).c_str(), target.c_str());
        if (MessageBox(&m_browser, question, ProductCaption("copy confirmation"),
                TMsgIcon::Question, TMsgButtons::YesNo)
            != kIdYes)
            return;
    }
    m_destination = target;
    {
        TFileRun run(m_browser, "Copying file(s) ...");
        if (!selectedMode) {
            CopyOne(caret, false, run);
        } else {
            // The selection is read as it is at each file; each selected item is taken once,
            // in list order.
            m_yesToAll = false;
            for (int index = 0; index < m_files.GetCount(); ++index) {
                if (!m_files.GetSel(index))
                    continue;
                if (!run.GoOn())
                    break;
                CopyOne(index, true, run);
            }
        }
    }
    m_files.setFocus();
}

void TFileCopy::CopyOne(int index, bool askWithDialog, TFileRun& run)
{
    const std::string name = m_files.GetString(index);
    run.Show(Format("copying file  '%s'  ...", name.c_str()));
    const std::string target = m_destination + name;
    if (const auto attributes = FileSystem().Attributes(target)) {
        if ((*attributes & kAttrReadOnly) != 0) {
            MessageBox(&m_browser,
                Format("File  '%s'  exists and is marked read-only", name.c_str()),
                ProductCaption("file not copied"), TMsgIcon::Information);
            return;
        }
        const std::string question = Format("File  '%s'  exists, overwrite?", name.c_str());
        const bool yes = askWithDialog
            ? AskYesNoAll(m_browser, question, {}, m_yesToAll)
            : MessageBox(&m_browser, question, ProductCaption("overwrite confirmation"),
                  TMsgIcon::Question, TMsgButtons::YesNo)
                == kIdYes;
        if (!yes)
            return;
    }
    const auto nativeSource = FileSystem().NativePath(m_fullFolder + name);
    const auto nativeTarget = FileSystem().NativePath(target);
    const TCopyResult result = nativeSource && nativeTarget
        ? CopyFileOver(*nativeSource, *nativeTarget, [&run] { return run.GoOn(); })
        : TCopyResult::Failed;
    if (result == TCopyResult::Failed)
        MessageBox(&m_browser,
            Format("File  '%s'  could not be copied to\nfolder  '%s'", name.c_str(),
                m_destination.c_str()),
            ProductCaption("file not copied"), TMsgIcon::Exclamation);
}
