// Images from the open dialog, the screen and the clipboard, and the temporary files they make.

#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "gui/drop.h"
#include "base/tempfile.h"
#include "testutil.h"

class tst_Sources : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void tempNames_data();
    void tempNames();
    void tempFileIsExclusive();
    void tempFolderUnwritable();
    void browse();
    void browseCancelled();
    void screenshot();
    void clipboard();
    void clipboardWithoutImage_data();
    void clipboardWithoutImage();

private:
    QStringList pngsInTemp() const { return QDir(m_tmp->path()).entryList({"*.png"}, QDir::Files | QDir::System); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_tmp;
};

void tst_Sources::init()
{
    // Each test gets a temporary folder of its own.
    m_tmp = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("tmp-XXXXXX")));
    QVERIFY(m_tmp->isValid());
    qputenv("TMPDIR", QFile::encodeName(m_tmp->path()));
    QCOMPARE(QStandardPaths::writableLocation(QStandardPaths::TempLocation), m_tmp->path());
}

void tst_Sources::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
    QGuiApplication::clipboard()->clear();
}

void tst_Sources::tempNames_data()
{
    QTest::addColumn<QString>("dir");
    QTest::addColumn<qint64>("msecs");
    QTest::addColumn<QString>("name");

    QTest::newRow("plain") << "/tmp" << Q_INT64_C(1765000000123) << "/tmp/1765000000123.png";
    QTest::newRow("trailing slash kept") << "/tmp/" << Q_INT64_C(5) << "/tmp//5.png";
    QTest::newRow("zero") << "/t" << Q_INT64_C(0) << "/t/0.png";
}

void tst_Sources::tempNames()
{
    QFETCH(QString, dir);
    QFETCH(qint64, msecs);
    QFETCH(QString, name);
    QCOMPARE(tarvello::tempPngName(dir, msecs), name);
}

