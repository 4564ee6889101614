#include "browser/DirListBox.h"

#include "browser/BitmapItem.h"
#include "browser/FolderSearch.h"
#include "platform/SplitText.h"
#include "resources/BrowserBitmaps.h"

#include <QScrollBar>

TDirListBox::TDirListBox(TWindow* parent, int id)
    : TListBox(parent, id)
{
}

void TDirListBox::Fill(const std::string& fullFolder, bool showHidden)
{
    SetRedraw(false);
    m_folder = fullFolder.size() > 2 ? fullFolder.substr(2) : "\\";
    if (!m_folder.ends_with('\\'))
        m_folder += '\\';
    ClearList();
    AddString(fullFolder.substr(0, 3));
    for (std::string_view name : SplitText(m_folder, '\\')) {
        if (!name.empty())
            AddString(std::string(name));
    }
    m_current = GetCount() - 1;
    for (int i = 0; i < m_current; ++i)
        SetItemData(i, ItemData(i, kBitmapOpenFolder));
    SetItemData(m_current, ItemData(m_current, kBitmapCurrentFolder));

    AddStrings(Subfolders(fullFolder, showHidden));
    for (int i = m_current + 1; i < GetCount(); ++i)
        SetItemData(i, ItemData(m_current + 1, kBitmapClosedFolder));

    SetSelIndex(m_current);
    if (GetCount() * ItemHeight() > viewport()->height())
        SetTopIndex(std::max(m_current - 1, 0));
    SetRedraw(true);
    repaint();
}

std::string TDirListBox::ItemPath(int index) const
{
    if (index < 0 || index >= GetCount())
        return {};
    std::string subfolder;
    if (BitmapId(GetItemData(index)) == kBitmapClosedFolder) {
        subfolder = GetString(index);
        index = m_current;
    }
    std::string path = GetString(0);
    // The root's text ends with its backslash; every later component is joined by one.
    for (int i = 1; i <= index; ++i) {
        if (i > 1)
            path += '\\';
        path += GetString(i);
    }
    if (!subfolder.empty()) {
        if (index > 0)
            path += '\\';
        path += subfolder;
    }
    return path;
}

std::string TDirListBox::CaretFolder() const
{
    std::string path = ItemPath();
    if (!path.ends_with('\\'))
        path += '\\';
    return path;
}

int TDirListBox::MeasureItemHeight() const { return BitmapItemHeight(fontMetrics()); }

void TDirListBox::DrawItem(TDrawItem& item)
{
    const int indent = 8 + 4 * Depth(item.data);
    DrawBitmapItem(item, BitmapId(item.data), indent, indent + kBrowserBitmapSize + 4);
}
