#pragma once

#include <QString>
#include <QUrl>

#include "base/customrequest.h"
#include "base/fileproblem.h"

namespace tarvello {

// Why a transfer broke, as far as the network layer tells; None when it did not break (an HTTP
// error status is an answer, not a broken transfer).
enum class TransferError {
    None,
    Refused,
    Closed,       // closed before answering
    HostNotFound,
    Stalled,
    NetworkDown,
    SentTwice,    // broke after the whole body was sent; not sent a second time
    Untrusted,    // the certificate could not be trusted
    Proxy,
    Protocol,     // the answer broke the rules of HTTP
    Other,
};

// What the host answered, as far as it may be shown: the secrets of the upload are blanked.
struct HostAnswer
{
    enum class Line {
        None,    // nothing arrived
        Text,    // `line` holds its first line
        NotText, // binary, or control characters
        Empty,   // an answer without content
    };
    int httpStatus = 0;   // 0 when no status line came
    QString reasonPhrase; // the status line's words, when they are text
    Line kind = Line::None;
    QString line;         // the first line, cut to a readable length
};

// How an upload ended: what happened and the data to say it by. The window words it.
struct UploadResult
{
    enum class Kind {
        None,            // not handled yet
        Linked,          // the host answered with a link that may be copied and opened
        UnusableLink,    // the answer begins as a link does, but cannot leave the program as one
        Failed,          // the transfer broke or the host said no: `error` and `host` tell
        TooLong,         // the answer was longer than a link can be
        Redirected,      // the host sent the upload elsewhere (`host.httpStatus`); not followed
        Stalled,         // nothing moved for too long
        AnswerTimeout,   // the body went out; the answer did not come in time
        Stopped,         // taken away by the user while on the wire
        Cancelled,       // ended before it was sent
        LoginUnsendable, // a user name or password of "." or ".."
        NoLink,          // a custom destination's answer held no link where it says; `answer`: what stood there
        NotPrepared,     // a custom destination's request could not be made: `request` says why
        NotSent,         // the file could not be sent as it was added: `file` says why
    };

    Kind kind = Kind::None;
    // The host's whole answer as text, secrets blanked; set when it begins as a link.
    QString answer;
    // For Linked: the link as it may be copied and opened, and what the destination gives beside
    // it.
    QUrl link;
    QUrl thumbnail;
    QUrl deletion;
    // An https link that came from a host reached over plain HTTP: anyone on the way could have
    // changed it.
    bool overPlainHttp = false;
    TransferError error = TransferError::None;
    HostAnswer host;
    RequestFailure request;
    FileProblem file = FileProblem::None;

    bool linked() const { return kind == Kind::Linked; }
    // Taken back by the user, or by closing, before it could end otherwise: neither a link nor a
    // failure.
    bool withdrawn() const { return kind == Kind::Stopped || kind == Kind::Cancelled; }
    // The answer is shown in the row in place of "failed".
    bool showsAnswer() const { return kind == Kind::Linked || kind == Kind::UnusableLink; }
};

} // namespace tarvello
