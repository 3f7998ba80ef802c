#pragma once

#include <QList>
#include <QString>

#include "base/historydb.h"
#include "base/historyrecord.h"

namespace tarvello {

// How many links `tarvello --history` prints when not told.
inline constexpr int defaultHistoryLines = 20;

struct HistoryListing
{
    HistoryFault fault = HistoryFault::None;
    QString detail;
    QList<HistoryRecord> records;
};

// The newest `count` uploads that gave a link, newest first, read from the file at `path`
// without creating, migrating or setting aside anything: a missing file is an empty history.
// Needs a QCoreApplication (Qt loads its SQL driver through it), not a display.
HistoryListing readHistoryLinks(const QString &path, int count);

// One line per record for scripts: time (ISO 8601, local, with its offset), link, file name
// and destination, separated by tabs, each line ending in a newline. Tabs and line breaks
// inside a field become spaces, so that every line has four fields.
QString historyLines(const QList<HistoryRecord> &records);

} // namespace tarvello
