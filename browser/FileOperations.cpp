#include "browser/FileOperations.h"

TBrowserFileOps::TBrowserFileOps(TWindow& browser, TListBox& files, const std::string& fullFolder)
    : m_browser(browser)
    , m_files(files)
    , m_fullFolder(fullFolder)
{
}

void TBrowserFileOps::Delete(bool) { }

void TBrowserFileOps::Copy(bool) { }
