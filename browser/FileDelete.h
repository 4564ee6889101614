#pragma once

#include <string>
#include <vector>

enum class TFileResult;
class TFileRun;
class TListBox;
class TWindow;

// Where the caret may go once the selected files are deleted, should its own item be gone:
// two items near the old caret, by index (-1: none). A is the selected item nearest the caret
// (the first at or after it, else the last before it, else item 0); B an unselected one (the
// first at or after the caret, else the last before it, else item 0; with every item selected,
// the item after A when the caret lies before A, else the one before A). The first is the
// nearer of the two to the caret (B on a tie), the second the other.
struct TCaretFallbacks {
    int first = -1;
    int second = -1;
};
TCaretFallbacks CaretFallbacks(const std::vector<bool>& selected, int caret);

// Deleting the file under the cursor or, in selected mode, the selected files: the
// confirmation (ConfirmOn), the question for a read-only file (always asked; in selected mode
// with Yes to All), then the file goes to the desktop's trash, or is removed directly where no
// trash takes it. Each file deleted, or found gone, loses its item; the folder is not listed
// again, and the items of files that stay keep their selection. The browser has closed the
// viewing window and stopped the preview first.
class TFileDelete {
public:
    TFileDelete(TWindow& browser, TListBox& files, const std::string& fullFolder);

    void Delete(bool selectedMode);

private:
    void DeleteAtCaret(TFileRun& run);
    void DeleteSelected(TFileRun& run);
    // Deletes the item's file, asking about a read-only one in a message box or, with
    // askWithDialog, the question with Yes to All. True when the file is gone, so its item
    // is to go.
    bool DeleteOne(int index, bool askWithDialog, TFileRun& run);
    // Removes the file at the path: to the trash, or directly. True when it is gone.
    bool Remove(const std::string& path, const std::string& name, bool wasReadOnly);
    // A change to the file that did not succeed: true when the file is gone anyway (its item
    // goes); access denied is reported; any other failure keeps the file without a word.
    bool GoneAfterFailure(TFileResult result, const std::string& name);

    TWindow& m_browser;
    TListBox& m_files;
    const std::string& m_fullFolder;
    bool m_yesToAll = false;
};
