// Uploads through the window against a peer that records every byte and answers on cue.

#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/mw.h"
#include "capture.h"
#include "testutil.h"
#include "urlcatcher.h"

namespace {

const QByteArray boundary = "---------------------------723690991551375881941828858";

} // namespace

class tst_Upload : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void wire();
    void credentials_data();
    void credentials();
    void unreadableFile();
    void outcomes_data();
    void outcomes();
    void repliesInReverseOrder();
    void uploadAll();
    void uploadAllTwiceAndEmpty();
    void stalledTransfer();
    void refusedConnection();
    void doubleClickOpensOnlyLinks();

private:
    QTableWidget *table(mw &window) { return window.findChild<QTableWidget *>(QStringLiteral("tableWidget")); }
    QString image(const QString &name, int w = 4, int h = 3)
    {
        return testutil::writeImage(m_dir.filePath(name), w, h);
    }

    QTemporaryDir m_dir;
    CaptureServer *m_server = nullptr;
    UrlCatcher m_catcher;
};

void tst_Upload::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QDir::setCurrent(m_dir.path());
}

void tst_Upload::init()
{
    delete m_server;
    m_server = new CaptureServer;
    QVERIFY(m_server->listen());
    qputenv("TARVELLO_HOST", m_server->hostPort().toLatin1());
    m_catcher.opened.clear();
}

void tst_Upload::cleanupTestCase()
{
    delete m_server;
}

void tst_Upload::wire()
{
    const QString png = image(QStringLiteral("a.png"));
    const QByteArray content = testutil::fileBytes(png);

    mw window;
    window.addObj(png, false);
    QTest::mouseClick(table(window)->viewport(), Qt::LeftButton, {},
                      table(window)->visualRect(table(window)->model()->index(0, 1)).center());
    QTRY_COMPARE(m_server->requests.size(), 1);

    const CaptureServer::Request &request = m_server->requests.at(0);
    QVERIFY(request.head.startsWith("POST /upload/index/bitlyonly/true/ HTTP/1.1\r\n"));
    QCOMPARE(request.header("Host"), m_server->hostPort().toLatin1());
    QCOMPARE(request.header("Accept-Encoding"), QByteArray("gzip,deflate"));
    QCOMPARE(request.header("Content-Type"), "multipart/form-data; boundary=" + boundary);
    QCOMPARE(request.header("Content-Length"), QByteArray::number(424 + content.size()));
    QCOMPARE(request.body.size(), 424 + content.size());
    QVERIFY(request.body.contains("filename=\"a.png\"\r\nContent-Type: image/png\r\n\r\n" + content + "\r\n--"));
    // Host first, then our three headers in the order they were set.
    QCOMPARE(request.headerNames.mid(0, 4),
             (QList<QByteArray>{"Host", "Accept-Encoding", "Content-Type", "Content-Length"}));
}

void tst_Upload::credentials_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("path");

    const QByteArray base = "/upload/index/bitlyonly/true/";
    QTest::newRow("anonymous") << QString() << QString() << base;
    QTest::newRow("password only") << QString() << "secret" << base;
    QTest::newRow("name only") << "ann" << QString() << base + "user/ann/pw/";
    QTest::newRow("both") << "ann" << "secret" << base + "user/ann/pw/secret";
    QTest::newRow("blanks") << " " << " " << base + "user/%20/pw/%20";
    QTest::newRow("reserved") << "a/b" << "?#%" << base + "user/a%2Fb/pw/%3F%23%25";
}

void tst_Upload::credentials()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, path);

    mw window;
    window.findChild<QLineEdit *>(QStringLiteral("usr"))->setText(user);
    window.findChild<QLineEdit *>(QStringLiteral("pw"))->setText(password);
    window.addObj(image(QStringLiteral("c.png")), false);
    window.handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    QCOMPARE(m_server->requests.at(0).target, path);
}

void tst_Upload::unreadableFile()
{
    // What cannot be read when it is to go fails here, and nothing is sent.
    mw window;
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    window.addObj(m_dir.filePath(QStringLiteral("missing.gif")), false);
    window.handleclick(0, 1);
    QCOMPARE(window.entries().at(0).state, qint16(2));
    QCOMPARE(table(window)->item(0, 1)->text(), QStringLiteral("failed"));
    QVERIFY(table(window)->item(0, 1)->toolTip().startsWith(QLatin1String("The file does not exist.\nNothing was sent.")));
    QVERIFY(sent.isEmpty());
}

