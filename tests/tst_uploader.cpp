// The uploader on its own, without a window: what it sends, how it reads answers, what it reports.

#include <sys/stat.h>

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>

#include "base/uploader.h"
#include "capture.h"
#include "gui/texts.h"
#include "testutil.h"

using tarvello::Uploader;
using tarvello::UploadJob;
using tarvello::UploadResult;

class tst_Uploader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void outcome_data();
    void outcome();
    void progressAndRows();
    void hostileHost_data();
    void hostileHost();
    void sixOnTheWire();
    void fifoIsNotRead();
    void caFileIsNotHeldOn_data();
    void caFileIsNotHeldOn();
    void earlyAnswer_data();
    void earlyAnswer();

private:
    // Runs one upload against the peer and returns its outcome, or nothing if it never finished.
    std::optional<UploadResult> run(Uploader &uploader, int row, const UploadJob &job);

    QNetworkAccessManager m_manager;
    QTemporaryDir m_dir;
    CaptureServer *m_server = nullptr;
    QString m_image;
};

void tst_Uploader::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qRegisterMetaType<QNetworkReply *>();
    m_image = testutil::writeImage(m_dir.filePath(QStringLiteral("shot.png")), 8, 8);
}

void tst_Uploader::init()
{
    delete m_server;
    m_server = new CaptureServer(this);
    QVERIFY(m_server->listen());
    qputenv("TARVELLO_HOST", m_server->hostPort().toLatin1());
}

std::optional<UploadResult> tst_Uploader::run(Uploader &uploader, int row, const UploadJob &job)
{
    QSignalSpy started(&uploader, &Uploader::started);
    uploader.enqueue(row, job);
    if (started.isEmpty())
        return std::nullopt;
    auto *reply = started.first().at(1).value<QNetworkReply *>();
    if (!reply->isFinished() && !QSignalSpy(reply, &QNetworkReply::finished).wait(5000))
        return std::nullopt;
    QSignalSpy concluded(&uploader, &Uploader::concluded);
    const UploadResult result = uploader.finish(reply);
    if (result.kind != UploadResult::Kind::None)
        return result;
    if (concluded.isEmpty() && !concluded.wait(5000))
        return std::nullopt;
    return concluded.first().at(1).value<UploadResult>();
}

