// The upload history's store: what it keeps and reads back, its search and pages, migrations from
// an older layout, and files it cannot use (locked, read-only, damaged, newer, no room), with
// other programs recording into the same file.

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "base/history.h"
#include "base/historylisting.h"
#include "base/thumbnail.h"
#include "testutil.h"

using tarvello::HistoryFault;
using tarvello::HistoryRecord;
using tarvello::HistoryStore;

namespace {

HistoryRecord upload(const QString &file, const QDateTime &time, const QString &description = QString(),
                     const QString &destination = QStringLiteral("Local host"), const QString &link = QString())
{
    HistoryRecord record;
    record.time = time;
    record.fileName = file;
    record.filePath = QStringLiteral("/nowhere/") + file;
    record.destination = destination;
    record.link = link.isNull() ? QStringLiteral("http://img.example/i/") + file : link;
    record.description = description;
    return record;
}

HistoryRecord failure(const QString &file, const QDateTime &time, const QString &description = QString())
{
    HistoryRecord record = upload(file, time, description);
    record.link.clear();
    record.failure = QStringLiteral("The host refused the connection.");
    return record;
}

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

QStringList names(const QList<HistoryRecord> &records)
{
    QStringList names;
    for (const HistoryRecord &record : records)
        names.append(record.fileName);
    return names;
}

int modeOf(const QString &path)
{
    struct stat status;
    return stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777) : -1;
}

// A connection of the test's own, as another program has.
QSqlDatabase other(const QString &path, const QString &name = QStringLiteral("other"))
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    db.open();
    return db;
}

// One statement from another program; its first value.
QVariant sql(const QString &path, const QString &statement)
{
    QVariant value;
    {
        QSqlQuery query(other(path, QStringLiteral("once")));
        if (query.exec(statement) && query.next())
            value = query.value(0);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("once"));
    return value;
}

// The probe program (historyprobe) recording `count` uploads; as nobody when root runs the tests,
// since root may write whatever the modes say.
QProcess *startProbe(const QString &path, int count, const QString &tag, bool asNobody = false)
{
    auto *probe = new QProcess;
    const QStringList args{QCoreApplication::applicationDirPath() + QStringLiteral("/historyprobe"), path,
                           QString::number(count), tag};
    if (asNobody)
        probe->start(QStringLiteral("setpriv"), QStringList{"--reuid=nobody", "--regid=nogroup", "--clear-groups"} + args);
    else
        probe->start(args.first(), args.mid(1));
    return probe;
}

// "fault" and "written", as the probe printed them.
QMap<QString, int> probeResult(QProcess *probe)
{
    QMap<QString, int> result;
    // A probe that ended while the test waited for something else is finished already.
    if (probe->state() != QProcess::NotRunning && !probe->waitForFinished(60000))
        return result;
    for (const QByteArray &line : probe->readAllStandardOutput().split('\n')) {
        if (const QList<QByteArray> parts = line.split(' '); parts.size() == 2)
            result.insert(QString::fromLatin1(parts.at(0)), parts.at(1).toInt());
    }
    return result;
}

} // namespace

class tst_History : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void recordsAndReads_data();
    void recordsAndReads();
    void privateFile();
    void search_data();
    void search();
    void pagesRemoveAndClear();
    void migratesFirstLayout();
    void unusableFiles_data();
    void unusableFiles();
    void locked_data();
    void locked();
    void readOnlyForItsUser();
    void twoProgramsRecord();
    void diskFills();
    void thumbnails_data();
    void thumbnails();
    void listing_data();
    void listing();
    void listingFromFile();

