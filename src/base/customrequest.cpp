#include "base/customrequest.h"

#include <QFile>
#include <QRandomGenerator>
#include <QUrlQuery>

#include "base/regularfile.h"
#include "base/reply.h"

namespace tarvello {

namespace {

bool hasLineBreak(const QString &text)
{
    return text.contains(u'\r') || text.contains(u'\n') || text.contains(QChar(0));
}

QByteArray randomBoundary()
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QByteArray boundary = "tarvello-";
    for (int i = 0; i < 24; ++i)
        boundary += alphabet[QRandomGenerator::global()->bounded(int(sizeof alphabet - 1))];
    return boundary;
}

// The texts under which a secret value may show up again: as sent, without the scheme word of
// "Bearer x" or "Basic x", and what a {base64:...} in it encoded.
void addSecretForms(QStringList &secrets, const QString &value, const Template &parsed, TemplateEvaluator &evaluator)
{
    if (value.isEmpty())
        return;
    secrets.append(value);
    if (const qsizetype space = value.indexOf(u' '); space > 0 && space + 1 < value.size())
        secrets.append(value.mid(space + 1));
    for (const TemplatePart &part : parsed) {
        if (part.kind.compare(QLatin1String("base64"), Qt::CaseInsensitive) != 0)
            continue;
        QStringList args;
        for (const Template &arg : part.args)
            args.append(evaluator.evaluate(arg));
        secrets.append(args.join(u'|'));
    }
}

} // namespace

QByteArray formFieldName(const QString &name)
{
    QByteArray utf8 = name.toUtf8();
    utf8.replace('"', "%22").replace('\r', "%0D").replace('\n', "%0A");
    return utf8;
}

QByteArray freshBoundary(const QString &filePath, const QList<QByteArray> &parts, const QByteArray &candidate)
{
    QFile file;
    const qint64 size = !filePath.isEmpty() && openRegularFile(file, filePath) ? file.size() : 0;
    // Mapped, the search costs about one read of the file from the cache.
    const uchar *data = size > 0 ? file.map(0, size) : nullptr;
    const QByteArrayView content(reinterpret_cast<const char *>(data), data ? size : 0);
    auto clashes = [&](const QByteArray &boundary) {
        const QByteArray delimiter = "--" + boundary;
        if (content.contains(delimiter))
            return true;
        for (const QByteArray &part : parts) {
            if (part.contains(delimiter))
                return true;
        }
        return false;
    };
    QByteArray boundary = candidate.isEmpty() ? randomBoundary() : candidate;
    while (clashes(boundary))
        boundary = randomBoundary();
    return boundary;
}