void tst_Uploader::outcome_data()
{
    QTest::addColumn<QByteArray>("response");
    QTest::addColumn<bool>("linked"); // the answer is shown in place of "failed"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tooltipHas");
    QTest::addColumn<QString>("usable"); // what Copy link and a double-click may hand out

    const QByteArray link = "http://img.example/i/abc.png";
    const QString linkText = QString::fromLatin1(link);
    QTest::newRow("link") << CaptureServer::httpResponse(link) << true << linkText << QStringList{linkText} << linkText;
    QTest::newRow("link with a line feed is the whole text")
            << CaptureServer::httpResponse(link + "\n") << true << QString::fromLatin1(link + "\n")
            << QStringList{linkText} << linkText;
    QTest::newRow("error page") << CaptureServer::httpResponse("error: no such user\n", 403) << false
                                << QStringLiteral("failed")
                                << QStringList{QStringLiteral("403"), QStringLiteral("no such user")} << QString();
    QTest::newRow("echoed login is hidden")
            << CaptureServer::httpResponse("bad login user/ann/pw/s3cr%2Ft and s3cr/t", 403) << false
            << QStringLiteral("failed") << QStringList{QStringLiteral("bad login ***")} << QString();
    // The cell keeps the whole answer; what leaves the program is one clean link or nothing.
    QTest::newRow("a command after the link") << CaptureServer::httpResponse(link + "\nrm -rf ~") << true
                                              << QString::fromLatin1(link + "\nrm -rf ~") << QStringList{} << QString();
    QTest::newRow("terminal escapes") << CaptureServer::httpResponse(link + "\x1b]0;pwned\x07") << true
                                      << QString::fromLatin1(link + "\x1b]0;pwned\x07") << QStringList{} << QString();
    QTest::newRow("no host") << CaptureServer::httpResponse("http:///etc/passwd") << true
                             << QStringLiteral("http:///etc/passwd") << QStringList{} << QString();
    QTest::newRow("the password in the link") << CaptureServer::httpResponse(link + "?s3cr/t") << true
                                              << QString::fromLatin1(link + "?***") << QStringList{} << QString();
    QTest::newRow("the password percent-encoded in the link") << CaptureServer::httpResponse(link + "?pw=s3cr%2Ft") << true
                                                              << QString::fromLatin1(link + "?pw=***") << QStringList{}
                                                              << QString();
    QTest::newRow("a password cut in half") // blanked before the answer is cut to 200 characters
            << CaptureServer::httpResponse(QByteArray(190, 'x') + " s3cr/t", 500) << false << QStringLiteral("failed")
            << QStringList{QStringLiteral("xxx")} << QString();
    QTest::newRow("binary answer") << CaptureServer::httpResponse(QByteArray("\x00\x01\xfe\xffPNG", 7), 500) << false
                                   << QStringLiteral("failed") << QStringList{QStringLiteral("not text")} << QString();
    QTest::newRow("https link over plain HTTP") << CaptureServer::httpResponse("https://img.example/i/abc.png") << true
                                                << QStringLiteral("https://img.example/i/abc.png")
                                                << QStringList{QStringLiteral("plain HTTP")}
                                                << QStringLiteral("https://img.example/i/abc.png");
    QTest::newRow("a user name before the host") << CaptureServer::httpResponse("http://127.0.0.1@evil.example/x") << true
                                                 << QStringLiteral("http://127.0.0.1@evil.example/x") << QStringList{}
                                                 << QString();
    QTest::newRow("redirect") << CaptureServer::httpResponse(link, 307, "Location: http://127.0.0.1:9/elsewhere\r\n")
                              << false << QStringLiteral("failed") << QStringList{QStringLiteral("307")} << QString();
    // The body has fewer bytes than announced: the transfer broke, whatever arrived.
    QTest::newRow("cut short") << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\nhttp://127.0.0.1:87")
                               << false << QStringLiteral("failed") << QStringList{QStringLiteral("host")} << QString();
}

void tst_Uploader::outcome()
{
    QFETCH(QByteArray, response);
    QFETCH(bool, linked);
    QFETCH(QString, text);
    QFETCH(QStringList, tooltipHas);
    QFETCH(QString, usable);

    m_server->setAutoResponse(response);
    Uploader uploader(&m_manager);
    const auto outcome = run(uploader, 0, {m_image, QString(), QStringLiteral("ann"), QStringLiteral("s3cr/t"), nullptr, nullptr});
    QVERIFY(outcome);
    QCOMPARE(outcome->showsAnswer(), linked);
    QCOMPARE(outcome->linked(), !usable.isEmpty());
    QCOMPARE(tarvello::resultText(*outcome), text);
    const QString tooltip = tarvello::resultDetails(*outcome);
    for (const QString &part : tooltipHas)
        QVERIFY2(tooltip.contains(part), qPrintable(tooltip));
    QVERIFY(!tooltip.contains(QLatin1String("s3cr")));
    QCOMPARE(outcome->link.toString(), usable);
    QCOMPARE(m_server->requests.size(), 1);
    QVERIFY(m_server->requests.first().target.endsWith("/user/ann/pw/s3cr%2Ft"));
}

void tst_Uploader::progressAndRows()
{
    // The peer holds its answers, so both uploads are on the wire at once.
    Uploader uploader(&m_manager);
    QSignalSpy started(&uploader, &Uploader::started);
    QSignalSpy progress(&uploader, &Uploader::progress);
    uploader.enqueue(7, {m_image, QStringLiteral("first"), QString(), QString(), nullptr, nullptr});
    uploader.enqueue(3, {m_image, QStringLiteral("second"), QString(), QString(), nullptr, nullptr});
    QCOMPARE(started.size(), 2);
    QCOMPARE(uploader.pending(), 2);
    QTRY_COMPARE(m_server->requests.size(), 2);

    QList<int> doneRows;
    for (const QList<QVariant> &report : std::as_const(progress)) {
        if (report.at(1).toDouble() == 1.0)
            doneRows.append(report.at(0).toInt());
    }
    std::sort(doneRows.begin(), doneRows.end());
    QCOMPARE(doneRows, (QList<int>{3, 7}));

    // Answered in reverse order; each reply still belongs to its own row's request.
    auto *second = started.at(1).at(1).value<QNetworkReply *>();
    const int secondIndex = m_server->requests.at(0).body.contains("second") ? 0 : 1;
    m_server->respond(secondIndex, CaptureServer::httpResponse("http://h/second"));
    QVERIFY(QSignalSpy(second, &QNetworkReply::finished).wait(5000));
    QCOMPARE(started.at(1).at(0).toInt(), 3);
    QCOMPARE(uploader.finish(second).answer, QStringLiteral("http://h/second"));
    QCOMPARE(uploader.pending(), 1);
}

