#include "base/uploadtemplate.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamReader>

#include <cmath>

namespace tarvello {

namespace {

bool escapable(QChar c)
{
    return c == u'{' || c == u'}' || c == u'|' || c == u'\\' || c == u'$';
}

// A backslash before a character that needs none stays, so that a pattern's "\d" written
// without doubling the backslash still means what its author meant.
QString unescaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && escapable(text[i + 1]))
            ++i;
        out += text[i];
    }
    return out;
}

Template literal(const QString &text)
{
    if (text.isEmpty())
        return {};
    TemplatePart part;
    part.text = text;
    return {part};
}

class Parser
{
public:
    Parser(const QString &text, TemplateProblem *problem)
        : m_text(text)
        , m_problem(problem)
    {
    }

    std::optional<Template> braces()
    {
        Template out;
        if (!sequence(out, false))
            return std::nullopt;
        return out;
    }

    std::optional<Template> dollars()
    {
        Template out;
        QString text;
        auto flush = [&] {
            if (!text.isEmpty())
                out.append(literal(text));
            text.clear();
        };
        const qsizetype n = m_text.size();
        while (m_pos < n) {
            const QChar c = m_text[m_pos];
            if (c == u'\\' && m_pos + 1 < n && escapable(m_text[m_pos + 1])) {
                text += m_text[m_pos + 1];
                m_pos += 2;
                continue;
            }
            if (c != u'$') {
                text += c;
                ++m_pos;
                continue;
            }
            flush();
            const qsizetype start = m_pos++;
            QString content; // escapes kept until the arguments are split
            bool closed = false;
            while (m_pos < n) {
                const QChar d = m_text[m_pos];
                if (d == u'\\' && m_pos + 1 < n && escapable(m_text[m_pos + 1])) {
                    content += d;
                    content += m_text[m_pos + 1];
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                if (d == u'$') {
                    closed = true;
                    break;
                }
                content += d;
            }
            if (!closed)
                return fail(TemplateProblem::Unterminated, m_text.mid(start, 20), start);
            out.append(dollarCall(content, m_text.mid(start, m_pos - start)));
        }
        flush();
        return out;
    }

private:
    static TemplatePart dollarCall(const QString &content, const QString &source)
    {
        TemplatePart part;
        part.source = source;
        const qsizetype colon = content.indexOf(u':');
        part.kind = colon < 0 ? content : content.left(colon);
        QStringList args;
        if (colon >= 0) {
            // Split at the bars that are not escaped.
            QString current;
            const QString rest = content.mid(colon + 1);
            for (qsizetype i = 0; i < rest.size(); ++i) {
                if (rest[i] == u'\\' && i + 1 < rest.size()) {
                    current += rest[i];
                    current += rest[++i];
                } else if (rest[i] == u'|') {
                    args.append(current);
                    current.clear();
                } else {
                    current += rest[i];
                }
            }
            args.append(current);
        }
        // The oldest files name a regex of the list by its number alone: $1$, $2,name$.
        static const QRegularExpression legacy(QStringLiteral("^(\\d+)(?:,(.*))?$"));
        if (const auto match = legacy.match(part.kind); match.hasMatch() && colon < 0) {
            part.kind = QStringLiteral("regex");
            args = {match.captured(1)};
            if (match.hasCaptured(2))
                args.append(match.captured(2));
        }
        for (const QString &arg : std::as_const(args))
            part.args.append(literal(unescaped(arg)));
        return part;
    }

    // Reads literal text and calls up to the end, or inside a call up to its next '|' or '}'.
    bool sequence(Template &out, bool inCall)
    {
        QString text;
        auto flush = [&] {
            if (!text.isEmpty())
                out.append(literal(text));
            text.clear();
        };
        const qsizetype n = m_text.size();
        while (m_pos < n) {
            const QChar c = m_text[m_pos];
            if (c == u'\\' && m_pos + 1 < n && escapable(m_text[m_pos + 1])) {
                text += m_text[m_pos + 1];
                m_pos += 2;
            } else if (c == u'{') {
                flush();
                TemplatePart part;
                if (!braceCall(part))
                    return false;
                out.append(part);
            } else if (inCall && (c == u'|' || c == u'}')) {
                break;
            } else {
                text += c;
                ++m_pos;
            }
        }
        flush();
        return true;
    }

    bool braceCall(TemplatePart &part)
    {
        const qsizetype start = m_pos++;
        const qsizetype n = m_text.size();
        while (m_pos < n && m_text[m_pos] != u':' && m_text[m_pos] != u'}' && m_text[m_pos] != u'{'
               && m_text[m_pos] != u'|')
            ++m_pos;
        if (m_pos >= n)
            return failed(TemplateProblem::Unterminated, m_text.mid(start, 20), start);
        part.kind = m_text.mid(start + 1, m_pos - start - 1);
        if (m_text[m_pos] == u'{' || m_text[m_pos] == u'|')
            return failed(TemplateProblem::Unknown, m_text.mid(start, m_pos - start + 1), start);
        if (m_text[m_pos++] == u':') {
            for (;;) {
                Template arg;
                if (!sequence(arg, true))
                    return false;
                part.args.append(arg);
                if (m_pos >= n)
                    return failed(TemplateProblem::Unterminated, m_text.mid(start, 20), start);
                if (m_text[m_pos++] == u'}')
                    break;
            }
        }
        part.source = m_text.mid(start, m_pos - start);
        return true;
    }

    bool failed(TemplateProblem::Kind kind, const QString &name, qsizetype offset)
    {
        if (m_problem)
            *m_problem = {kind, name, offset, QString()};
        return false;
    }

    std::optional<Template> fail(TemplateProblem::Kind kind, const QString &name, qsizetype offset)
    {
        failed(kind, name, offset);
        return std::nullopt;
    }

    const QString &m_text;
    TemplateProblem *m_problem;
    qsizetype m_pos = 0;
};

// Literal text has no source; every call, even a malformed "{}", has one.
bool isCall(const TemplatePart &part)
{
    return !part.source.isEmpty();
}

std::optional<QString> literalText(const Template &arg)
{
    QString text;
    for (const TemplatePart &part : arg) {
        if (isCall(part))
            return std::nullopt;
        text += part.text;
    }
    return text;
}

const QSet<QString> &answerKinds()
{
    static const QSet<QString> kinds{QStringLiteral("response"), QStringLiteral("responseurl"),
                                     QStringLiteral("header"), QStringLiteral("json"), QStringLiteral("xml"),
                                     QStringLiteral("regex")};
    return kinds;
}

const QSet<QString> &requestKinds()
{
    static const QSet<QString> kinds{QStringLiteral("filename"), QStringLiteral("random"), QStringLiteral("select"),
                                     QStringLiteral("prompt"), QStringLiteral("base64")};
    return kinds;
}

// A group given by number must exist; one given by name must be named in the pattern.
bool hasGroup(const QRegularExpression &re, const QString &group)
{
    bool number = false;
    const int index = group.toInt(&number);
    if (number)
        return index >= 0 && index <= re.captureCount();
    return re.namedCaptureGroups().contains(group);
}

TemplateProblem problemAt(TemplateProblem::Kind kind, const TemplatePart &part, const QString &detail = QString())
{
    return {kind, part.kind.isEmpty() ? part.source : part.kind, -1, detail};
}

struct JsonStep
{
    QString name;
    int index = -1;
};

std::optional<QList<JsonStep>> parseJsonPath(const QString &path)
{
    QList<JsonStep> steps;
    const qsizetype n = path.size();
    qsizetype i = 0;
    if (path.startsWith(u'$'))
        i = 1;
    if (n == 0)
        return std::nullopt;
    auto name = [&](QList<JsonStep> &into) {
        const qsizetype start = i;
        while (i < n && path[i] != u'.' && path[i] != u'[')
            ++i;
        if (i == start)
            return false;
        into.append({path.mid(start, i - start), -1});
        return true;
    };
    if (i == 0 && path[0] != u'[' && !name(steps))
        return std::nullopt;
    while (i < n) {
        if (path[i] == u'.') {
            ++i;
            if (!name(steps))
                return std::nullopt;
        } else if (path[i] == u'[') {
            ++i;
            if (i < n && (path[i] == u'\'' || path[i] == u'"')) {
                const QChar quote = path[i++];
                const qsizetype start = i;
                while (i < n && path[i] != quote)
                    ++i;
                if (i + 1 >= n || path[i + 1] != u']')
                    return std::nullopt;
                steps.append({path.mid(start, i - start), -1});
                i += 2;
            } else {
                const qsizetype start = i;
                while (i < n && path[i].isDigit())
                    ++i;
                if (i == start || i >= n || path[i] != u']')
                    return std::nullopt;
                steps.append({QString(), path.mid(start, i - start).toInt()});
                ++i;
            }
        } else {
            return std::nullopt;
        }
    }
    return steps;
}

QString jsonText(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Double: {
        const double d = value.toDouble();
        if (std::floor(d) == d && std::fabs(d) < 1e15)
            return QString::number(qint64(d));
        return QString::number(d, 'g', 15);
    }
    case QJsonValue::Array:
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Null:
    case QJsonValue::Undefined:
        break;
    }
    return QString();
}

