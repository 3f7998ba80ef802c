#include "base/sxcu.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QRegularExpression>
#include <QSet>

#include "base/regularfile.h"

namespace tarvello {

namespace {

const QString parametersKey = QStringLiteral("Parameters");
const QString headersKey = QStringLiteral("Headers");
const QString argumentsKey = QStringLiteral("Arguments");

SxcuRefusal refusal(SxcuRefusal::Kind kind, const QString &field = QString(), const QString &detail = QString(),
                    qint64 number = -1)
{
    SxcuRefusal r;
    r.kind = kind;
    r.field = field;
    r.detail = detail;
    r.number = number;
    return r;
}

// The keys of a top-level member's object in the order the file gives them; QJsonObject sorts
// them, and hosts may care about the order of headers and form fields. The text is valid JSON.
QStringList keyOrder(const QByteArray &json, const QString &member)
{
    QStringList keys;
    QString lastTopKey;
    bool inMember = false;
    int depth = 0;
    const qsizetype n = json.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char c = json[i];
        if (c == '"') {
            const qsizetype start = i++;
            while (i < n && json[i] != '"')
                i += json[i] == '\\' ? 2 : 1;
            const QString text =
                    QJsonDocument::fromJson('[' + json.mid(start, i - start + 1) + ']').array().at(0).toString();
            qsizetype next = i + 1;
            while (next < n && QChar::isSpace(uchar(json[next])))
                ++next;
            if (next < n && json[next] == ':') {
                if (depth == 1)
                    lastTopKey = text;
                else if (depth == 2 && inMember)
                    keys.append(text);
            }
        } else if (c == '{' || c == '[') {
            if (depth == 1) {
                inMember = c == '{' && lastTopKey == member;
                if (inMember)
                    keys.clear(); // a repeated member: the last one counts, as for QJsonObject
            }
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
            if (depth == 1)
                inMember = false;
        }
    }
    keys.removeDuplicates();
    return keys;
}

std::optional<QString> scalarText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', 15);
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Null:
        return QString(QLatin1String(""));
    default:
        return std::nullopt;
    }
}

bool readNamedValues(const QJsonObject &root, const QByteArray &json, const QString &member, QList<NamedValue> &out)
{
    const QJsonValue value = root.value(member);
    if (value.isUndefined() || value.isNull())
        return true;
    if (!value.isObject())
        return false;
    const QJsonObject object = value.toObject();
    QStringList keys = keyOrder(json, member);
    // Whatever the scan missed still counts, after the rest.
    for (const QString &key : object.keys()) {
        if (!keys.contains(key))
            keys.append(key);
    }
    for (const QString &key : std::as_const(keys)) {
        const auto text = scalarText(object.value(key));
        if (!text)
            return false;
        out.append({key, *text});
    }
    return true;
}

std::optional<QString> stringField(const QJsonObject &root, const QString &key, bool *ok)
{
    const QJsonValue value = root.value(key);
    if (value.isUndefined() || value.isNull())
        return QString();
    if (!value.isString()) {
        *ok = false;
        return std::nullopt;
    }
    return value.toString();
}

bool isHttpAddress(const QString &url)
{
    static const QRegularExpression http(QStringLiteral("^https?://[^/?#\\s]"),
                                         QRegularExpression::CaseInsensitiveOption);
    return http.match(url).hasMatch();
}

bool isToken(const QString &name)
{
    static const QRegularExpression token(QStringLiteral("^[!#$%&'*+.^_`|~0-9A-Za-z-]+$"));
    return token.match(name).hasMatch();
}

// Headers that shape the connection itself: a destination that set them could send the request
// somewhere else or corrupt its framing.
bool headerAllowed(const QString &name)
{
    static const QSet<QString> reserved{QStringLiteral("host"), QStringLiteral("transfer-encoding"),
                                        QStringLiteral("connection"), QStringLiteral("upgrade"),
                                        QStringLiteral("te"), QStringLiteral("trailer"),
                                        QStringLiteral("keep-alive"), QStringLiteral("proxy-connection"),
                                        QStringLiteral("expect")};
    return !reserved.contains(name.toLower());
}

bool hasControl(const QString &text)
{
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == QChar(0))
            return true;
    }
    return false;
}

