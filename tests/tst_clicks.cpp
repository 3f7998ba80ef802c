// Clicks on the queue table, with the real mouse on the table's viewport.

#include <QDesktopServices>
#include <QLabel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "capture.h"
#include "testutil.h"
#include "urlcatcher.h"

class tst_Clicks : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void clickSelectsAndPreviews_data();
    void clickSelectsAndPreviews();
    void uploadCell();
    void descriptionCell();
    void descriptionOnlyWhileWaiting();
    void doubleClickOnWaitingEntry();
    void eachColumnInEachState_data();
    void eachColumnInEachState();

private:
    void click(int row, int column);
    void doubleClick(int row, int column);

    QTemporaryDir m_dir;
    std::unique_ptr<CaptureServer> m_server;
    std::unique_ptr<mw> m_window;
    QTableWidget *m_table = nullptr;
    QList<QUrl> m_opened;
};

void tst_Clicks::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
}

void tst_Clicks::init()
{
    m_server = std::make_unique<CaptureServer>();
    QVERIFY(m_server->listen());
    qputenv("TARVELLO_HOST", m_server->hostPort().toLatin1());
    m_window = std::make_unique<mw>();
    m_table = m_window->findChild<QTableWidget *>(QStringLiteral("tableWidget"));
    m_window->addObj(testutil::writeImage(m_dir.filePath(QStringLiteral("wide.png")), 40, 10, Qt::red));
    m_window->addObj(testutil::writeImage(m_dir.filePath(QStringLiteral("tall.png")), 10, 40, Qt::blue));
    m_window->addObj(m_dir.filePath(QStringLiteral("notes.txt")));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTRY_VERIFY(!m_window->entries().at(0).prev.isNull() && !m_window->entries().at(1).prev.isNull());
}

void tst_Clicks::cleanup()
{
    m_window.reset();
    m_server.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_Clicks::click(int row, int column)
{
    const QRect cell = m_table->visualRect(m_table->model()->index(row, column));
    QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {}, cell.center());
}

void tst_Clicks::doubleClick(int row, int column)
{
    const QPoint cell = m_table->visualRect(m_table->model()->index(row, column)).center();
    QTest::mouseClick(m_table->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(m_table->viewport(), Qt::LeftButton, {}, cell);
}

void tst_Clicks::clickSelectsAndPreviews_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QSize>("preview");

    QTest::newRow("wide") << 0 << QSize(330, 82);
    QTest::newRow("tall") << 1 << QSize(42, 170);
    QTest::newRow("no picture") << 2 << QSize();
}

void tst_Clicks::clickSelectsAndPreviews()
{
    QFETCH(int, row);
    QFETCH(QSize, preview);

    QSignalSpy sent(testutil::uploaderOf(m_window.get()), &tarvello::Uploader::started);
    click(row, 0);
    QCOMPARE(m_window->selected(), &m_window->entries().at(row));
    const QPixmap shown = m_window->findChild<QLabel *>(QStringLiteral("label"))->pixmap();
    QCOMPARE(shown.isNull(), !preview.isValid());
    if (preview.isValid())
        QCOMPARE(shown.size(), preview);
    QCOMPARE(sent.size(), 0);
}

