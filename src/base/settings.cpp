#include "base/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "base/regularfile.h"

namespace tarvello {

namespace {

const QString userKey = QStringLiteral("user");
const QString pwKey = QStringLiteral("pw");

bool ownRegularFile(const QFileInfo &info)
{
#ifdef Q_OS_UNIX
    if (info.ownerId() != ::getuid())
        return false;
#endif
    return !info.isSymLink() && info.isFile();
}

// Moves `from` over `to` in one step.
bool replaceFile(const QString &from, const QString &to)
{
#ifdef Q_OS_WIN
    QFile::remove(to);
    return QFile::rename(from, to);
#else
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
#endif
}

} // namespace

std::optional<Credentials> readCredentials(const QString &path)
{
    // QSettings reads by name; the check that it is a regular file must come first, or a FIFO
    // would hold the program before its window appears.
    QFile probe;
    if (QFileInfo(path).isSymLink() || !openRegularFile(probe, path))
        return std::nullopt;
    probe.close();
    const QSettings settings(path, QSettings::IniFormat);
    const QVariant user = settings.value(userKey);
    const QVariant pw = settings.value(pwKey);
    if (!user.isValid() || !pw.isValid())
        return std::nullopt;
    return Credentials{user.toString(), pw.toString()};
}

CredentialsFailure writeCredentials(const QString &path, const Credentials &credentials)
{
    const QFileInfo info(path);
    if (info.isSymLink() || (info.exists() && !ownRegularFile(info)))
        return {CredentialsFailure::Kind::NotOwnFile, info.fileName()};
    if (info.exists() && !info.permission(QFileDevice::WriteOwner))
        return {CredentialsFailure::Kind::ReadOnly, info.fileName()};

    // QSettings writes the file its own way; it does so in a folder only we can enter, and the
    // result is copied into a new file that is private from its first byte.
    const QString folder = info.absolutePath();
    QTemporaryDir privateDir(folder + QStringLiteral("/.tarvello-XXXXXX"));
    QTemporaryFile replacement(folder + QStringLiteral("/.") + info.fileName() + QStringLiteral(".XXXXXX"));
    if (!privateDir.isValid() || !replacement.open())
        return CredentialsFailure{CredentialsFailure::Kind::FolderNotWritable, QDir::toNativeSeparators(folder)};

    const QString draft = privateDir.filePath(info.fileName());
    QFile current;
    if (info.exists() && openRegularFile(current, path)) {
        QFile copy(draft);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(current.readAll()) < 0)
            return CredentialsFailure{CredentialsFailure::Kind::FolderNotWritable, QDir::toNativeSeparators(folder)};
    }
    QSettings settings(draft, QSettings::IniFormat);
    settings.setValue(userKey, credentials.user);
    settings.setValue(pwKey, credentials.pw);
    settings.sync();
    QFile written(draft);
    if (settings.status() != QSettings::NoError || !written.open(QIODevice::ReadOnly))
        return {CredentialsFailure::Kind::NotWritten, info.fileName()};

    const QByteArray content = written.readAll();
    if (replacement.write(content) != content.size() || !replacement.flush())
        return {CredentialsFailure::Kind::DiskFull, info.fileName()};
#ifdef Q_OS_UNIX
    ::fsync(replacement.handle());
#endif
    if (!replaceFile(replacement.fileName(), path))
        return {CredentialsFailure::Kind::NotReplaced, info.fileName()};
    replacement.setAutoRemove(false);
    return {};
}

void removeCredentials(const QString &path)
{
    if (ownRegularFile(QFileInfo(path)))
        QFile::remove(path);
}

} // namespace tarvello
