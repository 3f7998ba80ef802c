#pragma once

#include <QString>

class QFile;
class QImage;

namespace tarvello {

// <dir>/<msecs>.png: the name of every PNG the program writes for itself.
QString tempPngName(const QString &dir, qint64 msecsSinceEpoch);

// Creates a new temporary PNG named after the current millisecond and opens it for writing in
// `file`. The file is created exclusively and never through an existing name or link: when a
// name is taken, the next millisecond's name is tried. When the folder cannot be written at
// all, the name is still returned and `file` is left closed.
QString openTempPng(QFile &file);

// Writes the image as PNG into a file opened by openTempPng and closes it. A file that could
// not be written is removed again, so a failed write leaves nothing behind.
bool writePng(QFile &file, const QImage &image);

} // namespace tarvello
