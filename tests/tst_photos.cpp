// Many photos: entries keep no full picture, previews come from workers within a budget, and
// edits are written off the GUI thread with the same pixels, uploads and clean-up as before.

#include <QBuffer>
#include <QCheckBox>
#include <QImageWriter>
#include <QLabel>
#include <QRandomGenerator>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "base/image.h"
#include "base/previews.h"
#include "base/transform.h"
#include "capture.h"
#include "gui/mw.h"
#include "testutil.h"

namespace {

// Noise with semi-transparent pixels, so that encoders work and premultiplying shows.
QImage noise(int w, int h)
{
    QImage image(w, h, QImage::Format_ARGB32);
    auto *random = QRandomGenerator::global();
    for (int y = 0; y < h; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < w; ++x)
            line[x] = random->generate() | (x % 3 == 0 ? 0xff000000u : 0u) | 0x40000000u;
    }
    return image;
}

QImage argb(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32);
}

// What an edit writes: the picture decoded whole, then the slot's transform of it.
QImage edited(const QImage &picture, const QString &slot)
{
    if (slot == QLatin1String("cw90"))
        return tarvello::rotated(picture, 90.0);
    if (slot == QLatin1String("ccw90"))
        return tarvello::rotated(picture, -90.0);
    if (slot == QLatin1String("rot180"))
        return tarvello::rotated(picture, 180.0);
    return tarvello::mirrored(picture, slot == QLatin1String("fliph") ? Qt::Horizontal : Qt::Vertical);
}

} // namespace

class tst_Photos : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void addedEntryHoldsNoPicture();
    void previewSizeAndOrientation_data();
    void previewSizeAndOrientation();
    void budgetDropsLeastRecentlyUsed();
    void editOfUndecodedEntry_data();
    void editOfUndecodedEntry();
    void uploadDuringSaveSendsCompleteFile();
    void closingDuringSaveLeavesNoTempFile();
    void autoUploadBeforePreview();
    void evictedPreviewComesBackOnClick();

private:
    QString bigPng(const QString &name, int w, int h);

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_tmp;
};

void tst_Photos::init()
{
    QDir::setCurrent(m_home.path());
    m_tmp = std::make_unique<QTemporaryDir>(m_home.filePath(QStringLiteral("tmp-XXXXXX")));
    QVERIFY(m_tmp->isValid());
    qputenv("TMPDIR", QFile::encodeName(m_tmp->path()));
}

QString tst_Photos::bigPng(const QString &name, int w, int h)
{
    const QString path = m_home.filePath(name);
    if (!QFile::exists(path))
        noise(w, h).save(path);
    return path;
}

void tst_Photos::addedEntryHoldsNoPicture()
{
    mw window;
    window.addObj(testutil::writeImage(m_home.filePath(QStringLiteral("a.png")), 400, 200), false);
    window.addObj(bigPng(QStringLiteral("b.png"), 600, 400), false);
    QTRY_VERIFY(!window.entries().at(1).prev.isNull());
    QTRY_VERIFY(!window.entries().at(0).prev.isNull());
    for (const imgobj &entry : window.entries())
        QVERIFY(entry.pix.isNull());
    window.handleclick(0, 0);
    QVERIFY(window.entries().at(0).pix.isNull()); // a click shows the preview, it decodes nothing
}

void tst_Photos::previewSizeAndOrientation_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QSize>("preview");
    QTest::addColumn<QPoint>("red"); // a point of the preview inside the marked corner
    QTest::addColumn<QSize>("tooLarge");

    auto encoded = [](const QImage &image, const char *format) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, format, 90);
        return bytes;
    };
    QImage photo(4000, 3000, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QImage corner = photo.copy(0, 0, 600, 1700);
    for (QImage *image : {&photo, &corner})
        for (int y = 0; y < image->height() / 10; ++y)
            for (int x = 0; x < image->width() / 10; ++x)
                image->setPixel(x, y, qRgb(255, 0, 0));

    const auto progressive = [](const QImage &image) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        QImageWriter writer(&buffer, "jpeg");
        writer.setProgressiveScanWrite(true);
        writer.write(image);
        return bytes;
    };
    // A few hundred bytes whose header claims 16000 x 16000 pixels: the decoder would hold
    // coefficients for all of them.
    QByteArray bomb = progressive(QImage(8, 8, QImage::Format_RGB32));
    const qsizetype frame = bomb.indexOf("\xFF\xC2");
    QVERIFY(frame > 0);
    bomb.replace(frame + 5, 4, QByteArray::fromHex("3e803e80"));

    const QSize none;
    QTest::newRow("12 MP JPEG") << "photo.jpg" << encoded(photo, "JPG") << QSize(226, 170) << QPoint(5, 5) << none;
    QTest::newRow("12 MP progressive JPEG") << "photo.jpg" << progressive(photo) << QSize(226, 170) << QPoint(5, 5)
                                            << none;
    QTest::newRow("tall PNG") << "tall.png" << encoded(corner, "PNG") << QSize(60, 170) << QPoint(2, 5) << none;
    QTest::newRow("JPEG turned by EXIF") << "turned.jpg" << testutil::jpegTurnedByExif(40, 20) << QSize(85, 170)
                                         << QPoint(78, 8) << none;
    QTest::newRow("no image") << "notes.jpg" << QByteArray("words") << QSize() << QPoint() << none;
    QTest::newRow("progressive JPEG bomb") << "bomb.jpg" << bomb << QSize() << QPoint() << QSize(16000, 16000);
    // A fill byte before a marker is legal, and must not hide the frame's kind.
    QTest::newRow("progressive JPEG bomb behind a fill byte")
            << "filled.jpg" << QByteArray(bomb).insert(frame, '\xFF') << QSize() << QPoint() << QSize(16000, 16000);
}

