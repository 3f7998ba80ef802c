#include "base/historysearch.h"

#include <QRegularExpression>

namespace tarvello {

HistorySearch parseHistorySearch(const QString &text)
{
    HistorySearch search;
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (const QString &word : text.split(blanks, Qt::SkipEmptyParts)) {
        if (const auto period = periodNamed(word))
            search.periods.append(*period);
        // The index is made of three-character pieces: a shorter word is in none of them.
        else if (word.toUcs4().size() >= 3)
            search.indexed.append(word);
        else
            search.scanned.append(word);
    }
    return search;
}

std::optional<HistoryPeriod> periodNamed(const QString &word)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{2})(?:-(\\d{2}))?$"));
    const QRegularExpressionMatch match = form.match(word);
    if (!match.hasMatch())
        return std::nullopt;
    const int year = match.captured(1).toInt();
    const int month = match.captured(2).toInt();
    const bool wholeMonth = match.captured(3).isEmpty();
    const QDate first(year, month, wholeMonth ? 1 : match.captured(3).toInt());
    if (!first.isValid())
        return std::nullopt;
    const QDate next = wholeMonth ? first.addMonths(1) : first.addDays(1);
    return HistoryPeriod{first.startOfDay(), next.startOfDay()};
}

QString indexQuery(const QStringList &words)
{
    QStringList phrases;
    for (QString word : words)
        phrases.append(QLatin1Char('"') + word.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"'));
    return phrases.join(QLatin1Char(' '));
}

QString containsPattern(const QString &word)
{
    QString escaped;
    for (const QChar c : word) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            escaped.append(QLatin1Char('\\'));
        escaped.append(c);
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

} // namespace tarvello