struct XmlStep
{
    bool descendant = false;
    QString name; // "*" for any element
    int position = 0; // 1-based among the parent's children that match the name; 0 for any
};

struct XmlPath
{
    QList<XmlStep> steps;
    QString attribute;
    bool textOnly = false;
};

std::optional<XmlPath> parseXmlPath(const QString &path)
{
    XmlPath parsed;
    const qsizetype n = path.size();
    qsizetype i = 0;
    bool ended = false; // after an attribute or text(), nothing may follow
    while (i < n) {
        if (ended)
            return std::nullopt;
        XmlStep step;
        if (path.mid(i, 2) == QLatin1String("//")) {
            step.descendant = true;
            i += 2;
        } else if (path[i] == u'/') {
            ++i;
        } else if (i != 0) {
            return std::nullopt;
        }
        const qsizetype start = i;
        while (i < n && path[i] != u'/')
            ++i;
        const QString token = path.mid(start, i - start);
        if (token.startsWith(u'@') && token.size() > 1 && !step.descendant) {
            parsed.attribute = token.mid(1);
            ended = true;
            continue;
        }
        if (token == QLatin1String("text()") && !step.descendant) {
            parsed.textOnly = true;
            ended = true;
            continue;
        }
        static const QRegularExpression stepForm(QStringLiteral("^([^\\[\\]@()]+)(?:\\[(\\d+)\\])?$"));
        const auto match = stepForm.match(token);
        if (!match.hasMatch())
            return std::nullopt;
        step.name = match.captured(1);
        step.position = match.captured(2).toInt();
        if (match.hasCaptured(2) && step.position < 1)
            return std::nullopt;
        parsed.steps.append(step);
    }
    if (parsed.steps.isEmpty())
        return std::nullopt;
    return parsed;
}

