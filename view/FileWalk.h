#pragma once

#include "view/BrowserFiles.h"

#include <string>

// Which of the browser's files the viewing window shows: an index into the browser's live file
// list, over all its files or over the selected ones only. The list, the drive and the folder
// are read afresh each time, so a change of folder in the browser takes effect at the next
// file.
class TFileWalk {
public:
    void SetFiles(const TBrowserFiles& files) { m_files = files; }
    bool HasList() const { return m_files.fileList != nullptr; }

    int Index() const { return m_index; }
    bool SelectedOnly() const { return m_selectedOnly; }

    // Starts at the list's caret; over the selected files only, when any is selected, at the
    // first selected one from the caret on, wrapping from the last to the first.
    void StartAtCaret(bool selectedOnly);
    // Puts the list's caret on the current file.
    void MoveCaret() const;
    // drive + folder + the current item's text; empty when the list has no such item.
    std::string CurrentPath() const;

private:
    TBrowserFiles m_files;
    bool m_selectedOnly = false;
    int m_index = 0;
};
