// What users of uploaders expect beyond the basics: progress, reasons, links at hand, paste,
// upright photos and cancellable long drops.

#include <unistd.h>

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProgressDialog>
#include <QPushButton>
#include <QSet>
#include <QStandardItemModel>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "gui/texts.h"
#include "capture.h"
#include "testutil.h"
#include "base/folderwalk.h"
#include "gui/drop.h"
#include "gui/dropprogress.h"
#include "gui/progressdelegate.h"
#include "gui/rowbinder.h"
#include "base/reply.h"
#include "urlcatcher.h"

namespace {

// Opens the table's context menu on a row and triggers the action with this text; returns
// whether the action was there and enabled.
bool contextAction(QTableWidget *table, int row, const QString &text)
{
    const QPoint pos = table->visualRect(table->model()->index(row, 0)).center();
    emit table->customContextMenuRequested(pos);
    auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    if (!menu)
        return false;
    bool done = false;
    for (QAction *action : menu->actions()) {
        if (action->text() == text && action->isEnabled()) {
            action->trigger();
            done = true;
        }
    }
    menu->close();
    return done;
}

} // namespace

class tst_Extras : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void progress();
    void progressDelegatePaints();
    void uploadingCell_data();
    void uploadingCell();
    void reasons_data();
    void reasons();
    void reasonText_data();
    void reasonText();
    void linksAtHand();
    void uploadAgain();
    void paste();
    void uprightPhotos();
    void longDropCancelled();
    void shortDropShowsNothing();
    void heardCells();

private:
    QTableWidget *table() const { return m_window->findChild<QTableWidget *>(); }
    QString image(const QString &name, int w = 6, int h = 4)
    {
        return testutil::writeImage(m_dir.filePath(name), w, h);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<CaptureServer> m_server;
    std::unique_ptr<mw> m_window;
};

void tst_Extras::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
    QDir().mkdir(QStringLiteral("tmp"));
    qputenv("TMPDIR", QFile::encodeName(m_dir.filePath(QStringLiteral("tmp"))));
}

void tst_Extras::init()
{
    m_server = std::make_unique<CaptureServer>();
    QVERIFY(m_server->listen());
    qputenv("TARVELLO_HOST", m_server->hostPort().toLatin1());
    m_window = std::make_unique<mw>();
}

void tst_Extras::cleanup()
{
    m_window.reset();
    m_server.reset();
    qunsetenv("TARVELLO_TRANSFER_TIMEOUT_MS");
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Extras::progress()
{
    QVERIFY(qobject_cast<tarvello::ProgressDelegate *>(table()->itemDelegateForColumn(1)));
    // Large enough to be sent in several pieces.
    QImage noise(700, 700, QImage::Format_RGB32);
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, qRgb((x * 131 + y * 7) & 255, (x ^ y) & 255, (x * y) & 255));
    const QString path = m_dir.filePath(QStringLiteral("noise.bmp"));
    QVERIFY(noise.save(path));

    QList<double> seen;
    connect(table(), &QTableWidget::itemChanged, this, [&seen](QTableWidgetItem *item) {
        const QVariant value = item->data(tarvello::UploadProgressRole);
        if (item->column() == 1 && value.isValid())
            seen.append(value.toDouble());
    });
    m_window->addObj(path, false);
    m_window->handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    QTRY_COMPARE(table()->item(0, 1)->data(tarvello::UploadProgressRole).toDouble(), 1.0);
    QVERIFY(!seen.isEmpty());
    QVERIFY(std::is_sorted(seen.begin(), seen.end()));
    // All of it is sent: no "100%", the row waits for the host.
    QCOMPARE(table()->item(0, 1)->text(), QStringLiteral("Uploading... waiting for the host"));

    m_server->respond(0, CaptureServer::httpResponse("http://h/noise"));
    QTRY_COMPARE(m_window->entries().at(0).state, qint16(2));
    QVERIFY(!table()->item(0, 1)->data(tarvello::UploadProgressRole).isValid());
}

void tst_Extras::progressDelegatePaints()
{
    tarvello::ProgressDelegate delegate;
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), 0.5, tarvello::UploadProgressRole);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 100, 20);
    option.palette.setColor(QPalette::Highlight, Qt::blue);
    QImage canvas(100, 20, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        delegate.paint(&painter, option, model.index(0, 0));
    }
    QVERIFY(canvas.pixelColor(20, 10) != QColor(Qt::white)); // the sent half is shaded
    QCOMPARE(canvas.pixelColor(80, 10), QColor(Qt::white));  // the rest is not

    model.setData(model.index(0, 0), QVariant(), tarvello::UploadProgressRole);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        delegate.paint(&painter, option, model.index(0, 0));
    }
    QCOMPARE(canvas.pixelColor(20, 10), QColor(Qt::white));
}

