#pragma once

#include "ui/ListBox.h"

#include <string>

// The folder list: the drive's root, each folder down to the current one, then the current
// folder's subfolders. Each item's data holds its depth (low 16 bits, 0 for the root) and
// its bitmap (high 16 bits): an open folder above the current one, the current folder, or a
// closed subfolder. The browser and the copy destination dialog each have one.
class TDirListBox : public TListBox {
public:
    TDirListBox(TWindow* parent, int id);

    // Rebuilds the tree for a full folder ("c:\images\2019\"), listing hidden subfolders only
    // when showHidden is set, and selects the current folder.
    void Fill(const std::string& fullFolder, bool showHidden);
    // The full folder of the caret item, without a trailing backslash except for a root:
    // "c:\images\2019", "c:\images", "c:\". Empty for an empty list.
    std::string ItemPath() const { return ItemPath(GetCaretIndex()); }
    std::string ItemPath(int index) const;
    // The caret item's folder with its trailing backslash, as folders are compared and
    // entered: "c:\images\2019\", "c:\".
    std::string CaretFolder() const;
    // The folder part of the tree shown, with leading and trailing backslash ("\images\").
    const std::string& Folder() const { return m_folder; }
    int CurrentItem() const { return m_current; }

    static uint32_t ItemData(int depth, int bitmapId)
    {
        return uint32_t(depth) | uint32_t(bitmapId) << 16;
    }
    static int Depth(uint32_t data) { return int(data & 0xFFFF); }
    static int BitmapId(uint32_t data) { return int(data >> 16); }

protected:
    int MeasureItemHeight() const override;
    void DrawItem(TDrawItem& item) override;

private:
    std::string m_folder;
    int m_current = -1;
};