SxcuRefusal checkField(const QString &field, const QString &text, TemplatePlace place, const Destination &d)
{
    TemplateProblem problem;
    const auto parsed = parseTemplate(text, d.syntax, &problem);
    if (parsed)
        problem = checkTemplate(*parsed, place, d.syntax, d.regexList);
    if (problem.kind == TemplateProblem::None)
        return {};
    SxcuRefusal r = refusal(SxcuRefusal::BadTemplate, field);
    r.problem = problem;
    return r;
}

QByteArray jsonString(const QString &text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

void writeObject(QByteArray &out, const char *key, const QList<NamedValue> &values)
{
    if (values.isEmpty())
        return;
    out += QByteArray("  \"") + key + "\": {\n";
    for (qsizetype i = 0; i < values.size(); ++i) {
        out += "    " + jsonString(values[i].name) + ": " + jsonString(values[i].value);
        out += i + 1 < values.size() ? ",\n" : "\n";
    }
    out += "  },\n";
}

void writeString(QByteArray &out, const char *key, const QString &value)
{
    if (!value.isEmpty())
        out += QByteArray("  \"") + key + "\": " + jsonString(value) + ",\n";
}

} // namespace

TemplateSyntax syntaxOf(const QString &version, const QStringList &templates)
{
    if (!version.isEmpty()) {
        bool ok = false;
        const int major = version.section(u'.', 0, 0).trimmed().toInt(&ok);
        if (ok)
            return major >= 14 ? TemplateSyntax::Braces : TemplateSyntax::Dollars;
    }
    static const QRegularExpression dollarCall(
            QStringLiteral("(?<!\\\\)\\$(json|xml|regex|response|responseurl|header|filename|random|select|prompt|"
                           "base64|input|\\d+)[:$,]"));
    for (const QString &text : templates) {
        if (dollarCall.match(text).hasMatch())
            return TemplateSyntax::Dollars;
    }
    return TemplateSyntax::Braces;
}

SxcuRefusal validateDestination(const Destination &d)
{
    if (d.builtIn)
        return {};
    if (d.name.compare(QLatin1String(builtInDestinationName), Qt::CaseInsensitive) == 0)
        return refusal(SxcuRefusal::ReservedName, QStringLiteral("Name"), d.name);
    if (d.method != "POST" && d.method != "PUT" && d.method != "PATCH")
        return refusal(SxcuRefusal::MethodNotAllowed, QStringLiteral("RequestMethod"), QString::fromLatin1(d.method));
    if (!isHttpAddress(d.requestUrl))
        return refusal(SxcuRefusal::NotHttpAddress, QStringLiteral("RequestURL"), d.requestUrl);
    if (d.body == Destination::Body::MultipartFormData && d.fileFormName.isEmpty())
        return refusal(SxcuRefusal::NoFileFormName, QStringLiteral("FileFormName"));
    for (qsizetype i = 0; i < d.regexList.size(); ++i) {
        const QRegularExpression re(d.regexList[i]);
        if (!re.isValid() || d.regexList[i].isEmpty())
            return refusal(SxcuRefusal::BadRegexList, QStringLiteral("RegexList"), d.regexList[i], i + 1);
    }
    for (const NamedValue &header : d.headers) {
        if (!isToken(header.name))
            return refusal(SxcuRefusal::BadHeaderName, headersKey, header.name);
        if (!headerAllowed(header.name))
            return refusal(SxcuRefusal::HeaderNotAllowed, headersKey, header.name);
        if (hasControl(header.value))
            return refusal(SxcuRefusal::BadHeaderValue, headersKey, header.name);
    }

    if (SxcuRefusal r = checkField(QStringLiteral("RequestURL"), d.requestUrl, TemplatePlace::Request, d);
        r.kind != SxcuRefusal::None)
        return r;
    const QList<std::pair<QString, const QList<NamedValue> *>> groups{
            {parametersKey, &d.parameters}, {headersKey, &d.headers}, {argumentsKey, &d.arguments}};
    for (const auto &[key, values] : groups) {
        for (const NamedValue &value : *values) {
            if (SxcuRefusal r = checkField(key + QLatin1String(": ") + value.name, value.value,
                                           TemplatePlace::Request, d);
                r.kind != SxcuRefusal::None)
                return r;
        }
    }
    const QList<std::pair<QString, QString>> answerFields{{QStringLiteral("URL"), d.url},
                                                          {QStringLiteral("ThumbnailURL"), d.thumbnailUrl},
                                                          {QStringLiteral("DeletionURL"), d.deletionUrl},
                                                          {QStringLiteral("ErrorMessage"), d.errorMessage}};
    for (const auto &[field, text] : answerFields) {
        if (SxcuRefusal r = checkField(field, text, TemplatePlace::Answer, d); r.kind != SxcuRefusal::None)
            return r;
    }
    return {};
}

