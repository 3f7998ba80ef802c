#include "base/request.h"

#include <QFileInfo>
#include <QNetworkRequest>

#ifndef TARVELLO_DEFAULT_HOST
#define TARVELLO_DEFAULT_HOST "127.0.0.1:8765"
#endif

namespace tarvello {

namespace {

constexpr int defaultTransferTimeoutMs = 60 * 1000;

QString credentialSegment(const QString &text)
{
    // Sub-delimiters, ":" and "@" may stand in a path segment as they are; everything that a
    // segment cannot hold as it is, "/", "?", "#" and "%" among them, is escaped.
    return QString::fromLatin1(QUrl::toPercentEncoding(text, "!$&'()*+,;=:@"));
}

QByteArray delimiterLine()
{
    return QByteArray("--") + uploadBoundary + "\r\n";
}

} // namespace

QString imageHost()
{
    const QString fromEnvironment = qEnvironmentVariable("TARVELLO_HOST");
    return fromEnvironment.isEmpty() ? QStringLiteral(TARVELLO_DEFAULT_HOST) : fromEnvironment;
}

QUrl uploadAddress(const QString &host, const QString &user, const QString &password)
{
    QString address = QLatin1String("http://") + host + QLatin1String("/upload/index/bitlyonly/true/");
    // Only the user name decides whether credentials are sent.
    if (!user.isEmpty()) {
        address += QLatin1String("user/") + credentialSegment(user) + QLatin1String("/pw/")
                + credentialSegment(password);
    }
    return QUrl(address, QUrl::TolerantMode);
}

QByteArray multipartHead(const QString &fileName)
{
    const QByteArray delimiter = delimiterLine();
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    QByteArray head;
    head += delimiter;
    head += "Content-Disposition: form-data; name=\"action\"\r\n\r\n";
    head += "\r\n";
    head += delimiter;
    head += "Content-Disposition: form-data; name=\"file\"; filename=\"" + fileName.toLatin1() + "\"\r\n";
    head += "Content-Type: image/" + suffix + "\r\n\r\n";
    return head;
}

QByteArray multipartTail(const QString &desc)
{
    QByteArray tail = "\r\n";
    tail += delimiterLine();
    tail += "Content-Disposition: form-data; name=\"desc\"\r\n\r\n";
    if (!desc.isEmpty())
        tail += desc.toLatin1() + "\r\n";
    tail += "\r\n";
    tail += QByteArray("--") + uploadBoundary + "--";
    return tail;
}

QByteArray multipartBody(const QString &fileName, const QByteArray &content, const QString &desc)
{
    return multipartHead(fileName) + content + multipartTail(desc);
}

void setUploadHeaders(QNetworkRequest &request, qsizetype bodySize)
{
    request.setRawHeader("Accept-Encoding", "gzip,deflate");
    request.setRawHeader("Content-Type", QByteArray("multipart/form-data; boundary=") + uploadBoundary);
    request.setRawHeader("Content-Length", QByteArray::number(bodySize));
}

int transferTimeoutMs()
{
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("TARVELLO_TRANSFER_TIMEOUT_MS", &ok);
    return ok && fromEnvironment > 0 ? fromEnvironment : defaultTransferTimeoutMs;
}

} // namespace tarvello
