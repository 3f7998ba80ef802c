// The upload history's store: what it keeps and reads back, its search, pages, migrations from an
// older layout, and the files it cannot use (locked, read-only, damaged, newer, no room), with
// other programs recording into the same file.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
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
                     const QString &destination = QStringLiteral("Local host"),
                     const QString &link = QString())
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

QDateTime at(int year, int month, int day, int hour = 12, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

QStringList fileNames(const QList<HistoryRecord> &records)
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

// A connection of the test's own, as another program would have.
class Direct
{
public:
    explicit Direct(const QString &path)
        : m_name(QStringLiteral("test-%1").arg(++s_count))
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.open();
    }
    ~Direct()
    {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    Direct(const Direct &) = delete;
    Direct &operator=(const Direct &) = delete;

    bool exec(const QString &sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        const bool done = query.exec(sql);
        if (!done)
            qWarning() << sql << query.lastError().text();
        return done;
    }
    QVariant value(const QString &sql) const
    {
        QSqlQuery query(QSqlDatabase::database(m_name));
        return query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

private:
    QString m_name;
    static inline int s_count = 0;
};

// The probe program as another user (root's tests would write anything), or as this one.
QProcess *startProbe(const QString &path, int count, const QString &tag, bool asNobody = false)
{
    auto *probe = new QProcess;
    QStringList args{path, QString::number(count), tag};
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/historyprobe");
    if (asNobody) {
        probe->start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--reuid=nobody"), QStringLiteral("--regid=nogroup"),
                                                            QStringLiteral("--clear-groups"), program} + args);
    } else {
        probe->start(program, args);
    }
    return probe;
}

