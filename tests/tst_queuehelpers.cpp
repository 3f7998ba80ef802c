// The helpers behind the queue's everyday messages: why a file cannot be used, the summary line,
// and the open dialog's filter and folder.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/browse.h"
#include "base/fileproblem.h"
#include "base/folderwalk.h"
#include "gui/texts.h"
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
    void walkStopsBetweenImages();
    void walkCountsNamesItCannotRead();

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
    // Names that are not UTF-8: their bytes are a real name, which Qt cannot give back.
    QDir().mkpath(path(QStringLiteral("latin1")));
    QVERIFY(::mkdir((QFile::encodeName(path(QStringLiteral("latin1"))) + "/inner").constData(), 0700) == 0);
    QVERIFY(::mkdir((QFile::encodeName(path(QStringLiteral("latin1"))) + "/\xE9t\xE9").constData(), 0700) == 0);
    for (const char *name : {"/bad\xE9.png", "/bad\xE9.txt", "/../bad\xE9.png", "/inner/bad\xE9.jpg", "/\xE9t\xE9/x.png"}) {
        const QByteArray bytes = QFile::encodeName(path(QStringLiteral("latin1"))) + name;
        QVERIFY(::close(::creat(bytes.constData(), 0600)) == 0);
    }
    QFile::copy(path(QStringLiteral("photo.jpg")), path(QStringLiteral("latin1/photo.jpg")));
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
    QTest::newRow("name not UTF-8") << QStringLiteral("bad\uFFFD.png")
                                    << "The file's name is not in UTF-8, so the program cannot open it; rename it.";
}

void tst_QueueHelpers::fileProblems()
{
    QFETCH(QString, name);
    QFETCH(QString, problem);

    const QString file = name.startsWith(QLatin1Char('/')) ? name : path(name);
    if (name == QLatin1String("locked.png") && ::access(QFile::encodeName(file).constData(), R_OK) == 0)
        QSKIP("this user reads every file (root)");
    QCOMPARE(tarvello::fileProblemText(tarvello::fileProblem(file)), problem);
}

void tst_QueueHelpers::summary_data()
{
    QTest::addColumn<QList<int>>("counts"); // uploaded, failed, uploading, waiting
    QTest::addColumn<QString>("text");

    QTest::newRow("empty queue") << QList<int>{0, 0, 0, 0} << "";
    QTest::newRow("all waiting") << QList<int>{0, 0, 0, 3} << "3 waiting";
    QTest::newRow("mixed") << QList<int>{2, 1, 1, 2} << "2 uploaded, 1 failed, 1 uploading, 2 waiting";
    QTest::newRow("done") << QList<int>{2, 0, 0, 0} << "2 uploaded";
}

void tst_QueueHelpers::summary()
{
    QFETCH(QList<int>, counts);
    QFETCH(QString, text);

    QCOMPARE(tarvello::summaryText({counts.at(0), counts.at(1), counts.at(2), counts.at(3)}), text);
}

void tst_QueueHelpers::browseFilter()
{
    QCOMPARE(tarvello::browseFilter(tarvello::imagePatterns({"png", "JPG", "jpeg", "png", "", "webp"})),
             QStringLiteral("Image Files (*.jpeg *.jpg *.png *.webp);;All files (*)"));
    QCOMPARE(tarvello::browseFilter(tarvello::imagePatterns({})), QStringLiteral("Image Files ();;All files (*)"));
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

void tst_QueueHelpers::walkStopsBetweenImages()
{
    // A stop takes effect at the next entry, even in a tree that holds no image at all.
    const QString tree = path(QStringLiteral("no-images"));
    QDir().mkpath(tree);
    for (int i = 0; i < 200; ++i)
        QFile::copy(path(QStringLiteral("notes.txt")), tree + QStringLiteral("/%1.txt").arg(i));
    int asked = 0;
    int visited = 0;
    tarvello::walkImages(tree, [&](const QString &) { return ++visited > 0; }, [&] { return ++asked < 10; });
    QCOMPARE(asked, 10);
    QCOMPARE(visited, 0);
}

// Files the walk cannot name are counted, so the window can say what was left out.
void tst_QueueHelpers::walkCountsNamesItCannotRead()
{
    QStringList visited;
    const int leftOut = tarvello::walkImages(path(QStringLiteral("latin1")), [&](const QString &file) {
        visited.append(QFileInfo(file).fileName());
        return true;
    });
    QCOMPARE(visited, QStringList{QStringLiteral("photo.jpg")});
    QCOMPARE(leftOut, 4); // three names here and one in a subfolder; a folder left out is not entered
}

QTEST_GUILESS_MAIN(tst_QueueHelpers)
#include "tst_queuehelpers.moc"