void tst_Sources::tempFileIsExclusive()
{
    // Plant the next few names: a file of someone else's and a link to a file of ours.
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const QString victim = m_home.filePath(QStringLiteral("victim.txt"));
    {
        QFile file(victim);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("precious");
    }
    QStringList planted;
    for (qint64 ms = now; ms < now + 400; ms += 2) {
        planted.append(tarvello::tempPngName(m_tmp->path(), ms));
        QVERIFY(QFile::link(victim, planted.last()));
        planted.append(tarvello::tempPngName(m_tmp->path(), ms + 1));
        QFile other(planted.last());
        QVERIFY(other.open(QIODevice::WriteOnly));
        other.write("other");
    }

    QFile first;
    QFile second;
    const QString a = tarvello::openTempPng(first);
    const QString b = tarvello::openTempPng(second);
    QVERIFY(first.isOpen());
    QVERIFY(second.isOpen());
    QVERIFY(a != b);
    QVERIFY(!planted.contains(a));
    QVERIFY(!planted.contains(b));
    QVERIFY(a.startsWith(m_tmp->path() + QLatin1Char('/')));
    // Others sharing the folder cannot read what the user pasted or grabbed.
    QCOMPARE(QFile::permissions(a) & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    QVERIFY(QFileInfo(a).fileName().chopped(4).toLongLong() >= now);
    QVERIFY(tarvello::writePng(first, QImage(2, 2, QImage::Format_ARGB32)));
    QCOMPARE(testutil::fileBytes(victim), QByteArray("precious"));
    QCOMPARE(testutil::fileBytes(planted.at(1)), QByteArray("other"));

    // When a whole second of names is taken, no name is handed out, and close removes only
    // what was created.
    for (qint64 ms = 5000; ms < 6000; ++ms)
        QVERIFY(QFile::link(victim, tarvello::tempPngName(m_tmp->path(), ms)));
    QFile third;
    QVERIFY(tarvello::openTempPng(third, 5000).isEmpty());
    QVERIFY(!third.isOpen());
    QVERIFY(tarvello::createdTempFiles().contains(a));
    tarvello::removeCreatedTempFiles();
    QVERIFY(!QFile::exists(a) && !QFile::exists(b));
    QCOMPARE(testutil::fileBytes(victim), QByteArray("precious"));
    QVERIFY(QFileInfo(planted.first()).isSymLink());
    QCOMPARE(testutil::fileBytes(planted.at(1)), QByteArray("other"));
}

void tst_Sources::tempFolderUnwritable()
{
    qputenv("TMPDIR", QFile::encodeName(m_home.filePath(QStringLiteral("no/such/folder"))));
    QFile file;
    QVERIFY(tarvello::openTempPng(file).isEmpty());
    QVERIFY(!file.isOpen());
    QVERIFY(!tarvello::writePng(file, QImage(1, 1, QImage::Format_RGB32)));

    // A screenshot or a paste that cannot be saved adds nothing, and the window says so.
    mw window;
    QImage image(3, 3, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QGuiApplication::clipboard()->setImage(image);
    for (const char *slot : {"screens", "clipb"}) {
        QVERIFY(QMetaObject::invokeMethod(&window, slot));
        QVERIFY(window.entries().isEmpty());
        QVERIFY(window.lastNotice().contains(QLatin1String("could not be saved")));
    }
}

void tst_Sources::browse()
{
    const QString pictures = m_home.filePath(QStringLiteral("pics"));
    QDir().mkpath(pictures);
    const QString one = testutil::writeImage(pictures + QStringLiteral("/one.png"), 5, 5);
    const QString two = testutil::writeImage(pictures + QStringLiteral("/two.jpg"), 6, 4, Qt::green, "JPG");

    mw window;
    QString caption;
    QStringList filters;
    const testutil::ModalAnswer pick([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        QVERIFY(dialog);
        caption = dialog->windowTitle();
        filters = dialog->nameFilters();
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
        dialog->setDirectory(pictures);
        dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("\"two.jpg\" \"one.png\""));
        static_cast<QDialog *>(dialog)->accept();
    });
    window.findChild<QPushButton *>(QStringLiteral("browsefiles"))->click();

    QCOMPARE(caption, QStringLiteral("Open Image"));
    // Every format a plugin reads, then everything.
    QCOMPARE(filters.size(), 2);
    for (const char *pattern : {"*.png ", "*.jpg ", "*.jpeg ", "*.gif ", "*.bmp "})
        QVERIFY2(filters.at(0).contains(QLatin1String(pattern)), qPrintable(filters.at(0)));
    QVERIFY(filters.at(0).startsWith(QLatin1String("Image Files (")));
    QCOMPARE(filters.at(1), QStringLiteral("All files (*)"));
    QCOMPARE(window.entries().size(), 2);
    QCOMPARE(window.entries().at(0).file, two);
    QCOMPARE(window.entries().at(1).file, one);
    QVERIFY(window.entries().at(0).pix.isNull());
    QTRY_COMPARE(window.entries().at(0).prev.size(), QSize(255, 170));
    QVERIFY(!window.entries().at(0).temp);
    QVERIFY(!window.entries().at(1).temp);

    // The next Browse starts where the last one picked.
    QString startedIn;
    const testutil::ModalAnswer again([&startedIn](QWidget *modal) {
        startedIn = qobject_cast<QFileDialog *>(modal)->directory().absolutePath();
        static_cast<QDialog *>(modal)->reject();
    });
    window.browse();
    QCOMPARE(startedIn, QDir(pictures).absolutePath());
}

void tst_Sources::browseCancelled()
{
    mw window;
    const testutil::ModalAnswer cancel([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
    window.browse();
    QVERIFY(window.entries().isEmpty());
}

void tst_Sources::screenshot()
{
    mw window;
    const qint64 before = QDateTime::currentMSecsSinceEpoch();
    window.findChild<QPushButton *>(QStringLiteral("screens"))->click();
    const qint64 after = QDateTime::currentMSecsSinceEpoch();

    QCOMPARE(window.entries().size(), 1);
    const imgobj &entry = window.entries().at(0);
    QVERIFY(entry.temp);
    QCOMPARE(QFileInfo(entry.file).path(), m_tmp->path());
    const qint64 stamp = QFileInfo(entry.file).fileName().chopped(4).toLongLong();
    QVERIFY(stamp >= before && stamp <= after + 10);
    QTRY_VERIFY(testutil::savesDone(&window));
    QCOMPARE(pngsInTemp().size(), 1);
    QCOMPARE(QImage(entry.file).format() == QImage::Format_Invalid, false);
    QCOMPARE(entry.pix.size(), QGuiApplication::primaryScreen()->size());
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().size(), QSize(170, 170));
}

void tst_Sources::clipboard()
{
    QImage image(40, 10, QImage::Format_ARGB32);
    image.fill(QColor(10, 200, 30));
    QGuiApplication::clipboard()->setImage(image);

    mw window;
    window.clipb();
    QCOMPARE(window.entries().size(), 1);
    const imgobj &entry = window.entries().at(0);
    QVERIFY(entry.temp);
    QVERIFY(entry.file.startsWith(m_tmp->path() + QLatin1Char('/')));
    QVERIFY(entry.file.endsWith(QLatin1String(".png")));
    QTRY_VERIFY(testutil::savesDone(&window));
    const QImage saved(entry.file);
    QCOMPARE(saved.size(), QSize(40, 10));
    QCOMPARE(saved.pixelColor(3, 3), QColor(10, 200, 30));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().size(), QSize(330, 82));
    QCOMPARE(entry.prev.size(), QSize(330, 82));

    // Two pastes within one millisecond get two files.
    window.clipb();
    window.clipb();
    QCOMPARE(window.entries().size(), 3);
    QCOMPARE(pngsInTemp().size(), 3);
}

void tst_Sources::clipboardWithoutImage_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty clipboard") << QString();
    QTest::newRow("text only") << QStringLiteral("hello");
}

void tst_Sources::clipboardWithoutImage()
{
    QFETCH(QString, text);
    QGuiApplication::clipboard()->clear();
    if (!text.isEmpty())
        QGuiApplication::clipboard()->setText(text);

    mw window;
    const QPixmap banner = window.findChild<QLabel *>(QStringLiteral("label"))->pixmap();
    window.findChild<QPushButton *>(QStringLiteral("clipb"))->click();
    QVERIFY(window.entries().isEmpty());
    QVERIFY(pngsInTemp().isEmpty());
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().cacheKey(), banner.cacheKey());
}

QTEST_MAIN(tst_Sources)
#include "tst_sources.moc"
