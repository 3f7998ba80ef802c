#include "base/uploadbody.h"

#include <cstring>

#include "base/regularfile.h"

namespace tarvello {

UploadBody::UploadBody(const QByteArray &head, const QString &filePath, const QByteArray &tail, QObject *parent)
    : QIODevice(parent)
    , m_head(head)
    , m_path(filePath)
    , m_file(std::make_shared<QFile>())
    , m_tail(tail)
{
}

UploadBody::UploadBody(const QByteArray &head, std::shared_ptr<QFile> file, const QByteArray &tail, QObject *parent)
    : QIODevice(parent)
    , m_head(head)
    , m_file(std::move(file))
    , m_tail(tail)
{
}

bool UploadBody::open(OpenMode mode)
{
    if ((mode & ReadWrite) != ReadOnly)
        return false;
    if (!m_path.isEmpty())
        openRegularFile(*m_file, m_path);
    m_fileSize = m_file->isOpen() ? m_file->size() : 0;
    // Unbuffered: Qt reads it in large pieces anyway, and pos() is then where readData reads.
    return QIODevice::open(ReadOnly | Unbuffered);
}

void UploadBody::close()
{
    m_file->close();
    QIODevice::close();
}

qint64 UploadBody::size() const
{
    return m_head.size() + m_fileSize + m_tail.size();
}

bool UploadBody::seek(qint64 pos)
{
    if (m_readWhole && pos < size())
        return false;
    return QIODevice::seek(pos);
}

qint64 UploadBody::readData(char *data, qint64 maxSize)
{
    const qint64 headEnd = m_head.size();
    const qint64 fileEnd = headEnd + m_fileSize;
    qint64 at = pos();
    qint64 done = 0;
    while (done < maxSize && at < size()) {
        qint64 n = 0;
        if (at < headEnd) {
            n = qMin(maxSize - done, headEnd - at);
            std::memcpy(data + done, m_head.constData() + at, size_t(n));
        } else if (at < fileEnd) {
            const qint64 offset = at - headEnd;
            if (m_file->pos() != offset && !m_file->seek(offset))
                return -1;
            n = m_file->read(data + done, qMin(maxSize - done, fileEnd - at));
            if (n <= 0)
                return -1; // the file shrank or failed under us
        } else {
            n = qMin(maxSize - done, size() - at);
            std::memcpy(data + done, m_tail.constData() + (at - fileEnd), size_t(n));
        }
        done += n;
        at += n;
    }
    if (at >= size())
        m_readWhole = true;
    return done;
}

qint64 UploadBody::writeData(const char *, qint64)
{
    return -1;
}

} // namespace tarvello
