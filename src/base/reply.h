#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarvello {

// The reply body as the host meant it: a gzip or deflate body (per its Content-Encoding) is
// inflated, anything else is returned as it came. A body that does not inflate is returned raw.
QByteArray decodedReplyBody(const QByteArray &raw, const QByteArray &contentEncoding);

// The host answers with text that begins with the link. The whole text, read as Latin-1 up to
// the first zero byte, is the link when it begins with exactly "http://"; otherwise the upload
// failed.
std::optional<QString> linkFromReply(const QByteArray &body);

// Why an upload failed, in words for a tooltip: the network error, the HTTP status and the first
// line of the host's answer. Each of `secrets` (the password) is blanked out wherever it shows,
// as typed or percent-encoded; the request's address is never part of it.
QString failureReason(QNetworkReply::NetworkError error, int httpStatus, const QByteArray &reasonPhrase,
                      const QByteArray &body, const QStringList &secrets);

} // namespace tarvello
