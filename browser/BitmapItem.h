#pragma once

#include "ui/Control.h"

class QFontMetrics;

// Items of the folder list and the drive list: a bitmap and a text on one line.

// Their height: the font's character height, and at least the bitmaps' 16 pixels, so that
// the bitmaps of neighbouring items never overlap.
int BitmapItemHeight(const QFontMetrics& metrics);

// Fills the item with the background and draws its text opaque, in the highlight colours
// when it is selected, the bitmap with its pure blue transparent, and the focus rectangle
// around the item that has the focus. Offsets are from the item's left edge; nothing is
// drawn for an empty list.
void DrawBitmapItem(const TDrawItem& item, int bitmapId, int bitmapLeft, int textLeft);
