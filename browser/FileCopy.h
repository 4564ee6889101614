#pragma once

#include <string>

class TFileRun;
class TListBox;
class TWindow;

// Copying the file under the cursor or, in selected mode, the selected files into a folder
// the user picks in the destination dialog, which offers the folder of the last confirmed copy
// (at first the browsed folder). It asks before overwriting (whatever ConfirmOn says; in
// selected mode with Yes to All), never overwrites a read-only file, and reports each file
// that could not be copied. The file list does not change.
class TFileCopy {
public:
    TFileCopy(TWindow& browser, TListBox& files, const std::string& fullFolder);

    void Copy(bool selectedMode);

    // The folder of the last confirmed copy; empty until the first.
    const std::string& Destination() const { return m_destination; }

private:
    void CopyOne(int index, bool askWithDialog, TFileRun& run);

    TWindow& m_browser;
    TListBox& m_files;
    const std::string& m_fullFolder;
    std::string m_destination;
    bool m_yesToAll = false;
};
