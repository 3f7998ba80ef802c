// The helpers behind the queue's everyday messages: why a file cannot be used, the summary line,
// the open dialog's filter and folder, the folder walk, and damaged images.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/browse.h"
#include "base/fileproblem.h"
#include "base/folderwalk.h"
#include "base/image.h"
#include "base/imagedamage.h"
#include "base/regularfile.h"
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
    void walkOrder_data();
    void walkOrder();
    void walkHandsOverWhatItChecked_data();
    void walkHandsOverWhatItChecked();
    void walkKeepsToTheFolder_data();
    void walkKeepsToTheFolder();
    void damagedImages_data();
    void damagedImages();
    void mimeTypeOfWhatWasOpened();

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
    QTest::addColumn<QList<int>>("counts"); // uploaded, failed, uploading, waiting, unusable, damaged
    QTest::addColumn<QString>("text");

    QTest::newRow("empty queue") << QList<int>{0, 0, 0, 0} << "";
    QTest::newRow("all waiting") << QList<int>{0, 0, 0, 3} << "3 waiting";
    QTest::newRow("mixed") << QList<int>{2, 1, 1, 2} << "2 uploaded, 1 failed, 1 uploading, 2 waiting";
    QTest::newRow("done") << QList<int>{2, 0, 0, 0} << "2 uploaded";
    // A damaged image can still be sent: it waits, told apart, and is not one that cannot be used.
    QTest::newRow("damaged among the waiting") << QList<int>{0, 0, 0, 3, 1, 2} << "3 waiting (2 damaged), 1 cannot be used";
    QTest::newRow("unusable alone") << QList<int>{1, 0, 0, 0, 2, 0} << "1 uploaded, 2 cannot be used";
}

void tst_QueueHelpers::summary()
{
    QFETCH(QList<int>, counts);
    QFETCH(QString, text);

    counts.resize(6);
    QCOMPARE(tarvello::summaryText({counts.at(0), counts.at(1), counts.at(2), counts.at(3), counts.at(4), counts.at(5)}),
             text);
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
    tarvello::walkImages(tree, [&](const tarvello::WalkedFile &) { return ++visited > 0; }, [&] { return ++asked < 10; });
    QCOMPARE(asked, 10);
    QCOMPARE(visited, 0);
}

// Files the walk cannot name are counted, so the window can say what was left out.
void tst_QueueHelpers::walkCountsNamesItCannotRead()
{
    QStringList visited;
    const int leftOut = tarvello::walkImages(path(QStringLiteral("latin1")), [&](const tarvello::WalkedFile &file) {
        visited.append(QFileInfo(file.path).fileName());
        return true;
    });
    QCOMPARE(visited, QStringList{QStringLiteral("photo.jpg")});
    QCOMPARE(leftOut, 4); // three names here and one in a subfolder; a folder left out is not entered
}

void tst_QueueHelpers::walkOrder_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("order");

    QTest::newRow("numbers by their value") << QStringList{"img10.png", "img2.png", "img1.png"}
                                            << QStringList{"img1.png", "img2.png", "img10.png"};
    QTest::newRow("case aside") << QStringList{"b.png", "C.png", "A.png"} << QStringList{"A.png", "b.png", "C.png"};
    QTest::newRow("a folder's files, then its subfolders in order")
            << QStringList{"sub10/a.png", "sub2/b10.png", "sub2/b9.png", "z.png"}
            << QStringList{"z.png", "sub2/b9.png", "sub2/b10.png", "sub10/a.png"};
}

// As a file manager shows them, whatever order the folder lists them in.
void tst_QueueHelpers::walkOrder()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, order);

    QTemporaryDir dir;
    for (const QString &file : files) {
        QDir().mkpath(QFileInfo(dir.filePath(file)).path());
        testutil::writeImage(dir.filePath(file), 2, 2);
    }
    QStringList walked;
    tarvello::walkImages(dir.path(), [&](const tarvello::WalkedFile &file) {
        walked.append(QDir(dir.path()).relativeFilePath(file.path));
        return true;
    });
    QCOMPARE(walked, order);
}

void tst_QueueHelpers::walkHandsOverWhatItChecked_data()
{
    QTest::addColumn<QString>("leadsTo"); // what b.png is made to lead to: a link inside or outside, a copy
    QTest::addColumn<bool>("during");     // while the walk is at a.png, after listing b.png
    QTest::addColumn<bool>("handedOver");

    QTest::newRow("unchanged") << "" << false << true;
    QTest::newRow("a link to an image inside") << "inside" << false << true;
    QTest::newRow("a link to an image outside") << "outside" << false << false;
    QTest::newRow("swapped for a link outside during the walk") << "outside" << true << false;
    QTest::newRow("another image put in its place during the walk") << "copy" << true << false;
}

// What the walk hands over is the file it opened and checked, under its identity; a name that led
// elsewhere by the time it was opened is left out.
void tst_QueueHelpers::walkHandsOverWhatItChecked()
{
    QFETCH(QString, leadsTo);
    QFETCH(bool, during);
    QFETCH(bool, handedOver);

    QTemporaryDir dir;
    QTemporaryDir outside;
    const QString a = testutil::writeImage(dir.filePath(QStringLiteral("a.png")), 2, 2);
    const QString b = testutil::writeImage(dir.filePath(QStringLiteral("b.png")), 3, 3);
    const QString inside = testutil::writeImage(dir.filePath(QStringLiteral("c.png")), 4, 4);
    const QString secret = testutil::writeImage(outside.filePath(QStringLiteral("secret.png")), 5, 5);
    // Made beside, then renamed over b.png, so that b.png's inode is not free to be taken again.
    const auto swap = [&] {
        const QString next = outside.filePath(QStringLiteral("next"));
        QVERIFY(leadsTo == QLatin1String("copy") ? QFile::copy(inside, next)
                                                 : QFile::link(leadsTo == QLatin1String("inside") ? inside : secret, next));
        QCOMPARE(::rename(QFile::encodeName(next).constData(), QFile::encodeName(b).constData()), 0);
    };
    if (!leadsTo.isEmpty() && !during)
        swap();
    QHash<QString, tarvello::FileIdentity> walked;
    tarvello::walkImages(dir.path(), [&](const tarvello::WalkedFile &file) {
        walked.insert(file.path, file.identity);
        if (during && file.path == a)
            swap();
        return true;
    });
    QCOMPARE(walked.contains(b), handedOver);
    if (handedOver)
        QCOMPARE(walked.value(b), tarvello::fileIdentity(b)); // a link's target
}

