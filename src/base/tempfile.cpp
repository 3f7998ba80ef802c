#include "base/tempfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMutex>
#include <QImageReader>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <unistd.h>
#else
#include <io.h>
#endif

#include "base/regularfile.h"

namespace tarvello {

namespace {

// A second's worth of names, far more than one user takes in a row; only a hostile folder runs
// out of them.
constexpr int maxAttempts = 1000;

bool nameTaken(const QString &name)
{
    const QFileInfo info(name);
    return info.exists() || info.isSymLink();
}

// Written from the GUI thread and from workers that save edits.
struct Created
{
    QMutex mutex;
    QStringList names;
};

Created &created()
{
    static Created instance;
    return instance;
}

void forget(const QString &name)
{
    QMutexLocker lock(&created().mutex);
    created().names.removeOne(name);
}

} // namespace

QString tempPngName(const QString &dir, qint64 msecsSinceEpoch)
{
    return dir + QLatin1Char('/') + QString::number(msecsSinceEpoch) + QLatin1String(".png");
}

QString openTempPng(QFile &file, qint64 startMsecs)
{
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    const qint64 now = startMsecs >= 0 ? startMsecs : QDateTime::currentMSecsSinceEpoch();
    // Qt gives an empty location when $TMPDIR names no folder; the name would then point into
    // the root folder, which is no place for our files.
    if (dir.isEmpty())
        return QString();
    for (int i = 0; i < maxAttempts; ++i) {
        const QString name = tempPngName(dir, now + i);
        file.setFileName(name);
        // Screenshots and pasted images are the user's own business: readable by the user only.
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
            QMutexLocker lock(&created().mutex);
            created().names.append(name);
            return name;
        }
        if (!nameTaken(name))
            break; // the folder itself refuses us
    }
    file.setFileName(QString());
    return QString();
}

bool writePng(QFile &file, const QImage &image)
{
    if (!file.isOpen())
        return false;
    const bool saved = !image.isNull() && image.save(&file, "PNG") && file.flush();
    file.close();
    if (!saved && file.remove())
        forget(file.fileName());
    return saved;
}

void discardTempPng(QFile &file)
{
    file.close();
    if (file.remove())
        forget(file.fileName());
}

QStringList createdTempFiles()
{
    QMutexLocker lock(&created().mutex);
    return created().names;
}

void removeCreatedTempFiles()
{
    for (const QString &name : createdTempFiles()) {
        QFile::remove(name);
        forget(name);
    }
}

std::shared_ptr<ReservedPng> ReservedPng::create()
{
    auto reserved = std::make_shared<ReservedPng>();
    QFile file;
    const QString name = openTempPng(file);
    if (name.isEmpty())
        return reserved;
#ifdef Q_OS_UNIX
    const int fd = ::dup(file.handle());
#else
    const int fd = ::_dup(file.handle());
#endif
    file.close();
    if (fd < 0) {
        if (QFile::remove(name))
            forget(name);
        return reserved;
    }
    reserved->m_name = name;
    reserved->m_fd = fd;
    return reserved;
}

ReservedPng::~ReservedPng()
{
    discard();
}

bool ReservedPng::write(const QImage &image)
{
    if (m_fd < 0)
        return false;
    QFile file;
    const bool opened = file.open(std::exchange(m_fd, -1), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle);
    const bool saved = opened && !image.isNull() && image.save(&file, "PNG") && file.flush();
    file.close();
    if (!saved && QFile::remove(m_name))
        forget(m_name);
    return saved;
}

void ReservedPng::discard()
{
    if (m_fd < 0)
        return;
#ifdef Q_OS_UNIX
    ::close(std::exchange(m_fd, -1));
#else
    ::_close(std::exchange(m_fd, -1));
#endif
    if (QFile::remove(m_name))
        forget(m_name);
}

QImage ReservedPng::copyFrom(const QString &source)
{
    // Opened as every other file is: a FIFO in its place must not hold the worker for ever.
    QFile in;
    QImage image;
    if (openRegularFile(in, source))
        image = QImageReader(&in).read();
    if (image.isNull()) {
        discard();
        return image;
    }
    return write(image) ? image : QImage();
}

} // namespace tarvello
