#pragma once

#include <QByteArray>
#include <QFile>
#include <QIODevice>

#include <memory>

namespace tarvello {

// A request body of head + a file's content + tail, read from the file as the network layer
// sends it, so a large image is neither held in memory twice nor read before sending starts.
// A file that cannot be opened, or is not a regular file, gives empty content, as an empty file
// would. The size is fixed
// when the device is opened; a file that shrinks while it is sent ends the read with an error.
class UploadBody : public QIODevice
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UploadBody)

public:
    UploadBody(const QByteArray &head, const QString &filePath, const QByteArray &tail, QObject *parent = nullptr);
    // The file's content from a file already open for reading: what was checked is what is sent,
    // whatever the name leads to by then.
    UploadBody(const QByteArray &head, std::shared_ptr<QFile> file, const QByteArray &tail, QObject *parent = nullptr);

    bool open(OpenMode mode) override;
    void close() override;
    bool isSequential() const override { return false; }
    qint64 size() const override;
    // Once the whole body has been read, it cannot be read again: when a connection drops
    // after that, Qt would post the image a second time on its own, and the host may already
    // hold it. The upload then fails instead, and the user decides.
    bool seek(qint64 pos) override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    QByteArray m_head;
    QString m_path;
    std::shared_ptr<QFile> m_file;
    QByteArray m_tail;
    qint64 m_fileSize = 0;
    bool m_readWhole = false;
};

} // namespace tarvello
