#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarvello {

// A stretch of time, from included to `to` excluded.
struct HistoryPeriod
{
    QDateTime from;
    QDateTime to;
};

// What a search in the history asks for: every word must be found in the file name, the link,
// the description or the destination, and every date names the day or month of the upload.
struct HistorySearch
{
    QStringList indexed; // three characters or more: the search index finds them
    QStringList scanned; // shorter: compared row by row
    QList<HistoryPeriod> periods; // "2026-12" or "2026-12-07", in local time

    bool isEmpty() const { return indexed.isEmpty() && scanned.isEmpty() && periods.isEmpty(); }
};

// Splits the text at blanks. The date forms are the ones the history window shows, so that
// what is seen can be typed; a bare year stays a word, since file names are full of numbers.
HistorySearch parseHistorySearch(const QString &text);

// The period a word names, if it is a date of the form YYYY-MM or YYYY-MM-DD.
std::optional<HistoryPeriod> periodNamed(const QString &word);

// The index's query for words that must all be found: each a quoted phrase, its quotes doubled.
QString indexQuery(const QStringList &words);

// A LIKE pattern that finds the word anywhere, with '\' as its escape character.
QString containsPattern(const QString &word);

} // namespace tarvello