SxcuReading readSxcu(const QByteArray &given)
{
    SxcuReading reading;
    // Files written on Windows often start with a byte-order mark, which JSON does not allow.
    const QByteArray data = given.startsWith("\xef\xbb\xbf") ? given.mid(3) : given;
    if (data.size() > maxSxcuBytes) {
        reading.refusal = refusal(SxcuRefusal::TooLarge, QString(), QString(), data.size());
        return reading;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        reading.refusal = refusal(SxcuRefusal::BrokenJson, QString(), QString(), error.offset);
        return reading;
    }
    if (!document.isObject()) {
        reading.refusal = refusal(SxcuRefusal::NotAnObject);
        return reading;
    }
    const QJsonObject root = document.object();
    Destination d;
    bool ok = true;
    auto text = [&](const char *key) -> QString {
        const QString name = QString::fromLatin1(key);
        const auto value = stringField(root, name, &ok);
        if (!value && reading.refusal.kind == SxcuRefusal::None)
            reading.refusal = refusal(SxcuRefusal::BadField, name);
        return value.value_or(QString());
    };
    d.version = text("Version");
    d.name = cleanName(text("Name"));
    d.destinationType = text("DestinationType");
    QString method = text("RequestMethod");
    if (method.isEmpty())
        method = text("RequestType"); // what the oldest files call it
    d.method = method.isEmpty() ? QByteArray("POST") : method.trimmed().toUpper().toLatin1();
    d.requestUrl = text("RequestURL").trimmed();
    const QString body = text("Body");
    d.fileFormName = text("FileFormName");
    d.url = text("URL");
    d.thumbnailUrl = text("ThumbnailURL");
    d.deletionUrl = text("DeletionURL");
    d.errorMessage = text("ErrorMessage");
    if (!ok)
        return reading;
    for (const QString &key : {parametersKey, headersKey, argumentsKey}) {
        QList<NamedValue> &into = key == parametersKey ? d.parameters : key == headersKey ? d.headers : d.arguments;
        if (!readNamedValues(root, data, key, into)) {
            reading.refusal = refusal(SxcuRefusal::BadField, key);
            return reading;
        }
    }
    if (const QJsonValue list = root.value(QStringLiteral("RegexList")); !list.isUndefined() && !list.isNull()) {
        if (!list.isArray()) {
            reading.refusal = refusal(SxcuRefusal::BadField, QStringLiteral("RegexList"));
            return reading;
        }
        for (const QJsonValue &entry : list.toArray()) {
            if (!entry.isString()) {
                reading.refusal = refusal(SxcuRefusal::BadField, QStringLiteral("RegexList"));
                return reading;
            }
            d.regexList.append(entry.toString());
        }
    }

    // Without a Body, older files mean a form when they name a file field.
    static const QSet<QString> bodiesWithoutFile{QStringLiteral("None"), QStringLiteral("FormURLEncoded"),
                                                 QStringLiteral("JSON"), QStringLiteral("XML")};
    bool hasFile = false;
    if (body == QLatin1String("MultipartFormData") || (body.isEmpty() && !d.fileFormName.isEmpty())) {
        d.body = Destination::Body::MultipartFormData;
        hasFile = !d.fileFormName.isEmpty();
    } else if (body == QLatin1String("Binary")) {
        d.body = Destination::Body::Binary;
        hasFile = true;
    } else if (!body.isEmpty() && !bodiesWithoutFile.contains(body)) {
        reading.refusal = refusal(SxcuRefusal::BadField, QStringLiteral("Body"), body);
        return reading;
    }

    QSet<QString> types;
    for (const QString &type : d.destinationType.split(u',', Qt::SkipEmptyParts))
        types.insert(type.trimmed());
    types.remove(QStringLiteral("None"));
    const bool image = types.contains(QStringLiteral("ImageUploader")) || types.contains(QStringLiteral("FileUploader"))
            || (types.isEmpty() && hasFile);
    if (!image) {
        reading.refusal = refusal(SxcuRefusal::NotImageDestination, QStringLiteral("DestinationType"),
                                  d.destinationType);
        return reading;
    }
    if (body.isEmpty() ? d.fileFormName.isEmpty() : bodiesWithoutFile.contains(body)) {
        reading.refusal = refusal(SxcuRefusal::BodyWithoutFile, QStringLiteral("Body"),
                                  body.isEmpty() ? QStringLiteral("None") : body);
        return reading;
    }

    QStringList templates{d.requestUrl, d.url, d.thumbnailUrl, d.deletionUrl, d.errorMessage};
    for (const QList<NamedValue> *values : {&d.parameters, &d.headers, &d.arguments}) {
        for (const NamedValue &value : *values)
            templates.append(value.value);
    }
    d.syntax = syntaxOf(d.version, templates);
    if (d.name.isEmpty())
        d.name = cleanName(hostOf(d.requestUrl));

    reading.refusal = validateDestination(d);
    if (reading.refusal.kind == SxcuRefusal::None && d.name.isEmpty())
        reading.refusal = refusal(SxcuRefusal::NotHttpAddress, QStringLiteral("RequestURL"), d.requestUrl);
    if (reading.refusal.kind == SxcuRefusal::None)
        reading.destination = d;
    return reading;
}

