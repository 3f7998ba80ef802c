#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

#include "base/uploadresult.h"

namespace tarvello {

// A link is short; an answer longer than this is no link, and reading on would only cost memory.
inline constexpr qsizetype maxAnswerBytes = 64 * 1024;

// The reply body as the host meant it: a gzip or deflate body (per its Content-Encoding) is
// inflated, anything else is returned as it came. A body that does not inflate is returned raw;
// one that inflates past maxAnswerBytes is cut just beyond it.
QByteArray decodedReplyBody(const QByteArray &raw, const QByteArray &contentEncoding);

// The host answers with text that begins with the link. The whole text, read as Latin-1 up to
// the first zero byte, is the link when it begins with exactly "http://" or "https://";
// otherwise the upload failed. (A host behind a TLS proxy answers with https links over plain
// HTTP; they are links all the same, and the window says how they came.)
std::optional<QString> linkFromReply(const QByteArray &body);

// The link in an answer as it may leave the program (copied, opened): one http (or, when `tls`,
// https) URL with a host and nothing else, no blanks or control characters inside, no user name
// or password before its host (they make "http://127.0.0.1@elsewhere/" look like another
// host), holding none of the secrets. Nothing when the answer is not such a link.
std::optional<QUrl> usableLink(const QString &answer, bool tls, const QStringList &secrets);

// The text with each secret blanked, as typed or percent-encoded.
QString withoutSecrets(QString text, const QStringList &secrets);

// The network layer's error as a broken transfer, or None for an HTTP answer.
TransferError transferError(QNetworkReply::NetworkError error);

// What the host answered, fit to show: the status, its reason phrase and the first line of the
// body. Each of `secrets` (the password, the login segment) is blanked wherever it shows, as typed
// or percent-encoded, before anything is cut.
HostAnswer hostAnswer(int httpStatus, const QByteArray &reasonPhrase, const QByteArray &body,
                      const QStringList &secrets);

} // namespace tarvello
