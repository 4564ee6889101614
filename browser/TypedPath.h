#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the typed-path parser asks of the file system.
class TFolderQueries {
public:
    virtual ~TFolderQueries() = default;
    // The process's current folder with its drive, for example "c:\images".
    virtual std::string CurrentFolder() const = 0;
    // The drive's current folder ("d:\dcim"), or none when the drive cannot be made
    // current.
    virtual std::optional<std::string> DriveFolder(char letter) const = 0;
    // Whether the drive ("c:") and folder ("\images\new\") name a folder that can be
    // entered.
    virtual bool FolderExists(const std::string& drive, const std::string& folder) const = 0;
    // Whether a file the folder's listing shows matches the path ("c:\images\photo.gif").
    virtual bool FileExists(const std::string& path, bool showHidden) const = 0;
};

enum class TTypedPathResult {
    Valid = 0,
    InvalidName = 1,
    InvalidFolder = 2,
    DriveNotReady = 3,
};

// The parts of a typed path. A part the text did not give holds its default: the base
// drive and folder, the name "*", the extension ".*".
struct TTypedPath {
    std::string drive; // "c:"
    std::string folder; // "\images\", with leading and trailing backslash
    std::string name; // "photo" or "*"
    std::string extension; // ".gif" or ".*"
    std::string path; // drive + folder + name + extension
    bool driveGiven = false;
    bool folderGiven = false;
    bool nameGiven = false;
    bool extensionGiven = false;
};

// Splits text typed into the file name field ("photo.gif", "\images\new", "d:..", "*.jpg")
// into drive, folder, name and extension against the current folders, resolving "." and
// ".." components and testing that a folder named by the text exists. The text is taken as
// the case policy leaves it.
TTypedPathResult ParseTypedPath(
    std::string_view text, const TFolderQueries& folders, TTypedPath& parsed);

// The parser's questions answered by the process's file system model.
class TFileSystemFolders : public TFolderQueries {
public:
    std::string CurrentFolder() const override;
    std::optional<std::string> DriveFolder(char letter) const override;
    bool FolderExists(const std::string& drive, const std::string& folder) const override;
    bool FileExists(const std::string& path, bool showHidden) const override;
};