void tst_Extras::uploadingCell_data()
{
    QTest::addColumn<double>("sent");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("heard");
    QTest::addColumn<bool>("numberPainted");

    QTest::newRow("nothing known yet") << -1.0 << "Uploading..." << "Uploading..." << false;
    QTest::newRow("nothing sent") << 0.0 << "Uploading..." << "Uploading... 0%" << true;
    QTest::newRow("under way") << 0.42 << "Uploading..." << "Uploading... 42%" << true;
    QTest::newRow("a byte left") << 0.999 << "Uploading..." << "Uploading... 99%" << true;
    QTest::newRow("all sent") << 1.0 << "Uploading... waiting for the host" << "Uploading... waiting for the host" << false;
}

void tst_Extras::uploadingCell()
{
    QFETCH(double, sent);
    QFETCH(QString, text);
    QFETCH(QString, heard);
    QFETCH(bool, numberPainted);

    QTableWidget table(1, 3);
    tarvello::RowBinder rows(&table);
    table.setRowCount(0);
    rows.insert(0);
    imgobj entry;
    entry.state = tarvello::EntryState::Uploading;
    tarvello::EntryRecord record;
    record.progress = sent;
    rows.bind(0, entry, record);
    const QTableWidgetItem *cell = table.item(0, tarvello::RowBinder::StatusColumn);
    QCOMPARE(cell->text(), text);
    const QVariant told = cell->data(Qt::AccessibleTextRole);
    QCOMPARE(told.isValid() ? told.toString() : cell->text(), heard);
    QVERIFY(cell->toolTip().startsWith(text + QLatin1Char('\n'))); // whole, where the column cuts it

    // Painted without words, the cell's left end holds the bar alone or the bar and a number.
    tarvello::ProgressDelegate delegate;
    QStandardItemModel model(1, 1);
    model.setData(model.index(0, 0), cell->data(tarvello::UploadProgressRole), tarvello::UploadProgressRole);
    QStyleOptionViewItem option;
    option.rect = QRect(0, 0, 300, 24);
    option.state = QStyle::State_Enabled | QStyle::State_Active;
    QImage canvas(option.rect.size(), QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        delegate.paint(&painter, option, model.index(0, 0));
    }
    QSet<QRgb> colours;
    for (int y = 6; y < 18; ++y)
        for (int x = 6; x < 50; ++x)
            colours.insert(canvas.pixel(x, y));
    QCOMPARE(colours.size() > 1, numberPainted);
}

void tst_Extras::reasons_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("refused connection") << "refused" << QStringList{"refused the connection"};
    QTest::newRow("404 with an html page") << "404" << QStringList{"404", "Not Found", "The host said: <html><body>no such"};
    QTest::newRow("stalled transfer") << "stall" << QStringList{"stalled"};
}

void tst_Extras::reasons()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, expected);

    m_window->findChild<QLineEdit *>(QStringLiteral("usr"))->setText(QStringLiteral("ann"));
    m_window->findChild<QLineEdit *>(QStringLiteral("pw"))->setText(QStringLiteral("hunter2/x"));
    if (kind == QLatin1String("refused")) {
        const QByteArray port = QByteArray::number(m_server->port());
        m_server.reset();
        qputenv("TARVELLO_HOST", "127.0.0.1:" + port);
    }
    if (kind == QLatin1String("stall"))
        qputenv("TARVELLO_TRANSFER_TIMEOUT_MS", "300");

    m_window->addObj(image(QStringLiteral("r.png")), false);
    m_window->handleclick(0, 1);
    if (kind == QLatin1String("404")) {
        QTRY_COMPARE(m_server->requests.size(), 1);
        // A host that echoes the address it was asked for must not leak the login either.
        const QByteArray echoed = m_server->requests.at(0).target;
        QVERIFY(echoed.contains("hunter2%2Fx"));
        QByteArray response = "HTTP/1.1 404 Not Found\r\nContent-Type: text/html\r\nConnection: close\r\n";
        const QByteArray body = "<html><body>no such page: " + echoed + "</body></html>\nsecond line";
        response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
        m_server->respond(0, response);
    }
    QTRY_COMPARE_WITH_TIMEOUT(m_window->entries().at(0).state, qint16(2), 5000);
    QCOMPARE(table()->item(0, 1)->text(), QStringLiteral("failed"));

    const QString tip = table()->item(0, 1)->toolTip();
    for (const QString &part : expected)
        QVERIFY2(tip.contains(part), qPrintable(tip));
    QVERIFY2(!tip.contains(QLatin1String("hunter2")), qPrintable(tip));
    QVERIFY2(!tip.contains(QLatin1String("user/ann")), qPrintable(tip));
    QVERIFY2(!tip.contains(QLatin1String("second line")), qPrintable(tip));
}

