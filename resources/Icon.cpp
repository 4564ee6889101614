#include "resources/Templates.h"

#include <QDirIterator>
#include <QIcon>

// Every rendered size of the drawing, so that the desktop takes the sharpest for each use.
QIcon ProgramIcon()
{
    QIcon icon;
    QDirIterator pictures(
        ":/pelorin/icons", { "Pelorin.png" }, QDir::Files, QDirIterator::Subdirectories);
    while (pictures.hasNext())
        icon.addFile(pictures.next());
    return icon;
}
