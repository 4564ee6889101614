#pragma once

#include <cstdint>

// The layout (0..3) the main window is built with: the one that suits the screen when
// AutoSizeMain is set, else SizeMain.
int32_t ChooseLayout(bool autoSizeMain, int32_t sizeMain, int32_t screenWidth);

// The browser template for a layout: without AltFileSel the smallest layout has a
// multiple-selection file list and the larger ones an extended-selection list; AltFileSel
// swaps the two kinds.
int BrowserTemplateFor(int32_t layout, bool altFileSel);