private:
    QString dbPath() const { return m_dir->filePath(QStringLiteral("data/tarvello/history.sqlite")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_History::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void tst_History::recordsAndReads_data()
{
    QTest::addColumn<bool>("preview");
    QTest::addColumn<bool>("fileExists");

    QTest::newRow("thumbnail from the preview") << true << false;
    QTest::newRow("thumbnail from the file") << false << true;
    QTest::newRow("no picture at all") << false << false;
}

void tst_History::recordsAndReads()
{
    QFETCH(bool, preview);
    QFETCH(bool, fileExists);

    const QString image = m_dir->filePath(QStringLiteral("photo é.jpg"));
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(20, 120, 200));
    if (fileExists)
        QVERIFY(picture.save(image));
    HistoryRecord full{0, QDateTime::fromMSecsSinceEpoch(1796640123456), QStringLiteral("photo é.jpg"), image, 123456,
                       QSize(640, 480), QStringLiteral("Team share"), QStringLiteral("https://img.example/i/abc.jpg"),
                       QStringLiteral("https://img.example/t/abc.jpg"), QStringLiteral("https://img.example/d/abc?k=1"),
                       QStringLiteral("Line one\nline two, 100% \"quoted\" 'single'"), QString(), QByteArray()};
    const auto fields = [](const HistoryRecord &r) {
        return QVariantList{r.time, r.fileName, r.filePath, r.fileSize, r.imageSize, r.destination, r.link,
                            r.thumbnailLink, r.deletionLink, r.description, r.failure};
    };

    HistoryStore store(dbPath());
    QSignalSpy written(&store, &HistoryStore::written);
    store.record(full, preview ? picture : QImage());
    store.record(failure(QStringLiteral("broken.png"), full.time.addSecs(60)));
    QTRY_VERIFY(store.isIdle());
    QVERIFY(!written.isEmpty());

    const QList<HistoryRecord> records = store.read(QString());
    QCOMPARE(names(records), (QStringList{"broken.png", "photo é.jpg"})); // newest first
    QVERIFY(!records.at(0).hasLink());
    QCOMPARE(records.at(0).failure, QStringLiteral("The host refused the connection."));
    QCOMPARE(fields(records.at(1)), fields(full));
    QVERIFY(records.at(1).id > 0 && records.at(1).id < records.at(0).id);

    const QByteArray small = store.thumbnail(records.at(1).id);
    QCOMPARE(small.isEmpty(), !preview && !fileExists);
    if (!small.isEmpty()) {
        const QImage shown = QImage::fromData(small);
        QCOMPARE(shown.size(), QSize(128, 96));
        QVERIFY(qAbs(shown.pixelColor(64, 48).blue() - 200) < 8); // the picture's, give or take JPEG
        QVERIFY2(small.size() < 8 * 1024, QByteArray::number(small.size()));
    }
    QVERIFY(store.thumbnail(records.at(0).id).isEmpty());
}

void tst_History::privateFile()
{
    {
        HistoryStore store(dbPath());
        store.record(upload(QStringLiteral("a.png"), at(2026, 1, 1)));
        QTRY_VERIFY(store.isIdle());
        QCOMPARE(modeOf(dbPath() + QStringLiteral("-wal")), 0600);
    }
    QCOMPARE(modeOf(dbPath()), 0600);
    QCOMPARE(modeOf(QFileInfo(dbPath()).path()), 0700);
    QCOMPARE(sql(dbPath(), QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    QCOMPARE(sql(dbPath(), QStringLiteral("PRAGMA user_version")).toInt(), tarvello::historydb::schemaVersion);
}

void tst_History::search_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("found");

    const QStringList all{"failed.png", "50%off.png", "dog.jpg", "beach.jpg", "cat.png"};
    QTest::newRow("nothing asked") << "" << all;
    QTest::newRow("blanks only") << "   " << all;
    QTest::newRow("description and file") << "beach" << QStringList{"beach.jpg"};
    QTest::newRow("any case, every word") << "BEACH team" << QStringList{"beach.jpg"};
    QTest::newRow("words in different fields") << "holiday def456" << QStringList{"beach.jpg"};
    QTest::newRow("link") << "abc123" << QStringList{"cat.png"};
    QTest::newRow("destination") << "team" << QStringList{"50%off.png", "beach.jpg"};
    QTest::newRow("day") << "2026-12-07" << QStringList{"dog.jpg", "beach.jpg"};
    QTest::newRow("month") << "2026-12" << QStringList{"50%off.png", "dog.jpg", "beach.jpg"};
    QTest::newRow("day and word") << "dog 2026-12-07" << QStringList{"dog.jpg"};
    QTest::newRow("no such day") << "2026-02-30" << QStringList{};
    QTest::newRow("two letters") << "be" << QStringList{"failed.png", "beach.jpg"};
    QTest::newRow("percent is a character") << "%" << QStringList{"50%off.png"};
    QTest::newRow("underscore is a character") << "_" << QStringList{};
    QTest::newRow("quote") << "\"" << QStringList{};
    QTest::newRow("quoted words") << "\"sleepy cat\"" << QStringList{};
    QTest::newRow("not there") << "giraffe" << QStringList{};
}

void tst_History::search()
{
    QFETCH(QString, search);
    QFETCH(QStringList, found);

    HistoryStore store(dbPath());
    store.record(upload(QStringLiteral("cat.png"), at(2026, 11, 30, 23, 30), QStringLiteral("sleepy cat"),
                        QStringLiteral("Local host"), QStringLiteral("http://img.example/i/abc123.png")));
    store.record(upload(QStringLiteral("beach.jpg"), at(2026, 12, 7, 0, 0), QStringLiteral("Holiday at the BEACH"),
                        QStringLiteral("Team share"), QStringLiteral("http://img.example/i/def456.jpg")));
    store.record(upload(QStringLiteral("dog.jpg"), at(2026, 12, 7, 23, 59)));
    store.record(upload(QStringLiteral("50%off.png"), at(2026, 12, 8, 0, 0), QStringLiteral("sale"),
                        QStringLiteral("Team share")));
    store.record(failure(QStringLiteral("failed.png"), at(2027, 1, 2), QStringLiteral("be careful")));
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(names(store.read(search)), found);
}

void tst_History::pagesRemoveAndClear()
{
    QImage picture(50, 50, QImage::Format_RGB32);
    picture.fill(Qt::green);
    HistoryStore store(dbPath());
    for (int i = 0; i < 250; ++i)
        store.record(upload(QStringLiteral("%1-%2.png").arg(i % 2 ? "odd" : "even").arg(i), at(2026, 1, 1).addSecs(i)),
                     picture);
    QTRY_VERIFY(store.isIdle());

    for (const QString &search : {QString(), QStringLiteral("odd")}) {
        QList<HistoryRecord> all;
        for (QList<HistoryRecord> page = store.read(search, 0, 100); !page.isEmpty();
             page = store.read(search, all.last().id, 100))
            all += page;
        QCOMPARE(all.size(), search.isEmpty() ? 250 : 125);
        for (int i = 1; i < all.size(); ++i)
            QVERIFY(all.at(i).id < all.at(i - 1).id);
        QCOMPARE(all.first().fileName, QStringLiteral("odd-249.png"));
        // What came after the first page is what a look for newer records finds.
        QCOMPARE(store.readNewer(search, all.at(3).id).size(), 3);
    }

    const QList<HistoryRecord> newest = store.read(QString(), 0, 3);
    store.remove({newest.at(0).id, newest.at(2).id});
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(names(store.read(QString(), 0, 2)), (QStringList{"even-248.png", "even-246.png"}));
    QVERIFY(names(store.read(QStringLiteral("odd-249"))).isEmpty());
    QVERIFY(store.thumbnail(newest.at(0).id).isEmpty());
    QVERIFY(!store.thumbnail(newest.at(1).id).isEmpty());

    store.clear();
    QTRY_VERIFY(store.isIdle());
    QVERIFY(store.read(QString()).isEmpty());
    QCOMPARE(sql(dbPath(), QStringLiteral("SELECT count(*) FROM thumbnails")).toInt(), 0);
    QCOMPARE(sql(dbPath(), QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

void tst_History::migratesFirstLayout()
{
    // The first release's layout, as it wrote it: records and thumbnails, no search index.
    QVERIFY(QDir().mkpath(QFileInfo(dbPath()).path()));
    for (const char *statement : {
                 "CREATE TABLE uploads (id INTEGER PRIMARY KEY, time INTEGER NOT NULL,"
                 " file_name TEXT NOT NULL DEFAULT '', file_path TEXT NOT NULL DEFAULT '',"
                 " file_size INTEGER NOT NULL DEFAULT -1, width INTEGER NOT NULL DEFAULT 0,"
                 " height INTEGER NOT NULL DEFAULT 0, destination TEXT NOT NULL DEFAULT '',"
                 " link TEXT NOT NULL DEFAULT '', thumbnail_link TEXT NOT NULL DEFAULT '',"
                 " deletion_link TEXT NOT NULL DEFAULT '', description TEXT NOT NULL DEFAULT '',"
                 " failure TEXT NOT NULL DEFAULT '')",
                 "CREATE INDEX uploads_time ON uploads (time, id)",
                 "CREATE TABLE thumbnails (id INTEGER PRIMARY KEY, image BLOB NOT NULL)",
                 "CREATE TRIGGER uploads_thumbnail AFTER DELETE ON uploads BEGIN"
                 " DELETE FROM thumbnails WHERE id = old.id; END",
                 "INSERT INTO uploads (time, file_name, link, description) VALUES"
                 " (1796640000000, 'old.png', 'http://img.example/i/old.png', 'first trip'),"
                 " (1796640060000, 'older.png', 'http://img.example/i/x.png', 'second trip')",
                 "INSERT INTO thumbnails VALUES (1, x'ffd8ffe0')", "PRAGMA user_version = 1"})
        sql(dbPath(), QString::fromLatin1(statement));
    QCOMPARE(sql(dbPath(), QStringLiteral("SELECT count(*) FROM uploads")).toInt(), 2);

    HistoryStore store(dbPath());
    QTRY_VERIFY(store.isOpen());
    QCOMPARE(names(store.read(QStringLiteral("trip"))), (QStringList{"older.png", "old.png"}));
    QCOMPARE(names(store.read(QStringLiteral("first"))), QStringList{"old.png"});
    QCOMPARE(store.thumbnail(1), QByteArray::fromHex("ffd8ffe0"));
    store.record(upload(QStringLiteral("new.png"), at(2027, 1, 1), QStringLiteral("third trip")));
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(names(store.read(QStringLiteral("trip"))), (QStringList{"new.png", "older.png", "old.png"}));
    QCOMPARE(store.fault(), HistoryFault::None);
    QCOMPARE(sql(dbPath(), QStringLiteral("PRAGMA user_version")).toInt(), tarvello::historydb::schemaVersion);
}

void tst_History::unusableFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<HistoryFault>("fault");
    QTest::addColumn<bool>("recordsLater"); // in a new file

    QTest::newRow("not a database") << "garbage" << HistoryFault::Corrupt << true;
    QTest::newRow("damaged inside") << "damaged" << HistoryFault::Corrupt << true;
    QTest::newRow("from a newer version") << "newer" << HistoryFault::Newer << false;
    QTest::newRow("folder is a file") << "folder" << HistoryFault::CannotOpen << false;
}

void tst_History::unusableFiles()
{
    QFETCH(QString, kind);
    QFETCH(HistoryFault, fault);
    QFETCH(bool, recordsLater);

    QString path = dbPath();
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    if (kind == QLatin1String("garbage")) {
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    } else if (kind == QLatin1String("damaged")) {
        {
            HistoryStore store(path);
            for (int i = 0; i < 300; ++i)
                store.record(upload(QStringLiteral("%1.png").arg(i), at(2026, 1, 1), QString(200, QLatin1Char('d'))));
            QTRY_VERIFY(store.isIdle());
        }
        // The first page stays, the rest is wiped: the file opens, its tables do not read.
        QVERIFY(file.open(QIODevice::ReadWrite) && file.size() > 65536);
        file.seek(8192);
        file.write(QByteArray(int(file.size()) - 8192, '\x55'));
    } else if (kind == QLatin1String("newer")) {
        sql(path, QStringLiteral("PRAGMA user_version = 99"));
    } else {
        QVERIFY(file.open(QIODevice::WriteOnly));
        path += QStringLiteral("/history.sqlite");
    }
    file.close();
    const QByteArray before = testutil::fileBytes(file.fileName());

    HistoryStore store(path, {200, 20, 100});
    QSignalSpy faulted(&store, &HistoryStore::faulted);
    store.record(upload(QStringLiteral("after.png"), at(2026, 2, 2)));
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(faulted.size(), 1);
    QCOMPARE(faulted.at(0).at(0).value<HistoryFault>(), fault);
    QCOMPARE(store.isAvailable(), recordsLater);
    QCOMPARE(names(store.read(QString())), recordsLater ? QStringList{"after.png"} : QStringList());
    // Kept, byte for byte: in place, or under a name of its own.
    const QString kept = fault == HistoryFault::Corrupt ? faulted.at(0).at(1).toString() : file.fileName();
    QVERIFY2(fault != HistoryFault::Corrupt || kept.startsWith(path + QStringLiteral(".corrupt-")), qPrintable(kept));
    QCOMPARE(testutil::fileBytes(kept), before);
    store.record(upload(QStringLiteral("later.png"), at(2026, 2, 3)));
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(faulted.size(), 1); // said once
}

void tst_History::locked_data()
{
    QTest::addColumn<bool>("beforeOpening");

    QTest::newRow("a long write of another program") << false;
    QTest::newRow("an exclusive lock before it opens") << true;
}

void tst_History::locked()
{
    QFETCH(bool, beforeOpening);

    QVERIFY(QDir().mkpath(QFileInfo(dbPath()).path()));
    if (!beforeOpening) {
        HistoryStore first(dbPath());
        QTRY_VERIFY(first.isOpen());
    }
    {
        QSqlDatabase db = other(dbPath());
        QSqlQuery query(db);
        // An older program that stays out of WAL mode and keeps the file to itself, or one in the
        // middle of a long write.
        QVERIFY(query.exec(QString::fromLatin1(beforeOpening ? "PRAGMA locking_mode = EXCLUSIVE" : "BEGIN IMMEDIATE")));
        QVERIFY(query.exec(QStringLiteral("CREATE TABLE mine (x)")));

        HistoryStore store(dbPath(), {100, 20, 200});
        QSignalSpy faulted(&store, &HistoryStore::faulted);
        store.record(upload(QStringLiteral("waiting.png"), at(2026, 3, 3)));
        QVERIFY(faulted.wait(5000));
        QCOMPARE(faulted.at(0).at(0).value<HistoryFault>(), HistoryFault::Locked);
        QVERIFY(store.isAvailable()); // it waits, it does not give up
        QVERIFY(!store.isIdle());

        if (!beforeOpening)
            QVERIFY(query.exec(QStringLiteral("COMMIT")));
        query.finish();
        db.close();
        QTRY_VERIFY_WITH_TIMEOUT(store.isIdle(), 10000);
        QCOMPARE(names(store.read(QString())), QStringList{"waiting.png"});
        QCOMPARE(faulted.size(), 1);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
}

void tst_History::readOnlyForItsUser()
{
    const bool root = geteuid() == 0;
    const QString folder = m_dir->filePath(QStringLiteral("ro"));
    const QString path = folder + QStringLiteral("/history.sqlite");
    {
        HistoryStore store(path);
        store.record(upload(QStringLiteral("kept.png"), at(2026, 4, 4)));
        QTRY_VERIFY(store.isIdle());
    }
    const QByteArray before = testutil::fileBytes(path);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    if (root) { // nobody owns it there
        QVERIFY(chmod(QFile::encodeName(m_dir->path()).constData(), 0755) == 0);
        QVERIFY(chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
        QVERIFY(chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    }
    std::unique_ptr<QProcess> probe(startProbe(path, 3, QStringLiteral("ro"), root));
    const QMap<QString, int> result = probeResult(probe.get());
    QCOMPARE(result.value(QStringLiteral("fault"), -1), int(HistoryFault::ReadOnly));
    QCOMPARE(result.value(QStringLiteral("written"), -1), 0);
    QCOMPARE(testutil::fileBytes(path), before);
}

void tst_History::twoProgramsRecord()
{
    {
        HistoryStore store(dbPath());
        QTRY_VERIFY(store.isOpen());
    }
    std::unique_ptr<QProcess> a(startProbe(dbPath(), 60, QStringLiteral("a")));
    std::unique_ptr<QProcess> b(startProbe(dbPath(), 60, QStringLiteral("b")));
    HistoryStore store(dbPath());
    for (int i = 0; i < 60; ++i) {
        store.record(upload(QStringLiteral("c-%1").arg(i), QDateTime::currentDateTime()));
        QTRY_VERIFY(store.isIdle());
    }
    QCOMPARE(probeResult(a.get()).value(QStringLiteral("written")), 60);
    QCOMPARE(probeResult(b.get()).value(QStringLiteral("written")), 60);
    QCOMPARE(store.fault(), HistoryFault::None);
    for (const char *tag : {"a-", "b-", "c-"})
        QCOMPARE(store.read(QString::fromLatin1(tag), 0, 1000).size(), 60);
}

void tst_History::diskFills()
{
    // CTest runs this case through tests/smalldisk.sh, on a disk of 512 KiB.
    const QString disk = qEnvironmentVariable("TARVELLO_SMALL_DISK");
    if (disk.isEmpty())
        QSKIP("no small disk (run through tests/smalldisk.sh)");
    QFile room(disk + QStringLiteral("/room"));
    QVERIFY(room.open(QIODevice::WriteOnly) && room.write(QByteArray(128 * 1024, 'r')) == 128 * 1024);
    room.close();
    QImage noise(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, (x ^ y) % 256));

    const QString path = disk + QStringLiteral("/history.sqlite");
    QList<qint64> committed;
    int asked = 0;
    {
        HistoryStore store(path, {100, 20, 100});
        QSignalSpy faulted(&store, &HistoryStore::faulted);
        connect(&store, &HistoryStore::written, this, [&committed](const QList<qint64> &ids) { committed += ids; });
        while (faulted.isEmpty() && asked < 2000) {
            store.record(upload(QStringLiteral("r%1.png").arg(asked++), QDateTime::currentDateTime(),
                                QString(2000, QLatin1Char('x'))), noise);
            QTRY_VERIFY(store.isIdle() || !faulted.isEmpty());
        }
        QCOMPARE(faulted.size(), 1);
        QCOMPARE(faulted.at(0).at(0).value<HistoryFault>(), HistoryFault::DiskFull);
        QVERIFY(store.isAvailable() && !committed.isEmpty());
        // Every record the store said it wrote is still there.
        QList<qint64> found;
        for (const HistoryRecord &record : store.read(QString(), 0, 100000))
            found.prepend(record.id);
        QCOMPARE(found, committed);

        // Room again: what waited is written.
        QVERIFY(QFile::remove(room.fileName()));
        QTRY_VERIFY_WITH_TIMEOUT(store.isIdle(), 10000);
        QCOMPARE(store.read(QString(), 0, 100000).size(), asked);
    }
    QCOMPARE(sql(path, QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(sql(path, QStringLiteral("SELECT count(*) FROM uploads")).toInt(), asked);
}

void tst_History::thumbnails_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");

    QImage cutOut(300, 150, QImage::Format_ARGB32);
    cutOut.fill(Qt::transparent);
    QTest::newRow("photo") << QImage(4000, 3000, QImage::Format_RGB32) << QSize(128, 96) << QByteArray("jpeg");
    QTest::newRow("small stays small") << QImage(40, 30, QImage::Format_RGB32) << QSize(40, 30) << QByteArray("jpeg");
    QTest::newRow("transparent") << cutOut << QSize(128, 64) << QByteArray("png");
    QTest::newRow("none") << QImage() << QSize(0, 0) << QByteArray();
}

void tst_History::thumbnails()
{
    QFETCH(QImage, image);
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);

    QByteArray bytes = tarvello::historyThumbnail(image);
    QCOMPARE(bytes.isEmpty(), format.isEmpty());
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer);
    QCOMPARE(reader.format(), format);
    const QImage back = reader.read();
    QCOMPARE(back.size(), size);
    QVERIFY(format != "png" || back.pixelColor(0, 0).alpha() == 0);
}

void tst_History::listing_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("line");

    QTest::newRow("winter") << QDate(2026, 12, 7) << "beach.jpg" << "Team share"
                            << "2026-12-07T09:05:03+01:00\thttp://img.example/i/beach.jpg\tbeach.jpg\tTeam share\n";
    QTest::newRow("summer") << QDate(2026, 7, 1) << "s.png" << "x"
                            << "2026-07-01T09:05:03+02:00\thttp://img.example/i/s.png\ts.png\tx\n";
    QTest::newRow("tabs and breaks") << QDate(2026, 12, 7) << "a\tb\nc.png" << "Team\r\nshare"
                                     << "2026-12-07T09:05:03+01:00\thttp://img.example/i/a b c.png\ta b c.png\tTeam  share\n";
}

void tst_History::listing()
{
    QFETCH(QDate, day);
    QFETCH(QString, file);
    QFETCH(QString, destination);
    QFETCH(QString, line);
    QCOMPARE(tarvello::historyLines({upload(file, QDateTime(day, QTime(9, 5, 3)), QString(), destination)}), line);
}

void tst_History::listingFromFile()
{
    QCOMPARE(tarvello::readHistoryLinks(dbPath(), 20).records.size(), 0); // no file yet: no history
    QCOMPARE(tarvello::readHistoryLinks(dbPath(), 20).fault, HistoryFault::None);
    QVERIFY(!QFile::exists(dbPath())); // and reading made none
    {
        HistoryStore store(dbPath());
        for (int i = 0; i < 5; ++i)
            store.record(upload(QStringLiteral("%1.png").arg(i), at(2026, 5, 5).addSecs(i)));
        store.record(failure(QStringLiteral("newest-failed.png"), at(2026, 5, 6)));
        QTRY_VERIFY(store.isIdle());
    }
    const tarvello::HistoryListing listing = tarvello::readHistoryLinks(dbPath(), 3);
    QCOMPARE(listing.fault, HistoryFault::None);
    QCOMPARE(names(listing.records), (QStringList{"4.png", "3.png", "2.png"}));

    sql(dbPath(), QStringLiteral("PRAGMA user_version = 7"));
    QCOMPARE(tarvello::readHistoryLinks(dbPath(), 3).fault, HistoryFault::Newer);
}

QTEST_GUILESS_MAIN(tst_History)
#include "tst_history.moc"
