// Rotate and flip: exact pixels, new temporary files, and the user's files left alone.

#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "capture.h"
#include "base/image.h"
#include "base/transform.h"
#include "testutil.h"

namespace {

// A w x h image whose every pixel is different, with semi-transparent ones among them.
QImage numbered(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 50 + 3, y * 70 + 5, (x + y) * 20, x == 1 ? 128 : 255));
    return image;
}

QImage asArgb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage asArgb(const QPixmap &pixmap)
{
    return asArgb(pixmap.toImage());
}

QList<QRgb> row(const QImage &image, int y)
{
    QList<QRgb> pixels;
    for (int x = 0; x < image.width(); ++x)
        pixels.append(image.pixel(x, y));
    return pixels;
}

QList<QRgb> column(const QImage &image, int x, bool upwards)
{
    QList<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        pixels.append(image.pixel(x, upwards ? image.height() - 1 - y : y));
    return pixels;
}

} // namespace

class tst_Edit : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void quarterTurns();
    void roundTrips_data();
    void roundTrips();
    void mirrorKeepsFormat_data();
    void mirrorKeepsFormat();
    void editsThroughTheWindow_data();
    void editsThroughTheWindow();
    void editedEntryUploadsTheEdit();
    void editActsOnSelection();
    void entryWithoutPicture();
    void unwritableTempFolder();
    void nothingSelected();

private:
    QStringList tempPngs() const { return QDir(m_tmp->path()).entryList({"*.png"}, QDir::Files); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_tmp;
};

void tst_Edit::init()
{
    QDir::setCurrent(m_home.path());
    m_tmp = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("tmp-XXXXXX")));
    QVERIFY(m_tmp->isValid());
    qputenv("TMPDIR", QFile::encodeName(m_tmp->path()));
}

void tst_Edit::quarterTurns()
{
    const QImage source = numbered(4, 2);
    const QImage &pixmap = source;

    const QImage cw = asArgb(tarvello::rotated(pixmap, 90.0));
    QCOMPARE(cw.size(), QSize(2, 4));
    QCOMPARE(row(cw, 0), column(source, 0, true)); // left column, bottom to top
    const QImage ccw = asArgb(tarvello::rotated(pixmap, -90.0));
    QCOMPARE(ccw.size(), QSize(2, 4));
    QCOMPARE(row(ccw, 0), column(source, 3, false)); // right column, top to bottom
    const QImage half = asArgb(tarvello::rotated(pixmap, 180.0));
    QCOMPARE(half.size(), QSize(4, 2));
    QCOMPARE(half.pixel(0, 0), source.pixel(3, 1));

    const QImage h = tarvello::mirrored(source, Qt::Horizontal);
    const QImage v = tarvello::mirrored(source, Qt::Vertical);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            QCOMPARE(h.pixel(3 - x, y), source.pixel(x, y));
            QCOMPARE(v.pixel(x, 1 - y), source.pixel(x, y));
        }
    }
    QCOMPARE(qAlpha(h.pixel(2, 0)), 128);
    QCOMPARE(asArgb(tarvello::mirrored(h, Qt::Vertical)), half);
}

void tst_Edit::roundTrips_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QSize>("size");

    const QList<QSize> sizes = {QSize(4, 2), QSize(1, 1), QSize(1, 5), QSize(5, 1)};
    for (const QSize &size : sizes) {
        const QByteArray tag = QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
        QTest::newRow(tag + " four cw90") << QStringList{"cw90", "cw90", "cw90", "cw90"} << size;
        QTest::newRow(tag + " cw90 ccw90") << QStringList{"cw90", "ccw90"} << size;
        QTest::newRow(tag + " two rot180") << QStringList{"rot180", "rot180"} << size;
        QTest::newRow(tag + " two fliph") << QStringList{"fliph", "fliph"} << size;
        QTest::newRow(tag + " two flipv") << QStringList{"flipv", "flipv"} << size;
        QTest::newRow(tag + " rot180 fliph flipv") << QStringList{"rot180", "fliph", "flipv"} << size;
    }
}

