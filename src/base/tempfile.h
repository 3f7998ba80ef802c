#pragma once

#include <QString>

#include <memory>

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

// A temporary PNG made by openTempPng, to be written on another thread: its name and an open
// descriptor of the very file that was created, so the writer needs no second look at the
// folder and no QFile of the thread that made it. Removed again when dropped unwritten.
class ReservedPng
{
public:
    ReservedPng() = default;
    // A file that is already written: only its name.
    explicit ReservedPng(const QString &writtenFile) : m_name(writtenFile) {}
    ~ReservedPng();
    Q_DISABLE_COPY_MOVE(ReservedPng)

    // Makes a new temporary PNG; isValid() tells whether one could be made.
    static std::shared_ptr<ReservedPng> create();

    bool isValid() const { return !m_name.isEmpty(); }
    // Made, and not yet written or discarded.
    bool isPending() const { return m_fd >= 0; }
    const QString &name() const { return m_name; }
    // Writes the image through a file of the calling thread and closes the descriptor; a file
    // that could not be written is removed. Once only.
    bool write(const QImage &image);
    // Closes and removes the file unwritten.
    void discard();
    // Reads the picture at `source` and writes it here (write()). Returns the picture, or a null
    // image when it could not be read or written (the file is then gone).
    QImage copyFrom(const QString &source);

private:
    QString m_name;
    int m_fd = -1;
};

// Every temporary file this run created and has not removed, oldest first. They are all the
// program's own, and all of them go when the window closes.
QStringList createdTempFiles();

// Removes the temporary files this run created; files it did not create are never touched.
void removeCreatedTempFiles();

} // namespace tarvello
