#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <optional>

#include "base/destination.h"

namespace tarvello {

// A template as parsed: literal text and calls such as {json:files[0].url}, whose arguments
// are templates themselves (the brace syntax nests).
struct TemplatePart
{
    QString text; // the literal, when kind is empty
    QString kind;
    QList<QList<TemplatePart>> args;
    QString source; // the call as written, which names it and keys the answers given to it
};
using Template = QList<TemplatePart>;

// Where a template stands: the request is made before there is an answer to read.
enum class TemplatePlace { Request, Answer };

// Why a template cannot be used. `name` is the template's kind (or the call as written),
// `offset` the position in the field's text where that was seen.
struct TemplateProblem
{
    enum Kind {
        None,
        Unterminated, // a call that is never closed
        Unknown, // a kind the program does not know
        NotForImages, // a kind that only text uploads have ({input})
        AnswerInRequest, // an answer's value asked for before there is an answer
        BadArguments, // the wrong number of arguments, or a path that cannot be read
        BadRegex, // a pattern that does not compile; detail: the pattern
        NoSuchRegex, // $regex:N$ with no Nth entry in RegexList
        NoSuchGroup, // a group the pattern does not have; detail: the group
    };
    Kind kind = None;
    QString name;
    qsizetype offset = -1;
    QString detail;
};

std::optional<Template> parseTemplate(const QString &text, TemplateSyntax syntax, TemplateProblem *problem = nullptr);

// Checks what can be checked before sending: kinds, their place, arguments, patterns, groups.
TemplateProblem checkTemplate(const Template &parsed, TemplatePlace place, TemplateSyntax syntax,
                              const QStringList &regexList);

// A question a template asks the user: {prompt:title|default} or {select:a|b}.
struct Question
{
    enum Kind { Prompt, Select };
    Kind kind = Prompt;
    QString title;
    QString defaultText;
    QStringList options;
};

// Answers a question; nothing when it cannot be asked or the user declined.
using Asker = std::function<std::optional<QString>(const Question &)>;

// The host's answer, as the templates read it.
struct Answer
{
    int status = 0; // the HTTP status; 0 when none came
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    QUrl url; // the address that answered
};

// Fills templates in. One evaluator serves one upload: the answers given to questions, and the
// random picks, are kept in `choices` under the call as written, so that a value asked for in
// the request address and again in the link is the same.
class TemplateEvaluator
{
public:
    TemplateEvaluator(TemplateSyntax syntax, const QStringList &regexList, QHash<QString, QString> &choices);

    void setFileName(const QString &fileName) { m_fileName = fileName; }
    void setAsker(const Asker &asker) { m_asker = asker; }
    void setAnswer(const Answer *answer);

    QString evaluate(const Template &parsed);

    // Asks every question the template holds, and makes every random pick, without evaluating
    // anything else: an answer's templates get their values before the upload starts.
    void settleChoices(const Template &parsed);

    // The title of the first question that went unanswered, when one did.
    std::optional<QString> unanswered() const { return m_unanswered; }

private:
    QString call(const TemplatePart &part);
    QString choice(const TemplatePart &part, const QStringList &args);
    QString regex(const QStringList &args);
    const QString &bodyText();

    TemplateSyntax m_syntax;
    const QStringList &m_regexList;
    QHash<QString, QString> &m_choices;
    QString m_fileName;
    Asker m_asker;
    const Answer *m_answer = nullptr;
    std::optional<QString> m_bodyText;
    std::optional<QString> m_unanswered;
};

// A dotted JSON path: "data.link", "files[0].url", "['odd name']", "[0].url", "$.a".
std::optional<QString> jsonPathValue(const QByteArray &json, const QString &path);
bool isJsonPath(const QString &path);

// The text of the first node an XPath-like path selects: "/files/file[1]/url", "//url",
// "/files/file/@id", ".../text()".
std::optional<QString> xmlPathValue(const QByteArray &xml, const QString &path);
bool isXmlPath(const QString &path);

} // namespace tarvello