void tst_Uploader::hostileHost_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<int>("requests");

    QTest::newRow("endless answer") << "flood" << "too long" << 1;
    QTest::newRow("one byte a tick") << "drip" << "too long to answer" << 1;
    QTest::newRow("drops after the body") << "drop" << "not sent a second time" << 1;
}

void tst_Uploader::hostileHost()
{
    QFETCH(QString, script);
    QFETCH(QString, reason);
    QFETCH(int, requests);

    qputenv("TARVELLO_TRANSFER_TIMEOUT_MS", "400");
    const auto restore = qScopeGuard([] { qunsetenv("TARVELLO_TRANSFER_TIMEOUT_MS"); });
    m_server->setHandler([script](QTcpSocket *socket) {
        if (script == QLatin1String("drop")) {
            socket->abort();
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 1000000000\r\n\r\nhttp://");
        auto *tick = new QTimer(socket);
        QObject::connect(tick, &QTimer::timeout, socket, [socket, script] {
            socket->write(script == QLatin1String("flood") ? QByteArray(256 * 1024, 'a') : QByteArray("a"));
        });
        tick->start(script == QLatin1String("flood") ? 0 : 50);
    });
    Uploader uploader(&m_manager);
    const auto outcome = run(uploader, 0, {m_image, QString(), QString(), QString(), nullptr, nullptr});
    QVERIFY(outcome);
    QVERIFY(!outcome->showsAnswer());
    QVERIFY2(tarvello::resultDetails(*outcome).contains(reason), qPrintable(tarvello::resultDetails(*outcome)));
    QCOMPARE(m_server->requests.size(), requests);
}

void tst_Uploader::sixOnTheWire()
{
    // Eight at once: six go out, the rest wait for a place instead of timing out unsent.
    Uploader uploader(&m_manager);
    QSignalSpy started(&uploader, &Uploader::started);
    for (int row = 0; row < 8; ++row)
        uploader.enqueue(row, {m_image, QString(), QString(), QString(), nullptr, nullptr});
    QCOMPARE(started.size(), Uploader::maxInFlight);
    QTRY_COMPARE(m_server->requests.size(), Uploader::maxInFlight);

    auto *first = started.at(0).at(1).value<QNetworkReply *>();
    m_server->respond(0, CaptureServer::httpResponse("http://h/0"));
    QVERIFY(QSignalSpy(first, &QNetworkReply::finished).wait(5000));
    QCOMPARE(started.size(), Uploader::maxInFlight + 1);
    QCOMPARE(started.last().at(0).toInt(), Uploader::maxInFlight);
    uploader.cancel(7);
    QCOMPARE(uploader.pending(), Uploader::maxInFlight);
}

void tst_Uploader::fifoIsNotRead()
{
    const QString fifo = m_dir.filePath(QStringLiteral("pipe.png"));
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    m_server->setAutoResponse(CaptureServer::httpResponse("error: empty\n", 400));
    Uploader uploader(&m_manager);
    QVERIFY(run(uploader, 0, {fifo, QString(), QString(), QString(), nullptr, nullptr}));
    QVERIFY(m_server->requests.first().body.contains("filename=\"pipe.png\"\r\nContent-Type: image/png\r\n\r\n\r\n--"));
}

void tst_Uploader::caFileIsNotHeldOn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO") << "fifo";
    QTest::newRow("300 MB") << "huge";
}

