#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class QNetworkRequest;

namespace tarvello {

// The multipart boundary the image host expects, byte for byte.
inline constexpr char uploadBoundary[] = "---------------------------723690991551375881941828858";

// The image host as host[:port]: $TARVELLO_HOST when set, else the address built in.
QString imageHost();

// "http://" + host + the upload path, and with a user name "user/<name>/pw/<password>".
// Both are percent-encoded where they would otherwise change the address's structure
// ("/", "?", "#", "%"), so each stays one path segment.
QUrl uploadAddress(const QString &host, const QString &user, const QString &password);

// The whole request body. Names and texts travel as Latin-1; other characters become "?".
QByteArray multipartBody(const QString &fileName, const QByteArray &content, const QString &desc);

// The body is head + the file's content + tail; UploadBody sends it so without holding the file.
QByteArray multipartHead(const QString &fileName);
QByteArray multipartTail(const QString &desc);

// Accept-Encoding, Content-Type and Content-Length, in that order.
void setUploadHeaders(QNetworkRequest &request, qsizetype bodySize);

// A transfer with no bytes moving for this long ends as failed; $TARVELLO_TRANSFER_TIMEOUT_MS
// overrides it.
int transferTimeoutMs();

} // namespace tarvello
