#pragma once

#include <string>
#include <vector>

// The directory searches of the browser's lists, over the process's file system model.
// Folders are browser paths ending with a backslash ("c:\images\").

// The files of the folder that match any of the patterns, each file once, in the folder's
// order: plain, read-only and archive files, hidden ones only when showHidden is set. An
// unreadable folder has none.
std::vector<std::string> MatchingFiles(
    const std::string& folder, const std::vector<std::string>& patterns, bool showHidden);

// The subfolders of the folder in the lists' order (NameLess), leaving out "." and "..";
// hidden ones (dot folders) only when showHidden is set.
std::vector<std::string> Subfolders(const std::string& folder, bool showHidden);

// The folder the browser starts in, made current: the stored one (LastPath, empty when not
// kept) when its drive can be made current, else that drive's current folder when the stored
// folder cannot be entered; the process's current folder when nothing usable was stored.
std::string StartFolder(const std::string& lastPath);
