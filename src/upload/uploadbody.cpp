#include "upload/uploadbody.h"

#include <cstring>

namespace tarvello {

UploadBody::UploadBody(const QByteArray &head, const QString &filePath, const QByteArray &tail, QObject *parent)
    : QIODevice(parent)
    , m_head(head)
    , m_file(filePath)
    , m_tail(tail)
{
}

bool UploadBody::open(OpenMode mode)
{
    if ((mode & ReadWrite) != ReadOnly)
        return false;
    m_fileSize = m_file.open(QIODevice::ReadOnly) ? m_file.size() : 0;
    m_pos = 0;
    // Unbuffered: Qt reads it in large pieces anyway, and pos() then is our own position.
    return QIODevice::open(ReadOnly | Unbuffered);
}

void UploadBody::close()
{
    m_file.close();
    QIODevice::close();
}

qint64 UploadBody::size() const
{
    return m_head.size() + m_fileSize + m_tail.size();
}

bool UploadBody::seek(qint64 pos)
{
    if (pos < 0 || pos > size() || !QIODevice::seek(pos))
        return false;
    m_pos = pos;
    return true;
}

qint64 UploadBody::readData(char *data, qint64 maxSize)
{
    const qint64 headEnd = m_head.size();
    const qint64 fileEnd = headEnd + m_fileSize;
    qint64 done = 0;
    while (done < maxSize && m_pos < size()) {
        qint64 n = 0;
        if (m_pos < headEnd) {
            n = qMin(maxSize - done, headEnd - m_pos);
            std::memcpy(data + done, m_head.constData() + m_pos, size_t(n));
        } else if (m_pos < fileEnd) {
            const qint64 offset = m_pos - headEnd;
            if (m_file.pos() != offset && !m_file.seek(offset))
                return -1;
            n = m_file.read(data + done, qMin(maxSize - done, fileEnd - m_pos));
            if (n <= 0)
                return -1; // the file shrank or failed under us
        } else {
            n = qMin(maxSize - done, size() - m_pos);
            std::memcpy(data + done, m_tail.constData() + (m_pos - fileEnd), size_t(n));
        }
        done += n;
        m_pos += n;
    }
    return done;
}

qint64 UploadBody::writeData(const char *, qint64)
{
    return -1;
}

} // namespace tarvello
