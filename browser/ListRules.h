#pragma once

#include <string>
#include <string_view>

// The folder label's text for a full folder ("c:\photos\holiday\summer\beach\"): the folder
// itself up to 20 characters; a longer one keeps its drive root, then "...\", then as many
// of its last folders as fit in 13 characters, and at least the last one
// ("c:\...\summer\beach\").
std::string ShortFolderLabel(std::string_view fullFolder);

// The destination folder dialog's label for its folder: the folder itself up to 20
// characters; a longer one keeps its drive root, then "...\", then what is left once its
// first folders are dropped one by one while 14 or more characters remain, which may drop
// the last one too ("c:\...\").
std::string DestinationFolderLabel(std::string_view folder);

// The file list's column width for an average character width and a list width in pixels:
// from 12.5 characters up, the first width that leaves at most half a character unused at
// the list's right edge. A list narrower than 12.5 characters gets that minimum.
int FileColumnWidth(int averageCharWidth, int listWidth);
