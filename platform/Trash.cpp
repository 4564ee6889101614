#include "platform/Trash.h"

#include "platform/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The toolkit writes the file's old path into the trash's information file as it is, where the
// desktop reads it percent-encoded, as a URL's path: a name holding "%41" would come back as
// "A". The line is written again, encoded, when it is the toolkit's.
void EncodeOriginalPath(const QString& inTrash, const std::string& nativePath)
{
    const QByteArray raw = QByteArray::fromStdString(nativePath);
    const QByteArray encoded = raw.toPercentEncoding("/");
    if (encoded == raw)
        return;
    const QFileInfo trashed(inTrash);
    const QString infoPath = QDir::cleanPath(
        trashed.dir().absoluteFilePath("../info/" + trashed.fileName() + ".trashinfo"));
    QFile info(infoPath);
    if (!info.open(QIODevice::ReadOnly))
        return;
    QByteArray text = info.readAll();
    info.close();
    const QByteArray line = "\nPath=" + raw + "\n";
    const qsizetype at = text.indexOf(line);
    if (at < 0)
        return;
    text.replace(at, line.size(), "\nPath=" + encoded + "\n");
    TSafeFile file;
    [[maybe_unused]] const bool written = file.Create(QFile::encodeName(infoPath).toStdString())
        && file.Append(
            std::span(reinterpret_cast<const uint8_t*>(text.constData()), size_t(text.size())))
        && file.Commit(false);
}

} // namespace

bool MoveToTrash(const std::string& nativePath, bool wasReadOnly)
{
    QString inTrash;
    if (!HaveHomeTrash() || !QFile::moveToTrash(QString::fromStdString(nativePath), &inTrash))
        return false;
    EncodeOriginalPath(inTrash, nativePath);
    // A link went to the trash itself; the file it names stays where it is.
    struct stat status = {};
    const QByteArray trashed = QFile::encodeName(inTrash);
    if (wasReadOnly && ::lstat(trashed.constData(), &status) == 0 && S_ISREG(status.st_mode))
        ::chmod(trashed.constData(), status.st_mode & 07777 & ~S_IWUSR);
    return true;
}
