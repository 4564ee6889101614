#include "view/FileWalk.h"

#include "platform/FileSystem.h"
#include "ui/ListBox.h"

#include <algorithm>

int StepIndex(int index, int count, int step, const std::function<bool(int)>& accept)
{
    if (count <= 0)
        return -1;
    // Past the end, forwards is as from the last item and backwards as from one beyond it.
    const int from = std::clamp(index, 0, step > 0 ? count - 1 : count);
    for (int taken = 1; taken <= count; ++taken) {
        const int candidate = ((from + step * taken) % count + count) % count;
        if (!accept || accept(candidate))
            return candidate;
    }
    return std::min(from, count - 1);
}

int TFileWalk::Count() const { return m_files.fileList ? m_files.fileList->GetCount() : 0; }

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

void TFileWalk::Step(int step)
{
    if (!m_files.fileList)
        return;
    const TListBox& list = *m_files.fileList;
    std::function<bool(int)> selected;
    if (m_selectedOnly && list.GetSelCount() >= 2)
        selected = [&list](int index) { return list.GetSel(index); };
    m_index = std::max(StepIndex(m_index, list.GetCount(), step, selected), 0);
}

void TFileWalk::ToggleSelection() const
{
    if (!m_selectedOnly && InList())
        m_files.fileList->SetSel(m_index, !m_files.fileList->GetSel(m_index));
}

void TFileWalk::HoldInList() { m_index = std::clamp(m_index, 0, std::max(Count() - 1, 0)); }

void TFileWalk::MoveCaret() const
{
    if (m_files.fileList)
        m_files.fileList->SetCaretIndex(m_index);
}

std::string TFileWalk::CurrentPath() const
{
    if (!InList())
        return {};
    const std::string drive = m_files.drive ? *m_files.drive : std::string();
    const std::string folder = m_files.folder ? *m_files.folder : std::string();
    return FileSystem()
        .NativePath(drive + folder + m_files.fileList->GetString(m_index))
        .value_or(std::string());
}