void tst_QueueHelpers::walkKeepsToTheFolder_data()
{
    QTest::addColumn<QString>("swapAt"); // the image being handed over when sub/ is moved out and linked
    QTest::newRow("before the folder is entered") << "a.png";
    QTest::newRow("after it was listed") << "sub/a.png";
}

// A folder swapped for a link out of the dropped folder while the walk is on its way leads
// nowhere: neither entered later nor opened through after its listing.
void tst_QueueHelpers::walkKeepsToTheFolder()
{
    QFETCH(QString, swapAt);
    QTemporaryDir dir;
    QTemporaryDir outside;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
    for (const char *name : {"a.png", "sub/a.png", "sub/b.png"})
        testutil::writeImage(dir.filePath(QLatin1String(name)), 2, 2);
    QStringList walked;
    bool swapped = false;
    tarvello::walkImages(dir.path(), [&](const tarvello::WalkedFile &file) {
        walked.append(QDir(dir.path()).relativeFilePath(file.path));
        if (walked.last() == swapAt) {
            const QString moved = outside.filePath(QStringLiteral("moved"));
            swapped = QDir().rename(dir.filePath(QStringLiteral("sub")), moved)
                    && QFile::link(moved, dir.filePath(QStringLiteral("sub")));
        }
        return true;
    });
    QVERIFY(swapped);
    QVERIFY2(!walked.contains(QStringLiteral("sub/b.png")), qPrintable(walked.join(u',')));
}

void tst_QueueHelpers::damagedImages_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("damage");
    QTest::addColumn<bool>("picture"); // whether the decode still gives one

    QImage noise(96, 64, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, QRandomGenerator::global()->generate());
    const auto encoded = [&noise](const char *format, bool progressive = false) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, format);
        writer.setProgressiveScanWrite(progressive);
        writer.write(noise);
        return buffer.data();
    };
    const QByteArray jpeg = encoded("jpeg");
    const QByteArray progressive = encoded("jpeg", true);
    const QByteArray png = encoded("png");
    QByteArray changed = png;
    changed[changed.size() / 2] = char(changed.at(changed.size() / 2) ^ 0x5A);
    const int none = int(tarvello::ImageDamage::None);
    const int truncated = int(tarvello::ImageDamage::Truncated);
    const int corrupt = int(tarvello::ImageDamage::Corrupt);

    QTest::newRow("JPEG") << jpeg << none << true;
    QTest::newRow("JPEG cut halfway") << jpeg.left(jpeg.size() / 2) << truncated << true;
    QTest::newRow("JPEG without its end marker") << jpeg.chopped(2) << truncated << true;
    // Phones append a video after the picture's end.
    QTest::newRow("JPEG with more after its end") << jpeg + QByteArray(4000, '\xFF') + "ftypmp42" << none << true;
    QTest::newRow("progressive JPEG cut in a later scan") << progressive.left(progressive.size() * 9 / 10)
                                                          << truncated << true;
    QTest::newRow("JPEG with a frame marker in its data")
            << QByteArray(jpeg).replace(jpeg.size() / 2, 2, "\xFF\xC0") << corrupt << false;
    QTest::newRow("PNG") << png << none << true;
    QTest::newRow("PNG cut in its data") << png.left(png.size() / 2) << truncated << false;
    QTest::newRow("PNG cut in its end chunk") << png.chopped(2) << truncated << true;
    QTest::newRow("PNG with a byte changed") << changed << corrupt << false;
}

// Found while the preview is made, on the worker, without moving the reader.
void tst_QueueHelpers::damagedImages()
{
    QFETCH(QByteArray, content);
    QFETCH(int, damage);
    QFETCH(bool, picture);

    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    QCOMPARE(int(tarvello::imageDamage(buffer)), damage);
    QCOMPARE(buffer.pos(), 0);
    write(QStringLiteral("damaged"), content);
    const tarvello::PreviewImage preview = tarvello::loadPreview(path(QStringLiteral("damaged")));
    QCOMPARE(int(preview.damage), damage);
    QCOMPARE(!preview.isNull(), picture);
}

// From the open file's content: not from its name, nor from what the name leads to by now.
void tst_QueueHelpers::mimeTypeOfWhatWasOpened()
{
    QTemporaryDir dir;
    const QString file = testutil::writeImage(dir.filePath(QStringLiteral("p.jpg")), 4, 4, Qt::red, "PNG");
    QFile opened;
    QVERIFY(tarvello::openRegularFile(opened, file));
    QVERIFY(QFile::remove(file));
    QVERIFY(QFile::copy(path(QStringLiteral("notes.txt")), file));
    QCOMPARE(tarvello::contentMimeType(opened), QByteArray("image/png"));
    QCOMPARE(opened.pos(), 0);
}

QTEST_GUILESS_MAIN(tst_QueueHelpers)
#include "tst_queuehelpers.moc"