void tst_Clicks::uploadCell()
{
    click(1, 1);
    QCOMPARE(m_window->entries().at(1).state, qint16(1));
    QVERIFY2(m_table->item(1, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(m_table->item(1, 1)->text()));
    QCOMPARE(m_window->selected(), &m_window->entries().at(1));
    QTRY_COMPARE(m_server->requests.size(), 1);
    QVERIFY(m_server->requests.at(0).body.contains("filename=\"tall.png\""));

    // A second click while it uploads, and one after it is done, send nothing more.
    QSignalSpy sent(testutil::uploaderOf(m_window.get()), &tarvello::Uploader::started);
    click(1, 1);
    m_server->respond(0, CaptureServer::httpResponse("http://h/tall"));
    QTRY_COMPARE(m_window->entries().at(1).state, qint16(2));
    click(1, 1);
    QCOMPARE(sent.size(), 0);
    QCOMPARE(m_server->requests.size(), 1);
    QCOMPARE(m_table->item(1, 1)->text(), QStringLiteral("http://h/tall"));
    QCOMPARE(m_window->entries().at(0).state, qint16(0));
}

void tst_Clicks::descriptionCell()
{
    const auto first = testutil::whenTextDialog(QStringLiteral("first words"));
    click(0, 2);
    QCOMPARE(m_window->entries().at(0).desc, QStringLiteral("first words"));
    QCOMPARE(m_table->item(0, 2)->text(), QStringLiteral("first words"));

    // The dialog opens with the description given, and a cancel keeps it.
    QString shownText = QStringLiteral("unset");
    const testutil::ModalAnswer cancel([&shownText](QWidget *modal) {
        shownText = modal->findChild<QLineEdit *>()->text();
        QCOMPARE(modal->windowTitle(), QStringLiteral("Description"));
        static_cast<QDialog *>(modal)->reject();
    });
    click(0, 2);
    QCOMPARE(shownText, QStringLiteral("first words"));
    QCOMPARE(m_window->entries().at(0).desc, QStringLiteral("first words"));
    QCOMPARE(m_table->item(0, 2)->text(), QStringLiteral("first words"));

    const auto third = testutil::whenTextDialog(QStringLiteral("caf\u00e9 at noon"));
    click(0, 2);
    click(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    QVERIFY(m_server->requests.at(0).body.contains("\r\n\r\ncaf\xe9 at noon\r\n\r\n--"));
}

void tst_Clicks::descriptionOnlyWhileWaiting()
{
    click(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    const testutil::ModalAnswer none([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); },
                                     testutil::ModalAnswer::NotExpected);
    click(0, 2);
    // The dialog would have opened inside the click.
    QVERIFY(!none.answered());
    QCOMPARE(m_table->item(0, 2)->text(), QStringLiteral("Click to add"));
}

void tst_Clicks::doubleClickOnWaitingEntry()
{
    UrlCatcher desktop;
    doubleClick(1, 1);
    // The first click started the upload; the double-click itself opened nothing.
    QCOMPARE(m_window->entries().at(1).state, qint16(1));
    QTRY_COMPARE(m_server->requests.size(), 1);
    QVERIFY(desktop.opened.isEmpty());
}

void tst_Clicks::eachColumnInEachState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("column");
    for (int state = 0; state <= 2; ++state)
        for (int column = 0; column <= 2; ++column)
            QTest::addRow("state %d, column %d", state, column) << state << column;
}

void tst_Clicks::eachColumnInEachState()
{
    QFETCH(int, state);
    QFETCH(int, column);

    // Row 1 is brought into the state; row 0 is selected first so the click must move it.
    if (state >= 1) {
        click(1, 1);
        QTRY_COMPARE(m_server->requests.size(), 1);
    }
    if (state == 2) {
        m_server->respond(0, CaptureServer::httpResponse("http://h/tall"));
        QTRY_COMPARE(m_window->entries().at(1).state, qint16(2));
    }
    click(0, 0);
    const int requestsBefore = m_server->requests.size();
    const QStringList cellsBefore = {m_table->item(1, 1)->text(), m_table->item(1, 2)->text()};

    const bool sends = state == 0 && column == 1;
    const bool asks = state == 0 && column == 2;
    const testutil::ModalAnswer dialog([](QWidget *modal) {
        modal->findChild<QLineEdit *>()->setText(QStringLiteral("words"));
        static_cast<QDialog *>(modal)->accept();
    }, asks ? testutil::ModalAnswer::Expected : testutil::ModalAnswer::NotExpected);
    QSignalSpy sent(testutil::uploaderOf(m_window.get()), &tarvello::Uploader::started);
    click(1, column);

    QCOMPARE(m_window->selected(), &m_window->entries().at(1));
    QCOMPARE(m_window->findChild<QLabel *>(QStringLiteral("label"))->pixmap().size(), QSize(42, 170));
    QCOMPARE(sent.size(), sends ? 1 : 0);
    QTRY_COMPARE(m_server->requests.size(), requestsBefore + (sends ? 1 : 0));
    QCOMPARE(dialog.answered(), asks);
    QCOMPARE(m_window->entries().at(1).state, qint16(sends ? 1 : state));
    const QString shown = m_table->item(1, 1)->text();
    QVERIFY2(sends ? shown.startsWith(QStringLiteral("Uploading...")) : shown == cellsBefore.at(0), qPrintable(shown));
    QCOMPARE(m_table->item(1, 2)->text(), asks ? QStringLiteral("words") : cellsBefore.at(1));
}

QTEST_MAIN(tst_Clicks)
#include "tst_clicks.moc"
