#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "base/destination.h"
#include "base/uploadtemplate.h"

namespace tarvello {

// A custom-uploader file is a few KB; anything far larger is not one.
inline constexpr qint64 maxSxcuBytes = 64 * 1024;

// Why a custom-uploader file was not taken. `field` names the file's field ("RequestURL",
// "Headers", "URL" ...), `detail` the value at fault, `number` the offset of broken JSON or the
// size of a file too large; a template at fault is described by `problem`.
struct SxcuRefusal
{
    enum Kind {
        None,
        Missing,
        Unreadable,
        Link,
        NotAFile, // a FIFO, a device, a folder
        TooLarge,
        BrokenJson,
        NotAnObject,
        BadField, // a field of the wrong type or with a value the format does not have
        NotImageDestination, // detail: the DestinationType as written
        MethodNotAllowed, // detail: the method
        BodyWithoutFile, // detail: the body type
        NoFileFormName,
        NotHttpAddress, // detail: the RequestURL
        BadTemplate, // field, problem
        BadRegexList, // number: the entry's index from 1, detail: the pattern
        BadHeaderName, // detail: the header's name
        HeaderNotAllowed, // detail: the header's name
        BadHeaderValue, // detail: the header's name
        ReservedName, // detail: the name, which the built-in destination has
    };
    Kind kind = None;
    QString field;
    QString detail;
    qint64 number = -1;
    TemplateProblem problem;
};

struct SxcuReading
{
    std::optional<Destination> destination;
    SxcuRefusal refusal;
};

// Reads a custom-uploader file's text. Only image destinations are taken.
SxcuReading readSxcu(const QByteArray &data);

// Reads the file itself: a regular file, not a link, not larger than maxSxcuBytes. Nothing else
// is read, and nothing in it is run.
SxcuReading readSxcuFile(const QString &path);

// Whether the destination can be used as it stands (after an import, and after an edit).
SxcuRefusal validateDestination(const Destination &destination);

// The destination as a custom-uploader file; secret values blanked unless asked for.
QByteArray writeSxcu(const Destination &destination, bool withSecrets);

// The syntax a file's templates are written in: its Version when it has one, else what its
// templates look like.
TemplateSyntax syntaxOf(const QString &version, const QStringList &templates);

} // namespace tarvello