struct XmlLevel
{
    QString name;
    int position = 1; // among siblings of the same name
    int anyPosition = 1; // among all siblings
    QHash<QString, int> children;
    int anyChildren = 0;
};

bool stepMatches(const XmlStep &step, const XmlLevel &level)
{
    if (step.name == QLatin1String("*"))
        return step.position == 0 || step.position == level.anyPosition;
    return step.name == level.name && (step.position == 0 || step.position == level.position);
}

bool chainMatches(const QList<XmlLevel> &chain, qsizetype i, const QList<XmlStep> &steps, qsizetype j)
{
    if (j == steps.size())
        return i == chain.size();
    if (i >= chain.size())
        return false;
    const XmlStep &step = steps[j];
    if (!step.descendant)
        return stepMatches(step, chain[i]) && chainMatches(chain, i + 1, steps, j + 1);
    for (qsizetype k = i; k < chain.size(); ++k) {
        if (stepMatches(step, chain[k]) && chainMatches(chain, k + 1, steps, j + 1))
            return true;
    }
    return false;
}

} // namespace

std::optional<Template> parseTemplate(const QString &text, TemplateSyntax syntax, TemplateProblem *problem)
{
    Parser parser(text, problem);
    return syntax == TemplateSyntax::Braces ? parser.braces() : parser.dollars();
}

