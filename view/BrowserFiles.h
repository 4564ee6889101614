#pragma once

#include <string>

class TListBox;

// What the file browser hands the viewing window: its live file list (bare file names, the
// caret, the selection) and its current drive and folder texts. The viewing window reads
// them at each load and moves the list's caret as it shows files; it never copies the list.
// The path of item i is drive + folder + the item's text.
struct TBrowserFiles {
    TListBox* fileList = nullptr;
    const std::string* drive = nullptr;
    const std::string* folder = nullptr;
};