void tst_Extras::reasonText_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("reason");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");

    QTest::newRow("host not found") << int(QNetworkReply::HostNotFoundError) << 0 << QByteArray() << QByteArray()
                                    << "The host was not found.";
    QTest::newRow("403 with text") << int(QNetworkReply::ContentAccessDenied) << 403 << QByteArray("Forbidden")
                                   << QByteArray("error: wrong user name or password\n")
                                   << "HTTP status: 403 Forbidden\nThe host said: error: wrong user name or password";
    QTest::newRow("200 without a link") << int(QNetworkReply::NoError) << 200 << QByteArray("OK") << QByteArray("Thanks!")
                                        << "HTTP status: 200 OK\nThe host said: Thanks!";
    QTest::newRow("empty answer") << int(QNetworkReply::NoError) << 200 << QByteArray("OK") << QByteArray()
                                  << "HTTP status: 200 OK\nThe host's answer was empty.";
    QTest::newRow("password blanked") << int(QNetworkReply::NoError) << 200 << QByteArray("OK") << QByteArray("pw is s3 cret, or s3%20cret")
                                      << "HTTP status: 200 OK\nThe host said: pw is ***, or ***";
}

void tst_Extras::reasonText()
{
    QFETCH(int, error);
    QFETCH(int, status);
    QFETCH(QByteArray, reason);
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    tarvello::UploadResult result;
    result.kind = tarvello::UploadResult::Kind::Failed;
    result.error = tarvello::transferError(QNetworkReply::NetworkError(error));
    result.host = tarvello::hostAnswer(status, reason, body, {QStringLiteral("s3 cret")});
    QCOMPARE(tarvello::resultDetails(result), expected);
}

