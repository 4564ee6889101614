#pragma once

#include "preview/PreviewDib.h"

#include <string>
#include <vector>

// The preview information list of the image information dialog: the box, the thumbnail's size,
// counters and offsets, and for a GIF file those of its logical screen.
std::vector<std::string> PreviewInformationLines(const TPreviewDib& preview);
