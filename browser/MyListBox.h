#pragma once

#include "ui/ListBox.h"

// The file list with the alternate file selection: after the list has handled a Space, the
// caret moves one item down (unless it is on the last), so that in a multiple-selection list
// repeated presses toggle one file after another.
class TMyListBox : public TListBox {
public:
    using TListBox::TListBox;

protected:
    void KeyHandled(const QKeyEvent& event) override;
};