void tst_Photos::previewSizeAndOrientation()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(QSize, preview);
    QFETCH(QPoint, red);
    QFETCH(QSize, tooLarge);

    const QString path = m_home.filePath(name);
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const tarvello::PreviewImage decoded = tarvello::loadPreview(path);
    const QImage loaded = decoded.image;
    QCOMPARE(loaded.isNull(), !preview.isValid());
    QCOMPARE(decoded.tooLarge, tooLarge);
    if (preview.isValid()) {
        const std::atomic<bool> stopped{true};
        QVERIFY(tarvello::loadPreview(path, &stopped).isNull());
        QCOMPARE(loaded.size(), preview);
        QCOMPARE(loaded.size(), tarvello::previewSizeOf(tarvello::loadImage(path).size()));
        QVERIFY(loaded.pixelColor(red).red() > 200);
        QVERIFY(loaded.pixelColor(red).green() < 60);
    }

    // The window shows the same.
    mw window;
    window.addObj(path, false);
    window.handleclick(0, 0);
    auto *label = window.findChild<QLabel *>(QStringLiteral("label"));
    if (preview.isValid())
        QTRY_COMPARE(label->pixmap().size(), preview);
    else
        QVERIFY(label->pixmap().isNull());
    if (tooLarge.isValid()) {
        QTRY_COMPARE(label->text(), QStringLiteral("Too large to preview"));
        QVERIFY(window.findChild<QTableWidget *>()->item(0, 0)->toolTip().contains(u"16000 × 16000"));
    }
}

void tst_Photos::budgetDropsLeastRecentlyUsed()
{
    tarvello::PreviewBudget budget(300);
    QVERIFY(budget.add(1, 100).isEmpty());
    QVERIFY(budget.add(2, 100).isEmpty());
    QVERIFY(budget.add(3, 100).isEmpty());
    budget.use(1);
    QCOMPARE(budget.add(4, 150), (QList<int>{2, 3}));
    QCOMPARE(budget.total(), 250);
    QCOMPARE(budget.add(5, 1000), (QList<int>{1, 4})); // too big alone: it stays, all others go
    QVERIFY(budget.contains(5));
    QCOMPARE(budget.add(5, 10), QList<int>()); // counted once
    QCOMPARE(budget.total(), 10);
}

void tst_Photos::editOfUndecodedEntry_data()
{
    QTest::addColumn<QStringList>("steps");
    for (const char *slot : {"cw90", "ccw90", "rot180", "fliph", "flipv"})
        QTest::newRow(slot) << QStringList{QString::fromLatin1(slot)};
    QTest::newRow("cw90 fliph rot180, pressed at once") << QStringList{"cw90", "fliph", "rot180"};
}

void tst_Photos::editOfUndecodedEntry()
{
    QFETCH(QStringList, steps);
    const QString path = bigPng(QStringLiteral("edit.png"), 61, 37);
    QImage expected = tarvello::loadImage(path);

    mw window;
    window.addObj(path, false);
    QVERIFY(window.entries().at(0).pix.isNull());
    QStringList files;
    for (const QString &slot : steps) {
        QVERIFY(QMetaObject::invokeMethod(&window, slot.toLatin1().constData()));
        files.append(window.entries().at(0).file);
        expected = edited(expected, slot);
    }
    QVERIFY(!testutil::savesDone(&window)); // the row shows the save
    QTRY_VERIFY(testutil::savesDone(&window));
    QCOMPARE(window.entries().at(0).file, files.last());
    for (const QString &file : files)
        QVERIFY(QFile::exists(file));
    QCOMPARE(argb(QImage(files.last())), argb(expected));
    // The entry's pixmap holds it as a pixmap does: half-transparent pixels premultiplied.
    QCOMPARE(argb(window.entries().at(0).pix.toImage()), argb(QPixmap::fromImage(expected).toImage()));
    QCOMPARE(window.findChild<QTableWidget *>()->item(0, 0)->text(), QStringLiteral("edit.png"));
}

