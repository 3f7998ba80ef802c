#pragma once

#include <QByteArray>
#include <QString>

class QFile;
class QIODevice;

namespace tarvello {

// Which file a name led to: the same device and inode are the same file, whatever names it has
// then or later. Invalid when there was none.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool valid = false;

    bool operator==(const FileIdentity &other) const
    {
        return valid == other.valid && device == other.device && inode == other.inode;
    }
    bool operator!=(const FileIdentity &other) const { return !(*this == other); }
};

// The file `path` leads to now, links followed.
FileIdentity fileIdentity(const QString &path);
// The file an open QFile reads.
FileIdentity fileIdentity(const QFile &file);

// Opens `path` for reading only if it is a regular file. A FIFO, a device or a folder is refused
// without blocking: opening a FIFO for reading would wait for a writer for ever.
bool openRegularFile(QFile &file, const QString &path);

// Why a file that must be the very file named was not opened.
enum class PlainFileRefusal { None, Missing, Unreadable, Link, NotRegular };

// As openRegularFile, and a symbolic link is refused too, not followed: a file handed over to be
// read must be that file and not whatever a link points at.
PlainFileRefusal openPlainFile(QFile &file, const QString &path);

// The MIME type of what an open file holds, by its first bytes; its name is not looked at. The
// device is left where it was.
QByteArray contentMimeType(QIODevice &opened);

} // namespace tarvello
