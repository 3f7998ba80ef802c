#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tarvello {

// What scripts call the built-in destination (--destination, --list-destinations); no custom
// destination may take it.
inline constexpr char builtInDestinationName[] = "built-in";

// The two ways a custom-uploader file writes its templates: "$json:url$" in older files,
// "{json:url}" since the format's version 14.
enum class TemplateSyntax { Braces, Dollars };

struct NamedValue
{
    QString name;
    QString value; // a template
    bool operator==(const NamedValue &other) const { return name == other.name && value == other.value; }
};

// Where an upload goes. The built-in destination is the program's own host, whose request is made
// by request.h as it always was; every other one comes from a custom-uploader file.
struct Destination
{
    enum class Body { MultipartFormData, Binary };

    bool builtIn = false;
    QString name; // never empty for a custom destination
    // Kept as read so that writing the file back gives what was read.
    QString version;
    QString destinationType;
    TemplateSyntax syntax = TemplateSyntax::Braces;

    QByteArray method = "POST"; // POST, PUT or PATCH
    QString requestUrl;
    QList<NamedValue> parameters; // in the file's order
    QList<NamedValue> headers;
    Body body = Body::MultipartFormData;
    QList<NamedValue> arguments;
    QString fileFormName;

    QStringList regexList;
    QString url; // empty: the whole answer is the link
    QString thumbnailUrl;
    QString deletionUrl;
    QString errorMessage;

    // Secrets that were to come from the keyring and could not be had: the destination cannot be
    // used until they are given again. Not part of the file.
    QStringList missingSecrets;

    static Destination builtInDestination();
    bool operator==(const Destination &other) const;
    bool operator!=(const Destination &other) const { return !(*this == other); }
};

// The part of a destination a secret lives in.
enum class SecretField { Parameter, Header, Argument };

struct SecretRef
{
    SecretField field;
    QString name;
    bool operator==(const SecretRef &other) const { return field == other.field && name == other.name; }
};

// Whether a value of this name is a secret: authorisation headers and cookies, and names made of
// words like key, token, secret, password or auth.
bool looksSecret(SecretField field, const QString &name);

// The destination's values that look like secrets, non-empty ones only.
QList<SecretRef> secretsOf(const Destination &destination);

// The value of one of the destination's named values, or null when it has none of that name.
QString valueOf(const Destination &destination, const SecretRef &ref);
void setValue(Destination &destination, const SecretRef &ref, const QString &value);

// The request address's host, or what stands in its place when it cannot be read.
QString hostOf(const QString &requestUrl);

// A name as it may be shown and printed one a line: control characters are blanks, and blanks
// are single spaces.
QString cleanName(const QString &name);

} // namespace tarvello