void tst_Upload::outcomes_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<QString>("cell");
    QTest::addColumn<bool>("withDescription");

    const QByteArray link = "http://127.0.0.1/i/0001.png";
    QTest::newRow("link with line feed") << CaptureServer::httpResponse(link + "\n") << QString::fromLatin1(link + "\n") << false;
    QTest::newRow("link, description kept") << CaptureServer::httpResponse(link) << QString::fromLatin1(link) << true;
    QTest::newRow("empty body") << CaptureServer::httpResponse("") << "failed" << false;
    QTest::newRow("html page with a link") << CaptureServer::httpResponse("<p>see " + link + "</p>") << "failed" << false;
    QTest::newRow("capitals") << CaptureServer::httpResponse("HTTP://127.0.0.1/x") << "failed" << false;
    QTest::newRow("https") << CaptureServer::httpResponse("https://127.0.0.1/x") << "https://127.0.0.1/x" << false;
    QTest::newRow("zero byte") << CaptureServer::httpResponse(link + QByteArray("\0junk", 5)) << QString::fromLatin1(link) << false;
    QTest::newRow("link with an error status") << CaptureServer::httpResponse(link, 500) << QString::fromLatin1(link) << false;
    QTest::newRow("gzip") << CaptureServer::httpResponse(testutil::deflated(link, 15 + 16), 200, "Content-Encoding: gzip\r\n")
                          << QString::fromLatin1(link) << false;
}

