#include "base/fileproblem.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "base/regularfile.h"

namespace tarvello {

FileProblem fileProblem(const QString &path, bool readContent)
{
    const QFileInfo info(path);
    // Bytes of a name that are not UTF-8 came in as replacement characters; no file has that name.
    if (!path.isEmpty() && !info.exists() && path.contains(QChar::ReplacementCharacter))
        return FileProblem::BadName;
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
    return imageProblem(file);
}

FileProblem imageProblem(QFile &file)
{
    const bool image = QImageReader(&file, QFileInfo(file.fileName()).suffix().toLower().toLatin1()).canRead();
    file.seek(0);
    return image ? FileProblem::None : FileProblem::NotAnImage;
}

} // namespace tarvello
