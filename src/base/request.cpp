#include "base/request.h"

#include <QFile>
#include <QFileInfo>
#include <QNetworkRequest>

#include <algorithm>

#include "base/regularfile.h"

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

QByteArray delimiterLine(const QByteArray &boundary)
{
    return QByteArray("--") + boundary + "\r\n";
}

const QLatin1String tlsScheme("https://");

} // namespace

QString imageHost()
{
    const QString fromEnvironment = qEnvironmentVariable("TARVELLO_HOST");
    return fromEnvironment.isEmpty() ? builtInImageHost() : fromEnvironment;
}

QString builtInImageHost()
{
    return QStringLiteral(TARVELLO_DEFAULT_HOST);
}

bool isTlsHost(const QString &host)
{
    return host.startsWith(tlsScheme, Qt::CaseInsensitive);
}

QUrl uploadAddress(const QString &host, const QString &user, const QString &password)
{
    QString address = isTlsHost(host) ? tlsScheme + host.mid(tlsScheme.size()) : QLatin1String("http://") + host;
    address += QLatin1String("/upload/index/bitlyonly/true/");
    // Only the user name decides whether credentials are sent.
    if (!user.isEmpty()) {
        address += QLatin1String("user/") + credentialSegment(user) + QLatin1String("/pw/")
                + credentialSegment(password);
    }
    return QUrl(address, QUrl::TolerantMode);
}

bool isSendableLogin(const QString &user, const QString &password)
{
    if (user.isEmpty())
        return true;
    for (const QString &segment : {user, password}) {
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return false;
    }
    return true;
}

QByteArray boundaryFor(const QString &filePath, const QByteArray &desc)
{
    QFile file;
    openRegularFile(file, filePath);
    return boundaryFor(file, desc);
}

QByteArray boundaryFor(QFile &file, const QByteArray &desc)
{
    const qint64 size = file.isOpen() ? file.size() : 0;
    // The file goes out right after a line end, so "--" + boundary anywhere in it would end
    // the part there. Mapped, the search costs about one read of the file from the cache.
    const uchar *data = size > 0 ? file.map(0, size) : nullptr;
    const QByteArrayView content(reinterpret_cast<const char *>(data), data ? size : 0);
    auto clashes = [&](const QByteArray &boundary) {
        const QByteArray delimiter = "--" + boundary;
        return content.contains(delimiter) || desc.contains(delimiter);
    };
    QByteArray boundary = uploadBoundary;
    for (int attempt = 0; clashes(boundary); ++attempt)
        boundary = uploadBoundary + QByteArray::number(attempt);
    if (data)
        file.unmap(const_cast<uchar *>(data));
    return boundary;
}

QByteArray formFileName(const QString &name)
{
    // A name within Latin-1 keeps its one byte a character; one beyond it travels as UTF-8, as
    // browsers send it, rather than with question marks.
    const bool latin1 = std::all_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() <= 0xff; });
    QByteArray bytes = latin1 ? name.toLatin1() : name.toUtf8();
    bytes.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
    return bytes;
}

QByteArray formText(const QString &text)
{
    const QList<uint> characters = text.toUcs4();
    const bool references = std::any_of(characters.cbegin(), characters.cend(), [](uint c) { return c > 0xff; });
    QByteArray out;
    out.reserve(text.size());
    for (const uint c : characters) {
        if (c > 0xff)
            out += "&#" + QByteArray::number(uint(c)) + ';';
        else if (c == '&' && references)
            out += "&#38;";
        else
            out += char(c);
    }
    return out;
}

QByteArray multipartHead(const QString &fileName, const QByteArray &boundary)
{
    const QByteArray delimiter = delimiterLine(boundary);
    const QByteArray suffix = QFileInfo(fileName).suffix().toLower().toLatin1();
    QByteArray head;
    head += delimiter;
    head += "Content-Disposition: form-data; name=\"action\"\r\n\r\n";
    head += "\r\n";
    head += delimiter;
    head += "Content-Disposition: form-data; name=\"file\"; filename=\"" + formFileName(fileName) + "\"\r\n";
    head += "Content-Type: image/" + suffix + "\r\n\r\n";
    return head;
}

QByteArray multipartTail(const QString &desc, const QByteArray &boundary)
{
    QByteArray tail = "\r\n";
    tail += delimiterLine(boundary);
    tail += "Content-Disposition: form-data; name=\"desc\"\r\n\r\n";
    if (!desc.isEmpty())
        tail += formText(desc) + "\r\n";
    tail += "\r\n";
    tail += QByteArray("--") + boundary + "--";
    return tail;
}

QByteArray multipartBody(const QString &fileName, const QByteArray &content, const QString &desc,
                         const QByteArray &boundary)
{
    return multipartHead(fileName, boundary) + content + multipartTail(desc, boundary);
}

void setUploadHeaders(QNetworkRequest &request, qsizetype bodySize, const QByteArray &boundary)
{
    request.setRawHeader("Accept-Encoding", "gzip,deflate");
    request.setRawHeader("Content-Type", QByteArray("multipart/form-data; boundary=") + boundary);
    request.setRawHeader("Content-Length", QByteArray::number(bodySize));
}

int transferTimeoutMs()
{
    bool ok = false;
    const int fromEnvironment = qEnvironmentVariableIntValue("TARVELLO_TRANSFER_TIMEOUT_MS", &ok);
    return ok && fromEnvironment > 0 ? fromEnvironment : defaultTransferTimeoutMs;
}

} // namespace tarvello
