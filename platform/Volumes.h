#pragma once

#include "platform/MountTable.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Drive types as the drive list shows them.
enum class TDriveType : int32_t {
    Unknown = 0,
    NoRootFolder = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// A mounted volume seen as a drive: where it is mounted, its type, and whether it can be
// read (a drive that is not ready refuses to become the current drive).
struct TVolume {
    std::string mountPoint;
    TDriveType type = TDriveType::Fixed;
    bool ready = true;

    bool operator==(const TVolume&) const = default;
};

// Drives a to z by number (0 is a:).
inline constexpr int kDriveCount = 26;
using TDriveTable = std::array<std::optional<TVolume>, kDriveCount>;

// The environment variable that replaces the mount table, for tests and demonstrations:
// letter=folder[:type] pairs separated by ';', for example
// "c=/tmp/root;d=/tmp/stick:removable;e=/tmp/drive:notready". Types: removable, fixed,
// remote, cdrom, ramdisk, unknown, and notready (a removable drive without a medium).
inline constexpr const char* kDrivesVariable = "PELORIN_DRIVES";

// Whether a native path is the folder or lies below it; "/" holds every absolute path.
bool IsPathUnder(std::string_view path, std::string_view folder);

// Whether a mount is a volume the user browses: a real file system (no pseudo file systems
// such as proc or cgroup) outside the system's own areas (/proc, /sys, /dev, /run except
// removable media under /run/media, /snap).
bool IsBrowsableMount(const TMountEntry& mount);
// Removable block devices are removable drives whatever their file system; otherwise the
// file system decides: iso9660 and udf CD-ROM, network file systems remote, tmpfs and ramfs
// RAM disk, anything else fixed.
TDriveType DriveTypeOf(std::string_view fileSystem, bool removableDevice);

// c: is always the root file system ("/"). Every other volume keeps the letter it had in the
// previous table while it stays mounted; a new one takes the lowest free letter from d:, in
// the order given (the mount table's order, that is the order of arrival). Volumes beyond z:
// get no drive.
TDriveTable AssignDriveLetters(const TDriveTable& previous, const std::vector<TVolume>& volumes);

// The table that kDrivesVariable describes; a pair it cannot read is skipped.
TDriveTable ParseDriveTable(std::string_view text);

// The drives of this process now: the table of kDrivesVariable when it is set, otherwise the
// mount table's browsable volumes lettered against the previous table.
TDriveTable ReadDriveTable(const TDriveTable& previous);
