#include "platform/FileSystem.h"

#include "platform/CasePolicy.h"
#include "platform/SplitText.h"

#include <cerrno>
#include <filesystem>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A drive letter's number, or -1.
int DriveNumber(char letter)
{
    const char lower = LowerAscii(letter);
    return lower >= 'a' && lower <= 'z' ? lower - 'a' : -1;
}

bool IsUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = uint8_t(text[i]);
        const size_t length = lead < 0x80 ? 1
            : (lead & 0xE0) == 0xC0       ? 2
            : (lead & 0xF0) == 0xE0       ? 3
            : (lead & 0xF8) == 0xF0       ? 4
                                          : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k) {
            if ((uint8_t(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}

// Whether a native name can be written in the browser's form and read back.
bool IsRepresentable(std::string_view name)
{
    return name.find('\\') == std::string_view::npos && IsUtf8(name);
}

bool CanList(const std::string& nativeFolder)
{
    DIR* folder = ::opendir(nativeFolder.c_str());
    if (!folder)
        return false;
    ::closedir(folder);
    return true;
}

TFileResult ResultOfErrno()
{
    switch (errno) {
    case ENOENT:
    case ENOTDIR:
        return TFileResult::Gone;
    case EACCES:
    case EPERM:
        return TFileResult::AccessDenied;
    default:
        return TFileResult::Failed;
    }
}

std::vector<std::string> SplitNative(std::string_view path)
{
    std::vector<std::string> components;
    for (std::string_view name : SplitText(path, '/')) {
        if (!name.empty())
            components.emplace_back(name);
    }
    return components;
}

} // namespace

TFileSystem& FileSystem()
{
    static TFileSystem fileSystem;
    if (!fileSystem.m_started)
        fileSystem.Start();
    return fileSystem;
}

void TFileSystem::Start()
{
    m_started = true;
    m_drives = {};
    m_folders = {};
    m_current = -1;
    ReadDrives();
    std::error_code error;
    const std::filesystem::path start = std::filesystem::current_path(error);
    if (const auto path = error ? std::nullopt : BrowserPath(start.string())) {
        if (const auto location = Resolve(*path)) {
            m_current = location->drive;
            m_folders[m_current] = location->components;
            return;
        }
    }
    // Started outside every drive: the lowest drive from c: on, at its root.
    for (int drive = 2; drive < kDriveCount + 2 && m_current < 0; ++drive) {
        if (m_drives[drive % kDriveCount])
            m_current = drive % kDriveCount;
    }
}

uint32_t TFileSystem::ReadDrives()
{
    const TDriveTable drives = ReadDriveTable(m_drives);
    for (int drive = 0; drive < kDriveCount; ++drive) {
        const bool same = drives[drive] && m_drives[drive]
            && drives[drive]->mountPoint == m_drives[drive]->mountPoint;
        if (!same)
            m_folders[drive].clear();
    }
    m_drives = drives;
    return DriveMask();
}

uint32_t TFileSystem::DriveMask() const
{
    uint32_t mask = 0;
    for (int drive = 0; drive < kDriveCount; ++drive) {
        if (m_drives[drive])
            mask |= 1u << drive;
    }
    return mask;
}

const TVolume* TFileSystem::Volume(int drive) const
{
    return drive >= 0 && drive < kDriveCount && m_drives[drive] ? &*m_drives[drive] : nullptr;
}

TDriveType TFileSystem::DriveType(char letter) const
{
    const TVolume* volume = Volume(DriveNumber(letter));
    return volume ? volume->type : TDriveType::NoRootFolder;
}

char TFileSystem::CurrentDrive() const { return m_current < 0 ? 0 : char('a' + m_current); }

bool TFileSystem::MakeDriveCurrent(char letter)
{
    const int drive = DriveNumber(letter);
    const TVolume* volume = Volume(drive);
    if (!volume || !volume->ready || !CanList(volume->mountPoint))
        return false;
    m_current = drive;
    return true;
}

std::optional<std::string> TFileSystem::DriveFolder(char letter) const
{
    const int drive = DriveNumber(letter);
    const TVolume* volume = Volume(drive);
    if (!volume || !volume->ready || !CanList(volume->mountPoint))
        return std::nullopt;
    return Format(drive, m_folders[drive]);
}

std::string TFileSystem::CurrentFolder() const
{
    return m_current < 0 ? std::string() : Format(m_current, m_folders[m_current]);
}

std::string TFileSystem::Format(int drive, const std::vector<std::string>& components) const
{
    std::string path { char('a' + drive), ':', '\\' };
    for (size_t i = 0; i < components.size(); ++i) {
        if (i > 0)
            path += '\\';
        path += components[i];
    }
    return path;
}

std::optional<TFileSystem::TLocation> TFileSystem::Resolve(std::string_view path) const
{
    TLocation location;
    location.drive = m_current;
    if (path.size() >= 2 && path[1] == ':') {
        location.drive = DriveNumber(path[0]);
        path.remove_prefix(2);
    }
    if (!Volume(location.drive))
        return std::nullopt;
    if (!path.starts_with('\\'))
        location.components = m_folders[location.drive];
    for (std::string_view name : SplitText(path, '\\')) {
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            // Above the root is the root, as on the drives this form comes from.
            if (!location.components.empty())
                location.components.pop_back();
            continue;
        }
        // A native separator would leave the folder the name stands in.
        if (name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos)
            return std::nullopt;
        location.components.emplace_back(name);
    }
    return location;
}

std::string TFileSystem::Native(const TLocation& location) const
{
    std::string path = m_drives[location.drive]->mountPoint;
    for (const std::string& name : location.components) {
        if (!path.ends_with('/'))
            path += '/';
        path += name;
    }
    return path;
}

bool TFileSystem::ChangeFolder(std::string_view path)
{
    const auto location = Resolve(path);
    if (!location || !m_drives[location->drive]->ready || !CanList(Native(*location)))
        return false;
    m_current = location->drive;
    m_folders[m_current] = location->components;
    return true;
}

bool TFileSystem::FolderExists(std::string_view path) const
{
    const auto location = Resolve(path);
    return location && m_drives[location->drive]->ready && CanList(Native(*location));
}

std::optional<std::string> TFileSystem::NativePath(std::string_view path) const
{
    const auto location = Resolve(path);
    if (!location)
        return std::nullopt;
    return Native(*location);
}

std::optional<std::string> TFileSystem::BrowserPath(std::string_view nativePath) const
{
    std::filesystem::path path(nativePath);
    std::error_code error;
    if (path.is_relative())
        path = std::filesystem::current_path(error) / path;
    if (error)
        return std::nullopt;
    const std::string normal = path.lexically_normal().string();
    int best = -1;
    for (int drive = 0; drive < kDriveCount; ++drive) {
        const TVolume* volume = Volume(drive);
        if (volume && IsPathUnder(normal, volume->mountPoint)
            && (best < 0 || volume->mountPoint.size() > m_drives[best]->mountPoint.size()))
            best = drive;
    }
    if (best < 0)
        return std::nullopt;
    const std::string& mountPoint = m_drives[best]->mountPoint;
    const std::vector<std::string> components
        = SplitNative(std::string_view(normal).substr(mountPoint == "/" ? 0 : mountPoint.size()));
    for (const std::string& name : components) {
        if (!IsRepresentable(name))
            return std::nullopt;
    }
    return Format(best, components);
}

bool TFileSystem::ListFolder(std::string_view folder, std::vector<TDirEntry>& entries) const
{
    const auto location = Resolve(folder);
    if (!location || !m_drives[location->drive]->ready)
        return false;
    DIR* directory = ::opendir(Native(*location).c_str());
    if (!directory)
        return false;
    while (const dirent* entry = ::readdir(directory)) {
        const std::string_view name = entry->d_name;
        if (name == "." || name == ".." || !IsRepresentable(name))
            continue;
        uint32_t attributes = 0;
        switch (entry->d_type) {
        case DT_DIR:
            attributes = kAttrDirectory;
            break;
        case DT_REG:
            attributes = kAttrArchive;
            break;
        case DT_LNK:
        case DT_UNKNOWN: {
            // A link takes the kind of what it points to; a broken one is nothing.
            struct stat status = {};
            if (::fstatat(::dirfd(directory), entry->d_name, &status, 0) != 0)
                continue;
            attributes = S_ISDIR(status.st_mode) ? kAttrDirectory
                : S_ISREG(status.st_mode)        ? kAttrArchive
                                                 : 0;
            break;
        }
        default:
            break;
        }
        if (attributes == 0)
            continue;
        if (name.starts_with('.'))
            attributes |= kAttrHidden;
        entries.push_back({ std::string(name), attributes });
    }
    ::closedir(directory);
    return true;
}

std::optional<uint32_t> TFileSystem::Attributes(std::string_view path) const
{
    const auto location = Resolve(path);
    if (!location)
        return std::nullopt;
    struct stat status = {};
    if (::stat(Native(*location).c_str(), &status) != 0)
        return std::nullopt;
    uint32_t attributes = S_ISDIR(status.st_mode) ? kAttrDirectory
        : S_ISREG(status.st_mode)                 ? kAttrArchive
                                                  : 0;
    if (attributes == 0)
        return std::nullopt;
    if ((status.st_mode & S_IWUSR) == 0)
        attributes |= kAttrReadOnly;
    if (!location->components.empty() && location->components.back().starts_with('.'))
        attributes |= kAttrHidden;
    return attributes;
}

TFileResult TFileSystem::SetReadOnly(std::string_view path, bool readOnly) const
{
    const auto native = NativePath(path);
    struct stat status = {};
    if (!native || ::stat(native->c_str(), &status) != 0)
        return native ? ResultOfErrno() : TFileResult::Gone;
    const mode_t mode = readOnly ? status.st_mode & ~S_IWUSR : status.st_mode | S_IWUSR;
    if (mode != status.st_mode && ::chmod(native->c_str(), mode & 07777) != 0)
        return ResultOfErrno();
    return TFileResult::Done;
}

TFileResult TFileSystem::RemoveFile(std::string_view path) const
{
    const auto native = NativePath(path);
    if (!native)
        return TFileResult::Gone;
    return ::unlink(native->c_str()) == 0 ? TFileResult::Done : ResultOfErrno();
}