void tst_Uploader::caFileIsNotHeldOn()
{
    // Neither blocks the window for ever nor reads a file no certificate list is as big as.
    QFETCH(QString, kind);
    const QString ca = m_dir.filePath(QStringLiteral("ca-") + kind);
    if (kind == QLatin1String("fifo")) {
        QCOMPARE(::mkfifo(QFile::encodeName(ca).constData(), 0600), 0);
    } else {
        QFile file(ca);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(qint64(300) << 20));
    }
    qputenv("TARVELLO_CA_FILE", QFile::encodeName(ca));
    qputenv("TARVELLO_HOST", "https://" + m_server->hostPort().toLatin1());
    // The peer speaks no TLS; the handshake stalls out.
    qputenv("TARVELLO_TRANSFER_TIMEOUT_MS", "300");
    const auto restore = qScopeGuard([] {
        qunsetenv("TARVELLO_CA_FILE");
        qunsetenv("TARVELLO_TRANSFER_TIMEOUT_MS");
    });
    Uploader uploader(&m_manager);
    const auto outcome = run(uploader, 0, {m_image, QString(), QString(), QString(), nullptr, nullptr});
    QVERIFY(outcome);
    QVERIFY(!outcome->showsAnswer());
}

void tst_Uploader::earlyAnswer_data()
{
    QTest::addColumn<int>("side"); // of a noisy picture, so its file is about 4 × side² bytes
    QTest::addColumn<QString>("peer");
    QTest::addColumn<QString>("details"); // what the tooltip holds

    const QString refused = QStringLiteral("HTTP status: 403 Error\nThe host said: error: wrong password");
    QTest::newRow("11 KB, closed at once") << 50 << "answers, closes" << refused;
    QTest::newRow("150 KB, closed at once") << 200 << "answers, closes" << refused;
    QTest::newRow("4 MB, closed at once") << 1000 << "answers, closes" << refused;
    QTest::newRow("4 MB, read to the end") << 1000 << "answers, reads on" << refused;
    QTest::newRow("4 MB, closed without a word") << 1000 << "closes" << "connection"; // reset or closed, as the timing has it
}

// A peer that refuses from the headers and closes before the body is in: the user reads its
// answer, as curl shows it, not a broken connection.
void tst_Uploader::earlyAnswer()
{
    QFETCH(int, side);
    QFETCH(QString, peer);
    QFETCH(QString, details);

    QImage noise(side, side, QImage::Format_ARGB32);
    quint32 seed = 1;
    for (int y = 0; y < side; ++y) {
        auto *line = reinterpret_cast<quint32 *>(noise.scanLine(y));
        for (int x = 0; x < side; ++x)
            line[x] = seed = seed * 1664525u + 1013904223u;
    }
    const QString file = m_dir.filePath(QStringLiteral("noise%1.png").arg(side));
    QVERIFY(noise.save(file));

    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    QList<QByteArray> heads;
    connect(&server, &QTcpServer::newConnection, this, [&] {
        QTcpSocket *socket = server.nextPendingConnection();
        auto received = std::make_shared<QByteArray>();
        connect(socket, &QTcpSocket::readyRead, socket, [&heads, socket, received, peer] {
            const bool answered = received->contains("\r\n\r\n");
            *received += socket->readAll();
            if (answered || !received->contains("\r\n\r\n"))
                return;
            heads.append(received->left(received->indexOf("\r\n\r\n")));
            if (peer != QLatin1String("closes"))
                socket->write(CaptureServer::httpResponse("error: wrong password\n", 403));
            socket->flush();
            if (peer != QLatin1String("answers, reads on"))
                socket->close();
        });
    });
    qputenv("TARVELLO_HOST", "127.0.0.1:" + QByteArray::number(server.serverPort()));
    Uploader uploader(&m_manager);
    const auto outcome = run(uploader, 0, {file, QString(), QStringLiteral("ann"), QStringLiteral("nope"), nullptr, nullptr});
    QVERIFY(outcome);
    QVERIFY(!outcome->showsAnswer());
    QVERIFY2(tarvello::resultDetails(*outcome).contains(details), qPrintable(tarvello::resultDetails(*outcome)));
    // Asked again, the host gets the same head, and never the picture.
    for (const QByteArray &head : std::as_const(heads))
        QCOMPARE(head.split('\n').first(), heads.first().split('\n').first());
    QCOMPARE(uploader.pending(), 0);
}

QTEST_GUILESS_MAIN(tst_Uploader)
#include "tst_uploader.moc"
