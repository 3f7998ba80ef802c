#include "base/tempfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QStandardPaths>

namespace tarvello {

namespace {

// Far more names than one user can take in a row; only a hostile folder runs out of them.
constexpr int maxAttempts = 10000;

bool nameTaken(const QString &name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

} // namespace

QString tempPngName(const QString &dir, qint64 msecsSinceEpoch)
{
    return dir + QLatin1Char('/') + QString::number(msecsSinceEpoch) + QLatin1String(".png");
}

QString openTempPng(QFile &file)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString first = tempPngName(dir, now);
    // Qt gives an empty location when $TMPDIR names no folder; the name would then point into
    // the root folder, which is no place for our files.
    if (dir.isEmpty())
        return first;
    for (int i = 0; i < maxAttempts; ++i) {
        const QString name = i == 0 ? first : tempPngName(dir, now + i);
        file.setFileName(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
        if (!nameTaken(name))
            return name; // the folder itself refuses us
    }
    file.setFileName(QString());
    return first;
}

bool writePng(QFile &file, const QImage &image)
{
    if (!file.isOpen())
        return false;
    const bool saved = image.save(&file, "PNG");
    file.close();
    if (!saved)
        file.remove();
    return saved;
}

} // namespace tarvello
