#include "platform/Trash.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>

#include <sys/stat.h>

namespace {

// The user's own trash, made where it is missing (with the data folder above it, which a new
// account may not have yet). The toolkit falls back on the working folder when it cannot make
// this one: it would move the file into "files" there and call it trashed.
bool HaveHomeTrash()
{
    const QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty() || !QDir().mkpath(dataHome))
        return false;
    const QByteArray trash = QFile::encodeName(dataHome + "/Trash");
    ::mkdir(trash.constData(), 0700);
    struct stat status = {};
    return ::stat(trash.constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

} // namespace

bool MoveToTrash(const std::string& nativePath, bool wasReadOnly)
{
    QString inTrash;
    if (!HaveHomeTrash() || !QFile::moveToTrash(QString::fromStdString(nativePath), &inTrash))
        return false;
    // A link went to the trash itself; the file it names stays where it is.
    struct stat status = {};
    const QByteArray trashed = QFile::encodeName(inTrash);
    if (wasReadOnly && ::lstat(trashed.constData(), &status) == 0 && S_ISREG(status.st_mode))
        ::chmod(trashed.constData(), status.st_mode & 07777 & ~S_IWUSR);
    return true;
}
