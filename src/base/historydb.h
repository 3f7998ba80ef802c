#pragma once

#include <QByteArray>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include "base/historyrecord.h"
#include "base/historysearch.h"

class QSqlError;

namespace tarvello {

// Why the history cannot do what it was asked. The window words each kind.
enum class HistoryFault {
    None,
    NoDriver,   // Qt's SQLite driver is not installed
    CannotOpen, // no folder or file can be made or opened there
    ReadOnly,   // the file or its folder cannot be written
    Locked,     // another program keeps it locked beyond the waits and retries
    Corrupt,    // not a database, or a damaged one
    Newer,      // written by a newer version of this program
    DiskFull,
    Failed,     // anything else the database reported
};

// The history's SQL: the schema and its migrations, writing and reading, on a connection the
// caller owns. Nothing here knows about threads.
namespace historydb {

// The layout this program writes. Each migration step takes a file one version further, so a
// file from any earlier release is brought up to date when it is opened.
inline constexpr int schemaVersion = 2;

struct Outcome
{
    HistoryFault fault = HistoryFault::None;
    QString detail; // the database's own message, for the record; the window words the kind

    bool ok() const { return fault == HistoryFault::None; }
};

HistoryFault faultOf(const QSqlError &error);
// A fault that may pass: another program's long write, or a disk that gets room again.
bool passes(HistoryFault fault);

// A connection of this name to the file; the caller calls close() on the same thread.
Outcome open(const QString &connectionName, const QString &path, int busyTimeoutMs);
void close(const QString &connectionName);

Outcome version(const QSqlDatabase &db, int *version);
// Write-ahead logging and migrations up to schemaVersion; refuses a newer file and finds out
// whether the file can be written at all.
Outcome prepareForWriting(const QSqlDatabase &db);

Outcome begin(const QSqlDatabase &db);
Outcome commit(const QSqlDatabase &db);
void rollback(const QSqlDatabase &db);

// Inside a transaction. Gives each record its id.
Outcome insert(const QSqlDatabase &db, QList<HistoryRecord> &records);
Outcome remove(const QSqlDatabase &db, const QList<qint64> &ids);
Outcome clear(const QSqlDatabase &db);

// The records after `newerThan` and before `olderThan` (ids; 0 for no bound) that the search
// finds, newest first, at most `limit` of them (-1 for all). Without thumbnails.
Outcome read(const QSqlDatabase &db, const HistorySearch &search, qint64 newerThan, qint64 olderThan,
             int limit, QList<HistoryRecord> *records);
// The newest `count` records that gave a link, newest first.
Outcome newestLinks(const QSqlDatabase &db, int count, QList<HistoryRecord> *records);
Outcome thumbnail(const QSqlDatabase &db, qint64 id, QByteArray *image);

// Moves a damaged file, with its write-ahead log, out of the way under a name of its own, so
// that nothing in it is lost. Returns the new name, or an empty string when it could not.
QString setAside(const QString &path);

} // namespace historydb
} // namespace tarvello
