#include "base/historydb.h"

#include <QDateTime>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <limits>

namespace tarvello::historydb {

namespace {

// Step i takes a file from version i to version i + 1.
const QList<QStringList> &migrations()
{
    static const QList<QStringList> steps = {
        // 0 -> 1: the records. Thumbnails live apart, so that reading and searching the
        // records never pages through pictures.
        {
            QStringLiteral("CREATE TABLE uploads ("
                           " id INTEGER PRIMARY KEY,"
                           " time INTEGER NOT NULL,"
                           " file_name TEXT NOT NULL DEFAULT '',"
                           " file_path TEXT NOT NULL DEFAULT '',"
                           " file_size INTEGER NOT NULL DEFAULT -1,"
                           " width INTEGER NOT NULL DEFAULT 0,"
                           " height INTEGER NOT NULL DEFAULT 0,"
                           " destination TEXT NOT NULL DEFAULT '',"
                           " link TEXT NOT NULL DEFAULT '',"
                           " thumbnail_link TEXT NOT NULL DEFAULT '',"
                           " deletion_link TEXT NOT NULL DEFAULT '',"
                           " description TEXT NOT NULL DEFAULT '',"
                           " failure TEXT NOT NULL DEFAULT '')"),
            QStringLiteral("CREATE INDEX uploads_time ON uploads (time, id)"),
            QStringLiteral("CREATE TABLE thumbnails (id INTEGER PRIMARY KEY, image BLOB NOT NULL)"),
            QStringLiteral("CREATE TRIGGER uploads_thumbnail AFTER DELETE ON uploads BEGIN"
                           " DELETE FROM thumbnails WHERE id = old.id; END"),
        },
        // 1 -> 2: a search index of three-character pieces, so that finding text anywhere in
        // 100,000 records does not read them all. Built from the records already there.
        {
            QStringLiteral("CREATE VIRTUAL TABLE uploads_search USING fts5("
                           "file_name, link, description, destination,"
                           " content='uploads', content_rowid='id', tokenize='trigram')"),
            QStringLiteral("CREATE TRIGGER uploads_search_insert AFTER INSERT ON uploads BEGIN"
                           " INSERT INTO uploads_search (rowid, file_name, link, description, destination)"
                           " VALUES (new.id, new.file_name, new.link, new.description, new.destination); END"),
            QStringLiteral("CREATE TRIGGER uploads_search_delete AFTER DELETE ON uploads BEGIN"
                           " INSERT INTO uploads_search (uploads_search, rowid, file_name, link, description, destination)"
                           " VALUES ('delete', old.id, old.file_name, old.link, old.description, old.destination); END"),
            QStringLiteral("CREATE TRIGGER uploads_search_update AFTER UPDATE ON uploads BEGIN"
                           " INSERT INTO uploads_search (uploads_search, rowid, file_name, link, description, destination)"
                           " VALUES ('delete', old.id, old.file_name, old.link, old.description, old.destination);"
                           " INSERT INTO uploads_search (rowid, file_name, link, description, destination)"
                           " VALUES (new.id, new.file_name, new.link, new.description, new.destination); END"),
            QStringLiteral("INSERT INTO uploads_search (uploads_search) VALUES ('rebuild')"),
        },
    };
    return steps;
}

const QString columns = QStringLiteral(
        "u.id, u.time, u.file_name, u.file_path, u.file_size, u.width, u.height, u.destination,"
        " u.link, u.thumbnail_link, u.deletion_link, u.description, u.failure");

Outcome failure(const QSqlError &error)
{
    return {faultOf(error), error.text()};
}

Outcome run(const QSqlDatabase &db, const QString &statement)
{
    QSqlQuery query(db);
    if (!query.exec(statement))
        return failure(query.lastError());
    return {};
}

// NOT NULL columns: Qt binds a null string as NULL.
QString text(const QString &value)
{
    return value.isNull() ? QStringLiteral("") : value;
}

HistoryRecord recordAt(const QSqlQuery &query)
{
    HistoryRecord record;
    record.id = query.value(0).toLongLong();
    record.time = QDateTime::fromMSecsSinceEpoch(query.value(1).toLongLong());
    record.fileName = query.value(2).toString();
    record.filePath = query.value(3).toString();
    record.fileSize = query.value(4).toLongLong();
    record.imageSize = QSize(query.value(5).toInt(), query.value(6).toInt());
    record.destination = query.value(7).toString();
    record.link = query.value(8).toString();
    record.thumbnailLink = query.value(9).toString();
    record.deletionLink = query.value(10).toString();
    record.description = query.value(11).toString();
    record.failure = query.value(12).toString();
    return record;
}

Outcome readAll(QSqlQuery &query, QList<HistoryRecord> *records)
{
    if (!query.exec())
        return failure(query.lastError());
    while (query.next())
        records->append(recordAt(query));
    if (query.lastError().isValid())
        return failure(query.lastError());
    return {};
}

} // namespace

HistoryFault faultOf(const QSqlError &error)
{
    if (!error.isValid())
        return HistoryFault::None;
    // SQLite's primary result codes; an extended code carries one in its low byte.
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return HistoryFault::Locked;
    case 3: // SQLITE_PERM
    case 8: // SQLITE_READONLY
        return HistoryFault::ReadOnly;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return HistoryFault::Corrupt;
    case 13: // SQLITE_FULL
        return HistoryFault::DiskFull;
    case 14: // SQLITE_CANTOPEN
        return HistoryFault::CannotOpen;
    default:
        return HistoryFault::Failed;
    }
}