QMap<QString, int> probeResult(QProcess *probe)
{
    QMap<QString, int> result;
    // A probe that ended while the test waited for something else is finished already.
    if (probe->state() != QProcess::NotRunning && !probe->waitForFinished(60000))
        return result;
    for (const QByteArray &line : probe->readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.split(' ');
        if (parts.size() == 2)
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
    void pages();
    void removeAndClear();
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
    QTest::addColumn<bool>("thumbnail");

    QTest::newRow("from the preview") << true << false << true;
    QTest::newRow("from the file") << false << true << true;
    QTest::newRow("no picture at all") << false << false << false;
}

void tst_History::recordsAndReads()
{
    QFETCH(bool, preview);
    QFETCH(bool, fileExists);
    QFETCH(bool, thumbnail);

    const QString image = m_dir->filePath(QStringLiteral("photo é.jpg"));
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(20, 120, 200));
    if (fileExists)
        QVERIFY(picture.save(image));

    HistoryRecord full;
    full.time = QDateTime::fromMSecsSinceEpoch(1796640123456);
    full.fileName = QStringLiteral("photo é.jpg");
    full.filePath = image;
    full.fileSize = 123456;
    full.imageSize = QSize(640, 480);
    full.destination = QStringLiteral("Team share");
    full.link = QStringLiteral("https://img.example/i/abc.jpg");
    full.thumbnailLink = QStringLiteral("https://img.example/t/abc.jpg");
    full.deletionLink = QStringLiteral("https://img.example/delete/abc?key=1");
    full.description = QStringLiteral("Line one\nline two, 100% \"quoted\" 'single'");
    HistoryRecord failed = upload(QStringLiteral("broken.png"), full.time.addSecs(60), QString(), QString(), QString());
    failed.link.clear();
    failed.failure = QStringLiteral("HTTP status: 500 Internal Server Error");

    HistoryStore store(dbPath());
    QSignalSpy written(&store, &HistoryStore::written);
    store.record(full, preview ? picture : QImage());
    store.record(failed);
    QTRY_VERIFY(store.isIdle());
    QVERIFY(!written.isEmpty());

    const QList<HistoryRecord> records = store.read(QString());
    QCOMPARE(records.size(), 2);
    QCOMPARE(records.at(0).failure, failed.failure); // newest first
    QVERIFY(!records.at(0).hasLink());
    const HistoryRecord &back = records.at(1);
    QVERIFY(back.id > 0 && back.id < records.at(0).id);
    QCOMPARE(back.time, full.time);
    QCOMPARE(back.fileName, full.fileName);
    QCOMPARE(back.filePath, full.filePath);
    QCOMPARE(back.fileSize, full.fileSize);
    QCOMPARE(back.imageSize, full.imageSize);
    QCOMPARE(back.destination, full.destination);
    QCOMPARE(back.link, full.link);
    QCOMPARE(back.thumbnailLink, full.thumbnailLink);
    QCOMPARE(back.deletionLink, full.deletionLink);
    QCOMPARE(back.description, full.description);
    QVERIFY(back.failure.isEmpty());

    const QByteArray small = store.thumbnail(back.id);
    QCOMPARE(!small.isEmpty(), thumbnail);
    if (thumbnail) {
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
    Direct db(dbPath());
    QCOMPARE(db.value(QStringLiteral("PRAGMA journal_mode")).toString(), QStringLiteral("wal"));
    QCOMPARE(db.value(QStringLiteral("PRAGMA user_version")).toInt(), tarvello::historydb::schemaVersion);
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
    HistoryRecord failed = upload(QStringLiteral("failed.png"), at(2027, 1, 2), QStringLiteral("be careful"));
    failed.link.clear();
    failed.failure = QStringLiteral("The host refused the connection.");
    store.record(failed);
    QTRY_VERIFY(store.isIdle());

    QCOMPARE(fileNames(store.read(search)), found);
}

void tst_History::pages()
{
    HistoryStore store(dbPath());
    for (int i = 0; i < 250; ++i)
        store.record(upload(QStringLiteral("%1-%2.png").arg(i % 2 ? "odd" : "even").arg(i), at(2026, 1, 1).addSecs(i)));
    QTRY_VERIFY(store.isIdle());

    for (const QString &search : {QString(), QStringLiteral("odd")}) {
        QList<HistoryRecord> all;
        for (QList<HistoryRecord> page = store.read(search, 0, 100); !page.isEmpty();
             page = store.read(search, all.last().id, 100)) {
            QVERIFY(page.size() <= 100);
            all += page;
        }
        QCOMPARE(all.size(), search.isEmpty() ? 250 : 125);
        for (int i = 1; i < all.size(); ++i)
            QVERIFY(all.at(i).id < all.at(i - 1).id);
        QCOMPARE(all.first().fileName, QStringLiteral("odd-249.png"));
        // What came after the first page is what a later look for newer records finds.
        QCOMPARE(store.readNewer(search, all.at(3).id).size(), 3);
    }
}

void tst_History::removeAndClear()
{
    QImage picture(50, 50, QImage::Format_RGB32);
    picture.fill(Qt::green);
    HistoryStore store(dbPath());
    for (int i = 0; i < 4; ++i)
        store.record(upload(QStringLiteral("f%1.png").arg(i), at(2026, 1, 1).addSecs(i)), picture);
    QTRY_VERIFY(store.isIdle());
    const QList<HistoryRecord> records = store.read(QString());
    store.remove({records.at(0).id, records.at(2).id});
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(fileNames(store.read(QString())), (QStringList{"f2.png", "f0.png"}));
    QCOMPARE(fileNames(store.read(QStringLiteral("f3"))), QStringList());
    QVERIFY(store.thumbnail(records.at(0).id).isEmpty());
    QVERIFY(!store.thumbnail(records.at(1).id).isEmpty());

    store.clear();
    QTRY_VERIFY(store.isIdle());
    QVERIFY(store.read(QString()).isEmpty());
    Direct db(dbPath());
    QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM thumbnails")).toInt(), 0);
    QCOMPARE(db.value(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
}

void tst_History::migratesFirstLayout()
{
    // The first release's layout, as it wrote it: records and thumbnails, no search index.
    QVERIFY(QDir().mkpath(QFileInfo(dbPath()).path()));
    {
        Direct db(dbPath());
        QVERIFY(db.exec(QStringLiteral(
                "CREATE TABLE uploads (id INTEGER PRIMARY KEY, time INTEGER NOT NULL,"
                " file_name TEXT NOT NULL DEFAULT '', file_path TEXT NOT NULL DEFAULT '',"
                " file_size INTEGER NOT NULL DEFAULT -1, width INTEGER NOT NULL DEFAULT 0,"
                " height INTEGER NOT NULL DEFAULT 0, destination TEXT NOT NULL DEFAULT '',"
                " link TEXT NOT NULL DEFAULT '', thumbnail_link TEXT NOT NULL DEFAULT '',"
                " deletion_link TEXT NOT NULL DEFAULT '', description TEXT NOT NULL DEFAULT '',"
                " failure TEXT NOT NULL DEFAULT '')")));
        QVERIFY(db.exec(QStringLiteral("CREATE INDEX uploads_time ON uploads (time, id)")));
        QVERIFY(db.exec(QStringLiteral("CREATE TABLE thumbnails (id INTEGER PRIMARY KEY, image BLOB NOT NULL)")));
        QVERIFY(db.exec(QStringLiteral("CREATE TRIGGER uploads_thumbnail AFTER DELETE ON uploads BEGIN"
                                       " DELETE FROM thumbnails WHERE id = old.id; END")));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO uploads (time, file_name, link, description) VALUES"
                                       " (1796640000000, 'old.png', 'http://img.example/i/old.png', 'first trip'),"
                                       " (1796640060000, 'older.png', 'http://img.example/i/x.png', 'second trip')")));
        QVERIFY(db.exec(QStringLiteral("INSERT INTO thumbnails VALUES (1, x'ffd8ffe0')")));
        QVERIFY(db.exec(QStringLiteral("PRAGMA user_version = 1")));
    }

    HistoryStore store(dbPath());
    QTRY_VERIFY(store.isOpen());
    QCOMPARE(fileNames(store.read(QStringLiteral("trip"))), (QStringList{"older.png", "old.png"}));
    QCOMPARE(fileNames(store.read(QStringLiteral("first"))), QStringList{"old.png"});
    QCOMPARE(store.thumbnail(1), QByteArray::fromHex("ffd8ffe0"));
    store.record(upload(QStringLiteral("new.png"), at(2027, 1, 1), QStringLiteral("third trip")));
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(fileNames(store.read(QStringLiteral("trip"))), (QStringList{"new.png", "older.png", "old.png"}));
    QCOMPARE(store.fault(), HistoryFault::None);
    QCOMPARE(Direct(dbPath()).value(QStringLiteral("PRAGMA user_version")).toInt(), tarvello::historydb::schemaVersion);
}

