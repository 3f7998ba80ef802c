#include "base/folderwalk.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPointer>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QUtf8StringView>

#include <dirent.h>

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

namespace {

// Names in `folder` that are not UTF-8. Qt's listing leaves them out, as it could not name them.
int unreadableNames(const QString &folder)
{
    int count = 0;
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return 0;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        if (!QUtf8StringView(name).isValidUtf8())
            ++count;
    }
    ::closedir(dir);
    return count;
}

} // namespace

int walkImages(const QString &folder, const std::function<bool(const QString &)> &visit,
               const std::function<bool()> &goOn)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return 0;
    const QString inside = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    int leftOut = unreadableNames(folder);
    // Linked folders are not entered at all: a folder inside can be reached by its own name.
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    // A stop takes effect within one entry, however many files without images a tree holds.
    while ((!goOn || goOn()) && it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        if (info.isDir()) {
            if (!info.isSymLink())
                leftOut += unreadableNames(path);
            continue;
        }
        if (info.isSymLink() && !info.canonicalFilePath().startsWith(inside))
            continue;
        if (isImageFile(path) && !visit(path))
            break;
    }
    return leftOut;
}

FolderWalker::FolderWalker(QObject *parent)
    : QObject(parent)
    , m_current(std::make_shared<std::atomic<quint64>>(0))
{
    m_pool.setMaxThreadCount(1);
}

FolderWalker::~FolderWalker()
{
    *m_current = 0;
    m_pool.waitForDone();
}

void FolderWalker::walk(const QString &folder)
{
    cancel();
    const quint64 walk = ++m_walks;
    *m_current = walk;
    m_walking = true;
    emit started();
    const auto current = m_current;
    QPointer<FolderWalker> self(this);
    m_pool.start([self, current, walk, folder] {
        // Batches go out every few dozen images or tenth of a second, whichever comes first, so
        // rows keep appearing during a slow walk without one event per file during a fast one.
        constexpr int batchSize = 64;
        constexpr qint64 batchMs = 100;
        QStringList batch;
        QElapsedTimer clock;
        clock.start();
        const auto send = [&](bool last, int leftOut = 0) {
            QMetaObject::invokeMethod(self, [self, walk, images = std::exchange(batch, {}), last, leftOut] {
                if (self)
                    self->deliver(walk, images, last, leftOut);
            }, Qt::QueuedConnection);
            clock.restart();
        };
        const int leftOut = walkImages(folder, [&](const QString &image) {
            batch.append(image);
            if (batch.size() >= batchSize || clock.elapsed() >= batchMs)
                send(false);
            return true;
        }, [&] { return *current == walk; });
        send(true, leftOut);
    });
}

void FolderWalker::cancel()
{
    if (!m_walking)
        return;
    *m_current = 0;
    m_walking = false;
    emit finished();
}

void FolderWalker::deliver(quint64 walk, const QStringList &images, bool last, int leftOut)
{
    if (walk != *m_current)
        return;
    if (!images.isEmpty())
        emit found(images);
    if (leftOut > 0 && walk == *m_current)
        emit namesLeftOut(leftOut);
    // found() may have led to a cancel.
    if (last && walk == *m_current) {
        *m_current = 0;
        m_walking = false;
        emit finished();
    }
}

} // namespace tarvello
