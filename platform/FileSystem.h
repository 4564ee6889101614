#pragma once

#include "platform/Volumes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Attributes of a directory entry. Read-only: the owner may not write it. Hidden: its name
// starts with a dot. Archive: a regular file. Nothing is a system file here; entries that
// are neither files nor folders (devices, pipes, sockets) are not listed at all.
inline constexpr uint32_t kAttrReadOnly = 0x01;
inline constexpr uint32_t kAttrHidden = 0x02;
inline constexpr uint32_t kAttrSystem = 0x04;
inline constexpr uint32_t kAttrDirectory = 0x10;
inline constexpr uint32_t kAttrArchive = 0x20;

// What a change to a file came to. Gone: nothing of that name is there. Access denied: the
// system refused it (EACCES, EPERM). Failed: anything else.
enum class TFileResult { Done, Gone, AccessDenied, Failed };

struct TDirEntry {
    std::string name;
    uint32_t attributes = 0; // kAttrDirectory or kAttrArchive, with kAttrHidden
};

// The file system as the browser sees it: drive letters over the mounted volumes, a current
// drive, a current folder on each drive, and paths in the browser's form ("c:\images\"; a
// folder path without drive starts at the root of the current drive, one without a leading
// backslash at the current folder). Only this class turns those paths into native ones.
//
// The current drive and folders are the model's own: the process's working directory is
// read once, as the starting place, and never changed, so a relative program path stays
// valid. A native name holding a backslash, or bytes that are not UTF-8 text, cannot be
// written in the browser's form; such entries are not listed.
class TFileSystem {
public:
    // Reads the drive table again (the mount table, or kDrivesVariable); a drive whose volume
    // went away or changed forgets its current folder. Returns the mask of present drives,
    // bit 0 for a:.
    uint32_t ReadDrives();
    uint32_t DriveMask() const;
    // NoRootFolder for a letter without a drive.
    TDriveType DriveType(char letter) const;

    // The current drive's letter, or 0 when there is none.
    char CurrentDrive() const;
    // Fails, changing nothing, for a letter without a drive or a drive that cannot be read.
    bool MakeDriveCurrent(char letter);
    // The drive's current folder as "d:\dcim" ("d:\" at the root), or none when the drive
    // is missing or cannot be read.
    std::optional<std::string> DriveFolder(char letter) const;
    // The current drive's current folder, as DriveFolder gives it; empty without a drive.
    std::string CurrentFolder() const;
    // Makes the folder current, and its drive with it; fails, changing nothing, when the
    // folder does not exist or cannot be listed.
    bool ChangeFolder(std::string_view path);
    // Whether ChangeFolder would succeed.
    bool FolderExists(std::string_view path) const;

    // The native path of a browser path; none when its drive is missing or a name in it
    // holds a native separator.
    std::optional<std::string> NativePath(std::string_view path) const;
    // The browser path of a native one (relative to the working directory when not
    // absolute), on the drive with the longest mount point holding it.
    std::optional<std::string> BrowserPath(std::string_view nativePath) const;

    // The folder's files and subfolders (not "." and ".."), in the order the folder gives
    // them; false when the folder cannot be listed.
    bool ListFolder(std::string_view folder, std::vector<TDirEntry>& entries) const;
    // All attributes of one file or folder, read-only included; none when it is missing.
    std::optional<uint32_t> Attributes(std::string_view path) const;
    // Takes the owner's write permission away (read-only) or gives it (writable); a link's
    // file is changed.
    TFileResult SetReadOnly(std::string_view path, bool readOnly) const;
    // Removes the name: a link goes, not the file it names; a folder is never removed.
    TFileResult RemoveFile(std::string_view path) const;

    // Forgets the drives and folders; the next FileSystem() starts again from the working
    // directory and the drive table (tests change kDrivesVariable, then reset).
    void Reset() { m_started = false; }

private:
    friend TFileSystem& FileSystem();

    struct TLocation {
        int drive = -1;
        std::vector<std::string> components;
    };

    void Start();
    std::optional<TLocation> Resolve(std::string_view path) const;
    std::string Native(const TLocation& location) const;
    const TVolume* Volume(int drive) const;
    std::string Format(int drive, const std::vector<std::string>& components) const;

    bool m_started = false;
    TDriveTable m_drives;
    std::array<std::vector<std::string>, kDriveCount> m_folders;
    int m_current = -1;
};

// The process's file system model, started on first use.
TFileSystem& FileSystem();
