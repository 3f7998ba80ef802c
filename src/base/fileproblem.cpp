#include "base/fileproblem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "base/regularfile.h"

namespace tarvello {

QString notAnImage()
{
    return QCoreApplication::translate("mw", "This is not an image the program can read.");
}

QString fileProblem(const QString &path, bool readContent)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return QCoreApplication::translate("mw", "The file does not exist.");
    if (info.isDir())
        return QCoreApplication::translate("mw", "This is a folder, not a file.");
    if (!info.isFile())
        return QCoreApplication::translate("mw", "This is not a regular file.");
    if (!readContent)
        return info.isReadable() ? QString() : QCoreApplication::translate("mw", "The file cannot be read.");
    QFile file;
    if (!openRegularFile(file, path))
        return QCoreApplication::translate("mw", "The file cannot be read.");
    QImageReader reader(&file, info.suffix().toLower().toLatin1());
    if (!reader.canRead())
        return notAnImage();
    return QString();
}

} // namespace tarvello