TemplateProblem checkTemplate(const Template &parsed, TemplatePlace place, TemplateSyntax syntax,
                              const QStringList &regexList)
{
    for (const TemplatePart &part : parsed) {
        if (!isCall(part))
            continue;
        for (const Template &arg : part.args) {
            if (const TemplateProblem problem = checkTemplate(arg, place, syntax, regexList);
                problem.kind != TemplateProblem::None)
                return problem;
        }
        const QString kind = part.kind.toLower();
        const qsizetype argc = part.args.size();
        if (kind == QLatin1String("input"))
            return problemAt(TemplateProblem::NotForImages, part);
        if (!answerKinds().contains(kind) && !requestKinds().contains(kind))
            return problemAt(TemplateProblem::Unknown, part);
        if (place == TemplatePlace::Request && answerKinds().contains(kind))
            return problemAt(TemplateProblem::AnswerInRequest, part);

        bool argsOk = true;
        if (kind == QLatin1String("response") || kind == QLatin1String("responseurl")
            || kind == QLatin1String("filename"))
            argsOk = argc == 0;
        else if (kind == QLatin1String("header"))
            argsOk = argc == 1 && !literalText(part.args[0]).value_or(QStringLiteral("x")).isEmpty();
        else if (kind == QLatin1String("json") || kind == QLatin1String("xml")) {
            argsOk = argc == 1 || argc == 2;
            if (argsOk) {
                if (const auto path = literalText(part.args.last()))
                    argsOk = kind == QLatin1String("json") ? isJsonPath(*path) : isXmlPath(*path);
            }
        } else if (kind == QLatin1String("random") || kind == QLatin1String("select")
                   || kind == QLatin1String("base64"))
            argsOk = argc >= 1;
        else if (kind == QLatin1String("prompt"))
            argsOk = argc <= 2;
        if (!argsOk)
            return problemAt(TemplateProblem::BadArguments, part);
        if (kind != QLatin1String("regex"))
            continue;

        QStringList literals;
        for (const Template &arg : part.args)
            literals.append(literalText(arg).value_or(QString()));
        if (syntax == TemplateSyntax::Dollars) {
            // $regex:N$, $regex:N|G$ and $regex:N,G$ name an entry of RegexList.
            if (argc == 1 && literals[0].contains(u','))
                literals = QStringList{literals[0].section(u',', 0, 0), literals[0].section(u',', 1)};
            bool number = false;
            const int index = literals.value(0).toInt(&number);
            if (literals.size() > 2 || !number)
                return problemAt(TemplateProblem::BadArguments, part);
            if (index < 1 || index > regexList.size())
                return problemAt(TemplateProblem::NoSuchRegex, part, literals[0]);
            const QRegularExpression re(regexList[index - 1]);
            if (!re.isValid())
                return problemAt(TemplateProblem::BadRegex, part, regexList[index - 1]);
            if (literals.size() == 2 && !hasGroup(re, literals[1]))
                return problemAt(TemplateProblem::NoSuchGroup, part, literals[1]);
            continue;
        }
        // {regex:pattern}, {regex:pattern|group}, {regex:input|pattern|group}
        if (argc < 1 || argc > 3)
            return problemAt(TemplateProblem::BadArguments, part);
        const qsizetype patternAt = argc == 3 ? 1 : 0;
        const auto pattern = literalText(part.args[patternAt]);
        if (!pattern)
            continue;
        const QRegularExpression re(*pattern);
        if (!re.isValid() || pattern->isEmpty())
            return problemAt(TemplateProblem::BadRegex, part, *pattern);
        if (argc >= 2) {
            if (const auto group = literalText(part.args.last()); group && !hasGroup(re, *group))
                return problemAt(TemplateProblem::NoSuchGroup, part, *group);
        }
    }
    return {};
}

TemplateEvaluator::TemplateEvaluator(TemplateSyntax syntax, const QStringList &regexList,
                                     QHash<QString, QString> &choices)
    : m_syntax(syntax)
    , m_regexList(regexList)
    , m_choices(choices)
{
}

void TemplateEvaluator::setAnswer(const Answer *answer)
{
    m_answer = answer;
    m_bodyText.reset();
}

QString TemplateEvaluator::evaluate(const Template &parsed)
{
    QString out;
    for (const TemplatePart &part : parsed)
        out += isCall(part) ? call(part) : part.text;
    return out;
}

void TemplateEvaluator::settleChoices(const Template &parsed)
{
    for (const TemplatePart &part : parsed) {
        const QString kind = part.kind.toLower();
        if (kind == QLatin1String("random") || kind == QLatin1String("select") || kind == QLatin1String("prompt")) {
            call(part);
            continue;
        }
        for (const Template &arg : part.args)
            settleChoices(arg);
    }
}

const QString &TemplateEvaluator::bodyText()
{
    if (!m_bodyText)
        m_bodyText = m_answer ? QString::fromUtf8(m_answer->body) : QString();
    return *m_bodyText;
}

QString TemplateEvaluator::call(const TemplatePart &part)
{
    const QString kind = part.kind.toLower();
    QStringList args;
    for (const Template &arg : part.args)
        args.append(evaluate(arg));

    if (kind == QLatin1String("filename"))
        return m_fileName;
    if (kind == QLatin1String("base64"))
        return QString::fromLatin1(args.join(u'|').toUtf8().toBase64());
    if (kind == QLatin1String("random") || kind == QLatin1String("select") || kind == QLatin1String("prompt"))
        return choice(part, args);
    if (!m_answer)
        return QString();
    if (kind == QLatin1String("response"))
        return bodyText();
    if (kind == QLatin1String("responseurl"))
        return m_answer->url.toString();
    if (kind == QLatin1String("header")) {
        const QByteArray name = args.value(0).toLatin1();
        for (const auto &[header, value] : m_answer->headers) {
            if (header.compare(name, Qt::CaseInsensitive) == 0)
                return QString::fromUtf8(value);
        }
        return QString();
    }
    if (kind == QLatin1String("json") || kind == QLatin1String("xml")) {
        const QByteArray input = args.size() == 2 ? args[0].toUtf8() : m_answer->body;
        const auto value = kind == QLatin1String("json") ? jsonPathValue(input, args.last())
                                                         : xmlPathValue(input, args.last());
        return value.value_or(QString());
    }
    if (kind == QLatin1String("regex"))
        return regex(args);
    return QString();
}

