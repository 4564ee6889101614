#include "browser/MyListBox.h"

#include <QKeyEvent>

void TMyListBox::KeyHandled(const QKeyEvent& event)
{
    if (event.key() != Qt::Key_Space)
        return;
    const int caret = GetCaretIndex();
    if (caret >= 0 && caret + 1 < GetCount())
        SetCaretIndex(caret + 1);
}
