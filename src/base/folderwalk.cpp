#include "base/folderwalk.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "base/regularfile.h"

namespace tarvello {

bool isImageFile(const QString &path)
{
    QFile file;
    if (!openRegularFile(file, path))
        return false;
    QImageReader reader(&file, QFileInfo(path).suffix().toLower().toLatin1());
    return reader.canRead();
}

void walkImages(const QString &folder, const std::function<bool(const QString &)> &visit)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return;
    const QString inside = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    // Linked folders are not entered at all: a folder inside can be reached by its own name.
    QDirIterator it(folder, QDir::Files | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isSymLink() && !info.canonicalFilePath().startsWith(inside))
            continue;
        if (isImageFile(path) && !visit(path))
            return;
    }
}

} // namespace tarvello
