#pragma once

#include "preview/PreviewDib.h"

#include <string>
#include <vector>

// The preview information list of the image information dialog: the box, the thumbnail's size,
// counters and offsets, and for a GIF file those of its logical screen.
std::vector<std::string> PreviewInformationLines(const TPreviewDib& preview);

// What the image information dialog shows of the file the preview decoded last.
struct TImageInformation {
    std::string fileName; // the browser's folder followed by the file's own name
    std::string fileType; // "PCX" ... "TGA", or "Unknown"
    std::vector<std::string> imageLines; // the file's header fields; none for "Unknown"
    std::vector<std::string> previewLines;
};

// The record may hold a name with its folders (as the program hands native paths to the
// readers): only the file's own name follows the folder.
TImageInformation ImageInformationOf(const TPreviewDib& preview, const std::string& folder);
