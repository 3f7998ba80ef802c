#include "base/historylisting.h"

#include <QFileInfo>

namespace tarvello {

namespace {

QString field(QString text)
{
    for (QChar &c : text) {
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    }
    return text;
}

} // namespace

HistoryListing readHistoryLinks(const QString &path, int count)
{
    HistoryListing listing;
    if (!QFileInfo(path).isFile())
        return listing;
    const QString name = QStringLiteral("tarvello-history-list");
    historydb::Outcome outcome = historydb::open(name, path, 2000);
    if (outcome.ok()) {
        const QSqlDatabase db = QSqlDatabase::database(name, false);
        int found = 0;
        outcome = historydb::version(db, &found);
        if (outcome.ok() && found > historydb::schemaVersion)
            outcome = {HistoryFault::Newer, QStringLiteral("version %1").arg(found)};
        // Version 0 is a file that was made but never written to.
        if (outcome.ok() && found > 0)
            outcome = historydb::newestLinks(db, count, &listing.records);
    }
    historydb::close(name);
    listing.fault = outcome.fault;
    listing.detail = outcome.detail;
    return listing;
}

QString historyLines(const QList<HistoryRecord> &records)
{
    QString text;
    for (const HistoryRecord &record : records) {
        text += record.time.toOffsetFromUtc(record.time.offsetFromUtc()).toString(Qt::ISODate) + QLatin1Char('\t')
                + field(record.link) + QLatin1Char('\t') + field(record.fileName) + QLatin1Char('\t')
                + field(record.destination) + QLatin1Char('\n');
    }
    return text;
}

} // namespace tarvello