bool passes(HistoryFault fault)
{
    return fault == HistoryFault::Locked || fault == HistoryFault::DiskFull;
}

Outcome open(const QString &connectionName, const QString &path, int busyTimeoutMs)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE")))
        return {HistoryFault::NoDriver, QString()};
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db.open())
        return failure(db.lastError());
    return {};
}

void close(const QString &connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

Outcome version(const QSqlDatabase &db, int *version)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failure(query.lastError());
    *version = query.value(0).toInt();
    return {};
}

Outcome prepareForWriting(const QSqlDatabase &db)
{
    int found = 0;
    if (Outcome outcome = version(db, &found); !outcome.ok())
        return outcome;
    if (found > schemaVersion)
        return {HistoryFault::Newer, QStringLiteral("version %1").arg(found)};
    // Only an empty file takes these. Space given back by "clear all" returns to the disk, and
    // pages of 8 KiB hold three thumbnails where 4 KiB pages hold one.
    if (found == 0) {
        run(db, QStringLiteral("PRAGMA page_size = 8192"));
        run(db, QStringLiteral("PRAGMA auto_vacuum = INCREMENTAL"));
    }
    // Two programs at once: readers never wait for the writer, and writers take turns.
    if (Outcome outcome = run(db, QStringLiteral("PRAGMA journal_mode = WAL")); !outcome.ok())
        return outcome;
    // What is removed from the history does not linger in the file.
    run(db, QStringLiteral("PRAGMA secure_delete = ON"));

    // Taking the write lock tells at once whether the file can be written at all.
    if (Outcome outcome = begin(db); !outcome.ok())
        return outcome;
    // Another program may have migrated the file since it was read.
    Outcome outcome = version(db, &found);
    if (outcome.ok() && found > schemaVersion)
        outcome = {HistoryFault::Newer, QStringLiteral("version %1").arg(found)};
    for (int step = found; outcome.ok() && step < schemaVersion; ++step) {
        for (const QString &statement : migrations().at(step)) {
            outcome = run(db, statement);
            if (!outcome.ok())
                break;
        }
    }
    if (outcome.ok() && found < schemaVersion)
        outcome = run(db, QStringLiteral("PRAGMA user_version = %1").arg(schemaVersion));
    if (outcome.ok())
        outcome = commit(db);
    if (!outcome.ok())
        rollback(db);
    return outcome;
}

Outcome begin(const QSqlDatabase &db)
{
    return run(db, QStringLiteral("BEGIN IMMEDIATE"));
}

Outcome commit(const QSqlDatabase &db)
{
    return run(db, QStringLiteral("COMMIT"));
}

void rollback(const QSqlDatabase &db)
{
    run(db, QStringLiteral("ROLLBACK"));
}

Outcome insert(const QSqlDatabase &db, QList<HistoryRecord> &records)
{
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral(
                "INSERT INTO uploads (time, file_name, file_path, file_size, width, height, destination,"
                " link, thumbnail_link, deletion_link, description, failure)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")))
        return failure(query.lastError());
    QSqlQuery picture(db);
    if (!picture.prepare(QStringLiteral("INSERT INTO thumbnails (id, image) VALUES (?, ?)")))
        return failure(picture.lastError());
    for (HistoryRecord &record : records) {
        query.addBindValue(record.time.toMSecsSinceEpoch());
        query.addBindValue(text(record.fileName));
        query.addBindValue(text(record.filePath));
        query.addBindValue(record.fileSize);
        query.addBindValue(qMax(0, record.imageSize.width()));
        query.addBindValue(qMax(0, record.imageSize.height()));
        query.addBindValue(text(record.destination));
        query.addBindValue(text(record.link));
        query.addBindValue(text(record.thumbnailLink));
        query.addBindValue(text(record.deletionLink));
        query.addBindValue(text(record.description));
        query.addBindValue(text(record.failure));
        if (!query.exec())
            return failure(query.lastError());
        record.id = query.lastInsertId().toLongLong();
        if (!record.thumbnail.isEmpty()) {
            picture.addBindValue(record.id);
            picture.addBindValue(record.thumbnail);
            if (!picture.exec())
                return failure(picture.lastError());
        }
    }
    return {};
}

