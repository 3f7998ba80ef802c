#include "base/reply.h"

#include <QCoreApplication>
#include <QUrl>

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

constexpr int maxAnswerLength = 200;

// Our own words for the failures a user can do something about; Qt's error strings name the
// address, which may carry the login.
QString networkErrorText(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::NoError:
        return QString();
    case QNetworkReply::ConnectionRefusedError:
        return QCoreApplication::translate("mw", "The host refused the connection.");
    case QNetworkReply::RemoteHostClosedError:
        return QCoreApplication::translate("mw", "The host closed the connection before answering.");
    case QNetworkReply::HostNotFoundError:
        return QCoreApplication::translate("mw", "The host was not found.");
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QCoreApplication::translate("mw", "The transfer stalled: nothing moved for too long.");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QCoreApplication::translate("mw", "The network is not available.");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
    case QNetworkReply::ProxyAuthenticationRequiredError:
        return QCoreApplication::translate("mw", "The proxy failed.");
    default:
        break;
    }
    // Errors from 201 up stand for HTTP answers; the status line says more than the code.
    if (error >= QNetworkReply::ContentAccessDenied)
        return QString();
    return QCoreApplication::translate("mw", "Network error %1.").arg(int(error));
}

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

QString failureReason(QNetworkReply::NetworkError error, int httpStatus, const QByteArray &reasonPhrase,
                      const QByteArray &body, const QStringList &secrets)
{
    QStringList lines;
    const QString network = networkErrorText(error);
    if (!network.isEmpty())
        lines.append(network);
    if (httpStatus > 0)
        lines.append(QCoreApplication::translate("mw", "HTTP status: %1 %2").arg(httpStatus).arg(QString::fromLatin1(reasonPhrase)).trimmed());
    QString answer = QString::fromUtf8(body.left(4096)).section(QLatin1Char('\n'), 0, 0).trimmed();
    if (answer.size() > maxAnswerLength)
        answer = answer.left(maxAnswerLength) + QStringLiteral("...");
    if (!answer.isEmpty())
        lines.append(QCoreApplication::translate("mw", "The host said: %1").arg(answer));
    else if (httpStatus > 0)
        lines.append(QCoreApplication::translate("mw", "The host's answer was empty."));
    if (lines.isEmpty())
        lines.append(QCoreApplication::translate("mw", "No answer from the host."));
    return withoutSecrets(lines.join(QLatin1Char('\n')), secrets);
}

} // namespace tarvello