void tst_Edit::roundTrips()
{
    QFETCH(QStringList, steps);
    QFETCH(QSize, size);

    const QString path = m_home.filePath(QStringLiteral("rt.png"));
    QVERIFY(numbered(size.width(), size.height()).save(path));
    mw window;
    window.addObj(path, false);
    const QImage before = asArgb(tarvello::loadImage(path));
    QStringList files;
    for (const QString &step : steps) {
        QVERIFY(QMetaObject::invokeMethod(&window, step.toLatin1().constData()));
        files.append(window.entries().at(0).file);
    }
    QTRY_VERIFY(testutil::savesDone(&window));
    QCOMPARE(asArgb(window.entries().at(0).pix), asArgb(QPixmap::fromImage(before)));
    QCOMPARE(QImage(files.last()).convertToFormat(QImage::Format_ARGB32), before);
    files.removeDuplicates();
    QCOMPARE(files.size(), steps.size()); // a new file for every step
    QCOMPARE(tempPngs().size(), steps.size());

    // One-pixel-wide images come out of fliph unchanged, one-pixel-high ones out of flipv.
    if (size.width() == 1 || size.height() == 1) {
        window.addObj(path, false);
        QVERIFY(QMetaObject::invokeMethod(&window, size.width() == 1 ? "fliph" : "flipv"));
        QTRY_VERIFY(testutil::savesDone(&window));
        QCOMPARE(asArgb(window.entries().at(1).pix), asArgb(QPixmap::fromImage(before)));
    }
}

void tst_Edit::mirrorKeepsFormat_data()
{
    QTest::addColumn<QImage::Format>("format");
    QTest::newRow("argb32") << QImage::Format_ARGB32;
    QTest::newRow("premultiplied") << QImage::Format_ARGB32_Premultiplied;
    QTest::newRow("rgb888") << QImage::Format_RGB888;
    QTest::newRow("indexed") << QImage::Format_Indexed8;
    QTest::newRow("mono") << QImage::Format_Mono;
    QTest::newRow("grayscale16") << QImage::Format_Grayscale16;
}

void tst_Edit::mirrorKeepsFormat()
{
    QFETCH(QImage::Format, format);
    const QImage source = numbered(7, 3).convertToFormat(format);
    for (Qt::Orientation orientation : {Qt::Horizontal, Qt::Vertical}) {
        const QImage result = tarvello::mirrored(source, orientation);
        QCOMPARE(result.format(), source.format());
        QCOMPARE(result.size(), source.size());
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 7; ++x) {
                const QPoint to = orientation == Qt::Horizontal ? QPoint(6 - x, y) : QPoint(x, 2 - y);
                QCOMPARE(result.pixel(to), source.pixel(x, y));
            }
        }
    }
}

void tst_Edit::editsThroughTheWindow_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<QSize>("size");
    QTest::newRow("cw90") << "cw90" << QSize(2, 4);
    QTest::newRow("ccw90") << "ccw90" << QSize(2, 4);
    QTest::newRow("rot180") << "rot180" << QSize(4, 2);
    QTest::newRow("fliph") << "fliph" << QSize(4, 2);
    QTest::newRow("flipv") << "flipv" << QSize(4, 2);
}

void tst_Edit::editsThroughTheWindow()
{
    QFETCH(QString, slot);
    QFETCH(QSize, size);

    const QString path = m_home.filePath(QStringLiteral("mine.png"));
    QVERIFY(numbered(4, 2).save(path));
    const QByteArray original = testutil::fileBytes(path);

    mw window;
    window.addObj(path, false);
    window.findChild<QPushButton *>(slot)->click();
    QTRY_VERIFY(testutil::savesDone(&window));

    const imgobj &entry = window.entries().at(0);
    QVERIFY(entry.temp);
    QVERIFY(entry.file.endsWith(QLatin1String(".png")));
    QCOMPARE(QFileInfo(entry.file).path(), m_tmp->path());
    QCOMPARE(entry.pix.size(), size);
    QCOMPARE(QImage(entry.file).size(), size);
    QCOMPARE(entry.prev.size(), size.width() > size.height() ? QSize(330, 165) : QSize(85, 170));
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("label"))->pixmap().size(), entry.prev.size());
    QCOMPARE(entry.state, qint16(0));
    QCOMPARE(window.findChild<QTableWidget *>()->item(0, 0)->text(), QStringLiteral("mine.png"));
    QCOMPARE(testutil::fileBytes(path), original);

    // Closing deletes the edited file, never the user's own.
    window.close();
    QVERIFY(!QFile::exists(entry.file));
    QCOMPARE(testutil::fileBytes(path), original);
}

