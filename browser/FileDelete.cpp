#include "browser/FileDelete.h"

#include "browser/FileRun.h"
#include "browser/ViewYesNoAllDlg.h"
#include "platform/FileSystem.h"
#include "platform/Format.h"
#include "platform/ProcessFlags.h"
#include "platform/Product.h"
#include "platform/Trash.h"
#include "resources/BrowserIds.h"
#include "settings/ViewSettings.h"
#include "ui/ListBox.h"
#include "ui/ModalService.h"

#include <algorithm>
#include <cstdlib>

TCaretFallbacks CaretFallbacks(const std::vector<bool>& selected, int caret)
{
    const int count = int(selected.size());
    // The first item at or after the caret in the given state, else the last before it, else 0.
    const auto nearest = [&](bool state) {
        for (int i = std::max(caret, 0); i < count; ++i) {
            if (selected[size_t(i)] == state)
                return i;
        }
        for (int i = std::min(caret, count) - 1; i >= 0; --i) {
            if (selected[size_t(i)] == state)
                return i;
        }
        return 0;
    };
    const int a = nearest(true);
    int b;
    if (std::ranges::find(selected, false) != selected.end())
        b = nearest(false);
    else
        b = caret < a ? a + 1 : a - 1;
    if (b < 0 || b >= count)
        return { a, -1 };
    if (std::abs(b - caret) <= std::abs(a - caret))
        return { b, a };
    return { a, b };
}

TFileDelete::TFileDelete(TWindow& browser, TListBox& files, const std::string& fullFolder)
    : m_browser(browser)
    , m_files(files)
    , m_fullFolder(fullFolder)
{
}

void TFileDelete::Delete(bool selectedMode)
{
    if (m_files.GetCount() == 0)
        return;
    const int selectedCount = m_files.GetSelCount();
    if (selectedCount == 0)
        selectedMode = false;
    if (Settings().ConfirmOn) {
        const std::string question = selectedMode
            ? Format("Delete %d selected files?", selectedCount)
            : Format("Delete file  '%s'?",
                m_files.GetString(std::max(m_files.GetCaretIndex(), 0)).c_str());
        if (MessageBox(&m_browser, question, ProductCaption("confirmation"), TMsgIcon::Question,
                TMsgButtons::YesNo)
            != kIdYes) {
            m_browser.PostCommand(CmRefreshPreview);
            return;
        }
    }
    {
        TFileRun run(m_browser, "Deleting file(s) ...");
        m_files.SetRedraw(false);
        if (selectedMode)
            DeleteSelected(run);
        else
            DeleteAtCaret(run);
        m_files.SetRedraw(true);
    }
    m_browser.PostCommand(CmRefreshPreview);
    m_files.setFocus();
}

void TFileDelete::DeleteAtCaret(TFileRun& run)
{
    const int index = std::max(m_files.GetCaretIndex(), 0);
    if (!DeleteOne(index, false, run))
        return;
    m_files.DeleteString(index);
    if (m_files.GetCount() > 0)
        m_files.SetCaretIndex(std::min(index, m_files.GetCount() - 1));
}

void TFileDelete::DeleteSelected(TFileRun& run)
{
    const int count = m_files.GetCount();
    const int caret = std::max(m_files.GetCaretIndex(), 0);
    std::vector<bool> selected(size_t(count), false);
    for (int i = 0; i < count; ++i)
        selected[size_t(i)] = m_files.GetSel(i);
    const TCaretFallbacks fallbacks = CaretFallbacks(selected, caret);
    std::vector<std::string> caretNames
        = { m_files.GetString(caret), m_files.GetString(fallbacks.first) };
    if (fallbacks.second >= 0)
        caretNames.push_back(m_files.GetString(fallbacks.second));

    // Each selected item is taken once, in list order. Nothing else changes the list during
    // the run, and it is not redrawn meanwhile, so the items of the files gone leave it
    // together at the end: one by one, the list would be laid out again after every file.
    m_yesToAll = false;
    std::vector<int> gone;
    for (int index = 0; index < count; ++index) {
        if (!selected[size_t(index)])
            continue;
        if (!run.GoOn())
            break;
        if (DeleteOne(index, true, run))
            gone.push_back(index);
    }
    if (gone.empty())
        return;
    for (auto index = gone.rbegin(); index != gone.rend(); ++index)
        m_files.DeleteString(*index);
    int found = -1;
    for (const std::string& name : caretNames) {
        for (int i = 0; i < m_files.GetCount() && found < 0; ++i) {
            if (m_files.GetString(i) == name)
                found = i;
        }
        if (found >= 0)
            break;
    }
    m_files.SetCaretIndex(std::max(found, 0));
}

bool TFileDelete::DeleteOne(int index, bool askWithDialog, TFileRun& run)
{
    const std::string name = m_files.GetString(index);
    const std::string path = m_fullFolder + name;
    run.Show(Format("deleting file  '%s'  ...", name.c_str()));
    // A file gone since it was listed loses its item without a word; so does a name that a
    // folder has taken meanwhile, which is never deleted in the file's stead.
    const auto attributes = FileSystem().Attributes(path);
    if (!attributes || (*attributes & kAttrDirectory) != 0)
        return true;
    const bool readOnly = (*attributes & kAttrReadOnly) != 0;
    if (readOnly) {
        const std::string question
            = Format("File  '%s'  is marked read-only, delete anyway?", name.c_str());
        const bool yes = askWithDialog
            ? AskYesNoAll(m_browser, question, "Delete read-only confirmation", m_yesToAll)
            : MessageBox(&m_browser, question, ProductCaption("confirmation"), TMsgIcon::Question,
                  TMsgButtons::YesNo)
                == kIdYes;
        if (!yes)
            return false;
        const TFileResult writable = FileSystem().SetReadOnly(path, false);
        if (writable != TFileResult::Done)
            return GoneAfterFailure(writable, name);
    }
    if (Remove(path, name, readOnly))
        return true;
    // A file that stays keeps its read-only mark.
    if (readOnly)
        FileSystem().SetReadOnly(path, true);
    return false;
}

bool TFileDelete::Remove(const std::string& path, const std::string& name, bool wasReadOnly)
{
    if (ProcessFlags().newShell) {
        const auto native = FileSystem().NativePath(path);
        if (native && MoveToTrash(*native, wasReadOnly)) {
            if (!FileSystem().Attributes(path))
                return true;
            MessageBox(&m_browser, path, ProductCaption("file not deleted"), TMsgIcon::Exclamation);
            return false;
        }
        // No trash takes it: the file is removed directly.
    }
    const TFileResult removed = FileSystem().RemoveFile(path);
    return removed == TFileResult::Done || GoneAfterFailure(removed, name);
}

bool TFileDelete::GoneAfterFailure(TFileResult result, const std::string& name)
{
    if (result == TFileResult::AccessDenied)
        MessageBox(&m_browser, Format("Permission denied for file  '%s'", name.c_str()),
            ProductCaption("file not deleted"), TMsgIcon::Exclamation);
    return result == TFileResult::Gone;
}
