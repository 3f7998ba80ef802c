#include "base/imagedamage.h"

#include <QByteArray>
#include <QIODevice>
#include <QtEndian>

#include <cstring>

#include <zlib.h>

namespace tarvello {

namespace {

// Reads in large pieces, so a scan for markers costs little more than reading the file.
class Chunks
{
public:
    explicit Chunks(QIODevice &device)
        : m_device(device)
    {
    }

    // The next byte, or -1 at the end.
    int next()
    {
        if (m_at == m_chunk.size() && !refill())
            return -1;
        return uchar(m_chunk.at(m_at++));
    }
    // Past the next 0xFF byte; false when none is left.
    bool pastNextFF()
    {
        for (;;) {
            const char *data = m_chunk.constData();
            if (const void *found = std::memchr(data + m_at, 0xFF, size_t(m_chunk.size() - m_at))) {
                m_at = static_cast<const char *>(found) - data + 1;
                return true;
            }
            if (!refill())
                return false;
        }
    }
    bool read(char *out, qint64 count)
    {
        return take(count, [&out](const char *data, qint64 size) {
            std::memcpy(out, data, size_t(size));
            out += size;
        });
    }
    bool skip(qint64 count)
    {
        return take(count, [](const char *, qint64) {});
    }
    template<typename Use>
    bool take(qint64 count, Use use)
    {
        while (count > 0) {
            if (m_at == m_chunk.size() && !refill())
                return false;
            const qint64 piece = std::min<qint64>(count, m_chunk.size() - m_at);
            use(m_chunk.constData() + m_at, piece);
            m_at += piece;
            count -= piece;
        }
        return true;
    }

private:
    bool refill()
    {
        m_chunk = m_device.read(64 * 1024);
        m_at = 0;
        return !m_chunk.isEmpty();
    }

    QIODevice &m_device;
    QByteArray m_chunk;
    qsizetype m_at = 0;
};

// What may follow the entropy-coded data of a scan: another scan and the tables it uses, a
// restart interval, the line count, application data, a comment, or the end.
bool mayFollowScan(int marker)
{
    return marker == 0xDA || marker == 0xC4 || marker == 0xCC || marker == 0xDB || marker == 0xDC
            || marker == 0xDD || marker == 0xFE || marker == 0xD9 || (marker >= 0xE0 && marker <= 0xEF);
}

// After the start marker. Segments are skipped by their lengths; a scan's data runs to the next
// marker that is no restart (0xFF 0x00 is a data byte).
ImageDamage jpegDamage(Chunks &in)
{
    int marker = -1; // one that ended a scan
    for (;;) {
        if (marker < 0) {
            int c = in.next();
            if (c < 0)
                return ImageDamage::Truncated;
            if (c != 0xFF)
                return ImageDamage::Corrupt;
            do {
                c = in.next();
            } while (c == 0xFF);
            if (c < 0)
                return ImageDamage::Truncated;
            marker = c;
        }
        const int current = std::exchange(marker, -1);
        if (current == 0xD9)
            return ImageDamage::None;
        if (current == 0x01 || (current >= 0xD0 && current <= 0xD7))
            continue;
        if (current == 0x00)
            return ImageDamage::Corrupt;
        const int high = in.next();
        const int low = in.next();
        if (low < 0)
            return ImageDamage::Truncated;
        const int length = (high << 8) | low;
        if (length < 2)
            return ImageDamage::Corrupt;
        if (!in.skip(length - 2))
            return ImageDamage::Truncated;
        if (current != 0xDA)
            continue;
        while (marker < 0) {
            if (!in.pastNextFF())
                return ImageDamage::Truncated;
            int c = 0;
            do {
                c = in.next();
            } while (c == 0xFF);
            if (c < 0)
                return ImageDamage::Truncated;
            if (c != 0x00 && !(c >= 0xD0 && c <= 0xD7))
                marker = c;
        }
        if (!mayFollowScan(marker))
            return ImageDamage::Corrupt;
    }
}

// After the signature: chunk after chunk, each checked against its CRC, up to IEND.
ImageDamage pngDamage(Chunks &in)
{
    for (;;) {
        char head[8];
        if (!in.read(head, 8))
            return ImageDamage::Truncated;
        const quint32 length = qFromBigEndian<quint32>(head);
        if (length > 0x7FFFFFFFu)
            return ImageDamage::Corrupt;
        uLong crc = crc32(0L, reinterpret_cast<const Bytef *>(head + 4), 4);
        const bool whole = in.take(length, [&crc](const char *data, qint64 size) {
            crc = crc32(crc, reinterpret_cast<const Bytef *>(data), uInt(size));
        });
        char stored[4];
        if (!whole || !in.read(stored, 4))
            return ImageDamage::Truncated;
        if (qFromBigEndian<quint32>(stored) != quint32(crc))
            return ImageDamage::Corrupt;
        if (std::memcmp(head + 4, "IEND", 4) == 0)
            return ImageDamage::None;
    }
}

} // namespace

ImageDamage imageDamage(QIODevice &device)
{
    const qint64 start = device.pos();
    static const QByteArray pngSignature("\x89PNG\r\n\x1A\n", 8);
    const QByteArray head = device.peek(8);
    ImageDamage damage = ImageDamage::None;
    Chunks in(device);
    if (head.startsWith("\xFF\xD8")) {
        in.skip(2);
        damage = jpegDamage(in);
    } else if (head == pngSignature) {
        in.skip(8);
        damage = pngDamage(in);
    }
    device.seek(start);
    return damage;
}

} // namespace tarvello
