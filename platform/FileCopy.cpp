#include "platform/FileCopy.h"

#include "platform/SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TCopyResult CopyFileOver(
    const std::string& source, const std::string& target, const std::function<bool()>& goOn)
{
    struct stat from = {};
    struct stat to = {};
    if (::stat(source.c_str(), &from) != 0 || !S_ISREG(from.st_mode))
        return TCopyResult::Failed;
    const bool replaces = ::stat(target.c_str(), &to) == 0;
    if (replaces && to.st_dev == from.st_dev && to.st_ino == from.st_ino)
        return TCopyResult::Failed;
    // Not blocking: should a pipe have taken the file's place since, the open does not hang,
    // and the check of what was opened refuses it.
    const int fd = ::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return TCopyResult::Failed;
    struct stat opened = {};
    bool stopped = false;
    const auto carryOn = [&] {
        stopped = goOn && !goOn();
        return !stopped;
    };
    TSafeFile copy;
    bool ok = ::fstat(fd, &opened) == 0 && opened.st_dev == from.st_dev
        && opened.st_ino == from.st_ino && copy.Create(target);
    if (ok) {
        copy.TakeAttributesOf(opened);
        // A new file is not synced: should the power fail before the system writes it, the
        // source is still whole, and no file the user had is lost.
        ok = copy.AppendFrom(fd, carryOn) && copy.Commit(replaces);
    }
    ::close(fd);
    return ok ? TCopyResult::Copied : stopped ? TCopyResult::Stopped : TCopyResult::Failed;
}
