#include "upload/reply.h"

#include <zlib.h>

#include <cstring>

namespace tarvello {

namespace {

// An answer is a short text; this bounds what a hostile host can make us inflate.
constexpr qsizetype maxInflatedSize = 16 * 1024 * 1024;

constexpr int gzipOrZlibWindow = 15 + 32; // zlib detects either header
constexpr int zlibWindow = 15;
constexpr int rawDeflateWindow = -15;

std::optional<QByteArray> inflated(const QByteArray &raw, int windowBits)
{
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    if (inflateInit2(&stream, windowBits) != Z_OK)
        return std::nullopt;

    QByteArray out;
    char chunk[16384];
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(raw.constData()));
    stream.avail_in = static_cast<uInt>(raw.size());
    int status = Z_OK;
    while (status == Z_OK && out.size() < maxInflatedSize) {
        stream.next_out = reinterpret_cast<Bytef *>(chunk);
        stream.avail_out = sizeof chunk;
        status = inflate(&stream, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END)
            break;
        out.append(chunk, qsizetype(sizeof chunk - stream.avail_out));
        if (status == Z_OK && stream.avail_in == 0 && stream.avail_out != 0)
            break; // input ended before the stream did
    }
    inflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

} // namespace

QByteArray decodedReplyBody(const QByteArray &raw, const QByteArray &contentEncoding)
{
    const QByteArray encoding = contentEncoding.trimmed().toLower();
    std::optional<QByteArray> body;
    if (encoding == "gzip" || encoding == "x-gzip") {
        body = inflated(raw, gzipOrZlibWindow);
    } else if (encoding == "deflate") {
        // "deflate" ought to be zlib-wrapped, but some servers send the bare stream.
        body = inflated(raw, zlibWindow);
        if (!body)
            body = inflated(raw, rawDeflateWindow);
    }
    return body.value_or(raw);
}

std::optional<QString> linkFromReply(const QByteArray &body)
{
    const QString text = QString::fromLatin1(body.constData(), qstrnlen(body.constData(), body.size()));
    if (!text.startsWith(QLatin1String("http://")))
        return std::nullopt;
    return text;
}

} // namespace tarvello