RequestPreparation prepareRequest(const Destination &d, const UploadFile &file, const Asker &asker,
                                  const QByteArray &boundary)
{
    RequestPreparation preparation;
    RequestFailure &failure = preparation.failure;
    if (d.builtIn) {
        failure.kind = RequestFailure::BuiltIn;
        return preparation;
    }
    if (const SxcuRefusal refusal = validateDestination(d); refusal.kind != SxcuRefusal::None) {
        failure.kind = RequestFailure::Invalid;
        failure.refusal = refusal;
        return preparation;
    }
    if (!d.missingSecrets.isEmpty()) {
        failure.kind = RequestFailure::SecretsMissing;
        failure.detail = d.missingSecrets.join(QLatin1String(", "));
        return preparation;
    }

    PreparedRequest request;
    request.method = d.method;
    TemplateEvaluator evaluator(d.syntax, d.regexList, request.choices);
    evaluator.setFileName(file.name);
    evaluator.setAsker(asker);
    // validateDestination parsed every template already.
    auto parsed = [&](const QString &text) { return parseTemplate(text, d.syntax).value_or(Template()); };
    auto expand = [&](const QString &text) { return evaluator.evaluate(parsed(text)); };

    const QString address = expand(d.requestUrl);
    QList<std::pair<QString, QString>> parameters;
    for (const NamedValue &parameter : d.parameters)
        parameters.append({parameter.name, expand(parameter.value)});
    QList<std::pair<QString, QString>> headers;
    for (const NamedValue &header : d.headers)
        headers.append({header.name, expand(header.value)});
    QList<std::pair<QString, QString>> arguments;
    for (const NamedValue &argument : d.arguments)
        arguments.append({argument.name, expand(argument.value)});
    for (const QString &answerField : {d.url, d.thumbnailUrl, d.deletionUrl, d.errorMessage})
        evaluator.settleChoices(parsed(answerField));
    if (const auto unanswered = evaluator.unanswered()) {
        failure.kind = RequestFailure::Unanswered;
        failure.detail = *unanswered;
        return preparation;
    }

    for (const SecretRef &ref : secretsOf(d)) {
        const QString text = valueOf(d, ref);
        QString value;
        const QList<std::pair<QString, QString>> &expanded = ref.field == SecretField::Parameter ? parameters
                : ref.field == SecretField::Header                                                ? headers
                                                                                                  : arguments;
        for (const auto &[name, v] : expanded) {
            if (name == ref.name)
                value = v;
        }
        addSecretForms(request.secrets, value, parsed(text), evaluator);
    }

    QUrl url(address, QUrl::TolerantMode);
    if (!url.password().isEmpty())
        request.secrets.append(url.password());
    for (const auto &[name, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (looksSecret(SecretField::Parameter, name) && !value.isEmpty())
            request.secrets.append(value);
    }
    request.secrets.removeDuplicates();
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.host().isEmpty()) {
        failure.kind = RequestFailure::BadAddress;
        failure.detail = withoutSecrets(address, request.secrets);
        return preparation;
    }
    if (!parameters.isEmpty()) {
        QByteArray query = url.query(QUrl::FullyEncoded).toLatin1();
        for (const auto &[name, value] : parameters) {
            if (!query.isEmpty())
                query += '&';
            query += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
        }
        url.setQuery(QString::fromLatin1(query), QUrl::TolerantMode);
    }
    request.url = url;

    const bool multipart = d.body == Destination::Body::MultipartFormData;
    QByteArray contentType;
    for (const auto &[name, value] : headers) {
        if (hasLineBreak(value)) {
            failure.kind = RequestFailure::BadHeaderValue;
            failure.detail = name;
            return preparation;
        }
        // The body's length is the network layer's to state.
        if (name.compare(QLatin1String("Content-Length"), Qt::CaseInsensitive) == 0)
            continue;
        if (name.compare(QLatin1String("Content-Type"), Qt::CaseInsensitive) == 0) {
            // A form's type must carry the boundary made here; a binary body may be typed by the file.
            if (!multipart)
                contentType = value.toUtf8();
            continue;
        }
        request.headers.append({name.toLatin1(), value.toUtf8()});
    }

    if (multipart) {
        QList<QByteArray> parts;
        for (const auto &[name, value] : arguments)
            parts << formFieldName(name) << value.toUtf8();
        parts << formFieldName(d.fileFormName) << formFieldName(file.name) << file.mimeType;
        const QByteArray b = freshBoundary(file.path, parts, boundary);
        const QByteArray delimiter = "--" + b + "\r\n";
        for (const auto &[name, value] : arguments) {
            request.head += delimiter;
            request.head += "Content-Disposition: form-data; name=\"" + formFieldName(name) + "\"\r\n\r\n";
            request.head += value.toUtf8() + "\r\n";
        }
        request.head += delimiter;
        request.head += "Content-Disposition: form-data; name=\"" + formFieldName(d.fileFormName) + "\"; filename=\""
                + formFieldName(file.name) + "\"\r\n";
        request.head += "Content-Type: "
                + (file.mimeType.isEmpty() ? QByteArray("application/octet-stream") : file.mimeType) + "\r\n\r\n";
        request.tail = "\r\n--" + b + "--\r\n";
        contentType = "multipart/form-data; boundary=" + b;
    } else if (contentType.isEmpty()) {
        contentType = file.mimeType.isEmpty() ? QByteArray("application/octet-stream") : file.mimeType;
    }
    request.headers.append({"Content-Type", contentType});
    preparation.request = request;
    return preparation;
}

} // namespace tarvello
