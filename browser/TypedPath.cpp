#include "browser/TypedPath.h"

#include "browser/FolderSearch.h"
#include "platform/CasePolicy.h"
#include "platform/FileSystem.h"
#include "platform/SplitText.h"

#include <vector>

namespace {

using enum TTypedPathResult;

// Resolves "." and ".." in a folder path that starts with a backslash. Only whole components
// are dots: "a..b", "..b" and "a.\" are refused, as is climbing above the root. A final "."
// stays: it is the name part, and names nothing.
bool ResolveDots(std::string& folder)
{
    const std::vector<std::string_view> parts = SplitText(folder, '\\');
    std::vector<std::string_view> kept;
    for (size_t i = 1; i < parts.size(); ++i) {
        const std::string_view part = parts[i];
        const bool last = i + 1 == parts.size();
        if (part == "..") {
            if (kept.empty())
                return false;
            kept.pop_back();
            if (last)
                kept.push_back("");
            continue;
        }
        if (part == "." && !last)
            continue;
        if (part != "." && (part.find("..") != part.npos || (!last && part.ends_with('.'))))
            return false;
        kept.push_back(part);
    }
    std::string resolved;
    for (std::string_view part : kept) {
        resolved += '\\';
        resolved += part;
    }
    folder = resolved.empty() ? "\\" : resolved;
    return true;
}

} // namespace

TTypedPathResult ParseTypedPath(
    std::string_view typed, const TFolderQueries& folders, TTypedPath& parsed)
{
    parsed = TTypedPath();
    const std::string text = FoldNameCase(typed);
    std::string base;
    std::string_view rest = text;
    const size_t colon = text.find(':');
    if (colon == std::string::npos) {
        base = folders.CurrentFolder();
    } else {
        if (colon != 1 || text.find(':', colon + 1) != std::string::npos)
            return InvalidName;
        const std::optional<std::string> driveFolder = folders.DriveFolder(LowerAscii(text[0]));
        if (!driveFolder)
            return DriveNotReady;
        base = *driveFolder;
        parsed.driveGiven = true;
        rest.remove_prefix(2);
    }
    if (base.size() < 2)
        return InvalidFolder;
    if (!base.ends_with('\\'))
        base += '\\';
    parsed.drive = { LowerAscii(base[0]), ':' };
    const std::string baseFolder = base.substr(2);

    // The folder part, and what follows it (N).
    std::string folder = baseFolder;
    std::string nameRest;
    if (rest.empty() || (rest.find('\\') == rest.npos && rest != "." && rest != "..")) {
        nameRest = rest;
    } else {
        if (rest == "." || rest == "..") {
            folder = baseFolder + std::string(rest) + "\\";
        } else {
            if (rest.find("\\\\") != rest.npos)
                return InvalidName;
            folder = rest.starts_with('\\') ? std::string(rest) : baseFolder + std::string(rest);
        }
        if (!ResolveDots(folder))
            return InvalidName;
        if (folder.find_first_of("*?.") == std::string::npos && !folder.ends_with('\\')
            && folders.FolderExists(parsed.drive, folder + "\\"))
            folder += '\\';
        const size_t lastSeparator = folder.rfind('\\');
        nameRest = folder.substr(lastSeparator + 1);
        folder.resize(lastSeparator + 1);
        if (!folders.FolderExists(parsed.drive, folder))
            return InvalidFolder;
        parsed.folderGiven = true;
    }
    parsed.folder = folder;

    std::string_view name = nameRest;
    if (name.empty() || name.starts_with('.')) {
        parsed.name = "*";
    } else {
        const size_t dot = name.find('.');
        parsed.name = std::string(name.substr(0, dot));
        parsed.nameGiven = true;
        name = dot == name.npos ? std::string_view() : name.substr(dot);
    }
    if (name.size() < 2 || !name.starts_with('.')) {
        parsed.extension = ".*";
    } else {
        if (name.find('.', 1) != name.npos)
            return InvalidName;
        parsed.extension = std::string(name);
        parsed.extensionGiven = true;
    }
    parsed.path = parsed.drive + parsed.folder + parsed.name + parsed.extension;
    return Valid;
}

std::string TFileSystemFolders::CurrentFolder() const { return FileSystem().CurrentFolder(); }

std::optional<std::string> TFileSystemFolders::DriveFolder(char letter) const
{
    return FileSystem().DriveFolder(letter);
}

bool TFileSystemFolders::FolderExists(const std::string& drive, const std::string& folder) const
{
    return FileSystem().FolderExists(drive + folder);
}

bool TFileSystemFolders::FileExists(const std::string& path, bool showHidden) const
{
    const size_t separator = path.rfind('\\');
    if (separator == std::string::npos)
        return false;
    return !MatchingFiles(path.substr(0, separator + 1), { path.substr(separator + 1) }, showHidden)
                .empty();
}
