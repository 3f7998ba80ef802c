#include "base/destination.h"

#include <QRegularExpression>
#include <QUrl>

namespace tarvello {

namespace {

QList<NamedValue> &valuesOf(Destination &destination, SecretField field)
{
    switch (field) {
    case SecretField::Parameter:
        return destination.parameters;
    case SecretField::Header:
        return destination.headers;
    case SecretField::Argument:
        break;
    }
    return destination.arguments;
}

const QList<NamedValue> &valuesOf(const Destination &destination, SecretField field)
{
    return valuesOf(const_cast<Destination &>(destination), field);
}

} // namespace

Destination Destination::builtInDestination()
{
    Destination destination;
    destination.builtIn = true;
    return destination;
}

bool Destination::operator==(const Destination &o) const
{
    return builtIn == o.builtIn && name == o.name && version == o.version && destinationType == o.destinationType
            && syntax == o.syntax && method == o.method && requestUrl == o.requestUrl && parameters == o.parameters
            && headers == o.headers && body == o.body && arguments == o.arguments && fileFormName == o.fileFormName
            && regexList == o.regexList && url == o.url && thumbnailUrl == o.thumbnailUrl
            && deletionUrl == o.deletionUrl && errorMessage == o.errorMessage && missingSecrets == o.missingSecrets;
}

bool looksSecret(SecretField field, const QString &name)
{
    const QString lower = name.toLower();
    if (field == SecretField::Header
        && (lower == QLatin1String("authorization") || lower == QLatin1String("proxy-authorization")
            || lower == QLatin1String("cookie")))
        return true;
    // Parts of names, so that "api_key", "X-Auth-Token" and "userPassword" all count; a false
    // alarm only costs a value kept in the keyring.
    static const QRegularExpression secretWords(
            QStringLiteral("key|token|secret|passw|pwd|auth|session|signature|credential"));
    return secretWords.match(lower).hasMatch();
}

QList<SecretRef> secretsOf(const Destination &destination)
{
    QList<SecretRef> refs;
    for (const SecretField field : {SecretField::Parameter, SecretField::Header, SecretField::Argument}) {
        for (const NamedValue &value : valuesOf(destination, field)) {
            if (!value.value.isEmpty() && looksSecret(field, value.name))
                refs.append({field, value.name});
        }
    }
    return refs;
}

QString valueOf(const Destination &destination, const SecretRef &ref)
{
    for (const NamedValue &value : valuesOf(destination, ref.field)) {
        if (value.name == ref.name)
            return value.value.isNull() ? QLatin1String("") : value.value;
    }
    return QString();
}

void setValue(Destination &destination, const SecretRef &ref, const QString &value)
{
    for (NamedValue &named : valuesOf(destination, ref.field)) {
        if (named.name == ref.name)
            named.value = value;
    }
}

QString hostOf(const QString &requestUrl)
{
    const QUrl url(requestUrl, QUrl::StrictMode);
    if (url.isValid() && !url.host().isEmpty())
        return url.host();
    // An address with a template in its host: show what stands there.
    static const QRegularExpression authority(
            QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]*://(?:[^/?#@]*@)?(\\[[^\\]]*\\]|[^/?#]*?)(?::\\d*)?(?:[/?#]|$)"));
    const QRegularExpressionMatch match = authority.match(requestUrl);
    return match.hasMatch() ? match.captured(1) : QString();
}

QString cleanName(const QString &name)
{
    QString clean = name;
    for (QChar &c : clean) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = u' ';
    }
    return clean.simplified();
}

} // namespace tarvello
