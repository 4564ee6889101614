#include "view/FileWalk.h"

#include "ui/ListBox.h"

#include <algorithm>

void TFileWalk::StartAtCaret(bool selectedOnly)
{
    m_selectedOnly = selectedOnly;
    if (!m_files.fileList)
        return;
    const TListBox& list = *m_files.fileList;
    const int count = list.GetCount();
    m_index = std::max(list.GetCaretIndex(), 0);
    if (selectedOnly && list.GetSelCount() > 0) {
        for (int step = 0; step < count && !list.GetSel(m_index); ++step)
            m_index = (m_index + 1) % count;
    }
}

void TFileWalk::MoveCaret() const
{
    if (m_files.fileList)
        m_files.fileList->SetCaretIndex(m_index);
}

std::string TFileWalk::CurrentPath() const
{
    if (!m_files.fileList || m_index < 0 || m_index >= m_files.fileList->GetCount())
        return {};
    const std::string drive = m_files.drive ? *m_files.drive : std::string();
    const std::string folder = m_files.folder ? *m_files.folder : std::string();
    return drive + folder + m_files.fileList->GetString(m_index);
}
