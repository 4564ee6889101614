#pragma once

#include "view/BrowserFiles.h"

#include <functional>
#include <string>

// The index one step from index leads to in a list of count items, forwards (step 1) or
// backwards (step -1), wrapping at both ends; with accept, the first item on the way that it
// accepts, or index itself when it accepts none. An index beyond the list (the list has
// shrunk) steps forwards to the first item and backwards to the last. -1 for an empty list.
int StepIndex(int index, int count, int step, const std::function<bool(int)>& accept = {});

// Which of the browser's files the viewing window shows: an index into the browser's live file
// list, over all its files or over the selected ones only. The list, the drive and the folder
// are read afresh each time, so a change of folder in the browser takes effect at the next
// file.
class TFileWalk {
public:
    void SetFiles(const TBrowserFiles& files) { m_files = files; }
    bool HasList() const { return m_files.fileList != nullptr; }
    // The files listed now; 0 without a list.
    int Count() const;

    int Index() const { return m_index; }
    bool SelectedOnly() const { return m_selectedOnly; }

    // Starts at the list's caret; over the selected files only, when any is selected, at the
    // first selected one from the caret on, wrapping from the last to the first.
    void StartAtCaret(bool selectedOnly);
    // One file on (1) or back (-1), wrapping; over the selected files only when the walk is
    // and at least two are selected, so that one selected file does not hold the walk.
    void Step(int step);
    // Inverts the selection of the current file, unless the walk is over selected files only.
    void ToggleSelection() const;
    // Brings an index the list no longer reaches back to its last file.
    void HoldInList();
    // Puts the list's caret on the current file.
    void MoveCaret() const;
    // The native path of drive + folder + the current item's text; empty when the list has
    // no such item or the path names no file of this system (its drive has gone).
    std::string CurrentPath() const;

private:
    bool InList() const { return m_index >= 0 && m_index < Count(); }

    TBrowserFiles m_files;
    bool m_selectedOnly = false;
    int m_index = 0;
};
