#include "base/regularfile.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tarvello {

FileIdentity fileIdentity(const QString &path)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {quint64(info.st_dev), quint64(info.st_ino), true};
#else
    return QFileInfo::exists(path) ? FileIdentity{0, 0, true} : FileIdentity{};
#endif
}

FileIdentity fileIdentity(const QFile &file)
{
#ifdef Q_OS_UNIX
    struct stat info;
    if (file.handle() < 0 || ::fstat(file.handle(), &info) != 0)
        return {};
    return {quint64(info.st_dev), quint64(info.st_ino), true};
#else
    return file.isOpen() ? FileIdentity{0, 0, true} : FileIdentity{};
#endif
}

bool openRegularFile(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    // Non-blocking, so that a FIFO is opened at once and can be told apart by fstat; the check
    // is made on what was opened, not on the name, so nothing can be swapped in between.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return false;
    }
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    if (!QFileInfo(path).isFile())
        return false;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly);
#endif
}

PlainFileRefusal openPlainFile(QFile &file, const QString &path)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) {
        switch (errno) {
        case ELOOP:
            return PlainFileRefusal::Link;
        case ENOENT:
        case ENOTDIR:
            return PlainFileRefusal::Missing;
        default:
            return PlainFileRefusal::Unreadable;
        }
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)
        || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return PlainFileRefusal::NotRegular;
    }
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return PlainFileRefusal::Unreadable;
    }
    return PlainFileRefusal::None;
#else
    const QFileInfo info(path);
    if (info.isSymLink())
        return PlainFileRefusal::Link;
    if (!info.exists())
        return PlainFileRefusal::Missing;
    if (!info.isFile())
        return PlainFileRefusal::NotRegular;
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly) ? PlainFileRefusal::None : PlainFileRefusal::Unreadable;
#endif
}

QByteArray contentMimeType(QIODevice &opened)
{
    return QMimeDatabase().mimeTypeForData(&opened).name().toLatin1();
}

} // namespace tarvello
