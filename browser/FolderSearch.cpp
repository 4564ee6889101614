#include "browser/FolderSearch.h"

#include "platform/CasePolicy.h"
#include "platform/FileSystem.h"
#include "platform/NameOrder.h"
#include "platform/Wildcard.h"

#include <algorithm>

namespace {

std::vector<TDirEntry> Entries(const std::string& folder)
{
    std::vector<TDirEntry> entries;
    FileSystem().ListFolder(folder, entries);
    return entries;
}

bool Listed(const TDirEntry& entry, bool showHidden)
{
    return showHidden || (entry.attributes & kAttrHidden) == 0;
}

} // namespace

std::vector<std::string> MatchingFiles(
    const std::string& folder, const std::vector<std::string>& patterns, bool showHidden)
{
    std::vector<std::string> files;
    for (TDirEntry& entry : Entries(folder)) {
        if ((entry.attributes & kAttrDirectory) != 0 || !Listed(entry, showHidden))
            continue;
        if (std::ranges::any_of(patterns,
                [&](const std::string& pattern) { return MatchesPattern(entry.name, pattern); }))
            files.push_back(std::move(entry.name));
    }
    return files;
}

std::vector<std::string> Subfolders(const std::string& folder, bool showHidden)
{
    std::vector<std::string> folders;
    for (TDirEntry& entry : Entries(folder)) {
        if ((entry.attributes & kAttrDirectory) != 0 && Listed(entry, showHidden))
            folders.push_back(std::move(entry.name));
    }
    SortNames(folders);
    return folders;
}

std::string StartFolder(const std::string& lastPath)
{
    TFileSystem& fileSystem = FileSystem();
    const std::string last = FoldNameCase(lastPath);
    // A stored folder starts with its drive; anything else is no folder to go back to.
    if (last.size() >= 2 && last[1] == ':') {
        const char previous = fileSystem.CurrentDrive();
        if (fileSystem.MakeDriveCurrent(last[0])) {
            if (fileSystem.ChangeFolder(last))
                return last;
            return fileSystem.DriveFolder(last[0]).value_or(last.substr(0, 2) + "\\");
        }
        fileSystem.MakeDriveCurrent(previous);
    }
    return fileSystem.CurrentFolder();
}
