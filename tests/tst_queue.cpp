// Adding images to the queue: rows, entries, previews, and what the drop target hands over.

#include <sys/stat.h>

#include <QCheckBox>
#include <QDir>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "capture.h"
#include "gui/drop.h"
#include "base/image.h"
#include "testutil.h"

class tst_Queue : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addWithoutAutoUpload();
    void addWithAutoUpload();
    void addSeveral();
    void previewBounds_data();
    void previewBounds();
    void pathsWithoutImage_data();
    void pathsWithoutImage();
    void largePhoto();
    void dragIsOffered();
    void drops_data();
    void drops();
    void dropQueuesInOrder();
    void commandLineFolders();

private:
    QStringList cells(const mw &window, int row) const;

    QTemporaryDir m_dir;
};

void tst_Queue::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
}

QStringList tst_Queue::cells(const mw &window, int row) const
{
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts.append(table->item(row, column)->text());
    return texts;
}

void tst_Queue::addWithoutAutoUpload()
{
    CaptureServer server;
    QVERIFY(server.listen());
    qputenv("TARVELLO_HOST", server.hostPort().toLatin1());

    mw window;
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    const QString path = testutil::writeImage(m_dir.filePath(QStringLiteral("one.png")), 40, 20);
    window.addObj(path, false);

    QCOMPARE(cells(window, 0), (QStringList{"one.png", "Click", "Click to add"}));
    const imgobj &entry = window.entries().at(0);
    QCOMPARE(entry.state, qint16(0));
    QCOMPARE(entry.file, path);
    QVERIFY(entry.pix.isNull());
    QTRY_COMPARE(entry.prev.size(), QSize(330, 165));
    QVERIFY(entry.link.isEmpty());
    QVERIFY(entry.desc.isEmpty());
    QVERIFY(!entry.reply);
    QVERIFY(!entry.temp);
    QCOMPARE(window.selected(), &window.entries().at(0));
    for (const char *name : {"cw90", "ccw90", "rot180", "fliph", "flipv"})
        QVERIFY2(window.findChild<QPushButton *>(name)->isEnabled(), name);

    QCOMPARE(sent.size(), 0);
}

void tst_Queue::addWithAutoUpload()
{
    CaptureServer server;
    QVERIFY(server.listen());
    qputenv("TARVELLO_HOST", server.hostPort().toLatin1());

    mw window;
    window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->setChecked(true);
    const QString path = testutil::writeImage(m_dir.filePath(QStringLiteral("auto.png")), 8, 8);
    window.addObj(path, true);

    QCOMPARE(cells(window, 0), (QStringList{"auto.png", "Uploading...", "Click to add"}));
    QCOMPARE(window.entries().at(0).state, qint16(1));
    QVERIFY(window.entries().at(0).reply); // started before addObj returned
    QVERIFY(window.entries().at(0).temp);
    QTRY_COMPARE(server.requests.size(), 1);
    QVERIFY(server.requests.at(0).body.contains(testutil::fileBytes(path)));
}

void tst_Queue::addSeveral()
{
    mw window;
    window.resize(380, 300);
    window.show();
    QStringList names;
    for (int i = 0; i < 12; ++i) {
        names.append(QStringLiteral("n%1.png").arg(i));
        window.addObj(testutil::writeImage(m_dir.filePath(names.last()), 2, 2), false);
    }
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    QCOMPARE(table->rowCount(), 12);
    QCOMPARE(window.entries().size(), 12);
    for (int i = 0; i < 12; ++i)
        QCOMPARE(table->item(i, 0)->text(), names.at(i));
    QCOMPARE(window.selected(), &window.entries().last());
    QTRY_VERIFY(table->verticalScrollBar()->maximum() > 0);
    QTRY_COMPARE(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());

    // The same path twice gives two independent entries.
    window.addObj(m_dir.filePath(names.first()), false);
    QCOMPARE(window.entries().size(), 13);
    QCOMPARE(window.entries().last().file, window.entries().first().file);
}

void tst_Queue::previewBounds_data()
{
    QTest::addColumn<QSize>("image");
    QTest::addColumn<QSize>("preview");

    QTest::newRow("wide and large") << QSize(3300, 700) << QSize(330, 70);
    QTest::newRow("tall and large") << QSize(600, 1700) << QSize(60, 170);
    QTest::newRow("same shape as the box") << QSize(660, 340) << QSize(330, 170);
    QTest::newRow("small, scaled up to the height") << QSize(20, 20) << QSize(170, 170);
    QTest::newRow("small, scaled up to the width") << QSize(33, 5) << QSize(330, 50);
    QTest::newRow("one pixel") << QSize(1, 1) << QSize(170, 170);
}

void tst_Queue::previewBounds()
{
    QFETCH(QSize, image);
    QFETCH(QSize, preview);

    mw window;
    window.addObj(testutil::writeImage(m_dir.filePath(QStringLiteral("p.png")), image.width(), image.height()));
    const imgobj &entry = window.entries().at(0);
    QVERIFY(entry.pix.isNull());
    QTRY_COMPARE(entry.prev.size(), preview);
}

