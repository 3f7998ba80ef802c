#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

#include "base/destination.h"
#include "base/sxcu.h"
#include "base/uploadtemplate.h"

namespace tarvello {

// The image as a custom destination sends it.
struct UploadFile
{
    QString path; // read for the body; looked into so the boundary does not occur in it
    QString name; // the file name the host is told
    QByteArray mimeType; // "image/png"
};

// What a custom destination sends: the body is head + the file's bytes + tail, so that
// UploadBody streams it (for a Binary body head and tail are empty). Content-Length is not among
// the headers: it is the body's size, which the network layer takes from the UploadBody.
struct PreparedRequest
{
    QByteArray method;
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers; // in order
    QByteArray head;
    QByteArray tail;
    // Values to blank wherever an answer, an address or a failure is shown.
    QStringList secrets;
    // The answers to the destination's questions and its random picks; the answer is read with
    // the same ones.
    QHash<QString, QString> choices;
};

struct RequestFailure
{
    enum Kind {
        None,
        BuiltIn, // the built-in destination is sent by request.h
        Invalid, // the destination cannot be used: `refusal` says why
        SecretsMissing, // detail: the names whose values the keyring did not give
        Unanswered, // a question was not answered; detail: its title
        BadAddress, // the address the templates gave is not http(s); detail: it, secrets blanked
        BadHeaderValue, // a header's value came out with a line break; detail: the header's name
    };
    Kind kind = None;
    QString detail;
    SxcuRefusal refusal;
};

struct RequestPreparation
{
    std::optional<PreparedRequest> request;
    RequestFailure failure;
};

// What the uploader sends for this image. Questions go to `asker` (the window asks the user; a
// script passes one that answers nothing, and the upload fails with a reason instead of
// waiting). Every question of the destination, the link's included, is asked here, before
// anything is sent. `boundary` is for tests; normally a fresh one is made.
RequestPreparation prepareRequest(const Destination &destination, const UploadFile &file, const Asker &asker,
                                  const QByteArray &boundary = QByteArray());

// A multipart boundary whose delimiter occurs neither in the file nor in the other parts:
// `candidate` when it is such, else a fresh random one.
QByteArray freshBoundary(const QString &filePath, const QList<QByteArray> &parts,
                         const QByteArray &candidate = QByteArray());

// A name as it stands in a part header's quoted string: UTF-8, with '"', CR and LF escaped as
// browsers do ("%22", "%0D", "%0A").
QByteArray formFieldName(const QString &name);

} // namespace tarvello
