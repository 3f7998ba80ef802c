// The helpers behind the queue's everyday messages: why a file cannot be used, the summary line,
// the open dialog's filter and folder, and what a command line's folders stand for.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include "base/browse.h"
#include "base/commandline.h"
#include "base/fileproblem.h"
#include "base/imgobj.h"
#include "base/summary.h"
#include "testutil.h"

class tst_QueueHelpers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fileProblems_data();
    void fileProblems();
    void summary_data();
    void summary();
    void browseFilter();
    void browseStartFolder_data();
    void browseStartFolder();
    void commandLineFolders();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
};

void tst_QueueHelpers::initTestCase()
{
    QVERIFY(m_dir.isValid());
    testutil::writeImage(path(QStringLiteral("photo.jpg")), 8, 6, Qt::green, "JPG");
    testutil::writeImage(path(QStringLiteral("named-wrong.txt")), 4, 4, Qt::red, "PNG");
    write(QStringLiteral("notes.txt"), "words\n");
    write(QStringLiteral("empty.png"), QByteArray());
    write(QStringLiteral("locked.png"), testutil::fileBytes(path(QStringLiteral("named-wrong.txt"))));
    QFile::setPermissions(path(QStringLiteral("locked.png")), QFileDevice::Permissions());
    QDir().mkpath(path(QStringLiteral("album/inner")));
    QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe.png"))).constData(), 0600) == 0);
}

void tst_QueueHelpers::fileProblems_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("problem");

    QTest::newRow("image") << "photo.jpg" << "";
    QTest::newRow("image with another suffix") << "named-wrong.txt" << "";
    QTest::newRow("missing") << "gone.png" << "The file does not exist.";
    QTest::newRow("folder") << "album" << "This is a folder, not a file.";
    QTest::newRow("fifo, never opened blocking") << "pipe.png" << "This is not a regular file.";
    QTest::newRow("device") << "/dev/zero" << "This is not a regular file.";
    QTest::newRow("text") << "notes.txt" << "This is not an image the program can read.";
    QTest::newRow("empty") << "empty.png" << "This is not an image the program can read.";
    QTest::newRow("unreadable") << "locked.png" << "The file cannot be read.";
}

void tst_QueueHelpers::fileProblems()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);

    const QString file = name.startsWith(QLatin1Char('/')) ? name : path(name);
    if (name == QLatin1String("locked.png") && ::access(QFile::encodeName(file).constData(), R_OK) == 0)
        QSKIP("this user reads every file (root)");
    QCOMPARE(tarvello::fileProblem(file), problem);
}

void tst_QueueHelpers::summary_data()
{
    QTest::addColumn<QList<int>>("states"); // 0 waiting, 1 uploading, 2 linked, 3 failed
    QTest::addColumn<QString>("text");

    QTest::newRow("empty queue") << QList<int>{} << "";
    QTest::newRow("all waiting") << QList<int>{0, 0, 0} << "3 waiting";
    QTest::newRow("mixed") << QList<int>{2, 3, 0, 2, 1, 0} << "2 uploaded, 1 failed, 1 uploading, 2 waiting";
    QTest::newRow("done") << QList<int>{2, 2} << "2 uploaded";
}

void tst_QueueHelpers::summary()
{
    QFETCH(QList<int>, states);
    QFETCH(QString, text);

    tarvello::QueueCounts counts;
    for (int state : states) {
        imgobj entry;
        entry.state = qint16(qMin(state, 2));
        entry.link = QUrl(state == 2 ? QStringLiteral("http://h/x") : QStringLiteral("failed"), QUrl::TolerantMode);
        counts.count(entry);
    }
    QCOMPARE(tarvello::queueSummary(counts), text);
}

void tst_QueueHelpers::browseFilter()
{
    QCOMPARE(tarvello::browseFilter({"png", "JPG", "jpeg", "png", "", "webp"}),
             QStringLiteral("Image Files (*.jpeg *.jpg *.png *.webp);;All files (*)"));
    QCOMPARE(tarvello::browseFilter({}), QStringLiteral("Image Files ();;All files (*)"));
}

void tst_QueueHelpers::browseStartFolder_data()
{
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("pictures");
    QTest::addColumn<QString>("expected");

    QTest::newRow("last used") << "album/inner" << "album" << "album/inner";
    QTest::newRow("no last: pictures") << "" << "album" << "album";
    QTest::newRow("last gone: pictures") << "gone" << "album" << "album";
    QTest::newRow("last is a file: pictures") << "notes.txt" << "album" << "album";
    QTest::newRow("no pictures folder: home") << "" << "Pictures" << "home";
}

void tst_QueueHelpers::browseStartFolder()
{
    QFETCH(QString, last);
    QFETCH(QString, pictures);
    QFETCH(QString, expected);

    const auto full = [this](const QString &name) { return name.isEmpty() ? name : path(name); };
    const QString home = path(QStringLiteral("home"));
    QCOMPARE(tarvello::browseStartFolder(full(last), full(pictures), home), full(expected));
}

void tst_QueueHelpers::commandLineFolders()
{
    const QString album = path(QStringLiteral("walked"));
    QDir().mkpath(album + QStringLiteral("/deeper"));
    const QString a = testutil::writeImage(album + QStringLiteral("/a.png"), 2, 2);
    const QString b = testutil::writeImage(album + QStringLiteral("/deeper/b.jpg"), 2, 2, Qt::blue, "JPG");
    QFile::copy(path(QStringLiteral("notes.txt")), album + QStringLiteral("/readme.txt"));
    QVERIFY(QFile::link(path(QStringLiteral("photo.jpg")), album + QStringLiteral("/outside.jpg")));

    const QString missing = path(QStringLiteral("gone.png"));
    const QString notes = path(QStringLiteral("notes.txt"));
    QStringList queued = tarvello::queuedPaths({missing, album, notes});
    QCOMPARE(queued.size(), 4);
    QCOMPARE(queued.first(), missing);
    QCOMPARE(queued.last(), notes);
    queued = queued.mid(1, 2);
    queued.sort();
    QCOMPARE(queued, (QStringList{a, b}));
}

QTEST_GUILESS_MAIN(tst_QueueHelpers)
#include "tst_queuehelpers.moc"