Outcome remove(const QSqlDatabase &db, const QList<qint64> &ids)
{
    QSqlQuery query(db);
    if (!query.prepare(QStringLiteral("DELETE FROM uploads WHERE id = ?")))
        return failure(query.lastError());
    for (const qint64 id : ids) {
        query.addBindValue(id);
        if (!query.exec())
            return failure(query.lastError());
    }
    return {};
}

Outcome clear(const QSqlDatabase &db)
{
    if (Outcome outcome = run(db, QStringLiteral("DELETE FROM uploads")); !outcome.ok())
        return outcome;
    // The trigger has emptied the thumbnails already; this catches any left by hand.
    return run(db, QStringLiteral("DELETE FROM thumbnails"));
}

Outcome read(const QSqlDatabase &db, const HistorySearch &search, qint64 newerThan, qint64 olderThan,
             int limit, QList<HistoryRecord> *records)
{
    qint64 low = newerThan + 1;
    qint64 high = olderThan > 0 ? olderThan - 1 : std::numeric_limits<qint64>::max();
    // Ids grow with time, nearly always: a period is turned into the ids it spans first, so
    // that its records are found by id like all others, newest first, and stop at the page.
    for (const HistoryPeriod &period : search.periods) {
        QSqlQuery span(db);
        if (!span.prepare(QStringLiteral("SELECT min(id), max(id) FROM uploads WHERE time >= ? AND time < ?")))
            return failure(span.lastError());
        span.addBindValue(period.from.toMSecsSinceEpoch());
        span.addBindValue(period.to.toMSecsSinceEpoch());
        if (!span.exec() || !span.next())
            return failure(span.lastError());
        if (span.value(0).isNull())
            return {};
        low = qMax(low, span.value(0).toLongLong());
        high = qMin(high, span.value(1).toLongLong());
    }
    if (low > high)
        return {};

    QString sql = QStringLiteral("SELECT ") + columns;
    QString id;
    if (search.indexed.isEmpty()) {
        sql += QStringLiteral(" FROM uploads u WHERE u.id BETWEEN ? AND ?");
        id = QStringLiteral("u.id");
    } else {
        sql += QStringLiteral(" FROM uploads_search JOIN uploads u ON u.id = uploads_search.rowid"
                              " WHERE uploads_search MATCH ? AND uploads_search.rowid BETWEEN ? AND ?");
        id = QStringLiteral("uploads_search.rowid");
    }
    for (int i = 0; i < search.scanned.size(); ++i)
        sql += QStringLiteral(" AND (u.file_name LIKE ? ESCAPE '\\' OR u.link LIKE ? ESCAPE '\\'"
                              " OR u.description LIKE ? ESCAPE '\\' OR u.destination LIKE ? ESCAPE '\\')");
    for (int i = 0; i < search.periods.size(); ++i)
        sql += QStringLiteral(" AND u.time >= ? AND u.time < ?");
    sql += QStringLiteral(" ORDER BY %1 DESC LIMIT ?").arg(id);

    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(sql))
        return failure(query.lastError());
    if (!search.indexed.isEmpty())
        query.addBindValue(indexQuery(search.indexed));
    query.addBindValue(low);
    query.addBindValue(high);
    for (const QString &word : search.scanned) {
        const QString pattern = containsPattern(word);
        for (int column = 0; column < 4; ++column)
            query.addBindValue(pattern);
    }
    for (const HistoryPeriod &period : search.periods) {
        query.addBindValue(period.from.toMSecsSinceEpoch());
        query.addBindValue(period.to.toMSecsSinceEpoch());
    }
    query.addBindValue(limit);
    return readAll(query, records);
}

Outcome newestLinks(const QSqlDatabase &db, int count, QList<HistoryRecord> *records)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT ") + columns
                       + QStringLiteral(" FROM uploads u WHERE u.failure = '' AND u.link <> ''"
                                        " ORDER BY u.id DESC LIMIT ?")))
        return failure(query.lastError());
    query.addBindValue(count);
    return readAll(query, records);
}

Outcome thumbnail(const QSqlDatabase &db, qint64 id, QByteArray *image)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral("SELECT image FROM thumbnails WHERE id = ?")))
        return failure(query.lastError());
    query.addBindValue(id);
    if (!query.exec())
        return failure(query.lastError());
    *image = query.next() ? query.value(0).toByteArray() : QByteArray();
    return {};
}

QString setAside(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString aside = path + QStringLiteral(".corrupt-") + stamp;
    for (int n = 2; QFile::exists(aside) || QFile::exists(aside + QStringLiteral("-wal")); ++n)
        aside = path + QStringLiteral(".corrupt-%1-%2").arg(stamp).arg(n);
    if (!QFile::rename(path, aside))
        return QString();
    // The log may hold the last of what was written; it goes with its file. The shared-memory
    // index is rebuilt from the log, but a stale one must not meet the new file either.
    for (const QLatin1String suffix : {QLatin1String("-wal"), QLatin1String("-shm")}) {
        if (QFile::exists(path + suffix))
            QFile::rename(path + suffix, aside + suffix);
    }
    return aside;
}

} // namespace tarvello::historydb