void tst_Upload::outcomes()
{
    QFETCH(QByteArray, response);
    QFETCH(QString, cell);
    QFETCH(bool, withDescription);

    mw window;
    window.addObj(image(QStringLiteral("o.png")), false);
    if (withDescription) {
        const auto described = testutil::whenTextDialog(QStringLiteral("a cat"));
        window.handleclick(0, 2);
    }
    window.handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    QVERIFY2(table(window)->item(0, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(table(window)->item(0, 1)->text()));
    m_server->respond(0, response);

    QTRY_COMPARE(window.entries().at(0).state, qint16(2));
    QCOMPARE(table(window)->item(0, 1)->text(), cell);
    QCOMPARE(window.entries().at(0).link, QUrl(cell, QUrl::TolerantMode));
    if (cell.startsWith(QLatin1String("http://")))
        QCOMPARE(table(window)->item(0, 1)->toolTip(),
                 cell.trimmed() + QStringLiteral("\nDestination: Built-in host (%1)").arg(qEnvironmentVariable("TARVELLO_HOST")));
    QVERIFY(!window.entries().at(0).reply);
    QCOMPARE(table(window)->item(0, 2)->text(), withDescription ? QStringLiteral("a cat") : QString());
}

void tst_Upload::repliesInReverseOrder()
{
    mw window;
    for (int i = 0; i < 3; ++i)
        window.addObj(image(QStringLiteral("r%1.png").arg(i), i + 1, 1), false);
    window.uploadall();
    QTRY_COMPARE(m_server->requests.size(), 3);

    // Answer each request with its own file name, last one first.
    for (int i = 2; i >= 0; --i) {
        const QByteArray body = m_server->requests.at(i).body;
        const int start = body.indexOf("filename=\"") + 10;
        const QByteArray name = body.mid(start, body.indexOf('"', start) - start);
        m_server->respond(i, CaptureServer::httpResponse("http://h/" + name));
    }
    for (int row = 0; row < 3; ++row) {
        QTRY_COMPARE(window.entries().at(row).state, qint16(2));
        QCOMPARE(table(window)->item(row, 1)->text(), QStringLiteral("http://h/r%1.png").arg(row));
    }
}

void tst_Upload::uploadAll()
{
    mw window;
    for (int i = 0; i < 5; ++i)
        window.addObj(image(QStringLiteral("u%1.png").arg(i)), false);

    // Row 1 is done, row 3 is under way; rows 0, 2 and 4 wait.
    window.handleclick(1, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    m_server->respond(0, CaptureServer::httpResponse("http://h/one"));
    QTRY_COMPARE(window.entries().at(1).state, qint16(2));
    window.handleclick(3, 1);
    QTRY_COMPARE(m_server->requests.size(), 2);

    QSignalSpy started(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    window.findChild<QPushButton *>(QStringLiteral("uploadfile"))->click();
    QCOMPARE(started.size(), 3);
    QTRY_COMPARE(m_server->requests.size(), 5);

    QStringList states;
    for (const imgobj &entry : window.entries())
        states.append(QString::number(entry.state));
    QCOMPARE(states, (QStringList{"1", "2", "1", "1", "1"}));
    QVERIFY2(table(window)->item(0, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(table(window)->item(0, 1)->text()));
    QCOMPARE(table(window)->item(1, 1)->text(), QStringLiteral("http://h/one"));
    QVERIFY2(table(window)->item(4, 1)->text().startsWith(QStringLiteral("Uploading...")), qPrintable(table(window)->item(4, 1)->text()));

    // Requests arrive on separate connections, so only the set is certain; all three were sent.
    QStringList sent;
    for (int i = 2; i < 5; ++i)
        sent.append(QString::fromLatin1(m_server->requests.at(i).body.contains("u0.png") ? "u0"
                                        : m_server->requests.at(i).body.contains("u2.png") ? "u2" : "u4"));
    sent.sort();
    QCOMPARE(sent, (QStringList{"u0", "u2", "u4"}));
}

void tst_Upload::uploadAllTwiceAndEmpty()
{
    mw window;
    QSignalSpy sent(testutil::uploaderOf(&window), &tarvello::Uploader::started);
    window.uploadall(); // empty queue
    QCOMPARE(sent.size(), 0);

    window.addObj(image(QStringLiteral("t1.png")), false);
    window.addObj(image(QStringLiteral("t2.png")), false);
    window.uploadall();
    window.uploadall();
    QCOMPARE(sent.size(), 2);
    QTRY_COMPARE(m_server->requests.size(), 2);
}

void tst_Upload::stalledTransfer()
{
    qputenv("TARVELLO_TRANSFER_TIMEOUT_MS", "300");
    mw window;
    window.addObj(image(QStringLiteral("s.png")), false);
    window.handleclick(0, 1);
    QTRY_COMPARE(m_server->requests.size(), 1);
    // The peer never answers.
    QTRY_COMPARE_WITH_TIMEOUT(window.entries().at(0).state, qint16(2), 5000);
    QCOMPARE(table(window)->item(0, 1)->text(), QStringLiteral("failed"));
    qunsetenv("TARVELLO_TRANSFER_TIMEOUT_MS");
}

void tst_Upload::refusedConnection()
{
    const quint16 port = m_server->port();
    delete m_server;
    m_server = nullptr;
    qputenv("TARVELLO_HOST", QByteArray("127.0.0.1:") + QByteArray::number(port));

    mw window;
    window.addObj(image(QStringLiteral("refused.png")), false);
    window.handleclick(0, 1);
    QTRY_COMPARE(window.entries().at(0).state, qint16(2));
    QCOMPARE(table(window)->item(0, 1)->text(), QStringLiteral("failed"));
}

void tst_Upload::doubleClickOpensOnlyLinks()
{
    // A local file named "failed" must never be what a failed entry opens.
    QFile trap(m_dir.filePath(QStringLiteral("failed")));
    QVERIFY(trap.open(QIODevice::WriteOnly));
    trap.close();

    mw window;
    window.addObj(image(QStringLiteral("ok.png")), false);
    window.addObj(image(QStringLiteral("bad.png")), false);
    window.addObj(image(QStringLiteral("waiting.png")), false);
    window.uploadall();
    QTRY_COMPARE(m_server->requests.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const bool ok = m_server->requests.at(i).body.contains("ok.png");
        const bool waiting = m_server->requests.at(i).body.contains("waiting.png");
        if (!waiting)
            m_server->respond(i, CaptureServer::httpResponse(ok ? "http://h/ok" : "nope"));
    }
    QTRY_COMPARE(window.entries().at(0).state, qint16(2));
    QTRY_COMPARE(window.entries().at(1).state, qint16(2));

    window.handledclick(0, 0);
    window.handledclick(0, 2);
    window.handledclick(1, 1);
    window.handledclick(2, 1);
    QVERIFY(m_catcher.opened.isEmpty());

    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QTableWidget *view = table(window);
    const QPoint cell = view->visualRect(view->model()->index(0, 1)).center();
    // A double-click is a click followed by the double-click event, as a real mouse sends it.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell);
    QCOMPARE(m_catcher.opened, (QList<QUrl>{QUrl(QStringLiteral("http://h/ok"))}));
}

QTEST_MAIN(tst_Upload)
#include "tst_upload.moc"
