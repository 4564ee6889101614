#include "platform/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The file a write replaces: the target of a symbolic link, so that a linked file stays
// linked instead of being replaced by a plain copy. A name that does not exist yet (or a
// link to nothing) is written as it is.
std::string ResolveTarget(const std::string& path)
{
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

// A file whose owner has no write permission is read-only: it is not replaced, even for a
// user who could replace it.
bool MayReplace(const std::string& path, const struct stat& existing)
{
    return S_ISREG(existing.st_mode) && (existing.st_mode & S_IWUSR) != 0
        && ::access(path.c_str(), W_OK) == 0;
}

// A new hidden file beside path, named after it where the name leaves room: ".photo.bmp.x7Gq2a".
// It is created with the permissions a new file of the user gets (0666 less the umask).
int CreateBeside(const std::string& path, std::string& created)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    constexpr size_t kSuffix = 6;
    if (name.size() + kSuffix + 2 > NAME_MAX)
        name = "save";
    static constexpr char kLetters[]
        = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::mt19937 random(std::random_device {}());
    std::uniform_int_distribution<size_t> pick(0, sizeof kLetters - 2);
    for (int attempt = 0; attempt < 100; ++attempt) {
        created = folder + "." + name + ".";
        for (size_t i = 0; i < kSuffix; ++i)
            created += kLetters[pick(random)];
        const int fd
            = ::open(created.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool WriteAll(int fd, std::span<const uint8_t> bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes = bytes.subspan(size_t(written));
    }
    return true;
}

// Makes a rename in the folder of path last through a power failure.
void SyncFolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

TSafeFile::~TSafeFile() { Discard(); }

bool TSafeFile::Create(const std::string& path)
{
    Discard();
    m_source.reset();
    m_target = ResolveTarget(path);
    struct stat existing { };
    const bool replaces = ::stat(m_target.c_str(), &existing) == 0;
    if (replaces && !MayReplace(m_target, existing))
        return false;
    std::string created;
    m_fd = CreateBeside(m_target, created);
    if (m_fd < 0)
        return false;
    m_temporary = created;
    struct stat made { };
    bool ok = ::fstat(m_fd, &made) == 0;
    m_device = made.st_dev;
    m_inode = made.st_ino;
    if (ok && replaces) {
        // Giving the file away only works for the privileged; the permissions always do.
        [[maybe_unused]] const int owned = ::fchown(m_fd, existing.st_uid, existing.st_gid);
        ok = ::fchmod(m_fd, existing.st_mode & 07777) == 0;
    }
    if (!ok)
        Discard();
    return ok;
}

bool TSafeFile::Reopen()
{
    if (m_fd >= 0)
        return true;
    if (m_temporary.empty())
        return false;
    m_fd = ::open(m_temporary.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    struct stat opened { };
    if (::fstat(m_fd, &opened) != 0 || opened.st_dev != m_device || opened.st_ino != m_inode) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    return true;
}

bool TSafeFile::Append(std::span<const uint8_t> bytes) { return Reopen() && WriteAll(m_fd, bytes); }

bool TSafeFile::AppendFrom(int sourceFd, const std::function<bool()>& goOn)
{
    // The kernel copies between the files where it can (no bytes pass through here); other
    // file systems, or a pair of them the kernel will not copy between, take reads and writes.
    constexpr size_t kPiece = 16 << 20;
    constexpr size_t kBuffer = 1 << 20;
    if (!Reopen())
        return false;
    bool kernelCopies = true;
    std::vector<uint8_t> buffer;
    size_t sinceAsked = 0;
    for (;;) {
        ssize_t copied = -1;
        if (kernelCopies) {
            copied = ::copy_file_range(sourceFd, nullptr, m_fd, nullptr, kPiece, 0);
            if (copied < 0 && errno != EINTR) {
                if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP
                    && errno != EBADF)
                    return false;
                kernelCopies = false;
            }
        }
        if (!kernelCopies) {
            buffer.resize(kBuffer);
            copied = ::read(sourceFd, buffer.data(), buffer.size());
            if (copied > 0 && !WriteAll(m_fd, std::span(buffer).first(size_t(copied))))
                return false;
            if (copied < 0 && errno != EINTR)
                return false;
        }
        if (copied == 0)
            return true;
        sinceAsked += size_t(std::max<ssize_t>(copied, 0));
        if (sinceAsked >= kPiece) {
            sinceAsked = 0;
            if (goOn && !goOn())
                return false;
        }
    }
}

bool TSafeFile::Close()
{
    if (m_fd < 0)
        return true;
    const bool ok = ::close(m_fd) == 0;
    m_fd = -1;
    return ok;
}

bool TSafeFile::Commit(bool sync)
{
    bool ok = Reopen();
    if (ok && m_source) {
        const struct timespec times[2] = { { 0, UTIME_OMIT }, m_source->st_mtim };
        ok = ::fchmod(m_fd, m_source->st_mode & 01777) == 0 && ::futimens(m_fd, times) == 0;
    }
    ok = ok && (!sync || ::fsync(m_fd) == 0);
    ok = Close() && ok;
    if (ok)
        ok = ::rename(m_temporary.c_str(), m_target.c_str()) == 0;
    if (!ok) {
        Discard();
        return false;
    }
    m_temporary.clear();
    if (sync)
        SyncFolderOf(m_target);
    return true;
}

void TSafeFile::Discard()
{
    Close();
    if (!m_temporary.empty())
        ::unlink(m_temporary.c_str());
    m_temporary.clear();
}