void tst_Edit::editedEntryUploadsTheEdit()
{
    CaptureServer server;
    QVERIFY(server.listen());
    qputenv("TARVELLO_HOST", server.hostPort().toLatin1());

    const QString path = m_home.filePath(QStringLiteral("up.png"));
    QVERIFY(numbered(4, 2).save(path));
    mw window;
    window.addObj(path, false);
    window.cw90();
    window.uploadall();
    QTRY_COMPARE(server.requests.size(), 1);
    const QByteArray edited = testutil::fileBytes(window.entries().at(0).file);
    QVERIFY(server.requests.at(0).body.contains("\r\n\r\n" + edited + "\r\n"));
    QVERIFY(server.requests.at(0).body.contains("filename=\"" + QFileInfo(window.entries().at(0).file).fileName().toLatin1() + "\""));

    // Editing while it uploads changes the picture only.
    window.fliph();
    QCOMPARE(window.entries().at(0).state, qint16(1));
    QVERIFY2(window.findChild<QTableWidget *>()->item(0, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(window.findChild<QTableWidget *>()->item(0, 1)->text()));
}

void tst_Edit::editActsOnSelection()
{
    const QString a = testutil::writeImage(m_home.filePath(QStringLiteral("a.png")), 6, 2);
    const QString b = testutil::writeImage(m_home.filePath(QStringLiteral("b.png")), 3, 9);
    mw window;
    window.addObj(a, false);
    window.addObj(b, false);
    window.handleclick(0, 0);
    window.cw90();
    QTRY_VERIFY(testutil::savesDone(&window));
    QCOMPARE(window.entries().at(0).pix.size(), QSize(2, 6));
    QVERIFY(window.entries().at(1).pix.isNull());
    QCOMPARE(window.entries().at(1).file, b);
}

void tst_Edit::entryWithoutPicture()
{
    const QString text = m_home.filePath(QStringLiteral("notes.txt"));
    QFile file(text);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("words");
    file.close();

    // Nothing to turn: the entry stays as it was, and the window says why.
    mw window;
    window.addObj(text, false);
    for (const char *slot : {"cw90", "fliph"}) {
        QVERIFY(QMetaObject::invokeMethod(&window, slot));
        QTRY_VERIFY(testutil::savesDone(&window));
        const imgobj &entry = window.entries().at(0);
        QVERIFY(entry.pix.isNull());
        QVERIFY(!entry.temp);
        QCOMPARE(entry.file, text);
        QVERIFY(!window.lastNotice().isEmpty());
    }
    QVERIFY(tempPngs().isEmpty());
    QCOMPARE(testutil::fileBytes(text), QByteArray("words"));
}

void tst_Edit::unwritableTempFolder()
{
    qputenv("TMPDIR", QFile::encodeName(m_home.filePath(QStringLiteral("missing/folder"))));
    const QString path = m_home.filePath(QStringLiteral("u.png"));
    QVERIFY(numbered(4, 2).save(path));
    mw window;
    auto *label = window.findChild<QLabel *>(QStringLiteral("label"));

    // An edit that cannot be saved leaves the entry exactly as it was, and says so.
    window.addObj(path, false);
    window.handleclick(0, 0);
    QTRY_VERIFY(!label->pixmap().isNull());
    const QImage shown = label->pixmap().toImage();
    for (const char *slot : {"cw90", "fliph"}) {
        QVERIFY(QMetaObject::invokeMethod(&window, slot));
        QTRY_VERIFY(testutil::savesDone(&window));
        QVERIFY(window.entries().at(0).pix.isNull());
        QCOMPARE(window.entries().at(0).file, path);
        QVERIFY(!window.entries().at(0).temp);
        QCOMPARE(label->pixmap().toImage(), shown);
        QVERIFY(window.lastNotice().contains(QLatin1String("could not be saved")));
    }
    QCOMPARE(QImage(path).size(), QSize(4, 2));
}

void tst_Edit::nothingSelected()
{
    mw window;
    auto *label = window.findChild<QLabel *>(QStringLiteral("label"));
    const qint64 banner = label->pixmap().cacheKey();
    for (const char *slot : {"cw90", "ccw90", "rot180", "fliph", "flipv"})
        QVERIFY(QMetaObject::invokeMethod(&window, slot));
    QVERIFY(tempPngs().isEmpty());
    QCOMPARE(label->pixmap().cacheKey(), banner);
}

QTEST_MAIN(tst_Edit)
#include "tst_edit.moc"