void tst_Photos::uploadDuringSaveSendsCompleteFile()
{
    CaptureServer server;
    QVERIFY(server.listen());
    qputenv("TARVELLO_HOST", server.hostPort().toLatin1());
    mw window;
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    window.addObj(bigPng(QStringLiteral("large.png"), 1600, 1200), false);
    window.cw90();
    window.findChild<QLineEdit *>(QStringLiteral("usr"))->setText(QStringLiteral("ann"));
    window.handleclick(0, 1);
    // Typing in the login box while the file is written changes nothing of this upload.
    window.findChild<QLineEdit *>(QStringLiteral("usr"))->setText(QStringLiteral("an"));
    QCOMPARE(window.entries().at(0).state, qint16(1));
    QVERIFY2(window.findChild<QTableWidget *>()->item(0, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(window.findChild<QTableWidget *>()->item(0, 1)->text()));
    QVERIFY(!testutil::savesDone(&window));
    QCOMPARE(sent.size(), 0); // not before the file is complete

    QTRY_COMPARE(server.requests.size(), 1);
    QVERIFY(testutil::savesDone(&window));
    const QByteArray edited = testutil::fileBytes(window.entries().at(0).file);
    QCOMPARE(QImage::fromData(edited).size(), QSize(1200, 1600));
    QVERIFY(server.requests.at(0).body.contains("\r\n\r\n" + edited + "\r\n"));
    QVERIFY(server.requests.at(0).target.endsWith("/user/ann/pw/"));
}

void tst_Photos::closingDuringSaveLeavesNoTempFile()
{
    const QString path = bigPng(QStringLiteral("large.png"), 1600, 1200);
    {
        mw window;
        window.addObj(path, false);
        window.cw90();
        QVERIFY(!testutil::savesDone(&window));
        window.close();
        QVERIFY(testutil::savesDone(&window));
    }
    QCOMPARE(QDir(m_tmp->path()).entryList(QDir::Files), QStringList());
    QCOMPARE(QImage(path).size(), QSize(1600, 1200));
}

void tst_Photos::autoUploadBeforePreview()
{
    CaptureServer server;
    QVERIFY(server.listen());
    qputenv("TARVELLO_HOST", server.hostPort().toLatin1());
    mw window;
    window.findChild<QCheckBox *>(QStringLiteral("checkBox_2"))->setChecked(true);
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    const QString path = bigPng(QStringLiteral("large.png"), 1600, 1200);
    window.addObj(path, false);
    QCOMPARE(sent.size(), 1);
    QVERIFY(window.entries().at(0).prev.isNull());
    QTRY_COMPARE(server.requests.size(), 1);
    QVERIFY(server.requests.at(0).body.contains(testutil::fileBytes(path)));
    QTRY_VERIFY(!window.entries().at(0).prev.isNull());
}

void tst_Photos::evictedPreviewComesBackOnClick()
{
    // Room for two 330 x 165 previews of 4 bytes a pixel.
    const qint64 limit = tarvello::previewMemoryLimit();
    tarvello::setPreviewMemoryLimit(2 * 330 * 165 * 4);
    mw window;
    tarvello::setPreviewMemoryLimit(limit);
    for (int i = 0; i < 4; ++i) {
        window.addObj(testutil::writeImage(m_home.filePath(QStringLiteral("w%1.png").arg(i)), 40, 20), false);
        QTRY_VERIFY(!window.entries().at(i).prev.isNull());
    }
    QVERIFY(!window.entries().at(2).prev.isNull());
    QVERIFY(window.entries().at(0).prev.isNull());
    QVERIFY(window.entries().at(1).prev.isNull());

    window.handleclick(0, 0);
    auto *label = window.findChild<QLabel *>(QStringLiteral("label"));
    QTRY_COMPARE(label->pixmap().size(), QSize(330, 165));
    QCOMPARE(window.entries().at(0).prev.size(), QSize(330, 165));
    int kept = 0;
    for (const imgobj &entry : window.entries())
        kept += entry.prev.isNull() ? 0 : 1;
    QCOMPARE(kept, 2);
}

QTEST_MAIN(tst_Photos)
#include "tst_photos.moc"
