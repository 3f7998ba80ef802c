#include "base/customanswer.h"

#include "base/reply.h"

namespace tarvello {

AnswerReading readAnswer(const Destination &d, const Answer &answer, const QHash<QString, QString> &choices,
                         const QStringList &secrets)
{
    QHash<QString, QString> settled = choices;
    TemplateEvaluator evaluator(d.syntax, d.regexList, settled);
    evaluator.setAnswer(&answer);
    auto expand = [&](const QString &text) {
        return evaluator.evaluate(parseTemplate(text, d.syntax).value_or(Template()));
    };

    AnswerReading reading;
    reading.status = answer.status;
    // As for the built-in host, an empty URL means the answer is the link.
    const QString linkText = d.url.isEmpty() ? QString::fromUtf8(answer.body).trimmed() : expand(d.url).trimmed();
    reading.link = usableLink(linkText, true, secrets);
    if (!d.thumbnailUrl.isEmpty())
        reading.thumbnail = usableLink(expand(d.thumbnailUrl), true, secrets);
    if (!d.deletionUrl.isEmpty())
        reading.deletion = usableLink(expand(d.deletionUrl), true, secrets);
    if (!d.errorMessage.isEmpty())
        reading.errorMessage = withoutSecrets(expand(d.errorMessage).trimmed(), secrets);

    const bool success = answer.status >= 200 && answer.status < 400;
    if (!success)
        reading.outcome = AnswerReading::HostError;
    else if (reading.link)
        reading.outcome = AnswerReading::Uploaded;
    else
        reading.outcome = AnswerReading::NoLink;
    if (reading.outcome != AnswerReading::Uploaded) {
        reading.link.reset();
        reading.thumbnail.reset();
        reading.deletion.reset();
        reading.linkText = withoutSecrets(linkText, secrets);
    }
    return reading;
}

} // namespace tarvello
