#include "base/browse.h"

#include <QFileInfo>
#include <QStringList>

namespace tarvello {

QStringList imagePatterns(const QList<QByteArray> &formats)
{
    QStringList patterns;
    for (const QByteArray &format : formats) {
        const QString pattern = QLatin1String("*.") + QString::fromLatin1(format).toLower();
        if (!format.isEmpty() && !patterns.contains(pattern))
            patterns.append(pattern);
    }
    patterns.sort();
    return patterns;
}

QString browseStartFolder(const QString &last, const QString &pictures, const QString &home)
{
    for (const QString &folder : {last, pictures}) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return home;
}

} // namespace tarvello
