#include "base/browse.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>

namespace tarvello {

QString browseFilter(const QList<QByteArray> &formats)
{
    QStringList patterns;
    for (const QByteArray &format : formats) {
        const QString pattern = QLatin1String("*.") + QString::fromLatin1(format).toLower();
        if (!format.isEmpty() && !patterns.contains(pattern))
            patterns.append(pattern);
    }
    patterns.sort();
    return QCoreApplication::translate("mw", "Image Files (%1)").arg(patterns.join(QLatin1Char(' ')))
            + QLatin1String(";;") + QCoreApplication::translate("mw", "All files (*)");
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
