#include "base/folderwalk.h"

#include <algorithm>
#include <vector>

#include <QCollator>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPointer>
#include <QUtf8StringView>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/fileproblem.h"
#include "base/regularfile.h"

namespace tarvello {

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

struct Listed
{
    QString path;
    QString name;
    FileIdentity identity; // of the entry itself, a link not followed
    bool link = false;
};

// The file that was opened lies inside the folder, however its path was reached: a folder on
// the way may have been swapped for a link after it was listed. The kernel names what it opened.
bool opensInside(const QFile &file, const QString &inside)
{
    const QByteArray fd = "/proc/self/fd/" + QByteArray::number(file.handle());
    char target[4096];
    const ssize_t length = ::readlink(fd.constData(), target, sizeof target - 1);
    if (length < 0)
        return ::access("/proc/self/fd", F_OK) != 0; // without /proc the identity checks stand alone
    return QFile::decodeName(QByteArray(target, length)).startsWith(inside);
}

// The identity of the image at `path`, as listed, once it is opened and found to be that very
// file (a link: the file inside the folder it leads to) holding an image; invalid otherwise. A
// name swapped between the listing and the open leads to another file, and is refused.
FileIdentity checkedImage(const Listed &listed, const QString &inside)
{
    FileIdentity expected = listed.identity;
    if (listed.link) {
        const QString target = QFileInfo(listed.path).canonicalFilePath();
        struct stat info;
        if (!target.startsWith(inside) || ::lstat(QFile::encodeName(target).constData(), &info) != 0
            || !S_ISREG(info.st_mode))
            return {};
        expected = {quint64(info.st_dev), quint64(info.st_ino), true};
    }
    QFile file;
    if (!openRegularFile(file, listed.path) || fileIdentity(file) != expected || !opensInside(file, inside)
        || imageProblem(file) != FileProblem::None)
        return {};
    return expected;
}

// The folder at `path` is still the one listed (not a link put in its place since).
bool sameFolder(const QString &path, const FileIdentity &listed)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode)
            && FileIdentity{quint64(info.st_dev), quint64(info.st_ino), true} == listed;
}

} // namespace

int walkImages(const QString &folder, const std::function<bool(const WalkedFile &)> &visit,
               const std::function<bool()> &goOn)
{
    const QString root = QFileInfo(folder).canonicalFilePath();
    if (root.isEmpty())
        return 0;
    const QString inside = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    // One collator for the whole walk: making one costs far more than a comparison.
    // The C locale compares code points, numbers and case included, whatever the collator is
    // told; file managers there still sort as in English.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    const auto before = [&collator](const Listed &a, const Listed &b) {
        const int order = collator.compare(a.name, b.name);
        return order != 0 ? order < 0 : a.name < b.name;
    };
    int leftOut = 0;
    std::vector<std::pair<QString, FileIdentity>> folders{{folder, FileIdentity{}}}; // the next to walk last
    while (!folders.empty()) {
        const auto [current, listed] = std::move(folders.back());
        folders.pop_back();
        if (listed.valid && !sameFolder(current, listed))
            continue;
        leftOut += unreadableNames(current);
        QList<Listed> files;
        QList<Listed> subfolders;
        QDirIterator it(current, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot);
        // A stop takes effect within one entry, however many files without images a tree holds.
        while (it.hasNext()) {
            if (goOn && !goOn())
                return leftOut;
            Listed entry;
            entry.path = it.next();
            entry.name = it.fileName();
            struct stat info;
            if (::lstat(QFile::encodeName(entry.path).constData(), &info) != 0)
                continue;
            entry.identity = {quint64(info.st_dev), quint64(info.st_ino), true};
            entry.link = S_ISLNK(info.st_mode);
            // Linked folders are not entered at all: a folder inside can be reached by its own name.
            if (S_ISDIR(info.st_mode))
                subfolders.append(std::move(entry));
            else if (S_ISREG(info.st_mode) || entry.link)
                files.append(std::move(entry));
        }
        std::sort(files.begin(), files.end(), before);
        std::sort(subfolders.begin(), subfolders.end(), before);
        for (const Listed &file : std::as_const(files)) {
            if (goOn && !goOn())
                return leftOut;
            const FileIdentity identity = checkedImage(file, inside);
            if (identity.valid && !visit({file.path, identity}))
                return leftOut;
        }
        for (auto sub = subfolders.crbegin(); sub != subfolders.crend(); ++sub)
            folders.push_back({sub->path, sub->identity});
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
        QList<WalkedFile> batch;
        QElapsedTimer clock;
        clock.start();
        const auto send = [&](bool last, int leftOut = 0) {
            QMetaObject::invokeMethod(self, [self, walk, images = std::exchange(batch, {}), last, leftOut] {
                if (self)
                    self->deliver(walk, images, last, leftOut);
            }, Qt::QueuedConnection);
            clock.restart();
        };
        const int leftOut = walkImages(folder, [&](const WalkedFile &image) {
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

void FolderWalker::deliver(quint64 walk, const QList<WalkedFile> &images, bool last, int leftOut)
{
    if (walk != *m_current)
        return;
    if (!images.isEmpty()) {
        emit checked(images);
        QStringList paths;
        paths.reserve(images.size());
        for (const WalkedFile &image : images)
            paths.append(image.path);
        emit found(paths);
    }
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
