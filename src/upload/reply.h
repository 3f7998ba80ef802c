#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace tarvello {

// The reply body as the host meant it: a gzip or deflate body (per its Content-Encoding) is
// inflated, anything else is returned as it came. A body that does not inflate is returned raw.
QByteArray decodedReplyBody(const QByteArray &raw, const QByteArray &contentEncoding);

// The host answers with text that begins with the link. The whole text, read as Latin-1 up to
// the first zero byte, is the link when it begins with exactly "http://"; otherwise the upload
// failed.
std::optional<QString> linkFromReply(const QByteArray &body);

} // namespace tarvello