void tst_Queue::pathsWithoutImage_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("shownName");

    QFile text(m_dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not an image\n");
    text.close();
    QFile fake(m_dir.filePath(QStringLiteral("fake.png")));
    QVERIFY(fake.open(QIODevice::WriteOnly));
    fake.write("\x89PNG\r\n\x1a\n broken");
    fake.close();

    QTest::newRow("text file") << text.fileName() << "notes.txt";
    QTest::newRow("broken png") << fake.fileName() << "fake.png";
    QTest::newRow("missing file") << m_dir.filePath(QStringLiteral("gone.png")) << "gone.png";
    QTest::newRow("directory") << m_dir.path() << QFileInfo(m_dir.path()).fileName();
    // Reading a FIFO would wait for a writer for ever, before the window even appears.
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.png"));
    QVERIFY(QFile::exists(fifo) || ::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0);
    QTest::newRow("FIFO") << fifo << "pipe.png";
    QTest::newRow("empty path") << QString() << QString();
}

void tst_Queue::pathsWithoutImage()
{
    QFETCH(QString, path);
    QFETCH(QString, shownName);

    mw window;
    window.addObj(path, false);
    QCOMPARE(window.entries().size(), 1);
    QCOMPARE(cells(window, 0), (QStringList{shownName, "Click", "Click to add"}));
    QVERIFY(window.entries().at(0).pix.isNull());
    QVERIFY(window.entries().at(0).prev.isNull());
    QCOMPARE(window.entries().at(0).file, path);
}

void tst_Queue::largePhoto()
{
    // 48 megapixels is more than Qt decodes by default.
    const QString path = m_dir.filePath(QStringLiteral("large.png"));
    {
        QImage image(8000, 6000, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        QVERIFY(image.save(path, "PNG", 100));
    }
    const QImage loaded = tarvello::loadImage(path);
    QCOMPARE(loaded.size(), QSize(8000, 6000));
    QCOMPARE(tarvello::previewImageOf(loaded).size(), QSize(226, 170));
    QFile::remove(path);
}

void tst_Queue::dragIsOffered()
{
    drop label;
    QMimeData text;
    text.setText(QStringLiteral("just text"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &enter);
    QVERIFY(enter.isAccepted());
    QCOMPARE(enter.dropAction(), enter.proposedAction());

    QDragMoveEvent move(QPoint(6, 6), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&label, &move);
    QVERIFY(move.isAccepted());
    QCOMPARE(move.dropAction(), Qt::CopyAction);
}

void tst_Queue::drops_data()
{
    QTest::addColumn<QList<QUrl>>("urls");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("emitted"); // relative to the tree
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("ordered"); // leading emissions in the order given: URLs, a folder's in natural order

    // tree/a.png, tree/sub/b.jpg, tree/sub/readme.txt, tree/.hidden.png, lone.png
    const QString root = m_dir.filePath(QStringLiteral("tree"));
    QDir().mkpath(root + QStringLiteral("/sub"));
    QDir().mkpath(root + QStringLiteral("/empty"));
    testutil::writeImage(root + QStringLiteral("/a.png"), 2, 2);
    testutil::writeImage(root + QStringLiteral("/sub/b.jpg"), 2, 2, Qt::blue, "JPG");
    QFile readme(root + QStringLiteral("/sub/readme.txt"));
    QVERIFY(readme.open(QIODevice::WriteOnly));
    readme.write("hello");
    readme.close();
    testutil::writeImage(root + QStringLiteral("/.hidden.png"), 2, 2);
    testutil::writeImage(root + QStringLiteral("/lone.png"), 2, 2);

    auto local = [&](const QString &relative) { return QUrl::fromLocalFile(root + QLatin1Char('/') + relative); };

    QTest::newRow("two files") << QList<QUrl>{local("lone.png"), local("a.png")} << QString()
                               << QStringList{"lone.png", "a.png"} << true << 2;
    // In a folder only images count; a file dropped on its own is queued whatever it is.
    QTest::newRow("nested folder") << QList<QUrl>{local("sub")} << QString()
                                   << QStringList{"sub/b.jpg"} << true << 1;
    QTest::newRow("folder then file") << QList<QUrl>{local("sub"), local("lone.png")} << QString()
                                      << QStringList{"sub/b.jpg", "lone.png"} << true << 2;
    QTest::newRow("text file on its own") << QList<QUrl>{local("sub/readme.txt")} << QString()
                                          << QStringList{"sub/readme.txt"} << true << 1;

    // links/in.png leads to an image inside the dropped folder, links/out.png and links/far to
    // places outside it (a key file passed off as a picture, and a whole folder).
    const QString links = root + QStringLiteral("/links");
    QDir().mkpath(links + QStringLiteral("/real"));
    testutil::writeImage(links + QStringLiteral("/real/in.png"), 2, 2);
    QFile::link(links + QStringLiteral("/real/in.png"), links + QStringLiteral("/in.png"));
    QFile::link(root + QStringLiteral("/sub/readme.txt"), links + QStringLiteral("/out.png"));
    QFile::link(root + QStringLiteral("/a.png"), links + QStringLiteral("/out2.png"));
    QFile::link(root + QStringLiteral("/sub"), links + QStringLiteral("/far"));
    QTest::newRow("links stay inside") << QList<QUrl>{local("links")} << QString()
                                       << QStringList{"links/in.png", "links/real/in.png"} << true << 2;
    // Dropping the whole tree brings links/out2.png inside: it leads to tree/a.png.
    QTest::newRow("file then folder") << QList<QUrl>{local("lone.png"), QUrl::fromLocalFile(root)} << QString()
                                      << QStringList{"lone.png", "a.png", "lone.png", "links/in.png", "links/out2.png",
                                                     "links/real/in.png", "sub/b.jpg"} << true << 7;
    QTest::newRow("empty folder") << QList<QUrl>{local("empty")} << QString() << QStringList{} << true << 0;
    QTest::newRow("web url") << QList<QUrl>{QUrl(QStringLiteral("http://example.org/x.png"))} << QString()
                             << QStringList{} << true << 0;
    QTest::newRow("missing file") << QList<QUrl>{local("gone.png")} << QString() << QStringList{} << true << 0;
    QTest::newRow("plain text") << QList<QUrl>{} << QStringLiteral("/etc/hostname") << QStringList{} << false << 0;
}

void tst_Queue::drops()
{
    QFETCH(QList<QUrl>, urls);
    QFETCH(QString, text);
    QFETCH(QStringList, emitted);
    QFETCH(bool, accepted);
    QFETCH(int, ordered);

    drop label;
    QSignalSpy spy(&label, &drop::img);
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    QCOMPARE(testutil::sendDrop(&label, &data), accepted);
    // Folders are walked on a worker; what follows one waits for its walk.
    QTRY_VERIFY(!label.isBusy());

    const QString root = m_dir.filePath(QStringLiteral("tree")) + QLatin1Char('/');
    QStringList got;
    for (const QList<QVariant> &args : spy)
        got.append(args.at(0).toString().mid(root.size()));
    QCOMPARE(got.mid(0, ordered), emitted.mid(0, ordered));
    QStringList rest = got.mid(ordered);
    QStringList expectedRest = emitted.mid(ordered);
    rest.sort();
    expectedRest.sort();
    QCOMPARE(rest, expectedRest);
}

void tst_Queue::dropQueuesInOrder()
{
    mw window;
    auto *label = window.findChild<drop *>(QStringLiteral("label"));
    const QString first = testutil::writeImage(m_dir.filePath(QStringLiteral("d1.png")), 3, 3);
    const QString second = testutil::writeImage(m_dir.filePath(QStringLiteral("d2.png")), 5, 5);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(second), QUrl::fromLocalFile(first)});
    QVERIFY(testutil::sendDrop(label, &data));

    QCOMPARE(window.entries().size(), 2);
    QCOMPARE(window.entries().at(0).file, second);
    QCOMPARE(window.entries().at(1).file, first);
    QTRY_COMPARE(window.entries().at(0).prev.size(), QSize(170, 170));
    QVERIFY(!window.entries().at(0).temp);
    QCOMPARE(cells(window, 1).first(), QStringLiteral("d1.png"));
}