void tst_Extras::linksAtHand()
{
    UrlCatcher desktop;
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    for (const char *name : {"a.png", "b.png", "c.png", "d.png"})
        m_window->addObj(image(QString::fromLatin1(name)), false);
    m_window->handleclick(0, 1);
    m_window->handleclick(1, 1);
    m_window->handleclick(2, 1);
    QTRY_COMPARE(m_server->requests.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QByteArray body = m_server->requests.at(i).body;
        const QByteArray answer = body.contains("b.png") ? "sorry" : body.contains("a.png") ? "http://h/a\n" : "http://h/c";
        m_server->respond(i, CaptureServer::httpResponse(answer));
    }
    for (int row = 0; row < 3; ++row)
        QTRY_COMPARE(m_window->entries().at(row).state, qint16(2));

    QClipboard *clipboard = QGuiApplication::clipboard();
    QVERIFY(contextAction(table(), 0, QStringLiteral("Copy link")));
    QCOMPARE(clipboard->text(), QStringLiteral("http://h/a"));
    QVERIFY(!contextAction(table(), 1, QStringLiteral("Copy link"))); // failed: nothing to copy
    QVERIFY(!contextAction(table(), 3, QStringLiteral("Open link")));  // still waiting
    QVERIFY(contextAction(table(), 2, QStringLiteral("Open link")));
    QCOMPARE(desktop.opened, (QList<QUrl>{QUrl(QStringLiteral("http://h/c"))}));
    QVERIFY(contextAction(table(), 3, QStringLiteral("Copy all links")));
    QCOMPARE(clipboard->text(), QStringLiteral("http://h/a\nhttp://h/c"));

    // Ctrl+C copies the links of the selected rows.
    clipboard->clear();
    table()->setFocus();
    table()->clearSelection();
    table()->setRangeSelected(QTableWidgetSelectionRange(1, 0, 2, 2), true);
    QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("http://h/c"));
    table()->setRangeSelected(QTableWidgetSelectionRange(0, 0, 3, 0), true);
    QTest::keyClick(table(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(clipboard->text(), QStringLiteral("http://h/a\nhttp://h/c"));
}

void tst_Extras::uploadAgain()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->addObj(image(QStringLiteral("again.png"), 9, 3), false);
    const auto described = testutil::whenTextDialog(QStringLiteral("second try"));
    m_window->handleclick(0, 2);
    m_window->handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    m_server->respond(0, CaptureServer::httpResponse("busy, try later", 503));
    QTRY_COMPARE(m_window->entries().at(0).state, qint16(2));
    const QString oldTip = table()->item(0, 1)->toolTip();

    QVERIFY(contextAction(table(), 0, QStringLiteral("Upload again")));
    QCOMPARE(m_window->entries().size(), 2);
    QTRY_COMPARE(m_server->requests.size(), 2);
    QCOMPARE(m_server->requests.at(1).body, m_server->requests.at(0).body);

    // The old row stays as it was; the new one is under way with the same file and description.
    QCOMPARE(table()->item(0, 1)->text(), QStringLiteral("failed"));
    QCOMPARE(table()->item(0, 1)->toolTip(), oldTip);
    QCOMPARE(m_window->entries().at(0).state, qint16(2));
    QCOMPARE(table()->item(1, 0)->text(), QStringLiteral("again.png"));
    QVERIFY2(table()->item(1, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(table()->item(1, 1)->text()));
    QCOMPARE(table()->item(1, 2)->text(), QStringLiteral("second try"));
    QCOMPARE(m_window->entries().at(1).state, qint16(1));
    QTRY_COMPARE(m_window->entries().at(1).prev.size(), QSize(330, 110));
    QCOMPARE(m_window->selected(), &m_window->entries().at(1));

    m_server->respond(1, CaptureServer::httpResponse("http://h/again"));
    QTRY_COMPARE(table()->item(1, 1)->text(), QStringLiteral("http://h/again"));
    QVERIFY(contextAction(table(), 1, QStringLiteral("Upload again")));
    QCOMPARE(m_window->entries().size(), 3);
}

void tst_Extras::paste()
{
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QImage picture(12, 7, QImage::Format_RGB32);
    picture.fill(Qt::cyan);
    QGuiApplication::clipboard()->setImage(picture);

    table()->setFocus();
    QTest::keyClick(m_window.get(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_window->entries().size(), 1);
    QVERIFY(m_window->entries().at(0).temp);
    QTRY_COMPARE(m_window->entries().at(0).pix.size(), QSize(12, 7));

    // In the user name box, Ctrl+V pastes text as it always does.
    QGuiApplication::clipboard()->setText(QStringLiteral("ann"));
    auto *usr = m_window->findChild<QLineEdit *>(QStringLiteral("usr"));
    usr->setFocus();
    QTest::keyClick(usr, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(usr->text(), QStringLiteral("ann"));
    QCOMPARE(m_window->entries().size(), 1);
}

void tst_Extras::uprightPhotos()
{
    const QByteArray jpeg = testutil::jpegTurnedByExif(40, 20);
    const QString path = m_dir.filePath(QStringLiteral("portrait.jpg"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(jpeg);
    }
    m_window->addObj(path, false);
    const imgobj &entry = m_window->entries().at(0);
    QVERIFY(entry.pix.isNull());
    QTRY_COMPARE(entry.prev.size(), QSize(85, 170));
    // Turned clockwise: the marked top-left corner is now top-right.
    QVERIFY(entry.prev.toImage().pixelColor(78, 8).red() > 200);
    QVERIFY(entry.prev.toImage().pixelColor(78, 8).green() < 60);

    // The unedited file travels as it is, tag and all.
    m_window->handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    QVERIFY(m_server->requests.at(0).body.contains(jpeg));

    // An edit starts from the upright picture.
    m_window->addObj(path, false);
    m_window->cw90();
    QTRY_VERIFY(testutil::savesDone(m_window.get()));
    const QImage turned(m_window->entries().at(1).file);
    QCOMPARE(turned.size(), QSize(40, 20));
    QVERIFY(turned.pixelColor(38, 18).red() > 200);
    QVERIFY(turned.pixelColor(38, 18).green() < 60);
}

void tst_Extras::longDropCancelled()
{
    // Enough files that their walk outlasts a dialog shown at once; links to one image.
    const QString folder = m_dir.filePath(QStringLiteral("many"));
    QDir().mkpath(folder);
    const QString one = testutil::writeImage(folder + QStringLiteral("/0000.png"), 8, 8);
    const int files = 4000;
    for (int i = 1; i < files; ++i) {
        const QByteArray name = QFile::encodeName(folder + QStringLiteral("/%1.png").arg(i, 4, 10, QLatin1Char('0')));
        QCOMPARE(::link(QFile::encodeName(one).constData(), name.constData()), 0);
    }

    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->findChild<DropProgress *>()->setShowAfter(0);
    auto *target = m_window->findChild<drop *>(QStringLiteral("label"));
    // The window goes on while the folder is walked: the dialog is there between two batches
    // of rows, and Cancel in it stops the walk.
    QString label;
    int atCancel = -1;
    connect(target->walker(), &tarvello::FolderWalker::found, this, [&] {
        auto *dialog = m_window->findChild<QProgressDialog *>();
        if (!dialog || atCancel >= 0)
            return;
        label = dialog->labelText();
        atCancel = m_window->entries().size();
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    QVERIFY(testutil::sendDrop(target, &data));

    QTRY_VERIFY(!target->isBusy());
    QVERIFY2(atCancel >= 0, "no progress dialog was shown");
    QVERIFY(label.contains(QString::number(atCancel)));
    QVERIFY(!target->isBusy());
    QTRY_VERIFY(m_window->findChildren<QProgressDialog *>().isEmpty());
    QCOMPARE(m_window->entries().size(), atCancel); // the rest were not added
    QVERIFY(m_window->entries().size() < files);

    // The next drop is not cancelled by the last one.
    const QString after = image(QStringLiteral("after.png"));
    QMimeData again;
    again.setUrls({QUrl::fromLocalFile(after)});
    QVERIFY(testutil::sendDrop(target, &again));
    QCOMPARE(m_window->entries().last().file, after);
}

void tst_Extras::shortDropShowsNothing()
{
    // A folder whose walk ends before the dialog's time has come shows no dialog when it comes.
    const QString folder = m_dir.filePath(QStringLiteral("short"));
    QDir().mkpath(folder);
    testutil::writeImage(folder + QStringLiteral("/s1.png"), 4, 4);
    testutil::writeImage(folder + QStringLiteral("/s2.png"), 4, 4);
    auto *progress = m_window->findChild<DropProgress *>();
    progress->setShowAfter(60000);
    QSignalSpy decided(progress->showTimer(), &QTimer::timeout);
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    QVERIFY(testutil::sendDrop(m_window->findChild<QLabel *>(QStringLiteral("label")), &data));
    QVERIFY(progress->showTimer()->isActive());
    QTRY_VERIFY(!m_window->findChild<drop *>(QStringLiteral("label"))->isBusy());
    progress->showTimer()->start(0); // its time comes now, after the walk
    QVERIFY(decided.wait(5000));
    QCOMPARE(m_window->entries().size(), 2);
    QVERIFY(m_window->findChildren<QProgressDialog *>().isEmpty());
}

// What a screen reader hears of a linked row and a described waiting one (the AT-SPI check covers
// a waiting, an uploading, a failed and an unusable row).
void tst_Extras::heardCells()
{
    m_window->addObj(image(QStringLiteral("linked.png")), false);
    m_window->addObj(image(QStringLiteral("later.png")), false);
    const auto described = testutil::whenTextDialog(QStringLiteral("a red square"));
    m_window->handleclick(1, 2);
    m_window->handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    m_server->respond(0, CaptureServer::httpResponse("http://h/linked"));
    QTRY_COMPARE(m_window->entries().at(0).state, qint16(2));

    const auto heard = [this](int row, int column) { return table()->item(row, column)->data(Qt::AccessibleTextRole).toString(); };
    QCOMPARE(heard(0, 1), QStringLiteral("Uploaded: http://h/linked"));
    QVERIFY(table()->item(0, 1)->data(Qt::AccessibleDescriptionRole).toString().startsWith(QLatin1String("http://h/linked\n")));
    QCOMPARE(heard(0, 2), QStringLiteral("No description"));
    QCOMPARE(heard(1, 2), QStringLiteral("a red square; Enter changes it"));
    QCOMPARE(table()->item(1, 2)->text(), QStringLiteral("a red square"));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("label"))->accessibleName(), QStringLiteral("Picture of linked.png"));
}

QTEST_MAIN(tst_Extras)
#include "tst_extras.moc"