QString TemplateEvaluator::regex(const QStringList &args)
{
    QString input = bodyText();
    QString pattern;
    QString group;
    if (m_syntax == TemplateSyntax::Dollars) {
        QStringList parts = args;
        if (parts.size() == 1 && parts[0].contains(u','))
            parts = QStringList{parts[0].section(u',', 0, 0), parts[0].section(u',', 1)};
        pattern = m_regexList.value(parts.value(0).toInt() - 1);
        group = parts.value(1);
    } else if (args.size() == 3) {
        input = args[0];
        pattern = args[1];
        group = args[2];
    } else {
        pattern = args.value(0);
        group = args.value(1);
    }
    const QRegularExpression re(pattern);
    const QRegularExpressionMatch match = re.match(input);
    if (!re.isValid() || !match.hasMatch())
        return QString();
    if (group.isEmpty())
        return match.captured(0);
    bool number = false;
    const int index = group.toInt(&number);
    return number ? match.captured(index) : match.captured(group);
}

QString TemplateEvaluator::choice(const TemplatePart &part, const QStringList &args)
{
    if (const auto known = m_choices.constFind(part.source); known != m_choices.constEnd())
        return *known;
    const QString kind = part.kind.toLower();
    QString value;
    if (kind == QLatin1String("random")) {
        value = args.value(int(QRandomGenerator::global()->bounded(qsizetype(args.size()))));
    } else {
        Question question;
        question.kind = kind == QLatin1String("select") ? Question::Select : Question::Prompt;
        if (question.kind == Question::Select) {
            question.options = args;
        } else {
            question.title = args.value(0);
            question.defaultText = args.value(1);
        }
        // Once one question went unanswered the upload will not happen: ask nothing more.
        if (m_unanswered)
            return QString();
        std::optional<QString> answer;
        if (m_asker)
            answer = m_asker(question);
        if (!answer) {
            m_unanswered = question.title;
            return QString();
        }
        value = *answer;
    }
    m_choices.insert(part.source, value);
    return value;
}

bool isJsonPath(const QString &path)
{
    return parseJsonPath(path).has_value();
}

std::optional<QString> jsonPathValue(const QByteArray &json, const QString &path)
{
    const auto steps = parseJsonPath(path);
    const QJsonDocument document = QJsonDocument::fromJson(json);
    if (!steps || document.isNull())
        return std::nullopt;
    QJsonValue value = document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    for (const JsonStep &step : *steps) {
        if (step.index >= 0) {
            if (!value.isArray() || step.index >= value.toArray().size())
                return std::nullopt;
            value = value.toArray().at(step.index);
        } else {
            if (!value.isObject() || !value.toObject().contains(step.name))
                return std::nullopt;
            value = value.toObject().value(step.name);
        }
    }
    return jsonText(value);
}

bool isXmlPath(const QString &path)
{
    return parseXmlPath(path).has_value();
}

std::optional<QString> xmlPathValue(const QByteArray &xml, const QString &path)
{
    const auto parsed = parseXmlPath(path);
    if (!parsed)
        return std::nullopt;
    QXmlStreamReader reader(xml);
    QList<XmlLevel> chain;
    qsizetype capturing = -1; // the depth of the element whose text is being gathered
    QString text;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartElement: {
            XmlLevel level;
            level.name = reader.name().toString();
            if (!chain.isEmpty()) {
                XmlLevel &parent = chain.last();
                level.position = ++parent.children[level.name];
                level.anyPosition = ++parent.anyChildren;
            }
            chain.append(level);
            if (capturing < 0 && chainMatches(chain, 0, parsed->steps, 0)) {
                if (!parsed->attribute.isEmpty()) {
                    if (reader.attributes().hasAttribute(parsed->attribute))
                        return reader.attributes().value(parsed->attribute).toString();
                } else {
                    capturing = chain.size();
                    text.clear();
                }
            }
            break;
        }
        case QXmlStreamReader::Characters:
            if (capturing > 0 && (!parsed->textOnly || chain.size() == capturing))
                text += reader.text();
            break;
        case QXmlStreamReader::EndElement:
            if (capturing == chain.size())
                return text;
            chain.removeLast();
            break;
        default:
            break;
        }
    }
    return std::nullopt;
}

} // namespace tarvello
