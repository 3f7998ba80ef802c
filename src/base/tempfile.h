#pragma once

#include <QString>

class QFile;
class QImage;

namespace tarvello {

// <dir>/<msecs>.png: the name of every PNG the program writes for itself.
QString tempPngName(const QString &dir, qint64 msecsSinceEpoch);

// Creates a new temporary PNG named after the current millisecond and opens it for writing in
// `file`. The file is created exclusively and never through an existing name or link: when a
// name is taken, the next millisecond's name is tried, up to a second's worth of names. Returns
// the name, or nothing (and `file` closed) when no file could be made: a name the program did
// not create itself is never handed out.
// `startMsecs` stands in for the current millisecond where a test needs it fixed.
QString openTempPng(QFile &file, qint64 startMsecs = -1);

// Writes the image as PNG into a file opened by openTempPng and closes it. A file that could
// not be written is removed again, so a failed write leaves nothing behind.
bool writePng(QFile &file, const QImage &image);

// Closes and removes a file opened by openTempPng that is not wanted after all.
void discardTempPng(QFile &file);

// Every temporary file this run created and has not removed, oldest first. They are all the
// program's own, and all of them go when the window closes.
QStringList createdTempFiles();

// Removes the temporary files this run created; files it did not create are never touched.
void removeCreatedTempFiles();

} // namespace tarvello
