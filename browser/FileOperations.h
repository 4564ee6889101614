#pragma once

#include <string>

class TListBox;
class TWindow;

// Deleting and copying the browser's files: the file under the cursor, or in selected mode
// the selected files (the file under the cursor when none is selected). The browser has
// stopped the preview and closed the viewing window before a delete; a copy waits for
// nothing. Neither is built yet: both leave the files and the list as they are.
class TBrowserFileOps {
public:
    TBrowserFileOps(TWindow& browser, TListBox& files, const std::string& fullFolder);

    void Delete(bool selectedMode);
    void Copy(bool selectedMode);

    // The folder of the last copy; empty until the first.
    const std::string& CopyDestination() const { return m_copyDestination; }

private:
    TWindow& m_browser;
    TListBox& m_files;
    const std::string& m_fullFolder;
    std::string m_copyDestination;
};