void tst_History::unusableFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<HistoryFault>("fault");
    QTest::addColumn<bool>("recordsLater"); // a new file takes the records

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
    if (kind == QLatin1String("garbage")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(8192, 'x'));
    } else if (kind == QLatin1String("damaged")) {
        {
            HistoryStore store(path);
            for (int i = 0; i < 300; ++i)
                store.record(upload(QStringLiteral("%1.png").arg(i), at(2026, 1, 1), QString(200, QLatin1Char('d'))));
            QTRY_VERIFY(store.isIdle());
        }
        // Keep the header, wipe the rest: the file opens, its tables do not read.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.size() > 16384);
        file.seek(4096);
        file.write(QByteArray(int(file.size()) - 4096, '\x55'));
    } else if (kind == QLatin1String("newer")) {
        Direct db(path);
        QVERIFY(db.exec(QStringLiteral("CREATE TABLE future (x)")));
        QVERIFY(db.exec(QStringLiteral("PRAGMA user_version = 99")));
    } else {
        QFile file(m_dir->filePath(QStringLiteral("plain")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        path = file.fileName() + QStringLiteral("/history.sqlite");
    }
    const QByteArray before = QFile::exists(path) ? testutil::fileBytes(path) : QByteArray();

    HistoryStore store(path, {200, 20, 100});
    QSignalSpy faulted(&store, &HistoryStore::faulted);
    store.record(upload(QStringLiteral("after.png"), at(2026, 2, 2)));
    QTRY_VERIFY(store.isIdle());
    QCOMPARE(faulted.size(), 1);
    QCOMPARE(faulted.at(0).at(0).value<HistoryFault>(), fault);
    QCOMPARE(store.fault(), fault);
    QCOMPARE(store.isAvailable(), recordsLater);
    QCOMPARE(fileNames(store.read(QString())), recordsLater ? QStringList{"after.png"} : QStringList());
    if (fault == HistoryFault::Corrupt) {
        // Kept under a name of its own, byte for byte.
        const QString aside = faulted.at(0).at(1).toString();
        QVERIFY2(aside.startsWith(path + QStringLiteral(".corrupt-")), qPrintable(aside));
        QCOMPARE(testutil::fileBytes(aside), before);
    } else if (!before.isEmpty()) {
        QCOMPARE(testutil::fileBytes(path), before);
    }
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
    auto other = std::make_unique<Direct>(dbPath());
    if (beforeOpening) {
        // An older program that never leaves rollback mode and keeps the file to itself.
        QVERIFY(other->exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")));
        QVERIFY(other->exec(QStringLiteral("CREATE TABLE mine (x)")));
    } else {
        HistoryStore first(dbPath());
        QTRY_VERIFY(first.isOpen());
    }
    if (!beforeOpening) {
        QVERIFY(other->exec(QStringLiteral("BEGIN IMMEDIATE")));
        QVERIFY(other->exec(QStringLiteral("CREATE TABLE mine (x)")));
    }

    HistoryStore store(dbPath(), {100, 20, 200});
    QSignalSpy faulted(&store, &HistoryStore::faulted);
    store.record(upload(QStringLiteral("waiting.png"), at(2026, 3, 3)));
    QVERIFY(faulted.wait(5000));
    QCOMPARE(faulted.at(0).at(0).value<HistoryFault>(), HistoryFault::Locked);
    QVERIFY(store.isAvailable()); // it waits, it does not give up
    QVERIFY(!store.isIdle());

    if (!beforeOpening)
        QVERIFY(other->exec(QStringLiteral("COMMIT")));
    other.reset();
    QTRY_VERIFY_WITH_TIMEOUT(store.isIdle(), 10000);
    QCOMPARE(fileNames(store.read(QString())), QStringList{"waiting.png"});
    QCOMPARE(faulted.size(), 1);
}

void tst_History::readOnlyForItsUser()
{
    const bool root = geteuid() == 0;
    const QString folder = m_dir->filePath(QStringLiteral("ro"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/history.sqlite");
    {
        HistoryStore store(path);
        store.record(upload(QStringLiteral("kept.png"), at(2026, 4, 4)));
        QTRY_VERIFY(store.isIdle());
    }
    const QByteArray before = testutil::fileBytes(path);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser));
    // Root writes whatever the mode says: the probe runs as nobody, who owns the file.
    if (root) {
        QVERIFY(chmod(qPrintable(m_dir->path()), 0755) == 0);
        QVERIFY(chown(qPrintable(folder), 65534, 65534) == 0);
        QVERIFY(chown(qPrintable(path), 65534, 65534) == 0);
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
    // Needs a small disk of its own: CTest runs this case through tests/smalldisk.sh.
    const QString disk = qEnvironmentVariable("TARVELLO_SMALL_DISK");
    if (disk.isEmpty())
        QSKIP("no small disk (run through tests/smalldisk.sh)");
    const QString path = disk + QStringLiteral("/history.sqlite");
    QFile room(disk + QStringLiteral("/room"));
    QVERIFY(room.open(QIODevice::WriteOnly));
    QVERIFY(room.write(QByteArray(128 * 1024, 'r')) == 128 * 1024);
    room.close();

    QImage noise(128, 128, QImage::Format_RGB32);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            noise.setPixel(x, y, qRgb((x * 37 + y * 91) % 256, (x * y) % 256, (x ^ y) % 256));
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
        QVERIFY(store.isAvailable());
        QVERIFY(!committed.isEmpty());
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
    Direct db(path);
    QCOMPARE(db.value(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    QCOMPARE(db.value(QStringLiteral("SELECT count(*) FROM uploads")).toInt(), asked);
}

void tst_History::thumbnails_data()
{
    QTest::addColumn<QImage>("image");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QByteArray>("format");

    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(QColor(200, 100, 50));
    QImage cutOut(300, 150, QImage::Format_ARGB32);
    cutOut.fill(Qt::transparent);
    for (int x = 100; x < 200; ++x)
        for (int y = 50; y < 100; ++y)
            cutOut.setPixelColor(x, y, Qt::red);

    QTest::newRow("photo") << photo << QSize(128, 96) << QByteArray("jpeg");
    QTest::newRow("tall") << QImage(100, 1000, QImage::Format_RGB32) << QSize(12, 128) << QByteArray("jpeg");
    QTest::newRow("small stays small") << QImage(40, 30, QImage::Format_RGB32) << QSize(40, 30) << QByteArray("jpeg");
    QTest::newRow("transparent") << cutOut << QSize(128, 64) << QByteArray("png");
    QTest::newRow("none") << QImage() << QSize() << QByteArray();
}

void tst_History::thumbnails()
{
    QFETCH(QImage, image);
    QFETCH(QSize, size);
    QFETCH(QByteArray, format);

    const QByteArray bytes = tarvello::historyThumbnail(image);
    QCOMPARE(bytes.isEmpty(), format.isEmpty());
    if (format.isEmpty())
        return;
    QVERIFY2(bytes.size() < 8 * 1024, QByteArray::number(bytes.size()));
    QBuffer buffer(const_cast<QByteArray *>(&bytes));
    QImageReader reader(&buffer);
    QCOMPARE(reader.format(), format);
    const QImage back = reader.read();
    QCOMPARE(back.size(), size);
    if (format == "png")
        QCOMPARE(back.pixelColor(0, 0).alpha(), 0);
}

void tst_History::listing_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("destination");
    QTest::addColumn<QString>("line");

    QTest::newRow("plain") << "beach.jpg" << "Team share"
                           << "2026-12-07T09:05:03+01:00\thttp://img.example/i/beach.jpg\tbeach.jpg\tTeam share\n";
    QTest::newRow("summer time") << "s.png" << "x"
                                 << "2026-07-01T09:05:03+02:00\thttp://img.example/i/s.png\ts.png\tx\n";
    QTest::newRow("tabs and breaks") << "a\tb\nc.png" << "Team\r\nshare"
                                     << "2026-12-07T09:05:03+01:00\thttp://img.example/i/a b c.png\ta b c.png\tTeam  share\n";
}

void tst_History::listing()
{
    QFETCH(QString, file);
    QFETCH(QString, destination);
    QFETCH(QString, line);

    const QDate day = file == QLatin1String("s.png") ? QDate(2026, 7, 1) : QDate(2026, 12, 7);
    const HistoryRecord record = upload(file, QDateTime(day, QTime(9, 5, 3)), QString(), destination);
    QCOMPARE(tarvello::historyLines({record}), line);
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
        HistoryRecord failed = upload(QStringLiteral("newest-failed.png"), at(2026, 5, 6));
        failed.link.clear();
        failed.failure = QStringLiteral("no");
        store.record(failed);
        QTRY_VERIFY(store.isIdle());
    }
    const tarvello::HistoryListing listing = tarvello::readHistoryLinks(dbPath(), 3);
    QCOMPARE(listing.fault, HistoryFault::None);
    QCOMPARE(fileNames(listing.records), (QStringList{"4.png", "3.png", "2.png"}));

    Direct(dbPath()).exec(QStringLiteral("PRAGMA user_version = 7"));
    QCOMPARE(tarvello::readHistoryLinks(dbPath(), 3).fault, HistoryFault::Newer);
}

QTEST_GUILESS_MAIN(tst_History)
#include "tst_history.moc"
