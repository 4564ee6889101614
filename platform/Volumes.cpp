#include "platform/Volumes.h"

#include "platform/SplitText.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>

namespace {

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> list)
{
    return std::find(list.begin(), list.end(), value) != list.end();
}

bool IsPseudoFileSystem(std::string_view fileSystem)
{
    return IsOneOf(fileSystem,
        { "proc", "sysfs", "devtmpfs", "devpts", "cgroup", "cgroup2", "securityfs", "pstore", "bpf",
            "debugfs", "tracefs", "configfs", "fusectl", "mqueue", "hugetlbfs", "autofs",
            "binfmt_misc", "efivarfs", "rpc_pipefs", "nsfs", "selinuxfs", "fuse.gvfsd-fuse",
            "fuse.portal" });
}

bool IsRemoteFileSystem(std::string_view fileSystem)
{
    return IsOneOf(fileSystem,
               { "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "9p", "ceph", "glusterfs",
                   "lustre", "davfs", "fuse.sshfs", "fuse.rclone", "fuse.davfs2", "fuse.s3fs" })
        || fileSystem.starts_with("fuse.sshfs");
}

std::optional<TDriveType> DriveTypeNamed(std::string_view name)
{
    static const std::array<std::pair<std::string_view, TDriveType>, 6> names = { {
        { "removable", TDriveType::Removable },
        { "fixed", TDriveType::Fixed },
        { "remote", TDriveType::Remote },
        { "cdrom", TDriveType::CdRom },
        { "ramdisk", TDriveType::RamDisk },
        { "unknown", TDriveType::Unknown },
    } };
    for (const auto& [text, type] : names) {
        if (text == name)
            return type;
    }
    return std::nullopt;
}

std::string ReadLine(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// A removable disk says so in sysfs (for a partition, its disk does); memory sticks that
// call themselves fixed still hang below a USB controller.
bool IsRemovableDevice(uint32_t major, uint32_t minor)
{
    if (major == 0)
        return false;
    std::error_code error;
    const std::filesystem::path device = std::filesystem::canonical(
        "/sys/dev/block/" + std::to_string(major) + ":" + std::to_string(minor), error);
    if (error)
        return false;
    if (ReadLine(device / "removable") == "1"
        || ReadLine(device.parent_path() / "removable") == "1")
        return true;
    return device.string().find("/usb") != std::string::npos;
}

bool IsFolder(const std::string& path)
{
    struct stat status = {};
    return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

std::vector<TVolume> MountedVolumes(TVolume& root)
{
    std::vector<TVolume> volumes;
    for (const TMountEntry& mount : ParseMountTable(ReadMountTable())) {
        const TDriveType type = DriveTypeOf(
            mount.fileSystem, IsRemovableDevice(mount.deviceMajor, mount.deviceMinor));
        if (mount.mountPoint == "/") {
            root.type = type;
            continue;
        }
        // A file bind-mounted over another (containers do this) is no volume.
        if (!IsBrowsableMount(mount) || !IsFolder(mount.mountPoint))
            continue;
        // A mount over an earlier one at the same place hides it.
        std::erase_if(volumes, [&](const TVolume& v) { return v.mountPoint == mount.mountPoint; });
        volumes.push_back({ mount.mountPoint, type, true });
    }
    return volumes;
}

} // namespace

bool IsPathUnder(std::string_view path, std::string_view folder)
{
    if (folder == "/")
        return path.starts_with('/');
    return path == folder
        || (path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/');
}

bool IsBrowsableMount(const TMountEntry& mount)
{
    if (IsPseudoFileSystem(mount.fileSystem))
        return false;
    const std::string_view path = mount.mountPoint;
    if (IsPathUnder(path, "/run"))
        return IsPathUnder(path, "/run/media") && path != "/run/media";
    return !IsPathUnder(path, "/proc") && !IsPathUnder(path, "/sys") && !IsPathUnder(path, "/dev")
        && !IsPathUnder(path, "/snap");
}

TDriveType DriveTypeOf(std::string_view fileSystem, bool removableDevice)
{
    if (removableDevice)
        return TDriveType::Removable;
    if (fileSystem == "iso9660" || fileSystem == "udf")
        return TDriveType::CdRom;
    if (IsRemoteFileSystem(fileSystem))
        return TDriveType::Remote;
    if (fileSystem == "tmpfs" || fileSystem == "ramfs")
        return TDriveType::RamDisk;
    return TDriveType::Fixed;
}

TDriveTable AssignDriveLetters(const TDriveTable& previous, const std::vector<TVolume>& volumes)
{
    constexpr int kFirstVolume = 3; // d:
    TDriveTable drives;
    std::vector<const TVolume*> arriving;
    for (const TVolume& volume : volumes) {
        int kept = -1;
        for (int drive = kFirstVolume; drive < kDriveCount && kept < 0; ++drive) {
            if (previous[drive] && previous[drive]->mountPoint == volume.mountPoint
                && !drives[drive])
                kept = drive;
        }
        if (kept >= 0)
            drives[kept] = volume;
        else
            arriving.push_back(&volume);
    }
    int free = kFirstVolume;
    for (const TVolume* volume : arriving) {
        while (free < kDriveCount && drives[free])
            ++free;
        if (free == kDriveCount)
            break;
        drives[free] = *volume;
    }
    return drives;
}

TDriveTable ParseDriveTable(std::string_view text)
{
    TDriveTable drives;
    for (std::string_view pair : SplitText(text, ';')) {
        if (pair.size() < 3 || pair[1] != '=' || pair[0] < 'a' || pair[0] > 'z')
            continue;
        TVolume volume;
        volume.mountPoint = std::string(pair.substr(2));
        if (const size_t colon = volume.mountPoint.rfind(':'); colon != std::string::npos) {
            const std::string name = volume.mountPoint.substr(colon + 1);
            const std::optional<TDriveType> type
                = name == "notready" ? TDriveType::Removable : DriveTypeNamed(name);
            if (type) {
                volume.type = *type;
                volume.ready = name != "notready";
                volume.mountPoint.resize(colon);
            }
        }
        if (!volume.mountPoint.empty())
            drives[pair[0] - 'a'] = volume;
    }
    return drives;
}

TDriveTable ReadDriveTable(const TDriveTable& previous)
{
    if (const char* table = std::getenv(kDrivesVariable))
        return ParseDriveTable(table);
    TVolume root { "/", TDriveType::Fixed, true };
    TDriveTable drives = AssignDriveLetters(previous, MountedVolumes(root));
    drives[2] = root;
    return drives;
}
