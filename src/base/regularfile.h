#pragma once

#include <QString>

class QFile;

namespace tarvello {

// Opens `path` for reading only if it is a regular file. A FIFO, a device or a folder is refused
// without blocking: opening a FIFO for reading would wait for a writer for ever.
bool openRegularFile(QFile &file, const QString &path);

} // namespace tarvello
