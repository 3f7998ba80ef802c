#include "base/fileproblem.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "base/regularfile.h"

namespace tarvello {

FileProblem fileProblem(const QString &path, bool readContent)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return FileProblem::Missing;
    if (info.isDir())
        return FileProblem::Folder;
    if (!info.isFile())
        return FileProblem::NotRegular;
    if (!readContent)
        return info.isReadable() ? FileProblem::None : FileProblem::Unreadable;
    QFile file;
    if (!openRegularFile(file, path))
        return FileProblem::Unreadable;
    QImageReader reader(&file, info.suffix().toLower().toLatin1());
    return reader.canRead() ? FileProblem::None : FileProblem::NotAnImage;
}

} // namespace tarvello
