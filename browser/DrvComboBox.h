#pragma once

#include "ui/ComboBox.h"

#include <cstdint>

// The drive list: one item "drive c:" for each present drive, its data the drive number (low
// 16 bits, 0 for a:) and the bitmap of its type (high 16 bits: 400 + the drive type, an
// unknown type shown as removable). It remembers the item of the drive in use, the last
// good index, which a refused choice selects again.
class TDrvComboBox : public TComboBox {
public:
    TDrvComboBox(TWindow* parent, int id);

    // Adds the drives of the file system model as last read (callers read the drive table
    // first, and empty the list first when refilling) and selects the given letter's item,
    // which becomes the last good index. Returns the mask of the drives listed.
    uint32_t Fill(char letter);
    int LastGoodIndex() const { return m_lastGood; }
    void SetLastGoodIndex(int index) { m_lastGood = index; }
    // The letter of the selected item, or 0 when none is selected.
    char SelectedLetter() const;
    int IndexOfLetter(char letter) const;

    // The drives present when the browser's drive list was last filled (bit 0 for a:). The
    // copy's destination dialog fills a list of its own without changing it, so that the
    // browser still sees a drive that came meanwhile as new.
    static uint32_t& KnownDrives();

protected:
    int MeasureItemHeight() const override;
    void DrawItem(TDrawItem& item) override;

private:
    int m_lastGood = -1;
};

// The drive to use after a volume change: the current one while it stays; when a removal
// took it away (or no drive was in use), a: or b: if only those are left, else the lowest
// drive from c: on; 0 when no drive is left. Between two readings of the table drives may
// both come and go.
char DriveAfterVolumeChange(
    bool removal, uint32_t knownDrives, uint32_t presentDrives, char current);

// The Retry and Cancel question about a drive that cannot be read; true for Retry.
bool AskRetryDrive(QWidget* parent, char letter);