SxcuReading readSxcuFile(const QString &path)
{
    SxcuReading reading;
    QFile file;
    switch (openPlainFile(file, path)) {
    case PlainFileRefusal::None:
        break;
    case PlainFileRefusal::Missing:
        reading.refusal = refusal(SxcuRefusal::Missing, QString(), path);
        return reading;
    case PlainFileRefusal::Unreadable:
        reading.refusal = refusal(SxcuRefusal::Unreadable, QString(), path);
        return reading;
    case PlainFileRefusal::Link:
        reading.refusal = refusal(SxcuRefusal::Link, QString(), path);
        return reading;
    case PlainFileRefusal::NotRegular:
        reading.refusal = refusal(SxcuRefusal::NotAFile, QString(), path);
        return reading;
    }
    // One byte past the cap tells a file too large without reading all of it.
    const QByteArray data = file.read(maxSxcuBytes + 1);
    if (data.size() > maxSxcuBytes) {
        reading.refusal = refusal(SxcuRefusal::TooLarge, QString(), path, file.size());
        return reading;
    }
    return readSxcu(data);
}

QByteArray writeSxcu(const Destination &destination, bool withSecrets)
{
    Destination d = destination;
    if (!withSecrets) {
        for (const SecretRef &ref : secretsOf(d))
            setValue(d, ref, QLatin1String(""));
    }
    QByteArray out = "{\n";
    writeString(out, "Version", d.version);
    writeString(out, "Name", d.name);
    writeString(out, "DestinationType", d.destinationType);
    writeString(out, "RequestMethod", QString::fromLatin1(d.method));
    writeString(out, "RequestURL", d.requestUrl);
    writeObject(out, "Parameters", d.parameters);
    writeObject(out, "Headers", d.headers);
    const bool multipart = d.body == Destination::Body::MultipartFormData;
    writeString(out, "Body", multipart ? QStringLiteral("MultipartFormData") : QStringLiteral("Binary"));
    writeObject(out, "Arguments", d.arguments);
    if (multipart)
        writeString(out, "FileFormName", d.fileFormName);
    if (!d.regexList.isEmpty()) {
        out += "  \"RegexList\": [\n";
        for (qsizetype i = 0; i < d.regexList.size(); ++i)
            out += "    " + jsonString(d.regexList[i]) + (i + 1 < d.regexList.size() ? ",\n" : "\n");
        out += "  ],\n";
    }
    writeString(out, "URL", d.url);
    writeString(out, "ThumbnailURL", d.thumbnailUrl);
    writeString(out, "DeletionURL", d.deletionUrl);
    writeString(out, "ErrorMessage", d.errorMessage);
    out.chop(2); // the last ",\n"
    out += "\n}\n";
    return out;
}

} // namespace tarvello
