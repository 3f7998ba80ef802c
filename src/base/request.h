#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

class QFile;
class QNetworkRequest;

namespace tarvello {

// The multipart boundary the image host expects, byte for byte.
inline constexpr char uploadBoundary[] = "---------------------------723690991551375881941828858";

// The image host as host[:port], or https://host[:port] for a host that speaks TLS:
// $TARVELLO_HOST when set, else the address built in.
QString imageHost();
QString builtInImageHost();

// Whether the host was given as https://host[:port].
bool isTlsHost(const QString &host);

// "http://" + host + the upload path, and with a user name "user/<name>/pw/<password>"
// ("https://" for a TLS host). Both are percent-encoded where they would otherwise change the
// address's structure ("/", "?", "#", "%"), so each stays one path segment.
QUrl uploadAddress(const QString &host, const QString &user, const QString &password);

// Whether the login can travel in the address. A segment "." or ".." would be folded away by the
// path normalisation every HTTP request gets, and percent-encoding cannot stop that: "%2E" is "."
// to a URL.
bool isSendableLogin(const QString &user, const QString &password);

// The boundary for a body that carries this file and description (as sent): uploadBoundary,
// unless one of them holds that delimiter itself, which would cut the body short at the host.
QByteArray boundaryFor(const QString &filePath, const QByteArray &desc = QByteArray());
// The same for a file already open for reading.
QByteArray boundaryFor(QFile &file, const QByteArray &desc = QByteArray());

// A file name as it stands in the part header: Latin-1 where it fits, else UTF-8, with '"', CR and
// LF escaped as browsers do ("%22", "%0D", "%0A") so the quoted string and the header hold.
QByteArray formFileName(const QString &name);

// A text as it travels in the body: every Latin-1 character as its one byte, every other
// character as an HTML numeric reference "&#N;" with its code point, as browsers send it from a
// Latin-1 form. A text that needs references also writes "&" as "&#38;", so that a host that
// decodes references gets back exactly what was typed; one within Latin-1 is sent as it is.
QByteArray formText(const QString &text);

// The whole request body.
QByteArray multipartBody(const QString &fileName, const QByteArray &content, const QString &desc,
                         const QByteArray &boundary = uploadBoundary);

// The body is head + the file's content + tail; UploadBody sends it so without holding the file.
QByteArray multipartHead(const QString &fileName, const QByteArray &boundary = uploadBoundary);
QByteArray multipartTail(const QString &desc, const QByteArray &boundary = uploadBoundary);

// Accept-Encoding, Content-Type and Content-Length, in that order.
void setUploadHeaders(QNetworkRequest &request, qsizetype bodySize, const QByteArray &boundary = uploadBoundary);

// A transfer with no bytes moving for this long ends as failed; $TARVELLO_TRANSFER_TIMEOUT_MS
// overrides it.
int transferTimeoutMs();

} // namespace tarvello