void tst_Queue::commandLineFolders()
{
    // What the command line names comes in its order: files at once, even one that is not there
    // (its row says why), folders walked for their images as dropped ones are.
    const QString album = m_dir.filePath(QStringLiteral("walked"));
    QDir().mkpath(album + QStringLiteral("/deeper"));
    const QString a = testutil::writeImage(album + QStringLiteral("/a.png"), 2, 2);
    const QString b = testutil::writeImage(album + QStringLiteral("/deeper/b.jpg"), 2, 2, Qt::blue, "JPG");
    QFile notes(m_dir.filePath(QStringLiteral("notes.txt")));
    QVERIFY(notes.open(QIODevice::WriteOnly));
    notes.write("words\n");
    notes.close();
    QFile::copy(notes.fileName(), album + QStringLiteral("/readme.txt"));
    const QString outside = testutil::writeImage(m_dir.filePath(QStringLiteral("outside.png")), 2, 2);
    QVERIFY(QFile::link(outside, album + QStringLiteral("/outside.png")));
    const QString missing = m_dir.filePath(QStringLiteral("gone.png"));

    mw window;
    window.addPaths({missing, album, notes.fileName()});
    QCOMPARE(window.entries().size(), 1); // the folder is walked off the window's thread
    QTRY_VERIFY(!window.findChild<drop *>(QStringLiteral("label"))->isBusy());
    QStringList queued;
    for (const imgobj &entry : window.entries())
        queued.append(entry.file);
    QCOMPARE(queued.size(), 4);
    QCOMPARE(queued.first(), missing);
    QCOMPARE(queued.last(), notes.fileName());
    queued = queued.mid(1, 2);
    queued.sort();
    QCOMPARE(queued, (QStringList{a, b}));
}

QTEST_MAIN(tst_Queue)
#include "tst_queue.moc"
