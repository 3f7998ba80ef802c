#pragma once

#include <QString>

class QFile;

namespace tarvello {

// Opens `path` for reading only if it is a regular file. A FIFO, a device or a folder is refused
// without blocking: opening a FIFO for reading would wait for a writer for ever.
bool openRegularFile(QFile &file, const QString &path);

// Why a file that must be the very file named was not opened.
enum class PlainFileRefusal { None, Missing, Unreadable, Link, NotRegular };

// As openRegularFile, and a symbolic link is refused too, not followed: a file handed over to be
// read must be that file and not whatever a link points at.
PlainFileRefusal openPlainFile(QFile &file, const QString &path);

} // namespace tarvello
