#include "base/commandline.h"

#include <QFile>
#include <QFileInfo>

#include "base/folderwalk.h"

namespace tarvello {

QStringList argumentPaths(int argc, const char *const *argv)
{
    QStringList paths;
    for (int i = 1; i < argc; ++i)
        paths.append(QFile::decodeName(argv[i]));
    return paths;
}

QStringList queuedPaths(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        if (QFileInfo(path).isDir()) {
            walkImages(path, [&files](const QString &image) {
                files.append(image);
                return true;
            });
        } else {
            files.append(path);
        }
    }
    return files;
}

} // namespace tarvello
