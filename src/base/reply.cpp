#include "base/reply.h"

#include <QUrl>

#include <zlib.h>

#include <cstring>

namespace tarvello {

namespace {

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
    // Past the longest answer taken there is nothing to learn, so a hostile host gets no more
    // inflated than that.
    while (status == Z_OK && out.size() <= maxAnswerBytes) {
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
    if (out.size() > maxAnswerBytes)
        return out;
    if (status != Z_STREAM_END)
        return std::nullopt;
    return out;
}

constexpr int maxAnswerLength = 200;

// A shorter password is too likely to stand in a link by chance to hold the link back for it.
constexpr int minSecretInLink = 4;

} // namespace

TransferError transferError(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError:
        return TransferError::None;
    case QNetworkReply::ConnectionRefusedError:
        return TransferError::Refused;
    case QNetworkReply::RemoteHostClosedError:
        return TransferError::Closed;
    case QNetworkReply::HostNotFoundError:
        return TransferError::HostNotFound;
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return TransferError::Stalled;
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return TransferError::NetworkDown;
    case QNetworkReply::ContentReSendError:
        return TransferError::SentTwice;
    case QNetworkReply::SslHandshakeFailedError:
        return TransferError::Untrusted;
    default:
        break;
    }
    if (error >= QNetworkReply::ProxyConnectionRefusedError && error < QNetworkReply::ContentAccessDenied)
        return TransferError::Proxy;
    if (error >= QNetworkReply::ProtocolUnknownError && error < QNetworkReply::InternalServerError)
        return TransferError::Protocol;
    // The rest from 201 up stand for HTTP answers; the status line says more than any code.
    if (error >= QNetworkReply::ContentAccessDenied)
        return TransferError::None;
    return TransferError::Other;
}

namespace {

// Text fit to show: valid UTF-8 without control characters. A host's binary answer is not.
std::optional<QString> shownText(const QByteArray &bytes)
{
    if (!QUtf8StringView(bytes).isValidUtf8())
        return std::nullopt;
    const QString text = QString::fromUtf8(bytes);
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
            return std::nullopt;
    }
    return text;
}

} // namespace

QString withoutSecrets(QString text, const QStringList &secrets)
{
    for (const QString &secret : secrets) {
        if (secret.isEmpty())
            continue;
        text.replace(secret, QLatin1String("***"));
        text.replace(QString::fromLatin1(QUrl::toPercentEncoding(secret)), QLatin1String("***"), Qt::CaseInsensitive);
    }
    return text;
}

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
    if (!text.startsWith(QLatin1String("http://")) && !text.startsWith(QLatin1String("https://")))
        return std::nullopt;
    return text;
}

std::optional<QUrl> usableLink(const QString &answer, bool tls, const QStringList &secrets)
{
    // The trailing line end belongs to the answer, not to the link.
    const QString text = answer.trimmed();
    for (const QChar c : text) {
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return std::nullopt;
    }
    // As typed, or in any percent-encoding of its characters.
    const QString decoded = QUrl::fromPercentEncoding(text.toUtf8());
    for (const QString &secret : secrets) {
        if (secret.size() >= minSecretInLink && (text.contains(secret) || decoded.contains(secret)))
            return std::nullopt;
    }
    const QUrl url(text, QUrl::StrictMode);
    const bool schemeOk = url.scheme() == QLatin1String("http") || (tls && url.scheme() == QLatin1String("https"));
    if (!url.isValid() || !schemeOk || url.host().isEmpty() || !url.userInfo().isEmpty()
        || !text.startsWith(url.scheme() + QLatin1String("://")))
        return std::nullopt;
    return url;
}

HostAnswer hostAnswer(int httpStatus, const QByteArray &reasonPhrase, const QByteArray &body,
                      const QStringList &secrets)
{
    HostAnswer answer;
    answer.httpStatus = qMax(httpStatus, 0);
    if (httpStatus > 0)
        answer.reasonPhrase = withoutSecrets(shownText(reasonPhrase).value_or(QString()), secrets).trimmed();
    const QByteArray firstLine = body.left(4096).split('\n').constFirst().trimmed();
    // Secrets are blanked before the answer is cut, so no part of one survives the cut.
    if (const std::optional<QString> text = shownText(firstLine); !text) {
        answer.kind = HostAnswer::Line::NotText;
    } else if (QString line = withoutSecrets(*text, secrets); !line.isEmpty()) {
        if (line.size() > maxAnswerLength)
            line = line.left(maxAnswerLength) + QStringLiteral("...");
        answer.kind = HostAnswer::Line::Text;
        answer.line = line;
    } else if (httpStatus > 0) {
        answer.kind = HostAnswer::Line::Empty;
    }
    return answer;
}

} // namespace tarvello
